// The program's masked edits: TxMaskEdit, and the fixed shapes of a product number (TmeC_VYR, mask from
// the settings file) and a date (TmeDATUM).
#pragma once

#include "platform/ui/DateEdit.h"
#include "platform/ui/MaskEdit.h"

class TxMaskEdit : public TMaskEdit {
    Q_OBJECT
public:
    explicit TxMaskEdit(QWidget *parent = nullptr);
};

// Product-number edit: upper case, the product-number mask in force when it is made.
class TmeC_VYR : public TxMaskEdit {
    Q_OBJECT
public:
    explicit TmeC_VYR(QWidget *parent = nullptr);
};

// Date edit: day and month of one or two digits, the century 20 fixed, two year digits ("2027" may be
// typed in full). A date that does not exist is refused on leaving; F4 opens the calendar.
class TmeDATUM : public TDateEdit {
    Q_OBJECT
public:
    explicit TmeDATUM(QWidget *parent = nullptr);
    static const QString DateMask;
};

// The product-number mask (settings file, section Masks, key c_vyr), set once when the program starts;
// empty means no mask.
const QString &ProductNumberMask();
void SetProductNumberMask(const QString &mask);

// True while the edit shows only its mask's literals and blanks.
bool IsMaskEditEmpty(const TMaskEdit *edit);
