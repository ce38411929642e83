// The store forms offscreen on fresh databases: a purchase order received through the movement dialog,
// a copied order, lines taken from the requests, the requests narrowed by a caller's jobs, the stores
// form with its tool usage, and an item card refused as a duplicate.
#include "common/PersonTyping.h"
#include "MaterialFixture.h"
#include "common/GridTyping.h"
#include "common/HostileCorpus.h"
#include "common/PersonTyping.h"
#include "common/ShownBoxes.h"
#include "common/WhenModal.h"
#include "material/DodavateliaForm.h"
#include "material/MObjednavkyForm.h"
#include "material/MPohybDForm.h"
#include "material/MPohybyForm.h"
#include "material/MPolozkyForm.h"
#include "material/MPoziadavkyForm.h"
#include "material/MSkladyForm.h"
#include "shell/CisPolForm.h"
#include "shell/CisZakForm.h"
#include "shell/DMCis.h"
#include "shell/QQueryForm.h"
#include "library/Buttons.h"
#include "library/xDBEdit.h"
#include "library/xDBFilter.h"
#include "library/xDBGrid.h"
#include "library/xDBImage.h"
#include "shell/Routines.h"
#include "platform/ui/Jpeg.h"
#include "platform/ui/BitBtn.h"
#include "platform/ui/DBControls.h"
#include "platform/ui/DBLookupCombo.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The item pick about to open counts the items it offers into listed and is closed without a choice.
void countItemsThePickOffers(int &listed)
{
    WhenModal<TCisPolForm>([&listed](TCisPolForm *pick) {
        TDataSet *rows = pick->Grid->DataSet();
        rows->FetchAll();
        listed = rows->RecordCount();
        pick->SetModalResult(mrCancel);
    });
}

class FormsTest : public MaterialTest {
protected:
    void SetUp() override
    {
        MaterialTest::SetUp();
        if (HasFatalFailure())
            return;
        exec(QString::fromUtf8("insert into CDODAVATELOV (C_DOD, DODAVATEL) values (1, 'Kovohuty')"));
        for (const char *code : {"M-1", "M-2", "M-3"})
            item(QString::fromLatin1(code), "M", 2);
    }
    void TearDown() override
    {
        CancelWhenModal();
        delete MPohybDForm;
        delete MSkladyForm;
        delete MPoziadavkyForm;
        delete DodavateliaForm;
        delete MPohybyForm;
        delete QQueryForm;
        // The picks stand on the code lists' data module: they go first.
        for (QWidget *pick : {static_cast<QWidget *>(CisPolForm), static_cast<QWidget *>(CisZakForm)})
            delete pick;
        CisPolForm = nullptr;
        CisZakForm = nullptr;
        codeLists.reset();
        MaterialTest::TearDown();
    }
    void orderWithLines(const char *number, int lines)
    {
        exec(QStringLiteral(
                 "insert into MOBJEDNAVKY (C_OBJ, C_DOD, D_VYSTAV, STAV_OBJ) values ('%1', 1, '2026-03-10', 2)")
                 .arg(QLatin1String(number)));
        for (int i = 1; i <= lines; ++i)
            exec(QStringLiteral("insert into MOBJEDNAVKYD (C_OBJ, C_RIADKU, C_POL, MNOZ_OBJ, MJ) values ('%1', %2, "
                                "'M-%2', %3, 'KS')")
                     .arg(QLatin1String(number), QString::number(i), QString::number(i * 10)));
    }
    // Answers the next movement dialogs: the store typed, the first one numbers the document.
    void answerMovements(int count, QList<int> *numbers)
    {
        WhenModal<TMPohybDForm>([this, count, numbers](TMPohybDForm *f) {
            TDataSet &m = mtz->QMPohyby;
            m.FieldByName("SKLAD")->SetValue(QStringLiteral("M1"));
            if (numbers->isEmpty())
                f->btnDoklad->click();
            numbers->append(m.FieldByName("C_DOKLADU")->AsInteger());
            if (count > 1)
                answerMovements(count - 1, numbers);
            f->BtnOK->click();
        });
    }
    std::unique_ptr<TDMCis> codeLists;
};

TEST_F(FormsTest, ADeliveredOrderIsReceivedAsOneDocument)
{
    orderWithLines("Obj.260001", 3);
    mtz->QMObj.Open();
    mtz->QMObjD.Open();
    mtz->QMObjD.FetchAll();
    ASSERT_EQ(mtz->QMObjD.RecordCount(), 3);
    QList<int> numbers;
    answerMovements(3, &numbers);
    responder->MessageAnswers = {mrNo}; // no print of the receipt
    ReceivePurchaseOrder();
    EXPECT_EQ(numbers, QList<int>({2603001, 2603001, 2603001}));
    EXPECT_EQ(number("select count(*) from MPOHYBY where TYP_POHYBU=10 and C_DOKLADU=2603001 and SKLAD='M1'"), 3);
    EXPECT_DOUBLE_EQ(stock("M-3", "M1"), 30);
    EXPECT_EQ(responder->Texts(), QStringList{QString::fromUtf8("Vytlačiť príjemku?")});
}

TEST_F(FormsTest, ARefusedMovementKeepsTheDialogOpen)
{
    TxTable &m = mtz->QMPohyby;
    m.Open();
    m.Append();
    m.FieldByName("C_POL")->SetValue(QStringLiteral("M-1"));
    m.FieldByName("SKLAD")->SetValue(QStringLiteral("M1"));
    m.FieldByName("TYP_POHYBU")->SetValue(30);
    m.FieldByName("MNOZSTVO")->SetValue(5);
    WhenModal<TMPohybDForm>([&](TMPohybDForm *f) {
        EXPECT_EQ(f->cbTypPohybu->currentIndex(), -1) << "no entry of the list has kind 30";
        ASSERT_EQ(f->eSklad->count(), 3) << "a blank and the two stores of the code list";
        EXPECT_EQ(f->eSklad->currentText(), "M1");
        QTest::keyClick(f->eSklad, Qt::Key_Down); // the other store, written on the post
        f->BtnOK->click();
        EXPECT_TRUE(f->isVisible());
        EXPECT_EQ(responder->Texts().value(0), QString::fromUtf8("Neplatný typ pohybu !"));
        f->cbTypPohybu->setCurrentIndex(10);
        emit f->cbTypPohybu->activated(10); // "25 - Vysrotovanie"
        EXPECT_EQ(m.FieldByName("TYP_POHYBU")->AsInteger(), 25);
        f->BtnOK->click();
    });
    EXPECT_EQ(EditStockMovement(), mrOk);
    EXPECT_DOUBLE_EQ(number("select MNOZSTVO from MPOHYBY where TYP_POHYBU=25"), -5);
    EXPECT_EQ(value("select SKLAD from MPOHYBY where TYP_POHYBU=25").toString().trimmed(), "N1");
}

TEST_F(FormsTest, AQuantityTypedInLettersStopsTheMovementUntilItIsANumber)
{
    TxTable &m = mtz->QMPohyby;
    m.Open();
    m.Append();
    m.FieldByName("C_POL")->SetValue(QStringLiteral("M-1"));
    m.FieldByName("SKLAD")->SetValue(QStringLiteral("M1"));
    m.FieldByName("TYP_POHYBU")->SetValue(22);
    WhenModal<TMPohybDForm>([&](TMPohybDForm *f) {
        TShownBoxes boxes;
        PutFocusDirectly(f->eMnozstvo);
        f->eMnozstvo->selectAll();
        QTest::keyClicks(f->eMnozstvo, "abc");
        // Clicked away from the edit and with the focus still in it: each time the post stops.
        QTest::mouseClick(f->BtnOK, Qt::LeftButton);
        QApplication::processEvents();
        EXPECT_TRUE(f->isVisible());
        EXPECT_EQ(m.State(), dsInsert);
        EXPECT_EQ(f->eMnozstvo->text(), "abc");
        PutFocusDirectly(f->eMnozstvo);
        f->BtnOK->click();
        QApplication::processEvents();
        EXPECT_TRUE(f->isVisible());
        EXPECT_EQ(boxes.Texts(), QStringList(2, QString::fromUtf8("'abc' nie je platné číslo")));
        EXPECT_EQ(number("select count(*) from MPOHYBY"), 0) << "nothing stored with quantity 0";
        PutFocusDirectly(f->eMnozstvo);
        f->eMnozstvo->selectAll();
        QTest::keyClicks(f->eMnozstvo, "7");
        f->BtnOK->click();
    });
    EXPECT_EQ(EditStockMovement(), mrOk);
    EXPECT_DOUBLE_EQ(number("select MNOZSTVO from MPOHYBY where TYP_POHYBU=22"), -7) << "an issue stored negative";
}

TEST_F(FormsTest, AnItemTypedAndLeftByTabIsTakenWithItsPriceWithoutThePick)
{
    exec(QStringLiteral("update POLOZKY set CENA_NAKL = 3.5 where C_POL = 'M-2'"));
    TxTable &m = mtz->QMPohyby;
    m.Open();
    m.Append();
    m.FieldByName("SKLAD")->SetValue(QStringLiteral("M1"));
    m.FieldByName("TYP_POHYBU")->SetValue(10);
    codeLists = std::make_unique<TDMCis>();
    bool picked = false;
    WhenModal<TMPohybDForm>([&](TMPohybDForm *f) {
        WhenModal<TCisPolForm>([&](TCisPolForm *pick) {
            picked = true;
            pick->SetModalResult(mrCancel);
        });
        TabTo(f->eCPol);
        QTest::keyClicks(f->eCPol, "M-2");
        QTest::keyClick(f->eCPol, Qt::Key_Tab);
        QApplication::processEvents();
        CancelWhenModal();
        EXPECT_FALSE(picked) << "the code typed names one item";
        EXPECT_EQ(m.FieldByName("C_POL")->AsString().trimmed(), "M-2");
        EXPECT_DOUBLE_EQ(m.FieldByName("CENA_NAKL")->AsFloat(), 3.5) << "the receipt takes the item's price";
        TabTo(f->eMnozstvo);
        QTest::keyClicks(f->eMnozstvo, "4");
        f->BtnOK->click();
    });
    EXPECT_EQ(EditStockMovement(), mrOk);
    EXPECT_DOUBLE_EQ(number("select MNOZSTVO * CENA_NAKL from MPOHYBY where C_POL = 'M-2'"), 14);
}

TEST_F(FormsTest, AJobTypedAndLeftByTabGivesAReturnItsProducedQuantity)
{
    exec("insert into ZAKAZKY (C_OBJ, TYP_OBJ, C_ODB, MENA) values ('ZAK1', 'Z', 0, 'EUR')");
    exec("insert into ZAKAZKYD (C_INT, C_OBJ, C_VYR, MNOZ_OBJ, MNOZ_VYR, STAV_ZAK, C_REV, C_INT_RE) values (260002, "
         "'ZAK1', 'M-1', 40, 36, 50, 0, 0)");
    codeLists = std::make_unique<TDMCis>();
    TxTable &m = mtz->QMPohyby;
    m.Open();
    m.Append();
    m.FieldByName("C_POL")->SetValue(QStringLiteral("M-1"));
    m.FieldByName("SKLAD")->SetValue(QStringLiteral("M1"));
    WhenModal<TMPohybDForm>([&](TMPohybDForm *f) {
        f->cbTypPohybu->setCurrentIndex(3);
        emit f->cbTypPohybu->activated(3); // "13 - Vratenie z vyroby"
        TabTo(f->eCInt);
        QTest::keyClicks(f->eCInt, "260002");
        QTest::keyClick(f->eCInt, Qt::Key_Tab);
        QApplication::processEvents();
        EXPECT_EQ(m.FieldByName("C_INT")->AsInteger(), 260002);
        EXPECT_DOUBLE_EQ(m.FieldByName("MNOZ_VYR")->AsFloat(), 36) << "the job's produced pieces";
        // Retyped to a number that names no job: the former job's quantity goes, the clerk is told and is back
        // on the number; leaving it unchanged again says nothing more.
        struct Step {
            const char *typed; // nullptr: the number left as it is
            bool told;         // "neexistuje" said, and the focus back on the number
            double made;
        };
        TShownBoxes boxes;
        for (const Step &s : {Step{"260009", true, 0}, Step{nullptr, false, 0}, Step{"260002", false, 36}}) {
            SCOPED_TRACE(s.typed ? s.typed : "unchanged");
            const int before = boxes.Texts().size();
            TabTo(f->eCInt);
            if (s.typed) {
                QTest::keyClick(f->eCInt, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClicks(f->eCInt, s.typed);
            }
            QTest::keyClick(f->eCInt, Qt::Key_Tab);
            QApplication::processEvents();
            QApplication::processEvents();
            ASSERT_EQ(boxes.Texts().size(), before + (s.told ? 1 : 0));
            if (s.told) {
                EXPECT_TRUE(boxes.Texts().back().contains(QString::fromUtf8("neexistuje")));
                EXPECT_EQ(QApplication::focusWidget(), f->eCInt);
            }
            EXPECT_DOUBLE_EQ(m.FieldByName("MNOZ_VYR")->AsFloat(), s.made);
        }
        f->BtnCancel->click();
    });
    EditStockMovement();
}

TEST_F(FormsTest, AMovementsJobIsTakenAsPrintedAndLettersAreToldOnceAsTheEditIsLeft)
{
    exec("insert into ZAKAZKY (C_OBJ, TYP_OBJ, C_ODB, MENA) values ('ZAK1', 'Z', 0, 'EUR')");
    exec("insert into ZAKAZKYD (C_INT, C_OBJ, C_VYR, MNOZ_OBJ, MNOZ_VYR, STAV_ZAK, C_REV, C_INT_RE) values (260003, "
         "'ZAK1', 'M-1', 40, 36, 50, 0, 0)");
    codeLists = std::make_unique<TDMCis>();
    TxTable &m = mtz->QMPohyby;
    m.Open();
    m.Append();
    WhenModal<TMPohybDForm>([&](TMPohybDForm *f) {
        TShownBoxes boxes;
        PutFocusDirectly(f->eCInt);
        f->eCInt->selectAll();
        QTest::keyClicks(f->eCInt, "3x");
        QTest::keyClick(f->eCInt, Qt::Key_Tab);
        QApplication::processEvents();
        EXPECT_EQ(boxes.Texts(), QStringList{QString::fromUtf8("„3x“ nie je číslo zákazky (napr. 26/0015).")});
        EXPECT_EQ(m.FieldByName("C_INT")->AsInteger(), 0);
        // The job as it is printed is taken.
        PutFocusDirectly(f->eCInt);
        f->eCInt->selectAll();
        QTest::keyClicks(f->eCInt, "26/0003");
        QTest::keyClick(f->eCInt, Qt::Key_Tab);
        QApplication::processEvents();
        EXPECT_EQ(boxes.Texts().size(), 1);
        EXPECT_EQ(m.FieldByName("C_INT")->AsInteger(), 260003);
        f->BtnCancel->click();
    });
    EditStockMovement();
}

TEST_F(FormsTest, TheItemPickOfAMovementListsItemsOfEveryKind)
{
    item("N-1", "N", 1);
    codeLists = std::make_unique<TDMCis>();
    TxTable &m = mtz->QMPohyby;
    m.Open();
    m.Append();
    int listed = -1;
    WhenModal<TMPohybDForm>([&](TMPohybDForm *f) {
        countItemsThePickOffers(listed);
        f->btnPolozka->click();
        f->BtnCancel->click();
    });
    EditStockMovement();
    EXPECT_EQ(listed, 4) << "three materials and a tool, nothing typed to narrow them";
}

TEST_F(FormsTest, ANewCopyCancelledLeavesNothingAcceptedCopiesTheLines)
{
    orderWithLines("Obj.260001", 2);
    TMObjednavkyForm browser;
    mtz->QMObj.Open();
    mtz->QMObjD.Open();
    responder->InputAnswers = {QVariant()};
    browser.NewCopy();
    EXPECT_EQ(number("select count(*) from MOBJEDNAVKY"), 1);
    EXPECT_EQ(mtz->QMObj.State(), dsBrowse);

    ASSERT_TRUE(mtz->QMObj.Locate("C_OBJ", QStringLiteral("Obj.260001")));
    responder->InputAnswers = {QStringLiteral("Obj.260077")};
    WhenModal<TMObjednavkyDForm>([](TMObjednavkyDForm *f) { f->SetModalResult(mrOk); });
    browser.NewCopy();
    EXPECT_EQ(number("select C_DOD from MOBJEDNAVKY where C_OBJ='Obj.260077'"), 1);
    EXPECT_EQ(number("select STAV_OBJ from MOBJEDNAVKY where C_OBJ='Obj.260077'"), 0);
    EXPECT_EQ(number("select count(*) from MOBJEDNAVKYD where C_OBJ='Obj.260077'"), 2);
    EXPECT_EQ(number("select sum(MNOZ_OBJ) from MOBJEDNAVKYD where C_OBJ='Obj.260077'"), 30);
}

TEST_F(FormsTest, ANewOrderTypedOverATakenNumberKeepsItsOwnLinesAndNeverTakesThoseOfTheOrderHoldingIt)
{
    orderWithLines("Obj.260001", 2);
    TMObjednavkyForm browser;
    mtz->QMObj.Open();
    mtz->QMObjD.Open();
    // Typed over the proposal as a taken number, with or without a line of its own. The first OK: the number asked
    // again is cancelled, so the save is refused as a duplicate; the second OK: a free number.
    for (const bool withLine : {false, true}) {
        SCOPED_TRACE(withLine ? "with a line" : "without lines");
        const QString free = withLine ? QStringLiteral("Obj.260050") : QStringLiteral("Obj.260040");
        responder->InputAnswers = {QVariant(), free};
        responder->Inputs.clear();
        WhenModal<TMObjednavkyDForm>([&](TMObjednavkyDForm *f) {
            PutFocusDirectly(f->eCObj);
            f->eCObj->selectAll();
            TypeText(f->eCObj, QStringLiteral("Obj.260001"));
            QTest::keyClick(f->eCObj, Qt::Key_Tab);
            if (withLine) {
                f->NewLine();
                mtz->QMObjD.FieldByName("C_POL")->SetValue(QStringLiteral("M-3"));
                mtz->QMObjD.FieldByName("MNOZ_OBJ")->SetValue(5);
                mtz->QMObjD.FieldByName("MJ")->SetValue(QStringLiteral("KS"));
                mtz->QMObjD.Post();
            }
            TBitBtn *ok = nullptr;
            for (TBitBtn *b : f->findChildren<TBitBtn *>())
                if (b->Kind() == bkOK)
                    ok = b;
            ASSERT_NE(ok, nullptr);
            ok->click();
            ASSERT_TRUE(f->isVisible()) << "the refused save keeps the dialog";
            TxTable &lines = mtz->QMObjD;
            lines.FetchAll();
            EXPECT_EQ(lines.RecordCount(), withLine ? 1 : 0) << "the lines of the order holding the number stay out";
            ok->click();
        });
        browser.btnNovy->click();
        EXPECT_EQ(responder->Inputs.size(), 2);
        EXPECT_EQ(number("select count(*) from MOBJEDNAVKYD where C_OBJ='Obj.260001'"), 2) << "its lines stay its own";
        EXPECT_EQ(number("select count(*) from MOBJEDNAVKY where C_OBJ='" + free + "'"), 1);
        EXPECT_EQ(number("select count(*) from MOBJEDNAVKYD where C_OBJ='" + free + "'"), withLine ? 1 : 0);
    }
    EXPECT_EQ(value("select C_POL from MOBJEDNAVKYD where C_OBJ='Obj.260050'").toString().trimmed(), "M-3")
        << "the line typed before the refusal is kept";
}

TEST_F(FormsTest, LinesFromRequestsLeaveOutWhatTheStockCovers)
{
    exec("insert into MSKLADY (C_POL, SKLAD, MNOZSTVO) values ('M-1', 'M1', 50)");
    exec("insert into MPOZIADAVKY (STAV_POZ, C_POL, C_INT, C_UROVNE, C_POZICIE, TYP1, NAZOV, MJ, MNOZ_POZ) values (0, "
         "'M-1', 260001, 1, 1, 'M', 'Plech', 'KS', 20)");
    exec("insert into MPOZIADAVKY (STAV_POZ, C_POL, C_INT, C_UROVNE, C_POZICIE, TYP1, NAZOV, MJ, MNOZ_POZ) values (0, "
         "'M-2', 260001, 1, 2, 'M', 'Tyč', 'KS', 7)");
    orderWithLines("Obj.260001", 0);
    TMObjednavkyDForm dialog;
    mtz->QMObj.Open();
    mtz->QMObjD.Open();
    mtz->QMObj.Edit();
    mtz->QMObjD.Append(); // a line being typed is kept as it is
    mtz->QMObjD.FieldByName("C_POL")->SetValue(QStringLiteral("M-3"));
    mtz->QMObjD.FieldByName("MNOZ_OBJ")->SetValue(1);
    mtz->QMObjD.FieldByName("MJ")->SetValue(QStringLiteral("KS"));
    WhenModal<TMPoziadavkyForm>([](TMPoziadavkyForm *f) {
        TDataSet *rows = f->GridDetail->DataSet();
        rows->FetchAll();
        ASSERT_EQ(rows->RecordCount(), 2);
        for (rows->First(); !rows->Eof(); rows->Next())
            f->GridDetail->MarkCurrentRow(true);
        EXPECT_TRUE(f->btnPrevziat[0]->isEnabled());
        f->btnPrevziat[0]->click();
    });
    dialog.AddLinesFromRequests(0);
    mtz->QMObj.Post();
    DMZal->DBZAL.ApplyUpdates({&mtz->QMObjD});
    EXPECT_EQ(number("select count(*) from MOBJEDNAVKYD"), 2);
    EXPECT_EQ(value("select NAZOV from MOBJEDNAVKYD where C_POL='M-2'").toString(), QString::fromUtf8("Tyč"));
    EXPECT_EQ(number("select MNOZ_OBJ from MOBJEDNAVKYD where C_POL='M-2'"), 7);
    EXPECT_EQ(number("select MNOZ_OBJ from MOBJEDNAVKYD where C_POL='M-3'"), 1);
    EXPECT_EQ(number("select count(*) from MOBJEDNAVKYD where C_POL='M-1'"), 0) << "the stock covers it";
}

TEST_F(FormsTest, TheCallersJobFilterNarrowsTheRequests)
{
    for (int job : {260001, 260002})
        exec(QStringLiteral("insert into MPOZIADAVKY (STAV_POZ, C_POL, C_INT, C_UROVNE, C_POZICIE, TYP1, MNOZ_POZ) "
                            "values (0, 'M-1', %1, 1, 1, 'M', 5)")
                 .arg(job));
    exec("insert into ZAKAZKY (C_OBJ, TYP_OBJ, C_ODB, MENA) values ('ZAK1', 'Z', 0, 'EUR')");
    exec("insert into ZAKAZKYD (C_INT, C_OBJ, C_VYR, MNOZ_OBJ, MNOZ_VYR, STAV_ZAK, C_REV, C_INT_RE) values (260002, "
         "'ZAK1', 'M-1', 1, 1, 5, 0, 0)");
    QList<int> jobs;
    WhenModal<TMPoziadavkyForm>([&](TMPoziadavkyForm *f) {
        TDataSet *rows = f->GridDetail->DataSet();
        for (rows->First(); !rows->Eof(); rows->Next())
            jobs << rows->FieldByName("C_INT")->AsInteger();
        EXPECT_FALSE(f->btnPrevziat[0]->isEnabled());
        f->eSklad->setText(QStringLiteral("x' or 'a'='a"));
        f->Rerun();
        EXPECT_EQ(rows->RecordCount(), 0);
        f->Tabs->setCurrentIndex(1);
        EXPECT_TRUE(f->lHodnota->text().startsWith(QString::fromUtf8("Požiadavky na materiál v hodnote :")));
        f->SetModalResult(mrCancel);
    });
    ShowMaterialRequests(QStringLiteral("where stav_zak=5"));
    EXPECT_EQ(jobs, QList<int>{260002});
}

TEST_F(FormsTest, TheStoresFormShowsTodaysStockAndAToolsUsage)
{
    move(QDate(2026, 3, 2), 10, "M1", "M-1", 12, 2);
    move(QDate(2026, 3, 2), 10, "M1", "M-2", 3, 2);
    bool checked = false;
    WhenModal<TMSkladyForm>([&](TMSkladyForm *f) {
        EXPECT_EQ(f->windowTitle(), QString::fromUtf8("Sklady materiálu"));
        TDataSet *rows = f->Grid->DataSet();
        rows->FetchAll();
        EXPECT_EQ(rows->RecordCount(), 2);
        TabTo(f->eNazov);
        QTest::keyClicks(f->eNazov, QStringLiteral("x' or 'a'='a"));
        EXPECT_TRUE(rows->Active());
        EXPECT_EQ(rows->RecordCount(), 0);
        f->eNazov->clear();
        QTest::keyClick(f->eNazov, Qt::Key_Backspace);
        f->Tabs->setCurrentWidget(f->tsPohyby);
        mtz->QMPohyby.FetchAll();
        EXPECT_EQ(mtz->QMPohyby.RecordCount(), 1);
        WhenModal<TQQueryForm>(
            [](TQQueryForm *console) {
                EXPECT_EQ(console->windowTitle(), QString::fromUtf8("Využitie nástroja"));
                EXPECT_EQ(console->pcQuery->currentWidget(), console->tsParams);
                console->SetModalResult(mrCancel);
            },
            f);
        f->ToolUsage();
        checked = true;
        f->SetModalResult(mrCancel);
    });
    ShowStores(QStringLiteral("M"));
    EXPECT_TRUE(checked);
    EXPECT_FALSE(mtz->QvMSklady.Active());
}

TEST_F(FormsTest, TheStoresShowTheItemsPictureAndTheSelectedProductsPicture)
{
    RegisterDBImageFormat("jpg", TGraphicClass::Jpeg); // as the program's start does
    QImage image(900, 700, QImage::Format_RGB32);      // larger than the form
    image.fill(Qt::red);
    item("V-1", "V");
    ExecSqlParams("insert into TKUSOVNIK (C_VYR, C_POZICIE, C_POL, MNOZSTVO) values (?, 10, ?, 1)", {"V-1", "M-1"});
    for (const char *code : {"M-1", "V-1"})
        ExecSqlParams("update POLOZKY set OBRAZOK=? where C_POL=?", {EncodeJpeg(image), QString::fromLatin1(code)});
    move(QDate(2026, 3, 2), 10, "M1", "M-1", 12, 2);
    move(QDate(2026, 3, 2), 10, "M1", "M-2", 3, 2);
    bool checked = false;
    WhenModal<TMSkladyForm>([&](TMSkladyForm *f) {
        TDataSet *rows = f->Grid->DataSet();
        Settle();
        const int listHeight = f->Grid->height();
        ASSERT_TRUE(rows->Locate("C_POL", "M-1"));
        f->ObrazokMaterial->LoadPicture();
        Settle();
        EXPECT_EQ(f->ObrazokMaterial->Picture().Width(), 900) << "a stored JPEG shows";
        EXPECT_EQ(f->Grid->height(), listHeight) << "a large picture leaves the list its room";
        f->Tabs->setCurrentWidget(f->tsVyrobky);
        ASSERT_EQ(f->DetailGrid[1]->DataSet()->RecordCount(), 1);
        f->ObrazokVyrobku->LoadPicture();
        EXPECT_EQ(f->ObrazokVyrobku->Picture().Width(), 900) << "the product's picture beside the list";
        ASSERT_TRUE(rows->Locate("C_POL", "M-2"));
        EXPECT_TRUE(f->DetailGrid[1]->DataSet()->IsEmpty()) << "M-2 is in no product";
        EXPECT_TRUE(f->ObrazokVyrobku->Picture().IsEmpty());
        checked = true;
        f->SetModalResult(mrCancel);
    });
    ShowStores(QStringLiteral("M"));
    EXPECT_TRUE(checked);
}

TEST_F(FormsTest, AnItemCardRefusedAsADuplicateStaysOpenWithTheMessage)
{
    TMPolozkyForm list;
    list.ApplyItemQuickSearch({}, {}, true);
    WhenModal<TMPolozkyDForm>([&](TMPolozkyDForm *card) {
        mtz->QPolozky.FieldByName("C_POL")->SetValue(QStringLiteral("M-1"));
        card->BtnOK->click();
        EXPECT_TRUE(card->isVisible());
        EXPECT_EQ(mtz->QPolozky.State(), dsInsert);
        EXPECT_FALSE(responder->Texts().isEmpty());
        mtz->QPolozky.FieldByName("C_POL")->SetValue(QStringLiteral("M-9"));
        card->BtnOK->click();
    });
    list.NewItem();
    EXPECT_EQ(value("select MJ from POLOZKY where C_POL='M-9'").toString(), "KS");
    // Products are never listed, whatever is typed.
    exec("insert into POLOZKY (C_POL, TYP1, NAZOV) values ('V-1', 'V', 'Odliatok')");
    list.ApplyItemQuickSearch({"C_POL"}, {"V"}, true);
    EXPECT_TRUE(mtz->QPolozky.IsEmpty());
    list.ApplyItemQuickSearch({"NAZOV"}, {QString::fromUtf8("ožka")}, false);
    mtz->QPolozky.FetchAll();
    EXPECT_EQ(mtz->QPolozky.RecordCount(), 3) << "names containing the text";
}

TEST_F(FormsTest, TheMovementsOfAPeriodInDetailAndSummed)
{
    move(QDate(2026, 3, 16), 10, "M1", "M-1", 4, 2);
    move(QDate(2026, 3, 16), 22, "M1", "M-1", 1, 2);
    move(QDate(2026, 3, 1), 10, "M1", "M-2", 9, 2);
    mtz->QMPohyby.Close();
    bool checked = false;
    WhenModal<TMPohybyForm>([&](TMPohybyForm *f) {
        TDataSet *rows = f->Grid->DataSet();
        rows->FetchAll();
        EXPECT_EQ(rows->RecordCount(), 2) << "today's movements";
        f->eOd->setText(QStringLiteral("1.3.2026"));
        f->eSklad->setText(QStringLiteral("M1' or 'a'='a"));
        f->BtnFilter->click();
        rows->FetchAll();
        EXPECT_EQ(rows->RecordCount(), 0);
        f->eSklad->setText(QStringLiteral("M1"));
        f->eTyp->setText(QStringLiteral("10 or 1=1"));
        f->BtnFilter->click();
        EXPECT_TRUE(responder->Texts().last().contains(QString::fromUtf8("„10 or 1=1“ nie je číslo")))
            << "a kind that is no number is refused";
        f->eTyp->clear();
        f->cbPohlad->setCurrentIndex(4); // the sum per store
        f->BtnFilter->click();
        rows = f->Grid->DataSet();
        EXPECT_EQ(rows, &mtz->QvMPohyby);
        rows->FetchAll();
        ASSERT_EQ(rows->RecordCount(), 2) << "receipts and issues of the store";
        double value = 0;
        for (rows->First(); !rows->Eof(); rows->Next())
            value += rows->FieldByName("HODNOTA")->AsFloat();
        EXPECT_DOUBLE_EQ(value, (4 + 9 - 1) * 2.0);
        f->eOd->setText(QStringLiteral("31.2.2026"));
        f->BtnFilter->click();
        EXPECT_TRUE(responder->Texts().last().contains("31.2.2026")) << "an impossible date is refused";
        checked = true;
        f->SetModalResult(mrCancel);
    });
    ShowStockMovements();
    EXPECT_TRUE(checked);
}

TEST_F(FormsTest, TheSumPerJobReadsInSlovakAndShowsNoJobForMovementsWithoutOne)
{
    move(QDate(2026, 3, 16), 10, "M1", "M-1", 4, 2);
    move(QDate(2026, 3, 16), 22, "M1", "M-2", 1, 2, 260012);
    mtz->QMPohyby.Close();
    bool checked = false;
    WhenModal<TMPohybyForm>([&](TMPohybyForm *f) {
        f->eOd->setText(QStringLiteral("1.3.2026"));
        f->cbPohlad->setCurrentIndex(5); // the sum per job
        f->BtnFilter->click();
        QAbstractItemModel *model = f->Grid->model();
        QStringList titles, cells;
        for (int c = 0; c < model->columnCount(); ++c)
            titles << model->headerData(c, Qt::Horizontal).toString();
        for (int r = 0; r < model->rowCount(); ++r)
            for (int c = 0; c < model->columnCount(); ++c)
                cells << model->data(model->index(r, c)).toString().trimmed();
        EXPECT_TRUE(titles.contains(QString::fromUtf8("č.Zákazky"))) << titles.join(u'|').toStdString();
        EXPECT_TRUE(titles.contains(QStringLiteral("Hodnota"))) << titles.join(u'|').toStdString();
        EXPECT_FALSE(titles.contains(QStringLiteral("HODNOTA")));
        EXPECT_TRUE(cells.contains(QStringLiteral("26/0012"))) << cells.join(u'|').toStdString();
        EXPECT_FALSE(cells.contains(QStringLiteral("0/0000"))) << cells.join(u'|').toStdString();
        checked = true;
        f->SetModalResult(mrCancel);
    });
    ShowStockMovements();
    EXPECT_TRUE(checked);
}

TEST_F(FormsTest, OnlyAChangedCalculatedPriceAsksForTheRecalculation)
{
    TMPolozkyForm list;
    list.ApplyItemQuickSearch({"C_POL"}, {"M-1"}, true);
    WhenModal<TMPolozkyDForm>([](TMPolozkyDForm *card) {
        DMMTZ->QPolozky.FieldByName("CENA_NAKL")->SetValue(9.5);
        card->BtnOK->click();
    });
    list.EditItem();
    EXPECT_TRUE(responder->Texts().isEmpty());
    EXPECT_DOUBLE_EQ(number("select CENA_NAKL from POLOZKY where C_POL='M-1'"), 9.5);
    WhenModal<TMPolozkyDForm>([](TMPolozkyDForm *card) {
        DMMTZ->QPolozky.FieldByName("CENA_KALK")->SetValue(4);
        card->BtnOK->click();
    });
    responder->MessageAnswers = {mrYes};
    list.EditItem();
    EXPECT_EQ(responder->Texts(),
              QStringList{QString::fromUtf8("Prepočítať cenu výrobkov, do ktorých vstupuje tento materiál ?")});
    EXPECT_DOUBLE_EQ(number("select CENA_KALK from POLOZKY where C_POL='M-1'"), 4);
}

TEST_F(FormsTest, TheItemCardTakesItsSubKindOwnerPricesAndPicture)
{
    writeSetting("Defaults", "Polozky.typ2", "K,M,F");
    TDMCis cis;
    exec(QString::fromUtf8("insert into CODBERATELOV (C_ODB, ODBERATEL) values (7, 'Zlievareň Ľupča')"));
    exec(QString::fromUtf8("insert into CODBERATELOV (C_ODB, ODBERATEL) values (8, 'Kovo s.r.o.')"));
    QTemporaryDir folder;
    const QString file = QDir(folder.path()).filePath("obrazok.jpg");
    QImage red(8, 8, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(file, "JPG"));
    TMPolozkyForm list;
    list.ApplyItemQuickSearch({"C_POL"}, {"M-1"}, true);
    WhenModal<TMPolozkyDForm>([&](TMPolozkyDForm *card) {
        QStringList kinds;
        for (int i = 0; i < card->cbTyp2->count(); ++i)
            kinds << card->cbTyp2->itemText(i);
        EXPECT_EQ(kinds, QStringList({"K", "M", "F"}));
        const int mould = card->Tabs->indexOf(card->tsKokila);
        EXPECT_FALSE(card->Tabs->isTabVisible(mould));
        TabTo(card->cbTyp2);
        QTest::keyClicks(card->cbTyp2, "K");
        TabTo(card->eNazov);
        EXPECT_TRUE(card->Tabs->isTabVisible(mould)) << "a mould has its data";

        // The price in its mask: the stored 2 in its places, then "12,5" typed with the decimal comma.
        TDBEdit *price = card->eCenaNakl->Edit();
        TabTo(price);
        EXPECT_EQ(price->Text(), "2    .00");
        QTest::keyClicks(price, "12,5");
        QTest::keyClick(price, Qt::Key_Tab);

        TDBEdit *owner = card->eMajitel->Edit();
        TabTo(owner);
        QTest::keyClicks(owner, QString::fromUtf8("Zlie"));
        card->eMajitel->ButtonClick();

        responder->FileAnswers = {file};
        const QList<QAction *> picture = card->PictureMenu->actions();
        ASSERT_EQ(picture.size(), 4);
        EXPECT_EQ(picture[0]->text(), QString::fromUtf8("Vložiť zo súboru"));
        picture[0]->trigger();
        QApplication::clipboard()->setText("text");
        emit card->PictureMenu->aboutToShow();
        EXPECT_FALSE(picture[1]->isEnabled()) << "no picture to paste";
        picture[2]->trigger(); // copied to the clipboard
        emit card->PictureMenu->aboutToShow();
        EXPECT_TRUE(picture[1]->isEnabled());
        card->BtnOK->click();
    });
    list.EditItem();
    EXPECT_EQ(value("select TYP2 from POLOZKY where C_POL='M-1'").toString().trimmed(), "K");
    EXPECT_DOUBLE_EQ(number("select CENA_NAKL from POLOZKY where C_POL='M-1'"), 12.5);
    EXPECT_EQ(number("select C_ODB from POLOZKY where C_POL='M-1'"), 7);
    EXPECT_EQ(value("select MAJITEL from POLOZKY where C_POL='M-1'").toString(), QString::fromUtf8("Zlievareň Ľupča"));
    EXPECT_EQ(value("select OBRAZOK from POLOZKY where C_POL='M-1'").toByteArray().left(2), QByteArray("\xFF\xD8"));
    EXPECT_FALSE(QApplication::clipboard()->image().isNull());

    WhenModal<TMPolozkyDForm>([](TMPolozkyDForm *card) {
        card->PictureMenu->actions()[3]->trigger(); // "Zmazať"
        card->BtnOK->click();
    });
    list.EditItem();
    EXPECT_TRUE(value("select OBRAZOK from POLOZKY where C_POL='M-1'").isNull());
    EXPECT_TRUE(responder->Texts().isEmpty()) << responder->Texts().join('|').toStdString();
}

TEST_F(FormsTest, TheMovementsFormReturnsALendingAndRepricesAReceipt)
{
    move(Date(), 23, "N1", "M-1", 3, 2, 260001);
    move(Date(), 10, "M1", "M-2", 4, 2);
    mtz->QMPohyby.Close();
    bool checked = false;
    WhenModal<TMPohybyForm>([&](TMPohybyForm *f) {
        QStringList entries;
        for (QAction *a : f->PohybyMenu->actions())
            entries << a->text();
        EXPECT_EQ(entries, QStringList({QString::fromUtf8("Vrátenie z výroby"), QString::fromUtf8("Vrátenie z opravy"),
                                        QString::fromUtf8("Cena príjmu"), QStringLiteral("Doklad (mesiac)"),
                                        QString::fromUtf8("Doklad (dátum)")}));
        const QList<QAction *> menu = f->PohybyMenu->actions();
        TDataSet &m = mtz->QMPohyby;
        ASSERT_TRUE(m.Locate("TYP_POHYBU", 10));
        menu[0]->trigger(); // a receipt is no lending: nothing happens
        EXPECT_EQ(m.State(), dsBrowse);
        ASSERT_TRUE(m.Locate("TYP_POHYBU", 23));
        menu[2]->trigger(); // a lending has no receipt price
        EXPECT_TRUE(responder->Inputs.isEmpty());
        WhenModal<TMPohybDForm>([&](TMPohybDForm *d) {
            EXPECT_EQ(d->cbTypPohybu->currentText().left(2), "13");
            EXPECT_DOUBLE_EQ(m.FieldByName("MNOZSTVO")->AsFloat(), 3);
            EXPECT_EQ(m.FieldByName("C_INT")->AsInteger(), 260001);
            d->BtnOK->click();
        });
        menu[0]->trigger();

        ASSERT_TRUE(m.Locate("TYP_POHYBU", 10));
        responder->InputAnswers = {QStringLiteral("abc"), QStringLiteral("3,75")};
        menu[2]->trigger();
        EXPECT_EQ(responder->Texts().value(0), QString::fromUtf8("'abc' nie je platné číslo"));
        EXPECT_EQ(m.State(), dsBrowse) << "a refused price leaves the movement as it was";
        menu[2]->trigger();
        EXPECT_EQ(responder->Inputs.value(1).Caption, QString::fromUtf8("Zmena ceny príjmu"));
        checked = true;
        f->SetModalResult(mrCancel);
    });
    ShowStockMovements();
    EXPECT_TRUE(checked);
    EXPECT_DOUBLE_EQ(number("select MNOZSTVO from MPOHYBY where TYP_POHYBU=13 and C_POL='M-1' and SKLAD='N1' and "
                            "C_INT=260001"),
                     3);
    EXPECT_DOUBLE_EQ(number("select CENA_NAKL from MPOHYBY where TYP_POHYBU=10"), 3.75);
}

TEST_F(FormsTest, ASupplierPickedByNamePrefix)
{
    exec(QString::fromUtf8("insert into CDODAVATELOV (C_DOD, DODAVATEL) values (2, 'Kovo''s Trade')"));
    exec(QString::fromUtf8("insert into CDODAVATELOV (C_DOD, DODAVATEL) values (3, 'Železiarne')"));
    TxDataSet &h = mtz->QMObj;
    h.Open();
    h.Append();
    h.FieldByName("DODAVATEL")->SetValue(QString::fromUtf8("Žel"));
    EXPECT_TRUE(PickSupplier(h.FieldByName("C_DOD"), h.FieldByName("DODAVATEL"))) << "one match: no browser";
    EXPECT_EQ(h.FieldByName("C_DOD")->AsInteger(), 3);
    EXPECT_EQ(h.FieldByName("DODAVATEL")->AsString(), QString::fromUtf8("Železiarne"));

    h.FieldByName("DODAVATEL")->SetValue(QStringLiteral("x' or 'a'='a"));
    int listed = -1;
    WhenModal<TDodavateliaForm>([&](TDodavateliaForm *f) {
        f->DBGrid->DataSet()->FetchAll();
        listed = f->DBGrid->DataSet()->RecordCount();
        f->SetModalResult(mrCancel);
    });
    EXPECT_FALSE(PickSupplier(h.FieldByName("C_DOD"), h.FieldByName("DODAVATEL")));
    EXPECT_EQ(listed, 0) << "none matches: the empty browser";
    EXPECT_EQ(h.FieldByName("C_DOD")->AsInteger(), 3);

    h.FieldByName("DODAVATEL")->SetValue(QStringLiteral("Kovo"));
    WhenModal<TDodavateliaForm>([&](TDodavateliaForm *f) {
        f->DBGrid->DataSet()->FetchAll();
        listed = f->DBGrid->DataSet()->RecordCount();
        EXPECT_TRUE(f->BtnVyber->isVisible());
        EXPECT_TRUE(f->DBGrid->DataSet()->Locate("C_DOD", 2));
        f->SetModalResult(mrOk);
    });
    EXPECT_TRUE(PickSupplier(h.FieldByName("C_DOD"), h.FieldByName("DODAVATEL")));
    EXPECT_EQ(listed, 2);
    EXPECT_EQ(h.FieldByName("C_DOD")->AsInteger(), 2);
    h.Cancel();
}

TEST_F(FormsTest, ASupplierTypedInTheOrderAndLeftByTabIsPickedByWhatWasTyped)
{
    exec(QString::fromUtf8("insert into CDODAVATELOV (C_DOD, DODAVATEL) values (3, 'Železiarne O''Brien')"));
    TxDataSet &h = mtz->QMObj;
    h.Open();
    h.Append();
    bool browsed = false;
    TMObjednavkyDForm dialog;
    WhenModal<TMObjednavkyDForm>([&](TMObjednavkyDForm *f) {
        WhenModal<TDodavateliaForm>([&](TDodavateliaForm *suppliers) {
            browsed = true;
            suppliers->SetModalResult(mrCancel);
        });
        TabTo(f->eDodavatel);
        TypeText(f->eDodavatel, QString::fromUtf8("Žel"));
        QTest::keyClick(f->eDodavatel, Qt::Key_Tab);
        QApplication::processEvents();
        CancelWhenModal();
        EXPECT_FALSE(browsed) << "one supplier begins so: no browser";
        EXPECT_EQ(h.FieldByName("C_DOD")->AsInteger(), 3);
        EXPECT_EQ(h.FieldByName("DODAVATEL")->AsString(), QString::fromUtf8("Železiarne O'Brien"));
        f->SetModalResult(mrCancel);
    });
    dialog.ShowModal();
    h.Cancel();
}

TEST_F(FormsTest, APurchaseOrdersLinesArePickedFromEveryKindAndTypedInTheGrid)
{
    codeLists = std::make_unique<TDMCis>();
    item("N-1", "N", 1);
    TxDataSet &h = mtz->QMObj;
    h.Open();
    h.Append();
    h.FieldByName("C_DOD")->SetValue(1);
    h.FieldByName("DODAVATEL")->SetValue(QStringLiteral("Kovohuty"));
    h.Post();
    TxTable &lines = mtz->QMObjD;
    lines.Open();
    int listed = -1;
    TMObjednavkyDForm dialog;
    WhenModal<TMObjednavkyDForm>([&](TMObjednavkyDForm *f) {
        TShownBoxes boxes;
        f->NewLine();
        // A line with no item yet: the pick offers items of every kind.
        countItemsThePickOffers(listed);
        f->btnPolozka->click();
        QApplication::processEvents();
        QApplication::setActiveWindow(f);
        TabTo(f->LinesGrid);
        QTest::keyClick(TypeInCell(f->LinesGrid, 1, "M-2"), Qt::Key_Return);
        QWidget *editor = TypeInCell(f->LinesGrid, 4, "abc");
        EXPECT_NE(editor, f->LinesGrid) << "the quantity can be typed";
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();
        EXPECT_EQ(boxes.Texts(), QStringList{QString::fromUtf8("'abc' nie je platné číslo")});
        Retype(editor, "12");
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();
        EXPECT_EQ(lines.FieldByName("C_POL")->AsString().trimmed(), "M-2");
        EXPECT_DOUBLE_EQ(lines.FieldByName("MNOZ_OBJ")->AsFloat(), 12);
        lines.Cancel();
        f->SetModalResult(mrCancel);
    });
    dialog.ShowModal();
    EXPECT_EQ(listed, 4) << "three materials and a tool";
}

TEST_F(FormsTest, TheSuppliersCountryIsChosenByNameFromTheCountries)
{
    exec(QString::fromUtf8("insert into CSTATOV (STAT, NAZOV_STATU, MENA) values ('SK', 'Slovensko', 'EUR')"));
    exec(QString::fromUtf8("insert into CSTATOV (STAT, NAZOV_STATU, MENA) values ('CZ', 'Česko', 'CZK')"));
    exec("update CDODAVATELOV set STAT='SK' where C_DOD=1");
    bool checked = false;
    WhenModal<TDodavateliaForm>([&](TDodavateliaForm *browser) {
        ASSERT_TRUE(browser->DBGrid->DataSet()->Locate("C_DOD", 1));
        WhenModal<TDodavatelDForm>(
            [&](TDodavatelDForm *dialog) {
                TDBLookupCombo *country = dialog->DBlcbSTAT;
                EXPECT_EQ(country->currentText(), "Slovensko") << "the code list was opened for the dialog";
                dialog->activateWindow();
                ASSERT_TRUE(ShowActive(dialog));
                TabTo(country);
                const int czech = country->IndexOfKey("CZ");
                ASSERT_GT(czech, 0);
                EXPECT_EQ(country->itemText(czech), QString::fromUtf8("Česko"));
                for (int i = 0; i < country->count() && country->currentIndex() != czech; ++i)
                    QTest::keyClick(country, country->currentIndex() < czech ? Qt::Key_Down : Qt::Key_Up);
                QTest::keyClick(country, Qt::Key_Tab);
                checked = true;
                dialog->SetModalResult(mrOk);
            },
            browser);
        browser->btnOpravClick();
        browser->SetModalResult(mrCancel);
    });
    ShowSuppliers();
    EXPECT_TRUE(checked);
    EXPECT_EQ(value("select STAT from CDODAVATELOV where C_DOD=1").toString().trimmed(), "CZ");
}

} // namespace

namespace {

// The item list's moulds page shows the current item's mould data: after an item card was opened and closed,
// as the list moves on, and when the list is opened again.
TEST_F(FormsTest, TheListsMouldPageFollowsTheCurrentItemAfterTheCard)
{
    item("K-1", "N");
    item("K-2", "N");
    exec(QString::fromUtf8("insert into POLOZKYKOKILY (C_POL, MATERIAL) values ('K-1', 'Sivá liatina')"));
    exec(QString::fromUtf8("insert into POLOZKYKOKILY (C_POL, MATERIAL) values ('K-2', 'Hliník')"));
    QStringList seen;
    const auto mouldShown = [&seen](TMPolozkyForm *list) {
        TDataSet *rows = list->DetailGrid->DataSet();
        seen << (rows && rows->Active() && !rows->IsEmpty() ? rows->FieldByName("MATERIAL")->AsString().trimmed()
                                                            : QStringLiteral("(nič)"));
    };
    for (int opened = 0; opened < 2; ++opened) {
        WhenModal<TMPolozkyForm>([&](TMPolozkyForm *list) {
            QTabBar *tabs = list->Tabs->tabBar();
            ClickOn(tabs, tabs->tabRect(1).center()); // "Kokila/Model"
            mouldShown(list);
            WhenModal<TMPolozkyDForm>([](TMPolozkyDForm *card) { ClickOn(card->BtnCancel); });
            ClickOn(list->btnOprav);
            mouldShown(list);
            ASSERT_TRUE(ClickCell(list->Grid, 1, 0));
            mouldShown(list);
            ClickOn(list->BtnKoniec);
        });
        ShowMaterialItems();
    }
    const QString grey = QString::fromUtf8("Sivá liatina"), aluminium = QString::fromUtf8("Hliník");
    EXPECT_EQ(seen, (QStringList{grey, grey, aluminium, grey, grey, aluminium}));
    delete MPolozkyForm;
}

} // namespace
