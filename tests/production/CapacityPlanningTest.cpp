// The planning run over a fresh database: what it loads, what the save writes (and leaves alone), the
// refusals that write nothing, and the plan rows' deletion.
#include "ProductionFixture.h"

#include "library/xDatabase.h"

namespace {

// Another workstation: its own attachment and transaction on the same file.
struct OtherWorkstation {
    TxDatabase db;
    TIBTransaction tr{&db};
    explicit OtherWorkstation(const QString &path)
    {
        db.DatabaseName = path;
        db.Params.SetValue(QStringLiteral("user_name"), QStringLiteral("SYSDBA"));
        db.SetDefaultTransaction(&tr);
        db.Open();
    }
    void exec(const QString &sql)
    {
        TIBQuery q;
        q.SetDatabase(&db);
        q.SQL().SetText(sql);
        q.ExecSQL();
    }
};

} // namespace

class CapacityPlanningTest : public ProductionTest {
protected:
    void SetUp() override
    {
        ProductionTest::SetUp();
        if (HasFatalFailure())
            return;
        workplace(QStringLiteral("FORM"));
        workplace(QStringLiteral("CIST"), 2);
    }
};

TEST_F(CapacityPlanningTest, ForwardRunSavesTheDayPlanThePeriodPlanAndRaisesTheJobs)
{
    openJob(260001, 3, "2026-04-01", 5);
    operation(260001, 10, "FORM", 100, 30, 20);
    operation(260001, 20, "CIST", 50);
    openJob(260002, 3, "2026-04-01", 40); // already further: keeps its state
    operation(260002, 10, "FORM", 0);     // no unit time: not planned
    vyroba->Planning.PlanPeriod = QStringLiteral("TYZDEN");
    ASSERT_TRUE(plan(1));
    // The cleaning starts at 350 minutes of the job's day: 100 minutes of one machine are left on Monday.
    EXPECT_EQ(dayPlan(),
              (QStringList{"16.3. 260001/10 FORM 3 330", "16.3. 260001/20 CIST 2 100", "17.3. 260001/20 CIST 1 50"}));
    EXPECT_EQ(count("select count(*) from SPLAN where OBDOBIE='TYZDEN' and MNOZ_PLAN=3"), 2);
    EXPECT_EQ(count("select STAV_ZAK from ZAKAZKYD where C_INT=260001"), 30);
    EXPECT_EQ(count("select STAV_ZAK from ZAKAZKYD where C_INT=260002"), 40);
    EXPECT_TRUE(responder->Texts().isEmpty()) << responder->Texts().join('|').toStdString();

    // A job with day-plan rows is not planned again.
    ASSERT_TRUE(plan(1, 260001, 0, QDate(2026, 3, 18)));
    EXPECT_EQ(dayPlan().size(), 3);
}

TEST_F(CapacityPlanningTest, SaveLeavesAnotherWorkstationsPlanWhole)
{
    openJob(260001, 2, "2026-04-01");
    operation(260001, 10, "FORM", 100);
    ASSERT_TRUE(plan(1, 260001)); // this workstation now holds the day plan in memory

    OtherWorkstation other(database.path());
    other.exec("insert into SPLAND (DATUM, C_INT, C_OPERACIE, PRACOVISKO, MNOZ_PLAN, NHOD_PLAN) "
               "values ('2026-03-17', 260009, 10, 'CIST', 4, 2)");
    other.exec("insert into SPLAN (OBDOBIE, C_INT, C_OPERACIE, MNOZ_PLAN) values (' ', 260009, 10, 4)");
    other.tr.Commit();

    openJob(260003, 1, "2026-04-01");
    operation(260003, 10, "FORM", 100);
    ASSERT_TRUE(plan(1, 260003));
    EXPECT_EQ(dayPlan(),
              (QStringList{"16.3. 260001/10 FORM 2 200", "16.3. 260003/10 FORM 1 100", "17.3. 260009/10 CIST 4 120"}));
    other.db.Close();
}

TEST_F(CapacityPlanningTest, SaveMergesThePeriodPlanOfItsOwnJobsOnly)
{
    openJob(260001, 2, "2026-04-01");
    operation(260001, 10, "FORM", 100);
    operation(260001, 20, "CIST", 50);
    ASSERT_TRUE(plan(1, 260001));
    // Day-plan rows of jobs outside the next run, without their period-plan rows: not that run's business.
    exec("insert into SPLAND (DATUM, C_INT, C_OPERACIE, PRACOVISKO, MNOZ_PLAN, NHOD_PLAN) "
         "values ('2026-03-20', 260000, 10, 'CIST', 1, 1)");
    exec("insert into SPLAND (DATUM, C_INT, C_OPERACIE, PRACOVISKO, MNOZ_PLAN, NHOD_PLAN) "
         "values ('2026-03-20', 260050, 10, 'CIST', 1, 1)");

    openJob(260003, 1, "2026-04-01");
    operation(260003, 10, "FORM", 100);
    openJob(260004, 1, "2026-04-01");
    operation(260004, 10, "CIST", 30);
    ASSERT_TRUE(plan(1));
    EXPECT_EQ(count("select count(*) from SPLAN where C_INT=260001"), 2);
    EXPECT_EQ(count("select count(*) from SPLAN where C_INT in (260003, 260004) and MNOZ_PLAN=1"), 2);
    EXPECT_EQ(count("select count(*) from SPLAN where C_INT in (260000, 260050)"), 0);
    EXPECT_EQ(count("select STAV_ZAK from ZAKAZKYD where C_INT=260004"), 30);

    // A run that places nothing writes no period plan and raises nothing.
    openJob(260005, 1, "2026-04-01");
    operation(260005, 10, "FORM", 0);
    ASSERT_TRUE(plan(1, 260005));
    EXPECT_EQ(count("select count(*) from SPLAN where C_INT=260005"), 0);
    EXPECT_EQ(count("select STAV_ZAK from ZAKAZKYD where C_INT=260005"), 5);
}

TEST_F(CapacityPlanningTest, AnOperationThatCannotBePlacedWritesNothing)
{
    openJob(260001, 2, "2026-04-01");
    operation(260001, 10, "FORM", 100);
    operation(260001, 20, "FORM", 500); // longer than the workplace's day
    EXPECT_FALSE(plan(1));
    EXPECT_EQ(responder->Texts(), QStringList{QString::fromUtf8(
                                      "Operáciu 20 zákazky 26/0001 na pracovisku FORM nie je možné zaplánovať.")});
    EXPECT_TRUE(dayPlan().isEmpty());
    EXPECT_EQ(count("select count(*) from SPLAN"), 0);
    EXPECT_EQ(count("select STAV_ZAK from ZAKAZKYD where C_INT=260001"), 5);
    EXPECT_FALSE(vyroba->Planning.Scheduler().HasDayPlan());
}

TEST_F(CapacityPlanningTest, AFailedSaveTakesTheDatabaseBackAndDropsTheTables)
{
    openJob(260001, 2, "2026-04-01");
    operation(260001, 10, "FORM", 100);
    vyroba->Planning.PlanPeriod = QString(30, QLatin1Char('P')); // longer than the column
    EXPECT_FALSE(plan(1));
    EXPECT_EQ(responder->Texts().size(), 1);
    EXPECT_TRUE(dayPlan().isEmpty());
    EXPECT_FALSE(vyroba->Planning.Scheduler().HasDayPlan());
    EXPECT_FALSE(dm->DBTransaction.IdleTimerHeld());

    vyroba->Planning.PlanPeriod = QStringLiteral(" ");
    ASSERT_TRUE(plan(1));
    EXPECT_EQ(dayPlan(), QStringList{"16.3. 260001/10 FORM 2 200"});
}

TEST_F(CapacityPlanningTest, BackwardRunSkipsJobsWithoutATermAndSaysSoOnce)
{
    openJob(260001, 1, "2026-03-25");
    operation(260001, 10, "FORM", 100);
    operation(260001, 20, "FORM", 300, 0, 60);
    openJob(260002, 1, QString());
    operation(260002, 10, "FORM", 100);
    operation(260002, 20, "FORM", 100);
    exec(QString::fromUtf8("insert into CSVIATKOV (DEN, NAZOV) values ('23.03', 'Sviatok')"));
    ASSERT_TRUE(plan(-1));
    EXPECT_EQ(responder->Texts().size(), 1);
    EXPECT_TRUE(responder->Texts().value(0).contains("26/0002"));
    // Monday is a holiday: the first operation goes back to Friday.
    EXPECT_EQ(dayPlan(), (QStringList{"20.3. 260001/10 FORM 1 100", "24.3. 260001/20 FORM 1 300"}));
}

TEST_F(CapacityPlanningTest, StoredPlanIsCleanedLoadedAndAnOverbookedDayIsReported)
{
    storedPlan(260008, 10, "2026-03-16", "FORM", 5, 500.0 / 60); // 500 minutes on a 450-minute day
    exec("insert into SPLAND (DATUM, C_INT, C_OPERACIE, PRACOVISKO, MNOZ_PLAN, NHOD_PLAN) "
         "values ('2026-03-16', 260007, 10, 'FORM', 1, 1)"); // no period plan: removed at load
    openJob(260001, 1, "2026-04-01");
    operation(260001, 10, "FORM", 100);
    ASSERT_TRUE(plan(1));
    const QString over = QString::fromUtf8("Denna kapacita pracoviska FORM < 0!");
    EXPECT_EQ(responder->Texts(), (QStringList{over, over}));
    EXPECT_EQ(dayPlan(), (QStringList{"17.3. 260001/10 FORM 1 100", "16.3. 260008/10 FORM 5 500"}));
}

TEST_F(CapacityPlanningTest, DeletingAPlanRowRemovesItsDayPlanAndTheNextRunReloads)
{
    openJob(260001, 1, "2026-04-01");
    operation(260001, 10, "FORM", 400);
    ASSERT_TRUE(plan(1));
    storedPlan(260002, 10, "2026-03-17", "FORM", 1, 1);
    TxDataSet &p = vyroba->QSPlan;
    p.SelectSQL.SetText("select * from SPlan where c_int=260001");
    p.Open();
    ASSERT_FALSE(p.IsEmpty());
    p.Delete();
    EXPECT_FALSE(vyroba->Planning.Scheduler().HasDayPlan());
    EXPECT_EQ(dayPlan(), QStringList{"17.3. 260002/10 FORM 1 60"});
    p.Close();
    // Planned again: the reloaded day plan knows of the other job's hour on Tuesday.
    ASSERT_TRUE(plan(1, 260001, 0, QDate(2026, 3, 17)));
    EXPECT_EQ(dayPlan(), (QStringList{"18.3. 260001/10 FORM 1 400", "17.3. 260002/10 FORM 1 60"}));
}

TEST_F(CapacityPlanningTest, DeletingAJobsRowsFromTheCurrentOneOn)
{
    openJob(260001, 1, "2026-04-01");
    operation(260001, 10, "FORM", 100);
    operation(260001, 20, "FORM", 100);
    operation(260001, 30, "FORM", 100);
    openJob(260002, 1, "2026-04-01");
    operation(260002, 10, "CIST", 100);
    ASSERT_TRUE(plan(1));
    vyroba->OpenPlanned(5, QStringLiteral(" "), QString(), true);
    TxDataSet &q = vyroba->QSPlan;
    q.FetchAll();
    ASSERT_EQ(q.RecordCount(), 4);
    ASSERT_TRUE(q.Locate("C_OPERACIE;C_INT", QVariantList{20, 260001}));
    vyroba->DeletePlanRowsOfJob();
    // The job's rows above the current one stay, so do the other job's.
    EXPECT_EQ(count("select count(*) from SPLAN where C_INT=260001"), 1);
    EXPECT_EQ(count("select count(*) from SPLAN where C_INT=260002"), 1);
    EXPECT_EQ(dayPlan(), (QStringList{"16.3. 260001/10 FORM 1 100", "16.3. 260002/10 CIST 1 100"}));

    vyroba->DeletePlanRows({});
    EXPECT_EQ(count("select count(*) from SPLAN"), 1);
    vyroba->DeleteAllPlanRows();
    EXPECT_EQ(count("select count(*) from SPLAN"), 0);
    EXPECT_TRUE(dayPlan().isEmpty());
}
