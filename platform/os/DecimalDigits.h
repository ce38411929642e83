// A double as decimal digits (0.d1d2d3... x 10^Exponent), rounded on its decimal text rather than on its
// binary value, so that 2.675 rounds as written; the formatters and RoundHalfEven share it.
#pragma once

#include <QByteArray>
#include <QString>

struct TDecimalDigits {
    bool Negative = false;
    QByteArray Digits;    // significant digits without leading or trailing zeros; empty for zero
    int Exponent = 0;     // value = 0.Digits * 10^Exponent
    bool Special = false; // NaN or infinity; Text holds its name
    QString Text;

    // The value with at most 15 significant digits (what a double holds reliably).
    static TDecimalDigits FromDouble(double value, int significant = 15);

    enum class Rounding { HalfAwayFromZero, HalfEven };
    // Rounds to the given number of decimals (negative: to tens, hundreds ...).
    void RoundTo(int decimals, Rounding mode);
    bool IsZero() const { return Digits.isEmpty(); }

    // Digits of the integer part (empty for a value below 1), of the first count decimals (zero padded).
    QByteArray IntegerDigits() const;
    QByteArray FractionDigits(int count) const;
    // Plain text with a point, no grouping, no exponent, no trailing zeros ("-12.5", "0").
    QByteArray PlainText() const;
    double ToDouble() const;
};
