// A monkey at every window of the main menu: the program started on a fresh copy of the demo foundry, the
// window opened by its menu item and given random input from a seed (and every modal window it leads to),
// then the database checked whole. In the suite each window has one run of a fixed seed; by hand
// MONKEY_SEED (the first run's seed), MONKEY_STEPS (steps of a run) and MONKEY_RUNS choose the budget. A
// failing run prints its seed and steps: MONKEY_SEED=<seed> MONKEY_STEPS=<steps> runs it again exactly.
#include "Monkey.h"

#include "common/PersonTyping.h"
#include "common/WhenModal.h"
#include "platform/os/Clock.h"
#include "platform/ui/Guarded.h"
#include "platform/ui/ModalResult.h"
#include "library/QTlacForm.h"
#include "program/Modules.h"
#include "shell/FormMenu.h"
#include "shell/MenuHooks.h"
#include "shell/QMsgForm.h"
#include "shell/ShellFixture.h"
#include "shell/Startup.h"

#include <QAction>
#include <QMap>
#include <QApplication>
#include <QFile>
#include <QPrinter>
#include <QTest>

namespace {

// The monkey sees the program on the screen it is used on, as the look tests do.
const bool deskScreen = [] {
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen")
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" TARVIS_LOOK_SCREEN);
    return true;
}();

// What must hold in the database after any run, each a count of the rows that break it.
struct TIntegrityCheck {
    const char *Name;
    const char *Sql;
};
const TIntegrityCheck IntegrityChecks[] = {
    {"OrderItemsWithoutOrder", "select count(*) from ZAKAZKYD d where not exists "
                               "(select 1 from ZAKAZKY z where z.C_OBJ = d.C_OBJ)"},
    {"NoteLinesWithoutNote", "select count(*) from EDLISTYD l where not exists "
                             "(select 1 from EDLISTY e where e.C_DL = l.C_DL)"},
    {"NoteLinesWithoutJob", "select count(*) from EDLISTYD l where not exists "
                            "(select 1 from ZAKAZKYD d where d.C_INT = l.C_INT)"},
    {"MovementsWithoutItem", "select count(*) from MPOHYBY m where not exists "
                             "(select 1 from POLOZKY p where p.C_POL = m.C_POL)"},
    // Repairs (kinds 13, 14, 23, 24) move the quantities at repair, every other kind the stock.
    {"StockOffItsMovements",
     "select count(*) from MSKLADY s where abs(coalesce(s.MNOZSTVO, 0) - (select coalesce(sum(m.MNOZSTVO), 0) "
     "from MPOHYBY m where m.C_POL = s.C_POL and m.SKLAD = s.SKLAD and m.TYP_POHYBU not in (13, 14, 23, 24))) "
     "> 0.0005"},
    {"JobsInUnknownState", "select count(*) from ZAKAZKYD where STAV_ZAK is not null and STAV_ZAK not in "
                           "(0, 1, 3, 5, 20, 30, 40, 50, 90, 100, 101)"},
    {"CancelledJobsDelivered", "select count(*) from ZAKAZKYD d where d.STAV_ZAK = 101 and exists "
                               "(select 1 from EDLISTYD l where l.C_INT = d.C_INT)"},
    {"OfferItemsInProduction", "select count(*) from ZAKAZKYD d where d.C_INT < 0 and (exists "
                               "(select 1 from SVYKONY v where v.C_INT = d.C_INT) or exists "
                               "(select 1 from SODVODY o where o.C_INT = d.C_INT) or exists "
                               "(select 1 from EDLISTYD l where l.C_INT = d.C_INT))"},
};

// Items that only ask (a job number, a confirmation) and open no window of their own.
const QStringList NoWindowOfItsOwn{"mnuOznacOdvedeneDodane", "mnuAktualizaciaNHTP", "mnuAktualizaciaNHvykony",
                                   "mnuAktualizaciaMZDAvykony", "mnuUdrzba"};

// Windows whose fixed-seed run meets a fault still open, skipped in the suite (they run by hand with MONKEY_SEED),
// each with what it meets. None at present.
const QMap<QString, const char *> KnownFaults;

std::vector<std::string> menuWindows()
{
    std::vector<std::string> names;
    for (const TMainMenuItem &item : MainMenuItems())
        if (item.Kind == TMainMenuItem::Item && item.OpenRoutine && !NoWindowOfItsOwn.contains(item.Name))
            names.push_back(item.Name);
    return names;
}

int fromEnvironment(const char *name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok && value > 0 ? value : fallback;
}

// The seed of a window's first run: fixed per window, or MONKEY_SEED.
quint32 firstSeed(const QString &window)
{
    if (const QByteArray given = qgetenv("MONKEY_SEED"); !given.isEmpty())
        return given.toUInt();
    quint32 h = 2166136261u; // FNV-1a: the same on every machine, unlike qHash
    for (QChar c : window)
        h = (h ^ c.unicode()) * 16777619u;
    return h % 1000000u;
}

class MonkeyAtWindow : public ShellTest, public ::testing::WithParamInterface<std::string> {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        Q_UNUSED(deskScreen);
        // The demo data are dated from the day the database was made; the program's clock follows.
        SetNowForTests(QDateTime(QDate::currentDate(), QTime(10, 0)));
        savedCurrent = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(folder.path()));
        Printer().setOutputFileName(QDir(folder.path()).filePath(QStringLiteral("tlac.pdf")));
    }
    void TearDown() override
    {
        stopProgram();
        Printer().setOutputFileName(QString());
        QDir::setCurrent(savedCurrent);
        ShellTest::TearDown();
    }

    // The program on a fresh copy of the demo database, its menu shown and the message list of the start closed.
    void startProgram(std::mt19937 &random)
    {
        ASSERT_NO_FATAL_FAILURE(freshDatabase());
        responder = std::make_unique<TMonkeyResponder>(random);
        RegisterModules();
        // A start of the program in the same process: the message list opens as at the first.
        MessageCheckState() = TMessageCheckState();
        TStartOptions options;
        options.ProgramFile = programFile();
        menu = StartProgram(options);
        bool listed = false;
        WhenModal<TQMsgForm>([&](TQMsgForm *list) {
            list->SetModalResult(mrCancel);
            listed = true;
        });
        menu->show();
        if (!WaitFor("the message list of the start", [&] { return listed || HasFailure(); })) {
            for (const TMessageRequest &m : responder->Messages)
                ADD_FAILURE() << "the start said: " << m.Text.toStdString();
            for (QWidget *w : QApplication::topLevelWidgets())
                if (w->isVisible())
                    ADD_FAILURE() << "shown: " << w->metaObject()->className() << " " << w->windowTitle().toStdString();
            FAIL();
        }
        ASSERT_TRUE(menu->isVisible());
    }
    // A fresh copy of the demo database beside the program.
    void freshDatabase()
    {
        const QString file = QDir(folder.path()).filePath(QStringLiteral("TarvDB.fdb"));
        QFile::remove(file);
        ASSERT_TRUE(QFile::copy(QStringLiteral(TARVIS_DEMO_DB), file)) << "no demo database";
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    }
    void stopProgram()
    {
        if (!menu)
            return;
        CancelWhenModal();
        closeOtherWindows();
        ShutDownProgram();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        responder.reset();
        menu = nullptr;
    }
    // Windows a step opened without waiting for them (a preview, say).
    void closeOtherWindows()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w != menu && w->isVisible())
                w->close();
        QCoreApplication::processEvents();
    }
    void open(const QString &item)
    {
        auto *action = menu->findChild<QAction *>(item);
        ASSERT_NE(action, nullptr);
        // An item the administrator has not (an ordinary user's password change) runs its routine as for one.
        if (action->isEnabled())
            action->trigger();
        else
            for (const TMainMenuItem &i : MainMenuItems())
                if (action->objectName() == QLatin1String(i.Name))
                    Guarded([&i] { CallOpenRoutine(QLatin1String(i.OpenRoutine), i.Args); });
    }
    // The database read afresh after the program ended: what each check finds.
    QStringList integrityFaults()
    {
        QStringList faults;
        connectToProgramDatabase();
        for (const TIntegrityCheck &c : IntegrityChecks)
            if (const int n = count(QLatin1String(c.Sql)); n != 0)
                faults << QStringLiteral("%1: %2 rows").arg(QLatin1String(c.Name)).arg(n);
        dm.reset();
        return faults;
    }
    void connectToProgramDatabase()
    {
        dm = std::make_unique<TDMZal>(programFile());
        dm->ConnectDatabase();
    }
    QStringList tableNames()
    {
        connectToProgramDatabase();
        const QStringList names = SelectColumnParams(
            QStringLiteral("select trim(RDB$RELATION_NAME) from RDB$RELATIONS where coalesce(RDB$SYSTEM_FLAG, 0) = 0"));
        dm.reset();
        return names;
    }

    TFormMenu *menu = nullptr;
    std::unique_ptr<TMonkeyResponder> responder;
    QString savedCurrent;
};

TEST_P(MonkeyAtWindow, KeepsTheProgramAndItsDataWhole)
{
    const QString item = QString::fromStdString(GetParam());
    if (KnownFaults.contains(item) && qEnvironmentVariableIsEmpty("MONKEY_SEED"))
        GTEST_SKIP() << "known fault: " << KnownFaults.value(item);
    const int steps = fromEnvironment("MONKEY_STEPS", 80), runs = fromEnvironment("MONKEY_RUNS", 1);
    const quint32 first = firstSeed(item);
    ASSERT_NO_FATAL_FAILURE(freshDatabase());
    const QStringList tables = tableNames();
    TQtComplaints complaints;
    for (int run = 0; run < runs && !HasFailure(); ++run) {
        const quint32 seed = first + quint32(run);
        std::mt19937 random(seed);
        ASSERT_NO_FATAL_FAILURE(startProgram(random));
        TMonkey monkey(random, *responder, tables);
        // The SQL console answers a statement typed with the engine's own text.
        monkey.CheckTexts = item != QLatin1String("mnuSQL");
        monkey.ObjectListsShown = item == QLatin1String("mnuUsers");
        // The window again and again until the steps are spent; an item may rightly open nothing (its
        // question cancelled), a few times in a row.
        for (int idle = 0; monkey.StepsTaken() < steps && idle < 3 && !HasFailure();) {
            bool came = false;
            // Each window the item opens, one after another (a question's answer may open a second).
            std::function<void()> watch = [&] {
                WhenModal<QWidget>([&](QWidget *window) {
                    came = true;
                    monkey.ActIn(window, std::max(steps - monkey.StepsTaken(), 0));
                    watch();
                });
            };
            watch();
            open(item);
            closeOtherWindows();
            CancelWhenModal();
            idle = came ? 0 : idle + 1;
        }
        stopProgram();
        const QStringList faults = monkey.Faults + integrityFaults();
        if (!faults.isEmpty() || HasFailure())
            ADD_FAILURE() << item.toStdString() << ", seed " << seed << ", " << monkey.StepsTaken()
                          << " steps (MONKEY_SEED=" << seed << " MONKEY_STEPS=" << steps << "):\n  "
                          << faults.join(QStringLiteral("\n  ")).toStdString() << "\nsteps:\n  "
                          << monkey.Log.join(QStringLiteral("\n  ")).toStdString();
        if (qEnvironmentVariableIsSet("MONKEY_PRINT"))
            std::printf("%s seed %u: %d steps\n  %s\n", qPrintable(item), seed, monkey.StepsTaken(),
                        qPrintable(monkey.Log.join(QStringLiteral("\n  "))));
    }
}

INSTANTIATE_TEST_SUITE_P(Menu, MonkeyAtWindow, ::testing::ValuesIn(menuWindows()),
                         [](const auto &info) { return info.param; });

// A window made on first use belongs to the program's run: a second start in one process (a test suite, the
// monkey's runs) must not meet a window of the first still bound to the data modules that went with it.
class ProgramStartedAgain : public MonkeyAtWindow {};

TEST_F(ProgramStartedAgain, LeavesNoWindowOfTheFirstRunBehind)
{
    std::mt19937 random(1);
    ASSERT_NO_FATAL_FAILURE(startProgram(random));
    for (const char *item : {"mnuPolozky", "mnuPohyby", "mnuDodavatelia", "mnuMObjednavky", "mnuMPoziadavky"}) {
        bool shown = false;
        WhenModal<QWidget>([&](QWidget *window) {
            shown = true;
            QTest::keyClick(window, Qt::Key_Escape);
        });
        open(QLatin1String(item));
        CancelWhenModal();
        EXPECT_TRUE(shown) << item;
    }
    stopProgram();
    QStringList left;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (qobject_cast<TForm *>(w))
            left << QLatin1String(w->metaObject()->className());
    EXPECT_TRUE(left.isEmpty()) << left.join(QStringLiteral(", ")).toStdString();
}

// The rule that keeps a box Slovak and free of internal names, on texts the program shows and texts it must not.
TEST(MonkeyMessageRule, TellsSlovakTextsFromEngineAndInternalOnes)
{
    const QStringList tables{"ZAKAZKYD", "POLOZKY"};
    const struct {
        const char *text;
        bool clean;
    } cases[] = {
        {"Pokus o zápis vety s duplicitným klúčom !\r\nRovnaký záznam už existuje !", true},
        {"Zákazka č. 26/0015 je v stave EXPedovaná.", true},
        {"„12,5,3“ nie je číslo.", true},
        {"violation of PRIMARY or UNIQUE KEY constraint \"PK_ZAKAZKYD\"", false},
        {"Chyba: conversion error from string \"a\"", false},
        {"Pole C_INT musí mať hodnotu.", false},
        {"QvZakazkyDKalk: Field not found", false},
        {"Zákazka č. %d neexistuje", false},
        {"Text 'TYZDEN %2ó yC1e9' je dlhší ako 20 znakov", true},
        {"Záznam v tabuľke ZAKAZKYD chýba.", false},
        {"Hodnota 'x' is not a valid integer value", false},
        {"'12.5ňá'ô%9zí' nie je platné celé číslo", true}, // the typed text holds an apostrophe
        {"Chyba 335544665 pri zápise", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ForbiddenInMessage(QString::fromUtf8(c.text), tables).isEmpty(), c.clean) << c.text;
}

} // namespace
