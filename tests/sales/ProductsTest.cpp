// The products browser on a fresh database: quick search and filter panel with hostile text, the copy of
// a product with its whole route, the detail tabs, the price list and the price update on the listed
// products only.
#include "SalesFixture.h"

#include "common/HostileCorpus.h"
#include "library/xDBFilter.h"
#include "sales/QRTlacVyrobky.h"
#include "sales/SalesModule.h"
#include "sales/VyrobkyCennikForm.h"
#include "sales/VyrobkyForm.h"
#include "shell/MenuHooks.h"

#include "library/xDBGrid.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace {

class ProductsTest : public SalesTest {
protected:
    void SetUp() override
    {
        SalesTest::SetUp();
        if (HasFatalFailure())
            return;
        for (const char *code : {"A1", "B1", "C1", "D1"})
            product(QLatin1String(code));
        exec("update POLOZKY set NAZOV='O''Neil ventil', MATERIAL='GS-400' where C_POL='B1'");
        exec("update POLOZKY set NAZOV='x'' or ''1''=''1 teleso' where C_POL='C1'");
        exec("insert into POLOZKY (C_POL, TYP1, NAZOV) values ('M1', 'M', 'Odliatok materiál')");
        exec("insert into CODBERATELOV (C_ODB, ODBERATEL) values (5, 'Zlievareň')");
        order("26/001", 5);
        job(260001, "26/001", "A1");
        form = new TVyrobkyForm();
        form->show();
    }
    void TearDown() override
    {
        delete form;
        delete VyrobkyCennikForm;
        SalesTest::TearDown();
    }
    // The products the grid lists now.
    QStringList listed()
    {
        QStringList codes;
        TxTable &q = tpv->QPolozky;
        for (q.First(); !q.Eof(); q.Next())
            codes << q.FieldByName("C_POL")->AsString().trimmed();
        codes.sort();
        return codes;
    }
    // Moves the list to the product.
    void go(const QString &code)
    {
        TxTable &q = tpv->QPolozky;
        for (q.First(); !q.Eof(); q.Next())
            if (q.FieldByName("C_POL")->AsString().trimmed() == code)
                return;
        ADD_FAILURE() << "no product " << code.toStdString();
    }
    TVyrobkyForm *form = nullptr;
};

TEST_F(ProductsTest, QuickSearchTakesTypedTextAsOneValue)
{
    EXPECT_EQ(listed(), QStringList({"A1", "B1", "C1", "D1"})) << "products only";
    const QMap<QString, QString> names{
        {"A1", "Odliatok A1"}, {"B1", "O'Neil ventil"}, {"C1", "x' or '1'='1 teleso"}, {"D1", "Odliatok D1"}};
    const int items = count("select count(*) from POLOZKY");
    QStringList corpus;
    for (const char *raw : kHostileCorpus)
        corpus << QString::fromUtf8(raw);
    corpus << "Odliatok"
           << "O'Neil";
    for (const QString &text : corpus) {
        form->HlNVyr->clear();
        TypeText(form->HlNVyr, text);
        ASSERT_EQ(form->HlNVyr->text(), text);
        QStringList expected;
        for (auto it = names.begin(); it != names.end(); ++it)
            if (it.value().startsWith(text))
                expected << it.key();
        const QStringList got = listed();
        if (text.contains('%') || text.contains('_'))
            EXPECT_TRUE(std::all_of(got.begin(), got.end(), [&](const QString &c) { return names.contains(c); }))
                << text.toStdString();
        else
            EXPECT_EQ(got, expected) << text.toStdString();
    }
    EXPECT_TRUE(responder->Messages.isEmpty()) << responder->Texts().join('\n').toStdString();
    EXPECT_EQ(count("select count(*) from POLOZKY"), items);

    // The number search is upper case; a click into an edit lists all again in its order.
    TypeText(form->HlC_POL, "b");
    EXPECT_EQ(form->HlC_POL->text(), "B");
    EXPECT_EQ(listed(), QStringList({"B1"}));
    QTest::mouseClick(form->HlCVyk, Qt::LeftButton);
    EXPECT_TRUE(form->HlC_POL->text().isEmpty());
    EXPECT_EQ(listed().size(), 4);
}

TEST_F(ProductsTest, FilterPanelKeepsProductsOnlyAndQuotesItsText)
{
    form->FilterPanel->SetFilterVisible(true);
    form->FilterPanel->ApplyFilter();
    EXPECT_EQ(tpv->QPolozky.Filter(), "typ1='V'") << "an empty panel never leaves an empty condition";
    EXPECT_EQ(listed(), QStringList({"A1", "B1", "C1", "D1"}));

    TypeText(form->eC_ODB, "5x'");
    EXPECT_EQ(form->eC_ODB->text(), "5") << "a customer number takes digits only";
    form->FilterPanel->ApplyFilter();
    EXPECT_EQ(listed(), QStringList({"A1"}));
    form->eC_ODB->clear();
    for (const char *raw : {"x' or '1'='1", "' or 1=1 --", "*/ or 1=1 /*", "GS-4"}) {
        form->eMATERIAL->setText(QString::fromUtf8(raw));
        form->FilterPanel->ApplyFilter();
        EXPECT_EQ(listed(), raw == std::string("GS-4") ? QStringList({"B1"}) : QStringList()) << raw;
    }
    EXPECT_TRUE(responder->Messages.isEmpty()) << responder->Texts().join('\n').toStdString();
}

TEST_F(ProductsTest, CopyCarriesTheWholeRouteAndBillOfMaterials)
{
    exec("insert into TOPERACIE (C_VYR, POSTUP, C_OPERACIE, OPERACIA, POPIS_OP, OSOBY, CAS_PRIP, CAS_MEDZI, CAS_JED, "
         "CAS_STROJ, P_STRATY, K_STRATY, MZDA, NAVODKA) values ('A1', '', 10, 'FOR', 'Formovanie', 2, 5, 1, 0, 3, 4, "
         "1.5, "
         "7, 'Pozor na jadro')");
    exec("insert into TKUSOVNIK (C_VYR, C_POZICIE, C_POL, MNOZSTVO, P_STRATY, POZNAMKA) values ('A1', 1, 'M1', 2, 3, "
         "'x')");
    tpv->QPolozky.First(); // A1
    ASSERT_EQ(tpv->QPolozky.FieldByName("C_POL")->AsString().trimmed(), "A1");

    responder->InputAnswers = {QVariant()}; // Cancel
    form->NovyKopia1Click();
    responder->InputAnswers = {QString("  ")}; // no number: no copy
    form->NovyKopia1Click();
    EXPECT_EQ(count("select count(*) from POLOZKY where TYP1='V'"), 4);

    responder->InputAnswers = {QString("KOPIA")};
    form->NovyKopia1Click();
    ASSERT_EQ(responder->Inputs.size(), 3);
    EXPECT_EQ(responder->Inputs[2].Prompt, QString::fromUtf8("Kopírovať položku A1 na"));
    EXPECT_EQ(value("select NAZOV from POLOZKY where C_POL='KOPIA'").toString(), "Odliatok A1");
    EXPECT_EQ(value("select D_VYSTAV from POLOZKY where C_POL='KOPIA'").toDate(), QDate(2026, 3, 16));
    for (const char *column : {"POPIS_OP", "OSOBY", "CAS_PRIP", "CAS_MEDZI", "CAS_JED", "CAS_STROJ", "P_STRATY",
                               "K_STRATY", "MZDA", "NAVODKA"})
        EXPECT_EQ(value(QStringLiteral("select %1 from TOPERACIE where C_VYR='KOPIA'").arg(column)),
                  value(QStringLiteral("select %1 from TOPERACIE where C_VYR='A1'").arg(column)))
            << column;
    EXPECT_EQ(count("select count(*) from TOPERACIE where C_VYR='KOPIA' and NAVODKA='Pozor na jadro'"), 1);
    EXPECT_EQ(count("select count(*) from TKUSOVNIK where C_VYR='KOPIA' and C_POL='M1' and POZNAMKA='x'"), 1);

    // A number that exists: refused before any route or bill of materials is written.
    go("A1");
    responder->InputAnswers = {QString("KOPIA")};
    EXPECT_THROW(form->NovyKopia1Click(), EAbort);
    EXPECT_EQ(count("select count(*) from TOPERACIE where C_VYR='KOPIA'"), 1);
    EXPECT_EQ(count("select count(*) from TKUSOVNIK where C_VYR='KOPIA'"), 1);
    EXPECT_EQ(tpv->QPolozky.State(), dsBrowse);
    ASSERT_FALSE(responder->Messages.isEmpty()) << "the refusal is shown";
    EXPECT_TRUE(responder->Messages.last().Text.contains(QString::fromUtf8("Výrobok s rovnakým číslom už existuje")))
        << responder->Messages.last().Text.toStdString();

    // Two characters are a prefix: the next free number of it is offered.
    go("A1");
    responder->Inputs.clear();
    responder->InputAnswers = {QString("VY"), QVariant()};
    form->NovyKopia1Click();
    ASSERT_EQ(responder->Inputs.size(), 2);
    EXPECT_EQ(responder->Inputs[1].Prompt, QString::fromUtf8("Ďaľšie číslo položky:"));
    EXPECT_TRUE(responder->Inputs[1].Value.startsWith("VY")) << responder->Inputs[1].Value.toStdString();
}

TEST_F(ProductsTest, OperationsTabShowsAnEmptyNormForNoUnitTime)
{
    exec("insert into TOPERACIE (C_VYR, C_OPERACIE, OPERACIA, CAS_JED) values ('A1', 10, 'FOR', 0)");
    exec("insert into TOPERACIE (C_VYR, C_OPERACIE, OPERACIA, CAS_JED) values ('A1', 20, 'CIS', 9)");
    go("A1");
    form->pcVyrobky->setCurrentIndex(2);
    ASSERT_TRUE(responder->Messages.isEmpty()) << responder->Texts().join('\n').toStdString();
    TxQuery &q = dm->Query1;
    q.Last();
    ASSERT_EQ(q.RecordCount(), 2);
    q.First();
    EXPECT_TRUE(q.FieldByName(QString::fromUtf8("Norma/zmenu"))->IsNull());
    q.Next();
    EXPECT_EQ(q.FieldByName(QString::fromUtf8("Norma/zmenu"))->AsInteger(), 50);
    for (int tab = 1; tab < form->pcVyrobky->count(); ++tab)
        form->pcVyrobky->setCurrentIndex(tab);
    EXPECT_TRUE(responder->Messages.isEmpty()) << responder->Texts().join('\n').toStdString();
}

TEST_F(ProductsTest, PriceListAndPriceUpdateTakeTheListedProductsOnly)
{
    exec("insert into POLOZKYKALK (C_POL, MAT1, MZD1) values ('A1', -1, -1)");
    exec("insert into POLOZKYKALK (C_POL, MAT1, MZD1) values ('B1', -1, -1)");
    form->eC_ODB->setText("5");
    form->FilterPanel->ApplyFilter();
    ASSERT_EQ(listed(), QStringList({"A1"}));

    TVyrobkyCennikForm &prices = *new TVyrobkyCennikForm();
    prices.show();
    prices.pcCennik->setCurrentIndex(1);
    EXPECT_EQ(dm->QTlac.RecordCount(), 1);
    EXPECT_EQ(dm->QTlac.FieldByName("C_POL")->AsString().trimmed(), "A1");
    EXPECT_TRUE(prices.DBGridKalkulacia->ReadOnly()) << "the calculations are not edited here";

    responder->MessageAnswers = {mrNo};
    prices.btnAktKalk->click();
    EXPECT_EQ(value("select MAT1 from POLOZKYKALK where C_POL='A1'").toDouble(), -1);
    responder->MessageAnswers = {mrYes};
    prices.btnAktKalk->click();
    EXPECT_EQ(responder->Messages.last().Text, QString::fromUtf8("Aktualizovať kalkulácie všetkých výrobkov?"));
    EXPECT_NE(value("select coalesce(MAT1, 0) from POLOZKYKALK where C_POL='A1'").toDouble(), -1);
    EXPECT_EQ(value("select MAT1 from POLOZKYKALK where C_POL='B1'").toDouble(), -1) << "not listed, not updated";
}

TEST_F(ProductsTest, PrintedListShowsTheListedProducts)
{
    TypeText(form->HlNVyr, "Odliatok");
    TQuickRep *report = form->ListReport();
    report->prepare();
    QStringList texts;
    for (const TQRPage &page : report->Pages())
        for (const TQRItem &item : page.items)
            texts << item.text.trimmed();
    EXPECT_TRUE(texts.contains(QString::fromUtf8("Tlač vybraného zoznamu výrobkov")));
    EXPECT_TRUE(texts.contains(QString::fromUtf8("Číslo výrobku:")));
    EXPECT_TRUE(texts.contains("A1"));
    EXPECT_TRUE(texts.contains("D1"));
    EXPECT_FALSE(texts.contains("B1")) << "only what the browser lists";
}

TEST_F(ProductsTest, ShowProductsIsTheMenuRoutineAndEditingWaitsForTheProductDialog)
{
    RegisterSalesModule();
    EXPECT_TRUE(HasOpenRoutine("ShowProducts"));
    ModuleHooks().ProductDialog = nullptr;
    form->btnNovyVyr->click();
    EXPECT_EQ(tpv->QPolozky.State(), dsBrowse) << "no dialog: the new row is dropped";
    int runs = 0;
    ModuleHooks().ProductDialog = [&] {
        ++runs;
        EXPECT_EQ(tpv->QPolozky.State(), dsEdit);
        tpv->QPolozky.Cancel();
        return false;
    };
    form->btnOpravVyr->click();
    EXPECT_EQ(runs, 1);
    ModuleHooks().ProductDialog = nullptr;

    responder->MessageAnswers = {mrNo};
    go("D1");
    form->btnZmazVyr->click();
    EXPECT_EQ(responder->Messages.last().Text, QString::fromUtf8("Naozaj chceš zmazať výrobok D1 ?"));
    EXPECT_EQ(count("select count(*) from POLOZKY where C_POL='D1'"), 1);

    // A product with stock movements stays, with them.
    exec("insert into MPOHYBY (DATUM, TYP_POHYBU, SKLAD, C_POL, MNOZSTVO, CENA_NAKL) "
         "values (CURRENT_DATE, 12, 'V', 'D1', 2, 10)");
    responder->MessageAnswers = {mrYes, mrOk};
    QTest::mouseClick(form->btnZmazVyr, Qt::LeftButton);
    EXPECT_EQ(responder->Messages.last().Text,
              QString::fromUtf8("Položku nie je možné zmazať, pretože má pohyby na sklade !"));
    EXPECT_EQ(count("select count(*) from POLOZKY where C_POL='D1'"), 1);
}

} // namespace
