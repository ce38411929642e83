#include "Format.h"

#include "DecimalDigits.h"
#include "FormatInternal.h"

#include <cmath>

namespace {

TFormatSettings makeSlovak()
{
    TFormatSettings s;
    s.ShortMonthNames = {QStringLiteral("jan"), QStringLiteral("feb"), QStringLiteral("mar"), QStringLiteral("apr"),
                         QStringLiteral("máj"), QStringLiteral("jún"), QStringLiteral("júl"), QStringLiteral("aug"),
                         QStringLiteral("sep"), QStringLiteral("okt"), QStringLiteral("nov"), QStringLiteral("dec")};
    s.LongMonthNames = {QStringLiteral("január"),  QStringLiteral("február"),  QStringLiteral("marec"),
                        QStringLiteral("apríl"),   QStringLiteral("máj"),      QStringLiteral("jún"),
                        QStringLiteral("júl"),     QStringLiteral("august"),   QStringLiteral("september"),
                        QStringLiteral("október"), QStringLiteral("november"), QStringLiteral("december")};
    s.ShortDayNames = {QStringLiteral("ne"), QStringLiteral("po"), QStringLiteral("ut"), QStringLiteral("st"),
                       QStringLiteral("št"), QStringLiteral("pi"), QStringLiteral("so")};
    s.LongDayNames = {QStringLiteral("nedeľa"), QStringLiteral("pondelok"), QStringLiteral("utorok"),
                      QStringLiteral("streda"), QStringLiteral("štvrtok"),  QStringLiteral("piatok"),
                      QStringLiteral("sobota")};
    return s;
}

bool isDigitPlaceholder(QChar c)
{
    return c == QLatin1Char('0') || c == QLatin1Char('#');
}

// Splits a display format into its ';' sections; quoted text may hold ';'.
QStringList splitSections(const QString &format)
{
    QStringList sections;
    QString current;
    QChar quote;
    for (QChar c : format) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (c == QLatin1Char(';')) {
            sections << current;
            current.clear();
            continue;
        }
        current += c;
    }
    sections << current;
    return sections;
}

// What the digit placeholders of one section ask for.
struct SectionLayout {
    int placeholders = 0;
    int decimalIndex = -1; // placeholders before the decimal point
    int firstZero = -1;    // index of the first '0' placeholder
    int lastZero = 0;      // index after the last '0' placeholder
    bool grouping = false;
    int integerMinimum() const { return firstZero >= 0 && firstZero < decimalIndex ? decimalIndex - firstZero : 0; }
    int fractionMinimum() const { return lastZero > decimalIndex ? lastZero - decimalIndex : 0; }
    int fractionPlaces() const { return placeholders - decimalIndex; }
};

SectionLayout scanSection(const QString &section)
{
    SectionLayout l;
    QChar quote;
    for (QChar c : section) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (c == QLatin1Char('0')) {
            if (l.firstZero < 0)
                l.firstZero = l.placeholders;
            ++l.placeholders;
            l.lastZero = l.placeholders;
        } else if (c == QLatin1Char('#')) {
            ++l.placeholders;
        } else if (c == QLatin1Char('.')) {
            if (l.decimalIndex < 0)
                l.decimalIndex = l.placeholders;
        } else if (c == QLatin1Char(',')) {
            l.grouping = true;
        }
    }
    if (l.decimalIndex < 0)
        l.decimalIndex = l.placeholders;
    return l;
}

QString applySection(const QString &section, const SectionLayout &l, const TDecimalDigits &d, bool minus,
                     const TFormatSettings &fs)
{
    QByteArray integer = d.IntegerDigits();
    while (integer.size() < l.integerMinimum())
        integer.prepend('0');
    QByteArray fraction = d.FractionDigits(l.fractionPlaces());
    while (fraction.size() > l.fractionMinimum() && fraction.endsWith('0'))
        fraction.chop(1);

    QString out;
    if (minus)
        out += QLatin1Char('-');
    const int intLen = int(integer.size());
    auto putIntegerDigit = [&](int i) { // i: index into integer
        out += QLatin1Char(integer[i]);
        const int right = intLen - 1 - i;
        if (l.grouping && right > 0 && right % 3 == 0)
            out += fs.ThousandSeparator;
    };
    int index = 0;
    bool pointDone = false;
    auto putPoint = [&] {
        if (pointDone)
            return;
        pointDone = true;
        if (l.decimalIndex == 0) // no integer placeholder: the integer digits go before the point
            for (int i = 0; i < intLen; ++i)
                putIntegerDigit(i);
        if (!fraction.isEmpty())
            out += fs.DecimalSeparator;
    };
    QChar quote;
    for (QChar c : section) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            else
                out += c;
            continue;
        }
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (isDigitPlaceholder(c)) {
            if (index < l.decimalIndex) {
                const int position = l.decimalIndex - index; // 1 = just before the point
                if (index == 0)
                    for (int i = 0; i < intLen - position; ++i)
                        putIntegerDigit(i);
                if (position <= intLen)
                    putIntegerDigit(intLen - position);
            } else {
                if (index == l.decimalIndex)
                    putPoint();
                const int j = index - l.decimalIndex;
                if (j < fraction.size())
                    out += QLatin1Char(fraction[j]);
            }
            ++index;
        } else if (c == QLatin1Char('.')) {
            if (index == l.decimalIndex)
                putPoint();
        } else if (c == QLatin1Char(',')) {
            // grouping switch only
        } else {
            out += c;
        }
    }
    if (!pointDone && l.decimalIndex == 0)
        putPoint();
    return out;
}

QString groupDigits(const QByteArray &integer, QChar separator)
{
    QString out;
    const int n = int(integer.size());
    for (int i = 0; i < n; ++i) {
        out += QLatin1Char(integer[i]);
        const int right = n - 1 - i;
        if (right > 0 && right % 3 == 0 && !separator.isNull())
            out += separator;
    }
    return out;
}

} // namespace

TFormatSettings SlovakFormatSettings()
{
    return makeSlovak();
}

TFormatSettings &FormatSettings()
{
    static TFormatSettings settings = makeSlovak();
    return settings;
}

const TFormatSettings &InvariantFormatSettings()
{
    static const TFormatSettings settings = [] {
        TFormatSettings s = makeSlovak();
        s.DecimalSeparator = QLatin1Char('.');
        s.ThousandSeparator = QChar();
        s.DateSeparator = QLatin1Char('-');
        s.ShortDateFormat = QStringLiteral("yyyy/mm/dd");
        s.LongTimeFormat = QStringLiteral("hh:nn:ss");
        return s;
    }();
    return settings;
}

// Fixed-point text rounded half away from zero; thousands grouping when separator is given.
QString FixedText(double value, int decimals, const TFormatSettings &fs, bool grouping)
{
    TDecimalDigits d = TDecimalDigits::FromDouble(value);
    if (d.Special)
        return d.Text;
    d.RoundTo(decimals, TDecimalDigits::Rounding::HalfAwayFromZero);
    QByteArray integer = d.IntegerDigits();
    if (integer.isEmpty())
        integer = "0";
    QString out = d.Negative ? QStringLiteral("-") : QString();
    out += grouping ? groupDigits(integer, fs.ThousandSeparator) : QString::fromLatin1(integer);
    if (decimals > 0)
        out += fs.DecimalSeparator + QString::fromLatin1(d.FractionDigits(decimals));
    return out;
}

QString FormatFloat(const QString &format, double value, const TFormatSettings &fs)
{
    if (format.isEmpty())
        return FloatToStr(value, fs);
    TDecimalDigits probe = TDecimalDigits::FromDouble(value);
    if (probe.Special)
        return probe.Text;
    const QStringList sections = splitSections(format);
    auto sectionOrFirst = [&](int i) { return i < sections.size() && !sections[i].isEmpty() ? i : 0; };

    int chosen = value > 0 ? 0 : value < 0 ? sectionOrFirst(1) : sectionOrFirst(2);
    SectionLayout layout = scanSection(sections[chosen]);
    TDecimalDigits d = probe;
    d.RoundTo(layout.fractionPlaces(), TDecimalDigits::Rounding::HalfAwayFromZero);
    if (d.IsZero() && value != 0) {
        // A value that shows as zero takes the zero section, and never a minus sign.
        chosen = sectionOrFirst(2);
        layout = scanSection(sections[chosen]);
        d = TDecimalDigits();
    }
    const bool minus = d.Negative && chosen == 0;
    return applySection(sections[chosen], layout, d, minus, fs);
}

QString FormatFloat(const QString &format, double value)
{
    return FormatFloat(format, value, FormatSettings());
}

QString CurrencyText(double value, int decimals, const TFormatSettings &fs)
{
    const QString number = FixedText(std::fabs(value), decimals, fs, true);
    const QString &cur = fs.CurrencyString;
    const QString sp = QStringLiteral(" ");
    TDecimalDigits d = TDecimalDigits::FromDouble(value);
    d.RoundTo(decimals, TDecimalDigits::Rounding::HalfAwayFromZero);
    if (!d.Negative) {
        switch (fs.CurrencyFormat) {
        case 0:
            return cur + number;
        case 1:
            return number + cur;
        case 2:
            return cur + sp + number;
        default:
            return number + sp + cur;
        }
    }
    const QString m = QStringLiteral("-");
    switch (fs.NegCurrFormat) {
    case 0:
        return QLatin1Char('(') + cur + number + QLatin1Char(')');
    case 1:
        return m + cur + number;
    case 2:
        return cur + m + number;
    case 3:
        return cur + number + m;
    case 4:
        return QLatin1Char('(') + number + cur + QLatin1Char(')');
    case 5:
        return m + number + cur;
    case 6:
        return number + m + cur;
    case 7:
        return number + cur + m;
    case 9:
        return m + cur + sp + number;
    case 10:
        return number + sp + cur + m;
    case 11:
        return cur + sp + number + m;
    case 12:
        return cur + sp + m + number;
    case 13:
        return number + m + sp + cur;
    case 14:
        return QLatin1String("(") + cur + sp + number + QLatin1Char(')');
    case 15:
        return QLatin1Char('(') + number + sp + cur + QLatin1Char(')');
    default:
        return m + number + sp + cur; // 8
    }
}

QString FormatCurr(double value)
{
    const TFormatSettings &fs = FormatSettings();
    return CurrencyText(value, fs.CurrencyDecimals, fs);
}

QString FloatToStr(double value, const TFormatSettings &fs)
{
    TDecimalDigits d = TDecimalDigits::FromDouble(value);
    if (d.Special)
        return d.Text;
    if (d.IsZero())
        return QStringLiteral("0");
    QString out = d.Negative ? QStringLiteral("-") : QString();
    if (d.Exponent > 15 || d.Exponent < -3) {
        // 1E20, 1,5E-7: one digit before the separator, the exponent without padding
        out += QLatin1Char(d.Digits[0]);
        if (d.Digits.size() > 1)
            out += fs.DecimalSeparator + QString::fromLatin1(d.Digits.mid(1));
        out += QLatin1Char('E') + QString::number(d.Exponent - 1);
        return out;
    }
    QByteArray integer = d.IntegerDigits();
    out += integer.isEmpty() ? QStringLiteral("0") : QString::fromLatin1(integer);
    const int decimals = int(d.Digits.size()) - d.Exponent;
    if (decimals > 0)
        out += fs.DecimalSeparator + QString::fromLatin1(d.FractionDigits(decimals));
    return out;
}

QString FloatToStr(double value)
{
    return FloatToStr(value, FormatSettings());
}

QString IntToStr(qint64 value)
{
    return QString::number(value);
}

double RoundHalfEven(double value, int decimals)
{
    TDecimalDigits d = TDecimalDigits::FromDouble(value);
    if (d.Special)
        return value;
    d.RoundTo(decimals, TDecimalDigits::Rounding::HalfEven);
    return d.ToDouble();
}

QString FloatToSql(double value)
{
    return QString::fromLatin1(TDecimalDigits::FromDouble(value).PlainText());
}
