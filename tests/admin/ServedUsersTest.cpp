// The users form on a database the server on 127.0.0.1:3050 serves: a new user made on the server logs in
// with the first password typed for him (not with his name), his privileges are what the server then lets
// him do, and deleting him removes him there. Skips without a server or its administrator's password.
#include "common/WhenModal.h"
#include "server/ServerFixture.h"
#include "shell/DMUsers.h"
#include "shell/QUsersForm.h"
#include "shell/Routines.h"
#include "shell/ShellFixture.h"
#include "library/Buttons.h"
#include "platform/fbapi/IBError.h"
#include "platform/ui/Dialogs.h"

#include <QLabel>
#include <QTest>
#include <QUuid>

namespace {

class ServedUsersTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        const QString unavailable = ServerUnavailable(password);
        if (!unavailable.isEmpty())
            GTEST_SKIP() << unavailable.toStdString();
        ASSERT_FALSE(TempDatabase::templatePath().isEmpty());
        // The server's account opens the copy: the folder and the file are open to it.
        const auto all = QFileDevice::Permissions(0x7777);
        ASSERT_TRUE(QFile::setPermissions(served.path(), all));
        const QString file = served.filePath("users.fdb");
        ASSERT_TRUE(QFile::copy(TempDatabase::templatePath(), file));
        ASSERT_TRUE(QFile::setPermissions(file, QFileDevice::Permissions(0x6666)));
        writeSetting("Database", "Name", "127.0.0.1:" + file);
        dm = std::make_unique<TDMZal>(programFile());
        dm->DBZAL.Params.SetValue("password", password);
        dm->ConnectDatabase();
        ASSERT_TRUE(dm->DBZAL.Connected());
        users = std::make_unique<TDMUsers>();
        typed = "t21n" + QUuid::createUuid().toString(QUuid::Id128).left(10);
    }
    void TearDown() override
    {
        CancelWhenModal();
        delete QUsersForm;
        QUsersForm = nullptr;
        users.reset();
        if (dm && !typed.isEmpty()) {
            try {
                dm->DBZAL.DeleteUser(typed.toUpper());
            } catch (const std::exception &) {
                // Deleted by the test itself.
            }
        }
        if (dm && dm->DBZAL.Connected())
            dm->DBZAL.Close();
        ShellTest::TearDown();
    }
    // Logs in to the served database as the new user with his password; the first value of sql, "login" when
    // the log-in is refused, "refused" on any other error.
    QString asNewUser(const QString &sql) { return asNewUserWith(newPassword, sql); }
    QString asNewUserWith(const QString &userPassword, const QString &sql)
    {
        TIBDatabase db;
        TIBTransaction tr(&db);
        db.DatabaseName = dm->DBZAL.DatabaseName;
        db.Params.SetValue("user_name", typed.toUpper());
        db.Params.SetValue("password", userPassword);
        db.SetDefaultTransaction(&tr);
        try {
            db.Open();
            TIBQuery q;
            q.SetDatabase(&db);
            q.SQL().SetText(sql);
            q.Open();
            const QString v = q.IsEmpty() ? QString() : q.Fields(0)->AsString();
            q.Close();
            db.Close();
            return v;
        } catch (const EIBError &e) {
            return e.IBErrorCode == isc_login ? QStringLiteral("login") : QStringLiteral("refused");
        }
    }

    QTemporaryDir served;
    QString password;
    QString typed;
    const QString newPassword = QStringLiteral("Prve'heslo 7");
    std::unique_ptr<TDMUsers> users;
};

TEST_F(ServedUsersTest, ANewUserIsMadeOnTheServerGetsHisRightsAndIsRemovedAgain)
{
    TTestResponder answers;
    answers.InputAnswers = {typed, newPassword, newPassword};
    QString shownUser;
    WhenModal<TQUsersForm>([&](TQUsersForm *f) {
        QTest::mouseClick(f->BtnNovy, Qt::LeftButton);
        shownUser = f->lUser->text();
        f->Close();
    });
    ShowUsers();
    ASSERT_TRUE(answers.Messages.isEmpty()) << answers.Texts().join('\n').toStdString();
    EXPECT_EQ(answers.Inputs.first().Caption, QString::fromUtf8("Nový užívateľ"));
    EXPECT_EQ(shownUser, QString::fromUtf8("Oprávnenia pre užívateľa ") + typed.toUpper());
    EXPECT_EQ(SelectValueParams("select count(*) from QUSERS where RDB_USER=:u", {typed.toUpper()}).toInt(), 1);
    dm->DBTransaction.CommitRetaining();
    // Without privileges the server lets him read nothing of the stores.
    EXPECT_EQ(asNewUser("select count(*) from MSKLADY"), "refused");
    // His name is not his password.
    EXPECT_EQ(asNewUserWith(typed, "select 1 from RDB$DATABASE"), "login");

    users->Open();
    ASSERT_TRUE(users->QUsers.Locate("RDB_USER", typed.toUpper()));
    users->QPrivileges.Append();
    users->QPrivileges.FieldByName("RDB_PRIVILEGE")->SetText("MTZ");
    users->QPrivileges.FieldByName("RDB_LEVEL")->SetText(QString::fromUtf8("Čítať"));
    users->QPrivileges.Post();
    dm->DBTransaction.CommitRetaining();
    EXPECT_EQ(asNewUser("select count(*) from MSKLADY"), "0");

    answers.MessageAnswers = {mrYes};
    users->DeleteCurrentUser();
    dm->DBTransaction.CommitRetaining();
    EXPECT_EQ(
        SelectValueParams("select count(*) from RDB$USER_PRIVILEGES where RDB$USER=:u", {typed.toUpper()}).toInt(), 0);
    EXPECT_EQ(asNewUser("select 1 from RDB$DATABASE"), "login");
}

// A listed user the server does not know (never made there, or removed by a delete whose rows stayed) is gone
// there already: his rows go without an error.
TEST_F(ServedUsersTest, AListedUserTheServerDoesNotKnowIsDeletedFromTheList)
{
    ExecSqlParams("insert into QUSERS (RDB_USER) values (:u)", {typed.toUpper()});
    TTestResponder answers;
    answers.MessageAnswers = {mrYes};
    users->Open();
    ASSERT_TRUE(users->QUsers.Locate("RDB_USER", typed.toUpper()));
    users->DeleteCurrentUser();
    EXPECT_EQ(answers.Messages.size(), 1) << answers.Texts().join('\n').toStdString();
    EXPECT_EQ(SelectValueParams("select count(*) from QUSERS where RDB_USER=:u", {typed.toUpper()}).toInt(), 0);
}

// A name taken on the server outside the list, or taken in the list, is refused in Slovak and asked again.
TEST_F(ServedUsersTest, ANameAlreadyTakenIsRefusedInSlovakAndNothingIsListed)
{
    ASSERT_TRUE(dm->DBZAL.AddUser(typed.toUpper(), "Ine-heslo 1"));
    TTestResponder answers;
    users->Open();
    EXPECT_FALSE(users->NewUser(typed, newPassword));
    EXPECT_EQ(
        answers.Texts(),
        QStringList{QString::fromUtf8("Užívateľ %1 už na serveri existuje, zvoľte iné meno.").arg(typed.toUpper())});
    EXPECT_EQ(SelectValueParams("select count(*) from QUSERS where RDB_USER=:u", {typed.toUpper()}).toInt(), 0);
    // His own password is still his.
    dm->DBTransaction.CommitRetaining();
    EXPECT_EQ(asNewUserWith("Ine-heslo 1", "select 1 from RDB$DATABASE"), "1");
}

} // namespace
