#include "FormMenu.h"

#include "DMZal.h"
#include "MenuHooks.h"
#include "Startup.h"
#include "platform/os/Folders.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenuBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <cstdio>

TFormMenu *FormMenu = nullptr;

namespace {

// The product's web page.
const QString ProductWebPage = QStringLiteral("https://www.tarvis.sk/");

// Set once the application has begun to end: the main form then closes without asking.
bool applicationTerminating = false;

QAction *item(QMenu *menu, const QString &name, const QString &caption, const QKeySequence &shortcut = {})
{
    QAction *a = menu->addAction(caption);
    a->setObjectName(name);
    if (!shortcut.isEmpty())
        a->setShortcut(shortcut);
    return a;
}

QMenu *submenu(QWidget *owner, QMenu *parent, const QString &name, const QString &caption)
{
    QMenu *m = parent ? parent->addMenu(caption) : new QMenu(caption, owner);
    m->setObjectName(name);
    m->menuAction()->setObjectName(name);
    return m;
}

// Runs a handler; its errors go to the default error box, as they would from the message loop.
void onTriggered(QAction *action, const std::function<void()> &handler)
{
    QObject::connect(action, &QAction::triggered, action, [handler] { RunGuarded(handler); });
}

void open(QAction *action, const QString &routine, const QVariantList &args = {})
{
    onTriggered(action, [routine, args] { CallOpenRoutine(routine, args); });
}

bool right(const char *module)
{
    return DMZal->HasRight(QString::fromLatin1(module), 1, false);
}

} // namespace

TFormMenu::TFormMenu(QWidget *parent) : QMainWindow(parent)
{
    FormMenu = this;
    setObjectName(QStringLiteral("FormMenu"));
    setWindowTitle(QCoreApplication::applicationName());
    setWindowFlags(windowFlags() & ~Qt::WindowMaximizeButtonHint);
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, this, [] { applicationTerminating = true; });
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
    QMenuBar *bar = menuBar();
    const auto top = [&](const QString &name, const QString &caption) {
        QMenu *m = submenu(this, nullptr, name, caption);
        bar->addMenu(m);
        return m;
    };

    mnuPredaj = top(QStringLiteral("mnuPredaj"), QStringLiteral("&Predaj"));
    mnuCenPon = item(mnuPredaj, QStringLiteral("mnuCenPon"), QStringLiteral("Cenové ponuky"));
    mnuZakazky = item(mnuPredaj, QStringLiteral("mnuZakazky"), QStringLiteral("&Zákaznícke objednávky"),
                      QKeySequence(Qt::CTRL | Qt::Key_B));
    Interneobjednavky1 = item(mnuPredaj, QStringLiteral("Interneobjednavky1"), QStringLiteral("&Interné objednávky"));
    mnuPredaj->addSeparator();
    mnuOdberatelia = item(mnuPredaj, QStringLiteral("mnuOdberatelia"), QStringLiteral("Odberatelia"));
    mnuVyrobky = item(mnuPredaj, QStringLiteral("mnuVyrobky"), QStringLiteral("Výrobky"));
    mnuPredaj->addSeparator();
    mnuOznacOdvedeneDodane = item(mnuPredaj, QStringLiteral("mnuOznacOdvedeneDodane"),
                                  QStringLiteral("Označiť \"odvedené\" a \"dodané\""));

    mnuMTZ = top(QStringLiteral("mnuMTZ"), QStringLiteral("&MTZ"));
    mnuPolozky = item(mnuMTZ, QStringLiteral("mnuPolozky"), QStringLiteral("Položky"));
    mnuSklady = submenu(this, mnuMTZ, QStringLiteral("mnuSklady"), QStringLiteral("Sklady"));
    SkladM = item(mnuSklady, QStringLiteral("SkladM"), QStringLiteral("Sklady materiálu"));
    SkladN = item(mnuSklady, QStringLiteral("SkladN"), QStringLiteral("Sklady nástrojov"));
    mnuPohyby = item(mnuMTZ, QStringLiteral("mnuPohyby"), QStringLiteral("Pohyby"));
    mnuMTZ->addSeparator();
    mnuDodavatelia = item(mnuMTZ, QStringLiteral("mnuDodavatelia"), QStringLiteral("Dodávatelia"));
    mnuMObjednavky = item(mnuMTZ, QStringLiteral("mnuMObjednavky"), QStringLiteral("Objednávky"));
    mnuMPoziadavky = item(mnuMTZ, QStringLiteral("mnuMPoziadavky"), QStringLiteral("Požiadavky"));

    mnuVyroba = top(QStringLiteral("mnuVyroba"), QStringLiteral("&Výroba"));
    Interneobjednavky2 = item(mnuVyroba, QStringLiteral("Interneobjednavky2"), QStringLiteral("&Interné objednávky"));
    mnuVPoziadavky = item(mnuVyroba, QStringLiteral("mnuVPoziadavky"), QStringLiteral("Požiadavky na výrobu"));
    mnuPlanVyroby = item(mnuVyroba, QStringLiteral("mnuPlanVyroby"), QStringLiteral("Plán výroby"));
    mnuPlanPrace = item(mnuVyroba, QStringLiteral("mnuPlanPrace"), QStringLiteral("Plán práce"));
    mnuVykony = item(mnuVyroba, QStringLiteral("mnuVykony"), QStringLiteral("&Výkony pracovníkov"),
                     QKeySequence(Qt::CTRL | Qt::Key_V));
    mnuOdvody = item(mnuVyroba, QStringLiteral("mnuOdvody"), QStringLiteral("&Odvody výrobkov"),
                     QKeySequence(Qt::CTRL | Qt::Key_O));
    mnuDochadzka = item(mnuVyroba, QStringLiteral("mnuDochadzka"), QStringLiteral("&Dochádzka a Mzdy"));
    mnuRV = item(mnuVyroba, QStringLiteral("mnuRV"), QStringLiteral("&Stav rozpracovanej výroby"));
    mnuReklamacie = item(mnuVyroba, QStringLiteral("mnuReklamacie"), QStringLiteral("Reklamačné protokoly"));

    mnuExpedicia = top(QStringLiteral("mnuExpedicia"), QStringLiteral("&Expedícia"));
    Dodacielisty1 = item(mnuExpedicia, QStringLiteral("Dodacielisty1"), QStringLiteral("Dodacie listy"));
    SHV1 = item(mnuExpedicia, QStringLiteral("SHV1"), QStringLiteral("Sklad hotových výrobkov"));

    mnuRep = top(QStringLiteral("mnuRep"), QStringLiteral("&Tlač"));

    mnuCiselniky = top(QStringLiteral("mnuCiselniky"), QStringLiteral("&Číselníky"));
    mnuZamestnanci = item(mnuCiselniky, QStringLiteral("mnuZamestnanci"), QStringLiteral("&Zamestnanci"));
    Operacieamaterialy1 = item(mnuCiselniky, QStringLiteral("Operacieamaterialy1"), QStringLiteral("Operácie a &materiály"));
    Nakladyarezie1 = item(mnuCiselniky, QStringLiteral("Nakladyarezie1"), QStringLiteral("&Náklady a réžie"));
    Profesieatarify1 = item(mnuCiselniky, QStringLiteral("Profesieatarify1"), QStringLiteral("&Profesie a tarify"));
    Sklady1 = item(mnuCiselniky, QStringLiteral("Sklady1"), QStringLiteral("&Sklady a strediská"));
    Pracoviska1 = item(mnuCiselniky, QStringLiteral("Pracoviska1"), QStringLiteral("Pracoviská"));

    System1 = top(QStringLiteral("System1"), QStringLiteral("&Systém"));
    Spravy1 = item(System1, QStringLiteral("Spravy1"), QStringLiteral("&Správy"), QKeySequence(Qt::CTRL | Qt::Key_S));
    mnuUsers = item(System1, QStringLiteral("mnuUsers"), QStringLiteral("&Užívatelia"));
    Nastroje1 = submenu(this, System1, QStringLiteral("Nastroje1"), QStringLiteral("Nástroje"));
    mnuAktualizaciaNHTP = item(Nastroje1, QStringLiteral("mnuAktualizaciaNHTP"),
                               QStringLiteral("Aktualizácia NHod v Tech.pos. z Výkonov"));
    mnuAktualizaciaNHvykony = item(Nastroje1, QStringLiteral("mnuAktualizaciaNHvykony"),
                                   QStringLiteral("Aktualizácia NHod vo Výkonoch z Tech.pos."));
    mnuAktualizaciaMZDAvykony = item(Nastroje1, QStringLiteral("mnuAktualizaciaMZDAvykony"),
                                     QStringLiteral("Aktualizácia Miezd vo Výkonoch"));
    Nastroje1->addSeparator();
    mnuZmenaHesla = item(Nastroje1, QStringLiteral("mnuZmenaHesla"), QStringLiteral("Zmena hesla"));
    mnuSQL = item(Nastroje1, QStringLiteral("mnuSQL"), QStringLiteral("SQL Príkaz"));
    mnuUdrzba = item(System1, QStringLiteral("mnuUdrzba"), QStringLiteral("Údržba"));
    mnuSettings = item(System1, QStringLiteral("mnuSettings"), QStringLiteral("&Nastavenia"));

    Pomoc1 = top(QStringLiteral("Pomoc1"), QStringLiteral("P&omoc"));
    mnuManual = item(Pomoc1, QStringLiteral("mnuManual"), QStringLiteral("Manuál"));
    mnuNaInternete = item(Pomoc1, QStringLiteral("mnuNaInternete"), QStringLiteral("na Internete"));
    Pomoc1->addSeparator();
    Oaplikaci1 = item(Pomoc1, QStringLiteral("Oaplikaci1"), QStringLiteral("O aplikácii"));
    Koniec1 = bar->addAction(QStringLiteral("&Koniec"));
    Koniec1->setObjectName(QStringLiteral("Koniec1"));

    // ---- what the items do
    open(mnuCenPon, QStringLiteral("ShowOffers"));
    onTriggered(mnuZakazky, [this] {
        showStartupForm(QStringLiteral("FormZakazky"), [](QWidget *form) {
            if (auto *f = qobject_cast<TForm *>(form))
                f->SetStatusText(QStringLiteral("Riadenie výroby - Evidencia zákaziek"));
            if (auto *pages = form->findChild<QTabWidget *>(QStringLiteral("PageControlPolozky")))
                pages->setCurrentIndex(0);
        });
    });
    open(Interneobjednavky1, QStringLiteral("ShowInternalOrders"), {QStringLiteral("STAV_ZAK"), QStringLiteral("1")});
    open(mnuOdberatelia, QStringLiteral("ShowCustomers"));
    open(mnuVyrobky, QStringLiteral("ShowProducts"));
    open(mnuOznacOdvedeneDodane, QStringLiteral("mnuOznacOdvedeneDodaneClick"));
    open(mnuPolozky, QStringLiteral("ShowMaterialItems"));
    open(SkladM, QStringLiteral("ShowStores"), {QStringLiteral("M")});
    open(SkladN, QStringLiteral("ShowStores"), {QStringLiteral("N")});
    open(mnuPohyby, QStringLiteral("ShowStockMovements"));
    open(mnuDodavatelia, QStringLiteral("ShowSuppliers"));
    open(mnuMObjednavky, QStringLiteral("ShowPurchaseOrders"));
    open(mnuMPoziadavky, QStringLiteral("ShowMaterialRequests"), {0});
    open(Interneobjednavky2, QStringLiteral("ShowInternalOrders"), {QStringLiteral("STAV_ZAK"), QStringLiteral("5")});
    open(mnuVPoziadavky, QStringLiteral("ShowProductionRequests"));
    open(mnuPlanVyroby, QStringLiteral("ShowCapacityPlan"));
    open(mnuPlanPrace, QStringLiteral("ShowWorkPlan"));
    onTriggered(mnuVykony, [this] { showStartupForm(QStringLiteral("SVykonyForm")); });
    onTriggered(mnuOdvody, [this] { showStartupForm(QStringLiteral("SOdvodyForm")); });
    open(mnuDochadzka, QStringLiteral("ShowAttendanceWages"));
    open(mnuRV, QStringLiteral("ShowWorkInProgress"));
    open(mnuReklamacie, QStringLiteral("ShowComplaints"));
    open(Dodacielisty1, QStringLiteral("ShowDeliveryNotes"));
    onTriggered(SHV1, [this] { showStartupForm(QStringLiteral("ESkladForm")); });
    const QList<QAction *> codeLists{mnuZamestnanci, Operacieamaterialy1, Nakladyarezie1,
                                     Profesieatarify1, Sklady1,        Pracoviska1};
    for (int page = 0; page < codeLists.size(); ++page)
        open(codeLists[page], QStringLiteral("ShowCodeLists"), {page});
    onTriggered(Spravy1, [] {
        if (CheckMessagesHook)
            CheckMessagesHook(true);
        else
            ShowNotAvailable();
    });
    open(mnuUsers, QStringLiteral("ShowUsers"));
    open(mnuAktualizaciaNHTP, QStringLiteral("mnuAktualizaciaNHTPClick"));
    open(mnuAktualizaciaNHvykony, QStringLiteral("mnuAktualizaciaNHvykonyClick"));
    open(mnuAktualizaciaMZDAvykony, QStringLiteral("mnuAktualizaciaMZDAvykonyClick"));
    open(mnuZmenaHesla, QStringLiteral("mnuZmenaHeslaClick"));
    open(mnuSQL, QStringLiteral("ShowSqlConsole"), {QString(), QStringLiteral("SQL Príkaz")});
    open(mnuUdrzba, QStringLiteral("mnuUdrzbaClick"));
    open(mnuSettings, QStringLiteral("ShowSettings"));
    onTriggered(mnuManual, [] { OpenInDesktop(CurrentFolder() + QStringLiteral("manual.pdf")); });
    onTriggered(mnuNaInternete, [] { OpenInDesktop(ProductWebPage); });
    open(Oaplikaci1, QStringLiteral("ShowAbout"));
    connect(Koniec1, &QAction::triggered, this, &QWidget::close);
}

void TFormMenu::buildButtons()
{
    QToolBar *tools = addToolBar(QStringLiteral("Tlačidlá"));
    tools->setObjectName(QStringLiteral("ToolBar"));
    tools->setMovable(false);
    const auto button = [&](const QString &name, const QString &caption, const QString &hint,
                            const std::function<void()> &action) {
        auto *b = new QToolButton(tools);
        b->setObjectName(name);
        b->setText(caption);
        b->setToolTip(hint);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        b->setMinimumSize(72, 40);
        connect(b, &QToolButton::clicked, this, [action] { RunGuarded(action); });
        tools->addWidget(b);
        return b;
    };
    ButtonZakObj = button(QStringLiteral("ButtonZakObj"), QStringLiteral("&Zákazky"),
                          QStringLiteral("Zákaznícke objednávky"), [this] { mnuZakazky->trigger(); });
    ButtonVykony = button(QStringLiteral("ButtonVykony"), QStringLiteral("&Výkony"),
                          QStringLiteral("Výkony pracovníkov"), [this] { mnuVykony->trigger(); });
    ButtonCiselniky = button(QStringLiteral("ButtonCiselniky"), QStringLiteral("&Číselníky"),
                             QStringLiteral("Nastavenie číselníkov"),
                             [] { CallOpenRoutine(QStringLiteral("ShowCodeLists"), {0}); });
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
        RunGuarded([this] { FormShow(); });
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
    DMZal->ConnectDatabase();
    // A refused log-in leaves the program unconnected: the menu then keeps every item enabled.
    if (!DMZal->DBZAL.Connected())
        return;
    enableByPrivileges();
}

static void enable(QAction *action, bool on)
{
    action->setEnabled(on);
}

static void enable(QMenu *menu, bool on)
{
    menu->menuAction()->setEnabled(on);
}

void TFormMenu::enableByPrivileges()
{
    const bool sysdba = DMZal->CurrentUserName() == QLatin1String("SYSDBA");
    const auto on = [](QAction *a) { return a->isEnabled(); };
    const auto menuOn = [](QMenu *m) { return m->menuAction()->isEnabled(); };

    // In this order: a rule that names another item takes that item's state just set.
    enable(mnuZakazky, right("Odbyt"));
    enable(mnuCenPon, on(mnuZakazky));
    enable(mnuOdberatelia, right("Odberatel") || on(mnuZakazky));
    enable(mnuVyrobky, right("Vyrobky") || right("TPV") || on(mnuZakazky));
    enable(mnuOznacOdvedeneDodane, on(mnuZakazky));
    enable(mnuRV, right("Vyroba"));
    enable(mnuVPoziadavky, on(mnuRV));
    enable(mnuVykony, right("Vykony") || on(mnuRV));
    enable(mnuOdvody, right("Odvody") || on(mnuRV));
    enable(mnuDochadzka, right("Dochadzka") || right("Mzdy"));
    enable(mnuReklamacie, right("Reklamacie") || on(mnuZakazky) || on(mnuRV));
    enable(mnuMTZ, right("MTZ"));
    enable(mnuPolozky, right("Sklady") || right("MTZ"));
    enable(mnuSklady, on(mnuPolozky));
    enable(mnuPohyby, on(mnuPolozky));
    enable(mnuMObjednavky, right("Objednavky") || right("MTZ"));
    enable(mnuDodavatelia, on(mnuMObjednavky));
    enable(mnuMPoziadavky, on(mnuMObjednavky));
    enable(mnuMTZ, right("MTZ") || on(mnuPolozky) || on(mnuMObjednavky));
    enable(mnuExpedicia, right("Expedicia"));
    enable(mnuUsers, right("System"));
    enable(mnuSQL, on(mnuUsers));
    enable(mnuUdrzba, on(mnuUsers));
    enable(mnuSettings, on(mnuUsers));
    enable(mnuZmenaHesla, !sysdba);
    enable(mnuAktualizaciaNHTP, on(mnuUsers) && on(mnuVyrobky) && sysdba);
    enable(mnuAktualizaciaNHvykony, on(mnuUsers) && on(mnuVykony));
    enable(mnuZamestnanci, on(mnuDochadzka));
    enable(mnuCiselniky, on(mnuUsers) || on(mnuZamestnanci));
    enable(mnuManual, QFileInfo::exists(CurrentFolder() + QStringLiteral("manual.pdf")));

    ButtonZakObj->setEnabled(on(mnuZakazky));
    ButtonVykony->setEnabled(on(mnuVykony));
    ButtonOdvody->setEnabled(on(mnuOdvody));
    ButtonDodacieListy->setEnabled(menuOn(mnuExpedicia));
    ButtonCiselniky->setEnabled(menuOn(mnuCiselniky));

    // The internal orders browser marks jobs handed over or finished only for those who may change them.
    if (QWidget *intZak = StartupForm(QStringLiteral("FormIntZak"))) {
        if (auto *a = intZak->findChild<QAction *>(QStringLiteral("mnuJeOdv")))
            a->setEnabled(DMZal->HasRight(QStringLiteral("Odvody"), 2, false));
        if (auto *a = intZak->findChild<QAction *>(QStringLiteral("mnuJeUko")))
            a->setEnabled(DMZal->HasRight(QStringLiteral("Odbyt"), 2, false));
    }
}

bool TFormMenu::event(QEvent *e)
{
    // A plain activation looks for new messages; one by a mouse click does not.
    if (e->type() == QEvent::WindowActivate && QGuiApplication::mouseButtons() == Qt::NoButton) {
        if (showPending_)
            activationPending_ = true; // the check needs the connection the show handler opens
        else
            activated();
    }
    return QMainWindow::event(e);
}

void TFormMenu::activated()
{
    if (CheckMessagesHook)
        RunGuarded([] { CheckMessagesHook(false); });
}

void TFormMenu::closeEvent(QCloseEvent *e)
{
    bool allowed = false;
    RunGuarded([&] { allowed = FormCloseQuery(); });
    if (!allowed) {
        e->ignore();
        return;
    }
    RunGuarded([this] { FormClose(); });
    e->accept();
}

bool TFormMenu::FormCloseQuery()
{
    if (applicationTerminating || QCoreApplication::closingDown())
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

// ---------------------------------------------------------------- forms made at start

void TFormMenu::showStartupForm(const QString &globalName, const std::function<void(QWidget *)> &prepare)
{
    QWidget *form = StartupForm(globalName);
    if (!form || IsStartupStandIn(globalName)) {
        ShowNotAvailable();
        return;
    }
    if (prepare)
        prepare(form);
    if (auto *f = qobject_cast<TForm *>(form))
        f->ShowModal();
    else if (auto *d = qobject_cast<QDialog *>(form))
        d->exec();
    else
        form->show();
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
    // In the order the file system lists them.
    const QStringList files = QDir(folder.isEmpty() ? QStringLiteral(".") : folder)
                                  .entryList({QStringLiteral("*.xrep")}, QDir::Files, QDir::Unsorted);
    for (int n = 0; n < files.size(); ++n) {
        // An ampersand in a file name is shown, not taken as the item's accelerator.
        QAction *a = mnuRep->addAction(QString(files[n]).replace(QLatin1Char('&'), QLatin1String("&&")));
        a->setData(n);
        connect(a, &QAction::triggered, this, [this, a] { RunGuarded([this, a] { RunReportMenuItem(a); }); });
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
    if (!ReportDefinitionRunner.Create || !ReportDefinitionRunner.Execute) {
        ShowNotAvailable();
        return;
    }
    TReportEntry &entry = reports_[n];
    if (!entry.Report)
        entry.Report = ReportDefinitionRunner.Create(entry.FileName, &DMZal->QTlac);
    if (entry.Report)
        ReportDefinitionRunner.Execute(entry.Report.get());
}
