// The work plan offscreen: the period's operations up to a day, the foreman's entries stored, planned
// pieces refreshed from what remains with finished jobs dropped with their day plan, and the ticket.
#include "ProductionFixture.h"

#include "production/SPlanPraceForm.h"
#include "production/SPlanQR2Rep.h"
#include "shell/MenuHooks.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

TEST_F(ProductionTest, WorkPlanAssignsRefreshesAndDropsFinishedJobs)
{
    workplace(QStringLiteral("FORM"));
    openJob(260001, 3, "2026-04-01", 5);
    operation(260001, 10, "FORM", 100);
    openJob(260002, 2, "2026-04-01", 5);
    operation(260002, 10, "FORM", 60);
    vyroba->Planning.PlanPeriod = QStringLiteral("TYZDEN");
    ASSERT_TRUE(plan(1));
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
