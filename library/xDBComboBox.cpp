#include "xDBComboBox.h"

#include "platform/db/Field.h"

TxDBComboBox::TxDBComboBox(QWidget *parent) : TDBComboBox(parent)
{
    SetStyle(csDropDownList);
    resize(width(), 21);
}

QString TxDBComboBox::CodeLine(const QString &line)
{
    for (QChar sep : {QLatin1Char('='), QLatin1Char('-'), QLatin1Char(':')}) {
        const int at = line.indexOf(sep);
        if (at >= 0)
            return line.left(at) + QLatin1Char('-') + line.mid(at + 1);
    }
    return QLatin1Char('-') + line;
}

QString TxDBComboBox::CodeOf(const QString &codeLine)
{
    const int at = codeLine.indexOf(QLatin1Char('-'));
    return at >= 0 ? codeLine.left(at) : codeLine;
}

void TxDBComboBox::SetItems2(const QStringList &lines)
{
    items2_.clear();
    codes_.clear();
    for (const QString &line : lines) {
        items2_ << CodeLine(line);
        codes_ << CodeOf(items2_.last());
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
