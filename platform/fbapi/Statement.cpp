#include "Statement.h"

#include "Attachment.h"
#include "Blob.h"
#include "Encode.h"
#include "IBError.h"
#include "Transaction.h"

#include "platform/os/Win1250.h"

namespace fb {

namespace {

using Firebird::IStatus;

Firebird::IAttachment *attachmentOf(Transaction &tr)
{
    if (!tr.isActive() || !tr.attachment() || !tr.attachment()->isAttached())
        throw EDatabaseError(QStringLiteral("Transakcia nie je aktívna"));
    return tr.attachment()->handle();
}

} // namespace

Statement::~Statement()
{
    unprepare();
}

void Statement::unprepare()
{
    closeCursor();
    inMeta_.reset();
    outMeta_.reset();
    stmt_.close(status(), [](Firebird::IStatement *s, Firebird::CheckStatusWrapper *st) { s->free(st); });
    type_ = StatementType::Unknown;
    inputs_.clear();
    outputs_.clear();
    in_.clear();
    out_.clear();
    blobParams_.clear();
}

Firebird::IStatement *Statement::checked() const
{
    if (!stmt_)
        throw EDatabaseError(QStringLiteral("Príkaz nie je pripravený"));
    return stmt_.get();
}

namespace {
long long prepares = 0;
} // namespace

long long Statement::Prepares()
{
    return prepares;
}

void Statement::prepare(Transaction &tr, const QString &sql)
{
    unprepare();
    ++prepares;
    Firebird::IAttachment *att = attachmentOf(tr);
    const QByteArray text = Win1250::fromUnicode(sql);
    auto &st = status();
    Handle<Firebird::IStatement> stmt(att->prepare(&st, tr.handle(), static_cast<unsigned>(text.size()),
                                                   text.constData(), static_cast<unsigned>(tr.attachment()->dialect()),
                                                   Firebird::IStatement::PREPARE_PREFETCH_METADATA));
    check(st);
    const unsigned type = stmt->getType(&st);
    check(st);
    Handle<Firebird::IMessageMetadata> inMeta(stmt->getInputMetadata(&st));
    check(st);
    Handle<Firebird::IMessageMetadata> outMeta(stmt->getOutputMetadata(&st));
    check(st);
    const unsigned inLength = inMeta->getMessageLength(&st);
    const unsigned outLength = outMeta->getMessageLength(&st);
    check(st);

    inputs_ = columnsOf(inMeta.get());
    outputs_ = columnsOf(outMeta.get());
    stmt_ = std::move(stmt);
    inMeta_ = std::move(inMeta);
    outMeta_ = std::move(outMeta);
    type_ = static_cast<StatementType>(type);
    in_.assign(inLength, 0);
    out_.assign(outLength, 0);
    blobParams_.assign(inputs_.size(), QVariant());
    clearParams();
}

QString Statement::plan(bool detailed)
{
    auto &st = status();
    const char *p = checked()->getPlan(&st, detailed);
    check(st);
    return p ? Win1250::toUnicode(p, static_cast<qsizetype>(qstrlen(p))).trimmed() : QString();
}

void Statement::setParam(int i, const QVariant &v)
{
    checked();
    if (i < 0 || std::size_t(i) >= inputs_.size())
        throw EDatabaseError(QStringLiteral("Parameter %1 neexistuje").arg(i + 1));
    const Column &c = inputs_[std::size_t(i)];
    blobParams_[std::size_t(i)] = QVariant();
    if (c.type == SQL_BLOB && v.isValid() && !v.isNull() && v.typeId() != qMetaTypeId<BlobId>()) {
        // Written as a blob when the statement runs, in that run's transaction.
        blobParams_[std::size_t(i)] = v;
        setNull(c, in_.data());
        return;
    }
    encode(c, in_.data(), v);
}

void Statement::clearParams()
{
    for (std::size_t i = 0; i < inputs_.size(); ++i) {
        setNull(inputs_[i], in_.data());
        blobParams_[i] = QVariant();
    }
}

void Statement::writeBlobs(Transaction &tr)
{
    for (std::size_t i = 0; i < blobParams_.size(); ++i) {
        const QVariant &v = blobParams_[i];
        if (!v.isValid())
            continue;
        const QByteArray bytes =
            v.typeId() == QMetaType::QByteArray ? v.toByteArray() : Win1250::fromUnicode(v.toString());
        encode(inputs_[i], in_.data(), QVariant::fromValue(writeBlob(tr, bytes)));
    }
}

unsigned long long Statement::execute(Transaction &tr)
{
    Firebird::IStatement *stmt = checked();
    attachmentOf(tr);
    closeCursor();
    writeBlobs(tr);
    auto &st = status();
    stmt->execute(&st, tr.handle(), inMeta_.get(), in_.data(), outMeta_.get(), out_.data());
    check(st);
    switch (type_) {
    case StatementType::Insert:
    case StatementType::Update:
    case StatementType::Delete:
    case StatementType::ExecProcedure:
    case StatementType::Select:
    case StatementType::SelectForUpdate:
        return affectedRecords();
    default:
        return 0;
    }
}

unsigned long long Statement::affectedRecords()
{
    const unsigned char items[] = {isc_info_sql_records, isc_info_end};
    unsigned char buf[128];
    auto &st = status();
    stmt_->getInfo(&st, sizeof items, items, sizeof buf, buf);
    check(st);
    if (buf[0] != isc_info_sql_records)
        return 0;
    const unsigned char *p = buf + 3; // item, two length bytes
    const unsigned char *end = buf + sizeof buf;
    unsigned long long count = 0;
    while (p + 3 <= end && *p != isc_info_end) {
        const unsigned char item = *p;
        const auto len = static_cast<short>(isc_portable_integer(p + 1, 2));
        if (len < 0 || p + 3 + len > end)
            break;
        const auto value = static_cast<unsigned long long>(isc_portable_integer(p + 3, len));
        if (item == isc_info_req_insert_count || item == isc_info_req_update_count || item == isc_info_req_delete_count)
            count += value;
        p += 3 + len;
    }
    return count;
}

void Statement::openCursor(Transaction &tr)
{
    Firebird::IStatement *stmt = checked();
    attachmentOf(tr);
    closeCursor();
    writeBlobs(tr);
    auto &st = status();
    Firebird::IResultSet *rs = stmt->openCursor(&st, tr.handle(), inMeta_.get(), in_.data(), outMeta_.get(), 0);
    check(st);
    rs_.reset(rs);
    atEnd_ = false;
}

bool Statement::fetchNext()
{
    if (!rs_ || atEnd_)
        return false;
    auto &st = status();
    const int r = rs_->fetchNext(&st, out_.data());
    if (r == IStatus::RESULT_OK)
        return true;
    if (r == IStatus::RESULT_NO_DATA) {
        // The server refuses a fetch past the end: remember it and answer false again.
        atEnd_ = true;
        return false;
    }
    check(st);
    return false;
}

void Statement::closeCursor()
{
    // A cursor whose transaction has ended is gone on the server already: it is just dropped.
    rs_.close(status(), [](Firebird::IResultSet *r, Firebird::CheckStatusWrapper *st) { r->close(st); });
}

} // namespace fb
