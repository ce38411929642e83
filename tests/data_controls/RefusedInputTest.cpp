// Typing into the data-aware controls of a form as a person does: a refused value keeps the focus in its
// field with the text selected (the message box taking the focus for a while), Escape still throws it away;
// a memo passes Tab on; a letter held with Alt is never typed.
#include "common/PersonTyping.h"
#include "common/DbFixture.h"
#include "common/ShownBoxes.h"
#include "platform/os/Exception.h"
#include "platform/ui/BitBtn.h"
#include "platform/ui/DBControls.h"
#include "platform/ui/Form.h"
#include "platform/ui/Guarded.h"

#include <QTest>
#include <QVBoxLayout>

namespace {

class RefusedInput : public DbFixture {
protected:
    void SetUp() override
    {
        DbFixture::SetUp();
        exec("create table T_K (ID integer not null primary key, CENA numeric(15,2), HMOT numeric(15,2), "
             "POZN blob sub_type 1, NAZOV varchar(20))");
        exec("insert into T_K values (1, 1.5, 28, 'prvy', 'odliatok')");
        t.SetDatabase(db.get());
        t.SetTableName("T_K");
        t.SetIndexFieldNames("ID");
        src.SetDataSet(&t);
        auto *lay = new QVBoxLayout(&form);
        for (QWidget *c : std::initializer_list<QWidget *>{cena, hmot, pozn, nazov, zapis})
            lay->addWidget(c);
        QWidget::setTabOrder(cena, hmot);
        QWidget::setTabOrder(hmot, pozn);
        QWidget::setTabOrder(pozn, nazov);
        QWidget::setTabOrder(nazov, zapis);
        cena->SetDataSource(&src);
        cena->SetDataField("CENA");
        hmot->SetDataSource(&src);
        hmot->SetDataField("HMOT");
        pozn->SetDataSource(&src);
        pozn->SetDataField("POZN");
        nazov->SetDataSource(&src);
        nazov->SetDataField("NAZOV");
        QObject::connect(zapis, &QPushButton::clicked, [this] { ++saves; });
        t.Open();
        form.show();
        QApplication::setActiveWindow(&form);
        ASSERT_TRUE(ShowActive(&form));
    }
    void TearDown() override
    {
        t.Close();
        DbFixture::TearDown();
    }
    // Gives the control the focus as a click would, the text selected for typing over.
    static void enter(QLineEdit *edit)
    {
        edit->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        edit->selectAll();
    }

    TIBTable t;
    TDataSource src;
    TForm form;
    TDBEdit *cena = new TDBEdit(&form);
    TDBEdit *hmot = new TDBEdit(&form);
    TDBMemo *pozn = new TDBMemo(&form);
    TDBEdit *nazov = new TDBEdit(&form);
    TButton *zapis = new TButton(QString::fromUtf8("&Zapíš"), &form);
    int saves = 0;
};

TEST_F(RefusedInput, ANumberRefusedOnEnterKeepsTheFocusAndTheCorrectionReplacesIt)
{
    TShownBoxes boxes;
    const QString weight = hmot->text();
    enter(cena);
    QTest::keyClicks(cena, "0,7x");
    QTest::keyClick(cena, Qt::Key_Return);
    QApplication::processEvents();
    ASSERT_EQ(boxes.Texts(), QStringList{QString::fromUtf8("'0,7x' nie je platné číslo")});
    EXPECT_TRUE(cena->hasFocus()) << "the focus comes back from the box";
    EXPECT_EQ(cena->selectedText(), "0,7x") << "selected, so the correction replaces it";
    EXPECT_EQ(t.FieldByName("CENA")->AsFloat(), 1.5);
    EXPECT_EQ(hmot->text(), weight) << "the next field is untouched";

    QTest::keyClicks(cena, "0,70");
    QTest::keyClick(cena, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(boxes.Texts().size(), 1);
    EXPECT_TRUE(hmot->hasFocus()) << "an accepted value moves on";
    EXPECT_DOUBLE_EQ(t.FieldByName("CENA")->AsFloat(), 0.7);
    EXPECT_DOUBLE_EQ(t.FieldByName("HMOT")->AsFloat(), 28);

    // The same by Tab, and a refusal of the field's own check.
    t.FieldByName("HMOT")->OnValidate = [](TField *f) {
        if (f->AsFloat() <= 0)
            throw EDatabaseError(QString::fromUtf8("Hmotnosť musí byť kladná"));
    };
    hmot->selectAll();
    QTest::keyClicks(hmot, "-3");
    QTest::keyClick(hmot, Qt::Key_Tab);
    QApplication::processEvents();
    ASSERT_EQ(boxes.Texts().size(), 2);
    EXPECT_EQ(boxes.Texts()[1], QString::fromUtf8("Hmotnosť musí byť kladná"));
    EXPECT_TRUE(hmot->hasFocus());
    EXPECT_EQ(hmot->selectedText(), "-3");
    EXPECT_DOUBLE_EQ(t.FieldByName("HMOT")->AsFloat(), 28);
}

TEST_F(RefusedInput, EscapeThrowsARefusedValueAwayAndTheFocusMovesOnQuietly)
{
    TShownBoxes boxes;
    const QString price = cena->text();
    enter(cena);
    QTest::keyClicks(cena, "4o");
    QTest::keyClick(cena, Qt::Key_Return);
    QApplication::processEvents();
    ASSERT_EQ(boxes.Texts().size(), 1);
    ASSERT_TRUE(cena->hasFocus());
    QTest::keyClick(cena, Qt::Key_Escape);
    EXPECT_EQ(cena->text(), price) << "the field's value is back";
    QTest::keyClick(cena, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(boxes.Texts().size(), 1) << "nothing more to say";
    EXPECT_TRUE(hmot->hasFocus());
    EXPECT_EQ(t.FieldByName("CENA")->AsFloat(), 1.5);
}

TEST_F(RefusedInput, ASaveThatMeetsARefusedValueSaysItOnceAndLeavesTheFocusThere)
{
    TShownBoxes boxes;
    enter(cena);
    QTest::keyClicks(cena, "0,7x");
    // A save by a key, the focus still in the field: its message box takes the focus for a while.
    EXPECT_FALSE(Guarded([this] { t.Post(); }));
    QApplication::processEvents();
    EXPECT_EQ(boxes.Texts().size(), 1) << "the box's taking the focus does not report it again";
    EXPECT_TRUE(cena->hasFocus());
    EXPECT_EQ(cena->selectedText(), "0,7x");
    EXPECT_EQ(value("select CENA from T_K where ID = 1").toDouble(), 1.5);
}

TEST_F(RefusedInput, ABadValueLeftForAClickedButtonLetsTheClickThrough)
{
    TShownBoxes boxes;
    enter(cena);
    QTest::keyClicks(cena, "0,7x");
    QTest::mousePress(zapis, Qt::LeftButton);
    QApplication::processEvents();
    QTest::mouseRelease(zapis, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(saves, 1);
    EXPECT_TRUE(boxes.Texts().isEmpty()) << "the button's save reports it";
    EXPECT_THROW(t.Post(), EDatabaseError);
    QApplication::processEvents();
    EXPECT_TRUE(cena->hasFocus()) << "then the focus goes back for the correction";
}

TEST_F(RefusedInput, TabInAMemoMovesTheFocusAndEnterMakesANewLine)
{
    pozn->setFocus(Qt::TabFocusReason);
    pozn->moveCursor(QTextCursor::End);
    QTest::keyClick(pozn, Qt::Key_Return);
    QTest::keyClicks(pozn, "druhy");
    EXPECT_EQ(pozn->toPlainText(), "prvy\ndruhy");
    QTest::keyClick(pozn, Qt::Key_Tab);
    EXPECT_TRUE(nazov->hasFocus());
    QTest::keyClick(nazov, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(pozn->hasFocus());
    QTest::keyClick(pozn, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_TRUE(nazov->hasFocus()) << "Ctrl+Tab moves on as well";
    pozn->setFocus(Qt::TabFocusReason);
    QTest::keyClick(pozn, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(hmot->hasFocus());
    EXPECT_FALSE(pozn->toPlainText().contains('\t'));
    t.Post();
    EXPECT_EQ(value("select POZN from T_K where ID = 1").toString(), "prvy\r\ndruhy");
}

TEST_F(RefusedInput, ALetterHeldWithAltIsNeverTyped)
{
    enter(nazov);
    nazov->end(false);
    QTest::keyClick(nazov, Qt::Key_A, Qt::AltModifier);
    EXPECT_EQ(nazov->text(), "odliatok");
    EXPECT_EQ(t.State(), dsBrowse) << "no edit started";
    pozn->setFocus(Qt::TabFocusReason);
    QTest::keyClick(pozn, Qt::Key_A, Qt::AltModifier);
    EXPECT_EQ(pozn->toPlainText(), "prvy");
    auto *combo = new TDBComboBox(&form);
    form.layout()->addWidget(combo);
    combo->SetDataSource(&src);
    combo->SetDataField("NAZOV");
    combo->show();
    combo->setFocus(Qt::TabFocusReason);
    QTest::keyClick(combo, Qt::Key_A, Qt::AltModifier);
    EXPECT_EQ(combo->currentText(), "odliatok") << "nor into a combo box's text";
    EXPECT_EQ(t.State(), dsBrowse);
    QTest::keyClicks(nazov, "x");
    EXPECT_EQ(nazov->text(), "odliatokx") << "without Alt the letter is typed";
    auto *plain = new TMaskEdit(&form);
    form.layout()->addWidget(plain);
    plain->show();
    plain->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(plain, "12");
    QTest::keyClick(plain, Qt::Key_A, Qt::AltModifier);
    EXPECT_EQ(plain->text(), "12") << "nor into a plain edit of a filter or a scanned code";
}

} // namespace
