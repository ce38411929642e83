// The scheduling core on hand-made cases: every expected allocation is listed day by day.
#include "production/CapacityScheduler.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <ostream>

// Failures list allocations as "d.M. job/operation workplace pieces minutes".
void PrintTo(const TPlanDen &r, std::ostream *os)
{
    *os << QDate::fromJulianDay(r.Datum).toString("d.M.").toStdString() << ' ' << r.C_INT << '/' << r.C_OPERACIE << ' '
        << r.PRACOVISKO.toStdString() << ' ' << r.MNOZ_PLAN << ' ' << r.Minuty;
}

namespace {

qint64 day(int d, int m = 3)
{
    return QDate(2026, m, d).toJulianDay();
} // 16.3.2026 is a Monday

TPracovisko workplace(const QString &code, int dni = 5, int machines = 1, int shifts = 1, double minutes = 450)
{
    TPracovisko w;
    w.PRACOVISKO = code;
    w.DNI = dni;
    w.STROJE = machines;
    w.ZMENY = shifts;
    w.MinutyZmeny = minutes;
    return w;
}

TOperacia op(int job, int number, const QString &code, int pieces, double unit, qint64 start, double prep = 0,
             double gapAfter = 0, double gapBefore = 0)
{
    TOperacia o;
    o.C_INT = job;
    o.C_OPERACIE = number;
    o.PRACOVISKO = code;
    o.Zostava = pieces;
    o.CAS_JED = unit;
    o.Zaciatok = start;
    o.Priprava = prep;
    o.MedzeraPo = gapAfter;
    o.MedzeraPred = gapBefore;
    return o;
}

TPlanDen alloc(qint64 date, int job, int number, const QString &code, int pieces, double minutes)
{
    return TPlanDen{date, job, number, code, pieces, minutes};
}

class SchedulerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        s.SetWorkplaces({workplace("W5"), workplace("W6", 6), workplace("W7", 7), workplace("A"), workplace("B")});
        s.IsHoliday = [](const QDate &d) { return d == QDate(2026, 3, 22) || d == QDate(2026, 3, 23); };
        s.OnOverbooked = [this](const QString &code) { overbooked << code; };
    }
    std::vector<TPlanDen> run(std::vector<TOperacia> ops, int direction = 1)
    {
        s.StartRun();
        const auto error = s.ScheduleOperations(std::move(ops), direction);
        EXPECT_FALSE(error.has_value());
        return s.NewAllocations();
    }
    TCapacityScheduler s;
    QStringList overbooked;
};

} // namespace

TEST_F(SchedulerTest, ForwardsPreparationOnFirstDayThenNextOperationOnTheSameTimeLine)
{
    // 3 x 100 + 30 preparation = 330 minutes; the gap of 20 puts the next operation at 350 on the same day.
    const auto got = run({op(1, 10, "W5", 3, 100, day(16), 30, 20), op(1, 20, "W5", 2, 50, day(16))});
    EXPECT_EQ(got, (std::vector<TPlanDen>{alloc(day(16), 1, 10, "W5", 3, 330), alloc(day(16), 1, 20, "W5", 2, 100)}));
    EXPECT_EQ(s.FreeMinutes("W5", day(16)), 20);
    EXPECT_TRUE(overbooked.isEmpty());
}

TEST_F(SchedulerTest, NextOperationMovesToTheNextDayWhenTheGapLeavesNoRoom)
{
    // 330 + 120 gap = 450: used + 10 reaches the day, so the second operation starts on Tuesday.
    const auto got = run({op(1, 10, "W5", 3, 100, day(16), 30, 120), op(1, 20, "W5", 2, 50, day(16))});
    EXPECT_EQ(got, (std::vector<TPlanDen>{alloc(day(16), 1, 10, "W5", 3, 330), alloc(day(17), 1, 20, "W5", 2, 100)}));
}

TEST_F(SchedulerTest, DaysOffForFiveSixAndSevenDayWorkplacesWithHolidays)
{
    // Holidays on Sunday 22.3 and Monday 23.3.
    EXPECT_EQ(run({op(1, 10, "W5", 10, 100, day(19), 30)}),
              (std::vector<TPlanDen>{alloc(day(19), 1, 10, "W5", 4, 430), alloc(day(20), 1, 10, "W5", 4, 400),
                                     alloc(day(24), 1, 10, "W5", 2, 200)}));
    EXPECT_EQ(run({op(2, 10, "W6", 10, 100, day(20), 30)}),
              (std::vector<TPlanDen>{alloc(day(20), 2, 10, "W6", 4, 430), alloc(day(21), 2, 10, "W6", 4, 400),
                                     alloc(day(24), 2, 10, "W6", 2, 200)}));
    EXPECT_EQ(run({op(3, 10, "W7", 10, 100, day(20), 30)}),
              (std::vector<TPlanDen>{alloc(day(20), 3, 10, "W7", 4, 430), alloc(day(21), 3, 10, "W7", 4, 400),
                                     alloc(day(22), 3, 10, "W7", 2, 200)}));
}

TEST_F(SchedulerTest, ExactlyTenFreeMinutesTakeNothingTenAndAHalfTakeTwoPieces)
{
    s.LoadBooked(day(16), "A", 440);
    EXPECT_EQ(run({op(1, 10, "A", 5, 5, day(16))}), (std::vector<TPlanDen>{alloc(day(17), 1, 10, "A", 5, 25)}));

    s.LoadBooked(day(16), "B", 439.5);
    EXPECT_EQ(run({op(2, 10, "B", 5, 5, day(16))}),
              (std::vector<TPlanDen>{alloc(day(16), 2, 10, "B", 2, 10), alloc(day(17), 2, 10, "B", 3, 15)}));
}

TEST_F(SchedulerTest, OverbookedDayFromTheStoredPlanIsReportedAndPreparationWaitsForPieces)
{
    s.LoadBooked(day(16), "A", 500);
    EXPECT_EQ(overbooked, QStringList{"A"});
    // Monday takes nothing (and says so again); the preparation goes with the first piece on Tuesday only.
    EXPECT_EQ(run({op(1, 10, "A", 2, 300, day(16), 60)}),
              (std::vector<TPlanDen>{alloc(day(17), 1, 10, "A", 1, 360), alloc(day(18), 1, 10, "A", 1, 300)}));
    EXPECT_EQ(overbooked, (QStringList{"A", "A"}));
    EXPECT_EQ(s.PlanDni().size(), 2u); // the stored minutes are no row of this run
}

TEST_F(SchedulerTest, OneTimeLinePerJobAcrossWorkplacesSharingDayCapacity)
{
    const auto got =
        run({op(1, 10, "A", 1, 100, day(16), 0, 200), op(1, 20, "B", 3, 50, day(16)), op(2, 10, "B", 2, 100, day(16))});
    // Job 1's second operation starts at 300 minutes on B; job 2 starts afresh but finds 300 free minutes.
    EXPECT_EQ(got, (std::vector<TPlanDen>{alloc(day(16), 1, 10, "A", 1, 100), alloc(day(16), 1, 20, "B", 3, 150),
                                          alloc(day(16), 2, 10, "B", 2, 200)}));
}

TEST_F(SchedulerTest, BackwardsFromTheDayBeforeTheTermWithTheGapBeforeTheFirstPiece)
{
    // Operations come from the highest number down; the gap before is booked ahead of the first piece.
    // Going back from Tuesday, the holiday Monday and the weekend are passed over to Friday.
    const auto got = run({op(1, 20, "A", 2, 300, day(24), 0, 0, 60), op(1, 10, "A", 1, 100, day(24))}, -1);
    EXPECT_EQ(got, (std::vector<TPlanDen>{alloc(day(24), 1, 20, "A", 1, 300), alloc(day(20), 1, 20, "A", 1, 300),
                                          alloc(day(20), 1, 10, "A", 1, 100)}));
}

TEST_F(SchedulerTest, NothingLeftToMakeGetsNoRowsAndNoGapAfter)
{
    const auto got = run({op(1, 10, "A", 0, 100, day(16), 30, 400), op(1, 20, "A", 1, 100, day(16))});
    EXPECT_EQ(got, (std::vector<TPlanDen>{alloc(day(16), 1, 20, "A", 1, 100)}));
}

TEST_F(SchedulerTest, UnknownWorkplaceGetsTheDefaultsAndShiftsCount)
{
    TPracovisko w;
    EXPECT_FALSE(s.FindWorkplace("XX", w));
    EXPECT_EQ(w.DNI, 5);
    EXPECT_EQ(w.MinutyDna, 450);
    EXPECT_EQ(w.KapacitaDna, 45000);
    EXPECT_EQ(run({op(1, 10, "XX", 1, 100, day(16))}), (std::vector<TPlanDen>{alloc(day(16), 1, 10, "XX", 1, 100)}));
    EXPECT_EQ(s.FreeMinutes("XX", day(16)), 44900);

    s.SetWorkplaces(
        {workplace("Z2", 5, 2, 2), workplace("Z4", 5, 1, 4), workplace("Z2", 5, 9, 3), workplace("LONGCODE")});
    ASSERT_TRUE(s.FindWorkplace("Z2", w));
    EXPECT_EQ(w.MinutyDna, 900); // the first row of a code wins
    EXPECT_EQ(w.KapacitaDna, 1800);
    ASSERT_TRUE(s.FindWorkplace("Z4", w));
    EXPECT_EQ(w.MinutyDna, 450);
    EXPECT_TRUE(s.FindWorkplace("LONGCXX", w)); // compared on five characters
}

TEST_F(SchedulerTest, AnOperationThatCanNeverBePlacedStopsTheRun)
{
    // Longer than a day: the run walks its bound and names the operation.
    s.StartRun();
    auto error = s.ScheduleOperations({op(1, 10, "A", 1, 100, day(16)), op(7, 30, "B", 1, 500, day(16))}, 1);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->C_INT, 7);
    EXPECT_EQ(error->C_OPERACIE, 30);
    EXPECT_EQ(error->PRACOVISKO, "B");
    EXPECT_LE(s.Visits(), 2 * (TCapacityScheduler::MaxDays + 2));

    // A workplace of at most 10 minutes a day or without machines is refused before anything is booked.
    s.SetWorkplaces({workplace("TEN", 5, 1, 1, 10), workplace("NONE", 5, 0)});
    s.DiscardDayPlan();
    s.StartRun();
    error = s.ScheduleOperations({op(1, 10, "A", 1, 100, day(16)), op(2, 10, "TEN", 1, 1, day(16))}, 1);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->PRACOVISKO, "TEN");
    EXPECT_TRUE(s.PlanDni().empty());
    error = s.ScheduleOperations({op(3, 10, "NONE", 1, 1, day(16))}, -1);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->PRACOVISKO, "NONE");
}

TEST_F(SchedulerTest, TinyUnitTimeIsClampedToTheRemainingPieces)
{
    EXPECT_EQ(run({op(1, 10, "A", 2000000000, 1e-9, day(16))}),
              (std::vector<TPlanDen>{alloc(day(16), 1, 10, "A", 2000000000, 2)}));
}

TEST_F(SchedulerTest, DiscardedDayPlanStartsEmpty)
{
    run({op(1, 10, "A", 1, 100, day(16))});
    s.DiscardDayPlan();
    EXPECT_FALSE(s.HasDayPlan());
    EXPECT_EQ(s.FreeMinutes("A", day(16)), 450);
    EXPECT_TRUE(s.HasWorkplaces());
}
