#include "Blob.h"

#include "Attachment.h"
#include "IBError.h"
#include "Transaction.h"

#include "platform/os/Win1250.h"

#include <algorithm>

namespace fb {

namespace {

// Closes the blob on success; a failed or abandoned blob is released (and so cancelled).
class BlobHandle {
public:
    explicit BlobHandle(Firebird::IBlob *b) : h_(b) {}
    Firebird::IBlob *operator->() const { return h_.get(); }
    void close()
    {
        auto &st = status();
        if (!h_.close(st, [](Firebird::IBlob *b, Firebird::CheckStatusWrapper *w) { b->close(w); }))
            raiseStatus(&st);
    }

private:
    Handle<Firebird::IBlob> h_;
};

Firebird::IAttachment *attachmentOf(Transaction &tr)
{
    if (!tr.isActive() || !tr.attachment() || !tr.attachment()->isAttached())
        throw EDatabaseError(QStringLiteral("Transakcia nie je aktívna"));
    return tr.attachment()->handle();
}

constexpr unsigned kSegment = 32768;

} // namespace

QByteArray readBlob(Transaction &tr, const BlobId &id)
{
    if (id.isNull())
        return {};
    Firebird::IAttachment *att = attachmentOf(tr);
    auto &st = status();
    ISC_QUAD quad = id.quad;
    BlobHandle blob(att->openBlob(&st, tr.handle(), &quad, 0, nullptr));
    check(st);

    // Size the result once from the blob's total length.
    const unsigned char items[] = {isc_info_blob_total_length, isc_info_end};
    unsigned char info[32];
    blob->getInfo(&st, sizeof items, items, sizeof info, info);
    check(st);
    QByteArray out;
    if (info[0] == isc_info_blob_total_length) {
        const auto len = static_cast<short>(isc_portable_integer(info + 1, 2));
        out.reserve(static_cast<qsizetype>(isc_portable_integer(info + 3, len)));
    }

    char buf[kSegment];
    for (;;) {
        unsigned got = 0;
        const int r = blob->getSegment(&st, sizeof buf, buf, &got);
        if (r == Firebird::IStatus::RESULT_OK || r == Firebird::IStatus::RESULT_SEGMENT)
            out.append(buf, got);
        else if (r == Firebird::IStatus::RESULT_NO_DATA)
            break;
        else {
            check(st);
            break;
        }
    }
    blob.close();
    return out;
}

QString readTextBlob(Transaction &tr, const BlobId &id)
{
    return Win1250::toUnicode(readBlob(tr, id));
}

BlobId writeBlob(Transaction &tr, const QByteArray &data)
{
    Firebird::IAttachment *att = attachmentOf(tr);
    auto &st = status();
    BlobId id;
    BlobHandle blob(att->createBlob(&st, tr.handle(), &id.quad, 0, nullptr));
    check(st);
    for (qsizetype pos = 0; pos < data.size(); pos += kSegment) {
        const auto n = static_cast<unsigned>(std::min<qsizetype>(kSegment, data.size() - pos));
        blob->putSegment(&st, n, data.constData() + pos);
        check(st);
    }
    blob.close();
    return id;
}

} // namespace fb
