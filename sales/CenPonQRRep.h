// TCenPonQRRep: the printed offer "Cenová ponuka" over DMZal.QTlac (the offer's items with their
// calculations and the customer's address), with the two sections of the text template "ponuka.txt";
// PrintOffer prints an offer, through the definition "ponuka.xrep" when there is one.
#pragma once

#include "platform/report/QuickRep.h"

class TCenPonQRRep : public TQuickRep {
public:
    TCenPonQRRep();
    TQRMemo *QReMemo1 = nullptr;
    TQRMemo *QReMemo2 = nullptr;
};

// The offer of that number: the report definition "ponuka.xrep" over its rows when the file exists,
// else the built-in report after its text template was shown for editing.
void PrintOffer(const QString &offer);
