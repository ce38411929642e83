#include "ServerFixture.h"

#include <QFile>

namespace {

constexpr QFileDevice::Permissions kEveryone = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                               QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                               QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                                               QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;

} // namespace

void ServerTest::SetUp()
{
    const QString unavailable = ServerUnavailable(password);
    if (!unavailable.isEmpty())
        GTEST_SKIP() << unavailable.toStdString();
    ASSERT_TRUE(dir.isValid());
    // The server's account creates or opens the file: it must be able to write the folder.
    ASSERT_TRUE(OpenToEveryone(dir.path()));
    makeDatabase();
}

void ServerTest::makeDatabase()
{
    name = QStringLiteral("127.0.0.1:") + dir.filePath(QStringLiteral("server.fdb"));
    fb::Attachment att = fb::Attachment::createDatabase(name, admin());
    att.executeImmediate(
        QStringLiteral("create table T_ROW (ID integer not null primary key, TXT varchar(20), NUM integer, "
                       "CODE char(4), STAMP timestamp, NOTE blob sub_type text)"));
    att.executeImmediate(
        QStringLiteral("insert into T_ROW (ID, TXT, NUM, CODE, STAMP, NOTE) "
                       "values (1, 'first', 10, 'AB', timestamp '2024-03-01 10:20:30.1234', 'a note')"));
    att.executeImmediate(QStringLiteral("insert into T_ROW (ID) values (2)"));
    att.detach();
}

bool ServerTest::OpenToEveryone(const QString &path)
{
    return QFile::setPermissions(path, kEveryone);
}

QVariant ServerTest::adminValue(const QString &sql)
{
    return workstation()->value(sql);
}

void ServerTest::TearDown()
{
    if (name.isEmpty() || password.isEmpty())
        return;
    try {
        fb::Attachment att = adminAttachment();
        att.dropDatabase();
    } catch (const std::exception &e) {
        ADD_FAILURE() << "the test database could not be dropped: " << e.what();
    }
}

fb::ConnectParams ServerTest::admin() const
{
    fb::ConnectParams p;
    p.userName = QStringLiteral("SYSDBA");
    p.password = password;
    return p;
}

fb::Attachment ServerTest::adminAttachment()
{
    fb::Attachment att;
    att.attach(name, admin());
    return att;
}

std::unique_ptr<ServerTest::Workstation> ServerTest::workstation()
{
    return std::make_unique<Workstation>(name, password);
}

ServerTest::Workstation::Workstation(const QString &name, const QString &password) : tr(&db)
{
    db.DatabaseName = name;
    db.Params.SetValue(QStringLiteral("user_name"), QStringLiteral("SYSDBA"));
    db.Params.SetValue(QStringLiteral("password"), password);
    db.SetDefaultTransaction(&tr);
    db.Open();
}

std::unique_ptr<TIBTable> ServerTest::Workstation::table(const QString &tableName)
{
    auto t = std::make_unique<TIBTable>();
    t->SetDatabase(&db);
    t->SetTableName(tableName);
    t->SetIndexFieldNames(QStringLiteral("ID"));
    t->Open();
    return t;
}

QVariant ServerTest::Workstation::value(const QString &sql)
{
    TIBQuery q;
    q.SetDatabase(&db);
    q.SQL().SetText(sql);
    q.Open();
    const QVariant v = q.IsEmpty() ? QVariant() : q.Fields(0)->Value();
    q.Close();
    return v;
}
