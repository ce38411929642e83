// What the fuzz targets share: the application object the readers expect, the input as text or as parts,
// and a file of the input for the readers that take a file name.
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QList>
#include <QString>

#include <cstdint>
#include <cstdlib>

// Every target is one of these: the input bytes in, nothing out; a fault is a crash, a hang or an abort.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

namespace fuzz {

inline void Start()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    static QCoreApplication *app = QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
    Q_UNUSED(app);
}

inline QByteArray Bytes(const std::uint8_t *data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

// The input cut into parts at each record separator (0x1E): several texts from one input, each mutated on its own.
inline QList<QByteArray> Parts(const QByteArray &bytes, qsizetype count)
{
    QList<QByteArray> parts = bytes.split('\x1e');
    while (parts.size() < count)
        parts.append(QByteArray());
    return parts;
}

// A file of this process holding the bytes (the readers of settings and word lists take a file name).
inline QString FileWith(const QByteArray &bytes, const QString &suffix)
{
    const QString name =
        QDir::temp().filePath(QStringLiteral("tarvis-fuzz-%1%2").arg(QCoreApplication::applicationPid()).arg(suffix));
    QFile f(name);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        std::abort();
    return name;
}

// A broken promise of a reader: reported as a crash, so the fuzzer keeps the input.
inline void Require(bool holds)
{
    if (!holds)
        std::abort();
}

} // namespace fuzz
