// The program's own modules on the served demo foundry with the orders browser open, when the server ends
// the connection under it: one Slovak message, no crash, and the next search connects again and lists; the
// same for the item dialog's save.
#include "common/PersonTyping.h"
#include "DemoServerTest.h"

#include "common/HostileCorpus.h"
#include "sales/DMOdbyt.h"
#include "sales/DMTPV.h"
#include "sales/FormZakazkaDetHl.h"
#include "sales/FormZakazky.h"
#include "shell/DMCis.h"
#include "shell/DMZal.h"
#include "shell/Routines.h"
#include "platform/fbapi/IBError.h"
#include "platform/os/IniFile.h"
#include "platform/ui/DBControls.h"
#include "platform/ui/Dialogs.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QLocale>
#include <QTest>

class LostUnderAForm : public DemoServerTest {
protected:
    void SetUp() override
    {
        DemoServerTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(program.isValid());
        const QDir folder(program.path());
        savedConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", folder.filePath("config").toUtf8());
        savedLocale = QLocale();
        QLocale::setDefault(QLocale(QLocale::Slovak, QLocale::Slovakia));
        TIniFile(folder.filePath("TarvIS.ini")).WriteString("Database", "Name", name);
        responder = std::make_unique<TTestResponder>();
        zal = std::make_unique<TDMZal>(folder.filePath("tarvis"));
        zal->DBZAL.Params.SetValue(QStringLiteral("password"), password);
        zal->ConnectDatabase();
        ASSERT_TRUE(zal->DBZAL.Connected()) << responder->Texts().join('\n').toStdString();
        cis = std::make_unique<TDMCis>();
        tpv = std::make_unique<TDMTPV>();
        odbyt = std::make_unique<TDMOdbyt>();
    }
    void TearDown() override
    {
        form.reset();
        odbyt.reset();
        tpv.reset();
        cis.reset();
        zal.reset(); // the connection goes before the database is dropped
        responder.reset();
        if (!savedLocale.name().isEmpty())
            QLocale::setDefault(savedLocale);
        if (savedConfig.isNull())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", savedConfig);
        DemoServerTest::TearDown();
    }
    // The server ends this program's connection, as when its attachment is deleted by an administrator.
    void killConnection()
    {
        const QString id = SelectValueParams(QStringLiteral("select current_connection from rdb$database")).toString();
        fb::Attachment att = adminAttachment();
        att.executeImmediate(QStringLiteral("delete from mon$attachments where mon$attachment_id = %1").arg(id));
        att.detach();
    }
    QStringList listedOrders()
    {
        QStringList numbers;
        TxTable &q = odbyt->QvZakazky;
        for (q.First(); !q.Eof(); q.Next())
            numbers << q.FieldByName("C_OBJ")->AsString().trimmed();
        return numbers;
    }

    QTemporaryDir program;
    QByteArray savedConfig;
    QLocale savedLocale;
    std::unique_ptr<TTestResponder> responder;
    std::unique_ptr<TDMZal> zal;
    std::unique_ptr<TDMCis> cis;
    std::unique_ptr<TDMTPV> tpv;
    std::unique_ptr<TDMOdbyt> odbyt;
    std::unique_ptr<TFormZakazky> form;
};

TEST_F(LostUnderAForm, OneSlovakMessageThenTheNextSearchConnectsAgain)
{
    form = std::make_unique<TFormZakazky>();
    form->show();
    QApplication::processEvents();
    const QStringList before = listedOrders();
    ASSERT_FALSE(before.isEmpty()) << "the demo's recent orders are listed";

    killConnection();
    QApplication::processEvents(); // the open list repaints from what it holds
    EXPECT_TRUE(form->isVisible());

    // The first key of a search meets the lost connection: said once, in Slovak; the form stays usable.
    QApplication::setActiveWindow(form.get());
    TabTo(form->HlObj);
    TypeText(form->HlObj, QStringLiteral("Z"));
    ASSERT_EQ(responder->Messages.size(), 1) << responder->Texts().join('\n').toStdString();
    EXPECT_TRUE(responder->Messages[0].Text.contains(fb::ConnectionLostMessage))
        << responder->Messages[0].Text.toStdString();
    EXPECT_FALSE(zal->DBZAL.Connected()) << "the lost connection is let go of";

    // The next key searches again over a new connection.
    TypeText(form->HlObj, QStringLiteral("AK"));
    EXPECT_EQ(responder->Messages.size(), 1) << responder->Texts().join('\n').toStdString();
    EXPECT_TRUE(zal->DBZAL.Connected());
    const QStringList listed = listedOrders();
    EXPECT_EQ(listed.size(), adminValue("select count(*) from ZAKAZKY where C_OBJ starting with 'ZAK'").toInt());
    for (const QString &number : listed)
        EXPECT_TRUE(number.startsWith("ZAK")) << number.toStdString();

    // And the connection is a working one: the items of the current order open under the form.
    odbyt->QvZakazky.First();
    odbyt->QZakazkyD.Open();
    EXPECT_FALSE(odbyt->QZakazkyD.IsEmpty());
    EXPECT_EQ(responder->Messages.size(), 1);
}

// The item dialog left open over a lost connection keeps what was typed: the next "Zapíš" connects again and
// saves it; while the server cannot be reached, each "Zapíš" says the connection was lost and keeps it.
TEST_F(LostUnderAForm, TheItemDialogKeepsWhatWasTypedAndTheNextSaveConnectsAndSavesIt)
{
    constexpr int kJob = 260011;
    const int stored = adminValue("select MNOZ_OBJ from ZAKAZKYD where C_INT = 260011").toInt();
    ASSERT_NE(stored, 77);
    odbyt->QuickSearchOrders("C_OBJ", "ZAK260006");
    ASSERT_TRUE(odbyt->QvZakazky.Locate("C_OBJ", "ZAK260006"));
    odbyt->QZakazkyD.Open();
    ASSERT_TRUE(odbyt->QZakazkyD.Locate("C_INT", kJob));
    odbyt->QZakazkyD.Edit();
    auto dialog = std::make_unique<TFormZakazkaDetHl>();
    dialog->show();
    QApplication::setActiveWindow(dialog.get());
    TabTo(dialog->DBeMNOZ_OBJ);
    TypeText(dialog->DBeMNOZ_OBJ, QStringLiteral("77"));
    QTest::keyClick(dialog->DBeMNOZ_OBJ, Qt::Key_Tab);

    // Each connection made goes where database says (the settings file would name the served one).
    const auto connect = zal->DBZAL.BeforeConnect;
    const QString served = zal->DBZAL.DatabaseName;
    const QString nowhere = QStringLiteral("127.0.0.1/1:") + served.mid(served.indexOf(QLatin1Char(':')) + 1);
    QString database = served;
    zal->DBZAL.BeforeConnect = [&](TIBDatabase *db) {
        connect(db);
        db->DatabaseName = database;
    };
    killConnection();
    // The first "Zapíš" meets the lost connection; the second finds no server (its name leads nowhere now).
    for (const QString &where : {served, nowhere}) {
        SCOPED_TRACE(where.toStdString());
        database = where;
        responder->Messages.clear();
        QTest::mouseClick(dialog->BtnZapis, Qt::LeftButton);
        ASSERT_EQ(responder->Messages.size(), 1) << responder->Texts().join('\n').toStdString();
        EXPECT_EQ(responder->Messages[0].Text, fb::ConnectionLostMessage);
        EXPECT_NE(dialog->ModalResult(), mrOk) << "a save that did not happen does not close the dialog";
        EXPECT_EQ(odbyt->QZakazkyD.State(), dsEdit);
        EXPECT_EQ(dialog->DBeMNOZ_OBJ->text(), "77");
        EXPECT_EQ(adminValue("select MNOZ_OBJ from ZAKAZKYD where C_INT = 260011").toInt(), stored);
    }

    // The server is back: "Zapíš" connects again and saves what was typed.
    database = served;
    responder->Messages.clear();
    QTest::mouseClick(dialog->BtnZapis, Qt::LeftButton);
    EXPECT_TRUE(responder->Messages.isEmpty()) << responder->Texts().join('\n').toStdString();
    EXPECT_EQ(dialog->ModalResult(), mrOk);
    EXPECT_TRUE(zal->DBZAL.Connected());
    EXPECT_EQ(adminValue("select MNOZ_OBJ from ZAKAZKYD where C_INT = 260011").toInt(), 77);
    zal->DBZAL.BeforeConnect = connect;
}
