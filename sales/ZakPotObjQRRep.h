// TZakPotObjQRRep (global ZakPotObjQRRep): the order confirmation sent to the customer: seller and buyer,
// terms, the confirmed items with their prices and the total.
#pragma once

#include "platform/report/QuickRep.h"

class TZakPotObjQRRep : public TQuickRep {
public:
    TZakPotObjQRRep();
};

extern TZakPotObjQRRep *ZakPotObjQRRep;
