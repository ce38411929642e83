#include "FormMenu.h"

#include "DMZal.h"
#include "MenuHooks.h"
#include "RoutineNames.h"
#include "Routines.h"
#include "platform/os/Folders.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Form.h"
#include "platform/ui/Guarded.h"
#include "platform/ui/TerminationHandler.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QKeySequence>
#include <QMenuBar>
#include <QSet>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <cstdio>

TFormMenu *FormMenu = nullptr;

namespace {

// The product's web page.
const QString ProductWebPage = QStringLiteral("https://www.tarvis.sk/");

using M = TMainMenuItem;
constexpr auto Menu = TMainMenuItem::Menu;
constexpr auto Item = TMainMenuItem::Item;
constexpr auto Separator = TMainMenuItem::Separator;
constexpr QKeyCombination None{};

} // namespace

const std::vector<TMainMenuItem> &MainMenuItems()
{
    // clang-format off
    static const std::vector<TMainMenuItem> items{
        // kind, in menu, object name, caption, shortcut, open routine, its arguments, who may use it
        {Menu, nullptr, "mnuPredaj", "&Predaj"},
        {Item, "mnuPredaj", "mnuCenPon", "Cenové ponuky", None, Routine::ShowOffers, {}, "@mnuZakazky"},
        {Item, "mnuPredaj", "mnuZakazky", "&Zákaznícke objednávky", Qt::CTRL | Qt::Key_B, Routine::ShowOrders, {},
         "Odbyt"},
        {Item, "mnuPredaj", "Interneobjednavky1", "&Interné objednávky", None, Routine::ShowInternalOrders,
         {QStringLiteral("STAV_ZAK"), QStringLiteral("1")}},
        {Separator, "mnuPredaj"},
        {Item, "mnuPredaj", "mnuOdberatelia", "Odberatelia", None, Routine::ShowCustomers, {}, "Odberatel | @mnuZakazky"},
        {Item, "mnuPredaj", "mnuVyrobky", "Výrobky", None, Routine::ShowProducts, {}, "Vyrobky | TPV | @mnuZakazky"},
        {Separator, "mnuPredaj"},
        {Item, "mnuPredaj", "mnuOznacOdvedeneDodane", "Označiť \"odvedené\" a \"dodané\"", None,
         Routine::MarkHandedOverAndDelivered, {}, "@mnuZakazky"},

        {Menu, nullptr, "mnuMTZ", "&MTZ", None, nullptr, {}, "MTZ | @mnuPolozky | @mnuMObjednavky"},
        {Item, "mnuMTZ", "mnuPolozky", "Položky", None, Routine::ShowMaterialItems, {}, "Sklady | MTZ"},
        {Menu, "mnuMTZ", "mnuSklady", "Sklady", None, nullptr, {}, "@mnuPolozky"},
        {Item, "mnuSklady", "SkladM", "Sklady materiálu", None, Routine::ShowStores, {QStringLiteral("M")}},
        {Item, "mnuSklady", "SkladN", "Sklady nástrojov", None, Routine::ShowStores, {QStringLiteral("N")}},
        {Item, "mnuMTZ", "mnuPohyby", "Pohyby", None, Routine::ShowStockMovements, {}, "@mnuPolozky"},
        {Separator, "mnuMTZ"},
        {Item, "mnuMTZ", "mnuDodavatelia", "Dodávatelia", None, Routine::ShowSuppliers, {}, "@mnuMObjednavky"},
        {Item, "mnuMTZ", "mnuMObjednavky", "Objednávky", None, Routine::ShowPurchaseOrders, {}, "Objednavky | MTZ"},
        {Item, "mnuMTZ", "mnuMPoziadavky", "Požiadavky", None, Routine::ShowMaterialRequests, {0}, "@mnuMObjednavky"},

        {Menu, nullptr, "mnuVyroba", "&Výroba"},
        {Item, "mnuVyroba", "Interneobjednavky2", "&Interné objednávky", None, Routine::ShowInternalOrders,
         {QStringLiteral("STAV_ZAK"), QStringLiteral("5")}},
        {Item, "mnuVyroba", "mnuVPoziadavky", "Požiadavky na výrobu", None, Routine::ShowProductionRequests, {},
         "@mnuRV"},
        {Item, "mnuVyroba", "mnuPlanVyroby", "Plán výroby", None, Routine::ShowCapacityPlan, {}, "Vyroba"},
        {Item, "mnuVyroba", "mnuPlanPrace", "Plán práce", None, Routine::ShowWorkPlan, {}, "Vyroba"},
        {Item, "mnuVyroba", "mnuVykony", "&Výkony pracovníkov", Qt::CTRL | Qt::Key_V, Routine::ShowPerformances, {},
         "Vykony | @mnuRV"},
        {Item, "mnuVyroba", "mnuOdvody", "&Odvody výrobkov", Qt::CTRL | Qt::Key_O, Routine::ShowHandOvers, {},
         "Odvody | @mnuRV"},
        {Item, "mnuVyroba", "mnuDochadzka", "&Dochádzka a Mzdy", None, Routine::ShowAttendanceWages, {},
         "Dochadzka | Mzdy"},
        {Item, "mnuVyroba", "mnuRV", "&Stav rozpracovanej výroby", None, Routine::ShowWorkInProgress, {}, "Vyroba"},
        {Item, "mnuVyroba", "mnuReklamacie", "Reklamačné protokoly", None, Routine::ShowComplaints, {},
         "Reklamacie | @mnuZakazky | @mnuRV"},

        {Menu, nullptr, "mnuExpedicia", "&Expedícia", None, nullptr, {}, "Expedicia"},
        {Item, "mnuExpedicia", "Dodacielisty1", "Dodacie listy", None, Routine::ShowDeliveryNotes},
        {Item, "mnuExpedicia", "SHV1", "Sklad hotových výrobkov", None, Routine::ShowFinishedGoodsStore},

        {Menu, nullptr, "mnuRep", "&Tlač"},

        {Menu, nullptr, "mnuCiselniky", "&Číselníky", None, nullptr, {}, "@mnuUsers | @mnuZamestnanci"},
        {Item, "mnuCiselniky", "mnuZamestnanci", "&Zamestnanci", None, Routine::ShowCodeLists, {0}, "@mnuDochadzka"},
        {Item, "mnuCiselniky", "Operacieamaterialy1", "Operácie a &materiály", None, Routine::ShowCodeLists, {1}},
        {Item, "mnuCiselniky", "Nakladyarezie1", "&Náklady a réžie", None, Routine::ShowCodeLists, {2}},
        {Item, "mnuCiselniky", "Profesieatarify1", "&Profesie a tarify", None, Routine::ShowCodeLists, {3}},
        {Item, "mnuCiselniky", "Sklady1", "&Sklady a strediská", None, Routine::ShowCodeLists, {4}},
        {Item, "mnuCiselniky", "Pracoviska1", "Pracoviská", None, Routine::ShowCodeLists, {5}},

        {Menu, nullptr, "System1", "&Systém"},
        {Item, "System1", "Spravy1", "&Správy", Qt::CTRL | Qt::Key_S},
        {Item, "System1", "mnuUsers", "&Užívatelia", None, Routine::ShowUsers, {}, "System"},
        {Menu, "System1", "Nastroje1", "Nástroje"},
        {Item, "Nastroje1", "mnuAktualizaciaNHTP", "Aktualizácia NHod v Tech.pos. z Výkonov", None,
         Routine::UpdateTechnologyHours, {}, "@mnuUsers & @mnuVyrobky & sysdba"},
        {Item, "Nastroje1", "mnuAktualizaciaNHvykony", "Aktualizácia NHod vo Výkonoch z Tech.pos.", None,
         Routine::UpdatePerformanceHours, {}, "@mnuUsers & @mnuVykony"},
        {Item, "Nastroje1", "mnuAktualizaciaMZDAvykony", "Aktualizácia Miezd vo Výkonoch", None,
         Routine::UpdatePerformanceWages},
        {Separator, "Nastroje1"},
        {Item, "Nastroje1", "mnuZmenaHesla", "Zmena hesla", None, Routine::ChangePassword, {}, "!sysdba"},
        {Item, "Nastroje1", "mnuSQL", "SQL Príkaz", None, Routine::ShowSqlConsole,
         {QString(), QStringLiteral("SQL Príkaz")}, "@mnuUsers"},
        {Item, "System1", "mnuUdrzba", "Údržba", None, Routine::Maintenance, {}, "@mnuUsers"},
        {Item, "System1", "mnuSettings", "&Nastavenia", None, Routine::ShowSettings, {}, "@mnuUsers"},

        {Menu, nullptr, "Pomoc1", "P&omoc"},
        {Item, "Pomoc1", "mnuManual", "Manuál"},
        {Item, "Pomoc1", "mnuNaInternete", "na Internete"},
        {Separator, "Pomoc1"},
        {Item, "Pomoc1", "Oaplikaci1", "O aplikácii", None, Routine::ShowAbout},
        {Item, nullptr, "Koniec1", "&Koniec"},
    };
    // clang-format on
    return items;
}

namespace {

// Runs a handler; its errors go to the default error box, as they would from the message loop.
void onTriggered(QAction *action, const std::function<void()> &handler)
{
    QObject::connect(action, &QAction::triggered, action, [handler] { Guarded(handler); });
}

// Whether the user may use an item by its rule: terms joined by "|" (any of them) or "&" (all of them);
// a term is a privilege word, "@item" (that item is enabled), "sysdba" or "!sysdba".
bool allowedByRule(const QString &rule, const std::function<bool(const QString &item)> &itemOn, bool sysdba)
{
    const bool all = rule.contains(QLatin1Char('&'));
    for (const QString &raw : rule.split(all ? QLatin1Char('&') : QLatin1Char('|'))) {
        const QString term = raw.trimmed();
        bool on;
        if (term.startsWith(QLatin1Char('@')))
            on = itemOn(term.mid(1));
        else if (term == QLatin1String("sysdba"))
            on = sysdba;
        else if (term == QLatin1String("!sysdba"))
            on = !sysdba;
        else
            on = DMZal->HasRight(term, 1, false);
        if (on != all)
            return on;
    }
    return all;
}

} // namespace

TFormMenu::TFormMenu(QWidget *parent) : QMainWindow(parent)
{
    FormMenu = this;
    setObjectName(QStringLiteral("FormMenu"));
    setWindowTitle(QCoreApplication::applicationName());
    setWindowFlags(windowFlags() & ~Qt::WindowMaximizeButtonHint);
    // Kept by this main form alone: a later start in the same process asks again.
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { quitting_ = true; });
    buildMenu();
    buildButtons();
    // Sized to its contents and not resizable.
    adjustSize();
    setFixedSize(sizeHint());
    BuildReportMenu();
}

TFormMenu::~TFormMenu()
{
    if (FormMenu == this)
        FormMenu = nullptr;
}

void TFormMenu::buildMenu()
{
    QHash<QString, QMenu *> menus;
    for (const TMainMenuItem &item : MainMenuItems()) {
        const QString name = QLatin1String(item.Name);
        QMenu *parent = item.Parent ? menus.value(QLatin1String(item.Parent)) : nullptr;
        if (item.Kind == TMainMenuItem::Separator) {
            parent->addSeparator();
        } else if (item.Kind == TMainMenuItem::Menu) {
            QMenu *m = parent ? parent->addMenu(QString::fromUtf8(item.Caption))
                              : menuBar()->addMenu(QString::fromUtf8(item.Caption));
            m->setObjectName(name);
            m->menuAction()->setObjectName(name);
            menus.insert(name, m);
        } else {
            QAction *a = parent ? parent->addAction(QString::fromUtf8(item.Caption))
                                : menuBar()->addAction(QString::fromUtf8(item.Caption));
            a->setObjectName(name);
            if (item.Shortcut != QKeyCombination())
                a->setShortcut(item.Shortcut);
            if (item.OpenRoutine) {
                const QString routine = QLatin1String(item.OpenRoutine);
                const QVariantList args = item.Args;
                onTriggered(a, [routine, args] { CallOpenRoutine(routine, args); });
            }
        }
    }

    // The items the rest of the program names.
    const auto m = [&](const char *name) { return menus.value(QLatin1String(name)); };
    const auto a = [this](const char *name) { return findChild<QAction *>(QLatin1String(name)); };
    mnuPredaj = m("mnuPredaj");
    mnuMTZ = m("mnuMTZ");
    mnuSklady = m("mnuSklady");
    mnuVyroba = m("mnuVyroba");
    mnuExpedicia = m("mnuExpedicia");
    mnuRep = m("mnuRep");
    mnuCiselniky = m("mnuCiselniky");
    System1 = m("System1");
    Nastroje1 = m("Nastroje1");
    Pomoc1 = m("Pomoc1");
    mnuCenPon = a("mnuCenPon");
    mnuZakazky = a("mnuZakazky");
    Interneobjednavky1 = a("Interneobjednavky1");
    mnuOdberatelia = a("mnuOdberatelia");
    mnuVyrobky = a("mnuVyrobky");
    mnuOznacOdvedeneDodane = a("mnuOznacOdvedeneDodane");
    mnuPolozky = a("mnuPolozky");
    SkladM = a("SkladM");
    SkladN = a("SkladN");
    mnuPohyby = a("mnuPohyby");
    mnuDodavatelia = a("mnuDodavatelia");
    mnuMObjednavky = a("mnuMObjednavky");
    mnuMPoziadavky = a("mnuMPoziadavky");
    Interneobjednavky2 = a("Interneobjednavky2");
    mnuVPoziadavky = a("mnuVPoziadavky");
    mnuPlanVyroby = a("mnuPlanVyroby");
    mnuPlanPrace = a("mnuPlanPrace");
    mnuVykony = a("mnuVykony");
    mnuOdvody = a("mnuOdvody");
    mnuDochadzka = a("mnuDochadzka");
    mnuRV = a("mnuRV");
    mnuReklamacie = a("mnuReklamacie");
    Dodacielisty1 = a("Dodacielisty1");
    SHV1 = a("SHV1");
    mnuZamestnanci = a("mnuZamestnanci");
    Operacieamaterialy1 = a("Operacieamaterialy1");
    Nakladyarezie1 = a("Nakladyarezie1");
    Profesieatarify1 = a("Profesieatarify1");
    Sklady1 = a("Sklady1");
    Pracoviska1 = a("Pracoviska1");
    Spravy1 = a("Spravy1");
    mnuUsers = a("mnuUsers");
    mnuAktualizaciaNHTP = a("mnuAktualizaciaNHTP");
    mnuAktualizaciaNHvykony = a("mnuAktualizaciaNHvykony");
    mnuAktualizaciaMZDAvykony = a("mnuAktualizaciaMZDAvykony");
    mnuZmenaHesla = a("mnuZmenaHesla");
    mnuSQL = a("mnuSQL");
    mnuUdrzba = a("mnuUdrzba");
    mnuSettings = a("mnuSettings");
    mnuManual = a("mnuManual");
    mnuNaInternete = a("mnuNaInternete");
    Oaplikaci1 = a("Oaplikaci1");
    Koniec1 = a("Koniec1");

    // The items the menu handles itself.
    onTriggered(Spravy1, [] {
        if (ModuleHooks().CheckMessages)
            ModuleHooks().CheckMessages(true);
        else
            ShowNotAvailable();
    });
    onTriggered(mnuManual, [] { OpenOrSayWhy(CurrentFolder() + QStringLiteral("manual.pdf")); });
    onTriggered(mnuNaInternete, [] { OpenOrSayWhy(ProductWebPage); });
    connect(Koniec1, &QAction::triggered, this, &QWidget::close);
}

void TFormMenu::buildButtons()
{
    QToolBar *tools = addToolBar(QStringLiteral("Tlačidlá"));
    tools->setObjectName(QStringLiteral("ToolBar"));
    tools->setMovable(false);
    // The menu bar keeps the Alt+letters of its titles: a button whose letter is one of them shows its caption
    // without it, so every Alt+letter of the window opens one thing.
    QSet<QKeySequence> menuLetters;
    for (const QAction *a : menuBar()->actions())
        menuLetters.insert(QKeySequence::mnemonic(a->text()));
    const auto button = [&](const QString &name, const QString &caption, const QString &hint,
                            const std::function<void()> &action) {
        auto *b = new QToolButton(tools);
        b->setObjectName(name);
        b->setText(menuLetters.contains(QKeySequence::mnemonic(caption)) ? QString(caption).remove(QLatin1Char('&'))
                                                                         : caption);
        b->setToolTip(hint);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        b->setMinimumSize(72, 40);
        connect(b, &QToolButton::clicked, this, [action] { Guarded(action); });
        tools->addWidget(b);
        return b;
    };
    ButtonZakObj = button(QStringLiteral("ButtonZakObj"), QStringLiteral("&Zákazky"),
                          QStringLiteral("Zákaznícke objednávky"), [this] { mnuZakazky->trigger(); });
    ButtonVykony = button(QStringLiteral("ButtonVykony"), QStringLiteral("&Výkony"),
                          QStringLiteral("Výkony pracovníkov"), [this] { mnuVykony->trigger(); });
    ButtonCiselniky =
        button(QStringLiteral("ButtonCiselniky"), QStringLiteral("&Číselníky"), QStringLiteral("Nastavenie číselníkov"),
               [] { CallOpenRoutine(Routine::ShowCodeLists, {0}); });
    ButtonKoniec = button(QStringLiteral("ButtonKoniec"), QStringLiteral("&Koniec"), QStringLiteral("Ukončiť program"),
                          [this] { close(); });
    ButtonOdvody = button(QStringLiteral("ButtonOdvody"), QStringLiteral("O&dvody"), QStringLiteral("Odvody výrobkov"),
                          [this] { mnuOdvody->trigger(); });
    ButtonDodacieListy = button(QStringLiteral("ButtonDodacieListy"), QStringLiteral("&Expedícia"),
                                QStringLiteral("Dodacie listy"), [this] { Dodacielisty1->trigger(); });
    ButtonIntObj = button(QStringLiteral("ButtonIntObj"), QStringLiteral("Interné\nobjednávky"),
                          QStringLiteral("Interné objednávky - zákazky"), [this] { Interneobjednavky2->trigger(); });
}

// ---------------------------------------------------------------- show, activation, close

void TFormMenu::showEvent(QShowEvent *e)
{
    QMainWindow::showEvent(e);
    if (e->spontaneous() || showPending_)
        return;
    // The handler runs once the window is on screen, so a slow or failing connection has the menu behind it.
    showPending_ = true;
    QTimer::singleShot(0, this, [this] {
        showPending_ = false;
        Guarded([this] { FormShow(); });
        if (qEnvironmentVariableIsSet("TARVIS_START_PROBE"))
            startProbe();
        if (activationPending_) {
            activationPending_ = false;
            activated();
        }
    });
}

void TFormMenu::startProbe()
{
    // For measuring the start: once the menu is enabled and the message check has run (a message window
    // it opens included), say so and end.
    QTimer::singleShot(0, qApp, [] {
        std::fputs("started\n", stdout);
        std::fflush(stdout);
        QCoreApplication::exit(0); // no closing question
    });
    activated();
}

void TFormMenu::FormShow()
{
    setWindowTitle(QCoreApplication::applicationName());
    repaint();
    // The client library catches the termination signals at the connection attempt: they are taken
    // back after it, whatever its outcome.
    try {
        DMZal->ConnectDatabase();
    } catch (...) {
        InstallTerminationHandler(this);
        enableWithoutConnection(); // the error is said by the caller
        throw;
    }
    InstallTerminationHandler(this);
    // A refused log-in leaves the program unconnected: every item would only fail in turn.
    if (!DMZal->DBZAL.Connected()) {
        enableWithoutConnection();
        return;
    }
    enableByPrivileges();
}

void TFormMenu::enableWithoutConnection()
{
    for (const TMainMenuItem &item : MainMenuItems()) {
        if (!item.Name)
            continue;
        const QString name = QLatin1String(item.Name);
        const bool open = name == QLatin1String("System1") || name == QLatin1String("mnuSettings") ||
                          name == QLatin1String("Pomoc1") || name == QLatin1String("Koniec1") ||
                          (item.Parent && QLatin1String(item.Parent) == QLatin1String("Pomoc1"));
        if (QAction *a = findChild<QAction *>(name))
            a->setEnabled(open);
    }
    mnuRep->menuAction()->setEnabled(false);
    mnuManual->setEnabled(QFileInfo::exists(CurrentFolder() + QStringLiteral("manual.pdf")));
    for (QToolButton *b : {ButtonZakObj, ButtonVykony, ButtonCiselniky, ButtonOdvody, ButtonDodacieListy, ButtonIntObj})
        b->setEnabled(false);
    statusBar()->showMessage(QString::fromUtf8("Databáza nie je pripojená."));
    setFixedSize(sizeHint());
}

void TFormMenu::enableByPrivileges()
{
    const bool sysdba = DMZal->CurrentUserName() == QLatin1String("SYSDBA");
    // An item's rule may name other items: each is decided once, those it names first.
    QHash<QString, const TMainMenuItem *> byName;
    for (const TMainMenuItem &item : MainMenuItems())
        if (item.Name)
            byName.insert(QLatin1String(item.Name), &item);
    QHash<QString, bool> decided;
    std::function<bool(const QString &)> itemOn = [&](const QString &name) {
        QAction *action = findChild<QAction *>(name);
        if (decided.contains(name) || !byName.value(name) || !byName.value(name)->Right)
            return action->isEnabled();
        decided.insert(name, true);
        action->setEnabled(allowedByRule(QLatin1String(byName.value(name)->Right), itemOn, sysdba));
        return action->isEnabled();
    };
    for (const TMainMenuItem &item : MainMenuItems())
        if (item.Right)
            itemOn(QLatin1String(item.Name));
    mnuManual->setEnabled(QFileInfo::exists(CurrentFolder() + QStringLiteral("manual.pdf")));

    const auto on = [](QAction *a) { return a->isEnabled(); };
    const auto menuOn = [](QMenu *m) { return m->menuAction()->isEnabled(); };
    ButtonZakObj->setEnabled(on(mnuZakazky));
    ButtonVykony->setEnabled(on(mnuVykony));
    ButtonOdvody->setEnabled(on(mnuOdvody));
    ButtonDodacieListy->setEnabled(menuOn(mnuExpedicia));
    ButtonCiselniky->setEnabled(menuOn(mnuCiselniky));

    // Each module enables its own items by the privileges.
    for (const auto &rule : ModuleHooks().PrivilegeRules)
        if (rule)
            rule();
}

bool TFormMenu::event(QEvent *e)
{
    // A plain activation looks for new messages; one by a mouse click does not.
    if (e->type() == QEvent::WindowActivate && QGuiApplication::mouseButtons() == Qt::NoButton) {
        if (showPending_)
            activationPending_ = true; // the check needs the connection the show handler opens
        else
            queueActivated();
    }
    return QMainWindow::event(e);
}

void TFormMenu::queueActivated()
{
    // The check may open the message list modally. Never inside the activation: Qt goes on with the
    // windows it held when the activation began, and a window freed in the meantime would be used after.
    if (activationQueued_)
        return;
    activationQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            activationQueued_ = false;
            activated();
        },
        Qt::QueuedConnection);
}

void TFormMenu::activated()
{
    if (ModuleHooks().CheckMessages)
        Guarded([] { ModuleHooks().CheckMessages(false); });
}

void TFormMenu::closeEvent(QCloseEvent *e)
{
    bool allowed = false;
    Guarded([&] { allowed = FormCloseQuery(); });
    if (!allowed) {
        e->ignore();
        return;
    }
    Guarded([this] { FormClose(); });
    e->accept();
}

bool TFormMenu::FormCloseQuery()
{
    if (quitting_ || TerminationRequested() || QCoreApplication::closingDown())
        return true;
    return MessageDlg(QString::fromUtf8("Skutočne ukončiť program?"), mtInformation, mbYesNo) == mrYes;
}

void TFormMenu::FormClose()
{
    if (!DMZal)
        return;
    DMZal->DBZAL.CloseDataSets();
    if (DMZal->DBTransaction.Active())
        DMZal->DBTransaction.Commit();
}

// ---------------------------------------------------------------- report definitions

bool TFormMenu::DirectoryExists(const QString &path)
{
    return QFileInfo(path).isDir();
}

void TFormMenu::BuildReportMenu()
{
    QString folder;
    if (DirectoryExists(QStringLiteral("_SQL")))
        folder = QStringLiteral("_SQL/");
    else if (DirectoryExists(QStringLiteral("XREP")))
        folder = QStringLiteral("XREP/");
    // By name, whatever the letter case and whatever order the file system gives.
    const QStringList files = QDir(folder.isEmpty() ? QStringLiteral(".") : folder)
                                  .entryList({QStringLiteral("*.xrep")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (int n = 0; n < files.size(); ++n) {
        // An ampersand in a file name is shown, not taken as the item's accelerator.
        QAction *a = mnuRep->addAction(QString(files[n]).replace(QLatin1Char('&'), QLatin1String("&&")));
        a->setData(n);
        connect(a, &QAction::triggered, this, [this, a] { Guarded([this, a] { RunReportMenuItem(a); }); });
        if (int(reports_.size()) < n + 1)
            reports_.resize(n + 1);
        reports_[n] = TReportEntry{folder + files[n], nullptr};
    }
    mnuRep->menuAction()->setVisible(!mnuRep->actions().isEmpty());
}

void TFormMenu::RunReportMenuItem(QAction *sender)
{
    if (!sender)
        return;
    const int n = sender->data().toInt();
    if (n < 0 || n >= int(reports_.size()))
        return;
    const TModuleHooks &hooks = ModuleHooks();
    if (!hooks.CreateReport || !hooks.ExecuteReport) {
        ShowNotAvailable();
        return;
    }
    TReportEntry &entry = reports_[n];
    if (!entry.Report)
        entry.Report = hooks.CreateReport(entry.FileName, &DMZal->QTlac);
    if (entry.Report)
        hooks.ExecuteReport(entry.Report.get());
}
