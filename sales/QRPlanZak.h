// TQRPlanZak (global QRPlanZak): the sales plan, the open jobs grouped by customer with what remains to be
// delivered in pieces, weight and price, over DMZal.QTlac as the internal orders browser fills it.
#pragma once

#include "platform/report/QuickRep.h"

class TQRPlanZak : public TQuickRep {
public:
    TQRPlanZak();
    ~TQRPlanZak() override;
    // The period the caller sets ("Plán obchodu na obdobie" ...).
    TQRLabel *QRlObdobie;
};

extern TQRPlanZak *QRPlanZak;
