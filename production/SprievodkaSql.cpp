#include "SprievodkaSql.h"

namespace SprievodkaSql {

const QString LastBatch = QStringLiteral("select C_DAVKY from ZAKAZKYD where C_INT=:c_int");
const QString TicketRows = QStringLiteral(
    "SELECT a.c_int, a.c_operacie, a.operacia, a.pracovisko, a.profesia, a.popis_op, a.cas_jed, a.mzda, a.norma, "
    "a.mnoz_vyr+a.mnoz_zma-a.mnoz_vyk as MNOZ_ZOST, a.c_obj, z.d_obj, a.c_vyr, a.nazov, a.material, a.odberatel, "
    "z.termin, z.mnoz_vyr, z.c_rev, z.tech_podm, z.poznamka, z.rozmer, z.c_vykresu, %1 as c_davky FROM vZAKOPERACIE a "
    "JOIN vZAKAZKYD z ON a.c_int=z.c_int WHERE a.c_int=%2 AND a.c_operacie<1000 ORDER BY a.c_operacie");
const QString StoreBatch =
    QStringLiteral("update ZAKAZKYD set C_DAVKY=:c_davky where C_INT=:c_int and coalesce(C_DAVKY,0)<:c_davky");

QStringList All()
{
    return {LastBatch, TicketRows.arg(1).arg(260001), StoreBatch};
}

} // namespace SprievodkaSql
