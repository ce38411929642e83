#include "Kalkulacia.h"

#include "shell/Routines.h"

#include <cmath>

namespace {

const char *const FieldNames[kfCount] = {
    "CENA_MAT", "VAHA_MAT",   "VAHA1",    "P_PREPALU", "MAT_BW1",   "MAT_NW1",   "PRE1",  "MAT1",
    "MZD1",     "NHOD1",      "ODVMZD1",  "P_ODVMZD",  "VYRREZ1",   "P_VYRREZ",  "OVN1",  "MIM1",
    "NAKL1",    "SPRREZ1",    "P_SPRREZ", "UVN1",      "ZISK1",     "P_ZISKU",   "CENA1", "CENA1KG",
    "KURZ",     "CENA_KURZ1", "KOEF_MAT", "KOEF_DOP",  "PRID_MAT1", "PRID_DOP1",
};

// The factor of a rate on its base: an overhead with an 'H' base is an amount per norm hour, every
// other rate a percentage.
double factor(const TKalkRate &rate, bool overhead)
{
    return overhead && rate.Base == QLatin1Char('H') ? rate.Value : rate.Value / 100;
}

// An amount written as a + b x UVN1.
struct Linear {
    double a = 0, b = 0;
};

double sumOf(const std::vector<TKalkCost> &lines)
{
    double sum = 0;
    for (const TKalkCost &line : lines)
        sum += line.HODNOTA;
    return sum;
}

} // namespace

const char *KalkFieldName(TKalkField field)
{
    return FieldNames[field];
}

bool TKalkulacia::IsWeightDrivenMaterial(const QString &material)
{
    return material.size() >= 15 && material.at(14) == QLatin1Char('T');
}

double TKalkulacia::Base(const TKalkRate &rate) const
{
    switch (rate.Base.unicode()) {
    case 'H':
        return F[kfNHOD1];
    case 'U':
        return F[kfUVN1];
    case 'V':
        return F[kfMZD1] + F[kfVYRREZ1];
    default:
        return F[kfMZD1];
    }
}

double TKalkulacia::WeightCost() const
{
    const auto it = Lists.OtherCostKoef.constFind(QStringLiteral("TS"));
    return F[kfVAHA1] * (it == Lists.OtherCostKoef.constEnd() ? 0 : it.value());
}

double TKalkulacia::WageForPrice(double price) const
{
    return (price / (1 + F[kfP_ZISKU] / 100) - F[kfMAT1] - F[kfOVN1] - F[kfMIM1]) /
           (1 + F[kfP_SPRREZ] / 100 + F[kfP_VYRREZ] / 100 + F[kfP_ODVMZD] / 100);
}

void TKalkulacia::NewCalculation(double meltingLoss)
{
    for (TKalkField f : {kfMZD1, kfOVN1, kfMIM1, kfKOEF_MAT, kfPRID_MAT1, kfKOEF_DOP, kfPRID_DOP1})
        F[f] = 0;
    F[kfKURZ] = 1;
    F[kfP_PREPALU] = meltingLoss;
}

void TKalkulacia::SetMaterial(const QString &material)
{
    MATERIAL = material;
    const auto it = Lists.MaterialPrice.constFind(material);
    if (it != Lists.MaterialPrice.constEnd())
        F[kfCENA_MAT] = it.value();
    RecalcMaterialCost();
}

void TKalkulacia::OperationCosts(TKalkOperation &op) const
{
    // The wage first, so a workplace that charges a percentage of the wage takes the new one.
    if (!op.TARIF.trimmed().isEmpty() && op.CAS_JED != 0) {
        const auto tariff = Lists.TariffWage.constFind(TKalkLists::Key(op.TARIF));
        if (tariff != Lists.TariffWage.constEnd() && tariff.value() != 0) {
            op.MZDA = op.CAS_JED * tariff.value() / 60;
            op.Changed = true;
        }
    }
    if (op.PRACOVISKO.trimmed().isEmpty())
        return;
    const auto workplace = Lists.Workplaces.constFind(TKalkLists::Key(op.PRACOVISKO));
    if (workplace == Lists.Workplaces.constEnd())
        return;
    double base = 1;
    if (workplace->Type.trimmed() == QLatin1String("%"))
        base = op.MZDA / 100;
    else if (workplace->Type.trimmed().toUpper() == QLatin1String("H"))
        base = op.CAS_JED / 60;
    op.VYRREZ = workplace->Koef * base;
    op.Changed = true;
}

void TKalkulacia::RecalcMaterialCost()
{
    const double price = F[kfCENA_MAT];
    F[kfMAT_BW1] = F[kfVAHA_MAT] * price;
    F[kfMAT_NW1] = F[kfVAHA1] * price;
    F[kfPRE1] = F[kfVAHA_MAT] * price * F[kfP_PREPALU] / 100;
    F[kfMAT1] = F[kfMAT_NW1] + F[kfPRE1];
    for (double value : MaterialRows)
        F[kfMAT1] += value;

    bool weightOperation = false;
    if (WeightDriven()) {
        for (TKalkOperation &op : Operations)
            if (IsWeightCode(op.OPERACIA)) {
                op.MZDA = WeightWage();
                op.Changed = true;
                weightOperation = true;
                break;
            }
        for (TKalkCost &line : OtherCosts)
            if (IsWeightCode(line.NAKLAD)) {
                line.HODNOTA = WeightCost();
                line.Changed = true;
                F[kfOVN1] = sumOf(OtherCosts);
                break;
            }
    }
    if (weightOperation)
        RecalcOperationCosts();
    else
        RecalcTotals();
}

double TKalkulacia::operationsOverhead() const
{
    double v = 0;
    for (const TKalkOperation &op : Operations)
        v += loss(op.VYRREZ, op.P_STRATY);
    return v;
}

void TKalkulacia::RecalcOperationCosts()
{
    if (Operations.empty()) {
        RecalcTotals();
        return;
    }
    double w = 0, h = 0;
    for (const TKalkOperation &op : Operations) {
        w += loss(op.MZDA, op.P_STRATY);
        h += loss(op.CAS_JED / 60, op.P_STRATY);
    }
    // Wages and norm hours first: the production overhead may be based on them.
    F[kfMZD1] = w;
    F[kfNHOD1] = h;
    solveTotals(true);
    priceByMode();
}

void TKalkulacia::RecalcTotals()
{
    // The production overhead follows the full own costs only when it is based on them.
    solveTotals(!Operations.empty() && RateVyrRez.Base == QLatin1Char('U'));
    priceByMode();
}

// The levies (O), production overhead (V) and administrative overhead (S) may be based on the full own
// costs U, which include them: U = K + O + V + S. Each amount is written as a + b x U and U is solved
// at once, U = (K + sum a) / (1 - sum b), so a recalculation without any change of input finds the
// same figures again. A production overhead based on wages plus itself is solved the same way,
// V = (r M + v) / (1 - r). Where the rates add up to 100 % or more there is no solution, and each
// amount is taken once on the figures as they stand.
void TKalkulacia::solveTotals(bool withOperations)
{
    const double M = F[kfMZD1], H = F[kfNHOD1];
    const auto linearOn = [&](const TKalkRate &rate, double c, const Linear &v) -> Linear {
        switch (rate.Base.unicode()) {
        case 'U':
            return {0, c};
        case 'V':
            return {c * (M + v.a), c * v.b};
        case 'H':
            return {c * H, 0};
        default:
            return {c * M, 0};
        }
    };

    Linear v{F[kfVYRREZ1], 0};
    if (withOperations) {
        const double ops = operationsOverhead();
        const double c = factor(RateVyrRez, true);
        switch (RateVyrRez.Base.unicode()) {
        case 'U':
            v = {ops, c};
            break;
        case 'V':
            v = {c < 1 ? (c * M + ops) / (1 - c) : c * (M + F[kfVYRREZ1]) + ops, 0};
            break;
        case 'H':
            v = {c * H + ops, 0};
            break;
        default:
            v = {c * M + ops, 0};
            break;
        }
    }
    const Linear o = linearOn(RateOdvMzd, factor(RateOdvMzd, false), v);
    const Linear s = linearOn(RateSprRez, factor(RateSprRez, true), v);

    const double K = F[kfMAT1] + M + F[kfOVN1] + F[kfMIM1];
    const double b = v.b + o.b + s.b;
    const double U = b < 1 ? (K + v.a + o.a + s.a) / (1 - b) : F[kfUVN1];
    F[kfVYRREZ1] = v.a + v.b * U;
    F[kfODVMZD1] = o.a + o.b * U;
    F[kfSPRREZ1] = s.a + s.b * U;
    F[kfNAKL1] = F[kfMAT1] + M + F[kfODVMZD1] + F[kfVYRREZ1] + F[kfOVN1] + F[kfMIM1];
    F[kfUVN1] = F[kfNAKL1] + F[kfSPRREZ1];
}

void TKalkulacia::priceByMode()
{
    if (PriceFromCostsMode)
        PriceFromCosts();
    else
        PriceFromCurrencyPrice();
}

void TKalkulacia::PriceFromCosts()
{
    F[kfZISK1] = PercentAmount(RateZisk);
    F[kfCENA1] = RoundDecimals(F[kfUVN1] + F[kfZISK1], 2);
    if (F[kfKURZ] > 0)
        F[kfCENA_KURZ1] = RoundDecimals(HomeToForeign(F[kfCENA1] - F[kfPRID_MAT1] - F[kfPRID_DOP1], F[kfKURZ]), 2);
    percentages();
    pricePerKg();
}

void TKalkulacia::PriceFromCurrencyPrice()
{
    const double rate = F[kfKURZ];
    if (rate > 0) {
        F[kfPRID_MAT1] = ForeignToHome(F[kfVAHA1] * F[kfKOEF_MAT], rate);
        F[kfPRID_DOP1] = ForeignToHome(F[kfVAHA1] * F[kfKOEF_DOP], rate);
    }
    F[kfCENA1] = RoundDecimals(ForeignToHome(F[kfCENA_KURZ1], rate) + F[kfPRID_MAT1] + F[kfPRID_DOP1], 2);
    F[kfZISK1] = F[kfCENA1] - F[kfUVN1];
    percentages();
    pricePerKg();
}

void TKalkulacia::percentages()
{
    const struct {
        TKalkField amount, percent;
        const TKalkRate &rate;
    } pairs[] = {
        {kfODVMZD1, kfP_ODVMZD, RateOdvMzd},
        {kfVYRREZ1, kfP_VYRREZ, RateVyrRez},
        {kfSPRREZ1, kfP_SPRREZ, RateSprRez},
        {kfZISK1, kfP_ZISKU, RateZisk},
    };
    for (const auto &pair : pairs) {
        const double base = Base(pair.rate);
        // Halves to even, as the default rounding mode does.
        if (base != 0)
            F[pair.percent] = std::nearbyint(F[pair.amount] / base * 10000) / 100;
    }
}

void TKalkulacia::pricePerKg()
{
    F[kfCENA1KG] = F[kfVAHA1] != 0 ? F[kfCENA1] / F[kfVAHA1] : 0;
}

void TKalkulacia::SumOtherCosts()
{
    F[kfOVN1] = sumOf(OtherCosts);
    RecalcTotals();
}

void TKalkulacia::SumExternalCosts()
{
    F[kfMIM1] = sumOf(ExternalCosts);
    RecalcTotals();
}

void TKalkulacia::SetAdministrativePercent(double percent)
{
    RateSprRez.Value = percent;
    RecalcTotals();
}

void TKalkulacia::SetProfitPercent(double percent)
{
    RateZisk.Value = percent;
    PriceFromCosts();
}

void TKalkulacia::Recalculate()
{
    F[kfOVN1] = sumOf(OtherCosts);
    F[kfMIM1] = sumOf(ExternalCosts);
    RecalcMaterialCost();
    if (!Operations.empty())
        RecalcOperationCosts();
}
