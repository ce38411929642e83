#include "ServiceBlocks.h"

#include "platform/os/Exception.h"
#include "platform/os/Win1250.h"

namespace {

// Item tags of the blocks and answers.
constexpr unsigned char InfoEnd = 1;
constexpr unsigned char SvcServerVersion = 55, SvcDatabaseInfo = 50;
constexpr unsigned char SpbDbName = 2, SpbNumAttachments = 5, SpbNumDatabases = 6, InfoFlagEnd = 127;
constexpr unsigned char OdsMajor = 32, OdsMinor = 33;

// Reads little-endian numbers and counted texts of an answer without passing its end.
class AnswerReader {
public:
    explicit AnswerReader(const QByteArray &answer) : a_(answer) {}
    bool atEnd() const { return pos_ >= a_.size(); }
    bool byte(unsigned char &out)
    {
        if (atEnd())
            return false;
        out = static_cast<unsigned char>(a_[pos_++]);
        return true;
    }
    bool number(int bytes, qint64 &out)
    {
        if (bytes < 0 || bytes > 8 || pos_ + bytes > a_.size())
            return false;
        quint64 v = 0;
        for (int i = 0; i < bytes; ++i)
            v |= quint64(static_cast<unsigned char>(a_[pos_ + i])) << (8 * i);
        // Sign-extend, as the server's little-endian integers are signed.
        if (bytes > 0 && bytes < 8 && (v >> (8 * bytes - 1)) & 1)
            v |= ~quint64(0) << (8 * bytes);
        out = qint64(v);
        pos_ += bytes;
        return true;
    }
    bool text(QString &out)
    {
        qint64 len = 0;
        if (!number(2, len))
            return false;
        len &= 0xffff;
        if (pos_ + len > a_.size())
            return false;
        out = Win1250::toUnicode(a_.constData() + pos_, len);
        pos_ += len;
        return true;
    }
    bool skipText()
    {
        QString ignored;
        return text(ignored);
    }
    // An item's value given as a two-byte length and a number of that length.
    bool sizedNumber(qint64 &out)
    {
        qint64 len = 0;
        return number(2, len) && number(int(len & 0xffff), out);
    }

private:
    const QByteArray &a_;
    qsizetype pos_ = 0;
};

// Reads the database cluster up to its end flag; false when the answer ends or is unreadable.
bool readDatabaseCluster(AnswerReader &r, TServerInfo &info)
{
    unsigned char tag = 0;
    while (r.byte(tag)) {
        qint64 n = 0;
        switch (tag) {
        case InfoFlagEnd:
            return true;
        case SpbNumAttachments:
            if (!r.number(4, n))
                return false;
            info.NumAttachments = int(n);
            break;
        case SpbNumDatabases:
            if (!r.number(4, n))
                return false;
            info.NumDatabases = int(n);
            break;
        case SpbDbName:
            if (!r.skipText())
                return false;
            break;
        default:
            return false; // an item whose length is not known cannot be stepped over
        }
    }
    return false;
}

} // namespace

namespace {
// The length of a database name's server part before its ':', 0 for none: no ':', or a drive letter
// ("C:\..." / "C:/...").
qsizetype serverPartLength(const QString &databaseName)
{
    const qsizetype colon = databaseName.indexOf(QLatin1Char(':'));
    if (colon < 0 || (colon == 1 && databaseName.size() > 2 &&
                      (databaseName[2] == QLatin1Char('\\') || databaseName[2] == QLatin1Char('/'))))
        return 0;
    return colon;
}
} // namespace

QString ServiceManagerName(const QString &databaseName)
{
    const QString service = QStringLiteral("service_mgr");
    const qsizetype server = serverPartLength(databaseName);
    if (server == 0)
        return service;
    return databaseName.left(server) + QLatin1Char(':') + service;
}

bool IsServerDatabaseName(const QString &databaseName)
{
    const QString name = databaseName.trimmed();
    for (const char *protocol : {"inet://", "inet4://", "inet6://", "wnet://", "xnet://"})
        if (name.startsWith(QLatin1String(protocol), Qt::CaseInsensitive))
            return true;
    return serverPartLength(name) > 0;
}

QByteArray ServerInfoRequest(bool versionOnly)
{
    QByteArray request(1, char(SvcServerVersion));
    if (!versionOnly)
        request += char(SvcDatabaseInfo);
    return request;
}

TServerInfo ParseServerInfo(const QByteArray &answer)
{
    TServerInfo info;
    AnswerReader r(answer);
    unsigned char tag = 0;
    while (r.byte(tag)) {
        if (tag == SvcServerVersion) {
            if (!r.text(info.Version))
                break;
        } else if (tag == SvcDatabaseInfo) {
            if (!readDatabaseCluster(r, info))
                break;
        } else {
            break; // the end, a truncated answer, or an item not asked for
        }
    }
    return info;
}

QByteArray OdsInfoRequest()
{
    return QByteArray{} + char(OdsMajor) + char(OdsMinor) + char(InfoEnd);
}

void ParseOdsInfo(const QByteArray &answer, int &major, int &minor)
{
    major = minor = 0;
    AnswerReader r(answer);
    unsigned char tag = 0;
    while (r.byte(tag) && (tag == OdsMajor || tag == OdsMinor)) {
        qint64 n = 0;
        if (!r.sizedNumber(n))
            return;
        (tag == OdsMajor ? major : minor) = int(n);
    }
}
