#include "DMCis.h"

#include "CisSql.h"

#include "DMZal.h"
#include "Routines.h"
#include "library/DataModuleSetUp.h"
#include "library/SqlLiteral.h"
#include "platform/fbapi/IBError.h"
#include "platform/os/Clock.h"
#include "platform/os/Format.h"

TDMCis *DMCis = nullptr;

namespace {

void ensureOpen(TDataSet &dataSet)
{
    if (!dataSet.Active())
        dataSet.Open();
}

// The captions of the code lists' and pick lists' fields: customers, employees, items and jobs.
const TFieldTitle CodeListTitles[] = {
    {"C_ODB", "č.Odb."},
    {"ULICA", "Ulica"},
    {"MESTO", "Mesto"},
    {"PSC", "PSČ"},
    {"STAT", "Štát"},
    {"ICO", "IČO"},
    {"ICDPH", "IČ DPH"},
    {"DRC", "DRČ"},
    {"BANKA", "Banka"},
    {"BUCET", "Bank. účet"},
    {"TELEFON", "Telefón"},
    {"FAX", "Fax"},
    {"EMAIL", "E-mail"},
    {"KONTAKT", "Kontakt"},
    {"ODDELENIE", "Oddelenie"},
    {"POZNAMKA", "Poznámka"},
    {"P_ZLAVY", "% zľavy"},
    {"PLAT_PODM", "Plat.podm."},
    {"D_UPDATE", "Dátum zápisu"},
    {"OSC", "Os.číslo"},
    {"PRIEZVISKO", "Priezvisko"},
    {"MENO", "Meno"},
    {"PROFESIA", "Profesia"},
    {"TARIF", "Tarif"},
    {"STREDISKO", "Stredisko"},
    {"ROZMER", "Rozmer"},
    {"MATERIAL", "Materiál"},
    {"C_POL_EXT", "č.Externé"},
    {"C_VYKRESU", "č.Výkresu"},
    {"CENA_NAKL", "Cena/MJ"},
    {"CENA_KALK", "Cena kalk."},
    {"CENA_MAT", "Cena mat."},
    {"VAHA1", "Váha"},
    {"VAHA_MAT", "Váha mat."},
    {"KOMOD", "Kokila-Model"},
    {"D_OBJ", "Dátum obj."},
    {"TYP_OBJ", "Typ obj."},
    {"TERMIN_OBJ", "Požadované"},
    {"TERMIN", "Termín"},
    {"C_REV", "Revízia"},
    {"C_INT_RE", "Reklamácia k"},
    {"MNOZ_OBJ", "Množ.obj."},
    {"MNOZ_ODV", "Množ.odv."},
    {"MNOZ_SKL", "Množ.na sklade"},
    {"MNOZ_DOD", "Množ.dod."},
    {"MENA", "Mena"},
    {"KURZ", "Kurz"},
    {"UVN1", "Úplné vl.náklady"},
    {"KOEF_MAT", "Koef.mat."},
    {"KOEF_DOP", "Koef.dopr."},
    {"DOPRAVA", "Doprava"},
    {"BALENIE", "Balenie"},
    {"TECH_PODM", "Tech.podm."},
    {"UV", "ÚV"},
    {"SPEC1", "č.Výkresu"},
    {"SPEC2", "Doba výroby"},

};

void codeListTitles(TDataSet *ds)
{
    SetFieldTitles(ds, UnitCostTitles);
    SetFieldTitles(ds, CodeListTitles);
}

} // namespace

TDMCis::TDMCis()
{
    DMCis = this;
    TIBDatabase *db = &DMZal->DBZAL;
    SetUpTable(QOdberatelia, DSQOdberatelia, QStringLiteral("QOdberatelia"), db, QStringLiteral("CODBERATELOV"));
    SetUpTable(QZamestnanci, DSQZamestnanci, QStringLiteral("QZamestnanci"), db, QStringLiteral("CZAMESTNANCOV"));
    SetUpTable(CRezii, DSCRezii, QStringLiteral("CRezii"), db, QStringLiteral("CREZII"));
    SetUpTable(CProfesii, DSCProfesii, QStringLiteral("CProfesii"), db, QStringLiteral("CPROFESII"));
    SetUpTable(CTarifov, DSCTarifov, QStringLiteral("CTarifov"), db, QStringLiteral("CTARIFOV"));
    SetUpTable(CNakladov, DSCNakladov, QStringLiteral("CNakladov"), db, QStringLiteral("CNAKLADOV"));
    SetUpTable(CStredisk, DSCStredisk, QStringLiteral("CStredisk"), db, QStringLiteral("CSTREDISK"));
    SetUpTable(CPracovisk, DSCPracovisk, QStringLiteral("CPracovisk"), db, QStringLiteral("CPRACOVISK"));
    SetUpTable(CRozvrhov, DSCRozvrhov, QStringLiteral("CRozvrhov"), db, QStringLiteral("CROZVRHOV"));
    SetUpTable(Cine, DSCine, QStringLiteral("Cine"), db);

    QOdberatelia.OnCreateFields = codeListTitles;
    QZamestnanci.OnCreateFields = codeListTitles;
    QOdberatelia.OnNewRecord = [this](TDataSet *ds) { QOdberateliaNewRecord(ds); };
    QOdberatelia.BeforePost = [this](TDataSet *ds) { QOdberateliaBeforePost(ds); };
    QOdberatelia.BeforeDelete = [this](TDataSet *ds) { QOdberateliaBeforeDelete(ds); };
    QZamestnanci.OnNewRecord = [this](TDataSet *ds) { QZamestnanciNewRecord(ds); };
    QZamestnanci.BeforeDelete = [this](TDataSet *ds) { QZamestnanciBeforeDelete(ds); };
    CPracovisk.OnNewRecord = [this](TDataSet *ds) { CPracoviskNewRecord(ds); };
    CRozvrhov.OnNewRecord = CPracovisk.OnNewRecord;
    // An overhead's value is a rate ("Hodnota [%]"), though the catalogue shows HODNOTA as money.
    CRezii.OnCreateFields = [](TDataSet *ds) {
        if (TField *f = ds->FindField(QStringLiteral("HODNOTA"))) {
            f->Currency = false;
            f->DisplayFormat = QStringLiteral("#####0.###");
            f->SetDisplayWidth(10);
        }
    };

    // The pick lists: their where line is set when they are opened.
    using namespace CisSql;
    SetUpQuery(QvZakazkyD, &DSQvZakazkyD, QStringLiteral("QvZakazkyD"), db,
               PickStatement(PickAll, OrderPickFrom, QString(), OrderPickOrder), false);
    SetUpQuery(QPolozky, &DSQPolozky, QStringLiteral("QPolozky"), db,
               PickStatement(PickAll, ItemPickFrom, QString(), ItemPickOrder), false);
    QvZakazkyD.OnCreateFields = codeListTitles;
    QPolozky.OnCreateFields = codeListTitles;
}

TDMCis::~TDMCis()
{
    for (TDataSet *ds :
         std::initializer_list<TDataSet *>{&QvZakazkyD, &QPolozky, &Cine, &CRozvrhov, &CPracovisk, &CStredisk,
                                           &CNakladov, &CTarifov, &CProfesii, &CRezii, &QZamestnanci, &QOdberatelia}) {
        try {
            ds->Close();
        } catch (...) {
            // The connection may already be gone at the end of the run.
        }
    }
    if (DMCis == this)
        DMCis = nullptr;
}

// ---------------------------------------------------------------- rules

void TDMCis::QOdberateliaNewRecord(TDataSet *dataSet)
{
    // Provisional customers (tag 1) count down below the smallest number, ordinary ones up from the largest;
    // each side of 0 on its own, as 0 means "no customer".
    const int number = dataSet->Tag == 1 ? SelectValueParams(CisSql::SmallestCustomer).toInt() - 1
                                         : SelectValueParams(CisSql::LargestCustomer).toInt() + 1;
    dataSet->FieldByName(QStringLiteral("C_ODB"))->SetValue(number);
    dataSet->FieldByName(QStringLiteral("D_UPDATE"))->SetValue(Date());
}

void TDMCis::QOdberateliaBeforePost(TDataSet *dataSet)
{
    // Every document made for a customer prints its name as the buyer.
    if (dataSet->FieldByName(QStringLiteral("ODBERATEL"))->AsString().trimmed().isEmpty())
        throw EDatabaseError(QString::fromUtf8("Povinný údaj \"Odberateľ\" nie je zadaný!"));
}

namespace {
// What keeps a customer: the rows that name it and the name of the link, as CustomerLinks maps it.
const struct {
    const QString &sql;
    const char *link;
} customerHolders[] = {
    {CisSql::CustomerOrders, "CODBERATELOV_ZAKAZKY"},
    {CisSql::CustomerOffers, "CODBERATELOV_PONUKY"},
    {CisSql::CustomerNotes, "CODBERATELOV_EDLISTY"},
    {CisSql::CustomerItems, "CODBERATELOV_POLOZKY"},
};
} // namespace

const QStringList TDMCis::CustomerLinks{
    QString::fromUtf8("CODBERATELOV_ZAKAZKY|Odberateľa nie je možné zmazať: má objednávky."),
    QString::fromUtf8("CODBERATELOV_PONUKY|Odberateľa nie je možné zmazať: má cenové ponuky."),
    QString::fromUtf8("CODBERATELOV_EDLISTY|Odberateľa nie je možné zmazať: má dodacie listy."),
    QString::fromUtf8("CODBERATELOV_POLOZKY|Odberateľa nie je možné zmazať: má výrobky alebo náradie."),
};

void TDMCis::QOdberateliaBeforeDelete(TDataSet *dataSet)
{
    // The rows that name a customer carry 0 for "none" and a provisional customer's negative number, so no
    // foreign key guards them: the link is checked here and refused as the server refuses a broken one,
    // naming the link.
    const int customer = dataSet->FieldByName(QStringLiteral("C_ODB"))->AsInteger();
    for (const auto &holder : customerHolders)
        if (SelectValueParams(holder.sql, {customer}).toInt() > 0) {
            EIBError refusal(QString::fromUtf8("Odberateľa č.%1 nie je možné zmazať.").arg(customer), -530,
                             isc_foreign_key, QLatin1String(holder.link));
            refusal.ServerMessage = refusal.ConstraintName;
            throw refusal;
        }
}

void TDMCis::QZamestnanciNewRecord(TDataSet *dataSet)
{
    dataSet->FieldByName(QStringLiteral("STREDISKO"))->SetValue(QStringLiteral(" "));
}

void TDMCis::QZamestnanciBeforeDelete(TDataSet *dataSet)
{
    const int osc = dataSet->FieldByName(QStringLiteral("OSC"))->AsInteger();
    // Performances of the last three years and attendance of the last year keep an employee.
    const struct {
        const QString &sql;
        const char *refusal;
    } checks[] = {
        {CisSql::EmployeePerformances,
         "Na tohoto zamestnanca existujú výkony za ostatné 3 roky!\rNie je ho možné zmazať."},
        {CisSql::EmployeeAttendance,
         "Na tohoto zamestnanca existuje dochádzka za ostatný rok!\rNie je ho možné zmazať."},
    };
    for (const auto &check : checks) {
        const int rows = SelectValueParams(check.sql, {osc}).toInt();
        if (rows > 0)
            throw EDatabaseError(QString::fromUtf8(check.refusal));
    }
}

void TDMCis::CPracoviskNewRecord(TDataSet *dataSet)
{
    dataSet->FieldByName(QStringLiteral("STREDISKO"))->SetValue(QStringLiteral(" "));
}

// ---------------------------------------------------------------- look-ups

bool TDMCis::GetOverheadRate(const QString &name, double defaultValue, double &value, QChar &base)
{
    ensureOpen(CRezii);
    if (!CRezii.Locate(QStringLiteral("POLE"), name, loCaseInsensitive)) {
        value = defaultValue;
        base = QLatin1Char(' ');
        return false;
    }
    value = CRezii.FieldByName(QStringLiteral("HODNOTA"))->AsFloat();
    // An empty base reads as a blank, as for a missing row.
    const QString zaklad = CRezii.FieldByName(QStringLiteral("ZAKLAD"))->AsString();
    base = zaklad.isEmpty() ? QLatin1Char(' ') : zaklad.at(0);
    return true;
}

void TDMCis::SetWorkplaceOverhead(TField *field, const QString &workplace, double minutes, double amount, double)
{
    if (workplace.trimmed().isEmpty())
        return;
    ensureOpen(CPracovisk);
    if (!CPracovisk.Locate(QStringLiteral("PRACOVISKO"), workplace, loCaseInsensitive))
        return;
    const QString type = CPracovisk.FieldByName(QStringLiteral("TYP_VYRREZ"))->AsString();
    double base = 1;
    if (type == QLatin1String("%"))
        base = amount / 100;
    else if (type == QLatin1String("H"))
        base = minutes / 60;
    field->SetValue(CPracovisk.FieldByName(QStringLiteral("KOEF_VYRREZ"))->AsFloat() * base);
}

void TDMCis::SetTariffWage(TField *field, const QString &tariff, double minutes, double)
{
    if (!(tariff > QLatin1String(" ")) || minutes == 0)
        return;
    ensureOpen(CTarifov);
    if (!CTarifov.Locate(QStringLiteral("TARIF"), tariff, loCaseInsensitive))
        return;
    const double wage = CTarifov.FieldByName(QStringLiteral("MZDAH"))->AsFloat();
    if (wage != 0)
        field->SetValue(minutes * wage / 60);
}

bool TDMCis::IsHoliday(const QDate &date)
{
    if (holidays_.isEmpty()) {
        Cine.Close();
        Cine.SetTableName(QStringLiteral("CSVIATKOV"));
        Cine.Open();
        for (Cine.First(); !Cine.Eof(); Cine.Next())
            holidays_.append(HolidayKey(Cine.FieldByName(QStringLiteral("DEN"))->AsString()));
    }
    return holidays_.contains(HolidayKey(date));
}

// ---------------------------------------------------------------- employees

void TDMCis::SetEmployeeOrder(const QString &fieldName)
{
    QZamestnanci.Close();
    QZamestnanci.SetFiltered(false);
    QZamestnanci.SetIndexFieldNames(fieldName);
    QZamestnanci.Open();
}

void TDMCis::QuickFilterEmployees(const QString &fieldName, const QString &text)
{
    // The typed text is one literal whatever it holds; the number OSC is matched as text, so letters find
    // nothing instead of failing.
    const QString condition = QuickSearch(QZamestnanci, fieldName, text);
    QZamestnanci.Close();
    QZamestnanci.SetFiltered(false);
    QZamestnanci.SetFilterText(condition);
    QZamestnanci.SetFiltered(true);
    QZamestnanci.Open();
}
