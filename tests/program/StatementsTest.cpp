// Every statement of every module prepares on a fresh database: the tables, views, columns and
// procedures it names exist and no join it makes is ambiguous. Each module lists its statements in its
// All(); a new module adds its list here.
#include "common/TempDatabase.h"
#include "dispatch/ExpSql.h"
#include "platform/fb/IBCustomDataSet.h"
#include "platform/fb/IBDatabase.h"
#include "platform/os/Exception.h"
#include "material/MTZSql.h"
#include "production/MzdySql.h"
#include "production/VykSql.h"
#include "production/VyrobaSql.h"
#include "production/SprievodkaSql.h"
#include "sales/OdbytSql.h"
#include "sales/TPVSql.h"
#include "shell/AdminSql.h"
#include "shell/CisSql.h"
#include "shell/ZalSql.h"

#include <gtest/gtest.h>

namespace {

// A fresh database, attached as the program attaches, in a transaction of its own.
struct Connection {
    TempDatabase database;
    TIBDatabase db;
    TIBTransaction tr{&db};
    bool open()
    {
        if (database.path().isEmpty())
            return false;
        db.DatabaseName = database.path();
        db.Params.SetValue(QStringLiteral("user_name"), QStringLiteral("SYSDBA"));
        db.Params.SetValue(QStringLiteral("lc_ctype"), QStringLiteral("WIN1250"));
        db.SetDefaultTransaction(&tr);
        db.Open();
        tr.StartTransaction();
        return true;
    }
};

// Every module's statements, the templates filled as its forms fill them.
const QList<QPair<const char *, QStringList>> &modules()
{
    static const QList<QPair<const char *, QStringList>> all{
        {"shell", ZalSql::All()},
        {"code lists", CisSql::All()},
        {"sales", OdbytSql::All()},
        {"technology", TPVSql::All()},
        {"dispatch", ExpSql::All()},
        {"material", MTZSql::All()},
        {"administration", AdminSql::All()},
        {"production", VyrobaSql::All()},
        {"job ticket", SprievodkaSql::All()},
        {"performances", VykSql::All()},
        {"wages", MzdySql::All()},
    };
    return all;
}

TEST(Statements, EveryModulesStatementsPrepare)
{
    Connection c;
    ASSERT_TRUE(c.open()) << "no template database";

    int count = 0;
    QStringList failures;
    for (const auto &[module, statements] : modules()) {
        EXPECT_FALSE(statements.isEmpty()) << module;
        for (const QString &sql : statements) {
            ++count;
            TIBQuery q;
            q.SetDatabase(&c.db);
            q.SQL().SetText(sql);
            try {
                q.Prepare();
            } catch (const Exception &e) {
                failures << QLatin1String(module) + QStringLiteral(": ") + e.Message + QStringLiteral("\n    ") + sql;
            }
        }
    }
    EXPECT_TRUE(failures.isEmpty()) << failures.size() << " of " << count << " statements fail:\n"
                                    << failures.join('\n').toStdString();
}

// Repeated result names that no form or rule reads by name: the beginning of the statement's text, the
// names, and why the repeat does no harm.
struct HarmlessRepeat {
    const char *statementStart;
    QStringList names;
    const char *why;
};
const QList<HarmlessRepeat> harmlessRepeats{
    {"select *\nfrom MPOHYBY join POLOZKY",
     {"C_POL", "CENA_NAKL", "VYSTAVIL"},
     "the stock movements' list as declared: its form puts its own column list in place of \"select *\" "
     "before the list is ever opened"},
};

bool harmless(const QString &sql, const QString &name)
{
    for (const HarmlessRepeat &h : harmlessRepeats)
        if (h.names.contains(name) && sql.startsWith(QLatin1String(h.statementStart)))
            return true;
    return false;
}

TEST(Statements, NoStatementRepeatsAResultName)
{
    // A repeated name is read by name only from its first column: the fields of the later ones are
    // renamed ("NAME_1"), so a form asking for the name would read the wrong column's data.
    Connection c;
    ASSERT_TRUE(c.open()) << "no template database";
    QStringList repeats;
    for (const auto &[module, statements] : modules()) {
        for (const QString &sql : statements) {
            TIBQuery q;
            q.SetDatabase(&c.db);
            q.SQL().SetText(sql);
            try {
                q.Prepare();
            } catch (const Exception &) {
                continue; // reported by the test above
            }
            QStringList seen;
            for (const QString &name : q.ColumnNames()) {
                const QString upper = name.toUpper();
                if (seen.contains(upper) && !harmless(sql, upper))
                    repeats << QLatin1String(module) + QStringLiteral(": ") + name + QStringLiteral("\n    ") + sql;
                seen << upper;
            }
        }
    }
    EXPECT_TRUE(repeats.isEmpty()) << repeats.size() << " repeated result names:\n" << repeats.join('\n').toStdString();
}

TEST(Statements, AMisspeltStatementIsCaught)
{
    // The check itself: a statement naming a missing column does not prepare.
    Connection c;
    ASSERT_TRUE(c.open()) << "no template database";
    TIBQuery q;
    q.SetDatabase(&c.db);
    q.SQL().SetText(QStringLiteral("select NO_SUCH_COLUMN from COdberatelov"));
    EXPECT_THROW(q.Prepare(), Exception);
}

} // namespace
