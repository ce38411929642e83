#include "CisSql.h"

namespace CisSql {

const QString SmallestCustomer = QStringLiteral("select min(C_ODB) from COdberatelov");
const QString LargestCustomer = QStringLiteral("select max(C_ODB) from COdberatelov");
const QString EmployeePerformances =
    QStringLiteral("select count(*) from SVykony where osc=:osc and datum>CURRENT_DATE-1095");
const QString EmployeeAttendance =
    QStringLiteral("select count(*) from SDochadzka where osc=:osc and datum>CURRENT_DATE-365");

const QString PickAll = QStringLiteral("select *");
const QString OrderPickFrom = QStringLiteral("from vZakazkyDKalk ");
const QString OrderPickOrder = QStringLiteral("order by termin desc, c_int desc");
const QString OrderPickJobs = QStringLiteral(
    "select c_int, c_vyr, nazov, odberatel, c_obj, termin, cena1, cena_kurz1, mena, mnoz_vyr-mnoz_odv \"Ešte "
    "vyrobiť\", mnoz_obj-mnoz_dod \"Ešte dodať\", mnoz_obj \"Množ.obj.\", mnoz_vyr \"Množ.vyr.\", mnoz_odv "
    "\"Množ.odv.\", mnoz_skl \"Množ.na sklade\", mnoz_dod \"Množ.dod.\"");
const QString OrderPickCustomerOrders = QStringLiteral(
    "select c_obj, odberatel, c_vyr, nazov, d_obj, c_odb, mnoz_obj \"Množ.obj.\", mnoz_odv \"Množ.odv.\", mnoz_skl "
    "\"Množ.na sklade\", mnoz_dod \"Množ.dod.\", cena_kurz1, mena");
const QString OrderPickByJob = QStringLiteral("where c_int=:c_int");
const QString OrderPickByOrder = QStringLiteral("where c_obj=:c_obj");
const QString OrderPickOpenOfCustomer = QStringLiteral("where c_odb=:c_odb and stav_zak<:stav_zak");
const QString ItemPickFrom = QStringLiteral("from POLOZKY");
const QString ItemPickOrder = QStringLiteral("order by C_POL");
const QString ItemPickByCode = QStringLiteral("where c_pol like :c_pol");
const QString ItemPickOfType = QStringLiteral("WHERE typ1 LIKE ");
const QString ItemInStore = QStringLiteral(" AND c_pol IN (SELECT c_pol FROM MSklady WHERE sklad=%1)");
const QString ItemOfCustomer = QStringLiteral(" AND c_pol IN (SELECT c_vyr FROM vZAKAZKYD WHERE c_odb=%1)");

QString PickStatement(const QString &select, const QString &from, const QString &where, const QString &order)
{
    return select + QLatin1Char('\n') + from + QLatin1Char('\n') + where + QLatin1Char('\n') + order;
}

const QString MessageUsers = QStringLiteral("select distinct RDB_USER from QUsers");
const QString NewMessages =
    QStringLiteral("select Msg_ID,Msg_user,Msg_title,Msg_data,Msg_Text,usr_vystav,d_vystav "
                   "from QMessages where d_vybav IS NULL and msg_user=USER and MSG_ID>:msg_id order by Msg_ID");
const QString MessagesReceived = QStringLiteral("update QMessages set d_prijmu=CURRENT_TIMESTAMP  where d_prijmu IS "
                                                "NULL and d_vybav IS NULL and msg_user=USER and MSG_ID>:msg_id");
const QString MessageHandled =
    QStringLiteral("update QMessages set d_vybav=CURRENT_TIMESTAMP, usr_vybav=USER where Msg_ID=:id");
const QString SendMessages =
    QStringLiteral("insert into QMessages (Msg_ID,Msg_utvar,Msg_user,Msg_data,Msg_title,Msg_text) "
                   "select GEN_ID(MSG_ID,1),RDB_UTVAR,RDB_USER,:Msg_data,:Msg_title,:Msg_text from QUsers ");
const QString SendToUser = QStringLiteral("where RDB_USER=:usr");
const QString SendToDepartment = QStringLiteral("where RDB_UTVAR=:utvar");

QStringList All()
{
    return {
        SmallestCustomer,
        LargestCustomer,
        EmployeePerformances,
        EmployeeAttendance,
        PickStatement(PickAll, OrderPickFrom, QString(), OrderPickOrder),
        PickStatement(OrderPickJobs, OrderPickFrom, OrderPickByJob, OrderPickOrder),
        PickStatement(OrderPickCustomerOrders, OrderPickFrom, OrderPickByOrder, OrderPickOrder),
        PickStatement(OrderPickCustomerOrders, OrderPickFrom, OrderPickOpenOfCustomer, OrderPickOrder),
        PickStatement(PickAll, ItemPickFrom, ItemPickByCode, ItemPickOrder),
        PickStatement(PickAll, ItemPickFrom,
                      ItemPickOfType + QStringLiteral("'V'") + ItemInStore.arg(QStringLiteral("'S1'")) +
                          ItemOfCustomer.arg(1),
                      ItemPickOrder),
        MessageUsers,
        NewMessages,
        MessagesReceived,
        MessageHandled,
        SendMessages,
        SendMessages + SendToUser,
        SendMessages + SendToDepartment,
    };
}

} // namespace CisSql
