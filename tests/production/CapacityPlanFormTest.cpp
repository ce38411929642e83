// The capacity plan form offscreen: its lists in several views with typed filters quoted, planning a job
// from a typed start, editing a planned row without losing the foreman's entries, deleting only in the
// detailed view, the calendar, and the staff estimate with no days.
#include "ProductionFixture.h"

#include "common/ShownBoxes.h"
#include "library/Buttons.h"
#include "production/DropDownComboBox.h"
#include "production/SPlanForm.h"
#include "production/SPlanPraceForm.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DateEdit.h"
#include "platform/ui/RadioGroup.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QToolTip>

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

// The term is a date typed into its mask or chosen in its calendar; leaving it filters the list by it, and a day
// that does not exist is said once and leaves the list as it was.
TEST_F(CapacityPlanFormTest, TheTermIsADateTypedOrChosenInItsCalendar)
{
    TShownBoxes boxes;
    TSPlanForm form;
    form.show();
    QApplication::setActiveWindow(&form);
    QApplication::processEvents();
    TxQuery &unplanned = dm->QTlac;
    EXPECT_EQ(form.vTermin->Date(), QDate(2026, 5, 15)) << "today + 60";
    ASSERT_EQ(unplanned.RecordCount(), 2);

    // The job is due on 1 April: a term before it leaves nothing to plan.
    type(form.vTermin, "31.3.2026");
    EXPECT_EQ(form.vTermin->Date(), QDate(2026, 3, 31));
    EXPECT_TRUE(unplanned.IsEmpty());
    EXPECT_EQ(form.eDni->text(), "12") << "the weekdays up to the term";
    EXPECT_TRUE(boxes.Texts().isEmpty()) << boxes.Texts().join('\n').toStdString();

    type(form.vTermin, "31.2.2026");
    ASSERT_EQ(boxes.Texts(), QStringList{QString::fromUtf8("'31.2.2026' nie je platný dátum")});
    EXPECT_TRUE(form.vTermin->hasFocus()) << "the day is typed again";
    EXPECT_TRUE(unplanned.Active());
    EXPECT_TRUE(unplanned.IsEmpty()) << "the list of the last good term";

    type(form.vTermin, "1.4.2026");
    EXPECT_EQ(unplanned.RecordCount(), 2);

    // F4 drops the calendar down on the term; the day before it, chosen by keys, filters at once.
    form.vTermin->setFocus();
    QTest::keyClick(form.vTermin, Qt::Key_F4);
    QCalendarWidget *calendar = form.vTermin->Calendar();
    ASSERT_NE(calendar, nullptr);
    EXPECT_EQ(calendar->selectedDate(), QDate(2026, 4, 1));
    QWidget *days = calendar->findChild<QAbstractItemView *>();
    ASSERT_NE(days, nullptr);
    QTest::keyClick(days, Qt::Key_Left);
    QTest::keyClick(days, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(form.vTermin->Date(), QDate(2026, 3, 31));
    EXPECT_TRUE(unplanned.IsEmpty());
    EXPECT_EQ(boxes.Texts().size(), 1);
    form.close();
}

// A period made by a planning run after the form opened is offered at the next drop-down; the text typed
// stays, and choosing the period shows its rows.
TEST_F(CapacityPlanFormTest, ThePeriodsAreReadAgainAtEachDropDown)
{
    TSPlanForm form;
    form.show();
    QApplication::setActiveWindow(&form);
    QApplication::processEvents();
    form.pcSPlan->setCurrentWidget(form.tabSPlan);
    EXPECT_EQ(form.cbOBDOBIE->findText("TYZDEN 12"), -1);

    vyroba->Planning.PlanPeriod = QStringLiteral("TYZDEN 12");
    ASSERT_TRUE(plan(1, 260001));
    form.cbOBDOBIE->setFocus();
    QTest::keyClick(form.cbOBDOBIE, Qt::Key_Down, Qt::AltModifier);
    QAbstractItemView *list = form.cbOBDOBIE->view();
    ASSERT_TRUE(list->isVisible()) << "the list dropped down";
    const int at = form.cbOBDOBIE->findText("TYZDEN 12");
    ASSERT_GE(at, 0) << "the new period is offered";
    EXPECT_EQ(form.cbOBDOBIE->currentText(), " ") << "the text shown stays";
    list->setCurrentIndex(list->model()->index(at, 0));
    QTest::keyClick(list, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(form.cbOBDOBIE->currentText(), "TYZDEN 12");
    EXPECT_EQ(vyroba->Planning.PlanPeriod, "TYZDEN 12");
    ASSERT_TRUE(vyroba->QSPlan.Active());
    EXPECT_FALSE(vyroba->QSPlan.IsEmpty()) << "the period's planned operations";
    EXPECT_TRUE(responder->Texts().isEmpty()) << responder->Texts().join('|').toStdString();
    form.close();
}

// A period typed into the box after its blank is stored and listed without the blank.
TEST_F(CapacityPlanFormTest, APeriodTypedAfterTheBoxsBlankIsStoredWithoutIt)
{
    TSPlanForm form;
    form.show();
    QApplication::setActiveWindow(&form);
    QApplication::processEvents();
    form.pcSPlan->setCurrentWidget(form.tabSPlan);
    ASSERT_EQ(form.cbOBDOBIE->currentText(), " ");
    QLineEdit *typed = form.cbOBDOBIE->lineEdit();
    typed->setFocus();
    QTest::keyClick(typed, Qt::Key_End);
    TypeText(typed, QString::fromUtf8("TÝŽDEŇ 12"));
    QTest::keyClick(typed, Qt::Key_Tab);
    EXPECT_EQ(vyroba->Planning.PlanPeriod, QString::fromUtf8("TÝŽDEŇ 12"));

    form.pcSPlan->setCurrentWidget(form.tabNEZaplanovane);
    view(form, 4);
    form.cbSposobZaplanovania->setCurrentIndex(0);
    responder->InputAnswers = {QVariant(QStringLiteral("17.3.2026"))};
    QTest::mouseClick(form.btnZaplanuj, Qt::LeftButton);
    EXPECT_EQ(count(QString::fromUtf8("select count(*) from SPLAN where OBDOBIE='TÝŽDEŇ 12'")), 2);
    form.pcSPlan->setCurrentWidget(form.tabSPlan);
    ASSERT_TRUE(vyroba->QSPlan.Active());
    EXPECT_EQ(vyroba->QSPlan.RecordCount(), 1) << "the planned job, listed under its period";
    form.close();
}

// The mouse over a day of the calendar shows that day's hint at once, without the tool tip's delay.
TEST_F(CapacityPlanFormTest, TheCalendarsHintFollowsTheMouseAtOnce)
{
    TSPlanForm form;
    form.show();
    QApplication::setActiveWindow(&form);
    QApplication::processEvents();
    view(form, 4);
    form.cbSposobZaplanovania->setCurrentIndex(0);
    responder->InputAnswers = {QVariant(QStringLiteral("17.3.2026"))};
    QTest::mouseClick(form.btnZaplanuj, Qt::LeftButton);
    form.pcSPlan->setCurrentWidget(form.tabKalendar);
    ASSERT_EQ(form.sgPlan->columnCount(), 2);
    const QString hint = form.Calendar.GetCell(0, 1).Hint;
    ASSERT_FALSE(hint.isEmpty());
    QApplication::processEvents();

    QWidget *cells = form.sgPlan->viewport();
    const QRect second = form.sgPlan->visualRect(form.sgPlan->model()->index(0, 1));
    QTest::mouseMove(cells, second.center());
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), hint);
    // Over the rows' end and on to the first day: its own hint, at once.
    QTest::mouseMove(cells, QPoint(second.center().x(), cells->height() - 2));
    const QString first = form.Calendar.GetCell(0, 0).Hint;
    ASSERT_NE(first, hint);
    QTest::mouseMove(cells, form.sgPlan->visualRect(form.sgPlan->model()->index(0, 0)).center());
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), first);
    form.close();
}

// Every view of both lists titles its columns in words, never with a column's name from the database.
TEST_F(CapacityPlanFormTest, EveryViewTitlesItsColumnsInWords)
{
    ASSERT_TRUE(plan(1, 260001));
    TSPlanForm form;
    form.show();
    QApplication::processEvents();
    for (QWidget *tab : {form.tabNEZaplanovane, form.tabSPlan}) {
        form.pcSPlan->setCurrentWidget(tab);
        TDBGrid *grid = tab == form.tabSPlan ? form.DBgSPlan : form.DBgNEzaplanovane;
        for (int v = 0; v < 6; ++v) {
            view(form, v);
            QApplication::processEvents();
            for (int c = 0; c < grid->Model()->columnCount(); ++c) {
                const QString title = grid->Model()->headerData(c, Qt::Horizontal).toString();
                EXPECT_NE(title, title.toUpper()) << "view " << v << ": " << title.toStdString();
            }
        }
    }
    form.close();
}
