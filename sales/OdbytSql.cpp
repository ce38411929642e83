#include "OdbytSql.h"

#include "InternalOrderFilter.h"
#include "TPVSql.h"
#include "ZakSql.h"
#include "library/SqlLiteral.h"

namespace OdbytSql {

const QStringList CustomerLookup{QStringLiteral("select *"), QStringLiteral("from COdberatelov"),
                                 QStringLiteral("where c_odb=:c_odb")};
const QStringList DeliveryNotesLookup{QStringLiteral("select d_vystav,c_dl,odberatel,hodn_dl"),
                                      QStringLiteral("from vEDListy"),
                                      QStringLiteral("where c_obj=:c_obj and c_odb=:c_odb")};
const QStringList CalculationLookup{QStringLiteral("select *"), QStringLiteral("from vZakKalk "),
                                    QStringLiteral("where c_int=:c_int")};
const QStringList JobsWithProgress{QStringLiteral("select *"), QStringLiteral("from vZakazkyDKalk"), QString(),
                                   QString()};

namespace {
const QString ComplaintColumns = QStringLiteral("select a.*, c_obj, odberatel, c_vyr, nazov");
const QString ComplaintFrom = QStringLiteral("from ZAKREK a join vZAKAZKYD b on a.c_int=b.c_int");
const char *const ComplaintFields[] = {"C_REK",     "C_INT",    "MNOZ_DOD", "D_DOD",   "MNOZ_REK", "C_DL",
                                       "C_FAKTURY", "D_VYSTAV", "VYSTAVIL", "NEZHODA", "POPIS",    "NAVRH1",
                                       "PRICINA",   "NAVRH2",   "NAVRH3",   "RIESENIE"};

QStringList complaintInsert()
{
    QStringList columns, values;
    for (const char *f : ComplaintFields) {
        columns << QString::fromLatin1(f);
        values << QLatin1Char(':') + QString::fromLatin1(f);
    }
    return {QStringLiteral("insert into ZAKREK"),
            QLatin1Char('(') + columns.join(QStringLiteral(", ")) + QLatin1Char(')'), QStringLiteral("values"),
            QLatin1Char('(') + values.join(QStringLiteral(", ")) + QLatin1Char(')')};
}

QStringList complaintModify()
{
    QStringList lines{QStringLiteral("update ZAKREK"), QStringLiteral("set")};
    const int n = int(std::size(ComplaintFields));
    for (int i = 0; i < n; ++i)
        lines << QStringLiteral("  %1 = :%1%2").arg(QString::fromLatin1(ComplaintFields[i]), i + 1 < n ? "," : "");
    lines << QStringLiteral("where") << QStringLiteral("  C_REK = :OLD_C_REK");
    return lines;
}
} // namespace

const QStringList ComplaintSelect{ComplaintColumns, ComplaintFrom, QString(), QStringLiteral("order by a.c_rek desc")};
const QStringList ComplaintRefresh{ComplaintColumns, ComplaintFrom, QStringLiteral("where C_REK = :C_REK")};
const QStringList ComplaintInsert = complaintInsert();
const QStringList ComplaintModify = complaintModify();
const QStringList ComplaintDelete{QStringLiteral("delete from ZAKREK"), QStringLiteral("where"),
                                  QStringLiteral("  C_REK = :OLD_C_REK")};
// The highest number of the year: a longer number is a higher one (yy999, then yy1000).
const QString LastComplaintOfYear = QStringLiteral(
    "select first 1 C_REK from ZakRek where C_REK starting with :yy order by char_length(C_REK) desc, C_REK desc");

const QString LowestOfferItem =
    QStringLiteral("select min(C_INT) from ZAKAZKYD where C_INT between :c_int2 and :c_int1");
// Never below 1, even when every customer so far is provisional.
const QString RenumberCustomer = QStringLiteral(
    "update COdberatelov set C_ODB=(select maxvalue(coalesce(max(C_ODB),0),0) from COdberatelov)+1 where c_odb=:c_odb");
const QString ItemsOfOrder = QStringLiteral("select count(*) from ZAKAZKYD where c_obj=:c_obj");
const QString PerformancesOfJob = QStringLiteral("select count(*) from SVykony where c_int=:c_int");
const QString StoredJobState = QStringLiteral("select STAV_ZAK from ZAKAZKYD where C_INT=:c_int");
const QString DieStock = QStringLiteral("select sum(mnozstvo-mnoz_vydo), min(c_odb) from POLOZKY left join MSklady on "
                                        "POLOZKY.c_pol=MSklady.c_pol where POLOZKY.c_pol=:c_pol");
const QString HandOversOfJob = QStringLiteral("select count(*) from SOdvody where c_int=:c_int");
const QString OpenJobsOfProduct = QStringLiteral(
    "select sum(case when mnoz_obj>mnoz_dod then mnoz_obj-mnoz_dod else 0 end) as este_dod,"
    "sum(case when mnoz_vyr>mnoz_odv then mnoz_vyr-mnoz_odv else 0 end) as este_vyr,"
    "sum(case when c_int=:c_int then 1 else 0 end) as existuje from vZakazkyDKalk where c_vyr=:c_vyr and "
    "stav_zak<:stav_zak and c_int>0");

const QString JobForNewCalculation =
    QStringLiteral("select material,vaha_mat,vaha1,z.c_odb,mena from ZAKAZKYD a join ZAKAZKY z on a.c_obj=z.c_obj "
                   "left join POLOZKY on a.c_vyr=c_pol where c_int=:c_int");
// The latest other job of the same product and revision line, on one date the higher number: the job's own
// product and revision are read first, so the product's jobs are walked from the top of their descending
// index and the walk stops at the first that fits, however many jobs the product has had ("c_int+0"
// keeps the numbers' index, which would list every job, out of it).
const QString PreviousJob = QStringLiteral(
    "select first 1 b.c_int,b.termin,b.c_obj from ZAKAZKYD b where b.c_vyr=(select c_vyr from ZAKAZKYD where "
    "c_int=:c_int) and b.c_int<>:c_int and b.c_int+0>0 and (select c_int_re from ZAKAZKYD where c_int=:c_int) in "
    "(b.c_int_re, b.c_int) order by b.c_vyr desc, b.termin desc, b.c_int desc");
const QString PreviousCalculation =
    QStringLiteral("select cena_mat as c, cena1,ovn1,mim1,kurz,cena_kurz1,mena from ZAKKALK where c_int=:c_int");
const QString RouteOfProduct =
    QStringLiteral("select c_operacie,operacia,popis_op,profesia,cas_prip,cas_jed,MZDA,p_straty,tarif,pracovisko \n"
                   "from TOPERACIE a JOIN ZAKAZKYD b ON a.c_vyr=b.c_vyr and postup='' \n"
                   "where c_int=:c_int order by 1");
const QString OperationsOfJob =
    QStringLiteral("select c_operacie,operacia,popis_op,profesia,cas_prip,cas_jed,MZDA,p_straty,tarif,pracovisko \n"
                   "from ZAKOPERACIE a \n"
                   "where c_int=:c_int order by 1");
const QString OperationsList = QStringLiteral(
    "select c_operacie,operacia,nazov_op as popis_op,pracovisko,profesia,tarif from COPERACII order by c_operacie");
const QString BomOfProduct = QStringLiteral("select a.c_pol, c_pozicie, a.mnozstvo, c_operacie, p_straty, a.poznamka,"
                                            "a.mnozstvo*POLOZKY.cena_kalk*(1+P_STRATY/100.0) as HODNOTA \n"
                                            "from TKUSOVNIK a JOIN ZAKAZKYD b ON a.c_vyr=b.c_vyr \n"
                                            " join POLOZKY on a.c_pol=POLOZKY.c_pol \n"
                                            "where c_int=:c_int");
const QString BomOfJob = QStringLiteral("select a.c_pol, c_pozicie, a.mnozstvo, c_operacie, p_straty, a.poznamka,"
                                        "a.mnozstvo*POLOZKY.cena_kalk*(1+P_STRATY/100.0) as HODNOTA \n"
                                        "from ZAKKUSOVNIK a \n"
                                        " join POLOZKY on a.c_pol=POLOZKY.c_pol \n"
                                        "where c_int=:c_int");
const QString CostLinesOfJob =
    QStringLiteral("select naklad,hodnota from ZAKKALKD where typ_nakl=:typ_nakl and c_int=:c_int");
const QString CostTypes = QStringLiteral("select naklad from CNakladov where typ_nakl=:typ_nakl");
const QString ProductListPrice =
    QStringLiteral("select cena_pred from POLOZKY where c_pol=(select c_vyr from ZAKAZKYD where c_int=:c_int)");
// A product with a bill of materials keeps its calculated price.
const QString ProductCalculatedPrice = QStringLiteral(
    "update POLOZKY set cena_kalk=:cena_kalk where c_pol=(select c_vyr from ZAKAZKYD where c_int=:c_int) and "
    "not exists(select * from TKusovnik where c_vyr=POLOZKY.c_pol)");
// The job's operations become the product's standard route: operations on both keep the columns only a
// route has (instructions, persons, gaps, losses); the others are added.
const QString RouteFromJob = QStringLiteral(
    "merge into TOperacie t using (select ZAKAZKYD.c_vyr,c_operacie,operacia,popis_op,pracovisko,profesia,tarif,"
    "cas_prip,cas_jed,cas_stroj,mzda from ZAKOPERACIE join ZAKAZKYD on ZAKOPERACIE.c_int=ZAKAZKYD.c_int "
    "where ZAKOPERACIE.c_int=:c_int) s on t.c_vyr=s.c_vyr and t.postup='' and t.c_operacie=s.c_operacie "
    "when matched then update set operacia=s.operacia,popis_op=s.popis_op,pracovisko=s.pracovisko,"
    "profesia=s.profesia,tarif=s.tarif,cas_prip=s.cas_prip,cas_jed=s.cas_jed,cas_stroj=s.cas_stroj,mzda=s.mzda "
    "when not matched then insert (c_vyr,postup,c_operacie,operacia,popis_op,pracovisko,profesia,tarif,cas_prip,"
    "cas_jed,cas_stroj,mzda) values (s.c_vyr,'',s.c_operacie,s.operacia,s.popis_op,s.pracovisko,s.profesia,"
    "s.tarif,s.cas_prip,s.cas_jed,s.cas_stroj,s.mzda)");
// Every other route and every standard-route operation the job does not have.
const QString RouteBeyondJob = QStringLiteral(
    "delete from TOperacie t where t.c_vyr=(select c_vyr from ZAKAZKYD where c_int=:c_int) and (t.postup<>'' or "
    "not exists(select * from ZAKOPERACIE o where o.c_int=:c_int and o.c_operacie=t.c_operacie))");

const QString OffersOfLastWeek = QStringLiteral("typ_obj='P' and d_vystav>=CURRENT_DATE-7");
const QString OffersOnly = QStringLiteral("TYP_OBJ='%1' and (%2)");
const QStringList OfferFilterItems = {
    QString::fromUtf8("Posledný týždeň=D_VYSTAV>=CURRENT_DATE-7"),
    QString::fromUtf8("č.Ponuky ...=C_OBJ LIKE '?%'"),
    QString::fromUtf8("Odberateľ ...=ODBERATEL LIKE '?%'"),
    QString::fromUtf8("Výrobok ...=C_OBJ in (select C_OBJ from ZAKAZKYD where C_VYR='?' or POZNAMKA LIKE '%?%')"),
};
const QString OfferPrint = QStringLiteral(
    "select a.c_obj, a.odberatel, a.d_vystav, a.plat_podm, a.dod_podm, a.tech_podm,c_vyr, d.poznamka as nazov, "
    "spec1 as c_vykresu, mnoz_obj, spec2 as dodanie,material, vaha1, cena_mat, mat1, cena1, k.mena, cena1-mat1 as "
    "nakl_vyr1,ulica, mesto, psc from ZAKAZKY a join ZAKAZKYD d on a.c_obj=d.c_obj left join ZAKKALK k on "
    "d.c_int=k.c_int left join COdberatelov o on a.c_odb=o.c_odb where a.c_obj=:c_obj");

const QString OrdersOfLast90Days = QStringLiteral("D_OBJ>=CURRENT_DATE-90");
const QString OrdersOfLast31Days = QStringLiteral("D_OBJ>CURRENT_DATE-31");
// The issue date matched as text (yyyy-mm-dd): typed letters find nothing instead of failing.
const QString OrdersIssuedLike = SqlAsText(QStringLiteral("d_vystav")) + QStringLiteral(" like '%?%'");
const QString OrdersWithProduct = QStringLiteral("c_obj in (select c_obj from ZakazkyD where c_vyr like '?%')");
const QString OrdersWithJob = QStringLiteral("c_obj in (select c_obj from ZakazkyD where c_int=?)");
const QString OrdersIssuedFrom = QStringLiteral("d_vystav>=?");
const QString OrdersIssuedTo = QStringLiteral("d_vystav<=?");
// The headers' condition names the view's columns; inside its own select it cannot be ambiguous.
const QString ContractList =
    QStringLiteral("select c_zmluvy, a.c_obj, c_odb, odberatel from vZakazky a join ZakZml b on a.c_obj=b.c_obj");
const QString ContractListWhere = QStringLiteral(" where a.c_obj in (select c_obj from vZakazky where %1)");
const QString ContractListOrder = QStringLiteral(" order by c_zmluvy");
const QString CustomerPaymentTerms = QStringLiteral("select PLAT_PODM from COdberatelov where C_ODB=:c_odb");

const QString JobsOfNumber = QStringLiteral("where c_int=%1");
const QString JobsDueUpTo = QStringLiteral("where termin<=%1 and stav_zak<100");
const QString JobsDueBetween = QStringLiteral("where termin between %1 and %2");
const QString AllJobs = QStringLiteral("where c_int>0");
const QString JobsAndProduct = QStringLiteral(" and c_vyr like %1");
const QString JobsOfCustomer = QStringLiteral("(c_odb=?)");
const QString JobsAndOrder = QStringLiteral(" and c_obj like %1");
const QString JobsAndMaterial = QStringLiteral(" and material like %1");
const QString JobsAndComplaints = QStringLiteral(" and c_int_re<>0");
const QString JobsAndState = QStringLiteral(" and stav_zak=%1");
const QString JobsAndStates = QStringLiteral(" and stav_zak between %1 and %2");
const QString JobsUnplanned = QStringLiteral("where stav_zak between 5 and 29");
const QString JobsInProgress = QStringLiteral("where stav_zak=40");
const QString JobsHandedOver = QStringLiteral("where stav_zak=90");
const QString JobsHandedOverUnmarked = QStringLiteral("where stav_zak>=0 and stav_zak<90 and mnoz_odv>=mnoz_vyr");
const QString JobsDeliveredUnfinished = QStringLiteral("where stav_zak>=0 and stav_zak<100 and mnoz_dod>=mnoz_obj");
const QString JobHoursBy =
    QStringLiteral("SELECT %1, cast(sum((mnoz_vyr+mnoz_zma-mnoz_vyk)*cas_jed/60) as integer) as NHod "
                   "FROM vZakOperacie %2 GROUP BY 1 ORDER BY 2 desc");
const QStringList JobsPrint{
    QStringLiteral("select c_odb,odberatel,c_obj,c_int,c_vyr,nazov,rozmer,MNOZ_OBJ,termin,vaha1,vahac,cena1,"
                   "cast(MNOZ_DOD as integer) as MNOZ_DOD,cast(MNOZ_SKL as integer) as MNOZ_SKL "),
    QStringLiteral("from vZakazkyDKalk a "), QString(), QStringLiteral("order by c_odb,c_vyr")};

QStringList All()
{
    QStringList all{OfferPrint,
                    ContractList + ContractListWhere.arg(OrdersOfLast90Days) + ContractListOrder,
                    ContractList + ContractListOrder,
                    CustomerPaymentTerms,
                    QStringLiteral("select c_obj from VZAKAZKY where ") + OrdersOfLast31Days + QStringLiteral(" and ") +
                        QuickSearch("ODBERATEL", ftString, "a") + QStringLiteral(" and ") +
                        QuickSearch("D_OBJ", ftDate, QString::fromUtf8("č")) + QStringLiteral(" and ") +
                        QString(OrdersIssuedLike).replace('?', QString::fromUtf8("č")) + QStringLiteral(" and ") +
                        QString(OrdersWithProduct).replace('?', "V") + QStringLiteral(" and ") +
                        QString(OrdersWithJob).replace('?', "1") + QStringLiteral(" and ") +
                        QString(OrdersIssuedFrom).replace('?', "'2026-01-01'") + QStringLiteral(" and ") +
                        QString(OrdersIssuedTo).replace('?', "'2026-12-31'"),
                    QStringLiteral("select c_obj from ZAKAZKY where ") + OffersOnly.arg("P", OffersOfLastWeek),
                    LastComplaintOfYear,
                    LowestOfferItem,
                    RenumberCustomer,
                    ItemsOfOrder,
                    PerformancesOfJob,
                    StoredJobState,
                    DieStock,
                    HandOversOfJob,
                    OpenJobsOfProduct,
                    JobForNewCalculation,
                    PreviousJob,
                    PreviousCalculation,
                    RouteOfProduct,
                    OperationsOfJob,
                    OperationsList,
                    BomOfProduct,
                    BomOfJob,
                    CostLinesOfJob,
                    CostTypes,
                    ProductListPrice,
                    ProductCalculatedPrice,
                    RouteFromJob,
                    RouteBeyondJob};
    for (const QString &item : OfferFilterItems)
        all << QStringLiteral("select c_obj from ZAKAZKY where ") +
                   OffersOnly.arg("P", item.mid(item.indexOf(QLatin1Char('=')) + 1)).replace(QLatin1Char('?'), "x");
    for (const QStringList *lines :
         {&CustomerLookup, &DeliveryNotesLookup, &CalculationLookup, &JobsWithProgress, &ComplaintSelect,
          &ComplaintRefresh, &ComplaintInsert, &ComplaintModify, &ComplaintDelete})
        all << lines->join(QLatin1Char('\n'));
    // The browser's fullest WHERE, on every view that reads it.
    TInternalOrderFilter full;
    full.Period = true;
    full.From = QStringLiteral("01.01.26");
    full.To = QStringLiteral("31.12.26");
    full.Product = full.Order = full.Material = QStringLiteral("A");
    full.Customer = QStringLiteral("!5");
    full.ComplaintsOnly = true;
    const QString where = full.Where();
    all << QStringLiteral("select * from vZakazkyDKalk ") + where << QStringLiteral("select * from vZakazkyD ") + where;
    for (const char *column : {"pracovisko", "profesia", "operacia"})
        all << JobHoursBy.arg(QLatin1String(column), where);
    for (int view = 0; view < 8; ++view)
        if (!InternalOrderViewWhere(view).isEmpty())
            all << QStringLiteral("select * from vZakazkyDKalk ") + InternalOrderViewWhere(view);
    QStringList print = JobsPrint;
    print[2] = where;
    all << print.join(QLatin1Char('\n'));
    all << TPVSql::All();
    all << ZakSql::All();
    return all;
}

} // namespace OdbytSql
