// Whether the local Firebird server (127.0.0.1:3050) is there for the tests that need it, and its
// administrator's password: ISC_PASSWORD, else the server's SYSDBA.password file. Every such test decides
// by these, so they all run or all skip on a machine.
#pragma once

#include "platform/os/ServerProbe.h"

#include <QFile>
#include <QRegularExpression>
#include <QString>

// Whether something listens on the local Firebird port (a short, bounded connect).
inline bool LocalServerAnswers()
{
    return IsLocalServerListening();
}

// The server administrator's password, empty when it cannot be read.
inline QString ServerAdminPassword()
{
    const QString fromEnv = qEnvironmentVariable("ISC_PASSWORD");
    if (!fromEnv.isEmpty())
        return fromEnv;
    QFile file(QStringLiteral("/etc/firebird/3.0/SYSDBA.password"));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    static const QRegularExpression line(QStringLiteral("^\\s*ISC_PASSWORD\\s*=\\s*\"?([^\"\\n]*)\"?\\s*$"),
                                         QRegularExpression::MultilineOption);
    const auto m = line.match(QString::fromUtf8(file.readAll()));
    return m.hasMatch() ? m.captured(1) : QString();
}

// Why the server tests cannot run here (no server, no password: the skip message), empty when they can;
// password gets the administrator's password.
inline QString ServerUnavailable(QString &password)
{
    if (!LocalServerAnswers())
        return QStringLiteral("no Firebird server answers on 127.0.0.1:3050 (scripts/firebird-server.sh starts one)");
    password = ServerAdminPassword();
    if (password.isEmpty())
        return QStringLiteral("the server administrator's password is unknown: set ISC_PASSWORD or make "
                              "/etc/firebird/3.0/SYSDBA.password readable");
    return QString();
}
