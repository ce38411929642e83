// TDMZal (global DMZal): the base data module with the settings, the last log-in, the money format, the one
// connection and transaction, the scratch and privileges queries, the field catalogue and shared code lists.
#pragma once

#include "library/xDBCatalog.h"
#include "library/xDatabase.h"
#include "library/xQuery.h"
#include "library/xTable.h"
#include "platform/db/DataSource.h"
#include "platform/os/IniFile.h"
#include "platform/os/Strings.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class EDatabaseError;

// Order-item states (STAV_ZAK) that the program names.
enum : short {
    stVystavena = 1,
    stTlacena = 3,
    stPotvrdena = 5,
    stPoziadavky = 20,
    stPlanovana = 30,
    stVyrabana = 40,
    stExpedovana = 50,
    stOdvedena = 90,
    stUkoncena = 100,
    stStornovana = 101,
};

class TDMZal {
public:
    // programFile: the program whose name and folder give the settings file and the default database
    // (empty: the running program). The number, date and money formats are taken from QLocale().
    explicit TDMZal(const QString &programFile = QString());
    ~TDMZal();
    TDMZal(const TDMZal &) = delete;
    TDMZal &operator=(const TDMZal &) = delete;

    // ---- components (declared in this order: the connection first, its data sets after it)
    TxDatabase DBZAL;
    TIBTransaction DBTransaction;
    TxDBCatalog DBCatalog;
    TxQuery Query; // scratch query of GetQuery("") and OpenQuery without a name: it keeps its rows
    TDataSource DSQuery;
    TxQuery Query1; // second scratch query (one-off detail lists)
    TDataSource DSQuery1;
    TxQuery QTlac; // the SQL a printed document or a report definition reads
    TDataSource DSTlac;
    TxQuery QPrivileges;
    TxQuery QOrderState; // SetOrderState's statement: prepared once, run for every job
    TxTable CStatov;
    TDataSource DSCStatov;
    TxTable CMaterialov;
    TDataSource DSCMaterialov;
    TxTable CSkladov;
    TDataSource DSCSkladov;
    TxTable COperacii;
    TDataSource DSCOperacii;

    // ---- settings and registry
    TIniFile &IniFile() { return *ini_; }
    // The file that keeps the user's own values ("\\SOFTWARE\\TarvIS" "LastLogin"), in the user's configuration
    // folder.
    static QString UserValuesFile();
    QString ProgramFolder() const { return programFolder_; }
    // Reads the sections Company, Masks, MRP, Vykony and Mzdy into the settings globals. Every value is
    // read first and the globals change together, so a load that fails leaves the earlier values whole.
    void LoadSettings();
    // Writes back what the settings dialog edits.
    void SaveSettings();
    // A key of the section Defaults, empty when missing.
    QString ReadDefault(const QString &key);
    // Replaces the list's items by the comma list of the key; an empty value leaves the list as it is.
    void ReadDefaultsList(TStringList &list, const QString &key);
    QString ReadRegString(const QString &name);
    void WriteRegString(const QString &name, const QString &value);

    // ---- connection
    QString CurrentUserName() const { return DBZAL.UserName(); }
    bool InTransaction() const { return DBTransaction.InTransaction(); }
    // Opens the connection (an open one is left as it is); a network error asks once for another
    // database, a refused log-in is shown and leaves the program unconnected.
    void ConnectDatabase();

    // ---- order-item states, privileges, error translation
    // Raises the state of job cInt to state (only from minState .. state-1), or with a negative state
    // lowers it to |state| (only from |state|+1 .. 999). True when exactly one row changed.
    bool SetOrderState(int cInt, int state, int minState = 0);
    static QString OrderStateName(int state);
    // Whether the connected user has at least `level` on the module word (or on "System"); a user without
    // any privilege row has every right. With showMessage a refusal is shown.
    bool HasRight(const QString &module, int level, bool showMessage);
    // Shows a server error of a data set in Slovak, chosen by its SQL code; pairs "CONSTRAINT|message" give
    // the detail line for a named constraint. False (and nothing shown) for other errors.
    bool TranslateDbError(TDataSet *dataSet, const EDatabaseError &error, const QStringList &pairs = {});
    // Post, delete and edit error events of data sets: a translated error aborts silently.
    void DataSetErrorHandler(TDataSet *dataSet, EDatabaseError &error, TDataAction &action);
    void DataSetErrorHandlerEx(TDataSet *dataSet, EDatabaseError &error, const QStringList &pairs, TDataAction &action);

    // ---- named auxiliary queries (owned here, found by name)
    TxQuery *FindQuery(const QString &name);
    TDataSource *FindDataSource(TDataSet *dataSet);
    TxQuery *GetQuery(const QString &name);
    TDataSource *GetDataSource(TDataSet *dataSet);

private:
    // The database name (the settings' one unless another is typed for this attempt) and the log-in.
    void beforeConnect(const QString &typedName = QString());
    void onLogin(TStringList &loginParams);
    void afterConnect();
    void setUpCurrency(const QString &localeSymbol);
    static void checkStoreType(TDataSet *dataSet);

    QString programFolder_;
    // The built-in log-in was put aside for a server at the last attempt (its log-in was asked for).
    bool builtInPutAside_ = false;
    std::unique_ptr<TIniFile> ini_;
    std::vector<std::unique_ptr<TxQuery>> namedQueries_;
    std::vector<std::unique_ptr<TDataSource>> namedSources_;
};

extern TDMZal *DMZal;

// The catalogue's captions, FIELDNAME=caption lines (UTF-8): every data set of the database takes them first, the
// modules' tables over them. The price's names the currency once it is known.
extern const char CatalogTitleLines[];

// ---- settings globals, named after their keys; loaded by TDMZal::LoadSettings
extern TStringList CompanyList; // key=value lines of the section Company
extern QString MaskC_VYR;       // the edit mask of product numbers (Masks/c_vyr; empty: none)
extern QString CurrencyCode;    // home currency: "EUR" or "CZK"
extern QString MoneyFormat;     // display format of money amounts
extern QString MRPPath;         // the accounting program's data folder (kept, not used)
extern QString CisloFa;         // invoice number prefix
extern QString DPH;             // VAT rate of invoices
extern bool EvidovatZmatky, ZmatkyPodrobne, NotifyMnozstvo, EvidovatOHod;
extern int NotifyProfesia;
extern double PriplatokNoc, MinMzdaSobota, PriplatokDochadzka, PriplatokVykon, OdmenaVeduceho, KoefUkol;
