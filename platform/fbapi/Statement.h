// A prepared statement: '?' parameters bound with conversion to their types, executed many
// times; selects and selectable procedures fetched row by row into one message buffer.
#pragma once

#include "Column.h"
#include "FbHandle.h"

#include <QString>
#include <QVariant>

#include <vector>

namespace fb {

class Transaction;

enum class StatementType {
    Unknown = 0,
    Select = 1,
    Insert = 2,
    Update = 3,
    Delete = 4,
    Ddl = 5,
    GetSegment = 6,
    PutSegment = 7,
    ExecProcedure = 8,
    StartTransaction = 9,
    Commit = 10,
    Rollback = 11,
    SelectForUpdate = 12,
    SetGenerator = 13,
    Savepoint = 14,
};

class Statement {
public:
    Statement() = default;
    Statement(Statement &&) noexcept = default;
    Statement &operator=(Statement &&) noexcept = default;
    ~Statement();

    void prepare(Transaction &tr, const QString &sql);
    // Statements prepared by this process so far (the benchmarks compare how often each side prepares).
    static long long Prepares();
    bool isPrepared() const { return bool(stmt_); }
    // Frees the statement (and its cursor).
    void unprepare();

    StatementType statementType() const { return type_; }
    bool hasCursor() const { return type_ == StatementType::Select || type_ == StatementType::SelectForUpdate; }
    const std::vector<Column> &inputs() const { return inputs_; }
    const std::vector<Column> &outputs() const { return outputs_; }
    unsigned outputLength() const { return static_cast<unsigned>(out_.size()); }
    // The optimizer's plan: the short form ("PLAN (T INDEX (...))"), or the detailed one that names each
    // table read and how ("Table \"T\" as \"A\" Full Scan").
    QString plan(bool detailed = false);

    // Binds parameter i (0-based); a null QVariant is NULL. Parameters keep their values between
    // executions until set again or cleared.
    void setParam(int i, const QVariant &v);
    void clearParams();

    // Runs a statement without a cursor; returns the rows inserted, updated and deleted. An
    // EXECUTE PROCEDURE leaves its output values in row().
    unsigned long long execute(Transaction &tr);

    void openCursor(Transaction &tr);
    bool isCursorOpen() const { return bool(rs_); }
    // The next row into row(); false at the end.
    bool fetchNext();
    void closeCursor();
    // The current output message: valid until the next fetch or execute.
    const unsigned char *row() const { return reinterpret_cast<const unsigned char *>(out_.data()); }

private:
    Firebird::IStatement *checked() const;
    void writeBlobs(Transaction &tr);
    unsigned long long affectedRecords();

    Handle<Firebird::IStatement> stmt_;
    Handle<Firebird::IMessageMetadata> inMeta_;
    Handle<Firebird::IMessageMetadata> outMeta_;
    Handle<Firebird::IResultSet> rs_;
    bool atEnd_ = false;
    StatementType type_ = StatementType::Unknown;
    std::vector<Column> inputs_;
    std::vector<Column> outputs_;
    std::vector<unsigned char> in_;
    std::vector<unsigned char> out_;
    // Blob parameters given as text or bytes, written when the statement runs.
    std::vector<QVariant> blobParams_;
};

} // namespace fb
