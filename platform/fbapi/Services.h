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

    // The longest user name or password the blocks carry (one length byte in the attach block).
    static constexpr int TextLimit = 255;
    // The blocks, built by the client library: the attach block (user name, password) and a user action block
    // (add 4, delete 5, modify 6: the user name, and the password only when one is given). A name or password
    // longer than TextLimit bytes (WIN1250), or a blank user name, throws EDatabaseError before anything is
    // built or called.
    static QByteArray AttachBlock(const QString &userName, const QString &password);
    static QByteArray UserActionBlock(unsigned char action, const QString &userName, const QString &password = {});

    // host: "server" or "server/port"; params give the administrator's user name and password.
    void attach(const QString &host, const ConnectParams &params);
    // Attaches to a services manager by its full name ("host:service_mgr", "service_mgr").
    void attachManager(const QString &serviceName, const QString &userName, const QString &password);
    void detach();
    bool isAttached() const { return bool(svc_); }

    QString serverVersion();
    void addUser(const User &user);
    void modifyUser(const User &user);
    void deleteUser(const QString &name);

    // Starts an action (a block of UserActionBlock) and waits for its end; queries items into an answer of at
    // most bufferSize bytes.
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
