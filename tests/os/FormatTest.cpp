// Display formats, money, the printf-like Format, FloatToStr, rounding and dates in Slovak settings.
#include "platform/os/Exception.h"
#include "platform/os/Format.h"

#include <gtest/gtest.h>

namespace {

class FormatTest : public ::testing::Test {
protected:
    void SetUp() override { FormatSettings() = SlovakFormatSettings(); }
    void TearDown() override { FormatSettings() = SlovakFormatSettings(); }
};

struct FloatCase {
    const char *format;
    double value;
    const char *expected;
};

TEST_F(FormatTest, DisplayFormats)
{
    const FloatCase cases[] = {
        {"#0\"/\"0000", 260045, "26/0045"},
        {"#0\"/\"0000", 45, "0/0045"},
        {"##/0000", 261234, "26/1234"},
        {"00/0000", 260007, "26/0007"},
        {"# ##0.00", 1234.5, "1 234,50"},
        {"# ##0.00", 1234567.891, "1234 567,89"},
        {"#####0.###", 2.5, "2,5"},
        {"#####0.###", 3, "3"},
        {"#####0.###", 1.23456, "1,235"},
        {"0.00", -0.001, "0,00"},
        {"0.00", -1.5, "-1,50"},
        {"0.00", 2.675, "2,68"}, // as written, half away from zero
        {"0.00", -2.675, "-2,68"},
        {"0", 0.5, "1"},
        {"#,##0.00", 1234567.5, "1\u00A0234\u00A0567,50"},
        {"#,##0", 999, "999"},
        {"########", 0, ""},
        {"######", 42, "42"},
        {"+0.00;-0.00;#", 1.5, "+1,50"},
        {"+0.00;-0.00;#", -1.5, "-1,50"},
        {"+0.00;-0.00;#", 0, ""},
        {"+0.00;-0.00;#", -0.001, ""}, // shows as zero: the zero section
        {"## ##0.00 €;; ", 1234.5, "1 234,50 €"},
        {"## ##0.00 €;; ", -12, "- 12,00 €"},
        {"## ##0.00 €;; ", 0, " "},
        {"#####.0 kg", 12.34, "12,3 kg"},
        {"###0.0\" NHod.\"", 7.25, "7,3 NHod."},
        {"'Spolu: '0", 5, "Spolu: 5"},
        {"0.00", 1e15, "1000000000000000,00"},
        {"0.00", 9.999, "10,00"},
        {"0.0", 0.05, "0,1"},
        {"#,##0.00", -1234.5, "-1\u00A0234,50"},
    };
    for (const FloatCase &c : cases) {
        SCOPED_TRACE(c.format);
        EXPECT_EQ(FormatFloat(QString::fromUtf8(c.format), c.value), QString::fromUtf8(c.expected)) << c.value;
    }
}

TEST_F(FormatTest, EmptyFormatIsGeneral)
{
    EXPECT_EQ(FormatFloat(QString(), 12.5), QStringLiteral("12,5"));
}

TEST_F(FormatTest, MoneyLayouts)
{
    EXPECT_EQ(FormatCurr(1234.565), QStringLiteral("1\u00A0234,57 €"));
    EXPECT_EQ(FormatCurr(-5), QStringLiteral("-5,00 €"));
    EXPECT_EQ(FormatCurr(-0.001), QStringLiteral("0,00 €"));
    FormatSettings().CurrencyString = QStringLiteral("$");
    FormatSettings().CurrencyFormat = 0;
    FormatSettings().NegCurrFormat = 0;
    EXPECT_EQ(FormatCurr(12), QStringLiteral("$12,00"));
    EXPECT_EQ(FormatCurr(-12), QStringLiteral("($12,00)"));
}

TEST_F(FormatTest, PrintfLike)
{
    struct Case {
        const char *format;
        QVariantList args;
        const char *expected;
    };
    const Case cases[] = {
        {"%6.6d%3.3d%3.3d", {260045, 2, 10}, "260045002010"},
        {"%6.6d", {45}, "000045"},
        {"%6.6d", {1234567}, "1234567"}, // more digits than the width are written in full
        {"%.4d%.2d", {2026, 3}, "202603"},
        {"%-10s|", {QStringLiteral("ab")}, "ab        |"},
        {"%10s|", {QStringLiteral("ab")}, "        ab|"},
        {"%-15s %s %s",
         {QStringLiteral("X-1"), QStringLiteral("O2"), QStringLiteral("Názov")},
         "X-1             O2 Názov"},
        {"%.2f", {2.675}, "2,68"},
        {"%f", {1.0 / 3}, "0,33"},
        {"%d;%d;%.2f", {12, 3, 1500.5}, "12;3;1500,50"},
        {"%15.5f", {-3.25}, "       -3,25000"},
        {"%-.0n kg", {1234567.4}, "1\u00A0234\u00A0567 kg"},
        {"%10.2m", {1234.5}, "1\u00A0234,50 €"},
        {"%m", {-7}, "-7,00 €"},
        {"%s%.*d", {QStringLiteral("2026/"), 4, 7}, "2026/0007"},
        {"%1:s %0:s", {QStringLiteral("a"), QStringLiteral("b")}, "b a"},
        {"#%2.2x%2.2x%2.2x", {255, 0, 171}, "#FF00AB"},
        {"%u", {7}, "7"},
        {"%.3d", {-5}, "-005"},
        {"100%% %d", {1}, "100% 1"},
        {"%g", {0.5}, "0,5"},
        {"%e", {12345.678}, "1,23456780000000E+004"},
        {"%.3s", {QStringLiteral("abcdef")}, "abc"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.format);
        EXPECT_EQ(Format(QString::fromUtf8(c.format), c.args), QString::fromUtf8(c.expected));
    }
}

TEST_F(FormatTest, PrintfInFileSettingsUsesPoint)
{
    EXPECT_EQ(Format(QStringLiteral("%15.5f"), {1234.5}, InvariantFormatSettings()), QStringLiteral("     1234.50000"));
    EXPECT_EQ(Format(QStringLiteral("%d;%d;%.2f"), {1, 2, 3.456}, InvariantFormatSettings()),
              QStringLiteral("1;2;3.46"));
}

TEST_F(FormatTest, PrintfRejectsMissingOrWrongArguments)
{
    EXPECT_THROW(Format(QStringLiteral("%d %d"), {1}), EConvertError);
    EXPECT_THROW(Format(QStringLiteral("%d"), {QStringLiteral("x")}), EConvertError);
    EXPECT_THROW(Format(QStringLiteral("%d"), {1.5}), EConvertError);
    EXPECT_THROW(Format(QStringLiteral("%q"), {1}), EConvertError);
    EXPECT_THROW(Format(QStringLiteral("abc%"), {}), EConvertError);
}

TEST_F(FormatTest, FloatToStrShortestUpTo15Digits)
{
    EXPECT_EQ(FloatToStr(12.5), QStringLiteral("12,5"));
    EXPECT_EQ(FloatToStr(0.1 + 0.2), QStringLiteral("0,3"));
    EXPECT_EQ(FloatToStr(-3), QStringLiteral("-3"));
    EXPECT_EQ(FloatToStr(0), QStringLiteral("0"));
    EXPECT_EQ(FloatToStr(0.0001), QStringLiteral("0,0001"));
    EXPECT_EQ(FloatToStr(0.00001), QStringLiteral("1E-5"));
    EXPECT_EQ(FloatToStr(1e20), QStringLiteral("1E20"));
    EXPECT_EQ(FloatToStr(123456789012345.0), QStringLiteral("123456789012345"));
    EXPECT_EQ(IntToStr(-9007199254740993LL), QStringLiteral("-9007199254740993"));
}

TEST_F(FormatTest, FloatToSqlIsPlainWithPoint)
{
    FormatSettings().DecimalSeparator = QLatin1Char(',');
    EXPECT_EQ(FloatToSql(12.5), QStringLiteral("12.5"));
    EXPECT_EQ(FloatToSql(-0.0), QStringLiteral("0"));
    EXPECT_EQ(FloatToSql(0.1 + 0.2), QStringLiteral("0.3"));
    EXPECT_EQ(FloatToSql(1e-7), QStringLiteral("0.0000001"));
    EXPECT_EQ(FloatToSql(2e15), QStringLiteral("2000000000000000"));
}

TEST_F(FormatTest, RoundHalfEven)
{
    struct Case {
        double value;
        int decimals;
        double expected;
    };
    const Case cases[] = {
        {1.125, 2, 1.12},
        {1.135, 2, 1.14},
        {2.675, 2, 2.68},
        {2.665, 2, 2.66},
        {-1.125, 2, -1.12},
        {-2.675, 2, -2.68},
        {0.5, 0, 0},
        {1.5, 0, 2},
        {2.5, 0, 2},
        {1.1251, 2, 1.13},
        {0.1 + 0.2, 2, 0.3},
        {1.005, 2, 1.0},
        {1.015, 2, 1.02},
        {9.995, 2, 10.0},
        {125, -1, 120},
        {135, -1, 140},
        {0, 2, 0},
        {0.004, 2, 0},
        {1234567.891, 2, 1234567.89},
    };
    for (const Case &c : cases)
        EXPECT_DOUBLE_EQ(RoundHalfEven(c.value, c.decimals), c.expected) << c.value << " at " << c.decimals;
}

TEST_F(FormatTest, DateFormats)
{
    const QDateTime t(QDate(2026, 2, 5), QTime(14, 7, 9, 45));
    struct Case {
        const char *format;
        const char *expected;
    };
    const Case cases[] = {
        {"dd.mm.yyyy", "05.02.2026"},
        {"d.m.yy", "5.2.26"},
        {"d/m/y", "5.2.26"},
        {"dd/mm/yyyy", "05.02.2026"},
        {"yyyy-mm-dd", "2026-02-05"},
        {"yyyymmdd", "20260205"},
        {"mmmm yy", "február 26"},
        {"mmm", "feb"},
        {"dd/mm ddd", "05.02 št"},
        {"dddd", "štvrtok"},
        {"dd.mm.", "05.02."},
        {"hh:nn:ss", "14:07:09"},
        {"h:mm", "14:07"},
        {"hh:mm dd.mm", "14:07 05.02"},
        {"hh:nn:ss.zzz", "14:07:09.045"},
        {"h:nn am/pm", "2:07 pm"},
        {"\"Dňa\" d.m.yyyy", "Dňa 5.2.2026"},
        {"'rok' yyyy", "rok 2026"},
        {"c", "5.2.2026 14:07:09"},
        {"ddddd", "5.2.2026"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.format);
        EXPECT_EQ(FormatDateTime(QString::fromUtf8(c.format), t), QString::fromUtf8(c.expected));
    }
    EXPECT_EQ(FormatDateTime(QStringLiteral("c"), QDate(2026, 12, 31)), QStringLiteral("31.12.2026"));
    EXPECT_EQ(FormatDateTime(QStringLiteral("dd.mm.yyyy"), QDate()), QString());
    EXPECT_EQ(DateToStr(QDate(2026, 1, 9)), QStringLiteral("9.1.2026"));
}

TEST_F(FormatTest, DateSeparatorFollowsSettings)
{
    FormatSettings().DateSeparator = QLatin1Char('-');
    EXPECT_EQ(FormatDateTime(QStringLiteral("dd/mm/yyyy"), QDate(2026, 3, 1)), QStringLiteral("01-03-2026"));
}

TEST_F(FormatTest, SettingsFromLocale)
{
    LoadFormatSettingsFromLocale(QLocale(QLocale::Slovak, QLocale::Slovakia));
    const TFormatSettings &sk = FormatSettings();
    EXPECT_EQ(sk.DecimalSeparator, QLatin1Char(','));
    EXPECT_EQ(sk.DateSeparator, QLatin1Char('.')); // of ". "
    EXPECT_EQ(sk.ShortDateFormat, QStringLiteral("d/m/yyyy"));
    EXPECT_EQ(sk.CurrencyString, QStringLiteral("€"));
    EXPECT_EQ(sk.CurrencyFormat, 3);
    EXPECT_EQ(sk.NegCurrFormat, 8);
    EXPECT_EQ(DateToStr(QDate(2026, 2, 5)), QStringLiteral("5.2.2026"));
    EXPECT_EQ(sk.LongMonthNames.value(0), QStringLiteral("január"));

    LoadFormatSettingsFromLocale(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    EXPECT_EQ(FormatSettings().CurrencyString, QStringLiteral("Kč"));
    EXPECT_EQ(FormatSettings().ShortDateFormat, QStringLiteral("dd/mm/yyyy")); // two-digit year widened

    LoadFormatSettingsFromLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    const TFormatSettings &us = FormatSettings();
    EXPECT_EQ(us.DecimalSeparator, QLatin1Char('.'));
    EXPECT_EQ(us.ThousandSeparator, QLatin1Char(','));
    EXPECT_EQ(us.DateSeparator, QLatin1Char('/'));
    EXPECT_EQ(us.ShortDateFormat, QStringLiteral("m/d/yyyy"));
    EXPECT_EQ(us.CurrencyFormat, 0);
    EXPECT_EQ(FormatCurr(-1234.5), QStringLiteral("-$1,234.50"));
    EXPECT_EQ(FormatDateTime(QStringLiteral("c"), QDateTime(QDate(2026, 2, 5), QTime(9, 5))),
              QStringLiteral("2/5/2026 9:05:00 am"));
}

} // namespace
