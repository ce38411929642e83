// The orders browser's item rows after another window moved a job: the internal orders' print, a job
// ticket, a state changed elsewhere. The clerk's next edit of the current item through the item dialog is
// saved, not refused as changed by another user, and the browser stays on the order and item it was on.
// And the order's delivery notes tab shows a note's number as the note prints it.
#include "SalesFixture.h"

#include "common/WhenModal.h"
#include "platform/report/QuickRep.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/FormGlobal.h"
#include "sales/FormIntZak.h"
#include "sales/FormZakazkaDet.h"
#include "sales/FormZakazkaDetHl.h"
#include "sales/FormZakazky.h"
#include "shell/MenuHooks.h"
#include "shell/RoutineNames.h"

#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>

namespace {

class StaleItemsTest : public SalesTest {
protected:
    void SetUp() override
    {
        SalesTest::SetUp();
        if (HasFatalFailure())
            return;
        exec("insert into CODBERATELOV (C_ODB, ODBERATEL) values (5, 'Zlievareň Šaľa')");
        product("V1");
        product("V2");
        exec("insert into ZAKAZKY (C_OBJ, TYP_OBJ, C_ODB, MENA, D_OBJ) values ('ZAK260001', 'Z', 5, 'EUR', "
             "CURRENT_DATE)");
        exec("insert into ZAKAZKY (C_OBJ, TYP_OBJ, C_ODB, MENA, D_OBJ) values ('ZAK260002', 'Z', 5, 'EUR', "
             "CURRENT_DATE - 1)");
        job(260001, "ZAK260001", "V1", 10, 1);
        job(260002, "ZAK260001", "V2", 4, 1);
        job(260003, "ZAK260002", "V1", 6, 1);
        RegisterOpenRoutine(Routine::ShowInternalOrders, [](const QVariantList &args) {
            ShowInternalOrders(args.value(0).toString(), args.value(1).toString());
        });
        // A previewed report is laid out instead of shown; laying out the internal order marks it printed.
        ModuleHooks().ShowReport = [](TQuickRep *report) { report->prepare(); };
        browser = new TFormZakazky();
        browser->show();
        activate(browser);
        // The second item of the newest order is the current one.
        ASSERT_EQ(odbyt->QvZakazky.FieldByName("C_OBJ")->AsString().trimmed(), "ZAK260001");
        ASSERT_TRUE(odbyt->QZakazkyD.Locate("C_INT", 260002));
    }
    void TearDown() override
    {
        CancelWhenModal();
        ModuleHooks().ShowReport = nullptr;
        ModuleHooks().PrintJobTicket = nullptr;
        UnregisterOpenRoutine(Routine::ShowInternalOrders);
        delete FormIntZak;
        delete FormZakazkaDetHl;
        delete FormZakazkaDet;
        delete browser;
        SalesTest::TearDown();
    }
    static void activate(QWidget *w)
    {
        QApplication::setActiveWindow(w);
        QApplication::processEvents();
    }
    // In the internal orders opened from the browser ("Int.obj."), on the browser's current job: the print
    // entry chosen on the "Tlač" tab,
    // "Tlač", then `after`, then "Koniec" from the list's pop-up.
    void printFromInternalOrders(int entry, std::function<void()> after)
    {
        WhenModal<TFormIntZak>([entry, after](TFormIntZak *f) {
            // The browser's current job is the one printed.
            EXPECT_TRUE(DMOdbyt->QvZakazkyDKalk.Locate("C_INT", 260002));
            f->pcFilter->setCurrentWidget(f->TabSheetTlac);
            f->ListBoxTlac->setCurrentRow(entry);
            QTest::mouseClick(f->btnTlac, Qt::LeftButton);
            QApplication::processEvents();
            after();
            menuAction(f->findChild<QMenu *>("popupIntZak"), "Koniec")->trigger();
        });
        QTest::mouseClick(browser->BitBtnIntObj, Qt::LeftButton);
        QApplication::processEvents();
        activate(browser);
    }
    static QAction *menuAction(QMenu *menu, const char *caption)
    {
        for (QAction *a : menu->actions())
            if (a->text() == QString::fromUtf8(caption))
                return a;
        ADD_FAILURE() << "no menu item " << caption;
        return new QAction(menu);
    }
    // The item's pop-up "Upraviť" in the browser; in the item dialog "Potvrď" and "Zapíš".
    // True when the dialog closed.
    bool confirmCurrentItem()
    {
        bool closed = false;
        WhenModal<TFormZakazkaDetHl>([&closed](TFormZakazkaDetHl *d) {
            QTest::mouseClick(d->sbPotvrdenie, Qt::LeftButton);
            QTest::mouseClick(d->BtnZapis, Qt::LeftButton);
            QApplication::processEvents();
            closed = !d->isVisible();
            if (!closed)
                d->SetModalResult(mrCancel);
        });
        menuAction(FormOnDemand(FormZakazkaDet).PopupMenuZakazkyD, "Upraviť")->trigger();
        return closed;
    }
    int stored(const char *column, int job)
    {
        return count(
            QStringLiteral("select %1 from ZAKAZKYD where C_INT=%2").arg(QLatin1String(column), QString::number(job)));
    }
    int shown(const char *column) { return odbyt->QZakazkyD.FieldByName(QLatin1String(column))->AsInteger(); }
    int currentItem() { return shown("C_INT"); }
    QString currentOrder() { return odbyt->QvZakazky.FieldByName("C_OBJ")->AsString().trimmed(); }

    TFormZakazky *browser = nullptr;
};

} // namespace

TEST_F(StaleItemsTest, AfterTheInternalOrdersPrintTheNextEditOfTheItemIsSaved)
{
    int shownInTheWindow = 0;
    printFromInternalOrders(0, [&] { shownInTheWindow = shown("STAV_ZAK"); });
    EXPECT_EQ(stored("STAV_ZAK", 260002), 3) << "the print marks the job printed";
    EXPECT_EQ(shownInTheWindow, 3) << "the browser's row follows at once, while the internal orders are open";
    EXPECT_EQ(currentOrder(), "ZAK260001");
    EXPECT_EQ(currentItem(), 260002) << "the same item stays current";

    EXPECT_TRUE(confirmCurrentItem());
    EXPECT_FALSE(responder->Texts().join('\n').contains(QString::fromUtf8("medzičasom")))
        << responder->Texts().join('\n').toStdString();
    EXPECT_EQ(stored("STAV_ZAK", 260002), 5) << "confirmed";
    EXPECT_EQ(stored("STAV_ZAK", 260001), 1) << "the other item untouched";
}

TEST_F(StaleItemsTest, AJobTicketPrintedFromTheInternalOrdersLeavesNoStaleBatch)
{
    ModuleHooks().PrintJobTicket = [this](int job) {
        exec(QStringLiteral("update ZAKAZKYD set C_DAVKY=2 where C_INT=%1").arg(job));
    };
    printFromInternalOrders(1, [] {});
    EXPECT_EQ(shown("C_DAVKY"), 2);
    EXPECT_EQ(currentItem(), 260002);
    EXPECT_TRUE(confirmCurrentItem());
    EXPECT_EQ(stored("STAV_ZAK", 260002), 5) << "confirmed";
    EXPECT_EQ(stored("C_DAVKY", 260002), 2);
}

TEST_F(StaleItemsTest, ReturningToTheBrowserReadsItsItemsAgainButKeepsAnItemBeingTyped)
{
    // A hand-over recorded in another window.
    exec("update ZAKAZKYD set STAV_ZAK=90 where C_INT=260002");
    exec("update ZAKAZKYD set STAV_ZAK=40 where C_INT=260001");
    QWidget other;
    other.show();
    activate(&other);
    activate(browser);
    EXPECT_EQ(shown("STAV_ZAK"), 90);
    EXPECT_EQ(currentItem(), 260002);
    EXPECT_EQ(currentOrder(), "ZAK260001");
    odbyt->QZakazkyD.First();
    EXPECT_EQ(shown("STAV_ZAK"), 40) << "every item of the order is read again";

    // An item put into edit keeps what was typed when the browser is activated again.
    odbyt->QZakazkyD.Edit();
    odbyt->QZakazkyD.FieldByName("MNOZ_OBJ")->SetValue(12);
    activate(&other);
    activate(browser);
    EXPECT_EQ(odbyt->QZakazkyD.State(), dsEdit);
    EXPECT_EQ(shown("MNOZ_OBJ"), 12);
    odbyt->QZakazkyD.Cancel();

    // The other order's items are read when it becomes current; nothing of it is touched.
    odbyt->QvZakazky.Next();
    EXPECT_EQ(currentOrder(), "ZAK260002");
    activate(&other);
    activate(browser);
    EXPECT_EQ(currentItem(), 260003);
    EXPECT_TRUE(responder->Messages.isEmpty()) << responder->Texts().join('\n').toStdString();
}

TEST_F(StaleItemsTest, TheOrdersDeliveryNotesShowTheirNumberAsPrinted)
{
    exec("insert into EDLISTY (C_DL, C_ODB, C_OBJ, D_VYSTAV, KURZ, MENA) values (260003, 5, 'ZAK260001', "
         "CURRENT_DATE, 1, 'EUR')");
    browser->pcZakazky->setCurrentWidget(browser->DBGridDL);
    QAbstractItemModel *grid = browser->DBGridDL->model();
    ASSERT_EQ(grid->rowCount(), 1);
    int column = -1;
    for (int c = 0; c < grid->columnCount(); ++c)
        if (browser->DBGridDL->Columns(c)->FieldName.compare("C_DL", Qt::CaseInsensitive) == 0)
            column = c;
    ASSERT_GE(column, 0);
    EXPECT_EQ(grid->data(grid->index(0, column)).toString(), "26/0003");
}
