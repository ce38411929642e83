#include "Strings.h"

#include <QRegularExpression>

TStringList &TStringList::operator=(const TStringList &other)
{
    return *this = other.lines_;
}

TStringList &TStringList::operator=(const QStringList &lines)
{
    changing();
    lines_ = lines;
    changed();
    return *this;
}

void TStringList::SetStrings(int i, const QString &line)
{
    changing();
    lines_[i] = line;
    changed();
}

QString TStringList::Text() const
{
    QString out;
    for (const QString &l : lines_) {
        out += l;
        out += QLatin1Char('\n');
    }
    return out;
}

void TStringList::SetText(const QString &text)
{
    QStringList lines;
    if (!text.isEmpty()) {
        static const QRegularExpression breaks(QStringLiteral("\r\n|\n|\r"));
        lines = text.split(breaks);
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
    }
    *this = lines;
}

void TStringList::SetCommaText(const QString &text)
{
    *this = text.isEmpty() ? QStringList() : text.split(QLatin1Char(','));
}

int TStringList::Add(const QString &line)
{
    changing();
    lines_.append(line);
    changed();
    return int(lines_.size()) - 1;
}

void TStringList::AddStrings(const QStringList &lines)
{
    changing();
    lines_.append(lines);
    changed();
}

void TStringList::Insert(int index, const QString &line)
{
    changing();
    lines_.insert(index, line);
    changed();
}

void TStringList::Delete(int index)
{
    changing();
    lines_.removeAt(index);
    changed();
}

void TStringList::Clear()
{
    if (lines_.isEmpty())
        return;
    changing();
    lines_.clear();
    changed();
}

int TStringList::IndexOf(const QString &line) const
{
    for (int i = 0; i < lines_.size(); ++i)
        if (lines_[i].compare(line, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int TStringList::IndexOfName(const QString &name) const
{
    for (int i = 0; i < lines_.size(); ++i) {
        const int eq = lines_[i].indexOf(QLatin1Char('='));
        if (eq >= 0 && QStringView(lines_[i]).left(eq).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString TStringList::Names(int i) const
{
    const int eq = lines_[i].indexOf(QLatin1Char('='));
    return eq < 0 ? QString() : lines_[i].left(eq);
}

QString TStringList::ValueFromIndex(int i) const
{
    const int eq = lines_[i].indexOf(QLatin1Char('='));
    return eq < 0 ? QString() : lines_[i].mid(eq + 1);
}

QString TStringList::Values(const QString &name) const
{
    const int i = IndexOfName(name);
    return i < 0 ? QString() : ValueFromIndex(i);
}

void TStringList::SetValue(const QString &name, const QString &value)
{
    const int i = IndexOfName(name);
    if (value.isEmpty()) {
        if (i >= 0)
            Delete(i);
    } else if (i >= 0) {
        SetStrings(i, name + QLatin1Char('=') + value);
    } else {
        Add(name + QLatin1Char('=') + value);
    }
}

void TStringList::BeginUpdate()
{
    if (updateCount_++ == 0)
        pendingChange_ = false;
}

void TStringList::EndUpdate()
{
    if (--updateCount_ == 0 && pendingChange_) {
        pendingChange_ = false;
        if (OnChange)
            OnChange();
    }
}

void TStringList::changing()
{
    if (updateCount_ > 0) {
        if (!pendingChange_ && OnChanging)
            OnChanging();
        pendingChange_ = true;
        return;
    }
    if (OnChanging)
        OnChanging();
}

void TStringList::changed()
{
    if (updateCount_ == 0 && OnChange)
        OnChange();
}
