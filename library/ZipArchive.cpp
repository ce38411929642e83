#include "library/ZipArchive.h"

#include <QFile>
#include <QSaveFile>
#include <zlib.h>

namespace {

quint32 u16(const QByteArray &b, qsizetype at)
{
    return quint8(b[at]) | quint32(quint8(b[at + 1])) << 8;
}

quint32 u32(const QByteArray &b, qsizetype at)
{
    return u16(b, at) | u16(b, at + 2) << 16;
}

void put16(QByteArray &b, quint32 v)
{
    b.append(char(v & 0xff)).append(char((v >> 8) & 0xff));
}

void put32(QByteArray &b, quint32 v)
{
    put16(b, v & 0xffff);
    put16(b, v >> 16);
}

bool inflateRaw(const QByteArray &in, qsizetype size, QByteArray &out)
{
    out.resize(size);
    z_stream s{};
    if (inflateInit2(&s, -MAX_WBITS) != Z_OK)
        return false;
    s.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(in.constData()));
    s.avail_in = uInt(in.size());
    s.next_out = reinterpret_cast<Bytef *>(out.data());
    s.avail_out = uInt(out.size());
    const int rc = inflate(&s, Z_FINISH);
    const bool ok = rc == Z_STREAM_END && s.total_out == uLong(size);
    inflateEnd(&s);
    return ok;
}

QByteArray deflateRaw(const QByteArray &in)
{
    z_stream s{};
    deflateInit2(&s, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    QByteArray out(qsizetype(deflateBound(&s, uLong(in.size()))), Qt::Uninitialized);
    s.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(in.constData()));
    s.avail_in = uInt(in.size());
    s.next_out = reinterpret_cast<Bytef *>(out.data());
    s.avail_out = uInt(out.size());
    deflate(&s, Z_FINISH);
    out.resize(qsizetype(s.total_out));
    deflateEnd(&s);
    return out;
}

bool fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}

} // namespace

bool TZipArchive::Load(const QString &fileName, QString *error)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return fail(error, QStringLiteral("Súbor %1 nie je možné otvoriť: %2").arg(fileName, file.errorString()));
    return Load(file.readAll(), error);
}

bool TZipArchive::Load(const QByteArray &b, QString *error)
{
    Entries.clear();
    const QString broken = QStringLiteral("Súbor nie je platný archív zip.");
    // The end record, within the last 64 KiB and its own 22 bytes (a comment may follow it).
    qsizetype end = -1;
    for (qsizetype at = b.size() - 22; at >= 0 && at >= b.size() - 22 - 0xffff; --at)
        if (u32(b, at) == 0x06054b50) {
            end = at;
            break;
        }
    if (end < 0)
        return fail(error, broken);
    const quint32 count = u16(b, end + 10);
    qsizetype at = u32(b, end + 16);
    for (quint32 i = 0; i < count; ++i) {
        if (at + 46 > b.size() || u32(b, at) != 0x02014b50)
            return fail(error, broken);
        const quint32 method = u16(b, at + 10);
        const qsizetype packed = u32(b, at + 20), size = u32(b, at + 24);
        const qsizetype nameLength = u16(b, at + 28), extra = u16(b, at + 30), comment = u16(b, at + 32);
        const qsizetype local = u32(b, at + 42);
        if (size > 0x10000000) // a part of an office document is never that large
            return fail(error, broken);
        TZipEntry entry;
        entry.Name = QString::fromUtf8(b.mid(at + 46, nameLength));
        at += 46 + nameLength + extra + comment;
        if (local + 30 > b.size() || u32(b, local) != 0x04034b50)
            return fail(error, broken);
        const qsizetype data = local + 30 + u16(b, local + 26) + u16(b, local + 28);
        if (data + packed > b.size())
            return fail(error, broken);
        const QByteArray raw = b.mid(data, packed);
        if (method == 0) {
            entry.Data = raw;
            entry.Stored = true;
        } else if (method != 8 || !inflateRaw(raw, size, entry.Data)) {
            return fail(error, broken);
        }
        Entries.push_back(std::move(entry));
    }
    return true;
}

QByteArray TZipArchive::Bytes() const
{
    QByteArray out, directory;
    for (const TZipEntry &e : Entries) {
        const QByteArray name = e.Name.toUtf8();
        const QByteArray data = e.Stored ? e.Data : deflateRaw(e.Data);
        const quint32 crc = quint32(crc32(0, reinterpret_cast<const Bytef *>(e.Data.constData()), uInt(e.Data.size())));
        const quint32 offset = quint32(out.size());
        const quint32 method = e.Stored ? 0 : 8;
        // Local header: signature, version, flags (UTF-8 names), method, time, date, sizes, name.
        put32(out, 0x04034b50);
        put16(out, 20);
        put16(out, 0x0800);
        put16(out, method);
        put16(out, 0);
        put16(out, 0x21);
        put32(out, crc);
        put32(out, quint32(data.size()));
        put32(out, quint32(e.Data.size()));
        put16(out, quint32(name.size()));
        put16(out, 0);
        out += name;
        out += data;

        put32(directory, 0x02014b50);
        put16(directory, 20);
        put16(directory, 20);
        put16(directory, 0x0800);
        put16(directory, method);
        put16(directory, 0);
        put16(directory, 0x21);
        put32(directory, crc);
        put32(directory, quint32(data.size()));
        put32(directory, quint32(e.Data.size()));
        put16(directory, quint32(name.size()));
        put16(directory, 0);
        put16(directory, 0);
        put16(directory, 0);
        put16(directory, 0);
        put32(directory, 0);
        put32(directory, offset);
        directory += name;
    }
    const quint32 start = quint32(out.size());
    out += directory;
    put32(out, 0x06054b50);
    put16(out, 0);
    put16(out, 0);
    put16(out, quint32(Entries.size()));
    put16(out, quint32(Entries.size()));
    put32(out, quint32(directory.size()));
    put32(out, start);
    put16(out, 0);
    return out;
}

bool TZipArchive::Save(const QString &fileName, QString *error) const
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(Bytes()) < 0 || !file.commit())
        return fail(error, QStringLiteral("Súbor %1 nie je možné zapísať: %2").arg(fileName, file.errorString()));
    return true;
}

TZipEntry *TZipArchive::Find(const QString &name)
{
    for (TZipEntry &e : Entries)
        if (e.Name == name)
            return &e;
    return nullptr;
}

void TZipArchive::Set(const QString &name, const QByteArray &data)
{
    if (TZipEntry *e = Find(name))
        e->Data = data;
    else
        Entries.push_back({name, data, false});
}

void TZipArchive::Remove(const QString &name)
{
    std::erase_if(Entries, [&](const TZipEntry &e) { return e.Name == name; });
}
