#include "AdminSql.h"

namespace AdminSql {

const QString OtherAttachments = QStringLiteral(
    "select count(*) from MON$ATTACHMENTS where MON$ATTACHMENT_ID<>CURRENT_CONNECTION and MON$SYSTEM_FLAG=0");
const QString DeleteZeroStock = QStringLiteral("delete from MSklady where mnozstvo=0");
const QString DeleteOldMessages = QStringLiteral("delete from QMessages where d_vystav<:d_vystav");
const QString ActiveTriggers =
    QStringLiteral("select RDB$TRIGGER_NAME from RDB$TRIGGERS where (RDB$SYSTEM_FLAG=0 or RDB$SYSTEM_FLAG is null) "
                   "and RDB$FLAGS=1 and RDB$TRIGGER_INACTIVE=0");
const QString TriggerInactive = QStringLiteral("alter trigger %1 inactive");
const QString TriggerActive = QStringLiteral("alter trigger %1 active");
const QList<TPurge> Purges{
    {"SVykony: %1", QStringLiteral("delete from SVykony where datum<:datum")},
    {"SOdvody: %1", QStringLiteral("delete from SOdvody where datum<:datum")},
    {"SDochadzka: %1", QStringLiteral("delete from SDochadzka where datum<:datum")},
    {nullptr, QStringLiteral("delete from SMzdy where rok<extract(year from cast(:datum as date))")},
    {"MPohyby: %1", QStringLiteral("delete from MPohyby where datum<:datum")},
    {"EDListy: %1", QStringLiteral("delete from EDListy where d_vystav<:datum")},
};
const QString DeleteOrphanMoulds =
    QStringLiteral("delete from PolozkyKokily where not exists(select * from Polozky where c_pol=PolozkyKokily.c_pol)");
const QString DeleteOrphanStock =
    QStringLiteral("delete from MSklady where not exists(select * from Polozky where c_pol=MSklady.c_pol)");
const QString DeleteOldOrders = QStringLiteral("delete from Zakazky where d_vystav<:d_vystav");
const QString Indices = QStringLiteral("select RDB$INDEX_NAME from RDB$INDICES");
const QString IndexInactive = QStringLiteral("alter index %1 inactive");
const QString IndexActive = QStringLiteral("alter index %1 active");
const QString IndexStatistics = QStringLiteral("set statistics index %1");

namespace {
const QString AverageHours =
    QStringLiteral("(select sum(60*ohod)/sum(mnozstvo) from vSVykony where c_vyr=a.c_vyr and c_operacie=a.c_operacie "
                   "and operacia=a.operacia and datum>=:datum and ohod>0 and mnozstvo>0)");
}

const QString UpdateTechnologyHours =
    QStringLiteral("UPDATE TOperacie a SET cas_jed=%1 WHERE cas_stroj=0 AND (cas_jed=0 OR operacia not in ('ODL')) "
                   "AND %1 is not null")
        .arg(AverageHours);
const QString UpdatePerformanceHours =
    QStringLiteral("update SVykony set nhod=coalesce((select cas_jed from ZakOperacie where c_int=SVykony.c_int and "
                   "c_operacie=SVykony.c_operacie)*mnozstvo/60, nhod) where datum>=:datum");
const QString UpdatePerformanceWages = QStringLiteral(
    "update SVykony set mzda=coalesce(nhod*(select c.MzdaH from ZakOperacie o join CTarifov c on o.tarif=c.tarif "
    "where c.MzdaH<>0 and o.c_int=SVykony.c_int and o.c_operacie=SVykony.c_operacie), mzda) where datum>=:datum");

const QString MarkHandedOver = QStringLiteral(
    "update ZakazkyD set stav_zak=:stav_zak where stav_zak<:stav_zak and mnoz_vyr<=(select sum(mnozstvo) from "
    "SOdvody where c_int=ZakazkyD.c_int)");
const QString MarkDelivered = QStringLiteral(
    "update ZakazkyD set stav_zak=:stav_zak where stav_zak<:stav_zak and mnoz_obj<=(select sum(mnoz_vyr) from "
    "EDListyD where c_int=ZakazkyD.c_int)");
const QString FinishedNotHandedOver =
    QStringLiteral("select c_int, c_vyr from ZakazkyD a where stav_zak=100 and termin>CURRENT_DATE-30 and "
                   "mnoz_vyr>coalesce((select sum(mnozstvo) from SOdvody where c_int=a.c_int),0)");

const QString ImportServerUsers = QStringLiteral(
    "insert into QUsers (RDB_USER) select distinct trim(RDB$USER) from RDB$USER_PRIVILEGES a where not exists "
    "(select * from QUsers where RDB_USER=a.RDB$USER) and RDB$USER<>'PUBLIC' and RDB$USER_TYPE=8");
const QString UserLevels = QStringLiteral("select RDB_PRIVILEGE, RDB_LEVEL from QPRIVILEGES where RDB_USER=:rdb_user");
const QString UserListed = QStringLiteral("select count(*) from QUSERS where RDB_USER=:rdb_user");
const QString UserObjects =
    QStringLiteral("select distinct RDB$RELATION_NAME from RDB$USER_PRIVILEGES where RDB$USER=:rdb_user");

QStringList All()
{
    QStringList all{OtherAttachments, DeleteZeroStock, DeleteOldMessages, ActiveTriggers};
    for (const TPurge &p : Purges)
        all << p.Sql;
    all << DeleteOrphanMoulds << DeleteOrphanStock << DeleteOldOrders << Indices
        << IndexStatistics.arg(QStringLiteral("RDB$PRIMARY1")) << UpdateTechnologyHours << UpdatePerformanceHours
        << UpdatePerformanceWages << MarkHandedOver << MarkDelivered << FinishedNotHandedOver << ImportServerUsers
        << UserLevels << UserListed << UserObjects;
    return all;
}

} // namespace AdminSql
