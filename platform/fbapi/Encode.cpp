#include "Encode.h"

#include "Blob.h"
#include "Decode.h"
#include "IBError.h"

#include "platform/os/Win1250.h"

#include <QDateTime>

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace fb {

namespace {

template <class T> inline void store(unsigned char *p, T v)
{
    std::memcpy(p, &v, sizeof v);
}

// " parametra NAME" for the messages, when the parameter has a name.
QString forParam(const Column &c)
{
    return c.alias.isEmpty() ? QString() : QStringLiteral(" parametra ") + c.alias;
}

[[noreturn]] void notANumber(const QVariant &v)
{
    throw EDatabaseError(QStringLiteral("'%1' nie je platné číslo").arg(v.toString()));
}

[[noreturn]] void outOfRange(const QVariant &v, const Column &c)
{
    throw EIBError(QStringLiteral("Hodnota '%1' je mimo rozsahu%2").arg(v.toString(), forParam(c)), -802,
                   isc_arith_except);
}

// Text of a number with its blanks removed and ',' read as '.'.
QByteArray normalizedNumber(const QString &text)
{
    QByteArray out;
    out.reserve(text.size());
    for (QChar ch : text) {
        if (ch.isSpace())
            continue;
        if (ch == QLatin1Char(','))
            ch = QLatin1Char('.');
        if (ch.unicode() >= 0x80)
            return "?"; // never a number
        out.append(static_cast<char>(ch.unicode()));
    }
    return out;
}

// A decimal number as digits and a power of ten: value = digits * 10^exp.
struct Decimal {
    bool negative = false;
    QByteArray digits;
    int exp = 0;
};

bool parseDecimal(const QByteArray &s, Decimal &d)
{
    qsizetype i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        d.negative = s[i++] == '-';
    bool point = false, any = false;
    for (; i < s.size(); ++i) {
        const char ch = s[i];
        if (ch >= '0' && ch <= '9') {
            any = true;
            if (!(d.digits.isEmpty() && ch == '0')) // leading zeros carry nothing
                d.digits.append(ch);
            if (point)
                --d.exp;
        } else if (ch == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!any)
        return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        const char *first = s.constData() + i + 1;
        const char *last = s.constData() + s.size();
        if (first < last && *first == '+')
            ++first;
        int e = 0;
        const auto r = std::from_chars(first, last, e);
        if (r.ec != std::errc() || r.ptr != last)
            return false;
        d.exp += e;
        return true;
    }
    return i == s.size();
}

// digits * 10^(exp + decimals), rounded half away from zero; false on overflow of 64 bits.
bool toScaled(const Decimal &d, int decimals, qint64 &out)
{
    const int shift = d.exp + decimals;
    const qsizetype keep = d.digits.size() + std::min(shift, 0);
    if (keep > 19)
        return false;
    unsigned __int128 v = 0;
    for (qsizetype i = 0; i < std::max<qsizetype>(keep, 0); ++i)
        v = v * 10 + unsigned(d.digits[i] - '0');
    if (keep >= 0 && keep < d.digits.size() && d.digits[keep] >= '5')
        ++v;
    for (int i = 0; i < shift; ++i) {
        if (v == 0)
            break;
        v *= 10;
        if (v > (unsigned __int128)std::numeric_limits<qint64>::max() + 1)
            return false;
    }
    const unsigned __int128 limit = (unsigned __int128)std::numeric_limits<qint64>::max() + (d.negative ? 1 : 0);
    if (v > limit)
        return false;
    out = d.negative ? qint64(-(__int128)v) : qint64(v);
    return true;
}

bool isIntegral(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::Bool:
        return true;
    default:
        return false;
    }
}

// The value as an integer scaled to the column's decimals.
qint64 scaledValue(const Column &c, const QVariant &v)
{
    const int decimals = -c.scale;
    if (decimals == 0 && isIntegral(v))
        return v.toLongLong();
    QByteArray text;
    switch (v.typeId()) {
    case QMetaType::QString:
        text = normalizedNumber(v.toString());
        break;
    case QMetaType::Double:
    case QMetaType::Float: {
        const double d = v.toDouble();
        if (!std::isfinite(d))
            outOfRange(v, c);
        // 15 significant digits: 12.345 scales to 1235, not to the 1234.4999... of its binary value.
        text = QByteArray::number(d, 'g', 15);
        break;
    }
    case QMetaType::ULongLong:
        if (v.toULongLong() > quint64(std::numeric_limits<qint64>::max()))
            outOfRange(v, c);
        text = QByteArray::number(v.toLongLong());
        break;
    default:
        if (isIntegral(v))
            text = QByteArray::number(v.toLongLong());
        else
            notANumber(v);
    }
    Decimal d;
    if (!parseDecimal(text, d))
        notANumber(v);
    qint64 out = 0;
    if (!toScaled(d, decimals, out))
        outOfRange(v, c);
    return out;
}

double doubleValue(const QVariant &v)
{
    if (v.typeId() == QMetaType::QString) {
        double d = 0;
        if (!parseNumber(v.toString(), d))
            notANumber(v);
        return d;
    }
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (!ok)
        notANumber(v);
    return d;
}

QByteArray textValue(const Column &c, const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::QByteArray:
        return v.toByteArray();
    case QMetaType::Double:
    case QMetaType::Float:
        return QByteArray::number(v.toDouble(), 'g', 15);
    case QMetaType::Bool:
        return v.toBool() ? "1" : "0";
    case QMetaType::QDate:
        return v.toDate().toString(Qt::ISODate).toLatin1();
    case QMetaType::QTime:
        return v.toTime().toString(QStringLiteral("HH:mm:ss.zzz")).toLatin1();
    case QMetaType::QDateTime:
        return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")).toLatin1();
    default:
        if (isIntegral(v) || v.typeId() == QMetaType::ULongLong)
            return v.toString().toLatin1();
        if (c.charSet == CS_UTF8 || c.charSet == CS_UNICODE_FSS)
            return v.toString().toUtf8();
        return Win1250::fromUnicode(v.toString());
    }
}

QDate dateValue(const QVariant &v)
{
    QDate d;
    if (v.typeId() == QMetaType::QDate)
        d = v.toDate();
    else if (v.typeId() == QMetaType::QDateTime)
        d = v.toDateTime().date();
    else if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString().trimmed();
        d = QDate::fromString(s.left(10), Qt::ISODate);
        if (!d.isValid())
            d = QDate::fromString(s, QStringLiteral("d.M.yyyy"));
    }
    if (!d.isValid())
        throw EDatabaseError(QStringLiteral("'%1' nie je platný dátum").arg(v.toString()));
    return d;
}

QTime timeValue(const QVariant &v)
{
    QTime t;
    if (v.typeId() == QMetaType::QTime)
        t = v.toTime();
    else if (v.typeId() == QMetaType::QDateTime)
        t = v.toDateTime().time();
    else if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString().trimmed();
        t = QTime::fromString(s, Qt::ISODateWithMs);
        if (!t.isValid())
            t = QTime::fromString(s, QStringLiteral("H:mm"));
    }
    if (!t.isValid())
        throw EDatabaseError(QStringLiteral("'%1' nie je platný čas").arg(v.toString()));
    return t;
}

QDateTime dateTimeValue(const QVariant &v)
{
    QDateTime dt;
    if (v.typeId() == QMetaType::QDateTime)
        dt = v.toDateTime();
    else if (v.typeId() == QMetaType::QDate)
        dt = QDateTime(v.toDate(), QTime(0, 0));
    else if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString().trimmed();
        dt = QDateTime::fromString(s, Qt::ISODateWithMs);
        if (!dt.isValid())
            dt = QDateTime::fromString(s, QStringLiteral("d.M.yyyy H:mm:ss"));
        if (!dt.isValid())
            dt = QDateTime::fromString(s, QStringLiteral("d.M.yyyy H:mm"));
        if (!dt.isValid())
            dt = QDateTime(dateValue(v), QTime(0, 0));
    }
    if (!dt.isValid())
        throw EDatabaseError(QStringLiteral("'%1' nie je platný dátum").arg(v.toString()));
    return dt;
}

inline ISC_TIME iscTime(const QTime &t)
{
    return static_cast<ISC_TIME>(t.msecsSinceStartOfDay()) * 10;
}

} // namespace

bool parseNumber(const QString &text, double &out)
{
    const QByteArray s = normalizedNumber(text);
    Decimal d;
    if (s.isEmpty() || !parseDecimal(s, d))
        return false;
    const char *first = s.constData() + (s[0] == '+');
    const auto r = std::from_chars(first, s.constData() + s.size(), out);
    return r.ec == std::errc() && r.ptr == s.constData() + s.size();
}

void setNull(const Column &c, unsigned char *msg)
{
    store<short>(msg + c.nullOffset, -1);
}

void encode(const Column &c, unsigned char *msg, const QVariant &v)
{
    if (v.isNull() || !v.isValid()) {
        setNull(c, msg);
        return;
    }
    // Blank text in a number, date or time is no value at all.
    if (v.typeId() == QMetaType::QString && !c.isText() && c.type != SQL_BLOB && v.toString().trimmed().isEmpty()) {
        setNull(c, msg);
        return;
    }
    unsigned char *p = msg + c.offset;
    switch (c.type) {
    case SQL_TEXT:
    case SQL_VARYING: {
        const QByteArray bytes = textValue(c, v);
        if (bytes.size() > qsizetype(c.length))
            throw EIBError(QStringLiteral("Text '%1' je dlhší ako %2 znakov%3")
                               .arg(v.toString(), QString::number(c.charLength()), forParam(c)),
                           -802, isc_arith_except);
        if (c.type == SQL_VARYING) {
            store<unsigned short>(p, static_cast<unsigned short>(bytes.size()));
            std::memcpy(p + 2, bytes.constData(), bytes.size());
        } else {
            std::memcpy(p, bytes.constData(), bytes.size());
            std::memset(p + bytes.size(), c.charSet == CS_OCTETS ? 0 : ' ', c.length - bytes.size());
        }
        break;
    }
    case SQL_SHORT: {
        const qint64 x = scaledValue(c, v);
        if (x < std::numeric_limits<short>::min() || x > std::numeric_limits<short>::max())
            outOfRange(v, c);
        store<short>(p, static_cast<short>(x));
        break;
    }
    case SQL_LONG: {
        const qint64 x = scaledValue(c, v);
        if (x < std::numeric_limits<ISC_LONG>::min() || x > std::numeric_limits<ISC_LONG>::max())
            outOfRange(v, c);
        store<ISC_LONG>(p, static_cast<ISC_LONG>(x));
        break;
    }
    case SQL_INT64:
        store<ISC_INT64>(p, scaledValue(c, v));
        break;
    case SQL_FLOAT:
        store<float>(p, static_cast<float>(doubleValue(v)));
        break;
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        store<double>(p, doubleValue(v));
        break;
    case SQL_TYPE_DATE:
        store<ISC_DATE>(p, iscFromDate(dateValue(v)));
        break;
    case SQL_TYPE_TIME:
        store<ISC_TIME>(p, iscTime(timeValue(v)));
        break;
    case SQL_TIMESTAMP: {
        const QDateTime dt = dateTimeValue(v);
        ISC_TIMESTAMP ts{iscFromDate(dt.date()), iscTime(dt.time())};
        store(p, ts);
        break;
    }
    case SQL_BOOLEAN: {
        bool b = v.toBool();
        if (v.typeId() == QMetaType::QString) {
            const QString s = v.toString().trimmed().toLower();
            b = !(s == u"0" || s == u"false" || s == u"f" || s == u"n" || s == u"nie");
        }
        *p = b ? 1 : 0;
        break;
    }
    case SQL_BLOB:
        if (v.typeId() != qMetaTypeId<BlobId>())
            throw EDatabaseError(QStringLiteral("Parameter%1 čaká blob")
                                     .arg(c.alias.isEmpty() ? QString() : QLatin1Char(' ') + c.alias));
        store(p, v.value<BlobId>().quad);
        break;
    case SQL_NULL:
        break;
    default:
        throw EDatabaseError(QStringLiteral("Nepodporovaný typ%1").arg(forParam(c)));
    }
    store<short>(msg + c.nullOffset, 0);
}

} // namespace fb
