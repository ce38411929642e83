// A transaction on one attachment (which must outlive it): read committed, record versions, wait
// for a locked record at most LockTimeoutSeconds by default, snapshot or read only on request; commit,
// commit retaining, rollback, savepoints.
#pragma once

#include "FbHandle.h"

#include <QString>

namespace fb {

class Attachment;

// How long a statement waits for a record another transaction holds before it fails with a lock
// time-out: long enough for a quick save at another workstation, short enough not to freeze the screen.
constexpr int LockTimeoutSeconds = 5;

class Transaction {
public:
    enum Option {
        Default = 0,  // read committed, record version, wait (LockTimeoutSeconds), read-write
        Snapshot = 1, // concurrency instead of read committed
        ReadOnly = 2,
        NoWait = 4,
    };

    Transaction() = default;
    explicit Transaction(Attachment &att, int options = Default) { start(att, options); }
    Transaction(Transaction &&) noexcept = default;
    Transaction &operator=(Transaction &&) noexcept = default;
    // An active transaction still open here is rolled back.
    ~Transaction();

    void start(Attachment &att, int options = Default);
    bool isActive() const { return bool(tra_); }
    void commit();
    void commitRetaining();
    void rollback();
    void rollbackRetaining();
    // Commits (full or retaining) of read-write transactions made in this process so far: each is a write
    // the engine must see to the disk.
    static long long Commits();

    // Lets go of a transaction whose connection is lost, without asking the server anything.
    void abandon() { tra_.reset(); }

    void savepoint(const QString &name);
    void releaseSavepoint(const QString &name);
    void rollbackToSavepoint(const QString &name);
    // Runs one statement without parameters or results inside this transaction.
    void execute(const QString &sql);

    Attachment *attachment() const { return att_; }
    Firebird::ITransaction *handle() const { return tra_.get(); }

private:
    Firebird::ITransaction *checked() const;

    Handle<Firebird::ITransaction> tra_;
    Attachment *att_ = nullptr;
    bool readOnly_ = false;
};

} // namespace fb
