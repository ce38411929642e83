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
    const QStringList indexes{"IX_ZAKAZKY_COBJ_DESC", "IX_ZAKAZKYD_CINT_DESC",    "IX_ZAKAZKYD_CVYR_STAV",
                              "IX_EDLISTY_CDL_DESC",  "IX_EDLISTY_CFAKTURY_DESC", "IX_EDLISTY_CODB",
                              "IX_EDLISTY_DVYSTAV",   "IX_ZAKAZKY_DVYSTAV",       "IX_QMESSAGES_DVYSTAV",
                              "UX_EDLISTY_CFAKTURY"};
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
    // Made as the creation script makes them: the numbers' indexes descending.
    EXPECT_EQ(db.value("select list(trim(RDB$INDEX_NAME)) from (select RDB$INDEX_NAME from RDB$INDICES where "
                       "RDB$INDEX_NAME in ('IX_ZAKAZKY_COBJ_DESC', 'IX_ZAKAZKYD_CINT_DESC', 'IX_EDLISTY_CDL_DESC', "
                       "'IX_EDLISTY_CFAKTURY_DESC') and RDB$INDEX_TYPE = 1 order by 1)"),
              "IX_EDLISTY_CDL_DESC,IX_EDLISTY_CFAKTURY_DESC,IX_ZAKAZKYD_CINT_DESC,IX_ZAKAZKY_COBJ_DESC");
    EXPECT_NE(runScript("upgrade.sh", {tmp.dir() + "/none.fdb"}, &out), 0);
}
