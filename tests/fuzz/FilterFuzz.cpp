// The filter edits' typed text: whatever is typed stays one value in the condition built of it, never SQL
// of its own.
#include "FuzzSupport.h"

#include "library/SqlLiteral.h"

namespace {

// The condition outside its string literals, or a mark when a literal is left open.
QString OutsideLiterals(const QString &sql)
{
    QString outside;
    bool inside = false;
    for (qsizetype i = 0; i < sql.size(); ++i) {
        if (sql[i] == QLatin1Char('\'')) {
            if (inside && i + 1 < sql.size() && sql[i + 1] == QLatin1Char('\''))
                ++i;
            else
                inside = !inside;
        } else if (!inside) {
            outside += sql[i];
        }
    }
    return inside ? QStringLiteral("\x01open literal") : outside;
}

// The typed text reached the statement as SQL: a literal left open, a second statement or a comment.
bool Escaped(const QString &sql)
{
    const QString outside = OutsideLiterals(sql);
    return outside.contains(QLatin1Char('\x01')) || outside.contains(QLatin1Char(';')) ||
           outside.contains(QStringLiteral("--")) || outside.contains(QStringLiteral("/*"));
}

const TFieldType Types[] = {ftString, ftFixedChar, ftSmallint, ftInteger, ftLargeint, ftFloat, ftDate, ftDateTime};
const char *const Conditions[] = {
    "NAZOV like '?%'",  "upper(NAZOV) like upper('%?%')", "ICO=?", "d_vystav>=?", "CISLO=#",
    "CISLO=# or ZAK=#", "ODB=? or NAZOV like '%?%'"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzz::Start();
    const QString typed = QString::fromUtf8(fuzz::Bytes(data, size)).left(512);
    fuzz::Require(!Escaped(SqlLiteral(typed)));
    fuzz::Require(!Escaped(SqlLikePrefix(typed)));
    fuzz::Require(!Escaped(SqlNumberOrNull(typed)));
    for (TFieldType type : Types) {
        fuzz::Require(!Escaped(SqlLiteral(typed, type)));
        // A text the dialogs let through makes a condition of one value.
        if (FieldConditionError(type, typed).isEmpty())
            fuzz::Require(!Escaped(FieldCondition(QStringLiteral("POLE"), type, typed)));
        for (const char *condition : Conditions) {
            QString where = QStringLiteral("ROK=2026");
            AddFilterCondition(where, QString::fromLatin1(condition), typed, type);
            fuzz::Require(!Escaped(where));
        }
    }
    return 0;
}
