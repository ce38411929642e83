// The customer orders browser on a fresh database: every quick search and filter with hostile text lists
// the right orders and changes nothing, the contract list's condition, the contract's payment preset, and
// an order started from an offer.
#include "SalesFixture.h"

#include "common/HostileCorpus.h"
#include "library/xDBFilter.h"
#include "platform/ui/BitBtn.h"
#include "library/xDBGrid.h"
#include "platform/ui/DBControls.h"
#include "sales/FormZakazky.h"

#include <QApplication>
#include <QClipboard>
#include <QDate>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace {

class OrdersBrowserTest : public SalesTest {
protected:
    void SetUp() override
    {
        SalesTest::SetUp();
        if (HasFatalFailure())
            return;
        exec("insert into CODBERATELOV (C_ODB, ODBERATEL, PLAT_PODM) values (5, 'Zlievareň', '30')");
        exec("insert into CODBERATELOV (C_ODB, ODBERATEL, PLAT_PODM) values (7, 'O''Neil', 'ZA')");
        product("V100");
        headerOf("ZAK26001", 5, "Zlievareň", 10);
        headerOf("ZAK26002", 7, "O'Neil", 20);
        headerOf("ZAK25009", 5, "Zlievareň", 200);
        job(260001, "ZAK26001", "V100");
        exec("insert into ZAKAZKY (C_OBJ, TYP_OBJ, C_ODB, ODBERATEL, MENA, D_OBJ, D_VYSTAV) values "
             "('PON26001', 'P', 0, 'Nový z ponuky', 'EUR', CURRENT_DATE, CURRENT_DATE)");
        exec("insert into ZAKZML (C_OBJ, C_ZMLUVY) values ('ZAK26002', 4)");
        exec("insert into ZAKZML (C_OBJ, C_ZMLUVY) values ('ZAK25009', 3)");
        form = new TFormZakazky();
        form->show();
    }
    void TearDown() override
    {
        delete form;
        SalesTest::TearDown();
    }
    void headerOf(const char *number, int customer, const char *name, int daysAgo)
    {
        exec(QStringLiteral("insert into ZAKAZKY (C_OBJ, TYP_OBJ, C_ODB, ODBERATEL, MENA, D_OBJ, D_VYSTAV) values "
                            "('%1', 'Z', %2, '%3', 'EUR', CURRENT_DATE - %4, CURRENT_DATE - %4)")
                 .arg(QLatin1String(number), QString::number(customer), QString::fromUtf8(name).replace("'", "''"),
                      QString::number(daysAgo)));
    }
    QStringList listed()
    {
        QStringList numbers;
        TxTable &q = odbyt->QvZakazky;
        for (q.First(); !q.Eof(); q.Next())
            numbers << q.FieldByName("C_OBJ")->AsString().trimmed();
        return numbers;
    }
    static QStringList sorted(QStringList l)
    {
        l.sort();
        return l;
    }
    TFormZakazky *form = nullptr;
};

TEST_F(OrdersBrowserTest, TheCountFoundIsEveryOrderOfALongList)
{
    exec("execute block as declare i integer = 1; begin while (i <= 120) do begin "
         "insert into ZAKAZKY (C_OBJ, TYP_OBJ, C_ODB, ODBERATEL, MENA, D_OBJ, D_VYSTAV) values "
         "('ZAK27' || lpad(:i, 3, '0'), 'Z', 5, 'Zlievareň', 'EUR', CURRENT_DATE, CURRENT_DATE); i = i + 1; end end");
    TypeText(form->HlObj, "ZAK27");
    EXPECT_EQ(form->LabelRecCount->text(), QString::fromUtf8("Nájdených položiek:120"));
    EXPECT_TRUE(responder->Messages.isEmpty()) << responder->Texts().join('\n').toStdString();
}

TEST_F(OrdersBrowserTest, APastedLongTextSearchesWithoutAnError)
{
    QApplication::clipboard()->setText(QString(10000, QLatin1Char('7')));
    for (QLineEdit *edit : {form->HlObj, form->HlOdb, form->HlCOdb, form->HlDO}) {
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(edit->text().size(), edit->maxLength()) << edit->objectName().toStdString();
        EXPECT_LE(edit->maxLength(), 50) << "no more than the column holds";
        EXPECT_TRUE(responder->Messages.isEmpty())
            << edit->objectName().toStdString() << ": " << responder->Texts().join('\n').toStdString();
        edit->clear();
    }
}

TEST_F(OrdersBrowserTest, QuickSearchesTakeTypedTextAsOneValue)
{
    EXPECT_EQ(listed(), QStringList({"ZAK26001", "ZAK26002"})) << "the last 90 days, newest first, no offers";
    const QMap<QString, QString> names{{"ZAK26001", "Zlievareň"}, {"ZAK26002", "O'Neil"}, {"ZAK25009", "Zlievareň"}};
    const int rows = count("select count(*) from ZAKAZKY");
    for (const char *raw : kHostileCorpus) {
        const QString text = QString::fromUtf8(raw);
        for (QLineEdit *edit : {form->HlObj, form->HlOdb, form->HlCOdb, form->HlDO}) {
            edit->clear();
            TypeText(edit, text);
            EXPECT_TRUE(responder->Messages.isEmpty()) << edit->objectName().toStdString() << " " << raw << ": "
                                                       << responder->Texts().join('\n').toStdString();
            responder->Messages.clear();
        }
        form->HlOdb->clear();
        TypeText(form->HlOdb, text);
        if (text.contains('%') || text.contains('_'))
            continue;
        QStringList expected;
        for (auto it = names.begin(); it != names.end(); ++it)
            if (it.value().startsWith(text))
                expected << it.key();
        EXPECT_EQ(sorted(listed()), expected) << raw;
    }
    EXPECT_TRUE(responder->Messages.isEmpty()) << responder->Texts().join('\n').toStdString();
    EXPECT_EQ(count("select count(*) from ZAKAZKY"), rows);

    for (QLineEdit *edit : {form->HlObj, form->HlOdb, form->HlCOdb, form->HlDO})
        edit->clear();
    TypeText(form->HlObj, "ZAK26");
    EXPECT_EQ(listed(), QStringList({"ZAK26001", "ZAK26002"})) << "by number";
    EXPECT_EQ(form->LabelRecCount->text(), QString::fromUtf8("Nájdených položiek:2"));
    TypeText(form->HlCOdb, "7");
    EXPECT_EQ(listed(), QStringList({"ZAK26002"}));
    QTest::keyClick(form->HlCOdb, Qt::Key_Backspace);
    EXPECT_EQ(sorted(listed()), QStringList({"ZAK26001", "ZAK26002"})) << "emptied: the last 31 days";
    EXPECT_EQ(odbyt->QvZakazky.Filter(), "D_OBJ>CURRENT_DATE-31");

    QTest::mouseClick(form->HlOdb, Qt::LeftButton);
    EXPECT_EQ(form->StatusText(), QString::fromUtf8("Triedenie podľa názvu odberateľa"));
    EXPECT_EQ(listed(), QStringList({"ZAK26002", "ZAK26001"})) << "the filter stays, the order changes";
}

TEST_F(OrdersBrowserTest, TheFilterPanelsButtonStandsClearOfItsEditsAndFiltersByAClickWithTheItems)
{
    form->resize(820, 600);
    QTest::mouseClick(form->btnFilter, Qt::LeftButton);
    ASSERT_TRUE(form->DBFilter->isVisible());
    QApplication::processEvents();
    QWidget *apply = form->DBFilter->FilterButton;
    for (QWidget *w : form->DBFilter->findChildren<QWidget *>())
        if (w != apply && w->isVisible() && w->parentWidget() == form->DBFilter) {
            EXPECT_FALSE(w->geometry().intersects(apply->geometry())) << w->objectName().toStdString();
        }
    EXPECT_TRUE(form->DBFilter->rect().contains(apply->geometry()));
    form->xeC_VYR->setText("V10");
    QTest::mouseClick(apply, Qt::LeftButton, {}, apply->rect().center());
    EXPECT_EQ(listed(), QStringList({"ZAK26001"}));
    // The items page follows the order found: its job is listed, not an empty page.
    odbyt->QvZakazky.First();
    TxTable &jobs = odbyt->QZakazkyD;
    ASSERT_TRUE(jobs.Active());
    EXPECT_EQ(jobs.RecordCount(), 1);
    EXPECT_EQ(jobs.FieldByName("C_INT")->AsInteger(), 260001);
}

TEST_F(OrdersBrowserTest, TheIssueDateSearchCountsWhatItFindsAndShowsItsItems)
{
    const auto count = [this] { return form->LabelRecCount->text(); };
    TabTo(form->HlDV);
    TypeText(form->HlDV, "2099");
    QApplication::processEvents();
    EXPECT_EQ(odbyt->QvZakazky.RecordCount(), 0);
    EXPECT_EQ(count(), QString::fromUtf8("Nájdených položiek:0")) << "the count of the empty list";
    form->HlDV->clear();
    // The orders are dated by the server.
    TypeText(
        form->HlDV,
        value(QStringLiteral("select current_date from rdb$database")).toDate().addDays(-10).toString("yyyy-MM-dd"));
    QApplication::processEvents();
    ASSERT_EQ(listed(), QStringList({"ZAK26001"}));
    EXPECT_EQ(count(), QString::fromUtf8("Nájdených položiek:1"));
    TxTable &jobs = odbyt->QZakazkyD;
    ASSERT_TRUE(jobs.Active()) << "the items follow the order found";
    EXPECT_EQ(jobs.FieldByName("C_INT")->AsInteger(), 260001);
}

TEST_F(OrdersBrowserTest, FilterPanelAndIssueDateEditQuoteTheirText)
{
    form->xeC_VYR->setText("v1");
    QTest::keyClick(form->xeC_VYR, Qt::Key_0);
    EXPECT_EQ(form->xeC_VYR->text(), "V10");
    form->DBFilter->ApplyFilter();
    EXPECT_EQ(listed(), QStringList({"ZAK26001"}));
    form->xeC_VYR->clear();
    TypeText(form->xeC_INT, "26x0001'");
    EXPECT_EQ(form->xeC_INT->text(), "260001") << "a job number takes digits only";
    form->DBFilter->ApplyFilter();
    EXPECT_EQ(listed(), QStringList({"ZAK26001"}));
    form->xeC_INT->clear();
    for (const char *raw : {"x' or '1'='1", "' or 1=1 --", "*/ or 1=1 /*", "1; drop table ZAKAZKY"}) {
        form->xeC_VYR->setText(QString::fromUtf8(raw));
        form->DBFilter->ApplyFilter();
        EXPECT_TRUE(listed().isEmpty()) << raw;
        form->xeC_VYR->clear();
        form->HlDV->setText(QString::fromUtf8(raw));
        form->HlDV->ApplyFilter();
        EXPECT_TRUE(listed().isEmpty()) << raw;
        form->HlDV->clear();
    }
    EXPECT_TRUE(responder->Messages.isEmpty()) << responder->Texts().join('\n').toStdString();
    form->xeD_OD->setText("nie je dátum");
    form->DBFilter->ApplyFilter();
    EXPECT_EQ(responder->Texts(), QStringList{QString::fromUtf8("„nie je dátum“ nie je dátum.")});
    EXPECT_TRUE(listed().isEmpty()) << "the list stays as it was";
    form->xeD_OD->clear();
    EXPECT_EQ(count("select count(*) from ZAKAZKY"), 4) << "nothing written";
}

TEST_F(OrdersBrowserTest, ContractListTakesTheHeadersFilterOnlyWhileFiltering)
{
    const auto contracts = [&] {
        odbyt->OpenContractList();
        QStringList l;
        for (dm->QTlac.First(); !dm->QTlac.Eof(); dm->QTlac.Next())
            l << dm->QTlac.FieldByName("C_OBJ")->AsString().trimmed();
        return l;
    };
    EXPECT_EQ(contracts(), QStringList({"ZAK26002"})) << "the last 90 days";
    // A condition on c_obj, as the filter panel makes it, is not ambiguous inside its own select.
    form->xeC_VYR->setText("V100");
    form->DBFilter->ApplyFilter();
    EXPECT_TRUE(contracts().isEmpty());
    odbyt->QvZakazky.SetFiltered(false);
    EXPECT_EQ(contracts(), QStringList({"ZAK25009", "ZAK26002"}))
        << "ordered by contract number, all when not filtering";
    odbyt->QvZakazky.SetFilterText(QString());
    odbyt->QvZakazky.SetFiltered(true);
    EXPECT_EQ(contracts().size(), 2) << "no filter: no WHERE";
    EXPECT_FALSE(dm->QTlac.SQL().Text().contains("where", Qt::CaseInsensitive));
}

TEST_F(OrdersBrowserTest, ContractNumberPresetsPaymentFromTheCustomerOnce)
{
    form->pcZakazky->setCurrentIndex(2);
    ASSERT_EQ(listed().first(), "ZAK26001");
    odbyt->QvZakazky.First();
    form->btnZmluvaCislo->click();
    TxTable &z = odbyt->QZakZml;
    EXPECT_EQ(z.State(), dsInsert);
    EXPECT_EQ(z.FieldByName("UHRADA")->AsString(), QString::fromUtf8("Prevodným príkazom"));
    EXPECT_EQ(z.FieldByName("SPLATNOST")->AsString(), QString::fromUtf8("do 30 dní"));
    z.FieldByName("SPLATNOST")->SetValue(QString::fromUtf8("do 14 dní"));
    z.Post();
    form->btnZmluvaCislo->click();
    EXPECT_EQ(z.State(), dsEdit) << "an existing contract only goes into edit";
    EXPECT_EQ(z.FieldByName("SPLATNOST")->AsString(), QString::fromUtf8("do 14 dní"));
    z.Cancel();

    odbyt->QvZakazky.Next(); // ZAK26002 of a customer paying in advance; its contract exists
    EXPECT_EQ(z.FieldByName("C_ZMLUVY")->AsInteger(), 4);
    responder->MessageAnswers = {mrYes};
    form->BitBtnZrusZml->click();
    EXPECT_EQ(count("select count(*) from ZAKZML where C_OBJ='ZAK26002'"), 0);
    form->btnZmluvaCislo->click();
    EXPECT_EQ(z.FieldByName("UHRADA")->AsString(), QString::fromUtf8("Predfaktúrou pred Výrobou"));
    EXPECT_TRUE(z.FieldByName("SPLATNOST")->IsNull());
    z.Cancel();
    EXPECT_TRUE(responder->Texts().contains(QString::fromUtf8("Zmazať zmluvu ?")));
}

TEST_F(OrdersBrowserTest, OpenedAgainOnAPageOfTheOrderThePageShowsWhatTheOrderHas)
{
    // The browser is closed on one of the order's pages and opened again: that page reads the current order,
    // not an empty form a clerk would take for a missing contract.
    for (int page : {1, 2, 3}) {
        SCOPED_TRACE(page);
        form->pcZakazky->setCurrentIndex(page);
        form->close();
        form->show();
        ASSERT_EQ(form->pcZakazky->currentIndex(), page);
        ASSERT_TRUE(odbyt->QvZakazky.Locate("C_OBJ", "ZAK26002"));
        EXPECT_EQ(odbyt->QCOdberatelovLookup.Active(), page == 1);
        EXPECT_EQ(odbyt->QZakZml.Active(), page == 2);
        EXPECT_EQ(odbyt->QvEDListyLookup.Active(), page == 3);
    }
    form->pcZakazky->setCurrentIndex(2);
    form->close();
    form->show();
    ASSERT_TRUE(odbyt->QvZakazky.Locate("C_OBJ", "ZAK26002"));
    EXPECT_EQ(odbyt->QZakZml.FieldByName("C_ZMLUVY")->AsInteger(), 4);
    EXPECT_FALSE(form->DBeC_ZMLUVY->text().isEmpty());
    EXPECT_TRUE(responder->Messages.isEmpty()) << responder->Texts().join('\n').toStdString();
}

TEST_F(OrdersBrowserTest, ATitleClickSaysTheCountAndTheColumnSortedBy)
{
    headerOf("ZAK26003", 7, "Ďalší", 5); // saved meanwhile by another workstation
    QHeaderView *h = form->DBGridZakazky->horizontalHeader();
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(h->sectionViewportPosition(2) + 5, h->height() / 2));
    EXPECT_EQ(listed(), QStringList({"ZAK26003", "ZAK26002", "ZAK26001"})) << "sorted by the customer's name";
    EXPECT_EQ(form->LabelRecCount->text(), QString::fromUtf8("Nájdených položiek: 3"));
    EXPECT_EQ(form->StatusText(), QString::fromUtf8("Triedenie podľa Odberateľ"));
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(h->sectionViewportPosition(0) + 5, h->height() / 2));
    EXPECT_EQ(listed(), QStringList({"ZAK26001", "ZAK26002", "ZAK26003"}));
    EXPECT_EQ(form->StatusText(), QString::fromUtf8("Triedenie podľa Objednávka"));
    ASSERT_TRUE(odbyt->QZakazkyD.Active()) << "the items follow the current order again";
    ASSERT_TRUE(odbyt->QvZakazky.Locate("C_OBJ", "ZAK26001"));
    EXPECT_EQ(odbyt->QZakazkyD.FieldByName("C_INT")->AsInteger(), 260001);
    EXPECT_TRUE(responder->Messages.isEmpty()) << responder->Texts().join('\n').toStdString();
}

TEST_F(OrdersBrowserTest, TheContractNumberIsTypedAndShownInItsMask)
{
    form->pcZakazky->setCurrentIndex(2);
    odbyt->QvZakazky.First(); // ZAK26001, without a contract
    form->btnZmluvaCislo->click();
    TxTable &z = odbyt->QZakZml;
    ASSERT_EQ(z.FieldByName("C_ZMLUVY")->AsInteger(), 260001);
    EXPECT_EQ(form->DBeC_ZMLUVY->text(), "26-0001");
    QApplication::setActiveWindow(form);
    TabTo(form->DBeC_ZMLUVY);
    QApplication::processEvents();
    EXPECT_EQ(form->DBeC_ZMLUVY->text(), "0026-0001") << "every place of the mask filled while typed over";
    type(form->DBeC_ZMLUVY, "0025-0042");
    EXPECT_EQ(z.FieldByName("C_ZMLUVY")->AsInteger(), 250042);
    EXPECT_EQ(form->DBeC_ZMLUVY->text(), "25-0042");
    EXPECT_TRUE(responder->Messages.isEmpty()) << responder->Texts().join('\n').toStdString();

    // Four digits after the dash or nothing is written.
    type(form->DBeC_ZMLUVY, "0025-42");
    EXPECT_EQ(responder->Texts(), QStringList{QString::fromUtf8("'0025-42' nie je platné číslo zmluvy")});
    EXPECT_EQ(z.FieldByName("C_ZMLUVY")->AsInteger(), 250042);
    z.Cancel();
}

TEST_F(OrdersBrowserTest, OrderFromAnOfferTakesItsCustomerNameWithoutANumber)
{
    EXPECT_FALSE(odbyt->AppendOrderFromOffer("PON' or '1'='1"));
    EXPECT_EQ(odbyt->QvZakazky.State(), dsBrowse);
    ASSERT_TRUE(odbyt->AppendOrderFromOffer("PON26001"));
    EXPECT_EQ(odbyt->QvZakazky.State(), dsInsert);
    EXPECT_TRUE(odbyt->QvZakazky.FieldByName("C_OBJ")->AsString().startsWith("ZAK"));
    EXPECT_EQ(odbyt->QvZakazky.FieldByName("ODBERATEL")->AsString(), QString::fromUtf8("Nový z ponuky"));
    EXPECT_TRUE(odbyt->QvZakazky.FieldByName("C_ODB")->IsNull() ||
                odbyt->QvZakazky.FieldByName("C_ODB")->AsInteger() == 0);
    odbyt->QvZakazky.Cancel();
}

} // namespace
