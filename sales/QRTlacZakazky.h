// TQRTlacZakazky (global QRTlacZakazky): the list of the orders as the orders browser shows them
// (DMOdbyt.QvZakazky).
#pragma once

#include "platform/report/QuickRep.h"

class TQRTlacZakazky : public TQuickRep {
public:
    TQRTlacZakazky();
};

extern TQRTlacZakazky *QRTlacZakazky;
