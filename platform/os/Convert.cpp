// The lenient reading of typed numbers: blanks and thousands separators skipped, ',' or '.' as the point.
#include "Exception.h"
#include "Format.h"

#include <cmath>
#include <limits>

namespace {

bool isBlank(QChar c)
{
    return c.isSpace() || c == QChar(0x00A0) || c == QChar(0x202F) || c == QChar(0x2009);
}

// The text without blanks and without the locale's thousands separator (when that is not a point or comma).
QString compact(const QString &text)
{
    const QChar group = FormatSettings().ThousandSeparator;
    const bool skipGroup = !group.isNull() && group != QLatin1Char(',') && group != QLatin1Char('.');
    QString out;
    out.reserve(text.size());
    for (QChar c : text)
        if (!isBlank(c) && !(skipGroup && c == group))
            out += c;
    return out;
}

// Whether the digits between grouping separators come in threes: "1.234.567".
bool validGroups(const QStringList &groups)
{
    if (groups.isEmpty() || groups[0].isEmpty() || groups[0].size() > 3)
        return false;
    for (int i = 1; i < groups.size(); ++i)
        if (groups[i].size() != 3)
            return false;
    return true;
}

bool allDigits(const QString &s)
{
    for (QChar c : s)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

// The value of a Try conversion, or EConvertError with the message naming the text.
template <typename T>
T convertOrThrow(bool (*tryConvert)(const QString &, T &), const QString &text, const char *message)
{
    T value{};
    if (!tryConvert(text, value))
        throw EConvertError(QString::fromUtf8(message).arg(text));
    return value;
}

} // namespace

bool TryStrToInt(const QString &text, qint64 &value)
{
    QString s = compact(text);
    bool negative = false;
    if (s.startsWith(QLatin1Char('-')) || s.startsWith(QLatin1Char('+'))) {
        negative = s[0] == QLatin1Char('-');
        s.remove(0, 1);
    }
    int base = 10;
    if (s.startsWith(QLatin1Char('$'))) {
        base = 16;
        s.remove(0, 1);
    } else if (s.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        base = 16;
        s.remove(0, 2);
    }
    if (s.isEmpty())
        return false;
    if (base == 10 && !allDigits(s)) {
        // A grouped integer such as "1.234.567" when the locale groups with a point or comma.
        const QChar group = FormatSettings().ThousandSeparator;
        if (group != QLatin1Char('.') && group != QLatin1Char(','))
            return false;
        const QStringList groups = s.split(group);
        if (groups.size() < 2 || !validGroups(groups) || !allDigits(groups.join(QString())))
            return false;
        s = groups.join(QString());
    }
    bool ok = false;
    const quint64 magnitude = s.toULongLong(&ok, base);
    if (!ok)
        return false;
    const quint64 limit =
        negative ? quint64(std::numeric_limits<qint64>::max()) + 1 : quint64(std::numeric_limits<qint64>::max());
    if (magnitude > limit)
        return false;
    value = negative ? qint64(0 - magnitude) : qint64(magnitude);
    return true;
}

qint64 StrToInt(const QString &text)
{
    return convertOrThrow(&TryStrToInt, text, "'%1' nie je platné celé číslo");
}

int StrToIntDef(const QString &text, int fallback)
{
    qint64 value = 0;
    if (!TryStrToInt(text, value) || value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return fallback;
    return int(value);
}

bool TryStrToFloat(const QString &text, double &value)
{
    QString s = compact(text);
    QString sign;
    if (s.startsWith(QLatin1Char('-')) || s.startsWith(QLatin1Char('+'))) {
        sign = s[0] == QLatin1Char('-') ? QStringLiteral("-") : QString();
        s.remove(0, 1);
    }
    QString exponent;
    const qsizetype e = s.indexOf(QLatin1Char('e'), 0, Qt::CaseInsensitive);
    if (e >= 0) {
        exponent = s.mid(e + 1);
        s.truncate(e);
        QString digits = exponent;
        if (digits.startsWith(QLatin1Char('-')) || digits.startsWith(QLatin1Char('+')))
            digits.remove(0, 1);
        if (digits.isEmpty() || !allDigits(digits))
            return false;
    }
    const qsizetype commas = s.count(QLatin1Char(','));
    const qsizetype points = s.count(QLatin1Char('.'));
    QString integer = s;
    QString fraction;
    QChar group;
    if (commas > 0 && points > 0) {
        // Both present: the last one is the decimal point, the other groups thousands.
        const qsizetype lastComma = s.lastIndexOf(QLatin1Char(','));
        const qsizetype lastPoint = s.lastIndexOf(QLatin1Char('.'));
        const QChar decimal = lastComma > lastPoint ? QLatin1Char(',') : QLatin1Char('.');
        group = decimal == QLatin1Char(',') ? QLatin1Char('.') : QLatin1Char(',');
        if (s.count(decimal) != 1)
            return false;
        const qsizetype at = s.indexOf(decimal);
        integer = s.left(at);
        fraction = s.mid(at + 1);
    } else if (commas + points == 1) {
        const qsizetype at = std::max(s.indexOf(QLatin1Char(',')), s.indexOf(QLatin1Char('.')));
        integer = s.left(at);
        fraction = s.mid(at + 1);
    } else if (commas + points > 1) {
        group = commas > 0 ? QLatin1Char(',') : QLatin1Char('.'); // "1.234.567"
    }
    if (!group.isNull() && integer.contains(group)) {
        const QStringList groups = integer.split(group);
        if (!validGroups(groups))
            return false;
        integer = groups.join(QString());
    }
    if ((integer.isEmpty() && fraction.isEmpty()) || !allDigits(integer) || !allDigits(fraction))
        return false;
    QString plain = sign + (integer.isEmpty() ? QStringLiteral("0") : integer);
    if (!fraction.isEmpty())
        plain += QLatin1Char('.') + fraction;
    if (!exponent.isEmpty())
        plain += QLatin1Char('e') + exponent;
    bool ok = false;
    const double result = plain.toLatin1().toDouble(&ok);
    if (!ok || !std::isfinite(result))
        return false;
    value = result;
    return true;
}

double StrToFloat(const QString &text)
{
    return convertOrThrow(&TryStrToFloat, text, "'%1' nie je platné číslo");
}

double StrToFloatDef(const QString &text, double fallback)
{
    double value = 0;
    return TryStrToFloat(text, value) ? value : fallback;
}
