// Fills the format settings from a Qt locale: separators, short date format, money layout, names.
#include "Format.h"

namespace {

// Qt's date pattern ("d. M. yyyy", "M/d/yy", "yyyy-MM-dd") in the date-format language: "/" for the date
// separator (its trailing blank dropped), two-digit years widened, literals quoted.
QString convertDatePattern(const QString &pattern, QChar &separator)
{
    QString out;
    separator = QChar();
    const int n = int(pattern.size());
    int i = 0;
    while (i < n) {
        const QChar c = pattern[i];
        if (c == QLatin1Char('\'')) {
            const int end = int(pattern.indexOf(QLatin1Char('\''), i + 1));
            const QString literal = pattern.mid(i + 1, end < 0 ? -1 : end - i - 1);
            if (!literal.isEmpty())
                out += QLatin1Char('"') + literal + QLatin1Char('"');
            i = end < 0 ? n : end + 1;
            continue;
        }
        int count = 1;
        while (i + count < n && pattern[i + count] == c)
            ++count;
        if (c == QLatin1Char('d')) {
            out += QString(std::min(count, 4), QLatin1Char('d'));
        } else if (c == QLatin1Char('M') || c == QLatin1Char('L')) {
            out += QString(std::min(count, 4), QLatin1Char('m'));
        } else if (c == QLatin1Char('y')) {
            out += QStringLiteral("yyyy");
        } else if (c.isLetter()) {
            out += QLatin1Char('"') + QString(count, c) + QLatin1Char('"');
        } else {
            // A run of separator characters between two fields.
            int j = i;
            QString run;
            while (j < n && !pattern[j].isLetter() && pattern[j] != QLatin1Char('\''))
                run += pattern[j++];
            const QString trimmed = run.trimmed();
            if (!trimmed.isEmpty() && (separator.isNull() || trimmed[0] == separator) && j < n) {
                separator = trimmed[0];
                out += QLatin1Char('/');
            } else if (!trimmed.isEmpty()) {
                out += QLatin1Char('"') + trimmed + QLatin1Char('"');
            }
            i = j;
            continue;
        }
        i += count;
    }
    return out;
}

// Qt's time pattern ("H:mm", "h:mm AP") in the date-format language with seconds: "h:nn:ss", "h:nn:ss am/pm".
QString convertTimePattern(const QString &pattern, QChar &separator)
{
    QString out;
    bool seconds = false;
    const int n = int(pattern.size());
    for (int i = 0; i < n;) {
        const QChar c = pattern[i];
        int count = 1;
        while (i + count < n && pattern[i + count] == c)
            ++count;
        if (c == QLatin1Char('H') || c == QLatin1Char('h')) {
            out += QString(std::min(count, 2), QLatin1Char('h'));
        } else if (c == QLatin1Char('m')) {
            out += QString(std::min(count, 2), QLatin1Char('n'));
            if (!seconds && !pattern.contains(QLatin1Char('s')))
                out += QLatin1Char(':') + QStringLiteral("ss");
            seconds = true;
        } else if (c == QLatin1Char('s')) {
            out += QString(std::min(count, 2), QLatin1Char('s'));
        } else if (c == QLatin1Char('A') || c == QLatin1Char('a')) {
            out += QStringLiteral("am/pm");
        } else if (c == QLatin1Char('t') || c == QLatin1Char('z') || c == QLatin1Char('\'')) {
            // time zones and quoted texts are left out
        } else if (c.isSpace()) {
            out += c;
        } else if (!c.isLetter()) {
            if (separator.isNull())
                separator = c;
            out += c == separator ? QString(QLatin1Char(':')) : QString(c);
        }
        i += count;
    }
    return out.trimmed();
}

// The Windows numbering of money layouts, found by laying out 1 and -1 in the locale.
int layoutIndex(const QString &sample, const QString &symbol, const QStringList &layouts)
{
    QString s = sample;
    s.replace(symbol, QStringLiteral("$"));
    s.replace(QChar(0x2212), QLatin1Char('-'));
    s.replace(QChar(0x00A0), QLatin1Char(' '));
    s.replace(QChar(0x202F), QLatin1Char(' '));
    s.remove(QChar(0x200E));
    s.remove(QChar(0x200F));
    return int(layouts.indexOf(s));
}

} // namespace

void LoadFormatSettingsFromLocale(const QLocale &locale)
{
    TFormatSettings &fs = FormatSettings();
    fs.DecimalSeparator = locale.decimalPoint().isEmpty() ? QLatin1Char(',') : locale.decimalPoint()[0];
    const QString group = locale.groupSeparator();
    fs.ThousandSeparator = group.isEmpty() ? QChar() : group[0];

    QChar separator;
    const QString shortDate = convertDatePattern(locale.dateFormat(QLocale::ShortFormat), separator);
    if (!shortDate.isEmpty())
        fs.ShortDateFormat = shortDate;
    if (!separator.isNull())
        fs.DateSeparator = separator;
    QChar timeSeparator;
    const QString timeFormat = convertTimePattern(locale.timeFormat(QLocale::ShortFormat), timeSeparator);
    if (!timeSeparator.isNull())
        fs.TimeSeparator = timeSeparator;
    if (!timeFormat.isEmpty())
        fs.LongTimeFormat = timeFormat;

    const QString symbol = locale.currencySymbol(QLocale::CurrencySymbol);
    if (!symbol.isEmpty())
        fs.CurrencyString = symbol;
    const QString one = locale.toCurrencyString(1.0, symbol, 0);
    const QString minusOne = locale.toCurrencyString(-1.0, symbol, 0);
    const int positive = layoutIndex(
        one, symbol, {QStringLiteral("$1"), QStringLiteral("1$"), QStringLiteral("$ 1"), QStringLiteral("1 $")});
    const int negative =
        layoutIndex(minusOne, symbol,
                    {QStringLiteral("($1)"), QStringLiteral("-$1"), QStringLiteral("$-1"), QStringLiteral("$1-"),
                     QStringLiteral("(1$)"), QStringLiteral("-1$"), QStringLiteral("1-$"), QStringLiteral("1$-"),
                     QStringLiteral("-1 $"), QStringLiteral("-$ 1"), QStringLiteral("1 $-"), QStringLiteral("$ 1-"),
                     QStringLiteral("$ -1"), QStringLiteral("1- $"), QStringLiteral("($ 1)"), QStringLiteral("(1 $)")});
    if (positive >= 0)
        fs.CurrencyFormat = positive;
    // Qt's data gives some locales the accounting form "(1 $)"; a person types and reads a minus sign.
    static const int signedForm[4] = {1, 5, 9, 8};
    if (negative >= 0 && (negative == 0 || negative == 4 || negative == 14 || negative == 15) && positive >= 0)
        fs.NegCurrFormat = signedForm[positive];
    else if (negative >= 0)
        fs.NegCurrFormat = negative;
    fs.CurrencyDecimals = 2;

    QStringList shortMonths, longMonths, shortDays, longDays;
    for (int m = 1; m <= 12; ++m) {
        shortMonths << locale.standaloneMonthName(m, QLocale::ShortFormat);
        longMonths << locale.standaloneMonthName(m, QLocale::LongFormat);
    }
    for (int d = 0; d < 7; ++d) { // Sunday first; Qt counts Monday as 1 and Sunday as 7
        const int qtDay = d == 0 ? 7 : d;
        shortDays << locale.standaloneDayName(qtDay, QLocale::ShortFormat);
        longDays << locale.standaloneDayName(qtDay, QLocale::LongFormat);
    }
    if (!longMonths.first().isEmpty()) {
        fs.ShortMonthNames = shortMonths;
        fs.LongMonthNames = longMonths;
        fs.ShortDayNames = shortDays;
        fs.LongDayNames = longDays;
    }
}
