// What the program asks the server's services manager and the database of their information, and the reading
// of the answers: each item found by its tag and read within the answer's bounds. (The attach and user action
// blocks are built by fb::Services.)
#pragma once

#include <QByteArray>
#include <QString>

// The services manager that serves a database name: "service_mgr" for a local file ("/data/x.fdb",
// "C:\data\x.fdb"), otherwise the server part before the first ':' + ":service_mgr" ("host:service_mgr",
// "host/3051:service_mgr").
QString ServiceManagerName(const QString &databaseName);
// Whether a database name is served by a server, not opened by the embedded engine: a server part before
// the first ':' (as ServiceManagerName takes it) or a protocol ("inet://host/...", "wnet://", "xnet://").
bool IsServerDatabaseName(const QString &databaseName);

// What the services manager tells of the server.
struct TServerInfo {
    QString Version;
    int NumAttachments = 0;
    int NumDatabases = 0;
};

// The items the server information is asked for: the server version and, unless only the version is asked
// for, the database cluster (which the server tells its administrator alone).
QByteArray ServerInfoRequest(bool versionOnly = false);
// Reads the answer to ServerInfoRequest item by item; an item running past the answer's end stops the
// reading with what was read so far (a truncated answer gives fewer facts, never bytes from beyond it).
TServerInfo ParseServerInfo(const QByteArray &answer);

// The items the on-disk structure version is asked for (major, minor).
QByteArray OdsInfoRequest();
// Reads major and minor from a database information answer; an item missing or cut off leaves 0.
void ParseOdsInfo(const QByteArray &answer, int &major, int &minor);
