// The rules of the work performances: the job and its operations, the checks of a booking, norm hours
// and wage, hours as h:mm, and the events of the two performance data sets.
#include "DMVyk.h"

#include "VykSql.h"
#include "shell/CisZamForm.h"
#include "shell/DMZal.h"
#include "shell/Routines.h"
#include "platform/os/Clock.h"
#include "platform/os/Format.h"

#include <climits>
#include <cmath>

namespace {

// The longest shift; compared with a margin far below a minute so that 7.65 passes however it was summed.
constexpr double ShiftLength = 7.65;
constexpr double HoursMargin = 1e-6;

TField *field(TDataSet *ds, const char *name)
{
    return ds->FieldByName(QString::fromLatin1(name));
}

void openForJob(TxQuery &q, int cInt, const char *missing)
{
    // A job found before is kept; one not found is looked for again, and refused again.
    if (q.Active() && !q.IsEmpty() && q.ParamByName(QStringLiteral("c_int")).AsInteger() == cInt) {
        q.First();
        return;
    }
    q.Close();
    q.ParamByName(QStringLiteral("c_int")).SetValue(cInt);
    q.Open();
    if (q.IsEmpty())
        throw EDatabaseError(Format(QString::fromUtf8(missing), {cInt}));
}

} // namespace

void TDMVyk::OpenOrderInfo(int cInt)
{
    openForJob(QZakazky, cInt, "Zákazka č.%d neexistuje !");
}

void TDMVyk::OpenOrderOperations(int cInt)
{
    openForJob(QOperacie, cInt, "Operácie pre zákazku č.%d neexistujú !");
}

bool TDMVyk::LocateOperation(TDataSet *row)
{
    const int cInt = field(row, "C_INT")->AsInteger();
    if (cInt == 0)
        return false;
    OpenOrderOperations(cInt);
    return QOperacie.Locate(QStringLiteral("C_OPERACIE"), field(row, "C_OPERACIE")->AsInteger());
}

bool TDMVyk::CheckProfession(TDataSet *row)
{
    if (!LocateOperation(row))
        return false;
    const QString operation = field(&QOperacie, "PROFESIA")->AsString().trimmed();
    TField *own = row->FindField(QStringLiteral("PROFESIA"));
    const QString employee = (own ? own->AsString() : EmployeeProfession).trimmed();
    // An empty or blank profession on either side never complains.
    if (employee == operation || employee.isEmpty() || operation.isEmpty() || employee < QLatin1String("0") ||
        operation < QLatin1String("0"))
        return true;
    const QString text = Format(QString::fromUtf8("Profesia zamestnanca je %s\rale v technologickom postupe je %s !"),
                                {employee, operation});
    if (NotifyProfesia == 2)
        throw EDatabaseError(text);
    if (NotifyProfesia == 1)
        ShowError(text);
    return false;
}

void TDMVyk::ComputeNormHoursAndWage(TDataSet *row)
{
    TField *quantity = field(row, "MNOZSTVO");
    if (quantity->IsNull() || !LocateOperation(row))
        return;
    const double prep = field(&QOperacie, "CAS_PRIP")->AsFloat();
    const double unit = field(&QOperacie, "CAS_JED")->AsFloat();
    const double rate = field(&QOperacie, "MZDAH")->AsFloat();
    const double hours = (prep + unit * quantity->AsFloat()) / 60;
    field(row, "NHOD")->SetValue(hours);
    if ((unit != 0 || prep != 0) && rate != 0)
        field(row, "MZDA")->SetValue(hours * rate);
    else
        field(row, "MZDA")->SetValue(quantity->AsFloat() * field(row, "NORMA")->AsFloat());
}

bool TDMVyk::CheckOperationQuantities(int cInt, int operation, double extra)
{
    if (!NotifyMnozstvo)
        return true;
    TxQuery &q = DMZal->Query;
    q.Close();
    q.SQL().SetText(VykSql::OperationQuantities);
    q.ParamByName(QStringLiteral("c_int")).SetValue(cInt);
    q.ParamByName(QStringLiteral("c_operacie1")).SetValue(operation == 0 ? 0 : operation);
    q.ParamByName(QStringLiteral("c_operacie2")).SetValue(operation == 0 ? 9999 : operation);
    q.Open();
    bool ok = true;
    QString lines;
    for (; !q.Eof(); q.Next()) {
        const int number = field(&q, "C_OPERACIE")->AsInteger();
        const QString code = field(&q, "OPERACIA")->AsString();
        const double total = field(&q, "MNOZ_VYK")->AsFloat() + extra;
        const double previous = field(&q, "MNOZ_PREV")->AsFloat();
        const double expected = field(&q, "MNOZ_VYR")->AsFloat();
        const double laterDefects = field(&q, "MNOZ_ZMA")->AsFloat();
        if (previous > 0 && previous < total)
            lines +=
                Format(QString::fromUtf8("Operácia č.%d %s : Množstvo %f je väčšie ako na predchádzajúcej op. %f !\r"),
                       {number, code, total, previous});
        if (expected * 1.1 + laterDefects < total - HoursMargin) {
            lines +=
                Format(QString::fromUtf8("Operácia č.%d %s : Množstvo %f je väčšie ako očakávané na operácií %f !\r"),
                       {number, code, total, expected});
            ok = false;
        }
    }
    q.Close();
    if (!lines.isEmpty())
        ShowError(lines);
    return ok;
}

bool TDMVyk::CheckShiftHours(TDataSet *row)
{
    if (!EvidovatOHod)
        return true;
    TField *hours = field(row, "OHOD");
    double sum = SelectValueParams(VykSql::ShiftHours, {field(row, "OSC")->AsInteger(), field(row, "DATUM")->AsDate(),
                                                        field(row, "ZMENA")->AsInteger()})
                     .toDouble();
    if (row->State() == dsEdit)
        sum += hours->AsFloat() - hours->OldValue().toDouble();
    else if (row->State() == dsInsert)
        sum += hours->AsFloat();
    if (sum <= ShiftLength + HoursMargin)
        return true;
    ShowError(Format(QString::fromUtf8("Celkové odpracované hodiny %s u zamestnanca %d \rpresiahli dĺžku zmeny !"),
                     {FormatHoursMinutes(sum), field(row, "OSC")->AsInteger()}));
    return false;
}

bool TDMVyk::ApplyOrderPerformances()
{
    QSVykony.ApplyUpdates();
    return CheckOperationQuantities(field(&QSVykony, "C_INT")->AsInteger(), 0, 0);
}

QString TDMVyk::FormatHoursMinutes(double hours)
{
    // Whole minutes first, so 7.999 h is 8:00 and never 7:60.
    const qint64 minutes = std::llround(std::fabs(hours) * 60);
    return QStringLiteral("%1%2:%3")
        .arg(hours < 0 && minutes > 0 ? QStringLiteral("-") : QString())
        .arg(minutes / 60)
        .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

double TDMVyk::ParseHoursMinutes(const QString &text)
{
    const QString t = text.trimmed();
    int at = t.indexOf(QLatin1Char(':'));
    if (at < 0)
        at = t.indexOf(FormatSettings().DecimalSeparator);
    int whole = 0, minutes = 0;
    if (at >= 0) {
        whole = t.left(at).toInt();
        minutes = (t.mid(at + 1) + QLatin1Char('0')).left(2).toInt();
    } else {
        const int n = t.toInt();
        if (n >= 100) {
            whole = n / 100;
            minutes = n % 100;
        } else {
            whole = n;
        }
    }
    return whole + minutes / 60.0;
}

int TDMVyk::SumDefectCauses(TDataSet *row)
{
    int sum = 0;
    for (int i = 1; i <= 20; ++i)
        sum += row->FieldByName(QStringLiteral("Z%1").arg(i, 2, 10, QLatin1Char('0')))->AsInteger();
    return sum;
}

// ---- events

void TDMVyk::setUpEvents()
{
    QvSVykony.AfterOpen = [this](TDataSet *ds) { listAfterOpen(ds); };
    QvSVykony.BeforePost = [this](TDataSet *ds) { listBeforePost(ds); };
    QvSVykony.AfterPost = [this](TDataSet *ds) { listAfterPost(ds); };
    QvSVykony.AfterDelete = [this](TDataSet *ds) { listAfterPostOrDelete(ds); };
    QvSVykony.BeforeDelete = [](TDataSet *) {
        if (!Confirm(QString::fromUtf8("Skutočne chceš zmazať vybratý výkon ?"), QString::fromUtf8("Výkony")))
            Abort();
    };
    for (TDataSet *ds : std::initializer_list<TDataSet *>{&QvSVykony, &QSVykony}) {
        ds->OnPostError = [](TDataSet *d, EDatabaseError &e, TDataAction &action) {
            DMZal->DataSetErrorHandler(d, e, action);
        };
        ds->OnUpdateError = [](TDataSet *d, EDatabaseError &e, TUpdateKind, TUpdateAction &action) {
            TDataAction result = daFail;
            DMZal->DataSetErrorHandler(d, e, result);
            action = result == daAbort ? uaAbort : uaFail;
        };
    }
    QSVykony.AfterScroll = [this](TDataSet *) { entryAtStart_ = false; };
    QSVykony.AfterPost = [this](TDataSet *ds) { orderEntryAfterPost(ds); };
    QSVykony.AfterCancel = [this](TDataSet *) { pendingFill_.clear(); };
    QSVykony.AfterOpen = [this](TDataSet *ds) {
        field(ds, "DATUM")->Required = true;
        field(ds, "C_OPERACIE")->Required = true;
        field(ds, "DATUM")->OnValidate = [](TField *f) {
            const QDate d = f->AsDate();
            if (d < Date().addDays(-60) || d > Date())
                throw EDatabaseError(QString::fromUtf8("Dátum je mimo povolený rozsah !"));
        };
        field(ds, "OSC")->OnValidate = [this](TField *f) {
            if (f->AsInteger() == 0)
                return;
            CheckEmployee(f);
            CheckProfession(f->DataSet());
        };
        field(ds, "NORMA")->OnChange = [this](TField *f) { ComputeNormHoursAndWage(f->DataSet()); };
        field(ds, "MNOZSTVO")->OnChange = [this](TField *f) { orderEntryQuantityChange(f); };
    };
}

void TDMVyk::listAfterOpen(TDataSet *ds)
{
    for (const char *name : {"OSC", "C_OPERACIE", "C_INT", "MNOZSTVO", "NORMA", "OHOD"})
        if (!ds->FindField(QString::fromLatin1(name)))
            return;
    field(ds, "OSC")->OnChange = [](TField *f) {
        if (f->AsInteger() == 0)
            return;
        CheckEmployee(f);
        field(f->DataSet(), "PRIEZVISKO")->SetValue(EmployeeSurname);
        field(f->DataSet(), "PROFESIA")->SetValue(EmployeeProfession);
    };
    field(ds, "C_INT")->OnSetText = &SetOrderNoText;
    field(ds, "C_INT")->OnChange = [this](TField *f) {
        if (f->AsInteger() == 0)
            return;
        OpenOrderInfo(f->AsInteger());
        field(f->DataSet(), "C_VYR")->SetValue(field(&QZakazky, "C_VYR")->Value());
    };
    field(ds, "C_OPERACIE")->OnChange = [this](TField *f) { operationChange(f); };
    field(ds, "MNOZSTVO")->OnChange = [this](TField *f) { ComputeNormHoursAndWage(f->DataSet()); };
    field(ds, "NORMA")->OnChange = [this](TField *f) { ComputeNormHoursAndWage(f->DataSet()); };
    field(ds, "OHOD")->OnGetText = [](TField *f, QString &text, bool) {
        text = f->IsNull() ? QString() : FormatHoursMinutes(f->AsFloat());
    };
    field(ds, "OHOD")->OnSetText = [](TField *f, const QString &text) {
        if (text.trimmed().isEmpty())
            f->SetValue(QVariant());
        else
            f->SetValue(ParseHoursMinutes(text));
    };
    // The edits were shown as the list opened, before these rules: shown again, the hours read as hours.
    ds->DataEvent(deDataSetChange);
}

void TDMVyk::operationChange(TField *f)
{
    TDataSet *row = f->DataSet();
    if (!LocateOperation(row))
        throw EDatabaseError(Format(QString::fromUtf8("Operácia č.%d neexistuje !"), {f->AsInteger()}));
    field(row, "OPERACIA")->SetValue(field(&QOperacie, "OPERACIA")->Value());
    field(row, "NORMA")->SetValue(field(&QOperacie, "MZDA")->Value());
}

void TDMVyk::listBeforePost(TDataSet *ds)
{
    if (field(ds, "OSC")->AsInteger() == 0)
        throw EDatabaseError(QString::fromUtf8("Číslo pracovníka nie je zadané !"));
    if (field(ds, "C_INT")->AsInteger() == 0)
        throw EDatabaseError(QString::fromUtf8("Číslo zákazky nie je zadané !"));
    if (field(ds, "C_OPERACIE")->AsInteger() == 0)
        throw EDatabaseError(QString::fromUtf8("Číslo operácie nie je zadané !"));
    // A job or operation refused while typing may still stand in the row: it is never stored.
    OpenOrderInfo(field(ds, "C_INT")->AsInteger());
    if (!LocateOperation(ds))
        throw EDatabaseError(
            Format(QString::fromUtf8("Operácia č.%d neexistuje !"), {field(ds, "C_OPERACIE")->AsInteger()}));
    if (field(ds, "MNOZSTVO")->AsFloat() == 0 && field(ds, "ZMATKY")->AsFloat() == 0)
        throw EDatabaseError(QString::fromUtf8("Množstvo nie je zadané !"));
    CheckProfession(ds);
    if (EvidovatOHod && field(ds, "OHOD")->AsFloat() <= 0)
        throw EDatabaseError(QString::fromUtf8("Odpracované hodiny nie sú zadané !"));
    if (ds->State() == dsInsert && !CheckShiftHours(ds))
        Abort();
}

void TDMVyk::listAfterPostOrDelete(TDataSet *ds)
{
    applyListRow(ds);
    if (ds->IsEmpty())
        return;
    CheckShiftHours(ds);
    CheckOperationQuantities(field(ds, "C_INT")->AsInteger(), field(ds, "C_OPERACIE")->AsInteger(), 0);
}

// Each row is written as soon as it is posted or deleted. A write the database refuses keeps nothing
// pending, so the next booking does not fail on this row again: a posted row returns to insert (or edit)
// with everything typed, for correction or Nezapíš; a deleted row returns to its place.
void TDMVyk::applyListRow(TDataSet *ds)
{
    const TUpdateStatus status = ds->UpdateStatus();
    std::vector<std::pair<TField *, QVariant>> typed;
    if (status == usInserted || status == usModified)
        for (int i = 0; i < ds->FieldCount(); ++i)
            if (TField *f = ds->Fields(i); f->FieldKind() == fkData && !f->ReadOnly)
                typed.emplace_back(f, f->Value());
    try {
        ds->ApplyUpdates();
    } catch (...) {
        ds->CancelUpdates();
        if (status == usInserted)
            ds->Append();
        else if (status == usModified)
            ds->Edit();
        else
            throw;
        // The values as they were typed, without running the checks of typing again.
        for (const auto &[f, value] : typed)
            SetFieldQuietly(f, value);
        throw;
    }
}

void TDMVyk::SetFieldQuietly(TField *f, const QVariant &value)
{
    auto handler = std::move(f->OnChange);
    f->OnChange = nullptr;
    try {
        f->SetValue(value);
    } catch (...) {
        f->OnChange = std::move(handler);
        throw;
    }
    f->OnChange = std::move(handler);
}

// A casting or a dispatch booked one row at a time moves the job's state as the order entry's write does.
void TDMVyk::listAfterPost(TDataSet *ds)
{
    listAfterPostOrDelete(ds);
    if (ds->IsEmpty())
        return;
    const QString code = field(ds, "OPERACIA")->AsString().trimmed();
    const int quantity = int(field(ds, "MNOZSTVO")->AsFloat());
    if (quantity <= 0 || (code != QLatin1String("ODL") && code != QLatin1String("EXP")))
        return;
    const int job = field(ds, "C_INT")->AsInteger();
    if (code == QLatin1String("ODL"))
        RaiseJobState(job, quantity, 0, INT_MAX);
    else
        RaiseJobState(job, 0, quantity, int(SelectValueParams(VykSql::JobToProduce, {job}).toDouble()));
}

void TDMVyk::orderEntryQuantityChange(TField *f)
{
    TDataSet *ds = f->DataSet();
    ComputeNormHoursAndWage(ds);
    // The first quantity typed fills the following empty rows once its row is posted.
    if (!filling_ && entryAtStart_ && ds->RecNo() == 1 && f->AsFloat() != 0)
        pendingFill_ = f->Value();
}

void TDMVyk::orderEntryAfterPost(TDataSet *ds)
{
    if (pendingFill_.isNull() || filling_)
        return;
    const QVariant quantity = pendingFill_;
    pendingFill_.clear();
    filling_ = true;
    ds->DisableControls();
    try {
        for (ds->Next(); !ds->Eof() && field(ds, "MNOZSTVO")->AsFloat() == 0; ds->Next()) {
            ds->Edit();
            field(ds, "MNOZSTVO")->SetValue(quantity);
            ds->Post();
        }
        ds->First();
    } catch (...) {
        filling_ = false;
        ds->EnableControls();
        throw;
    }
    filling_ = false;
    ds->EnableControls();
    entryAtStart_ = true;
}
