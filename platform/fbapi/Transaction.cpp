#include "Transaction.h"

#include "Attachment.h"
#include "IBError.h"

#include "platform/os/Win1250.h"

#include <ibase.h>

#include <QRegularExpression>
#include <vector>

namespace fb {

namespace {
long long commits = 0;
} // namespace

long long Transaction::Commits()
{
    return commits;
}

Transaction::~Transaction()
{
    tra_.close(status(), [](Firebird::ITransaction *t, Firebird::CheckStatusWrapper *st) { t->rollback(st); });
}

void Transaction::start(Attachment &att, int options)
{
    if (tra_)
        throw EDatabaseError(QStringLiteral("Transakcia už je aktívna"));
    if (!att.isAttached())
        throw EDatabaseError(QStringLiteral("Databáza nie je pripojená"));
    std::vector<unsigned char> tpb{isc_tpb_version3};
    tpb.push_back((options & ReadOnly) ? isc_tpb_read : isc_tpb_write);
    if (options & Snapshot) {
        tpb.push_back(isc_tpb_concurrency);
    } else {
        tpb.push_back(isc_tpb_read_committed);
        tpb.push_back(isc_tpb_rec_version);
    }
    if (options & NoWait) {
        tpb.push_back(isc_tpb_nowait);
    } else {
        tpb.push_back(isc_tpb_wait);
        tpb.push_back(isc_tpb_lock_timeout);
        tpb.push_back(4);
        for (int shift = 0; shift < 32; shift += 8)
            tpb.push_back(static_cast<unsigned char>((LockTimeoutSeconds >> shift) & 0xff));
    }
    auto &st = status();
    Firebird::ITransaction *t = att.handle()->startTransaction(&st, static_cast<unsigned>(tpb.size()), tpb.data());
    check(st);
    tra_.reset(t);
    att_ = &att;
    readOnly_ = (options & ReadOnly) != 0;
}

Firebird::ITransaction *Transaction::checked() const
{
    if (!tra_)
        throw EDatabaseError(QStringLiteral("Transakcia nie je aktívna"));
    if (!att_ || !att_->isAttached())
        throw EDatabaseError(QStringLiteral("Databáza nie je pripojená"));
    return tra_.get();
}

void Transaction::commit()
{
    auto &st = status();
    checked()->commit(&st);
    check(st);
    tra_.forget();
    if (!readOnly_)
        ++commits;
}

void Transaction::commitRetaining()
{
    auto &st = status();
    checked()->commitRetaining(&st);
    check(st);
    if (!readOnly_)
        ++commits;
}

void Transaction::rollback()
{
    auto &st = status();
    checked()->rollback(&st);
    check(st);
    tra_.forget();
}

void Transaction::rollbackRetaining()
{
    auto &st = status();
    checked()->rollbackRetaining(&st);
    check(st);
}

void Transaction::execute(const QString &sql)
{
    Firebird::ITransaction *tra = checked();
    const QByteArray text = Win1250::fromUnicode(sql);
    auto &st = status();
    att_->handle()->execute(&st, tra, static_cast<unsigned>(text.size()), text.constData(),
                            static_cast<unsigned>(att_->dialect()), nullptr, nullptr, nullptr, nullptr);
    check(st);
}

namespace {
// A savepoint name as an identifier: plain when it is one, else quoted.
QString identifier(const QString &name)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z][A-Za-z0-9_$]*$"));
    if (plain.match(name).hasMatch())
        return name;
    QString q = name;
    q.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}
} // namespace

void Transaction::savepoint(const QString &name)
{
    execute(QStringLiteral("SAVEPOINT ") + identifier(name));
}

void Transaction::releaseSavepoint(const QString &name)
{
    execute(QStringLiteral("RELEASE SAVEPOINT ") + identifier(name));
}

void Transaction::rollbackToSavepoint(const QString &name)
{
    execute(QStringLiteral("ROLLBACK TO SAVEPOINT ") + identifier(name));
}

} // namespace fb
