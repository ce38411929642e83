// A fresh database of the program's schema for a benchmark, made by database/create.sh in a folder of
// its own, with the settings file and the user's configuration that point the program at it, and the
// base data module connected to it.
#pragma once

#include "BenchDatabase.h"
#include "platform/os/IniFile.h"
#include "shell/DMZal.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <cstdio>
#include <functional>
#include <memory>

// Creates TarvDB.fdb in the folder (with the demo foundry when demo is set; a copy of the database the
// environment's BENCH_DATABASE names when it is set) and writes the settings there;
// false (with the reason printed under the benchmark's name) when the script is missing or fails. The
// program file is folder/tarvis.
inline bool CreateProgramDatabase(const char *bench, int argc, char **argv, const QString &folder, bool demo = false)
{
    const QString script = FindCreateScript(argc, argv);
    if (script.isEmpty()) {
        std::fprintf(stderr, "%s: database/create.sh not found; give its path\n", bench);
        return false;
    }
    const QString database = QDir(folder).filePath(QStringLiteral("TarvDB.fdb"));
    // A database with history (bench/history.sh) in place of a fresh one: a copy of it is used.
    const QString given = qEnvironmentVariable("BENCH_DATABASE");
    if (!given.isEmpty()) {
        if (!QFile::copy(given, database)) {
            std::fprintf(stderr, "%s: %s could not be copied\n", bench, qPrintable(given));
            return false;
        }
        QFile::setPermissions(database, QFile::ReadOwner | QFile::WriteOwner);
    } else {
        QProcess create;
        QStringList arguments{script, database};
        if (demo)
            arguments << QStringLiteral("--demo");
        create.start(QStringLiteral("bash"), arguments);
        if (!create.waitForFinished(300000) || create.exitCode() != 0) {
            std::fprintf(stderr, "%s: creating the database failed:\n%s\n", bench,
                         create.readAllStandardError().constData());
            return false;
        }
    }
    qputenv("XDG_CONFIG_HOME", QDir(folder).filePath(QStringLiteral("config")).toUtf8());
    TIniFile(QDir(folder).filePath(QStringLiteral("TarvIS.ini")))
        .WriteString(QStringLiteral("Database"), QStringLiteral("Name"), database);
    return true;
}

// The base data module connected to a fresh database in the folder; null (the reason printed) on failure.
// A benchmark that fills the database itself gives fill, called with the database file before the connection.
inline std::unique_ptr<TDMZal> OpenProgramDatabase(const char *bench, int argc, char **argv, const QString &folder,
                                                   bool demo = false,
                                                   const std::function<void(const QString &)> &fill = {})
{
    if (!CreateProgramDatabase(bench, argc, argv, folder, demo))
        return nullptr;
    if (fill)
        fill(QDir(folder).filePath(QStringLiteral("TarvDB.fdb")));
    auto dm = std::make_unique<TDMZal>(QDir(folder).filePath(QStringLiteral("tarvis")));
    dm->ConnectDatabase();
    if (!dm->DBZAL.Connected()) {
        std::fprintf(stderr, "%s: no connection\n", bench);
        return nullptr;
    }
    return dm;
}
