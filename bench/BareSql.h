// A plain client of one database for the benchmarks: each statement text prepared once, run with named
// parameters in a read-committed transaction, selects fetched whole into decoded rows. What it writes is
// committed as the program commits it: a write outside a save at once, a save at its end.
#pragma once

#include "platform/fbapi/Attachment.h"
#include "platform/fbapi/Statement.h"
#include "platform/fbapi/Transaction.h"

#include <QHash>
#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

// One fetched row, its columns found by name (upper case, as the server names them).
struct TBareRow {
    const std::vector<fb::Column> *Columns = nullptr;
    std::vector<QVariant> Values;
    QVariant operator[](const char *name) const;
};

class TBareSql {
public:
    explicit TBareSql(const QString &database);
    ~TBareSql();

    // Parameters by name, without regard to case; a name the text does not use is ignored.
    using TArgs = QHash<QString, QVariant>;
    // Runs a statement without a cursor (committed at once outside a save); the rows it changed.
    unsigned long long Exec(const QString &sql, const TArgs &args = {});
    // Every row of a select.
    std::vector<TBareRow> Rows(const QString &sql, const TArgs &args = {});
    // The first column of the first row (null without rows), the rest fetched.
    QVariant Value(const QString &sql, const TArgs &args = {});

    void CommitRetaining() { tr_.commitRetaining(); }
    void Commit() { tr_.commit(); }
    // A savepoint released and committed at its end, or rolled back to when left by an exception.
    class TSave {
    public:
        explicit TSave(TBareSql &sql);
        ~TSave();
        void Release();

    private:
        TBareSql &sql_;
        QString name_;
        bool done_ = false;
    };
    long long Statements() const { return statements_; }
    // The statements that took the most processor time, the costliest first: "ms  runs  text". Kept only
    // when the environment sets BENCH_COSTLIEST: timing every statement costs time of its own.
    QStringList Costliest(int count) const;
    // At most this many prepared texts are kept, as the program keeps its own; the least recently used go.
    static constexpr int CacheLimit = 256;

private:
    struct TPrepared {
        fb::Statement Statement;
        QStringList Names;
        long long LastUse = 0;
    };
    TPrepared &prepared(const QString &sql, const TArgs &args);
    // Ends the transaction with what it wrote and starts the next one.
    void settle();

    fb::Attachment att_;
    fb::Transaction tr_;
    // Times a statement's run (preparing included) into its text's account.
    class TTimed;
    struct TCost {
        double Ms = 0;
        long long Runs = 0;
    };
    QHash<QString, std::shared_ptr<TPrepared>> cache_;
    QHash<QString, TCost> costs_;
    const bool accounting_;
    long long statements_ = 0;
    long long uses_ = 0;
    int savepoints_ = 0;
    int saves_ = 0; // open saves
};
