// TSMzdyQR1Form: "Mzdový lístok zamestnanca", one framed wage slip per employee, two columns a page,
// over the rows of MzdySql::WageSlips; FundLabel carries the month's hour fund.
#pragma once

#include "platform/report/QuickRep.h"

class TQRLabel;

class TSMzdyQR1Form {
public:
    TSMzdyQR1Form();
    TQuickRep Rep;
    TQRLabel *FundLabel;
    // A quotient of two columns, empty when the divisor is 0 (a slip without worked hours).
    static QString Quotient(const QString &dividend, const QString &divisor);
};
