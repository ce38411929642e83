// The calculation data sets on a fresh database: a new calculation from the job and the code lists, the
// rules of operations, materials and cost lines, the save in one apply, a recalculation that moves
// nothing and runs no statement, and a refused save that keeps every row.
#include "SalesFixture.h"

class CalculationTest : public SalesJobTest {
protected:
    void SetUp() override
    {
        SalesJobTest::SetUp();
        if (HasFatalFailure())
            return;
        product("V2", "GJS-400       T", 7, 6.75);
        job(260002, "ZAK260001", "V2");
    }
    // The worked job: two operations, a purchased part, one other and one external cost.
    void fillWorkedJob()
    {
        openCalculation(260001);
        addOperation(10, "FOR", 30, "T5", "FORM");
        addOperation(20, "CIS", 60, "T5", "CIST");
        odbyt->QZakKusovnik.Append();
        odbyt->QZakKusovnik.FieldByName("C_POL")->SetValue("M1");
        odbyt->QZakKusovnik.FieldByName("HODNOTA")->SetValue(3.2);
        odbyt->QZakKusovnik.Post();
        for (auto [set, cost, amount] :
             {std::tuple{&odbyt->QZakKalkO, "BAL", 2.0}, std::tuple{&odbyt->QZakKalkM, "ZIH", 1.0}}) {
            set->Append();
            set->FieldByName("NAKLAD")->SetValue(QString::fromLatin1(cost));
            set->FieldByName("HODNOTA")->SetValue(amount);
            set->Post();
        }
    }
};

TEST_F(CalculationTest, NewCalculationFromJobAndCodeLists)
{
    openCalculation(260001);
    EXPECT_EQ(odbyt->QvZakKalk.State(), dsInsert);
    EXPECT_EQ(odbyt->QvZakKalk.FieldByName("C_INT")->AsInteger(), 260001);
    EXPECT_DOUBLE_EQ(header("KURZ"), 1.0);
    EXPECT_DOUBLE_EQ(header("P_PREPALU"), 4.0);
    EXPECT_EQ(odbyt->QvZakKalk.FieldByName("MATERIAL")->AsString().trimmed(), "GJL-250");
    EXPECT_EQ(odbyt->QvZakKalk.FieldByName("MENA")->AsString(), "EUR");
    EXPECT_DOUBLE_EQ(header("CENA_MAT"), 1.6);
    EXPECT_DOUBLE_EQ(header("MAT_BW1"), 20.0);
    EXPECT_DOUBLE_EQ(header("MAT_NW1"), 16.0);
    EXPECT_DOUBLE_EQ(header("PRE1"), 0.8);
    EXPECT_DOUBLE_EQ(header("MAT1"), 16.8);
    EXPECT_DOUBLE_EQ(header("KOEF_MAT"), 0.0);
    EXPECT_EQ(odbyt->QvZakKalk.Tag, 0);
}

TEST_F(CalculationTest, WorkedJobThroughTheDataSets)
{
    fillWorkedJob();
    TxTable &ops = odbyt->QZakOperacie;
    ops.First();
    EXPECT_DOUBLE_EQ(ops.FieldByName("MZDA")->AsFloat(), 3.0);   // 30 min at 6 an hour
    EXPECT_DOUBLE_EQ(ops.FieldByName("VYRREZ")->AsFloat(), 1.5); // 50 % of the new wage
    ops.Next();
    EXPECT_DOUBLE_EQ(ops.FieldByName("VYRREZ")->AsFloat(), 12.0); // 12 an hour
    EXPECT_DOUBLE_EQ(header("MZD1"), 9.0);
    EXPECT_DOUBLE_EQ(header("NHOD1"), 1.5);
    EXPECT_DOUBLE_EQ(header("VYRREZ1"), 18.0); // 50 % of 9.00 + 13.50 of the operations
    EXPECT_DOUBLE_EQ(header("ODVMZD1"), 3.15);
    EXPECT_DOUBLE_EQ(header("MAT1"), 20.0);
    EXPECT_DOUBLE_EQ(header("OVN1"), 2.0);
    EXPECT_DOUBLE_EQ(header("MIM1"), 1.0);
    EXPECT_DOUBLE_EQ(header("NAKL1"), 53.15);
    EXPECT_NEAR(header("UVN1"), 53.15 / 0.9, 1e-9);
    EXPECT_DOUBLE_EQ(header("CENA1"), 67.91);
    EXPECT_DOUBLE_EQ(header("CENA_KURZ1"), 67.91);
    EXPECT_DOUBLE_EQ(header("CENA1KG"), 6.791);
    EXPECT_DOUBLE_EQ(header("P_ZISKU"), 15.0);

    EXPECT_TRUE(odbyt->SaveCalculation());
    EXPECT_DOUBLE_EQ(value("select CENA1 from ZAKKALK where C_INT=260001").toDouble(), 67.91);
    EXPECT_EQ(count("select count(*) from ZAKOPERACIE where C_INT=260001"), 2);
    EXPECT_EQ(count("select count(*) from ZAKKUSOVNIK where C_INT=260001"), 1);
    EXPECT_EQ(count("select count(*) from ZAKKALKD where C_INT=260001"), 2);
    EXPECT_DOUBLE_EQ(value("select CENA1KG from VZAKKALK where C_INT=260001").toDouble(), 6.791);
    closeCalculation();

    // Opened again and recalculated without any change: nothing moves and nothing is asked of the server.
    openCalculation(260001);
    std::vector<double> before;
    for (int f = 0; f < kfCount; ++f)
        before.push_back(header(KalkFieldName(TKalkField(f))));
    {
        StatementCounter statements;
        odbyt->Recalculate();
        EXPECT_EQ(statements.begun, 0);
    }
    for (int f = 0; f < kfCount; ++f)
        EXPECT_EQ(header(KalkFieldName(TKalkField(f))), before[f]) << KalkFieldName(TKalkField(f));
    odbyt->QvZakKalk.Post();
    for (TDataSet *ds : std::initializer_list<TDataSet *>{&odbyt->QZakOperacie, &odbyt->QZakKalkO})
        EXPECT_FALSE(ds->UpdatesPending());
    closeCalculation();
}

TEST_F(CalculationTest, DeletedLinesAndRowsResumAtOnce)
{
    fillWorkedJob();
    // Before, a deleted other-cost line counted until the next post of a line.
    odbyt->QZakKalkO.First();
    odbyt->QZakKalkO.Delete();
    EXPECT_DOUBLE_EQ(header("OVN1"), 0.0);
    EXPECT_DOUBLE_EQ(header("NAKL1"), 51.15);
    odbyt->QZakKalkM.First();
    odbyt->QZakKalkM.Delete();
    EXPECT_DOUBLE_EQ(header("MIM1"), 0.0);
    odbyt->QZakKusovnik.First();
    odbyt->QZakKusovnik.Delete();
    EXPECT_DOUBLE_EQ(header("MAT1"), 16.8);
    odbyt->QZakOperacie.Last();
    odbyt->QZakOperacie.Delete();
    EXPECT_DOUBLE_EQ(header("MZD1"), 3.0);
    EXPECT_DOUBLE_EQ(header("NHOD1"), 0.5);
}

TEST_F(CalculationTest, TypedFiguresRunTheirRules)
{
    fillWorkedJob();
    setHeader("VAHA1", 20); // net weight doubled
    EXPECT_DOUBLE_EQ(header("MAT_NW1"), 32.0);
    EXPECT_DOUBLE_EQ(header("MAT1"), 36.0);
    setHeader("P_ZISKU", 20.0);
    EXPECT_NEAR(header("ZISK1"), header("UVN1") * 0.2, 1e-9);
    setHeader("P_SPRREZ", 0.0);
    EXPECT_DOUBLE_EQ(header("SPRREZ1"), 0.0);
    EXPECT_DOUBLE_EQ(header("UVN1"), header("NAKL1"));
    // The price from the foreign-currency price.
    odbyt->SetPriceMode(false);
    setHeader("KURZ", 25.0);
    setHeader("CENA_KURZ1", 2500.0);
    EXPECT_DOUBLE_EQ(header("CENA1"), 100.0);
    EXPECT_NEAR(header("ZISK1"), 100 - header("UVN1"), 1e-9);
    // A material not in the list keeps the price.
    setHeader("MATERIAL", "NEZNAMY");
    EXPECT_DOUBLE_EQ(header("CENA_MAT"), 1.6);
    setHeader("MATERIAL", "GJS-400       T");
    EXPECT_DOUBLE_EQ(header("CENA_MAT"), 2.0);
}

TEST_F(CalculationTest, WeightDrivenMaterial)
{
    openCalculation(260002);
    EXPECT_DOUBLE_EQ(header("CENA_MAT"), 2.0);
    addOperation(10, "FOR", 30);
    TxTable &ops = odbyt->QZakOperacie;
    ops.Append();
    ops.FieldByName("C_OPERACIE")->SetValue(30);
    ops.FieldByName("OPERACIA")->SetValue("TS ");
    ops.Post();
    EXPECT_DOUBLE_EQ(ops.FieldByName("MZDA")->AsFloat(), 0.24); // 6.75 kg
    odbyt->QZakKalkO.Append();
    odbyt->QZakKalkO.FieldByName("NAKLAD")->SetValue("TS");
    odbyt->QZakKalkO.Post();
    EXPECT_DOUBLE_EQ(odbyt->QZakKalkO.FieldByName("HODNOTA")->AsFloat(), 13.5);
    EXPECT_DOUBLE_EQ(header("OVN1"), 13.5);
    EXPECT_DOUBLE_EQ(header("MZD1"), 3.24);
    // A new net weight prices both again.
    setHeader("VAHA1", 13.5);
    ops.Last();
    EXPECT_DOUBLE_EQ(ops.FieldByName("MZDA")->AsFloat(), 0.48);
    EXPECT_DOUBLE_EQ(odbyt->QZakKalkO.FieldByName("HODNOTA")->AsFloat(), 27.0);
    EXPECT_DOUBLE_EQ(header("OVN1"), 27.0);
    EXPECT_DOUBLE_EQ(header("MZD1"), 3.48);
}

TEST_F(CalculationTest, EmptyCalculationKeptWithRateOneDeletedWithNone)
{
    openCalculation(260001);
    setHeader("VAHA1", 0);
    setHeader("VAHA_MAT", 0);
    addOperation(10, "XXX", 0, " ", " "); // no wage, no times: dropped
    odbyt->QZakOperacie.Edit();
    odbyt->QZakOperacie.FieldByName("CAS_JED")->Clear();
    odbyt->QZakOperacie.Post();
    EXPECT_TRUE(odbyt->SaveCalculation());
    EXPECT_EQ(count("select count(*) from ZAKKALK"), 1);
    EXPECT_EQ(count("select count(*) from ZAKOPERACIE"), 0);
    closeCalculation();

    openCalculation(260001);
    setHeader("KURZ", 0);
    setHeader("CENA_KURZ1", 0);
    setHeader("CENA1", 0);
    EXPECT_FALSE(odbyt->SaveCalculation());
    EXPECT_EQ(count("select count(*) from ZAKKALK"), 0);
}

TEST_F(CalculationTest, RefusedSaveWritesNothingAndKeepsTheRows)
{
    fillWorkedJob();
    addOperation(10, "CIS", 15); // the operation number twice
    EXPECT_ANY_THROW(odbyt->SaveCalculation());
    EXPECT_EQ(count("select count(*) from ZAKKALK"), 0);
    EXPECT_EQ(count("select count(*) from ZAKOPERACIE"), 0);
    EXPECT_EQ(odbyt->QZakOperacie.RecordCount(), 3);
    EXPECT_TRUE(odbyt->QZakKalkO.UpdatesPending());
    odbyt->QZakOperacie.Last();
    odbyt->QZakOperacie.Edit();
    odbyt->QZakOperacie.FieldByName("C_OPERACIE")->SetValue(30);
    odbyt->QZakOperacie.Post();
    EXPECT_TRUE(odbyt->SaveCalculation());
    EXPECT_EQ(count("select count(*) from ZAKOPERACIE"), 3);
    EXPECT_EQ(count("select count(*) from ZAKKALK"), 1);
}

class KorunaCalculationTest : public CalculationTest {
protected:
    void beforeConnect() override { QLocale::setDefault(QLocale(QLocale::Czech, QLocale::Czechia)); }
};

TEST_F(KorunaCalculationTest, PricesBothWaysInKoruna)
{
    ASSERT_EQ(CurrencyCode, "CZK");
    fillWorkedJob();
    setHeader("KURZ", 25.0); // read as koruna a unit of the foreign currency: 67.91 x 25
    EXPECT_DOUBLE_EQ(header("CENA1"), 1697.75);
    odbyt->SetPriceMode(true);
    odbyt->PriceFromCosts();
    EXPECT_DOUBLE_EQ(header("CENA1"), 67.91);
    EXPECT_DOUBLE_EQ(header("CENA_KURZ1"), 2.72); // 67.91 / 25 = 2.7164
    odbyt->SetPriceMode(false);
    setHeader("KOEF_MAT", 0.1);
    setHeader("CENA_KURZ1", 3.0);
    EXPECT_DOUBLE_EQ(header("PRID_MAT1"), 25.0); // 10 kg x 0.1 x 25
    EXPECT_DOUBLE_EQ(header("CENA1"), 100.0);    // 3 x 25 + 25
}
