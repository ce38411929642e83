// The message facade and its test responder.
#include "common/PersonTyping.h"
#include "common/WhenModal.h"
#include "platform/ui/Dialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

TEST(Dialogs, TestResponderRecordsAndAnswersInOrder)
{
    TTestResponder r;
    r.MessageAnswers = {mrYes, mrNo};
    EXPECT_TRUE(Confirm(QStringLiteral("Zmazať?"), QStringLiteral("Otázka")));
    EXPECT_FALSE(Confirm(QStringLiteral("Naozaj?"), QStringLiteral("Otázka")));
    EXPECT_FALSE(Confirm(QStringLiteral("Nikto neodpovedal"), QStringLiteral("Otázka"))) << "empty queue: No";
    ASSERT_EQ(r.Messages.size(), 3);
    EXPECT_EQ(r.Texts(), (QStringList{"Zmazať?", "Naozaj?", "Nikto neodpovedal"}));
    EXPECT_EQ(r.Messages[0].Caption, QStringLiteral("Otázka"));
    EXPECT_EQ(r.Messages[0].Buttons, mbYesNo);
    EXPECT_EQ(r.Messages[0].Type, mtWarning); // the exclamation icon
}

TEST(Dialogs, ShowErrorBeepsUnderVystraha)
{
    TTestResponder r;
    ShowError(QStringLiteral("Chyba\rdruhý riadok"));
    ASSERT_EQ(r.Messages.size(), 1);
    const TMessageRequest &m = r.Messages[0];
    EXPECT_EQ(m.Caption, QStringLiteral("Výstraha"));
    EXPECT_EQ(m.Type, mtError);
    EXPECT_EQ(m.Buttons, mbOK);
    EXPECT_TRUE(m.Beep);
    EXPECT_EQ(m.Text, QStringLiteral("Chyba\rdruhý riadok"));
}

TEST(Dialogs, MessageBoxesWithoutAnAnswerAreCancelled)
{
    TTestResponder r;
    EXPECT_EQ(MessageDlg("a", mtConfirmation, mbYesNoCancel), mrCancel);
    EXPECT_EQ(MessageDlg("b", mtConfirmation, mbYes | mbNo | mbYesToAll), mrNo);
    EXPECT_EQ(MessageBox("c", "SQL", mtError, mbOK), mrOk);
    ShowMessage("d");
    EXPECT_EQ(r.Messages.last().Buttons, mbOK);
    EXPECT_EQ(r.Messages.last().Type, mtCustom);
    r.MessageAnswers = {mrYesToAll};
    EXPECT_EQ(MessageDlg("e", mtConfirmation, mbYes | mbNo | mbYesToAll, mbNo), mrYesToAll);
    EXPECT_EQ(r.Messages.last().DefaultButton, mbNo);
}

TEST(Dialogs, InputQueryChangesTheValueOnlyOnOk)
{
    TTestResponder r;
    r.InputAnswers = {QVariant(QStringLiteral("ZAK240001")), QVariant()};
    QString value = QStringLiteral("návrh");
    EXPECT_TRUE(InputQuery(QStringLiteral("Nová objednávka"), QStringLiteral("z ponuky č.:"), value));
    EXPECT_EQ(value, QStringLiteral("ZAK240001"));
    EXPECT_FALSE(InputQuery(QStringLiteral("Filter"), QStringLiteral("Hodnota"), value));
    EXPECT_EQ(value, QStringLiteral("ZAK240001"));
    ASSERT_EQ(r.Inputs.size(), 2);
    EXPECT_EQ(r.Inputs[0].Caption, QStringLiteral("Nová objednávka"));
    EXPECT_EQ(r.Inputs[0].Prompt, QStringLiteral("z ponuky č.:"));
    EXPECT_EQ(r.Inputs[0].Value, QStringLiteral("návrh"));
    EXPECT_EQ(InputBox("Velkost", "Zmena", "10"), QStringLiteral("10")) << "cancelled: the proposal";
}

TEST(Dialogs, TheResponderIsRestoredWhenTheTestOneGoes)
{
    TMessageResponder *before = &MessageResponder();
    {
        TTestResponder outer;
        {
            TTestResponder inner;
            EXPECT_EQ(&MessageResponder(), &inner);
        }
        EXPECT_EQ(&MessageResponder(), &outer);
    }
    EXPECT_EQ(&MessageResponder(), before);
}

TEST(Dialogs, AnInputBoxShowsItsWholeTitleAndPromptAndBelongsToTheActiveWindow)
{
    QWidget owner;
    owner.show();
    QApplication::setActiveWindow(&owner);
    ASSERT_TRUE(ShowActive(&owner));
    const QString caption = QString::fromUtf8("Tlač sprievodky");
    const QString prompt = QString::fromUtf8("Počet kópií sprievodky pre každú položku objednávky zvlášť:");
    int width = 0;
    QWidget *parent = nullptr;
    QFont bold = owner.font();
    bold.setBold(true);
    WhenModal<QInputDialog>([&](QInputDialog *box) {
        width = box->width();
        parent = box->parentWidget();
        auto *edit = box->findChild<QLineEdit *>();
        ASSERT_TRUE(edit);
        QTest::keyClicks(edit, "12");
        QTest::keyClick(edit, Qt::Key_Return);
    });
    QString value = "1";
    EXPECT_TRUE(InputQuery(caption, prompt, value));
    EXPECT_EQ(value, "12");
    EXPECT_GE(width, QFontMetrics(bold).horizontalAdvance(caption) + 100) << "room beside the title's buttons";
    EXPECT_GE(width, owner.fontMetrics().horizontalAdvance(prompt));
    EXPECT_EQ(parent, &owner);

    // A short prompt under a long title; Escape gives the proposal back.
    const QString title = QString::fromUtf8("Nová objednávka z cenovej ponuky odberateľa");
    WhenModal<QInputDialog>([&](QInputDialog *box) {
        width = box->width();
        QTest::keyClicks(box->findChild<QLineEdit *>(), "77");
        QTest::keyClick(box->findChild<QLineEdit *>(), Qt::Key_Escape);
    });
    EXPECT_EQ(InputBox(title, QString::fromUtf8("z ponuky č.:"), "5"), "5");
    EXPECT_GE(width, QFontMetrics(bold).horizontalAdvance(title) + 100);
}
