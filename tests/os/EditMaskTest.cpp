// Edit masks: the Qt input mask they become, checked on a real QLineEdit, and the texts given back.
#include "platform/os/EditMask.h"
#include "platform/os/Format.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class EditMaskTest : public ::testing::Test {
protected:
    void SetUp() override { FormatSettings() = SlovakFormatSettings(); }
};

TEST_F(EditMaskTest, TranslationToQt)
{
    struct Case {
        const char *mask;
        const char *qt;
    };
    const Case cases[] = {
        {"!99/99/0000;1;_", "00.00.9999;_"},
        {"90/90/\\2\\000;1;_", "09.09.2\\099;_"},
        {"90\\.90\\.\\2\\000;1;_", "09.09.2\\099;_"},
        {">LL000;0;_", ">AA999;_"},
        {"!99\\|9999;0;_", "00|0000;_"},
        {"9999;1;_", "0000;_"},
        {"####-0000", "####-9999;_"},
        {"00000000", "99999999;_"},
        {"99999.99", "00000.00;_"},
        {"aA cC;1;*", "nN xX;*"},
        {">l<l<>l", ">a<a!a;_"},
        {"hh:mm", "\\h\\h:mm;_"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.mask);
        EXPECT_EQ(TEditMask(QString::fromUtf8(c.mask)).QtInputMask(), QString::fromUtf8(c.qt));
    }
    EXPECT_TRUE(TEditMask(QString()).QtInputMask().isEmpty());
}

TEST_F(EditMaskTest, DateSeparatorOfTheSettings)
{
    FormatSettings().DateSeparator = QLatin1Char('/');
    EXPECT_EQ(TEditMask(QStringLiteral("90/90/00;1;_")).QtInputMask(), QStringLiteral("09/09/99;_"));
}

TEST_F(EditMaskTest, TypingIntoQtEditGivesTheOriginalText)
{
    struct Case {
        const char *mask;
        const char *typed;
        const char *text;
    };
    const Case cases[] = {
        {"!99/99/0000;1;_", "05022026", "05.02.2026"},
        {"90/90/\\2\\000;1;_", "050226", "05.02.2026"},
        {"90/90/\\2\\000;1;_", "05", "05.  .20  "},
        {"!99\\|9999;0;_", "260045", "260045"},
        {">LL000;0;_", "ab123", "AB123"},
        {"9999;0;_", "12", "12  "},
        {"90/90/00;1;_", "", "  .  .  "},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.mask);
        const TEditMask mask(QString::fromUtf8(c.mask));
        QLineEdit edit;
        edit.setInputMask(mask.QtInputMask());
        edit.setCursorPosition(0);
        QTest::keyClicks(&edit, QString::fromUtf8(c.typed));
        EXPECT_EQ(mask.TextFromDisplay(edit.displayText()), QString::fromUtf8(c.text))
            << edit.displayText().toStdString();

        // And back: the text shown again for the value.
        QLineEdit again;
        again.setInputMask(mask.QtInputMask());
        again.setText(mask.DisplayFromText(QString::fromUtf8(c.text)));
        EXPECT_EQ(mask.TextFromDisplay(again.displayText()), QString::fromUtf8(c.text));
    }
}

TEST_F(EditMaskTest, FormatMaskText)
{
    struct Case {
        const char *mask;
        const char *value;
        const char *expected;
    };
    const Case cases[] = {
        {"00/0000;0;_", "260045", "26.0045"},
        {"!99\\|9999;0;_", "260045", "26|0045"},
        {"!99\\|9999;0;_", "0045", "  |0045"}, // '!' fills from the right
        {"9999;0;_", "45", "45  "},
        {">LL000;0;_", "ab12", "AB12 "},
        {"90/90/\\2\\000;1;_", "5.2.2026", "5 .2 .2026"},
        {"90/90/\\2\\000;1;_", "05.02.2026", "05.02.2026"},
        {"90/90/00;1;_", "", "  .  .  "},
        {"", "free text", "free text"},
        {"000;0;_", "1x3", "1 3"}, // a character the position refuses becomes a blank
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.mask);
        EXPECT_EQ(FormatMaskText(QString::fromUtf8(c.mask), QString::fromUtf8(c.value)), QString::fromUtf8(c.expected));
    }
}

TEST_F(EditMaskTest, ANumberTakesThePlacesAroundThePoint)
{
    const TEditMask price(QStringLiteral("99999.99"));
    QString text;
    ASSERT_TRUE(price.NumberText(12.5, text));
    EXPECT_EQ(text, "12   .50");
    ASSERT_TRUE(price.NumberText(99999.994, text));
    EXPECT_EQ(text, "99999.99");
    ASSERT_TRUE(price.NumberText(0.005, text));
    EXPECT_EQ(text, "0    .01");
    text = QStringLiteral("unchanged");
    EXPECT_FALSE(price.NumberText(123456, text)) << "no room for six whole places";
    EXPECT_FALSE(price.NumberText(99999.996, text)) << "rounded up past the places";
    EXPECT_FALSE(price.NumberText(-5, text)) << "digit places take no sign";
    EXPECT_EQ(text, "unchanged");
    ASSERT_TRUE(TEditMask(QStringLiteral("###9.9;0;_")).NumberText(-5, text));
    EXPECT_EQ(text, "-5  0") << "without the literal in the text";
    EXPECT_FALSE(TEditMask(QStringLiteral("9999;0;_")).NumberText(5, text)) << "no point";
    EXPECT_FALSE(TEditMask(QStringLiteral("99/99.99")).NumberText(5, text)) << "another literal";

    // Shown in the edit and read back, the number is the same.
    QLineEdit edit;
    edit.setInputMask(price.QtInputMask());
    ASSERT_TRUE(price.NumberText(7.25, text));
    edit.setText(price.DisplayFromText(text));
    EXPECT_EQ(price.TextFromDisplay(edit.displayText()), "7    .25");
    EXPECT_EQ(price.LiteralAt(0, QLatin1Char('.')), 5);
    EXPECT_EQ(price.LiteralAt(6, QLatin1Char('.')), -1);
}

TEST_F(EditMaskTest, EmptyText)
{
    const TEditMask date(QStringLiteral("90/90/\\2\\000;1;_"));
    EXPECT_TRUE(date.IsTextEmpty(QStringLiteral("  .  .20  ")));
    EXPECT_FALSE(date.IsTextEmpty(QStringLiteral("5 .  .20  ")));
    const TEditMask job(QStringLiteral("999999;0;_"));
    EXPECT_TRUE(job.IsTextEmpty(QStringLiteral("      ")));
    EXPECT_TRUE(job.IsTextEmpty(QString()));
    EXPECT_FALSE(job.IsTextEmpty(QStringLiteral("12")));
    EXPECT_EQ(job.InputLength(), 6);
    EXPECT_FALSE(job.SavesLiterals());
    EXPECT_TRUE(date.SavesLiterals());
}

} // namespace
