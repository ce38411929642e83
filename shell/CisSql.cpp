#include "CisSql.h"

#include "library/SqlLiteral.h"

namespace CisSql {

const QString SmallestCustomer = QStringLiteral("select min(C_ODB) from COdberatelov where C_ODB<0");
const QString LargestCustomer = QStringLiteral("select max(C_ODB) from COdberatelov where C_ODB>0");
namespace {
QString customerNamedIn(const QString &rows)
{
    return QStringLiteral("select count(*) from RDB$DATABASE where exists (select 1 from %1 and C_ODB=:c_odb)")
        .arg(rows);
}
} // namespace
const QString CustomerOrders = customerNamedIn(QStringLiteral("ZAKAZKY where TYP_OBJ<>'P'"));
const QString CustomerOffers = customerNamedIn(QStringLiteral("ZAKAZKY where TYP_OBJ='P'"));
const QString CustomerNotes = customerNamedIn(QStringLiteral("EDLISTY where 1=1"));
const QString CustomerItems = customerNamedIn(QStringLiteral("POLOZKY where 1=1"));
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
const QString ItemPickOfType = QStringLiteral("WHERE typ1 LIKE %1");
const QString ItemInStore = QStringLiteral(" AND c_pol IN (SELECT c_pol FROM MSklady WHERE sklad=%1)");
const QString ItemOfCustomer = QStringLiteral(" AND c_pol IN (SELECT c_vyr FROM vZAKAZKYD WHERE c_odb=%1)");

const QString And = QStringLiteral(" and ");
const QString CustomerNameLike = QStringLiteral("odberatel like %1");
const QString CustomerIcoLike = SqlAsText(QStringLiteral("ICO")) + QStringLiteral(" like %1");
const QString CustomerCityLike = QStringLiteral("MESTO like %1");
const QString CustomerNumberIs = QStringLiteral("C_ODB=%1");
const QString CustomerIcoIs = QStringLiteral("ICO=%1");
const QString CustomerNotProvisional = QStringLiteral("C_ODB>0 ");
const QString OrderPickWhere = QStringLiteral("where %1");
const QString JobStateBelow = QStringLiteral("stav_zak<%1");
const QString JobStateBetween = QStringLiteral("stav_zak between %1 and %2");
const QString JobProductLike = QStringLiteral("c_vyr like %1");
const QString JobNameLike = QStringLiteral("nazov like %1");
const QString JobCustomerIs = QStringLiteral("c_odb=%1");
const QString JobOrderLike = QStringLiteral("c_obj like %1");
const QString JobProductIs = QStringLiteral("c_vyr=%1");
const QString JobOrderIs = QStringLiteral("c_obj=%1");
const QString JobOpenOfProductAndCustomer = QStringLiteral("c_vyr=%1 and c_odb=%2 and stav_zak<%3");
const QString ItemColumnLike = QStringLiteral(" AND %1 LIKE %2");
const QString EmployeeNumberIs = QStringLiteral("osc=:osc");

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
const QString SendMessages = QStringLiteral("insert into QMessages (Msg_utvar,Msg_user,Msg_data,Msg_title,Msg_text) "
                                            "select RDB_UTVAR,RDB_USER,:Msg_data,:Msg_title,:Msg_text from QUsers ");
const QString SendToUser = QStringLiteral("where RDB_USER=:usr");
const QString SendToDepartment = QStringLiteral("where RDB_UTVAR=:utvar");
const QString KeyFields = QStringLiteral(
    "select s.RDB$FIELD_NAME from RDB$RELATION_CONSTRAINTS c join RDB$INDEX_SEGMENTS s "
    "on s.RDB$INDEX_NAME = c.RDB$INDEX_NAME where c.RDB$RELATION_NAME = :t and c.RDB$CONSTRAINT_TYPE = 'PRIMARY KEY'");

QStringList All()
{
    // The filters' conditions with sample values, so the columns they name are checked too.
    const auto literal = [](const char *text) { return SqlLiteral(QString::fromUtf8(text)); };
    const QString jobs =
        QStringList{JobStateBelow.arg(100),
                    JobStateBetween.arg(QStringLiteral("40"), QStringLiteral("89")),
                    JobProductLike.arg(literal("V%")),
                    JobNameLike.arg(literal("%x%")),
                    JobCustomerIs.arg(1),
                    JobOrderLike.arg(literal("Z%")),
                    JobProductIs.arg(literal("V1")),
                    JobOrderIs.arg(literal("Z1")),
                    JobOpenOfProductAndCustomer.arg(literal("V1"), QStringLiteral("1"), QStringLiteral("100"))}
            .join(And);
    const QString items = ItemPickOfType.arg(literal("V")) + ItemInStore.arg(literal("S1")) + ItemOfCustomer.arg(1) +
                          ItemColumnLike.arg(QStringLiteral("nazov"), literal("%x%"));
    const QString customers = QStringList{CustomerNameLike.arg(literal("%x%")),
                                          CustomerIcoLike.arg(literal("1%")),
                                          CustomerCityLike.arg(literal("x%")),
                                          CustomerNumberIs.arg(1),
                                          CustomerIcoIs.arg(1),
                                          CustomerNotProvisional}
                                  .join(And);
    const QString employees = EmployeeNumberIs + And + QuickSearch(QStringLiteral("PRIEZVISKO"), ftString, "x");
    return {
        KeyFields,
        SmallestCustomer,
        LargestCustomer,
        CustomerOrders,
        CustomerOffers,
        CustomerNotes,
        CustomerItems,
        EmployeePerformances,
        EmployeeAttendance,
        PickStatement(PickAll, OrderPickFrom, QString(), OrderPickOrder),
        PickStatement(OrderPickJobs, OrderPickFrom, OrderPickByJob, OrderPickOrder),
        PickStatement(OrderPickCustomerOrders, OrderPickFrom, OrderPickByOrder, OrderPickOrder),
        PickStatement(OrderPickCustomerOrders, OrderPickFrom, OrderPickOpenOfCustomer, OrderPickOrder),
        PickStatement(OrderPickJobs, OrderPickFrom, OrderPickWhere.arg(jobs), OrderPickOrder),
        PickStatement(PickAll, ItemPickFrom, ItemPickByCode, ItemPickOrder),
        PickStatement(PickAll, ItemPickFrom, items, ItemPickOrder),
        QStringLiteral("select * from CODBERATELOV where ") + customers,
        QStringLiteral("select * from CZAMESTNANCOV where ") + employees,
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
