#include "common/LocalServer.h"
#include "platform/fbapi/FbClient.h"

#include <gtest/gtest.h>

namespace {

class ServicesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString unavailable = ServerUnavailable(admin.password);
        if (!unavailable.isEmpty())
            GTEST_SKIP() << unavailable.toStdString();
        admin.userName = QStringLiteral("SYSDBA");
        svc.attach(QStringLiteral("127.0.0.1"), admin);
    }

    fb::ConnectParams admin;
    fb::Services svc;
};

TEST_F(ServicesTest, ServerVersion)
{
    EXPECT_TRUE(svc.serverVersion().contains(QStringLiteral("3."))) << svc.serverVersion().toStdString();
}

TEST_F(ServicesTest, AddModifyDeleteUser)
{
    fb::Services::User u;
    u.name = QStringLiteral("TARVIS_TEST_USER");
    u.password = QStringLiteral("heslo1");
    u.lastName = QStringLiteral("Test");
    try {
        svc.deleteUser(u.name); // left over from an earlier run
    } catch (const EIBError &) {
    }
    svc.addUser(u);
    EXPECT_THROW(svc.addUser(u), EIBError);
    u.password = QStringLiteral("heslo2");
    svc.modifyUser(u);

    fb::ConnectParams p = admin;
    p.userName = u.name;
    p.password = u.password;
    fb::Services asUser;
    EXPECT_NO_THROW(asUser.attach(QStringLiteral("127.0.0.1"), p)); // the changed password logs in
    asUser.detach();
    svc.deleteUser(u.name);
    EXPECT_THROW(asUser.attach(QStringLiteral("127.0.0.1"), p), EIBError);
    // A user the server no longer knows is named in Slovak.
    try {
        svc.deleteUser(u.name);
        ADD_FAILURE() << "no error for an unknown user";
    } catch (const EIBError &e) {
        EXPECT_EQ(e.Message, fb::UnknownUserMessage);
    }
}

TEST(Services, WithoutAttachRefuses)
{
    fb::Services svc;
    EXPECT_FALSE(svc.isAttached());
    EXPECT_THROW(svc.serverVersion(), EDatabaseError);
}

} // namespace
