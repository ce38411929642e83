// Price offers on a fresh database: the browser's filter with hostile text lists offers only, the offer
// dialog stores header and items together or drops them, a refused save keeps the dialog, and the
// printed offer runs "ponuka.xrep" when it exists instead of its template; a quantity typed in letters
// into the item grid is refused and its correction lands in the quantity, and an item left by a key is
// posted with what was typed.
#include "SalesFixture.h"

#include "common/GridTyping.h"
#include "common/HostileCorpus.h"
#include "common/PersonTyping.h"
#include "common/ShownBoxes.h"
#include "common/WhenModal.h"
#include "library/QTlacTemplForm.h"
#include "library/xDBFilter.h"
#include "library/xDBGrid.h"
#include "library/xReport.h"
#include "sales/CenPonDForm.h"
#include "sales/CenPonForm.h"
#include "sales/CenPonQRRep.h"
#include "platform/report/QuickRep.h"
#include "platform/ui/DBControls.h"
#include "platform/ui/ReportPreview.h"

#include <QComboBox>
#include <QLineEdit>
#include <QFile>
#include <QPushButton>
#include <QTest>

namespace {

class OffersTest : public SalesTest {
protected:
    void SetUp() override
    {
        SalesTest::SetUp();
        if (HasFatalFailure())
            return;
        QDir::setCurrent(folder.path());
        writeSetting("Defaults", "PlatobnePodmienky", QString::fromUtf8("Vopred,\"do 30 dní, faktúrou\""));
        product("V100");
        exec("update POLOZKY set NAZOV='Teleso O''Neil', C_VYKRESU='VYK-1' where C_POL='V100'");
        offer("PON260001", "Zlievareň Brezno", "V100", "Teleso O'Neil");
        offer("PON260002", "O'Neil s.r.o.", "X200", "Príruba");
        exec("update ZAKAZKY set D_VYSTAV=CURRENT_DATE - 60 where C_OBJ='PON260002'");
        order("ZAK260001", 5);
        exec("update ZAKAZKY set ODBERATEL='Zlievareň Brezno', D_VYSTAV=CURRENT_DATE where C_OBJ='ZAK260001'");
        browser = new TCenPonForm();
        browser->show();
    }
    void TearDown() override
    {
        delete browser;
        delete CenPonDForm;
        QDir::setCurrent(QDir::tempPath());
        SalesTest::TearDown();
    }
    void offer(const QString &number, const QString &customer, const QString &product, const QString &name)
    {
        exec(QStringLiteral(
                 "insert into ZAKAZKY (C_OBJ, TYP_OBJ, C_ODB, ODBERATEL, MENA, D_VYSTAV) values ('%1', 'P', 0, "
                 "'%2', 'EUR', CURRENT_DATE - 1)")
                 .arg(number, QString(customer).replace("'", "''")));
        exec(QStringLiteral(
                 "insert into ZAKAZKYD (C_INT, C_OBJ, C_VYR, POZNAMKA, MNOZ_OBJ, MNOZ_VYR, TERMIN_OBJ, TERMIN, "
                 "STAV_ZAK, C_REV, C_INT_RE) values (%1, '%2', '%3', '%4', 5, 0, '2026-04-01', '2026-04-01', "
                 "0, 0, 0)")
                 .arg(-260000 - number.right(1).toInt())
                 .arg(number, product, QString(name).replace("'", "''")));
    }
    QStringList listed()
    {
        QStringList numbers;
        TxTable &q = odbyt->QCenPon;
        for (q.First(); !q.Eof(); q.Next())
            numbers << q.FieldByName("C_OBJ")->AsString().trimmed();
        numbers.sort();
        return numbers;
    }
    void filter(int item, const QString &value)
    {
        browser->filterCenPon->List->setCurrentIndex(item);
        emit browser->filterCenPon->List->activated(item);
        browser->filterCenPon->SetValueText(value);
        browser->filterCenPon->ApplyFilter();
    }
    // Runs the steps in the offer dialog the button opens, its item grid focused; the dialog is closed
    // whatever failed.
    void inOfferDialog(QPushButton *button, const std::function<void(TCenPonDForm *, TxDBGrid *)> &steps)
    {
        WhenModal<TCenPonDForm>([&](TCenPonDForm *d) {
            QApplication::setActiveWindow(d);
            TabTo(d->DBGridCenPonD);
            steps(d, d->DBGridCenPonD);
            if (d->ModalResult() == mrNone)
                d->BtnNezapis->click();
        });
        button->click();
    }
    TCenPonForm *browser = nullptr;
};

TEST_F(OffersTest, FilterListsOffersOnlyWhateverIsTyped)
{
    EXPECT_EQ(listed(), QStringList({"PON260001"})) << "the last week's offers";
    filter(1, "PON");
    EXPECT_EQ(listed(), QStringList({"PON260001", "PON260002"}));
    filter(2, "Zlievareň");
    EXPECT_EQ(listed(), QStringList({"PON260001"})) << "the order of the same customer is no offer";
    filter(2, "O'Neil");
    EXPECT_EQ(listed(), QStringList({"PON260002"}));
    filter(3, "V100");
    EXPECT_EQ(listed(), QStringList({"PON260001"}));
    filter(3, "O'Neil");
    EXPECT_EQ(listed(), QStringList({"PON260001"})) << "an item name containing the text";
    const int rows = count("select count(*) from ZAKAZKY");
    for (int item = 1; item <= 3; ++item)
        for (const char *raw : kHostileCorpus) {
            const QString text = QString::fromUtf8(raw);
            filter(item, text);
            for (const QString &n : listed())
                EXPECT_TRUE(n.startsWith("PON")) << item << " " << raw;
            if (!text.contains('%') && !text.contains('_') && text != "''") {
                EXPECT_TRUE(listed().isEmpty() || text == "O'Neil") << item << " " << raw;
            }
        }
    EXPECT_TRUE(responder->Messages.isEmpty()) << responder->Texts().join('\n').toStdString();
    EXPECT_EQ(count("select count(*) from ZAKAZKY"), rows);
}

TEST_F(OffersTest, DialogStoresHeaderAndItemsOrLeavesNothingWhileNoItemWasPosted)
{
    // Cancel with an item typed but not posted: neither header nor item.
    WhenModal<TCenPonDForm>([&](TCenPonDForm *d) {
        odbyt->QCenPonD.Append();
        odbyt->QCenPonD.FieldByName("C_VYR")->SetValue("V100");
        d->BtnNezapis->click();
    });
    browser->BtnNovy->click();
    EXPECT_EQ(count("select count(*) from ZAKAZKY where C_OBJ starting with 'PON26' and C_OBJ > 'PON260002'"), 0);
    EXPECT_EQ(count("select count(*) from ZAKAZKYD where C_OBJ > 'PON260002' and C_OBJ starting with 'PON'"), 0);

    // OK with an item still being typed: the item is posted, header and item stored.
    QString number;
    WhenModal<TCenPonDForm>([&](TCenPonDForm *d) {
        number = odbyt->QCenPon.FieldByName("C_OBJ")->AsString().trimmed();
        odbyt->QCenPon.FieldByName("ODBERATEL")->SetValue("Nový zákazník");
        odbyt->QCenPonD.Append();
        odbyt->QCenPonD.FieldByName("C_VYR")->SetValue("V100");
        odbyt->QCenPonD.FieldByName("MNOZ_OBJ")->SetValue(12);
        d->BtnZapis->click();
    });
    browser->BtnNovy->click();
    ASSERT_FALSE(number.isEmpty());
    EXPECT_TRUE(responder->Messages.isEmpty()) << responder->Texts().join('\n').toStdString();
    EXPECT_EQ(value(QStringLiteral("select ODBERATEL from ZAKAZKY where C_OBJ='%1'").arg(number)).toString(),
              QString::fromUtf8("Nový zákazník"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from ZAKAZKYD where C_OBJ='%1' and MNOZ_OBJ=12").arg(number)), 1);
    EXPECT_TRUE(responder->Messages.isEmpty()) << responder->Texts().join('\n').toStdString();
}

TEST_F(OffersTest, DotsButtonNumbersByPrefixAndTheProductFillsTheItem)
{
    WhenModal<TCenPonDForm>([&](TCenPonDForm *d) {
        ASSERT_EQ(d->DBcbPLAT_PODM->count(), 2);
        EXPECT_EQ(d->DBcbPLAT_PODM->itemText(1), QString::fromUtf8("do 30 dní, faktúrou"));
        d->DBeC_OBJ->setText("pon26");
        d->btnCislo->click();
        EXPECT_EQ(odbyt->QCenPon.FieldByName("C_OBJ")->AsString().trimmed(), "PON260003");
        odbyt->QCenPonD.Append();
        odbyt->QCenPonD.FieldByName("C_VYR")->SetValue("V100");
        d->PickItemProduct();
        EXPECT_EQ(odbyt->QCenPonD.FieldByName("POZNAMKA")->AsString(), "Teleso O'Neil");
        EXPECT_EQ(odbyt->QCenPonD.FieldByName("SPEC1")->AsString().trimmed(), "VYK-1");
        d->BtnNezapis->click();
    });
    browser->BtnNovy->click();
    EXPECT_EQ(count("select count(*) from ZAKAZKY where C_OBJ='PON260003'"), 0) << "cancelled";
    EXPECT_TRUE(responder->Messages.isEmpty()) << responder->Texts().join('\n').toStdString();
}

TEST_F(OffersTest, APostedItemIsStoredAtOnceSoCancelKeepsIt)
{
    QString number;
    WhenModal<TCenPonDForm>([&](TCenPonDForm *d) {
        number = odbyt->QCenPon.FieldByName("C_OBJ")->AsString().trimmed();
        odbyt->QCenPonD.Append();
        odbyt->QCenPonD.FieldByName("C_VYR")->SetValue("V100");
        odbyt->QCenPonD.Post();
        d->BtnNezapis->click();
    });
    browser->BtnNovy->click();
    EXPECT_EQ(count(QStringLiteral("select count(*) from ZAKAZKY where C_OBJ='%1'").arg(number)), 1);
    EXPECT_EQ(count(QStringLiteral("select count(*) from ZAKAZKYD where C_OBJ='%1'").arg(number)), 1);
    EXPECT_EQ(odbyt->QCenPon.State(), dsBrowse);
}

TEST_F(OffersTest, ARefusedSaveKeepsTheDialogAndWhatWasTyped)
{
    bool stayed = false;
    WhenModal<TCenPonDForm>([&](TCenPonDForm *d) {
        odbyt->QCenPon.FieldByName("C_OBJ")->SetValue("PON260001"); // taken
        odbyt->QCenPon.FieldByName("POZNAMKA")->SetValue("dôležité");
        d->BtnZapis->click();
        QCoreApplication::processEvents();
        stayed = d->isVisible();
        EXPECT_EQ(odbyt->QCenPon.FieldByName("POZNAMKA")->AsString(), QString::fromUtf8("dôležité"));
        odbyt->QCenPon.FieldByName("C_OBJ")->SetValue("PON269999");
        d->BtnZapis->click();
    });
    browser->BtnNovy->click();
    EXPECT_TRUE(stayed);
    ASSERT_FALSE(responder->Messages.isEmpty());
    EXPECT_TRUE(responder->Messages[0].Text.contains(QString::fromUtf8("Cenová ponuka s rovnakým číslom už existuje")));
    EXPECT_EQ(value("select POZNAMKA from ZAKAZKY where C_OBJ='PON269999'").toString(), QString::fromUtf8("dôležité"));
}

TEST_F(OffersTest, AQuantityTypedInLettersIsRefusedAndItsCorrectionLandsInTheQuantity)
{
    QString number;
    inOfferDialog(browser->BtnNovy, [&](TCenPonDForm *d, TxDBGrid *grid) {
        TShownBoxes boxes;
        number = odbyt->QCenPon.FieldByName("C_OBJ")->AsString().trimmed();
        d->BtnNovy->click();
        QTest::keyClick(TypeInCell(grid, 1, "V100"), Qt::Key_Return);
        QWidget *editor = TypeInCell(grid, 3, "tri");
        ASSERT_NE(editor, grid);
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();
        EXPECT_EQ(boxes.Texts(), QStringList{QString::fromUtf8("'tri' nie je platné číslo")});
        ASSERT_TRUE(grid->EditorMode()) << "the editor stays in its cell";
        EXPECT_EQ(grid->SelectedField()->FieldName(), "MNOZ_OBJ");
        EXPECT_EQ(grid->CellEditorText(), "tri");
        Retype(editor, "30");
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();
        EXPECT_EQ(boxes.Messages.size(), 1);
        EXPECT_EQ(odbyt->QCenPonD.FieldByName("MNOZ_OBJ")->AsFloat(), 30);
        EXPECT_EQ(grid->SelectedField()->FieldName(), "SPEC1") << "Enter went on to the drawing number";
        EXPECT_FALSE(grid->EditorMode());
        EXPECT_TRUE(odbyt->QCenPonD.FieldByName("SPEC1")->AsString().trimmed().isEmpty());
        d->BtnZapis->click();
    });
    ASSERT_FALSE(number.isEmpty());
    EXPECT_EQ(count(QStringLiteral("select count(*) from ZAKAZKYD where C_OBJ='%1' and MNOZ_OBJ=30 and "
                                   "coalesce(trim(SPEC1), '') = ''")
                        .arg(number)),
              1);
    EXPECT_TRUE(responder->Messages.isEmpty()) << responder->Texts().join('\n').toStdString();
}

TEST_F(OffersTest, NovaStartsTheNewItemInItsProductCellAndTheSharedLetterOnlyMovesTheFocus)
{
    inOfferDialog(browser->BtnOprav, [&](TCenPonDForm *d, TxDBGrid *grid) {
        // The grid scrolled to its last column, as after the production time was typed.
        Press(Qt::Key_End);
        ASSERT_EQ(grid->SelectedField()->FieldName(), "SPEC2");
        // Alt+N is "Nová" and "Nezapíš": each press moves the focus on to the next of them and presses neither.
        const int items = odbyt->QCenPonD.RecordCount();
        for (QPushButton *next : {d->BtnNovy, d->BtnNezapis, d->BtnNovy}) {
            Press(Qt::Key_N, Qt::AltModifier);
            EXPECT_EQ(QApplication::focusWidget(), next) << next->text().toStdString();
            ASSERT_TRUE(d->isVisible()) << "Nezapíš was pressed";
            ASSERT_EQ(odbyt->QCenPonD.RecordCount(), items) << "Nová was pressed";
        }
        Press(Qt::Key_Space);
        ASSERT_EQ(odbyt->QCenPonD.State(), dsInsert);
        EXPECT_EQ(QApplication::focusWidget(), grid);
        EXPECT_EQ(grid->SelectedField()->FieldName(), "C_VYR") << "the item's number is the program's";
        EXPECT_TRUE(grid->viewport()->rect().contains(grid->visualRect(grid->currentIndex()))) << "scrolled back";
        Type("V100");
        Press(Qt::Key_Return);
        EXPECT_EQ(odbyt->QCenPonD.FieldByName("C_VYR")->AsString().trimmed(), "V100");
    });
}

TEST_F(OffersTest, AnItemLeftByKeyIsPostedWithWhatWasTypedAndTheGridKeepsTheFocus)
{
    inOfferDialog(browser->BtnOprav, [&](TCenPonDForm *d, TxDBGrid *grid) {
        ASSERT_EQ(odbyt->QCenPonD.FieldByName("C_VYR")->AsString().trimmed(), "V100");
        QWidget *editor = TypeInCell(grid, 3, "31");
        ASSERT_NE(editor, grid);
        QTest::keyClick(editor, Qt::Key_Down);
        QApplication::processEvents();
        EXPECT_EQ(odbyt->QCenPonD.State(), dsBrowse) << "the item is posted";
        EXPECT_EQ(odbyt->QCenPonD.FieldByName("MNOZ_OBJ")->AsFloat(), 31);
        EXPECT_FALSE(grid->EditorMode());
        EXPECT_EQ(QApplication::focusWidget(), grid) << "the rows read again keep the focus in the grid";
        d->BtnZapis->click();
    });
    EXPECT_EQ(count("select count(*) from ZAKAZKYD where C_OBJ='PON260001' and MNOZ_OBJ=31"), 1);
    EXPECT_TRUE(responder->Messages.isEmpty()) << responder->Texts().join('\n').toStdString();
}

// An offer whose number is refused as taken is stored, with every item shown, under the number the clerk
// takes instead; the offer that has the taken number keeps its own items only.
TEST_F(OffersTest, ItemsGoWithTheNumberTheOfferIsStoredUnderAfterARefusal)
{
    inOfferDialog(browser->BtnNovy, [&](TCenPonDForm *d, TxDBGrid *grid) {
        type(d->DBeC_OBJ, "PON260001"); // another offer's number
        TabTo(grid);
        d->BtnNovy->click();
        QTest::keyClick(TypeInCell(grid, 1, "V100"), Qt::Key_Return);
        QTest::keyClick(TypeInCell(grid, 3, "7"), Qt::Key_Return);
        d->BtnZapis->click();
        QApplication::processEvents();
        ASSERT_TRUE(d->isVisible()) << "refused";
        type(d->DBeC_OBJ, "PON260007");
        EXPECT_EQ(odbyt->QCenPonD.RecordCount(), 1) << "the item still shown";
        d->BtnZapis->click();
    });
    EXPECT_EQ(count("select count(*) from ZAKAZKY where C_OBJ='PON260007'"), 1);
    EXPECT_EQ(count("select count(*) from ZAKAZKYD where C_OBJ='PON260007' and C_VYR='V100' and MNOZ_OBJ=7"), 1);
    EXPECT_EQ(count("select count(*) from ZAKAZKYD where C_OBJ='PON260001'"), 1) << "the other offer untouched";
    ASSERT_EQ(responder->Messages.size(), 1);
    EXPECT_TRUE(responder->Messages[0].Text.contains(QString::fromUtf8("Cenová ponuka s rovnakým číslom už existuje")));
}

// The number proposed to a new offer, or given by the number button for a typed prefix, that another
// workstation stores meanwhile: "Zapíš" stores the offer and its items under the next free number of the
// same sequence and says so once; nothing lands under the other clerk's offer.
TEST_F(OffersTest, AnOfferNumberAnotherWorkstationTookMeanwhileGivesWayToTheNextFreeOne)
{
    TIBDatabase other;
    other.DatabaseName = database.path();
    other.Params.SetValue(QStringLiteral("user_name"), QStringLiteral("SYSDBA"));
    other.Open();
    const auto takeElsewhere = [&](const QString &number) {
        other.Attachment().executeImmediate(
            QStringLiteral("insert into ZAKAZKY (C_OBJ, TYP_OBJ, C_ODB, MENA) values ('%1', 'P', 0, 'EUR')")
                .arg(number));
    };
    QString proposed;
    bool closed = false;
    inOfferDialog(browser->BtnNovy, [&](TCenPonDForm *d, TxDBGrid *grid) {
        proposed = odbyt->QCenPon.FieldByName("C_OBJ")->AsString().trimmed();
        takeElsewhere(proposed);
        d->BtnNovy->click();
        QTest::keyClick(TypeInCell(grid, 1, "V100"), Qt::Key_Return);
        QTest::keyClick(TypeInCell(grid, 3, "9"), Qt::Key_Return);
        d->BtnZapis->click();
        QApplication::processEvents();
        closed = d->ModalResult() == mrOk;
    });
    EXPECT_EQ(proposed, "PON260003");
    EXPECT_TRUE(closed);
    EXPECT_EQ(count("select count(*) from ZAKAZKYD where C_OBJ='PON260003'"), 0) << "nothing under the other offer";
    EXPECT_EQ(count("select count(*) from ZAKAZKYD where C_OBJ='PON260004' and C_VYR='V100' and MNOZ_OBJ=9"), 1);
    EXPECT_EQ(responder->Texts(),
              QStringList{QString::fromUtf8(
                  "Číslo PON260003 medzičasom použil iný používateľ; záznam je uložený pod číslom PON260004.")});

    // The number button's proposal for a typed prefix gives way within its own sequence.
    responder->Messages.clear();
    inOfferDialog(browser->BtnNovy, [&](TCenPonDForm *d, TxDBGrid *grid) {
        type(d->DBeC_OBJ, "PON27");
        d->btnCislo->click();
        proposed = odbyt->QCenPon.FieldByName("C_OBJ")->AsString().trimmed();
        takeElsewhere(proposed);
        TabTo(grid);
        d->BtnNovy->click();
        QTest::keyClick(TypeInCell(grid, 1, "V100"), Qt::Key_Return);
        QTest::keyClick(TypeInCell(grid, 3, "4"), Qt::Key_Return);
        d->BtnZapis->click();
    });
    other.Close();
    EXPECT_EQ(proposed, "PON270001");
    EXPECT_EQ(count("select count(*) from ZAKAZKYD where C_OBJ='PON270002' and MNOZ_OBJ=4"), 1);
    EXPECT_EQ(responder->Texts(),
              QStringList{QString::fromUtf8(
                  "Číslo PON270001 medzičasom použil iný používateľ; záznam je uložený pod číslom PON270002.")});
}

TEST_F(OffersTest, PrintedOfferRunsTheDefinitionInsteadOfTheTemplate)
{
    QFile f(QDir(folder.path()).filePath("ponuka.xrep"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<xreport><report><detail><field expression=C_VYR/><field expression=NAZOV left=120/></detail>"
            "</report></xreport>");
    f.close();
    bool previewed = false;
    bool template_ = false;
    WhenModal<TQTlacTemplForm>([&](TQTlacTemplForm *t) {
        template_ = true;
        t->reject();
    });
    WhenModal<TReportPreview>([&](TReportPreview *p) {
        previewed = true;
        p->close();
    });
    odbyt->OpenOffers();
    browser->BtnTlac->click();
    CancelWhenModal();
    EXPECT_TRUE(previewed);
    EXPECT_FALSE(template_) << "the template is not opened when the definition ran";
    EXPECT_EQ(dm->QTlac.FieldByName("C_VYR")->AsString().trimmed(), "V100");
    EXPECT_EQ(dm->QTlac.FieldByName("NAZOV")->AsString(), "Teleso O'Neil");
    EXPECT_EQ(dm->QTlac.FieldByName("C_OBJ")->AsString().trimmed(), "PON260001");
    FreeReportFiles();

    // Without the definition: the template is shown; Cancel prints nothing.
    QFile::remove(f.fileName());
    bool shown = false;
    WhenModal<TQTlacTemplForm>([&](TQTlacTemplForm *t) {
        shown = true;
        t->reject();
    });
    browser->BtnTlac->click();
    EXPECT_TRUE(shown);
}

} // namespace
