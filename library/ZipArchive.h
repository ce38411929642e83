// A zip archive held in memory: read from a file (stored and deflated entries) and written to a new file.
// Office documents (OpenDocument, .xlsx) are zips of XML parts filled this way.
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

struct TZipEntry {
    QString Name;
    QByteArray Data;
    // Written without compression (the OpenDocument "mimetype" must be).
    bool Stored = false;
};

class TZipArchive {
public:
    // What a read archive may hold: a few bytes of deflated data can stand for gigabytes, and the directory
    // may point many entries at the same data. An office document stays far below these.
    static constexpr qsizetype MaxEntries = 10'000;
    static constexpr qsizetype MaxTotalSize = 256 * 1024 * 1024;

    // Replaces the entries with those of the file; false, with the reason, when it is no readable zip or
    // exceeds the limits above (checked on the directory, before anything is unpacked).
    bool Load(const QString &fileName, QString *error = nullptr);
    bool Load(const QByteArray &bytes, QString *error = nullptr);
    // The bytes of a file to be loaded; false, with the reason, when it cannot be read or is larger than an
    // archive within the limits can be.
    static bool ReadFile(const QString &fileName, QByteArray &bytes, QString *error = nullptr);
    // Writes the entries, in their order, as a new file.
    bool Save(const QString &fileName, QString *error = nullptr) const;
    QByteArray Bytes() const;

    // The entry of the name, or null.
    TZipEntry *Find(const QString &name);
    // Sets the data of the entry, adding it at the end when missing.
    void Set(const QString &name, const QByteArray &data);
    void Remove(const QString &name);

    std::vector<TZipEntry> Entries;
};
