#include "Strings.h"

#include "Exception.h"

#include <algorithm>

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

void TStringList::checkIndex(int i) const
{
    if (i < 0)
        throw Exception(QStringLiteral("Riadok %1 je mimo zoznamu").arg(i));
}

const QString &TStringList::Strings(int i) const
{
    static const QString none;
    return i >= 0 && i < lines_.size() ? lines_.at(i) : none;
}

void TStringList::SetStrings(int i, const QString &line)
{
    checkIndex(i);
    changing();
    // A line past the end comes after blank lines up to it, as a clause line does in a short SQL text.
    while (lines_.size() <= i)
        lines_.append(QString());
    lines_[i] = line;
    changed();
}

QString TStringList::Text() const
{
    return text_.Get(lines_, [](const QStringList &lines) {
        QString out;
        for (const QString &l : lines) {
            out += l;
            out += QLatin1Char('\n');
        }
        return out;
    });
}

void TStringList::SetText(const QString &text)
{
    // Lines end at CR LF, LF or CR; a break at the very end opens no empty last line.
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\n') && c != QLatin1Char('\r'))
            continue;
        lines << text.mid(start, i - start);
        if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines << text.mid(start);
    *this = lines;
}

void TStringList::SetCommaText(const QString &text)
{
    *this = SplitCommaText(text);
}

QString TStringList::CommaText() const
{
    QStringList items;
    for (const QString &line : lines_) {
        const bool quote = line.isEmpty() || std::any_of(line.begin(), line.end(), [](QChar c) {
                               return c.unicode() <= 32 || c == QLatin1Char(',') || c == QLatin1Char('"');
                           });
        if (quote)
            items << QLatin1Char('"') + QString(line).replace(QStringLiteral("\""), QStringLiteral("\"\"")) +
                         QLatin1Char('"');
        else
            items << line;
    }
    return items.join(QLatin1Char(','));
}

QStringList SplitCommaText(const QString &text)
{
    QStringList items;
    const int n = int(text.size());
    auto blank = [&](int i) { return i < n && text[i].unicode() >= 1 && text[i].unicode() <= 32; };
    int i = 0;
    while (blank(i))
        ++i;
    while (i < n) {
        QString item;
        if (text[i] == QLatin1Char('"')) {
            ++i;
            while (i < n) {
                if (text[i] == QLatin1Char('"')) {
                    if (i + 1 < n && text[i + 1] == QLatin1Char('"')) {
                        item += QLatin1Char('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += text[i++];
            }
        } else {
            const int start = i;
            while (i < n && text[i].unicode() > 32 && text[i] != QLatin1Char(','))
                ++i;
            item = text.mid(start, i - start);
        }
        items << item;
        while (blank(i))
            ++i;
        if (i < n && text[i] == QLatin1Char(',')) {
            do
                ++i;
            while (blank(i));
        }
    }
    return items;
}

int TStringList::Add(const QString &line)
{
    changing();
    lines_.append(line);
    changed();
    return int(lines_.size()) - 1;
}

void TStringList::Insert(int index, const QString &line)
{
    checkIndex(index);
    changing();
    while (lines_.size() < index)
        lines_.append(QString());
    lines_.insert(index, line);
    changed();
}

void TStringList::Delete(int index)
{
    if (index < 0 || index >= lines_.size())
        return;
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
    const QString &line = Strings(i);
    const int eq = line.indexOf(QLatin1Char('='));
    return eq < 0 ? QString() : line.left(eq);
}

QString TStringList::ValueFromIndex(int i) const
{
    const QString &line = Strings(i);
    const int eq = line.indexOf(QLatin1Char('='));
    return eq < 0 ? QString() : line.mid(eq + 1);
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
