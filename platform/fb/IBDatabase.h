// TIBDatabase: the one connection to a Firebird database (embedded file or "host:path"), with its
// connection parameters and log-in; TIBTransaction: the transaction its data sets run in, with the idle
// timer that commits; TSavepoint: the scope of an all-or-nothing save.
#pragma once

#include "platform/db/DataSet.h"
#include "platform/fbapi/Attachment.h"
#include "platform/fbapi/PackedRow.h"
#include "platform/fbapi/Statement.h"
#include "platform/fbapi/Transaction.h"
#include "platform/os/Strings.h"

#include <QString>
#include <QTimer>
#include <QMultiHash>
#include <functional>
#include <list>
#include <memory>
#include <vector>

class TDataSet;
class TIBCustomDataSet;
class TIBTransaction;

// A statement prepared on a connection, with what is derived from it: the names of its parameters in the
// order of its '?' and, once a data set has opened it, the definitions of its result's fields (their names
// made unique), so a data set opening it again derives none of this anew.
struct TPreparedStatement {
    QString Text; // as the data set gives it, with :name parameters
    fb::Statement Statement;
    QStringList Names;
    std::shared_ptr<const std::vector<TFieldDef>> FieldDefs;
    // How its rows are kept (see fb::PackedRow), made with the definitions.
    std::shared_ptr<const fb::PackedRow> Packed;
    // The connection's statement generation it was prepared in (see TIBDatabase::BorrowStatement).
    quint64 Generation = 0;
};

class TIBDatabase {
public:
    TIBDatabase();
    virtual ~TIBDatabase();
    TIBDatabase(const TIBDatabase &) = delete;
    TIBDatabase &operator=(const TIBDatabase &) = delete;

    QString Name;
    // A file path (embedded engine) or "host:path" (a server).
    QString DatabaseName;
    // "name=value" lines: user_name, password, lc_ctype, sql_dialect, sql_role_name.
    TStringList Params;
    bool LoginPrompt = false;
    int SQLDialect = 3;

    // False once a call has found the connection lost (the handles are then dropped).
    bool Connected() const;
    // After a call that failed for a lost connection: asks the server once and, when the connection is
    // gone, lets go of it (no data set is then left open on it; the next use connects again). With known
    // (the error itself said the connection is gone: a network error, a shut-down attachment) it lets go
    // without asking: a server still ending a killed attachment may not answer at all.
    // Data sets holding what the user typed (a row in edit or insert, cached changes not stored) stay open
    // through it with their masters and the rows they hold; only their statements are let go of, so the next
    // save connects again and writes them.
    void LetGoIfLost(bool known = false);
    void Open();
    // Closes every data set, ends the transactions (commit) and detaches. When the connection turns
    // out lost, the handles are dropped all the same and the error (in Slovak) goes to the caller.
    void Close();
    void CloseDataSets();
    // Throws unless connected; a connection lost under the program is made again first.
    void TestConnected();

    TIBTransaction *DefaultTransaction() const { return defaultTransaction_; }
    void SetDefaultTransaction(TIBTransaction *t);

    // Applies the cached updates of several data sets together: all or nothing under one savepoint,
    // then commit-retaining and marking the caches stored. On an error the caches stay for a retry. A data
    // set of another database or transaction is refused (EDatabaseError) before anything is written.
    void ApplyUpdates(const std::vector<TDataSet *> &dataSets);

    QString ServerVersion();

    std::function<void(TIBDatabase *)> BeforeConnect, AfterConnect, BeforeDisconnect, AfterDisconnect;
    // Asked for the log-in when LoginPrompt is on; may change the user name and password lines.
    std::function<void(TIBDatabase *, TStringList &loginParams)> OnLogin;

    fb::Attachment &Attachment() { return att_; }
    const std::vector<TIBCustomDataSet *> &DataSets() const { return dataSets_; }

    // Primary key columns of a table (from the system tables, views from RegisterViewKey), cached.
    QStringList PrimaryKey(const QString &table);
    // Columns of a table that the server computes (they are never written).
    QStringList ComputedColumns(const QString &table);
    static void RegisterViewKey(const QString &view, const QStringList &keyColumns);

    // Prepared statements are kept per connection by their text, so a data set that runs a text again
    // (or a new data set running a text another has run) does not prepare it anew. A kept statement is
    // lent to one data set at a time: while lent it is not kept, and a second data set running the same
    // text gets one of its own. At most StatementCacheLimit idle statements are kept, the least recently
    // used dropped first (each holds memory of the server's).
    int StatementCacheLimit = 256;
    // Lends a kept statement of the text, or prepares one (in tr); ParamParsing::Auto applies.
    std::unique_ptr<TPreparedStatement> BorrowStatement(const QString &text, fb::Transaction &tr);
    // Takes a lent statement back to be kept; one prepared before the connection closed or the metadata
    // changed is freed instead.
    void ReturnStatement(std::unique_ptr<TPreparedStatement> statement);
    // A statement of the program changed the metadata: kept statements and table look-ups are dropped
    // and statements lent before are prepared again at their next use.
    void MetadataChanged();
    // Whether a lent statement is still of the current generation (else its data set prepares again).
    bool StatementCurrent(const TPreparedStatement &statement) const { return statement.Generation == generation_; }
    int CachedStatements() const { return int(idle_.size()); }

private:
    friend class TIBTransaction;
    friend class TIBCustomDataSet;
    void addDataSet(TIBCustomDataSet *ds);
    void removeDataSet(TIBCustomDataSet *ds);
    void addTransaction(TIBTransaction *t);
    void removeTransaction(TIBTransaction *t);
    void loadTableInfo(const QString &table);
    void closeAttached();
    // The data sets a lost connection leaves open (see LetGoIfLost).
    std::vector<TIBCustomDataSet *> holdingUnsavedWork() const;
    // Lets go of a lost connection: transactions, statements and the attachment, no server call made.
    void dropConnection();
    static void connectionLost();

    fb::Attachment att_;
    // A call failed for a lost connection: the next look at Connected() asks the server.
    bool suspect_ = false;
    // The connection was lost (not closed): the next use connects again.
    bool lost_ = false;
    bool dropping_ = false;
    TIBTransaction *defaultTransaction_ = nullptr;
    std::vector<TIBTransaction *> transactions_;
    std::vector<TIBCustomDataSet *> dataSets_;
    struct TableInfo {
        QStringList key, computed;
    };
    std::vector<std::pair<QString, TableInfo>> tableInfo_;
    // Frees the kept statements and makes every lent one stale.
    void dropStatements();
    using TIdle = std::list<std::unique_ptr<TPreparedStatement>>;
    TIdle idle_; // most recently used first
    QMultiHash<QString, TIdle::iterator> idleByText_;
    quint64 generation_ = 1;
};

enum TTransactionAction { TARollback, TACommit, TARollbackRetaining, TACommitRetaining };

class TIBTransaction {
public:
    TIBTransaction();
    explicit TIBTransaction(TIBDatabase *db);
    virtual ~TIBTransaction();
    TIBTransaction(const TIBTransaction &) = delete;
    TIBTransaction &operator=(const TIBTransaction &) = delete;

    QString Name;
    TIBDatabase *DefaultDatabase() const { return db_; }
    void SetDefaultDatabase(TIBDatabase *db);
    // Isolation lines: read_committed, rec_version, nowait / wait, concurrency, read.
    TStringList Params;
    // What the idle timer does when it fires.
    TTransactionAction DefaultAction = TACommitRetaining;
    // Milliseconds of idleness before DefaultAction; 0 switches the timer off.
    int IdleTimer() const { return idleMs_; }
    void SetIdleTimer(int ms);

    bool Active() const { return tr_.isActive(); }
    bool InTransaction() const { return Active(); }
    void StartTransaction();
    // Ends the transaction: its data sets close first.
    void Commit();
    void Rollback();
    void CommitRetaining();
    void RollbackRetaining();
    // Starts the transaction when it is not active.
    void CheckActive();

    // A statement wrote: outside a save (a savepoint) the write is committed at once, so what the program
    // reports as saved never waits for the idle timer; inside one, the outermost save commits it.
    void Wrote();
    // Commits what was written: a full commit when no cursor is open in this transaction (so the server
    // can clean up behind it), else commit-retaining. With evenIfClean an active transaction that wrote
    // nothing ends too (the idle timer's way of letting the server's oldest snapshot move on).
    void Settle(bool evenIfClean = false);
    // Written and not yet committed (or a save is under way).
    bool Pending() const { return pending_ || saves_ > 0; }
    // The transaction a select's cursor and a blob are read in. A read-committed read-write transaction
    // with nothing pending reads in a read-only read-committed companion, which the server does not count
    // among the snapshots it must keep, so open lists never hold back its garbage collection; with work
    // pending (or a cursor that locks) it reads in itself, to see its own writes.
    // The server's monitoring tables are read as of the transaction's start: for such a read (fresh) the
    // companion starts anew when no cursor is open in it.
    fb::Transaction &ReadHandle(bool locking = false, bool fresh = false);

    // Restarts the idle timer (every statement calls it).
    void Touch();
    // While held (a savepoint or a busy block), the idle timer never ends the work.
    void HoldIdleTimer();
    void ReleaseIdleTimer();
    bool IdleTimerHeld() const { return holds_ > 0; }

    fb::Transaction &Handle() { return tr_; }
    const std::vector<TIBCustomDataSet *> &DataSets() const { return dataSets_; }

private:
    friend class TIBCustomDataSet;
    friend class TIBDatabase;
    friend class TSavepoint;
    void addDataSet(TIBCustomDataSet *ds);
    void removeDataSet(TIBCustomDataSet *ds);
    void dataSetClosed();
    void closeDataSets();
    void idleTimeout();
    int options() const;
    static int optionsOf(const QStringList &params);
    mutable TFromLines<int> options_;
    // Lets go of the read-only companion (the connection closes or is lost).
    void endReading(bool abandon);
    // A cursor of one of the data sets is open in the companion.
    bool readingCursorOpen() const;

    TIBDatabase *db_ = nullptr;
    fb::Transaction tr_;
    fb::Transaction read_;
    std::unique_ptr<QTimer> timer_;
    int idleMs_ = 0;
    int holds_ = 0;
    // Open savepoints (saves under way) and whether anything was written since the last commit.
    int saves_ = 0;
    bool pending_ = false;
    // Counts the ends of the transaction (commit, rollback, a lost connection): a savepoint of an earlier
    // one is gone with it.
    int epoch_ = 0;
    void ended();
    bool ending_ = false;
    std::vector<TIBCustomDataSet *> dataSets_;
};

// Runs a save (undone as a whole when it fails); refused for an update conflict that a trigger met on a row it
// keeps (TriggerConflict), it runs once more: the other save has committed by then. A second refusal goes
// to the caller.
void SaveOnceMoreAfterTriggerConflict(const std::function<void()> &save);

// The scope of an all-or-nothing save: opens a savepoint and holds the idle timer; unless Commit() was
// called, the destructor rolls back to the savepoint.
class TSavepoint {
public:
    explicit TSavepoint(TIBTransaction *transaction);
    ~TSavepoint();
    TSavepoint(const TSavepoint &) = delete;
    TSavepoint &operator=(const TSavepoint &) = delete;
    // Keeps what was written: releases the savepoint and, for the outermost save, commits (the transaction
    // is retained while a cursor is open in it).
    void Commit();

private:
    TIBTransaction *tr_;
    QString name_;
    int epoch_ = 0;
    bool done_ = false;
};
