#include "platform/fbapi/ParamParser.h"

#include <gtest/gtest.h>

using fb::ParamParsing;
using fb::parseParams;

namespace {

struct ParseCase {
    const char *sql;
    const char *expected;
    QStringList names;
};

class ParamParserCases : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParamParserCases, ReplacesNamesOutsideLiteralsAndComments)
{
    const ParseCase &c = GetParam();
    SCOPED_TRACE(c.sql);
    const fb::ParsedSql parsed = parseParams(QString::fromUtf8(c.sql));
    EXPECT_EQ(parsed.sql, QString::fromUtf8(c.expected));
    EXPECT_EQ(parsed.names, c.names);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParamParserCases,
    ::testing::Values(
        ParseCase{"select * from t where a=:a and b = :B_2$", "select * from t where a=? and b = ?", {"a", "B_2$"}},
        ParseCase{"where a = :x or b = :x", "where a = ? or b = ?", {"x", "x"}},
        ParseCase{"where d >= :\"Od dátumu\" and e = :č", "where d >= ? and e = ?", {"Od dátumu", "č"}},
        ParseCase{"where s = ':no' and t = 'it''s :no' and u = :yes",
                  "where s = ':no' and t = 'it''s :no' and u = ?",
                  {"yes"}},
        ParseCase{"select \"A:b\" from t where x = :x", "select \"A:b\" from t where x = ?", {"x"}},
        ParseCase{"select a -- :no here\nfrom t where b=:b", "select a -- :no here\nfrom t where b=?", {"b"}},
        ParseCase{"select /* :no\n :no */ a from t where c=:c", "select /* :no\n :no */ a from t where c=?", {"c"}},
        ParseCase{"select a::int, b : c, d: from t", "select a::int, b : c, d: from t", {}},
        ParseCase{"select 'unterminated :x", "select 'unterminated :x", {}},
        ParseCase{"insert into t values (:a,:b)", "insert into t values (?,?)", {"a", "b"}},
        ParseCase{"where x = :\"a\"\"b\" and y = :\"\"", "where x = ? and y = :\"\"", {"a\"b"}}));

TEST(ParamParser, ExecuteBlockKeepsItsVariablesUnlessAsked)
{
    const QString block = QStringLiteral("  /* c */ execute   block as declare x int; begin select 1 from "
                                         "rdb$database into :x; end");
    EXPECT_TRUE(fb::isExecuteBlock(block));
    const fb::ParsedSql kept = parseParams(block);
    EXPECT_EQ(kept.sql, block);
    EXPECT_TRUE(kept.names.isEmpty());

    const fb::ParsedSql parsed = parseParams(block, ParamParsing::On);
    EXPECT_EQ(parsed.names, QStringList{"x"});

    EXPECT_FALSE(fb::isExecuteBlock(QStringLiteral("execute blockade")));
    EXPECT_FALSE(fb::isExecuteBlock(QStringLiteral("execute procedure p(:x)")));
}

TEST(ParamParser, OffLeavesTextAlone)
{
    const QString sql = QStringLiteral("update t set a = :a");
    const fb::ParsedSql parsed = parseParams(sql, ParamParsing::Off);
    EXPECT_EQ(parsed.sql, sql);
    EXPECT_TRUE(parsed.names.isEmpty());
}

TEST(ParamParser, PositionalMarksBecomeNamesInTextOrder)
{
    int count = -1;
    const QString named = fb::namePositionalParams(
        QStringLiteral("select \"A?\" from t where s = '?' and a = ? -- ?\n and b = :b and c = ?/* ? */"), &count);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(
        named,
        QStringLiteral("select \"A?\" from t where s = '?' and a = :\"?1\" -- ?\n and b = :b and c = :\"?2\"/* ? */"));
    const fb::ParsedSql parsed = parseParams(named);
    EXPECT_EQ(parsed.names, (QStringList{"?1", "b", "?2"}));
    EXPECT_EQ(fb::namePositionalParams(QStringLiteral("select 1 from t"), &count), QStringLiteral("select 1 from t"));
    EXPECT_EQ(count, 0);
}

} // namespace
