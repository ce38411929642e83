// The work plan offscreen: the period's operations up to a day, the foreman's entries stored, planned
// pieces refreshed from what remains with finished jobs dropped with their day plan, and the ticket.
#include "ProductionFixture.h"
#include "common/GridTyping.h"
#include "common/ShownBoxes.h"

#include "production/SPlanPraceForm.h"
#include "production/SPlanQR2Rep.h"
#include "library/QTlacForm.h"
#include "library/xDBGrid.h"
#include "platform/os/Color.h"
#include "platform/ui/DateEdit.h"
#include "shell/MenuHooks.h"

#include <QAction>
#include <QAbstractItemView>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

class WorkPlanTest : public ProductionTest {
protected:
    // Jobs 260001 (3 pieces; operation 10 and, when asked, 20) and 260002 (2 pieces; operation 10) on one
    // workplace, planned in the period TYZDEN.
    void planTwoJobs(bool secondOperation)
    {
        workplace(QStringLiteral("FORM"));
        openJob(260001, 3, "2026-04-01", 5);
        operation(260001, 10, "FORM", 100);
        if (secondOperation)
            operation(260001, 20, "FORM", 60);
        openJob(260002, 2, "2026-04-01", 5);
        operation(260002, 10, "FORM", 60);
        vyroba->Planning.PlanPeriod = QStringLiteral("TYZDEN");
        ASSERT_TRUE(plan(1));
    }
};

TEST_F(WorkPlanTest, WorkPlanAssignsRefreshesAndDropsFinishedJobs)
{
    planTwoJobs(false);
    ASSERT_FALSE(HasFatalFailure());
    ExecSqlParams("update SPLAN set MNOZ_PLAN=1 where C_INT=260002");
    ExecSqlParams("update ZAKAZKYD set STAV_ZAK=90 where C_INT=260001"); // handed over meanwhile

    vyroba->SetWorkPlanText();
    TSPlanPraceForm form;
    form.show();
    QApplication::processEvents();
    TxDataSet &q = vyroba->QSPlan;
    ASSERT_TRUE(q.Active());
    ASSERT_EQ(q.RecordCount(), 2);
    q.First();
    q.Edit();
    q.FieldByName("OSC")->SetValue(5);
    q.FieldByName("STROJ")->SetValue("M2");
    q.Post();
    EXPECT_EQ(count("select count(*) from SPLAN where OSC=5 and STROJ='M2' and MNOZ_PLAN=3 and OBDOBIE='TYZDEN'"), 1);

    // The daily sheet lists only the operations that have an employee.
    QStringList texts;
    TSPlanQR2Rep &sheet = form.Report();
    sheet.prepare();
    for (const TQRPage &page : sheet.Pages())
        for (const TQRItem &item : page.items)
            texts << item.text;
    EXPECT_TRUE(texts.contains("M2"));
    EXPECT_FALSE(texts.join('|').contains("260002"));
    EXPECT_TRUE(texts.contains(QString::fromUtf8("Plánovanie a sumarizácia dennej výroby")));

    // Job 260001 is handed over: its row and day plan go; job 260002 plans what remains.
    QTest::mouseClick(form.btnAktualizujMnozstva, Qt::LeftButton);
    EXPECT_EQ(count("select count(*) from SPLAN where C_INT=260001"), 0);
    EXPECT_EQ(count("select count(*) from SPLAND where C_INT=260001"), 0);
    EXPECT_EQ(count("select MNOZ_PLAN from SPLAN where C_INT=260002"), 2);
    EXPECT_FALSE(vyroba->Planning.Scheduler().HasDayPlan());

    // Rows with nothing planned show only when asked for; another period shows its own rows.
    ExecSqlParams("update SPLAN set MNOZ_PLAN=0 where C_INT=260002");
    form.vOPERACIA->setText("O");
    form.Filter();
    EXPECT_TRUE(q.IsEmpty());
    form.cbNeukonceneOperacie->click();
    EXPECT_EQ(q.RecordCount(), 1);
    form.vOBDOBIE->setCurrentText("INY");
    EXPECT_TRUE(q.IsEmpty());

    form.vOBDOBIE->setCurrentText("TYZDEN");
    responder->Messages.clear();
    form.actTlacSprievodky->trigger();
    EXPECT_EQ(responder->Texts(), QStringList{NotAvailableText});
    int ticket = 0;
    ModuleHooks().PrintJobTicket = [&ticket](int job) { ticket = job; };
    form.actTlacSprievodky->trigger();
    ModuleHooks().PrintJobTicket = nullptr;
    EXPECT_EQ(ticket, 260002);
    form.close();
}

// A period of the column's full 20 characters, typed with Slovak letters and an apostrophe, is read whole in the
// period's box and lists its own plan.
TEST_F(WorkPlanTest, APeriodOfTwentyCharactersIsReadWhole)
{
    const QString period = QString::fromUtf8("Ľubovnianska O'Brien");
    ASSERT_EQ(period.size(), 20);
    planTwoJobs(false);
    ASSERT_FALSE(HasFatalFailure());
    ExecSqlParams("update SPLAN set OBDOBIE=:o where C_INT=260002", {period});
    vyroba->SetWorkPlanText();
    TSPlanPraceForm form;
    form.show();
    QApplication::setActiveWindow(&form);
    QApplication::processEvents();
    QLineEdit *typed = form.vOBDOBIE->lineEdit();
    typed->setFocus();
    typed->selectAll();
    TypeText(typed, period);
    QTest::keyClick(typed, Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_EQ(vyroba->QSPlan.RecordCount(), 1);
    EXPECT_EQ(vyroba->QSPlan.FieldByName("C_INT")->AsInteger(), 260002);
    EXPECT_GE(typed->width(), typed->fontMetrics().horizontalAdvance(period) + 4)
        << typed->width() << " px for the period's " << typed->fontMetrics().horizontalAdvance(period) << " px";
    form.close();
}

// A user the server does not let read the plan: the form tells the refusal as it shows, and each action on
// the plan's rows tells it again (no print dialog first), never the complaint about a closed list.
TEST_F(WorkPlanTest, AUserWithoutTheRightsHearsTheRefusalOnEachAction)
{
    planTwoJobs(false);
    ASSERT_FALSE(HasFatalFailure());
    dm->DBZAL.Close();
    dm->DBZAL.Params.SetValue(QStringLiteral("user_name"), QStringLiteral("NOVAK"));
    dm->DBZAL.Open();
    const QString refused = QString::fromUtf8("Nedostatočné oprávnenia !");
    responder->Messages.clear();

    vyroba->SetWorkPlanText();
    TSPlanPraceForm form;
    form.show();
    QApplication::processEvents();
    EXPECT_FALSE(vyroba->QSPlan.Active());
    EXPECT_EQ(responder->Texts().join('|').toStdString(), refused.toStdString());

    WindowWatch<TQTlacForm> printDialog;
    printDialog.Start();
    int ticket = 0;
    ModuleHooks().PrintJobTicket = [&ticket](int job) { ticket = job; };
    QTest::mouseClick(form.btnAktualizujMnozstva, Qt::LeftButton);
    QTest::mouseClick(form.btnTlac, Qt::LeftButton);
    form.actTlacSprievodky->trigger();
    ModuleHooks().PrintJobTicket = nullptr;
    printDialog.Stop();
    EXPECT_EQ(responder->Texts().join('|').toStdString(), QStringList(4, refused).join('|').toStdString());
    EXPECT_FALSE(printDialog.Came) << "nothing to print, no print dialog";
    EXPECT_EQ(ticket, 0);
    form.close();

    // Nothing of the plan was touched.
    dm->DBZAL.Close();
    dm->DBZAL.Params.SetValue(QStringLiteral("user_name"), QStringLiteral("SYSDBA"));
    dm->DBZAL.Open();
    EXPECT_EQ(count("select sum(MNOZ_PLAN) from SPLAN"), 5);
}

// A title click sorts the plan: the employee's column by employee and product, the job's by job and operation,
// a second click the other way. Only the foreman's columns take typing, those he assigns in the info colour.
TEST_F(WorkPlanTest, SortsByTitlesAndTakesTypingOnlyInItsOwnColumns)
{
    planTwoJobs(true);
    ASSERT_FALSE(HasFatalFailure());
    ExecSqlParams("update SPLAN set OSC=9 where C_INT=260001");
    ExecSqlParams("update SPLAN set OSC=3 where C_INT=260002");

    vyroba->SetWorkPlanText();
    TSPlanPraceForm form;
    form.show();
    QApplication::setActiveWindow(&form);
    QApplication::processEvents();
    TxDataSet &q = vyroba->QSPlan;
    ASSERT_EQ(q.RecordCount(), 3);
    TxDBGrid *grid = form.DBgSPlan;
    const auto column = [grid](const char *field) {
        for (int c = 0; c < grid->ColumnCount(); ++c)
            if (grid->Columns(c)->FieldName == QString::fromUtf8(field))
                return c;
        return -1;
    };
    const auto clickTitle = [grid](int c) {
        QHeaderView *h = grid->horizontalHeader();
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                          QPoint(h->sectionViewportPosition(c) + 5, h->height() / 2));
        QApplication::processEvents();
    };
    const auto rows = [&q] {
        QStringList listed;
        for (q.First(); !q.Eof(); q.Next())
            listed << QStringLiteral("%1/%2 %3")
                          .arg(q.FieldByName("C_INT")->AsString(), q.FieldByName("C_OPERACIE")->AsString(),
                               q.FieldByName("OSC")->AsString());
        q.First();
        return listed;
    };

    clickTitle(column("OSC"));
    EXPECT_EQ(q.SelectSQL[3], "ORDER BY OSC,C_VYR");
    EXPECT_EQ(rows().first(), "260002/10 3");
    EXPECT_EQ(grid->OrderState(column("OSC")), 1);
    clickTitle(column("OSC"));
    EXPECT_EQ(q.SelectSQL[3], "ORDER BY OSC DESC,C_VYR DESC");
    EXPECT_EQ(rows().last(), "260002/10 3");
    EXPECT_EQ(grid->OrderState(column("OSC")), 2);

    clickTitle(column("C_INT"));
    EXPECT_EQ(rows(), (QStringList{"260001/10 9", "260001/20 9", "260002/10 3"}));
    clickTitle(column("C_INT"));
    EXPECT_EQ(rows(), (QStringList{"260002/10 3", "260001/20 9", "260001/10 9"}));
    EXPECT_EQ(grid->OrderState(column("C_INT")), 2);
    // Another column by itself, its place in the list.
    clickTitle(column("C_OPERACIE"));
    EXPECT_EQ(q.SelectSQL[3], "ORDER BY 7");
    // Filtering again with the same choice keeps the order.
    form.Filter();
    EXPECT_EQ(q.SelectSQL[3], "ORDER BY 7");

    // The job's cell takes no typing; the employee's does, and is stored.
    clickTitle(column("C_INT"));
    q.First();
    grid->setFocus();
    QWidget *editor = TypeInCell(grid, column("C_INT"), "5");
    EXPECT_EQ(editor, grid) << "no editor in a read-only column";
    EXPECT_EQ(q.State(), dsBrowse);
    for (const char *shown : {"C_VYR", "NAZOV", "C_OPERACIE", "OPERACIA", "MNOZ_VYR", "Zostáva", "Začiatok", "TERMIN"})
        EXPECT_TRUE(grid->Columns(column(shown))->ReadOnly) << shown;
    editor = TypeInCell(grid, column("OSC"), "71");
    ASSERT_NE(editor, grid);
    QTest::keyClick(editor, Qt::Key_Down);
    QApplication::processEvents();
    EXPECT_EQ(q.State(), dsBrowse);
    EXPECT_EQ(count("select OSC from SPLAN where C_INT=260001 and C_OPERACIE=10"), 71);
    editor = TypeInCell(grid, column("POZNAMKA"), QString::fromUtf8("čerstvá forma"));
    ASSERT_NE(editor, grid);
    QTest::keyClick(editor, Qt::Key_Up);
    QApplication::processEvents();
    EXPECT_EQ(count(QString::fromUtf8("select count(*) from SPLAN where C_INT=260001 and C_OPERACIE=20 and "
                                      "POZNAMKA='čerstvá forma'")),
              1);

    // The assigned columns in the info colour, the others not (read on a row that is not the current one).
    q.Last();
    const auto cellColour = [&](const char *field) {
        const QModelIndex cell = grid->Model()->index(0, column(field));
        grid->scrollTo(cell);
        QApplication::processEvents();
        const QRect r = grid->visualRect(cell);
        return QColor(grid->viewport()->grab().toImage().pixel(r.left() + 2, r.top() + 2));
    };
    const QColor info = ColorToQColor(clInfoBk);
    for (const char *assigned : {"OSC", "STROJ", "POZNAMKA"})
        EXPECT_EQ(cellColour(assigned), info) << assigned;
    for (const char *other : {"C_INT", "Plánované", "TERMIN"})
        EXPECT_NE(cellColour(other), info) << other;
    form.close();
}

// "Termín do" is a date typed into its mask or chosen in its calendar; leaving it lists the operations that start
// up to that day. A day that does not exist is said once, keeps the focus and leaves the list as it was.
TEST_F(WorkPlanTest, TheDayIsADateTypedOrChosenInItsCalendar)
{
    planTwoJobs(false);
    ASSERT_FALSE(HasFatalFailure());
    ExecSqlParams("update SPLAN set ZACIATOK='2026-03-17' where C_INT=260001");
    ExecSqlParams("update SPLAN set ZACIATOK='2026-03-24' where C_INT=260002");

    TShownBoxes boxes;
    vyroba->SetWorkPlanText();
    TSPlanPraceForm form;
    form.show();
    QApplication::setActiveWindow(&form);
    QApplication::processEvents();
    TxDataSet &q = vyroba->QSPlan;
    EXPECT_EQ(form.vZACIATOK->Date(), QDate(2026, 3, 19)) << "today + 3";
    ASSERT_EQ(q.RecordCount(), 1);

    type(form.vZACIATOK, "24.3.2026");
    EXPECT_EQ(q.RecordCount(), 2);
    EXPECT_TRUE(boxes.Texts().isEmpty()) << boxes.Texts().join('\n').toStdString();

    type(form.vZACIATOK, "31.2.2026");
    ASSERT_EQ(boxes.Texts(), QStringList{QString::fromUtf8("'31.2.2026' nie je platný dátum")});
    EXPECT_TRUE(form.vZACIATOK->hasFocus()) << "the day is typed again";
    EXPECT_EQ(q.RecordCount(), 2) << "the list of the last good day";

    // Letters do not go into the day's mask: the wrong day stays to be mended and is said again.
    type(form.vZACIATOK, QString::fromUtf8("zajtra"));
    EXPECT_EQ(form.vZACIATOK->TypedText(), "31.2.2026");
    EXPECT_EQ(boxes.Texts().size(), 2);
    EXPECT_EQ(q.RecordCount(), 2);

    type(form.vZACIATOK, "16.3.2026");
    EXPECT_TRUE(q.IsEmpty());

    // F4 drops the calendar down on the day; the next day, chosen by keys, lists at once.
    form.vZACIATOK->setFocus();
    QTest::keyClick(form.vZACIATOK, Qt::Key_F4);
    QCalendarWidget *calendar = form.vZACIATOK->Calendar();
    ASSERT_NE(calendar, nullptr);
    EXPECT_EQ(calendar->selectedDate(), QDate(2026, 3, 16));
    QWidget *days = calendar->findChild<QAbstractItemView *>();
    ASSERT_NE(days, nullptr);
    QTest::keyClick(days, Qt::Key_Right);
    QTest::keyClick(days, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(form.vZACIATOK->Date(), QDate(2026, 3, 17));
    EXPECT_EQ(q.RecordCount(), 1);
    EXPECT_EQ(boxes.Texts().size(), 2);
    form.close();
}
