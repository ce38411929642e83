// The capacity plan form offscreen: its lists in several views with typed filters quoted, planning a job
// from a typed start, editing a planned row without losing the foreman's entries, deleting only in the
// detailed view, the calendar, and the staff estimate with no days.
#include "ProductionFixture.h"

#include "library/Buttons.h"
#include "production/SPlanForm.h"
#include "production/SPlanPraceForm.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/RadioGroup.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

class CapacityPlanFormTest : public ProductionTest {
protected:
    void SetUp() override
    {
        ProductionTest::SetUp();
        if (HasFatalFailure())
            return;
        workplace(QStringLiteral("FORM"));
        openJob(260001, 3, "2026-04-01", 5);
        operation(260001, 10, "FORM", 100, 30);
        operation(260001, 20, "FORM", 60);
    }
    void view(TSPlanForm &form, int index)
    {
        form.rgPohlad->SetItemIndex(index);
        form.rgPohlad->OnClick();
    }
};

TEST_F(CapacityPlanFormTest, ListsPlansEditsAndDeletes)
{
    TSPlanForm form;
    form.show();
    QApplication::processEvents();
    TxQuery &unplanned = dm->QTlac;
    ASSERT_TRUE(unplanned.Active());
    EXPECT_EQ(unplanned.RecordCount(), 2);     // one group per operation code
    EXPECT_EQ(form.lNormoHodiny->text(), "8"); // 3 x 100 + 3 x 60 minutes

    // A typed apostrophe is text, not SQL.
    form.vOPERACIA->setText("X'Y");
    form.Rebuild(form.vOPERACIA);
    EXPECT_TRUE(unplanned.Active());
    EXPECT_TRUE(unplanned.IsEmpty());
    form.vOPERACIA->clear();

    view(form, 5);
    ASSERT_EQ(unplanned.RecordCount(), 2);
    EXPECT_TRUE(form.actZaplanujOperaciu->isEnabled());
    form.cbSposobZaplanovania->setCurrentIndex(0);
    responder->InputAnswers = {QVariant(QStringLiteral("17.3.2026"))};
    QTest::mouseClick(form.btnZaplanuj, Qt::LeftButton);
    EXPECT_EQ(dayPlan(),
              (QStringList{"17.3. 260001/10 FORM 3 330", "17.3. 260001/20 FORM 2 120", "18.3. 260001/20 FORM 1 60"}));
    EXPECT_EQ(count("select STAV_ZAK from ZAKAZKYD where C_INT=260001"), 30);

    // The planned rows of the blank period, in the detailed view editable.
    // The foreman's entries, in the program's transaction (the plan is not committed yet).
    ExecSqlParams(QString::fromUtf8("update SPLAN set OSC=7, STROJ='M1', POZNAMKA='ranná' where C_OPERACIE=10"));
    form.pcSPlan->setCurrentWidget(form.tabSPlan);
    TxDataSet &planned = vyroba->QSPlan;
    ASSERT_TRUE(planned.Active());
    ASSERT_EQ(planned.RecordCount(), 2);
    EXPECT_FALSE(form.DBgSPlan->ReadOnly());
    planned.First();
    planned.Edit();
    planned.FieldByName(QString::fromUtf8("Plánované"))->SetValue(2);
    planned.Post();
    EXPECT_EQ(count("select count(*) from SPLAN where C_OPERACIE=10 and MNOZ_PLAN=2 and OSC=7 and STROJ='M1' and "
                    "POZNAMKA='ranná'"),
              1);

    // Deleting is refused outside the detailed view.
    view(form, 0);
    EXPECT_TRUE(form.DBgSPlan->ReadOnly());
    form.actZmazVsetko->trigger();
    EXPECT_EQ(responder->Texts().last(),
              QString::fromUtf8("Pohľad v \"Zaplánovaných zákazkách\" musí byť \"Detailný\""));
    EXPECT_EQ(count("select count(*) from SPLAN"), 2);

    // The calendar of the day plan by workplace.
    form.pcSPlan->setCurrentWidget(form.tabKalendar);
    EXPECT_EQ(form.Calendar.ColCount(), 2);
    EXPECT_EQ(form.Calendar.Titles(), (QStringList{"17.03.", "18.03."}));
    EXPECT_EQ(form.Calendar.RowKeys(), QStringList{"FORM"});
    EXPECT_EQ(form.Calendar.GetCell(0, 0).Text, "260001: 7.5"); // hours of the day
    EXPECT_EQ(form.Calendar.GetCell(0, 1).Text, "260001: 1.0");
    // The grid shows the days as its column titles and the workplaces as its row titles, the body only cells.
    ASSERT_EQ(form.sgPlan->columnCount(), 2);
    ASSERT_EQ(form.sgPlan->rowCount(), 1);
    EXPECT_TRUE(form.sgPlan->horizontalHeader()->isVisible());
    EXPECT_EQ(form.sgPlan->horizontalHeaderItem(0)->text(), "17.03.");
    EXPECT_EQ(form.sgPlan->horizontalHeaderItem(1)->text(), "18.03.");
    EXPECT_EQ(form.sgPlan->verticalHeaderItem(0)->text(), "FORM");
    EXPECT_EQ(form.sgPlan->item(0, 0)->text(), "260001: 7.5");
    EXPECT_EQ(form.sgPlan->item(0, 1)->toolTip(), form.Calendar.GetCell(0, 1).Hint);
    QApplication::processEvents();
    EXPECT_GE(form.sgPlan->verticalHeader()->width(), 120);

    view(form, 5);
    form.pcSPlan->setCurrentWidget(form.tabSPlan);
    responder->MessageAnswers = {};
    form.actZmazVsetko->trigger();
    EXPECT_EQ(count("select count(*) from SPLAN"), 0);
    EXPECT_TRUE(dayPlan().isEmpty());
    EXPECT_FALSE(vyroba->Planning.Scheduler().HasDayPlan());

    // An empty calendar: one column keyed 0 and no rows.
    form.pcSPlan->setCurrentWidget(form.tabKalendar);
    EXPECT_EQ(form.Calendar.ColCount(), 1);
    EXPECT_EQ(form.Calendar.Titles(), QStringList{"0"});
    EXPECT_EQ(form.Calendar.RowCount(), 0);

    // A typed workplace and period are text too.
    responder->Messages.clear();
    form.vPRACOVISKO->setText("A'B");
    form.Rebuild(form.vPRACOVISKO);
    form.pcSPlan->setCurrentWidget(form.tabSPlan);
    form.cbOBDOBIE->setCurrentText("X'Y");
    EXPECT_TRUE(vyroba->QSPlan.Active());
    EXPECT_TRUE(responder->Texts().isEmpty()) << responder->Texts().join('|').toStdString();
    form.close();
}

// The calendar by jobs and the detailed one: a row per job, each day's cell the job's last operation
// and its hours, its hint the day's operations and pieces (not the row's own text in every column).
TEST_F(CapacityPlanFormTest, CalendarByJobsShowsEachDaysWork)
{
    operation(260001, 30, "FORM", 30);
    TSPlanForm form;
    form.show();
    QApplication::processEvents();
    view(form, 4);
    form.cbSposobZaplanovania->setCurrentIndex(0);
    responder->InputAnswers = {QVariant(QStringLiteral("17.3.2026"))};
    QTest::mouseClick(form.btnZaplanuj, Qt::LeftButton);
    ASSERT_EQ(dayPlan(), (QStringList{"17.3. 260001/10 FORM 3 330", "17.3. 260001/20 FORM 2 120",
                                      "18.3. 260001/20 FORM 1 60", "18.3. 260001/30 FORM 3 90"}));

    form.pcSPlan->setCurrentWidget(form.tabKalendar);
    for (int v : {4, 5}) {
        SCOPED_TRACE(v);
        view(form, v);
        ASSERT_EQ(form.Calendar.Titles(), (QStringList{"17.03.", "18.03."}));
        ASSERT_EQ(form.Calendar.RowCount(), 1);
        EXPECT_EQ(form.sgPlan->verticalHeaderItem(0)->text().trimmed(), "260001  V1");
        EXPECT_EQ(form.sgPlan->item(0, 0)->text(), "20: 7.5");
        EXPECT_EQ(form.sgPlan->item(0, 1)->text(), "30: 2.5");
        // The operations of a day are listed in no particular order.
        const auto hint = [&form](int column) {
            QStringList parts = form.sgPlan->item(0, column)->toolTip().split(QStringLiteral(": "));
            QStringList operations = parts.takeFirst().split(QLatin1Char(','));
            operations.sort();
            return operations.join(QLatin1Char(',')) + QStringLiteral(": ") + parts.join(QStringLiteral(": "));
        };
        EXPECT_EQ(hint(0), "OP1,OP2: 5 ks");
        EXPECT_EQ(hint(1), "OP2,OP3: 4 ks");
    }
    form.close();
}

TEST_F(CapacityPlanFormTest, EstimateWithNoDaysDividesNothing)
{
    TSPlanForm form;
    form.show();
    QApplication::processEvents();
    EXPECT_EQ(form.eDni->text(), "45"); // 16.3. to 15.5.2026, weekdays
    form.eZam->setText("0");
    form.eDni->setText("0");
    form.EstimateChanged();
    EXPECT_EQ(form.eZam->text(), "0");
    EXPECT_EQ(form.lHod->text(), "0");
    form.eDni->setText("2");
    form.EstimateChanged();
    EXPECT_EQ(form.eZam->text(), "1"); // 8 norm hours over 15 hours
    EXPECT_EQ(form.lHod->text(), "15");
    form.close();
}

// Both plans close by their "Koniec" at the bottom right, and Escape presses it wherever the focus is.
TEST_F(CapacityPlanFormTest, KoniecClosesThePlansAndEscapePressesIt)
{
    TSPlanForm plan;
    plan.show();
    QApplication::setActiveWindow(&plan);
    QApplication::processEvents();
    ASSERT_TRUE(plan.BtnKoniec->isVisible());
    EXPECT_EQ(plan.BtnKoniec->text(), QString::fromUtf8("&Koniec"));
    plan.vOPERACIA->setFocus();
    QTest::keyClick(plan.vOPERACIA, Qt::Key_Escape);
    EXPECT_FALSE(plan.isVisible());

    vyroba->SetWorkPlanText();
    TSPlanPraceForm work;
    work.show();
    QApplication::processEvents();
    ASSERT_TRUE(work.BtnKoniec->isVisible());
    QTest::mouseClick(work.BtnKoniec, Qt::LeftButton);
    EXPECT_FALSE(work.isVisible());
}

TEST(CalendarArray, TitlesFollowTheFirstKeyAndWeeksAreNumbers)
{
    TCalendarArray c;
    const int monday = TCalendarArray::DayKey(QDate(2026, 3, 16));
    c.SetRange(monday, monday + 1);
    EXPECT_EQ(c.Titles(), (QStringList{"16.03.", "17.03."}));
    c.SetRange(monday + 7, monday + 8);
    EXPECT_EQ(c.Titles(), (QStringList{"23.03.", "24.03."}));
    c.SetRange(12, 14);
    EXPECT_EQ(c.Titles(), (QStringList{"12", "13", "14"}));
    EXPECT_TRUE(c.GetCell(5, 5).Text.isEmpty());
}

TEST_F(CapacityPlanFormTest, PlanningOneOperationFromItsTypedStart)
{
    TSPlanForm form;
    form.show();
    QApplication::processEvents();
    view(form, 5);
    ASSERT_TRUE(dm->QTlac.Locate("C_OPERACIE", 20));
    responder->InputAnswers = {QVariant(QStringLiteral("18.3.2026"))};
    form.actZaplanujOperaciu->trigger();
    ASSERT_EQ(responder->Inputs.size(), 1);
    EXPECT_EQ(responder->Inputs[0].Caption, QString::fromUtf8("Zaplánovanie operácie"));
    EXPECT_EQ(dayPlan(), QStringList{"18.3. 260001/20 FORM 3 180"});

    // The job now has day-plan rows: planning its other operation plans nothing.
    view(form, 5);
    form.Rebuild(form.pcSPlan);
    EXPECT_TRUE(dm->QTlac.IsEmpty()); // planned jobs leave the unplanned list

    // A start that is not a date plans nothing.
    ExecSqlParams("delete from SPLAND");
    ExecSqlParams("delete from SPLAN");
    form.Rebuild(form.pcSPlan);
    ASSERT_TRUE(dm->QTlac.Locate("C_OPERACIE", 10));
    responder->InputAnswers = {QVariant(QStringLiteral("zajtra"))};
    form.actZaplanujOperaciu->trigger();
    EXPECT_TRUE(dayPlan().isEmpty());
    form.close();
}

// "Zaplánuj >>" on the jobs view: the planned job leaves the list at once, the cursor stays on the row that
// took its place (or the last), and pressing it again plans the next job, never the same one twice.
TEST_F(CapacityPlanFormTest, APlannedJobLeavesTheUnplannedListAtOnce)
{
    openJob(260002, 2, "2026-04-08");
    operation(260002, 10, "FORM", 60);
    openJob(260003, 1, "2026-04-15");
    operation(260003, 10, "FORM", 60);
    TSPlanForm form;
    form.show();
    QApplication::processEvents();
    view(form, 4);
    TxQuery &unplanned = dm->QTlac;
    const auto jobs = [&unplanned] {
        QStringList listed;
        const TBookmark at = unplanned.GetBookmark();
        for (unplanned.First(); !unplanned.Eof(); unplanned.Next())
            listed << unplanned.FieldByName("C_INT")->AsString();
        unplanned.GotoBookmark(at);
        return listed;
    };
    const auto current = [&unplanned] { return unplanned.FieldByName("C_INT")->AsInteger(); };
    ASSERT_EQ(jobs(), (QStringList{"260001", "260002", "260003"}));
    form.DBgNEzaplanovane->setFocus();
    QTest::keyClick(form.DBgNEzaplanovane, Qt::Key_Down);
    ASSERT_EQ(current(), 260002);

    QTest::mouseClick(form.btnZaplanuj, Qt::LeftButton);
    EXPECT_TRUE(responder->Texts().isEmpty()) << responder->Texts().join('|').toStdString();
    EXPECT_EQ(jobs(), (QStringList{"260001", "260003"}));
    EXPECT_EQ(current(), 260003) << "the row that took the planned one's place";

    QTest::mouseClick(form.btnZaplanuj, Qt::LeftButton);
    EXPECT_EQ(jobs(), QStringList{"260001"});
    EXPECT_EQ(current(), 260001) << "the last row was planned: the cursor is on the new last one";
    EXPECT_EQ(count("select count(*) from SPLAN where C_INT=260002"), 1);
    EXPECT_EQ(count("select count(*) from SPLAN where C_INT=260003"), 1);
    EXPECT_EQ(count("select count(*) from SPLAN where C_INT=260001"), 0);

    QTest::mouseClick(form.btnZaplanuj, Qt::LeftButton);
    EXPECT_TRUE(unplanned.IsEmpty());
    // Nothing is left to plan: the button does nothing more.
    QTest::mouseClick(form.btnZaplanuj, Qt::LeftButton);
    EXPECT_EQ(count("select count(*) from SPLAN"), 4); // two operations of the first job, one of each other
    EXPECT_TRUE(responder->Texts().isEmpty()) << responder->Texts().join('|').toStdString();
    form.close();
}
