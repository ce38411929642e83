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
    // Replaces the entries with those of the file; false, with the reason, when it is no readable zip.
    bool Load(const QString &fileName, QString *error = nullptr);
    bool Load(const QByteArray &bytes, QString *error = nullptr);
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
