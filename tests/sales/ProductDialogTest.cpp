// The product dialog and the operation dialog offscreen on a fresh database: a product edited with its
// route, bill of materials (a cycle included) and picture; the unit-time push into open jobs; a refused
// save that keeps the dialog and its cached rows; a product that does not exist.
#include "SalesFixture.h"

#include "common/GridTyping.h"
#include "common/PersonTyping.h"
#include "common/WhenModal.h"
#include "library/xDBEdit.h"
#include "library/xDBImage.h"
#include "library/xQuery.h"
#include "platform/ui/BitBtn.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DBLookupCombo.h"
#include "platform/os/Format.h"
#include "sales/VyrobkyDForm.h"
#include "sales/VyrobkyOperaciaForm.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

class ProductDialogTest : public SalesTest {
protected:
    void SetUp() override
    {
        SalesTest::SetUp();
        if (HasFatalFailure())
            return;
        calculationCodeLists();
        product("V1");
        product("V2");
        exec("insert into POLOZKY (C_POL, TYP1, NAZOV) values ('M1', 'M', 'Piesok')");
        // V2 holds V1 in its stored bill of materials: adding V2 to V1 makes a cycle.
        exec("insert into TKUSOVNIK (C_VYR, C_POZICIE, C_POL, MNOZSTVO) values ('V2', 10, 'V1', 1)");
        exec("insert into TOPERACIE (C_VYR, POSTUP, C_OPERACIE, OPERACIA, CAS_JED, CAS_STROJ) values ('V1', '', 10, "
             "'FOR', 30, 30)");
        // Another route of the product with the same operation: the push reads the standard route only.
        exec("insert into TOPERACIE (C_VYR, POSTUP, C_OPERACIE, OPERACIA, CAS_JED, CAS_STROJ) values ('V1', 'B', 10, "
             "'FOR', 99, 99)");
        order("ZAK260001");
        for (int j : {260001, 260002}) {
            job(j, "ZAK260001", "V1");
            exec(QStringLiteral(
                     "insert into ZAKOPERACIE (C_INT, C_OPERACIE, OPERACIA, CAS_JED) values (%1, 10, 'FOR', 30)")
                     .arg(QString::number(j)));
            // An operation the route does not have keeps its time.
            exec(QStringLiteral(
                     "insert into ZAKOPERACIE (C_INT, C_OPERACIE, OPERACIA, CAS_JED) values (%1, 50, 'KON', 7)")
                     .arg(j));
        }
        job(260003, "ZAK260001", "V1", 10, 100); // finished: not pushed
        exec("insert into ZAKOPERACIE (C_INT, C_OPERACIE, OPERACIA, CAS_JED) values (260003, 10, 'FOR', 30)");
    }
    void TearDown() override
    {
        delete VyrobkyOperaciaForm;
        delete VyrobkyDForm;
        SalesTest::TearDown();
    }
    // Opens product V1 for editing in the dialog with the steps.
    bool editV1(std::function<void(TVyrobkyDForm *)> steps)
    {
        WhenModal<TVyrobkyDForm>([steps](TVyrobkyDForm *form) {
            // A step that stopped early leaves no dialog open behind it.
            struct Closer {
                TVyrobkyDForm *f;
                ~Closer()
                {
                    if (f->isVisible() && f->ModalResult() == mrNone)
                        f->SetModalResult(mrCancel);
                }
            } closer{form};
            steps(form);
        });
        return EditProduct("V1");
    }
    double jobTime(int job, int op)
    {
        return value(QStringLiteral("select CAS_JED from ZAKOPERACIE where C_INT=%1 and C_OPERACIE=%2")
                         .arg(QString::number(job), QString::number(op)))
            .toDouble();
    }
};

TEST_F(ProductDialogTest, RouteChangeOffersThePushIntoOpenJobs)
{
    responder->MessageAnswers = {mrYes, mrNo, mrNo}; // push yes, both price questions no
    const bool saved = editV1([&](TVyrobkyDForm *form) {
        EXPECT_EQ(form->windowTitle(), QString::fromUtf8("Výrobok V1"));
        TxTable &ops = tpv->QTOperacie;
        ops.Last();
        EXPECT_EQ(ops.RecordCount(), 2);
        ops.First();
        EXPECT_EQ(ops.FieldByName("POSTUP")->AsString().trimmed(), "") << "the standard route first";
        ops.Edit();
        ops.FieldByName("CAS_JED")->SetText("1h");
        ops.Post();
        QTest::mouseClick(form->BtnZapis1, Qt::LeftButton);
    });
    EXPECT_TRUE(saved);
    ASSERT_GE(responder->Messages.size(), 1);
    EXPECT_EQ(responder->Messages[0].Text, QString::fromUtf8("Aktualizovať kusové časy na otvorených zákazkách ?"));
    EXPECT_EQ(responder->Messages[0].Caption, QString::fromUtf8("Aktualizácia normo-časov"));
    ASSERT_GE(responder->Messages.size(), 2);
    EXPECT_EQ(responder->Messages[1].Text,
              QString::fromUtf8("Prepočítať cenu výrobku aj ostatných výrobkov, do ktorých vstupuje ?"));
    EXPECT_DOUBLE_EQ(value("select CAS_JED from TOPERACIE where C_VYR='V1' and POSTUP=''").toDouble(), 60.0);
    for (int j : {260001, 260002}) {
        EXPECT_DOUBLE_EQ(jobTime(j, 10), 60.0) << j;
        EXPECT_DOUBLE_EQ(jobTime(j, 50), 7.0) << "no route row: the job's time stays";
    }
    EXPECT_DOUBLE_EQ(jobTime(260003, 10), 30.0) << "a finished job is not touched";
    EXPECT_FALSE(tpv->QTOperacie.Active());
}

// A product number that looks like a placeholder reaches its own jobs, not those of the number it spells.
TEST_F(ProductDialogTest, UnitTimesOfAProductNumberedWithAPercentSignReachItsOwnJobsOnly)
{
    for (const char *code : {"A%2", "A100"}) {
        product(QString::fromLatin1(code));
        exec(QStringLiteral("insert into TOPERACIE (C_VYR, POSTUP, C_OPERACIE, OPERACIA, CAS_JED, CAS_STROJ) "
                            "values (%1, '', 10, 'FOR', 45, 45)")
                 .arg(SqlLiteral(QString::fromLatin1(code))));
    }
    job(260011, "ZAK260001", "A%2");
    job(260012, "ZAK260001", "A100");
    for (int j : {260011, 260012})
        exec(QStringLiteral("insert into ZAKOPERACIE (C_INT, C_OPERACIE, OPERACIA, CAS_JED) values (%1, 10, 'FOR', 30)")
                 .arg(QString::number(j)));
    EXPECT_EQ(value("select C_VYR from ZAKAZKYD where C_INT=260011").toString().trimmed(), "A%2");
    tpv->PushUnitTimes(QStringLiteral("A%2"));
    EXPECT_DOUBLE_EQ(jobTime(260011, 10), 45.0);
    EXPECT_DOUBLE_EQ(jobTime(260012, 10), 30.0) << "the jobs of A100 keep their times";
}

TEST_F(ProductDialogTest, BomWithACycleAndAPictureAreStored)
{
    QTemporaryDir dir;
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(Qt::red);
    const QString file = dir.filePath("odliatok.jpg");
    ASSERT_TRUE(image.save(file, "JPG"));
    responder->MessageAnswers = {mrNo, mrNo};
    const bool saved = editV1([&](TVyrobkyDForm *form) {
        TxTable &bom = tpv->QTKusovnik;
        for (const char *item : {"M1", "V2"}) {
            bom.Append();
            bom.FieldByName("C_POL")->SetValue(QString::fromLatin1(item));
            bom.FieldByName("MNOZSTVO")->SetValue(2);
            bom.Post();
        }
        form->pcVyrobok->setCurrentWidget(form->TabKusovnik);
        QTreeWidget *tree = form->tvKusovnik;
        ASSERT_EQ(tree->topLevelItemCount(), 1);
        QTreeWidgetItem *root = tree->topLevelItem(0);
        EXPECT_EQ(root->text(0), "V1");
        ASSERT_EQ(root->childCount(), 2);
        EXPECT_EQ(root->child(0)->text(0), "M1");
        QTreeWidgetItem *v2 = root->child(1);
        EXPECT_EQ(v2->text(0), "V2");
        ASSERT_EQ(v2->childCount(), 1);
        EXPECT_EQ(v2->child(0)->text(0), QString::fromUtf8("V1 (cyklus)")) << "the cycle shows and ends";
        EXPECT_EQ(v2->child(0)->childCount(), 0);
        form->pcVyrobok->setCurrentIndex(0);
        form->LoadPictureFromFile(file);
        QTest::mouseClick(form->BtnZapis1, Qt::LeftButton);
    });
    EXPECT_TRUE(saved);
    EXPECT_EQ(count("select count(*) from TKUSOVNIK where C_VYR='V1'"), 2);
    EXPECT_EQ(count("select count(*) from TKUSOVNIK where C_VYR='V1' and C_POZICIE=20 and C_POL='V2'"), 1);
    const QByteArray stored = value("select OBRAZOK from POLOZKY where C_POL='V1'").toByteArray();
    ASSERT_GE(stored.size(), 3);
    EXPECT_EQ(stored.left(2), QByteArray("\xFF\xD8")) << "stored as a JPEG";
    ASSERT_FALSE(responder->Messages.isEmpty());
    EXPECT_EQ(responder->Messages[0].Text,
              QString::fromUtf8("Prepočítať cenu výrobku aj ostatných výrobkov, do ktorých vstupuje ?"))
        << "a BOM change asks about prices only";
}

TEST_F(ProductDialogTest, RefusedSaveKeepsTheDialogAndItsRows)
{
    writeSetting("Defaults", "ZmenaOperacieTP", "SYSDBA");
    exec("insert into QUSERS (RDB_USER, RDB_UTVAR) values ('SYSDBA', 1)");
    responder->MessageAnswers = {mrOk, mrNo, mrNo, mrNo};
    const bool saved = editV1([&](TVyrobkyDForm *form) {
        TxTable &bom = tpv->QTKusovnik;
        for (int i = 0; i < 2; ++i) {
            bom.Append();
            bom.FieldByName("C_POZICIE")->SetValue(10); // twice the same position
            bom.FieldByName("C_POL")->SetValue("M1");
            bom.Post();
        }
        TxTable &ops = tpv->QTOperacie;
        ops.Append();
        ops.FieldByName("C_OPERACIE")->SetValue(20);
        ops.FieldByName("OPERACIA")->SetValue("CIS");
        ops.Post();
        tpv->QPolozky.FieldByName("NAZOV")->SetValue(QString::fromUtf8("Nový názov"));
        QTest::mouseClick(form->BtnZapis1, Qt::LeftButton);
        QApplication::processEvents();
        EXPECT_TRUE(form->isVisible()) << "a refused save keeps the dialog";
        EXPECT_FALSE(responder->Messages.isEmpty()) << "the refusal is shown";
        EXPECT_TRUE(bom.UpdatesPending());
        EXPECT_TRUE(ops.UpdatesPending());
        EXPECT_EQ(tpv->QPolozky.FieldByName("NAZOV")->AsString(), QString::fromUtf8("Nový názov"));
        EXPECT_EQ(count("select count(*) from TOPERACIE where C_VYR='V1' and C_OPERACIE=20"), 0);
        EXPECT_EQ(count("select count(*) from QMESSAGES"), 0) << "no route message before a save";
        bom.Last();
        bom.Edit();
        bom.FieldByName("C_POZICIE")->SetValue(20);
        bom.Post();
        QTest::mouseClick(form->BtnZapis1, Qt::LeftButton);
    });
    EXPECT_TRUE(saved);
    EXPECT_EQ(value("select NAZOV from POLOZKY where C_POL='V1'").toString(), QString::fromUtf8("Nový názov"));
    EXPECT_EQ(count("select count(*) from TKUSOVNIK where C_VYR='V1'"), 2);
    EXPECT_EQ(count("select count(*) from TOPERACIE where C_VYR='V1' and C_OPERACIE=20"), 1);
    EXPECT_EQ(count("select count(*) from QMESSAGES where MSG_TITLE='Zmena operácie v TP'"), 1);
}

TEST_F(ProductDialogTest, ACodeTypedIntoANewRouteRowTakesItsOperation)
{
    // A new row's blanks are the cell's text: the first letter typed takes their place, as in every cell.
    responder->MessageAnswers = {mrOk, mrNo, mrNo, mrNo};
    const bool saved = editV1([&](TVyrobkyDForm *form) {
        TDBGrid *grid = form->DBGridOperacie;
        form->pcVyrobok->setCurrentIndex(1);
        TabTo(grid);
        QTest::keyClick(grid, Qt::Key_Insert);
        QWidget *editor = TypeInCell(grid, 0, QStringLiteral("B"));
        EXPECT_EQ(grid->CellEditorText(), QStringLiteral("B")) << "the route";
        QTest::keyClick(editor, Qt::Key_Tab);
        editor = TypeInCell(grid, 2, QStringLiteral("CIS"));
        EXPECT_EQ(grid->CellEditorText(), QStringLiteral("CIS")) << "every letter of the operation's code";
        QTest::keyClick(editor, Qt::Key_Tab);
        TxTable &ops = tpv->QTOperacie;
        EXPECT_EQ(ops.FieldByName("OPERACIA")->AsString(), "CIS");
        EXPECT_EQ(ops.FieldByName("POPIS_OP")->AsString(), QString::fromUtf8("Čistenie"));
        EXPECT_EQ(ops.FieldByName("C_OPERACIE")->AsInteger(), 20);
        QTest::mouseClick(form->BtnZapis1, Qt::LeftButton);
    });
    EXPECT_TRUE(saved);
    EXPECT_EQ(value("select POSTUP from TOPERACIE where C_VYR='V1' and OPERACIA='CIS'").toString(), "B");
}

TEST_F(ProductDialogTest, ANumberNamedByStockMovementsIsKept)
{
    exec("insert into MPOHYBY (DATUM, TYP_POHYBU, SKLAD, C_POL, MNOZSTVO, CENA_NAKL) "
         "values (CURRENT_DATE, 12, 'V', 'V1', 2, 10)");
    responder->MessageAnswers = {mrOk, mrNo}; // the refusal, then the changes dropped at the close
    const bool saved = editV1([&](TVyrobkyDForm *form) {
        ClickOn(form->DBeC_POL);
        Press(Qt::Key_End);
        Press(Qt::Key_Backspace);
        Type(QStringLiteral("9"));
        QTest::mouseClick(form->BtnZapis1, Qt::LeftButton);
        QApplication::processEvents();
        EXPECT_TRUE(form->isVisible()) << "a refused save keeps the dialog";
        ASSERT_EQ(responder->Messages.size(), 1);
        EXPECT_EQ(responder->Messages[0].Text,
                  QString::fromUtf8("Číslo položky, ktorá má pohyby na sklade, nie je možné zmeniť !"));
    });
    EXPECT_FALSE(saved);
    EXPECT_EQ(count("select count(*) from POLOZKY where C_POL='V1'"), 1);
    EXPECT_EQ(count("select count(*) from POLOZKY where C_POL='V9'"), 0);
    EXPECT_EQ(count("select count(*) from MPOHYBY where C_POL='V1'"), 1);
    EXPECT_EQ(tpv->QPolozky.State(), dsBrowse);
}

TEST_F(ProductDialogTest, MissingProductAddsNothing)
{
    EXPECT_FALSE(EditProduct("NIE'JE"));
    ASSERT_EQ(responder->Messages.size(), 1);
    EXPECT_EQ(responder->Messages[0].Text, QString::fromUtf8("Výrobok NIE'JE neexistuje !"));
    EXPECT_EQ(count("select count(*) from POLOZKY"), 3);
    EXPECT_EQ(tpv->QPolozky.State(), dsBrowse);
}

TEST_F(ProductDialogTest, OperationDialogFillsFromTheListAndPostsOnOk)
{
    tpv->QPolozky.SetFilter("C_POL='V1'");
    tpv->QPolozky.Open();
    tpv->QTOperacie.SetFilter("C_VYR='V1'");
    tpv->QTOperacie.Open();
    DMZal->COperacii.Open();
    // A new operation chosen from the list, its unit time typed in hours.
    tpv->QTOperacie.Append();
    WhenModal<TVyrobkyOperaciaForm>([&](TVyrobkyOperaciaForm *f) {
        struct Closer {
            TVyrobkyOperaciaForm *f;
            ~Closer()
            {
                if (f->isVisible() && f->ModalResult() == mrNone)
                    f->SetModalResult(mrCancel);
            }
        } closer{f};
        EXPECT_GE(f->DBlcbOPERACIA->findText(QString::fromUtf8("Čistenie")), 0) << "the operation's name shows";
        type(f->DBeC_OPERACIE->Edit(), "0"); // out of range: refused, the focus stays for the correction
        EXPECT_TRUE(f->DBeC_OPERACIE->Edit()->hasFocus());
        QTest::keyClick(f->DBeC_OPERACIE->Edit(), Qt::Key_Escape); // given up
        TDBLookupCombo *combo = f->DBlcbOPERACIA;
        TabTo(combo);
        const int at = combo->IndexOfKey("CIS");
        for (int i = 0; i < combo->count() && combo->currentIndex() != at; ++i)
            QTest::keyClick(combo, combo->currentIndex() < at ? Qt::Key_Down : Qt::Key_Up);
        QTest::keyClick(combo, Qt::Key_Tab);
        TxTable &op = tpv->QTOperacie;
        EXPECT_EQ(op.FieldByName("POPIS_OP")->AsString(), QString::fromUtf8("Čistenie"));
        EXPECT_EQ(op.FieldByName("PRACOVISKO")->AsString().trimmed(), "CIST");
        EXPECT_EQ(op.FieldByName("C_OPERACIE")->AsInteger(), 20);
        type(f->DBeCAS_JED->Edit(), "2h");
        EXPECT_DOUBLE_EQ(op.FieldByName("CAS_JED")->AsFloat(), 120.0);
        op.FieldByName("C_OPERACIE")->SetValue(20);
        QTest::mouseClick(f->BtnZapis, Qt::LeftButton);
    });
    EXPECT_TRUE(EditProductOperation());
    EXPECT_EQ(tpv->QTOperacie.State(), dsBrowse);
    EXPECT_EQ(tpv->QTOperacie.RecordCount(), 3);

    // Cancelling a new operation leaves no row.
    tpv->QTOperacie.Append();
    WhenModal<TVyrobkyOperaciaForm>([](TVyrobkyOperaciaForm *f) { QTest::mouseClick(f->BtnNezapis, Qt::LeftButton); });
    EXPECT_FALSE(EditProductOperation());
    EXPECT_EQ(tpv->QTOperacie.RecordCount(), 3);
    tpv->CancelProduct();
}

TEST_F(ProductDialogTest, CalculationTabSetsTheStoredAgainstTheCurrentFigures)
{
    exec("insert into POLOZKYKALK (C_POL, MAT1, MZD1, NAKL1) values ('V1', 10, 4, 30)");
    editV1([&](TVyrobkyDForm *form) {
        form->pcVyrobok->setCurrentWidget(form->TabKalk);
        const QVariantMap now = tpv->CurrentCalculation("V1");
        EXPECT_EQ(form->lUlozena[0]->text(), "10");
        EXPECT_EQ(form->lAktualna[0]->text(), FormatFloat("#.##", now.value("MAT1").toDouble()));
        EXPECT_EQ(form->lRozdiel[0]->text(), FormatFloat("#.##", now.value("MAT1").toDouble() - 10));
        EXPECT_TRUE(form->lRozdiel[2]->text().isEmpty()) << "levies show no difference";
        EXPECT_EQ(form->lUlozena[5]->text(), "80") << "the price against the list price";
        // The tabs change only with a product number.
        form->pcVyrobok->setCurrentIndex(0);
        tpv->QPolozky.FieldByName("C_POL")->SetValue("");
        form->pcVyrobok->setCurrentWidget(form->TabOperacie);
        EXPECT_EQ(form->pcVyrobok->currentIndex(), 0);
        QTest::mouseClick(form->BtnNezapis1, Qt::LeftButton);
    });
    EXPECT_EQ(count("select count(*) from POLOZKY where C_POL='V1'"), 1) << "cancelled: nothing changed";
}

// Down on the route's last operation starts a new one after it; what is typed then goes into that row alone,
// and every stored operation stays as it was.
TEST_F(ProductDialogTest, DownOnTheLastOperationAppendsARowThatAloneTakesTheTyping)
{
    responder->MessageAnswers = {mrOk, mrNo, mrNo, mrNo};
    const bool saved = editV1([&](TVyrobkyDForm *form) {
        QTabBar *tabs = form->pcVyrobok->tabBar();
        ClickOn(tabs, tabs->tabRect(form->pcVyrobok->indexOf(form->TabOperacie)).center());
        TDBGrid *grid = form->DBGridOperacie;
        TxTable &ops = tpv->QTOperacie;
        ASSERT_EQ(ops.RecordCount(), 2);
        ASSERT_TRUE(ClickCell(grid, 1, 0));
        Press(Qt::Key_Down);
        EXPECT_EQ(ops.State(), dsInsert) << "a new row after the last";
        Press(Qt::Key_Down);
        EXPECT_EQ(ops.RecordCount(), 3) << "an untouched new row stays the last";
        Type(QStringLiteral("C"));
        Press(Qt::Key_Tab);
        Press(Qt::Key_Tab);
        Type(QStringLiteral("CIS"));
        Press(Qt::Key_Tab);
        EXPECT_EQ(ops.FieldByName("OPERACIA")->AsString(), "CIS");
        ClickOn(form->BtnZapis1);
    });
    EXPECT_TRUE(saved) << responder->Texts().join('\n').toStdString();
    QStringList stored;
    TxQuery q;
    q.SetDatabase(&dm->DBZAL);
    q.SQL().SetText("select POSTUP, C_OPERACIE, OPERACIA, CAS_JED from TOPERACIE where C_VYR='V1' order by POSTUP");
    q.Open();
    for (; !q.Eof(); q.Next())
        stored << QStringLiteral("%1/%2/%3/%4")
                      .arg(q.Fields(0)->AsString().trimmed(), q.Fields(1)->AsString(),
                           q.Fields(2)->AsString().trimmed(), q.Fields(3)->AsString());
    q.Close();
    ASSERT_EQ(stored.size(), 3) << stored.join(' ').toStdString();
    EXPECT_EQ(stored[0], "/10/FOR/30");
    EXPECT_EQ(stored[1], "B/10/FOR/99");
    EXPECT_TRUE(stored[2].startsWith("C/20/CIS/")) << stored[2].toStdString();
}
