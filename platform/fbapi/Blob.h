// Blob values: the id a row carries (read lazily by the caller), and reading or writing the
// whole blob through a transaction.
#pragma once

#include <ibase.h>

#include <QByteArray>
#include <QMetaType>
#include <QString>

namespace fb {

class Transaction;

struct BlobId {
    ISC_QUAD quad{0, 0};
    bool isNull() const { return quad.gds_quad_high == 0 && quad.gds_quad_low == 0; }
    friend bool operator==(const BlobId &a, const BlobId &b)
    {
        return a.quad.gds_quad_high == b.quad.gds_quad_high && a.quad.gds_quad_low == b.quad.gds_quad_low;
    }
};

QByteArray readBlob(Transaction &tr, const BlobId &id);
// A text blob (sub type 1) in the connection's character set, WIN1250.
QString readTextBlob(Transaction &tr, const BlobId &id);
BlobId writeBlob(Transaction &tr, const QByteArray &data);

} // namespace fb

Q_DECLARE_METATYPE(fb::BlobId)
