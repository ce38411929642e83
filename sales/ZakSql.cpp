#include "ZakSql.h"

namespace ZakSql {

const QString JobWhereLine = QStringLiteral("where c_int=:c_int");
const QString JobProduct = QStringLiteral("select * from VYROBKY where c_vyr=:c_vyr");
const QString JobBom = QString::fromUtf8(
    "select a.c_pozicie as \"č.\", a.c_pol, p.nazov, a.mnozstvo as \"Množstvo/MJ\", a.mnozstvo*z.mnoz_vyr as "
    "\"Množstvo/C\", a.hodnota*z.mnoz_vyr as \"Hodnota\", a.poznamka from ZakKusovnik a join Polozky p on "
    "a.c_pol=p.c_pol join ZakazkyD z on a.c_int=z.c_int where a.c_int=:c_int");
const QString JobOperations = QString::fromUtf8(
    "select c_operacie,operacia,popis_op as \"Popis op.\", pracovisko,tarif, cas_prip as \"Čas príp.\",cas_jed as "
    "\"Čas jed.\", mzda, p_straty as \"%Strát\" from ZakOperacie where c_int=:c_int order by c_operacie");
// Kind 12 receipt from production, kind 22 issue to production.
const QString JobMaterial = QStringLiteral(
    "select a.datum,a.c_pol,b.nazov,a.mnozstvo,a.mnozstvo*a.cena_nakl as hodnota from MPohyby a join POLOZKY b on "
    "a.c_pol=b.c_pol where a.c_int=:c_int and a.typ_pohybu in (12,22) order by 1");
const QString JobPerformances = QStringLiteral(
    "select c_operacie,operacia,sum(mnozstvo) as mnozstvo, sum(zmatky) as zmatky, sum(mzda) as mzda from SVykony "
    "where c_int=:c_int group by c_operacie,operacia order by 1");
const QString JobPerformancesWithIdle = QStringLiteral(
    "select z.c_operacie,z.operacia,sum(v.mnozstvo) as mnozstvo, sum(v.zmatky) as zmatky, sum(v.mzda) as mzda "
    "from ZakOperacie z left join SVykony v on z.c_int=v.c_int and z.c_operacie=v.c_operacie where z.c_int=:c_int "
    "group by z.c_operacie, z.operacia order by 1");
// A job's few rows sorted: an order by the date alone would let the optimizer walk every hand-over's or
// note's date to spare the sort.
const QString JobHandOvers = QStringLiteral(
    "select datum,mnozstvo,vahac,cenac,c_faktury from vSOdvody where c_int=:c_int order by datum,c_dokladu");
const QString JobStock = QStringLiteral("select sklad, mnozstvo, mnoz_vydv, mnoz_vydo from MSklady where c_pol=:c_vyr");
const QString JobDeliveryNotes = QStringLiteral(
    "select a.d_vystav,a.c_dl,a.mnoz_vyr as mnozstvo,a.odberatel,a.c_obj from vEDListyD a where a.c_int=:c_int "
    "order by a.d_vystav,a.c_dl");

const QString JobState = QStringLiteral("select stav_zak from ZAKAZKYD where c_int=:c_int");

const QString CustomersListed = QStringLiteral("C_ODB>0");
const QString CustomerIs = QStringLiteral("c_odb=%1");
const QString CustomerJobs =
    QStringLiteral("SELECT c_obj,c_int,c_vyr,nazov,mnoz_vyr,termin,cena1 FROM vZakazkyDKalk WHERE c_odb=:c_odb");
const QString CustomerDeliveryNotes =
    QStringLiteral("SELECT c_dl,c_vyr,nazov,mnoz_vyr,d_vystav,cena_predc FROM vEDlistyD WHERE c_odb=:c_odb");

const QString ComplaintsOfTheYear = QStringLiteral("D_VYSTAV>=CURRENT_DATE-365");

const QString InternalOrderOperations =
    QStringLiteral("select operacia, mzda from ZakOperacie where c_int=:c_int order by c_operacie");
// The job with its customer's bank and the order's payment terms, which the document prints too.
const QString InternalOrderJob = QStringLiteral(
    "select v.*, o.banka, o.bucet, z.plat_podm, case when v.vaha1<>0 then v.cena1/v.vaha1 else 0 end as cena1kg "
    "from vZakazkyDKalk v join ZAKAZKY z on z.c_obj=v.c_obj left join CODBERATELOV o on o.c_odb=v.c_odb "
    "where v.c_int=:c_int");
// The items of the order and of the same customer's later orders, from the order's lowest job on.
const QString OrderReview = QStringLiteral(
    "SELECT a.c_obj,a.odberatel,a.c_odb, d.c_int,d.c_vyr,d.mnoz_vyr,d.termin_obj FROM Zakazky a JOIN Zakazky z ON "
    "a.c_odb=z.c_odb AND a.d_obj>=z.d_obj AND a.d_vystav>=z.d_vystav AND z.c_obj=:c_obj JOIN ZakazkyD d ON "
    "a.c_obj=d.c_obj AND d.c_int >= ANY(SELECT c_int FROM ZakazkyD WHERE c_obj=z.c_obj) ORDER BY a.c_obj, d.c_int");
const QString OrderContract = QStringLiteral(
    "select a.*,z.odberatel,z.plat_podm,z.doprava,z.d_obj,b.ulica,b.psc,b.mesto,b.ICO,b.ICDPH, b.termin,b.termin_obj,"
    "b.c_vyr,b.mnoz_obj,b.nazov,b.rozmer,b.material,b.c_vykresu,b.c_pol_ext,b.cena1 from ZAKZML a JOIN ZAKAZKY z ON "
    "a.c_obj=z.c_obj JOIN vZAKAZKYDKALK b ON a.c_obj=b.c_obj where a.c_obj=:c_obj");
const QString OrderConfirmation = QStringLiteral(
    "select z.c_obj,z.d_obj,z.odberatel,z.plat_podm,z.dod_podm,z.doprava,d.ulica,d.psc,d.mesto,d.ICO,d.ICDPH, "
    "d.termin, d.termin_obj, d.c_vyr, d.mnoz_obj, d.nazov,d.material,d.c_vykresu,d.rozmer,d.cena1 from ZAKAZKY z "
    "JOIN vZAKAZKYDKALK d ON z.c_obj=d.c_obj where z.c_obj=:c_obj");

QStringList All()
{
    return {JobProduct,
            JobBom,
            JobOperations,
            JobMaterial,
            JobPerformances,
            JobPerformancesWithIdle,
            JobHandOvers,
            JobStock,
            JobDeliveryNotes,
            JobState,
            CustomerJobs,
            CustomerDeliveryNotes,
            InternalOrderOperations,
            InternalOrderJob,
            OrderReview,
            OrderContract,
            OrderConfirmation};
}

} // namespace ZakSql
