// Internal messages between two users of one database: sending, the activation check and its 5-minute
// rule, receipt and handled stamps, replies and the printed lines.
#include "CisFixture.h"

#include "platform/ui/BitBtn.h"
#include "platform/ui/Dialogs.h"
#include "library/xDBGrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>

class MessagesTest : public CisTest {
protected:
    void SetUp() override
    {
        CisTest::SetUp();
        if (HasFatalFailure())
            return;
        exec("insert into QUSERS (RDB_USER, RDB_UTVAR) values ('JANO', 2)");
        exec("insert into QUSERS (RDB_USER, RDB_UTVAR) values ('FERO', 6)");
        exec("insert into QUSERS (RDB_USER, RDB_UTVAR) values ('MARA', 6)");
        loginAs("JANO");
    }
    // Reconnects as another user (the embedded engine takes the name as it is given).
    void loginAs(const QString &user)
    {
        MessageQuery()->Close();
        DMZal->DBZAL.Close();
        DMZal->DBZAL.Params.SetValue("user_name", user);
        DMZal->DBZAL.Open();
        ASSERT_EQ(DMZal->CurrentUserName(), user);
    }
    int send(const QString &to, const QString &title, QList<int> departments = {})
    {
        TQMsgDForm &f = form();
        for (int d = 0; d < MessageDepartments; ++d)
            f.cbUtvar[d]->setChecked(departments.contains(d));
        f.cbMSG_USER->setEditText(to);
        f.eMSG_TITLE->setText(title);
        f.eMSG_TEXT->setPlainText("Prvý riadok\nDruhý riadok");
        f.eMSG_DATA->setText("260015");
        return SendComposedMessage(&f);
    }
    TQMsgDForm &form()
    {
        if (!QMsgDForm)
            QMsgDForm = new TQMsgDForm;
        return *QMsgDForm;
    }
    // Runs the activation check at the moment; the titles listed, or nothing when no list was shown.
    std::optional<QStringList> checkAt(const QTime &time, bool force = false, int day = 16)
    {
        SetNowForTests(QDateTime(QDate(2026, 3, day), time));
        auto listed = std::make_shared<std::optional<QStringList>>();
        CloseModal(mrCancel, [listed](QWidget *) {
            QStringList titles;
            TxQuery *q = MessageQuery();
            for (q->First(); !q->Eof(); q->Next())
                titles << q->FieldByName("MSG_TITLE")->AsString();
            EXPECT_EQ(QMsgForm->lPocet->text(), QString::number(titles.size()));
            *listed = titles;
        });
        CheckMessages(force);
        CancelWhenModal(); // a closer left waiting must not act on a later window
        return *listed;
    }
};

TEST_F(MessagesTest, MessageReachesTheOtherUserOnceUntilANewerOneArrives)
{
    EXPECT_EQ(send("FERO", "Zákazka 26/0015"), 1);
    EXPECT_EQ(count("select count(*) from QMESSAGES where USR_VYSTAV='JANO' and MSG_DATA=260015"), 1);
    loginAs("FERO");

    EXPECT_EQ(checkAt(QTime(10, 0)), QStringList({QString::fromUtf8("Zákazka 26/0015")}));
    EXPECT_EQ(count("select count(*) from QMESSAGES where D_PRIJMU is not null"), 1) << "stamped received";
    EXPECT_EQ(checkAt(QTime(10, 3)), std::nullopt) << "within 5 minutes nothing is asked";
    EXPECT_EQ(checkAt(QTime(10, 10)), std::nullopt) << "the listed message is not listed again";

    exec("insert into QMESSAGES (MSG_USER, MSG_TITLE, USR_VYSTAV) values ('FERO', 'Druhá', 'JANO')");
    EXPECT_EQ(checkAt(QTime(10, 12)), std::nullopt) << "two minutes after the last check";
    EXPECT_EQ(checkAt(QTime(10, 15)), QStringList({QString::fromUtf8("Druhá")})) << "only the newer one";
    EXPECT_EQ(checkAt(QTime(10, 16), true),
              QStringList({QString::fromUtf8("Zákazka 26/0015"), QString::fromUtf8("Druhá")}))
        << "a forced check lists every unhandled message";
}

TEST_F(MessagesTest, CheckAcrossMidnightCountsTheMinutes)
{
    checkAt(QTime(23, 58), false, 16);
    EXPECT_EQ(MessageCheckState().LastCheck, QDateTime(QDate(2026, 3, 16), QTime(23, 58)));
    checkAt(QTime(0, 2), false, 17);
    EXPECT_EQ(MessageCheckState().LastCheck, QDateTime(QDate(2026, 3, 16), QTime(23, 58))) << "4 minutes";
    checkAt(QTime(0, 4), false, 17);
    EXPECT_EQ(MessageCheckState().LastCheck, QDateTime(QDate(2026, 3, 17), QTime(0, 4))) << "6 minutes: checked";
    EXPECT_EQ(checkAt(QTime(0, 5), true, 17), QStringList()) << "forced: the empty list is shown";
}

TEST_F(MessagesTest, AddresseesByNameDepartmentOrEverybody)
{
    EXPECT_EQ(send("", "Výroba", {6}), 2) << "the department's two users";
    EXPECT_EQ(send("", "Nikto", {3}), 0) << "a department nobody belongs to";
    EXPECT_EQ(send("FERO", "Všetci", {0}), 3) << "everybody wins over the name";
    EXPECT_EQ(send("x' or '1'='1", "Útok"), 0) << "a name is only a name";
    EXPECT_EQ(send("FERO' or RDB_USER<>'", "Útok"), 0);
    EXPECT_EQ(count("select count(*) from QMESSAGES"), 5);
}

TEST_F(MessagesTest, SendingToNobodySaysSoAndKeepsTheForm)
{
    TTestResponder answers;
    TQMsgDForm &f = form();
    WhenModal([&f](QWidget *) {
        f.cbMSG_USER->setEditText("NIKTO");
        QTest::mouseClick(f.BtnPosli, Qt::LeftButton);
        EXPECT_TRUE(f.isVisible()) << "the form stays open to choose an addressee";
        f.cbMSG_USER->setEditText("MARA");
        QTest::mouseClick(f.BtnPosli, Qt::LeftButton);
    });
    ComposeMessage(&f, "", "Ahoj", "Text", 0, true);
    ASSERT_EQ(answers.Messages.size(), 2);
    EXPECT_EQ(answers.Messages[0].Caption, QString::fromUtf8("Správa nebola odoslaná"));
    EXPECT_EQ(answers.Messages[1].Caption, QString::fromUtf8("Správa bola odoslaná"));
    EXPECT_EQ(answers.Messages[1].Text, QString::fromUtf8("Tlačiť správu ?"));
    EXPECT_EQ(answers.Messages[1].DefaultButton, mbNo);
    EXPECT_EQ(count("select count(*) from QMESSAGES where MSG_USER='MARA'"), 1);
    EXPECT_EQ(f.ModalResult(), mrOk);
}

TEST_F(MessagesTest, HandledUpToTheCurrentMessage)
{
    for (int i = 1; i <= 5; ++i)
        send("FERO", QString("Správa %1").arg(i));
    loginAs("FERO");
    TTestResponder answers;
    answers.MessageAnswers = {mrYes};
    SetNowForTests(QDateTime(QDate(2026, 3, 16), QTime(11, 0)));
    CloseModal(mrCancel, [](QWidget *) {
        MessageQuery()->SetRecNo(3);
        QMsgForm->MarkHandledUpToCurrent();
        EXPECT_EQ(rows(*MessageQuery()), 5) << "the list stays until reopened";
    });
    CheckMessages(false);
    EXPECT_EQ(count("select count(*) from QMESSAGES where D_VYBAV is not null and USR_VYBAV='FERO'"), 3);
    EXPECT_EQ(count("select count(*) from QMESSAGES where D_VYBAV is not null and MSG_TITLE='Správa 4'"), 0);
    EXPECT_EQ(checkAt(QTime(11, 1), true), QStringList({QString::fromUtf8("Správa 4"), QString::fromUtf8("Správa 5")}));
}

TEST_F(MessagesTest, ReplyKeepsOnePrefixAndGoesToTheSender)
{
    EXPECT_EQ(ReplyTitle("Termín"), QString::fromUtf8("Re: Termín"));
    EXPECT_EQ(ReplyTitle("Re: Termín"), QString::fromUtf8("Re: Termín"));
    send("FERO", "Re: Termín");
    loginAs("FERO");
    TTestResponder answers; // "print?" answered No
    CloseModal(mrCancel, [](QWidget *list) {
        WhenModal(
            [](QWidget *compose) {
                auto &f = *static_cast<TQMsgDForm *>(compose);
                EXPECT_EQ(f.cbMSG_USER->currentText(), "JANO");
                EXPECT_EQ(f.eMSG_TITLE->text(), QString::fromUtf8("Re: Termín"));
                f.eMSG_TEXT->setPlainText("Áno");
                QTest::mouseClick(f.BtnPosli, Qt::LeftButton);
            },
            list);
        QMsgForm->Reply();
    });
    CheckMessages(true);
    EXPECT_EQ(count("select count(*) from QMESSAGES where MSG_USER='JANO' and USR_VYSTAV='FERO'"), 1);
}

TEST_F(MessagesTest, PrintedMessageShowsItsNumberAsANumber)
{
    const QDateTime sent(QDate(2026, 3, 16), QTime(9, 30));
    const QStringList lines = MessagePrintLines("JANO", "FERO", 30001, sent, 260015, "Predmet", "Prvý\r\nDruhý");
    ASSERT_GE(lines.size(), 12);
    EXPECT_EQ(lines[0], "VYPIS SPRAVY");
    EXPECT_EQ(lines[1], QString(77, '-'));
    EXPECT_EQ(lines[2], QString::fromUtf8("ID správy    : 30001")) << "not taken for a date";
    EXPECT_EQ(lines[3], "Odosielatel  : JANO");
    EXPECT_EQ(lines[6], "Doklad/Data  : 260015");
    EXPECT_EQ(lines[9], QString::fromUtf8("Prvý"));
    EXPECT_EQ(lines[10], QString::fromUtf8("Druhý"));
    EXPECT_EQ(lines.last(), QString(77, '-'));
    EXPECT_EQ(MessagePrintLines("", "FERO", 123456789, sent, 0, "", "")[2],
              QString::fromUtf8("ID správy    : 123456789"));
    EXPECT_TRUE(MessagePrintLines("", "FERO", sent, sent, 0, "", "")[2].contains("16.3.2026"));
}

TEST_F(MessagesTest, ListShowsDateAndTextWithoutScrolling)
{
    send("JANO", QString::fromUtf8("Zákazka 26/0015 – reklamácia telies ventilu od odberateľa"));
    auto *list = new TQMsgForm;
    QMsgForm = list;
    list->SetMessages(OpenQueryDS(
        "select Msg_ID,Msg_user,Msg_title,Msg_data,Msg_Text,usr_vystav,d_vystav from QMessages", {}, "QMessages"));
    list->show();
    TxDBGrid *grid = list->Grid;
    const int view = grid->viewport()->width();
    EXPECT_EQ(grid->horizontalScrollBar()->maximum(), 0) << "no horizontal scrolling";
    const int date = 2, text = 3;
    EXPECT_LE(grid->columnViewportPosition(date) + grid->columnWidth(date), view) << "the date is whole in view";
    EXPECT_GE(grid->columnWidth(date), grid->fontMetrics().horizontalAdvance(grid->Model()->CellText(0, date)));
    EXPECT_GE(view - grid->columnViewportPosition(text), 15 * grid->fontMetrics().averageCharWidth())
        << "the text has room in view";
}
