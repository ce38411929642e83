#include "xDBLabel.h"

#include "platform/db/Field.h"
#include "platform/os/EditMask.h"
#include "platform/os/Format.h"

TxDBLabel::TxDBLabel(QWidget *parent) : TDBText(parent)
{
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    resize(width(), 13);
}

void TxDBLabel::SetDisplayFormat(const QString &format)
{
    displayFormat_ = format;
    ShowField();
}

QString TxDBLabel::FieldText()
{
    TField *f = Field();
    if (OnGetTextProp) {
        QFont font = this->font();
        OnGetTextProp(this, f, font);
        if (font != this->font())
            setFont(font);
    }
    if (!f)
        return QString();
    if (displayFormat_.isEmpty())
        return f->DisplayText();
    // A null value shows nothing rather than a formatted zero or the zero date.
    if (f->IsNull())
        return QString();
    switch (f->DataType()) {
    case ftString:
    case ftFixedChar:
        return FormatMaskText(displayFormat_, f->AsString());
    case ftFloat:
    case ftCurrency:
    case ftBCD:
        if (displayFormat_ == QLatin1String("$"))
            return FormatCurr(f->AsFloat());
        return FormatFloat(displayFormat_, f->AsFloat());
    case ftDate:
    case ftDateTime:
        return FormatDateTime(displayFormat_, f->AsDateTime());
    default:
        return f->DisplayText();
    }
}

void TxDBLabel::ShowField()
{
    setText(FieldText());
}
