// The settings dialog, the about box and the password change's refusals, offscreen on a fresh database.
#include "common/HostileCorpus.h"
#include "common/WhenModal.h"
#include "shell/AdminModule.h"
#include "shell/AdminTools.h"
#include "shell/MenuHooks.h"
#include "shell/RoutineNames.h"
#include "shell/LoginDialog.h"
#include "shell/QAboutForm.h"
#include "shell/QSettingsForm.h"
#include "common/ModuleFixture.h"
#include "library/Buttons.h"
#include "platform/os/Win1250.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Guarded.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

namespace {

class DialogsTest : public ModuleTest {
protected:
    void beforeDisconnect() override
    {
        CancelWhenModal();
        delete QSettingsForm;
        delete QAboutForm;
    }
};

TEST_F(DialogsTest, SettingsSavedAndReadBack)
{
    WhenModal<TQSettingsForm>([](TQSettingsForm *f) {
        EXPECT_EQ(f->windowTitle(), "Nastavenia TarvIS");
        f->ePRIPLNOC->setText("9,5");
        f->eVIKEND->setText("700");
        f->eCisloFa->setText("2026/");
        f->eDPH->setText("23");
        f->cbVYKzmatkypodrobne->setChecked(true);
        QTest::mouseClick(f->BtnZapis, Qt::LeftButton);
    });
    ShowSettings();
    EXPECT_EQ(QSettingsForm->ModalResult(), mrOk);
    dm.reset(); // read again from the file
    dm = std::make_unique<TDMZal>(programFile());
    EXPECT_DOUBLE_EQ(PriplatokNoc, 9.5);
    EXPECT_DOUBLE_EQ(MinMzdaSobota, 700);
    EXPECT_EQ(CisloFa, "2026/");
    EXPECT_EQ(DPH, "23");
    EXPECT_TRUE(ZmatkyPodrobne);
}

TEST_F(DialogsTest, ABadNumberChangesNothingAndKeepsTheDialogOpen)
{
    const double night = PriplatokNoc;
    const QString prefix = CisloFa;
    TTestResponder answers;
    bool stillOpen = false;
    WhenModal<TQSettingsForm>([&](TQSettingsForm *f) {
        f->eCisloFa->setText("X/");
        f->cbVYKevidovatzmatky->setChecked(!EvidovatZmatky);
        f->ePRIPLNOC->setText("10");
        f->ePRIPLDOCH->setText("desat");
        QTest::mouseClick(f->BtnZapis, Qt::LeftButton);
        QCoreApplication::processEvents(); // a form closes from a queued call
        stillOpen = f->isVisible();
        f->Close();
    });
    ShowSettings();
    EXPECT_TRUE(stillOpen);
    ASSERT_EQ(answers.Messages.size(), 1);
    EXPECT_TRUE(answers.Messages.first().Text.contains("desat"));
    EXPECT_DOUBLE_EQ(PriplatokNoc, night);
    EXPECT_EQ(CisloFa, prefix);
    EXPECT_FALSE(QFile::exists(iniFile()) && TIniFile(iniFile()).ReadString("MRP", "CisloFa", "") == "X/");
}

TEST_F(DialogsTest, AboutShowsTheDatabaseAndGrowsForTheReadmeOnce)
{
    QTemporaryDir cwd;
    const QString saved = QDir::currentPath();
    QDir::setCurrent(cwd.path());
    QFile readme(cwd.filePath("readme.txt"));
    ASSERT_TRUE(readme.open(QIODevice::WriteOnly));
    readme.write("Novinky verzie 1.6");
    readme.close();
    TTestResponder answers; // the embedded engine may have no services manager to ask
    auto *form = new TQAboutForm;
    form->ShowFacts();
    const int height = form->height();
    form->ShowFacts();
    QDir::setCurrent(saved);
    EXPECT_EQ(form->height(), height) << "grown once";
    EXPECT_EQ(form->lDB->text(), database.path());
    EXPECT_EQ(form->lODS->text(), "12.0");
    EXPECT_EQ(form->memoReadme->toPlainText(), "Novinky verzie 1.6");
    EXPECT_FALSE(form->memoReadme->isHidden());
}

// A read-me written on a Windows workstation (Windows-1250) reads as one written here (UTF-8).
TEST_F(DialogsTest, TheReadmeReadsInEitherEncoding)
{
    QTemporaryDir cwd;
    const QString saved = QDir::currentPath();
    QDir::setCurrent(cwd.path());
    const QString text = QString::fromUtf8("Novinky: ľahšie odliatky – „čerstvá“ ponuka, ťažké formy, Ôsmy diel");
    TTestResponder answers;
    QStringList shown;
    for (const QByteArray &bytes : {Win1250::fromUnicode(text), text.toUtf8()}) {
        QFile readme(cwd.filePath("readme.txt"));
        ASSERT_TRUE(readme.open(QIODevice::WriteOnly | QIODevice::Truncate));
        readme.write(bytes);
        readme.close();
        WhenModal<TQAboutForm>([&shown](TQAboutForm *f) {
            shown << f->memoReadme->toPlainText();
            f->SetModalResult(mrOk);
        });
        ShowAbout();
    }
    QDir::setCurrent(saved);
    EXPECT_EQ(shown, (QStringList{text, text}));
}

// The server tells its load to its administrator alone: anyone else sees its version, the load left empty, and
// no error box (he failed at nothing). The embedded engine refuses as the server does.
TEST_F(DialogsTest, AboutShowsOtherUsersTheServersVersionWithoutAnError)
{
    const auto facts = [this](const QString &user) {
        dm.reset();
        dm = std::make_unique<TDMZal>(programFile());
        dm->DBZAL.Params.SetValue("user_name", user);
        dm->ConnectDatabase();
        QStringList shown;
        WhenModal<TQAboutForm>([&shown](TQAboutForm *f) {
            for (QLabel *l : {f->lServer, f->lODS, f->lDBCnt, f->lAttCnt})
                shown << l->text();
            f->SetModalResult(mrOk);
        });
        ShowAbout();
        return shown;
    };
    TTestResponder answers;
    const QStringList clerk = facts("CLERK");
    ASSERT_EQ(clerk.size(), 4);
    EXPECT_TRUE(clerk[0].contains("Firebird")) << clerk[0].toStdString();
    EXPECT_EQ(clerk[1], "12.0");
    EXPECT_EQ(clerk[2], "");
    EXPECT_EQ(clerk[3], "");
    EXPECT_TRUE(answers.Messages.isEmpty()) << answers.Texts().join('\n').toStdString();

    const QStringList administrator = facts("SYSDBA");
    ASSERT_EQ(administrator.size(), 4);
    EXPECT_EQ(administrator[0], clerk[0]);
    EXPECT_EQ(administrator[2], "1") << "the databases open";
    EXPECT_EQ(administrator[3], "1") << "the connections";
    EXPECT_TRUE(answers.Messages.isEmpty()) << answers.Texts().join('\n').toStdString();
}

// Answers the next log-in dialog: the password typed and OK, or Escape for a null password; the caption
// it shows in the database's place is kept.
void answerLogin(const QString &password, QStringList &captions)
{
    WhenModal<QWidget>([password, &captions](QWidget *window) {
        auto *login = dynamic_cast<TLoginDialog *>(window);
        ASSERT_NE(login, nullptr) << "no log-in dialog";
        captions << login->DatabaseLabel->text();
        EXPECT_TRUE(login->UserEdit->isReadOnly()) << "the user is fixed";
        if (password.isNull()) {
            QTest::keyClick(login, Qt::Key_Escape);
            return;
        }
        TypeText(login->PasswordEdit, password);
        login->accept();
    });
}

TEST_F(DialogsTest, APasswordChangeWithAWrongOldPasswordIsRefusedWithoutAServerCall)
{
    TTestResponder answers;
    QStringList captions;
    answerLogin("zle", captions);
    answerLogin("noveHeslo7", captions);
    ChangeOwnPassword();
    EXPECT_EQ(captions, (QStringList{QString::fromUtf8("Staré heslo"), QString::fromUtf8("Nové heslo")}));
    EXPECT_EQ(answers.Texts(), QStringList{QString::fromUtf8("Staré heslo nie je správne, heslo nebolo zmenené !")});
    // Cancelling the second dialog ends without anything said.
    answers.Messages.clear();
    captions.clear();
    answerLogin("", captions);
    answerLogin(QString(), captions);
    ChangeOwnPassword();
    EXPECT_EQ(captions.size(), 2);
    EXPECT_TRUE(answers.Messages.isEmpty());
}

TEST_F(DialogsTest, ANewPasswordThatBreaksTheRulesIsRefusedInSlovak)
{
    const QString user = CurrentUserName();
    const struct {
        QString typed, said;
    } cases[]{
        {user.toLower(), QString::fromUtf8("Heslo sa nesmie zhodovať s menom užívateľa.")},
        {QString::fromUtf8("Žltý kôň 2026"), QString::fromUtf8("Heslo nesmie obsahovať písmená s diakritikou.")},
        {"kratke7", QString::fromUtf8("Heslo musí mať aspoň 8 znakov.")},
    };
    for (const auto &c : cases) {
        TTestResponder answers;
        QStringList captions;
        answerLogin("zle", captions);
        answerLogin(c.typed, captions);
        ChangeOwnPassword();
        EXPECT_EQ(answers.Texts(), QStringList{c.said + QString::fromUtf8(" Heslo nebolo zmenené.")})
            << c.typed.toStdString();
    }
}

// Without a connection (a refused log-in) the administration's menu items say so instead of doing nothing.
class AdminRoutines : public ShellTest {};

TEST_F(AdminRoutines, WithoutAConnectionTheUserIsToldSo)
{
    dm = std::make_unique<TDMZal>(programFile());
    ASSERT_FALSE(dm->DBZAL.Connected());
    RegisterAdminModule();
    for (const char *routine : {Routine::ShowUsers, Routine::ChangePassword, Routine::Maintenance}) {
        TTestResponder answers;
        Guarded([&] { CallOpenRoutine(QString::fromLatin1(routine), {}); });
        EXPECT_EQ(answers.Texts(), QStringList{QStringLiteral("Databáza nie je pripojená")}) << routine;
    }
}

} // namespace
