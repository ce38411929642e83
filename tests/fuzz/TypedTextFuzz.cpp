// Dates and numbers as people type them, and the display formats of report definitions: any text is read
// or refused, any format formats.
#include "FuzzSupport.h"

#include "platform/os/Exception.h"
#include "platform/os/Format.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzz::Start();
    const QList<QByteArray> parts = fuzz::Parts(fuzz::Bytes(data, size), 2);
    const QString typed = QString::fromUtf8(parts[0]).left(1024), format = QString::fromUtf8(parts[1]).left(256);

    QDate date;
    if (TryStrToDate(typed, date))
        fuzz::Require(date.isValid());
    else
        try {
            StrToDate(typed);
            fuzz::Require(false);
        } catch (const EConvertError &e) {
            fuzz::Require(!e.Message.isEmpty());
        }
    qint64 whole = 0;
    const bool isWhole = TryStrToInt(typed, whole);
    double number = 0;
    if (TryStrToFloat(typed, number)) {
        // A whole number reads the same as a float.
        if (isWhole && std::abs(whole) < (qint64(1) << 52))
            fuzz::Require(number == double(whole));
        // What is shown of a number reads back as that number.
        if (std::isfinite(number)) {
            double back = 0;
            fuzz::Require(TryStrToFloat(FloatToStr(number), back));
        }
    }
    StrToIntDef(typed, 0);
    StrToFloatDef(typed, 0);

    for (double value : {number, -1234.5, 0.0, 1e300, -1e-300, std::nan(""), 260045.0})
        FormatFloat(format, value);
    const QDateTime moment(date.isValid() ? date : QDate(2026, 2, 28), QTime(23, 59, 58, 999));
    FormatDateTime(format, moment);
    RoundHalfEven(number, int(whole % 40));
    return 0;
}
