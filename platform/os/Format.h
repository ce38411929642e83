// Number, date and text formatting in the program's own format languages (display formats such as
// "# ##0.00" and #0"/"0000, date formats such as "dd.mm.yyyy", printf-like "%6.6d"), and the lenient
// conversions of typed text. Numbers a person reads use FormatSettings(); SQL and files use the C locale.
#pragma once

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

struct TFormatSettings {
    QChar DecimalSeparator = QLatin1Char(',');
    QChar ThousandSeparator = QChar(0x00A0);
    QChar DateSeparator = QLatin1Char('.');
    QChar TimeSeparator = QLatin1Char(':');
    QString ShortDateFormat = QStringLiteral("d.m.yyyy"); // in the date-format language below
    QString LongTimeFormat = QStringLiteral("h:nn:ss");
    QString CurrencyString = QStringLiteral("€");
    int CurrencyFormat = 3; // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"
    int NegCurrFormat = 8;  // the Windows numbering of negative money layouts; 8 is "-1 $"
    int CurrencyDecimals = 2;
    QStringList ShortMonthNames, LongMonthNames; // 12 each
    QStringList ShortDayNames, LongDayNames;     // 7 each, Sunday first
};

// The settings in force; filled with Slovak defaults, then from the user's locale at start; tests set them.
TFormatSettings &FormatSettings();
void LoadFormatSettingsFromLocale(const QLocale &locale);
// The Slovak defaults (what FormatSettings() starts with); tests restore them.
TFormatSettings SlovakFormatSettings();
// Settings of files and SQL: a point, no grouping, '-' between ISO date parts; for "%15.5f" in exports.
const TFormatSettings &InvariantFormatSettings();

// Display formats: sections split by ';' (positive;negative;zero), '0' digit, '#' optional digit, '.' the
// decimal point, ',' thousands grouping, "..." and '...' literals, other characters literal.
// FormatFloat("#0\"/\"0000", 260045) == "26/0045"; FormatFloat("# ##0.00", 1234.5) == "1 234,50".
QString FormatFloat(const QString &format, double value);
QString FormatFloat(const QString &format, double value, const TFormatSettings &settings);
// Money in the FormatSettings() currency layout with CurrencyDecimals.
QString FormatCurr(double value);
// Date formats: d dd ddd dddd m mm mmm mmmm yy yyyy h hh n nn s ss z zzz am/pm, "/" the date separator,
// ":" the time separator, quoted literals. "c" gives the short date (and time when not midnight).
QString FormatDateTime(const QString &format, const QDateTime &value);
QString FormatDateTime(const QString &format, const QDate &value);
QString FormatDateTime(const QString &format, const QDateTime &value, const TFormatSettings &settings);
// The date in ShortDateFormat, the time in LongTimeFormat.
QString DateToStr(const QDate &value);
QString TimeToStr(const QTime &value);
// printf-like: %d %u %x %s %f %e %g %n %m with width, precision ("%6.6d", "%-10s", "%.2f"), "%%";
// %f %n %m use FormatSettings() separators, %m the money layout.
QString Format(const QString &format, const QVariantList &args);
QString Format(const QString &format, const QVariantList &args, const TFormatSettings &settings);
// Shortest text of a double with up to 15 significant digits in FormatSettings().
QString FloatToStr(double value);
QString FloatToStr(double value, const TFormatSettings &settings);
QString IntToStr(qint64 value);

// Lenient conversions of typed text. Blanks and thousands separators are skipped; both ',' and '.' are
// taken as the decimal separator. The Str* forms throw EConvertError with a Slovak message.
bool TryStrToInt(const QString &text, qint64 &value);
qint64 StrToInt(const QString &text);
int StrToIntDef(const QString &text, int fallback);
bool TryStrToFloat(const QString &text, double &value);
double StrToFloat(const QString &text);
double StrToFloatDef(const QString &text, double fallback);
// Day and month of 1 or 2 digits, year of 2 or 4 digits (2 digits widened into 1950..2049), any of
// . / - as separators; a missing year is the current year.
bool TryStrToDate(const QString &text, QDate &value);
QDate StrToDate(const QString &text);

// Rounds half to even at the given number of decimals (1.125 -> 1.12, 1.135 -> 1.14 at 2 decimals),
// robust against binary representation (2.675 -> 2.68 as written in decimal).
double RoundHalfEven(double value, int decimals);

// C-locale number text for SQL and files: a point, no grouping, up to 15 significant digits.
QString FloatToSql(double value);
