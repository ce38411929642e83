// The server rights that the module privileges of a user stand for: which tables and procedures each
// module word covers, and the GRANT and REVOKE statements that give a user, for every object a change
// touches, the highest level any of his privilege rows gives it.
#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// Privilege levels of QPRIVILEGES.RDB_LEVEL (3 is used only for what "System" passes on: all, with the
// right to grant it further).
enum TPrivilegeLevel { plNone = 0, plRead = 1, plAll = 2, plAllWithGrant = 3 };

// The text a level is shown with: "Nič   ", "Čítať ", "Všetko", "?    " for others.
QString PrivilegeLevelText(int level);
// A typed level ("Nič", "Čítať", "Všetko", blanks around ignored); -1 for any other text.
int PrivilegeLevelOf(const QString &text);

// Whether a name may be a user of the system (and be written into GRANT statements): a letter, then up
// to 30 letters, digits, '_' or '$'.
bool IsValidUserName(const QString &name);
// The message that refuses any other name.
extern const QString InvalidUserNameText;

// The module words with their descriptions, as QACTIONS is seeded.
const QList<QPair<QString, QString>> &ModuleWords();

using TPrivilegeRows = QList<QPair<QString, int>>; // module word, level

// The statements that bring the server rights of `user` in line after his row for `word` got `level`:
// every table and procedure the word covers (for "System", the words it passes on) gets the highest level
// that any row of `rows` gives it (the row for `word` counted with `level`). None for SYSDBA. A user name
// that IsValidUserName refuses throws EDatabaseError.
QStringList GrantStatements(const QString &user, const QString &word, int level, const TPrivilegeRows &rows);
