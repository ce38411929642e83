// Whether a database server listens: a TCP connect within a short time, so the start never hangs.
#pragma once

#include <QString>

// The local Firebird server: 127.0.0.1, port 3050, 300 ms.
bool IsLocalServerListening();
bool IsServerListening(const QString &host, quint16 port, int timeoutMs);
