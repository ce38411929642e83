// TSPlanQR2Rep (global SPlanQR2Rep): the daily sheet of the work plan ("Plán práce"): the planned operations
// that have an employee, with blank columns the shop floor fills in.
#pragma once

#include "platform/report/QuickRep.h"

class TQRLabel;

class TSPlanQR2Rep : public TQuickRep {
public:
    TSPlanQR2Rep();
    ~TSPlanQR2Rep() override;
    TQRLabel *QRlISO1 = nullptr;
    TQRLabel *QRlISO2 = nullptr;
};

extern TSPlanQR2Rep *SPlanQR2Rep;
