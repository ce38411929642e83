// The planning run over a fresh database: what it loads, what the save writes (and leaves alone), the
// refusals that write nothing, the plan rows' deletion, and runs of two workstations taking turns.
#include "ProductionFixture.h"

#include "library/xDatabase.h"
#include "library/xQuery.h"
#include "platform/db/SqlWait.h"
#include "platform/fbapi/Attachment.h"
#include "platform/fbapi/Decode.h"
#include "platform/fbapi/Statement.h"
#include "platform/fbapi/Transaction.h"

#include <atomic>
#include <thread>

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

// Another workstation's planner: its own planning tables over its own connection.
struct OtherPlanner : OtherWorkstation {
    TxQuery query;
    TCapacityPlanning planning{query};
    explicit OtherPlanner(const QString &path) : OtherWorkstation(path) { query.SetDatabase(&db); }
    bool plan(int cInt, const QDate &start = QDate(2026, 3, 16))
    {
        return planning.RunCapacityPlanning(TPlanningRequest{1, cInt, 0, start});
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

    // A job with day-plan rows is not planned again, nor an operation without a unit time: each is said.
    for (const TPlanningRequest &request :
         {TPlanningRequest{1, 260001, 0, QDate(2026, 3, 18)}, TPlanningRequest{1, 260002, 10, QDate(2026, 3, 18)}}) {
        responder->Messages.clear();
        ASSERT_TRUE(vyroba->Planning.RunCapacityPlanning(request));
        EXPECT_EQ(responder->Texts(), QStringList{TCapacityPlanning::NothingToPlanText(request)});
    }
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

// Day-plan rows without a period plan go where a run would be misled by them: from its first day on (they
// would book minutes) and at a job it may plan (it would not be planned); a past row of a finished job is
// history and stays.
TEST_F(CapacityPlanningTest, RowsWithoutAPeriodPlanGoWhereTheRunDependsOnThem)
{
    const auto orphan = [this](int job, const char *date) {
        exec(QStringLiteral("insert into SPLAND (DATUM, C_INT, C_OPERACIE, PRACOVISKO, MNOZ_PLAN, NHOD_PLAN) "
                            "values ('%1', %2, 10, 'FORM', 1, 1)")
                 .arg(QString::fromLatin1(date))
                 .arg(job));
    };
    openJob(260002, 1, "2026-04-01");
    operation(260002, 10, "FORM", 100);
    orphan(260002, "2026-03-02");
    openJob(260003, 1, "2026-04-01", 100);
    orphan(260003, "2026-03-02");
    openJob(260004, 1, "2026-04-01", 100);
    orphan(260004, "2026-03-16");
    storedPlan(260005, 10, "2026-03-03", "FORM", 1, 1);
    exec("update ZAKAZKYD set STAV_ZAK=100 where C_INT=260005");
    ASSERT_TRUE(plan(1));
    EXPECT_EQ(dayPlan(),
              (QStringList{"16.3. 260002/10 FORM 1 100", "2.3. 260003/10 FORM 1 60", "3.3. 260005/10 FORM 1 60"}));

    // A run from the earliest day looks through them all.
    ASSERT_TRUE(plan(-1));
    EXPECT_EQ(dayPlan(), (QStringList{"16.3. 260002/10 FORM 1 100", "3.3. 260005/10 FORM 1 60"}));
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

// Whether a statement of another connection is under way on the planning lock row: a run waiting for it.
bool runWaitsForTheLock(fb::Attachment &watcher)
{
    fb::Transaction tr(watcher, fb::Transaction::ReadOnly);
    fb::Statement st;
    st.prepare(tr, QStringLiteral("select count(*) from MON$STATEMENTS where MON$STATE=1 and "
                                  "MON$ATTACHMENT_ID<>CURRENT_CONNECTION and MON$SQL_TEXT containing 'SPlanZamok'"));
    st.openCursor(tr);
    const bool waits = st.fetchNext() && fb::decode(st.outputs().at(0), st.row()).toInt() > 0;
    st.closeCursor();
    tr.commit();
    return waits;
}

// Two workstations planning onto the same workplace and days. Not in the second locale's run: one case waits
// for the lock's time-out.
class PlanningTurnsTest : public CapacityPlanningTest {
protected:
    // Days of a workplace whose booked minutes exceed its capacity of one machine's 450 minutes.
    int overbookedDays(const QString &code)
    {
        return count(QStringLiteral("select count(*) from (select DATUM from SPLAND where PRACOVISKO='%1' group by "
                                    "DATUM having sum(NHOD_PLAN)*60>450.001)")
                         .arg(code));
    }
    void jobOnForm(int cInt, int pieces)
    {
        openJob(cInt, pieces, "2026-04-01");
        operation(cInt, 10, "FORM", 100);
    }
};

TEST_F(PlanningTurnsTest, EachRunCountsWhatTheOtherWorkstationSavedMeanwhile)
{
    OtherPlanner other(database.path());
    for (int job = 260001; job <= 260004; ++job)
        jobOnForm(job, job <= 260002 ? 1 : 3);
    // Both have planned once, so both have read the stored plan before.
    ASSERT_TRUE(plan(1, 260001));
    ASSERT_TRUE(other.plan(260002));
    // Monday has 250 minutes left: two pieces there, the third on Tuesday.
    ASSERT_TRUE(plan(1, 260003));
    // Monday's 50 minutes take no piece.
    ASSERT_TRUE(other.plan(260004));
    EXPECT_EQ(dayPlan(),
              (QStringList{"16.3. 260001/10 FORM 1 100", "16.3. 260002/10 FORM 1 100", "16.3. 260003/10 FORM 2 200",
                           "17.3. 260003/10 FORM 1 100", "17.3. 260004/10 FORM 3 300"}));
    EXPECT_EQ(overbookedDays("FORM"), 0);
    EXPECT_TRUE(responder->Texts().isEmpty()) << responder->Texts().join('|').toStdString();
    other.db.Close();
}

TEST_F(PlanningTurnsTest, ARunWaitsForTheOtherAndGivesUpWithAMessageWhenItTakesTooLong)
{
    OtherPlanner other(database.path());
    jobOnForm(260001, 4);
    jobOnForm(260002, 2);
    // The other workstation starts its run while this one is placing its operations.
    bool otherPlanned = true;
    int calls = 0;
    TCapacityScheduler &s = vyroba->Planning.Scheduler();
    s.IsHoliday = [&](const QDate &) {
        if (++calls == 1)
            otherPlanned = other.plan(260002);
        return false;
    };
    ASSERT_TRUE(plan(1, 260001));
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(otherPlanned);
    EXPECT_EQ(responder->Texts(), QStringList{TCapacityPlanning::BusyText()});
    EXPECT_EQ(dayPlan(), (QStringList{"16.3. 260001/10 FORM 4 400"}));
    EXPECT_EQ(count("select STAV_ZAK from ZAKAZKYD where C_INT=260002"), 5);

    // Tried again, it goes after this workstation's plan.
    ASSERT_TRUE(other.plan(260002));
    EXPECT_EQ(dayPlan(), (QStringList{"16.3. 260001/10 FORM 4 400", "17.3. 260002/10 FORM 2 200"}));
    EXPECT_EQ(overbookedDays("FORM"), 0);
    other.db.Close();
}

TEST_F(PlanningTurnsTest, AWaitingRunGoesOnWhenTheOtherCommitsAndCountsItsPlan)
{
    jobOnForm(260001, 2);
    fb::ConnectParams sysdba;
    sysdba.userName = QStringLiteral("SYSDBA");
    // Another workstation's run holds the lock and has booked 300 minutes of Monday, not yet committed.
    fb::Attachment holder;
    holder.attach(database.path(), sysdba);
    fb::Transaction held(holder);
    held.execute(QStringLiteral("update SPLANZAMOK set ZACIATOK=current_timestamp where ID=1"));
    held.execute(QStringLiteral("insert into SPLAND (DATUM, C_INT, C_OPERACIE, PRACOVISKO, MNOZ_PLAN, NHOD_PLAN) "
                                "values ('2026-03-16', 260009, 10, 'FORM', 3, 5)"));
    held.execute(
        QStringLiteral("insert into SPLAN (OBDOBIE, C_INT, C_OPERACIE, MNOZ_PLAN) values (' ', 260009, 10, 3)"));

    // It commits once the run here is seen waiting for the lock.
    std::atomic<bool> planned{false}, sawWait{false};
    std::thread other([&] {
        fb::Attachment watcher;
        watcher.attach(database.path(), sysdba);
        for (int poll = 0; poll < 100000 && !planned && !sawWait; ++poll)
            sawWait = runWaitsForTheLock(watcher);
        held.commit();
        watcher.detach();
    });
    const bool ok = plan(1, 260001);
    planned = true;
    other.join();
    holder.detach();
    EXPECT_TRUE(sawWait);
    ASSERT_TRUE(ok) << responder->Texts().join('|').toStdString();
    EXPECT_TRUE(responder->Texts().isEmpty()) << responder->Texts().join('|').toStdString();
    EXPECT_EQ(dayPlan(),
              (QStringList{"16.3. 260001/10 FORM 1 100", "17.3. 260001/10 FORM 1 100", "16.3. 260009/10 FORM 3 300"}));
}

TEST_F(PlanningTurnsTest, AStoppedRunLetsTheOtherWorkstationPlanAtOnce)
{
    OtherPlanner other(database.path());
    jobOnForm(260001, 1);
    operation(260001, 20, "FORM", 500); // longer than the workplace's day
    jobOnForm(260002, 1);
    jobOnForm(260003, 1);
    jobOnForm(260004, 1);
    EXPECT_FALSE(plan(1, 260001));
    // Were the lock still held, this would wait for it and give up.
    ASSERT_TRUE(other.plan(260002));

    vyroba->Planning.PlanPeriod = QString(30, QLatin1Char('P')); // longer than the column: the save fails
    EXPECT_FALSE(plan(1, 260003));
    ASSERT_TRUE(other.plan(260004));
    EXPECT_EQ(responder->Texts().size(), 2);
    EXPECT_FALSE(responder->Texts().contains(TCapacityPlanning::BusyText()));
    EXPECT_EQ(dayPlan(), (QStringList{"16.3. 260002/10 FORM 1 100", "16.3. 260004/10 FORM 1 100"}));
    other.db.Close();
}

TEST_F(CapacityPlanningTest, ARunReadsTheStoredPlanInOneStatementHoweverLongItIs)
{
    for (int job = 260001; job <= 260003; ++job) {
        openJob(job, 1, "2026-04-01");
        operation(job, 10, "FORM", 100);
    }
    storedPlan(260008, 10, "2026-03-16", "CIST", 1, 1);
    ASSERT_TRUE(plan(1, 260001)); // the workplaces are read at the first run only
    int shortPlan = 0;
    {
        StatementCounter counter;
        ASSERT_TRUE(plan(1, 260002));
        shortPlan = counter.begun;
    }
    for (int day = 17; day <= 31; ++day)
        for (int job = 260010; job < 260014; ++job)
            storedPlan(job, 10, QStringLiteral("2026-03-%1").arg(day), "CIST", 1, 1);
    StatementCounter counter;
    ASSERT_TRUE(plan(1, 260003));
    EXPECT_EQ(counter.begun, shortPlan);
    EXPECT_EQ(dayPlan().size(), 64);
}
