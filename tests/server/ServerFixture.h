// Tests against Firebird's server on 127.0.0.1:3050: the administrator's password (ISC_PASSWORD, else
// the server's SYSDBA.password file), a database of the test's own made on the server in a folder the
// server's account may write and dropped afterwards, and connections of the data layer to it as
// several workstations. Skips with the reason when there is no server or no password.
#pragma once

#include "common/LocalServer.h"
#include "platform/fb/IBCustomDataSet.h"
#include "platform/fbapi/Attachment.h"

#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

class ServerTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Makes the test's database on the server and sets name: a small table T_ROW of two rows.
    virtual void makeDatabase();

    // One workstation: a connection with its default transaction.
    struct Workstation {
        TIBDatabase db;
        TIBTransaction tr;
        Workstation(const QString &name, const QString &password);
        // A table of this workstation, open, ordered by ID.
        std::unique_ptr<TIBTable> table(const QString &name);
        QVariant value(const QString &sql);
    };
    std::unique_ptr<Workstation> workstation();
    // An administrator's connection of its own, outside the data layer.
    fb::Attachment adminAttachment();
    fb::ConnectParams admin() const;
    // One value as a connection of its own reads it now (committed rows only).
    QVariant adminValue(const QString &sql);

    // Opens every access to a file or folder, for the server's account.
    static bool OpenToEveryone(const QString &path);

    QTemporaryDir dir;
    QString password;
    // "127.0.0.1:/tmp/.../server.fdb"
    QString name;
};
