// TSMzdyQRAllForm: "Mzdy zamestnancov", the month's wage records of all employees with their sums, over
// the wage data set as the page "Mzdy všetci" has it.
#pragma once

#include "platform/report/QuickRep.h"

class TQRLabel;

class TSMzdyQRAllForm {
public:
    TSMzdyQRAllForm();
    TQuickRep Rep;
    TQRLabel *MonthLabel; // "Mzdy zamestnancov za" mm/yyyy
    void SetMonth(int year, int month);
};
