#include "VyrobaSql.h"

#include "library/SqlLiteral.h"

namespace VyrobaSql {

const QString PlanWorkplaces = QStringLiteral("SELECT pracovisko, stroje, dni, zmeny, hodiny FROM CPracovisk JOIN "
                                              "CRozvrhov ON CPracovisk.rozvrh=CRozvrhov.rozvrh");
const QString PlanHolidays = QStringLiteral("SELECT den FROM CSviatkov");
const QString EmployeeCount = QStringLiteral("SELECT count(*) FROM CZamestnancov WHERE osc=:osc");
// Day-plan rows whose job and operation have no period-plan row with pieces, among those a run depends on:
// the rows from its first day on (the minutes it loads as booked) and the rows of the jobs it may plan (a
// job with day-plan rows is not planned again). The rows of past days of the other jobs are history that
// no run reads. The open jobs lead (an outer join keeps them first whatever the optimizer guesses) and
// their past rows are found by job alone ("datum+0" keeps the date's index out of it), so no run reads
// the history, however long it grows.
const QString PlanDayPlanCleanup = QStringLiteral(
    "MERGE INTO SPlanD d USING (SELECT x.datum, x.c_int, x.c_operacie, x.pracovisko FROM SPlanD x WHERE "
    "x.datum>=:od UNION ALL SELECT x.datum, x.c_int, x.c_operacie, x.pracovisko FROM ZakazkyD z LEFT JOIN SPlanD "
    "x ON x.c_int=z.c_int AND x.datum+0<:od WHERE z.stav_zak between 5 and 89) s ON d.datum=s.datum AND "
    "d.c_int=s.c_int AND d.c_operacie=s.c_operacie AND d.pracovisko=s.pracovisko AND NOT EXISTS(SELECT * FROM "
    "SPlan p WHERE p.c_int=d.c_int AND p.c_operacie=d.c_operacie AND p.mnoz_plan>0) WHEN MATCHED THEN DELETE");
const QString PlanBookedMinutes =
    QStringLiteral("SELECT datum, pracovisko, sum(nhod_plan) as nhod_plan FROM SPlanD WHERE datum>=:od GROUP BY "
                   "datum, pracovisko ORDER BY 1,2");
const QString PlanLock =
    QStringLiteral("UPDATE OR INSERT INTO SPlanZamok (id, zaciatok) VALUES (1, CURRENT_TIMESTAMP) MATCHING (id)");
const QString PlanDaySave =
    QStringLiteral("UPDATE OR INSERT INTO SPlanD (datum, c_int, c_operacie, pracovisko, mnoz_plan, nhod_plan) "
                   "VALUES (:datum, :c_int, :c_operacie, :pracovisko, :mnoz_plan, :nhod_plan)");
// Only the jobs of one run (their numbers' range): the day plan of every other job is merged already, and
// reading all of it at each save made the saves slower with every plan kept.
const QString PlanMerge = QStringLiteral(
    "MERGE INTO SPlan as a USING (SELECT c_int, c_operacie, sum(mnoz_plan) as mnoz_plan, min(datum) as zaciatok, "
    "max(datum) as koniec FROM SPlanD WHERE c_int between :c_int_od and :c_int_do GROUP BY c_int,c_operacie) as d "
    "ON a.c_int=d.c_int AND "
    "a.c_operacie=d.c_operacie WHEN NOT MATCHED THEN INSERT (obdobie,c_int,c_operacie,mnoz_plan,zaciatok,koniec) "
    "VALUES(:obdobie, d.c_int, d.c_operacie, d.mnoz_plan, d.zaciatok, d.koniec)");
const QString PlanJobsPlanned = QStringLiteral(
    "UPDATE ZakazkyD as a SET stav_zak=:stav_zak WHERE stav_zak<:stav_zak AND exists(select * from SPlan where "
    "c_int=a.c_int)");

QStringList PlanOperations(int cInt, int cOperacie, int direction)
{
    QStringList lines{
        QStringLiteral("SELECT c_int, c_operacie, operacia, pracovisko, cas_prip, cas_jed, cas_medzi, mnoz_vyr, "
                       "mnoz_vyk, termin "),
        QStringLiteral("FROM vZakOperacie a "),
        QStringLiteral("WHERE not exists(SELECT * FROM SPlanD where c_int=a.c_int) AND cas_jed>0 AND stav_zak "
                       "between %1 and %2")
            .arg(5)
            .arg(89)};
    if (cInt != 0) {
        lines.last() += QStringLiteral(" AND c_int=%1").arg(cInt);
        if (cOperacie != 0)
            lines.last() += QStringLiteral(" AND c_operacie=%1").arg(cOperacie);
    }
    lines << QStringLiteral("ORDER BY termin, c_int, c_operacie");
    if (direction == -1)
        lines << QStringLiteral(" DESC");
    return lines;
}

#define L QStringLiteral
const QStringList SrvSelect{L("select a.*, c_vyr, nazov, vaha1"), L("from SRV a join vZakazkyD z on a.c_int=z.c_int"),
                            QString(), L("order by c_vyr, c_operacie")};
const QStringList SrvInsert{L("insert into SRV"), L("  (C_INT, C_OPERACIE, MNOZSTVO, MATC, MZDC)"), L("values"),
                            L("  (:C_INT, :C_OPERACIE, :MNOZSTVO, :MATC, :MZDC)")};
const QStringList SrvModify{L("update SRV"),
                            L("set"),
                            L("  C_INT = :C_INT,"),
                            L("  C_OPERACIE = :C_OPERACIE,"),
                            L("  MNOZSTVO = :MNOZSTVO,"),
                            L("  MATC = :MATC,"),
                            L("  MZDC = :MZDC"),
                            L("where"),
                            L("  C_INT = :OLD_C_INT and"),
                            L("  C_OPERACIE = :OLD_C_OPERACIE")};
const QStringList SrvDelete{L("delete from SRV"), L("where"), L("  C_INT = :OLD_C_INT and"),
                            L("  C_OPERACIE = :OLD_C_OPERACIE")};
const QStringList SrvRefresh{
    L("Select "), L("  C_INT,"),  L("  C_OPERACIE,"), L("  MNOZSTVO,"),          L("  MATC,"),
    L("  MZDC"),  L("from SRV "), L("where"),         L("  C_INT = :C_INT and"), L("  C_OPERACIE = :C_OPERACIE")};
const QStringList SPlanInsert{L("insert into SPlan"), L("  (OBDOBIE, C_INT, C_OPERACIE, MNOZ_PLAN, ZACIATOK)"),
                              L("values"), L("  (:OBDOBIE, :C_INT, :C_OPERACIE,  :\"Plánované\",  :\"Začiatok\")")};
const QStringList SPlanModify{L("update SPlan"),
                              L("set"),
                              L("  OBDOBIE = :OBDOBIE,"),
                              L("  C_INT = :C_INT,"),
                              L("  C_OPERACIE = :C_OPERACIE,"),
                              L("  MNOZ_PLAN = :\"Plánované\","),
                              L("  ZACIATOK = :\"Začiatok\","),
                              L("  OSC = :OSC,"),
                              L("  STROJ = :STROJ,"),
                              L("  POZNAMKA = :POZNAMKA"),
                              L("where"),
                              L("  OBDOBIE = :OLD_OBDOBIE and"),
                              L("  C_INT = :OLD_C_INT and"),
                              L("  C_OPERACIE = :OLD_C_OPERACIE")};
const QStringList SPlanDelete{L("delete from SPlan"), L("where"), L("  OBDOBIE = :OLD_OBDOBIE and"),
                              L("  C_INT = :OLD_C_INT and"), L("  C_OPERACIE = :OLD_C_OPERACIE")};
const QStringList PoziadSelect{
    L("SELECT a.* "),
    L("FROM MPoziadavky a "),
    L(" JOIN ZakazkyD ON a.c_int=ZakazkyD.c_int"),
    L(" LEFT JOIN (select c_pol, sum(mnozstvo) as mnoz_skl from MSklady group by c_pol) as s ON a.c_pol=s.c_pol"),
    L(" LEFT JOIN (select c_vyr, sum(mnoz_vyr) as mnoz_mav from ZakazkyD where stav_zak<100 group by c_vyr) as z "
      "ON a.c_pol=z.c_vyr"),
    L(" LEFT JOIN (select c_vyr, sum(mnozstvo) as mnoz_odv from vSOdvody where stav_zak<100 group by c_vyr) as o "
      "ON a.c_pol=o.c_vyr"),
    L("WHERE stav_poz<3 and typ1='V'"),
    L("ORDER BY stav_poz,a.c_pol, a.c_int")};
const QStringList PoziadModify{L("update MPoziadavky"),
                               L("set"),
                               L("  STAV_POZ = :STAV_POZ,"),
                               L("  MNOZ_REZ = :MNOZ_REZ,"),
                               L("  MNOZ_OBJ = :MNOZ_OBJ,"),
                               L("  D_UPDATE = :D_UPDATE"),
                               L("where"),
                               L("  STAV_POZ = :OLD_STAV_POZ and"),
                               L("  C_POL = :OLD_C_POL and"),
                               L("  C_INT = :OLD_C_INT and"),
                               L("  C_UROVNE = :OLD_C_UROVNE and"),
                               L("  C_POZICIE = :OLD_C_POZICIE")};
const QStringList PoziadDelete{L("delete from MPoziadavky"),        L("where"),
                               L("  STAV_POZ = :OLD_STAV_POZ and"), L("  C_POL = :OLD_C_POL and"),
                               L("  C_INT = :OLD_C_INT and"),       L("  C_UROVNE = :OLD_C_UROVNE and"),
                               L("  C_POZICIE = :OLD_C_POZICIE")};
const QString SPlanDayPlanOfRow = L("DELETE FROM SPlanD WHERE c_int=:c_int AND c_operacie=:c_operacie");
const QString SrvJobCalculation = L("select c_vyr,nazov,vaha1,mat1,mzd1 from vZakazkyDKalk where c_int=:c_int");

const QString WipMaterial =
    L("select material, sum(mat1*coalesce((select sum(mnozstvo) from SVykony where c_int=a.c_int and "
      "c_operacie=(select min(c_operacie) from SVykony where c_int=a.c_int)),0)-mat1*coalesce((select sum(mnozstvo) "
      "from SOdvody where c_int=a.c_int),0)) as Hodnota from ZakazkyD a JOIN ZakKalk b ON a.c_int=b.c_int where "
      "stav_zak<:stav_zak or (stav_zak>=:stav_zak and exists(select * from SOdvody where c_int=a.c_int and "
      "datum>:k_datumu)) group by material");
const QStringList WipWages{
    L("select operacia, "),
    L("sum(coalesce((select sum(mzda) from SVykony where c_int=o.c_int and c_operacie=o.c_operacie),0)-o.MZDA*"
      "coalesce((select sum(mnozstvo) from SOdvody where c_int=o.c_int),0)) as Mzda from ZakazkyD a JOIN "
      "ZakOperacie o ON a.c_int=o.c_int "),
    // The state condition is bracketed so that the performed-operation condition holds for every job.
    L("where (stav_zak<:stav_zak or (stav_zak>=:stav_zak and exists(select * from SOdvody where c_int=a.c_int and "
      "datum>:k_datumu))) "),
    L(" and exists(select * from SVykony where c_int=o.c_int and c_operacie=o.c_operacie) "),
    L("group by operacia order by 1")};
const QString WipWagesByJobSelect = L("select c_vyr,a.c_int,operacia,");
const QString WipWagesByJobGroup = L("group by c_vyr,a.c_int,operacia order by 1,2,3");
const QString SrvPerJobColumns = L("select a.c_int, c_vyr, nazov, vaha1, 0 as c_operacie, cast(sum(mnozstvo) as "
                                   "integer) as mnozstvo, sum(matc) as matc, sum(mzdc) as mzdc ");
const QString SrvPerJobGroup = L("group by a.c_int, c_vyr, nazov, vaha1");
const QString SrvPerJobOrder = L("order by c_vyr");
const QString SrvPerOperationColumns = L("select a.*, c_vyr, nazov, vaha1 ");
const QString SrvPerOperationOrder = L("order by c_vyr, c_operacie");
const QString WipClear = L("delete from SRV");
const QString WipPerJob =
    L("insert into SRV (C_INT, C_OPERACIE, MNOZSTVO, MZDC) select a.c_int, 0, coalesce((select sum(mnozstvo) from "
      "SVykony where datum<=:k_datumu and c_int=a.c_int and c_operacie=(select min(c_operacie) from SVykony where "
      "c_int=a.c_int)),0)-coalesce((select sum(mnozstvo) from SOdvody where datum<=:k_datumu and c_int=a.c_int), 0) "
      "as MNOZSTVO,coalesce((select sum(mzda) from SVykony where datum<=:k_datumu and c_int=a.c_int),0)-coalesce(("
      "select sum(MZD1*mnozstvo) from SOdvody where datum<=:k_datumu and c_int=a.c_int),0) as MZDC from ZakazkyD a "
      "where stav_zak<:stav_zak or (stav_zak>=:stav_zak and exists(select * from SOdvody where c_int=a.c_int and "
      "datum>:k_datumu)) ");
const QString WipPerOperation =
    L("insert into SRV (C_INT, C_OPERACIE, MNOZSTVO, MZDC) select a.c_int, o.c_operacie, coalesce((select "
      "sum(mnozstvo) from SVykony where datum<=:k_datumu and c_int=o.c_int and c_operacie=o.c_operacie),0)-coalesce(("
      "select sum(mnozstvo) from SVykony where datum<=:k_datumu and c_int=o.c_int and c_operacie=(select "
      "min(c_operacie) from SVykony where c_int=o.c_int and c_operacie>o.c_operacie)),(select sum(mnozstvo) from "
      "SOdvody where datum<=:k_datumu and c_int=a.c_int), 0) as MNOZSTVO,coalesce((select sum(mzda) from SVykony "
      "where datum<=:k_datumu and c_int=o.c_int and c_operacie=o.c_operacie),0)-o.MZDA*coalesce((select "
      "sum(mnozstvo) from SOdvody where datum<=:k_datumu and c_int=a.c_int),0) as MZDC from ZakazkyD a join "
      "ZakOperacie o on a.c_int=o.c_int where (stav_zak<:stav_zak or (stav_zak>=:stav_zak and exists(select * from "
      "SOdvody where c_int=a.c_int and datum>:k_datumu)))  and exists(select * from SVykony where c_int=o.c_int and "
      "c_operacie=o.c_operacie)");
const QString WipMaterialValues =
    L("update SRV set matc=mnozstvo*coalesce((select mat1 from ZakKalk k where k.c_int=SRV.c_int),0)");
const QString WipDropEmpty = L("delete from SRV where mnozstvo=0 and mzdc=0 and matc=0");
const QString WipDropNegative = L("delete from SRV where mnozstvo<0");
const QString RequestsRebuild = L("execute procedure MPOZIADAVKY_PREPIS");

const QStringList OdvSelect{L("select *"), L("from vSOdvody"), QString(), QString()};
const QStringList OdvModify{L("update SOdvody"),
                            L("set"),
                            L("  DATUM = :DATUM,"),
                            L("  STREDISKO=:STREDISKO, SKLAD=:SKLAD,"),
                            L("  C_INT = :C_INT, C_DAVKY=:C_DAVKY,"),
                            L("  C_DOKLADU = :C_DOKLADU,"),
                            L("  MNOZSTVO = :MNOZSTVO,"),
                            L("  C_FAKTURY = :C_FAKTURY,"),
                            L("  KURZ = :KURZ,"),
                            L("  VAHA1 = :VAHA1,"),
                            L("  MAT1 = :MAT1,"),
                            L("  MZD1 = :MZD1,"),
                            L("  ODVMZD1 = :ODVMZD1,"),
                            L("  VYRREZ1 = :VYRREZ1,"),
                            L("  SPRREZ1 = :SPRREZ1,"),
                            L("  OVN1 = :OVN1,"),
                            L("  NAKL1 = :NAKL1,"),
                            L("  CENA1 = :CENA1,"),
                            L("  PRID_MAT1 = :PRID_MAT1,"),
                            L("  PRID_DOP1 = :PRID_DOP1,"),
                            L("  MIM1 = :MIM1,"),
                            L("  Cena_Kurz1 = :Cena_Kurz1,"),
                            L("  MENA = :MENA"),
                            L("where"),
                            L("  DATUM = :OLD_DATUM and"),
                            L("  C_INT = :OLD_C_INT and"),
                            L("  C_DOKLADU = :OLD_C_DOKLADU")};
const QStringList OdvInsert{
    L("insert into SOdvody"),
    L("  (DATUM, C_INT, C_DAVKY, C_DOKLADU, MNOZSTVO, C_FAKTURY, KURZ, VAHA1, MAT1, MZD1, ODVMZD1, VYRREZ1, SPRREZ1, "
      "OVN1, NAKL1, CENA1, PRID_MAT1, PRID_DOP1, MIM1, Cena_Kurz1, MENA, STREDISKO, SKLAD)"),
    L("values"),
    L("  (:DATUM, :C_INT, :C_DAVKY, :C_DOKLADU, :MNOZSTVO, :C_FAKTURY, :KURZ, :VAHA1, :MAT1, :MZD1, :ODVMZD1, "
      ":VYRREZ1, :SPRREZ1, :OVN1, :NAKL1, :CENA1, :PRID_MAT1, :PRID_DOP1, :MIM1, :Cena_Kurz1, :MENA, :STREDISKO, "
      ":SKLAD)")};
const QStringList OdvDelete{L("delete from SOdvody"), L("where"), L("  DATUM = :OLD_DATUM and"),
                            L("  C_INT = :OLD_C_INT and"), L("  C_DOKLADU = :OLD_C_DOKLADU")};
// Columns shared by the two views are taken from the calculation.
const QStringList OdvCalculation{L("SELECT a.vaha1,mat1,mzd1,odvmzd1,vyrrez1,sprrez1,ovn1,Nakl1,Cena1,"),
                                 L("   koef_mat,prid_mat1,koef_dop,prid_dop1,mim1,Cena_kurz1,a.mena,kurz,"),
                                 L("   c_vyr,c_odb,odberatel,mnoz_vyr,termin,stav_zak"),
                                 L("FROM vZAKKALK a JOIN vZAKAZKYD b ON a.c_int=b.c_int"), L("WHERE a.c_int=:c_int")};
const QString OdvLastDocument = L("select max(c_dokladu) from SOdvody where datum between :d_od and :d_do ");
const QString OdvDocumentExists =
    L("select count(*) from SOdvody where c_dokladu=:c_dokladu and datum between :d_od and :d_do");
const QString OdvLastInvoice = L("select max(c_faktury) from SOdvody where datum=:datum and c_dokladu<:c_dokladu");
const QString OdvLastRate = L("select max(kurz) from SOdvody where datum=:datum and mena=:mena");
const QString OdvHandedOfJob = L("select sum(mnozstvo) from SOdvody where c_int=:c_int");
const QString OdvUnprinted =
    L("select * from vSOdvody where stav_odv is NULL or stav_odv=0 order by mena, odberatel, c_dokladu");
// Only the row that was printed, and only while it is still unprinted.
const QString OdvMarkPrinted = L("update SOdvody set stav_odv=1 where datum=:datum and c_int=:c_int and "
                                 "c_dokladu=:c_dokladu and (stav_odv is NULL or stav_odv=0)");
const QString OdvOfPeriod = L("select * from vSOdvody where datum between :od and :do order by Odberatel");
const QString OdvCentres = L("select stredisko from CStredisk order by 1");
const QString OdvStores = L("select sklad from CSkladov where TYP_SKLADU='V' order by 1");
const QString OdvWhereJob = L("where c_int=:c_int");
const QString OdvWhereDocument = L("where c_dokladu=:c_dokladu and datum>=:datum_od");
const QString OdvWhereSince = L("where datum>=:datum");
const QString OdvWhereDay = L("where datum=:datum");
const QString OdvOverviewFrom = L("from vSOdvody ");
const QString OdvOverviewWhere = L("where datum between :Datum_od and :Datum_do ");
const QString OdvOverviewMinus = L(" and mnozstvo<0");
const QString OdvOverviewCustomer = L(" and c_odb=:c_odb");
const QString OdvOverviewProduct = L(" and c_vyr=:c_vyr");
const QString OdvOverviewJob = L(" and c_int=:c_int");
namespace {
const QString OverviewSums =
    L("cast(sum(mnozstvo) as integer) as Mnozstvo,sum(VahaC) as VahaC,sum(CenaC) as CenaC,sum(MatC) as MatC,"
      "sum(MzdC) as MzdC,sum(OdvMzdC) as OdvMzdC,sum(VyrRezC) as VyrRezC,sum(VlNC) as VlNC,sum(SprRezC) as SprRezC,"
      "sum(OVNC) as OVNC,sum(MimC) as MimC,sum(UVNC) as UVNC,sum(Cena_predC) as Cena_predC");
} // namespace
QString OdvOverviewSelect(int view)
{
    switch (view) {
    case 3:
        return L("select DATUM,") + OverviewSums;
    case 4:
        return L("select Odberatel,") + OverviewSums;
    case 5:
        return L("select C_VYR,") + OverviewSums;
    default:
        return L("select * ");
    }
}
QString OdvOverviewOrder(int view)
{
    static const char *const orders[] = {"order by datum,c_dokladu",           "order by mena,odberatel,c_dokladu",
                                         "order by mena,c_obj,c_dokladu",      "group by DATUM",
                                         "group by Odberatel order by 4 desc", "group by C_VYR"};
    return QString::fromLatin1(orders[view >= 0 && view < 6 ? view : 0]);
}
QString PoziadColumns(int view)
{
    if (view == 1)
        return L("SELECT c_obj, a.c_pol, nazov, rozmer, sum(mnoz_poz) as \"Množ.požad.\", mj");
    if (view == 2)
        return L("SELECT a.c_pol, nazov, rozmer, sum(mnoz_poz) as \"Množ.požad.\", mj, min(mnoz_skl) as "
                 "\"Množ.sklad\"");
    return L("SELECT a.c_int, a.c_pol, nazov, rozmer, mnoz_poz as \"Množ.požad.\", MJ, a.termin");
}
QString PoziadGrouping(int view)
{
    if (view == 1)
        return L("GROUP BY a.c_pol, nazov, rozmer, mj, c_obj ORDER BY a.c_pol, c_obj");
    if (view == 2)
        return L("GROUP BY a.c_pol, nazov, rozmer, mj ORDER BY a.c_pol");
    return L("ORDER BY stav_poz, a.c_pol, a.c_int");
}

const QString PlanPeriods = L("SELECT DISTINCT obdobie FROM SPlan");
const QStringList WorkPlanSelect{
    L("select OSC, STROJ, POZNAMKA, a.c_int, c_vyr, nazov, a.c_operacie,operacia, norma,mnoz_plan as \"Plánované\", "
      "mnoz_plan*cas_jed/60 as \"NormoHodiny\", mnoz_vyr, mnoz_vyr+mnoz_zma-mnoz_vyk as \"Zostáva\",obdobie, "
      "zaciatok as \"Začiatok\", termin, c_obj, stav_zak "),
    L("from SPlan a join vZakOperacie z on a.c_int=z.c_int and a.c_operacie=z.c_operacie "),
    L("where obdobie=:obdobie and zaciatok<=:zaciatok and operacia starting :operacia and mnoz_plan>:mnoz_min "),
    L("order by zaciatok, c_vyr, a.c_int, a.c_operacie")};
namespace {
const QString PlanWith =
    L("WITH zakop AS (select vzo.*, case when mnoz_vyr+mnoz_zma>mnoz_vyk then mnoz_vyr+mnoz_zma-mnoz_vyk else 0 end "
      "as mnoz_zost, null as zaciatok, null as koniec from vZakOperacie vzo) ");
const QString PlanSums = L("select %1, sum(mnoz_zost) as \"Zostáva\", sum(%2) as \"Plánované\", sum(%3*cas_jed/60) "
                           "as \"NormoHodiny\" ");
const QString PlanDetail =
    L("select %1 a.c_int, c_vyr, nazov, a.c_operacie,operacia, pracovisko, norma, mnoz_vyr as \"Vyrobiť\", mnoz_vyk "
      "as \"Vyrobené\", cast(mnoz_odv as integer) as \"Odvedené\",mnoz_zost as \"Zostáva\", %2 as \"Plánované\", "
      "%3*cas_jed/60 as \"NormoHodiny\", a.zaciatok as \"Začiatok\", a.koniec as \"Koniec\", termin as \"Termín\", "
      "mnoz_nas as \"Nástroje\", odberatel, c_obj");
QString planGroup(int view)
{
    static const char *const groups[] = {
        "operacia", "pracovisko", "profesia",
        "extract(week from case when a.zaciatok<CURRENT_TIMESTAMP then CURRENT_TIMESTAMP+3 else a.zaciatok end) as "
        "tyzden",
        "c_int"};
    return view >= 0 && view < 5 ? QString::fromLatin1(groups[view]) : QString();
}
} // namespace

QStringList PlanUnplannedLines(int view, const QString &filter)
{
    QStringList lines(5);
    lines[2] = L("WHERE STAV_ZAK between %1 and %2 AND STAV_ZAK<%3 AND not exists(select * from SPlan where "
                 "c_int=a.c_int)")
                   .arg(5)
                   .arg(89)
                   .arg(90);
    if (view == 4) {
        lines[0] = L("SELECT a.c_int, c_vyr, nazov, mnoz_vyr as \"Vyrobiť\", termin as \"Termín\", odberatel, c_obj ");
        lines[1] = L("FROM vZakazkyD a ");
        lines[4] = L("order by termin, c_int");
        return lines;
    }
    lines[1] = L("FROM zakop a");
    lines[3] = filter;
    if (view == 5) {
        lines[0] = PlanWith + PlanDetail.arg(QString(), L("mnoz_zost"), L("mnoz_zost"));
        lines[4] = L("order by termin, c_int, c_operacie");
    } else {
        lines[0] = PlanWith + PlanSums.arg(planGroup(view), L("mnoz_zost"), L("mnoz_zost"));
        lines[4] = L("group by 1 order by 1");
    }
    return lines;
}

QStringList PlanPlannedLines(int view, const QString &period, const QString &filter)
{
    QStringList lines(5);
    lines[0] = PlanWith;
    lines[2] = L("FROM SPlan a JOIN zakop ON a.c_int=zakop.c_int and a.c_operacie=zakop.c_operacie");
    lines[3] = L("WHERE obdobie=%1 %2").arg(SqlLiteral(period, ftString), filter);
    if (view == 4) {
        lines[1] = L("select a.c_int, c_vyr, nazov, max(mnoz_vyr) as \"Vyrobiť\", cast(mnoz_odv as integer) as "
                     "\"Odvedené\",max(mnoz_zost) as \"Zostáva\", max(a.mnoz_plan) as \"Plánované\", "
                     "sum(a.mnoz_plan*cas_jed/60) as \"NormoHodiny\", min(a.zaciatok) as \"Začiatok\", "
                     "max(a.koniec) as \"Koniec\", termin as \"Termín\", odberatel, c_obj ");
        // The job is qualified: both tables of the join carry it.
        lines[4] = L("GROUP BY a.c_int, c_vyr, termin, nazov, mnoz_odv, odberatel, c_obj ORDER BY termin, a.c_int");
    } else if (view == 5) {
        lines[1] = PlanDetail.arg(L("obdobie,"), L("a.mnoz_plan"), L("a.mnoz_plan"));
        lines[4] = L("order by a.zaciatok, c_vyr, a.c_int, a.c_operacie");
    } else {
        lines[1] = PlanSums.arg(planGroup(view), L("a.mnoz_plan"), L("a.mnoz_plan"));
        lines[4] = L("group by 1 order by 1");
    }
    return lines;
}

QString PlanCalendar(int view, const QString &workplace, const QString &operation)
{
    const QString condition = !workplace.isEmpty()   ? L("a.PRACOVISKO=") + SqlLiteral(workplace, ftString)
                              : !operation.isEmpty() ? L("OPERACIA=") + SqlLiteral(operation, ftString)
                                                     : L("MNOZ_PLAN>0");
    QString column = L("datum"), row = L("a.pracovisko"), text = L("min(a.c_int)"), hint = L("LIST(a.c_int)"),
            group = L("datum,a.pracovisko");
    if (view == 3) {
        column = L("extract(week from datum)");
        text = L("''");
        group = column + L(", a.pracovisko");
    } else if (view == 4 || view == 5) {
        row = L("a.c_int || '  ' || c_vyr");
        text = L("max(a.c_operacie)");
        hint = L("LIST(operacia) || ': ' || round(sum(mnoz_plan)) || ' ks'");
        group = column + L(", a.c_int, c_vyr");
    }
    // The four columns are named: their expressions would otherwise share the server's default names.
    return L("SELECT %1 as STLPEC, %2 as RIADOK, %3 || ': ' || round(sum(nhod_plan),1) as BUNKA, %4 as POPIS FROM "
             "SPlanD a JOIN ZakazkyD z ON "
             "a.c_int=z.c_int JOIN ZakOperacie o ON a.c_int=o.c_int AND a.c_operacie=o.c_operacie WHERE %5 GROUP BY "
             "%6 ORDER BY 1,2")
        .arg(column, row, text, hint, condition, group);
}
#undef L

namespace {
QString requests(int view)
{
    QStringList lines = PoziadSelect;
    lines[0] = PoziadColumns(view);
    lines[7] = PoziadGrouping(view);
    return lines.join(QLatin1Char('\n'));
}
} // namespace

namespace {
// Every view of the capacity plan form's lists and calendar, joined: one text per list.
QStringList planForms()
{
    QStringList texts;
    const QString filter = QStringLiteral(" and TERMIN<='2026-01-01' and OPERACIA='X''Y' and PRACOVISKO='P' and "
                                          "PROFESIA='F'");
    for (int view = 0; view < 6; ++view) {
        texts << PlanUnplannedLines(view, filter).join(QLatin1Char('\n'));
        texts << PlanPlannedLines(view, QStringLiteral(" "), filter).join(QLatin1Char('\n'));
        texts << PlanCalendar(view, view == 1 ? QStringLiteral("P") : QString(),
                              view == 2 ? QStringLiteral("O") : QString());
    }
    return texts;
}
} // namespace

QStringList All()
{
    const auto text = [](const QStringList &lines) { return lines.join(QLatin1Char('\n')); };
    return QStringList{
               EmployeeCount,
               text(SrvSelect),
               text(SrvInsert),
               text(SrvModify),
               text(SrvDelete),
               text(SrvRefresh),
               text(SPlanDelete),
               text(PoziadSelect),
               text(PoziadModify),
               text(PoziadDelete),
               SPlanDayPlanOfRow,
               SrvJobCalculation,
               WipMaterial,
               text(WipWages),
               WipClear,
               WipPerJob,
               WipPerOperation,
               WipMaterialValues,
               WipDropEmpty,
               WipDropNegative,
               RequestsRebuild,
               text({SrvPerJobColumns, SrvSelect[1], SrvPerJobGroup, SrvPerJobOrder}),
               text({WipWagesByJobSelect, WipWages[1], WipWages[2], WipWages[3], WipWagesByJobGroup}),
               PlanWorkplaces,
               PlanDayPlanCleanup,
               PlanBookedMinutes,
               PlanLock,
               PlanDaySave,
               PlanMerge,
               PlanJobsPlanned,
               PlanOperations(1, 10, -1).join(QLatin1Char('\n')),
               PlanHolidays,
               text(OdvSelect),
               text(OdvModify),
               text(OdvInsert),
               text(OdvDelete),
               text(OdvCalculation),
               OdvLastDocument,
               OdvDocumentExists,
               OdvLastInvoice,
               OdvLastRate,
               OdvHandedOfJob,
               OdvUnprinted,
               OdvMarkPrinted,
               OdvCentres,
               OdvOfPeriod,
               OdvStores,
               text({OdvSelect[0], OdvSelect[1], OdvWhereDocument}),
               text({OdvOverviewSelect(4), OdvOverviewFrom,
                     OdvOverviewWhere + OdvOverviewMinus + OdvOverviewCustomer + OdvOverviewProduct + OdvOverviewJob,
                     OdvOverviewOrder(4)}),
               text({OdvOverviewSelect(0), OdvOverviewFrom, OdvOverviewWhere, OdvOverviewOrder(2)}),
               requests(0),
               requests(1),
               requests(2),
               PlanPeriods} +
           planForms();
}

} // namespace VyrobaSql
