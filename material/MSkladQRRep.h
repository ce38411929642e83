// TMSkladQRRep: the stock list as of a date: every store row with its quantity in store, in production
// and at repair, its value and unit price, row by row in store and item order, with the totals.
#pragma once

#include "platform/report/QuickRep.h"

class QDate;
class TQRLabel;

class TMSkladQRRep : public TQuickRep {
public:
    TMSkladQRRep();
    // "Súpis skladových zásob k" the date.
    void SetDate(const QDate &date);

private:
    TQRLabel *title_;
};
