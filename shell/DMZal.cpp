#include "DMZal.h"

#include "LoginDialog.h"
#include "library/DataModuleSetUp.h"
#include "library/FieldTitles.h"
#include "library/ServiceBlocks.h"
#include "ZalSql.h"
#include "platform/fbapi/IBError.h"
#include "platform/os/Clock.h"
#include "platform/os/Exception.h"
#include "platform/os/Folders.h"
#include "platform/os/Format.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Guarded.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QHostInfo>
#include <QLocale>

TDMZal *DMZal = nullptr;

TStringList CompanyList;
QString MaskC_VYR;
QString CurrencyCode = QStringLiteral("EUR");
QString MoneyFormat;
QString MRPPath;
QString CisloFa;
QString DPH;
bool EvidovatZmatky = true;
bool ZmatkyPodrobne = false;
bool NotifyMnozstvo = true;
bool EvidovatOHod = true;
int NotifyProfesia = 1;
double PriplatokNoc = 8.5;
double MinMzdaSobota = 600;
double PriplatokDochadzka = 0;
double PriplatokVykon = 0;
double OdmenaVeduceho = 0;
double KoefUkol = 0.25;

namespace {

const QString RegistryKey = QStringLiteral("\\SOFTWARE\\TarvIS");
const QString DefaultPassword = QStringLiteral("plumtiger");

// Server error codes the connection handles.
constexpr int NetworkErrorCode = 335544721;
constexpr int LoginErrorCode = 335544472;

// The settings in one piece, so the globals change together.
struct SettingsValues {
    QStringList company;
    QString productMask;
    QString mrpPath, cisloFa, dph;
    bool evidovatZmatky = true, zmatkyPodrobne = false, notifyMnozstvo = true, evidovatOHod = true;
    int notifyProfesia = 1;
    double priplatokNoc = 8.5, minMzdaSobota = 600, priplatokDochadzka = 0, priplatokVykon = 0, odmenaVeduceho = 0,
           koefUkol = 0.25;
};

SettingsValues readSettings(const TIniFile &ini)
{
    SettingsValues v;
    v.company = ini.ReadSectionValues(QStringLiteral("Company"));
    v.productMask = ini.ReadString(QStringLiteral("Masks"), QStringLiteral("c_vyr"), QString());
    const QString mrp = QStringLiteral("MRP");
    v.mrpPath = ini.ReadString(mrp, QStringLiteral("Path"),
                               QStringLiteral("C:\\Program Files\\MRP\\Podvojné účtovníctvo\\Data0001"));
    v.cisloFa = ini.ReadString(mrp, QStringLiteral("CisloFa"), FormatDateTime(QStringLiteral("yyyy"), Date()) + '/');
    v.dph = ini.ReadString(mrp, QStringLiteral("DPH"), QStringLiteral("19"));
    const QString vykony = QStringLiteral("Vykony");
    v.evidovatZmatky = ini.ReadBool(vykony, QStringLiteral("EvidovatZmatky"), true);
    v.zmatkyPodrobne = ini.ReadBool(vykony, QStringLiteral("ZmatkyPodrobne"), false);
    v.notifyMnozstvo = ini.ReadBool(vykony, QStringLiteral("NotifyMnozstvo"), true);
    v.notifyProfesia = ini.ReadInteger(vykony, QStringLiteral("NotifyProfesia"), 1);
    v.evidovatOHod = ini.ReadBool(vykony, QStringLiteral("EvidovatOHod"), true);
    const QString mzdy = QStringLiteral("Mzdy");
    v.priplatokNoc = ini.ReadFloat(mzdy, QStringLiteral("PriplatokNoc"), 8.5);
    v.minMzdaSobota = ini.ReadFloat(mzdy, QStringLiteral("MinMzdaSobota"), 600);
    v.priplatokDochadzka = ini.ReadFloat(mzdy, QStringLiteral("PriplatokDochadzka"), 0);
    v.priplatokVykon = ini.ReadFloat(mzdy, QStringLiteral("PriplatokVykon"), 0);
    v.odmenaVeduceho = ini.ReadFloat(mzdy, QStringLiteral("OdmenaVeduceho"), 0);
    v.koefUkol = ini.ReadFloat(mzdy, QStringLiteral("KoefUkol"), 0.25);
    return v;
}

// Whether a server error text is about this machine's server.
bool namesLocalServer(const QString &errorText)
{
    const QStringList localNames{QStringLiteral("localhost"), QStringLiteral("127.0.0.1"), QStringLiteral("::1"),
                                 QHostInfo::localHostName()};
    for (const QString &name : localNames)
        if (!name.isEmpty() && errorText.contains(QLatin1Char('"') + name + QLatin1Char('"'), Qt::CaseInsensitive))
            return true;
    return false;
}

// The scratch and print queries: the modules' lists read through them show the same words as their own.
void sharedListTitles(TDataSet *ds)
{
    CommonTitles().Apply(ds);
}

} // namespace

const char CatalogTitleLines[] = "C_OBJ=č.Objednávky\n"
                                 "C_INT=č.Zákazky\n"
                                 "C_VYR=č.Výrobku\n"
                                 "C_POL=č.Položky\n"
                                 "MNOZ_VYR=Množstvo\n"
                                 "NAZOV_VYR=Názov výrobku\n"
                                 "NAZOV=Názov\n"
                                 "ODBERATEL=Odberateľ\n"
                                 "NAKL1=Vl.náklady\n"
                                 "CENA1=Cena\n"
                                 "CENA_KURZ1=Cena v mene\n"
                                 "C_DAVKY=č.Dávky\n"
                                 "C_OPERACIE=č.Op.";

TDMZal::TDMZal(const QString &programFile)
{
    DMZal = this;
    const QString program = programFile.isEmpty() ? ProgramFileName() : programFile;
    const QFileInfo programInfo(program);
    programFolder_ = programInfo.absolutePath() + QLatin1Char('/');

    // The connection, its transaction and catalogue.
    DBZAL.Name = QStringLiteral("DBZAL");
    DBZAL.Params.SetValue(QStringLiteral("user_name"), QStringLiteral("SYSDBA"));
    DBZAL.Params.SetValue(QStringLiteral("password"), DefaultPassword);
    DBZAL.Params.SetValue(QStringLiteral("lc_ctype"), QStringLiteral("WIN1250"));
    DBZAL.LoginPrompt = false;
    DBZAL.SQLDialect = 3;
    DBZAL.DBCatalog = &DBCatalog;
    DBZAL.BeforeConnect = [this](TIBDatabase *) { beforeConnect(); };
    DBZAL.OnLogin = [this](TIBDatabase *, TStringList &login) { onLogin(login); };
    DBZAL.AfterConnect = [this](TIBDatabase *) { afterConnect(); };

    DBTransaction.Name = QStringLiteral("DBTransaction");
    DBTransaction.Params.SetText(QStringLiteral("read_committed\nrec_version\nwait"));
    DBTransaction.DefaultAction = TACommitRetaining;
    DBTransaction.SetIdleTimer(10000);
    DBTransaction.SetDefaultDatabase(&DBZAL);
    DBZAL.SetDefaultTransaction(&DBTransaction);

    DBCatalog.Name = QStringLiteral("DBCatalog");
    DBCatalog.Titles.SetText(QString::fromUtf8(CatalogTitleLines));
    DBCatalog.Formats.SetText(QStringLiteral("HODNOTA=$\n"
                                             "MZDA=$\n"
                                             "CENAC=$\n"
                                             "NAKL1=$\n"
                                             "C_INT=#0\"/\"0000\n"
                                             "HODN_DL=# ##0.00"));

    // Scratch queries, the print query, the privileges and the shared code lists.
    SetUpQuery(Query, &DSQuery, QStringLiteral("Query"), &DBZAL);
    SetUpQuery(Query1, &DSQuery1, QStringLiteral("Query1"), &DBZAL, QString(), false);
    SetUpQuery(QTlac, &DSTlac, QStringLiteral("QTlac"), &DBZAL, QString(), false);
    SetUpQuery(QPrivileges, nullptr, QStringLiteral("QPrivileges"), &DBZAL, ZalSql::Privileges);
    SetUpQuery(QOrderState, nullptr, QStringLiteral("QOrderState"), &DBZAL, ZalSql::SetOrderState);
    for (TxQuery *q : {&Query, &Query1, &QTlac})
        q->OnCreateFields = sharedListTitles;
    SetUpTable(CStatov, DSCStatov, QStringLiteral("CStatov"), &DBZAL, QStringLiteral("CSTATOV"));
    SetUpTable(CMaterialov, DSCMaterialov, QStringLiteral("CMaterialov"), &DBZAL, QStringLiteral("CMATERIALOV"));
    SetUpTable(CSkladov, DSCSkladov, QStringLiteral("CSkladov"), &DBZAL, QStringLiteral("CSKLADOV"));
    SetUpTable(COperacii, DSCOperacii, QStringLiteral("COperacii"), &DBZAL, QStringLiteral("COPERACII"));
    COperacii.SetIndexFieldNames(QStringLiteral("C_OPERACIE"));
    CSkladov.BeforePost = &TDMZal::checkStoreType;
    COperacii.OnNewRecord = [](TDataSet *ds) {
        ds->FieldByName(QStringLiteral("PRACOVISKO"))->SetValue(QStringLiteral(" "));
    };

    // The settings file: "<program>.ini" when it exists, else "TarvIS.ini" beside the program.
    CompanyList.Clear();
    QString iniName = programFolder_ + programInfo.completeBaseName() + QStringLiteral(".ini");
    if (!QFileInfo::exists(iniName))
        iniName = programFolder_ + QStringLiteral("TarvIS.ini");
    ini_ = std::make_unique<TIniFile>(iniName);
    LoadSettings();

    // Database errors that leave a handler are shown in Slovak. Nothing of the data layer is on the stack
    // any more: a connection found lost is let go of now, so the next work connects again from the start
    // instead of closing data sets under a rule that happens to make the first call.
    SetDbErrorTranslator([this](const EDatabaseError &e) {
        const bool shown = TranslateDbError(nullptr, e);
        const auto *server = dynamic_cast<const EIBError *>(&e);
        DBZAL.LetGoIfLost(server && server->ConnectionLost);
        return shown;
    });

    // Number, date and money formats of the user's locale; without a configured locale the Slovak
    // defaults stay.
    const QLocale locale;
    if (locale.language() != QLocale::C)
        LoadFormatSettingsFromLocale(locale);
    setUpCurrency(FormatSettings().CurrencyString);
}

TDMZal::~TDMZal()
{
    try {
        namedSources_.clear();
        DBZAL.Close();
    } catch (...) {
        // Closing at the end commits; a failure there has nobody left to tell.
    }
    namedQueries_.clear();
    if (DMZal == this) {
        DMZal = nullptr;
        SetDbErrorTranslator(nullptr);
    }
}

void TDMZal::setUpCurrency(const QString &localeSymbol)
{
    QString symbol = localeSymbol;
    if (symbol == QLatin1String("Sk")) {
        symbol = QStringLiteral("€");
        FormatSettings().CurrencyString = symbol;
        CurrencyCode = QStringLiteral("EUR");
    } else if (symbol == QString::fromUtf8("Kč")) {
        CurrencyCode = QStringLiteral("CZK");
    } else {
        CurrencyCode = QStringLiteral("EUR");
    }
    // Positive; negative as positive with a minus; zero as a blank.
    MoneyFormat = QStringLiteral("## ##0.00 ") + symbol + QStringLiteral(";; ");
    DBCatalog.Titles.SetValue(QStringLiteral("CENA1"), QStringLiteral("Cena v ") + symbol);
}

// ---------------------------------------------------------------- settings and registry

void TDMZal::LoadSettings()
{
    const SettingsValues v = readSettings(*ini_);
    CompanyList = v.company;
    MaskC_VYR = v.productMask;
    MRPPath = v.mrpPath;
    CisloFa = v.cisloFa;
    DPH = v.dph;
    EvidovatZmatky = v.evidovatZmatky;
    ZmatkyPodrobne = v.zmatkyPodrobne;
    NotifyMnozstvo = v.notifyMnozstvo;
    NotifyProfesia = v.notifyProfesia;
    EvidovatOHod = v.evidovatOHod;
    PriplatokNoc = v.priplatokNoc;
    MinMzdaSobota = v.minMzdaSobota;
    PriplatokDochadzka = v.priplatokDochadzka;
    PriplatokVykon = v.priplatokVykon;
    OdmenaVeduceho = v.odmenaVeduceho;
    KoefUkol = v.koefUkol;
}

void TDMZal::SaveSettings()
{
    TIniFile &ini = *ini_;
    ini.WriteString(QStringLiteral("MRP"), QStringLiteral("CisloFa"), CisloFa);
    ini.WriteString(QStringLiteral("MRP"), QStringLiteral("DPH"), DPH);
    ini.WriteBool(QStringLiteral("Vykony"), QStringLiteral("EvidovatZmatky"), EvidovatZmatky);
    ini.WriteBool(QStringLiteral("Vykony"), QStringLiteral("ZmatkyPodrobne"), ZmatkyPodrobne);
    ini.WriteBool(QStringLiteral("Vykony"), QStringLiteral("NotifyMnozstvo"), NotifyMnozstvo);
    ini.WriteInteger(QStringLiteral("Vykony"), QStringLiteral("NotifyProfesia"), NotifyProfesia);
    ini.WriteFloat(QStringLiteral("Mzdy"), QStringLiteral("PriplatokNoc"), PriplatokNoc);
    ini.WriteFloat(QStringLiteral("Mzdy"), QStringLiteral("MinMzdaSobota"), MinMzdaSobota);
    ini.WriteFloat(QStringLiteral("Mzdy"), QStringLiteral("PriplatokDochadzka"), PriplatokDochadzka);
}

QString TDMZal::ReadDefault(const QString &key)
{
    return ini_->ReadString(QStringLiteral("Defaults"), key, QString());
}

void TDMZal::ReadDefaultsList(TStringList &list, const QString &key)
{
    const QString value = ReadDefault(key);
    if (!value.isEmpty())
        list = SplitCommaText(value);
}

namespace {

// The registry key of the values, as a group of the user's values file.
const QString UserValuesGroup = QStringLiteral("SOFTWARE/TarvIS");

// A value an earlier version kept in "registry/SOFTWARE/TarvIS/values" (escaped "name=value" lines) of the
// configuration folder; empty when there is none.
QString valueKeptBefore(const QString &name)
{
    QFile file(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
               QStringLiteral("/registry/SOFTWARE/TarvIS/values"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).remove(QChar(u'\n'));
        QString key, value, *target = &key;
        for (int i = 0; i < line.size(); ++i) {
            const QChar c = line[i];
            if (c == QLatin1Char('\\') && i + 1 < line.size()) {
                const QChar e = line[++i];
                *target += e == QLatin1Char('n')   ? QChar(QLatin1Char('\n'))
                           : e == QLatin1Char('r') ? QChar(QLatin1Char('\r'))
                                                   : e;
            } else if (c == QLatin1Char('=') && target == &key) {
                target = &value;
            } else {
                *target += c;
            }
        }
        if (target == &value && key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return {};
}

} // namespace

QString TDMZal::UserValuesFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QStringLiteral("/TarvIS.conf");
}

QString TDMZal::ReadRegString(const QString &name)
{
    QSettings values(UserValuesFile(), QSettings::IniFormat);
    const QString key = UserValuesGroup + QLatin1Char('/') + name;
    if (values.contains(key))
        return values.value(key).toString();
    // A value of the earlier store is read once and kept here from then on.
    const QString before = valueKeptBefore(name);
    if (!before.isEmpty()) {
        values.setValue(key, before);
        values.sync();
    }
    return before;
}

void TDMZal::WriteRegString(const QString &name, const QString &value)
{
    QSettings values(UserValuesFile(), QSettings::IniFormat);
    values.setValue(UserValuesGroup + QLatin1Char('/') + name, value);
    values.sync();
    if (values.status() != QSettings::NoError)
        throw Exception(QStringLiteral("Súbor %1 nie je možné zapísať.").arg(UserValuesFile()));
}

// ---------------------------------------------------------------- connection

void TDMZal::beforeConnect(const QString &typedName)
{
    DBZAL.DatabaseName = !typedName.isEmpty() ? typedName
                                              : ini_->ReadString(QStringLiteral("Database"), QStringLiteral("Name"),
                                                                 programFolder_ + QStringLiteral("TarvDB.fdb"));
    if (builtInPutAside_) {
        builtInPutAside_ = false;
        DBZAL.LoginPrompt = false;
        DBZAL.Params.SetValue(QStringLiteral("user_name"), QStringLiteral("SYSDBA"));
        DBZAL.Params.SetValue(QStringLiteral("password"), DefaultPassword);
    }
    DBZAL.LoginPrompt = ini_->ReadBool(QStringLiteral("Database"), QStringLiteral("LoginPrompt"), DBZAL.LoginPrompt);
    // The built-in password is the embedded engine's alone: a server is never sent it, its log-in is asked.
    if (!DBZAL.LoginPrompt && DBZAL.Params.Values(QStringLiteral("password")) == DefaultPassword &&
        IsServerDatabaseName(DBZAL.DatabaseName)) {
        DBZAL.LoginPrompt = true;
        builtInPutAside_ = true;
    }
    if (DBZAL.LoginPrompt) {
        DBZAL.Params.SetValue(QStringLiteral("user_name"), ReadRegString(QStringLiteral("LastLogin")));
        DBZAL.Params.SetValue(QStringLiteral("password"), QString());
    }
    // A file the embedded engine cannot open (one the local server holds, one this user may not read) is
    // not reached through the local server either: the built-in log-in opens it with the engine alone.
    DBZAL.Params.SetValue(QStringLiteral("providers"),
                          !DBZAL.LoginPrompt && DBZAL.Params.Values(QStringLiteral("password")) == DefaultPassword
                              ? QStringLiteral("Engine12")
                              : QString());
}

void TDMZal::onLogin(TStringList &loginParams)
{
    QString user = loginParams.Values(QStringLiteral("user_name"));
    QString password = loginParams.Values(QStringLiteral("password"));
    if (!LoginDialog(DBZAL.DatabaseName, user, password))
        return;
    user = user.toUpper();
    loginParams.SetValue(QStringLiteral("user_name"), user);
    loginParams.SetValue(QStringLiteral("password"), password);
    // The connection's own lines carry the user, so CurrentUserName names who logged in.
    DBZAL.Params.SetValue(QStringLiteral("user_name"), user);
    DBZAL.Params.SetValue(QStringLiteral("password"), password);
    DBZAL.Password = password;
}

void TDMZal::afterConnect()
{
    WriteRegString(QStringLiteral("LastLogin"), CurrentUserName());
}

void TDMZal::ConnectDatabase()
{
    if (DBZAL.Connected())
        return;
    try {
        DBZAL.Open();
    } catch (const EIBError &e) {
        if (e.IBErrorCode == NetworkErrorCode) {
            if (namesLocalServer(e.ServerMessage) && !IsFirebirdServerRunning())
                MessageBox(QStringLiteral("Firebird SQL Server nie je spustený!"),
                           QStringLiteral("Chyba pripojenia k databáze!"), mtError, mbOK);
            const QString name =
                InputBox(QStringLiteral("Pripojenie k databáze zlyhalo!"), QStringLiteral("Zadaj cestu k databáze:"),
                         QStringLiteral("server:cesta\\TarvDB.fdb"));
            // The typed name holds for this attempt only: it is neither saved nor kept for the next.
            const auto keepName = DBZAL.BeforeConnect;
            DBZAL.BeforeConnect = [this, name](TIBDatabase *) { beforeConnect(name); };
            try {
                DBZAL.Open();
            } catch (...) {
                DBZAL.BeforeConnect = keepName;
                throw;
            }
            DBZAL.BeforeConnect = keepName;
        } else if (e.IBErrorCode == LoginErrorCode) {
            MessageBox(QString::fromUtf8("Neznáme meno užívateľa alebo nesprávne heslo!"),
                       QString::fromUtf8("Chyba prihlásenia k databáze!"), mtError, mbOK);
        } else {
            throw;
        }
    }
}

void TDMZal::checkStoreType(TDataSet *dataSet)
{
    const QString type = dataSet->FieldByName(QStringLiteral("TYP_SKLADU"))->AsString();
    if (type != QLatin1String("V ") && type != QLatin1String("M ") && type != QLatin1String("N "))
        throw EDatabaseError(QString::fromUtf8("Typ skladu musí byť V,M,N !"));
}

// ---------------------------------------------------------------- named auxiliary queries

TxQuery *TDMZal::FindQuery(const QString &name)
{
    for (TxQuery *q : {&Query, &Query1, &QTlac, &QPrivileges})
        if (q->Name == name)
            return q;
    for (const auto &q : namedQueries_)
        if (q->Name == name)
            return q.get();
    return nullptr;
}

TDataSource *TDMZal::FindDataSource(TDataSet *dataSet)
{
    for (TDataSource *s : {&DSQuery, &DSQuery1, &DSTlac, &DSCStatov, &DSCMaterialov, &DSCSkladov, &DSCOperacii})
        if (s->DataSet() == dataSet)
            return s;
    for (const auto &s : namedSources_)
        if (s->DataSet() == dataSet)
            return s.get();
    return nullptr;
}

TxQuery *TDMZal::GetQuery(const QString &name)
{
    if (name.isEmpty())
        return &Query;
    if (TxQuery *q = FindQuery(name))
        return q;
    auto q = std::make_unique<TxQuery>();
    q->Name = name;
    q->SetDatabase(&DBZAL);
    q->OnCreateFields = sharedListTitles;
    namedQueries_.push_back(std::move(q));
    return namedQueries_.back().get();
}

TDataSource *TDMZal::GetDataSource(TDataSet *dataSet)
{
    if (TDataSource *s = FindDataSource(dataSet))
        return s;
    auto s = std::make_unique<TDataSource>();
    s->Name = QStringLiteral("DS") + dataSet->Name;
    s->SetDataSet(dataSet);
    s->AutoEdit = false;
    namedSources_.push_back(std::move(s));
    return namedSources_.back().get();
}
