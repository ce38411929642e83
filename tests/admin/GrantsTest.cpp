// The grants module privileges stand for: the statements, and on a fresh database the rights the server
// then holds in RDB$USER_PRIVILEGES as the users' data module sets and removes privileges.
#include "common/PersonTyping.h"
#include "common/GridTyping.h"
#include "common/ModuleFixture.h"
#include "common/PersonTyping.h"
#include "common/WhenModal.h"
#include "library/xDBGrid.h"
#include "library/xDatabase.h"
#include "shell/DMUsers.h"
#include "platform/ui/BitBtn.h"
#include "shell/QUsersForm.h"
#include "shell/Grants.h"
#include "shell/Routines.h"
#include "platform/os/Exception.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

namespace {

TEST(Grants, LevelTextsBothWays)
{
    EXPECT_EQ(PrivilegeLevelText(0), QString::fromUtf8("Nič   "));
    EXPECT_EQ(PrivilegeLevelText(1), QString::fromUtf8("Čítať "));
    EXPECT_EQ(PrivilegeLevelText(2), QString::fromUtf8("Všetko"));
    EXPECT_EQ(PrivilegeLevelText(7), "?    ");
    EXPECT_EQ(PrivilegeLevelOf(QString::fromUtf8(" Čítať ")), 1);
    EXPECT_EQ(PrivilegeLevelOf(QString::fromUtf8("Nič")), 0);
    EXPECT_EQ(PrivilegeLevelOf("Vsetko"), -1);
    EXPECT_EQ(PrivilegeLevelOf(""), -1);
}

TEST(Grants, UserNamePattern)
{
    for (const char *good : {"A", "novak", "J_NOVAK$2", "a234567890123456789012345678901"})
        EXPECT_TRUE(IsValidUserName(good)) << good;
    for (const char *bad : {"", "1NOVAK", "_A", "A B", "A;DROP", "A'B", "a2345678901234567890123456789012", "A\nB"})
        EXPECT_FALSE(IsValidUserName(bad)) << bad;
    EXPECT_FALSE(IsValidUserName(QString::fromUtf8("Ťažký")));
    EXPECT_THROW(GrantStatements("X; drop table QUSERS", "MTZ", 1, {}), EDatabaseError);
}

TEST(Grants, ReadOnMaterialRevokesThenSelectsAndTakesTheExecuteRight)
{
    const QStringList s = GrantStatements("NOVAK", "MTZ", 1, {});
    const QStringList tables{"POLOZKY",      "POLOZKYKOKILY", "MPohyby",      "MDokladyCisla",
                             "vZakazkyD",    "vZakazkyDKalk", "MSklady",      "CSkladov",
                             "TKusovnik",    "ZakazkyD",      "SOdvody",      "COdberatelov",
                             "CDodavatelov", "MObjednavky",   "MObjednavkyD", "MPoziadavky"};
    ASSERT_EQ(s.size(), 2 * tables.size() + 3);
    for (int i = 0; i < tables.size(); ++i) {
        EXPECT_EQ(s[2 * i], "revoke ALL on " + tables[i] + " from NOVAK");
        EXPECT_EQ(s[2 * i + 1], "grant SELECT on " + tables[i] + " to NOVAK");
    }
    EXPECT_EQ(s[s.size() - 3], "revoke EXECUTE ON PROCEDURE Polozky_CENA_KALK from NOVAK");
    EXPECT_EQ(s[s.size() - 2], "revoke EXECUTE ON PROCEDURE MPoziadavky_PREPIS from NOVAK");
    EXPECT_EQ(s.last(), "revoke USAGE ON SEQUENCE GEN_MPOHYBY from NOVAK") << "movements are numbered at \"Všetko\"";
}

TEST(Grants, SystemAllPassesTheGrantOptionToTheMainModules)
{
    const QStringList s = GrantStatements("NOVAK", "System", 2, {});
    EXPECT_TRUE(s.contains("grant ALL on CTarifov to NOVAK"));
    EXPECT_TRUE(s.contains("grant ALL on QUsers to NOVAK"));
    EXPECT_TRUE(s.contains("grant ALL on ZakazkyD to NOVAK WITH GRANT OPTION"));
    EXPECT_TRUE(s.contains("grant ALL on SMzdy to NOVAK WITH GRANT OPTION"));
    EXPECT_TRUE(s.contains("grant EXECUTE ON PROCEDURE SMzdy_Pocitaj to NOVAK WITH GRANT OPTION"));
    EXPECT_FALSE(s.contains("grant ALL on CTarifov to NOVAK WITH GRANT OPTION"));
    // Read on System takes the main modules away, all of them.
    const QStringList read = GrantStatements("NOVAK", "System", 1, {});
    EXPECT_TRUE(read.contains("grant SELECT on CTarifov to NOVAK"));
    EXPECT_FALSE(read.join('\n').contains("grant ALL"));
    EXPECT_TRUE(read.contains("revoke EXECUTE ON PROCEDURE SMzdy_Pocitaj from NOVAK"));
}

TEST(Grants, EveryObjectGetsTheHighestLevelOfTheRemainingRows)
{
    // Expedicia all, MTZ read: the items they share stay all while the material module is set to read; the
    // stock rows, kept by the movements alone, are read at every level.
    const QStringList mtz = GrantStatements("NOVAK", "MTZ", 1, {{"Vyrobky", 2}, {"MTZ", 2}});
    EXPECT_TRUE(mtz.contains("grant ALL on POLOZKY to NOVAK"));
    EXPECT_TRUE(mtz.contains("grant SELECT on MPohyby to NOVAK"));
    EXPECT_TRUE(mtz.contains("grant SELECT on MSklady to NOVAK"));
    EXPECT_FALSE(GrantStatements("NOVAK", "System", 2, {}).join('\n').contains("grant ALL on MSklady"));
    // Removing the dispatch module keeps what the material module still gives.
    const QStringList off = GrantStatements("NOVAK", "Expedicia", 0, {{"Expedicia", 2}, {"MTZ", 1}});
    EXPECT_TRUE(off.contains("grant SELECT on MSklady to NOVAK"));
    EXPECT_TRUE(off.contains("revoke ALL on EDListy from NOVAK"));
    EXPECT_FALSE(off.join('\n').contains("grant SELECT on EDListy"));
    // The price procedure: products at all keep the execute right when the stores drop to read.
    const QStringList stores = GrantStatements("NOVAK", "Sklady", 1, {{"Vyrobky", 2}});
    EXPECT_TRUE(stores.contains("grant EXECUTE ON PROCEDURE Polozky_CENA_KALK to NOVAK"));
    EXPECT_TRUE(stores.contains("grant ALL on POLOZKY to NOVAK"));
    // System at all is the highest: a later row of the sales module at read keeps the grant option.
    EXPECT_TRUE(GrantStatements("NOVAK", "Odbyt", 1, {{"System", 2}})
                    .contains("grant ALL on ZakazkyD to NOVAK WITH GRANT OPTION"));
}

TEST(Grants, NothingForSysdba)
{
    EXPECT_TRUE(GrantStatements("SYSDBA", "MTZ", 0, {}).isEmpty());
    EXPECT_TRUE(GrantStatements("sysdba", "System", 2, {}).isEmpty());
}

// ---------------------------------------------------------------- on a fresh database

class UsersTest : public ModuleTest {
protected:
    void afterConnect() override { users = std::make_unique<TDMUsers>(); }
    void beforeDisconnect() override { users.reset(); }
    // The rights the server holds for user on an object: the privilege letters, sorted.
    QString rights(const QString &user, const QString &object)
    {
        QStringList letters = SelectColumnParams(
            "select distinct trim(trim(RDB$PRIVILEGE) || iif(RDB$GRANT_OPTION=1, '+', '')) from RDB$USER_PRIVILEGES "
            "where RDB$USER=:u and RDB$RELATION_NAME=:o",
            {user, object.toUpper()});
        letters.sort();
        return letters.join(QString());
    }
    // Adds a user row without the server (the new-user button needs the server's services).
    void addUserRow(const QString &user)
    {
        users->QUsers.AppendRecord({user});
        ASSERT_TRUE(users->QUsers.Locate("RDB_USER", user));
    }
    void setLevel(const QString &word, const QString &typed)
    {
        TxTable &p = users->QPrivileges;
        if (p.Locate("RDB_PRIVILEGE", word))
            p.Edit();
        else {
            p.Append();
            p.FieldByName("RDB_PRIVILEGE")->SetText(word);
        }
        p.FieldByName("RDB_LEVEL")->SetText(typed);
        p.Post();
    }
    int privilegeRows(const QString &user)
    {
        return SelectValueParams("select count(*) from QPRIVILEGES where RDB_USER=:u", {user}).toInt();
    }

    std::unique_ptr<TDMUsers> users;
};

TEST_F(UsersTest, OpeningSeedsTheListsAndSysdbasPrivilegesWithoutGrants)
{
    TTestResponder answers;
    users->Open();
    EXPECT_EQ(users->CurrentUser(), "SYSDBA");
    EXPECT_EQ(SelectValueParams("select count(*) from QACTIONS").toInt(), 18);
    EXPECT_EQ(privilegeRows("SYSDBA"), 9);
    EXPECT_EQ(users->QPrivileges.FieldByName("RDB_LEVEL")->DisplayText(), QString::fromUtf8("Všetko"));
    EXPECT_EQ(users->QPrivileges.FieldByName("RDB_PRIVILEGE")->DisplayText().isEmpty(), false);
    // SYSDBA's rows never go below read.
    EXPECT_THROW(setLevel("MTZ", QString::fromUtf8("Nič")), EAbort);
    EXPECT_EQ(answers.Texts(),
              QStringList{QString::fromUtf8("Táto úroveň oprávnenia je neprípustná pre užívateľa SYSDBA")});
    users->QPrivileges.Cancel();
    EXPECT_EQ(privilegeRows("SYSDBA"), 9);
    // And SYSDBA is never deleted.
    users->DeleteCurrentUser();
    EXPECT_EQ(SelectValueParams("select count(*) from QUSERS where RDB_USER='SYSDBA'").toInt(), 1);
}

TEST_F(UsersTest, PrivilegesGrantedAndRevokedWithASharedObjectKept)
{
    TTestResponder answers;
    users->Open();
    addUserRow("T21_NOVAK");
    setLevel(QString::fromUtf8("MTZ"), QString::fromUtf8("Čítať"));
    EXPECT_EQ(rights("T21_NOVAK", "MSklady"), "S");
    EXPECT_EQ(rights("T21_NOVAK", "MPohyby"), "S");
    EXPECT_EQ(rights("T21_NOVAK", "POLOZKY_CENA_KALK"), "");

    setLevel(QString::fromUtf8("EXPEDÍCIA"), QString::fromUtf8("Všetko")); // chosen by its description
    EXPECT_EQ(rights("T21_NOVAK", "MSklady"), "S") << "the stock rows are the movements' to keep";
    EXPECT_EQ(rights("T21_NOVAK", "EDListy"), "DIRSU");
    EXPECT_EQ(rights("T21_NOVAK", "ZAKAZKY"), "S") << "the dispatch module reads the order headers only";

    // The dispatch module taken away: the stock rows stay readable for the material module.
    setLevel("Expedicia", QString::fromUtf8("Nič"));
    EXPECT_EQ(rights("T21_NOVAK", "MSklady"), "S");
    EXPECT_EQ(rights("T21_NOVAK", "EDListy"), "");
    EXPECT_EQ(privilegeRows("T21_NOVAK"), 1) << "Nič is kept as no row";
    EXPECT_EQ(rights("T21_NOVAK", "ZAKAZKY"), "") << "the order headers went with the dispatch module";
    EXPECT_EQ(users->CurrentUserObjects().split(", ", Qt::SkipEmptyParts).size(), 16);
}

TEST_F(UsersTest, ATypedLevelThatIsNoLevelIsRefusedAndKeepsTheEdit)
{
    TTestResponder answers;
    users->Open();
    addUserRow("T21_KOVAC");
    setLevel("Mzdy", QString::fromUtf8("Všetko"));
    TxTable &p = users->QPrivileges;
    p.Edit();
    EXPECT_THROW(p.FieldByName("RDB_LEVEL")->SetText("vsetko"), EDatabaseError);
    EXPECT_EQ(p.State(), dsEdit);
    EXPECT_EQ(p.FieldByName("RDB_LEVEL")->AsInteger(), 2);
    p.Post();
    EXPECT_EQ(privilegeRows("T21_KOVAC"), 1) << "the privilege stays";
    EXPECT_EQ(rights("T21_KOVAC", "SMzdy"), "DIRSU");
    // An unknown module is refused too.
    p.Append();
    EXPECT_THROW(p.FieldByName("RDB_PRIVILEGE")->SetText("Neznama"), EDatabaseError);
    p.Cancel();
}

TEST_F(UsersTest, DeletingAUserTakesTheServerFirstAndKeepsHimWholeWhenTheServerFails)
{
    users->Open();
    addUserRow("T21_ORAVEC");
    setLevel("Vykony", QString::fromUtf8("Všetko"));
    setLevel("Odvody", QString::fromUtf8("Čítať"));
    setLevel("Dochadzka", QString::fromUtf8("Všetko"));
    ASSERT_EQ(privilegeRows("T21_ORAVEC"), 3);
    users->Close();
    const QString database = DMZal->DBZAL.DatabaseName;
    const struct {
        const char *what;
        QString serverOf; // the database name the server's user administration is reached by
        int rowsLeft;     // privilege rows, and the user row, left after the delete
    } cases[] = {
        // Nothing answers on port 1: the server call fails, the user stays whole.
        {"a server that cannot be reached", QStringLiteral("127.0.0.1/1:/nikde/TarvDB.fdb"), 3},
        // A local database file: no server keeps its users, the rows go.
        {"a local database file", database, 0},
    };
    for (const auto &c : cases) {
        TTestResponder answers;
        answers.MessageAnswers = {mrYes};
        WhenModal<TQUsersForm>([&](TQUsersForm *f) {
            if (users->QUsers.Locate("RDB_USER", "T21_ORAVEC")) {
                DMZal->DBZAL.DatabaseName = c.serverOf;
                ClickOn(f->btnZmaz);
                DMZal->DBZAL.DatabaseName = database;
            }
            f->Close();
        });
        ShowUsers();
        ASSERT_FALSE(answers.Messages.isEmpty()) << c.what;
        EXPECT_EQ(answers.Messages.first().Text, QString::fromUtf8("Zmazať užívateľa T21_ORAVEC !?")) << c.what;
        EXPECT_EQ(answers.Messages.size(), c.rowsLeft ? 2 : 1)
            << c.what << ": a failure is said: " << answers.Texts().join(QLatin1Char('\n')).toStdString();
        EXPECT_EQ(privilegeRows("T21_ORAVEC"), c.rowsLeft) << c.what;
        EXPECT_EQ(SelectValueParams("select count(*) from RDB$USER_PRIVILEGES where RDB$USER='T21_ORAVEC'").toInt() ==
                      0,
                  c.rowsLeft == 0)
            << c.what << ": the rights go with the rows";
        EXPECT_EQ(SelectValueParams("select count(*) from QUSERS where RDB_USER='T21_ORAVEC'").toInt(),
                  c.rowsLeft ? 1 : 0)
            << c.what;
    }
    delete QUsersForm;
    QUsersForm = nullptr;
}

// A user action whose server does not answer says so in Slovak; the database's own connection is fine and
// stays: it is not taken for lost.
TEST_F(UsersTest, AUserActionWhoseServerDoesNotAnswerLeavesTheDatabaseConnected)
{
    users->Open();
    addUserRow("T21_ORAVEC");
    users->Close();
    const QString database = DMZal->DBZAL.DatabaseName;
    const struct {
        const char *what;
        std::deque<QVariant> answers;
        TBitBtn *TQUsersForm::*button;
    } cases[] = {
        {"a new user", {QString("t21_novy"), QString("Heslo-123"), QString("Heslo-123")}, &TQUsersForm::BtnNovy},
        {"deleting a user", {}, &TQUsersForm::btnZmaz},
    };
    for (const auto &c : cases) {
        TTestResponder answers;
        answers.InputAnswers = c.answers;
        answers.MessageAnswers = {mrYes};
        bool connected = false;
        WhenModal<TQUsersForm>([&](TQUsersForm *f) {
            users->UsersOnServer = true;
            if (users->QUsers.Locate("RDB_USER", "T21_ORAVEC")) {
                // Nothing answers on port 1.
                DMZal->DBZAL.DatabaseName = QStringLiteral("127.0.0.1/1:/nikde/TarvDB.fdb");
                ClickOn(f->*c.button);
                DMZal->DBZAL.DatabaseName = database;
                connected = DMZal->DBZAL.Connected();
            }
            f->Close();
        });
        ShowUsers();
        EXPECT_EQ(answers.Texts().value(answers.Texts().size() - 1).toStdString(),
                  UsersServerUnreachableMessage.toStdString())
            << c.what;
        EXPECT_TRUE(connected) << c.what << ": the database's connection is not let go of";
        EXPECT_EQ(SelectValueParams("select count(*) from QUSERS where RDB_USER starting 'T21_'", {}).toInt(), 1)
            << c.what;
    }
    delete QUsersForm;
    QUsersForm = nullptr;
}

TEST_F(UsersTest, AHostileNewUserNameIsRefusedBeforeAnyCall)
{
    TTestResponder answers;
    users->Open();
    EXPECT_FALSE(users->NewUser("x' or '1'='1", "tajne1"));
    EXPECT_FALSE(users->NewUser("NOVAK; DROP TABLE QUSERS", "tajne1"));
    EXPECT_FALSE(users->NewUser("   ", "tajne1"));
    // A name that would do gets no account without a password of its own.
    EXPECT_FALSE(users->NewUser("novak", ""));
    EXPECT_FALSE(users->NewUser("novak", " Novak"));
    EXPECT_EQ(answers.Texts(),
              (QStringList{InvalidUserNameText, InvalidUserNameText, QString::fromUtf8("Heslo nesmie byť prázdne."),
                           QString::fromUtf8("Heslo sa nesmie zhodovať s menom užívateľa.")}));
    EXPECT_EQ(SelectValueParams("select count(*) from QUSERS").toInt(), 1);
}

// After a valid name the first password is asked for hidden, and once more; the name as password, an empty
// one and two that differ are asked for again; a cancel makes no user.
TEST_F(UsersTest, ANewUsersFirstPasswordIsTypedTwiceHidden)
{
    TTestResponder answers;
    users->Open();
    users->UsersOnServer = true; // the questions come before the server is called
    TQUsersForm form;
    answers.InputAnswers = {QString("novak"),    QString("NOVAK"),    QString(),           QString::fromUtf8("Tajné"),
                            QString("Taj ne'1"), QString("Taj ne'2"), QString("Taj ne'1"), QVariant()};
    QTest::mouseClick(form.BtnNovy, Qt::LeftButton);
    ASSERT_EQ(answers.Inputs.size(), 8);
    EXPECT_FALSE(answers.Inputs[0].Password) << "the name is seen as typed";
    for (int i = 1; i < answers.Inputs.size(); ++i) {
        EXPECT_TRUE(answers.Inputs[i].Password) << i;
        EXPECT_EQ(answers.Inputs[i].Value, QString()) << "a password is never proposed";
    }
    EXPECT_EQ(answers.Inputs[1].Prompt, QString::fromUtf8("Heslo užívateľa NOVAK:"));
    EXPECT_EQ(answers.Inputs[5].Prompt, QString::fromUtf8("Heslo ešte raz:"));
    EXPECT_EQ(answers.Texts(), (QStringList{QString::fromUtf8("Heslo sa nesmie zhodovať s menom užívateľa."),
                                            QString::fromUtf8("Heslo nesmie byť prázdne."),
                                            QString::fromUtf8("Heslo nesmie obsahovať písmená s diakritikou."),
                                            QString::fromUtf8("Heslá sa nezhodujú, zadajte heslo znova.")}));
    EXPECT_EQ(SelectValueParams("select count(*) from QUSERS").toInt(), 1) << "cancelled: no user";
}

// The new user's name the program refuses is asked for again as typed, until corrected or cancelled.
TEST_F(UsersTest, ARefusedNewNameIsAskedForAgainAsTyped)
{
    TTestResponder answers;
    users->Open();
    users->UsersOnServer = true;
    TQUsersForm form;
    const QString typed = QString::fromUtf8("Nováková Ľ.");
    answers.InputAnswers = {typed, QVariant()};
    QTest::mouseClick(form.BtnNovy, Qt::LeftButton);
    ASSERT_EQ(answers.Inputs.size(), 2);
    EXPECT_EQ(answers.Inputs[0].Value, QString());
    EXPECT_EQ(answers.Inputs[1].Value, typed) << "asked again with the name as typed";
    EXPECT_EQ(answers.Texts(), QStringList{InvalidUserNameText});
    EXPECT_EQ(SelectValueParams("select count(*) from QUSERS").toInt(), 1);
}

// On a local database file no user can be made: that is said at once, before any question.
TEST_F(UsersTest, ANewUserOnALocalDatabaseIsRefusedAtOnce)
{
    TTestResponder answers;
    users->Open();
    EXPECT_FALSE(users->UsersOnServer);
    TQUsersForm form;
    ClickOn(form.BtnNovy);
    EXPECT_TRUE(answers.Inputs.isEmpty()) << "nothing is asked";
    EXPECT_EQ(answers.Texts(), QStringList{TDMUsers::LocalUsersText()});
    EXPECT_EQ(SelectValueParams("select count(*) from QUSERS").toInt(), 1);
}

TEST_F(UsersTest, ServerGranteesAreTakenInAsUsers)
{
    exec("grant select on CSTATOV to T21_GRANTEE");
    TTestResponder answers;
    users->Open();
    EXPECT_TRUE(users->QUsers.Locate("RDB_USER", "T21_GRANTEE"));
    EXPECT_EQ(users->CurrentUserObjects(), "CSTATOV, ");
}

} // namespace

namespace {

TEST_F(UsersTest, ALevelTypedIntoTheGridThatIsNoLevelIsRefusedAndTheRowKept)
{
    TTestResponder answers;
    users->Open();
    addUserRow("T21_HRASKO");
    setLevel("Mzdy", QString::fromUtf8("Všetko"));
    users->Close();
    bool stillEditing = false;
    int level = -1;
    bool editorOpened = false;
    WhenModal<TQUsersForm>([&](TQUsersForm *f) {
        // Every check is made after the form is closed: a failure here must not leave it open.
        if (users->QUsers.Locate("RDB_USER", "T21_HRASKO")) {
            TxDBGrid *grid = f->DBGridPrivileges;
            QApplication::setActiveWindow(f);
            TabTo(grid);
            grid->SetSelectedIndex(1);
            QTest::keyClicks(QApplication::focusWidget() ? QApplication::focusWidget() : grid, "z");
            QWidget *editor = QApplication::focusWidget();
            editorOpened = editor && editor != grid;
            if (editorOpened) {
                QTest::keyClicks(editor, "le");
                QTest::keyClick(editor, Qt::Key_Return);
                QApplication::processEvents();
            }
            stillEditing = users->QPrivileges.State() != dsBrowse;
            level = users->QPrivileges.FieldByName("RDB_LEVEL")->AsInteger();
            users->QPrivileges.Cancel();
        }
        f->Close();
    });
    ShowUsers();
    EXPECT_TRUE(answers.Texts().join('\n').contains(QString::fromUtf8("Neznáma úroveň oprávnenia")))
        << answers.Texts().join('\n').toStdString();
    ASSERT_TRUE(editorOpened) << "typing opened the cell editor";
    EXPECT_TRUE(stillEditing);
    EXPECT_EQ(level, 2);
    EXPECT_EQ(privilegeRows("T21_HRASKO"), 1);
    EXPECT_EQ(rights("T21_HRASKO", "SMzdy"), "DIRSU");
    delete QUsersForm;
    QUsersForm = nullptr;
}

} // namespace

namespace {

TEST_F(UsersTest, TheUsersWindowSpellsUzivatelWhereverItShowsIt)
{
    TTestResponder answers;
    QStringList shown;
    WhenModal<TQUsersForm>([&](TQUsersForm *f) {
        shown << f->windowTitle();
        for (const QLabel *l : f->findChildren<QLabel *>())
            shown << l->text();
        for (const QAbstractButton *b : f->findChildren<QAbstractButton *>())
            shown << b->text();
        for (const TxDBGrid *g : {f->DBGridUsers, f->DBGridPrivileges})
            for (int c = 0; c < g->model()->columnCount(); ++c)
                shown << g->model()->headerData(c, Qt::Horizontal).toString();
        f->Close();
    });
    ShowUsers();
    ASSERT_FALSE(shown.isEmpty()) << "the window did not show";
    EXPECT_EQ(shown.first().toStdString(), "Užívatelia a oprávnenia");
    // The word is "užívateľ", "užívatelia": never without its long í, its ž or its ľ.
    const QRegularExpression misspelt(QString::fromUtf8("[Uu](živat|zivat|žívatel(?!ia))"));
    for (const QString &text : shown)
        EXPECT_FALSE(misspelt.match(text).hasMatch()) << text.toStdString();
    EXPECT_TRUE(shown.contains(QString::fromUtf8("Meno užívateľa")));
    delete QUsersForm;
    QUsersForm = nullptr;
}

} // namespace

namespace {

TEST_F(UsersTest, EveryActivityOfThePickListIsReadableInItsColumnAndDroppedDownList)
{
    TTestResponder answers;
    users->Open();
    addUserRow("T21_SKLADNIK");
    users->Close();
    int columnWidth = 0, listWidth = 0, widest = 0;
    QString widestText;
    bool dropped = false;
    WhenModal<TQUsersForm>([&](TQUsersForm *f) {
        TxDBGrid *grid = f->DBGridPrivileges;
        const QFontMetrics fm = grid->fontMetrics();
        for (const auto &[word, description] : ModuleWords())
            if (fm.horizontalAdvance(description) > widest) {
                widest = fm.horizontalAdvance(description);
                widestText = description;
            }
        columnWidth = grid->columnWidth(0);
        if (users->QUsers.Locate("RDB_USER", "T21_SKLADNIK")) {
            QApplication::setActiveWindow(f);
            TabTo(grid);
            QTest::keyClick(grid, Qt::Key_Insert);
            auto *combo = qobject_cast<QComboBox *>(TypeInCell(grid, 0, "M"));
            if (combo) {
                QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
                QApplication::processEvents();
                dropped = combo->view()->isVisible();
                // The items' room: the list less its scroll bar and frame.
                listWidth = combo->view()->viewport()->width();
                combo->hidePopup();
            }
            users->QPrivileges.Cancel();
        }
        f->Close();
    });
    ShowUsers();
    EXPECT_GE(columnWidth, widest) << widestText.toStdString();
    EXPECT_TRUE(dropped);
    EXPECT_GE(listWidth, widest) << widestText.toStdString();
    EXPECT_EQ(privilegeRows("T21_SKLADNIK"), 0);
    delete QUsersForm;
    QUsersForm = nullptr;
}

} // namespace

namespace {

TEST_F(UsersTest, ALevelTypedAfterTabbingFromTheActivityTakesThePlaceOfNic)
{
    TTestResponder answers;
    users->Open();
    addUserRow("T21_SKLADNIK");
    users->Close();
    int typedLevel = -1;
    WhenModal<TQUsersForm>([&](TQUsersForm *f) {
        TxDBGrid *grid = f->DBGridPrivileges;
        if (users->QUsers.Locate("RDB_USER", "T21_SKLADNIK")) {
            QApplication::setActiveWindow(f);
            TabTo(grid);
            QTest::keyClick(grid, Qt::Key_Insert);
            QWidget *editor = TypeInCell(grid, 0, "MTZ/Sklady");
            QTest::keyClick(editor, Qt::Key_Tab);
            QApplication::processEvents();
            editor = QApplication::focusWidget();
            TypeText(editor, QString::fromUtf8("Všetko"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QApplication::processEvents();
            typedLevel = users->QPrivileges.FieldByName("RDB_LEVEL")->AsInteger();
            if (users->QPrivileges.State() != dsBrowse)
                users->QPrivileges.Post();
        }
        f->Close();
    });
    ShowUsers();
    EXPECT_EQ(answers.Texts(), QStringList()) << answers.Texts().join('\n').toStdString();
    EXPECT_EQ(typedLevel, 2);
    EXPECT_EQ(SelectValueParams("select RDB_LEVEL from QPRIVILEGES where RDB_USER='T21_SKLADNIK' and "
                                "RDB_PRIVILEGE='Sklady'")
                  .toInt(),
              2);
    EXPECT_EQ(rights("T21_SKLADNIK", "MPohyby"), "DIRSU");
    delete QUsersForm;
    QUsersForm = nullptr;
}

} // namespace

namespace {

TEST_F(UsersTest, APrivilegeBeingTypedIsStoredWhenAnotherUserIsChosen)
{
    TTestResponder answers;
    users->Open();
    addUserRow("T21_SKLADNIK");
    TxTable &p = users->QPrivileges;
    p.Append();
    p.FieldByName("RDB_PRIVILEGE")->SetText("MTZ/Sklady");
    p.FieldByName("RDB_LEVEL")->SetText(QString::fromUtf8("Všetko"));
    ASSERT_TRUE(users->QUsers.Locate("RDB_USER", "SYSDBA"));
    EXPECT_EQ(p.State(), dsBrowse);
    EXPECT_EQ(privilegeRows("T21_SKLADNIK"), 1);
    EXPECT_EQ(rights("T21_SKLADNIK", "MSklady"), "S");
    // A new row nobody typed into is dropped, not stored.
    ASSERT_TRUE(users->QUsers.Locate("RDB_USER", "T21_SKLADNIK"));
    p.Append();
    users->QUsers.First();
    EXPECT_EQ(privilegeRows("T21_SKLADNIK"), 1);
    // A row that cannot be stored keeps the chosen user and the typing.
    ASSERT_TRUE(users->QUsers.Locate("RDB_USER", "T21_SKLADNIK"));
    p.Append();
    p.FieldByName("RDB_PRIVILEGE")->SetText("MTZ/Sklady");
    p.FieldByName("RDB_LEVEL")->SetText(QString::fromUtf8("Čítať"));
    EXPECT_ANY_THROW(users->QUsers.First());
    EXPECT_EQ(users->CurrentUser(), "T21_SKLADNIK");
    EXPECT_EQ(p.State(), dsInsert);
    p.Cancel();
    EXPECT_EQ(SelectValueParams("select RDB_LEVEL from QPRIVILEGES where RDB_USER='T21_SKLADNIK'").toInt(), 2);
}

} // namespace

namespace {

// A name already in the list is refused before any password is asked for, and asked for again as typed.
TEST_F(UsersTest, ANameAlreadyListedIsRefusedBeforeThePassword)
{
    TTestResponder answers;
    users->Open();
    addUserRow("T21_SKLADNIK");
    users->UsersOnServer = true;
    TQUsersForm form;
    answers.InputAnswers = {QString("t21_skladnik"), QVariant()};
    QTest::mouseClick(form.BtnNovy, Qt::LeftButton);
    ASSERT_EQ(answers.Inputs.size(), 2);
    EXPECT_FALSE(answers.Inputs[1].Password);
    EXPECT_EQ(answers.Inputs[1].Value, QString("t21_skladnik"));
    EXPECT_EQ(answers.Texts(), QStringList{QString::fromUtf8("Užívateľ T21_SKLADNIK už existuje, zvoľte iné meno.")});
    EXPECT_FALSE(users->NewUser("T21_Skladnik", "Ine-heslo 1"));
    EXPECT_EQ(SelectValueParams("select count(*) from QUSERS where RDB_USER='T21_SKLADNIK'").toInt(), 1);
}

} // namespace

namespace {

// Every activity is granted by picking its description from the cell's list, the long ones whole.
TEST_F(UsersTest, EveryActivityIsGrantedByPickingItFromTheList)
{
    TTestResponder answers;
    users->Open();
    addUserRow("T21_PLANOVAC");
    users->Close();
    QStringList notPicked;
    WhenModal<TQUsersForm>([&](TQUsersForm *f) {
        TxDBGrid *grid = f->DBGridPrivileges;
        if (users->QUsers.Locate("RDB_USER", "T21_PLANOVAC")) {
            ClickOn(grid->viewport());
            for (const auto &[word, description] : ModuleWords()) {
                Press(Qt::Key_Insert);
                Press(Qt::Key_Home); // the activity's column
                Type(description.left(1));
                QWidget *editor = QApplication::focusWidget();
                auto *combo = qobject_cast<QComboBox *>(editor);
                if (!combo && editor)
                    combo = qobject_cast<QComboBox *>(editor->parentWidget());
                if (!combo) {
                    notPicked << description + " (no list)";
                    break;
                }
                Press(Qt::Key_Down, Qt::AltModifier);
                for (int i = 0; i < combo->count() && combo->view()->currentIndex().data().toString() != description;
                     ++i)
                    QTest::keyClick(combo->view(), Qt::Key_Down);
                QTest::keyClick(combo->view(), Qt::Key_Return);
                Settle();
                Press(Qt::Key_Tab);
                Type(QString::fromUtf8("Čítať"));
                Press(Qt::Key_Return);
                Press(Qt::Key_Up); // off the row: it is stored
                if (users->QPrivileges.State() != dsBrowse) {
                    notPicked << description;
                    users->QPrivileges.Cancel();
                }
            }
        }
        f->Close();
    });
    ShowUsers();
    EXPECT_TRUE(notPicked.isEmpty()) << notPicked.join(", ").toStdString() << answers.Texts().join('\n').toStdString();
    QStringList missing;
    for (const auto &[word, description] : ModuleWords())
        if (SelectValueParams("select RDB_LEVEL from QPRIVILEGES where RDB_USER='T21_PLANOVAC' and RDB_PRIVILEGE=:w",
                              {word})
                .toInt() != 1)
            missing << description;
    EXPECT_TRUE(missing.isEmpty()) << missing.join(", ").toStdString();
    delete QUsersForm;
    QUsersForm = nullptr;
}

} // namespace
