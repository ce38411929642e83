#include "ZalSql.h"

namespace ZalSql {

const QString Privileges = QStringLiteral("select RDB_PRIVILEGE, RDB_LEVEL\n"
                                          "from QPrivileges\n"
                                          "where RDB_USER=USER");
const QString SetOrderState = QStringLiteral("update ZAKAZKYD set stav_zak=:stav_zak where c_int=:c_int and stav_zak "
                                             "between :stav_zak_min and :stav_zak_max");
const QString HighestKey = QStringLiteral("select max(%1) from %2 where %1 between :min and :max");
const QString LargestItemCode =
    QStringLiteral("SELECT FIRST 1 trim(C_POL) FROM POLOZKY WHERE C_POL STARTING WITH :prefix "
                   "AND substring(trim(C_POL) FROM cast(:startAt AS integer)) SIMILAR TO '[0-9]+' "
                   "ORDER BY cast(substring(trim(C_POL) FROM cast(:startAt2 AS integer)) AS bigint) DESC, "
                   "char_length(trim(C_POL)) DESC");
const QString ItemMovementCount = QStringLiteral("select count(*) from MPohyby where C_POL=:c_pol");

QStringList All()
{
    return {Privileges, SetOrderState, HighestKey.arg(QStringLiteral("C_INT"), QStringLiteral("ZAKAZKYD")),
            LargestItemCode, ItemMovementCount};
}

} // namespace ZalSql
