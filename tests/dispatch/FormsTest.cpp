// The dispatch forms offscreen with real key events: the note dialog reading job barcodes after F12, the
// finished-goods store's filter after a line check, and the browser's overviews.
#include "common/PersonTyping.h"
#include "DispatchFixture.h"
#include "printing/PrintTestSupport.h"

#include "common/HostileCorpus.h"
#include "common/GridTyping.h"
#include "common/WhenModal.h"
#include "dispatch/EDListyDForm.h"
#include "dispatch/EDListyForm.h"
#include "dispatch/EFakturaForm.h"
#include "dispatch/ESkladForm.h"
#include "dispatch/ExpSql.h"
#include "dispatch/ESkladQRRep.h"
#include "platform/report/QRPage.h"
#include "library/xDBFilter.h"
#include "library/xDBGrid.h"
#include "platform/ui/BitBtn.h"
#include "platform/ui/DBControls.h"
#include "platform/ui/DateEdit.h"
#include "dispatch/EFakturaQRRep.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

class FormsTest : public DispatchTest {
protected:
    void TearDown() override
    {
        dialog.reset();
        storeForm.reset();
        DispatchTest::TearDown();
    }
    // The demo foundry and a delivery note of one line, ready to be invoiced.
    void invoiceNote()
    {
        foundry();
        exec("insert into EDLISTY (C_DL, C_ODB, C_OBJ, D_VYSTAV, KURZ, MENA) values (260001, 5, 'ZAK260001', "
             "'2026-03-14', 1, 'EUR')");
        exec("insert into EDLISTYD (C_DL, C_VYR, C_INT, MNOZ_VYR, CENA_KURZ1) values (260001, 'V1', 260001, 10, 80)");
    }
    void showDialog()
    {
        dialog = std::make_unique<TEDListyDForm>();
        dialog->show();
        dialog->activateWindow();
        ASSERT_TRUE(ShowActive(dialog.get()));
        TabTo(dialog->DBeC_ODB);
        QCoreApplication::processEvents();
    }
    void scan(const QVariant &code)
    {
        responder->InputAnswers.push_back(code);
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : dialog.get(), Qt::Key_F12);
    }
    std::unique_ptr<TEDListyDForm> dialog;
    std::unique_ptr<TESkladForm> storeForm;
};

} // namespace

TEST_F(FormsTest, F12OnAnEmptyNoteFillsTheOrderThenAddsScannedJobs)
{
    foundry();
    exp->SelectNotes(0, {});
    exp->QEDListy.Append();
    showDialog();
    EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("Nový dodací list"));

    // Neither customer nor order yet: the job's order is taken (its take-over declined here), no line.
    responder->MessageAnswers.push_back(mrNo);
    scan("260001");
    ASSERT_EQ(responder->Inputs.size(), 1);
    EXPECT_EQ(responder->Inputs[0].Caption, QString::fromUtf8("Čiarový kód"));
    EXPECT_EQ(responder->Inputs[0].Prompt, QString::fromUtf8("Vstup čiarového kódu zákazky"));
    EXPECT_EQ(exp->QEDListy.FieldByName("C_OBJ")->AsString(), "ZAK260001");
    EXPECT_EQ(exp->QEDListy.FieldByName("C_ODB")->AsInteger(), 5);
    EXPECT_EQ(responder->Messages.last().Text, QString::fromUtf8("Prebrať položky z objednávky č. ZAK260001"));
    EXPECT_EQ(exp->QEDListyD.RecordCount(), 0);
    EXPECT_EQ(QApplication::focusWidget(), dialog->DBcbDOPRAVA);

    // Now a scanned job becomes a line; an earlier open job of the product is pointed out.
    scan("260002");
    ASSERT_EQ(exp->QEDListyD.RecordCount(), 1);
    EXPECT_EQ(exp->QEDListyD.FieldByName("C_INT")->AsInteger(), 260002);
    EXPECT_EQ(exp->QEDListyD.FieldByName("MNOZ_VYR")->AsInteger(), 6);
    EXPECT_EQ(dialog->DBGridPolozky->SelectedIndex(), 4);
    EXPECT_EQ(responder->Texts().last(),
              QString::fromUtf8("Existuje skoršia neukončená zákazka na rovnaký výrobok a odberateľa !"));

    // Codes out of range, not numbers or cancelled do nothing.
    const int boxes = responder->Messages.size();
    for (const QVariant &code : {QVariant("0"), QVariant("999999"), QVariant("-5"), QVariant("abc"), QVariant()})
        scan(code);
    EXPECT_EQ(exp->QEDListyD.RecordCount(), 1);
    EXPECT_EQ(responder->Messages.size(), boxes);

    // Saving writes the header and the line.
    QTest::mouseClick(dialog->BtnZapis, Qt::LeftButton);
    EXPECT_EQ(count("select count(*) from EDLISTY where c_obj='ZAK260001'"), 1);
    EXPECT_EQ(lineCount(260001), 1);
}

// Opens the cell editor of a column of the lines grid and clicks its "..." button.
static void clickCellButton(TxDBGrid *grid, int column)
{
    grid->window()->activateWindow(); // back from the previous pick's window
    ASSERT_TRUE(ShowActive(grid->window()));
    TabTo(grid);
    grid->SetSelectedIndex(column);
    QTest::keyClick(grid, Qt::Key_Return);
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr) << "Enter opens the cell";
    ASSERT_FALSE(editor->actions().isEmpty()) << "the cell has its button";
    editor->actions().first()->trigger();
}

TEST_F(FormsTest, TheLineCellButtonsPickAProductFromTheStoreAndAJob)
{
    foundry();
    exp->SelectNotes(0, {});
    exp->QEDListy.Append();
    showDialog();
    responder->MessageAnswers.push_back(mrNo);
    scan("260001"); // the order, its take-over declined: no line yet
    TxDBGrid *grid = dialog->DBGridPolozky;
    TxDataSet &lines = exp->QEDListyD;
    QTest::mouseClick(dialog->BtnNovy, Qt::LeftButton);
    ASSERT_EQ(lines.State(), dsInsert);

    WhenModal<TESkladForm>([](TESkladForm *store) {
        ASSERT_TRUE(DMExp->QESklad.Locate("C_POL", "V1"));
        store->SetModalResult(mrOk);
    });
    clickCellButton(grid, 2);
    EXPECT_EQ(lines.FieldByName("C_VYR")->AsString().trimmed(), "V1") << "the product of the picked stock row";
    EXPECT_EQ(lines.FieldByName("SKLAD")->AsString().trimmed(), "V1");
    EXPECT_EQ(grid->SelectedIndex(), 4) << "on to the quantity";

    CloseModal(mrOk);
    clickCellButton(grid, 1);
    const int picked = lines.FieldByName("C_INT")->AsInteger();
    EXPECT_TRUE(picked == 260001 || picked == 260002) << picked;
    EXPECT_EQ(grid->SelectedIndex(), 4);
    EXPECT_EQ(lines.FieldByName("C_VYR")->AsString().trimmed(), "V1") << "the editor did not write over the pick";
}

TEST_F(FormsTest, TheStoreListStartsFromItsOwnConditionAfterALineCheck)
{
    foundry();
    product("V2");
    receipt("V2", 4);
    storeForm = std::make_unique<TESkladForm>();
    storeForm->show();
    QCoreApplication::processEvents();
    TxQuery &q = exp->QESklad;
    q.Last();
    EXPECT_EQ(q.RecordCount(), 2);
    EXPECT_EQ(storeForm->lHodnota->text(), storeForm->TotalsText());
    EXPECT_TRUE(storeForm->lHodnota->text().endsWith(" / 40 kg")) << storeForm->lHodnota->text().toStdString();

    // A line check narrows the shared query to one product ...
    openNewNote();
    exp->QEDListyD.Append();
    exp->QEDListyD.FieldByName("C_VYR")->SetValue("V1");
    q.Last();
    EXPECT_EQ(q.RecordCount(), 1);
    // ... the store's next filter lists the whole store again.
    storeForm->cbFilter->SetItemIndex(0);
    storeForm->cbFilter->ApplyFilter();
    q.Last();
    EXPECT_EQ(q.RecordCount(), 2);
    // A typed customer with an apostrophe is quoted.
    storeForm->cbFilter->SetItemIndex(3);
    storeForm->cbFilter->SetValueText("O'Brien");
    storeForm->cbFilter->ApplyFilter();
    EXPECT_TRUE(q.Active());
    EXPECT_TRUE(q.IsEmpty());
    storeForm->cbFilter->SetValueText(QString::fromUtf8("Strojár"));
    storeForm->cbFilter->ApplyFilter();
    q.Last();
    EXPECT_EQ(q.RecordCount(), 1);
    EXPECT_EQ(q.FieldByName("C_POL")->AsString().trimmed(), "V1");
}

TEST_F(FormsTest, OverviewsSumByTheChosenView)
{
    invoiceNote();
    exec("insert into EDLISTYD (C_DL, C_VYR, C_INT, MNOZ_VYR, CENA_KURZ1) values (260001, 'V1', 260002, 2, 80)");
    TxQuery &q = dm->QTlac;
    EXPECT_EQ(exp->OpenOverview(5, QDate(2026, 3, 1), QDate(2026, 3, 31), "", "5", "V1"), "odberatel");
    ASSERT_FALSE(q.IsEmpty());
    EXPECT_EQ(q.FieldByName("MNOZ_VYR")->AsInteger(), 12);
    EXPECT_DOUBLE_EQ(q.FieldByName("CENA_PREDC")->AsFloat(), 960.0);
    EXPECT_EQ(exp->OpenOverview(0, QDate(2026, 3, 1), QDate(2026, 3, 31), "260002", "", ""), "d_vystav");
    q.Last();
    EXPECT_EQ(q.RecordCount(), 1);
    exp->OpenOverview(3, QDate(2026, 3, 15), QDate(2026, 3, 31), "", "", "V1' or ''='");
    EXPECT_TRUE(q.IsEmpty());
    EXPECT_THROW(exp->OpenOverview(3, QDate(2026, 3, 15), QDate(2026, 3, 31), "", "x'", ""), EConvertError)
        << "a customer that is no number is refused, not left out";

    // The customers' summary is ordered by their sales, the largest first.
    customer(6, "Malý odberateľ");
    exec("insert into EDLISTY (C_DL, C_ODB, C_OBJ, D_VYSTAV, KURZ, MENA) values (260002, 6, ' ', '2026-03-15', 1, "
         "'EUR')");
    exec("insert into EDLISTYD (C_DL, C_VYR, C_INT, MNOZ_VYR, CENA_KURZ1) values (260002, 'V1', 260001, 1, 5)");
    exp->OpenOverview(5, QDate(2026, 3, 1), QDate(2026, 3, 31), "", "", "");
    q.Last();
    ASSERT_EQ(q.RecordCount(), 2);
    q.First();
    EXPECT_EQ(q.FieldByName("ODBERATEL")->AsString(), QString::fromUtf8("Strojárne Martin"));
    q.Next();
    EXPECT_EQ(q.FieldByName("ODBERATEL")->AsString(), QString::fromUtf8("Malý odberateľ"));
}

TEST_F(FormsTest, EveryOverviewTitlesItsColumnsInWords)
{
    invoiceNote();
    TxQuery &q = dm->QTlac;
    for (int view = 0; view < int(std::size(ExpSql::OverviewViews)); ++view) {
        exp->OpenOverview(view, QDate(2026, 3, 1), QDate(2026, 3, 31), "", "", "");
        for (int i = 0; i < q.FieldCount(); ++i)
            EXPECT_NE(q.Fields(i)->DisplayLabel(), q.Fields(i)->FieldName()) << "view " << view;
    }
}

TEST_F(FormsTest, AFailedSaveKeepsTheDialogAndItsLines)
{
    foundry();
    exp->SelectNotes(0, {});
    exp->QEDListy.Append();
    const int note = exp->QEDListy.FieldByName("C_DL")->AsInteger();
    showDialog();
    responder->MessageAnswers.push_back(mrNo);
    scan("260001"); // the order, its take-over declined
    scan("260002");
    exp->QEDListyD.Post();
    scan("260002"); // the same job twice: the second line cannot be stored
    exp->QEDListyD.Post();
    ASSERT_EQ(exp->QEDListyD.RecordCount(), 2);
    const int boxes = responder->Messages.size();
    QTest::mouseClick(dialog->BtnZapis, Qt::LeftButton);
    EXPECT_GT(responder->Messages.size(), boxes); // the error was shown
    EXPECT_NE(dialog->ModalResult(), mrOk);
    // Nothing stored, not even the header; the header is still being typed, under its number.
    EXPECT_EQ(count(QStringLiteral("select count(*) from EDLISTY where c_dl=%1").arg(note)), 0);
    EXPECT_EQ(exp->QEDListy.State(), dsInsert);
    EXPECT_EQ(exp->QEDListy.FieldByName("C_DL")->AsInteger(), note);
    EXPECT_EQ(lineCount(note), 0);
    EXPECT_TRUE(exp->QEDListyD.UpdatesPending());
    EXPECT_EQ(exp->QEDListyD.RecordCount(), 2);
    // Dropping the second line lets the save through.
    exp->QEDListyD.Last();
    responder->MessageAnswers.push_back(mrYes);
    QTest::mouseClick(dialog->BtnZmaz, Qt::LeftButton);
    QTest::mouseClick(dialog->BtnZapis, Qt::LeftButton);
    EXPECT_EQ(dialog->ModalResult(), mrOk);
    EXPECT_EQ(count(QStringLiteral("select count(*) from EDLISTY where c_dl=%1").arg(note)), 1);
    EXPECT_EQ(lineCount(note), 1);
}

// A line's job retyped to a number that names no job keeps nothing of the former job beside it.
TEST_F(FormsTest, ALinesJobRetypedToNoJobKeepsNothingOfTheFormerJob)
{
    foundry();
    exp->SelectNotes(0, {});
    exp->QEDListy.Append();
    showDialog();
    responder->MessageAnswers.push_back(mrNo);
    scan("260001"); // the order, its take-over declined
    scan("260002");
    ASSERT_FALSE(exp->QEDListyD.FieldByName("C_VYR")->AsString().trimmed().isEmpty());
    const int boxes = responder->Messages.size();
    QWidget *editor = TypeInCell(dialog->DBGridPolozky, 1, "260099");
    ASSERT_TRUE(editor);
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    ASSERT_GT(responder->Messages.size(), boxes);
    EXPECT_TRUE(responder->Texts().join('\n').contains(QString::fromUtf8("neexistuje")));
    EXPECT_EQ(exp->QEDListyD.FieldByName("C_INT")->AsInteger(), 260099);
    for (const char *name : {"C_VYR", "NAZOV", "CENA_KURZ1", "NAKL1", "MNOZ_VYR"})
        EXPECT_TRUE(exp->QEDListyD.FieldByName(name)->IsNull()) << name;
}

// A new note whose number another workstation stored while its lines were typed is stored under the
// next free number with its waiting lines, the one still being typed too, and the clerk is told.
TEST_F(FormsTest, ANewNotesNumberTakenMeanwhileMovesOnWithItsWaitingLines)
{
    foundry();
    struct Case {
        const char *name;
        bool linePosted; // the line left for the next one before "Zapíš"
    };
    for (const Case &c : {Case{"line being typed", false}, Case{"line waiting in the cache", true}}) {
        SCOPED_TRACE(c.name);
        exp->SelectNotes(0, {});
        exp->QEDListy.Append();
        const int proposed = exp->QEDListy.FieldByName("C_DL")->AsInteger();
        showDialog();
        responder->MessageAnswers.push_back(mrNo);
        scan("260001"); // the order, its take-over declined
        scan("260002");
        if (c.linePosted)
            exp->QEDListyD.Post();
        exec(QStringLiteral("insert into EDLISTY (C_DL, C_ODB, C_OBJ, D_VYSTAV, KURZ, MENA) values (%1, 5, "
                            "'ZAK260001', '2026-03-14', 1, 'EUR')")
                 .arg(proposed));
        QTest::mouseClick(dialog->BtnZapis, Qt::LeftButton);
        EXPECT_EQ(dialog->ModalResult(), mrOk);
        EXPECT_EQ(exp->QEDListy.FieldByName("C_DL")->AsInteger(), proposed + 1);
        EXPECT_EQ(lineCount(proposed), 0);
        EXPECT_EQ(lineCount(proposed + 1), 1);
        EXPECT_TRUE(responder->Texts().join('\n').contains(QString::fromUtf8("medzičasom použil iný používateľ")));
        dialog.reset();
        exec(QStringLiteral("delete from EDLISTYD where C_DL in (%1, %2)").arg(proposed).arg(proposed + 1));
        exec(QStringLiteral("delete from EDLISTY where C_DL in (%1, %2)").arg(proposed).arg(proposed + 1));
    }
}

TEST_F(FormsTest, TheInventoryOfAPastDateLeavesOutProductsWithoutStock)
{
    foundry();
    product("V2");
    receipt("V2", 3, "2026-03-01");
    exec("insert into MPOHYBY (DATUM, TYP_POHYBU, SKLAD, C_POL, MNOZSTVO, CENA_NAKL) "
         "values ('2026-03-05', 21, 'V1', 'V2', -3, 40)");
    storeForm = std::make_unique<TESkladForm>();
    storeForm->cbFilter->SetItemIndex(0);
    storeForm->show();
    QCoreApplication::processEvents();
    auto texts = [this](const QDate &date) {
        TQuickRep *report = storeForm->PrepareInventory(date);
        report->prepare();
        QStringList out;
        for (const TQRPage &page : report->Pages())
            for (const TQRItem &item : page.items)
                out << item.text.trimmed();
        return out;
    };
    // Today V2 has none left and is not printed, though the list shows it under every item.
    QStringList today = texts(QDate(2026, 3, 16));
    EXPECT_TRUE(today.contains("V1"));
    EXPECT_FALSE(today.contains("V2"));
    EXPECT_TRUE(today.contains("16.3.2026"));
    exp->QESklad.Last();
    EXPECT_EQ(exp->QESklad.RecordCount(), 2);
    // On the 2nd it had 3; printing for today again reopens the query for today.
    const QStringList past = texts(QDate(2026, 3, 2));
    EXPECT_TRUE(past.contains("V2"));
    EXPECT_TRUE(past.contains("3"));
    EXPECT_EQ(exp->StockDate(), QDate(2026, 3, 2));
    today = texts(QDate(2026, 3, 16));
    EXPECT_FALSE(today.contains("V2"));
    EXPECT_EQ(exp->StockDate(), QDate(2026, 3, 16));
}

TEST_F(FormsTest, TheInvoiceDialogWritesTheExportAndTheNoteKeepsTheNumber)
{
    invoiceNote();
    const QString saved = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    const QString file = QDir(folder.path()).filePath("export.txt");
    QFile old(file);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("staré");
    old.close();
    DPH = "20";

    TEDListyForm browser;
    exp->SelectNotes(2, "260001");
    bool checked = false;
    WhenModal<TEFakturaForm>([&](TEFakturaForm *f) {
        EXPECT_EQ(f->windowTitle(), QString::fromUtf8("Faktúra k Dodaciemu listu č. 26/0001"));
        EXPECT_EQ(f->eC_DL->text(), "26/0001") << "shown as printed on the note";
        EXPECT_EQ(f->eC_FAKTURY->text(), "2026/0001");
        EXPECT_EQ(f->lZAKL2->text(), "800,00");
        EXPECT_EQ(f->lDPH2->text(), "160,00");
        EXPECT_EQ(f->lZaloha->text(), "-500,00");
        EXPECT_EQ(f->eICO->text(), "36123456");
        EXPECT_EQ(f->eDATSPL->Date(), QDate(2026, 4, 15));
        EXPECT_FALSE(f->lNovy->isHidden());
        // A rate that is no number: said why, nothing written, the dialog stays.
        f->cbTYPDPH->setCurrentIndex(1);
        f->eKURZ_ZAHR->setText("x");
        QTest::mouseClick(f->BtnOK, Qt::LeftButton);
        QCoreApplication::processEvents();
        EXPECT_TRUE(f->isVisible());
        EXPECT_TRUE(responder->Texts().last().contains("Kurz"));
        QFile unchanged(file);
        EXPECT_TRUE(unchanged.open(QIODevice::ReadOnly) && unchanged.readAll() == "staré");
        f->cbTYPDPH->setCurrentIndex(0);
        // A number another workstation stored meanwhile, typed: refused in Slovak before anything is
        // written, in the database or the file; the dialog keeps what was typed.
        exec("insert into EDLISTY (C_DL, C_ODB, C_OBJ, D_VYSTAV, KURZ, MENA, C_FAKTURY) values (260002, 5, "
             "'ZAK260001', '2026-03-14', 1, 'EUR', '2026/0099')");
        QApplication::setActiveWindow(f);
        const auto typeAndOk = [f](const char *typed) {
            f->eC_FAKTURY->setFocus();
            QTest::keyClick(f->eC_FAKTURY, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(f->eC_FAKTURY, QString::fromLatin1(typed));
            QTest::mouseClick(f->BtnOK, Qt::LeftButton);
            QCoreApplication::processEvents();
        };
        typeAndOk("2026/0099");
        EXPECT_TRUE(f->isVisible());
        EXPECT_TRUE(responder->Texts().last().contains(QString::fromUtf8("Faktúra s rovnakým číslom už existuje!")))
            << responder->Texts().last().toStdString();
        EXPECT_EQ(f->eC_FAKTURY->text(), "2026/0099");
        EXPECT_TRUE(value("select c_faktury from EDLISTY where c_dl=260001").toString().isEmpty());
        EXPECT_FALSE(value("select d_splat from EDLISTY where c_dl=260001").toDate().isValid());
        QFile stillOld(file);
        EXPECT_TRUE(stillOld.open(QIODevice::ReadOnly) && stillOld.readAll() == "staré") << "nothing exported";
        typeAndOk("2026/0100");
        checked = true;
    });
    browser.Invoice();
    QDir::setCurrent(saved);
    EXPECT_TRUE(checked);
    EXPECT_EQ(value("select c_faktury from EDLISTY where c_dl=260001").toString(), "2026/0100");
    EXPECT_EQ(responder->Texts().last(),
              QString::fromUtf8("Faktúra 2026/0100 je zapísaná pre účtovníctvo do súboru\r\n") +
                  QDir::toNativeSeparators(file))
        << "said what was written and where";
    QFile written(file);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray exported = written.readAll();
    EXPECT_TRUE(exported.startsWith("R00\tT04\r\nR01\tStroj\xE1rne Martin\t36123456\t"));
    EXPECT_TRUE(exported.contains("\t260001\t")) << "the accounting takes the stored number";
    EXPECT_FALSE(exported.contains("26/0001"));
}

TEST_F(FormsTest, TheNoteNumberShowsAsItIsPrinted)
{
    invoiceNote();
    TEDListyForm browser;
    browser.show();
    QApplication::setActiveWindow(&browser);
    browser.cbVyber->setCurrentIndex(2);
    emit browser.cbVyber->activated(2);
    TabTo(browser.EditVyber);
    TypeText(browser.EditVyber, "260001");
    QTest::keyClick(browser.EditVyber, Qt::Key_Tab);
    ASSERT_EQ(exp->QEDListy.RecordCount(), 1);
    QAbstractItemModel *grid = browser.DBGridListy->model();
    int column = -1;
    for (int c = 0; c < grid->columnCount(); ++c)
        if (browser.DBGridListy->Columns(c)->FieldName == "C_DL")
            column = c;
    ASSERT_GE(column, 0);
    EXPECT_EQ(grid->data(grid->index(0, column)).toString(), "26/0001");

    QString title;
    WhenModal<TEDListyDForm>([&title](TEDListyDForm *d) {
        title = d->windowTitle();
        QTest::mouseClick(d->BtnNezapis1, Qt::LeftButton);
    });
    QTest::mouseClick(browser.BtnOprav, Qt::LeftButton);
    EXPECT_EQ(title, QString::fromUtf8("Dodací list č.26/0001"));
    EXPECT_EQ(exp->QEDListy.State(), dsBrowse);
    delete EDListyDForm;
}

TEST_F(FormsTest, TheInvoicesDueDateIsOneDateExportedStoredAndPrinted)
{
    invoiceNote();
    const QString saved = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    const QString file = QDir(folder.path()).filePath("export.txt");
    const auto type = [](QLineEdit *edit, const char *text) {
        TabTo(edit);
        QTest::keyClicks(edit, QString::fromLatin1(text));
        QTest::keyClick(edit, Qt::Key_Tab);
        QApplication::processEvents();
    };
    const QString refused = QString::fromUtf8("'31.2.2027' nie je platný dátum");

    TEDListyForm browser;
    exp->SelectNotes(2, "260001");
    WhenModal<TEFakturaForm>([&](TEFakturaForm *f) {
        QApplication::setActiveWindow(f);
        type(f->eDATSPL, "31.2.2027");
        EXPECT_EQ(responder->Texts(), QStringList{refused});
        EXPECT_TRUE(f->eDATSPL->hasFocus()) << "the focus stays for the correction";
        EXPECT_EQ(f->eDATSPL->EditText(), "31.2_.2027");
        QTest::mouseClick(f->BtnOK, Qt::LeftButton);
        QApplication::processEvents();
        EXPECT_EQ(responder->Texts(), (QStringList{refused, refused})) << "OK refuses it once";
        EXPECT_TRUE(f->isVisible());
        EXPECT_TRUE(f->eDATSPL->hasFocus());
        EXPECT_FALSE(QFile::exists(file)) << "nothing exported";
        type(f->eDATSPL, "15.5.2026");
        QTest::mouseClick(f->BtnOK, Qt::LeftButton);
    });
    browser.Invoice();
    QDir::setCurrent(saved);
    EXPECT_EQ(responder->Messages.size(), 3) << "two refusals and the line on the written file";
    EXPECT_EQ(value("select d_splat from EDLISTY where c_dl=260001").toDate(), QDate(2026, 5, 15));
    QFile written(file);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QList<QByteArray> records = written.readAll().split('\n');
    const int head = records.indexOf("R00\tT01\r");
    ASSERT_GE(head, 0);
    ASSERT_LT(head + 1, records.size());
    const QList<QByteArray> invoice = records[head + 1].split('\t');
    ASSERT_GT(invoice.size(), 6);
    EXPECT_EQ(invoice[5], "15.5.2026") << "the due date as a date, not the text typed";

    TQuickRep *report = PrepareInvoice(260001);
    report->prepare();
    QStringList texts;
    for (const QString &text : ReportTexts(*report))
        texts << text.trimmed();
    EXPECT_TRUE(texts.contains("15.5.2026")) << texts.join('|').toStdString();
    EXPECT_FALSE(texts.contains("28.3.2026")) << "not the issue date + 14 days";

    // The dialog opened again shows the invoice's due date.
    QDate shown;
    WhenModal<TEFakturaForm>([&](TEFakturaForm *f) {
        shown = f->eDATSPL->Date();
        QTest::mouseClick(f->BtnCancel, Qt::LeftButton);
    });
    browser.Invoice();
    EXPECT_EQ(shown, QDate(2026, 5, 15));
}

TEST_F(FormsTest, PrintingClosesDeliveredJobsWhateverThePrintDialogDid)
{
    invoiceNote();
    CloseModal(mrCancel);
    exp->PrintDeliveryNote(260001, pmHomeCurrency);
    EXPECT_EQ(value("select stav_zak from ZAKAZKYD where c_int=260001").toInt(), 100);
    EXPECT_EQ(value("select stav_zak from ZAKAZKYD where c_int=260002").toInt(), 90);
}

// The invoice dialog is made on first use with the run's main form as owner: when that owner goes, its global goes
// too, so a later start in the same process makes a new one instead of filling a deleted one.
TEST(InvoiceDialogGlobal, GoesWithItsOwner)
{
    auto *owner = new QWidget;
    auto *form = new TEFakturaForm(owner);
    EXPECT_EQ(EFakturaForm, form);
    delete owner;
    EXPECT_EQ(EFakturaForm, nullptr);
}
