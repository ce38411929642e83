// TEDListyQR1Rep: the overview of delivery-note lines over the print query, grouped by the overview's
// group field, with the group and final sums.
#pragma once

#include "platform/report/QuickRep.h"

class TQRDBText;
class TQRGroup;

class TEDListyQR1Rep : public TQuickRep {
public:
    TEDListyQR1Rep();
    // Groups by the field and prints it in the group footer; detail rows on or off.
    void SetGrouping(const QString &groupField, bool details);
    TQRGroup *QRGroup = nullptr;
    TQRDBText *QRGroupField = nullptr;
};
