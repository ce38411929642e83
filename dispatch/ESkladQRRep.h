// TESkladQRRep: the finished-goods inventory as of a date over DMExp.QESklad, a page per store with its
// sums; rows without stock are left out.
#pragma once

#include "platform/report/QuickRep.h"

class TQRLabel;

class TESkladQRRep : public TQuickRep {
public:
    TESkladQRRep();
    TQRLabel *QRDatum = nullptr;
};
