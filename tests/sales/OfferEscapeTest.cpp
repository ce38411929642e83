// Escape in the offer dialog, pressed as a person presses it: an edit holding a typed change takes the first
// Escape back to the stored text; in the item grid the first Escape closes an open cell editor, the next one
// the item's edit, and only then the dialog closes, asking about what is still typed. Alt+Z saves.
#include "SalesFixture.h"

#include "common/GridTyping.h"
#include "common/WhenModal.h"
#include "library/xDBGrid.h"
#include "sales/CenPonDForm.h"
#include "sales/CenPonForm.h"
#include "platform/ui/DBControls.h"
#include "platform/ui/FormGlobal.h"

#include <QKeySequence>
#include <QPushButton>
#include <QTest>

namespace {

class OfferEscapeTest : public SalesTest {
protected:
    void SetUp() override
    {
        SalesTest::SetUp();
        if (HasFatalFailure())
            return;
        product("V100");
        exec("insert into ZAKAZKY (C_OBJ, TYP_OBJ, C_ODB, ODBERATEL, POZNAMKA, MENA, D_VYSTAV) values "
             "('PON260001', 'P', 0, 'Zlievareň Brezno', 'pôvodná', 'EUR', CURRENT_DATE - 1)");
        exec("insert into ZAKAZKYD (C_INT, C_OBJ, C_VYR, POZNAMKA, MNOZ_OBJ, MNOZ_VYR, TERMIN_OBJ, TERMIN, STAV_ZAK, "
             "C_REV, C_INT_RE) values (-260001, 'PON260001', 'V100', 'Teleso', 5, 0, '2026-04-01', '2026-04-01', "
             "0, 0, 0)");
        browser = new TCenPonForm();
        browser->show();
    }
    void TearDown() override
    {
        delete browser;
        delete CenPonDForm;
        SalesTest::TearDown();
    }
    // Runs the steps in the dialog of the offer opened for editing; a dialog the steps left open is closed
    // by its button, and the test fails.
    void inOffer(const std::function<void(TCenPonDForm *)> &steps)
    {
        WhenModal<TCenPonDForm>([&](TCenPonDForm *d) {
            QApplication::setActiveWindow(d);
            steps(d);
            if (d->ModalResult() == mrNone && d->isVisible()) {
                ADD_FAILURE() << "the dialog is still open";
                d->BtnNezapis->click();
            }
        });
        browser->BtnOprav->click();
    }
    // Escape where the dialog's focus is; whether the dialog closed.
    static bool escape(TCenPonDForm *d)
    {
        QWidget *focus = QApplication::focusWidget();
        QTest::keyClick(focus && focus->window() == d ? focus : d, Qt::Key_Escape);
        QApplication::processEvents();
        return !d->isVisible();
    }
    QString storedNote() { return value("select POZNAMKA from ZAKAZKY where C_OBJ='PON260001'").toString(); }
    double storedQuantity() { return value("select MNOZ_OBJ from ZAKAZKYD where C_INT=-260001").toDouble(); }
    TCenPonForm *browser = nullptr;
};

TEST_F(OfferEscapeTest, EscapeClosesTheDialogAndStoresNothingTyped)
{
    // A note typed and left for the next field is in the record: Escape asks, and "Nie" gives it up with
    // the dialog.
    inOffer([&](TCenPonDForm *d) {
        TabTo(d->DBePOZNAMKA);
        Retype(d->DBePOZNAMKA, QString::fromUtf8("nová poznámka O'Neil"));
        QTest::keyClick(d->DBePOZNAMKA, Qt::Key_Tab);
        ASSERT_EQ(odbyt->QCenPon.State(), dsEdit);
        ASSERT_EQ(odbyt->QCenPon.FieldByName("POZNAMKA")->AsString(), QString::fromUtf8("nová poznámka O'Neil"));
        responder->MessageAnswers.push_back(mrNo);
        EXPECT_TRUE(escape(d));
        EXPECT_EQ(d->ModalResult(), mrCancel);
    });
    EXPECT_EQ(responder->Texts(), QStringList{QString::fromUtf8("Uložiť zmeny?")});
    responder->Messages.clear();
    EXPECT_EQ(storedNote(), QString::fromUtf8("pôvodná"));
    EXPECT_EQ(odbyt->QCenPon.State(), dsBrowse);
    EXPECT_EQ(odbyt->QCenPon.FieldByName("POZNAMKA")->AsString(), QString::fromUtf8("pôvodná"));

    // A note still in its edit: the first Escape takes it back, the second closes.
    inOffer([&](TCenPonDForm *d) {
        TabTo(d->DBePOZNAMKA);
        Retype(d->DBePOZNAMKA, QString::fromUtf8("ďalšia"));
        EXPECT_FALSE(escape(d)) << "the edit's change is taken back first";
        EXPECT_EQ(d->DBePOZNAMKA->text(), QString::fromUtf8("pôvodná"));
        EXPECT_TRUE(escape(d));
    });
    EXPECT_EQ(storedNote(), QString::fromUtf8("pôvodná"));
    EXPECT_TRUE(responder->Messages.isEmpty()) << responder->Texts().join('\n').toStdString();
}

TEST_F(OfferEscapeTest, EscapeInAnOpenCellEditorClosesOnlyTheEditor)
{
    inOffer([&](TCenPonDForm *d) {
        TxDBGrid *grid = d->DBGridCenPonD;
        TabTo(grid);
        QWidget *editor = TypeInCell(grid, 3, "42");
        ASSERT_NE(editor, grid) << "no cell editor opened";
        ASSERT_TRUE(grid->EditorMode());
        EXPECT_FALSE(escape(d)) << "Escape in the cell editor closed the dialog";
        EXPECT_FALSE(grid->EditorMode());
        EXPECT_EQ(odbyt->QCenPonD.FieldByName("MNOZ_OBJ")->AsFloat(), 5) << "the typed quantity is dropped";
        EXPECT_EQ(QApplication::focusWidget(), grid);
        // The item's edit, begun by the typing, is given up next, and only then the dialog.
        EXPECT_EQ(odbyt->QCenPonD.State(), dsEdit);
        EXPECT_FALSE(escape(d)) << "Escape on an item in edit closed the dialog";
        EXPECT_EQ(odbyt->QCenPonD.State(), dsBrowse);
        EXPECT_TRUE(escape(d));
    });
    EXPECT_EQ(storedQuantity(), 5);
    EXPECT_EQ(count("select count(*) from ZAKAZKYD where C_OBJ='PON260001'"), 1);
}

// Alt+Z saves the offer: the item's delete button no longer shares the key (a shared key only moves the focus
// between the two buttons).
TEST_F(OfferEscapeTest, AltZSavesAndTheItemsDeleteHasAKeyOfItsOwn)
{
    bool pressed = false;
    WhenModal<TCenPonDForm>([&](TCenPonDForm *d) {
        QApplication::setActiveWindow(d);
        TabTo(d->DBePOZNAMKA);
        Retype(d->DBePOZNAMKA, QString::fromUtf8("uložená"));
        QTest::keyClick(d->DBePOZNAMKA, Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::AltModifier);
        // The button shows itself pressed and clicks once its loop runs on.
        pressed = d->BtnZapis->isDown();
        if (!pressed)
            d->BtnNezapis->click();
    });
    browser->BtnOprav->click();
    EXPECT_TRUE(pressed) << "Alt+Z did not press Zapíš";
    EXPECT_EQ(CenPonDForm->ModalResult(), mrOk);
    EXPECT_EQ(storedNote(), QString::fromUtf8("uložená"));
    EXPECT_EQ(count("select count(*) from ZAKAZKYD where C_OBJ='PON260001'"), 1) << "no item was deleted";
    QStringList deleteKeys;
    for (QPushButton *b : CenPonDForm->findChildren<QPushButton *>())
        if (QKeySequence::mnemonic(b->text()) == QKeySequence(Qt::ALT | Qt::Key_M))
            deleteKeys << b->text();
    EXPECT_EQ(deleteKeys, QStringList{QString::fromUtf8("Z&maž")});
}

} // namespace
