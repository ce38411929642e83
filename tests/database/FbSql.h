// A small SQL runner for the database tests over the program's own Firebird client (platform/fbapi):
// one embedded attachment as SYSDBA with one transaction; statements run and return their first row.
#pragma once

#include "platform/fbapi/Attachment.h"
#include "platform/fbapi/Transaction.h"

#include <QString>
#include <QStringList>

class FbSql {
public:
    // Attaches to the database file; throws EIBError when it cannot.
    explicit FbSql(const QString &path);
    ~FbSql();
    FbSql(const FbSql &) = delete;
    FbSql &operator=(const FbSql &) = delete;

    // Runs a statement without parameters; throws EIBError with the server's message.
    void exec(const QString &sql);
    // The first row of a select, every column as text (null as an empty text); no row: empty list.
    QStringList row(const QString &sql);
    QString value(const QString &sql);
    double number(const QString &sql);
    void commit();

private:
    fb::Attachment att_;
    fb::Transaction tr_;
};
