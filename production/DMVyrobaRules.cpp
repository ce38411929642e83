// The rules of the production data module: the work-in-progress row's values, the plan row's day plan,
// the regeneration of the stock-taking list and the rebuild of the production requests.
#include "DMVyroba.h"

#include "VyrobaSql.h"
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
