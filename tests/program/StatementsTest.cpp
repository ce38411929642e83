// Every statement of every module prepares on a fresh database: the tables, views, columns and
// procedures it names exist and no join it makes is ambiguous. Each module lists its statements in its
// All(); a new module adds its list here.
#include "common/TempDatabase.h"
#include "dispatch/ExpSql.h"
#include "platform/fb/IBCustomDataSet.h"
#include "platform/fb/IBDatabase.h"
#include "platform/fbapi/ParamParser.h"
#include "platform/fbapi/Statement.h"
#include "platform/fbapi/Transaction.h"
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

#include <QRegularExpression>

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

// The tables that grow with every order, job, hand-over and delivery: a statement that reads one of them
// whole costs more with each year of history.
const QStringList growingTables{"ZAKAZKY", "ZAKAZKYD", "ZAKKALK", "EDLISTY",     "EDLISTYD",  "SODVODY",
                                "SVYKONY", "SPLAND",   "MPOHYBY", "MPOZIADAVKY", "QMESSAGES", "QMESSAGE_ROWS"};

// The growing tables a statement reads whole, from its detailed plan ("Table "T" as "A" Full Scan").
QStringList fullScans(fb::Attachment &att, const QString &sql)
{
    fb::Transaction tr(att);
    fb::Statement st;
    st.prepare(tr, fb::parseParams(sql).sql);
    static const QRegularExpression scan(QStringLiteral("Table \"([^\"]+)\"[^\n]* Full Scan"));
    QStringList tables;
    for (const auto &m : scan.globalMatch(st.plan(true)))
        if (growingTables.contains(m.captured(1)) && !tables.contains(m.captured(1)))
            tables << m.captured(1);
    return tables;
}

// The statement's text with its blanks and line ends made single spaces.
QString simplified(const QString &sql)
{
    return sql.simplified();
}

// Lists and reports a person opens over the whole of a table, which still read it whole on a fresh
// database: the beginning of the statement (simplified) and the tables it reads whole. A new whole read
// fails the test below, and so does a line here that no longer reads whole, so the list only shrinks.
struct KnownWholeRead {
    const char *module;
    const char *tables;
    const char *statementStart;
};
const QList<KnownWholeRead> knownWholeReads{
#include "KnownWholeReads.inc"
};

bool known(const char *module, const QString &tables, const QString &sql, QList<int> *seen)
{
    const QString text = simplified(sql);
    bool found = false;
    for (int i = 0; i < knownWholeReads.size(); ++i) {
        const KnownWholeRead &k = knownWholeReads[i];
        if (QLatin1String(k.module) == QLatin1String(module) && tables == QLatin1String(k.tables) &&
            text.startsWith(QString::fromUtf8(k.statementStart))) {
            *seen << i;
            found = true;
        }
    }
    return found;
}

TEST(Statements, NoStatementReadsAGrowingTableWhole)
{
    Connection c;
    ASSERT_TRUE(c.open()) << "no template database";
    QStringList scans;
    QList<int> seen;
    for (const auto &[module, statements] : modules()) {
        for (const QString &sql : statements) {
            QStringList tables;
            try {
                tables = fullScans(c.db.Attachment(), sql);
            } catch (const Exception &) {
                continue; // reported by the test that prepares every statement
            }
            const QString names = tables.join(QLatin1Char(','));
            if (!tables.isEmpty() && !known(module, names, sql, &seen))
                scans << QStringLiteral("{\"%1\", \"%2\", \"%3\"},")
                             .arg(QLatin1String(module), names, simplified(sql).left(80).replace('"', "\\\""));
        }
    }
    EXPECT_TRUE(scans.isEmpty()) << scans.size() << " statements read a growing table whole:\n"
                                 << scans.join('\n').toStdString();
    QStringList gone;
    for (int i = 0; i < knownWholeReads.size(); ++i)
        if (!seen.contains(i))
            gone << QString::fromUtf8(knownWholeReads[i].statementStart);
    EXPECT_TRUE(gone.isEmpty()) << "no longer read whole, take them off the list:\n" << gone.join('\n').toStdString();
}

TEST(Statements, TheHighestNumbersAreReadFromTheTopOfADescendingIndex)
{
    // Firebird reads a MAX from the first entry of a descending index it walks in order (no bitmap);
    // from an ascending one it reads every number of the year's range.
    Connection c;
    ASSERT_TRUE(c.open()) << "no template database";
    const QList<QPair<QString, QString>> lookUps{
        {ZalSql::HighestKey.arg(QStringLiteral("C_INT"), QStringLiteral("ZAKAZKYD")), "IX_ZAKAZKYD_CINT_DESC"},
        {ZalSql::HighestKey.arg(QStringLiteral("C_OBJ"), QStringLiteral("ZAKAZKY")), "IX_ZAKAZKY_COBJ_DESC"},
        {ZalSql::HighestKey.arg(QStringLiteral("C_DL"), QStringLiteral("EDLISTY")), "IX_EDLISTY_CDL_DESC"},
        {ExpSql::LastInvoiceNumber, "IX_EDLISTY_CFAKTURY_DESC"},
    };
    for (const auto &[sql, index] : lookUps) {
        fb::Transaction tr(c.db.Attachment());
        fb::Statement st;
        st.prepare(tr, fb::parseParams(sql).sql);
        const QString plan = st.plan(true);
        EXPECT_TRUE(plan.contains(QStringLiteral("Index \"%1\" Range Scan").arg(index)) && !plan.contains("Bitmap"))
            << sql.toStdString() << "\n"
            << plan.toStdString();
    }
}

TEST(Statements, AFullScanIsSeenInThePlan)
{
    // The check itself: a condition no index serves reads the table whole, through a view as well.
    Connection c;
    ASSERT_TRUE(c.open()) << "no template database";
    EXPECT_EQ(fullScans(c.db.Attachment(), QStringLiteral("select count(*) from EDLISTY where PREVZAL = :p")),
              QStringList{"EDLISTY"});
    EXPECT_EQ(fullScans(c.db.Attachment(), QStringLiteral("select * from ZAKAZKYD where C_INT = :c")), QStringList{});
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
