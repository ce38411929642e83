// TSOdvQR1Rep (global SOdvQR1Rep): the printed list of hand-overs ("Odvody výrobkov") over DMZal.QTlac, grouped
// by customer, with the sums of quantity, weight, costs and prices.
#pragma once

#include "platform/report/QuickRep.h"

class TQRBand;
class TQRGroup;

class TSOdvQR1Rep : public TQuickRep {
public:
    TSOdvQR1Rep();
    ~TSOdvQR1Rep() override;
    // The customer group and its footer (switched on for the list of unprinted hand-overs).
    TQRGroup *QRGroup1 = nullptr;
    TQRBand *QRBandOdberatel = nullptr;
    // Follows the overview's view: the sums (3-5) leave out document, job and order and their group, the
    // customer sums print the customer in the product column; the details group by customer (0, 1) or by
    // customer order (2). The list of unprinted hand-overs prints as view 1.
    void SetView(int view);
};

extern TSOdvQR1Rep *SOdvQR1Rep;
