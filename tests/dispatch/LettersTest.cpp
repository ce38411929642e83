// Slovak letters, apostrophes and printed numbers typed into the dispatch searches: the delivery notes'
// selections, the finished-goods store's filters and the overviews. No statement fails; a customer is
// found by name, a number by its digits or as printed, and a number the form reads is refused in words.
#include "common/PersonTyping.h"
#include "DispatchFixture.h"
#include "common/HostileCorpus.h"

#include "common/FilterTyping.h"
#include "common/WhenModal.h"
#include "dispatch/EDListyForm.h"
#include "dispatch/ESkladForm.h"
#include "library/xDBFilter.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

namespace {

class LettersTest : public DispatchTest {
protected:
    void SetUp() override
    {
        DispatchTest::SetUp();
        if (HasFatalFailure())
            return;
        foundry();
        customer(7, QString::fromUtf8("Žiarska zlievareň"), QStringLiteral("36001"));
        product(QStringLiteral("V7"));
        receipt(QStringLiteral("V7"), 5);
        order(QStringLiteral("ZAK260007"), 7, QString::fromUtf8("Žiarska zlievareň"));
        job(260007, QStringLiteral("ZAK260007"), QStringLiteral("V7"), 5);
        exec("insert into EDLISTY (C_DL, C_ODB, C_OBJ, D_VYSTAV, KURZ, MENA) values (260001, 5, 'ZAK260001', "
             "'2026-03-14', 1, 'EUR')");
        exec("insert into EDLISTY (C_DL, C_ODB, C_OBJ, D_VYSTAV, KURZ, MENA) values (260002, 7, 'ZAK260007', "
             "'2026-03-14', 1, 'EUR')");
    }
    void TearDown() override
    {
        CancelWhenModal();
        delete ESkladForm;
        DispatchTest::TearDown();
    }
    // Chooses a selection of the browser and types its value as a user does; leaving the edit selects.
    int select(TEDListyForm &browser, int entry, const QString &value)
    {
        browser.cbVyber->setCurrentIndex(entry);
        emit browser.cbVyber->activated(entry);
        TabTo(browser.EditVyber);
        browser.EditVyber->clear();
        TypeText(browser.EditVyber, value);
        QTest::keyClick(browser.EditVyber, Qt::Key_Tab);
        EXPECT_TRUE(exp->QEDListy.Active()) << value.toStdString();
        exp->QEDListy.FetchAll();
        return exp->QEDListy.RecordCount();
    }
};

} // namespace

TEST_F(LettersTest, TheNotesFindACustomerByNameOrNumberAndANoteAsPrinted)
{
    TEDListyForm browser;
    browser.show();
    QApplication::setActiveWindow(&browser);
    const int byCustomer = browser.cbVyber->findText(QString::fromUtf8("Odberateľ ..."));
    ASSERT_EQ(byCustomer, 5);
    for (const char *probe : kTypedProbes)
        for (int entry : {2, 3, 4, 5, 6})
            select(browser, entry, QString::fromUtf8(probe));
    EXPECT_TRUE(responder->Texts().isEmpty()) << responder->Texts().join('\n').toStdString();
    EXPECT_EQ(select(browser, byCustomer, QString::fromUtf8("Žiar")), 1);
    EXPECT_EQ(exp->QEDListy.FieldByName("C_DL")->AsInteger(), 260002);
    EXPECT_EQ(select(browser, byCustomer, QStringLiteral("7")), 1) << "the customer's number";
    EXPECT_EQ(select(browser, byCustomer, QString::fromUtf8("Košick")), 0);
    EXPECT_EQ(select(browser, 2, QStringLiteral("26/0001")), 1) << "the note's number as printed";
    EXPECT_EQ(select(browser, 2, QStringLiteral("260002")), 1);
    EXPECT_EQ(exp->QEDListy.FieldByName("C_DL")->AsInteger(), 260002);
    EXPECT_EQ(select(browser, 2, QString::fromUtf8("č")), 0);
}

TEST_F(LettersTest, TheStorePicksForACustomerWithSlovakLetters)
{
    ESkladForm = nullptr;
    int listed = -1;
    QString product;
    WhenModal<TESkladForm>([&](TESkladForm *f) {
        TxQuery &q = exp->QESklad;
        q.FetchAll();
        listed = q.RecordCount();
        product = q.FieldByName("C_POL")->AsString().trimmed();
        for (const char *probe : kTypedProbes)
            for (const char *entry : {"č.Výrobku", "Pre odberateľa ...", "Na objednávke ..."})
                TypeIntoFilterComboDirectly(f->cbFilter, QString::fromUtf8(entry), QString::fromUtf8(probe));
        EXPECT_EQ(
            TypeIntoFilterComboDirectly(f->cbFilter, QString::fromUtf8("Pre odberateľa ..."), QStringLiteral("7")), 1);
        EXPECT_EQ(TypeIntoFilterComboDirectly(f->cbFilter, QString::fromUtf8("Pre odberateľa ..."),
                                              QString::fromUtf8("Košick")),
                  0);
        f->SetModalResult(mrCancel);
    });
    EXPECT_FALSE(PickFromFinishedGoodsStore(QString::fromUtf8("Žiarska zlievareň"), QString()));
    EXPECT_TRUE(responder->Texts().isEmpty()) << responder->Texts().join('\n').toStdString();
    EXPECT_EQ(listed, 1) << "the customer's product in stock, found by the name";
    EXPECT_EQ(product, "V7");
}

TEST_F(LettersTest, TheOverviewsTakeAPrintedJobAndRefuseLetters)
{
    exec("insert into EDLISTYD (C_DL, C_VYR, C_INT, MNOZ_VYR, CENA_KURZ1) values (260001, 'V1', 260001, 10, 80)");
    exec("insert into EDLISTYD (C_DL, C_VYR, C_INT, MNOZ_VYR, CENA_KURZ1) values (260002, 'V7', 260007, 2, 80)");
    TxQuery &q = dm->QTlac;
    exp->OpenOverview(0, QDate(2026, 3, 1), QDate(2026, 3, 31), "26/0007", "", "");
    q.FetchAll();
    ASSERT_EQ(q.RecordCount(), 1);
    EXPECT_EQ(q.FieldByName("C_DL")->AsInteger(), 260002);
    for (const char *probe : {"Žiar", "č", "O'Neil", "26/00150"}) {
        EXPECT_THROW(exp->OpenOverview(0, QDate(2026, 3, 1), QDate(2026, 3, 31), QString::fromUtf8(probe), "", ""),
                     EConvertError)
            << probe;
        EXPECT_THROW(exp->OpenOverview(0, QDate(2026, 3, 1), QDate(2026, 3, 31), "", QString::fromUtf8(probe), ""),
                     EConvertError)
            << probe;
    }
}
