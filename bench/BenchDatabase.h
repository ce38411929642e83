// The connection the benchmarks measure through: the program's own classes over a file made for the run.
#pragma once

#include "library/xDatabase.h"

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
