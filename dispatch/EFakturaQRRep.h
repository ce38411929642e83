// TEFakturaQRRep: the printed invoice of a delivery note over the print query (DMZal->QTlac): prices in
// the note's currency, VAT per line, the due date 14 days after issue.
#pragma once

#include "platform/report/QuickRep.h"

class TEFakturaQRRep : public TQuickRep {
public:
    TEFakturaQRRep();
};
