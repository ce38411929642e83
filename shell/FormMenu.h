// TFormMenu (global FormMenu): the program's main window, a tool bar of buttons under the main menu. Shown,
// it connects to the database and enables the menu by the user's privileges; it lists report definitions,
// checks for internal messages when activated and asks before the program ends.
#pragma once

#include <QKeyCombination>
#include <QMainWindow>
#include <QString>
#include <QVariantList>
#include <memory>
#include <vector>

class QAction;
class QMenu;
class QToolButton;

class TFormMenu : public QMainWindow {
    Q_OBJECT
public:
    explicit TFormMenu(QWidget *parent = nullptr);
    ~TFormMenu() override;

    // ---- main menu, named as the items are known throughout the program
    QMenu *mnuPredaj;
    QAction *mnuCenPon, *mnuZakazky, *Interneobjednavky1, *mnuOdberatelia, *mnuVyrobky, *mnuOznacOdvedeneDodane;
    QMenu *mnuMTZ, *mnuSklady;
    QAction *mnuPolozky, *SkladM, *SkladN, *mnuPohyby, *mnuDodavatelia, *mnuMObjednavky, *mnuMPoziadavky;
    QMenu *mnuVyroba;
    QAction *Interneobjednavky2, *mnuVPoziadavky, *mnuPlanVyroby, *mnuPlanPrace, *mnuVykony, *mnuOdvody, *mnuDochadzka,
        *mnuRV, *mnuReklamacie;
    QMenu *mnuExpedicia;
    QAction *Dodacielisty1, *SHV1;
    QMenu *mnuRep;
    QMenu *mnuCiselniky;
    QAction *mnuZamestnanci, *Operacieamaterialy1, *Nakladyarezie1, *Profesieatarify1, *Sklady1, *Pracoviska1;
    QMenu *System1, *Nastroje1;
    QAction *Spravy1, *mnuUsers, *mnuAktualizaciaNHTP, *mnuAktualizaciaNHvykony, *mnuAktualizaciaMZDAvykony,
        *mnuZmenaHesla, *mnuSQL, *mnuUdrzba, *mnuSettings;
    QMenu *Pomoc1;
    QAction *mnuManual, *mnuNaInternete, *Oaplikaci1, *Koniec1;

    // ---- speed buttons
    QToolButton *ButtonZakObj, *ButtonVykony, *ButtonCiselniky, *ButtonKoniec, *ButtonOdvody, *ButtonDodacieListy,
        *ButtonIntObj;

    // One report definition of the "&Tlač" menu: its file and the report made from it on first use.
    struct TReportEntry {
        QString FileName;
        std::shared_ptr<void> Report;
    };
    const std::vector<TReportEntry> &ReportDefinitions() const { return reports_; }

    // The show handler: caption, connection, then the menu enabled by the privileges. It runs once the
    // window is on screen, after every show.
    void FormShow();
    // The definitions "*.xrep" of "_SQL/", else "XREP/", else the current folder, as items of "&Tlač",
    // which is visible only with at least one.
    void BuildReportMenu();
    void RunReportMenuItem(QAction *sender);
    // Asks "Skutočne ukončiť program?" unless the application is already ending; true when it may close.
    bool FormCloseQuery();
    // Closes every data set of the connection and commits the transaction when it is active.
    void FormClose();
    static bool DirectoryExists(const QString &path);

protected:
    bool event(QEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    void buildMenu();
    void buildButtons();
    void enableByPrivileges();
    // Without a connection only the settings (where the database is named), the help and the end are open.
    void enableWithoutConnection();
    void activated();
    void queueActivated();
    void startProbe();

    std::vector<TReportEntry> reports_;
    bool showPending_ = false;       // the show handler is still to run
    bool activationPending_ = false; // an activation came before the show handler had run
    bool quitting_ = false;          // the application has begun to end: the form closes without asking
    bool activationQueued_ = false;  // the check of an activation waits for the activation to be handled
};

extern TFormMenu *FormMenu;

// One row of the main menu: the menu, items and separators are made from these rows in order, each item
// opens its routine with its arguments, and the privileges enable it by its rule.
struct TMainMenuItem {
    enum TKind { Menu, Item, Separator };
    TKind Kind;
    const char *Parent = nullptr;  // the object name of the menu it is in; none: the menu bar
    const char *Name = nullptr;    // object name, "mnuZakazky"
    const char *Caption = nullptr; // UTF-8
    QKeyCombination Shortcut{};
    const char *OpenRoutine = nullptr; // a name of RoutineNames.h; none: the menu handles the item itself
    QVariantList Args = {};
    // Who may use it, once connected: terms joined by "|" (any) or "&" (all); a term is a privilege word,
    // "@item" (that item is enabled), "sysdba" or "!sysdba". None: always enabled.
    const char *Right = nullptr;
};
const std::vector<TMainMenuItem> &MainMenuItems();
