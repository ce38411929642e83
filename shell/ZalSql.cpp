#include "ZalSql.h"

namespace ZalSql {

const QString Privileges = QStringLiteral("select RDB_PRIVILEGE, RDB_LEVEL\n"
                                          "from QPrivileges\n"
                                          "where RDB_USER=USER");
const QString SetOrderState = QStringLiteral("update ZAKAZKYD set stav_zak=:stav_zak where c_int=:c_int and stav_zak "
                                             "between :stav_zak_min and :stav_zak_max");
const QString HighestKey = QStringLiteral("select max(%1) from %2 where %1 between :min and :max");
const QString LargestItemCode = QStringLiteral("SELECT max(C_POL) FROM POLOZKY WHERE C_POL like :prefix");

QStringList All()
{
    return {Privileges, SetOrderState, HighestKey.arg(QStringLiteral("C_INT"), QStringLiteral("ZAKAZKYD")),
            LargestItemCode};
}

} // namespace ZalSql
