#include "ConnectParams.h"

namespace fb {

ConnectParams ConnectParams::fromLines(const QStringList &lines)
{
    ConnectParams p;
    for (const QString &line : lines) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        const QString name = line.left(eq).trimmed().toLower();
        const QString value = line.mid(eq + 1).trimmed();
        if (name == u"user_name")
            p.userName = value;
        else if (name == u"password")
            p.password = line.mid(eq + 1); // a password keeps its blanks
        else if (name == u"lc_ctype")
            p.lcCtype = value;
        else if (name == u"sql_dialect")
            p.sqlDialect = value.toInt();
        else if (name == u"sql_role_name")
            p.role = value;
        else if (name == u"providers")
            p.providers = value;
    }
    return p;
}

QStringList ConnectParams::toLines() const
{
    QStringList out;
    if (!userName.isEmpty())
        out << QStringLiteral("user_name=") + userName;
    if (!password.isEmpty())
        out << QStringLiteral("password=") + password;
    // The two with defaults are written even when removed, so the lines read back the same.
    out << QStringLiteral("lc_ctype=") + lcCtype;
    out << QStringLiteral("sql_dialect=") + (sqlDialect > 0 ? QString::number(sqlDialect) : QString());
    if (!role.isEmpty())
        out << QStringLiteral("sql_role_name=") + role;
    if (!providers.isEmpty())
        out << QStringLiteral("providers=") + providers;
    return out;
}

} // namespace fb
