// The masked edit and the date edit: values set and read back in the mask language, dates typed key by key,
// dates that do not exist refused, the drop-down calendar.
#include "common/PersonTyping.h"
#include "platform/os/Clock.h"
#include "platform/os/Format.h"
#include "platform/ui/DateEdit.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Form.h"
#include "platform/ui/MaskEdit.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

TEST(MaskEdit, ValuesRoundTrip)
{
    TFormatSettings saved = FormatSettings();
    FormatSettings().DateSeparator = QLatin1Char('.');
    const struct {
        const char *mask;
        const char *value;
        const char *text;
    } cases[] = {
        {"90/90/\\2\\000;1;_", "", "  .  .20  "}, // the century stays a literal, not the year
        {"90/90/\\2\\000;1;_", "01.02.2024", "01.02.2024"},
        {"90/90/\\2\\000;1;_", "1 .2 .2024", "1 .2 .2024"},
        {"", "volný text", "volný text"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.value);
        TMaskEdit edit;
        edit.SetEditMask(QString::fromUtf8(c.mask));
        edit.SetText(QString::fromUtf8(c.value));
        EXPECT_EQ(edit.Text(), QString::fromUtf8(c.text));
    }
    FormatSettings() = saved;
}

TEST(MaskEdit, ChangingTheMaskKeepsTheValue)
{
    TMaskEdit edit;
    edit.SetText(QStringLiteral("AB123"));
    edit.SetEditMask(QStringLiteral("LL000;1;_"));
    EXPECT_EQ(edit.Text(), QStringLiteral("AB123"));
    edit.SetEditMask(QString());
    EXPECT_TRUE(edit.inputMask().isEmpty());
    EXPECT_EQ(edit.Text(), QStringLiteral("AB123"));
}

TEST(MaskEdit, ADecimalCommaTypedGoesToTheMasksPoint)
{
    const struct {
        const char *typed;
        const char *text;
    } cases[] = {
        {"12,5", "12   .5 "},
        {"12.5", "12   .5 "},
        {"3,", "3    .  "},
        {"1,2,3", "1    .23"}, // a second comma has nowhere to go
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        TMaskEdit edit;
        edit.SetEditMask(QStringLiteral("99999.99"));
        edit.setCursorPosition(0);
        QTest::keyClicks(&edit, QString::fromLatin1(c.typed));
        EXPECT_EQ(edit.Text(), QString::fromLatin1(c.text));
    }
    TMaskEdit digits;
    digits.SetEditMask(QStringLiteral("9999;0;_"));
    digits.setCursorPosition(0);
    QTest::keyClicks(&digits, "1,2");
    EXPECT_EQ(digits.Text(), "12  ") << "without a point the comma is refused";
}

TEST(MaskEdit, AFixedCenturyMayBeTypedAgainWithTheYear)
{
    TFormatSettings saved = FormatSettings();
    FormatSettings().DateSeparator = QLatin1Char('.');
    const struct {
        const char *mask;
        const char *typed;
        const char *text;
    } cases[] = {
        {"90/90/\\2\\000;1;_", "15.1.2027", "15.1 .2027"},
        {"90/90/\\2\\000;1;_", "15.1.27", "15.1 .2027"},
        {"90/90/\\2\\000;1;_", "15.1.2020", "15.1 .2020"},
        {"90/90/\\2\\000;1;_", "15.1.20", "15.1 .2020"}, // the century alone reads as the year 20
        {"90/90/\\2\\000;1;_", "150127", "15.01.2027"},
        {"90/90/\\2\\000;1;_", "15.1.202", "15.1 .202 "},
        // Only literals the places could take count: the separator is no digit, a digit too many is refused.
        {">LL-000;1;_", "ab-1234", "AB-123"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        TMaskEdit edit;
        edit.SetEditMask(QString::fromLatin1(c.mask));
        edit.setCursorPosition(0);
        QTest::keyClicks(&edit, QString::fromLatin1(c.typed));
        EXPECT_EQ(edit.Text(), QString::fromLatin1(c.text));
    }
    FormatSettings() = saved;
}

namespace {

// A form of three edits, the middle one a date edit that the focus reaches by Tab, as a person moves.
class DateEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved = FormatSettings();
        FormatSettings().DateSeparator = QLatin1Char('.');
        FormatSettings().ShortDateFormat = QStringLiteral("d.m.yyyy");
        SetNowForTests(QDateTime(QDate(2026, 5, 20), QTime(10, 0)));
        auto *layout = new QVBoxLayout(&form);
        for (QWidget *w : std::initializer_list<QWidget *>{before, date, after})
            layout->addWidget(w);
        form.show();
        form.activateWindow();
        ASSERT_TRUE(ShowActive(&form));
    }
    void TearDown() override
    {
        ClearNowForTests();
        FormatSettings() = saved;
    }
    void enter()
    {
        TabTo(before);
        QTest::keyClick(before, Qt::Key_Tab);
        ASSERT_TRUE(date->hasFocus());
    }
    // Tab in, the text typed key by key, Tab out.
    void typeAndLeave(const QString &text)
    {
        enter();
        QTest::keyClicks(date, text);
        QTest::keyClick(date, Qt::Key_Tab);
        QApplication::processEvents();
    }
    // A key to whatever has the focus (the open calendar's day grid).
    static void keyToFocus(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        QApplication::processEvents();
    }

    TFormatSettings saved;
    TTestResponder responder;
    TForm form;
    QLineEdit *before = new QLineEdit(&form);
    TDateEdit *date = new TDateEdit(&form);
    QLineEdit *after = new QLineEdit(&form);
};

} // namespace

TEST_F(DateEditTest, AnEmptyEditTakesADateTypedKeyByKey)
{
    EXPECT_TRUE(date->text().isEmpty());
    enter();
    EXPECT_EQ(date->EditText(), "__.__.____") << "the mask shows while it is typed into";
    EXPECT_TRUE(date->TypedText().isEmpty());
    const struct {
        const char *typed;
        const char *shown;
        QDate date;
    } cases[] = {
        {"15.1.2027", "15.1_.2027", QDate(2027, 1, 15)},  {"1.2.2027", "1_.2_.2027", QDate(2027, 2, 1)},
        {"15.01.2027", "15.01.2027", QDate(2027, 1, 15)}, {"15012027", "15.01.2027", QDate(2027, 1, 15)},
        {"15.1.27", "15.1_.27__", QDate(2027, 1, 15)},    {"29.2.2028", "29.2_.2028", QDate(2028, 2, 29)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        enter();
        QTest::keyClick(date, Qt::Key_Delete);
        QTest::keyClicks(date, QString::fromLatin1(c.typed));
        EXPECT_EQ(date->EditText(), QString::fromLatin1(c.shown));
        QTest::keyClick(date, Qt::Key_Tab);
        QApplication::processEvents();
        EXPECT_EQ(date->Date(), c.date);
        EXPECT_EQ(date->text(), DateToStr(c.date)) << "left, it shows the date as dates are written";
        EXPECT_TRUE(after->hasFocus());
    }
    EXPECT_TRUE(responder.Messages.isEmpty()) << responder.Texts().join('\n').toStdString();
}

TEST_F(DateEditTest, ADateThatDoesNotExistIsRefusedAndStaysForCorrection)
{
    const struct {
        const char *typed;
        const char *shown;
    } cases[] = {
        {"31.2.2026", "31.2_.2026"}, {"32.1.2027", "32.1_.2027"},  {"0.5.2027", "0_.5_.2027"},
        {"29.2.2027", "29.2_.2027"}, {"15.13.2027", "15.13.2027"}, {"15.1.202", "15.1_.202_"},
    };
    enter();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        responder.Messages.clear();
        QTest::keyClicks(date, QString::fromLatin1(c.typed)); // over the selected text
        ASSERT_EQ(date->EditText(), QString::fromLatin1(c.shown));
        QTest::keyClick(date, Qt::Key_Tab);
        QApplication::processEvents();
        ASSERT_EQ(responder.Messages.size(), 1);
        EXPECT_EQ(responder.Messages[0].Text, QStringLiteral("'%1' nie je platný dátum").arg(date->TypedText()));
        EXPECT_TRUE(date->hasFocus()) << "the focus stays for the correction";
        EXPECT_EQ(date->EditText(), QString::fromLatin1(c.shown));
        EXPECT_EQ(date->selectedText(), date->EditText()) << "selected, so that the next key types over it";
        EXPECT_FALSE(date->Date().isValid());
    }
    EXPECT_EQ(responder.Texts().last(), QString::fromUtf8("'15.1.202' nie je platný dátum"));
    QTest::keyClicks(date, "28.2.2026");
    QTest::keyClick(date, Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_EQ(responder.Messages.size(), 1) << "a real date passes";
    EXPECT_EQ(date->Date(), QDate(2026, 2, 28));
    EXPECT_TRUE(after->hasFocus());
}

TEST_F(DateEditTest, TheCalendarOpensOnTheDateHeldOrOnToday)
{
    enter();
    QTest::keyClick(date, Qt::Key_F4);
    ASSERT_NE(date->Calendar(), nullptr);
    EXPECT_EQ(date->Calendar()->selectedDate(), QDate(2026, 5, 20)) << "an empty edit: today";
    EXPECT_EQ(date->Calendar()->yearShown(), 2026);
    EXPECT_EQ(date->Calendar()->monthShown(), 5);
    keyToFocus(Qt::Key_Escape);
    EXPECT_EQ(date->Calendar(), nullptr);
    EXPECT_TRUE(date->TypedText().isEmpty()) << "closed without a choice, nothing changes";
    EXPECT_TRUE(date->hasFocus());

    QTest::keyClicks(date, "15.1.2027");
    QTest::keyClick(date, Qt::Key_Down, Qt::AltModifier);
    ASSERT_NE(date->Calendar(), nullptr);
    EXPECT_EQ(date->Calendar()->selectedDate(), QDate(2027, 1, 15));
    EXPECT_EQ(date->Calendar()->monthShown(), 1);
    keyToFocus(Qt::Key_Right);
    keyToFocus(Qt::Key_Return);
    EXPECT_EQ(date->Calendar(), nullptr);
    EXPECT_EQ(date->EditText(), "16.01.2027");
    EXPECT_TRUE(date->hasFocus());
    EXPECT_TRUE(responder.Messages.isEmpty());

    // A text that is no date opens the calendar on today, and says nothing until the edit is left.
    QTest::keyClick(date, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(date, "31.2.2026");
    QTest::keyClick(date, Qt::Key_F4);
    ASSERT_NE(date->Calendar(), nullptr);
    EXPECT_EQ(date->Calendar()->selectedDate(), QDate(2026, 5, 20));
    keyToFocus(Qt::Key_Escape);
    EXPECT_TRUE(responder.Messages.isEmpty());
}

// A masked edit reached by keys, the program's Enter included, is typed over as a plain one is: what is typed
// replaces the value instead of being added to it or refused at the end of a full mask.
TEST(MaskEdit, ReachedByKeysWhatIsTypedReplacesTheValue)
{
    const struct {
        const char *mask;
        const char *value;
        const char *typed;
        const char *text;
    } cases[] = {
        {"", "2", "3", "3"},
        {"9999;0;_", "2", "3", "3"},
        {"9999;0;_", "1234", "7", "7"},
        {"99:99;1;_", "00:00", "0730", "07:30"},
    };
    for (const Qt::Key arrival : {Qt::Key_Return, Qt::Key_Tab, Qt::Key_Backtab})
        for (const auto &c : cases) {
            SCOPED_TRACE(::testing::Message() << c.mask << " " << c.value << " by key " << arrival);
            TForm form;
            auto *before = new QLineEdit(&form);
            auto *edit = new TMaskEdit(&form);
            auto *after = new QLineEdit(&form);
            auto *layout = new QVBoxLayout(&form);
            for (QWidget *w : std::initializer_list<QWidget *>{before, edit, after})
                layout->addWidget(w);
            edit->SetEditMask(QString::fromLatin1(c.mask));
            edit->SetText(QString::fromLatin1(c.value));
            ASSERT_TRUE(ShowActive(&form, "the form with the masked edit comes up"));
            ASSERT_TRUE(arrival == Qt::Key_Backtab ? TabTo(after) : TabTo(before));
            const bool arrived = arrival == Qt::Key_Return ? EnterTo(edit, 1)
                                 : arrival == Qt::Key_Tab  ? TabTo(edit, 1)
                                                           : BacktabTo(edit, 1);
            ASSERT_TRUE(arrived);
            Type(QString::fromLatin1(c.typed));
            EXPECT_EQ(edit->Text().trimmed(), QString::fromLatin1(c.text));
        }
}
