// Every statement of every module prepares on a fresh database: the tables, views, columns and
// procedures it names exist and no join it makes is ambiguous. Each module lists its statements in its
// All(); a new module adds its list here.
#include "common/TempDatabase.h"
#include "platform/fb/IBCustomDataSet.h"
#include "platform/fb/IBDatabase.h"
#include "platform/os/Exception.h"
#include "shell/CisSql.h"
#include "shell/ZalSql.h"

#include <gtest/gtest.h>

namespace {

TEST(Statements, EveryModulesStatementsPrepare)
{
    TempDatabase database;
    ASSERT_FALSE(database.path().isEmpty()) << "no template database";
    TIBDatabase db;
    db.DatabaseName = database.path();
    db.Params.SetValue(QStringLiteral("user_name"), QStringLiteral("SYSDBA"));
    db.Params.SetValue(QStringLiteral("lc_ctype"), QStringLiteral("WIN1250"));
    TIBTransaction tr(&db);
    db.SetDefaultTransaction(&tr);
    db.Open();
    tr.StartTransaction();

    const QList<QPair<const char *, QStringList>> modules{
        {"shell", ZalSql::All()},
        {"code lists", CisSql::All()},
    };
    int count = 0;
    QStringList failures;
    for (const auto &[module, statements] : modules) {
        EXPECT_FALSE(statements.isEmpty()) << module;
        for (const QString &sql : statements) {
            ++count;
            TIBQuery q;
            q.SetDatabase(&db);
            q.SQL().SetText(sql);
            try {
                q.Prepare();
            } catch (const Exception &e) {
                failures << QLatin1String(module) + QStringLiteral(": ") + e.Message + QStringLiteral("\n    ") + sql;
            }
        }
    }
    tr.Rollback();
    db.Close();
    EXPECT_TRUE(failures.isEmpty()) << failures.size() << " of " << count << " statements fail:\n"
                                    << failures.join('\n').toStdString();
}

TEST(Statements, AMisspeltStatementIsCaught)
{
    // The check itself: a statement naming a missing column does not prepare.
    TempDatabase database;
    ASSERT_FALSE(database.path().isEmpty()) << "no template database";
    TIBDatabase db;
    db.DatabaseName = database.path();
    db.Params.SetValue(QStringLiteral("user_name"), QStringLiteral("SYSDBA"));
    TIBTransaction tr(&db);
    db.SetDefaultTransaction(&tr);
    db.Open();
    tr.StartTransaction();
    TIBQuery q;
    q.SetDatabase(&db);
    q.SQL().SetText(QStringLiteral("select NO_SUCH_COLUMN from COdberatelov"));
    EXPECT_THROW(q.Prepare(), Exception);
    tr.Rollback();
}

} // namespace
