// The order entry on fresh databases: one row per operation, the fill-down, the split, the write with
// the job's states 40 and 50, and a refused apply that loses nothing.
#include "WorkshopFixture.h"

namespace {

class OrderEntry : public WorkshopTest {
protected:
    void SetUp() override
    {
        WorkshopTest::SetUp();
        if (HasFatalFailure())
            return;
        bookableJob();
        employee(57, "Novák", "FOR");
        employee(58, "Horváth", "");
        vyk->FillOrderEntry(260001, 0);
    }
    TDataSet &entry() { return vyk->QSVykony; }
    TField *f(const char *name) { return entry().FieldByName(QString::fromLatin1(name)); }
    int state() { return count("select STAV_ZAK from ZAKAZKYD where C_INT=260001"); }
};

TEST_F(OrderEntry, OneRowPerOperationAndTheFirstQuantityFillsDown)
{
    ASSERT_EQ(entry().RecordCount(), 2);
    EXPECT_EQ(f("OPERACIA")->AsString(), "ODL");
    EXPECT_EQ(f("DATUM")->AsDate(), QDate(2026, 3, 15));
    EXPECT_EQ(f("ZMENA")->AsInteger(), 1);
    EXPECT_DOUBLE_EQ(f("NORMA")->AsFloat(), 0.8);
    entry().Edit();
    f("MNOZSTVO")->SetValue(40.0);
    entry().Post();
    EXPECT_DOUBLE_EQ(f("MZDA")->AsFloat(), (30 + 6 * 40) / 60.0 * 4);
    entry().Next();
    EXPECT_DOUBLE_EQ(f("MNOZSTVO")->AsFloat(), 40) << "copied into the empty row below";
    EXPECT_DOUBLE_EQ(f("MZDA")->AsFloat(), 20) << "its own piece wage";
    EXPECT_EQ(count("select count(*) from SVYKONY"), 0) << "nothing written before the write";
}

TEST_F(OrderEntry, SplitHalvesTheQuantity)
{
    entry().Edit();
    f("MNOZSTVO")->SetValue(7.0);
    entry().First();
    vyk->SplitOrderEntryRow();
    EXPECT_DOUBLE_EQ(f("MNOZSTVO")->AsFloat(), 3) << "the new row";
    EXPECT_EQ(f("OPERACIA")->AsString(), "ODL");
    ASSERT_TRUE(entry().Locate("MNOZSTVO", 4.0));
    EXPECT_EQ(f("OPERACIA")->AsString(), "ODL");
}

TEST_F(OrderEntry, WriteStoresCompleteRowsAndRaisesTheJobToStates40And50)
{
    entry().Edit();
    f("OSC")->SetValue(57);
    f("MNOZSTVO")->SetValue(100.0);
    entry().Post();
    entry().Next(); // EXP row: filled down but without an employee
    ASSERT_DOUBLE_EQ(f("MNOZSTVO")->AsFloat(), 100);
    vyk->WriteOrderEntry(0);
    EXPECT_EQ(count("select count(*) from SVYKONY"), 1) << "the row without employee is not written";
    EXPECT_EQ(state(), 40);

    entry().First();
    entry().Next();
    entry().Edit();
    f("OSC")->SetValue(58);
    f("MNOZSTVO")->SetValue(100.0);
    entry().Post();
    responder->Messages.clear();
    vyk->WriteOrderEntry(0);
    EXPECT_EQ(count("select count(*) from SVYKONY where OPERACIA='EXP'"), 1);
    EXPECT_TRUE(responder->Texts().contains("Zakazka je kompletne vyexpedovana na SHV."));
    EXPECT_EQ(state(), 50);
    EXPECT_EQ(entry().RecordCount(), 2) << "refilled empty";
    EXPECT_TRUE(f("OSC")->IsNull());
}

TEST_F(OrderEntry, PartialDispatchAddsTheEarlierOnes)
{
    booked("2026-03-02", 58, 20, 30);
    entry().Last();
    entry().Edit();
    f("OSC")->SetValue(58);
    f("MNOZSTVO")->SetValue(40.0);
    entry().Post();
    vyk->WriteOrderEntry(0);
    EXPECT_FALSE(responder->Texts().contains("Zakazka je kompletne vyexpedovana na SHV.")) << "70 of 100";
    EXPECT_EQ(state(), 1);
}

TEST_F(OrderEntry, ARefusedApplyKeepsEveryTypedRowAndChangesNoState)
{
    // Employee 57 already has yesterday's casting: the second booking of the same key is refused.
    booked("2026-03-15", 57, 10, 5);
    entry().Edit();
    f("OSC")->SetValue(57);
    f("MNOZSTVO")->SetValue(20.0);
    entry().Post();
    entry().Next();
    entry().Edit();
    f("OSC")->SetValue(58);
    entry().Post();
    responder->MessageAnswers.push_back(mrOk);
    EXPECT_ANY_THROW(vyk->WriteOrderEntry(0));
    EXPECT_EQ(count("select count(*) from SVYKONY"), 1) << "none of the rows written";
    EXPECT_EQ(state(), 1) << "no state change";
    ASSERT_EQ(entry().RecordCount(), 2);
    EXPECT_TRUE(entry().UpdatesPending());
    entry().First();
    EXPECT_EQ(f("OSC")->AsInteger(), 57);
    EXPECT_DOUBLE_EQ(f("MNOZSTVO")->AsFloat(), 20);
    entry().Next();
    EXPECT_EQ(f("OSC")->AsInteger(), 58);
    EXPECT_DOUBLE_EQ(f("MNOZSTVO")->AsFloat(), 20);
}

class Confirmation : public WorkshopTest {
protected:
    void SetUp() override
    {
        WorkshopTest::SetUp();
        if (HasFatalFailure())
            return;
        NotifyMnozstvo = false;
        bookableJob();
        employee(57, "Novák", "FOR");
        employee(58, "Horváth", "FOR");
        booked("2026-03-09", 57, 10, 60, 0, 123.40, 1, 6);
        booked("2026-03-10", 58, 10, 40, 0, 80, 2, 4);
    }
    double sum(const char *column, int osc)
    {
        return value(QStringLiteral("select sum(%1) from SVYKONY where OSC=%2 and MNOZSTVO<0")
                         .arg(QLatin1String(column), QString::number(osc)))
            .toDouble();
    }
};

TEST_F(Confirmation, StornoRowsScaleEveryEmployeeToTheCent)
{
    // The end date is a Sunday: the storno rows are dated on the Friday before.
    EXPECT_EQ(vyk->WriteConfirmedQuantity(260001, 90, QDate(2026, 3, 1), QDate(2026, 3, 15), 0, 32767, 0), 1);
    EXPECT_DOUBLE_EQ(sum("MNOZSTVO", 57), -6);
    EXPECT_DOUBLE_EQ(sum("MNOZSTVO", 58), -4);
    EXPECT_DOUBLE_EQ(sum("MZDA", 57), -12.34) << "cents kept";
    EXPECT_DOUBLE_EQ(sum("NHOD", 57), -0.6);
    EXPECT_EQ(value("select max(DATUM) from SVYKONY where MNOZSTVO<0").toDate(), QDate(2026, 3, 13));
    EXPECT_EQ(count("select ZMENA from SVYKONY where MNOZSTVO<0 and OSC=58"), 1) << "no shift that Friday";
    EXPECT_TRUE(responder->Messages.isEmpty());
    EXPECT_EQ(count("select sum(MNOZSTVO) from SVYKONY where OPERACIA='ODL'"), 90);
}

TEST_F(Confirmation, OnePieceToleratedAndTwentyPercentWarned)
{
    EXPECT_EQ(vyk->WriteConfirmedQuantity(260001, 99, QDate(2026, 3, 1), QDate(2026, 3, 16), 0, 32767, 0), 0);
    EXPECT_EQ(vyk->WriteConfirmedQuantity(260001, 120, QDate(2026, 3, 1), QDate(2026, 3, 16), 0, 32767, 0), 0);
    EXPECT_EQ(vyk->WriteConfirmedQuantity(260001, 70, QDate(2026, 3, 1), QDate(2026, 3, 16), 0, 32767, 0), 1);
    ASSERT_EQ(responder->Messages.size(), 1);
    EXPECT_EQ(responder->Messages[0].Text,
              QString::fromUtf8("U zákazky 26/0001 na operácií ODL je rozdiel väčší ako 20% !"));
    EXPECT_DOUBLE_EQ(sum("MNOZSTVO", 57), -18);
}

TEST_F(Confirmation, DeleteStornoKeepsDefectOnlyBookingsAndOtherJobs)
{
    booked("2026-03-11", 57, 20, 0, 0, 0, 1, 0, 3); // defects alone: quantity 0, wage 0
    vyk->WriteConfirmedQuantity(260001, 50, QDate(2026, 3, 1), QDate(2026, 3, 16), 0, 32767, 0);
    EXPECT_EQ(count("select count(*) from SVYKONY where MNOZSTVO<0"), 2);
    EXPECT_EQ(vyk->DeleteStornoRows(QDate(2026, 3, 1), QDate(2026, 3, 16), 260001), 2);
    EXPECT_EQ(count("select count(*) from SVYKONY"), 3) << "the defect-only booking stays";
    EXPECT_EQ(count("select sum(ZMATKY) from SVYKONY"), 3);
}

TEST_F(Confirmation, AFailingJobWritesNoneOfItsStornoRows)
{
    // A second operation whose storno collides with an existing row of its key: the first operation's
    // storno rows go too.
    booked("2026-03-09", 57, 20, 100, 0, 50, 1);
    booked("2026-03-13", 57, 20, 1, 0, 0, 1);
    EXPECT_ANY_THROW(vyk->WriteConfirmedQuantity(260001, 50, QDate(2026, 3, 1), QDate(2026, 3, 15), 0, 32767, 0));
    EXPECT_EQ(count("select count(*) from SVYKONY where MNOZSTVO<0"), 0);
}

} // namespace
