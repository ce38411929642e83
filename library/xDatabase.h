// TxDatabase: the program's connection, carrying the field catalogue its data sets apply, the password of
// the last log-in, and the server's services manager: server users added, deleted and given new
// passwords, the server's version and load, the database's on-disk structure. And the probe whether a
// local database server runs.
#pragma once

#include "ServiceBlocks.h"
#include "platform/fb/IBDatabase.h"
#include "platform/fbapi/Services.h"

#include <functional>

class TxDBCatalog;

// User actions of the services manager.
enum TServiceAction : unsigned char { saAddUser = 4, saDeleteUser = 5, saModifyUser = 6 };

class TxDatabase : public TIBDatabase {
public:
    // The catalogue applied to the data sets of this connection (may be none).
    TxDBCatalog *DBCatalog = nullptr;
    // The "user_name" of the connection parameters.
    QString UserName() const { return Params.Values(QStringLiteral("user_name")); }
    // The password typed at the last log-in (empty when none was shown); a password change keeps it.
    QString Password;

    // ---- the services manager of the server holding DatabaseName (ServiceManagerName), attached as
    // UserName with Password, or with the connection's "password" line when Password is empty. Every
    // failure raises the server's error; the calls below always detach again.
    void ServiceAttach();
    void ServiceDetach();
    // Attach, run the user action, detach; true when done.
    bool ServiceAction(unsigned char action, const QString &userName, const QString &password = QString());
    bool AddUser(const QString &userName, const QString &password);
    bool DeleteUser(const QString &userName);
    // False, without any server call, when oldPassword is not the one typed at log-in. Otherwise the
    // connected user's password becomes newPassword on the server and in this connection (Password and
    // the "password" line), so later calls and a second change log in with it. An empty new password is
    // refused (EDatabaseError).
    bool ChangePassword(const QString &oldPassword, const QString &newPassword);
    // The server's version and load; with versionOnly the version alone (its load is told to the server's
    // administrator alone, the version to every user).
    TServerInfo ServerInfo(bool versionOnly = false);
    // On-disk structure of the open database: 12.0 for Firebird 3.
    void OdsVersion(int &major, int &minor);

private:
    // Attach, the call, detach (also when the call fails).
    void withServices(const std::function<void()> &call);
    fb::Services services_;
};

// What the user reads when a user action cannot reach the server that keeps the users.
extern const QString UsersServerUnreachableMessage;

// Whether a Firebird server answers on this machine.
bool IsFirebirdServerRunning();
