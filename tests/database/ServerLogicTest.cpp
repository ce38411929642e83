// The server logic on a fresh database: stock kept from movements, the calculation procedures,
// the material requests, the wage procedure, server-filled message columns, the writable
// views, the customer-number carry-over and the cascades of deletes.
#include "FbSql.h"
#include "common/TempDatabase.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class ServerLogic : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(db_.path().isEmpty()) << "template database missing";
        sql_ = std::make_unique<FbSql>(db_.path());
    }
    FbSql &sql() { return *sql_; }

    // A product, an order with one job of it and the job's calculation header.
    void addJob(int cInt, const QString &material = "GG20", double vaha1 = 10, double cenaMat = 0)
    {
        sql().exec("insert into POLOZKY (C_POL, TYP1, NAZOV, MATERIAL, VAHA1) values ('V1', 'V', 'Teleso', '" +
                   material + "', " + QString::number(vaha1) + ")");
        sql().exec("insert into ZAKAZKY (C_OBJ, TYP_OBJ, C_ODB, D_OBJ) values ('ZAK260001', 'Z', 1, CURRENT_DATE)");
        sql().exec(QString("insert into ZAKAZKYD (C_INT, C_OBJ, C_VYR, MNOZ_OBJ, MNOZ_VYR, STAV_ZAK) "
                           "values (%1, 'ZAK260001', 'V1', 10, 10, 5)")
                       .arg(cInt));
        sql().exec(
            QString("insert into ZAKKALK (C_INT, MATERIAL, VAHA1, VAHA_MAT, CENA_MAT, P_PREPALU, KURZ, CENA_KURZ1) "
                    "values (%1, '%2', %3, 0, %4, 0, 0, 0)")
                .arg(QString::number(cInt), material, QString::number(vaha1), QString::number(cenaMat)));
    }
    void rate(const QString &pole, double value, const QString &base)
    {
        sql().exec(QString("update or insert into CREZII (POLE, HODNOTA, ZAKLAD) values ('%1', %2, '%3')")
                       .arg(pole, QString::number(value), base));
    }
    double stock(const QString &what)
    {
        return sql().number("select " + what + " from MSKLADY where C_POL='M1' and SKLAD='M1'");
    }
    void move(int kind, double qty, double price = 0)
    {
        sql().exec(QString("insert into MPOHYBY (DATUM, TYP_POHYBU, SKLAD, C_POL, MNOZSTVO, CENA_NAKL) "
                           "values (CURRENT_DATE, %1, 'M1', 'M1', %2, %3)")
                       .arg(kind)
                       .arg(qty)
                       .arg(price));
    }

    TempDatabase db_;
    std::unique_ptr<FbSql> sql_;
};

} // namespace

TEST_F(ServerLogic, ReceiptsAndIssuesMoveStockAndAveragePrice)
{
    sql().exec("insert into POLOZKY (C_POL, TYP1, NAZOV) values ('M1', 'M', 'Piesok')");
    move(10, 10, 5);
    EXPECT_DOUBLE_EQ(stock("MNOZSTVO"), 10);
    EXPECT_DOUBLE_EQ(sql().number("select CENA_PRIEM from POLOZKY where C_POL='M1'"), 5);
    move(11, 10, 8);
    EXPECT_DOUBLE_EQ(stock("MNOZSTVO"), 20);
    EXPECT_DOUBLE_EQ(sql().number("select CENA_PRIEM from POLOZKY where C_POL='M1'"), 6.5);
    move(22, -5);
    EXPECT_DOUBLE_EQ(stock("MNOZSTVO"), 15);
    EXPECT_DOUBLE_EQ(sql().number("select CENA_PRIEM from POLOZKY where C_POL='M1'"), 6.5) << "issues keep the average";

    // Deleting movements restores the stock and takes the receipt out of the average.
    sql().exec("delete from MPOHYBY where TYP_POHYBU=22");
    EXPECT_DOUBLE_EQ(stock("MNOZSTVO"), 20);
    sql().exec("delete from MPOHYBY where TYP_POHYBU=11");
    EXPECT_DOUBLE_EQ(stock("MNOZSTVO"), 10);
    EXPECT_DOUBLE_EQ(sql().number("select CENA_PRIEM from POLOZKY where C_POL='M1'"), 5);

    // A changed quantity moves the stock by the difference.
    sql().exec("update MPOHYBY set MNOZSTVO=12 where TYP_POHYBU=10");
    EXPECT_DOUBLE_EQ(stock("MNOZSTVO"), 12);
    EXPECT_EQ(sql().number("select count(*) from MPOHYBY where ID_POHYBU is null"), 0);
}

TEST_F(ServerLogic, LendingsAndRepairsMoveOnlyTheirOwnQuantities)
{
    sql().exec("insert into POLOZKY (C_POL, TYP1, NAZOV) values ('M1', 'N', 'Kokila')");
    move(10, 3, 100);
    move(23, -2);
    EXPECT_DOUBLE_EQ(stock("MNOZSTVO"), 3) << "a lent tool stays in stock";
    EXPECT_DOUBLE_EQ(stock("MNOZ_VYDV"), 2);
    move(13, 2);
    EXPECT_DOUBLE_EQ(stock("MNOZ_VYDV"), 0);
    move(24, -1);
    EXPECT_DOUBLE_EQ(stock("MNOZ_VYDO"), 1);
    EXPECT_DOUBLE_EQ(stock("MNOZSTVO"), 3);
    sql().exec("delete from MPOHYBY where TYP_POHYBU=24");
    EXPECT_DOUBLE_EQ(stock("MNOZ_VYDO"), 0);
}

TEST_F(ServerLogic, JobCalculationFollowsTheCalculationModel)
{
    rate("STRATY_OP", 1, "M");
    rate("P_ZISKU", 15, "U");
    addJob(260001, "GG20", 10, 98.95);
    sql().exec("insert into CTARIFOV (TARIF, MZDAH) values ('T4', 4)");
    // Wage 10 with 5 % loss; 90 minutes of unit time; a tariff wage of 6 minutes at 4 an hour.
    sql().exec("insert into ZAKOPERACIE (C_INT, C_OPERACIE, OPERACIA, MZDA, P_STRATY, CAS_JED) values (260001, 10, "
               "'ODL', 10, 5, 0)");
    sql().exec("insert into ZAKOPERACIE (C_INT, C_OPERACIE, OPERACIA, MZDA, P_STRATY, CAS_JED) values (260001, 20, "
               "'BR', 0, 0, 90)");
    sql().exec("execute procedure ZakKalk_Kalkulacia 260001");
    EXPECT_NEAR(sql().number("select MZD1 from ZAKKALK where C_INT=260001"), 10.5, 1e-9);
    EXPECT_NEAR(sql().number("select NHOD1 from ZAKKALK where C_INT=260001"), 1.5, 1e-9);
    // Material 10 kg at 98.95 plus wages 10.5 make own costs 1000; 15 % profit on them.
    EXPECT_NEAR(sql().number("select UVN1 from ZAKKALK where C_INT=260001"), 1000, 1e-9);
    EXPECT_NEAR(sql().number("select ZISK1 from ZAKKALK where C_INT=260001"), 150, 1e-9);
    EXPECT_NEAR(sql().number("select CENA1 from ZAKKALK where C_INT=260001"), 1150, 1e-9);
    EXPECT_NEAR(sql().number("select P_ZISKU from ZAKKALK where C_INT=260001"), 15, 1e-9);
    EXPECT_NEAR(sql().number("select CENA_KURZ1 from ZAKKALK where C_INT=260001"), 0, 1e-9)
        << "rate 0 leaves the currency price";
    EXPECT_NEAR(sql().number("select CENA1KG from VZAKKALK where C_INT=260001"), 115, 1e-9);

    sql().exec("update ZAKOPERACIE set TARIF='T4', CAS_JED=6 where C_INT=260001 and C_OPERACIE=20");
    sql().exec("execute procedure ZakKalk_Kalkulacia 260001");
    EXPECT_NEAR(sql().number("select MZDA from ZAKOPERACIE where C_INT=260001 and C_OPERACIE=20"), 0.4, 1e-9);
}

TEST_F(ServerLogic, WeightDrivenMaterialPaysTheCastingOperationByWeight)
{
    addJob(260002, "GGG40         T", 6.75, 0);
    sql().exec("insert into ZAKOPERACIE (C_INT, C_OPERACIE, OPERACIA, MZDA, P_STRATY, CAS_JED) values (260002, 10, "
               "'TS', 0, 0, 0)");
    sql().exec("execute procedure ZakKalk_Kalkulacia 260002");
    EXPECT_NEAR(sql().number("select MZDA from ZAKOPERACIE where C_INT=260002"), 0.24, 1e-9);
    EXPECT_NEAR(sql().number("select MZD1 from ZAKKALK where C_INT=260002"), 0.24, 1e-9)
        << "losses off: STRATY_OP missing";
}

TEST_F(ServerLogic, PricesRoundHalfToEven)
{
    EXPECT_NEAR(sql().number("select ROUND_EVEN(0.125, 2) from RDB$DATABASE"), 0.12, 1e-12);
    EXPECT_NEAR(sql().number("select ROUND_EVEN(0.375, 2) from RDB$DATABASE"), 0.38, 1e-12);
    EXPECT_NEAR(sql().number("select ROUND_EVEN(-2.5, 0) from RDB$DATABASE"), -2, 1e-12);
}

TEST_F(ServerLogic, ProductPriceFollowsItsComponents)
{
    rate("P_ZISKU", 10, "U");
    sql().exec("insert into CMATERIALOV (MATERIAL, CENA_MAT) values ('GG20', 2)");
    sql().exec("insert into POLOZKY (C_POL, TYP1, NAZOV, CENA_KALK) values ('M1', 'M', 'Jadro', 3)");
    sql().exec("insert into POLOZKY (C_POL, TYP1, NAZOV, MATERIAL, VAHA1, VAHA_MAT) values ('V1', 'V', 'Teleso', "
               "'GG20', 5, 6)");
    sql().exec("insert into TKUSOVNIK (C_VYR, C_POZICIE, C_POL, MNOZSTVO, P_STRATY) values ('V1', 10, 'M1', 2, 50)");
    sql().exec("insert into TOPERACIE (C_VYR, POSTUP, C_OPERACIE, OPERACIA, MZDA, CAS_JED) values ('V1', '', 10, "
               "'ODL', 4, 30)");
    // Material 5 × 2 = 10, components 2 × 3 × 1.5 = 9, wages 4: own costs 23, price 25.30.
    const QStringList r = sql().row("select MAT1, MZD1, NAKL1, CENA1 from POLOZKY_KALKULACIA('V1')");
    ASSERT_EQ(r.size(), 4);
    EXPECT_NEAR(r[0].toDouble(), 19, 1e-9);
    EXPECT_NEAR(r[1].toDouble(), 4, 1e-9);
    EXPECT_NEAR(r[2].toDouble(), 23, 1e-9);
    EXPECT_NEAR(r[3].toDouble(), 25.3, 1e-9);

    sql().exec("update POLOZKY set CENA_KALK=5 where C_POL='M1'");
    sql().exec("execute procedure POLOZKY_CENA_KALK 'M1', 0");
    EXPECT_NEAR(sql().number("select CENA_KALK from POLOZKY where C_POL='V1'"), 29, 1e-9);
    EXPECT_NEAR(sql().number("select CENA_KALK from POLOZKY where C_POL='M1'"), 5, 1e-9)
        << "a material keeps its price";
}

TEST_F(ServerLogic, RequestsAreRebuiltKeepingReservations)
{
    addJob(260001);
    sql().exec("insert into POLOZKY (C_POL, TYP1, NAZOV, MJ) values ('M1', 'M', 'Piesok', 'KG')");
    sql().exec("insert into TKUSOVNIK (C_VYR, C_POZICIE, C_POL, MNOZSTVO, P_STRATY) values ('V1', 10, 'M1', 2, 0)");
    sql().exec("execute procedure MPOZIADAVKY_PREPIS");
    EXPECT_DOUBLE_EQ(sql().number("select MNOZ_POZ from MPOZIADAVKY where C_INT=260001 and C_POL='M1'"), 20);
    sql().exec("update MPOZIADAVKY set MNOZ_REZ=3, MNOZ_OBJ=4 where C_INT=260001");
    sql().exec("update ZAKAZKYD set MNOZ_VYR=15 where C_INT=260001");
    sql().exec("execute procedure MPOZIADAVKY_PREPIS");
    EXPECT_EQ(sql().row("select MNOZ_POZ, MNOZ_REZ, MNOZ_OBJ, NAZOV from MPOZIADAVKY where C_INT=260001"),
              QStringList({"30", "3", "4", "Piesok"}));
    sql().exec("update ZAKAZKYD set STAV_ZAK=100 where C_INT=260001");
    sql().exec("update MPOZIADAVKY set MNOZ_REZ=0, MNOZ_OBJ=0");
    sql().exec("execute procedure MPOZIADAVKY_PREPIS");
    EXPECT_EQ(sql().number("select count(*) from MPOZIADAVKY"), 0) << "a finished job's requests go";
}

TEST_F(ServerLogic, WageProcedureCreatesTheMonthsRecords)
{
    sql().exec("insert into CPROFESII (PROFESIA, KOEF_PRO) values ('FOR', 0.5)");
    sql().exec("insert into CZAMESTNANCOV (OSC, PRIEZVISKO, PROFESIA) values (57, 'Kováč', 'FOR')");
    sql().exec("insert into CZAMESTNANCOV (OSC, PRIEZVISKO) values (58, 'Hudák')");
    sql().exec("insert into SDOCHADZKA (DATUM, OSC, ZMENA, OHOD, NADCAS25) values ('2026-03-02', 57, 1, 7.5, 2)");
    sql().exec("insert into SDOCHADZKA (DATUM, OSC, ZMENA, OHOD) values ('2026-03-03', 57, 3, 7.5)");
    sql().exec("insert into SVYKONY (DATUM, ZMENA, OSC, C_INT, C_DAVKY, C_OPERACIE, MNOZSTVO, MZDA, NHOD) values "
               "('2026-03-02', 1, 57, 260001, 0, 10, 10, 150, 7)");
    sql().exec("insert into SMZDY (ROK, MESIAC, OSC, MZDA_VYK, ZAMKNUTY) values (2026, 3, 58, 999, 1)");
    sql().exec("insert into SVYKONY (DATUM, ZMENA, OSC, C_INT, C_DAVKY, C_OPERACIE, MNOZSTVO, MZDA) values "
               "('2026-03-02', 1, 58, 260001, 0, 20, 1, 5)");
    sql().exec("execute procedure SMzdy_Pocitaj '2026-03-01', '2026-03-31', 8.5, 600, 0.25, 0, 2, 30, 0");
    const QStringList r = sql().row(
        "select MZDA_VYK, OHOD, MZDA_HOD_VYP, MZDA_REZ, PRIPL_PRO, PRIPL_NOC, PRIPL_VYK, PRIPL_DOCH, PRIPL_NADCAS "
        "from SMZDY where ROK=2026 and MESIAC=3 and OSC=57");
    ASSERT_EQ(r.size(), 9);
    EXPECT_DOUBLE_EQ(r[0].toDouble(), 150);
    EXPECT_DOUBLE_EQ(r[1].toDouble(), 15);
    EXPECT_DOUBLE_EQ(r[2].toDouble(), 10);
    EXPECT_DOUBLE_EQ(r[3].toDouble(), 0);
    EXPECT_DOUBLE_EQ(r[4].toDouble(), 7.5);
    EXPECT_DOUBLE_EQ(r[5].toDouble(), 8.5 * 7.5);
    EXPECT_DOUBLE_EQ(r[6].toDouble(), 14);
    EXPECT_DOUBLE_EQ(r[7].toDouble(), 30);
    EXPECT_DOUBLE_EQ(r[8].toDouble(), 5);
    EXPECT_DOUBLE_EQ(sql().number("select MZDA_VYK from SMZDY where ROK=2026 and MESIAC=3 and OSC=58"), 999)
        << "locked";

    // An adjusted hourly wage stays and tops the piece wage up.
    sql().exec("update SMZDY set MZDA_HOD=12 where OSC=57");
    sql().exec("execute procedure SMzdy_Pocitaj '2026-03-01', '2026-03-31', 8.5, 600, 0.25, 16.4, 2, 30, 0");
    EXPECT_DOUBLE_EQ(sql().number("select MZDA_REZ from SMZDY where OSC=57"), 30);
    EXPECT_NEAR(sql().number("select PREMIE from SMZDY where OSC=57"), 16.4 * 12, 1e-9);
}

TEST_F(ServerLogic, NewMessageGetsNumberSenderAndTime)
{
    sql().exec("insert into QUSERS (RDB_USER, RDB_UTVAR) values ('ANNA', 3)");
    sql().exec("insert into QUSERS (RDB_USER, RDB_UTVAR) values ('PETER', 3)");
    sql().exec(
        "insert into QMessages (Msg_ID,Msg_utvar,Msg_user,Msg_data,Msg_title,Msg_text) "
        "select GEN_ID(MSG_ID,1),RDB_UTVAR,RDB_USER,0,'Zmena operácie v TP','Text' from QUsers where RDB_UTVAR=3");
    EXPECT_EQ(sql().row("select count(*), count(distinct MSG_ID), min(USR_VYSTAV), count(D_VYSTAV) from QMESSAGES"),
              QStringList({"2", "2", "SYSDBA", "2"}));
    EXPECT_EQ(sql().value("select MSG_TITLE from QMESSAGES where MSG_USER='ANNA'"), "Zmena operácie v TP");
}

TEST_F(ServerLogic, ViewsWriteThroughToTheirTables)
{
    sql().exec(
        "insert into VZAKAZKY (C_OBJ, TYP_OBJ, ODBERATEL, D_OBJ) values ('ZAK260007', 'Z', 'Zlieváreň', CURRENT_DATE)");
    EXPECT_EQ(sql().value("select ODBERATEL from ZAKAZKY where C_OBJ='ZAK260007'"), "Zlieváreň");
    sql().exec("update VZAKAZKY set ODBERATEL='Iný' where C_OBJ='ZAK260007'");
    EXPECT_EQ(sql().value("select ODBERATEL from ZAKAZKY where C_OBJ='ZAK260007'"), "Iný");
    sql().exec("insert into ZAKAZKY (C_OBJ, TYP_OBJ) values ('PON260001', 'P')");
    EXPECT_EQ(sql().number("select count(*) from VZAKAZKY"), 1) << "offers are not order headers";

    sql().exec("insert into ZAKAZKYD (C_INT, C_OBJ, C_VYR, STAV_ZAK) values (260001, 'ZAK260007', 'V1', 1)");
    sql().exec("insert into VZAKKALK (C_INT, VAHA1, CENA1) values (260001, 4, 10)");
    EXPECT_DOUBLE_EQ(sql().number("select CENA1 from ZAKKALK where C_INT=260001"), 10);
    sql().exec("update VZAKKALK set CENA1=20 where C_INT=260001");
    EXPECT_DOUBLE_EQ(sql().number("select CENA1KG from VZAKKALK where C_INT=260001"), 5);
    sql().exec("delete from VZAKKALK where C_INT=260001");
    EXPECT_EQ(sql().number("select count(*) from ZAKKALK"), 0);
    sql().exec("delete from VZAKAZKY where C_OBJ='ZAK260007'");
    EXPECT_EQ(sql().number("select count(*) from ZAKAZKY where C_OBJ='ZAK260007'"), 0);
}

TEST_F(ServerLogic, RenumberedCustomerKeepsItsOrders)
{
    sql().exec("insert into CODBERATELOV (C_ODB, ODBERATEL) values (12, 'Prvý')");
    sql().exec("insert into CODBERATELOV (C_ODB, ODBERATEL) values (-1, 'Nový')");
    sql().exec("insert into VZAKAZKY (C_OBJ, TYP_OBJ, C_ODB, D_OBJ) values ('ZAK260001', 'Z', -1, CURRENT_DATE)");
    sql().exec("update COdberatelov set C_ODB=(select max(C_ODB) from COdberatelov)+1 where c_odb=-1");
    EXPECT_EQ(sql().number("select C_ODB from ZAKAZKY where C_OBJ='ZAK260001'"), 13);
}

TEST_F(ServerLogic, DeletesCascadeWithTriggersOff)
{
    addJob(260001);
    sql().exec("insert into ZAKOPERACIE (C_INT, C_OPERACIE) values (260001, 10)");
    sql().exec("insert into ZAKKUSOVNIK (C_INT, C_POZICIE) values (260001, 10)");
    sql().exec("insert into ZAKKALKD (C_INT, TYP_NAKL, NAKLAD, HODNOTA) values (260001, 'O', 'TS', 1)");
    sql().exec("insert into SVYKONY (DATUM, OSC, C_INT, C_OPERACIE, MNOZSTVO) values (CURRENT_DATE, 1, 260001, 10, 5)");
    sql().exec("insert into EDLISTY (C_DL, C_ODB) values (260001, 1)");
    sql().exec("insert into EDLISTYD (C_DL, C_VYR, C_INT, MNOZ_VYR) values (260001, 'V1', 260001, 1)");
    sql().exec("alter trigger VZAKAZKY_BD inactive");
    sql().commit();
    sql().exec("delete from Zakazky where C_OBJ='ZAK260001'");
    sql().exec("delete from EDListy where C_DL=260001");
    EXPECT_EQ(sql().row("select (select count(*) from ZAKAZKYD), (select count(*) from ZAKKALK), "
                        "(select count(*) from ZAKOPERACIE), (select count(*) from ZAKKUSOVNIK), "
                        "(select count(*) from ZAKKALKD), (select count(*) from EDLISTYD), "
                        "(select count(*) from SVYKONY) from RDB$DATABASE"),
              QStringList({"0", "0", "0", "0", "0", "0", "1"}));
}

TEST_F(ServerLogic, HandOversAndDeliveryNotesMoveFinishedGoods)
{
    addJob(260001);
    sql().exec("insert into SODVODY (DATUM, C_INT, C_DOKLADU, SKLAD, MNOZSTVO, NAKL1) values (CURRENT_DATE, 260001, 1, "
               "'V1', 8, 50)");
    EXPECT_DOUBLE_EQ(sql().number("select MNOZSTVO from MSKLADY where C_POL='V1' and SKLAD='V1'"), 8);
    EXPECT_EQ(sql().row("select TYP_POHYBU, C_INT from MPOHYBY"), QStringList({"12", "260001"}));
    sql().exec("insert into EDLISTY (C_DL, C_ODB, D_VYSTAV, KURZ) values (260001, 1, CURRENT_DATE, 1)");
    sql().exec("insert into EDLISTYD (C_DL, C_VYR, C_INT, SKLAD, MNOZ_VYR) values (260001, 'V1', 260001, 'V1', 5)");
    EXPECT_DOUBLE_EQ(sql().number("select MNOZSTVO from MSKLADY where C_POL='V1' and SKLAD='V1'"), 3);
    EXPECT_EQ(sql().row("select MNOZ_ODV, MNOZ_DOD, MNOZ_SKL from VZAKAZKYDKALK where C_INT=260001"),
              QStringList({"8", "5", "3"}));
    sql().exec("update SODVODY set MNOZSTVO=10");
    sql().exec("delete from EDLISTYD");
    EXPECT_DOUBLE_EQ(sql().number("select MNOZSTVO from MSKLADY where C_POL='V1' and SKLAD='V1'"), 10);
}
