// TQRTlacIntObjBack: the back page of the internal order, a ruled frame for the hand-overs filled in by hand.
#pragma once

#include "platform/report/QuickRep.h"

class TQRTlacIntObjBack : public TQuickRep {
public:
    TQRTlacIntObjBack();
};
