#include "xDBComboBox.h"

#include "platform/db/Field.h"

TxDBComboBox::TxDBComboBox(QWidget *parent) : TDBComboBox(parent)
{
    SetStyle(csDropDownList);
    resize(width(), 21);
}

namespace {
// Where code and text part: the first "=", else the first "-", else the first ":"; -1 without one.
int separatorOf(const QString &line)
{
    for (QChar sep : {QLatin1Char('='), QLatin1Char('-'), QLatin1Char(':')}) {
        const int at = int(line.indexOf(sep));
        if (at >= 0)
            return at;
    }
    return -1;
}
} // namespace

QString TxDBComboBox::CodeLine(const QString &line)
{
    const int at = separatorOf(line);
    return at >= 0 ? line.left(at) + QLatin1Char('-') + line.mid(at + 1) : QLatin1Char('-') + line;
}

QString TxDBComboBox::LineCode(const QString &line)
{
    const int at = separatorOf(line);
    return at >= 0 ? line.left(at) : QString();
}

void TxDBComboBox::SetItems2(const QStringList &lines)
{
    items2_.clear();
    codes_.clear();
    for (const QString &line : lines) {
        items2_ << CodeLine(line);
        // Split where the line itself parts: "PN-1=Práceneschopnosť" stores PN-1.
        codes_ << LineCode(line);
    }
    // The list shows the whole lines; the codes are what the field sees.
    SetItems(items2_);
}

void TxDBComboBox::ShowField()
{
    TField *f = Field();
    // CHAR codes arrive blank-padded; the list's codes are compared without the blanks.
    const QString code = f && !f->IsNull() ? f->AsString().trimmed() : QString();
    int index = -1;
    if (f && !f->IsNull())
        for (int i = 0; i < codes_.size() && index < 0; ++i)
            if (codes_[i].trimmed() == code)
                index = i;
    setCurrentIndex(index);
}

void TxDBComboBox::WriteField()
{
    const int index = currentIndex();
    if (index >= 0 && index < codes_.size())
        Field()->SetText(codes_[index]);
}
