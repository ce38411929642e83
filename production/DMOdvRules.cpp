// The rules of hand-overs: a new row, the date and document number, the job's calculation copied in, the
// exchange rate, the closed month, the rise of a fully handed-over job, and the print marks.
#include "DMOdv.h"

#include "VyrobaSql.h"
#include "platform/fb/IBDatabase.h"
#include "platform/os/Clock.h"
#include "platform/os/Exception.h"
#include "platform/ui/Dialogs.h"
#include "shell/DMZal.h"
#include "shell/Routines.h"

#include <cmath>

namespace {

const QString caption = QStringLiteral("Odvody");

TField *field(TDataSet *ds, const char *name)
{
    return ds->FieldByName(QString::fromLatin1(name));
}

QDate today()
{
    return Now().date();
}

} // namespace

QDate TDMOdv::FirstOpenDay()
{
    const QDate d = today().addDays(-10);
    return QDate(d.year(), d.month(), 1);
}

bool TDMOdv::homeCurrency() const
{
    return QvSOdvody.FieldByName(QStringLiteral("MENA"))->AsString().trimmed() == CurrencyCode;
}

void TDMOdv::attachRules(TDataSet *ds)
{
    field(ds, "DATUM")->OnValidate = [this](TField *f) { ValidateDate(f); };
    field(ds, "C_DOKLADU")->OnValidate = [this](TField *f) { ValidateDocumentNumber(f); };
    field(ds, "C_INT")->OnSetText = [](TField *f, const QString &text) { SetOrderNoText(f, NormalizeOrderNo(text)); };
    field(ds, "C_INT")->OnChange = [this](TField *f) { JobChanged(f); };
    field(ds, "C_INT")->Required = true; // a hand-over without a job is refused in words, not by the server
    for (const char *name : {"MNOZSTVO", "MZD1", "CENA1"})
        field(ds, name)->OnChange = [this](TField *f) { AmountChanged(f); };
    field(ds, "KURZ")->OnValidate = [this](TField *f) { ValidateRate(f); };
    field(ds, "KURZ")->OnChange = [this](TField *f) { RateChanged(f); };
}

void TDMOdv::NewRecord(TDataSet *ds)
{
    // No job yet: a default 0 would show as "0/0000" and the digits typed after it would name no job.
    field(ds, "C_INT")->Clear();
    field(ds, "DATUM")->SetValue(today());
    field(ds, "C_DAVKY")->SetValue(0);
    field(ds, "STAV_ODV")->SetValue(0);
}

void TDMOdv::ValidateDate(TField *f)
{
    const QDate date = f->AsDate();
    if (!date.isValid() || date < FirstOpenDay() || date > today())
        DatabaseError(QString::fromUtf8("Dátum je mimo aktuálne obdobie !"), f->DataSet());
    TDataSet *ds = f->DataSet();
    TField *number = field(ds, "C_DOKLADU");
    if (ds->State() == dsInsert || number->AsInteger() == 0)
        DocumentNumber.Propose(ds, [ds] {
            const auto [from, to] = MonthBounds(ds->FieldByName(QStringLiteral("DATUM"))->AsDate());
            return QVariant(SelectValueParams(VyrobaSql::OdvLastDocument, {from, to}).toInt() + 1);
        });
}

void TDMOdv::ValidateDocumentNumber(TField *f)
{
    // A number typed is checked here; the proposal, taken meanwhile, moves on at the save.
    if (DocumentNumber.IsProposal(f->Value()))
        return;
    const auto [from, to] = MonthBounds(f->DataSet()->FieldByName(QStringLiteral("DATUM"))->AsDate());
    if (SelectValueParams(VyrobaSql::OdvDocumentExists, {f->AsInteger(), from, to}).toInt() > 0)
        DatabaseError(QString::fromUtf8("Odvod s číslom dokladu %1 už existuje !").arg(f->AsInteger()), f->DataSet());
}

void TDMOdv::LoadOrderCalculation()
{
    const int job = QvSOdvody.FieldByName(QStringLiteral("C_INT"))->AsInteger();
    if (QvZakKalk.Active() && QvZakKalk.ParamByName(QStringLiteral("c_int")).AsInteger() == job)
        return;
    QvZakKalk.Close();
    QvZakKalk.ParamByName(QStringLiteral("c_int")).SetAsInteger(job);
    QvZakKalk.Open();
    QvZakKalk.First();
    const bool one = !QvZakKalk.Eof() && (QvZakKalk.Next(), QvZakKalk.Eof());
    QvZakKalk.First();
    if (!one) {
        QvZakKalk.Close();
        DatabaseError(QString::fromUtf8("K zakazke č. %1 neexistuje kalkulácia").arg(job), &QvSOdvody);
    }
}

void TDMOdv::CheckHandOverMonthOpen()
{
    if (QvSOdvody.FieldByName(QStringLiteral("DATUM"))->AsDate() < FirstOpenDay())
        DatabaseError(QString::fromUtf8("Zmena odvodu po uzatvorení mesiaca nie je možná !"), &QvSOdvody);
}

void TDMOdv::JobChanged(TField *f)
{
    if (f->IsNull())
        return; // the job cleared: nothing to copy in
    TDataSet *ds = f->DataSet();
    LoadOrderCalculation();
    TField *rate = field(ds, "KURZ");
    for (int i = 0; i < QvZakKalk.FieldCount(); ++i) {
        TField *source = QvZakKalk.Fields(i);
        TField *target = ds->FindField(source->FieldName());
        if (!target || target == f)
            continue;
        // A calculation without a usable rate (none, 0) passes none on: the home currency's is 1, another
        // currency's is taken from the day's hand-overs below or typed.
        if (target == rate && !source->IsNull()) {
            const double value = source->AsFloat();
            if (value < MinRate || value > MaxRate) {
                if (homeCurrency())
                    rate->SetValue(1.0);
                continue;
            }
        }
        target->SetValue(source->Value());
    }
    if (ds->State() != dsInsert)
        return;
    TField *invoice = field(ds, "C_FAKTURY");
    if (invoice->AsString().trimmed().isEmpty())
        invoice->SetValue(
            SelectValueParams(VyrobaSql::OdvLastInvoice, {field(ds, "DATUM")->Value(), field(ds, "C_DOKLADU")->Value()})
                .toString());
    if (!homeCurrency()) {
        const double rate =
            SelectValueParams(VyrobaSql::OdvLastRate, {field(ds, "DATUM")->Value(), field(ds, "MENA")->Value()})
                .toDouble();
        if (rate != 0)
            field(ds, "KURZ")->SetValue(rate);
    }
}

void TDMOdv::AmountChanged(TField *f)
{
    TDataSet *ds = f->DataSet();
    const double pieces = field(ds, "MNOZSTVO")->AsFloat();
    field(ds, "MZDC")->SetValue(field(ds, "MZD1")->AsFloat() * pieces);
    field(ds, "CENAC")->SetValue(field(ds, "CENA1")->AsFloat() * pieces);
}

void TDMOdv::ValidateRate(TField *f)
{
    if (f->AsFloat() == 0 && !homeCurrency())
        DatabaseError(QString::fromUtf8("Kurz musí byť zadaný !"), f->DataSet());
}

void TDMOdv::RateChanged(TField *f)
{
    TDataSet *ds = f->DataSet();
    if (homeCurrency()) {
        if (f->AsFloat() != 1)
            f->SetValue(1.0);
        return;
    }
    LoadOrderCalculation();
    const double rate = f->AsFloat();
    const double weight = field(ds, "VAHA1")->AsFloat();
    const double material = ForeignToHome(weight * QvZakKalk.FieldByName(QStringLiteral("KOEF_MAT"))->AsFloat(), rate);
    const double transport = ForeignToHome(weight * QvZakKalk.FieldByName(QStringLiteral("KOEF_DOP"))->AsFloat(), rate);
    field(ds, "PRID_MAT1")->SetValue(material);
    field(ds, "PRID_DOP1")->SetValue(transport);
    field(ds, "CENA1")->SetValue(ForeignToHome(field(ds, "CENA_KURZ1")->AsFloat(), rate) + material + transport);
}

void TDMOdv::BeforeDelete(TDataSet *)
{
    CheckHandOverMonthOpen();
    if (!Confirm(QString::fromUtf8("Naozaj chceš zmazať odvod ?"), caption))
        Abort();
}

void TDMOdv::AfterPost(TDataSet *ds)
{
    DocumentNumber.Posted(ds);
    LoadOrderCalculation();
    if (QvZakKalk.FieldByName(QStringLiteral("STAV_ZAK"))->AsInteger() >= stOdvedena)
        return;
    const int job = field(ds, "C_INT")->AsInteger();
    const qint64 toProduce = std::llround(QvZakKalk.FieldByName(QStringLiteral("MNOZ_VYR"))->AsFloat());
    qint64 handed = std::llround(field(ds, "MNOZSTVO")->AsFloat());
    if (toProduce > handed)
        handed = std::llround(SelectValueParams(VyrobaSql::OdvHandedOfJob, {job}).toDouble());
    if (handed < toProduce)
        return;
    if (Confirm(QString::fromUtf8("Označiť zakázku ako odvedenú ?\r(t.j. vo výrobe už nie sú žiadne výrobky)\r"
                                  "Vyrábaných : %1\rOdvedených : %2")
                    .arg(toProduce)
                    .arg(handed),
                caption)) {
        DMZal->SetOrderState(job, stOdvedena);
        QvZakKalk.Close(); // read again with its new state
    }
}

QList<THandOverKey> TDMOdv::OpenUnprinted()
{
    TxQuery &q = DMZal->QTlac;
    q.Close();
    q.SQL().SetText(VyrobaSql::OdvUnprinted);
    q.Open();
    QList<THandOverKey> keys;
    for (q.First(); !q.Eof(); q.Next())
        keys << THandOverKey{q.FieldByName(QStringLiteral("DATUM"))->AsDate(),
                             q.FieldByName(QStringLiteral("C_INT"))->AsInteger(),
                             q.FieldByName(QStringLiteral("C_DOKLADU"))->AsInteger()};
    q.First();
    return keys;
}

int TDMOdv::MarkPrinted(const QList<THandOverKey> &keys)
{
    TSavepoint savepoint(&DMZal->DBTransaction);
    int marked = 0;
    for (const THandOverKey &k : keys)
        marked += ExecSqlParams(VyrobaSql::OdvMarkPrinted, {k.DATUM, k.C_INT, k.C_DOKLADU});
    savepoint.Commit();
    return marked;
}

bool TDMOdv::FilterList(int cInt, int cDokladu, const QDate &day)
{
    TxDataSet &q = QvSOdvody;
    q.Close();
    QVariant value;
    QString where;
    if (cInt != 0) {
        where = VyrobaSql::OdvWhereJob;
    } else if (cDokladu != 0) {
        where = VyrobaSql::OdvWhereDocument;
    } else {
        where = day.isValid() ? VyrobaSql::OdvWhereDay : VyrobaSql::OdvWhereSince;
    }
    q.SelectSQL.SetStrings(2, where);
    if (cInt != 0) {
        q.ParamByName(QStringLiteral("c_int")).SetAsInteger(cInt);
    } else if (cDokladu != 0) {
        q.ParamByName(QStringLiteral("c_dokladu")).SetAsInteger(cDokladu);
        q.ParamByName(QStringLiteral("datum_od")).SetAsDate(today().addMonths(-2));
    } else {
        q.ParamByName(QStringLiteral("datum")).SetAsDate(day.isValid() ? day : today().addMonths(-1));
    }
    q.Open();
    return !q.IsEmpty();
}

double TDMOdv::OpenOverview(const TOverview &o)
{
    TxQuery &q = DMZal->QTlac;
    q.Close();
    QString where = VyrobaSql::OdvOverviewWhere;
    if (o.MinusOnly)
        where += VyrobaSql::OdvOverviewMinus;
    if (o.C_ODB != 0)
        where += VyrobaSql::OdvOverviewCustomer;
    if (!o.C_VYR.trimmed().isEmpty())
        where += VyrobaSql::OdvOverviewProduct;
    if (o.C_INT != 0)
        where += VyrobaSql::OdvOverviewJob;
    q.SQL().SetText(QStringList{VyrobaSql::OdvOverviewSelect(o.View), VyrobaSql::OdvOverviewFrom, where,
                                VyrobaSql::OdvOverviewOrder(o.View), QString()}
                        .join(QLatin1Char('\n')));
    q.ParamByName(QStringLiteral("Datum_od")).SetAsDate(o.From);
    q.ParamByName(QStringLiteral("Datum_do")).SetAsDate(o.To);
    if (o.C_ODB != 0)
        q.ParamByName(QStringLiteral("c_odb")).SetAsInteger(o.C_ODB);
    if (!o.C_VYR.trimmed().isEmpty())
        q.ParamByName(QStringLiteral("c_vyr")).SetAsString(o.C_VYR);
    if (o.C_INT != 0)
        q.ParamByName(QStringLiteral("c_int")).SetAsInteger(o.C_INT);
    q.Open();
    SetHandOverFormats(&q);
    return q.SumField(QStringLiteral("CENAC"));
}

QString TDMOdv::ChartLabelField(int view)
{
    return view == 3   ? QStringLiteral("DATUM")
           : view == 4 ? QStringLiteral("ODBERATEL")
           : view == 5 ? QStringLiteral("C_VYR")
                       : QStringLiteral("C_DOKLADU");
}

QString TDMOdv::ChartAxisTitle(int view)
{
    return view == 3   ? QString::fromUtf8("Dátum")
           : view == 4 ? QString::fromUtf8("Odberateľ")
           : view == 5 ? QString::fromUtf8("č.Výrobku")
                       : QString::fromUtf8("č.Dokladu");
}

QStringList TDMOdv::Centres()
{
    return SelectColumnParams(VyrobaSql::OdvCentres);
}

QStringList TDMOdv::FinishedGoodsStores()
{
    return SelectColumnParams(VyrobaSql::OdvStores);
}

void TDMOdv::OpenPeriodList(const QDate &from, const QDate &to)
{
    TxQuery &q = DMZal->QTlac;
    q.Close();
    q.SQL().SetText(VyrobaSql::OdvOfPeriod);
    q.ParamByName(QStringLiteral("od")).SetAsDate(from);
    q.ParamByName(QStringLiteral("do")).SetAsDate(to);
    q.Open();
}
