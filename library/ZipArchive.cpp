#include "library/ZipArchive.h"

#include <QFile>
#include <QSaveFile>
#include <QSet>
#include <algorithm>
#include <memory>
#include <zip.h>

// The archive format is libzip's: this class keeps the limits an archive a user picks must stay within, and
// the entries in memory in their order.

namespace {

struct ZipCloser {
    void operator()(zip_t *z) const { zip_discard(z); }
};
using ZipHandle = std::unique_ptr<zip_t, ZipCloser>;

struct FileCloser {
    void operator()(zip_file_t *f) const { zip_fclose(f); }
};

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
    zip_error_t why;
    zip_error_init(&why);
    zip_source_t *source = zip_source_buffer_create(b.constData(), zip_uint64_t(b.size()), 0, &why);
    zip_error_fini(&why);
    if (!source)
        return fail(error, broken);
    // The limits below are checked first; libzip checks each entry's local header as it is opened.
    ZipHandle archive(zip_open_from_source(source, ZIP_RDONLY, nullptr));
    if (!archive) {
        zip_source_free(source);
        return fail(error, broken);
    }
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    if (count < 0)
        return fail(error, broken);
    if (count > MaxEntries)
        return fail(error, QStringLiteral("Archív zip má viac ako %1 položiek.").arg(MaxEntries));
    // The directory is read whole and checked before anything is unpacked. Entries of one name, or whose
    // packed bytes together exceed the archive, share their bytes: they would unpack the same data many times.
    struct Part {
        QString name;
        qsizetype size;
        bool stored;
    };
    std::vector<Part> parts;
    parts.reserve(size_t(count));
    qsizetype total = 0, packed = 0;
    QSet<QString> names;
    bool shared = false;
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(archive.get(), zip_uint64_t(i), 0, &st) != 0 ||
            (st.valid & (ZIP_STAT_NAME | ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE | ZIP_STAT_COMP_METHOD)) !=
                (ZIP_STAT_NAME | ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE | ZIP_STAT_COMP_METHOD))
            return fail(error, broken);
        if (st.comp_method != ZIP_CM_STORE && st.comp_method != ZIP_CM_DEFLATE)
            return fail(error, broken);
        total += qsizetype(std::min<zip_uint64_t>(st.size, zip_uint64_t(MaxTotalSize) + 1));
        if (total > MaxTotalSize)
            return fail(error, tooLarge());
        packed += qsizetype(std::min<zip_uint64_t>(st.comp_size, zip_uint64_t(b.size()) + 1));
        Part part{QString::fromUtf8(st.name), qsizetype(st.size), st.comp_method == ZIP_CM_STORE};
        shared = shared || packed > b.size() || names.contains(part.name);
        names.insert(part.name);
        parts.push_back(std::move(part));
    }
    if (shared)
        return fail(error, QStringLiteral("Položky archívu zip sa prekrývajú."));
    for (zip_int64_t i = 0; i < count; ++i) {
        Part &p = parts[size_t(i)];
        TZipEntry entry;
        entry.Name = std::move(p.name);
        entry.Stored = p.stored;
        entry.Data.resize(p.size);
        std::unique_ptr<zip_file_t, FileCloser> file(zip_fopen_index(archive.get(), zip_uint64_t(i), 0));
        // The whole entry, and not a byte more: libzip checks its length and checksum at its end.
        char spare;
        if (!file || zip_fread(file.get(), entry.Data.data(), zip_uint64_t(p.size)) != zip_int64_t(p.size) ||
            zip_fread(file.get(), &spare, 1) != 0) {
            Entries.clear();
            return fail(error, broken);
        }
        Entries.push_back(std::move(entry));
    }
    return true;
}

QByteArray TZipArchive::Bytes() const
{
    zip_error_t why;
    zip_error_init(&why);
    zip_source_t *target = zip_source_buffer_create(nullptr, 0, 0, &why);
    zip_error_fini(&why);
    if (!target)
        return {};
    // The buffer outlives the archive written into it.
    zip_source_keep(target);
    std::unique_ptr<zip_source_t, void (*)(zip_source_t *)> keep(target, zip_source_free);
    zip_t *archive = zip_open_from_source(target, ZIP_TRUNCATE, nullptr);
    if (!archive)
        return {};
    // Entries go in their order; a stored one ("mimetype" of an office document, which must come first and
    // unpacked) is written without compression.
    for (const TZipEntry &e : Entries) {
        zip_source_t *data = zip_source_buffer(archive, e.Data.constData(), zip_uint64_t(e.Data.size()), 0);
        const zip_int64_t index =
            data ? zip_file_add(archive, e.Name.toUtf8().constData(), data, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE) : -1;
        if (index < 0) {
            if (data)
                zip_source_free(data);
            zip_discard(archive);
            return {};
        }
        zip_set_file_compression(archive, zip_uint64_t(index), e.Stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 0);
        zip_file_set_mtime(archive, zip_uint64_t(index), 0, 0);
    }
    if (zip_close(archive) != 0) {
        zip_discard(archive);
        return {};
    }
    QByteArray out;
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_source_stat(target, &st) != 0 || zip_source_open(target) != 0)
        return {};
    out.resize(qsizetype(st.size));
    const zip_int64_t read = zip_source_read(target, out.data(), st.size);
    zip_source_close(target);
    if (read != zip_int64_t(st.size))
        return {};
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
