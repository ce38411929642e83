// TQRTlacVyrobky: the printed list of the products the browser shows (in its order and filter), one band
// of number, name, description, drawing, multiplicity, pattern, type, branch and issue per product.
#pragma once

#include "platform/report/QuickRep.h"

class TQRTlacVyrobky : public TQuickRep {
public:
    TQRTlacVyrobky();
};
