// TMPohybyQR1Rep: the list of stock movements ("Skladové pohyby"): the movements one by one with their
// items, quantities, prices and values, grouped by store with the store's sums and the total; or, for a
// summary, a line of value for each group of the summary's columns, with the total.
#pragma once

#include "platform/report/QuickRep.h"

#include <vector>

class TQRDBText;
class TQRExpr;
class TQRGroup;
class TQRLabel;

class TMPohybyQR1Rep : public TQuickRep {
public:
    TMPohybyQR1Rep();
    // Empty: the movements one by one. Otherwise the summary's columns, as its statement groups them
    // ("SKLAD, TYP_POHYBU, STREDISKO, TYP2").
    void SetGrouping(const QString &grouping);

private:
    struct TSlot {
        TQRLabel *caption;
        TQRDBText *value;
    };
    TQRGroup *store_;
    std::vector<TQRPrintable *> movement_; // the columns of a movement, off in a summary
    std::vector<TSlot> slots_;             // the summary's columns, off for movements
    std::vector<TQRExpr *> quantitySums_;  // a summary has no quantities to sum
};
