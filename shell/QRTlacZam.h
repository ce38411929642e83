// TQRTlacZam: the employee list with a barcode of each employee number, over DMCis.QZamestnanci in its
// current order and filter.
#pragma once

#include "library/QRAsBarcode.h"
#include "platform/report/QuickRep.h"

class TQRTlacZam : public TQuickRep {
public:
    TQRTlacZam();
    TQRAsBarcode *Barcode = nullptr;
};
