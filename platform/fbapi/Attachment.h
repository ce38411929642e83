// One connection to a database: a plain path opens the file through the embedded engine,
// "host:path" goes through that host's server.
#pragma once

#include "ConnectParams.h"
#include "FbHandle.h"

#include <QString>

namespace fb {

class Attachment {
public:
    Attachment() = default;
    Attachment(Attachment &&) noexcept = default;
    Attachment &operator=(Attachment &&) noexcept = default;
    ~Attachment();

    void attach(const QString &database, const ConnectParams &params = {});
    // Creates the database file (page size 8192, default character set WIN1250) and stays attached.
    static Attachment createDatabase(const QString &database, const ConnectParams &params = {});
    void detach();
    // Deletes the database file of this connection (no other connection may be open to it).
    void dropDatabase();
    bool isAttached() const { return bool(att_); }
    // Asks the server whether the connection still works (a round trip); false when it is lost.
    bool alive();
    // Closes this side of a lost connection at once, without a word to the server: every later call on it,
    // and releasing its transactions and statements, fails or ends at once instead of waiting for an answer
    // from a server that may never give one (one still ending a killed attachment does not). The server
    // rolls back what the connection left open.
    void cutOff();
    // Lets go of a lost connection without asking the server anything.
    void abandon()
    {
        cutOff();
        att_.reset();
    }

    // A statement without parameters or results (DDL and the like), in its own transaction.
    void executeImmediate(const QString &sql);

    QString serverVersion();
    // On-disk structure version: major (12 for Firebird 3).
    int odsVersion();
    // The database information answer to the items, at most bufferSize bytes.
    QByteArray info(const QByteArray &items, int bufferSize);

    int dialect() const { return dialect_; }
    Firebird::IAttachment *handle() const { return att_.get(); }

private:
    Firebird::IAttachment *checked() const;
    int infoInt(unsigned char item);

    Handle<Firebird::IAttachment> att_;
    int dialect_ = 3;
};

} // namespace fb
