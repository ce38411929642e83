#include "TPVSql.h"

#include "library/SqlLiteral.h"

namespace TPVSql {

const QString StockOfItem = QStringLiteral("SELECT sum(mnozstvo) FROM MSklady WHERE c_pol=:c_pol");

const QString ProductsOnly = QStringLiteral("typ1='V'");
const QString ProductsOfCustomer =
    QStringLiteral("polozky.c_pol in (select c_vyr from ZakazkyD a join Zakazky b on a.c_obj=b.c_obj where b.c_odb=?)");
const QString ProductsOfMaterial = QStringLiteral("material like '?%'");

const QString ProductRow = QStringLiteral("SELECT * FROM POLOZKY WHERE C_POL=:OLD_C_POL");
const QString CopyBillOfMaterials = QStringLiteral(
    "insert into TKusovnik (c_vyr,c_pol,c_pozicie,mnozstvo,c_operacie,p_straty,poznamka) "
    "select :new_c_pol,c_pol,c_pozicie,mnozstvo,c_operacie,p_straty,poznamka from TKusovnik where c_vyr=:old_c_pol");
// Every column of the route, so the copy loses nothing of it.
const QString CopyRoute = QStringLiteral(
    "insert into TOperacie (c_vyr,postup,c_operacie,operacia,popis_op,pracovisko,profesia,tarif,osoby,cas_prip,"
    "cas_medzi,cas_jed,cas_stroj,p_straty,k_straty,mzda,navodka) "
    "select :new_c_pol,postup,c_operacie,operacia,popis_op,pracovisko,profesia,tarif,osoby,cas_prip,cas_medzi,"
    "cas_jed,cas_stroj,p_straty,k_straty,mzda,navodka from TOperacie where c_vyr=:old_c_pol");

const QStringList ProductTabs = {
    QString::fromUtf8("SELECT c_pozicie as \"č.\", a.c_pol, nazov, mnozstvo, poznamka FROM TKusovnik a JOIN Polozky b "
                      "ON a.c_pol=b.c_pol WHERE c_vyr=:c_pol"),
    QString::fromUtf8(
        "SELECT c_operacie as \"č.Op.\",operacia as \"Operácia\",popis_op as \"Popis op.\", pracovisko as "
        "\"Pracovisko\",profesia as \"Profesia\",tarif as \"Tarif\", cas_prip as \"Čas príp.\",cas_jed as "
        "\"Čas jed.\", mzda,cast(450/nullif(cas_jed,0) as bigint) as \"Norma/zmenu\", p_straty \"%Strát\" "
        "FROM TOperacie WHERE c_vyr=:c_pol ORDER BY c_operacie"),
    QString::fromUtf8("SELECT sklad, mnozstvo as \"Množ.na sklade\", mnoz_vydv as \"Množ.vo výrobe\", mnoz_vydo as "
                      "\"Množ.na oprave\" FROM MSklady WHERE c_pol=:c_pol"),
    QStringLiteral("SELECT * FROM MPohyby WHERE c_pol=:c_pol ORDER BY datum DESC"),
    QStringLiteral("SELECT c_obj,c_int,c_vyr,nazov,mnoz_vyr,termin,cena1 FROM vZakazkyDKalk WHERE c_vyr=:c_pol "
                   "ORDER BY termin DESC"),
    QStringLiteral("SELECT c_dl,c_vyr,nazov,mnoz_vyr,cena_kurz1,mena,d_vystav FROM vEDlistyD WHERE c_vyr=:c_pol "
                   "ORDER BY d_vystav DESC"),
};

const QString PriceList = QStringLiteral(
    "select k.c_pol, c_vykresu, material, vaha1, k.mat1 as mats, ka.mat1 as matn, k.mzd1 as mzds, ka.mzd1 as mzdn, "
    "cena_pred, ka.cena1 from POLOZKYKALK k join POLOZKY on k.c_pol=POLOZKY.c_pol "
    "left join POLOZKY_KALKULACIA(k.c_pol) ka on 1=1 where %1");

const QString PriceUpdate = QStringLiteral(
    "EXECUTE BLOCK AS DECLARE c_pol char(15); DECLARE mat1 DOUBLE PRECISION; DECLARE mzd1 DOUBLE PRECISION; "
    "DECLARE odvmzd1 DOUBLE PRECISION; DECLARE vyrrez1 DOUBLE PRECISION;DECLARE nakl1 DOUBLE PRECISION; "
    "DECLARE sprrez1 DOUBLE PRECISION;BEGIN FOR SELECT c_pol FROM POLOZKYKALK WHERE c_pol IN (SELECT c_pol FROM "
    "POLOZKY WHERE %1) INTO :c_pol DO BEGIN SELECT mat1,mzd1,odvmzd1,vyrrez1,nakl1,sprrez1 FROM "
    "POLOZKY_KALKULACIA(:c_pol) INTO :mat1,:mzd1,:odvmzd1,:vyrrez1,:nakl1,:sprrez1; UPDATE PolozkyKalk SET "
    "mat1=:mat1, mzd1=:mzd1, odvmzd1=:odvmzd1, vyrrez1=:vyrrez1, nakl1=:nakl1, sprrez1=:sprrez1 WHERE c_pol=:c_pol; "
    "END END");

// Only the standard route (postup ''), so one route row per operation; no row keeps the job's time.
const QString PushUnitTimes = QStringLiteral(
    "EXECUTE BLOCK AS DECLARE VARIABLE c_int INTEGER; BEGIN FOR SELECT c_int FROM ZakazkyD WHERE c_vyr=%1 and "
    "stav_zak<100 INTO :c_int DO BEGIN UPDATE ZakOperacie a SET cas_jed=COALESCE((select t.CAS_JED from TOperacie t "
    "join ZAKAZKYD z on t.c_vyr=z.c_vyr where z.c_int=a.c_int and t.postup='' and t.c_operacie=a.c_operacie and "
    "t.operacia=a.operacia), a.cas_jed) WHERE a.c_int=:c_int; EXECUTE PROCEDURE ZakKalk_Kalkulacia :c_int; END END");
const QString RecalculatePrice = QStringLiteral("execute procedure POLOZKY_CENA_KALK :c_pol, :vratane");
const QString ProductCalculation = QStringLiteral("select * from POLOZKY_KALKULACIA(:c_pol)");
const QString BomItemsOf =
    QStringLiteral("select c_vyr, c_pol from TKusovnik where c_vyr in (%1) order by c_vyr, c_pozicie");
const QString ProductExists = QStringLiteral("select count(*) from POLOZKY where c_pol=:c_pol");

QStringList All()
{
    const QString filter = QStringLiteral("polozky.typ1='V'");
    QStringList all = {StockOfItem,
                       QStringLiteral("select c_pol from POLOZKY where ") + ProductsOnly,
                       QStringLiteral("select c_pol from POLOZKY where ") + QuickSearch("NAZOV", ftString, "a"),
                       QStringLiteral("select c_pol from POLOZKY where ") +
                           QString(ProductsOfCustomer).replace(QLatin1Char('?'), QLatin1String("5")),
                       QStringLiteral("select c_pol from POLOZKY where ") +
                           QString(ProductsOfMaterial).replace(QLatin1Char('?'), QLatin1String("GJL")),
                       ProductRow,
                       CopyBillOfMaterials,
                       CopyRoute,
                       PriceList.arg(filter),
                       PriceUpdate.arg(filter)};
    all << PushUnitTimes.arg(QStringLiteral("'V1'")) << RecalculatePrice << ProductCalculation
        << BomItemsOf.arg(QStringLiteral("'V1'")) << ProductExists;
    return all + ProductTabs;
}

} // namespace TPVSql
