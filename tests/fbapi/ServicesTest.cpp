#include "platform/fbapi/FbClient.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace {

// Whether something listens on the local Firebird port (a short, bounded connect).
bool localServerAnswers()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return false;
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(3050);
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bool ok = ::connect(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) == 0;
    if (!ok && errno == EINPROGRESS) {
        pollfd p{fd, POLLOUT, 0};
        int err = 0;
        socklen_t len = sizeof err;
        ok = ::poll(&p, 1, 1000) == 1 && ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len) == 0 && err == 0;
    }
    ::close(fd);
    return ok;
}

class ServicesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!localServerAnswers())
            GTEST_SKIP() << "no Firebird server answers on 127.0.0.1:3050";
        const QByteArray password = qgetenv("ISC_PASSWORD");
        if (password.isEmpty())
            GTEST_SKIP() << "ISC_PASSWORD is not set: the server's administrator password is needed";
        admin.userName = QString::fromLocal8Bit(qgetenv("ISC_USER"));
        if (admin.userName.isEmpty())
            admin.userName = QStringLiteral("SYSDBA");
        admin.password = QString::fromLocal8Bit(password);
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
