#include "TPVSql.h"

namespace TPVSql {

const QString StockOfItem = QStringLiteral("SELECT sum(mnozstvo) FROM MSklady WHERE c_pol=:c_pol");

// Only the standard route (postup ''), so one route row per operation; no row keeps the job's time.
const QString PushUnitTimes = QStringLiteral(
    "EXECUTE BLOCK AS DECLARE VARIABLE c_int INTEGER; BEGIN FOR SELECT c_int FROM ZakazkyD WHERE c_vyr=%1 and "
    "stav_zak<%2 INTO :c_int DO BEGIN UPDATE ZakOperacie a SET cas_jed=COALESCE((select t.CAS_JED from TOperacie t "
    "join ZAKAZKYD z on t.c_vyr=z.c_vyr where z.c_int=a.c_int and t.postup='' and t.c_operacie=a.c_operacie and "
    "t.operacia=a.operacia), a.cas_jed) WHERE a.c_int=:c_int; EXECUTE PROCEDURE ZakKalk_Kalkulacia :c_int; END END");
const QString RecalculatePrice = QStringLiteral("execute procedure POLOZKY_CENA_KALK :c_pol, :vratane");
const QString ProductCalculation = QStringLiteral("select * from POLOZKY_KALKULACIA(:c_pol)");
const QString BomItemsOf =
    QStringLiteral("select c_vyr, c_pol from TKusovnik where c_vyr in (%1) order by c_vyr, c_pozicie");
const QString ProductExists = QStringLiteral("select count(*) from POLOZKY where c_pol=:c_pol");

QStringList All()
{
    return {StockOfItem,
            PushUnitTimes.arg(QStringLiteral("'V1'")).arg(100),
            RecalculatePrice,
            ProductCalculation,
            BomItemsOf.arg(QStringLiteral("'V1'")),
            ProductExists};
}

} // namespace TPVSql
