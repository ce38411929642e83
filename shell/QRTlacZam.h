// TQRTlacZam: the employee list with a barcode of each employee number, over DMCis.QZamestnanci in its
// current order and filter.
#pragma once

#include "library/QRAsBarcode.h"
#include "platform/report/QuickRep.h"

#include <functional>

class TQRTlacZam : public TQuickRep {
public:
    TQRTlacZam();
    TQRAsBarcode *Barcode = nullptr;
};

// Shows a built report to the user (the preview unless the print front end sets another way).
std::function<void(TQuickRep *)> &ShowReportHook();
