// The order header dialog, the items form and the item dialog on a fresh database, driven with keys: an
// order from its header through three items, calculation, internal order and confirmation; the state
// toggle and revision, the stored state kept, complaints, the product pick and refused posts.
#include "SalesFixture.h"

#include "common/WhenModal.h"
#include "library/QTlacForm.h"
#include "library/xForm.h"
#include "platform/report/QuickRep.h"
#include "platform/ui/BitBtn.h"
#include "platform/ui/DBControls.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/FormGlobal.h"
#include "sales/FormZakazkaDet.h"
#include "sales/FormZakazkaDetHl.h"
#include "sales/FormZakazkaHl.h"
#include "sales/FormZakazky.h"
#include "sales/ZakKalkForm.h"
#include "sales/ZakPotObjQRRep.h"
#include "shell/MenuHooks.h"
#include "shell/CisOdbForm.h"
#include "shell/CisPolForm.h"
#include "shell/DMCis.h"
#include "shell/QMsgDForm.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

class OrderFormsTest : public SalesTest {
protected:
    void SetUp() override
    {
        SalesTest::SetUp();
        if (HasFatalFailure())
            return;
        calculationCodeLists();
        product("V1");
        product("V2");
        product("V3");
        exec("insert into CODBERATELOV (C_ODB, ODBERATEL, MESTO) values (5, 'Zlievareň Sever', 'Žilina')");
        ModuleHooks().ShowReport = [this](TQuickRep *report) {
            report->prepare();
            ++reports;
        };
        Printer().setOutputFileName(dir.filePath("out.pdf"));
    }
    void TearDown() override
    {
        ModuleHooks().ShowReport = nullptr;
        Printer().setOutputFileName(QString());
        delete FormZakazky;
        delete FormZakazkaDet;
        delete FormZakazkaDetHl;
        delete FormZakazkaHl;
        delete ZakKalkForm;
        delete QMsgDForm;
        SalesTest::TearDown();
    }
    // The item dialog's next showing: product, quantity (and the requested date) typed, then OK.
    void nextItem(const QString &product, int quantity, const QString &requested = QString())
    {
        WhenModal<TFormZakazkaDetHl>([product, quantity, requested](TFormZakazkaDetHl *d) {
            type(d->DBeC_VYR, product);
            type(d->DBeMNOZ_OBJ, QString::number(quantity));
            if (!requested.isEmpty())
                type(d->DBdTERMIN_OBJ, requested);
            QTest::mouseClick(d->BtnZapis, Qt::LeftButton);
        });
    }
    // A header of customer 5 with one job in the given state.
    void orderWithJob(int state, int revision = 0)
    {
        exec("insert into ZAKAZKY (C_OBJ, TYP_OBJ, C_ODB, MENA, D_OBJ) values ('ZAK260001', 'Z', 5, 'EUR', "
             "CURRENT_DATE)");
        job(260001, "ZAK260001", "V1", 10, state);
        exec(QStringLiteral("update ZAKAZKYD set C_REV=%1 where C_INT=260001").arg(revision));
        odbyt->OpenRecentOrders();
        odbyt->QvZakazky.First();
        odbyt->QZakazkyD.Open();
    }
    int stored(const char *column, int job = 260001)
    {
        return count(
            QStringLiteral("select %1 from ZAKAZKYD where C_INT=%2").arg(QLatin1String(column), QString::number(job)));
    }

    int reports = 0;
    QTemporaryDir dir;
};

TEST_F(OrderFormsTest, OrderFromHeaderThroughItemsCalculationAndPrints)
{
    odbyt->OpenRecentOrders();
    auto *browser = new TFormZakazky();
    browser->show();
    QString number;
    WhenModal<TFormZakazkaHl>([&](TFormZakazkaHl *d) {
        EXPECT_EQ(d->windowTitle(), QString::fromUtf8("Nová objednávka"));
        number = odbyt->QvZakazky.FieldByName("C_OBJ")->AsString().trimmed();
        type(d->DBeC_ODB, "5");
        EXPECT_EQ(odbyt->QvZakazky.FieldByName("ODBERATEL")->AsString(), QString::fromUtf8("Zlievareň Sever"));
        QTest::mouseClick(d->BtnZapis, Qt::LeftButton);
    });
    WhenModal<TFormZakazkaDet>([&](TFormZakazkaDet *f) {
        EXPECT_EQ(f->windowTitle(), QString::fromUtf8("Zákaznícka objednávka č. ") + number);
        EXPECT_EQ(f->ItemDataSource, &odbyt->DSZakazkyD);
        // The requested date of the current item goes to the next one.
        nextItem("V1", 10, "1.3.2027");
        QTest::mouseClick(f->btnNova, Qt::LeftButton);
        nextItem("V2", 20);
        QTest::mouseClick(f->btnNova, Qt::LeftButton);
        nextItem("V3", 30);
        QTest::mouseClick(f->btnNova, Qt::LeftButton);
        EXPECT_EQ(odbyt->QZakazkyD.RecordCount(), 3);
        const int job = odbyt->QZakazkyD.FieldByName("C_INT")->AsInteger();
        EXPECT_EQ(odbyt->QZakazkyD.FieldByName("TERMIN_OBJ")->AsDateTime().date(), QDate(2027, 3, 1));

        bool calculated = false;
        WhenModal<TZakKalkForm>([&](TZakKalkForm *k) {
            calculated = k->windowTitle().endsWith(QString::number(job));
            QTest::mouseClick(k->BtnZapis, Qt::LeftButton);
        });
        f->BitBtnKalkulaciaClick();
        EXPECT_TRUE(calculated);

        f->TlacIntObjClick();
        EXPECT_EQ(reports, 1);
        EXPECT_EQ(stored("STAV_ZAK", job), 3);
        EXPECT_EQ(odbyt->QZakazkyD.FieldByName("STAV_ZAK")->AsInteger(), 3) << "the item is read again";
        QTest::mouseClick(f->btnKoniec, Qt::LeftButton);
    });
    QTest::mouseClick(browser->btnNova, Qt::LeftButton);
    EXPECT_TRUE(responder->Messages.isEmpty()) << responder->Texts().join('\n').toStdString();
    EXPECT_EQ(count(QStringLiteral("select count(*) from ZAKAZKY where C_OBJ='%1' and C_ODB=5").arg(number)), 1);
    EXPECT_EQ(count(QStringLiteral("select count(*) from ZAKAZKYD where C_OBJ='%1'").arg(number)), 3);
    EXPECT_EQ(count(QStringLiteral("select sum(MNOZ_OBJ) from ZAKAZKYD where C_OBJ='%1'").arg(number)), 60);

    // The confirmation from the browser's print choice.
    WhenModal<TxForm>([](TxForm *f) {
        f->findChildren<QRadioButton *>().first()->click();
        f->SetModalResult(mrOk);
    });
    WhenModal<TQTlacForm>([](TQTlacForm *f) { QTest::mouseClick(f->BitBtnTlac, Qt::LeftButton); });
    odbyt->QvZakazky.Locate("C_OBJ", number);
    QTest::mouseClick(browser->btnTlac, Qt::LeftButton);
    ASSERT_NE(ZakPotObjQRRep, nullptr);
    EXPECT_FALSE(ZakPotObjQRRep->Pages().empty());
    delete browser;
}

// The browser's count follows a new order, and its items page the order a quick search finds (also after the
// list is sorted again by a click into a search edit).
TEST_F(OrderFormsTest, TheBrowserCountsANewOrderAndItsItemsFollowAFoundOne)
{
    orderWithJob(5);
    exec("insert into ZAKAZKY (C_OBJ, TYP_OBJ, C_ODB, MENA, D_OBJ) values ('ZAK260002', 'Z', 5, 'EUR', "
         "CURRENT_DATE - 1)");
    auto *browser = new TFormZakazky();
    browser->show();
    QApplication::processEvents();
    EXPECT_EQ(browser->LabelRecCount->text(), QString::fromUtf8("Nájdených položiek:2"));
    QAbstractItemModel *items = browser->DBGridPolozky->model();

    WhenModal<TFormZakazkaHl>([&](TFormZakazkaHl *d) {
        type(d->DBeC_ODB, "5");
        QTest::mouseClick(d->BtnZapis, Qt::LeftButton);
    });
    WhenModal<TFormZakazkaDet>([](TFormZakazkaDet *f) { QTest::mouseClick(f->btnKoniec, Qt::LeftButton); });
    QTest::mouseClick(browser->btnNova, Qt::LeftButton);
    EXPECT_EQ(count("select count(*) from ZAKAZKY"), 3);
    EXPECT_EQ(browser->LabelRecCount->text(), QString::fromUtf8("Nájdených položiek:3"));

    // A header given up is not counted.
    WhenModal<TFormZakazkaHl>([](TFormZakazkaHl *d) { QTest::mouseClick(d->BtnNezapis, Qt::LeftButton); });
    QTest::mouseClick(browser->btnNova, Qt::LeftButton);
    EXPECT_EQ(browser->LabelRecCount->text(), QString::fromUtf8("Nájdených položiek:3"));

    TabTo(browser->HlObj);
    TypeText(browser->HlObj, "ZAK260001");
    EXPECT_EQ(browser->LabelRecCount->text(), QString::fromUtf8("Nájdených položiek:1"));
    ASSERT_TRUE(odbyt->QZakazkyD.Active()) << "the items of the found order";
    ASSERT_EQ(items->rowCount(), 1);
    EXPECT_EQ(odbyt->QZakazkyD.FieldByName("C_INT")->AsInteger(), 260001);

    QTest::keyClick(browser->HlObj, Qt::Key_Backspace);
    TypeText(browser->HlObj, "2");
    EXPECT_EQ(odbyt->QvZakazky.FieldByName("C_OBJ")->AsString().trimmed(), "ZAK260002");
    EXPECT_TRUE(odbyt->QZakazkyD.Active());
    EXPECT_EQ(items->rowCount(), 0) << "the other order has no items";

    // Emptied: the last 31 days, then sorted again by customer with a click.
    QTest::keyClick(browser->HlObj, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(browser->HlObj, Qt::Key_Backspace);
    QTest::mouseClick(browser->HlOdb, Qt::LeftButton);
    ASSERT_TRUE(odbyt->QvZakazky.Locate("C_OBJ", "ZAK260001"));
    EXPECT_TRUE(odbyt->QZakazkyD.Active());
    EXPECT_EQ(items->rowCount(), 1);
    EXPECT_TRUE(responder->Messages.isEmpty()) << responder->Texts().join('\n').toStdString();
    delete browser;
}

// The header's controls are seen by the form's filter once: a click on the customer caption, or leaving a
// customer number that is no customer's, opens the customer list once.
TEST_F(OrderFormsTest, TheCustomerListOpensOnceFromTheHeader)
{
    // With one customer only, that one would be taken without a list.
    exec("insert into CODBERATELOV (C_ODB, ODBERATEL, MESTO) values (6, 'Zlievareň Juh', 'Nitra')");
    odbyt->OpenRecentOrders();
    auto *browser = new TFormZakazky();
    browser->show();
    WhenModal<TFormZakazkaHl>([&](TFormZakazkaHl *d) {
        for (const char *how : {"click on the caption", "a number that is no customer's"}) {
            int lists = 0;
            const auto count = [&](QWidget *w) { lists += qobject_cast<TCisOdbForm *>(w) != nullptr; };
            CloseModal(mrCancel, count);
            CloseModal(mrCancel, count);
            if (QByteArray(how).startsWith("click"))
                QTest::mouseClick(d->LabelOdberatel, Qt::LeftButton);
            else
                type(d->DBeC_ODB, "77");
            QApplication::processEvents();
            CancelWhenModal();
            EXPECT_EQ(lists, 1) << how;
        }
        type(d->DBeC_ODB, "5");
        QTest::mouseClick(d->BtnNezapis, Qt::LeftButton);
    });
    QTest::mouseClick(browser->btnNova, Qt::LeftButton);
}

TEST_F(OrderFormsTest, CancelledHeaderAndRefusedHeaderKeepNothingOrEverything)
{
    odbyt->OpenRecentOrders();
    const int before = count("select count(*) from ZAKAZKY");
    WhenModal<TFormZakazkaHl>([&](TFormZakazkaHl *d) {
        type(d->DBeC_ODB, "5");
        QTest::mouseClick(d->BtnNezapis, Qt::LeftButton);
    });
    QString number;
    EXPECT_FALSE(EditOrderHeader(number));
    EXPECT_EQ(count("select count(*) from ZAKAZKY"), before);
    EXPECT_EQ(odbyt->QvZakazky.State(), dsBrowse);

    // A duplicate number is refused inside OK: the dialog stays open with what was typed.
    order("ZAK260001");
    bool stayed = false;
    WhenModal<TFormZakazkaHl>([&](TFormZakazkaHl *d) {
        odbyt->QvZakazky.FieldByName("C_OBJ")->SetValue("ZAK260001");
        type(d->DBeC_ODB, "5");
        QTest::mouseClick(d->BtnZapis, Qt::LeftButton);
        stayed = d->isVisible() && d->ModalResult() == mrNone;
        EXPECT_EQ(odbyt->QvZakazky.State(), dsInsert);
        EXPECT_EQ(odbyt->QvZakazky.FieldByName("C_ODB")->AsInteger(), 5);
        QTest::mouseClick(d->BtnNezapis, Qt::LeftButton);
    });
    number.clear();
    EXPECT_FALSE(EditOrderHeader(number));
    EXPECT_TRUE(stayed);
    EXPECT_FALSE(responder->Messages.isEmpty());
    EXPECT_EQ(count("select count(*) from ZAKAZKY"), before + 1) << "only the order that was there";
}

// Another workstation stores an order and a job under the numbers this one proposed meanwhile: "Zapíš"
// stores the header and the item under the next free numbers and says so once each. A number the clerk
// typed himself is refused as taken, as before.
TEST_F(OrderFormsTest, NumbersAnotherWorkstationTookMeanwhileGiveWayToTheNextFreeOnes)
{
    TIBDatabase other;
    other.DatabaseName = database.path();
    other.Params.SetValue(QStringLiteral("user_name"), QStringLiteral("SYSDBA"));
    other.Open();
    const auto elsewhere = [&](const QString &sql) { other.Attachment().executeImmediate(sql); };
    odbyt->OpenRecentOrders();
    auto *browser = new TFormZakazky();
    browser->show();
    QString proposedOrder;
    int proposedJob = 0;
    QStringList shownOnSave;
    WhenModal<TFormZakazkaHl>([&](TFormZakazkaHl *d) {
        proposedOrder = odbyt->QvZakazky.FieldByName("C_OBJ")->AsString().trimmed();
        elsewhere(QStringLiteral("insert into ZAKAZKY (C_OBJ, TYP_OBJ, C_ODB, MENA) values ('%1', 'Z', 5, 'EUR')")
                      .arg(proposedOrder));
        type(d->DBeC_ODB, "5");
        QTest::mouseClick(d->BtnZapis, Qt::LeftButton);
        shownOnSave = responder->Texts();
    });
    WhenModal<TFormZakazkaDet>([&](TFormZakazkaDet *f) {
        WhenModal<TFormZakazkaDetHl>([&](TFormZakazkaDetHl *d) {
            proposedJob = odbyt->QZakazkyD.FieldByName("C_INT")->AsInteger();
            elsewhere(
                QStringLiteral("insert into ZAKAZKYD (C_INT, C_OBJ, C_VYR, STAV_ZAK, C_REV, C_INT_RE) values (%1, "
                               "'%2', 'V2', 1, 0, 0)")
                    .arg(proposedJob)
                    .arg(proposedOrder));
            type(d->DBeC_VYR, "V1");
            type(d->DBeMNOZ_OBJ, "12");
            QTest::mouseClick(d->BtnZapis, Qt::LeftButton);
            EXPECT_EQ(d->ModalResult(), mrOk);
        });
        QTest::mouseClick(f->btnNova, Qt::LeftButton);
        QTest::mouseClick(f->btnKoniec, Qt::LeftButton);
    });
    QTest::mouseClick(browser->btnNova, Qt::LeftButton);
    delete browser;
    EXPECT_EQ(proposedOrder, "ZAK260001");
    EXPECT_EQ(proposedJob, 260001);
    const QString order =
        QString::fromUtf8("Číslo ZAK260001 medzičasom použil iný používateľ; záznam je uložený pod číslom ZAK260002.");
    EXPECT_EQ(shownOnSave, QStringList{order}) << "told while the dialog closes";
    EXPECT_EQ(responder->Texts(),
              QStringList({order, QString::fromUtf8("Číslo 26/0001 medzičasom použil iný používateľ; záznam je "
                                                    "uložený pod číslom 26/0002.")}))
        << "the job numbers as the program shows them";
    EXPECT_EQ(count("select count(*) from ZAKAZKY where C_OBJ='ZAK260002' and C_ODB=5"), 1);
    EXPECT_EQ(count("select count(*) from ZAKAZKYD where C_INT=260002 and C_OBJ='ZAK260002' and C_VYR='V1' and "
                    "MNOZ_OBJ=12"),
              1);
    EXPECT_EQ(count("select count(*) from ZAKAZKYD where C_OBJ='ZAK260001'"), 1) << "the other's job is its own";

    // Typed by the clerk, a taken number is refused: the dialog stays with what was typed.
    responder->Messages.clear();
    bool stayed = false;
    WhenModal<TFormZakazkaHl>([&](TFormZakazkaHl *d) {
        type(d->DBeC_OBJ, "ZAK260001");
        type(d->DBeC_ODB, "5");
        QTest::mouseClick(d->BtnZapis, Qt::LeftButton);
        stayed = d->isVisible() && d->ModalResult() == mrNone;
        EXPECT_EQ(odbyt->QvZakazky.FieldByName("C_OBJ")->AsString().trimmed(), "ZAK260001");
        QTest::mouseClick(d->BtnNezapis, Qt::LeftButton);
    });
    QString number;
    EXPECT_FALSE(EditOrderHeader(number));
    other.Close();
    EXPECT_TRUE(stayed);
    ASSERT_EQ(responder->Messages.size(), 1);
    EXPECT_TRUE(responder->Messages[0].Text.endsWith(QString::fromUtf8("Objednávka s rovnakým číslom už existuje!")))
        << responder->Messages[0].Text.toStdString();
    EXPECT_EQ(count("select count(*) from ZAKAZKY"), 2);
}

TEST_F(OrderFormsTest, TheCustomerNumberTakesFourDigitsAtMost)
{
    odbyt->OpenRecentOrders();
    QString typed;
    WhenModal<TFormZakazkaHl>([&](TFormZakazkaHl *d) {
        QApplication::setActiveWindow(d);
        TabTo(d->DBeC_ODB);
        QApplication::processEvents();
        QTest::keyClicks(d->DBeC_ODB, "123456");
        typed = d->DBeC_ODB->text();
        type(d->DBeC_ODB, "5");
        EXPECT_EQ(odbyt->QvZakazky.FieldByName("C_ODB")->AsInteger(), 5);
        QTest::mouseClick(d->BtnNezapis, Qt::LeftButton);
    });
    QString number;
    EditOrderHeader(number);
    EXPECT_EQ(typed, "1234");
}

TEST_F(OrderFormsTest, ConfirmToggleAndRevision)
{
    orderWithJob(1);
    auto &form = FormOnDemand(FormZakazkaDet);
    WhenModal<TFormZakazkaDetHl>([&](TFormZakazkaDetHl *d) {
        EXPECT_FALSE(d->UpDownC_REV->isVisible()) << "state 1: no revision control";
        EXPECT_FALSE(d->sbPotvrdenie->isChecked());
        QTest::mouseClick(d->sbPotvrdenie, Qt::LeftButton);
        EXPECT_EQ(odbyt->QZakazkyD.FieldByName("STAV_ZAK")->AsInteger(), 5);
        QTest::mouseClick(d->sbPotvrdenie, Qt::LeftButton);
        EXPECT_EQ(odbyt->QZakazkyD.FieldByName("STAV_ZAK")->AsInteger(), 3) << "never back to 1";
        QTest::mouseClick(d->sbPotvrdenie, Qt::LeftButton);
        QTest::mouseClick(d->BtnZapis, Qt::LeftButton);
    });
    form.btnOpravClick();
    EXPECT_EQ(stored("STAV_ZAK"), 5);

    // State 5 shows the button down; the revision rises by one at most, and saving it opens the composer.
    WhenModal<TFormZakazkaDetHl>([&](TFormZakazkaDetHl *d) {
        EXPECT_TRUE(d->sbPotvrdenie->isChecked());
        EXPECT_TRUE(d->sbPotvrdenie->isEnabled());
        EXPECT_TRUE(d->UpDownC_REV->isVisible());
        TabTo(d->UpDownC_REV);
        QTest::keyClick(d->UpDownC_REV, Qt::Key_Up);
        QTest::keyClick(d->UpDownC_REV, Qt::Key_Up);
        EXPECT_EQ(odbyt->QZakazkyD.FieldByName("C_REV")->AsInteger(), 1);
        EXPECT_TRUE(d->LabelRevizia->font().bold());
        QTest::mouseClick(d->BtnZapis, Qt::LeftButton);
    });
    int document = 0;
    WhenModal<TQMsgDForm>([&](TQMsgDForm *m) {
        document = m->eMSG_DATA->text().toInt();
        m->SetModalResult(mrCancel);
    });
    form.btnOpravClick();
    EXPECT_EQ(stored("C_REV"), 1);
    EXPECT_EQ(document, 260001);
}

TEST_F(OrderFormsTest, TheHeaderDateAndTheItemTermAreTypedAndADateThatDoesNotExistIsRefused)
{
    orderWithJob(1);
    const QDate ordered = value("select D_OBJ from ZAKAZKY where C_OBJ='ZAK260001'").toDate();
    const QString refused = QString::fromUtf8("'31.2.2026' nie je platný dátum");
    bool headerSeen = false;
    WhenModal<TFormZakazkaHl>([&](TFormZakazkaHl *d) {
        type(d->DBdD_OBJ, "31.2.2026");
        EXPECT_EQ(responder->Texts(), QStringList{refused});
        EXPECT_TRUE(d->DBdD_OBJ->hasFocus()) << "the focus stays for the correction";
        EXPECT_EQ(d->DBdD_OBJ->EditText(), "31.2_.2026");
        QTest::mouseClick(d->BtnZapis, Qt::LeftButton);
        QApplication::processEvents();
        EXPECT_EQ(responder->Texts(), (QStringList{refused, refused})) << "the save refuses it once";
        EXPECT_TRUE(d->isVisible() && d->ModalResult() == mrNone);
        EXPECT_TRUE(d->DBdD_OBJ->hasFocus());
        EXPECT_EQ(value("select D_OBJ from ZAKAZKY where C_OBJ='ZAK260001'").toDate(), ordered);
        type(d->DBdD_OBJ, "15.1.2027");
        EXPECT_EQ(d->DBdD_OBJ->text(), "15.1.2027");
        QTest::mouseClick(d->BtnZapis, Qt::LeftButton);
        headerSeen = true;
    });
    QString number = QStringLiteral("ZAK260001");
    EXPECT_TRUE(EditOrderHeader(number));
    EXPECT_TRUE(headerSeen);
    EXPECT_EQ(value("select D_OBJ from ZAKAZKY where C_OBJ='ZAK260001'").toDate(), QDate(2027, 1, 15));

    // An empty term of an item: an impossible date refused, then one typed key by key stored.
    exec("update ZAKAZKYD set TERMIN_OBJ=null, TERMIN=null where C_INT=260001");
    odbyt->QZakazkyD.Refresh();
    responder->Messages.clear();
    bool itemSeen = false;
    WhenModal<TFormZakazkaDetHl>([&](TFormZakazkaDetHl *d) {
        EXPECT_TRUE(d->DBdTERMIN->text().isEmpty());
        type(d->DBdTERMIN, "31.2.2027");
        EXPECT_EQ(responder->Texts(), QStringList{QString::fromUtf8("'31.2.2027' nie je platný dátum")});
        EXPECT_TRUE(d->DBdTERMIN->hasFocus());
        type(d->DBdTERMIN, "15.1.2027");
        EXPECT_EQ(d->DBdTERMIN->text(), "15.1.2027");
        EXPECT_EQ(responder->Messages.size(), 1);
        QTest::mouseClick(d->BtnZapis, Qt::LeftButton);
        itemSeen = true;
    });
    FormOnDemand(FormZakazkaDet).btnOpravClick();
    EXPECT_TRUE(itemSeen);
    EXPECT_EQ(value("select TERMIN from ZAKAZKYD where C_INT=260001").toDate(), QDate(2027, 1, 15));
    EXPECT_TRUE(value("select TERMIN_OBJ from ZAKAZKYD where C_INT=260001").isNull());
}

TEST_F(OrderFormsTest, EditKeepsAStateThatMovedMeanwhile)
{
    orderWithJob(1);
    WhenModal<TFormZakazkaDetHl>([&](TFormZakazkaDetHl *d) {
        // The row holds another state than the stored one (read before it moved); without the toggle the
        // stored state stands.
        odbyt->QZakazkyD.FieldByName("STAV_ZAK")->SetValue(7);
        type(d->DBePOZNAMKA, "zmena");
        QTest::mouseClick(d->BtnZapis, Qt::LeftButton);
    });
    FormOnDemand(FormZakazkaDet).btnOpravClick();
    EXPECT_EQ(stored("STAV_ZAK"), 1);
    EXPECT_EQ(value("select POZNAMKA from ZAKAZKYD where C_INT=260001").toString().trimmed(), "zmena");
}

TEST_F(OrderFormsTest, ComplaintItemAndRowColours)
{
    orderWithJob(5);
    auto &form = FormOnDemand(FormZakazkaDet);
    WhenModal<TFormZakazkaDetHl>([&](TFormZakazkaDetHl *d) {
        EXPECT_TRUE(d->LabelReklamacia->isVisibleTo(d));
        EXPECT_EQ(odbyt->QZakazkyD.FieldByName("C_VYR")->AsString().trimmed(), "V1");
        QTest::mouseClick(d->BtnZapis, Qt::LeftButton);
    });
    form.Reklamacia1Click();
    EXPECT_EQ(count("select count(*) from ZAKAZKYD where C_INT_RE=260001 and C_VYR='V1'"), 1);
    TCellFont font;
    TFormZakazkaDet::ItemCellProp(&odbyt->QZakazkyD, font);
    EXPECT_TRUE(font.italic());
    EXPECT_EQ(font.Color, QColor(0xFF, 0x99, 0x00)) << "state 1";
    odbyt->QZakazkyD.Locate("C_INT", 260001);
    TCellFont plain;
    TFormZakazkaDet::ItemCellProp(&odbyt->QZakazkyD, plain);
    EXPECT_FALSE(plain.italic());
    EXPECT_EQ(plain.Color, QColor(0x00, 0x00, 0xFF)) << "state 5";
}

TEST_F(OrderFormsTest, DieWarningsOnTheProductLabel)
{
    orderWithJob(40);
    exec("update POLOZKY set KOMOD='M-1' where C_POL='V2'");
    WhenModal<TFormZakazkaDetHl>([&](TFormZakazkaDetHl *d) {
        // State 40: the toggle up and disabled.
        EXPECT_FALSE(d->sbPotvrdenie->isChecked());
        EXPECT_FALSE(d->sbPotvrdenie->isEnabled());
        type(d->DBeC_VYR, "V2");
        EXPECT_EQ(d->LabelVyrobok->text(), QString::fromUtf8("M-1 - neexistuje skladová karta !"));
        QTest::mouseClick(d->BtnNezapis, Qt::LeftButton);
    });
    FormOnDemand(FormZakazkaDet).btnOpravClick();

    // A die of another customer: the owner's warning on a line of its own, under the stock's.
    exec("insert into POLOZKY (C_POL, TYP1, TYP2, NAZOV, C_ODB) values ('M-1', 'N', 'M', 'Model', 7)");
    QStringList lines;
    int height = 0, lineHeight = 0;
    WhenModal<TFormZakazkaDetHl>([&](TFormZakazkaDetHl *d) {
        type(d->DBeC_VYR, "V2");
        lines = d->LabelVyrobok->text().split('\n');
        height = d->LabelVyrobok->height();
        lineHeight = d->LabelVyrobok->fontMetrics().lineSpacing();
        QTest::mouseClick(d->BtnNezapis, Qt::LeftButton);
    });
    FormOnDemand(FormZakazkaDet).btnOpravClick();
    EXPECT_EQ(lines, QStringList({QString::fromUtf8("M-1 - neexistuje skladová karta !"),
                                  QString::fromUtf8("Odberateľ je rôzny od majiteľa nástroja!")}));
    EXPECT_GE(height, 2 * lineHeight) << "both lines show";
    EXPECT_EQ(value("select C_VYR from ZAKAZKYD where C_INT=260001").toString().trimmed(), "V1") << "cancelled";
}

// The product is checked as the focus leaves its field for another control of the dialog, not as the dialog
// closes.
TEST_F(OrderFormsTest, AnItemClosedFromAnEmptyProductAsksForNoPick)
{
    orderWithJob(1);
    WindowWatch<TCisPolForm> productList;
    productList.Start();
    WhenModal<TFormZakazkaDetHl>([&](TFormZakazkaDetHl *d) {
        QApplication::setActiveWindow(d);
        EXPECT_EQ(QApplication::focusWidget(), d->DBeC_VYR);
        d->close(); // the title bar's button
    });
    FormOnDemand(FormZakazkaDet).btnNovaClick();
    EXPECT_FALSE(productList.Came) << "the product pick list came up over the item being left";
    WhenModal<TFormZakazkaDetHl>([&](TFormZakazkaDetHl *d) {
        type(d->DBeC_VYR, "V");
        EXPECT_TRUE(productList.Came) << "a product not found is picked from the list";
        responder->MessageAnswers.push_back(mrNo); // the typed product dropped on the question
        d->close();
    });
    FormOnDemand(FormZakazkaDet).btnNovaClick();
    productList.Stop();
    EXPECT_EQ(count("select count(*) from ZAKAZKYD"), 1);
}

TEST_F(OrderFormsTest, RefusedItemKeepsTheDialogOpen)
{
    orderWithJob(1);
    bool stayed = false;
    WhenModal<TFormZakazkaDetHl>([&](TFormZakazkaDetHl *d) {
        odbyt->QZakazkyD.FieldByName("C_INT")->SetValue(260001); // a job number taken
        type(d->DBeC_VYR, "V2");
        QTest::mouseClick(d->BtnZapis, Qt::LeftButton);
        stayed = d->isVisible() && d->ModalResult() == mrNone;
        EXPECT_EQ(odbyt->QZakazkyD.State(), dsInsert);
        EXPECT_EQ(odbyt->QZakazkyD.FieldByName("C_VYR")->AsString().trimmed(), "V2") << "nothing typed lost";
        QTest::mouseClick(d->BtnNezapis, Qt::LeftButton);
    });
    FormOnDemand(FormZakazkaDet).btnNovaClick();
    EXPECT_TRUE(stayed);
    EXPECT_FALSE(responder->Messages.isEmpty());
    EXPECT_EQ(count("select count(*) from ZAKAZKYD"), 1);
    EXPECT_EQ(odbyt->QZakazkyD.State(), dsBrowse);
}

TEST_F(OrderFormsTest, AProductPickedInTheGridIsPostedAtOnceAndACancelledPickLeavesTheRow)
{
    orderWithJob(1);
    exec("update ZAKAZKYD set C_VYR='V' where C_INT=260001"); // three products begin so: the pick list opens
    odbyt->QZakazkyD.Close();
    odbyt->QZakazkyD.Open();
    TFormZakazkaDet &form = FormOnDemand(FormZakazkaDet);
    form.ItemDataSource = &odbyt->DSZakazkyD;
    form.show();
    form.DBGridZakazkyD->SetSelectedIndex(1);
    ASSERT_EQ(form.DBGridZakazkyD->SelectedField(), odbyt->QZakazkyD.FieldByName("C_VYR"));

    CloseModal(mrCancel);
    form.DBGridZakazkyDEditButtonClick();
    EXPECT_EQ(odbyt->QZakazkyD.State(), dsBrowse) << "the cancelled pick cancels the edit";
    EXPECT_EQ(value("select C_VYR from ZAKAZKYD where C_INT=260001").toString().trimmed(), "V");
    EXPECT_EQ(form.DBGridZakazkyD->SelectedIndex(), 1) << "the grid stays in the product column";

    CloseModal(mrOk, [](QWidget *) { ASSERT_TRUE(DMCis->QPolozky.Locate("C_POL", "V2")); });
    form.DBGridZakazkyDEditButtonClick();
    EXPECT_EQ(odbyt->QZakazkyD.State(), dsBrowse);
    EXPECT_EQ(odbyt->QZakazkyD.FieldByName("C_VYR")->AsString().trimmed(), "V2");
    EXPECT_EQ(value("select C_VYR from ZAKAZKYD where C_INT=260001").toString().trimmed(), "V2")
        << "stored as soon as picked";
    form.hide();
}

TEST_F(OrderFormsTest, TheFirstShowingOfTheItemShowsAndKeepsItsStoredPackaging)
{
    orderWithJob(1);
    exec("update ZAKAZKYD set BALENIE='GITTER BOX' where C_INT=260001");
    odbyt->QZakazkyD.Close();
    odbyt->QZakazkyD.Open();
    // The dialog's first showing in the program's life: its packaging list must not stand for the stored one.
    delete FormZakazkaDetHl;
    QString shown;
    WhenModal<TFormZakazkaDetHl>([&](TFormZakazkaDetHl *d) {
        shown = d->DBcbBALENIE->currentText();
        type(d->DBePOZNAMKA, "prvé");
        QTest::mouseClick(d->BtnZapis, Qt::LeftButton);
    });
    FormOnDemand(FormZakazkaDet).btnOpravClick();
    EXPECT_EQ(shown.toStdString(), "GITTER BOX");
    EXPECT_EQ(value("select BALENIE from ZAKAZKYD where C_INT=260001").toString().trimmed(), "GITTER BOX");
    EXPECT_EQ(value("select POZNAMKA from ZAKAZKYD where C_INT=260001").toString().trimmed(), "prvé");
}
