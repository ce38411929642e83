// The maintenance and the recalculation tools on fresh databases.
#include "shell/AdminSql.h"
#include "shell/AdminTools.h"
#include "shell/Routines.h"
#include "common/ModuleFixture.h"
#include "platform/os/Exception.h"
#include "platform/os/Format.h"

namespace {

class MaintenanceTest : public ModuleTest {
protected:
    QStringList activeTriggers()
    {
        QStringList t = SelectColumnParams(AdminSql::ActiveTriggers);
        t.sort();
        return t;
    }
    // A performance row of job 260001, operation 10.
    void performance(const QString &date, int osc, double quantity, double hours, double worked = 0)
    {
        exec(QStringLiteral("insert into SVYKONY (DATUM, OSC, C_INT, C_OPERACIE, MNOZSTVO, NHOD, OHOD, MZDA) "
                            "values ('%1', %2, 260001, 10, %3, %4, %5, 0)")
                 .arg(date, QString::number(osc), QString::number(quantity), QString::number(hours),
                      QString::number(worked)));
    }
};

TEST_F(MaintenanceTest, DecliningTheFirstQuestionChangesNothing)
{
    performance("2001-01-05", 1, 1, 1);
    TTestResponder answers;
    EXPECT_EQ(Maintenance(), QString());
    EXPECT_EQ(answers.Messages.size(), 1);
    EXPECT_EQ(answers.Messages.first().Caption, QString::fromUtf8("Údržba DATABÁZY"));
    EXPECT_EQ(count("select count(*) from SVYKONY"), 1);
}

TEST_F(MaintenanceTest, PurgesOldRowsReportsSixLinesAndLeavesEveryTriggerActive)
{
    const QStringList before = activeTriggers();
    ASSERT_FALSE(before.isEmpty());
    performance("2001-01-05", 1, 1, 1); // older than ten years on 16 March 2026
    performance("2020-01-05", 1, 1, 1);
    TTestResponder answers;
    answers.MessageAnswers = {mrYes, mrNo}; // maintenance yes, zero stock no
    const QString report = Maintenance();
    EXPECT_EQ(report, "SVykony: 1\nSOdvody: 0\nSDochadzka: 0\nMPohyby: 0\nEDListy: 0\nZakazky: 0");
    EXPECT_EQ(answers.Messages.last().Text, report);
    EXPECT_EQ(count("select count(*) from SVYKONY"), 1);
    EXPECT_EQ(activeTriggers(), before);
    EXPECT_EQ(count("select count(*) from RDB$INDICES where RDB$INDEX_INACTIVE=1"), 0);
}

TEST_F(MaintenanceTest, AFailureHalfWayLeavesEveryTriggerActiveAndNothingPurged)
{
    const QStringList before = activeTriggers();
    performance("2001-01-05", 1, 1, 1);
    exec("insert into SDOCHADZKA (DATUM, OSC, ZMENA) values ('2001-01-05', 1, 0)");
    // A row that holds on to the old attendance day: its deletion fails after the performances went.
    exec("create table T21_HOLD (DATUM date not null, OSC smallint not null, ZMENA smallint not null, "
         "foreign key (DATUM, OSC, ZMENA) references SDOCHADZKA (DATUM, OSC, ZMENA))");
    exec("insert into T21_HOLD values ('2001-01-05', 1, 0)");
    TTestResponder answers;
    answers.MessageAnswers = {mrYes, mrNo};
    EXPECT_THROW(Maintenance(), EDatabaseError);
    EXPECT_EQ(activeTriggers(), before);
    EXPECT_EQ(count("select count(*) from SVYKONY"), 1) << "the purge is all or nothing";
    EXPECT_EQ(count("select count(*) from SDOCHADZKA"), 1);
}

TEST_F(MaintenanceTest, WarnsWhenOtherWorkstationsAreAttached)
{
    TIBDatabase other;
    TIBTransaction tr(&other);
    other.DatabaseName = database.path();
    other.Params.SetValue("user_name", "SYSDBA");
    other.SetDefaultTransaction(&tr);
    other.Open();
    performance("2001-01-05", 1, 1, 1);
    TTestResponder answers;
    answers.MessageAnswers = {mrYes, mrNo}; // maintenance yes, despite the other workstation no
    EXPECT_EQ(Maintenance(), QString());
    ASSERT_EQ(answers.Messages.size(), 2);
    EXPECT_TRUE(answers.Messages[1].Text.contains(QString::fromUtf8("ďalšie stanice (1)")));
    EXPECT_EQ(count("select count(*) from SVYKONY"), 1);
    other.Close();
}

TEST_F(MaintenanceTest, BulkMarksOnlyRaiseStatesAndListFinishedJobsShortOfHandOvers)
{
    // Hand-overs and delivery lines without their stock movements.
    exec("alter trigger SODVODY_AI inactive");
    exec("alter trigger EDLISTYD_AI inactive");
    exec("insert into ZAKAZKY (C_OBJ) values ('O1')");
    const QString item = "insert into ZAKAZKYD (C_INT, C_OBJ, C_VYR, MNOZ_OBJ, MNOZ_VYR, STAV_ZAK, TERMIN) "
                         "values (%1, 'O1', 'V%1', 10, 10, %2, '%3')";
    exec(item.arg(260001).arg(40).arg("2026-03-10")); // all handed over and delivered
    exec(item.arg(260002).arg(40).arg("2026-03-10")); // half handed over
    exec(item.arg(260003).arg(95).arg("2026-03-10")); // above handed over already
    // The list looks 30 days back from the server's own date.
    const QString recent =
        value(QStringLiteral("select current_date from rdb$database")).toDate().addDays(-5).toString(Qt::ISODate);
    exec(item.arg(260004).arg(100).arg(recent));       // finished, nothing handed over
    exec(item.arg(260005).arg(100).arg("2001-01-10")); // finished long ago
    const QString handOver =
        "insert into SODVODY (DATUM, C_INT, C_DOKLADU, MNOZSTVO) values ('2026-03-01', %1, %2, %3)";
    exec(handOver.arg(260001).arg(1).arg(10));
    exec(handOver.arg(260002).arg(2).arg(5));
    exec(handOver.arg(260003).arg(3).arg(10));
    exec("insert into EDLISTY (C_DL) values (1)");
    exec("insert into EDLISTYD (C_DL, C_VYR, C_INT, MNOZ_VYR) values (1, 'V260001', 260001, 10)");
    TTestResponder answers;
    answers.MessageAnswers = {mrYes, mrOk, mrYes, mrOk, mrOk};
    const QString list = MarkHandedOverAndDelivered();
    const auto state = [&](int cInt) {
        return SelectValueParams("select STAV_ZAK from ZAKAZKYD where C_INT=:c", {cInt}).toInt();
    };
    EXPECT_EQ(state(260001), 100);
    EXPECT_EQ(state(260002), 40);
    EXPECT_EQ(state(260003), 95);
    EXPECT_EQ(answers.Texts()[1], QString::fromUtf8("Bolo označených 1 zákaziek ako odvedené."));
    EXPECT_EQ(answers.Texts()[3], QString::fromUtf8("Bolo označených 1 zákaziek ako ukončené."));
    EXPECT_EQ(list.toStdString(),
              QString::fromUtf8("Zoznam zákaziek, ktoré sú označené ako ukončené,\r\n"
                                " ale odvedené množstvo je menšie ako vyrábané :\r\n\r\n260004 V260004")
                  .toStdString());
    EXPECT_EQ(answers.Texts().last(), list);

    // Declining both marks still shows the list, with its header even when empty.
    exec("update ZAKAZKYD set STAV_ZAK=40 where C_INT=260004");
    answers.Messages.clear();
    answers.MessageAnswers = {mrNo, mrNo, mrOk};
    EXPECT_TRUE(MarkHandedOverAndDelivered().endsWith(QString::fromUtf8("vyrábané :\r\n")));
    EXPECT_EQ(answers.Messages.size(), 3);
}

TEST(AdminTools, ProposedDates)
{
    EXPECT_EQ(PerformanceHoursFrom(QDate(2026, 3, 15)), QDate(2026, 3, 1));
    EXPECT_EQ(PerformanceHoursFrom(QDate(2026, 3, 5)), QDate(2026, 2, 1));
    EXPECT_EQ(TechnologyHoursFrom(QDate(2026, 3, 16)), QDate(2025, 12, 1));
}

TEST_F(MaintenanceTest, PerformanceHoursAndWagesFromTheJobsOperations)
{
    exec("insert into CTARIFOV (TARIF, MZDAH) values ('T5', 6)");
    exec("insert into POLOZKY (C_POL, NAZOV) values ('V1', 'Odliatok')");
    exec("insert into ZAKAZKY (C_OBJ) values ('O1')");
    exec("insert into ZAKAZKYD (C_INT, C_OBJ, C_VYR) values (260001, 'O1', 'V1')");
    exec("insert into ZAKOPERACIE (C_INT, C_OPERACIE, CAS_JED, TARIF) values (260001, 10, 3, 'T5')");
    performance("2026-03-02", 1, 40, 0);   // since 1 March: 40 pieces x 3 min = 2 h, wage 2 h x 6
    performance("2026-02-27", 2, 40, 0.5); // before: unchanged
    TTestResponder answers;
    answers.MessageAnswers = {mrYes};
    UpdatePerformanceHours();
    EXPECT_EQ(answers.Messages.first().Text,
              QString::fromUtf8("Aktualizovať normočasy a mzdy vo výkonoch od ") + DateToStr(QDate(2026, 3, 1)));
    EXPECT_DOUBLE_EQ(SelectValueParams("select NHOD from SVYKONY where OSC=1").toDouble(), 2.0);
    EXPECT_DOUBLE_EQ(SelectValueParams("select MZDA from SVYKONY where OSC=1").toDouble(), 12.0);
    EXPECT_DOUBLE_EQ(SelectValueParams("select NHOD from SVYKONY where OSC=2").toDouble(), 0.5);

    // The wages alone from a typed date; a text that is no date runs nothing.
    exec("update CTARIFOV set MZDAH=10");
    answers.InputAnswers = {QString("x.2.2026")};
    EXPECT_THROW(UpdatePerformanceWages(), EConvertError);
    EXPECT_DOUBLE_EQ(SelectValueParams("select MZDA from SVYKONY where OSC=1").toDouble(), 12.0);
    answers.InputAnswers = {DateToStr(QDate(2026, 2, 1))};
    UpdatePerformanceWages();
    EXPECT_DOUBLE_EQ(SelectValueParams("select MZDA from SVYKONY where OSC=1").toDouble(), 20.0);
    EXPECT_DOUBLE_EQ(SelectValueParams("select MZDA from SVYKONY where OSC=2").toDouble(), 5.0);
}

TEST_F(MaintenanceTest, TechnologyUnitTimesFromWorkedHours)
{
    exec("insert into POLOZKY (C_POL, NAZOV) values ('V1', 'Odliatok')");
    exec("insert into ZAKAZKY (C_OBJ) values ('O1')");
    exec("insert into ZAKAZKYD (C_INT, C_OBJ, C_VYR) values (260001, 'O1', 'V1')");
    exec("insert into TOPERACIE (C_VYR, C_OPERACIE, OPERACIA, CAS_JED, CAS_STROJ) values ('V1', 10, 'BRU', 9, 0)");
    performance("2026-01-10", 1, 30, 0, 1); // 60 minutes for 30 pieces
    performance("2026-01-11", 2, 10, 0, 1); // and 60 for 10: 120 / 40 = 3 min a piece
    performance("2025-06-01", 3, 1, 0, 10); // before the date: not counted
    exec("update SVYKONY set OPERACIA='BRU'");
    TTestResponder answers;
    answers.InputAnswers = {QVariant()};
    UpdateTechnologyHours(); // cancelled
    EXPECT_EQ(answers.Inputs.first().Value, DateToStr(QDate(2025, 12, 1)));
    EXPECT_DOUBLE_EQ(SelectValueParams("select CAS_JED from TOPERACIE").toDouble(), 9.0);
    answers.InputAnswers = {DateToStr(QDate(2025, 12, 1))};
    UpdateTechnologyHours();
    EXPECT_DOUBLE_EQ(SelectValueParams("select CAS_JED from TOPERACIE").toDouble(), 3.0);
}

} // namespace
