// Slovak letters, apostrophes and printed job numbers typed into the sales searches and filters: the
// orders browser, the customers' quick searches, the complaints, the offers and the internal orders. No
// statement fails; a name search finds by name, a number or date search finds nothing for letters, and
// a number the browser reads for its filter is refused in words.
#include "SalesFixture.h"

#include "common/HostileCorpus.h"
#include "common/FilterTyping.h"
#include "common/WhenModal.h"
#include "library/xDBFilter.h"
#include "sales/CenPonForm.h"
#include "sales/FormIntZak.h"
#include "sales/FormZakazky.h"
#include "sales/InternalOrderFilter.h"
#include "sales/OdberateliaForm.h"
#include "sales/ZakRekForm.h"
#include "shell/CisSql.h"
#include "shell/DMCis.h"
#include "library/SqlLiteral.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

class LettersTest : public SalesTest {
protected:
    void SetUp() override
    {
        SalesTest::SetUp();
        if (HasFatalFailure())
            return;
        exec(QString::fromUtf8(
            "insert into CODBERATELOV (C_ODB, ODBERATEL, ICO, MESTO) values (5, 'Žiarska zlievareň', 36001, 'Žiar')"));
        exec("insert into CODBERATELOV (C_ODB, ODBERATEL, ICO, MESTO) values (7, 'O''Neil', 45001, 'Cork')");
        product("V100");
        order("ZAK26001", 5);
        order("ZAK26002", 7);
        exec(QString::fromUtf8(
            "update ZAKAZKY set ODBERATEL='Žiarska zlievareň', D_OBJ=CURRENT_DATE, D_VYSTAV=CURRENT_DATE where "
            "C_OBJ='ZAK26001'"));
        job(260015, "ZAK26001", "V100", 10, 1, Date().toString("yyyy-MM-dd"));
        job(260016, "ZAK26002", "V100", 5, 1, Date().toString("yyyy-MM-dd"));
    }
    void TearDown() override
    {
        CancelWhenModal();
        delete FormIntZak;
        delete OdberateliaForm;
        delete ZakRekForm;
        SalesTest::TearDown();
    }
    void expectNoMessage(const char *where)
    {
        EXPECT_TRUE(responder->Messages.isEmpty()) << where << ": " << responder->Texts().join('\n').toStdString();
        responder->Messages.clear();
    }
};

} // namespace

TEST_F(LettersTest, TheOrdersBrowsersSearchesNeverFailOnLetters)
{
    TFormZakazky form;
    form.show();
    for (const char *probe : kTypedProbes) {
        const QString text = QString::fromUtf8(probe);
        for (QLineEdit *edit : {form.HlObj, form.HlCOdb, form.HlOdb, form.HlDO, static_cast<QLineEdit *>(form.HlDV)}) {
            edit->clear();
            TypeText(edit, text);
            EXPECT_TRUE(DMOdbyt->QvZakazky.Active()) << probe;
            expectNoMessage(probe);
        }
    }
    form.HlDV->clear();
    TypeText(form.HlDV, QString::fromUtf8("č"));
    EXPECT_TRUE(DMOdbyt->QvZakazky.IsEmpty()) << "letters in the issue date find nothing";
    form.HlDV->clear();
    TypeText(form.HlDV, value(QStringLiteral("select current_date from rdb$database")).toDate().toString("yyyy-MM"));
    EXPECT_FALSE(DMOdbyt->QvZakazky.IsEmpty()) << "digits still find the dates";
    form.HlOdb->clear();
    TypeText(form.HlOdb, QString::fromUtf8("Žiar"));
    ASSERT_FALSE(DMOdbyt->QvZakazky.IsEmpty()) << "the name search finds by name";
    EXPECT_EQ(DMOdbyt->QvZakazky.FieldByName("C_OBJ")->AsString().trimmed(), "ZAK26001");
    // The panel's job edit takes digits: a job typed as printed becomes its number.
    TypeText(form.xeC_INT, "26/0015");
    EXPECT_EQ(form.xeC_INT->text(), "260015");
    form.DBFilter->ApplyFilter();
    EXPECT_EQ(DMOdbyt->QvZakazky.FieldByName("C_OBJ")->AsString().trimmed(), "ZAK26001");
    expectNoMessage("panel");
}

TEST_F(LettersTest, TheCustomersFindByNameAndNoNumberByLetters)
{
    bool ran = false;
    WhenModal<TOdberateliaForm>([&](TOdberateliaForm *f) {
        for (const char *probe : kTypedProbes)
            for (QLineEdit *edit : {f->HlICO, f->HlOdberatel, f->HlMesto, f->HlC_ODB, f->HlStat}) {
                edit->clear();
                TypeText(edit, QString::fromUtf8(probe));
                expectNoMessage(probe);
            }
        TxTable &t = DMCis->QOdberatelia;
        f->HlICO->clear();
        TypeText(f->HlICO, QString::fromUtf8("Žiar"));
        EXPECT_TRUE(t.Active());
        EXPECT_TRUE(t.IsEmpty()) << "letters are no IČO";
        f->HlICO->clear();
        TypeText(f->HlICO, "360");
        ASSERT_FALSE(t.IsEmpty());
        EXPECT_EQ(t.FieldByName("C_ODB")->AsInteger(), 5);
        f->HlOdberatel->clear();
        TypeText(f->HlOdberatel, "O'N");
        ASSERT_FALSE(t.IsEmpty());
        EXPECT_EQ(t.FieldByName("C_ODB")->AsInteger(), 7);
        ran = true;
        f->SetModalResult(mrCancel);
    });
    ShowCustomers();
    EXPECT_TRUE(ran);
    // The customer pick's IČO search.
    TxTable &t = DMCis->QOdberatelia;
    const auto icoSearch = [&t](const QString &text) {
        t.Close();
        t.SetFiltered(false);
        t.SetFilterText(CisSql::CustomerIcoLike.arg(SqlLikePrefix(text)));
        t.SetFiltered(true);
        t.Open();
        t.FetchAll();
        return t.RecordCount();
    };
    for (const char *probe : kTypedProbes)
        EXPECT_EQ(icoSearch(QString::fromUtf8(probe)), 0) << probe;
    EXPECT_EQ(icoSearch("450"), 1);
    EXPECT_EQ(t.FieldByName("C_ODB")->AsInteger(), 7);
    t.Close();
    t.SetFiltered(false);
}

TEST_F(LettersTest, TheComplaintsAndOffersFiltersTakeLetters)
{
    exec("insert into ZAKREK (C_REK, C_INT, MNOZ_DOD, MNOZ_REK) values ('1', 260015, 10, 1)");
    auto *complaints = new TZakRekForm;
    complaints->show();
    for (const char *probe : kTypedProbes)
        for (TxDBFilterEdit *edit : {complaints->eC_VYR, complaints->eC_INT, complaints->eODBERATEL}) {
            edit->clear();
            TypeText(edit, QString::fromUtf8(probe));
            expectNoMessage(probe);
        }
    complaints->eODBERATEL->clear();
    TypeText(complaints->eC_INT, "26/0015");
    EXPECT_EQ(complaints->eC_INT->text(), "26/0015") << "the job edit takes the printed shape";
    TxDataSet &rows = DMOdbyt->QZakRek;
    ASSERT_TRUE(rows.Active());
    EXPECT_EQ(rows.RecordCount(), 1);

    TCenPonForm offers;
    offers.show();
    TxDBFilterCombo *combo = offers.filterCenPon;
    for (int entry = 0; entry < combo->List->count(); ++entry)
        for (const char *probe : kTypedProbes) {
            combo->List->setCurrentIndex(entry);
            emit combo->List->activated(entry);
            if (!combo->ValueEdit->isVisible())
                break;
            combo->ValueEdit->clear();
            TypeText(combo->ValueEdit, QString::fromUtf8(probe));
            QTest::keyClick(combo->ValueEdit, Qt::Key_Tab);
            expectNoMessage(probe);
        }
}

TEST_F(LettersTest, TheInternalOrdersTakeAPrintedJob)
{
    WhenModal<TFormIntZak>([this](TFormIntZak *f) {
        f->cbObdobie->setChecked(false);
        type(f->vC_INT, "26/0015");
        EXPECT_EQ(f->vC_INT->text(), "26/0015") << "the job edit takes the printed shape";
        QTest::mouseClick(f->btnFilter, Qt::LeftButton);
        expectNoMessage("printed job");
        TxQuery &q = DMOdbyt->QvZakazkyDKalk;
        q.FetchAll();
        ASSERT_EQ(q.RecordCount(), 1);
        EXPECT_EQ(q.FieldByName("C_INT")->AsInteger(), 260015);
        for (QLineEdit *e : {f->vC_INT, f->vC_ODB}) {
            e->clear();
            type(e, QString::fromUtf8("Žiar"));
            EXPECT_EQ(e->text(), "") << "letters are no key of a number edit";
        }
        type(f->vC_INT, "26/15");
        QTest::mouseClick(f->btnFilter, Qt::LeftButton);
        q.FetchAll();
        ASSERT_EQ(q.RecordCount(), 1);
        EXPECT_EQ(q.FieldByName("C_INT")->AsInteger(), 260015);
        expectNoMessage("short sequence");
        f->Close();
    });
    ShowInternalOrders(QString(), QString());
}

TEST_F(LettersTest, AJobOrCustomerThatIsNoNumberIsRefusedNotLeftOut)
{
    TInternalOrderFilter f;
    f.JobText = QStringLiteral("26/0015");
    EXPECT_TRUE(f.Where().contains("260015")) << f.Where().toStdString();
    for (const char *probe : {"Žiar", "č", "O'Neil", "26/"}) {
        TInternalOrderFilter bad;
        bad.JobText = QString::fromUtf8(probe);
        EXPECT_THROW(bad.Where(), EConvertError) << probe;
        bad.JobText.clear();
        bad.Customer = QString::fromUtf8(probe);
        EXPECT_THROW(bad.Where(), EConvertError) << probe;
    }
    TInternalOrderFilter others;
    others.Customer = QStringLiteral("!7");
    EXPECT_TRUE(others.Where().contains("c_odb<>7")) << others.Where().toStdString();
}
