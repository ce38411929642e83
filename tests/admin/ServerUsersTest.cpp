// Server users and server facts through the services manager of the server on 127.0.0.1:3050, and the
// users form's new user made there. Skips without a server or its administrator's password. Every user
// made here has a name of its own run and is deleted again.
#include "server/ServerFixture.h"
#include "library/xDatabase.h"
#include "platform/fbapi/IBError.h"

#include <QUuid>

namespace {

QString uniqueName(const char *prefix)
{
    return QString::fromLatin1(prefix) + QUuid::createUuid().toString(QUuid::Id128).left(10).toUpper();
}

class ServerUsersTest : public ServerTest {
protected:
    void SetUp() override
    {
        ServerTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        adminDb.DatabaseName = name;
        adminDb.Params.SetValue("user_name", "SYSDBA");
        adminDb.Params.SetValue("password", password);
    }
    void TearDown() override
    {
        for (const QString &user : made) {
            try {
                adminDb.DeleteUser(user);
            } catch (const std::exception &) {
                // Deleted by the test itself.
            }
        }
        ServerTest::TearDown();
    }
    // A connection's services as user with password (nothing attached yet).
    void asUser(TxDatabase &db, const QString &user, const QString &pw)
    {
        db.DatabaseName = name;
        db.Params.SetValue("user_name", user);
        db.Password = pw;
    }
    bool logsIn(const QString &user, const QString &pw)
    {
        TxDatabase db;
        asUser(db, user, pw);
        try {
            db.ServiceAttach();
            db.ServiceDetach();
            return true;
        } catch (const EIBError &) {
            return false;
        }
    }

    TxDatabase adminDb;
    QStringList made;
};

TEST_F(ServerUsersTest, AddedUserLogsInChangesThePasswordTwiceAndIsDeleted)
{
    const QString user = uniqueName("T21U");
    made << user;
    EXPECT_TRUE(adminDb.AddUser(user, "prve1"));
    EXPECT_TRUE(logsIn(user, "prve1"));

    TxDatabase db;
    asUser(db, user, "prve1");
    EXPECT_FALSE(db.ChangePassword("zle", "druhe2")) << "a wrong old password changes nothing";
    EXPECT_TRUE(logsIn(user, "prve1"));
    EXPECT_TRUE(db.ChangePassword("prve1", "druhe2"));
    EXPECT_EQ(db.Password, "druhe2");
    EXPECT_EQ(db.Params.Values("password"), "druhe2");
    // The second change in the same run logs in with the new password.
    EXPECT_TRUE(db.ChangePassword("druhe2", "tretie3"));
    EXPECT_FALSE(logsIn(user, "druhe2"));
    EXPECT_TRUE(logsIn(user, "tretie3"));

    EXPECT_TRUE(adminDb.DeleteUser(user));
    EXPECT_FALSE(logsIn(user, "tretie3"));
    EXPECT_THROW(adminDb.DeleteUser(user), EIBError) << "deleting an unknown user is an error";
}

TEST_F(ServerUsersTest, AddingAnExistingUserIsAnErrorAndTheServicesAreDetached)
{
    const QString user = uniqueName("T21D");
    made << user;
    adminDb.AddUser(user, "heslo");
    try {
        adminDb.AddUser(user, "heslo");
        ADD_FAILURE() << "a second user of the same name was added";
    } catch (const EIBError &e) {
        // Said in Slovak, naming the user; the server's own lines kept beside.
        EXPECT_EQ(e.Message, QString::fromUtf8("Užívateľa %1 sa na serveri databázy nepodarilo založiť.").arg(user));
        EXPECT_FALSE(e.ServerMessage.isEmpty());
    }
    // Detached after the failure: the next call attaches again.
    EXPECT_TRUE(adminDb.DeleteUser(user));
}

TEST_F(ServerUsersTest, ServerFactsAndOnDiskStructure)
{
    const TServerInfo info = adminDb.ServerInfo();
    EXPECT_TRUE(info.Version.contains("3.")) << info.Version.toStdString();
    adminDb.Open();
    EXPECT_GE(adminDb.ServerInfo().NumAttachments, 1);
    EXPECT_GE(adminDb.ServerInfo().NumDatabases, 1);
    int major = 0, minor = -1;
    adminDb.OdsVersion(major, minor);
    EXPECT_EQ(major, 12);
    EXPECT_EQ(minor, 0);
    adminDb.Close();
}

TEST_F(ServerUsersTest, AWrongAdministratorPasswordIsTheServersError)
{
    TxDatabase db;
    asUser(db, "SYSDBA", password + "x");
    EXPECT_THROW(db.ServerInfo(), EIBError);
}

} // namespace
