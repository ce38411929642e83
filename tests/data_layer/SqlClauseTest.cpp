// Clause lines and the SQL filter: reading and replacing by keyword, the filter marker, and filters on a
// real query.
#include "common/DbFixture.h"
#include "library/SqlClause.h"
#include "library/xQuery.h"
#include "library/xDataSet.h"
#include "platform/ui/Dialogs.h"

namespace {

TStringList lines(std::initializer_list<QString> l)
{
    return TStringList(l);
}

TEST(SqlClause, ReadsAndReplacesByKeywordFromLineTwoOn)
{
    TStringList sql = lines({"select * where", "from T where", "where A = 1", "order by B"});
    EXPECT_EQ(SqlClause(sql, "WHERE", "", 0), "A = 1");
    EXPECT_EQ(SqlClause(sql, "order by", "", 0), "B");
    EXPECT_EQ(SqlClause(sql, "WHERE", "C = 2", 2), "A = 1") << "returns the clause as it stood";
    EXPECT_EQ(sql[2], "WHERE C = 2");
    EXPECT_EQ(sql[0], "select * where") << "lines 0 and 1 are never searched";
}

TEST(SqlClause, KeywordNeedsItsBlankAndIgnoresCase)
{
    TStringList sql = lines({"select *", "from T", "whereabouts = 1", ""});
    EXPECT_EQ(SqlClause(sql, "WHERE", "", 0), "");
    SqlClause(sql, "WHERE", "X = 1", 2);
    EXPECT_EQ(sql[3], "WHERE X = 1") << "the glued line is not the clause; the first blank line is filled";
    EXPECT_EQ(SqlClause(sql, "where", "", 0), "X = 1");
}

TEST(SqlClause, BlankValueEmptiesAFoundLineAndLeavesAMissingOne)
{
    TStringList sql = lines({"select *", "from T", "where A = 1", ""});
    SqlClause(sql, "WHERE", "   ", 2);
    EXPECT_EQ(sql.Count(), 4);
    EXPECT_EQ(sql[2], "");
    TStringList other = lines({"select *", "from T", "", ""});
    SqlClause(other, "ORDER BY", "", 3);
    EXPECT_EQ(other.Lines(), QStringList({"select *", "from T", "", ""}));
}

TEST(SqlClause, MissingOrderFillsFirstBlankFromPositionOrAppends)
{
    TStringList sql = lines({"select *", "from T", "", ""});
    SqlClause(sql, "ORDER BY", "1", 3);
    EXPECT_EQ(sql[3], "ORDER BY 1");
    EXPECT_EQ(sql[2], "");
    TStringList full = lines({"select *", "from T", "where A = 1"});
    SqlClause(full, "ORDER BY", "2 desc", 3);
    EXPECT_EQ(full.Count(), 4);
    EXPECT_EQ(full[3], "ORDER BY 2 desc");
}

TEST(SqlClause, TooFewLinesSaysSoAndChangesNothing)
{
    TTestResponder answers;
    TStringList sql = lines({"select * from T"});
    SqlClause(sql, "WHERE", "A = 1", 2);
    EXPECT_EQ(sql.Count(), 1);
    ASSERT_EQ(answers.Texts().size(), 1);
    EXPECT_EQ(answers.Texts()[0], QString::fromUtf8("SQL WHERE nie je možné nastaviť !"));
}

class SqlFilter : public DbFixture {
protected:
    void SetUp() override
    {
        DbFixture::SetUp();
        exec("create table F_T (A integer, B integer, N varchar(20))");
        exec("insert into F_T values (1, 1, 'O''Neil')");
        exec("insert into F_T values (1, 2, 'x')");
        exec("insert into F_T values (2, 2, 'y')");
        exec("insert into F_T values (3, 9, 'z')");
        q.SetDatabase(db.get());
    }
    int rows()
    {
        q.FetchAll();
        return q.RecordCount();
    }
    TxQuery q;
};

TEST_F(SqlFilter, EmptyWhereGetsTheMarkerAndSwitchingOffEmptiesTheLine)
{
    q.SQL().SetText("select *\nfrom F_T\n\n");
    q.SetFilterText("B = 2");
    q.SetFiltered(true);
    EXPECT_EQ(q.SQL()[2], "WHERE  /*FILTER*/ B = 2");
    EXPECT_TRUE(q.Active());
    EXPECT_EQ(rows(), 2);
    q.SetFiltered(false);
    EXPECT_EQ(q.SQL()[2], "");
    EXPECT_EQ(q.SQL().Count(), 3) << "the emptied line stays in its place";
    EXPECT_TRUE(q.Active()) << "the filter ends by opening";
    EXPECT_EQ(rows(), 4);
}

TEST_F(SqlFilter, FilterIsAndedAndNeverAccumulates)
{
    q.SQL().SetText("select *\nfrom F_T\nwhere A = 1\n");
    q.SetFilterText("B = 2");
    q.SetFiltered(true);
    EXPECT_EQ(q.SQL()[2], "WHERE A = 1 /*FILTER*/  AND B = 2");
    q.SetFilterText("B = 1");
    q.SetFiltered(true);
    EXPECT_EQ(q.SQL()[2], "WHERE A = 1 /*FILTER*/  AND B = 1");
    EXPECT_EQ(rows(), 1);
}

TEST_F(SqlFilter, ATopLevelOrIsBracketedSoTheFilterNarrows)
{
    q.SQL().SetText("select *\nfrom F_T\nwhere A = 1 or A = 3\n");
    q.SetFilterText("B = 9");
    q.SetFiltered(true);
    EXPECT_EQ(rows(), 1) << "without brackets the filter would bind to A = 3 only and keep both A = 1 rows";
}

TEST_F(SqlFilter, AFilterWithATopLevelOrIsBracketedSoItCannotEscapeTheCondition)
{
    q.SQL().SetText("select *\nfrom F_T\nwhere A = 1\n");
    q.Open();
    const int own = rows();
    ASSERT_EQ(own, 2);
    q.SetFilterText("B = 9 or B <> 9");
    q.SetFiltered(true);
    EXPECT_EQ(q.SQL()[2], "WHERE A = 1 /*FILTER*/  AND (B = 9 or B <> 9)");
    EXPECT_EQ(rows(), own) << "the filter's OR does not bring back rows the query's own condition leaves out";
}

TEST_F(SqlFilter, ABadFilterIsShownAndLeavesTheQueryClosed)
{
    TTestResponder answers;
    q.SQL().SetText("select *\nfrom F_T\n\n");
    q.SetFilterText("NO_SUCH_COLUMN = 1");
    q.SetFiltered(true);
    EXPECT_FALSE(q.Active());
    ASSERT_EQ(answers.Messages.size(), 1);
    EXPECT_TRUE(answers.Messages[0].Text.startsWith(QString::fromUtf8("Chyba pri nastavovaní Filtra !\r\n\r\n")));
    EXPECT_EQ(answers.Messages[0].Caption, "SQL");
}

TEST_F(SqlFilter, DataSetKeepsParameterValuesAndTheirTypesAcrossAWhereChange)
{
    TxDataSet ds;
    ds.SetDatabase(db.get());
    ds.SQL().SetText("select *\nfrom F_T\nwhere B * 1.0 > :LIMIT\n");
    ds.Prepare();
    ds.ParamByName("LIMIT").SetAsFloat(1.5);
    ds.Close();
    ds.SetWhere("B * 1.0 > :LIMIT and A < 3");
    EXPECT_EQ(ds.ParamByName("LIMIT").Value.typeId(), QMetaType::Double);
    EXPECT_DOUBLE_EQ(ds.ParamByName("LIMIT").AsFloat(), 1.5);
    ds.Open();
    ds.FetchAll();
    EXPECT_EQ(ds.RecordCount(), 2);
    ds.ParamByName("LIMIT").Clear();
    ds.SetWhere("B > :LIMIT");
    EXPECT_TRUE(ds.ParamByName("LIMIT").IsNull()) << "a null stays null";
}

TEST_F(SqlFilter, OrderByReadAndSetByLine)
{
    q.SQL().SetText("select *\nfrom F_T\n\norder by A");
    EXPECT_EQ(q.GetOrderBy(), "A");
    q.SetOrderBy("B desc");
    EXPECT_EQ(q.SQL()[3], "ORDER BY B desc");
    q.Open();
    EXPECT_EQ(q.FieldByName("B")->AsInteger(), 9);
}

} // namespace
