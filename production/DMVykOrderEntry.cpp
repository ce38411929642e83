// The order entry of the work performances (all operations of a job and batch, written in one step with
// the job's state changes) and the storno rows of the quantity confirmation.
#include "DMVyk.h"

#include "PerformanceOverview.h"
#include "VykSql.h"
#include "shell/DMZal.h"
#include "shell/Routines.h"
#include "platform/os/Clock.h"
#include "platform/os/Format.h"

namespace {

TField *field(TDataSet *ds, const char *name)
{
    return ds->FieldByName(QString::fromLatin1(name));
}

bool incomplete(TDataSet *ds)
{
    return field(ds, "OSC")->AsInteger() == 0 || field(ds, "MNOZSTVO")->AsFloat() == 0;
}

} // namespace

void TDMVyk::FillOrderEntry(int cInt, int batch)
{
    if (cInt == 0)
        return;
    TxDataSet &q = QSVykony;
    q.Close();
    q.SelectSQL.SetStrings(2, QStringLiteral("where c_int=:c_int"));
    q.ParamByName(QStringLiteral("c_int")).SetValue(0);
    q.Open();
    OpenOrderOperations(cInt);
    filling_ = true;
    q.DisableControls();
    try {
        for (QOperacie.First(); !QOperacie.Eof(); QOperacie.Next()) {
            q.Append();
            field(&q, "C_INT")->SetValue(cInt);
            field(&q, "C_DAVKY")->SetValue(batch);
            field(&q, "C_OPERACIE")->SetValue(field(&QOperacie, "C_OPERACIE")->Value());
            field(&q, "OPERACIA")->SetValue(field(&QOperacie, "OPERACIA")->Value());
            field(&q, "ZMATKY")->SetValue(0);
            field(&q, "NORMA")->SetValue(field(&QOperacie, "MZDA")->Value());
            field(&q, "DATUM")->SetValue(Date().addDays(-1));
            field(&q, "ZMENA")->SetValue(1);
            field(&q, "OSC")->SetValue(QVariant());
            field(&q, "MNOZSTVO")->SetValue(QVariant());
            q.Post();
        }
        q.First();
    } catch (...) {
        filling_ = false;
        q.EnableControls();
        throw;
    }
    filling_ = false;
    q.EnableControls();
    entryAtStart_ = true;
    pendingFill_.clear();
    entryJob_ = cInt;
    OpenOrderInfo(cInt);
    QvSVykony.Close();
    QvSVykony.SelectSQL.SetStrings(0, QStringLiteral("select *"));
    QvSVykony.SelectSQL.SetStrings(2, QStringLiteral("where c_int=:c_int"));
    QvSVykony.SelectSQL.SetStrings(3, QStringLiteral("order by datum desc,osc,operacia"));
    QvSVykony.ParamByName(QStringLiteral("c_int")).SetValue(cInt);
    QvSVykony.Open();
}

void TDMVyk::WriteOrderEntry(int batch)
{
    TxDataSet &q = QSVykony;
    if (!q.Active()) // no job listed yet: nothing typed to write
        return;
    q.CheckBrowseMode();
    if (!q.UpdatesPending())
        return;
    const int job = entryJob_;
    const int target = QZakazky.Active() ? int(field(&QZakazky, "MNOZ_VYR")->AsFloat()) : 0;
    int odl = 0, exp = 0;
    q.DisableControls();
    for (q.First(); !q.Eof(); q.Next()) {
        if (incomplete(&q))
            continue;
        const QString code = field(&q, "OPERACIA")->AsString().trimmed();
        if (code == QLatin1String("ODL"))
            odl = int(field(&q, "MNOZSTVO")->AsFloat());
        else if (code == QLatin1String("EXP"))
            exp = int(field(&q, "MNOZSTVO")->AsFloat());
    }
    q.EnableControls();
    // Rows without employee or quantity are not written; they stay in the entry until it is refilled,
    // so a refused apply keeps every row as it was typed.
    q.OnUpdateRecord = [](TDataSet *ds, TUpdateKind kind, TUpdateAction &action) {
        if (kind == ukInsert && incomplete(ds))
            action = uaSkip;
    };
    try {
        ApplyOrderPerformances();
    } catch (...) {
        q.OnUpdateRecord = nullptr;
        throw;
    }
    q.OnUpdateRecord = nullptr;
    RaiseJobState(job, odl, exp, target);
    FillOrderEntry(job, batch);
}

void TDMVyk::RaiseJobState(int cInt, int cast, int dispatched, int target)
{
    if (cast > 0)
        DMZal->SetOrderState(cInt, stVyrabana);
    if (dispatched > 0 && dispatched < target)
        dispatched = int(SelectValueParams(VykSql::DispatchedOfJob, {cInt}).toDouble());
    if (dispatched >= target) {
        ShowMessage(QStringLiteral("Zakazka je kompletne vyexpedovana na SHV."));
        DMZal->SetOrderState(cInt, stExpedovana);
    }
}

void TDMVyk::SplitOrderEntryRow()
{
    TxDataSet &q = QSVykony;
    if (!q.Active() || q.IsEmpty())
        return;
    filling_ = true;
    try {
        if (q.State() == dsBrowse)
            q.Edit();
        TField *quantity = field(&q, "MNOZSTVO");
        if (quantity->IsNull())
            quantity->SetValue(0);
        const double whole = quantity->AsFloat();
        const qint64 half = qint64(whole) / 2;
        QVariantList copied;
        const char *const names[] = {"C_INT", "C_DAVKY", "C_OPERACIE", "OPERACIA", "NORMA", "DATUM", "ZMENA"};
        for (const char *name : names)
            copied << field(&q, name)->Value();
        quantity->SetValue(whole - double(half));
        q.Post();
        q.Insert();
        for (int i = 0; i < int(std::size(names)); ++i)
            field(&q, names[i])->SetValue(copied[i]);
        field(&q, "ZMATKY")->SetValue(0);
        field(&q, "MNOZSTVO")->SetValue(double(half));
        q.Post();
    } catch (...) {
        filling_ = false;
        throw;
    }
    filling_ = false;
}

int TDMVyk::WriteConfirmedQuantity(int cInt, int confirmed, const QDate &startDate, const QDate &endDate, int batchLow,
                                   int batchHigh, int stornoBatch)
{
    if (confirmed <= 0 || !endDate.isValid())
        return 0;
    QDate day = endDate;
    while (IsWeekend(day))
        day = day.addDays(-1);
    struct Booked {
        QString operation;
        int quantity;
    };
    std::vector<Booked> booked;
    TxQuery q;
    q.SetDatabase(&DMZal->DBZAL);
    q.SQL().SetText(VykSql::ConfirmationDetail);
    q.ParamByName(QStringLiteral("c_int")).SetValue(cInt);
    q.ParamByName(QStringLiteral("davky1")).SetValue(batchLow);
    q.ParamByName(QStringLiteral("davky2")).SetValue(batchHigh);
    q.ParamByName(QStringLiteral("datumdo")).SetValue(endDate);
    q.Open();
    for (; !q.Eof(); q.Next())
        booked.push_back({field(&q, "OPERACIA")->AsString(), int(field(&q, "MNOZSTVO")->AsFloat())});
    q.Close();

    int written = 0;
    TSavepoint save(&DMZal->DBTransaction);
    for (const Booked &b : booked) {
        if (b.quantity <= confirmed + 1)
            continue; // a difference of one piece is tolerated
        const double ratio = double(confirmed) / b.quantity;
        if (ratio < 0.8)
            ShowMessage(QString::fromUtf8("U zákazky ") + OrderNoStr(cInt) + QString::fromUtf8(" na operácií ") +
                        b.operation + QString::fromUtf8(" je rozdiel väčší ako 20% !"));
        const double f = 1 - ratio;
        q.ExecSql(VykSql::StornoInsert,
                  {day, day, stornoBatch, f, f, f, cInt, b.operation, endDate, batchLow, batchHigh});
        ++written;
    }
    q.ExecSql(VykSql::StornoCleanUp, {cInt, startDate, endDate});
    save.Commit();
    return written;
}

void TDMVyk::OpenQuantityConfirmation(const TConfirmation &c)
{
    TxQuery *master = GetQuery(QStringLiteral("QSVykony1"));
    TxQuery *detail = GetQuery(QStringLiteral("QSVykony2"));
    detail->Close();
    master->Close();
    master->SQL().SetText(VykSql::ConfirmationMaster(c.batches, c.wholeJobs, c.cInt != 0).join(QLatin1Char('\n')));
    master->ParamByName(QStringLiteral("datumod")).SetValue(c.from);
    master->ParamByName(QStringLiteral("datumdo")).SetValue(c.to);
    if (c.cInt != 0)
        master->ParamByName(QStringLiteral("c_int")).SetValue(c.cInt);
    master->Open();
    detail->SetDataSource(GetDataSource(master));
    detail->SQL().SetText(VykSql::ConfirmationOperations(c.batches, !c.wholeJobs).join(QLatin1Char('\n')));
    if (!c.wholeJobs) {
        detail->ParamByName(QStringLiteral("datumod")).SetValue(c.from);
        detail->ParamByName(QStringLiteral("datumdo")).SetValue(c.to);
    }
    detail->Open();
}

int TDMVyk::ConfirmCurrentJob(int confirmed, const TConfirmation &c)
{
    TxQuery *master = GetQuery(QStringLiteral("QSVykony1"));
    if (!master->Active() || master->IsEmpty())
        return 0;
    const int job = field(master, "C_INT")->AsInteger();
    TField *batch = master->FindField(QStringLiteral("C_DAVKY"));
    const int low = batch ? batch->AsInteger() : 0;
    const int high = batch ? low : 32767;
    const int written = WriteConfirmedQuantity(job, confirmed, c.from, c.to, low, high, low);
    TxQuery *detail = GetQuery(QStringLiteral("QSVykony2"));
    detail->Close();
    detail->Open();
    return written;
}

int TDMVyk::DeleteStornoRows(const QDate &startDate, const QDate &endDate, int cInt)
{
    TxQuery q;
    q.SetDatabase(&DMZal->DBZAL);
    if (cInt != 0)
        return q.ExecSql(VykSql::StornoDeleteOfJob, {startDate, endDate, cInt});
    return q.ExecSql(VykSql::StornoDeleteAll, {startDate, endDate});
}

double TDMVyk::RefreshPerformanceOverview(const TPerformanceFilter &filter)
{
    const TPerformanceView &view = PerformanceView(filter.view);
    TxDataSet &q = QvSVykony;
    q.Close();
    QString select = QString::fromLatin1(view.select);
    if (ZmatkyPodrobne && !view.grouped) {
        QStringList causes;
        for (int i = 1; i <= 20; ++i)
            causes << QStringLiteral("Z%1").arg(i, 2, 10, QLatin1Char('0'));
        select += QLatin1Char(',') + causes.join(QLatin1Char(',')) + QLatin1Char(' ');
    }
    QString where = filter.workInProgress ? QStringLiteral("where stav_zak<%1 ").arg(int(stOdvedena))
                                          : QStringLiteral("where datum between :datumod and :datumdo ");
    QVariantList values;
    if (!filter.workInProgress)
        values << filter.from << filter.to;
    const QString product = filter.cVyr.trimmed();
    const QString operation = filter.operacia.trimmed();
    if (filter.osc != 0) {
        where += QStringLiteral(" and osc=:osc");
        values << filter.osc;
    }
    if (filter.cInt != 0) {
        where += QStringLiteral(" and c_int=:c_int");
        values << filter.cInt;
    }
    if (!product.isEmpty()) {
        where += QStringLiteral(" and c_vyr=:c_vyr");
        values << product;
    }
    if (!operation.isEmpty()) {
        where += QStringLiteral(" and operacia=:operacia");
        values << operation;
    }
    q.SelectSQL.SetStrings(0, select);
    q.SelectSQL.SetStrings(1, QStringLiteral("from vSVykony "));
    q.SelectSQL.SetStrings(2, where);
    q.SelectSQL.SetStrings(3, QString::fromLatin1(view.order));
    q.Prepare();
    for (int i = 0; i < values.size(); ++i)
        q.Params()[i].SetValue(values[i]);
    q.Open();
    TField *wage = q.FieldByName(QStringLiteral("MZDA"));
    wage->SetDisplayWidth(12);
    wage->DisplayFormat = MoneyFormat;
    // The total from the server: the list fetches only the rows the grid shows, however long the period.
    return SelectValueParams(VykSql::OverviewWageTotal + where, values).toDouble();
}
