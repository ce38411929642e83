// The attendance and wages on fresh databases: the month's fund, the day's defaults and checks, the
// derived wage fields, the piece wage taken over, the procedure's run with a locked record, the summary
// of the performances.
#include "WorkshopFixture.h"

namespace {

class Wages : public WorkshopTest {
protected:
    void SetUp() override
    {
        WorkshopTest::SetUp();
        if (HasFatalFailure())
            return;
        employee(57, "Novák");
        employee(58, "Horváth");
        mzdy->SetMonth(2026, 3);
        mzdy->QZamestnanci.Open();
        ASSERT_TRUE(mzdy->QZamestnanci.Locate("OSC", 57));
    }
    void openDay(const QDate &day)
    {
        mzdy->DayDate = day;
        TxQuery &q = mzdy->QDochadzka;
        q.Close();
        q.SQL().SetText(QStringLiteral("select * from SDochadzka where osc=:osc and datum=:datum and zmena=:zmena"));
        q.ParamByName("datum").SetValue(day);
        q.ParamByName("zmena").SetValue(1);
        q.Open();
    }
    TField *day(const char *name) { return mzdy->QDochadzka.FieldByName(QString::fromLatin1(name)); }
    void keyOfNewDay(const QDate &date)
    {
        day("OSC")->SetValue(57);
        day("DATUM")->SetValue(date);
        day("ZMENA")->SetValue(1);
    }
    void openWage()
    {
        mzdy->QMzdy.Close();
        mzdy->QMzdy.ParamByName("rok").SetValue(2026);
        mzdy->QMzdy.ParamByName("mesiac").SetValue(3);
        mzdy->QMzdy.Open();
    }
    TField *wage(const char *name) { return mzdy->QMzdy.FieldByName(QString::fromLatin1(name)); }
    // Performances of March's first and last day and of the days around it; March's piece wage taken over.
    void takeOverMarchsPieceWage()
    {
        bookableJob();
        booked("2026-03-01", 57, 10, 10, 0, 100.25);
        booked("2026-03-31", 57, 20, 10, 0, 20);
        booked("2026-02-28", 57, 20, 11, 0, 999);
        booked("2026-04-01", 57, 20, 11, 0, 999);
        openWage();
        mzdy->TakeOverPieceWage(57);
    }
};

TEST_F(Wages, MonthFundCountsWorkingDaysAndWeekdayHolidays)
{
    // March 2026: 22 working days; the 18th is a Wednesday, the 21st a Saturday.
    EXPECT_DOUBLE_EQ(mzdy->MonthHourFund(), 22 * 7.5);
    exec(QStringLiteral("insert into CSVIATKOV (DEN, NAZOV) values ('18.03', 'Sviatok')"));
    exec(QStringLiteral("insert into CSVIATKOV (DEN, NAZOV) values ('21.03', 'Sobota')"));
    cis->ClearHolidayCache();
    const TMonthDays days = TDMMzdy::CountMonthDays(2026, 3);
    EXPECT_EQ(days.working, 21);
    EXPECT_EQ(days.holidays, 1);
    EXPECT_EQ(days.weekend, 9);
    EXPECT_DOUBLE_EQ(mzdy->MonthHourFund(), 165);
}

TEST_F(Wages, NewDaysGetTheCalendarsDefaults)
{
    openDay(QDate(2026, 3, 16));
    ASSERT_EQ(mzdy->QDochadzka.State(), dsInsert) << "an empty day is ready to type";
    EXPECT_DOUBLE_EQ(day("OHOD")->AsFloat(), 7.5);
    EXPECT_DOUBLE_EQ(day("PLATVOL")->AsFloat(), 0);
    EXPECT_DOUBLE_EQ(day("DOVOLENKA")->AsFloat(), 0);
    openDay(QDate(2026, 3, 14));
    EXPECT_DOUBLE_EQ(day("OHOD")->AsFloat(), 0) << "Saturday";
    exec(QStringLiteral("insert into CSVIATKOV (DEN, NAZOV) values ('18.03', 'Sviatok')"));
    cis->ClearHolidayCache();
    openDay(QDate(2026, 3, 18));
    EXPECT_DOUBLE_EQ(day("OHOD")->AsFloat(), 0);
    EXPECT_DOUBLE_EQ(day("PLATVOL")->AsFloat(), 7.5);
}

TEST_F(Wages, DayHoursAreCheckedAndAnEmptyDayIsNotKept)
{
    openDay(QDate(2026, 3, 16));
    keyOfNewDay(QDate(2026, 3, 16));
    day("OHOD")->SetValue(6.0);
    day("DOVOLENKA")->SetValue(1.5);
    mzdy->QDochadzka.Post();
    EXPECT_TRUE(responder->Messages.isEmpty());
    EXPECT_EQ(count("select count(*) from SDOCHADZKA"), 1);

    mzdy->QDochadzka.Edit();
    day("OHOD")->SetValue(8.0);
    mzdy->QDochadzka.Post();
    ASSERT_EQ(responder->Messages.size(), 1);
    EXPECT_TRUE(responder->Messages[0].Text.startsWith(QString::fromUtf8("Súčet hodín je rôzny od 7")));
    EXPECT_DOUBLE_EQ(value("select OHOD from SDOCHADZKA").toDouble(), 8) << "saved all the same";

    mzdy->QDochadzka.Edit();
    day("RHOD")->SetValue(2.0);
    EXPECT_THROW(mzdy->QDochadzka.Post(), EDatabaseError);
    day("RDOVOD")->SetValue(QStringLiteral("UD"));
    mzdy->QDochadzka.Post();

    mzdy->QDochadzka.Edit();
    for (const QString &name : TDMMzdy::HourFields())
        mzdy->QDochadzka.FieldByName(name)->SetValue(0.0);
    mzdy->QDochadzka.Post();
    EXPECT_EQ(count("select count(*) from SDOCHADZKA"), 0);
}

TEST_F(Wages, TotalRoundsHalvesToEvenAndTheHourlyWageSetsTheOverhead)
{
    openWage();
    ASSERT_TRUE(mzdy->QMzdy.IsEmpty());
    mzdy->QMzdy.Append();
    EXPECT_EQ(wage("OSC")->AsInteger(), 57);
    EXPECT_EQ(wage("ROK")->AsInteger(), 2026);
    EXPECT_EQ(wage("MESIAC")->AsInteger(), 3);
    wage("MZDA_VYK")->SetValue(800.0);
    wage("OHOD")->SetValue(160.0);
    wage("MZDA_HOD")->SetValue(6.0);
    EXPECT_DOUBLE_EQ(wage("MZDA_REZ")->AsFloat(), 160);
    mzdy->QMzdy.Post();
    EXPECT_DOUBLE_EQ(wage("UKOL_HOD")->AsFloat(), 5);
    for (const auto &[parts, total] :
         std::initializer_list<std::pair<double, double>>{{100.5, 100}, {101.5, 102}, {100.6, 101}}) {
        mzdy->QMzdy.Edit();
        wage("MZDA_VYK")->SetValue(parts);
        wage("MZDA_REZ")->SetValue(0.0);
        wage("PREMIE")->SetValue(0.0);
        mzdy->QMzdy.Post();
        EXPECT_DOUBLE_EQ(wage("Mzda_celkom")->AsFloat(), total) << parts;
    }
    mzdy->QMzdy.Edit();
    wage("OHOD")->SetValue(0.4);
    mzdy->QMzdy.Post();
    EXPECT_DOUBLE_EQ(wage("UKOL_HOD")->AsFloat(), 0) << "worked hours that round to 0";
}

TEST_F(Wages, PieceWageTakenOverFromTheMonthsPerformances)
{
    takeOverMarchsPieceWage();
    EXPECT_EQ(mzdy->QMzdy.State(), dsInsert);
    EXPECT_DOUBLE_EQ(wage("MZDA_VYK")->AsFloat(), 120.25);
    mzdy->QMzdy.Post();
    EXPECT_DOUBLE_EQ(value("select MZDA_VYK from SMZDY where OSC=57 and MESIAC=3").toDouble(), 120.25);
}

// A month's bounds go to the server as dates, whatever the user's date format writes them as.
TEST_F(Wages, PieceWageTakenOverWhenDatesAreWrittenWithSlashes)
{
    LoadFormatSettingsFromLocale(QLocale(QLocale::English, QLocale::UnitedKingdom));
    ASSERT_EQ(DateStr(QDate(2026, 3, 1)), "01/03/2026");
    takeOverMarchsPieceWage();
    EXPECT_DOUBLE_EQ(wage("MZDA_VYK")->AsFloat(), 120.25);
}

// The run under en_GB (see the tests' registration) really writes its dates with slashes.
TEST_F(Wages, TheRunsDateFormatIsTheLocalesOne)
{
    const bool english =
        qEnvironmentVariableIsSet("TARVIS_TEST_SYSTEM_LOCALE") && qEnvironmentVariable("LC_ALL").startsWith("en_GB");
    EXPECT_EQ(DateStr(QDate(2026, 3, 1)), english ? "01/03/2026" : "01.03.2026");
}

TEST_F(Wages, TheProcedureComputesTheMonthAndLeavesALockedRecord)
{
    bookableJob();
    booked("2026-03-02", 57, 10, 10, 0, 100);
    booked("2026-03-02", 58, 10, 10, 0, 100);
    exec(QStringLiteral("insert into SDOCHADZKA (DATUM, OSC, ZMENA, OHOD) values ('2026-03-02', 57, 1, 8)"));
    exec(QStringLiteral("insert into SDOCHADZKA (DATUM, OSC, ZMENA, OHOD) values ('2026-03-02', 58, 1, 8)"));
    exec(QStringLiteral("insert into SMZDY (ROK, MESIAC, OSC, MZDA_VYK, ZAMKNUTY) values (2026, 3, 58, 1, 1)"));
    responder->InputAnswers.push_back(QStringLiteral("10"));
    openWage();
    mzdy->ComputeMonthWages();
    ASSERT_EQ(responder->Inputs.size(), 1);
    EXPECT_EQ(responder->Inputs[0].Caption, QString::fromUtf8("Počítať prémie ?"));
    EXPECT_DOUBLE_EQ(value("select MZDA_VYK from SMZDY where OSC=57").toDouble(), 100);
    EXPECT_DOUBLE_EQ(value("select PREMIE from SMZDY where OSC=57").toDouble(), 16.4 * 12.5) << "10 % → 16.4 h";
    EXPECT_DOUBLE_EQ(value("select MZDA_VYK from SMZDY where OSC=58").toDouble(), 1) << "locked";
    EXPECT_FALSE(mzdy->QMzdy.IsEmpty()) << "reopened";

    // A percentage in words is refused in Slovak and computes nothing: the premium stays.
    responder->InputAnswers.push_back(QString::fromUtf8("desať"));
    EXPECT_THROW(mzdy->ComputeMonthWages(), EConvertError);
    EXPECT_DOUBLE_EQ(value("select PREMIE from SMZDY where OSC=57").toDouble(), 16.4 * 12.5);
}

TEST_F(Wages, PerformanceSummaryLeavesTheRatioEmptyWithoutWorkedHours)
{
    bookableJob();
    booked("2026-03-02", 57, 10, 10, 0, 100, 1, 6);
    booked("2026-03-03", 57, 10, -2, 0, -20, 1, -1.2);
    TxQuery &q = mzdy->QVykony;
    q.ParamByName("D_od").SetValue(mzdy->MonthStart());
    q.ParamByName("D_do").SetValue(mzdy->MonthEnd());
    q.Open();
    EXPECT_DOUBLE_EQ(mzdy->PerformanceSummary.mzda, 80);
    EXPECT_DOUBLE_EQ(mzdy->PerformanceSummary.nhodStorna, 1.2);
    EXPECT_EQ(mzdy->PerformanceSummary.daysWithWage, 1);
    EXPECT_EQ(mzdy->PerformanceSummary.perShift, QString()) << "no worked hours: nothing to divide by";
    q.Close();
    exec(QStringLiteral("insert into SDOCHADZKA (DATUM, OSC, ZMENA, OHOD) values ('2026-03-02', 57, 1, 7.5)"));
    q.Open();
    EXPECT_EQ(mzdy->PerformanceSummary.perShift, "4,80") << "4.8 norm hours over 7.5 worked";
}

} // namespace
