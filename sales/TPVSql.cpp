#include "TPVSql.h"

namespace TPVSql {

const QString StockOfItem = QStringLiteral("SELECT sum(mnozstvo) FROM MSklady WHERE c_pol=:c_pol");

QStringList All()
{
    return {StockOfItem};
}

} // namespace TPVSql
