// Slovak letters, apostrophes and printed job numbers typed into the store forms' searches and filters:
// none of them makes a statement fail; a name search finds by name, a number search finds nothing, and
// a number read by the form for its filter is refused in words.
#include "common/PersonTyping.h"
#include "MaterialFixture.h"
#include "common/HostileCorpus.h"
#include "common/FilterTyping.h"
#include "common/WhenModal.h"
#include "material/DodavateliaForm.h"
#include "material/MPohybyForm.h"
#include "material/MSkladyForm.h"
#include "library/xDBFilter.h"
#include "library/xDBGrid.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

class LettersTest : public MaterialTest {
protected:
    void SetUp() override
    {
        MaterialTest::SetUp();
        if (HasFatalFailure())
            return;
        exec(QString::fromUtf8(
            "insert into CODBERATELOV (C_ODB, ODBERATEL, ICO) values (7, 'Žiarska zlievareň', 36001)"));
        for (const char *code : {"M-1", "M-2"})
            item(QString::fromLatin1(code), "M", 2);
        exec(QString::fromUtf8("update POLOZKY set MAJITEL='Žiarska zlievareň', C_ODB=7 where C_POL='M-1'"));
        move(QDate(2026, 3, 2), 10, "M1", "M-1", 12, 2);
        move(QDate(2026, 3, 2), 10, "M1", "M-2", 3, 2);
    }
    void TearDown() override
    {
        CancelWhenModal();
        delete MSkladyForm;
        delete DodavateliaForm;
        delete MPohybyForm;
        MaterialTest::TearDown();
    }
};

} // namespace

TEST_F(LettersTest, TheStoresFindOwnersByNameAndNoNumberByLetters)
{
    bool checked = false;
    WhenModal<TMSkladyForm>([&](TMSkladyForm *f) {
        for (const char *probe : kTypedProbes) {
            const QString text = QString::fromUtf8(probe);
            SCOPED_TRACE(probe);
            TypeIntoFilterComboDirectly(f->cbFilter, QString::fromUtf8("Majiteľ"), text);
            TypeIntoFilterComboDirectly(f->cbFilter, QString::fromUtf8("IČO"), text);
            EXPECT_EQ(TypeIntoFilterComboDirectly(f->cbFilter, QString::fromUtf8("Nutný vývoz do ..."), text), 0);
            for (QLineEdit *e : {static_cast<QLineEdit *>(f->eSklad), static_cast<QLineEdit *>(f->eTyp)}) {
                TabTo(e);
                TypeText(e, text);
                EXPECT_TRUE(f->Grid->DataSet()->Active());
                e->clear();
            }
        }
        EXPECT_EQ(TypeIntoFilterComboDirectly(f->cbFilter, QString::fromUtf8("Majiteľ"), QString::fromUtf8("Žiar")), 1)
            << "by name";
        EXPECT_EQ(TypeIntoFilterComboDirectly(f->cbFilter, QString::fromUtf8("Majiteľ"), QStringLiteral("7")), 1)
            << "by number";
        EXPECT_EQ(TypeIntoFilterComboDirectly(f->cbFilter, QString::fromUtf8("IČO"), QStringLiteral("36001")), 1);
        EXPECT_EQ(TypeIntoFilterComboDirectly(f->cbFilter, QString::fromUtf8("IČO"), QString::fromUtf8("Žiar")), 0)
            << f->Grid->DataSet()->Filter().toStdString();
        EXPECT_EQ(TypeIntoFilterComboDirectly(f->cbFilter, QString::fromUtf8("Nutný vývoz do ..."),
                                              QStringLiteral("31.12.2099")),
                  0);
        checked = true;
        f->SetModalResult(mrCancel);
    });
    ShowStores(QStringLiteral("M"));
    EXPECT_TRUE(checked);
    EXPECT_TRUE(responder->Texts().isEmpty()) << responder->Texts().join('\n').toStdString();
}

TEST_F(LettersTest, TheSuppliersIcoTakesDigitsAndFindsByItsBeginning)
{
    exec(QString::fromUtf8("insert into CDODAVATELOV (C_DOD, DODAVATEL, ICO) values (1, 'Košická huta', 31234)"));
    exec(QString::fromUtf8("insert into CDODAVATELOV (C_DOD, DODAVATEL, ICO) values (2, 'O''Neil s.r.o.', 45678)"));
    bool checked = false;
    WhenModal<TDodavateliaForm>([&](TDodavateliaForm *f) {
        TDataSet *rows = f->DBGrid->DataSet();
        TabTo(f->eIco);
        TypeText(f->eIco, QString::fromUtf8("Žiarč"));
        EXPECT_EQ(f->eIco->text(), "") << "the number edit takes digits only";
        TypeText(f->eIco, "3");
        rows->FetchAll();
        EXPECT_EQ(rows->RecordCount(), 1);
        for (const char *probe : kTypedProbes) {
            TabTo(f->eDodavatel);
            f->eDodavatel->clear();
            TypeText(f->eDodavatel, QString::fromUtf8(probe));
            EXPECT_TRUE(rows->Active()) << probe;
        }
        f->eDodavatel->clear();
        TypeText(f->eDodavatel, QString::fromUtf8("Koš"));
        rows->FetchAll();
        EXPECT_EQ(rows->RecordCount(), 1);
        f->eDodavatel->clear();
        TypeText(f->eDodavatel, QString::fromUtf8("O'N"));
        rows->FetchAll();
        EXPECT_EQ(rows->RecordCount(), 1);
        checked = true;
        f->SetModalResult(mrCancel);
    });
    ShowSuppliers();
    EXPECT_TRUE(checked);
    EXPECT_TRUE(responder->Texts().isEmpty()) << responder->Texts().join('\n').toStdString();
}

TEST_F(LettersTest, TheMovementsTakeAPrintedJobAndRefuseLetters)
{
    move(QDate(2026, 3, 3), 20, "M1", "M-2", 1, 2, 260015);
    mtz->QMPohyby.Close();
    bool checked = false;
    WhenModal<TMPohybyForm>([&](TMPohybyForm *f) {
        f->eOd->clear();
        TypeText(f->eOd, "1.3.2026");
        TabTo(f->eZakazka);
        TypeText(f->eZakazka, "26/0015");
        f->BtnFilter->click();
        EXPECT_TRUE(responder->Texts().isEmpty()) << responder->Texts().join('\n').toStdString();
        TDataSet *rows = f->Grid->DataSet();
        rows->FetchAll();
        EXPECT_EQ(rows->RecordCount(), 1) << "the job's movement only";
        for (QLineEdit *e : {f->eZakazka, f->eTyp}) {
            f->eZakazka->clear();
            e->clear();
            TypeText(e, QString::fromUtf8("Žiar"));
            f->BtnFilter->click();
            ASSERT_FALSE(responder->Texts().isEmpty());
            EXPECT_TRUE(responder->Texts().last().contains(QString::fromUtf8("„Žiar“ nie je číslo")))
                << responder->Texts().last().toStdString();
            rows = f->Grid->DataSet();
            rows->FetchAll();
            EXPECT_EQ(rows->RecordCount(), 1) << "the list stays as it was";
            e->clear();
        }
        checked = true;
        f->SetModalResult(mrCancel);
    });
    ShowStockMovements();
    EXPECT_TRUE(checked);
}
