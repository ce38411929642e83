// Every statement of every module prepares on a fresh database: the tables, views, columns and
// procedures it names exist and no join it makes is ambiguous. Each module lists its statements in its
// All(); a new module adds its list here.
#include "common/TempDatabase.h"
#include "dispatch/ExpSql.h"
#include "platform/fb/IBCustomDataSet.h"
#include "platform/fb/IBDatabase.h"
#include "platform/fbapi/Decode.h"
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

// The growing tables a statement reads whole, from its detailed plan ("Table "T" as "A" Full Scan", or
// the table read by ID through an index's full scan).
QStringList fullScans(fb::Attachment &att, const QString &sql)
{
    fb::Transaction tr(att);
    fb::Statement st;
    st.prepare(tr, fb::parseParams(sql).sql);
    // Read in a whole index's order (to spare a sort) is read whole as well.
    static const QRegularExpression scan(
        QStringLiteral("Table \"([^\"]+)\"[^\n]*( Full Scan|Access By ID\n\\s*-> Index \"[^\"]+\" Full Scan)"));
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
// database or on one with history: the beginning of the statement (simplified), the tables it reads whole
// and what bounds the read. A new whole read
// fails the test below, and so does a line here that no longer reads whole, so the list only shrinks.
struct KnownWholeRead {
    const char *module;
    const char *tables;
    const char *statementStart;
    const char *bound; // what keeps the read within reason as the history grows
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

// Every statement whose plan reads a growing table whole and is not on the list above; the lines of the
// list that matched go to seen.
QStringList unknownWholeReads(fb::Attachment &att, QList<int> *seen)
{
    QStringList scans;
    for (const auto &[module, statements] : modules()) {
        for (const QString &sql : statements) {
            QStringList tables;
            try {
                tables = fullScans(att, sql);
            } catch (const Exception &) {
                continue; // reported by the test that prepares every statement
            }
            const QString names = tables.join(QLatin1Char(','));
            if (!tables.isEmpty() && !known(module, names, sql, seen))
                scans << QStringLiteral("{\"%1\", \"%2\", \"%3\", \"\"},")
                             .arg(QLatin1String(module), names, simplified(sql).left(80).replace('"', "\\\""));
        }
    }
    return scans;
}

// Runs statements without parameters in a transaction of their own and commits them.
void run(fb::Attachment &att, const QStringList &statements)
{
    fb::Transaction tr(att);
    for (const QString &sql : statements)
        tr.execute(sql);
    tr.commit();
}

// Years of a small foundry's work as the plans see it: orders of twenty customers with four jobs each of
// fifty products (closed, a tenth handed over, a few printed only), each job calculated, with two performances, five
// past day-plan rows, a hand-over, a stock movement and a delivery-note line (a note an order); then every index's
// statistics refreshed, as after a restore, since the optimizer's choices follow them.
void fillHistory(fb::Attachment &att, int jobs, int firstJob = 1)
{
    run(att, {QStringLiteral(
                  "EXECUTE BLOCK AS DECLARE I INTEGER = %1; DECLARE K INTEGER; DECLARE D DATE; BEGIN "
                  "WHILE (I < %1 + %2) DO BEGIN "
                  "  D = DATEADD(:I / 4 DAY TO DATE '2010-01-01');"
                  "  IF (MOD(I, 4) = 1) THEN BEGIN"
                  "    INSERT INTO ZAKAZKY (C_OBJ, TYP_OBJ, C_ODB, D_OBJ, D_VYSTAV) VALUES "
                  "      ('H' || :I, 'Z', MOD(:I, 20) + 1, :D, :D);"
                  "    INSERT INTO EDLISTY (C_DL, C_ODB, C_OBJ, D_VYSTAV) VALUES (:I, MOD(:I, 20) + 1, 'H' || :I, :D);"
                  "  END "
                  "  INSERT INTO ZAKAZKYD (C_INT, C_OBJ, C_VYR, MNOZ_OBJ, MNOZ_VYR, TERMIN, STAV_ZAK, C_INT_RE) VALUES "
                  "    (:I, 'H' || (:I - MOD(:I - 1, 4)), 'V' || MOD(:I, 50), 10, 10, DATEADD(30 DAY TO :D), "
                  "    IIF(MOD(:I, 10) = 0, 90, IIF(MOD(:I, 50) = 1, 3, 100)), 0);"
                  "  INSERT INTO ZAKKALK (C_INT, MATERIAL, VAHA1, VAHA_MAT, CENA_MAT, P_PREPALU, KURZ, CENA_KURZ1) "
                  "    VALUES (:I, 'GG20', 1, 2, 1, 0, 1, 0);"
                  "  INSERT INTO SVYKONY (DATUM, OSC, C_INT, C_OPERACIE, MNOZSTVO, MZDA) VALUES (:D, 1, :I, 1, 10, 5);"
                  "  INSERT INTO SVYKONY (DATUM, OSC, C_INT, C_OPERACIE, MNOZSTVO, MZDA) VALUES (:D, 2, :I, 2, 10, 5);"
                  "  INSERT INTO SODVODY (DATUM, C_INT, C_DOKLADU, MNOZSTVO) VALUES (DATEADD(9 DAY TO :D), :I, "
                  "    MOD(:I, 30000) + 1, 10);"
                  "  INSERT INTO MPOHYBY (DATUM, TYP_POHYBU, SKLAD, C_POL, MNOZSTVO, C_INT) "
                  "    VALUES (:D, 20, 'M1', 'M' || MOD(:I, 30), -1, :I);"
                  "  INSERT INTO EDLISTYD (C_DL, C_VYR, C_INT, MNOZ_VYR) "
                  "    VALUES (:I - MOD(:I - 1, 4), 'V' || MOD(:I, 50), :I, 10);"
                  "  K = 1;"
                  "  WHILE (K <= 5) DO BEGIN"
                  "    INSERT INTO SPLAND (DATUM, C_INT, C_OPERACIE, PRACOVISKO, MNOZ_PLAN, NHOD_PLAN) VALUES "
                  "      (DATEADD(:K DAY TO :D), :I, :K, 'P1', 10, 1);"
                  "    K = K + 1;"
                  "  END "
                  "  I = I + 1;"
                  "END END")
                  .arg(firstJob)
                  .arg(jobs)});
    run(att, {QStringLiteral("EXECUTE BLOCK AS DECLARE N VARCHAR(63); BEGIN "
                             "FOR SELECT TRIM(RDB$INDEX_NAME) FROM RDB$INDICES WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0 "
                             "INTO :N DO EXECUTE STATEMENT 'SET STATISTICS INDEX \"' || N || '\"'; END")});
}

// The records this attachment has read so far, from a fresh monitoring snapshot.
long long recordsRead(fb::Attachment &att)
{
    fb::Transaction tr(att);
    fb::Statement st;
    st.prepare(tr, QStringLiteral("select r.MON$RECORD_SEQ_READS + r.MON$RECORD_IDX_READS from MON$ATTACHMENTS a "
                                  "join MON$RECORD_STATS r on r.MON$STAT_ID = a.MON$STAT_ID "
                                  "where a.MON$ATTACHMENT_ID = CURRENT_CONNECTION"));
    st.openCursor(tr);
    const long long n = st.fetchNext() ? fb::decode(st.outputs()[0], st.row()).toLongLong() : -1;
    st.closeCursor();
    tr.commit();
    return n;
}

TEST(Statements, NoStatementReadsAGrowingTableWhole)
{
    // On a fresh database, and again with history whose statistics were refreshed: plans change with them.
    // Every line says what bounds its read; a line that blames an empty database's plan must not read
    // whole with history.
    Connection c;
    ASSERT_TRUE(c.open()) << "no template database";
    QList<int> seen, seenWithHistory;
    QStringList scans = unknownWholeReads(c.db.Attachment(), &seen);
    EXPECT_TRUE(scans.isEmpty()) << scans.size() << " statements read a growing table whole:\n"
                                 << scans.join('\n').toStdString();
    fillHistory(c.db.Attachment(), 2000);
    scans = unknownWholeReads(c.db.Attachment(), &seenWithHistory);
    EXPECT_TRUE(scans.isEmpty()) << scans.size() << " statements read a growing table whole with history:\n"
                                 << scans.join('\n').toStdString();
    QStringList gone;
    for (int i = 0; i < knownWholeReads.size(); ++i) {
        const KnownWholeRead &k = knownWholeReads[i];
        if (!seen.contains(i) && !seenWithHistory.contains(i))
            gone << QString::fromUtf8(k.statementStart);
        EXPECT_GE(qstrlen(k.bound), 20u) << "what bounds it: " << k.statementStart;
        if (QByteArray(k.bound).startsWith("an empty database's plan")) {
            EXPECT_FALSE(seenWithHistory.contains(i)) << "reads whole with history as well: " << k.statementStart;
        }
    }
    EXPECT_TRUE(gone.isEmpty()) << "no longer read whole, take them off the list:\n" << gone.join('\n').toStdString();
}

TEST(Statements, ThePreviousJobIsTheLatestOfItsLineTheHigherNumberOnOneDate)
{
    Connection c;
    ASSERT_TRUE(c.open()) << "no template database";
    fillHistory(c.db.Attachment(), 400);
    // Job 100 of product V0 asks; jobs: number, product, due date, complaint of.
    struct Job {
        int cInt;
        const char *product;
        const char *termin;
        int cIntRe;
    };
    const QList<QPair<QList<Job>, int>> cases{
        {{{9001, "V0", "2030-01-02", 0}, {9002, "V0", "2030-01-02", 0}}, 9002}, // one date: the higher number
        {{{9002, "V0", "2030-01-02", 0}, {9001, "V0", "2030-01-02", 0}}, 9002},
        {{{9001, "V0", "2030-01-02", 0}, {9002, "V0", "2030-01-01", 0}}, 9001}, // the later date first
        {{{9001, "V0", "2030-01-02", 0}, {9002, "V0", "2030-01-03", 5}}, 9001}, // another line is skipped
        {{{9001, "V0", "2030-01-02", 0}, {9002, "V1", "2030-01-03", 0}}, 9001}, // another product too
        {{{-9001, "V0", "2030-01-03", 0}}, 400},                                // offers are not jobs
        {{}, 400}, // else the history's latest of the product
    };
    for (const auto &[jobs, expected] : cases) {
        fb::Transaction tr(c.db.Attachment());
        tr.execute(QStringLiteral("update ZAKAZKYD set TERMIN='2031-01-01' where C_INT=100"));
        for (const Job &j : jobs)
            tr.execute(QStringLiteral("insert into ZAKAZKYD (C_INT, C_OBJ, C_VYR, TERMIN, STAV_ZAK, C_INT_RE) "
                                      "values (%1, 'H1', '%2', '%3', 10, %4)")
                           .arg(j.cInt)
                           .arg(QLatin1String(j.product), QLatin1String(j.termin))
                           .arg(j.cIntRe));
        fb::Statement st;
        st.prepare(tr, fb::parseParams(OdbytSql::PreviousJob).sql);
        for (int i = 0; i < int(st.inputs().size()); ++i)
            st.setParam(i, 100);
        st.openCursor(tr);
        ASSERT_TRUE(st.fetchNext());
        EXPECT_EQ(fb::decode(st.outputs()[0], st.row()).toInt(), expected) << jobs.size() << " jobs added";
        st.closeCursor();
        const QString plan = st.plan(true);
        EXPECT_TRUE(plan.contains("Index \"IX_ZAKAZKYD_CVYR_TERMIN_DESC\" Range Scan") && !plan.contains("Sort"))
            << plan.toStdString();
        tr.rollback();
    }
}

TEST(Statements, TheDayPlanCleanUpReadsNoMoreWithMoreHistory)
{
    // Twenty open jobs with two day-plan rows each, one past and one to come, among the past rows of closed
    // jobs; statistics refreshed. The clean-up takes the open jobs' rows whatever the history behind them.
    Connection c;
    ASSERT_TRUE(c.open()) << "no template database";
    fb::Attachment &att = c.db.Attachment();
    const auto cleanUp = [&att] {
        fb::Transaction tr(att);
        tr.execute(QStringLiteral("EXECUTE BLOCK AS DECLARE I INTEGER = 50001; BEGIN WHILE (I <= 50020) DO BEGIN "
                                  "INSERT INTO ZAKAZKYD (C_INT, C_OBJ, C_VYR, TERMIN, STAV_ZAK) VALUES "
                                  "(:I, 'H1', 'V1', CURRENT_DATE, 10); "
                                  "INSERT INTO SPLAND (DATUM, C_INT, C_OPERACIE, PRACOVISKO) VALUES "
                                  "(CURRENT_DATE - 3, :I, 1, 'P1'); "
                                  "INSERT INTO SPLAND (DATUM, C_INT, C_OPERACIE, PRACOVISKO) VALUES "
                                  "(CURRENT_DATE + 3, :I, 2, 'P1'); I = I + 1; END END"));
        tr.commit();
        const long long before = recordsRead(att);
        fb::Transaction tx(att);
        fb::Statement st;
        st.prepare(tx, fb::parseParams(VyrobaSql::PlanDayPlanCleanup).sql);
        st.setParam(0, QDate::currentDate());
        st.setParam(1, QDate::currentDate());
        const unsigned long long deleted = st.execute(tx);
        tx.commit();
        const long long read = recordsRead(att) - before;
        fb::Transaction undo(att);
        undo.execute(QStringLiteral("DELETE FROM ZAKAZKYD WHERE C_INT > 50000"));
        undo.commit();
        return std::make_pair(deleted, read);
    };
    fillHistory(att, 2000); // 10,000 past day-plan rows
    const auto [deleted, read] = cleanUp();
    EXPECT_EQ(deleted, 40u);
    fillHistory(att, 2000, 2001); // 20,000
    const auto [deletedLater, readLater] = cleanUp();
    EXPECT_EQ(deletedLater, 40u);
    EXPECT_LT(read, 1000) << "records read at 10,000 past rows";
    EXPECT_LE(readLater, read + read / 10) << "at 20,000 past rows, against " << read << " at 10,000";
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

TEST(Statements, TheNewestFirstListsStartFromTheTopOfADescendingIndex)
{
    // Browsers listed newest first, their filters taken off: the first rows come from a descending index
    // on the date, not from a sort of every row ever made.
    Connection c;
    ASSERT_TRUE(c.open()) << "no template database";
    fillHistory(c.db.Attachment(), 2000);
    const QList<QPair<QString, QString>> lists{
        {QStringLiteral("select * from VZAKAZKY order by D_OBJ DESC"), "IX_ZAKAZKY_DOBJ_DESC"},
        {QStringLiteral("select * from ZAKAZKY order by D_VYSTAV DESC"), "IX_ZAKAZKY_DVYSTAV_DESC"},
        {MTZSql::PurchaseOrderSelect.join(QLatin1Char(' ')), "IX_MOBJEDNAVKY_DVYSTAV_DESC"},
    };
    for (const auto &[sql, index] : lists) {
        fb::Transaction tr(c.db.Attachment());
        fb::Statement st;
        st.prepare(tr, sql);
        const QString plan = st.plan(true);
        EXPECT_TRUE(plan.contains(QStringLiteral("Index \"%1\"").arg(index)) && !plan.contains("Sort"))
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
