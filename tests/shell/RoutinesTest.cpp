// The shared routines: literals, key numbering by year and its exhausted ranges, job-number texts,
// rounding and currency conversion, named queries.
#include "common/ModuleFixture.h"
#include "shell/Routines.h"

#include "platform/os/Exception.h"

namespace {

TEST(ShellTexts, SqlLiteralsOfNumbersAndDates)
{
    EXPECT_EQ(SqlFloat(-0.5), "-0.50000");
    EXPECT_EQ(SqlFloat(12.3456789), "12.34568");
    EXPECT_EQ(SqlFloat(1234567.5), "1234567.50000") << "no thousands separator";
    EXPECT_EQ(SqlDate(QDate(2026, 1, 5)), "'2026-01-05'");
    EXPECT_EQ(SqlDateStr("5.1.2026"), "'2026-01-05'");
    EXPECT_THROW(SqlDateStr("nie je dátum"), EConvertError);
}

TEST(ShellTexts, JobNumbersTypedAndShown)
{
    SetNowForTests(QDateTime(QDate(2026, 3, 16), QTime(10, 0)));
    EXPECT_EQ(NormalizeOrderNo(" 15 "), "260015");
    EXPECT_EQ(NormalizeOrderNo("1234"), "261234");
    EXPECT_EQ(NormalizeOrderNo("12345"), "012345");
    EXPECT_EQ(NormalizeOrderNo("2512345"), "2512345") << "longer texts stay";
    EXPECT_EQ(NormalizeOrderNo("   "), "");
    SetNowForTests(QDateTime(QDate(2031, 1, 1), QTime(0, 0)));
    EXPECT_EQ(NormalizeOrderNo("7"), "310007");
    ClearNowForTests();

    EXPECT_EQ(OrderNoStr(260012), "26/0012");
    EXPECT_EQ(OrderNoStr(1), "0/0001");
}

// A job number is typed as digits or as the program prints it; anything else is refused in words.
TEST(ShellTexts, JobNumbersReadAsPrinted)
{
    EXPECT_EQ(ParseOrderNo("26/0015"), 260015);
    EXPECT_EQ(ParseOrderNo(" 26/15 "), 260015);
    EXPECT_EQ(ParseOrderNo("0/0001"), 1);
    EXPECT_EQ(ParseOrderNo("260015"), 260015);
    EXPECT_EQ(ParseOrderNo(OrderNoStr(251234)), 251234) << "what is printed reads back";
    for (const char *bad :
         {"", "Žiar", "č", "O'Neil", "26/", "/15", "26/00150", "126/0015", "26-0015", "2 6", "26/0015x", "1234567890"})
        EXPECT_FALSE(ParseOrderNo(QString::fromUtf8(bad)).has_value()) << bad;

    EXPECT_EQ(TypedOrderNo("  "), 0) << "blank is no job";
    EXPECT_EQ(TypedOrderNo("26/0015"), 260015);
    try {
        TypedOrderNo(QString::fromUtf8("Košick"));
        ADD_FAILURE() << "letters are no job";
    } catch (const EConvertError &e) {
        EXPECT_EQ(e.Message, QString::fromUtf8("„Košick“ nie je číslo zákazky (napr. 26/0015)."));
    }
    EXPECT_THROW(TypedNumber(QString::fromUtf8("ľ"), "Os.číslo"), EConvertError);
    EXPECT_THROW(TypedNumber("12,5", "Os.číslo"), EConvertError);
    EXPECT_EQ(TypedNumber(" 57 ", "Os.číslo"), 57);
    EXPECT_EQ(WholeNumber("O'Neil"), std::nullopt);

    SetNowForTests(QDateTime(QDate(2026, 3, 16), QTime(10, 0)));
    EXPECT_EQ(NormalizeOrderNo("26/0015"), "260015");
    EXPECT_EQ(NormalizeOrderNo("5/7"), "050007");
    EXPECT_EQ(NormalizeOrderNo("15"), "260015");
    EXPECT_EQ(NormalizeOrderNo("ab/c"), "ab/c") << "no job: left for the refusal";
    ClearNowForTests();
}

TEST(ShellTexts, MoneyRoundsHalfToEven)
{
    struct Case {
        double value;
        int decimals;
        double expected;
    } cases[] = {
        {0.125, 2, 0.12}, {0.375, 2, 0.38},   {2.5, 0, 2},
        {3.5, 0, 4},      {-0.125, 2, -0.12}, {2.675, 2, 2.68},
        {1.005, 2, 1.0},  {7.5, -3, 8},       {1234.5678, 3, 1234.568},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " to " << c.decimals);
        EXPECT_DOUBLE_EQ(RoundDecimals(c.value, c.decimals), c.expected);
    }
    EXPECT_EQ(TenPower(3), 1000);
    EXPECT_EQ(TenPower(0), 1);
    EXPECT_EQ(TenPower(-2), 1);
}

TEST(ShellTexts, CurrencyConversionByHomeCurrency)
{
    const QString saved = CurrencyCode;
    CurrencyCode = "CZK";
    EXPECT_DOUBLE_EQ(HomeToForeign(250, 25), 10);
    EXPECT_DOUBLE_EQ(ForeignToHome(10, 25), 250);
    EXPECT_DOUBLE_EQ(HomeToForeign(250, 0), 0);
    EXPECT_DOUBLE_EQ(ForeignToHome(10, 0), 0);
    CurrencyCode = "EUR";
    EXPECT_DOUBLE_EQ(HomeToForeign(10, 25), 250);
    EXPECT_DOUBLE_EQ(ForeignToHome(250, 25), 10);
    EXPECT_DOUBLE_EQ(HomeToForeign(10, 0), 0);
    EXPECT_DOUBLE_EQ(ForeignToHome(10, 0), 10) << "no rate: the amount unchanged";
    CurrencyCode = saved;
}

TEST(ShellTexts, DatesAndMonths)
{
    EXPECT_EQ(DateStr(QDate(2026, 2, 3)), "03.02.2026");
    const auto [first, last] = MonthBounds(QDate(2024, 2, 10));
    EXPECT_EQ(first, QDate(2024, 2, 1));
    EXPECT_EQ(last, QDate(2024, 2, 29));
    EXPECT_EQ(MonthBoundsYM(2026, 12).second, QDate(2026, 12, 31));
    EXPECT_EQ(MonthBoundsStr(QDate(2026, 4, 30)).first, "01.04.2026");
    EXPECT_TRUE(IsWeekend(QDate(2026, 3, 14)));
    EXPECT_FALSE(IsWeekend(QDate(2026, 3, 16)));
}

// A holiday is found whatever the user's date format and whatever separator it was stored with.
TEST(ShellTexts, HolidaysAreComparedByDayAndMonthAlone)
{
    FormatSettings().ShortDateFormat = QStringLiteral("dd/mm/yyyy");
    FormatSettings().DateSeparator = QLatin1Char('/');
    EXPECT_EQ(HolidayKey(QDate(2026, 3, 18)), "18.03");
    FormatSettings() = SlovakFormatSettings();
    for (const char *stored : {"18.03", "18.03.", "18/03"})
        EXPECT_EQ(HolidayKey(QString::fromLatin1(stored)), "18.03") << stored;
    for (const char *stored : {"18.3.", "1.5", "Veľká noc", "18", "1803."})
        EXPECT_EQ(HolidayKey(QString::fromUtf8(stored)), "") << stored;
}

class Keys : public ModuleTest {
protected:
    void afterConnect() override { exec("insert into ZAKAZKY (C_OBJ, TYP_OBJ) values ('ZAK250001', 'Z')"); }
    void addJob(int cInt) { exec(QString("insert into ZAKAZKYD (C_INT, C_OBJ) values (%1, 'ZAK250001')").arg(cInt)); }
};

TEST_F(Keys, JobNumbersCountWithinTheYear)
{
    EXPECT_EQ(NextNumber("ZAKAZKYD", "C_INT"), 260001) << "the first job of a year";
    addJob(250417);
    EXPECT_EQ(NextNumber("ZAKAZKYD", "C_INT"), 260001) << "last year's jobs do not count";
    addJob(260001);
    addJob(260007);
    EXPECT_EQ(NextNumber("ZAKAZKYD", "C_INT"), 260008);
    EXPECT_EQ(NextNumber("ZAKAZKYD", "C_INT", 5, 5), 260008) << "equal bounds mean this year's range";
    EXPECT_EQ(NextNumber("ZAKAZKYD", "C_INT", 1, 32000), 1);
    SetNowForTests(QDateTime(QDate(2027, 1, 2), QTime(8, 0)));
    EXPECT_EQ(NextNumber("ZAKAZKYD", "C_INT"), 270001);
    EXPECT_FALSE(DMZal->Query.Active()) << "the scratch query is closed again";
}

TEST_F(Keys, AFullNumberRangeIsRefusedNotOverrun)
{
    addJob(269998);
    EXPECT_EQ(NextNumber("ZAKAZKYD", "C_INT"), 269999);
    addJob(269999);
    try {
        NextNumber("ZAKAZKYD", "C_INT");
        FAIL() << "a number past 269999 was handed out";
    } catch (const EDatabaseError &e) {
        EXPECT_TRUE(e.Message.contains(QString::fromUtf8("vyčerpaný"))) << e.Message.toStdString();
        EXPECT_TRUE(e.Message.contains("260001")) << e.Message.toStdString();
    }
    addJob(3);
    EXPECT_THROW(NextNumber("ZAKAZKYD", "C_INT", 1, 3), EDatabaseError);
}

TEST_F(Keys, OrderCodesByPrefixAndYear)
{
    EXPECT_EQ(NextCode("ZAKAZKY", "C_OBJ", "ZAK"), "ZAK260001") << "last year's ZAK250001 does not count";
    exec("insert into ZAKAZKY (C_OBJ, TYP_OBJ) values ('ZAK260009', 'Z')");
    exec("insert into ZAKAZKY (C_OBJ, TYP_OBJ) values ('PON260044', 'P')");
    EXPECT_EQ(NextCode("ZAKAZKY", "C_OBJ", "ZAK"), "ZAK260010");
    EXPECT_EQ(NextCode("ZAKAZKY", "C_OBJ", "PON"), "PON260045");
    EXPECT_EQ(NextCode("ZAKAZKY", "C_OBJ", "ZAK26", "ZAK269999"), "ZAK260010") << "typed prefix and bound";

    exec("insert into ZAKAZKY (C_OBJ, TYP_OBJ) values ('ZAK269999', 'Z')");
    EXPECT_THROW(NextCode("ZAKAZKY", "C_OBJ", "ZAK"), EDatabaseError) << "never ZAK2610000";
}

TEST_F(Keys, ItemCodesKeepTheWidthOfTheirNumber)
{
    exec("insert into POLOZKY (C_POL, TYP1) values ('V00123', 'V')");
    exec("insert into POLOZKY (C_POL, TYP1) values ('N999', 'N')");
    EXPECT_EQ(NextItemCode(" V "), "V00124");
    EXPECT_EQ(NextItemCode("N"), "N1000") << "the number grows past its width";
    EXPECT_EQ(NextItemCode("X"), "X1");
    EXPECT_EQ(NextItemCode("O'B"), "O'B1") << "an apostrophe typed in the prefix is harmless";
}

TEST_F(Keys, ItemCodesFollowTheNumericallyHighest)
{
    for (const char *code : {"V999", "V1000", "V0998", "VA77", "W5000"})
        exec(QStringLiteral("insert into POLOZKY (C_POL, TYP1) values ('%1', 'V')").arg(code));
    EXPECT_EQ(NextItemCode("V"), "V1001") << "V1000 is higher than V999, though it sorts before it as text";
    exec("insert into POLOZKY (C_POL, TYP1) values ('V01000', 'V')");
    EXPECT_EQ(NextItemCode("V"), "V01001") << "the same number written wider keeps its width";
    EXPECT_EQ(NextItemCode("V_"), "V_1") << "a LIKE wildcard in the prefix matches nothing else";
    EXPECT_EQ(NextItemCode("VA"), "VA78");
}

TEST_F(Keys, StatementsAndNamedQueries)
{
    EXPECT_EQ(ExecSqlParams("update ZAKAZKY set ODBERATEL=:o where C_OBJ=:c", {"Zlievareň 'Nová'", "ZAK250001"}), 1);
    EXPECT_EQ(SelectValueParams("select ODBERATEL from ZAKAZKY where C_OBJ=:c", {"ZAK250001"}).toString(),
              QString::fromUtf8("Zlievareň 'Nová'"));
    EXPECT_EQ(SelectValueParams("select C_ODB from ZAKAZKY where C_OBJ=:c", {"ZAK250001"}, 7).toInt(), 7)
        << "a null gives the default";
    EXPECT_EQ(SelectValueParams("select count(*) from ZAKAZKY where C_OBJ='X'").toInt(), 0);
    ExecSqlNoParams("execute block as declare x integer; begin x = 1; "
                    "update ZAKAZKY set POZNAMKA = 'blok' where C_OBJ = 'ZAK250001'; end");
    EXPECT_EQ(SelectValueParams("select POZNAMKA from ZAKAZKY").toString(), "blok");

    EXPECT_EQ(GetQuery(""), &DMZal->Query);
    EXPECT_EQ(FindQuery("Query1"), &DMZal->Query1);
    EXPECT_EQ(FindQuery("QZoznam"), nullptr);
    TxQuery *q = OpenQuery("select C_OBJ from ZAKAZKY where C_OBJ=:c", {"ZAK250001"}, "QZoznam");
    EXPECT_EQ(q->Name, "QZoznam");
    EXPECT_TRUE(q->Active());
    EXPECT_EQ(q->Fields(0)->AsString(), "ZAK250001");
    EXPECT_EQ(GetQuery("QZoznam"), q) << "created once, then reused";
    TDataSource *ds = GetDataSource(q);
    EXPECT_EQ(ds->Name, "DSQZoznam");
    EXPECT_FALSE(ds->AutoEdit);
    EXPECT_EQ(OpenQueryDS("select 1 from rdb$database", {}, "QZoznam"), ds);
    EXPECT_EQ(GetDataSource(&DMZal->Query), &DMZal->DSQuery);
}

TEST_F(Keys, StatementsRunInsideEachOtherAndBesideAnOpenList)
{
    exec("insert into ZAKAZKY (C_OBJ, TYP_OBJ) values ('ZAK260002', 'Z')");
    TxQuery *list = OpenQuery("select C_OBJ from ZAKAZKY order by C_OBJ");
    ASSERT_EQ(list, &DMZal->Query);
    list->Next();
    ASSERT_EQ(list->Fields(0)->AsString(), "ZAK260002");
    // A data set event that asks for a value while another statement runs.
    int seenInEvent = -1;
    TxQuery events;
    events.SetDatabase(&DMZal->DBZAL);
    events.AfterOpen = [&](TDataSet *) { seenInEvent = SelectValueParams("select count(*) from ZAKAZKY").toInt(); };
    events.SQL().SetText("select C_OBJ from ZAKAZKY");
    events.Open();
    EXPECT_EQ(seenInEvent, 2);
    EXPECT_EQ(ExecSqlParams("update ZAKAZKY set POZNAMKA=:p where C_OBJ=:c", {"x", "ZAK260002"}), 1);
    EXPECT_EQ(NextCode("ZAKAZKY", "C_OBJ", "ZAK"), "ZAK260003");
    EXPECT_EQ(SelectColumnParams("select C_OBJ from ZAKAZKY order by C_OBJ"), QStringList({"ZAK250001", "ZAK260002"}));
    EXPECT_TRUE(list->Active()) << "the open list keeps its rows and its place";
    EXPECT_EQ(list->Fields(0)->AsString(), "ZAK260002");
    list->Close();
}

} // namespace
