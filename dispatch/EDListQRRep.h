// TEDListQRRep: the printed delivery note over the print query (DMZal->QTlac), in the price mode the
// query was filled with.
#pragma once

#include "platform/report/QuickRep.h"

class TEDListQRRep : public TQuickRep {
public:
    TEDListQRRep();
};
