#include "Decode.h"

#include <algorithm>
#include <unordered_map>

#include "Blob.h"

#include "platform/os/Win1250.h"

#include <QDateTime>

namespace fb {

namespace {

// Day 0 of Firebird's dates (17 November 1858) as a Julian day.
constexpr qint64 kIscEpochJd = 2400001;

constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8, 1e9,
                             1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18};

template <class T> inline T load(const unsigned char *p)
{
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

inline QVariant scaled(qint64 v, int scale)
{
    return QVariant(static_cast<double>(v) / kPow10[-scale]);
}

inline QString text(const char *p, qsizetype n, unsigned charSet)
{
    if (charSet == CS_UTF8 || charSet == CS_UNICODE_FSS)
        return QString::fromUtf8(p, n);
    return Win1250::toUnicode(p, n);
}

inline QTime timeFromIsc(ISC_TIME t)
{
    return QTime::fromMSecsSinceStartOfDay(static_cast<int>(t / 10));
}

} // namespace

QDate dateFromIsc(int iscDate)
{
    return QDate::fromJulianDay(iscDate + kIscEpochJd);
}

int iscFromDate(const QDate &d)
{
    return static_cast<int>(d.toJulianDay() - kIscEpochJd);
}

namespace {
// A local time built as Qt does it asks the C library for the zone on every value, which costs more
// than the fetch itself. The offset changes at most on hour boundaries, so it is looked up once per
// day and hour and the value is built with that fixed offset: the same instant, date and time.
QDateTime localDateTime(const QDate &date, const QTime &time)
{
    thread_local std::unordered_map<qint64, int> offsets;
    if (!date.isValid() || !time.isValid())
        return QDateTime(date, time);
    const qint64 key = date.toJulianDay() * 24 + time.hour();
    auto it = offsets.find(key);
    if (it == offsets.end()) {
        if (offsets.size() > 8192)
            offsets.clear();
        const QDateTime local(date, time);
        if (!local.isValid())
            return local;
        it = offsets.emplace(key, local.offsetFromUtc()).first;
    }
    return QDateTime(date, time, Qt::OffsetFromUTC, it->second);
}
} // namespace

QVariant decodeText(const Column &c, const char *p, qsizetype n)
{
    if (c.type != SQL_TEXT)
        return text(p, n, c.charSet);
    // A CHAR comes padded to its byte length (stored rows may have dropped the padding blanks); a
    // multi-byte set keeps the declared number of characters. In a one-byte set the string is made at
    // its padded size at once, not grown after.
    if (c.charSet != CS_UTF8 && c.charSet != CS_UNICODE_FSS) {
        const qsizetype size = std::max(n, qsizetype(c.length));
        QString s(size, Qt::Uninitialized);
        Win1250::toUnicode(p, n, s.data());
        std::fill(s.data() + n, s.data() + size, QLatin1Char(' '));
        return s;
    }
    QString s = text(p, n, c.charSet);
    qsizetype size = s.size() + (qsizetype(c.length) - n);
    if (bytesPerChar(c.charSet) > 1)
        size = std::min(size, qsizetype(c.charLength()));
    if (size != s.size())
        s.resize(size, QLatin1Char(' '));
    return s;
}

QVariant decodeValue(const Column &c, const unsigned char *p)
{
    switch (c.type) {
    case SQL_TEXT:
        return decodeText(c, reinterpret_cast<const char *>(p), c.length);
    case SQL_VARYING:
        return text(reinterpret_cast<const char *>(p + 2), load<unsigned short>(p), c.charSet);
    case SQL_SHORT:
        return c.scale < 0 ? scaled(load<short>(p), c.scale) : QVariant(int(load<short>(p)));
    case SQL_LONG:
        return c.scale < 0 ? scaled(load<ISC_LONG>(p), c.scale) : QVariant(int(load<ISC_LONG>(p)));
    case SQL_INT64:
        return c.scale < 0 ? scaled(load<ISC_INT64>(p), c.scale) : QVariant(qlonglong(load<ISC_INT64>(p)));
    case SQL_FLOAT:
        return QVariant(double(load<float>(p)));
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        return QVariant(load<double>(p));
    case SQL_TYPE_DATE:
        return dateFromIsc(load<ISC_DATE>(p));
    case SQL_TYPE_TIME:
        return timeFromIsc(load<ISC_TIME>(p));
    case SQL_TIMESTAMP: {
        const auto ts = load<ISC_TIMESTAMP>(p);
        return localDateTime(dateFromIsc(ts.timestamp_date), timeFromIsc(ts.timestamp_time));
    }
    case SQL_BOOLEAN:
        return QVariant(*p != 0);
    case SQL_BLOB:
    case SQL_ARRAY: {
        BlobId id;
        id.quad = load<ISC_QUAD>(p);
        return QVariant::fromValue(id);
    }
    default:
        return {};
    }
}

QVariant decode(const Column &c, const unsigned char *msg)
{
    if (isNull(c, msg))
        return {};
    return decodeValue(c, msg + c.offset);
}

} // namespace fb
