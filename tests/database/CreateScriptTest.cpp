// The creation script: it never touches an existing file, and its demo data give every
// browser rows and every order-item state a job.
#include "FbSql.h"
#include "common/TempDatabase.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

int runScript(const QString &script, const QStringList &args, QString *output = nullptr)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start("bash", QStringList{TempDatabase::sourceDir() + "/database/" + script} + args);
    if (!p.waitForFinished(120000))
        return -1;
    if (output)
        *output = QString::fromUtf8(p.readAll());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

int runCreate(const QStringList &args, QString *output = nullptr)
{
    return runScript("create.sh", args, output);
}

} // namespace

TEST(CreateScript, NeverTouchesAnExistingFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("TarvDB.fdb");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("keep me");
    f.close();
    QString out;
    EXPECT_NE(runCreate({path, "--demo"}, &out), 0);
    EXPECT_TRUE(out.contains("exists")) << out.toStdString();
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("keep me"));
}

TEST(CreateScript, RejectsAnUnknownOption)
{
    QTemporaryDir dir;
    EXPECT_NE(runCreate({dir.filePath("x.fdb"), "--demo-data"}), 0);
    EXPECT_FALSE(QFile::exists(dir.filePath("x.fdb")));
}

TEST(CreateScript, DemoFoundryFillsEveryBrowser)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("TarvDB.fdb");
    QString out;
    ASSERT_EQ(runCreate({path, "--demo"}, &out), 0) << out.toStdString();
    FbSql sql(path);
    EXPECT_EQ(sql.value("select list(distinct stav_zak) from (select stav_zak from ZAKAZKYD where c_int>0 order by 1)"),
              "1,3,5,20,30,40,50,90,100,101");
    EXPECT_GE(sql.number("select count(*) from CODBERATELOV where c_odb>0"), 12);
    EXPECT_EQ(sql.number("select count(*) from POLOZKY where typ1='V'"), 20);
    EXPECT_EQ(sql.number("select count(*) from POLOZKY p where typ1='V' and not exists(select * from TOPERACIE where "
                         "c_vyr=p.c_pol)"),
              0);
    EXPECT_EQ(sql.number("select count(*) from ZAKAZKYD d where not exists(select * from ZAKKALK where c_int=d.c_int)"),
              0);
    for (const char *table : {"VZAKAZKY",      "ZAKAZKY where typ_obj='P'",
                              "VSVYKONY",      "VSODVODY",
                              "VEDLISTY",      "VEDLISTYD",
                              "MSKLADY",       "MPOHYBY",
                              "MPOZIADAVKY",   "MOBJEDNAVKY",
                              "CDODAVATELOV",  "SPLAN",
                              "SPLAND",        "SDOCHADZKA",
                              "SMZDY",         "ZAKREK",
                              "ZAKZML",        "QMESSAGES",
                              "CZAMESTNANCOV", "CPRACOVISK",
                              "CSVIATKOV",     "POLOZKYKALK",
                              "POLOZKYKOKILY", "QACTIONS"})
        EXPECT_GT(sql.number(QString("select count(*) from ") + table), 0) << table;
    // Slovak text arrives whole through the WIN1250 columns.
    EXPECT_EQ(sql.value("select odberatel from CODBERATELOV where c_odb=2"), "Armatúry Hron s.r.o.");
    // The offers are recent enough for the offers browser's first view.
    EXPECT_GT(sql.number("select count(*) from ZAKAZKY where typ_obj='P' and d_vystav>=CURRENT_DATE-7"), 0);
}

TEST(CreateScript, AnEarlierDatabaseIsUpgradedAndAnUpgradeRunsTwiceWithoutChange)
{
    TempDatabase tmp;
    ASSERT_FALSE(tmp.path().isEmpty());
    // The template as an earlier version made it: without the table of drawn document numbers, the
    // planning lock and the indexes of the numbers' and the open jobs' look-ups.
    const QStringList indexes{"IX_ZAKAZKY_COBJ_DESC",         "IX_ZAKAZKYD_CINT_DESC",    "IX_ZAKAZKYD_CVYR_STAV",
                              "IX_EDLISTY_CDL_DESC",          "IX_EDLISTY_CFAKTURY_DESC", "IX_EDLISTY_CODB",
                              "IX_EDLISTY_DVYSTAV",           "IX_ZAKAZKY_DVYSTAV",       "IX_QMESSAGES_DVYSTAV",
                              "IX_ZAKAZKYD_CVYR_TERMIN_DESC", "IX_ZAKAZKY_DOBJ_DESC",     "IX_ZAKAZKY_DVYSTAV_DESC",
                              "IX_MOBJEDNAVKY_DVYSTAV_DESC",  "IX_EDLISTYD_CVYR",         "UX_EDLISTY_CFAKTURY",
                              "UX_SODVODY_MESIAC_CDOKLADU"};
    {
        FbSql db(tmp.path());
        db.exec("drop table MDOKLADYCISLA");
        db.exec("drop table SPLANZAMOK");
        for (const QString &index : indexes)
            db.exec("drop index " + index);
        db.commit();
    }
    QString out;
    ASSERT_EQ(runScript("upgrade.sh", {tmp.path()}, &out), 0) << out.toStdString();
    ASSERT_EQ(runScript("upgrade.sh", {tmp.path()}, &out), 0) << out.toStdString();
    FbSql db(tmp.path());
    db.exec(
        "insert into MDOKLADYCISLA (MESIAC, TYP_POHYBU, SKLAD, C_DOKLADU) values ('2026-03-01', 10, 'M1', 2603001)");
    EXPECT_EQ(db.value("select count(*) from RDB$INDICES where RDB$INDEX_NAME = 'IX_MDOKLADYCISLA_MESIAC'"), "1");
    EXPECT_EQ(db.value("select count(*) from SPLANZAMOK where ID = 1"), "1");
    for (const QString &index : indexes)
        EXPECT_EQ(db.value("select count(*) from RDB$INDICES where RDB$INDEX_NAME = '" + index + "'"), "1")
            << index.toStdString();
    // Made as the creation script makes them: each "_DESC" index descending, on the same columns.
    TempDatabase made;
    FbSql created(made.path());
    for (const QString &index : indexes) {
        const QString shape = "select RDB$INDEX_TYPE, (select list(trim(RDB$FIELD_NAME)) from (select RDB$FIELD_NAME "
                              "from RDB$INDEX_SEGMENTS s where s.RDB$INDEX_NAME=i.RDB$INDEX_NAME order by "
                              "RDB$FIELD_POSITION)) from RDB$INDICES i where RDB$INDEX_NAME = '" +
                              index + "'";
        const QStringList upgraded = db.row(shape);
        ASSERT_EQ(upgraded.size(), 2) << index.toStdString();
        EXPECT_EQ(upgraded[0] == "1", index.endsWith("_DESC")) << index.toStdString();
        EXPECT_EQ(upgraded, created.row(shape)) << index.toStdString();
    }
    EXPECT_NE(runScript("upgrade.sh", {tmp.dir() + "/none.fdb"}, &out), 0);
}

namespace {

// What a comparison of two databases looks at: every right but the owner's, every trigger with its text, and
// every view with its columns.
QStringList rightsTriggersAndViews(const QString &path)
{
    FbSql db(path);
    const QString rights = db.value(
        "select list(r, '|') from (select trim(RDB$USER) || ' ' || RDB$PRIVILEGE || coalesce(RDB$GRANT_OPTION, 0) || "
        "' ' || trim(RDB$RELATION_NAME) || ' ' || coalesce(trim(RDB$FIELD_NAME), '') || ' ' || RDB$USER_TYPE || ' ' "
        "|| RDB$OBJECT_TYPE r from RDB$USER_PRIVILEGES where RDB$USER <> 'SYSDBA' order by 1)");
    const QString triggers = db.value(
        "select list(t, '|') from (select trim(RDB$TRIGGER_NAME) || ' ' || coalesce(trim(RDB$RELATION_NAME), '') || "
        "' ' || RDB$TRIGGER_TYPE || ' ' || RDB$TRIGGER_SEQUENCE || ' ' || coalesce(RDB$TRIGGER_INACTIVE, 0) || ' ' "
        "|| hash(RDB$TRIGGER_SOURCE) t from RDB$TRIGGERS where coalesce(RDB$SYSTEM_FLAG, 0) = 0 order by 1)");
    const QString views = db.value(
        "select list(v, '|') from (select trim(r.RDB$RELATION_NAME) || '.' || trim(f.RDB$FIELD_NAME) || '=' || "
        "coalesce(trim(f.RDB$BASE_FIELD), '') v from RDB$RELATIONS r join RDB$RELATION_FIELDS f on "
        "f.RDB$RELATION_NAME = r.RDB$RELATION_NAME where r.RDB$VIEW_BLR is not null order by 1)");
    return rights.split('|') + triggers.split('|') + views.split('|');
}

} // namespace

TEST(CreateScript, AnUpgradedDatabaseHasTheRightsAndGuardsOfANewOne)
{
    TempDatabase fresh, earlier;
    ASSERT_FALSE(earlier.path().isEmpty());
    // Users as the users form gave them their words: dispatch, production with its planning, the stores.
    const QStringList users{"grant ALL on EDLISTY to EXPEDIT", "grant ALL on SPLAN to MAJSTER",
                            "grant ALL on MPOHYBY to SKLADNIK"};
    {
        FbSql db(fresh.path());
        for (const QString &sql :
             users + QStringList{"grant SELECT on MSKLADY to EXPEDIT", "grant SELECT on POLOZKY to EXPEDIT",
                                 "grant SELECT on CSKLADOV to EXPEDIT", "grant SELECT on MPOHYBY to EXPEDIT",
                                 "grant ALL on SPLANZAMOK to MAJSTER",
                                 "grant USAGE on sequence GEN_MPOHYBY to SKLADNIK"})
            db.exec(sql);
        db.commit();
    }
    {
        // The earlier version: the messages in a table every user read and wrote whole, no guard on them or
        // on the privilege rows, and its rights.
        FbSql db(earlier.path());
        for (const char *sql : {"drop trigger QMESSAGES_BU", "drop trigger QPRIVILEGES_BIUD",
                                "drop trigger QMESSAGES_BI", "drop exception E_MESSAGES", "drop exception E_PRIVILEGES",
                                "drop view QMESSAGES", "drop table QMESSAGE_ROWS"})
            db.exec(sql);
        db.commit();
        db.exec("create table QMESSAGES (MSG_ID integer not null, MSG_UTVAR smallint, MSG_USER varchar(31), "
                "MSG_DATA integer, MSG_TITLE varchar(80), MSG_TEXT varchar(4000), USR_VYSTAV varchar(31) default "
                "CURRENT_USER, D_VYSTAV timestamp default CURRENT_TIMESTAMP, D_PRIJMU timestamp, D_VYBAV timestamp, "
                "USR_VYBAV varchar(31), constraint PK_QMESSAGES primary key (MSG_ID))");
        db.exec("create index IX_QMESSAGES_USER on QMESSAGES (MSG_USER)");
        db.exec("create trigger QMESSAGES_BI for QMESSAGES active before insert position 0 as begin "
                "if (NEW.MSG_ID is null) then NEW.MSG_ID = GEN_ID(MSG_ID, 1); end");
        db.commit();
        for (const QString &sql :
             users + QStringList{"grant ALL on MSKLADY to EXPEDIT",
                                 "grant SELECT, INSERT, UPDATE on QMESSAGES to PUBLIC",
                                 "grant USAGE on sequence MSG_ID to PUBLIC", "grant ALL on ZAKAZKY to PUBLIC",
                                 "grant SELECT on VZAKAZKYD to PUBLIC", "grant SELECT on VEDLISTY to PUBLIC",
                                 "grant EXECUTE on procedure MPOZIADAVKY_PREPIS to PUBLIC",
                                 "grant EXECUTE on procedure KALK_SADZBA to PUBLIC",
                                 "grant SELECT, INSERT, UPDATE on SPLANZAMOK to PUBLIC"})
            db.exec(sql);
        db.exec("insert into QMESSAGES (MSG_ID, MSG_USER, MSG_TITLE, USR_VYSTAV, D_VYSTAV) values "
                "(7, 'FERO', 'Prva', 'JANO', '2025-01-02 10:00:00')");
        db.exec("insert into QMESSAGES (MSG_ID, MSG_USER, MSG_TITLE, USR_VYSTAV, D_VYSTAV, D_VYBAV) values "
                "(9, 'JANO', 'Druha', 'FERO', '2025-01-03 10:00:00', '2025-01-04 10:00:00')");
        db.exec("set generator MSG_ID to 9");
        db.commit();
    }
    QString out;
    ASSERT_EQ(runScript("upgrade.sh", {earlier.path()}, &out), 0) << out.toStdString();
    ASSERT_EQ(runScript("upgrade.sh", {earlier.path()}, &out), 0) << out.toStdString();

    const QStringList expected = rightsTriggersAndViews(fresh.path());
    const QStringList upgraded = rightsTriggersAndViews(earlier.path());
    for (const QString &line : expected)
        EXPECT_TRUE(upgraded.contains(line)) << "missing after the upgrade: " << line.toStdString();
    for (const QString &line : upgraded)
        EXPECT_TRUE(expected.contains(line)) << "not in a new database: " << line.toStdString();

    // Every stored message kept, numbers, dates and all; the next one is numbered after them.
    FbSql db(earlier.path());
    EXPECT_EQ(db.value("select list(MSG_ID || ' ' || MSG_TITLE || ' ' || USR_VYSTAV || ' ' || D_VYSTAV || ' ' || "
                       "coalesce(D_VYBAV, '-'), '|') from (select * from QMESSAGE_ROWS order by MSG_ID)"),
              QString::fromUtf8("7 Prva JANO 2025-01-02 10:00:00.0000 -|9 Druha FERO 2025-01-03 10:00:00.0000 "
                                "2025-01-04 10:00:00.0000"));
    db.exec("insert into QMESSAGES (MSG_USER, MSG_TITLE) values ('FERO', 'Tretia')");
    EXPECT_EQ(db.value("select max(MSG_ID) from QMESSAGES"), "10");
}
