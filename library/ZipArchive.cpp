#include "library/ZipArchive.h"

#include <QFile>
#include <QSaveFile>
#include <algorithm>
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

QString tooLarge()
{
    return QStringLiteral("Archív zip by po rozbalení zabral viac ako %1 MB.").arg(TZipArchive::MaxTotalSize >> 20);
}

bool fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}

} // namespace

bool TZipArchive::ReadFile(const QString &fileName, QByteArray &bytes, QString *error)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return fail(error, file.errorString());
    // The entries and their headers: anything much larger cannot be within the limits.
    if (file.size() > MaxTotalSize + 16 * 1024 * 1024)
        return fail(error, tooLarge());
    bytes = file.readAll();
    return true;
}

bool TZipArchive::Load(const QString &fileName, QString *error)
{
    QByteArray bytes;
    QString reason;
    if (!ReadFile(fileName, bytes, &reason))
        return fail(error, QStringLiteral("Súbor %1 nie je možné otvoriť: %2").arg(fileName, reason));
    return Load(bytes, error);
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
    if (count > MaxEntries)
        return fail(error, QStringLiteral("Archív zip má viac ako %1 položiek.").arg(MaxEntries));
    // The directory is read whole and checked before anything is unpacked.
    struct Part {
        QString name;
        quint32 method;
        qsizetype local, data, packed, size;
    };
    std::vector<Part> parts;
    parts.reserve(count);
    qsizetype total = 0;
    qsizetype at = u32(b, end + 16);
    for (quint32 i = 0; i < count; ++i) {
        if (at + 46 > b.size() || u32(b, at) != 0x02014b50)
            return fail(error, broken);
        Part part;
        part.method = u16(b, at + 10);
        part.packed = u32(b, at + 20);
        part.size = u32(b, at + 24);
        const qsizetype nameLength = u16(b, at + 28), extra = u16(b, at + 30), comment = u16(b, at + 32);
        part.local = u32(b, at + 42);
        part.name = QString::fromUtf8(b.mid(at + 46, nameLength));
        at += 46 + nameLength + extra + comment;
        total += part.method == 0 ? part.packed : part.size;
        if (total > MaxTotalSize)
            return fail(error, tooLarge());
        if (part.local + 30 > b.size() || u32(b, part.local) != 0x04034b50)
            return fail(error, broken);
        part.data = part.local + 30 + u16(b, part.local + 26) + u16(b, part.local + 28);
        if (part.data + part.packed > b.size())
            return fail(error, broken);
        parts.push_back(std::move(part));
    }
    // Each entry has bytes of its own: entries that share them would unpack the same data many times over.
    std::vector<std::pair<qsizetype, qsizetype>> spans;
    spans.reserve(parts.size());
    for (const Part &p : parts)
        spans.emplace_back(p.local, p.data + p.packed);
    std::sort(spans.begin(), spans.end());
    for (size_t i = 1; i < spans.size(); ++i)
        if (spans[i].first < spans[i - 1].second)
            return fail(error, QStringLiteral("Položky archívu zip sa prekrývajú."));
    for (Part &p : parts) {
        TZipEntry entry;
        entry.Name = std::move(p.name);
        const QByteArray raw = b.mid(p.data, p.packed);
        if (p.method == 0) {
            entry.Data = raw;
            entry.Stored = true;
        } else if (p.method != 8 || !inflateRaw(raw, p.size, entry.Data)) {
            Entries.clear();
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
