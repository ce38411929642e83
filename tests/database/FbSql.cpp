#include "FbSql.h"

#include <firebird/Interface.h>

#include <QByteArray>

#include <cstring>
#include <vector>

using namespace Firebird;

namespace {

// Owns a status vector for one call and turns a failure into its server message.
class Status {
public:
    explicit Status(IMaster *master) : status_(master->getStatus()), wrapper_(status_) {}
    ~Status() { status_->dispose(); }
    CheckStatusWrapper *operator&() { return &wrapper_; }
    bool failed() const { return (wrapper_.getState() & IStatus::STATE_ERRORS) != 0; }
    IStatus *status() { return status_; }

private:
    IStatus *status_;
    CheckStatusWrapper wrapper_;
};

} // namespace

QString FbSql::errorText(IStatus *status) const
{
    char buf[2048];
    util_->formatStatus(buf, sizeof buf, status);
    return QString::fromUtf8(buf);
}

FbSql::FbSql(const QString &path)
{
    master_ = fb_get_master_interface();
    util_ = master_->getUtilInterface();
    Status st(master_);
    IXpbBuilder *dpb = util_->getXpbBuilder(&st, IXpbBuilder::DPB, nullptr, 0);
    dpb->insertString(&st, isc_dpb_user_name, "SYSDBA");
    dpb->insertString(&st, isc_dpb_lc_ctype, "UTF8");
    IProvider *prov = master_->getDispatcher();
    const QByteArray file = path.toLocal8Bit();
    att_ = prov->attachDatabase(&st, file.constData(), dpb->getBufferLength(&st), dpb->getBuffer(&st));
    const bool failed = st.failed();
    const QString message = failed ? errorText(st.status()) : QString();
    dpb->dispose();
    prov->release();
    if (failed || !att_)
        throw std::runtime_error(("attach failed: " + message).toStdString());
    tra_ = att_->startTransaction(&st, 0, nullptr);
    if (st.failed())
        throw std::runtime_error(errorText(st.status()).toStdString());
}

FbSql::~FbSql()
{
    Status st(master_);
    if (tra_)
        tra_->rollback(&st);
    if (att_)
        att_->detach(&st);
}

QString FbSql::positional(const QString &sql)
{
    if (sql.trimmed().startsWith("execute block", Qt::CaseInsensitive))
        return sql;
    QString out;
    bool quote = false;
    for (qsizetype i = 0; i < sql.size(); ++i) {
        const QChar c = sql[i];
        if (c == '\'')
            quote = !quote;
        if (!quote && c == ':' && i + 1 < sql.size() && (sql[i + 1].isLetter() || sql[i + 1] == '_')) {
            out += '?';
            ++i;
            while (i < sql.size() && (sql[i].isLetterOrNumber() || sql[i] == '_' || sql[i] == '$'))
                ++i;
            --i;
            continue;
        }
        out += c;
    }
    return out;
}

QString FbSql::prepareError(const QString &sql)
{
    Status st(master_);
    const QByteArray text = positional(sql).toUtf8();
    IStatement *stmt = att_->prepare(&st, tra_, 0, text.constData(), 3, 0);
    if (st.failed())
        return errorText(st.status());
    stmt->free(&st);
    return {};
}

void FbSql::exec(const QString &sql)
{
    Status st(master_);
    const QByteArray text = sql.toUtf8();
    att_->execute(&st, tra_, 0, text.constData(), 3, nullptr, nullptr, nullptr, nullptr);
    if (st.failed())
        throw std::runtime_error((errorText(st.status()) + "\n" + sql).toStdString());
}

QStringList FbSql::row(const QString &sql)
{
    Status st(master_);
    const QByteArray text = sql.toUtf8();
    IStatement *stmt = att_->prepare(&st, tra_, 0, text.constData(), 3, IStatement::PREPARE_PREFETCH_METADATA);
    if (st.failed())
        throw std::runtime_error((errorText(st.status()) + "\n" + sql).toStdString());
    // Every column is fetched as VARCHAR(200): the server converts the values to text.
    IMessageMetadata *meta = stmt->getOutputMetadata(&st);
    const unsigned count = meta->getCount(&st);
    IMetadataBuilder *builder = meta->getBuilder(&st);
    for (unsigned i = 0; i < count; ++i) {
        builder->setType(&st, i, SQL_VARYING + 1);
        builder->setLength(&st, i, 200 * 4);
        builder->setCharSet(&st, i, 4); // UTF8
    }
    IMessageMetadata *out = builder->getMetadata(&st);
    builder->release();
    meta->release();
    std::vector<unsigned char> buffer(out->getMessageLength(&st));
    IResultSet *rs = stmt->openCursor(&st, tra_, nullptr, nullptr, out, 0);
    if (st.failed()) {
        const QString message = errorText(st.status());
        out->release();
        stmt->free(&st);
        throw std::runtime_error((message + "\n" + sql).toStdString());
    }
    QStringList result;
    if (rs->fetchNext(&st, buffer.data()) == IStatus::RESULT_OK) {
        for (unsigned i = 0; i < count; ++i) {
            const short null = *reinterpret_cast<short *>(&buffer[out->getNullOffset(&st, i)]);
            const unsigned char *p = &buffer[out->getOffset(&st, i)];
            unsigned short len;
            std::memcpy(&len, p, sizeof len);
            result << (null ? QString() : QString::fromUtf8(reinterpret_cast<const char *>(p + 2), len));
        }
    }
    rs->close(&st);
    out->release();
    stmt->free(&st);
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
    Status st(master_);
    tra_->commitRetaining(&st);
    if (st.failed())
        throw std::runtime_error(errorText(st.status()).toStdString());
}
