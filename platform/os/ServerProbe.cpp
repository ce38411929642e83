#include "ServerProbe.h"

#include <QTcpSocket>

bool IsLocalServerListening()
{
    return IsServerListening(QStringLiteral("127.0.0.1"), 3050, 300);
}

bool IsServerListening(const QString &host, quint16 port, int timeoutMs)
{
    QTcpSocket socket;
    socket.connectToHost(host, port);
    const bool connected = socket.waitForConnected(timeoutMs);
    socket.abort();
    return connected;
}
