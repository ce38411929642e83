#include "Attachment.h"

#include "IBError.h"
#include "ParamBlock.h"
#include "Transaction.h"

#include "platform/os/Win1250.h"

#include <ibase.h>

#include <QFile>

#include <cerrno>

namespace fb {

namespace {

void fillConnect(ParamBlock &dpb, const ConnectParams &p)
{
    dpb.text(isc_dpb_user_name, p.userName)
        .text(isc_dpb_password, p.password)
        .text(isc_dpb_lc_ctype, p.lcCtype)
        .text(isc_dpb_sql_role_name, p.role);
    if (p.sqlDialect > 0)
        dpb.number(isc_dpb_sql_dialect, p.sqlDialect);
    if (!p.providers.isEmpty())
        dpb.text(isc_dpb_config, QStringLiteral("Providers=") + p.providers);
}

// A name or a text of any length shown in a message: its beginning and its end.
QString shortened(const QString &text, int most)
{
    return text.size() <= most ? text : text.left(most * 2 / 3) + QString::fromUtf8(" … ") + text.right(most / 3);
}

// Why the engine could not open a database, in Slovak: from the system's error number an I/O error carries,
// or from the engine's code; empty when neither says anything a user can act on.
QString openFailureReason(const ISC_STATUS *v)
{
    QString reason;
    for (; *v != isc_arg_end; v += (*v == isc_arg_cstring ? 3 : 2)) {
        if (*v == isc_arg_unix) {
            switch (v[1]) {
            case ENOENT:
                return QString::fromUtf8("súbor neexistuje");
            case ENOTDIR:
                return QString::fromUtf8("priečinok v ceste k súboru neexistuje");
            case EISDIR:
                return QString::fromUtf8("cesta vedie k priečinku, nie k súboru");
            case EACCES:
            case EPERM:
            case EROFS:
                return QString::fromUtf8("k súboru nie je prístup");
            default:
                break;
            }
        } else if (*v == isc_arg_gds && reason.isEmpty()) {
            if (v[1] == isc_bad_db_format)
                reason = QString::fromUtf8("súbor nie je databáza");
            else if (v[1] == isc_wrong_ods)
                reason = QString::fromUtf8("databáza je inej verzie, než akú program pozná");
        }
    }
    return reason;
}

// What the user reads when a database cannot be opened: a Slovak sentence naming the database and why, the
// engine's own text under it as a detail.
QString cannotOpenMessage(const QString &database, const QString &reason, const QString &engineText)
{
    const QString name = shortened(database, 150);
    const QString head = reason.isEmpty()
                             ? QString::fromUtf8("Databázu %1 nie je možné otvoriť.").arg(name)
                             : QString::fromUtf8("Databázu %1 nie je možné otvoriť: %2.").arg(name, reason);
    return head + QString::fromUtf8("\n\nPodrobnosti:\n") + shortened(engineText, 600);
}

} // namespace

Attachment::~Attachment()
{
    att_.close(status(), [](Firebird::IAttachment *a, Firebird::CheckStatusWrapper *st) { a->detach(st); });
}

void Attachment::attach(const QString &database, const ConnectParams &params)
{
    detach();
    ParamBlock dpb(Firebird::IXpbBuilder::DPB);
    fillConnect(dpb, params);
    const unsigned len = dpb.length();
    const unsigned char *buf = dpb.data();
    auto &st = status();
    Firebird::IAttachment *a = provider()->attachDatabase(&st, QFile::encodeName(database).constData(), len, buf);
    if (st.getState() & Firebird::IStatus::STATE_ERRORS) {
        // A refused connection is no lost one: its server lines name the host and the cause. A server
        // that does not answer (down, or the network away) is said in one sentence.
        EIBError e = errorFromStatus(&st, false);
        const QString reason = openFailureReason(st.getErrors());
        st.init();
        if (!e.ConnectionLost) {
            e.Message = cannotOpenMessage(database, reason, e.ServerMessage);
            throw e;
        }
        EIBError unreachable(ServerUnreachableMessage, e.SQLCode, e.IBErrorCode);
        unreachable.ServerMessage = e.ServerMessage;
        unreachable.ConnectionLost = true;
        throw unreachable;
    }
    att_.reset(a);
    dialect_ = params.sqlDialect > 0 ? params.sqlDialect : 3;
}

Attachment Attachment::createDatabase(const QString &database, const ConnectParams &params)
{
    ParamBlock dpb(Firebird::IXpbBuilder::DPB);
    fillConnect(dpb, params);
    dpb.number(isc_dpb_page_size, 8192).text(isc_dpb_set_db_charset, QStringLiteral("WIN1250"));
    const unsigned len = dpb.length();
    const unsigned char *buf = dpb.data();
    auto &st = status();
    Firebird::IAttachment *a = provider()->createDatabase(&st, QFile::encodeName(database).constData(), len, buf);
    check(st);
    Attachment result;
    result.att_.reset(a);
    result.dialect_ = params.sqlDialect > 0 ? params.sqlDialect : 3;
    return result;
}

void Attachment::detach()
{
    // A failed detach (a lost server, open transactions) leaves the connection unusable: the
    // reference is dropped all the same and the error reported.
    auto &st = status();
    if (!att_.close(st, [](Firebird::IAttachment *a, Firebird::CheckStatusWrapper *s) { a->detach(s); }))
        raiseStatus(&st);
}

void Attachment::dropDatabase()
{
    auto &st = status();
    checked()->dropDatabase(&st);
    check(st);
    att_.forget();
}

bool Attachment::alive()
{
    if (!att_)
        return false;
    auto &st = status();
    att_->ping(&st);
    const bool ok = !(st.getState() & Firebird::IStatus::STATE_ERRORS);
    st.init();
    return ok;
}

void Attachment::cutOff()
{
    if (!att_)
        return;
    auto &st = status();
    att_->cancelOperation(&st, fb_cancel_abort);
    st.init();
}

Firebird::IAttachment *Attachment::checked() const
{
    if (!att_)
        throw EDatabaseError(QStringLiteral("Databáza nie je pripojená"));
    return att_.get();
}

void Attachment::executeImmediate(const QString &sql)
{
    Transaction tr(*this);
    const QByteArray text = Win1250::fromUnicode(sql);
    auto &st = status();
    checked()->execute(&st, tr.handle(), static_cast<unsigned>(text.size()), text.constData(),
                       static_cast<unsigned>(dialect_), nullptr, nullptr, nullptr, nullptr);
    check(st);
    tr.commit();
}

QString Attachment::serverVersion()
{
    Transaction tr(*this, Transaction::ReadOnly);
    static const char sql[] = "select rdb$get_context('SYSTEM', 'ENGINE_VERSION') from rdb$database";
    auto &st = status();
    Handle<Firebird::IStatement> stmt(checked()->prepare(&st, tr.handle(), 0, sql, static_cast<unsigned>(dialect_),
                                                         Firebird::IStatement::PREPARE_PREFETCH_METADATA));
    check(st);
    Handle<Firebird::IMessageMetadata> meta(stmt->getOutputMetadata(&st));
    check(st);
    QByteArray buf(static_cast<qsizetype>(meta->getMessageLength(&st)), '\0');
    const unsigned offset = meta->getOffset(&st, 0);
    const unsigned nullOffset = meta->getNullOffset(&st, 0);
    check(st);
    stmt->execute(&st, tr.handle(), nullptr, nullptr, meta.get(), buf.data());
    check(st);
    QString result;
    if (!*reinterpret_cast<const short *>(buf.constData() + nullOffset)) {
        const auto len = *reinterpret_cast<const unsigned short *>(buf.constData() + offset);
        result = Win1250::toUnicode(buf.constData() + offset + 2, len);
    }
    stmt.close(st, [](Firebird::IStatement *s, Firebird::CheckStatusWrapper *w) { s->free(w); });
    tr.commit();
    return result;
}

int Attachment::infoInt(unsigned char item)
{
    const unsigned char items[] = {item, isc_info_end};
    unsigned char buf[64];
    auto &st = status();
    checked()->getInfo(&st, sizeof items, items, sizeof buf, buf);
    check(st);
    if (buf[0] != item)
        return 0;
    const short len = static_cast<short>(isc_portable_integer(buf + 1, 2));
    return static_cast<int>(isc_portable_integer(buf + 3, len));
}

QByteArray Attachment::info(const QByteArray &items, int bufferSize)
{
    QByteArray answer(qMax(bufferSize, 1), '\0');
    auto &st = status();
    checked()->getInfo(&st, static_cast<unsigned>(items.size()),
                       reinterpret_cast<const unsigned char *>(items.constData()), static_cast<unsigned>(answer.size()),
                       reinterpret_cast<unsigned char *>(answer.data()));
    check(st);
    return answer;
}

int Attachment::odsVersion()
{
    return infoInt(isc_info_ods_version);
}

} // namespace fb
