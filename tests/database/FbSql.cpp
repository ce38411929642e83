#include "FbSql.h"

#include "platform/fbapi/Blob.h"
#include "platform/fbapi/Decode.h"
#include "platform/fbapi/Statement.h"

FbSql::FbSql(const QString &path)
{
    fb::ConnectParams params;
    params.userName = QStringLiteral("SYSDBA");
    att_.attach(path, params);
    tr_.start(att_);
}

FbSql::~FbSql()
{
    try {
        if (tr_.isActive())
            tr_.rollback();
        att_.detach();
    } catch (...) {
        // The test is over; its database goes with it.
    }
}

void FbSql::exec(const QString &sql)
{
    tr_.execute(sql);
}

QStringList FbSql::row(const QString &sql)
{
    fb::Statement statement;
    statement.prepare(tr_, sql);
    statement.openCursor(tr_);
    QStringList result;
    if (statement.fetchNext()) {
        for (const fb::Column &column : statement.outputs()) {
            const QVariant value = fb::decode(column, statement.row());
            // A text blob (as LIST gives) is read whole; numbers in their shortest form.
            result << (value.userType() == qMetaTypeId<fb::BlobId>() ? fb::readTextBlob(tr_, value.value<fb::BlobId>())
                                                                     : value.toString());
        }
    }
    statement.closeCursor();
    return result;
}

QString FbSql::value(const QString &sql)
{
    const QStringList r = row(sql);
    return r.isEmpty() ? QString() : r.first();
}

double FbSql::number(const QString &sql)
{
    return value(sql).trimmed().toDouble();
}

void FbSql::commit()
{
    tr_.commitRetaining();
}
