#include "DMCis.h"

#include "CisOdbForm.h"
#include "CisPolForm.h"
#include "CisZakForm.h"
#include "CisZamForm.h"
#include "DMZal.h"
#include "FormSluzby.h"
#include "MenuHooks.h"
#include "QMsgDForm.h"
#include "QMsgForm.h"
#include "Startup.h"
#include "Routines.h"
#include "library/SqlLiteral.h"
#include "platform/os/Clock.h"
#include "platform/os/Format.h"

TDMCis *DMCis = nullptr;

namespace {

void ensureOpen(TDataSet &dataSet)
{
    if (!dataSet.Active())
        dataSet.Open();
}

} // namespace

TDMCis::TDMCis()
{
    DMCis = this;
    const auto table = [](TxTable &t, const QString &name, const QString &tableName, TDataSource &ds) {
        t.Name = name;
        t.SetDatabase(&DMZal->DBZAL);
        if (!tableName.isEmpty())
            t.SetTableName(tableName);
        ds.Name = QStringLiteral("DS") + name;
        ds.SetDataSet(&t);
    };
    table(QOdberatelia, QStringLiteral("QOdberatelia"), QStringLiteral("CODBERATELOV"), DSQOdberatelia);
    table(QZamestnanci, QStringLiteral("QZamestnanci"), QStringLiteral("CZAMESTNANCOV"), DSQZamestnanci);
    table(CRezii, QStringLiteral("CRezii"), QStringLiteral("CREZII"), DSCRezii);
    table(CProfesii, QStringLiteral("CProfesii"), QStringLiteral("CPROFESII"), DSCProfesii);
    table(CTarifov, QStringLiteral("CTarifov"), QStringLiteral("CTARIFOV"), DSCTarifov);
    table(CNakladov, QStringLiteral("CNakladov"), QStringLiteral("CNAKLADOV"), DSCNakladov);
    table(CStredisk, QStringLiteral("CStredisk"), QStringLiteral("CSTREDISK"), DSCStredisk);
    table(CPracovisk, QStringLiteral("CPracovisk"), QStringLiteral("CPRACOVISK"), DSCPracovisk);
    table(CRozvrhov, QStringLiteral("CRozvrhov"), QStringLiteral("CROZVRHOV"), DSCRozvrhov);
    table(Cine, QStringLiteral("Cine"), QString(), DSCine);

    QOdberatelia.OnNewRecord = [this](TDataSet *ds) { QOdberateliaNewRecord(ds); };
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

    const auto query = [](TxQuery &q, const QString &name, const QString &from, const QString &order,
                          TDataSource &ds) {
        q.Name = name;
        q.SetDatabase(&DMZal->DBZAL);
        q.SQL().SetText(QStringLiteral("select *\n") + from + QStringLiteral("\n\n") + order);
        ds.Name = QStringLiteral("DS") + name;
        ds.SetDataSet(&q);
        ds.AutoEdit = false;
    };
    query(QvZakazkyD, QStringLiteral("QvZakazkyD"), QStringLiteral("from vZakazkyDKalk "),
          QStringLiteral("order by termin desc, c_int desc"), DSQvZakazkyD);
    query(QPolozky, QStringLiteral("QPolozky"), QStringLiteral("from POLOZKY"), QStringLiteral("order by C_POL"),
          DSQPolozky);
}

TDMCis::~TDMCis()
{
    for (TDataSet *ds : std::initializer_list<TDataSet *>{&QvZakazkyD, &QPolozky, &Cine, &CRozvrhov, &CPracovisk,
                                                         &CStredisk, &CNakladov, &CTarifov, &CProfesii, &CRezii,
                                                         &QZamestnanci, &QOdberatelia}) {
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
    // Provisional customers (tag 1) count down below the smallest number, ordinary ones up from the largest.
    const int number =
        dataSet->Tag == 1
            ? SelectValueParams(QStringLiteral("select min(C_ODB) from COdberatelov")).toInt() - 1
            : SelectValueParams(QStringLiteral("select max(C_ODB) from COdberatelov")).toInt() + 1;
    DMZal->Query.Close();
    dataSet->FieldByName(QStringLiteral("C_ODB"))->SetValue(number);
    dataSet->FieldByName(QStringLiteral("D_UPDATE"))->SetValue(Date());
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
        const char *sql;
        const char *refusal;
    } checks[] = {
        {"select count(*) from SVykony where osc=:osc and datum>CURRENT_DATE-1095",
         "Na tohoto zamestnanca existujú výkony za ostatné 3 roky!\rNie je ho možné zmazať."},
        {"select count(*) from SDochadzka where osc=:osc and datum>CURRENT_DATE-365",
         "Na tohoto zamestnanca existuje dochádzka za ostatný rok!\rNie je ho možné zmazať."},
    };
    for (const auto &check : checks) {
        const int rows = SelectValueParams(QString::fromLatin1(check.sql), {osc}).toInt();
        DMZal->Query.Close();
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
            holidays_.append(Cine.FieldByName(QStringLiteral("DEN"))->AsString().left(5));
    }
    return holidays_.contains(FormatDateTime(QStringLiteral("dd/mm"), date));
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
    QZamestnanci.Close();
    QZamestnanci.SetFiltered(false);
    // The typed text is one literal whatever it holds.
    QZamestnanci.SetFilterText(fieldName + QStringLiteral(" like ") + SqlLiteral(text + QLatin1Char('%'), ftString));
    QZamestnanci.SetFiltered(true);
    QZamestnanci.Open();
}

int TDMCis::ShowCodeLists(int page)
{
    if (!FormSluzby)
        FormSluzby = new TFormSluzby(ApplicationMainForm());
    FormSluzby->SetPage(page);
    return FormSluzby->ShowModal();
}

void RegisterCodeListModule()
{
    SetStartupFactory(QStringLiteral("TDMCis"), [] { return MakeStartupInstance(new TDMCis); });
    SetStartupFactory(QStringLiteral("TCisZamForm"), [] { return MakeStartupInstance(new TCisZamForm); });
    SetStartupFactory(QStringLiteral("TCisZakForm"), [] { return MakeStartupInstance(new TCisZakForm); });
    SetStartupFactory(QStringLiteral("TCisOdbForm"), [] { return MakeStartupInstance(new TCisOdbForm); });
    SetStartupFactory(QStringLiteral("TCisPolForm"), [] { return MakeStartupInstance(new TCisPolForm); });
    SetStartupFactory(QStringLiteral("TQMsgForm"), [] { return MakeStartupInstance(new TQMsgForm); });
    SetStartupFactory(QStringLiteral("TQMsgDForm"), [] { return MakeStartupInstance(new TQMsgDForm); });
    RegisterOpenRoutine(QStringLiteral("ShowCodeLists"), [](const QVariantList &args) {
        if (DMCis)
            DMCis->ShowCodeLists(args.isEmpty() ? 0 : args.first().toInt());
    });
    CheckMessagesHook = [](bool force) {
        if (DMZal && DMZal->DBZAL.Connected())
            CheckMessages(force);
    };
}
