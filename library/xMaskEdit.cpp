#include "xMaskEdit.h"

namespace {
QString &productNumberMask()
{
    static QString mask;
    return mask;
}
} // namespace

const QString TmeDATUM::DateMask = QStringLiteral("90/90/\\2\\000;1;_");

const QString &ProductNumberMask()
{
    return productNumberMask();
}

void SetProductNumberMask(const QString &mask)
{
    productNumberMask() = mask;
}

TxMaskEdit::TxMaskEdit(QWidget *parent) : TMaskEdit(parent)
{
    resize(width(), 21);
}

TmeC_VYR::TmeC_VYR(QWidget *parent) : TxMaskEdit(parent)
{
    CharCase = ecUpperCase;
    resize(89, height());
    SetEditMask(ProductNumberMask());
}

TmeDATUM::TmeDATUM(QWidget *parent) : TDateEdit(parent)
{
    resize(65, 21);
    SetCalendarButton(false);
    MaskWhileEditing = false;
    TypingMask = DateMask;
    SetEditMask(DateMask);
}

bool IsMaskEditEmpty(const TMaskEdit *edit)
{
    if (edit->Mask().IsEmpty())
        return edit->text().isEmpty();
    return edit->Mask().IsTextEmpty(edit->Text());
}
