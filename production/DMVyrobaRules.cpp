// The rules of the production data module: the work-in-progress row's values, the plan row's day plan,
// the regeneration of the stock-taking list and the rebuild of the production requests.
#include "DMVyroba.h"

#include "VyrobaSql.h"
#include "library/SqlLiteral.h"
#include "platform/fb/IBDatabase.h"
#include "platform/os/Clock.h"
#include "platform/os/Format.h"
#include "platform/ui/Dialogs.h"
#include "shell/DMZal.h"
#include "shell/Routines.h"

void TDMVyroba::RecalcWipRow(TField *field)
{
    TDataSet *ds = field->DataSet();
    TxQuery *q = OpenQuery(VyrobaSql::SrvJobCalculation, {ds->FieldByName(QStringLiteral("C_INT"))->Value()});
    q->First();
    const bool one = !q->Eof() && (q->Next(), q->Eof());
    if (!one) {
        q->Close();
        DatabaseError(QString::fromUtf8("Zákazka neexistuje alebo nemá kalkuláciu"), ds);
    }
    q->First();
    for (const char *name : {"C_VYR", "NAZOV", "VAHA1"})
        if (TField *f = ds->FindField(QString::fromLatin1(name)))
            f->SetValue(q->FieldByName(QString::fromLatin1(name))->Value());
    const double pieces = ds->FieldByName(QStringLiteral("MNOZSTVO"))->AsFloat();
    const double material = q->FieldByName(QStringLiteral("MAT1"))->AsFloat();
    const double wage = q->FieldByName(QStringLiteral("MZD1"))->AsFloat();
    q->Close();
    ds->FieldByName(QStringLiteral("MATC"))->SetAsFloat(pieces * material);
    ds->FieldByName(QStringLiteral("MZDC"))->SetAsFloat(pieces * wage);
}

void TDMVyroba::QSPlanBeforeDelete(TDataSet *dataSet)
{
    ExecSqlParams(VyrobaSql::SPlanDayPlanOfRow, {dataSet->FieldByName(QStringLiteral("C_INT"))->Value(),
                                                 dataSet->FieldByName(QStringLiteral("C_OPERACIE"))->Value()});
    Planning.DiscardDayPlan();
}

void TDMVyroba::OpenWipList(int view)
{
    QSRV.Close();
    if (view == 0) {
        QSRV.SelectSQL.SetStrings(0, VyrobaSql::SrvPerJobColumns);
        QSRV.SelectSQL.SetStrings(2, VyrobaSql::SrvPerJobGroup);
        QSRV.SelectSQL.SetStrings(3, VyrobaSql::SrvPerJobOrder);
    } else {
        QSRV.SelectSQL.SetStrings(0, VyrobaSql::SrvPerOperationColumns);
        QSRV.SelectSQL.SetStrings(2, QString());
        QSRV.SelectSQL.SetStrings(3, VyrobaSql::SrvPerOperationOrder);
    }
    QSRV.Open();
}

void TDMVyroba::RegenerateWip(const QDate &cutOff, int view)
{
    QSRV.Close();
    TSavepoint savepoint(&DMZal->DBTransaction);
    TxQuery &q = DMZal->Query;
    const QVariantList params{cutOff, int(stOdvedena)};
    q.ExecSql(VyrobaSql::WipClear);
    q.ExecSql(view == 0 ? VyrobaSql::WipPerJob : VyrobaSql::WipPerOperation, params);
    q.ExecSql(VyrobaSql::WipMaterialValues);
    q.ExecSql(VyrobaSql::WipDropEmpty);
    if (Confirm(QString::fromUtf8("Zmazať záporné množstvá ?"), QString::fromUtf8("Otázka")))
        q.ExecSql(VyrobaSql::WipDropNegative);
    q.Close();
    savepoint.Commit();
}

void TDMVyroba::RebuildRequests()
{
    ExecSqlParams(VyrobaSql::RequestsRebuild, {});
}

void TDMVyroba::OpenRequests(int view)
{
    QVPoziad.Close();
    QVPoziad.SelectSQL.SetStrings(0, VyrobaSql::PoziadColumns(view));
    QVPoziad.SelectSQL.SetStrings(7, VyrobaSql::PoziadGrouping(view));
    QVPoziad.Open();
}

std::pair<double, double> TDMVyroba::OpenComputedWip(bool byJob)
{
    const QVariantList params{int(stOdvedena), Now().date()};
    TxQuery *material = FindQuery(QStringLiteral("Q1"));
    if (material)
        material->Close();
    OpenQueryDS(VyrobaSql::WipMaterial, params, QStringLiteral("Q1"));
    QStringList wages = VyrobaSql::WipWages;
    if (byJob) {
        wages[0] = VyrobaSql::WipWagesByJobSelect;
        wages[4] = VyrobaSql::WipWagesByJobGroup;
    }
    if (TxQuery *q = FindQuery(QStringLiteral("Q2")))
        q->Close();
    OpenQueryDS(wages.join(QLatin1Char('\n')), params, QStringLiteral("Q2"));
    return {FindQuery(QStringLiteral("Q1"))->SumField(QStringLiteral("HODNOTA")),
            FindQuery(QStringLiteral("Q2"))->SumField(QStringLiteral("MZDA"))};
}

bool TDMVyroba::AskCutOffDate(const QString &caption, QDate &date)
{
    QString text = DateStr(Now().date());
    if (!InputQuery(caption, QString::fromUtf8("ku Dňu :"), text))
        return false;
    date = StrToDate(text);
    return true;
}

QString TDMVyroba::PlanFilter(const QDate &term, const QDate &defaultTerm, const QString &operation,
                              const QString &workplace, const QString &profession)
{
    QString w;
    if (term.isValid() && term != defaultTerm)
        w += QStringLiteral(" and TERMIN<=") + SqlLiteral(term.toString(Qt::ISODate), ftString);
    const std::pair<const char *, const QString *> items[] = {
        {"OPERACIA", &operation}, {"PRACOVISKO", &workplace}, {"PROFESIA", &profession}};
    for (const auto &[column, text] : items)
        if (!text->isEmpty())
            w += QStringLiteral(" and %1=").arg(QString::fromLatin1(column)) + SqlLiteral(*text, ftString);
    return w;
}

namespace {

// Replaces lines 0-4 of an SQL text unless the compared lines are already there.
bool reopen(TStringList &sql, const QStringList &lines, int a, int b, bool open, bool force)
{
    if (open && !force && sql[a] == lines[a] && sql[b] == lines[b])
        return false;
    sql.BeginUpdate();
    while (sql.Count() < 5)
        sql.Add(QString());
    for (int i = 0; i < 5; ++i)
        sql.SetStrings(i, lines[i]);
    sql.EndUpdate();
    return true;
}

} // namespace

void TDMVyroba::OpenUnplanned(int view, const QString &filter, bool force)
{
    TxQuery &q = DMZal->QTlac;
    const QStringList lines = VyrobaSql::PlanUnplannedLines(view, filter);
    const bool wasOpen = q.Active();
    if (!reopen(q.SQL(), lines, 0, 3, wasOpen, force))
        return;
    q.Close();
    q.Open();
    // The shared print query knows the common columns; the plan's own ones are titled here.
    SetProductionTitles(&q);
}

void TDMVyroba::OpenPlanned(int view, const QString &period, const QString &filter, bool force)
{
    const QStringList lines = VyrobaSql::PlanPlannedLines(view, period, filter);
    if (!reopen(QSPlan.SelectSQL, lines, 1, 3, QSPlan.Active(), force))
        return;
    QSPlan.Close();
    QSPlan.Open();
}

TDataSet *TDMVyroba::OpenCalendar(int view, const QString &workplace, const QString &operation)
{
    TxQuery &q = DMZal->Query;
    q.Close();
    q.SQL().SetText(VyrobaSql::PlanCalendar(view, workplace, operation));
    q.Open();
    return &q;
}

QStringList TDMVyroba::PlanPeriods()
{
    return SelectColumnParams(VyrobaSql::PlanPeriods);
}

void TDMVyroba::DeletePlanRows(const std::vector<TBookmark> &rows)
{
    Planning.DiscardDayPlan();
    if (rows.empty()) {
        if (!QSPlan.IsEmpty())
            QSPlan.Delete();
        return;
    }
    for (TBookmark b : rows)
        if (QSPlan.GotoBookmark(b))
            QSPlan.Delete();
}

void TDMVyroba::DeleteAllPlanRows()
{
    Planning.DiscardDayPlan();
    QSPlan.FetchAll();
    QSPlan.First();
    for (int guard = QSPlan.RecordCount() + 1; !QSPlan.IsEmpty() && guard > 0; --guard)
        QSPlan.Delete();
}

void TDMVyroba::DeletePlanRowsOfJob()
{
    Planning.DiscardDayPlan();
    if (QSPlan.IsEmpty())
        return;
    const int job = QSPlan.FieldByName(QStringLiteral("C_INT"))->AsInteger();
    const TBookmark here = QSPlan.GetBookmark();
    QSPlan.FetchAll();
    QSPlan.GotoBookmark(here);
    while (!QSPlan.Eof()) {
        if (QSPlan.FieldByName(QStringLiteral("C_INT"))->AsInteger() != job) {
            QSPlan.Next();
            continue;
        }
        // Deleting the last row steps back to the one before: the walk ends there.
        const bool last = QSPlan.RecNo() == QSPlan.RecordCount();
        QSPlan.Delete();
        if (last || QSPlan.IsEmpty())
            break;
    }
}

void TDMVyroba::SetWorkPlanText()
{
    QSPlan.Close();
    QSPlan.SelectSQL = VyrobaSql::WorkPlanSelect;
}

void TDMVyroba::OpenWorkPlan(const QString &period, const QDate &startUpTo, const QString &operation,
                             bool unfinishedOnly)
{
    const QVariantList values{period, QDateTime(startUpTo, QTime(23, 59, 59)), operation,
                              unfinishedOnly ? 0.0 : -2147483647.0};
    const char *const names[] = {"obdobie", "zaciatok", "operacia", "mnoz_min"};
    if (QSPlan.Active()) {
        bool same = true;
        for (int i = 0; i < 4 && same; ++i)
            same = QSPlan.ParamByName(QString::fromLatin1(names[i])).Value == values[i];
        if (same)
            return;
    }
    QSPlan.Close();
    for (int i = 0; i < 4; ++i)
        QSPlan.ParamByName(QString::fromLatin1(names[i])).SetValue(values[i]);
    QSPlan.Open();
}

void TDMVyroba::UpdatePlannedQuantities()
{
    QSPlan.FetchAll();
    QSPlan.First();
    // Each pass either moves on or deletes a row: at most twice the rows.
    for (int guard = 2 * (QSPlan.RecordCount() + 1); !QSPlan.Eof() && guard > 0; --guard) {
        QSPlan.Edit();
        QSPlan.FieldByName(QString::fromUtf8("Plánované"))
            ->SetValue(QSPlan.FieldByName(QString::fromUtf8("Zostáva"))->Value());
        QSPlan.Post();
        if (QSPlan.FieldByName(QStringLiteral("STAV_ZAK"))->AsInteger() >= stOdvedena) {
            const bool last = QSPlan.RecNo() == QSPlan.RecordCount();
            QSPlan.Delete();
            if (last)
                break;
        } else {
            QSPlan.Next();
        }
    }
}
