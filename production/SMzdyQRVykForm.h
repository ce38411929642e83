// TSMzdyQRVykForm: "Výkony pracovníkov po operáciach", the month's performance wages per employee split
// into the operation columns of the shop, over the rows of MzdySql::WagesByOperation.
#pragma once

#include "platform/report/QuickRep.h"

class TSMzdyQRVykForm {
public:
    TSMzdyQRVykForm();
    TQuickRep Rep;
    // The columns: caption and the footer's sum; the last column is the employee's total.
    static const QList<QPair<QString, QString>> &Columns();
};
