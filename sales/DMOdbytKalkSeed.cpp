// Opening, seeding, storing and closing one job's calculation for the calculation dialog.
#include "DMOdbyt.h"

#include "OdbytSql.h"
#include "shell/DMZal.h"
#include "shell/Routines.h"

namespace {

TField *field(TDataSet *ds, const char *name)
{
    return ds->FieldByName(QString::fromLatin1(name));
}

// The scratch query opened on a statement with its parameters.
TxQuery &read(const QString &sql, const QVariantList &params)
{
    TxQuery &q = DMZal->Query;
    q.Close();
    q.SQL().SetText(sql);
    for (int i = 0; i < params.size() && i < q.ParamCount(); ++i)
        q.Params()[i].SetValue(params[i]);
    q.Open();
    return q;
}

void ensureOpen(TDataSet &ds)
{
    if (!ds.Active())
        ds.Open();
}

// Appends every row of the source with the set's after-post recalculation held back.
void appendQuietly(TxTable &target, TDataSet &source)
{
    TDMOdbyt::TRulesHeld held(target);
    target.AppendAllFrom(&source);
}

} // namespace

TDMOdbyt::TCalculationStart TDMOdbyt::OpenCalculation(int job)
{
    TCalculationStart start;
    for (TDataSet *ds : std::initializer_list<TDataSet *>{&DMZal->COperacii, &CNakladovO, &CNakladovM, &DMZal->CStatov})
        ensureOpen(*ds);
    QvZakKalk.Close();
    QvZakKalk.SetFilter(QStringLiteral("C_INT=%1").arg(job));
    QvZakKalk.Open();
    start.IsNew = QvZakKalk.IsEmpty();
    int previous = 0;
    if (start.IsNew) {
        QvZakKalk.Append();
        TxQuery &jobs = read(OdbytSql::PreviousJob, {job});
        if (!jobs.IsEmpty()) {
            previous = field(&jobs, "C_INT")->AsInteger();
            const QString question = QString::fromUtf8("Prevziať kalkuláciu z poslednej zákazky ?") +
                                     QLatin1Char('\r') + QString::fromUtf8(" č.Objednávky ") +
                                     field(&jobs, "C_OBJ")->AsString() + QString::fromUtf8(" , č.Zákazky ") +
                                     QString::number(previous) + QString::fromUtf8(" , Termín ") +
                                     field(&jobs, "TERMIN")->AsString();
            jobs.Close();
            const bool takeOver = Confirm(question, QString::fromUtf8("Otázka"));
            TxQuery &earlier = read(OdbytSql::PreviousCalculation, {previous});
            const bool found = !earlier.IsEmpty();
            if (found)
                start.MaterialChange = field(&QvZakKalk, "CENA_MAT")->AsFloat() - field(&earlier, "C")->AsFloat();
            if (takeOver && found) {
                QvZakKalk.Tag = -1;
                for (const char *name : {"CENA1", "OVN1", "MIM1", "KURZ", "CENA_KURZ1", "MENA"})
                    field(&QvZakKalk, name)->SetValue(field(&earlier, name)->Value());
                QvZakKalk.Tag = 0;
            } else {
                previous = 0;
            }
            earlier.Close();
        }
        jobs.Close();
    } else {
        QvZakKalk.Edit();
    }
    start.PreviousJob = previous;
    // A new calculation follows its costs unless a foreign price was taken over.
    SetPriceMode(start.IsNew && previous == 0 ? true : field(&QvZakKalk, "CENA_KURZ1")->AsFloat() == 0);

    // Operations: the product's standard route, else the earlier job's operations, else the whole list.
    ensureOpen(QZakOperacie);
    if (start.IsNew && QZakOperacie.IsEmpty()) {
        TxQuery *rows = &read(OdbytSql::RouteOfProduct, {job});
        const bool fromRoute = !rows->IsEmpty();
        if (!fromRoute && previous != 0)
            rows = &read(OdbytSql::OperationsOfJob, {previous});
        if (rows->IsEmpty())
            rows = &read(OdbytSql::OperationsList, {});
        appendQuietly(QZakOperacie, *rows);
        rows->Close();
        // Each operation of a route carries its own loss and the losses of the operations after it; an
        // earlier job's operations carry theirs already.
        if (fromRoute) {
            QZakOperacie.Tag = -1;
            double k = 1;
            for (QZakOperacie.Last(); !QZakOperacie.Bof(); QZakOperacie.Prior()) {
                k *= 1 + field(&QZakOperacie, "P_STRATY")->AsFloat() / 100;
                if (k != 1) {
                    QZakOperacie.Edit();
                    field(&QZakOperacie, "P_STRATY")->SetValue((k - 1) * 100);
                    QZakOperacie.Post();
                }
                if (QZakOperacie.RecNo() == 1)
                    break;
            }
            QZakOperacie.Tag = 0;
        }
        RecalcOperationCosts();
    }

    ensureOpen(QZakKusovnik);
    if (start.IsNew && QZakKusovnik.IsEmpty()) {
        TxQuery *rows = &read(OdbytSql::BomOfProduct, {job});
        if (rows->IsEmpty() && previous != 0)
            rows = &read(OdbytSql::BomOfJob, {previous});
        appendQuietly(QZakKusovnik, *rows);
        rows->Close();
        RecalcMaterialCost();
    }

    ensureOpen(QZakKalkO);
    if (start.IsNew && QZakKalkO.IsEmpty()) {
        TxQuery &rows = previous != 0 ? read(OdbytSql::CostLinesOfJob, {QStringLiteral("O"), previous})
                                      : read(OdbytSql::CostTypes, {QStringLiteral("O")});
        QZakKalkO.AppendAllFrom(&rows);
        rows.Close();
    }
    ensureOpen(QZakKalkM);
    if (start.IsNew && QZakKalkM.IsEmpty() && previous != 0) {
        TxQuery &rows = read(OdbytSql::CostLinesOfJob, {QStringLiteral("M"), previous});
        QZakKalkM.AppendAllFrom(&rows);
        rows.Close();
    }

    const QVariant listPrice = SelectValueParams(OdbytSql::ProductListPrice, {job});
    DMZal->Query.Close();
    start.ListPrice = listPrice.toDouble();
    // What the calculation opens with, seeded or stored, is not typing.
    QvZakKalk.KeepAsDefaults();
    for (TDataSet *ds : std::initializer_list<TDataSet *>{&QZakOperacie, &QZakKusovnik, &QZakKalkO, &QZakKalkM})
        ds->KeepPostedAsDefaults();
    return start;
}

bool TDMOdbyt::StoreCalculation(int job, bool updateRoute)
{
    return SaveCalculation([&](bool kept) {
        // An offer item, or a calculation found empty and deleted, leaves the product alone.
        if (job <= 0 || !kept)
            return;
        ExecSqlParams(OdbytSql::ProductCalculatedPrice, {field(&QvZakKalk, "NAKL1")->AsFloat(), job});
        if (updateRoute) {
            ExecSqlParams(OdbytSql::RouteBeyondJob, {job});
            ExecSqlParams(OdbytSql::RouteFromJob, {job});
        }
    });
}

void TDMOdbyt::CloseCalculation()
{
    if (QvZakKalk.Active() && (QvZakKalk.State() == dsEdit || QvZakKalk.State() == dsInsert))
        QvZakKalk.Cancel();
    for (TDataSet *ds :
         std::initializer_list<TDataSet *>{&QvZakKalk, &QZakKalkO, &QZakKalkM, &QZakOperacie, &QZakKusovnik})
        ds->Close();
}
