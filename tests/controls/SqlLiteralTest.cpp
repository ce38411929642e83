// SQL text from typed values: literals by type, field conditions, filter conditions.
#include "library/MinMax.h"
#include "library/SqlLiteral.h"
#include "platform/os/Format.h"

#include <gtest/gtest.h>

namespace {
struct SlovakSettings : ::testing::Test {
    TFormatSettings saved = FormatSettings();
    void SetUp() override
    {
        FormatSettings().DecimalSeparator = QLatin1Char(',');
        FormatSettings().DateSeparator = QLatin1Char('.');
        FormatSettings().ShortDateFormat = QStringLiteral("d.m.yyyy");
    }
    void TearDown() override { FormatSettings() = saved; }
};
} // namespace

using SqlLiteralTest = SlovakSettings;

TEST_F(SqlLiteralTest, LiteralsByFieldType)
{
    const struct {
        const char *text;
        TFieldType type;
        const char *literal;
    } cases[] = {
        {" C_STAV in (1,2) ", ftUnknown, "C_STAV in (1,2)"},
        {"42", ftInteger, "42"},
        {"-7", ftSmallint, "-7"},
        {"x", ftInteger, "0"},
        {"99999999999", ftInteger, "0"},
        {"12,5", ftFloat, "12.5"},
        {"abc", ftFloat, "0"},
        {"1 234,5", ftCurrency, "1234.5"},
        {"3,25", ftBCD, "3.25"},
        {"1.2.2024", ftDate, "'2024-02-01'"},
        {"31.12.2023", ftDateTime, "'2023-12-31'"},
        {"31.13.2024", ftDate, "null"},
        {" ab ", ftString, "'ab'"},
        {"O'Neil", ftString, "'O''Neil'"},
        {"x' or '1'='1", ftFixedChar, "'x'' or ''1''=''1'"},
        {"1", ftBoolean, "'1'"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(SqlLiteral(QString::fromUtf8(c.text), c.type), QString::fromUtf8(c.literal));
    }
}

TEST(SqlLiteralOfText, TheTextAsItStandsAndAsAPrefix)
{
    EXPECT_EQ(SqlLiteral(QString::fromUtf8(" O'Brien ")), QString::fromUtf8("' O''Brien '")) << "not trimmed";
    EXPECT_EQ(SqlLiteral(QString()), "''");
    EXPECT_EQ(SqlLiteral("'); drop table T; --"), "'''); drop table T; --'");
    EXPECT_EQ(SqlLikePrefix("Nov'"), "'Nov''%'");
    EXPECT_EQ(SqlLikePrefix("%liar"), "'%liar%'") << "what contains the text";
    EXPECT_EQ(SqlLikePrefix(QString(10000, 'x')), "'" + QString(255, 'x') + "%'")
        << "longer than any searched column: the server is never asked for a longer index key";
}

TEST_F(SqlLiteralTest, QuickSearchByColumnType)
{
    const QString cast = QStringLiteral("cast(%1 as varchar(30) character set WIN1250) like ");
    const struct {
        const char *column;
        TFieldType type;
        QString text;
        QString condition;
    } cases[] = {
        {"NAZOV", ftString, QString::fromUtf8("Žiar"), QString::fromUtf8("NAZOV like 'Žiar%'")},
        {"C_POL", ftFixedChar, "M-1", "C_POL like 'M-1%'"},
        {"POZN", ftMemo, "x", "POZN like 'x%'"},
        {"V.ODBERATEL", ftUnknown, "O'N", "V.ODBERATEL like 'O''N%'"},
        {"NAZOV", ftString, "%_liar", "NAZOV like '%_liar%'"},
        {"NAZOV", ftString, " a ", "NAZOV like ' a %'"},
        {"NAZOV", ftString, "x' or 1=1 --", "NAZOV like 'x'' or 1=1 --%'"},
        {"C_ODB", ftInteger, QString::fromUtf8("č"), cast.arg("C_ODB") + QString::fromUtf8("'č%'")},
        {"CENA", ftBCD, "12", cast.arg("CENA") + "'12%'"},
        {"D_OBJ", ftDate, "2026-", cast.arg("D_OBJ") + "'2026-%'"},
        {"NAZOV", ftString, QString(300, QChar(0x17E)), "NAZOV like '" + QString(255, QChar(0x17E)) + "%'"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(QuickSearch(QLatin1String(c.column), c.type, c.text), c.condition)
            << c.column << " " << c.text.toStdString();
}

TEST_F(SqlLiteralTest, FieldConditions)
{
    const struct {
        const char *field;
        TFieldType type;
        const char *text;
        const char *condition;
    } cases[] = {
        {"FIELD", ftInteger, "<>5", "FIELD<>5"},
        {"FIELD", ftInteger, ">5", "FIELD=0"}, // no blank after the sign: the whole text is the value
        {"FIELD", ftInteger, "> 5", "FIELD> 5"},
        {"FIELD", ftInteger, "<=10", "FIELD<=10"},
        {"FIELD", ftInteger, "7", "FIELD=7"},
        {"FIELD", ftString, "<>ab", "FIELD LIKE 'ab%'"},
        {"NAZOV", ftString, "O'Neil", "NAZOV LIKE 'O''Neil%'"},
        {"POZN", ftMemo, "ab", "POZN LIKE 'ab%'"},
        {"C_POL", ftFixedChar, "M1", "C_POL LIKE 'M1%'"},
        {"D_OBJ", ftDate, ">=1.2.2024", "D_OBJ>='2024-02-01'"},
        {"CENA", ftFloat, "< 12,5", "CENA< 12.5"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(FieldCondition(QString::fromUtf8(c.field), c.type, QString::fromUtf8(c.text)),
                  QString::fromUtf8(c.condition));
    }
}

TEST_F(SqlLiteralTest, FilterConditions)
{
    const struct {
        const char *where;
        const char *condition;
        const char *value;
        TFieldType type;
        const char *result;
    } cases[] = {
        {"", "C_STAV=?", "3", ftInteger, "C_STAV=3"},
        {"", "C_STAV=?", "!3", ftInteger, "C_STAV<>3"},
        {"", "C_STAV>?", "!3", ftUnknown, "C_STAV>'!3'"},             // no "=?": the "!" stays, in a literal
        {"  ", "ICO like '?%'", "ab", ftUnknown, "  ICO like 'ab%'"}, // blank: kept, no AND
        {"A=1", "d_vystav>=?", "1.2.2024", ftDate, "A=1 AND d_vystav>='2024-02-01'"},
        {"", "C_ODB=? or C_ODB2=?", "5", ftInteger, "(C_ODB=5 or C_ODB2=5)"},
        {"A=1", "majitel like '?%' or c_odb like '?'", "x", ftUnknown, "A=1 AND (majitel like 'x%' or c_odb like 'x')"},
        // Untyped text outside the condition's apostrophes: one literal, whatever it holds.
        {"", "c_odb in (select c_odb from COdberatelov where ICO=? or c_odb=?)", "0) or (1=1", ftUnknown,
         "c_odb in (select c_odb from COdberatelov where ICO='0) or (1=1' or c_odb='0) or (1=1')"},
        {"", "ICO=?", " 31234567 ", ftUnknown, "ICO='31234567'"},
        {"", "TYP2=?", "V", ftUnknown, "TYP2='V'"},
        {"", "D>=CURRENT_DATE-?", "-7", ftInteger, "D>=CURRENT_DATE-(-7)"}, // never a "--" comment
        // Inside the apostrophes only the apostrophes are doubled, whatever the type.
        {"", "ODBERATEL like '?%'", "or 1=1 or ODBERATEL like", ftString, "ODBERATEL like 'or 1=1 or ODBERATEL like%'"},
        {"", "ODBERATEL like '?%'", "x' or 'a'='a", ftString, "ODBERATEL like 'x'' or ''a''=''a%'"},
        {"", "datum2 between 'now' and '?'", "1.2.2026", ftDate, "datum2 between 'now' and '1.2.2026'"},
        {"", "C='?'", "5x", ftInteger, "C='5x'"},
        {"", "ODBERATEL LIKE '?%'", "O'Neil", ftUnknown, "ODBERATEL LIKE 'O''Neil%'"},
        {"", "ODBERATEL LIKE '?%'", "x%' or 1=1 --", ftUnknown, "ODBERATEL LIKE 'x%'' or 1=1 --%'"},
        {"", "NAZOV=?", "O'Neil", ftString, "NAZOV='O''Neil'"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.value);
        QString where = QString::fromUtf8(c.where);
        AddFilterCondition(where, QString::fromUtf8(c.condition), QString::fromUtf8(c.value), c.type);
        EXPECT_EQ(where, QString::fromUtf8(c.result));
    }
}

// "#" stands for a number column's value: a typed number as it is, anything else null, so letters never
// reach a number column and an OR beside it still matches by name.
TEST_F(SqlLiteralTest, NumberPlaceholdersTakeOnlyNumbers)
{
    const struct {
        const char *condition, *value, *result;
    } cases[] = {
        {"Odberatel like '?%' or c_odb=#", "Žiar", "(Odberatel like 'Žiar%' or c_odb=null)"},
        {"Odberatel like '?%' or c_odb=#", "12", "(Odberatel like '12%' or c_odb=12)"},
        {"Odberatel like '?%' or c_odb=#", "O'Neil", "(Odberatel like 'O''Neil%' or c_odb=null)"},
        {"c_odb in (select c_odb from C where ICO=# or c_odb=#)", " 3601 ",
         "c_odb in (select c_odb from C where ICO=3601 or c_odb=3601)"},
        {"ICO=#", "1 234", "ICO=null"},
        {"ICO=#", "12,5", "ICO=null"},
        {"ICO=#", "26/0015", "ICO=null"},
        {"c_odb=#", "!5", "c_odb<>5"},
        {"c_int-#>0", "-3", "c_int-(-3)>0"},
        {"NAZOV like '%#?%'", "č", "NAZOV like '%#č%'"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.value);
        QString where;
        AddFilterCondition(where, QString::fromUtf8(c.condition), QString::fromUtf8(c.value), ftUnknown);
        EXPECT_EQ(where, QString::fromUtf8(c.result));
    }
    EXPECT_EQ(SqlNumberOrNull("99999999999999999999"), "null");
    EXPECT_TRUE(AsksValue("ICO=#"));
    EXPECT_TRUE(AsksValue("C LIKE '?%'"));
    EXPECT_FALSE(AsksValue("NAZOV like '%#%'")) << "a # in apostrophes is text";
    EXPECT_FALSE(AsksValue("mnozstvo<>0"));
    EXPECT_EQ(SqlAsText("ICO"), "cast(ICO as varchar(30) character set WIN1250)");
}

TEST_F(SqlLiteralTest, TextThatIsNoNumberOrDateIsNamed)
{
    EXPECT_EQ(FieldConditionError(ftInteger, QString::fromUtf8("Žiar")), QString::fromUtf8("„Žiar“ nie je číslo."));
    EXPECT_EQ(FieldConditionError(ftSmallint, QString::fromUtf8(">=č")), QString::fromUtf8("„č“ nie je číslo."));
    EXPECT_EQ(FieldConditionError(ftFloat, "12,5"), "");
    EXPECT_EQ(FieldConditionError(ftInteger, "<>5"), "") << "the operator is no part of the value";
    EXPECT_EQ(FieldConditionError(ftDate, QString::fromUtf8("ľ")), QString::fromUtf8("„ľ“ nie je dátum."));
    EXPECT_EQ(FieldConditionError(ftDate, ">=1.2.2026"), "");
    EXPECT_EQ(FieldConditionError(ftString, "O'Neil"), "") << "a text field takes anything";
    EXPECT_EQ(FieldConditionError(ftUnknown, QString::fromUtf8("Košick")), "");
}

TEST(MinMax, SignedThirtyTwoBit)
{
    EXPECT_EQ(IntMin(-2147483647 - 1, 2147483647), -2147483647 - 1);
    EXPECT_EQ(IntMax(-3, -5), -3);
    EXPECT_EQ(IntMin(4, 4), 4);
}
