// The database log-in: a user name and a password asked through the message facade, so tests can
// answer it; the password change asks it again with its own titles.
#pragma once

#include <QString>

// Asks for the user name (unless userFixed) and the password of a database; databaseName is shown as the
// first line. On OK both are set and true is returned; on cancel nothing changes.
bool LoginDialog(const QString &databaseName, QString &userName, QString &password, bool userFixed = false);
