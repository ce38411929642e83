#include "platform/fbapi/Decode.h"
#include "platform/fbapi/Encode.h"
#include "common/DbError.h"
#include "platform/fbapi/IBError.h"

#include <ibase.h>

#include <gtest/gtest.h>

#include <array>

namespace {

// A one-column message buffer: value at 0, null flag at 16.
struct Cell {
    fb::Column col;
    std::array<unsigned char, 64> buf{};
    Cell(unsigned type, int scale = 0, unsigned length = 8)
    {
        col.type = type;
        col.scale = scale;
        col.length = length;
        col.charSet = fb::CS_WIN1250;
        col.offset = 0;
        col.nullOffset = 48;
        col.alias = QStringLiteral("P");
    }
    QVariant roundTrip(const QVariant &v)
    {
        fb::encode(col, buf.data(), v);
        return fb::decode(col, buf.data());
    }
};

struct ScaleCase {
    QVariant in;
    int scale;
    double expected;
};

class ScaledNumbers : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(ScaledNumbers, RoundHalfAwayFromZero)
{
    const ScaleCase &c = GetParam();
    SCOPED_TRACE(c.in.toString().toStdString());
    Cell cell(SQL_INT64, c.scale);
    EXPECT_DOUBLE_EQ(cell.roundTrip(c.in).toDouble(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScaledNumbers,
    ::testing::Values(ScaleCase{2.345, -2, 2.35}, ScaleCase{-2.345, -2, -2.35}, ScaleCase{2.344999, -2, 2.34},
                      ScaleCase{12.345, -2, 12.35}, ScaleCase{0.005, -2, 0.01}, ScaleCase{0.004, -2, 0.0},
                      ScaleCase{QStringLiteral(" 1 234,565 "), -2, 1234.57}, ScaleCase{QStringLiteral("-0,5"), 0, -1.0},
                      ScaleCase{QStringLiteral("1e3"), -4, 1000.0}, ScaleCase{7, -3, 7.0}, ScaleCase{1.5e-7, -4, 0.0}));

TEST(Encode, SixtyFourBitIntegersStayExact)
{
    Cell cell(SQL_INT64);
    EXPECT_EQ(cell.roundTrip(Q_INT64_C(9223372036854775807)).toLongLong(), Q_INT64_C(9223372036854775807));
    EXPECT_EQ(cell.roundTrip(QStringLiteral("-9223372036854775808")).toLongLong(), std::numeric_limits<qint64>::min());
    EXPECT_THROW(cell.roundTrip(QStringLiteral("9223372036854775808")), EIBError);
}

TEST(Encode, OutOfRangeIsAnErrorNotAWrap)
{
    Cell small(SQL_SHORT, 0, 2);
    EXPECT_EQ(small.roundTrip(-32768).toInt(), -32768);
    EXPECT_DB_ERROR(small.roundTrip(40000), .SQLCode = -802);
    Cell scaled(SQL_LONG, -2, 4);
    EXPECT_THROW(scaled.roundTrip(30000000.0), EIBError);
}

TEST(Encode, BadNumberTextSaysSoInSlovak)
{
    Cell cell(SQL_DOUBLE);
    try {
        cell.roundTrip(QStringLiteral("12x"));
        FAIL() << "no error";
    } catch (const EDatabaseError &e) {
        EXPECT_EQ(e.Message, QStringLiteral("'12x' nie je platné číslo"));
    }
    EXPECT_THROW(cell.roundTrip(QStringLiteral("1,2,3")), EDatabaseError);
    EXPECT_DOUBLE_EQ(cell.roundTrip(QStringLiteral("12,5")).toDouble(), 12.5);
    EXPECT_FALSE(cell.roundTrip(QStringLiteral("  ")).isValid()); // blank text is NULL
}

TEST(Encode, TextTooLongIsRefusedNotCut)
{
    Cell cell(SQL_VARYING, 0, 5);
    EXPECT_EQ(cell.roundTrip(QStringLiteral("Ďateľ")).toString(), QStringLiteral("Ďateľ"));
    EXPECT_THROW(cell.roundTrip(QStringLiteral("Ďatelý")), EIBError);
    Cell fixed(SQL_TEXT, 0, 4);
    EXPECT_EQ(fixed.roundTrip(42).toString(), QStringLiteral("42  "));
}

TEST(Encode, DatesAndTimes)
{
    Cell date(SQL_TYPE_DATE, 0, 4);
    EXPECT_EQ(date.roundTrip(QDate(1858, 11, 17)).toDate(), QDate(1858, 11, 17));
    EXPECT_EQ(date.roundTrip(QStringLiteral("5.3.2024")).toDate(), QDate(2024, 3, 5));
    EXPECT_EQ(date.roundTrip(QStringLiteral("2024-03-05")).toDate(), QDate(2024, 3, 5));
    EXPECT_THROW(date.roundTrip(QStringLiteral("31.2.2024")), EDatabaseError);
    Cell ts(SQL_TIMESTAMP, 0, 8);
    const QDateTime when(QDate(2023, 12, 31), QTime(23, 59, 58, 123));
    EXPECT_EQ(ts.roundTrip(when).toDateTime(), when);
}

} // namespace
