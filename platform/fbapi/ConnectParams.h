// The parameters of a database connection: user, password, character set, SQL dialect, role,
// read from the "name=value" lines a connection keeps.
#pragma once

#include <QString>
#include <QStringList>

namespace fb {

struct ConnectParams {
    QString userName;
    QString password;
    QString lcCtype = QStringLiteral("WIN1250");
    int sqlDialect = 3; // 0: not sent
    QString role;
    // The client library's providers the connection may go through ("Engine12": the embedded engine alone);
    // empty: every one the library is set up with.
    QString providers;

    // Lines "user_name=...", "password=...", "lc_ctype=...", "sql_dialect=...", "sql_role_name=...",
    // "providers=..." (names case-insensitive) change the defaults; an empty value removes the parameter.
    // Other names are ignored.
    static ConnectParams fromLines(const QStringList &lines);
    QStringList toLines() const;
};

} // namespace fb
