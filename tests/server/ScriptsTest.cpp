// The server scripts against the running server: firebird-server.sh reports the administrator's exports
// only after a real log-in, also after an embedded run by another account, and never leaves him a known
// default password; serve-database.sh serves a database file so that a workstation connects with the
// settings lines it prints, and opens no server with a default password to other machines.
#include "ServerFixture.h"

#include "common/TempDatabase.h"
#include "platform/fbapi/Services.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUuid>

#include <pwd.h>
#include <unistd.h>

namespace {

// Runs a script of scripts/ and returns its exit code (-1 when it did not end), its output in out.
int runScript(const QString &script, const QStringList &args, QString &out, QString *err = nullptr)
{
    QProcess p;
    p.start(QStringLiteral("bash"),
            QStringList{TempDatabase::sourceDir() + QStringLiteral("/scripts/") + script} + args);
    if (!p.waitForFinished(180000)) {
        p.kill();
        p.waitForFinished();
        return -1;
    }
    out = QString::fromUtf8(p.readAllStandardOutput());
    if (err)
        *err = QString::fromUtf8(p.readAllStandardError());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

bool mayAdministerServer()
{
    return ::geteuid() == 0 ||
           QProcess::execute(QStringLiteral("sudo"), {QStringLiteral("-n"), QStringLiteral("true")}) == 0;
}

} // namespace

class ServerScripts : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!LocalServerAnswers())
            GTEST_SKIP() << "no Firebird server answers on 127.0.0.1:3050";
        if (!mayAdministerServer())
            GTEST_SKIP() << "the server scripts need root or sudo without a password";
        password = ServerAdminPassword();
        if (password.isEmpty())
            GTEST_SKIP() << "the server administrator's password is unknown";
    }
    // The administrator's exports the script prints, checked by a log-in of the data layer; the default
    // password is refused.
    void expectReadyServer()
    {
        QString out, err;
        ASSERT_EQ(runScript(QStringLiteral("firebird-server.sh"), {}, out, &err), 0) << err.toStdString();
        const QString prefix = QStringLiteral("export ISC_USER=SYSDBA ISC_PASSWORD=");
        ASSERT_TRUE(out.startsWith(prefix)) << err.toStdString();
        const QString exported = out.mid(prefix.size()).trimmed();
        EXPECT_NE(exported.toLower(), QStringLiteral("masterkey"));
        EXPECT_GE(exported.size(), 8);
        if (qEnvironmentVariable("ISC_PASSWORD").isEmpty()) {
            EXPECT_EQ(ServerAdminPassword(), exported) << "SYSDBA.password holds the password in force";
        }
        EXPECT_TRUE(logsIn(exported)) << "the server takes the log-in";
        EXPECT_FALSE(logsIn(QStringLiteral("masterkey")));
    }
    static bool logsIn(const QString &adminPassword)
    {
        fb::ConnectParams admin;
        admin.userName = QStringLiteral("SYSDBA");
        admin.password = adminPassword;
        fb::Services svc;
        try {
            svc.attach(QStringLiteral("127.0.0.1"), admin);
            return true;
        } catch (const std::exception &) {
            return false;
        }
    }
    QString password;
};

// With a known default password the server is not opened to other machines: the script stops before it
// copies the file or touches the server's settings. (A stand-in for firebird-server.sh reports the default
// password, so nothing needs a server or root.)
TEST(ServeDatabase, RefusesToOpenAServerWithADefaultPasswordToOtherMachines)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString scripts = TempDatabase::sourceDir() + QStringLiteral("/scripts/");
    for (const QString &name : {QStringLiteral("serve-database.sh"), QStringLiteral("sysdba-password.sh")})
        ASSERT_TRUE(QFile::copy(scripts + name, dir.filePath(name)));
    for (const char *known : {"masterkey", "MasterKey", "masterke"}) {
        QFile stand(dir.filePath(QStringLiteral("firebird-server.sh")));
        QFile::remove(stand.fileName());
        ASSERT_TRUE(stand.open(QIODevice::WriteOnly));
        stand.write(QByteArray("#!/usr/bin/env bash\necho 'export ISC_USER=SYSDBA ISC_PASSWORD=") + known + "'\n");
        stand.close();
        ASSERT_TRUE(stand.setPermissions(stand.permissions() | QFileDevice::ExeOwner));
        QFile database(dir.filePath(QStringLiteral("x.fdb")));
        ASSERT_TRUE(database.open(QIODevice::WriteOnly));
        database.close();
        QProcess p;
        p.start(QStringLiteral("bash"), {dir.filePath(QStringLiteral("serve-database.sh")), database.fileName(),
                                         QStringLiteral("--all-interfaces")});
        ASSERT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitCode(), 1) << known;
        EXPECT_TRUE(p.readAllStandardOutput().isEmpty()) << "no settings lines";
        EXPECT_TRUE(QString::fromUtf8(p.readAllStandardError()).contains(QStringLiteral("known default"))) << known;
    }
}

TEST_F(ServerScripts, FirebirdServerScriptLeavesARunningServerThatTakesLogIns)
{
    expectReadyServer();
}

TEST_F(ServerScripts, TheServerTakesLogInsAfterAnEmbeddedRunByAnotherAccount)
{
    passwd *other = ::getpwnam("nobody");
    if (::geteuid() != 0 || !other || QProcess::execute(QStringLiteral("which"), {QStringLiteral("runuser")}) != 0)
        GTEST_SKIP() << "no second account to run the embedded engine as (needs root, runuser and 'nobody')";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                          QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther);
    // An embedded run of another account, as its own isql-fb would make it (whether or not it may use
    // the shared lock folder).
    QProcess embedded;
    embedded.start(QStringLiteral("runuser"), {QStringLiteral("-u"), QStringLiteral("nobody"), QStringLiteral("--"),
                                               QStringLiteral("isql-fb"), QStringLiteral("-q")});
    ASSERT_TRUE(embedded.waitForStarted());
    embedded.write(QStringLiteral("create database '%1' user 'SYSDBA'; commit; exit;\n")
                       .arg(dir.filePath(QStringLiteral("other.fdb")))
                       .toUtf8());
    embedded.closeWriteChannel();
    ASSERT_TRUE(embedded.waitForFinished(60000));
    expectReadyServer();
}

TEST_F(ServerScripts, ServeDatabasePrintsSettingsAWorkstationConnectsWith)
{
    TempDatabase source;
    ASSERT_FALSE(source.path().isEmpty()) << "no template database";
    const QString file = QStringLiteral("TarvTest-%1.fdb").arg(QUuid::createUuid().toString(QUuid::Id128).left(12));
    const QString copy = QFileInfo(source.path()).dir().filePath(file);
    ASSERT_TRUE(QFile::rename(source.path(), copy));

    QString out, err;
    ASSERT_EQ(runScript(QStringLiteral("serve-database.sh"), {copy}, out, &err), 0) << err.toStdString();
    const auto name =
        QRegularExpression(QStringLiteral("^Name=(127\\.0\\.0\\.1:.*)$"), QRegularExpression::MultilineOption)
            .match(out);
    ASSERT_TRUE(name.hasMatch()) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("\nLoginPrompt=1\n"))) << "the log-in is asked for";
    EXPECT_TRUE(out.contains(QStringLiteral("RemoteBindAddress"))) << "how other machines reach the server";

    // The user logs in as the printed lines say; the server's account opens the served file.
    TIBDatabase db;
    db.DatabaseName = name.captured(1);
    db.Params.SetValue(QStringLiteral("user_name"), QStringLiteral("SYSDBA"));
    db.Params.SetValue(QStringLiteral("password"), password);
    TIBTransaction tr(&db);
    db.SetDefaultTransaction(&tr);
    ASSERT_NO_THROW(db.Open());
    TIBQuery q;
    q.SetDatabase(&db);
    q.SQL().SetText(QStringLiteral("select count(*) from QUSERS"));
    EXPECT_NO_THROW(q.Open());
    q.Close();
    db.Close();

    // Served again: the copy on the server is kept as it is.
    EXPECT_EQ(runScript(QStringLiteral("serve-database.sh"), {copy}, out, &err), 0) << err.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("not replaced"))) << err.toStdString();

    fb::ConnectParams admin;
    admin.userName = QStringLiteral("SYSDBA");
    admin.password = password;
    fb::Attachment att;
    att.attach(name.captured(1), admin);
    att.dropDatabase();
}
