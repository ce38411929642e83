// Errors at the edge of the screen: an abort is silent, a database error goes through the translation
// when it has words for it, anything else to the error box; the program goes on.
#include "platform/os/Exception.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Guarded.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <stdexcept>

namespace {

class GuardedTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetDbErrorTranslator([this](const EDatabaseError &e) {
            translated << e.Message;
            return e.Message.startsWith(QStringLiteral("známa"));
        });
    }
    void TearDown() override { SetDbErrorTranslator(nullptr); }
    QStringList translated;
    TTestResponder answers;
};

TEST_F(GuardedTest, EachKindOfErrorFindsItsWay)
{
    EXPECT_TRUE(Guarded([] {}));
    EXPECT_FALSE(Guarded([] { Abort(); }));
    EXPECT_TRUE(answers.Messages.isEmpty()) << "an abort is silent";

    EXPECT_FALSE(Guarded([] { throw EDatabaseError(QStringLiteral("známa chyba")); }));
    EXPECT_EQ(translated, QStringList{"známa chyba"});
    EXPECT_TRUE(answers.Messages.isEmpty()) << "the translation showed it";

    EXPECT_FALSE(Guarded([] { throw EDatabaseError(QStringLiteral("iná chyba")); }));
    EXPECT_FALSE(Guarded([] { throw EConvertError(QStringLiteral("'x' nie je číslo")); }));
    EXPECT_FALSE(Guarded([] { throw std::runtime_error("bez slov"); }));
    EXPECT_EQ(translated.size(), 2) << "only database errors are offered to the translation";
    EXPECT_EQ(answers.Texts(), QStringList({"iná chyba", "'x' nie je číslo", "bez slov"}));
    for (const TMessageRequest &m : answers.Messages)
        EXPECT_EQ(m.Caption, "Výstraha");
}

TEST_F(GuardedTest, WithoutATranslationADatabaseErrorShowsItsText)
{
    SetDbErrorTranslator(nullptr);
    Guarded([] { throw EDatabaseError(QStringLiteral("známa chyba")); });
    EXPECT_EQ(answers.Texts(), QStringList{"známa chyba"});
}

TEST_F(GuardedTest, AGuardedButtonsClickShowsItsErrorAndTheButtonGoesOn)
{
    QWidget row;
    auto *layout = new QHBoxLayout(&row);
    int clicks = 0;
    QPushButton *b = GuardedButton(QString::fromUtf8("&Zmaž"), &row, layout, [&] {
        if (++clicks == 1)
            throw EConvertError(QString::fromUtf8("'ž' nie je číslo"));
    });
    EXPECT_EQ(layout->indexOf(b), 0);
    EXPECT_EQ(b->text(), QString::fromUtf8("&Zmaž"));
    row.show();
    QTest::mouseClick(b, Qt::LeftButton);
    QTest::mouseClick(b, Qt::LeftButton);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(answers.Texts(), QStringList{QString::fromUtf8("'ž' nie je číslo")});
}

} // namespace
