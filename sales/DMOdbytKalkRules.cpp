// The rules of the calculation data sets: new rows, the operation rules, and the figures of the header,
// which the calculation model recomputes on the loaded rows and writes back where they moved.
#include "DMOdbyt.h"

#include "DMTPV.h"
#include "OdbytSql.h"
#include "shell/DMCis.h"
#include "shell/DMZal.h"
#include "shell/Routines.h"

namespace {

TField *field(TDataSet *ds, const char *name)
{
    return ds->FieldByName(QString::fromLatin1(name));
}

double number(TDataSet &ds, int row, const char *name)
{
    const TField *f = ds.FindField(QString::fromLatin1(name));
    return f ? ds.ValueAt(row, f).toDouble() : 0;
}

QString text(TDataSet &ds, int row, const char *name)
{
    const TField *f = ds.FindField(QString::fromLatin1(name));
    return f ? ds.ValueAt(row, f).toString() : QString();
}

void ensureOpen(TDataSet &ds)
{
    if (!ds.Active())
        ds.Open();
}

template <class Fill> void eachRow(TDataSet &ds, Fill fill)
{
    if (!ds.Active())
        return;
    ds.FetchAll();
    for (int row = 0; row < ds.RecordCount(); ++row)
        fill(row);
}

// Rows of a detail whose figures the model rewrote, written back without their after-post rules.
template <class Rows, class Write> void storeChangedRows(TDataSet &ds, Rows &rows, Write write)
{
    if (!ds.Active() || ds.State() != dsBrowse)
        return;
    const int keep = ds.RecNo();
    {
        TDMOdbyt::TRulesHeld held(ds);
        for (int row = 0; row < int(rows.size()) && row < ds.RecordCount(); ++row) {
            if (!rows[row].Changed)
                continue;
            ds.SetRecNo(row + 1);
            ds.Edit();
            write(rows[row]);
            ds.Post();
            rows[row].Changed = false;
        }
    }
    if (keep > 0)
        ds.SetRecNo(keep);
}

// Deletes the rows of no value without their after-delete rules: dropping them changes no figure, and a
// rule run now would price the calculation again by the price mode, over the price the dialog showed.
template <class Empty> void dropEmptyRows(TDataSet &ds, Empty empty)
{
    if (!ds.Active())
        return;
    TDMOdbyt::TRulesHeld held(ds);
    ds.First();
    while (!ds.Eof()) {
        if (empty())
            ds.Delete();
        else
            ds.Next();
    }
}

} // namespace

// ---------------------------------------------------------------- the model and the data sets

void TDMOdbyt::LoadCalculationLists()
{
    TKalkLists lists;
    TxTable &materials = DMZal->CMaterialov;
    ensureOpen(materials);
    eachRow(materials, [&](int row) {
        lists.MaterialPrice.insert(text(materials, row, "MATERIAL"), number(materials, row, "CENA_MAT"));
    });
    ensureOpen(DMCis->CPracovisk);
    eachRow(DMCis->CPracovisk, [&](int row) {
        lists.Workplaces.insert(
            TKalkLists::Key(text(DMCis->CPracovisk, row, "PRACOVISKO")),
            {text(DMCis->CPracovisk, row, "TYP_VYRREZ"), number(DMCis->CPracovisk, row, "KOEF_VYRREZ")});
    });
    ensureOpen(DMCis->CTarifov);
    eachRow(DMCis->CTarifov, [&](int row) {
        lists.TariffWage.insert(TKalkLists::Key(text(DMCis->CTarifov, row, "TARIF")),
                                number(DMCis->CTarifov, row, "MZDAH"));
    });
    ensureOpen(CNakladovO);
    eachRow(CNakladovO, [&](int row) {
        lists.OtherCostKoef.insert(TKalkLists::Key(text(CNakladovO, row, "NAKLAD")),
                                   number(CNakladovO, row, "KOEF_NAKL"));
    });
    Kalk.Lists = std::move(lists);

    const auto rate = [](const char *name, double fallback, TKalkRate &r) {
        DMCis->GetOverheadRate(QString::fromLatin1(name), fallback, r.Value, r.Base);
    };
    rate("P_ODVMZD", 0, Kalk.RateOdvMzd);
    rate("K_VYRREZ", 0, Kalk.RateVyrRez);
    rate("K_SPRREZ", 0, Kalk.RateSprRez);
    rate("P_ZISKU", 15.0, Kalk.RateZisk);
    TKalkRate losses;
    rate("STRATY_OP", 0, losses);
    Kalk.StratyOp = losses.Value;
}

void TDMOdbyt::loadModel()
{
    TKalkulacia &k = Kalk;
    for (int f = 0; f < kfCount; ++f) {
        const TField *column = QvZakKalk.FindField(QString::fromLatin1(KalkFieldName(TKalkField(f))));
        k.F[f] = column ? column->AsFloat() : 0;
        loaded_[f] = k.F[f];
    }
    k.MATERIAL = field(&QvZakKalk, "MATERIAL")->AsString();
    k.MENA = field(&QvZakKalk, "MENA")->AsString();
    k.Operations.clear();
    eachRow(QZakOperacie, [&](int row) {
        TKalkOperation op;
        op.OPERACIA = text(QZakOperacie, row, "OPERACIA");
        op.PRACOVISKO = text(QZakOperacie, row, "PRACOVISKO");
        op.TARIF = text(QZakOperacie, row, "TARIF");
        op.CAS_JED = number(QZakOperacie, row, "CAS_JED");
        op.MZDA = number(QZakOperacie, row, "MZDA");
        op.VYRREZ = number(QZakOperacie, row, "VYRREZ");
        op.P_STRATY = number(QZakOperacie, row, "P_STRATY");
        k.Operations.push_back(op);
    });
    k.MaterialRows.clear();
    eachRow(QZakKusovnik, [&](int row) { k.MaterialRows.push_back(number(QZakKusovnik, row, "HODNOTA")); });
    for (auto [ds, lines] : {std::pair{&QZakKalkO, &k.OtherCosts}, std::pair{&QZakKalkM, &k.ExternalCosts}}) {
        lines->clear();
        eachRow(*ds, [&, ds = ds, lines = lines](int row) {
            lines->push_back({text(*ds, row, "NAKLAD"), number(*ds, row, "HODNOTA")});
        });
    }
}

void TDMOdbyt::storeModel()
{
    for (int f = 0; f < kfCount; ++f) {
        if (Kalk.F[f] == loaded_[f])
            continue;
        TField *column = QvZakKalk.FindField(QString::fromLatin1(KalkFieldName(TKalkField(f))));
        if (!column)
            continue;
        if (QvZakKalk.State() == dsBrowse)
            QvZakKalk.Edit();
        column->SetValue(Kalk.F[f]);
    }
    storeChangedRows(QZakOperacie, Kalk.Operations, [this](const TKalkOperation &op) {
        field(&QZakOperacie, "MZDA")->SetValue(op.MZDA);
        field(&QZakOperacie, "VYRREZ")->SetValue(op.VYRREZ);
    });
    storeChangedRows(QZakKalkO, Kalk.OtherCosts,
                     [this](const TKalkCost &line) { field(&QZakKalkO, "HODNOTA")->SetValue(line.HODNOTA); });
}

void TDMOdbyt::applyStep(const std::function<void()> &step)
{
    loadModel();
    step();
    storeModel();
}

void TDMOdbyt::runStep(const std::function<void()> &step)
{
    if (QvZakKalk.Tag == -1 || !QvZakKalk.Active() || QvZakKalk.IsEmpty())
        return;
    TRulesHeld held(QvZakKalk);
    applyStep(step);
}

void TDMOdbyt::RecalcMaterialCost()
{
    runStep([this] { Kalk.RecalcMaterialCost(); });
}

void TDMOdbyt::RecalcOperationCosts()
{
    runStep([this] { Kalk.RecalcOperationCosts(); });
}

void TDMOdbyt::RecalcTotals()
{
    runStep([this] { Kalk.RecalcTotals(); });
}

void TDMOdbyt::PriceFromCosts()
{
    runStep([this] { Kalk.PriceFromCosts(); });
}

void TDMOdbyt::PriceFromCurrencyPrice()
{
    runStep([this] { Kalk.PriceFromCurrencyPrice(); });
}

void TDMOdbyt::Recalculate()
{
    runStep([this] { Kalk.Recalculate(); });
}

// ---------------------------------------------------------------- header

void TDMOdbyt::QvZakKalkAfterOpen(TDataSet *)
{
    LoadCalculationLists();
}

void TDMOdbyt::QvZakKalkCreateFields(TDataSet *dataSet)
{
    field(dataSet, "MATERIAL")->OnChange = [this](TField *f) {
        const QString material = f->AsString();
        runStep([this, material] { Kalk.SetMaterial(material); });
    };
    for (const char *name : {"CENA_MAT", "VAHA_MAT", "VAHA1", "P_PREPALU"})
        field(dataSet, name)->OnChange = [this](TField *) { RecalcMaterialCost(); };
    for (const char *name : {"OVN1", "MIM1"})
        field(dataSet, name)->OnChange = [this](TField *) { RecalcTotals(); };
    field(dataSet, "CENA1")->OnChange = [](TField *f) {
        TDataSet *ds = f->DataSet();
        if (ds->Tag == -1)
            return;
        const double weight = field(ds, "VAHA1")->AsFloat();
        field(ds, "CENA1KG")->SetValue(weight != 0 ? f->AsFloat() / weight : 0.0);
    };
    for (const char *name : {"CENA_KURZ1", "KURZ", "KOEF_MAT", "KOEF_DOP"})
        field(dataSet, name)->OnChange = [this](TField *) { PriceFromCurrencyPrice(); };
    TField *administrative = field(dataSet, "P_SPRREZ");
    administrative->ReadOnly = false;
    administrative->OnChange = [this](TField *f) {
        const double percent = f->AsFloat();
        runStep([this, percent] { Kalk.SetAdministrativePercent(percent); });
    };
    TField *profit = field(dataSet, "P_ZISKU");
    profit->ReadOnly = false;
    profit->OnChange = [this](TField *f) {
        const double percent = f->AsFloat();
        runStep([this, percent] { Kalk.SetProfitPercent(percent); });
    };
}

void TDMOdbyt::QvZakKalkNewRecord(TDataSet *dataSet)
{
    TRulesHeld held(*dataSet);
    // The job is the number after the first "=" of the filter "C_INT=%d".
    const QString filter = dataSet->Filter();
    const int job = filter.mid(filter.indexOf(QLatin1Char('=')) + 1).left(7).trimmed().toInt();
    field(dataSet, "C_INT")->SetValue(job);
    double meltingLoss = 0;
    QChar base;
    DMCis->GetOverheadRate(QStringLiteral("P_PREPALU"), 0, meltingLoss, base);
    Kalk.PriceFromCostsMode = true;
    applyStep([this, meltingLoss] { Kalk.NewCalculation(meltingLoss); });

    TxQuery &q = DMZal->Query;
    q.Close();
    q.SQL().SetText(OdbytSql::JobForNewCalculation);
    q.ParamByName(QStringLiteral("c_int")).SetValue(job);
    q.Open();
    int customer = 0;
    if (!q.IsEmpty()) {
        for (const char *name : {"MATERIAL", "VAHA_MAT", "VAHA1", "MENA"})
            field(dataSet, name)->SetValue(field(&q, name)->Value());
        customer = field(&q, "C_ODB")->AsInteger();
    }
    q.Close();
    if (customer == 96 || customer == 412) {
        for (const char *name : {"KOEF_MAT", "KOEF_DOP"}) {
            double value = 0;
            DMCis->GetOverheadRate(QString::fromLatin1(name), 0, value, base);
            field(dataSet, name)->SetValue(value);
        }
    }
    const QString material = field(dataSet, "MATERIAL")->AsString();
    applyStep([this, material] { Kalk.SetMaterial(material); });
}

// ---------------------------------------------------------------- details

void TDMOdbyt::QZakOperacieAfterOpen(TDataSet *dataSet)
{
    field(dataSet, "OPERACIA")->OnChange = [this](TField *f) { copyOperation(f); };
    for (const char *name : {"PRACOVISKO", "TARIF", "CAS_JED"})
        field(dataSet, name)->OnChange = [this](TField *f) { operationCosts(f); };
    field(dataSet, "CAS_JED")->OnSetText = &TDMTPV::SetUnitTimeText;
}

void TDMOdbyt::copyOperation(TField *f)
{
    TDataSet *ds = f->DataSet();
    TxTable &list = DMZal->COperacii;
    if (field(ds, "C_OPERACIE")->AsInteger() != 0 || !list.Active() ||
        !list.Locate(QStringLiteral("OPERACIA"), f->AsString(), loCaseInsensitive))
        return;
    field(ds, "C_OPERACIE")->SetValue(field(&list, "C_OPERACIE")->Value());
    field(ds, "POPIS_OP")->SetValue(field(&list, "NAZOV_OP")->Value());
    for (const char *name : {"PRACOVISKO", "PROFESIA", "TARIF"})
        field(ds, name)->SetValue(field(&list, name)->Value());
}

void TDMOdbyt::operationCosts(TField *f)
{
    TDataSet *ds = f->DataSet();
    TKalkOperation op;
    op.PRACOVISKO = field(ds, "PRACOVISKO")->AsString();
    op.TARIF = field(ds, "TARIF")->AsString();
    op.CAS_JED = field(ds, "CAS_JED")->AsFloat();
    op.MZDA = field(ds, "MZDA")->AsFloat();
    op.VYRREZ = field(ds, "VYRREZ")->AsFloat();
    Kalk.OperationCosts(op);
    if (!op.Changed)
        return;
    field(ds, "MZDA")->SetValue(op.MZDA);
    field(ds, "VYRREZ")->SetValue(op.VYRREZ);
}

void TDMOdbyt::QZakOperacieNewRecord(TDataSet *dataSet)
{
    field(dataSet, "C_INT")->SetValue(field(&QvZakKalk, "C_INT")->Value());
    field(dataSet, "MZDA")->SetValue(0);
    for (const char *name : {"OPERACIA", "PRACOVISKO", "TARIF"})
        field(dataSet, name)->SetValue(QStringLiteral(" "));
    field(dataSet, "OSOBY")->SetValue(1);
    field(dataSet, "P_STRATY")->SetValue(0);
}

void TDMOdbyt::QZakOperacieBeforePost(TDataSet *dataSet)
{
    if (dataSet->State() == dsInsert && TKalkulacia::IsWeightCode(field(dataSet, "OPERACIA")->AsString()) &&
        TKalkulacia::IsWeightDrivenMaterial(field(&QvZakKalk, "MATERIAL")->AsString()))
        field(dataSet, "MZDA")->SetValue(field(&QvZakKalk, "VAHA1")->AsFloat() * 0.24 / 6.75);
}

void TDMOdbyt::QZakKusovnikNewRecord(TDataSet *dataSet)
{
    field(dataSet, "C_INT")->SetValue(field(&QvZakKalk, "C_INT")->Value());
    field(dataSet, "C_POZICIE")->SetValue(10 * (dataSet->RecordCount() - 1) + 10);
    field(dataSet, "C_OPERACIE")->SetValue(0);
    field(dataSet, "P_STRATY")->SetValue(0);
}

void TDMOdbyt::costNewRecord(TDataSet *dataSet, const char *type)
{
    field(dataSet, "C_INT")->SetValue(field(&QvZakKalk, "C_INT")->Value());
    field(dataSet, "TYP_NAKL")->SetValue(QString::fromLatin1(type));
}

void TDMOdbyt::QZakKalkOBeforePost(TDataSet *dataSet)
{
    if (dataSet->State() != dsInsert || !TKalkulacia::IsWeightCode(field(dataSet, "NAKLAD")->AsString()) ||
        !TKalkulacia::IsWeightDrivenMaterial(field(&QvZakKalk, "MATERIAL")->AsString()))
        return;
    const auto koef = Kalk.Lists.OtherCostKoef.constFind(QStringLiteral("TS"));
    field(dataSet, "HODNOTA")
        ->SetValue(field(&QvZakKalk, "VAHA1")->AsFloat() * (koef == Kalk.Lists.OtherCostKoef.constEnd() ? 0 : *koef));
}

// ---------------------------------------------------------------- save

bool TDMOdbyt::SaveCalculation(const std::function<void(bool kept)> &alsoWrite)
{
    for (TDataSet *ds : std::initializer_list<TDataSet *>{&QZakOperacie, &QZakKusovnik, &QZakKalkO, &QZakKalkM})
        if (ds->Active())
            ds->CheckBrowseMode();
    // Operations that add neither wage, times nor overhead, and cost lines of no value, are not kept.
    dropEmptyRows(QZakOperacie, [this] {
        return field(&QZakOperacie, "MZDA")->AsFloat() == 0 && field(&QZakOperacie, "CAS_JED")->IsNull() &&
               field(&QZakOperacie, "CAS_PRIP")->AsFloat() == 0 && field(&QZakOperacie, "VYRREZ")->AsFloat() == 0;
    });
    for (TxTable *lines : {&QZakKalkO, &QZakKalkM})
        dropEmptyRows(*lines, [lines] { return field(lines, "HODNOTA")->AsFloat() == 0; });
    bool kept = true;
    {
        TDisableControls disabled(&QvZakKalk);
        const bool noRows =
            (!QZakOperacie.Active() || QZakOperacie.IsEmpty()) && (!QZakKusovnik.Active() || QZakKusovnik.IsEmpty());
        if (noRows && field(&QvZakKalk, "NAKL1")->AsFloat() == 0 && field(&QvZakKalk, "CENA1")->AsFloat() == 0 &&
            field(&QvZakKalk, "KURZ")->AsFloat() == 0) {
            QvZakKalk.Delete();
            kept = false;
        }
        // Posted even untyped: a calculation stored as it was seeded is still the one asked for.
        if (QvZakKalk.State() == dsEdit || QvZakKalk.State() == dsInsert)
            QvZakKalk.Post();
        const std::vector<TDataSet *> sets{&QvZakKalk, &QZakOperacie, &QZakKusovnik, &QZakKalkO, &QZakKalkM};
        TIBTransaction *tr = DMZal->DBZAL.DefaultTransaction();
        {
            TSavepoint save(tr);
            for (TDataSet *ds : sets)
                if (ds->Active())
                    ds->ApplyPendingUpdates();
            if (alsoWrite)
                alsoWrite(kept);
            save.Commit();
        }
        tr->CommitRetaining();
        for (TDataSet *ds : sets)
            if (ds->Active())
                ds->CommitUpdates();
    }
    return kept;
}
