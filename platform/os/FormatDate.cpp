// FormatDateTime in the date-format language, and the lenient reading of typed dates.
#include "Clock.h"
#include "Exception.h"
#include "Format.h"

namespace {

QString pad(int value, int width)
{
    return QString::number(value).rightJustified(width, QLatin1Char('0'));
}

QString nameAt(const QStringList &names, int index)
{
    return index >= 0 && index < names.size() ? names[index] : QString();
}

// Whether an am/pm marker appears anywhere outside quotes: hours then count from 1 to 12.
bool hasAmPm(const QString &format)
{
    QChar quote;
    for (int i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (format.mid(i, 5).compare(QLatin1String("am/pm"), Qt::CaseInsensitive) == 0 ||
                   format.mid(i, 3).compare(QLatin1String("a/p"), Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

void formatInto(QString &out, const QString &format, const QDateTime &value, const TFormatSettings &fs, int depth)
{
    const QDate date = value.date();
    const QTime time = value.time();
    const bool twelve = hasAmPm(format);
    const int n = int(format.size());
    QChar lastLetter; // the previous specifier: 'm' after 'h' means minutes
    int i = 0;
    while (i < n) {
        const QChar c = format[i];
        const QChar lower = c.toLower();
        int count = 1;
        while (i + count < n && format[i + count].toLower() == lower)
            ++count;
        switch (lower.unicode()) {
        case '"':
        case '\'': {
            const int end = int(format.indexOf(c, i + 1));
            out += format.mid(i + 1, end < 0 ? -1 : end - i - 1);
            i = end < 0 ? n : end + 1;
            continue;
        }
        case 'c':
            if (depth < 2) {
                formatInto(out, fs.ShortDateFormat, value, fs, depth + 1);
                if (time != QTime(0, 0)) {
                    out += QLatin1Char(' ');
                    formatInto(out, fs.LongTimeFormat, value, fs, depth + 1);
                }
            }
            count = 1;
            break;
        case 'd':
            if (count <= 2)
                out += pad(date.day(), count);
            else if (count == 3)
                out += nameAt(fs.ShortDayNames, date.dayOfWeek() % 7);
            else if (count == 4)
                out += nameAt(fs.LongDayNames, date.dayOfWeek() % 7);
            else if (depth < 2)
                formatInto(out, count == 5 ? fs.ShortDateFormat : QStringLiteral("d. mmmm yyyy"), value, fs, depth + 1);
            break;
        case 'm':
            if (lastLetter == QLatin1Char('h') && count <= 2)
                out += pad(time.minute(), count);
            else if (count <= 2)
                out += pad(date.month(), count);
            else
                out += nameAt(count == 3 ? fs.ShortMonthNames : fs.LongMonthNames, date.month() - 1);
            break;
        case 'y':
            out += count <= 2 ? pad(date.year() % 100, 2) : pad(date.year(), 4);
            break;
        case 'h': {
            count = std::min(count, 2);
            int hour = time.hour();
            if (twelve) {
                hour %= 12;
                if (hour == 0)
                    hour = 12;
            }
            out += pad(hour, count);
            break;
        }
        case 'n':
            count = std::min(count, 2);
            out += pad(time.minute(), count);
            break;
        case 's':
            count = std::min(count, 2);
            out += pad(time.second(), count);
            break;
        case 'z':
            count = count >= 3 ? 3 : 1;
            out += pad(time.msec(), count);
            break;
        case 't':
            count = std::min(count, 2);
            if (depth < 2)
                formatInto(out, count == 1 ? QStringLiteral("h:nn") : fs.LongTimeFormat, value, fs, depth + 1);
            break;
        case 'a':
            if (format.mid(i, 5).compare(QLatin1String("am/pm"), Qt::CaseInsensitive) == 0) {
                const QString marker = format.mid(i + (time.hour() < 12 ? 0 : 3), 2);
                out += marker;
                i += 5;
                continue;
            }
            if (format.mid(i, 3).compare(QLatin1String("a/p"), Qt::CaseInsensitive) == 0) {
                out += format[i + (time.hour() < 12 ? 0 : 2)];
                i += 3;
                continue;
            }
            out += c;
            count = 1;
            break;
        case '/':
            out += fs.DateSeparator;
            count = 1;
            break;
        case ':':
            out += fs.TimeSeparator;
            count = 1;
            break;
        default:
            out += c;
            count = 1;
            break;
        }
        if (c.isLetter())
            lastLetter = lower;
        i += count;
    }
}

// Position of day, month and year in the short date format: "dmy", "mdy" or "ymd".
QString dateOrder(const TFormatSettings &fs)
{
    QString order;
    for (QChar c : fs.ShortDateFormat) {
        const QChar l = c.toLower();
        if ((l == QLatin1Char('d') || l == QLatin1Char('m') || l == QLatin1Char('y')) && !order.contains(l))
            order += l;
    }
    return order.size() == 3 ? order : QStringLiteral("dmy");
}

} // namespace

QString FormatDateTime(const QString &format, const QDateTime &value, const TFormatSettings &settings)
{
    if (!value.isValid() && !value.date().isValid())
        return {};
    QString out;
    formatInto(out, format.isEmpty() ? QStringLiteral("c") : format, value, settings, 0);
    return out;
}

QString FormatDateTime(const QString &format, const QDateTime &value)
{
    return FormatDateTime(format, value, FormatSettings());
}

QString FormatDateTime(const QString &format, const QDate &value)
{
    if (!value.isValid())
        return {};
    // Only the date and time fields are formatted: a fixed-offset value spares the time-zone look-up.
    return FormatDateTime(format, QDateTime(value, QTime(0, 0), Qt::UTC), FormatSettings());
}

QString DateToStr(const QDate &value)
{
    return FormatDateTime(FormatSettings().ShortDateFormat, value);
}

QString TimeToStr(const QTime &value)
{
    if (!value.isValid())
        return {};
    return FormatDateTime(FormatSettings().LongTimeFormat, QDateTime(QDate(2000, 1, 1), value, Qt::UTC));
}

bool TryStrToDate(const QString &text, QDate &value)
{
    // Blanks are skipped ("1. 2. 2026"); '.', '/', '-' and the date separator divide the parts.
    const QChar sep = FormatSettings().DateSeparator;
    QStringList parts;
    QString current;
    bool lastWasSeparator = true;
    for (QChar c : text) {
        if (c.isSpace())
            continue;
        if (c.isDigit()) {
            current += c;
            lastWasSeparator = false;
        } else if (c == QLatin1Char('.') || c == QLatin1Char('/') || c == QLatin1Char('-') || c == sep) {
            if (lastWasSeparator)
                return false;
            parts << current;
            current.clear();
            lastWasSeparator = true;
        } else {
            return false;
        }
    }
    if (!current.isEmpty())
        parts << current;
    if (parts.size() < 2 || parts.size() > 3)
        return false;

    QString order = dateOrder(FormatSettings());
    if (parts.size() == 3 && parts[0].size() == 4)
        order = QStringLiteral("ymd"); // ISO yyyy-mm-dd in any locale
    if (parts.size() == 2)
        order.remove(QLatin1Char('y'));
    int day = 0, month = 0, year = Date().year();
    for (int i = 0; i < parts.size(); ++i) {
        const QString &p = parts[i];
        const int number = p.toInt();
        switch (order[i].unicode()) {
        case 'd':
            if (p.size() > 2)
                return false;
            day = number;
            break;
        case 'm':
            if (p.size() > 2)
                return false;
            month = number;
            break;
        default:
            if (p.size() == 2)
                year = number < 50 ? 2000 + number : 1900 + number;
            else if (p.size() == 4 && number > 0)
                year = number;
            else
                return false;
        }
    }
    const QDate date(year, month, day);
    if (!date.isValid())
        return false;
    value = date;
    return true;
}

QDate StrToDate(const QString &text)
{
    QDate value;
    if (!TryStrToDate(text, value))
        throw EConvertError(QStringLiteral("'%1' nie je platný dátum").arg(text));
    return value;
}
