// Reading one column's value out of a fetched message buffer: the hot path of every fetch, so no
// metadata look-ups and no allocations beyond the value itself.
#pragma once

#include "Column.h"

#include <QDateTime>
#include <QVariant>

#include <cstring>

namespace fb {

inline bool isNull(const Column &c, const unsigned char *msg)
{
    short flag;
    std::memcpy(&flag, msg + c.nullOffset, sizeof flag);
    return flag != 0;
}

// NULL gives an invalid QVariant; SMALLINT/INTEGER int, BIGINT qlonglong, scaled numerics and
// floats double, CHAR (blanks kept) and VARCHAR QString, DATE/TIME/TIMESTAMP QDate/QTime/QDateTime,
// BOOLEAN bool, BLOB an fb::BlobId.
QVariant decode(const Column &c, const unsigned char *msg);
// The same for a value that is not null, its bytes at p (as in the message buffer).
QVariant decodeValue(const Column &c, const unsigned char *p);
// A CHAR or VARCHAR value from n bytes of text; a CHAR may come without its padding blanks.
QVariant decodeText(const Column &c, const char *p, qsizetype n);

// Firebird's day numbers and times (tenths of milliseconds) to and from Qt's.
QDate dateFromIsc(int iscDate);
int iscFromDate(const QDate &d);

} // namespace fb
