// The services manager's blocks and answers, byte by byte: no server needed.
#include "library/ServiceBlocks.h"
#include "library/xDatabase.h"
#include "platform/fbapi/Services.h"
#include "platform/os/Exception.h"

#include <gtest/gtest.h>

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray b;
    for (int v : values)
        b.append(char(v));
    return b;
}

TEST(ServiceBlocks, ManagerNameFollowsTheServerPartOfTheDatabaseName)
{
    EXPECT_EQ(ServiceManagerName("/data/TarvDB.fdb"), "service_mgr");
    EXPECT_EQ(ServiceManagerName("C:\\Data\\TarvDB.fdb"), "service_mgr");
    EXPECT_EQ(ServiceManagerName("C:/Data/TarvDB.fdb"), "service_mgr");
    EXPECT_EQ(ServiceManagerName("server:C:\\Data\\TarvDB.fdb"), "server:service_mgr");
    EXPECT_EQ(ServiceManagerName("127.0.0.1:/var/db/x.fdb"), "127.0.0.1:service_mgr");
    EXPECT_EQ(ServiceManagerName("server/3051:/var/db/x.fdb"), "server/3051:service_mgr");
}

TEST(ServiceBlocks, ServerDatabaseNamesAreToldFromFiles)
{
    for (const char *file : {"/data/TarvDB.fdb", "TarvDB.fdb", "C:\\Data\\TarvDB.fdb", "C:/Data/TarvDB.fdb", ""})
        EXPECT_FALSE(IsServerDatabaseName(file)) << file;
    for (const char *server :
         {"server:C:\\Data\\TarvDB.fdb", "127.0.0.1:/var/db/x.fdb", "server/3051:/var/db/x.fdb", "localhost:TarvDB",
          "inet://server/var/db/x.fdb", "INET4://10.0.0.1//x.fdb", "wnet://server/x.fdb", " xnet://TarvDB"})
        EXPECT_TRUE(IsServerDatabaseName(server)) << server;
}

TEST(ServiceBlocks, AttachAndUserActionBlocksCarryNameAndPassword)
{
    // The client library's builder: an action code, then each item's tag, its length in two bytes and its bytes;
    // a delete carries no password.
    EXPECT_EQ(fb::Services::UserActionBlock(saDeleteUser, "ADMIN"), bytes({5, 7, 5, 0}) + "ADMIN");
    EXPECT_EQ(fb::Services::UserActionBlock(saAddUser, "ADMIN", "heslo1"),
              bytes({4, 7, 5, 0}) + "ADMIN" + bytes({8, 6, 0}) + "heslo1");
    const QByteArray attach = fb::Services::AttachBlock("SYSDBA", "key");
    EXPECT_TRUE(attach.contains("SYSDBA") && attach.contains("key"));
}

TEST(ServiceBlocks, TextsTheBlocksCannotCarryAreRefusedBeforeAnyCall)
{
    const QString longest(fb::Services::TextLimit, QLatin1Char('a'));
    EXPECT_NO_THROW(fb::Services::UserActionBlock(saAddUser, "U", longest));
    EXPECT_THROW(fb::Services::UserActionBlock(saAddUser, "U", longest + "a"), EDatabaseError);
    EXPECT_THROW(fb::Services::UserActionBlock(saAddUser, longest + "a", "p"), EDatabaseError);
    EXPECT_THROW(fb::Services::AttachBlock("SYSDBA", longest + "a"), EDatabaseError);
    EXPECT_THROW(fb::Services::UserActionBlock(saDeleteUser, "  "), EDatabaseError);
    // Slovak letters are one byte each in the blocks.
    EXPECT_EQ(fb::Services::UserActionBlock(saAddUser, "U", QString::fromUtf8("žľťč")).size(), 4 + 1 + 3 + 4);
    // A services manager not attached refuses an overlong password before it says it is not attached.
    fb::Services none;
    try {
        none.attachManager("service_mgr", "SYSDBA", longest + "a");
        ADD_FAILURE() << "an overlong password was taken";
    } catch (const EDatabaseError &e) {
        EXPECT_TRUE(e.Message.contains(QString::fromUtf8("dlhšie"))) << e.Message.toStdString();
    }
}

TEST(ServiceBlocks, ServerInfoReadByTag)
{
    const QByteArray answer = bytes({55, 9, 0}) + "LI-V3.0.1" + bytes({50, 5, 3, 0, 0, 0, 6, 2, 0, 0, 0, 2, 3, 0}) +
                              "a.f" + bytes({2, 1, 0}) + "b" + bytes({127, 1});
    const TServerInfo info = ParseServerInfo(answer);
    EXPECT_EQ(info.Version, "LI-V3.0.1");
    EXPECT_EQ(info.NumAttachments, 3);
    EXPECT_EQ(info.NumDatabases, 2);

    // The database cluster first, then the version: the order does not matter.
    const TServerInfo swapped =
        ParseServerInfo(bytes({50, 6, 1, 0, 0, 0, 5, 7, 0, 0, 0, 127, 55, 2, 0}) + "V3" + bytes({1}));
    EXPECT_EQ(swapped.Version, "V3");
    EXPECT_EQ(swapped.NumAttachments, 7);
    EXPECT_EQ(swapped.NumDatabases, 1);
}

TEST(ServiceBlocks, TruncatedOrOverlongAnswersNeverReadPastTheirEnd)
{
    // The version claims 200 bytes where 3 follow: nothing is read from beyond.
    EXPECT_TRUE(ParseServerInfo(bytes({55, 200, 0}) + "abc").Version.isEmpty());
    // Cut off inside a number: what came before stays.
    const TServerInfo cut = ParseServerInfo(bytes({55, 2, 0}) + "V3" + bytes({50, 5, 4, 0}));
    EXPECT_EQ(cut.Version, "V3");
    EXPECT_EQ(cut.NumAttachments, 0);
    // The truncation mark and unknown items stop the reading.
    EXPECT_EQ(ParseServerInfo(bytes({2, 55, 2, 0}) + "V3").Version, "");
    EXPECT_EQ(ParseServerInfo(QByteArray()).Version, "");
}

TEST(ServiceBlocks, OdsVersionReadByTag)
{
    int major = -1, minor = -1;
    ParseOdsInfo(bytes({32, 2, 0, 12, 0, 33, 2, 0, 0, 0, 1}), major, minor);
    EXPECT_EQ(major, 12);
    EXPECT_EQ(minor, 0);
    ParseOdsInfo(bytes({33, 1, 0, 5, 32, 1, 0, 11, 1}), major, minor);
    EXPECT_EQ(major, 11);
    EXPECT_EQ(minor, 5);
    ParseOdsInfo(bytes({32, 4, 0, 12}), major, minor); // cut off
    EXPECT_EQ(major, 0);
    EXPECT_EQ(minor, 0);
}

} // namespace
