// TZakRekQRRep (global ZakRekQRRep): the printed complaint protocol, one page per protocol;
// PrintComplaint prints the current protocol of DMOdbyt.QZakRek alone.
#pragma once

#include "platform/report/QuickRep.h"

class TZakRekQRRep : public TQuickRep {
public:
    TZakRekQRRep();
};

extern TZakRekQRRep *ZakRekQRRep;

// Made on first use (logo and signature stamped, the ISO labels cleared); the print dialog over the
// current protocol alone.
void PrintComplaint();
