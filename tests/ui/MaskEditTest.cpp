// The masked edit: values set and read back in the mask language.
#include "platform/os/Format.h"
#include "platform/ui/MaskEdit.h"

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
