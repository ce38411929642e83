// TKalkulacia: the per-piece calculation of one job (material, operations, overheads, other costs, profit,
// the price at home and in a foreign currency) as plain figures and rows. The sales module's rules load it
// from the calculation data sets, run one step and write back what changed; nothing here runs a statement.
#pragma once

#include <QChar>
#include <QHash>
#include <QString>
#include <vector>

// The header's figures, in the order of their columns.
enum TKalkField {
    kfCENA_MAT,
    kfVAHA_MAT,
    kfVAHA1,
    kfP_PREPALU,
    kfMAT_BW1,
    kfMAT_NW1,
    kfPRE1,
    kfMAT1,
    kfMZD1,
    kfNHOD1,
    kfODVMZD1,
    kfP_ODVMZD,
    kfVYRREZ1,
    kfP_VYRREZ,
    kfOVN1,
    kfMIM1,
    kfNAKL1,
    kfSPRREZ1,
    kfP_SPRREZ,
    kfUVN1,
    kfZISK1,
    kfP_ZISKU,
    kfCENA1,
    kfCENA1KG,
    kfKURZ,
    kfCENA_KURZ1,
    kfKOEF_MAT,
    kfKOEF_DOP,
    kfPRID_MAT1,
    kfPRID_DOP1,
    kfCount
};
// The column of a figure ("CENA_MAT").
const char *KalkFieldName(TKalkField field);

// An overhead rate: its value and the letter of its base ('H' norm hours, 'U' full own costs, 'V' wages
// with production overhead, anything else wages).
struct TKalkRate {
    double Value = 0;
    QChar Base = QLatin1Char(' ');
};

// One operation of the job.
struct TKalkOperation {
    QString OPERACIA;
    QString PRACOVISKO;
    QString TARIF;
    double CAS_JED = 0; // minutes per piece
    double MZDA = 0;
    double VYRREZ = 0;
    double P_STRATY = 0;
    bool Changed = false; // set by a rule that rewrote MZDA or VYRREZ
};

// One line of the other ('O') or external ('M') costs.
struct TKalkCost {
    QString NAKLAD;
    double HODNOTA = 0;
    bool Changed = false;
};

// A workplace's production overhead: its coefficient and its base ("%" of the wage, "H" per hour, else
// per piece).
struct TKalkWorkplace {
    QString Type;
    double Koef = 0;
};

// The code lists a calculation reads, loaded once with the calculation (keys compared as trimmed upper
// case, except material codes, which match exactly).
struct TKalkLists {
    QHash<QString, double> MaterialPrice;      // CMATERIALOV: MATERIAL -> CENA_MAT
    QHash<QString, TKalkWorkplace> Workplaces; // CPRACOVISK
    QHash<QString, double> TariffWage;         // CTARIFOV: TARIF -> MZDAH
    QHash<QString, double> OtherCostKoef;      // CNAKLADOV 'O': NAKLAD -> KOEF_NAKL
    static QString Key(const QString &code) { return code.trimmed().toUpper(); }
};

class TKalkulacia {
public:
    // ---- the loaded job
    double F[kfCount] = {};
    QString MATERIAL;
    QString MENA;
    std::vector<TKalkOperation> Operations;
    std::vector<double> MaterialRows; // HODNOTA of each bill-of-materials row
    std::vector<TKalkCost> OtherCosts;
    std::vector<TKalkCost> ExternalCosts;

    // ---- the module's state beside the rows
    TKalkRate RateOdvMzd;                       // P_ODVMZD
    TKalkRate RateVyrRez;                       // K_VYRREZ
    TKalkRate RateSprRez;                       // K_SPRREZ
    TKalkRate RateZisk{15.0, QLatin1Char(' ')}; // P_ZISKU
    double StratyOp = 0;                        // operation losses are applied when not 0
    bool PriceFromCostsMode = true;
    TKalkLists Lists;

    double &operator[](TKalkField f) { return F[f]; }
    double operator[](TKalkField f) const { return F[f]; }

    // ---- the steps the rules run
    // A new calculation's figures (the weights and material come from the job afterwards).
    void NewCalculation(double meltingLoss);
    // The material's price from the list; a code not in the list leaves the price alone. Then the
    // material cost.
    void SetMaterial(const QString &material);
    // Material by weight with its melting loss and the bill of materials; a weight-driven material
    // rewrites the 'TS' operation's wage and the 'TS' other-cost line; then the totals.
    void RecalcMaterialCost();
    // Wages, norm hours and the production overhead from the operations (nothing when there are none);
    // then the totals.
    void RecalcOperationCosts();
    // Wage levies, administrative overhead, own and full own costs; then the price by the price mode.
    void RecalcTotals();
    void PriceFromCosts();
    void PriceFromCurrencyPrice();
    // OVN1 / MIM1 := the sum of their lines, then the totals.
    void SumOtherCosts();
    void SumExternalCosts();
    // A percentage typed by the user becomes the rate's value.
    void SetAdministrativePercent(double percent);
    void SetProfitPercent(double percent);
    // Every step in order: material (with the operations) and the price. Run on unchanged input it
    // leaves every figure as it was.
    void Recalculate();

    // ---- one operation
    // Wage of the tariff, then the workplace's overhead on that wage.
    void OperationCosts(TKalkOperation &op) const;
    // The wage of a 'TS' operation of a weight-driven material.
    double WeightWage() const { return F[kfVAHA1] * 0.24 / 6.75; }
    // The value of a 'TS' other-cost line of a weight-driven material.
    double WeightCost() const;
    bool WeightDriven() const { return IsWeightDrivenMaterial(MATERIAL); }

    // ---- shared helpers
    // The 15th character of the code is 'T'.
    static bool IsWeightDrivenMaterial(const QString &material);
    static bool IsWeightCode(const QString &code) { return code.trimmed().toUpper() == QLatin1String("TS"); }
    // The value a rate's base letter names in the current figures.
    double Base(const TKalkRate &rate) const;
    double PercentAmount(const TKalkRate &rate) const { return Base(rate) * rate.Value / 100; }
    // The target price's wage shown by the dialog: the wage that would give price p.
    double WageForPrice(double price) const;

private:
    double loss(double value, double percent) const { return StratyOp == 0 ? value : value * (100 + percent) / 100; }
    // Levies, overheads and full own costs solved together (see the source).
    void solveTotals(bool withOperations);
    void priceByMode();
    void percentages();
    void pricePerKg();
    double operationsOverhead() const;
};
