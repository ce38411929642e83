// The calculation model on its own: worked figures to the cent in both price directions and both home
// currencies, the rules' edge cases, and the figures that stay put when nothing changed.
#include "sales/Kalkulacia.h"
#include "shell/DMZal.h"

#include <QDir>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The home currency as the program sets it: from the user's locale when the base data module starts.
class HomeCurrency {
public:
    explicit HomeCurrency(QLocale::Language language, QLocale::Territory territory)
    {
        saved_ = QLocale();
        QLocale::setDefault(QLocale(language, territory));
        TDMZal dm(QDir(dir_.path()).filePath("tarvis"));
    }
    ~HomeCurrency()
    {
        QLocale::setDefault(saved_);
        CurrencyCode = QStringLiteral("EUR");
    }

private:
    QTemporaryDir dir_;
    QLocale saved_;
};

TKalkOperation operation(const char *code, double minutes, double wage, double overhead, double loss = 0)
{
    TKalkOperation op;
    op.OPERACIA = QString::fromLatin1(code);
    op.CAS_JED = minutes;
    op.MZDA = wage;
    op.VYRREZ = overhead;
    op.P_STRATY = loss;
    return op;
}

// A casting of 12.5 kg gross and 10 kg net at 1.60 per kg with 4 % melting loss, two purchased parts,
// two operations, one other and one external cost; levies 35 % and production overhead 50 % of the
// wages, administrative overhead 10 % and profit 15 % of the full own costs; rate 25.
TKalkulacia workedJob()
{
    TKalkulacia k;
    k[kfVAHA_MAT] = 12.5;
    k[kfVAHA1] = 10;
    k[kfCENA_MAT] = 1.6;
    k[kfP_PREPALU] = 4;
    k[kfKURZ] = 25;
    k.MaterialRows = {2.0, 1.2};
    k.Operations = {operation("FOR", 30, 3, 1.5), operation("CIS", 60, 6, 3)};
    k.OtherCosts = {{QStringLiteral("BAL"), 2.0}};
    k.ExternalCosts = {{QStringLiteral("ZIH"), 1.0}};
    k.RateOdvMzd = {35, QLatin1Char('M')};
    k.RateVyrRez = {50, QLatin1Char('M')};
    k.RateSprRez = {10, QLatin1Char('U')};
    k.RateZisk = {15, QLatin1Char('U')};
    return k;
}

constexpr double kFullCosts = 44.15 / 0.9; // U = (K + levies + production overhead) / (1 - 10 %)

} // namespace

TEST(Kalkulacia, WorkedJobFromCostsHomeEuro)
{
    TKalkulacia k = workedJob();
    k.Recalculate();
    EXPECT_DOUBLE_EQ(k[kfMAT_BW1], 20.0);
    EXPECT_DOUBLE_EQ(k[kfMAT_NW1], 16.0);
    EXPECT_DOUBLE_EQ(k[kfPRE1], 0.8);
    EXPECT_DOUBLE_EQ(k[kfMAT1], 20.0);
    EXPECT_DOUBLE_EQ(k[kfMZD1], 9.0);
    EXPECT_DOUBLE_EQ(k[kfNHOD1], 1.5);
    EXPECT_DOUBLE_EQ(k[kfVYRREZ1], 9.0); // 50 % of 9.00 wages + 4.50 of the operations
    EXPECT_DOUBLE_EQ(k[kfODVMZD1], 3.15);
    EXPECT_DOUBLE_EQ(k[kfOVN1], 2.0);
    EXPECT_DOUBLE_EQ(k[kfMIM1], 1.0);
    EXPECT_DOUBLE_EQ(k[kfNAKL1], 44.15);
    EXPECT_NEAR(k[kfUVN1], kFullCosts, 1e-9);
    EXPECT_NEAR(k[kfSPRREZ1], kFullCosts * 0.1, 1e-9);
    EXPECT_NEAR(k[kfZISK1], kFullCosts * 0.15, 1e-9);
    EXPECT_DOUBLE_EQ(k[kfCENA1], 56.41);
    EXPECT_DOUBLE_EQ(k[kfCENA1KG], 5.641);
    EXPECT_DOUBLE_EQ(k[kfCENA_KURZ1], 1410.25); // 56.41 euro at 25 of the foreign currency each
    EXPECT_DOUBLE_EQ(k[kfP_ODVMZD], 35.0);
    EXPECT_DOUBLE_EQ(k[kfP_VYRREZ], 100.0);
    EXPECT_DOUBLE_EQ(k[kfP_SPRREZ], 10.0);
    EXPECT_DOUBLE_EQ(k[kfP_ZISKU], 15.0);
}

TEST(Kalkulacia, WorkedJobFromCostsHomeKoruna)
{
    HomeCurrency czech(QLocale::Czech, QLocale::Czechia);
    ASSERT_EQ(CurrencyCode, QStringLiteral("CZK"));
    TKalkulacia k = workedJob();
    k.Recalculate();
    EXPECT_DOUBLE_EQ(k[kfCENA1], 56.41);
    EXPECT_DOUBLE_EQ(k[kfCENA_KURZ1], 2.26); // 56.41 koruna at 25 koruna a euro: 2.2564
}

TEST(Kalkulacia, WorkedJobFromCurrencyPriceHomeEuro)
{
    TKalkulacia k = workedJob();
    k.Recalculate();
    k.PriceFromCostsMode = false;
    k[kfKOEF_MAT] = 0.1;
    k[kfKOEF_DOP] = 0.04;
    k[kfCENA_KURZ1] = 1500;
    k.PriceFromCurrencyPrice();
    EXPECT_DOUBLE_EQ(k[kfPRID_MAT1], 0.04);  // 10 kg x 0.10 / 25
    EXPECT_DOUBLE_EQ(k[kfPRID_DOP1], 0.016); // 10 kg x 0.04 / 25
    EXPECT_DOUBLE_EQ(k[kfCENA1], 60.06);     // 1500 / 25 + 0.056
    EXPECT_NEAR(k[kfZISK1], 60.06 - kFullCosts, 1e-9);
    EXPECT_DOUBLE_EQ(k[kfP_ZISKU], 22.43);
    EXPECT_DOUBLE_EQ(k[kfCENA_KURZ1], 1500.0); // the typed price stays
}

TEST(Kalkulacia, WorkedJobFromCurrencyPriceHomeKoruna)
{
    HomeCurrency czech(QLocale::Czech, QLocale::Czechia);
    TKalkulacia k = workedJob();
    k.Recalculate();
    k.PriceFromCostsMode = false;
    k[kfKOEF_MAT] = 0.1;
    k[kfKOEF_DOP] = 0.04;
    k[kfCENA_KURZ1] = 60;
    k.PriceFromCurrencyPrice();
    EXPECT_DOUBLE_EQ(k[kfPRID_MAT1], 25.0); // 10 kg x 0.10 euro x 25
    EXPECT_DOUBLE_EQ(k[kfPRID_DOP1], 10.0);
    EXPECT_DOUBLE_EQ(k[kfCENA1], 1535.0);
    EXPECT_NEAR(k[kfZISK1], 1535 - kFullCosts, 1e-9);
    EXPECT_DOUBLE_EQ(k[kfP_ZISKU], 3029.11);
}

TEST(Kalkulacia, ProfitOnFullCostsAndRateZeroKeepsForeignPrice)
{
    TKalkulacia k;
    k.RateZisk = {15, QLatin1Char('U')};
    k[kfUVN1] = 1000;
    k[kfKURZ] = 0;
    k[kfCENA_KURZ1] = 77;
    k.PriceFromCosts();
    EXPECT_DOUBLE_EQ(k[kfZISK1], 150.0);
    EXPECT_DOUBLE_EQ(k[kfCENA1], 1150.0);
    EXPECT_DOUBLE_EQ(k[kfCENA_KURZ1], 77.0);
}

TEST(Kalkulacia, OperationLossesCountOnlyWhenSwitchedOn)
{
    TKalkulacia k;
    k.Operations = {operation("FOR", 90, 10, 0, 5)};
    k.RecalcOperationCosts();
    EXPECT_DOUBLE_EQ(k[kfMZD1], 10.0);
    EXPECT_DOUBLE_EQ(k[kfNHOD1], 1.5); // 90 minutes
    k.StratyOp = 1;
    k.RecalcOperationCosts();
    EXPECT_DOUBLE_EQ(k[kfMZD1], 10.5);
    EXPECT_DOUBLE_EQ(k[kfNHOD1], 1.575);
}

TEST(Kalkulacia, RateOnZeroBaseLeavesItsPercentage)
{
    TKalkulacia k;
    k.RateOdvMzd = {35, QLatin1Char('M')};
    k[kfP_ODVMZD] = 12.5; // typed; no wages to compute it from
    k.RecalcTotals();
    EXPECT_DOUBLE_EQ(k[kfODVMZD1], 0.0);
    EXPECT_DOUBLE_EQ(k[kfP_ODVMZD], 12.5);
}

TEST(Kalkulacia, WeightDrivenMaterialPricesItsTsOperationAndCostLine)
{
    TKalkulacia k;
    k.MATERIAL = QStringLiteral("GJL-250       T");
    ASSERT_TRUE(k.WeightDriven());
    k[kfVAHA1] = 6.75;
    k.Lists.OtherCostKoef.insert(QStringLiteral("TS"), 2.0);
    k.Operations = {operation("FOR", 10, 1, 0), operation("TS ", 0, 0, 0)};
    k.OtherCosts = {{QStringLiteral("TS"), 0}};
    k.RecalcMaterialCost();
    EXPECT_DOUBLE_EQ(k.Operations[1].MZDA, 0.24);
    EXPECT_TRUE(k.Operations[1].Changed);
    EXPECT_DOUBLE_EQ(k.OtherCosts[0].HODNOTA, 13.5);
    EXPECT_DOUBLE_EQ(k[kfOVN1], 13.5);
    EXPECT_DOUBLE_EQ(k[kfMZD1], 1.24);

    TKalkulacia plain = k;
    plain.MATERIAL = QStringLiteral("GJL-250");
    plain.Operations[1].MZDA = 0;
    plain.RecalcMaterialCost();
    EXPECT_DOUBLE_EQ(plain.Operations[1].MZDA, 0.0);
}

TEST(Kalkulacia, MaterialNotInTheListKeepsItsPrice)
{
    TKalkulacia k;
    k.Lists.MaterialPrice.insert(QStringLiteral("GJL-250        "), 1.6);
    k[kfVAHA1] = 10;
    k.SetMaterial(QStringLiteral("GJL-250        "));
    EXPECT_DOUBLE_EQ(k[kfCENA_MAT], 1.6);
    EXPECT_DOUBLE_EQ(k[kfMAT_NW1], 16.0);
    // Before, the price of whatever material row was current was taken.
    k.SetMaterial(QStringLiteral("NEZNAMY       "));
    EXPECT_DOUBLE_EQ(k[kfCENA_MAT], 1.6);
    EXPECT_EQ(k.MATERIAL, QStringLiteral("NEZNAMY       "));
}

// ---- figures that must not move

namespace {

void expectSameFigures(const TKalkulacia &a, const TKalkulacia &b)
{
    for (int f = 0; f < kfCount; ++f)
        EXPECT_EQ(a.F[f], b.F[f]) << KalkFieldName(TKalkField(f));
}

} // namespace

TEST(Kalkulacia, RecalculationWithoutChangeKeepsEveryFigure)
{
    // Every base letter, including the ones that contain their own amount.
    const char bases[] = {'M', 'H', 'V', 'U'};
    for (char vyrrez : bases)
        for (char odvody : bases)
            for (char sprava : bases) {
                SCOPED_TRACE((std::string{vyrrez, odvody, sprava}));
                TKalkulacia k = workedJob();
                k.RateVyrRez = {30, QLatin1Char(vyrrez)};
                k.RateOdvMzd = {35, QLatin1Char(odvody)};
                k.RateSprRez = {10, QLatin1Char(sprava)};
                k.StratyOp = 1;
                k.Operations[0].P_STRATY = 3;
                k.Recalculate();
                const TKalkulacia first = k;
                k.Recalculate();
                expectSameFigures(first, k);
                k.RecalcOperationCosts();
                k.RecalcTotals();
                k.RecalcMaterialCost();
                expectSameFigures(first, k);
            }
}

TEST(Kalkulacia, OwnBaseRatesAreSolvedTogether)
{
    // Before, each recalculation took the overheads of the previous full costs, so the figures moved
    // at every run; solved together they satisfy their own definitions.
    TKalkulacia k = workedJob();
    k.RateVyrRez = {20, QLatin1Char('U')};
    k.RateOdvMzd = {35, QLatin1Char('U')};
    k.Recalculate();
    const double U = k[kfUVN1];
    EXPECT_NEAR(k[kfVYRREZ1], 0.20 * U + 4.5, 1e-9);
    EXPECT_NEAR(k[kfODVMZD1], 0.35 * U, 1e-9);
    EXPECT_NEAR(k[kfSPRREZ1], 0.10 * U, 1e-9);
    // K = 20 + 9 + 2 + 1, plus the operations' 4.50, over 1 - 65 %.
    EXPECT_NEAR(U, 36.5 / 0.35, 1e-9);

    TKalkulacia v = workedJob();
    v.RateVyrRez = {20, QLatin1Char('V')};
    v.Recalculate();
    // VYRREZ1 = (r MZD1 + v) / (1 - r) = (1.8 + 4.5) / 0.8
    EXPECT_NEAR(v[kfVYRREZ1], 7.875, 1e-12);
    EXPECT_NEAR(v[kfVYRREZ1], 0.2 * (v[kfMZD1] + v[kfVYRREZ1]) + 4.5, 1e-12);
}

TEST(Kalkulacia, RatesOfHundredPercentOrMoreAreTakenOnce)
{
    TKalkulacia k = workedJob();
    k.RateOdvMzd = {60, QLatin1Char('U')};
    k.RateSprRez = {50, QLatin1Char('U')};
    k[kfUVN1] = 100;
    k.RecalcTotals();
    EXPECT_DOUBLE_EQ(k[kfODVMZD1], 60.0);
    EXPECT_DOUBLE_EQ(k[kfSPRREZ1], 50.0);
}

TEST(Kalkulacia, OverheadPerNormHourTakesTheNewHours)
{
    // Before, the production overhead was written before the norm hours it is based on.
    TKalkulacia k;
    k.RateVyrRez = {20, QLatin1Char('H')};
    k.Operations = {operation("FOR", 90, 10, 1)};
    k.RecalcOperationCosts();
    EXPECT_DOUBLE_EQ(k[kfNHOD1], 1.5);
    EXPECT_DOUBLE_EQ(k[kfVYRREZ1], 31.0); // 20 per hour x 1.5 h + 1.00 of the operation
}

TEST(Kalkulacia, OverheadOnWagesTakesTheNewWages)
{
    TKalkulacia k;
    k.RateVyrRez = {50, QLatin1Char('M')};
    k[kfMZD1] = 100; // stale
    k.Operations = {operation("FOR", 60, 10, 0)};
    k.RecalcOperationCosts();
    EXPECT_DOUBLE_EQ(k[kfVYRREZ1], 5.0);
}

TEST(Kalkulacia, OperationWageBeforeWorkplaceOverhead)
{
    // Before, a workplace charging a percentage of the wage took the wage from before the change.
    TKalkulacia k;
    k.Lists.TariffWage.insert(QStringLiteral("T5"), 6.0);
    k.Lists.Workplaces.insert(QStringLiteral("FORM"), {QStringLiteral("%"), 50});
    k.Lists.Workplaces.insert(QStringLiteral("PEC"), {QStringLiteral("H"), 12});
    k.Lists.Workplaces.insert(QStringLiteral("KUS"), {QStringLiteral("K"), 0.7});
    TKalkOperation op = operation("FOR", 30, 1, 0);
    op.TARIF = QStringLiteral("t5 ");
    op.PRACOVISKO = QStringLiteral("form");
    k.OperationCosts(op);
    EXPECT_DOUBLE_EQ(op.MZDA, 3.0);
    EXPECT_DOUBLE_EQ(op.VYRREZ, 1.5);
    op.PRACOVISKO = QStringLiteral("PEC");
    k.OperationCosts(op);
    EXPECT_DOUBLE_EQ(op.VYRREZ, 6.0);
    op.PRACOVISKO = QStringLiteral("KUS");
    k.OperationCosts(op);
    EXPECT_DOUBLE_EQ(op.VYRREZ, 0.7);
    // An unknown tariff or workplace leaves the figures.
    op.TARIF = QStringLiteral("X9");
    op.PRACOVISKO = QStringLiteral("XX");
    op.CAS_JED = 60;
    k.OperationCosts(op);
    EXPECT_DOUBLE_EQ(op.MZDA, 3.0);
    EXPECT_DOUBLE_EQ(op.VYRREZ, 0.7);
}

TEST(Kalkulacia, TypedPercentagesBecomeRates)
{
    TKalkulacia k = workedJob();
    k.Recalculate();
    k.SetProfitPercent(20);
    EXPECT_NEAR(k[kfZISK1], kFullCosts * 0.2, 1e-9);
    EXPECT_DOUBLE_EQ(k[kfP_ZISKU], 20.0);
    k.SetAdministrativePercent(0);
    EXPECT_DOUBLE_EQ(k[kfUVN1], 44.15);
    EXPECT_DOUBLE_EQ(k[kfCENA1], 52.98); // 44.15 x 1.2
}

TEST(Kalkulacia, CostLinesSumAtOnce)
{
    TKalkulacia k = workedJob();
    k.Recalculate();
    k.OtherCosts.clear(); // the line deleted
    k.SumOtherCosts();
    EXPECT_DOUBLE_EQ(k[kfOVN1], 0.0);
    EXPECT_DOUBLE_EQ(k[kfNAKL1], 42.15);
    k.ExternalCosts.push_back({QStringLiteral("LAK"), 4});
    k.SumExternalCosts();
    EXPECT_DOUBLE_EQ(k[kfMIM1], 5.0);
}

TEST(Kalkulacia, WageForTargetPrice)
{
    TKalkulacia k = workedJob();
    k.Recalculate();
    // (p / 1.15 - MAT1 - OVN1 - MIM1) / (1 + 10 % + 100 % + 35 %)
    EXPECT_NEAR(k.WageForPrice(115), (100 - 23.0) / 2.45, 1e-9);
}
