// String lists: name=value lines, comma text both ways, and the change notifications around updates.
#include "platform/os/CaseFoldedName.h"
#include "platform/os/Exception.h"
#include "platform/os/Strings.h"

#include <QHash>
#include <gtest/gtest.h>

TEST(StringList, NameValueLinesIgnoreCaseAndAnEmptyValueRemovesTheLine)
{
    TStringList l({"C_INT=č.Zákazky", "Nazov=Názov", "x"});
    EXPECT_EQ(l.Values("c_int"), QString::fromUtf8("č.Zákazky"));
    EXPECT_EQ(l.IndexOfName("NAZOV"), 1);
    EXPECT_EQ(l.Values("x"), "");
    l.SetValue("nazov", "");
    EXPECT_EQ(l.Count(), 2);
    l.SetValue("NEW", "1");
    EXPECT_EQ(l[2], "NEW=1");
}

TEST(StringList, CommaTextSplitsAtCommasAndBlanksUnlessQuoted)
{
    TStringList l;
    l.SetCommaText(QString::fromUtf8("a,b c,\"d, e\",\"f \"\"g\"\"\",,h"));
    EXPECT_EQ(l.Lines(), QStringList({"a", "b", "c", "d, e", "f \"g\"", "", "h"}));
    TStringList back;
    back.SetCommaText(l.CommaText());
    EXPECT_EQ(back.Lines(), l.Lines()) << l.CommaText().toStdString();
}

TEST(StringList, TextKeepsLinesAndNotifiesOncePerUpdate)
{
    TStringList l;
    int changing = 0, changed = 0;
    l.OnChanging = [&] { ++changing; };
    l.OnChange = [&] { ++changed; };
    l.SetText("select *\r\nfrom T\n\nwhere A = 1\n");
    EXPECT_EQ(l.Count(), 4);
    EXPECT_EQ(l[2], "");
    EXPECT_EQ(l[3], "where A = 1");
    // A lone CR breaks a line too; a break at the end opens no line, two there leave one empty line.
    TStringList more;
    more.SetText("a\rb\r\n\rc\n\n");
    EXPECT_EQ(more.Lines(), QStringList({"a", "b", "", "c", ""}));
    more.SetText("\n");
    EXPECT_EQ(more.Lines(), QStringList({""}));
    more.SetText("");
    EXPECT_EQ(more.Count(), 0);
    EXPECT_EQ(changing, 1);
    EXPECT_EQ(changed, 1);
    l.BeginUpdate();
    l.Add("x");
    l.Add("y");
    l.EndUpdate();
    EXPECT_EQ(changing, 2);
    EXPECT_EQ(changed, 2);
}

// The text follows the lines through every kind of change, also when it was asked for in between.
TEST(StringList, TextFollowsEveryChangeOfTheLines)
{
    TStringList l({"select *"});
    EXPECT_EQ(l.Text(), "select *\n");
    const TStringList copy = l;
    l.Add("from T");
    EXPECT_EQ(l.Text(), "select *\nfrom T\n");
    EXPECT_EQ(copy.Text(), "select *\n") << "a copy keeps its own";
    l.SetStrings(0, "select A");
    EXPECT_EQ(l.Text(), "select A\nfrom T\n");
    l.Insert(1, QString::fromUtf8("-- Ľubovňa"));
    EXPECT_EQ(l.Text(), QString::fromUtf8("select A\n-- Ľubovňa\nfrom T\n"));
    l.Delete(1);
    EXPECT_EQ(l.Text(), "select A\nfrom T\n");
    l = QStringList({"x"});
    EXPECT_EQ(l.Text(), "x\n");
    l.SetText("a\nb");
    EXPECT_EQ(l.Text(), "a\nb\n");
    l.Clear();
    EXPECT_EQ(l.Text(), "");
    l.Add("");
    EXPECT_EQ(l.Text(), "\n");
}

TEST(StringList, LinesPastTheEndAreAddedNeverWrittenOutside)
{
    TStringList sql({"select *"});
    sql.SetStrings(3, "where A=1");
    EXPECT_EQ(sql.Lines(), QStringList({"select *", "", "", "where A=1"}));
    sql.Insert(6, "order by A");
    EXPECT_EQ(sql.Count(), 7);
    EXPECT_EQ(sql[6], "order by A");
    EXPECT_EQ(sql[10], "") << "a line outside reads empty";
    EXPECT_EQ(sql.Names(10), "");
    sql.Delete(42);
    sql.Delete(-1);
    EXPECT_EQ(sql.Count(), 7) << "deleting a line that is not there does nothing";
    EXPECT_THROW(sql.SetStrings(-1, "x"), Exception);
    EXPECT_THROW(sql.Insert(-2, "x"), Exception);
    EXPECT_EQ(sql.Count(), 7);
}

// Names as keys matching in any case: the same names match as their case-folded copies do, accented and
// other non-ASCII letters included, and equal names hash alike.
TEST(CaseFoldedName, MatchesAsTheFoldedCopiesDo)
{
    const auto same = [](const QString &a, const QString &b) {
        const bool equal = TCaseFoldedName{a} == TCaseFoldedName{b};
        EXPECT_EQ(equal, a.toCaseFolded() == b.toCaseFolded()) << a.toStdString() << " / " << b.toStdString();
        if (equal) {
            EXPECT_EQ(qHash(TCaseFoldedName{a}, 7), qHash(TCaseFoldedName{b}, 7));
        }
        return equal;
    };
    EXPECT_TRUE(same("C_INT", "c_int"));
    EXPECT_TRUE(same("Nazov", "NAZOV"));
    EXPECT_FALSE(same("NAZOV", "NAZOV_1"));
    EXPECT_FALSE(same("A@", "a`")) << "only letters fold";
    EXPECT_TRUE(same("", ""));
    EXPECT_TRUE(same(QString::fromUtf8("POČET"), QString::fromUtf8("počet")));
    EXPECT_FALSE(same(QString::fromUtf8("POČET"), "POCET"));
    EXPECT_TRUE(same(QString::fromUtf8("\u212A_OD"), "k_od")) << "the Kelvin sign folds to k";

    QHash<TCaseFoldedName, int> byName;
    byName.insert({"C_INT"}, 1);
    byName.insert({QString::fromUtf8("Názov")}, 2);
    EXPECT_EQ(byName.value({"c_Int"}), 1);
    EXPECT_EQ(byName.value({QString::fromUtf8("NÁZOV")}), 2);
    EXPECT_FALSE(byName.contains({"NAZOV"}));
}
