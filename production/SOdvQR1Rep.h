// TSOdvQR1Rep (global SOdvQR1Rep): the printed list of hand-overs ("Odvody výrobkov") over DMZal.QTlac: every
// cost and price column of a hand-over, grouped by currency and by customer (or customer order) with their
// sums, and a summary that builds the resulting price up from its parts.
#pragma once

#include "platform/report/QuickRep.h"

#include <vector>

class TQRBand;
class TQRExpr;
class TQRGroup;
class TQRLabel;

class TSOdvQR1Rep : public TQuickRep {
public:
    TSOdvQR1Rep();
    ~TSOdvQR1Rep() override;
    // The customer group and its footer.
    TQRGroup *QRGroup1 = nullptr;
    TQRBand *QRBandOdberatel = nullptr;
    // The currency group (outside the customer's) and its footer.
    TQRGroup *QRGroupMena = nullptr;
    TQRBand *QRBandMena = nullptr;
    // Follows the overview's view: the sums (3-5) leave out document, job and order, the currency's columns,
    // both groups and the extras of the price; the customer sums print the customer in the product column; the
    // details group by customer (0, 1) or by customer order (2), and by currency except by date (0). The list
    // of unprinted hand-overs prints as view 1.
    void SetView(int view);

private:
    // A summary line that needs the single hand-overs.
    struct SingleOnly {
        TQRLabel *Caption;
        TQRExpr *Sum;
        QString Expression;
    };
    std::vector<SingleOnly> singleOnly_;
};

extern TSOdvQR1Rep *SOdvQR1Rep;
