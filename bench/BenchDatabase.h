// The connection the benchmarks measure through: the program's own classes over a file made for the run.
#pragma once

#include "library/xDatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

struct BenchDatabase {
    TxDatabase db;
    TIBTransaction tr;
    explicit BenchDatabase(const QString &path) : tr(&db)
    {
        db.DatabaseName = path;
        db.Params.SetValue(QStringLiteral("user_name"), QStringLiteral("SYSDBA"));
        db.SetDefaultTransaction(&tr);
        db.Open();
    }
};

// database/create.sh: given as the first argument, or found above the benchmark's folder (build folders sit
// in the source tree), or in the source tree it was built from.
inline QString FindCreateScript(int argc, char **argv)
{
    if (argc > 1)
        return QString::fromLocal8Bit(argv[1]);
    QDir dir(QCoreApplication::applicationDirPath());
    for (int up = 0; up < 6; ++up) {
        const QString candidate = dir.filePath(QStringLiteral("database/create.sh"));
        if (QFileInfo::exists(candidate))
            return candidate;
        if (!dir.cdUp())
            break;
    }
    const QString inSource = QStringLiteral(TARVIS_SOURCE_DIR "/database/create.sh");
    return QFileInfo::exists(inSource) ? inSource : QString();
}
