// Format: the printf-like language "%[index:][-][width][.precision]type".
#include "DecimalDigits.h"
#include "Exception.h"
#include "Format.h"
#include "FormatInternal.h"

#include <QMetaType>

namespace {

[[noreturn]] void invalidFormat(const QString &format)
{
    throw EConvertError(QStringLiteral("Formát '%1' je neplatný alebo nezodpovedá argumentom").arg(format));
}

bool isNumeric(const QVariant &v)
{
    switch (v.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Bool:
        return true;
    default:
        return false;
    }
}

qint64 integerArg(const QVariant &v, const QString &format)
{
    if (!isNumeric(v))
        invalidFormat(format);
    if (v.metaType().id() == QMetaType::Double || v.metaType().id() == QMetaType::Float) {
        const double d = v.toDouble();
        if (d != double(qint64(d)))
            invalidFormat(format);
        return qint64(d);
    }
    return v.toLongLong();
}

double floatArg(const QVariant &v, const QString &format)
{
    if (!isNumeric(v))
        invalidFormat(format);
    return v.toDouble();
}

// Scientific text: one digit, the separator, precision-1 digits, "E", sign, at least three exponent digits.
QString scientificText(double value, int precision, const TFormatSettings &fs)
{
    precision = qBound(1, precision, 18);
    TDecimalDigits d = TDecimalDigits::FromDouble(value, std::min(precision, 17));
    if (d.Special)
        return d.Text;
    QByteArray digits = d.Digits;
    int exponent = d.IsZero() ? 0 : d.Exponent - 1;
    while (digits.size() < precision)
        digits += '0';
    QString out = d.Negative ? QStringLiteral("-") : QString();
    out += QLatin1Char(digits[0]);
    if (precision > 1)
        out += fs.DecimalSeparator + QString::fromLatin1(digits.mid(1, precision - 1));
    out += QLatin1Char('E');
    out += QLatin1Char(exponent < 0 ? '-' : '+');
    out += QString::number(std::abs(exponent)).rightJustified(3, QLatin1Char('0'));
    return out;
}

QString generalText(double value, int precision, const TFormatSettings &fs)
{
    TDecimalDigits d = TDecimalDigits::FromDouble(value, qBound(1, precision, 15));
    if (d.Special || d.IsZero())
        return FloatToStr(value, fs);
    return FloatToStr(d.ToDouble(), fs);
}

} // namespace

QString Format(const QString &format, const QVariantList &args, const TFormatSettings &fs)
{
    QString out;
    int next = 0;
    const int n = int(format.size());
    auto takeArg = [&](int index) -> const QVariant & {
        if (index < 0 || index >= args.size())
            invalidFormat(format);
        return args[index];
    };
    int i = 0;
    while (i < n) {
        const QChar c = format[i];
        if (c != QLatin1Char('%')) {
            out += c;
            ++i;
            continue;
        }
        if (++i >= n)
            invalidFormat(format);
        if (format[i] == QLatin1Char('%')) {
            out += QLatin1Char('%');
            ++i;
            continue;
        }
        // A number, or '*' for the next argument; -1 when absent.
        auto readNumber = [&]() -> int {
            if (i < n && format[i] == QLatin1Char('*')) {
                ++i;
                return int(integerArg(takeArg(next++), format));
            }
            int value = -1;
            while (i < n && format[i].isDigit()) {
                value = (value < 0 ? 0 : value * 10) + format[i].digitValue();
                if (value > 100000)
                    invalidFormat(format);
                ++i;
            }
            return value;
        };
        bool left = false;
        int width = -1;
        int precision = -1;
        if (format[i] != QLatin1Char('-')) {
            const int number = readNumber();
            if (i < n && format[i] == QLatin1Char(':')) {
                ++i;
                if (number < 0)
                    invalidFormat(format);
                next = number;
            } else {
                width = number;
            }
        }
        if (width < 0) {
            if (i < n && format[i] == QLatin1Char('-')) {
                left = true;
                ++i;
            }
            width = readNumber();
        }
        if (i < n && format[i] == QLatin1Char('.')) {
            ++i;
            precision = std::max(readNumber(), 0);
        }
        if (i >= n)
            invalidFormat(format);
        const QChar type = format[i].toLower();
        ++i;
        const QVariant &arg = takeArg(next++);
        QString text;
        switch (type.unicode()) {
        case 'd':
        case 'u':
        case 'x': {
            qint64 v = integerArg(arg, format);
            if (type == QLatin1Char('u') && v < 0)
                v = qint64(quint32(v)); // the 32-bit unsigned reading of a negative value
            const bool minus = v < 0;
            const quint64 magnitude = minus ? quint64(-(v + 1)) + 1 : quint64(v);
            QString digits =
                type == QLatin1Char('x') ? QString::number(quint64(v), 16).toUpper() : QString::number(magnitude);
            if (precision > 0)
                digits = digits.rightJustified(precision, QLatin1Char('0'));
            text = (minus && type == QLatin1Char('d') ? QStringLiteral("-") : QString()) + digits;
            break;
        }
        case 'f':
            text = FixedText(floatArg(arg, format), precision < 0 ? 2 : std::min(precision, 18), fs, false);
            break;
        case 'n':
            text = FixedText(floatArg(arg, format), precision < 0 ? 2 : std::min(precision, 18), fs, true);
            break;
        case 'm':
            text =
                CurrencyText(floatArg(arg, format), precision < 0 ? fs.CurrencyDecimals : std::min(precision, 18), fs);
            break;
        case 'e':
            text = scientificText(floatArg(arg, format), precision < 0 ? 15 : precision, fs);
            break;
        case 'g':
            text = generalText(floatArg(arg, format), precision < 0 ? 15 : precision, fs);
            break;
        case 's':
            text = arg.toString();
            if (precision >= 0)
                text.truncate(precision);
            break;
        default:
            invalidFormat(format);
        }
        if (width > text.size())
            text = left ? text.leftJustified(width) : text.rightJustified(width);
        out += text;
    }
    return out;
}

QString Format(const QString &format, const QVariantList &args)
{
    return Format(format, args, FormatSettings());
}
