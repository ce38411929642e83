// TMKartaQRRep: the stock card of a material item, one card per store that keeps it: the item's data,
// its quantity and place in that store, its free fields and description, and a tool's mould data.
#pragma once

#include "platform/report/QuickRep.h"

class TMKartaQRRep : public TQuickRep {
public:
    TMKartaQRRep();
};
