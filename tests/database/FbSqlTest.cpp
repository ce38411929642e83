// The test-side SQL runner: named parameters become positional outside literals and blocks.
#include "FbSql.h"

#include <gtest/gtest.h>

TEST(FbSql, PositionalParametersSkipLiteralsAndBlocks)
{
    EXPECT_EQ(FbSql::positional("select * from T where a=:a and b=':x' and c=:c_2"),
              "select * from T where a=? and b=':x' and c=?");
    const QString block = "EXECUTE BLOCK AS DECLARE c INTEGER; BEGIN SELECT 1 FROM RDB$DATABASE INTO :c; END";
    EXPECT_EQ(FbSql::positional(block), block);
}
