// TDMUsers (global DMUsers): the users of the system and their module privileges, mirrored into the
// server's grants; new users are made on the server, deleted ones removed there.
#pragma once

#include "library/xTable.h"
#include "platform/db/DataSource.h"

#include <QString>

class TDMUsers {
public:
    TDMUsers();
    ~TDMUsers();
    TDMUsers(const TDMUsers &) = delete;
    TDMUsers &operator=(const TDMUsers &) = delete;

    TxTable QUsers; // QUSERS by user name
    TDataSource DSQUsers;
    TxTable QPrivileges; // QPRIVILEGES of the current user
    TDataSource DSQPrivileges;
    TxTable QActions; // QACTIONS by description
    TDataSource DSQActions;

    // Takes the server's grantees in as users, opens the three tables, seeds the empty ones (SYSDBA, the
    // module words, SYSDBA's privileges).
    void Open();
    void Close();
    // The user of the current row ("" when none).
    QString CurrentUser() const;

    // Whether a server keeps this connection's users, so that new ones can be made: set by Open. The
    // embedded engine of a local database file keeps none of its own.
    bool UsersOnServer = false;
    // What a new user on a connection without a server is refused with.
    static QString LocalUsersText();

    // A new user: the typed name upper-cased is the name, password his first password; made on the server
    // first, then listed. False when nothing was typed; a name that is no valid user name, and a password
    // that NewPasswordProblem refuses, are refused with a message.
    bool NewUser(const QString &typed, const QString &password);
    // Why the typed name cannot be a new user: listed already (the message says so); empty when it can.
    QString TakenNameProblem(const QString &typed);
    // Why password cannot be a password of the user typed as name, his first or a changed one (empty, his
    // name in any letter case, a letter beyond ASCII, shorter than MinPasswordLength); empty when it can.
    static QString NewPasswordProblem(const QString &name, const QString &password);
    static constexpr int MinPasswordLength = 8;
    // After a question: the server user removed (on a served database), then every privilege row of the
    // current user set to "Nič" (revoking its rights) and the user row deleted; a failed server call leaves
    // all of them. SYSDBA is never deleted.
    void DeleteCurrentUser();
    // The objects the server grants the current user rights on, each followed by ", ".
    QString CurrentUserObjects();

    // Brings the server rights of user in line after his row for word got level (Grants.h).
    void GrantModule(const QString &user, const QString &word, int level);

private:
    void privilegeFields(TDataSet *dataSet);
    void privilegeNewRecord(TDataSet *dataSet);
    void privilegeBeforePost(TDataSet *dataSet);
    void privilegeAfterPost(TDataSet *dataSet);
};

extern TDMUsers *DMUsers;
