// TSPlanQR1Rep (global SPlanQR1Rep): the capacity plan ("Kapacitný plán") of the list shown in the capacity
// plan form, with the term, days and hours of the estimate.
#pragma once

#include "platform/report/QuickRep.h"

class TQRLabel;

class TSPlanQR1Rep : public TQuickRep {
public:
    TSPlanQR1Rep();
    ~TSPlanQR1Rep() override;
    TQRLabel *QRlObdobie = nullptr;
    TQRLabel *QRlDni = nullptr;
    TQRLabel *QRlHodiny = nullptr;
};

extern TSPlanQR1Rep *SPlanQR1Rep;
