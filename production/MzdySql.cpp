#include "MzdySql.h"

namespace MzdySql {

namespace {

const char *const AttendanceColumns[] = {"DATUM",   "OSC",       "ZMENA",    "OHOD",     "RHOD",
                                         "RDOVOD",  "DOVOLENKA", "NEMOC",    "STATVOL",  "NAHRVOL",
                                         "PLATVOL", "NEPLATVOL", "NADCAS25", "NADCAS50", "PREKAZKA1"};
const char *const WageColumns[] = {"ROK",          "MESIAC",    "OSC",        "MZDA_VYK",  "MZDA_REZ",
                                   "OHOD",         "MZDA_HOD",  "PREMIE",     "PRIPL_PRO", "PRIPL_NADCAS",
                                   "PRIPL_VIKEND", "PRIPL_NOC", "PRIPL_PRED", "PRIPL_VED", "ZAMKNUTY"};

template <size_t N> QStringList insertOf(const char *table, const char *const (&columns)[N])
{
    QStringList c, v;
    for (const char *name : columns) {
        c << QString::fromLatin1(name);
        v << QLatin1Char(':') + QString::fromLatin1(name);
    }
    return {QStringLiteral("insert into %1 (").arg(QLatin1String(table)) + c.join(QLatin1Char(',')) + QLatin1Char(')'),
            QStringLiteral("values (") + v.join(QLatin1Char(',')) + QLatin1Char(')')};
}

template <size_t N> QStringList modifyOf(const char *table, const char *const (&columns)[N], const QString &where)
{
    QStringList sets;
    for (const char *name : columns)
        sets << QStringLiteral("%1=:%1").arg(QLatin1String(name));
    return {QStringLiteral("update %1 set ").arg(QLatin1String(table)) + sets.join(QLatin1Char(',')), where};
}

const QString AttendanceOldKey = QStringLiteral("where DATUM=:OLD_DATUM and OSC=:OLD_OSC and ZMENA=:OLD_ZMENA");
const QString WageOldKey = QStringLiteral("where ROK=:OLD_ROK and MESIAC=:OLD_MESIAC and OSC=:OLD_OSC");

} // namespace

const QStringList Employees{QStringLiteral("select osc,priezvisko,meno,stredisko,profesia"),
                            QStringLiteral("from CZamestnancov"), QString(), QStringLiteral("order by priezvisko")};
const QString AttendanceOfDay =
    QStringLiteral("select * from SDochadzka where osc=:osc and datum=:datum and zmena=:zmena");
const QString AttendanceOfMonth =
    QStringLiteral("select * from SDochadzka where osc=:osc and datum between :D_od and :D_do order by datum,zmena");
const QString AttendanceSums = QStringLiteral(
    "select max(osc) as osc,sum(ohod) as ohod,sum(rhod) as rhod,sum(dovolenka) as dovolenka,sum(nemoc) as nemoc,"
    "sum(nadcas25) as nadcas25,sum(nadcas50) as nadcas50,sum(nahrvol) as nahrvol,sum(statvol) as statvol,"
    "sum(platvol) as platvol,sum(neplatvol) as neplatvol,sum(prekazka1) as prekazka1,sum(mzda) as mzda,"
    "max(datum) as datum,max(stredisko) as stredisko,0 as zmena,null as rdovod from SDochadzka "
    "where osc=:osc and datum between :D_od and :D_do");
const QStringList AttendanceInsert = insertOf("SDochadzka", AttendanceColumns);
const QStringList AttendanceModify = modifyOf("SDochadzka", AttendanceColumns, AttendanceOldKey);
const QStringList AttendanceDelete{QStringLiteral("delete from SDochadzka"), AttendanceOldKey};
const QString PerformancesByDay = QStringLiteral(
    "select v.datum, sum(v.mzda) as Mzda, sum(v.nhod) as NHod, max(v.mzda) as m,\n"
    " (select sum(d.ohod) from SDochadzka d where d.osc=v.osc and d.datum=v.datum) as OHod,\n"
    " sum(zmatky*nhod/nullif(mnozstvo,0)) as nhod_zmatky,\n"
    " sum(case when nhod<0 then -nhod else 0 end) as nhod_storna\n"
    "from SVykony v\nwhere v.osc=:osc and v.datum between :D_od and :D_do\ngroup by v.osc, v.datum\norder by 1");
const QString WageOfMonth = QStringLiteral("select *\nfrom SMzdy \nwhere rok=:rok and mesiac=:mesiac and osc=:osc");
const QString WagesOfMonth = QStringLiteral(
    "select a.*,priezvisko from SMzdy a, CZamestnancov b where rok=:rok and mesiac=:mesiac and a.osc=b.osc "
    "order by a.osc");
const QString WagesOfYear = QStringLiteral("select * from SMzdy where rok=:rok and osc=:osc");
const QStringList WageInsert = insertOf("SMzdy", WageColumns);
const QStringList WageModify = modifyOf("SMzdy", WageColumns, WageOldKey);
const QStringList WageDelete{QStringLiteral("delete from SMzdy"), WageOldKey};
const QStringList WageRefresh{QStringLiteral("select * from SMzdy"),
                              QStringLiteral("where ROK=:ROK and MESIAC=:MESIAC and OSC=:OSC")};
const QString ComputeWages = QStringLiteral(
    "execute procedure SMzdy_Pocitaj :D_OD,:D_DO,:KOEF_NOC,:KOEF_VIKEND,:KOEF_UKOL,:KOEF_PREMIE,:KOEF_VYKON,"
    ":KOEF_DOCH,:KOEF_VEDUCI");
const QString WageHistory = QStringLiteral(
    "select rok,mesiac,mzda_vyk,mzda_vyk/nullif(ohod,0) as ukol_hod, mzda_hod from SMzdy where ohod<>0 and "
    "osc=:osc and ((rok>:rok) or (rok=:rok2 and mesiac>=:mesiac)) order by rok,mesiac");
const QString PerformanceWageOfMonth =
    QStringLiteral("select sum(mzda) as Mzda from SVykony where osc=:osc and datum between :D_od and :D_do");
const QString WageSlips = QStringLiteral(
    "select rok,mesiac,a.osc,meno,priezvisko,min(mzda_vyk) as mzda_vyk,min(mzda_rez) as mzda_rez,"
    "min(mzda_hod) as mzda_hod,min(a.ohod) as ohod,min(premie) as premie,min(pripl_pro) as pripl_pro,"
    "min(pripl_nadcas) as pripl_nadcas,min(pripl_vikend) as pripl_vikend,min(pripl_noc) as pripl_noc,"
    "min(a.pripl_pred) as pripl_pred,min(pripl_vyk) as pripl_vyk,min(pripl_doch) as pripl_doch,"
    "min(pripl_ved) as pripl_ved,sum(rhod) as rhod,sum(dovolenka) as dovolenka,sum(nemoc) as nemoc,"
    "sum(nadcas25) as nadcas25,sum(nadcas50) as nadcas50,sum(statvol) as statvol,sum(nahrvol) as nahrvol,"
    "sum(platvol) as platvol,sum(neplatvol) as neplatvol,sum(prekazka1) as prekazka1 "
    "from SMzdy a, SDochadzka b, CZamestnancov c where rok=:rok and mesiac=:mesiac and b.datum between :D_od and "
    ":D_do and a.osc=b.osc and a.osc=c.osc group by rok,mesiac,a.osc,meno,priezvisko");
// Codes trimmed, so the report compares 'SO' with 'SO' however the code was stored.
const QString WagesByOperation = QStringLiteral(
    "select osc,meno,priezvisko,trim(operacia) as operacia,sum(mzda) as mzda from vSVykony where datum between "
    ":D_od and :D_do group by osc,meno,priezvisko,trim(operacia) order by osc");

QStringList All()
{
    QStringList all{AttendanceOfDay, AttendanceOfMonth,      AttendanceSums, PerformancesByDay,
                    WageOfMonth,     WagesOfMonth,           WagesOfYear,    ComputeWages,
                    WageHistory,     PerformanceWageOfMonth, WageSlips,      WagesByOperation};
    for (const QStringList *lines : {&Employees, &AttendanceInsert, &AttendanceModify, &AttendanceDelete, &WageInsert,
                                     &WageModify, &WageDelete, &WageRefresh})
        all << lines->join(QLatin1Char('\n'));
    return all;
}

} // namespace MzdySql
