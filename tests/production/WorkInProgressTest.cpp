// Work in progress: the stock-taking list regenerated up to a day per operation and per job, its values
// from the calculation, negative quantities kept unless the user drops them, and edits that reach no row.
#include "ProductionFixture.h"
#include "look/DocumentRules.h"

#include "platform/ui/ModalResult.h"
#include "production/SRVForm.h"
#include "production/SRVQR1Rep.h"
#include "platform/ui/RadioGroup.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

class WorkInProgressTest : public ProductionTest {
protected:
    void SetUp() override
    {
        ProductionTest::SetUp();
        if (HasFatalFailure())
            return;
        openJob(260001, 10, "2026-04-01", 40);
        exec("update ZAKOPERACIE set MZDA=0 where 1=0");
        operation(260001, 10, "FORM", 5);
        operation(260001, 20, "CIST", 5);
        operation(260001, 30, "CIST", 5); // not performed yet
        exec("update ZAKOPERACIE set MZDA=C_OPERACIE/10+1 where C_INT=260001");
        exec("insert into ZAKKALK (C_INT, MAT1, MZD1) values (260001, 5, 5)");
        performance("2026-03-16", 260001, 10, 8, 16);
        performance("2026-03-16", 260001, 20, 5, 15);
        performance("2026-03-18", 260001, 20, 1, 3); // after the cut-off day
        exec("insert into SODVODY (DATUM, C_INT, C_DOKLADU, MNOZSTVO, MZD1) values ('2026-03-16', 260001, 1, 2, 5)");
    }
    void performance(const char *date, int job, int op, double pieces, double wage)
    {
        exec(QStringLiteral("insert into SVYKONY (DATUM, OSC, C_INT, C_OPERACIE, MNOZSTVO, MZDA) "
                            "values ('%1', 1, %2, %3, %4, %5)")
                 .arg(QLatin1String(date), QString::number(job), QString::number(op), QString::number(pieces),
                      QString::number(wage)));
    }
    QStringList list()
    {
        QStringList rows;
        TxQuery *q = OpenQuery("select C_INT, C_OPERACIE, MNOZSTVO, MATC, MZDC from SRV order by 1, 2");
        for (; !q->Eof(); q->Next())
            rows << QStringLiteral("%1/%2 %3 %4 %5")
                        .arg(q->Fields(0)->AsInteger())
                        .arg(q->Fields(1)->AsInteger())
                        .arg(q->Fields(2)->AsFloat())
                        .arg(q->Fields(3)->AsFloat())
                        .arg(q->Fields(4)->AsFloat());
        q->Close();
        return rows;
    }
};

TEST_F(WorkInProgressTest, RegeneratedPerOperationAndPerJobUpToTheDay)
{
    responder->MessageAnswers = {mrNo};
    vyroba->RegenerateWip(QDate(2026, 3, 16), 1);
    // Operation 10: 8 made less 5 on the next performed operation; operation 20: 5 less 2 handed over;
    // wages less the wage per piece of what was handed over; the unperformed operation 30 is left out.
    EXPECT_EQ(list(), (QStringList{"260001/10 3 15 12", "260001/20 3 15 9"}));
    EXPECT_EQ(responder->Texts(), QStringList{QString::fromUtf8("Zmazať záporné množstvá ?")});

    responder->MessageAnswers = {mrNo};
    vyroba->RegenerateWip(QDate(2026, 3, 16), 0);
    EXPECT_EQ(list(), QStringList{"260001/0 6 30 21"});

    vyroba->OpenWipList(0);
    EXPECT_EQ(vyroba->QSRV.RecordCount(), 1);
    EXPECT_EQ(vyroba->QSRV.FieldByName("MNOZSTVO")->AsInteger(), 6);
}

TEST_F(WorkInProgressTest, NegativeQuantitiesStayUnlessTheUserDropsThem)
{
    exec("insert into SODVODY (DATUM, C_INT, C_DOKLADU, MNOZSTVO, MZD1) values ('2026-03-16', 260001, 2, 10, 0)");
    responder->MessageAnswers = {mrNo};
    vyroba->RegenerateWip(QDate(2026, 3, 16), 0);
    EXPECT_EQ(list(), QStringList{"260001/0 -4 -20 21"});
    responder->MessageAnswers = {mrYes};
    vyroba->RegenerateWip(QDate(2026, 3, 16), 0);
    EXPECT_TRUE(list().isEmpty());
}

TEST_F(WorkInProgressTest, EditingRecomputesTheValuesAndAnEditThatReachesNoRowIsRefused)
{
    responder->MessageAnswers = {mrNo};
    vyroba->RegenerateWip(QDate(2026, 3, 16), 1);
    vyroba->OpenWipList(1);
    TxDataSet &q = vyroba->QSRV;
    ASSERT_TRUE(q.Locate("C_OPERACIE", 20));
    q.Edit();
    q.FieldByName("MNOZSTVO")->SetValue(4);
    EXPECT_EQ(q.FieldByName("MATC")->AsFloat(), 20);
    EXPECT_EQ(q.FieldByName("MZDC")->AsFloat(), 20);
    q.Post();
    EXPECT_EQ(list(), (QStringList{"260001/10 3 15 12", "260001/20 4 20 20"}));

    // The per-job view shows sums of per-operation rows: there is no row of operation 0 to change.
    vyroba->OpenWipList(0);
    q.Edit();
    q.FieldByName("MNOZSTVO")->SetValue(1);
    EXPECT_ANY_THROW(q.Post());
    EXPECT_EQ(list(), (QStringList{"260001/10 3 15 12", "260001/20 4 20 20"}));
    q.Cancel();
    EXPECT_ANY_THROW(q.Delete());
    EXPECT_EQ(list().size(), 2);

    // A job without a calculation is refused and the row keeps its values.
    vyroba->OpenWipList(1);
    q.Edit();
    EXPECT_ANY_THROW(q.FieldByName("C_INT")->SetValue(269999));
    EXPECT_EQ(q.FieldByName("MATC")->AsFloat(), 15);
    q.Cancel();
}

TEST_F(WorkInProgressTest, FormShowsBothWaysAndRegeneratesUpToTheDayAsked)
{
    TSRVForm form;
    form.show();
    QApplication::processEvents();
    // Material: 5 a piece x (8 on the first operation - 2 handed over); wages of the performed operations
    // less their wage per piece of what was handed over: (16 - 2x2) + (15 + 3 - 3x2).
    EXPECT_EQ(form.lMaterial->text(), MoneyStr(30));
    EXPECT_EQ(form.lMzdy->text(), MoneyStr(24));
    QTest::mouseClick(form.btnZakazky, Qt::LeftButton);
    EXPECT_NE(FindQuery("Q2")->FindField("C_INT"), nullptr);

    form.pcSRV->setCurrentWidget(form.tabInventura);
    responder->InputAnswers = {QVariant(QStringLiteral("16.3.2026"))};
    responder->MessageAnswers = {mrNo};
    form.rgPohlad->SetItemIndex(1);
    QTest::mouseClick(form.btnAuto, Qt::LeftButton);
    EXPECT_EQ(list(), (QStringList{"260001/10 3 15 12", "260001/20 3 15 9"}));
    EXPECT_EQ(form.lMaterialSRV->text(), MoneyStr(30));
    TSRVQR1Rep &report = form.Report();
    report.prepare();
    QStringList texts;
    for (const TQRPage &page : report.Pages())
        for (const TQRItem &item : page.items)
            texts << item.text.trimmed();
    EXPECT_TRUE(texts.contains(QString::fromUtf8("Rozpracovaná výroba ku dňu")));
    EXPECT_TRUE(texts.contains("Spolu"));
    EXPECT_TRUE(texts.contains("30,00")) << texts.join('|').toStdString(); // material of both operations
    for (const DocumentFault &fault : DocumentFaults(report))
        ADD_FAILURE() << fault.describe(QString::fromUtf8("Rozpracovaná výroba")).toStdString();
    ASSERT_EQ(responder->Inputs.size(), 1);
    EXPECT_EQ(responder->Inputs[0].Caption, QString::fromUtf8("Generovať zoznam zákaziek v RV ?"));

    // Cancelled: nothing regenerated.
    responder->InputAnswers = {QVariant()};
    QTest::mouseClick(form.btnAuto, Qt::LeftButton);
    EXPECT_EQ(list().size(), 2);
    form.close();
}
