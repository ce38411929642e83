#include "DecimalDigits.h"

#include <cmath>

TDecimalDigits TDecimalDigits::FromDouble(double value, int significant)
{
    TDecimalDigits d;
    if (std::isnan(value) || std::isinf(value)) {
        d.Special = true;
        d.Negative = value < 0;
        d.Text = std::isnan(value) ? QStringLiteral("NAN") : value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
        return d;
    }
    d.Negative = std::signbit(value);
    if (value == 0) {
        d.Negative = false;
        return d;
    }
    // "d.ddddde+XX": QByteArray::number is independent of the process locale.
    const QByteArray text = QByteArray::number(std::fabs(value), 'e', significant - 1);
    const qsizetype e = text.indexOf('e');
    QByteArray digits;
    for (qsizetype i = 0; i < e; ++i)
        if (text[i] != '.')
            digits += text[i];
    d.Exponent = text.mid(e + 1).toInt() + 1;
    while (!digits.isEmpty() && digits.endsWith('0'))
        digits.chop(1);
    d.Digits = digits;
    return d;
}

void TDecimalDigits::RoundTo(int decimals, Rounding mode)
{
    if (Special || Digits.isEmpty())
        return;
    const int keep = Exponent + decimals; // digits that stay
    if (keep >= Digits.size())
        return;
    if (keep < 0) {
        Digits.clear();
        Exponent = 0;
        Negative = false;
        return;
    }
    const char first = Digits[keep];
    bool up = false;
    if (first > '5') {
        up = true;
    } else if (first == '5') {
        const bool moreAfter = keep + 1 < Digits.size(); // trailing zeros are already stripped
        if (mode == Rounding::HalfAwayFromZero || moreAfter)
            up = true;
        else
            up = keep > 0 && ((Digits[keep - 1] - '0') % 2 == 1);
    }
    Digits.truncate(keep);
    if (up) {
        int i = keep - 1;
        while (i >= 0 && Digits[i] == '9') {
            Digits[i] = '0';
            --i;
        }
        if (i >= 0) {
            Digits[i] = char(Digits[i] + 1);
        } else {
            Digits.prepend('1');
            ++Exponent;
        }
    }
    while (!Digits.isEmpty() && Digits.endsWith('0'))
        Digits.chop(1);
    if (Digits.isEmpty()) {
        Exponent = 0;
        Negative = false;
    }
}

QByteArray TDecimalDigits::IntegerDigits() const
{
    if (Exponent <= 0 || Digits.isEmpty())
        return {};
    QByteArray out = Digits.left(Exponent);
    while (out.size() < Exponent)
        out += '0';
    return out;
}

QByteArray TDecimalDigits::FractionDigits(int count) const
{
    QByteArray out;
    for (int j = 0; j < count; ++j) {
        const int index = Exponent + j; // position of the (j+1)-th decimal in Digits
        out += (index >= 0 && index < Digits.size()) ? Digits[index] : '0';
    }
    return out;
}

QByteArray TDecimalDigits::PlainText() const
{
    if (Special)
        return Text.toLatin1();
    if (Digits.isEmpty())
        return "0";
    QByteArray integer = IntegerDigits();
    if (integer.isEmpty())
        integer = "0";
    const int decimals = Digits.size() - Exponent;
    QByteArray out = Negative ? "-" + integer : integer;
    if (decimals > 0)
        out += '.' + FractionDigits(decimals);
    return out;
}

double TDecimalDigits::ToDouble() const
{
    return PlainText().toDouble();
}
