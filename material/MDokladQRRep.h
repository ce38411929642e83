// TMDokladQRRep: the printed stock document of one movement kind, store and number: a receipt or an
// issue with its items, their quantities (issues positive), prices and values, the total and the
// signature boxes.
#pragma once

#include "platform/report/QuickRep.h"

class TQRLabel;

class TMDokladQRRep : public TQuickRep {
public:
    TMDokladQRRep();
    // "PRÍJEMKA" or "VÝDAJKA" and the kind's name.
    void SetKind(int kind);

private:
    TQRLabel *title_, *kindName_;
};
