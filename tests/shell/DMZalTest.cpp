// The base data module: settings and their defaults, money format by the locale's currency, the
// connection and its failure paths, the last log-in, order states, privileges and error translation.
#include "common/ModuleFixture.h"
#include "shell/Routines.h"

#include "platform/fbapi/IBError.h"
#include "platform/os/Exception.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Guarded.h"

#include "shell/LoginDialog.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QFile>
#include <QSettings>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

namespace {

QString lastLogin()
{
    return QSettings(TDMZal::UserValuesFile(), QSettings::IniFormat).value("SOFTWARE/TarvIS/LastLogin").toString();
}

TEST_F(ShellTest, SettingsDefaultWithoutAnIniFile)
{
    dm = std::make_unique<TDMZal>(programFile());
    EXPECT_EQ(DMZal, dm.get());
    EXPECT_EQ(dm->IniFile().FileName(), iniFile()) << "TarvIS.ini beside the program, though missing";
    EXPECT_FALSE(QFile::exists(iniFile()));
    EXPECT_EQ(CisloFa, "2026/");
    EXPECT_EQ(DPH, "19");
    EXPECT_EQ(MRPPath, QString::fromUtf8("C:\\Program Files\\MRP\\Podvojné účtovníctvo\\Data0001"));
    EXPECT_TRUE(EvidovatZmatky);
    EXPECT_FALSE(ZmatkyPodrobne);
    EXPECT_TRUE(NotifyMnozstvo);
    EXPECT_EQ(NotifyProfesia, 1);
    EXPECT_TRUE(EvidovatOHod);
    EXPECT_DOUBLE_EQ(PriplatokNoc, 8.5);
    EXPECT_DOUBLE_EQ(MinMzdaSobota, 600);
    EXPECT_DOUBLE_EQ(PriplatokDochadzka, 0);
    EXPECT_DOUBLE_EQ(KoefUkol, 0.25);
    EXPECT_TRUE(CompanyList.IsEmpty());
    EXPECT_TRUE(MaskC_VYR.isEmpty());
    EXPECT_EQ(dm->ReadDefault("Vystavil"), "");

    PriplatokNoc = 9.25;
    DPH = "20";
    dm->SaveSettings();
    EXPECT_TRUE(QFile::exists(iniFile())) << "saving creates the file";
    PriplatokNoc = 0;
    DPH.clear();
    dm->LoadSettings();
    EXPECT_DOUBLE_EQ(PriplatokNoc, 9.25);
    EXPECT_EQ(DPH, "20");
    dm->DBZAL.BeforeConnect(&dm->DBZAL);
    EXPECT_EQ(dm->DBZAL.DatabaseName, QDir(folder.path()).filePath("TarvDB.fdb"))
        << "the program's own database file, through the embedded engine";
}

TEST_F(ShellTest, SettingsFileNamedAfterTheProgramWins)
{
    writeSetting("MRP", "DPH", "10");
    TIniFile own(programFile() + ".ini");
    own.WriteString("MRP", "DPH", "23");
    own.WriteString("Company", "Nazov", QString::fromUtf8("Zlievareň, a.s."));
    own.WriteString("Company", "ICO", "123");
    own.WriteString("Masks", "c_vyr", ">LL00");
    own.WriteString("Vykony", "NotifyProfesia", "3");
    own.WriteString("Vykony", "ZmatkyPodrobne", "2");
    own.WriteString("Mzdy", "KoefUkol", "0,4");
    own.WriteString("Mzdy", "MinMzdaSobota", "nečíslo");
    own.WriteString("Defaults", "Vystavil", QString::fromUtf8("Novák, \"Ján Kováč\",Mrkva"));
    dm = std::make_unique<TDMZal>(programFile());
    EXPECT_EQ(DPH, "23");
    EXPECT_EQ(CompanyList.Lines(), QStringList({QString::fromUtf8("Nazov=Zlievareň, a.s."), "ICO=123"}));
    EXPECT_EQ(MaskC_VYR, ">LL00");
    EXPECT_EQ(NotifyProfesia, 3);
    EXPECT_TRUE(ZmatkyPodrobne) << "any non-zero integer is true";
    EXPECT_DOUBLE_EQ(KoefUkol, 0.4);
    EXPECT_DOUBLE_EQ(MinMzdaSobota, 600) << "an unreadable number gives its default";

    TStringList list{"keep"};
    dm->ReadDefaultsList(list, "Vystavil");
    EXPECT_EQ(list.Lines(), QStringList({QString::fromUtf8("Novák"), QString::fromUtf8("Ján Kováč"), "Mrkva"}));
    dm->ReadDefaultsList(list, "Chyba");
    EXPECT_EQ(list.Count(), 3) << "a missing key leaves the list";
}

TEST_F(ShellTest, MoneyFormatFollowsTheCurrencySymbol)
{
    dm = std::make_unique<TDMZal>(programFile());
    EXPECT_EQ(CurrencyCode, "EUR");
    EXPECT_EQ(MoneyFormat, QString::fromUtf8("## ##0.00 €;; "));
    EXPECT_EQ(FormatFloat(MoneyFormat, 1234.5), QString::fromUtf8("1 234,50 €"));
    EXPECT_EQ(FormatFloat(MoneyFormat, 0), " ") << "zero shows as a blank";
    EXPECT_EQ(dm->DBCatalog.Titles.Values("CENA1"), QString::fromUtf8("Cena v €"));
    EXPECT_EQ(dm->DBCatalog.Titles.Count(), 13);
    EXPECT_EQ(dm->DBCatalog.Formats.Count(), 6);
    EXPECT_EQ(dm->DBCatalog.Formats.Values("C_INT"), "#0\"/\"0000");
    EXPECT_EQ(FormatSettings().DateSeparator, QLatin1Char('.'));

    dm.reset();
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    dm = std::make_unique<TDMZal>(programFile());
    EXPECT_EQ(CurrencyCode, "CZK");
    EXPECT_EQ(MoneyFormat, QString::fromUtf8("## ##0.00 Kč;; "));

    dm.reset();
    QLocale::setDefault(QLocale::c()); // no locale configured: the formats stay as they are
    FormatSettings().CurrencyString = "Sk";
    dm = std::make_unique<TDMZal>(programFile());
    EXPECT_EQ(CurrencyCode, "EUR");
    EXPECT_EQ(FormatSettings().CurrencyString, QString::fromUtf8("€"));
    EXPECT_EQ(MoneyFormat, QString::fromUtf8("## ##0.00 €;; "));

    dm.reset();
    FormatSettings().CurrencyString = "$";
    dm = std::make_unique<TDMZal>(programFile());
    EXPECT_EQ(CurrencyCode, "EUR");
    EXPECT_EQ(MoneyFormat, "## ##0.00 $;; ") << "another symbol stays in the format";
}

// The last log-in an earlier version kept in its own store is read once and kept in the values file from then
// on; a name with Slovak letters and an equals sign stays whole.
TEST_F(ShellTest, TheLastLoginKeptByTheEarlierStoreIsReadOnce)
{
    dm = std::make_unique<TDMZal>(programFile());
    const QString folder =
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + "/registry/SOFTWARE/TarvIS";
    ASSERT_TRUE(QDir().mkpath(folder));
    QFile old(folder + "/values");
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QString::fromUtf8("Iný=x\nLastLogin=ŠTEFÁNIK\\=O'Neil\n").toUtf8());
    old.close();
    EXPECT_EQ(dm->ReadRegString("LastLogin"), QString::fromUtf8("ŠTEFÁNIK=O'Neil"));
    ASSERT_TRUE(old.remove());
    EXPECT_EQ(lastLogin(), QString::fromUtf8("ŠTEFÁNIK=O'Neil"));
    dm->WriteRegString("LastLogin", "NOVAK");
    EXPECT_EQ(dm->ReadRegString("LastLogin"), "NOVAK");
    EXPECT_EQ(dm->ReadRegString("Iný"), "");
}

TEST_F(ShellTest, ConnectsAsSysdbaAndRemembersTheLogin)
{
    EXPECT_EQ(lastLogin(), "");
    connect();
    EXPECT_EQ(dm->CurrentUserName(), "SYSDBA");
    EXPECT_EQ(SelectValueParams("select USER from RDB$DATABASE").toString().trimmed(), "SYSDBA");
    EXPECT_EQ(lastLogin(), "SYSDBA");
    EXPECT_EQ(dm->ReadRegString("LastLogin"), "SYSDBA");
    EXPECT_TRUE(dm->DBZAL.Password.isEmpty()) << "no log-in dialog was shown";
    EXPECT_EQ(dm->DBZAL.Params.Values("providers"), "Engine12") << "the built-in log-in: the embedded engine alone";
    EXPECT_EQ(dm->DBTransaction.IdleTimer(), 10000);
    dm->ConnectDatabase(); // an open connection is left as it is
    EXPECT_TRUE(dm->DBZAL.Connected());
}

// Answers the next log-in dialog by typing: the user name (unless null) and the password, then Enter;
// a null password closes it with Escape. Returns what the dialog showed when it came up.
struct LoginTyping {
    QString shownUser, shownDatabase;
    bool userFocused = false;
    void answer(const QString &user, const QString &password)
    {
        QTimer::singleShot(0, [this, user, password] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            auto *login = dynamic_cast<TLoginDialog *>(dialog);
            ASSERT_NE(login, nullptr) << "no log-in dialog";
            shownUser = login->UserEdit->text();
            shownDatabase = login->DatabaseLabel->text();
            userFocused = login->focusWidget() == login->UserEdit;
            if (password.isNull()) {
                QTest::keyClick(login, Qt::Key_Escape);
                return;
            }
            if (!user.isNull()) {
                QTest::keyClicks(login->UserEdit, user);
            }
            QTest::keyClicks(login->PasswordEdit, password);
            QTest::keyClick(login->PasswordEdit, Qt::Key_Return);
        });
    }
};

TEST_F(ShellTest, LogInPromptAsksAndUpperCasesTheUser)
{
    writeSetting("Database", "LoginPrompt", "1");
    LoginTyping typing;
    typing.answer("novak", "tajne");
    connect();
    EXPECT_EQ(typing.shownUser, "") << "no last log-in yet";
    EXPECT_TRUE(typing.userFocused) << "an empty user name takes the focus";
    EXPECT_EQ(typing.shownDatabase, database.path());
    EXPECT_EQ(dm->CurrentUserName(), "NOVAK");
    EXPECT_EQ(dm->DBZAL.Password, "tajne");
    EXPECT_EQ(dm->DBZAL.Params.Values("providers"), "") << "a typed log-in may be served by the local server";
    EXPECT_EQ(lastLogin(), "NOVAK");

    dm.reset();
    typing.answer(QString(), QString()); // cancelled: the last user's parameters go on
    connect();
    EXPECT_EQ(typing.shownUser, "NOVAK") << "the last log-in is proposed";
    EXPECT_FALSE(typing.userFocused) << "with a user proposed the password takes the focus";
    EXPECT_EQ(dm->CurrentUserName(), "NOVAK");
}

// The log-in is one window whose caption is not cut, with the user name and a hidden password.
TEST_F(ShellTest, LogInDialogShowsTheWholeCaptionAndHidesThePassword)
{
    TLoginDialog dialog("server:/data/TarvDB.fdb", "NOVAK", false);
    dialog.show();
    const QFontMetrics metrics(QApplication::font("QMdiSubWindowTitleBar"));
    EXPECT_GT(dialog.width(), metrics.horizontalAdvance(dialog.windowTitle()) + 100);
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Prihlásenie k databáze"));
    EXPECT_EQ(dialog.PasswordEdit->echoMode(), QLineEdit::Password);
    EXPECT_GE(dialog.DatabaseLabel->width(), dialog.DatabaseLabel->sizeHint().width()) << "the database is not cut";

    TLoginDialog fixed("db", "NOVAK", true);
    EXPECT_TRUE(fixed.UserEdit->isReadOnly()) << "the password change keeps the user";
}

// A server database without the log-in prompt is never sent the built-in password: its log-in is asked for.
// A file typed after the network error is opened by the embedded engine with the built-in log-in again.
TEST_F(ShellTest, NetworkErrorAsksOnceForAnotherDatabase)
{
    ASSERT_FALSE(database.path().isEmpty());
    writeSetting("Database", "Name", "127.0.0.1/1:/nikde/TarvDB.fdb");
    TTestResponder answers;
    answers.InputAnswers = {database.path()};
    dm = std::make_unique<TDMZal>(programFile());
    LoginTyping typing;
    typing.answer("novak", "tajne");
    dm->ConnectDatabase();
    EXPECT_EQ(typing.shownDatabase, "127.0.0.1/1:/nikde/TarvDB.fdb") << "the server's log-in is asked";
    EXPECT_TRUE(dm->DBZAL.Connected());
    EXPECT_EQ(dm->CurrentUserName(), "SYSDBA") << "the embedded engine gets the built-in log-in";
    if (IsFirebirdServerRunning()) {
        EXPECT_TRUE(answers.Messages.isEmpty());
    } else {
        ASSERT_EQ(answers.Messages.size(), 1);
        EXPECT_EQ(answers.Messages[0].Text, QString::fromUtf8("Firebird SQL Server nie je spustený!"));
        EXPECT_EQ(answers.Messages[0].Caption, QString::fromUtf8("Chyba pripojenia k databáze!"));
    }
    ASSERT_EQ(answers.Inputs.size(), 1);
    EXPECT_EQ(answers.Inputs[0].Caption, QString::fromUtf8("Pripojenie k databáze zlyhalo!"));
    EXPECT_EQ(answers.Inputs[0].Prompt, QString::fromUtf8("Zadaj cestu k databáze:"));
    EXPECT_EQ(answers.Inputs[0].Value, "server:cesta\\TarvDB.fdb");
    EXPECT_EQ(dm->DBZAL.DatabaseName, database.path());
    EXPECT_EQ(TIniFile(iniFile()).ReadString("Database", "Name", ""), "127.0.0.1/1:/nikde/TarvDB.fdb")
        << "the typed name is not saved";

    dm->DBZAL.Close();
    answers.InputAnswers = {QString("/nikde/ani/tu.fdb")};
    typing.answer("novak", "tajne");
    EXPECT_THROW(dm->ConnectDatabase(), EIBError) << "the second attempt's error goes to the caller";
    EXPECT_FALSE(dm->DBZAL.Connected());
}

class ShellDb : public ModuleTest {
protected:
    void afterConnect() override { exec("insert into ZAKAZKY (C_OBJ, TYP_OBJ) values ('ZAK260001', 'Z')"); }
    void addJob(int cInt, int state)
    {
        exec(
            QString("insert into ZAKAZKYD (C_INT, C_OBJ, STAV_ZAK) values (%1, 'ZAK260001', %2)").arg(cInt).arg(state));
    }
    // A table of the connection whose error event goes to the module's handler (with pairs when given).
    void bindTable(TxTable &table, const QString &name, TDataSet::ErrorEvent TDataSet::*event,
                   const QStringList &pairs = {})
    {
        table.SetDatabase(&dm->DBZAL);
        table.SetTableName(name);
        table.*event = [this, pairs](TDataSet *ds, EDatabaseError &e, TDataAction &action) {
            if (pairs.isEmpty())
                dm->DataSetErrorHandler(ds, e, action);
            else
                dm->DataSetErrorHandlerEx(ds, e, pairs, action);
        };
        table.Open();
    }
    int stateOf(int cInt) { return SelectValueParams("select STAV_ZAK from ZAKAZKYD where C_INT=:c", {cInt}).toInt(); }
};

TEST_F(ShellDb, OrderStatesMoveUpAndUndoMovesDown)
{
    addJob(260001, 1);
    addJob(260002, 5);
    addJob(260003, 90);
    addJob(260004, 30);
    EXPECT_TRUE(dm->SetOrderState(260001, 3, 0));
    EXPECT_EQ(stateOf(260001), 3);
    EXPECT_FALSE(dm->SetOrderState(260001, 3, 0)) << "the same state again changes nothing";
    EXPECT_FALSE(dm->SetOrderState(260002, 3, 0)) << "never down by a raise";
    EXPECT_EQ(stateOf(260002), 5);
    EXPECT_TRUE(dm->SetOrderState(260003, -40, 0));
    EXPECT_EQ(stateOf(260003), 40);
    EXPECT_FALSE(dm->SetOrderState(260004, -40, 0)) << "never up by an undo";
    EXPECT_EQ(stateOf(260004), 30);
    EXPECT_FALSE(dm->SetOrderState(269999, 3, 0)) << "no such job";
    const long long prepared = fb::Statement::Prepares();
    EXPECT_TRUE(dm->SetOrderState(260004, 40, 0));
    EXPECT_TRUE(dm->SetOrderState(260004, -30, 0));
    EXPECT_EQ(fb::Statement::Prepares(), prepared) << "one statement serves every job and state";
    EXPECT_EQ(stateOf(260004), 30);

    EXPECT_EQ(TDMZal::OrderStateName(50), "EXPedovaná");
    EXPECT_EQ(TDMZal::OrderStateName(101), "Stornovaná");
    EXPECT_EQ(TDMZal::OrderStateName(0), "0");
    EXPECT_EQ(TDMZal::OrderStateName(35), "35");
}

TEST_F(ShellDb, EveryRightWithoutPrivilegeRows)
{
    TTestResponder answers;
    EXPECT_TRUE(dm->HasRight("MTZ", 2, true));
    EXPECT_TRUE(dm->HasRight("System", 2, true));
    EXPECT_TRUE(answers.Messages.isEmpty());
}

TEST_F(ShellDb, RightsByModuleWordAndLevel)
{
    exec("insert into QPRIVILEGES values ('SYSDBA', 'Odbyt', 1)");
    exec("insert into QPRIVILEGES values ('INY', 'MTZ', 2)");
    TTestResponder answers;
    EXPECT_TRUE(dm->HasRight("Odbyt", 1, true));
    EXPECT_FALSE(dm->HasRight("Odbyt", 2, false));
    EXPECT_FALSE(dm->HasRight("odbyt", 1, false)) << "the word is compared exactly";
    EXPECT_TRUE(answers.Messages.isEmpty());
    EXPECT_FALSE(dm->HasRight("MTZ", 1, true)) << "another user's row does not count";
    ASSERT_EQ(answers.Messages.size(), 1);
    EXPECT_EQ(answers.Messages[0].Text, QString::fromUtf8("Nemáš oprávnenie na vykonanie požadovanej činnosti !"));
    EXPECT_EQ(answers.Messages[0].Caption, QString::fromUtf8("Kontrola oprávnenia"));

    exec("insert into QPRIVILEGES values ('SYSDBA', 'System', 2)");
    EXPECT_FALSE(dm->HasRight("MTZ", 1, false)) << "read once per connection";
    dm->QPrivileges.Close();
    EXPECT_TRUE(dm->HasRight("MTZ", 2, false));
    EXPECT_TRUE(dm->HasRight("Odbyt", 2, false)) << "a lower matching row does not end the search";
}

TEST_F(ShellDb, DuplicateKeyShownWithTheConstraintsMessage)
{
    TTestResponder answers;
    TxTable orders;
    bindTable(orders, "ZAKAZKY", &TDataSet::OnPostError,
              {"FK_INE|iné", QString::fromUtf8("PK_ZAKAZKY|Objednávka s rovnakým číslom už existuje!")});
    orders.Append();
    orders.FieldByName("C_OBJ")->SetValue("ZAK260001");
    EXPECT_THROW(orders.Post(), EAbort) << "shown, then cancelled silently";
    ASSERT_EQ(answers.Messages.size(), 1);
    EXPECT_EQ(answers.Messages[0].Caption, "SQL Chyba");
    EXPECT_EQ(answers.Messages[0].Text,
              QString::fromUtf8("Chyba pri pokuse o zápis/zmenu/zmazanie !\r\n"
                                "Pokus o zápis vety s duplicitným klúčom !\r\nRovnaký záznam už existuje !\r\n\r\n"
                                "Objednávka s rovnakým číslom už existuje!"));
    EXPECT_EQ(orders.State(), dsInsert) << "the user's row stays for a correction";
    orders.Cancel();
}

TEST_F(ShellDb, ForeignKeyViolationsOnInsertAndDelete)
{
    TTestResponder answers;
    TxTable items;
    bindTable(items, "ZAKAZKYD", &TDataSet::OnPostError);
    items.Append();
    items.FieldByName("C_INT")->SetValue(260001);
    items.FieldByName("C_OBJ")->SetValue("ZAK269999");
    EXPECT_THROW(items.Post(), EAbort);
    ASSERT_EQ(answers.Messages.size(), 1);
    EXPECT_EQ(answers.Messages[0].Text,
              QString::fromUtf8("Chyba pri pokuse o zápis/zmenu/zmazanie !\r\nPokus o narušenie väzby medzi údajmi !"))
        << "neither the server's text nor the constraint's name";
    items.Cancel();
    items.Close();

    // A link without cascading deletes, refusing the deletion of its order.
    exec("create table T_VAZBA (C_OBJ varchar(15) references ZAKAZKY (C_OBJ))");
    exec("insert into T_VAZBA values ('ZAK260001')");
    TxTable orders;
    bindTable(orders, "ZAKAZKY", &TDataSet::OnDeleteError);
    ASSERT_TRUE(orders.Locate("C_OBJ", "ZAK260001", {}));
    EXPECT_THROW(orders.Delete(), EAbort);
    ASSERT_EQ(answers.Messages.size(), 2);
    EXPECT_EQ(answers.Messages[1].Text, answers.Messages[0].Text);
    EXPECT_EQ(SelectValueParams("select count(*) from ZAKAZKY").toInt(), 1);
}

// What the server refuses is shown in the program's words alone: a duplicate key without a pair in its
// two lines, a missing value in its line, whether the refusal comes through a data set's error event or
// reaches the program's edge; the server's English, codes and constraint names never show.
TEST_F(ShellDb, RefusedSavesShowTheProgramsWordsOnly)
{
    const QString head = QString::fromUtf8("Chyba pri pokuse o zápis/zmenu/zmazanie !\r\n");
    const QString duplicate =
        head + QString::fromUtf8("Pokus o zápis vety s duplicitným klúčom !\r\nRovnaký záznam už existuje !");
    addJob(260001, 1);
    TTestResponder answers;
    TxTable items;
    bindTable(items, "ZAKAZKYD", &TDataSet::OnPostError, {"FK_INE|iné"});
    items.Append();
    items.FieldByName("C_INT")->SetValue(260001);
    items.FieldByName("C_OBJ")->SetValue("ZAK260001");
    EXPECT_THROW(items.Post(), EAbort);
    items.Cancel();

    // A NOT NULL column left empty, refused by the server itself.
    exec("create table T_POVINNE (ID integer not null primary key, NAZOV varchar(10) not null)");
    TxTable required;
    bindTable(required, "T_POVINNE", &TDataSet::OnPostError);
    required.Append();
    required.FieldByName("ID")->SetValue(1);
    EXPECT_THROW(required.Post(), EAbort);
    required.Cancel();

    // Without an error event the refusal reaches the program's edge, which shows it the same way.
    EXPECT_FALSE(Guarded([this] { exec("insert into ZAKAZKYD (C_INT, C_OBJ) values (260001, 'ZAK260001')"); }));

    ASSERT_EQ(answers.Messages.size(), 3);
    EXPECT_EQ(answers.Messages[0].Text, duplicate);
    EXPECT_EQ(answers.Messages[1].Text,
              head + QString::fromUtf8("Niektorý z povinných údajov nebol zadaný alebo má neprípustnú hodnotu !"));
    EXPECT_EQ(answers.Messages[2].Text, duplicate);
    for (const TMessageRequest &m : answers.Messages) {
        EXPECT_EQ(m.Caption, "SQL Chyba");
        for (const char *server : {"violation", "PK_ZAKAZKYD", "NAZOV", "-803", "-625", "335544"})
            EXPECT_FALSE(m.Text.contains(QLatin1String(server))) << m.Text.toStdString();
    }
}

// A connection the server's machine does not answer, as the next work's connecting again meets it while the
// server is still down: one Slovak sentence, in the error box as anywhere the error is shown.
TEST_F(ShellTest, AServerThatDoesNotAnswerIsOneSlovakSentence)
{
    writeSetting("Database", "Name", "127.0.0.1/1:/nikde/TarvDB.fdb");
    dm = std::make_unique<TDMZal>(programFile());
    TTestResponder answers;
    // A server's log-in is asked for (never the built-in one sent).
    LoginTyping typing;
    typing.answer("novak", "tajne");
    EXPECT_FALSE(Guarded([this] { dm->DBZAL.Open(); }));
    ASSERT_EQ(answers.Messages.size(), 1);
    EXPECT_EQ(answers.Messages[0].Text, fb::ServerUnreachableMessage);
    try {
        typing.answer("novak", "tajne");
        dm->DBZAL.Open();
        ADD_FAILURE() << "connected to nothing";
    } catch (const EIBError &e) {
        EXPECT_EQ(QString::fromUtf8(e.what()), fb::ServerUnreachableMessage);
        EXPECT_TRUE(e.ServerMessage.contains("127.0.0.1")) << "the server's lines stay for the program's own use";
    }
}

TEST_F(ShellDb, ErrorsWithoutATranslationAreLeftToTheCaller)
{
    TTestResponder answers;
    EXPECT_FALSE(dm->TranslateDbError(nullptr, EDatabaseError("miestna chyba")));
    EXPECT_FALSE(dm->TranslateDbError(nullptr, EIBError("neznáma tabuľka", -204, 335544569)));
    EXPECT_TRUE(answers.Messages.isEmpty());

    TDataAction action = daRetry;
    EDatabaseError plain("miestna chyba");
    dm->DataSetErrorHandler(nullptr, plain, action);
    EXPECT_EQ(action, daRetry) << "left as given";
    dm->DataSetErrorHandlerEx(nullptr, plain, {}, action);
    EXPECT_EQ(action, daFail);
}

// A user without the rights on a table: a refused read (a query's select, a later fetch) shows the
// Slovak sentence alone, a refused save the save's message with the server's line, as the data set's
// error event shows it.
TEST_F(ShellTest, ARefusedReadOrSaveIsShownInSlovak)
{
    writeSetting("Database", "LoginPrompt", "1");
    LoginTyping typing;
    typing.answer("novak", "tajne");
    connect();
    ASSERT_EQ(dm->CurrentUserName(), "NOVAK");
    const QString refused = QString::fromUtf8("Nedostatočné oprávnenia !");
    TTestResponder answers;

    // The server refuses the select as it prepares it, here as the program's routines read a value.
    EXPECT_FALSE(Guarded([] { SelectValueParams("select count(*) from CODBERATELOV"); }));
    ASSERT_EQ(answers.Messages.size(), 1);
    EXPECT_EQ(answers.Messages[0].Text, refused);
    EXPECT_EQ(answers.Messages[0].Caption, QString::fromUtf8("Výstraha"));

    // The first row is free; reading the second one needs the table.
    TxQuery later;
    later.SetDatabase(&dm->DBZAL);
    later.SQL().SetText("execute block returns (N integer) as begin N = 0; suspend; execute statement "
                        "'select count(*) from CODBERATELOV' into :N; suspend; end");
    later.Open();
    EXPECT_EQ(later.Fields(0)->AsInteger(), 0);
    EXPECT_FALSE(Guarded([&] { later.Next(); }));
    ASSERT_EQ(answers.Messages.size(), 2);
    EXPECT_EQ(answers.Messages[1].Text, refused);
    later.Close();

    // Everybody reads the privileges, nobody but the administrator writes them.
    TxTable privileges;
    privileges.SetDatabase(&dm->DBZAL);
    privileges.SetTableName("QPRIVILEGES");
    privileges.OnPostError = [this](TDataSet *ds, EDatabaseError &e, TDataAction &action) {
        dm->DataSetErrorHandler(ds, e, action);
    };
    privileges.Open();
    privileges.Append();
    privileges.FieldByName("RDB_USER")->SetValue("NOVAK");
    privileges.FieldByName("RDB_PRIVILEGE")->SetValue("System");
    privileges.FieldByName("RDB_LEVEL")->SetValue(2);
    EXPECT_THROW(privileges.Post(), EAbort);
    ASSERT_EQ(answers.Messages.size(), 3);
    EXPECT_EQ(answers.Messages[2].Caption, "SQL Chyba");
    EXPECT_EQ(answers.Messages[2].Text, QString::fromUtf8("Chyba pri pokuse o zápis/zmenu/zmazanie !\r\n") + refused);
    privileges.Cancel();
}

TEST_F(ShellDb, StoreTypesAndNewOperations)
{
    dm->CSkladov.Open();
    dm->CSkladov.Append();
    dm->CSkladov.FieldByName("SKLAD")->SetValue("S1");
    dm->CSkladov.FieldByName("TYP_SKLADU")->SetValue("X ");
    try {
        dm->CSkladov.Post();
        FAIL() << "a store of type X was stored";
    } catch (const EDatabaseError &e) {
        EXPECT_EQ(e.Message, QString::fromUtf8("Typ skladu musí byť V,M,N !"));
    }
    dm->CSkladov.FieldByName("TYP_SKLADU")->SetValue("M ");
    dm->CSkladov.Post();
    EXPECT_EQ(SelectValueParams("select TYP_SKLADU from CSKLADOV where SKLAD='S1'").toString(), "M ");

    dm->COperacii.Open();
    dm->COperacii.Append();
    EXPECT_EQ(dm->COperacii.FieldByName("PRACOVISKO")->AsString(), " ");
    dm->COperacii.Cancel();
}

} // namespace
