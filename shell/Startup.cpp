#include "Startup.h"

#include "library/ReportDataExport.h"
#include "platform/ui/QtTranslation.h"
#include "platform/ui/WaitCursor.h"

#include "DMZal.h"
#include "FormMenu.h"
#include "QInitForm.h"
#include "RoutineNames.h"
#include "platform/os/Exception.h"
#include "platform/report/DataSetCursor.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Form.h"
#include "platform/ui/FormGlobal.h"
#include "platform/ui/Guarded.h"

#include <QApplication>
#include <QHash>

// The splash picture is compiled into the shell library; a static library's resources are registered
// by hand.
static void initStartupResources()
{
    Q_INIT_RESOURCE(Startup);
}

namespace {

using K = TStartupKind;

// The data modules and forms that live for the whole run, in the order they are created: a creation
// handler can reach the objects before it and never one after it.
const std::vector<TStartupEntry> entries{
    {StartupClass::TDMZal, "DMZal", K::DataModule},       // settings, connection, log-in
    {StartupClass::TDMOdbyt, "DMOdbyt", K::DataModule},   // sales
    {StartupClass::TDMCis, "DMCis", K::DataModule},       // code lists
    {StartupClass::TDMVyk, "DMVyk", K::DataModule},       // work performances
    {StartupClass::TDMOdv, "DMOdv", K::DataModule},       // hand-overs
    {StartupClass::TDMVyroba, "DMVyroba", K::DataModule}, // planning, requests, work in progress
    {StartupClass::TFormMenu, "FormMenu", K::Form},       // the main form
    {StartupClass::TCisZamForm, "CisZamForm", K::Form},   // employee pick list
    {StartupClass::TCisZakForm, "CisZakForm", K::Form},   // order-item pick list
    {StartupClass::TCisOdbForm, "CisOdbForm", K::Form},   // customer pick list
    {StartupClass::TCisPolForm, "CisPolForm", K::Form},   // item pick list
    {StartupClass::TQTlacForm, "QTlacForm", K::Form},     // print dialog
    {StartupClass::TFormZakazky, "FormZakazky", K::Form}, // customer orders browser
    {StartupClass::TFormZakazkaHl, "FormZakazkaHl", K::Form},
    {StartupClass::TFormZakazkaDet, "FormZakazkaDet", K::Form},
    {StartupClass::TFormZakazkaDetHl, "FormZakazkaDetHl", K::Form},
    {StartupClass::TFormIntZak, "FormIntZak", K::Form}, // internal orders browser
    {StartupClass::TOdberatelDForm, "OdberatelDForm", K::Form},
    {StartupClass::TSVykonyForm, "SVykonyForm", K::Form}, // work performances
    {StartupClass::TSVykonyZForm, "SVykonyZForm", K::Form},
    {StartupClass::TSVykQR1Rep, "SVykQR1Rep", K::Report},
    {StartupClass::TSOdvodyForm, "SOdvodyForm", K::Form}, // hand-overs
    {StartupClass::TSOdvQR1Rep, "SOdvQR1Rep", K::Report},
    {StartupClass::TDMMzdy, "DMMzdy", K::DataModule}, // attendance and wages
    {StartupClass::TQRPlanZak, "QRPlanZak", K::Report},
    {StartupClass::TDMExp, "DMExp", K::DataModule},     // dispatch
    {StartupClass::TESkladForm, "ESkladForm", K::Form}, // finished-goods store
    {StartupClass::TDMMTZ, "DMMTZ", K::DataModule},     // material
    {StartupClass::TMSkladyForm, "MSkladyForm", K::Form},
    {StartupClass::TMPohybDForm, "MPohybDForm", K::Form},
    {StartupClass::TQMsgForm, "QMsgForm", K::Form},   // message list
    {StartupClass::TQMsgDForm, "QMsgDForm", K::Form}, // message composer
    {StartupClass::TDMTPV, "DMTPV", K::DataModule},   // products and technology
    {StartupClass::TVyrobkyDForm, "VyrobkyDForm", K::Form},
};

struct TCreated {
    const TStartupEntry *Entry;
    TStartupInstance Instance;
    bool StandIn;
    // A form whose making waits for the first use of its global.
    bool Waiting = false;
};

// Destroyed in reverse order of creation.
std::vector<TCreated> &created()
{
    static std::vector<TCreated> all;
    return all;
}

QHash<QString, TStartupFactory> &factories()
{
    static QHash<QString, TStartupFactory> all;
    return all;
}

TCreated *findCreated(const QString &globalName)
{
    for (TCreated &c : created())
        if (QLatin1String(c.Entry->GlobalName) == globalName)
            return &c;
    return nullptr;
}

// The empty object of a class whose module has not been built yet.
TStartupInstance standIn(const TStartupEntry &entry)
{
    if (entry.Kind != K::Form)
        return MakeStartupInstance(new TDataModule(QLatin1String(entry.ClassName)));
    auto *form = new TForm;
    form->setObjectName(QLatin1String(entry.GlobalName));
    form->setProperty("ClassName", QLatin1String(entry.ClassName));
    return MakeStartupInstance(form);
}

TStartupInstance create(const TStartupEntry &entry, const TStartOptions &options, bool &isStandIn)
{
    isStandIn = false;
    const QString className = QLatin1String(entry.ClassName);
    const auto it = factories().constFind(className);
    if (it != factories().constEnd() && *it)
        return (*it)();
    if (className == QLatin1String(StartupClass::TDMZal))
        return MakeStartupInstance(new TDMZal(options.ProgramFile));
    if (className == QLatin1String(StartupClass::TFormMenu))
        return MakeStartupInstance(new TFormMenu);
    isStandIn = true;
    return standIn(entry);
}

// Makes a form that waited for its first use, in its place in the list (so it still goes in reverse order of
// the list). A failed making leaves it waiting for the next use.
void makeWaiting(TCreated &c)
{
    if (!c.Waiting)
        return;
    c.Waiting = false;
    SetFormGlobalPending(QLatin1String(c.Entry->GlobalName), false);
    bool isStandIn = false;
    try {
        c.Instance = create(*c.Entry, TStartOptions{}, isStandIn);
    } catch (...) {
        c.Waiting = true;
        SetFormGlobalPending(QLatin1String(c.Entry->GlobalName), true);
        throw;
    }
    c.StandIn = isStandIn;
}

void makeWaiting(const QString &globalName)
{
    if (TCreated *c = findCreated(globalName))
        makeWaiting(*c);
}

// A business form is built when it is first used: its window, grids and models cost the start a good part
// of its time and most of them are never opened in a session. Its global stands for it meanwhile; the main
// form and a form of a module not built yet (a stand-in) are made at once.
bool canWait(const TStartupEntry &entry, bool mainFormSet)
{
    if (entry.Kind != K::Form || !mainFormSet)
        return false;
    const QString className = QLatin1String(entry.ClassName);
    const auto it = factories().constFind(className);
    return it != factories().constEnd() && *it && SetFormGlobalPending(QLatin1String(entry.GlobalName), true);
}

} // namespace

const std::vector<TStartupEntry> &StartupEntries()
{
    return entries;
}

void SetStartupFactory(const QString &className, TStartupFactory factory)
{
    factories().insert(className, std::move(factory));
}

void ClearStartupFactory(const QString &className)
{
    factories().remove(className);
}

bool HasStartupFactory(const QString &className)
{
    return factories().contains(className);
}

void *StartupObject(const QString &globalName)
{
    makeWaiting(globalName);
    const TCreated *c = findCreated(globalName);
    return c ? c->Instance.Object.get() : nullptr;
}

QWidget *StartupForm(const QString &globalName)
{
    makeWaiting(globalName);
    const TCreated *c = findCreated(globalName);
    return c ? c->Instance.Form : nullptr;
}

QStringList CreatedStartupObjects()
{
    QStringList names;
    for (const TCreated &c : created())
        names << QLatin1String(c.Entry->ClassName);
    return names;
}

bool IsStartupStandIn(const QString &globalName)
{
    const TCreated *c = findCreated(globalName);
    return c && c->StandIn;
}

TFormMenu *StartProgram(const TStartOptions &options)
{
    // What every module sets up before anything is created.
    initStartupResources();
    RegisterDataSetCursor();
    RegisterLibraryExportFilters();
    InstallSqlWaitCursor();
    QCoreApplication::setApplicationName(QStringLiteral("TarvIS"));

    // The splash is made directly, so it never becomes the main form.
    QInitForm = new TQInitForm(nullptr);
    try {
        QInitForm->Dress(options.LogoResource);
    } catch (...) {
        delete QInitForm;
        throw;
    }
    // The message loop does not run yet: paint now.
    QInitForm->show();
    QInitForm->repaint();

    const auto releaseSplash = [] {
        if (!QInitForm)
            return;
        QInitForm->hide();
        QInitForm->deleteLater();
    };
    try {
        bool mainFormSet = false;
        FormGlobalMaker() = [](const QString &globalName) { makeWaiting(globalName); };
        for (const TStartupEntry &entry : entries) {
            if (canWait(entry, mainFormSet)) {
                created().push_back(TCreated{&entry, TStartupInstance{}, false, true});
                continue;
            }
            bool isStandIn = false;
            TStartupInstance instance = create(entry, options, isStandIn);
            created().push_back(TCreated{&entry, instance, isStandIn});
            if (instance.Form && !mainFormSet) {
                SetApplicationMainForm(instance.Form);
                mainFormSet = true;
            }
        }
    } catch (...) {
        releaseSplash();
        throw;
    }
    releaseSplash();
    return FormMenu;
}

void ShutDownProgram()
{
    auto &all = created();
    // What waits for its first use is never made now: its global goes empty.
    for (TCreated &c : all)
        if (c.Waiting) {
            c.Waiting = false;
            SetFormGlobalPending(QLatin1String(c.Entry->GlobalName), false);
        }
    while (!all.empty()) {
        // Taken out of the list first, so a destructor that looks objects up finds only live ones.
        TStartupInstance last = std::move(all.back().Instance);
        all.pop_back();
        if (last.Form == ApplicationMainForm())
            SetApplicationMainForm(nullptr);
        last.Object.reset();
    }
}

namespace {

// Errors that leave an event handler end up in the default error box, and the program goes on.
class TApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject *receiver, QEvent *event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception &e) {
            ShowException(e);
        }
        return false;
    }
};

} // namespace

int RunProgram(int argc, char **argv)
{
    TApplication app(argc, argv);
    LoadQtTranslation();
    int result = 1;
    try {
        TFormMenu *menu = StartProgram();
        menu->show();
        result = app.exec();
    } catch (const std::exception &e) {
        ShowException(e);
    }
    ShutDownProgram();
    return result;
}
