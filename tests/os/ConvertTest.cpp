// Lenient reading of typed numbers and dates.
#include "platform/os/Clock.h"
#include "platform/os/Exception.h"
#include "platform/os/Format.h"

#include <gtest/gtest.h>

namespace {

class ConvertTest : public ::testing::Test {
protected:
    void SetUp() override { FormatSettings() = SlovakFormatSettings(); }
    void TearDown() override
    {
        FormatSettings() = SlovakFormatSettings();
        ClearNowForTests();
    }
};

TEST_F(ConvertTest, Integers)
{
    struct Case {
        const char *text;
        bool ok;
        qint64 value;
    };
    const Case cases[] = {
        {"12", true, 12},
        {" 42 ", true, 42},
        {"-7", true, -7},
        {"+7", true, 7},
        {"1 234", true, 1234},
        {"1\u00A0234", true, 1234},
        {"$FF", true, 255},
        {"0x1f", true, 31},
        {"9223372036854775807", true, 9223372036854775807LL},
        {"-9223372036854775808", true, qint64(-9223372036854775807LL - 1)},
        {"9223372036854775808", false, 0},
        {"12,5", false, 0},
        {"", false, 0},
        {"  ", false, 0},
        {"-", false, 0},
        {"abc", false, 0},
        {"12a", false, 0},
        {"1.234", false, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        qint64 v = 0;
        EXPECT_EQ(TryStrToInt(QString::fromUtf8(c.text), v), c.ok);
        if (c.ok) {
            EXPECT_EQ(v, c.value);
        }
    }
    EXPECT_EQ(StrToIntDef(QStringLiteral("x"), 5), 5);
    EXPECT_EQ(StrToIntDef(QStringLiteral("3000000000"), -1), -1); // beyond int
    EXPECT_THROW(StrToInt(QStringLiteral("12,5")), EConvertError);
    try {
        StrToInt(QStringLiteral("abc"));
    } catch (const EConvertError &e) {
        EXPECT_EQ(e.Message, QStringLiteral("'abc' nie je platné celé číslo"));
    }
}

TEST_F(ConvertTest, GroupedIntegerWhenLocaleGroupsWithPoint)
{
    FormatSettings().ThousandSeparator = QLatin1Char('.');
    qint64 v = 0;
    ASSERT_TRUE(TryStrToInt(QStringLiteral("1.234.567"), v));
    EXPECT_EQ(v, 1234567);
    EXPECT_FALSE(TryStrToInt(QStringLiteral("1.23"), v));
}

TEST_F(ConvertTest, Floats)
{
    struct Case {
        const char *text;
        bool ok;
        double value;
    };
    const Case cases[] = {
        {"12,5", true, 12.5},
        {"12.5", true, 12.5},
        {"1 234,5", true, 1234.5},
        {"1\u00A0234,5", true, 1234.5},
        {"-0,25", true, -0.25},
        {",5", true, 0.5},
        {"5,", true, 5},
        {"1.234,56", true, 1234.56},
        {"1,234.56", true, 1234.56},
        {"1.234.567", true, 1234567},
        {"1e3", true, 1000},
        {"2,5E-2", true, 0.025},
        {"7", true, 7},
        {" 3 ", true, 3},
        {"", false, 0},
        {",", false, 0},
        {"1,2,3", false, 0},
        {"1.2.3", false, 0},
        {"1,2.3,4", false, 0},
        {"abc", false, 0},
        {"12 kg", false, 0},
        {"1e", false, 0},
        {"--1", false, 0},
        {"1e999", false, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        double v = 0;
        EXPECT_EQ(TryStrToFloat(QString::fromUtf8(c.text), v), c.ok);
        if (c.ok) {
            EXPECT_DOUBLE_EQ(v, c.value);
        }
    }
    EXPECT_DOUBLE_EQ(StrToFloatDef(QStringLiteral("x"), 8.5), 8.5);
    EXPECT_THROW(StrToFloat(QStringLiteral("1,2,3")), EConvertError);
}

TEST_F(ConvertTest, Dates)
{
    SetNowForTests(QDateTime(QDate(2026, 6, 15), QTime(10, 0)));
    struct Case {
        const char *text;
        QDate value; // invalid: the text is no date
    };
    const Case cases[] = {
        {"5.2.2026", QDate(2026, 2, 5)},
        {"05.02.2026", QDate(2026, 2, 5)},
        {"5. 2. 2026", QDate(2026, 2, 5)},
        {"5/2/26", QDate(2026, 2, 5)},
        {"5-2-49", QDate(2049, 2, 5)},
        {"5.2.50", QDate(1950, 2, 5)},
        {"1.3", QDate(2026, 3, 1)},
        {"1.3.", QDate(2026, 3, 1)},
        {"2026-02-05", QDate(2026, 2, 5)},
        {"29.2.2024", QDate(2024, 2, 29)},
        {"29.2.2026", QDate()},
        {"32.1.2026", QDate()},
        {"1.13.2026", QDate()},
        {"5.2.202", QDate()},
        {"5.2.2", QDate()},
        {"", QDate()},
        {"  .  .    ", QDate()},
        {"5..2026", QDate()},
        {"abc", QDate()},
        {"5.2.2026 10:00", QDate()},
        {"123.1.2026", QDate()},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        QDate v;
        EXPECT_EQ(TryStrToDate(QString::fromUtf8(c.text), v), c.value.isValid());
        if (c.value.isValid()) {
            EXPECT_EQ(v, c.value);
        }
    }
    EXPECT_THROW(StrToDate(QStringLiteral("31.4.2026")), EConvertError);
}

TEST_F(ConvertTest, DateOrderFollowsShortDateFormat)
{
    FormatSettings().ShortDateFormat = QStringLiteral("m/d/yyyy");
    QDate v;
    ASSERT_TRUE(TryStrToDate(QStringLiteral("2/5/2026"), v));
    EXPECT_EQ(v, QDate(2026, 2, 5));
}

} // namespace
