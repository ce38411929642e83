// TQRTlacOdb: the printed list of the customers as the customers browser has chosen them
// (DMCis.QOdberatelia in its order and filter).
#pragma once

#include "platform/report/QuickRep.h"

class TQRTlacOdb : public TQuickRep {
public:
    TQRTlacOdb();
};
