#include "VykSql.h"

namespace VykSql {

namespace {

QString zColumns(const QString &prefix)
{
    QStringList z;
    for (int i = 1; i <= 20; ++i)
        z << prefix + QStringLiteral("Z%1").arg(i, 2, 10, QLatin1Char('0'));
    return z.join(QLatin1Char(','));
}

const QString KeyColumns = QStringLiteral("DATUM,ZMENA,OSC,C_INT,C_DAVKY,C_OPERACIE");
const QString OldKey = QStringLiteral("where DATUM=:OLD_DATUM and ZMENA=:OLD_ZMENA and OSC=:OLD_OSC and "
                                      "C_INT=:OLD_C_INT and C_DAVKY=:OLD_C_DAVKY and C_OPERACIE=:OLD_C_OPERACIE");

QStringList dataColumns(bool withHours)
{
    QStringList c = KeyColumns.split(QLatin1Char(','));
    c << QStringLiteral("OPERACIA") << QStringLiteral("MNOZSTVO") << QStringLiteral("ZMATKY") << QStringLiteral("NORMA")
      << QStringLiteral("MZDA") << QStringLiteral("NHOD");
    if (withHours)
        c << QStringLiteral("OHOD");
    c << zColumns(QString()).split(QLatin1Char(','));
    return c;
}

QStringList insertOf(bool withHours)
{
    const QStringList c = dataColumns(withHours);
    QStringList values;
    for (const QString &name : c)
        values << QLatin1Char(':') + name;
    return {QStringLiteral("insert into SVykony (") + c.join(QLatin1Char(',')) + QLatin1Char(')'),
            QStringLiteral("values (") + values.join(QLatin1Char(',')) + QLatin1Char(')')};
}

QStringList modifyOf(bool withHours)
{
    QStringList sets;
    for (const QString &name : dataColumns(withHours))
        sets << name + QStringLiteral("=:") + name;
    return {QStringLiteral("update SVykony set ") + sets.join(QLatin1Char(',')), OldKey};
}

} // namespace

const QStringList PerformanceList{QStringLiteral("select * "), QStringLiteral("from vSVykony "),
                                  QStringLiteral("where datum=current_timestamp "),
                                  QStringLiteral("order by datum desc,osc,c_int")};
const QStringList PerformanceRefresh{
    QStringLiteral("select *"), QStringLiteral("from vSVykony "),
    QStringLiteral("where DATUM=:DATUM and ZMENA=:ZMENA and OSC=:OSC and C_INT=:C_INT and C_DAVKY=:C_DAVKY and "
                   "C_OPERACIE=:C_OPERACIE")};
const QStringList PerformanceInsert = insertOf(true);
const QStringList PerformanceModify = modifyOf(true);
const QStringList PerformanceDelete{QStringLiteral("delete from SVykony"), OldKey};
const QStringList OrderEntrySelect{
    QStringLiteral("select *"), QStringLiteral("from SVykony"),
    QStringLiteral("where datum=:datum and osc=:osc and c_int=:c_int and operacia=:operacia"),
    QStringLiteral("order by operacia")};
const QStringList OrderEntryInsert = insertOf(false);
const QStringList OrderEntryModify = modifyOf(false);

const QString OrderInfo =
    QStringLiteral("select c_vyr, nazov, odberatel, c_obj, mnoz_vyr from vZAKAZKYD where c_int=:c_int");
const QString OrderOperations =
    QStringLiteral("select c_operacie, operacia, profesia, a.MZDA, CAS_PRIP, CAS_JED, MZDAH\n"
                   "from ZakOperacie a\n   left join CTarifov on a.tarif=CTarifov.tarif\n"
                   "where c_int=:c_int\norder by c_operacie");
// A missing loss percentage counts as none; defects of later operations passed this one.
const QString OperationQuantities =
    QStringLiteral("select c_operacie, operacia, a.mnoz_vyr*(1+coalesce(o.p_straty,0)/100e0) as mnoz_vyr,"
                   "(select sum(mnozstvo) from SVykony where c_int=o.c_int and c_operacie=o.c_operacie) as mnoz_vyk,"
                   "(select sum(mnozstvo) from SVykony where c_int=o.c_int and c_operacie=(select max(c_operacie) from "
                   "ZakOperacie where c_int=o.c_int and c_operacie<o.c_operacie)) as mnoz_prev,"
                   "(select sum(zmatky) from SVykony where c_int=o.c_int and c_operacie>o.c_operacie) as mnoz_zma "
                   "from ZakazkyD a join ZakOperacie o on a.c_int=o.c_int "
                   "where o.c_int=:c_int and o.c_operacie between :c_operacie1 and :c_operacie2 order by o.c_operacie");
const QString ShiftHours =
    QStringLiteral("select sum(OHOD) from SVykony where osc=:osc and datum=:datum and zmena=:zmena");
const QString JobToProduce = QStringLiteral("select mnoz_vyr from ZakazkyD where c_int=:c_int");
const QString DispatchedOfJob =
    QStringLiteral("select sum(mnozstvo) from SVykony where c_int=:c_int and operacia='EXP'");

// The date, the shift's day and the factor are bound; amounts keep their cents.
const QString StornoInsert = QStringLiteral(
    "insert into SVykony "
    "(DATUM,ZMENA,STREDISKO,C_INT,C_DAVKY,C_OPERACIE,OPERACIA,OSC,NORMA,ZMATKY,MNOZSTVO,NHOD,MZDA)\n"
    "select cast(:datum as date),coalesce((select max(s.ZMENA) from SVykony s where s.osc=a.osc and "
    "s.datum=cast(:den_zmeny as date)), 1),STREDISKO,C_INT,cast(:c_davky as smallint),C_OPERACIE,OPERACIA,OSC,"
    "NORMA,0,cast(sum(-mnozstvo*cast(:f1 as double precision)) as integer),"
    "sum(-nhod*cast(:f2 as double precision)),round(sum(-mzda*cast(:f3 as double precision)), 2)\n"
    "from SVykony a\n"
    "where c_int=:c_int and operacia=:operacia and datum<=:datumdo and c_davky between :davky1 and :davky2\n"
    "group by stredisko,c_int,c_operacie,operacia,osc,norma");
const QString StornoCleanUp = QStringLiteral(
    "delete from SVykony where c_int=:c_int and datum between :datum1 and :datum2 and mnozstvo=0 and zmatky=0");
// Storno rows only: a negative quantity and no defects, never a booking of defects alone.
const QString StornoDeleteOfJob = QStringLiteral(
    "delete from SVykony where datum between :datumod and :datumdo and mzda<=0 and mnozstvo<0 and zmatky=0 "
    "and c_int=:c_int");
const QString StornoDeleteAll = QStringLiteral(
    "delete from SVykony where datum between :datumod and :datumdo and mzda<=0 and mnozstvo<0 and zmatky=0");
const QString OverviewWageTotal = QStringLiteral("select coalesce(sum(mzda),0) from vSVykony ");
const QString ConfirmationDetail =
    QStringLiteral("select operacia,sum(mnozstvo) as mnozstvo,sum(zmatky) as zmatky, sum(mzda) as mzda from SVykony "
                   "where c_int=:c_int and c_davky between :davky1 and :davky2 and datum<=:datumdo "
                   "group by c_operacie, operacia order by c_operacie");

QStringList ConfirmationMaster(bool batches, bool wholeJobs, bool oneJob)
{
    const QString g = batches ? QStringLiteral("z.c_int,v.c_davky") : QStringLiteral("z.c_int");
    QStringList columns{
        g,
        QStringLiteral("z.c_vyr"),
        QStringLiteral("z.mnoz_vyr as \"Objednané\""),
        QStringLiteral("sum(case operacia when 'EXP' then v.mnozstvo else 0 end) as \"Expedované\""),
        QStringLiteral("sum(case operacia when 'EXP' then v.mnozstvo*mzd1 else 0 end) as \"Mzda plán.\""),
        QStringLiteral("sum(v.mzda) as \"Mzda skut.\"")};
    QString line0 =
        QStringLiteral("select ") + columns.join(QLatin1Char(',')) + QStringLiteral(", sum(v.zmatky) as \"Zmätky\"");
    for (int i = 1; i <= 20; ++i)
        line0 += QStringLiteral(",sum(v.Z%1) as Z%1").arg(i, 2, 10, QLatin1Char('0'));
    line0 += QStringLiteral(",min(cena1) as Cena1, min(mzd1) as Mzdy1, min(Polozky.nazov) as \"Názov výr.\"");
    QString where = QStringLiteral("where ");
    if (wholeJobs)
        where += QStringLiteral("z.stav_zak>=90 and exists(select * from SVykony where c_int=z.c_int and datum between "
                                ":datumod and :datumdo) and not exists(select * from SVykony where c_int=z.c_int and "
                                "datum>:datumdo) ");
    else
        where += QStringLiteral("v.datum between :datumod and :datumdo ");
    if (oneJob)
        where += QStringLiteral(" and z.c_int=:c_int ");
    return {line0,
            QStringLiteral("from ZakazkyD z join SVykony v on z.c_int=v.c_int join ZakKalk on z.c_int=ZakKalk.c_int "
                           "join Polozky on z.c_vyr=Polozky.c_pol "),
            where, QStringLiteral("group by ") + g + QStringLiteral(",z.c_vyr,z.mnoz_vyr order by 4 desc")};
}

QStringList ConfirmationOperations(bool batches, bool inPeriod)
{
    QString where = QStringLiteral("where c_int=:c_int ");
    if (batches)
        where += QStringLiteral(" and c_davky=:c_davky ");
    if (inPeriod)
        where += QStringLiteral("and datum between :datumod and :datumdo ");
    return {QStringLiteral("select operacia,sum(mnozstvo) as mnozstvo,sum(zmatky) as zmatky, sum(mzda) as mzda "),
            QStringLiteral("from SVykony "), where, QStringLiteral("group by c_operacie, operacia "),
            QStringLiteral("order by c_operacie")};
}

QStringList All()
{
    QStringList all{OrderInfo,         OperationQuantities, ShiftHours,        DispatchedOfJob,
                    JobToProduce,      OrderOperations,     StornoInsert,      StornoCleanUp,
                    StornoDeleteOfJob, StornoDeleteAll,     ConfirmationDetail};
    all << OverviewWageTotal +
               QStringLiteral("where datum between :datumod and :datumdo  and osc=:osc and c_int=:c_int "
                              "and c_vyr=:c_vyr and operacia=:operacia")
        << OverviewWageTotal + QStringLiteral("where stav_zak<90 ");
    for (const QStringList *lines : {&PerformanceList, &PerformanceRefresh, &PerformanceInsert, &PerformanceModify,
                                     &PerformanceDelete, &OrderEntrySelect, &OrderEntryInsert, &OrderEntryModify})
        all << lines->join(QLatin1Char('\n'));
    for (const bool flag : {false, true}) {
        all << ConfirmationMaster(flag, flag, flag).join(QLatin1Char('\n'))
            << ConfirmationMaster(!flag, flag, !flag).join(QLatin1Char('\n'))
            << ConfirmationOperations(flag, flag).join(QLatin1Char('\n'));
    }
    return all;
}

} // namespace VykSql
