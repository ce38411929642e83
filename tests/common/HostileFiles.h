// Hostile files made in the test: deeply nested XML, zips whose directory points many entries at the same
// bytes; writing them, and the peak memory of the test process.
#pragma once

#include "library/ZipArchive.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QPair>
#include <gtest/gtest.h>
#include <sys/resource.h>

// open repeated depth times around inner, closed as deep, between head and tail.
inline QByteArray Nested(int depth, const QByteArray &open, const QByteArray &close, const QByteArray &head,
                         const QByteArray &tail, const QByteArray &inner = {})
{
    return head + open.repeated(depth) + inner + close.repeated(depth) + tail;
}

// An archive of the parts in order; "mimetype" is stored, the rest deflated.
inline QByteArray ZipOf(const QList<QPair<QString, QByteArray>> &parts)
{
    TZipArchive zip;
    for (const auto &[name, data] : parts)
        zip.Entries.push_back({name, data, name == QLatin1String("mimetype")});
    return zip.Bytes();
}

// The archive of one entry with its directory record given copies times, every copy pointing at the same
// local header and data.
inline QByteArray PointedManyTimes(const QByteArray &zip, int copies)
{
    const auto u32 = [&](qsizetype at) {
        return quint32(quint8(zip[at])) | quint32(quint8(zip[at + 1])) << 8 | quint32(quint8(zip[at + 2])) << 16 |
               quint32(quint8(zip[at + 3])) << 24;
    };
    const auto put = [](QByteArray &b, qsizetype at, quint32 v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            b[at + i] = char((v >> (8 * i)) & 0xff);
    };
    const qsizetype end = zip.size() - 22;
    const quint32 start = u32(end + 16), size = u32(end + 12);
    const QByteArray record = zip.mid(start, size);
    QByteArray tail = zip.mid(end);
    put(tail, 8, quint32(copies), 2);
    put(tail, 10, quint32(copies), 2);
    put(tail, 12, quint32(record.size() * copies), 4);
    return zip.left(start) + record.repeated(copies) + tail;
}

// Writes the bytes as the file (replacing it) and returns its name.
inline QString WriteTestFile(const QString &fileName, const QByteArray &bytes)
{
    QFile f(fileName);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        ADD_FAILURE() << "cannot write " << fileName.toStdString();
    return f.fileName();
}

// The most memory the test process has held so far, in kilobytes.
inline long PeakMemoryKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}
