// TZakZmlQRRep (global ZakZmlQRRep): the purchase contract of an order: the template's two sections
// around the items, the total and the signature below the second section.
#pragma once

#include "platform/report/QuickRep.h"

class TZakZmlQRRep : public TQuickRep {
public:
    TZakZmlQRRep();
    TQRMemo *QReMemo1, *QReMemo2;
    TQRLabel *QRlpDPH;
};

extern TZakZmlQRRep *ZakZmlQRRep;
