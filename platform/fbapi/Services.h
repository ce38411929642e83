// The services manager of a Firebird server: its version, and adding, changing and deleting the
// users of its security database. Needs a running server (not the embedded engine).
#pragma once

#include "ConnectParams.h"
#include "FbHandle.h"

#include <QString>

namespace fb {

class Services {
public:
    struct User {
        QString name;
        QString password; // empty: left as it is on modify
        QString firstName;
        QString middleName;
        QString lastName;
        bool admin = false;
    };

    Services() = default;
    Services(Services &&) noexcept = default;
    Services &operator=(Services &&) noexcept = default;
    ~Services();

    // host: "server" or "server/port"; params give the administrator's user name and password.
    void attach(const QString &host, const ConnectParams &params);
    void detach();
    bool isAttached() const { return bool(svc_); }

    QString serverVersion();
    void addUser(const User &user);
    void modifyUser(const User &user);
    void deleteUser(const QString &name);

    // The same calls with blocks built by the caller: attach to a services manager by its full name
    // ("host:service_mgr"), start an action and wait for its end, query items into an answer of at
    // most bufferSize bytes.
    void attachBlock(const QString &serviceName, const QByteArray &attachBlock);
    void startBlock(const QByteArray &actionBlock);
    QByteArray queryBlock(const QByteArray &items, int bufferSize);

private:
    Firebird::IService *checked() const;
    void userAction(unsigned char action, const User &user);
    // Starts an action and waits for it to end.
    void startAction(const unsigned char *block, unsigned length);
    // Reads the action's output until it ends, so its errors surface here.
    void waitForAction();

    Handle<Firebird::IService> svc_;
};

} // namespace fb
