// TQRTlacPreskObj (global QRTlacPreskObj): the order review sheet, the items of an order and of the same
// customer's later orders with columns left for the production's confirmation by hand.
#pragma once

#include "platform/report/QuickRep.h"

class TQRTlacPreskObj : public TQuickRep {
public:
    TQRTlacPreskObj();
};

extern TQRTlacPreskObj *QRTlacPreskObj;
