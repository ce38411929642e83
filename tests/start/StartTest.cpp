// The program's start and its main menu on a fresh database: the splash, the order of the long-lived
// objects, the connection when the menu is shown, the menu enabled by privileges, the message check on
// activation, the report-definition menu, and the question and the commit when the program closes. On a
// copy of the demo database: the message list the start opens, closed every way a person can.
#include "shell/ShellFixture.h"

#include "common/WhenModal.h"
#include "platform/fb/IBCustomDataSet.h"
#include "platform/os/Exception.h"
#include "platform/os/RegistryStore.h"
#include "platform/report/QRExportFilter.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Form.h"
#include "program/Modules.h"
#include "shell/FormMenu.h"
#include "shell/MenuHooks.h"
#include "shell/QInitForm.h"
#include "shell/QMsgForm.h"
#include "shell/RoutineNames.h"
#include "shell/Routines.h"
#include "shell/DMCis.h"
#include "shell/Startup.h"

#include <optional>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

#include <csignal>

namespace {

// One value read through a connection of its own, as another program would see the database.
QVariant readValue(const QString &database, const QString &sql)
{
    TIBDatabase db;
    db.DatabaseName = database;
    db.Params.SetValue(QStringLiteral("user_name"), QStringLiteral("SYSDBA"));
    TIBTransaction tr(&db);
    db.SetDefaultTransaction(&tr);
    db.Open();
    TIBQuery q;
    q.SetDatabase(&db);
    q.SQL().SetText(sql);
    q.Open();
    const QVariant v = q.IsEmpty() ? QVariant() : q.Fields(0)->Value();
    q.Close();
    db.Close();
    return v;
}

void runDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class StartTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        ASSERT_FALSE(database.path().isEmpty()) << "no template database";
        // The program's default database: "TarvDB.fdb" beside the program, no settings file needed.
        programDatabase = QDir(folder.path()).filePath("TarvDB.fdb");
        ASSERT_TRUE(QFile::copy(database.path(), programDatabase));
        options.ProgramFile = programFile();
        savedCurrent = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(folder.path()));
    }
    void TearDown() override
    {
        ModuleHooks() = TModuleHooks();
        for (const char *c :
             {"TDMOdbyt", "TDMVyk", "TCisZamForm", "TDMMzdy", "TDMTPV", "TVyrobkyDForm", "TFormZakazky"})
            ClearStartupFactory(c);
        for (const char *r : {Routine::ShowStores, Routine::ShowOrders, Routine::ShowPerformances,
                              Routine::ShowHandOvers, Routine::ShowDeliveryNotes, Routine::ShowInternalOrders})
            UnregisterOpenRoutine(r);
        ShutDownProgram();
        runDeferredDeletes();
        QDir::setCurrent(savedCurrent);
        ShellTest::TearDown();
    }

    // Runs SQL on the program's database before the program attaches it.
    void execBefore(const QString &sql)
    {
        TIBDatabase db;
        db.DatabaseName = programDatabase;
        db.Params.SetValue(QStringLiteral("user_name"), QStringLiteral("SYSDBA"));
        db.Open();
        db.Attachment().executeImmediate(sql);
        db.Close();
    }

    // Starts the program and shows its main form as the message loop would, until the show handler ran.
    TFormMenu *startAndShow()
    {
        TFormMenu *menu = StartProgram(options);
        menu->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(menu));
        QTest::qWait(20);
        return menu;
    }

    TStartOptions options;
    QString programDatabase;
    QString savedCurrent;
};

TEST_F(StartTest, SplashStaysUntilEveryObjectIsCreatedInOrder)
{
    struct Seen {
        bool splashVisible = false;
        QString init, company, title, slogan;
        bool logo = false;
        bool dmZal = false, menu = false, menuIsMain = false;
    };
    Seen atSales, atWages, atLast;
    const auto look = [](Seen &s) {
        s.splashVisible = QInitForm && QInitForm->isVisible();
        if (QInitForm) {
            s.init = QInitForm->labelInit->text();
            s.company = QInitForm->labelCompany->text();
            s.title = QInitForm->labelEIS->text();
            s.slogan = QInitForm->labelWWW->text();
            s.logo = !QInitForm->imageEIS->pixmap().isNull();
        }
        s.dmZal = DMZal != nullptr;
        s.menu = FormMenu != nullptr;
        s.menuIsMain = FormMenu && ApplicationMainForm() == FormMenu;
    };
    SetStartupFactory("TDMOdbyt", [&] {
        look(atSales);
        return MakeStartupInstance(new TDataModule("TDMOdbyt"));
    });
    SetStartupFactory("TDMMzdy", [&] {
        look(atWages);
        return MakeStartupInstance(new TDataModule("TDMMzdy"));
    });
    // The last object made at start; the product dialog after it is a business form, made on first use.
    SetStartupFactory("TDMTPV", [&] {
        look(atLast);
        return MakeStartupInstance(new TDataModule("TDMTPV"));
    });
    int productDialogsMade = 0;
    SetStartupFactory("TVyrobkyDForm", [&] {
        ++productDialogsMade;
        return MakeStartupInstance(new TForm);
    });

    TFormMenu *menu = StartProgram(options);
    EXPECT_EQ(productDialogsMade, 0) << "a business form waits for its first use";

    EXPECT_TRUE(atSales.splashVisible);
    EXPECT_EQ(atSales.init, QString::fromUtf8("Inicializácia aplikácie ..."));
    EXPECT_EQ(atSales.company, QString::fromUtf8("Informačný systém pre riadenie výroby"));
    EXPECT_EQ(atSales.title, "Tarv IS");
    EXPECT_FALSE(atSales.slogan.isEmpty());
    EXPECT_TRUE(atSales.logo);
    EXPECT_TRUE(atSales.dmZal) << "the base data module comes first";
    EXPECT_FALSE(atSales.menu) << "a creation handler never reaches an object made after it";
    EXPECT_TRUE(atWages.menuIsMain) << "the main form is the menu, though six data modules come first";
    EXPECT_TRUE(atLast.splashVisible);

    QStringList expected;
    for (const TStartupEntry &e : StartupEntries())
        expected << e.ClassName;
    ASSERT_EQ(expected.size(), 34);
    EXPECT_EQ(CreatedStartupObjects(), expected);
    EXPECT_EQ(expected.indexOf("TFormMenu"), 6);
    EXPECT_EQ(menu, FormMenu);
    EXPECT_EQ(ApplicationMainForm(), menu);
    EXPECT_TRUE(IsStartupStandIn("FormZakazky"));
    EXPECT_FALSE(IsStartupStandIn("DMOdbyt")) << "a wired factory made it";
    ASSERT_NE(StartupForm("FormZakazky"), nullptr);
    EXPECT_EQ(StartupForm("FormZakazky")->objectName(), "FormZakazky");
    EXPECT_EQ(static_cast<TDataModule *>(StartupObject("DMMTZ"))->ClassName, "TDMMTZ");
    ASSERT_NE(StartupForm("VyrobkyDForm"), nullptr);
    StartupForm("VyrobkyDForm");
    EXPECT_EQ(productDialogsMade, 1) << "made once, in its place";

    // The splash is hidden at once and freed when the loop runs; nothing was connected yet.
    ASSERT_NE(QInitForm, nullptr);
    EXPECT_FALSE(QInitForm->isVisible());
    runDeferredDeletes();
    EXPECT_EQ(QInitForm, nullptr);
    EXPECT_FALSE(DMZal->DBZAL.Connected());
    EXPECT_FALSE(menu->isVisible());

    // Settings without a settings file: every default.
    EXPECT_EQ(CisloFa, "2026/");
    EXPECT_EQ(DPH, "19");
    EXPECT_DOUBLE_EQ(KoefUkol, 0.25);
    EXPECT_TRUE(CompanyList.IsEmpty());

    ShutDownProgram();
    EXPECT_EQ(DMZal, nullptr);
    EXPECT_EQ(FormMenu, nullptr);
    EXPECT_TRUE(CreatedStartupObjects().isEmpty());
}

TEST_F(StartTest, FailedCreationsStopTheStart)
{
    // A missing splash picture stops before any data module exists.
    options.LogoResource = ":/no-such-logo";
    EXPECT_THROW(StartProgram(options), Exception);
    EXPECT_TRUE(CreatedStartupObjects().isEmpty());
    EXPECT_EQ(DMZal, nullptr);
    EXPECT_EQ(QInitForm, nullptr);

    // A failing creation leaves the ones after it uncreated, and the splash goes all the same.
    options.LogoResource = ":/LOGO";
    SetStartupFactory("TDMVyk", []() -> TStartupInstance { throw EDatabaseError("poškodený modul"); });
    EXPECT_THROW(StartProgram(options), EDatabaseError);
    EXPECT_EQ(CreatedStartupObjects(), QStringList({"TDMZal", "TDMOdbyt", "TDMCis"}));
    EXPECT_EQ(FormMenu, nullptr);
    ASSERT_NE(QInitForm, nullptr);
    EXPECT_FALSE(QInitForm->isVisible());
    runDeferredDeletes();
    EXPECT_EQ(QInitForm, nullptr);
}

TEST_F(StartTest, ShownMenuConnectsAndFollowsThePrivileges)
{
    execBefore("insert into QPRIVILEGES (RDB_USER, RDB_PRIVILEGE, RDB_LEVEL) values ('SYSDBA', 'Odbyt', 1)");
    bool ownRule = false;
    ModuleHooks().PrivilegeRules.push_back([&] { ownRule = DMZal->HasRight("Odbyt", 1, false); });
    TFormMenu *m = startAndShow();

    ASSERT_TRUE(DMZal->DBZAL.Connected());
    EXPECT_TRUE(ownRule) << "a module's own rule runs once the menu is enabled";
    EXPECT_EQ(m->windowTitle(), "TarvIS");
    EXPECT_EQ(DMZal->CurrentUserName(), "SYSDBA");
    TRegistryStore registry;
    ASSERT_TRUE(registry.OpenKey("\\SOFTWARE\\TarvIS", false));
    EXPECT_EQ(registry.ReadString("LastLogin"), "SYSDBA");

    for (QAction *a : {m->mnuZakazky, m->mnuCenPon, m->mnuOdberatelia, m->mnuVyrobky, m->mnuOznacOdvedeneDodane,
                       m->mnuReklamacie, m->Interneobjednavky1, m->Interneobjednavky2, m->mnuPlanVyroby,
                       m->mnuPlanPrace, m->mnuAktualizaciaMZDAvykony, m->Spravy1})
        EXPECT_TRUE(a->isEnabled()) << a->objectName().toStdString();
    for (QAction *a :
         {m->mnuRV, m->mnuVPoziadavky, m->mnuVykony, m->mnuOdvody, m->mnuDochadzka, m->mnuPolozky, m->mnuPohyby,
          m->mnuMObjednavky, m->mnuDodavatelia, m->mnuMPoziadavky, m->mnuUsers, m->mnuSQL, m->mnuUdrzba, m->mnuSettings,
          m->mnuAktualizaciaNHTP, m->mnuAktualizaciaNHvykony, m->mnuZamestnanci, m->mnuManual})
        EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
    EXPECT_FALSE(m->mnuZmenaHesla->isEnabled()) << "SYSDBA does not change its password here";
    for (QMenu *sub : {m->mnuMTZ, m->mnuSklady, m->mnuExpedicia, m->mnuCiselniky})
        EXPECT_FALSE(sub->menuAction()->isEnabled()) << sub->objectName().toStdString();
    EXPECT_TRUE(m->ButtonZakObj->isEnabled());
    EXPECT_TRUE(m->ButtonIntObj->isEnabled());
    EXPECT_TRUE(m->ButtonKoniec->isEnabled());
    for (QToolButton *b : {m->ButtonVykony, m->ButtonOdvody, m->ButtonDodacieListy, m->ButtonCiselniky})
        EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
}

TEST_F(StartTest, ProductionReadersGetProductionItemsOnly)
{
    execBefore("insert into QPRIVILEGES (RDB_USER, RDB_PRIVILEGE, RDB_LEVEL) values ('SYSDBA', 'Vyroba', 1)");
    TFormMenu *m = startAndShow();
    for (QAction *a : {m->mnuRV, m->mnuVPoziadavky, m->mnuVykony, m->mnuOdvody, m->mnuReklamacie, m->mnuPlanVyroby,
                       m->mnuPlanPrace, m->Interneobjednavky1, m->Interneobjednavky2, m->mnuAktualizaciaMZDAvykony})
        EXPECT_TRUE(a->isEnabled()) << a->objectName().toStdString();
    for (QAction *a : {m->mnuZakazky, m->mnuCenPon, m->mnuOdberatelia, m->mnuMTZ->menuAction(),
                       m->mnuExpedicia->menuAction(), m->mnuAktualizaciaNHvykony})
        EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
    EXPECT_TRUE(m->ButtonVykony->isEnabled());
    EXPECT_TRUE(m->ButtonOdvody->isEnabled());
    EXPECT_FALSE(m->ButtonZakObj->isEnabled());
}

TEST_F(StartTest, WithoutPrivilegeRowsSysdbaGetsEverythingButThePasswordChange)
{
    QFile manual(QDir(folder.path()).filePath("manual.pdf"));
    ASSERT_TRUE(manual.open(QIODevice::WriteOnly));
    manual.close();
    TFormMenu *m = startAndShow();
    ASSERT_TRUE(DMZal->DBZAL.Connected());
    EXPECT_FALSE(m->mnuZmenaHesla->isEnabled());
    for (QAction *a : {m->mnuZakazky, m->mnuRV, m->mnuUsers, m->mnuAktualizaciaNHTP, m->mnuAktualizaciaNHvykony,
                       m->mnuZamestnanci, m->mnuSettings, m->mnuManual, m->mnuMTZ->menuAction(),
                       m->mnuCiselniky->menuAction(), m->mnuExpedicia->menuAction()})
        EXPECT_TRUE(a->isEnabled()) << a->objectName().toStdString();
}

TEST_F(StartTest, UnreachableDatabaseShowsTheErrorWithTheMenuOnScreen)
{
    writeSetting("Database", "Name", QDir(folder.path()).filePath("chyba/TarvDB.fdb"));
    struct Responder : TTestResponder {
        bool menuVisible = false;
        int Message(const TMessageRequest &r) override
        {
            menuVisible = FormMenu && FormMenu->isVisible();
            return TTestResponder::Message(r);
        }
    } answers;
    TFormMenu *m = startAndShow();
    EXPECT_EQ(CreatedStartupObjects().size(), 34);
    ASSERT_EQ(answers.Messages.size(), 1) << "the connection error, in the default error box";
    EXPECT_EQ(answers.Messages[0].Type, mtError);
    EXPECT_TRUE(answers.menuVisible);
    EXPECT_FALSE(DMZal->DBZAL.Connected());
    EXPECT_TRUE(m->mnuUsers->isEnabled()) << "unconnected, the menu keeps every item enabled";
    EXPECT_TRUE(m->mnuZmenaHesla->isEnabled());
}

TEST_F(StartTest, CloseAsksAndCommitsWhatTheProgramWrote)
{
    TFormMenu *m = startAndShow();
    ASSERT_TRUE(DMZal->DBZAL.Connected());
    // A save under way when the program is closed.
    std::optional<TSavepoint> save(&DMZal->DBTransaction);
    ExecSqlParams("insert into QUSERS (RDB_USER, RDB_UTVAR) values (:u, :k)", {"NOVAK", 2});
    ASSERT_TRUE(DMZal->InTransaction());

    TTestResponder answers;
    answers.MessageAnswers = {mrNo};
    EXPECT_FALSE(m->close());
    ASSERT_EQ(answers.Texts(), QStringList{QString::fromUtf8("Skutočne ukončiť program?")});
    EXPECT_EQ(answers.Messages[0].Buttons, mbYesNo);
    EXPECT_TRUE(m->isVisible());
    EXPECT_TRUE(DMZal->DBZAL.Connected()) << "a No keeps the program running, connected";
    EXPECT_TRUE(DMZal->InTransaction());

    answers.MessageAnswers = {mrYes};
    m->Koniec1->trigger();
    EXPECT_EQ(answers.Texts().size(), 2) << "the menu's Koniec asks the same question";
    EXPECT_FALSE(m->isVisible());
    EXPECT_FALSE(DMZal->InTransaction()) << "committed when the main form closed";
    save.reset();

    ShutDownProgram();
    EXPECT_EQ(readValue(programDatabase, "select RDB_UTVAR from QUSERS where RDB_USER='NOVAK'").toInt(), 2)
        << "the database is free for others and holds what the program wrote";
}

TEST_F(StartTest, ActivationChecksMessagesOnceConnected)
{
    QList<bool> calls;
    bool connectedAtFirstCall = false;
    ModuleHooks().CheckMessages = [&](bool force) {
        if (calls.isEmpty())
            connectedAtFirstCall = DMZal->DBZAL.Connected();
        calls << force;
    };
    TFormMenu *m = startAndShow();
    m->activateWindow();
    QTest::qWait(20);
    if (calls.isEmpty()) {
        // Some platforms do not activate windows offscreen: deliver the activation as the system would.
        QEvent activate(QEvent::WindowActivate);
        QCoreApplication::sendEvent(m, &activate);
        QCoreApplication::processEvents();
    }
    ASSERT_FALSE(calls.isEmpty());
    EXPECT_FALSE(calls.first()) << "an activation does not force the check";
    EXPECT_TRUE(connectedAtFirstCall) << "the check runs after the connection is open";

    // The check runs once the activation has been handled, not inside it; activations before it runs
    // make one check.
    qsizetype before = calls.size();
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(m, &activate);
    QCoreApplication::sendEvent(m, &activate);
    EXPECT_EQ(calls.size(), before);
    QCoreApplication::processEvents();
    EXPECT_EQ(calls.size(), before + 1);

    // An activation by a mouse click does not look.
    before = calls.size();
    QTest::mousePress(m->windowHandle(), Qt::LeftButton, {}, QPoint(5, 5));
    QCoreApplication::sendEvent(m, &activate);
    QTest::mouseRelease(m->windowHandle(), Qt::LeftButton, {}, QPoint(5, 5));
    QCoreApplication::processEvents();
    EXPECT_EQ(calls.size(), before);

    m->Spravy1->trigger();
    EXPECT_TRUE(calls.last()) << "the menu forces it";
}

TEST_F(StartTest, ItemsOfPartsNotBuiltSaySoAndWiredOnesOpen)
{
    TFormMenu *m = startAndShow();
    TTestResponder answers;
    m->mnuCenPon->trigger();
    m->mnuZakazky->trigger();
    EXPECT_EQ(answers.Texts(), QStringList({NotAvailableText, NotAvailableText}));

    QVariantList got;
    RegisterOpenRoutine(Routine::ShowStores, [&](const QVariantList &args) { got = args; });
    m->SkladN->trigger();
    EXPECT_EQ(got, QVariantList{"N"});
}

TEST_F(StartTest, TheBuiltModulesTakeTheirPlacesInTheStart)
{
    RegisterModules();
    startAndShow();
    for (const char *global : {"DMCis", "CisZamForm", "CisZakForm", "CisOdbForm", "CisPolForm", "QMsgForm", "QMsgDForm",
                               "QTlacForm", "DMOdbyt", "DMTPV", "DMMTZ", "MSkladyForm", "MPohybDForm"})
        EXPECT_FALSE(IsStartupStandIn(global)) << global;
    EXPECT_TRUE(DMZal->DBZAL.Connected());
    EXPECT_TRUE(bool(ModuleHooks().CheckMessages));
    QStringList filters;
    for (const auto &f : ExportFilters())
        filters << f.Extension;
    EXPECT_TRUE(filters.contains("csv") && filters.contains("txt") && filters.contains("htm"))
        << filters.join(',').toStdString();
    for (const char *c : {"TDMCis", "TCisZakForm", "TCisOdbForm", "TCisPolForm", "TQMsgForm", "TQMsgDForm",
                          "TQTlacForm", "TDMOdbyt", "TDMTPV", "TDMMTZ", "TMSkladyForm", "TMPohybDForm"})
        ClearStartupFactory(c);
    for (const char *r : {Routine::ShowCodeLists, Routine::ShowSqlConsole, Routine::ShowStores,
                          Routine::ShowStockMovements, Routine::ShowMaterialItems, Routine::ShowSuppliers,
                          Routine::ShowPurchaseOrders, Routine::ShowMaterialRequests})
        UnregisterOpenRoutine(r);
}

TEST_F(StartTest, ButtonsAndTheirItemsOpenTheSameRoutines)
{
    QStringList opened;
    for (const char *r : {Routine::ShowOrders, Routine::ShowPerformances, Routine::ShowHandOvers,
                          Routine::ShowDeliveryNotes, Routine::ShowInternalOrders})
        RegisterOpenRoutine(r, [&opened, r](const QVariantList &args) {
            opened << QLatin1String(r) + QLatin1Char(':') + (args.isEmpty() ? QString() : args.last().toString());
        });
    TFormMenu *m = startAndShow();
    TTestResponder answers;
    for (QToolButton *b : {m->ButtonZakObj, m->ButtonVykony, m->ButtonOdvody, m->ButtonDodacieListy, m->ButtonIntObj})
        b->click();
    EXPECT_EQ(opened, QStringList({"ShowOrders:", "ShowPerformances:", "ShowHandOvers:", "ShowDeliveryNotes:",
                                   "ShowInternalOrders:5"}));
    opened.clear();
    for (QAction *a : {m->mnuZakazky, m->mnuVykony, m->mnuOdvody, m->Dodacielisty1, m->Interneobjednavky1})
        a->trigger();
    EXPECT_EQ(opened, QStringList({"ShowOrders:", "ShowPerformances:", "ShowHandOvers:", "ShowDeliveryNotes:",
                                   "ShowInternalOrders:1"}));
    EXPECT_TRUE(answers.Messages.isEmpty());
}

TEST_F(StartTest, EachAltLetterOfTheMainWindowDoesOneThing)
{
    QStringList opened;
    RegisterOpenRoutine(Routine::ShowPerformances, [&opened](const QVariantList &) { opened << "ShowPerformances"; });
    TFormMenu *m = startAndShow();
    TTestResponder answers;
    QMap<QString, QStringList> owners;
    for (QAction *a : m->menuBar()->actions())
        if (a->isVisible())
            owners[QKeySequence::mnemonic(a->text()).toString()] << a->text();
    for (QToolButton *b : m->findChildren<QToolButton *>())
        if (b->isVisible() && !b->shortcut().isEmpty())
            owners[b->shortcut().toString()] << b->text();
    owners.remove(QString());
    for (auto it = owners.cbegin(); it != owners.cend(); ++it)
        EXPECT_EQ(it.value().size(), 1) << qPrintable(it.key() + QLatin1String(": ") + it.value().join(u','));

    // Alt+V opens the production menu, where the performances are; Alt+Z stays the orders' button.
    QTest::keyClick(m, Qt::Key_V, Qt::AltModifier);
    QWidget *popup = QApplication::activePopupWidget();
    EXPECT_EQ(popup, m->mnuVyroba);
    if (popup)
        popup->close();
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(m->ButtonZakObj->shortcut(), QKeySequence(Qt::ALT | Qt::Key_Z));
    EXPECT_EQ(m->ButtonVykony->text(), QString::fromUtf8("Výkony"));
    EXPECT_TRUE(answers.Messages.isEmpty());
}

TEST_F(StartTest, ReportMenuListsTheDefinitionsOfTheFirstFolderFound)
{
    const QDir here(folder.path());
    const auto touch = [&](const QString &name) {
        QFile f(here.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("<xreport/>");
    };
    dm = std::make_unique<TDMZal>(programFile());
    touch("koren.xrep");
    {
        TFormMenu menu;
        EXPECT_TRUE(menu.mnuRep->menuAction()->isVisible());
        ASSERT_EQ(menu.ReportDefinitions().size(), 1u);
        EXPECT_EQ(menu.ReportDefinitions()[0].FileName, "koren.xrep");
    }
    ASSERT_TRUE(here.mkdir("XREP"));
    touch("XREP/Zákazky & termíny.xrep");
    touch("XREP/iny.txt");
    {
        TFormMenu menu;
        ASSERT_EQ(menu.mnuRep->actions().size(), 1);
        EXPECT_EQ(menu.mnuRep->actions()[0]->text(), "Zákazky && termíny.xrep");
        EXPECT_EQ(menu.ReportDefinitions()[0].FileName, "XREP/Zákazky & termíny.xrep");

        // Made once per run from its file with the print query, run on every click.
        int made = 0, runs = 0;
        QString madeFrom;
        TxQuery *data = nullptr;
        ModuleHooks().CreateReport = [&](const QString &file, TxQuery *q) {
            ++made;
            madeFrom = file;
            data = q;
            return std::make_shared<int>(7);
        };
        ModuleHooks().ExecuteReport = [&](void *report) { runs += *static_cast<int *>(report) == 7; };
        menu.mnuRep->actions()[0]->trigger();
        menu.mnuRep->actions()[0]->trigger();
        EXPECT_EQ(made, 1);
        EXPECT_EQ(runs, 2);
        EXPECT_EQ(madeFrom, "XREP/Zákazky & termíny.xrep");
        EXPECT_EQ(data, &DMZal->QTlac);
    }
    // "_SQL" comes first even when empty: then there is nothing to print.
    ASSERT_TRUE(here.mkdir("_SQL"));
    TFormMenu menu;
    EXPECT_FALSE(menu.mnuRep->menuAction()->isVisible());
    EXPECT_TRUE(menu.ReportDefinitions().empty());
}

TEST_F(StartTest, TerminationSignalClosesAsTheMainFormDoesWithoutAsking)
{
    // The client library caught SIGTERM at the connection; the program takes it back after connecting.
    TFormMenu *m = startAndShow();
    ASSERT_TRUE(DMZal->DBZAL.Connected());
    std::optional<TSavepoint> save(&DMZal->DBTransaction);
    ExecSqlParams("insert into QUSERS (RDB_USER, RDB_UTVAR) values (:u, :k)", {"KOVAC", 3});
    ASSERT_TRUE(DMZal->InTransaction());

    TTestResponder answers;
    QTimer::singleShot(0, [] { ::raise(SIGTERM); });
    // A signal that does not end the loop fails here instead of hanging.
    QTimer::singleShot(20000, [] { QCoreApplication::exit(1); });
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_TRUE(answers.Texts().isEmpty()) << "no question when the session ends";
    EXPECT_FALSE(m->isVisible());
    EXPECT_FALSE(DMZal->InTransaction()) << "committed as the main form's close does";
    save.reset();

    ShutDownProgram();
    EXPECT_EQ(readValue(programDatabase, "select RDB_UTVAR from QUSERS where RDB_USER='KOVAC'").toInt(), 3);
}

TEST_F(StartTest, ReportMenuListsTheDefinitionsByNameIgnoringCase)
{
    const QDir here(folder.path());
    ASSERT_TRUE(here.mkdir("XREP"));
    const QStringList made = {"zakazky.xrep",       "Akcie.xrep",    "mzdy.xrep",      "bilancia.xrep",
                              "Dodacie listy.xrep", "KAPACITY.xrep", "expedicia.xrep", "Faktury.xrep"};
    for (const QString &name : made) {
        QFile f(here.filePath("XREP/" + name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("<xreport/>");
    }
    dm = std::make_unique<TDMZal>(programFile());
    TFormMenu menu;
    QStringList shown, files;
    for (QAction *a : menu.mnuRep->actions())
        shown << a->text();
    for (const auto &entry : menu.ReportDefinitions())
        files << entry.FileName;
    const QStringList sorted = {"Akcie.xrep",   "bilancia.xrep", "Dodacie listy.xrep", "expedicia.xrep",
                                "Faktury.xrep", "KAPACITY.xrep", "mzdy.xrep",          "zakazky.xrep"};
    EXPECT_EQ(shown, sorted);
    ASSERT_EQ(files.size(), sorted.size());
    for (int i = 0; i < sorted.size(); ++i)
        EXPECT_EQ(files[i], "XREP/" + sorted[i]) << "each item runs its own file";
}

// ---------------------------------------------------------------- the message list at the start

// The ways a person closes the message list; a timer of the program closes it as well.
enum class CloseWay { Escape, KoniecButton, WindowClose, Timer };

std::string closeWayName(CloseWay way)
{
    switch (way) {
    case CloseWay::Escape:
        return "Escape";
    case CloseWay::KoniecButton:
        return "KoniecButton";
    case CloseWay::WindowClose:
        return "WindowClose";
    case CloseWay::Timer:
        return "Timer";
    }
    return "Unknown";
}

void PrintTo(CloseWay way, std::ostream *os)
{
    *os << closeWayName(way);
}

void closeList(TQMsgForm *list, CloseWay way)
{
    switch (way) {
    case CloseWay::Escape: {
        QWidget *focus = QApplication::focusWidget();
        QTest::keyClick(focus && focus->window() == list ? focus : list, Qt::Key_Escape);
        break;
    }
    case CloseWay::KoniecButton:
        QTest::mouseClick(list->BtnKoniec, Qt::LeftButton);
        break;
    case CloseWay::WindowClose:
        list->windowHandle()->close(); // as the title bar's close button does
        break;
    case CloseWay::Timer:
        QTimer::singleShot(0, list, [list] { list->Close(); });
        break;
    }
}

// The program with every module on a copy of the demo foundry, whose messages for SYSDBA are unhandled.
class StartOnDemoTest : public StartTest, public ::testing::WithParamInterface<CloseWay> {
protected:
    void SetUp() override
    {
        StartTest::SetUp();
        if (HasFatalFailure())
            return;
        const QString demo = QStringLiteral(TARVIS_DEMO_DB);
        ASSERT_TRUE(QFile::exists(demo)) << "no demo database at " << demo.toStdString();
        QFile::remove(programDatabase);
        ASSERT_TRUE(QFile::copy(demo, programDatabase));
        QFile::setPermissions(programDatabase, QFile::ReadOwner | QFile::WriteOwner);
        MessageCheckState() = TMessageCheckState();
        RegisterModules();
    }
    void TearDown() override
    {
        CancelWhenModal();
        StartTest::TearDown();
        for (const TStartupEntry &e : StartupEntries())
            ClearStartupFactory(QLatin1String(e.ClassName));
        for (const TMainMenuItem &item : MainMenuItems())
            if (item.OpenRoutine)
                UnregisterOpenRoutine(QLatin1String(item.OpenRoutine));
        MessageCheckState() = TMessageCheckState();
    }
    // The next message list: its count is noted and it is closed the test's way.
    void closeNextList(int *count, std::source_location where = std::source_location::current())
    {
        WhenModal<TQMsgForm>(
            [count](TQMsgForm *list) {
                EXPECT_EQ(list->windowTitle(), QString::fromUtf8("Správy"));
                EXPECT_TRUE(list->isVisible());
                *count = list->lPocet->text().toInt();
                closeList(list, GetParam());
            },
            nullptr, where);
    }
    // Makes another window the active one, and then the menu again, as the window system does.
    static void activate(QWidget *window)
    {
        window->windowHandle()->requestActivate();
        ASSERT_TRUE(QTest::qWaitFor([window] { return window->isActiveWindow(); }, 60000));
    }
};

TEST_P(StartOnDemoTest, TheMessageListClosedAnyWayLeavesTheProgramWorking)
{
    int atStart = 0;
    closeNextList(&atStart);
    TFormMenu *m = startAndShow();
    ASSERT_TRUE(DMZal->DBZAL.Connected());
    ASSERT_TRUE(QTest::qWaitFor([&] { return atStart > 0; }, 60000)) << "the start lists the messages";
    EXPECT_GE(atStart, 2) << "the demo's welcome and its complaint";
    ASSERT_NE(QMsgForm, nullptr);
    EXPECT_FALSE(QMsgForm->isVisible());
    EXPECT_TRUE(m->isVisible());

    // A new message five minutes on: a plain activation of the menu lists it. The window active before
    // is freed meanwhile, as a dialog closed for good is: the list must not run inside the activation,
    // whose handling goes on with that window afterwards.
    ExecSqlParams("insert into QMESSAGES (MSG_ID, MSG_UTVAR, MSG_USER, MSG_DATA, MSG_TITLE, MSG_TEXT, USR_VYSTAV, "
                  "D_VYSTAV) values (GEN_ID(MSG_ID, 1), 1, 'SYSDBA', 0, :t, :x, 'MAJSTER', CURRENT_TIMESTAMP)",
                  {QString::fromUtf8("Nová reklamácia"), QString::fromUtf8("Odliatky s bublinami, 3 ks.")});
    SetNowForTests(Now().addSecs(6 * 60));
    auto *other = new QWidget;
    other->setWindowTitle(QString::fromUtf8("Iné okno"));
    other->show();
    activate(other);
    int afterActivation = 0;
    closeNextList(&afterActivation);
    other->deleteLater();
    activate(m);
    ASSERT_TRUE(QTest::qWaitFor([&] { return afterActivation > 0; }, 60000));
    EXPECT_EQ(afterActivation, 1) << "only the message not listed yet";
    EXPECT_FALSE(QMsgForm->isVisible());

    // Within five minutes another activation does not look.
    auto *third = new QWidget;
    third->show();
    activate(third);
    bool listed = false;
    CloseModal(mrCancel, [&](QWidget *) { listed = true; });
    activate(m);
    QCoreApplication::processEvents();
    CancelWhenModal();
    EXPECT_FALSE(listed);
    delete third;

    // The menu goes on: its item lists every unhandled message, and the program ends when asked.
    int forced = 0;
    closeNextList(&forced);
    m->Spravy1->trigger();
    EXPECT_EQ(forced, atStart + 1);
    TTestResponder answers;
    answers.MessageAnswers = {mrYes};
    m->ButtonKoniec->click();
    EXPECT_EQ(answers.Texts(), QStringList{QString::fromUtf8("Skutočne ukončiť program?")});
    EXPECT_FALSE(m->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Ways, StartOnDemoTest,
                         ::testing::Values(CloseWay::Escape, CloseWay::KoniecButton, CloseWay::WindowClose,
                                           CloseWay::Timer),
                         [](const auto &info) { return closeWayName(info.param); });

} // namespace
