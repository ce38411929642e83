// Every dialog the browsers open for a new or an edited row, looked at on the demo database as a person opens
// it: the browser from its menu item, then its button, a double click on a row or the key of a grid's cell.
// A new row's dialog left by Escape stores nothing.
#include "platform/os/Clock.h"
#include "common/PersonTyping.h"
#include "LookFixture.h"
#include "shell/DMUsers.h"

#include "platform/ui/ModalResult.h"
#include "material/MPohybyForm.h"
#include "shell/FormMenu.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

namespace {

class DialogsLook : public LookTest {
protected:
    // Opens the browser of the main menu's item.
    std::function<void()> menuItem(const char *name)
    {
        return [this, name] {
            QAction *action = menu->findChild<QAction *>(QLatin1String(name));
            ASSERT_NE(action, nullptr) << name;
            ASSERT_TRUE(action->isEnabled()) << name;
            action->trigger();
        };
    }
    // Clicks the window's button.
    static std::function<void()> button(QWidget *window, const char *text)
    {
        return [window, text] { clickButton(window, QString::fromUtf8(text)); };
    }
    // Double-clicks the row of the window's grid (empty name: its topmost grid).
    static std::function<void()> row(QWidget *window, const char *grid, int row = 0)
    {
        return [window, grid, row] { doubleClickRow(window, QLatin1String(grid), row); };
    }
    // Presses keys where the window's focus is.
    static void keys(QWidget *window, std::initializer_list<QKeyCombination> pressed)
    {
        QApplication::setActiveWindow(window);
        for (QKeyCombination key : pressed) {
            QWidget *focus = QApplication::focusWidget();
            QTest::keyClick(focus && focus->window() == window ? focus : window, key.key(), key.keyboardModifiers());
        }
    }
    // Looks at the dialog the browser's button opens for a new row, as <dialog>-new: left by Escape it stores
    // nothing in the table.
    void lookAtNew(QWidget *browser, const char *newButton, const char *dialog, const char *table,
                   std::source_location where = std::source_location::current())
    {
        const int before = rows(table);
        look(QLatin1String(dialog) + QStringLiteral("-new"), button(browser, newButton), nullptr, where);
        EXPECT_EQ(rows(table), before) << dialog << ": a new row left unsaved is stored";
    }
    // The browser of the menu item with its dialog for a new row (lookAtNew) and for the grid's row double-clicked,
    // as <dialog>-edited.
    void newAndEdited(const char *item, const char *newButton, const char *dialog, const char *table,
                      const char *grid = "", int editedRow = 0,
                      std::source_location where = std::source_location::current())
    {
        look(
            QLatin1String(item), menuItem(item),
            [&](QWidget *browser) {
                lookAtNew(browser, newButton, dialog, table, where);
                look(QLatin1String(dialog) + QStringLiteral("-edited"), row(browser, grid, editedRow), nullptr, where);
            },
            where);
    }
    // Looks at a page of the window itself (no dialog of its own) and compares it with the known findings.
    void lookAtPage(QWidget *window, const QString &name) { compareWithKnown(name, lookAt(window, name)); }
    int rows(const char *table) { return count(QStringLiteral("select count(*) from %1").arg(QLatin1String(table))); }
};

TEST_F(DialogsLook, CustomerNewAndEdited)
{
    newAndEdited("mnuOdberatelia", "Nový", "OdberatelDForm", "CODBERATELOV", "DBGridOdberatelia", 1);
}

TEST_F(DialogsLook, ProductAndItsRouteOperation)
{
    look("mnuVyrobky", menuItem("mnuVyrobky"), [&](QWidget *browser) {
        lookAtNew(browser, "Nový", "VyrobkyDForm", "POLOZKY");
        look("VyrobkyDForm-edited", row(browser, "DBGridVyrobky"), [&](QWidget *product) {
            clickTab(product, "Technologický postup");
            lookAtPage(product, "VyrobkyDForm-route");
            look("VyrobkyOperaciaForm-edited", row(product, "DBGridOperacie"));
        });
    });
}

TEST_F(DialogsLook, ComplaintProtocol)
{
    newAndEdited("mnuReklamacie", "Nový", "ZakRekDForm", "ZAKREK", "DBGridZakRek");
}

TEST_F(DialogsLook, OrderHeaderItemAndCalculation)
{
    look("mnuZakazky", menuItem("mnuZakazky"), [&](QWidget *browser) {
        lookAtNew(browser, "Nová", "FormZakazkaHl", "ZAKAZKY");
        look("FormZakazkaHl-edited", button(browser, "Oprav"));
        look("FormZakazkaDet", button(browser, "Položky"), [&](QWidget *itemsForm) {
            lookAtNew(itemsForm, "Nová", "FormZakazkaDetHl", "ZAKAZKYD");
            look("FormZakazkaDetHl-edited", row(itemsForm, "DBGridZakazkyD"));
            // A product made before: the last job's calculation is offered; declined, it is made afresh.
            responder->MessageAnswers = {mrNo};
            look("ZakKalkForm", button(itemsForm, "Kalkulácia"));
        });
    });
}

TEST_F(DialogsLook, PriceOffer)
{
    newAndEdited("mnuCenPon", "Nová", "CenPonDForm", "ZAKAZKY", "DBGridCenPon");
}

// The hand-over's detail is a page of its window, not a dialog: Escape there goes back to the list.
TEST_F(DialogsLook, HandOver)
{
    const int handOvers = rows("SODVODY");
    look("mnuOdvody", menuItem("mnuOdvody"), [&](QWidget *browser) {
        clickButton(browser, QStringLiteral("Nový"));
        lookAtPage(browser, "SOdvodyForm-new");
        keys(browser, {Qt::Key_Escape});
        const auto *pages = browser->findChild<QTabWidget *>();
        ASSERT_NE(pages, nullptr);
        EXPECT_TRUE(browser->isVisible());
        EXPECT_EQ(pages->tabText(pages->currentIndex()), QStringLiteral("Odvody")) << "back on the list";
        EXPECT_EQ(rows("SODVODY"), handOvers) << "Escape in a new hand-over stores nothing";
        clickButton(browser, QStringLiteral("Oprav"));
        lookAtPage(browser, "SOdvodyForm-edited");
        clickButton(browser, QStringLiteral("Zrušiť"));
    });
}

TEST_F(DialogsLook, DeliveryNoteItsLineAndInvoice)
{
    const int lines = rows("EDLISTYD");
    look("Dodacielisty1", menuItem("Dodacielisty1"), [&](QWidget *browser) {
        lookAtNew(browser, "Nový", "EDListyDForm", "EDLISTY");
        // The demo notes are of the last days: the list of today has none.
        QComboBox *selection = browser->findChild<QComboBox *>();
        ASSERT_NE(selection, nullptr);
        TabTo(selection);
        keys(browser, {Qt::Key_Down});
        ASSERT_EQ(selection->currentText(), QString::fromUtf8("Posledný týždeň"));
        look("EDListyDForm-edited", row(browser, ""), [&](QWidget *note) {
            // A new line's product is picked from the finished goods store by the cell's button.
            clickButton(note, QStringLiteral("Nová"));
            look("ESkladForm-line", [&] { keys(note, {Qt::Key_Right, Qt::Key_Right, Qt::CTRL | Qt::Key_Return}); });
            keys(note, {Qt::Key_Escape});
        });
        EXPECT_EQ(rows("EDLISTYD"), lines) << "a line left by Escape is not stored";
        const int invoiced = count(QStringLiteral("select count(C_FAKTURY) from EDLISTY"));
        look("EFakturaForm", button(browser, "Faktúra"));
        EXPECT_EQ(count(QStringLiteral("select count(C_FAKTURY) from EDLISTY")), invoiced)
            << "Escape in the invoice gives the note no invoice number";
    });
}

TEST_F(DialogsLook, MaterialItem)
{
    newAndEdited("mnuPolozky", "Nová", "MPolozkyDForm", "POLOZKY");
}

TEST_F(DialogsLook, StockMovement)
{
    look("mnuPohyby", menuItem("mnuPohyby"), [&](QWidget *browser) {
        lookAtNew(browser, "Nový", "MPohybDForm", "MPOHYBY");
        // The list opens on today's movements: the demo's come from the days before it.
        ASSERT_EQ(browser, MPohybyForm);
        QLineEdit *from = MPohybyForm->eOd;
        TabTo(from);
        QTest::keyClicks(from, Date().addDays(-60).toString(QStringLiteral("d.M.yyyy")));
        button(browser, "Filter")();
        look(QStringLiteral("MPohybDForm-edited"), row(browser, "", 0));
    });
}

TEST_F(DialogsLook, Supplier)
{
    newAndEdited("mnuDodavatelia", "Nový", "DodavatelDForm", "CDODAVATELOV");
}

TEST_F(DialogsLook, PurchaseOrder)
{
    newAndEdited("mnuMObjednavky", "Nový", "MObjednavkyDForm", "MOBJEDNAVKY");
}

// The settings' other pages: the menu window's look shows the first.
TEST_F(DialogsLook, SettingsPages)
{
    look("mnuSettings", menuItem("mnuSettings"), [&](QWidget *settings) {
        const std::pair<const char *, const char *> pages[] = {{"Mzdy", "QSettingsForm-Mzdy"},
                                                               {"Faktúry", "QSettingsForm-Faktury"}};
        for (const auto &[page, name] : pages) {
            clickTab(settings, QString::fromUtf8(page));
            lookAtPage(settings, QLatin1String(name));
        }
    });
}

// A new user on the local database file is refused at once with the reason, before anything is asked.
TEST_F(DialogsLook, NewUserOnTheLocalDatabaseIsRefusedAtOnce)
{
    look("mnuUsers", menuItem("mnuUsers"), [&](QWidget *users) {
        const int listed = rows("QUSERS");
        clickButton(users, QStringLiteral("Nový"));
        EXPECT_TRUE(responder->Inputs.isEmpty());
        EXPECT_EQ(responder->Texts(), QStringList{TDMUsers::LocalUsersText()});
        EXPECT_EQ(rows("QUSERS"), listed);
    });
}

} // namespace
