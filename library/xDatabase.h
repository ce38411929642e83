// TxDatabase: the program's connection, carrying the field catalogue its data sets apply; and the
// probe whether a local database server runs.
#pragma once

#include "platform/fb/IBDatabase.h"

class TxDBCatalog;

class TxDatabase : public TIBDatabase {
public:
    // The catalogue applied to the data sets of this connection (may be none).
    TxDBCatalog *DBCatalog = nullptr;
    // The "user_name" of the connection parameters.
    QString UserName() const { return Params.Values(QStringLiteral("user_name")); }
};

// Whether a Firebird server answers on this machine.
bool IsFirebirdServerRunning();
