// TMObjednavkaQRRep: the purchase order sent to a supplier: the order's number, the company and the
// supplier with address and IČO, the ordered items with quantities and units, the issuer, note, delivery
// date, signature and stamp, and the closing block chosen by how the order was placed.
#pragma once

#include "platform/report/QuickRep.h"

#include <vector>

class TQRLabel;

class TMObjednavkaQRRep : public TQuickRep {
public:
    TMObjednavkaQRRep();
    // The closing block's lines (PurchaseOrderClosing of how the order was placed).
    void SetClosing(const QStringList &lines);

private:
    std::vector<TQRLabel *> closing_;
};
