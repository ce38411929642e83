// The wait cursor brackets every statement and is gone afterwards, also when the statement fails.
#include "common/DbFixture.h"
#include "platform/db/SqlWait.h"
#include "platform/ui/WaitCursor.h"

#include <QApplication>

namespace {

class SqlWaitCursor : public DbFixture {
protected:
    void TearDown() override
    {
        SetSqlWaitHook(nullptr);
        DbFixture::TearDown();
    }
};

TEST_F(SqlWaitCursor, BalancedAroundGoodAndFailingStatements)
{
    int depth = 0, shown = 0;
    SetSqlWaitHook([&](bool busy) {
        depth += busy ? 1 : -1;
        shown += busy ? 1 : 0;
    });
    TIBQuery q;
    q.SetDatabase(db.get());
    q.SQL().SetText("select 1 from rdb$database");
    q.Open();
    q.Close();
    q.SQL().SetText("select no_such_column from rdb$database");
    EXPECT_THROW(q.Open(), EDatabaseError);
    q.SQL().SetText("update rdb$database set rdb$description = null where 1 = 0");
    q.ExecSQL();
    EXPECT_GE(shown, 3);
    EXPECT_EQ(depth, 0);
}

TEST_F(SqlWaitCursor, TheInstalledCursorIsRestored)
{
    InstallSqlWaitCursor();
    TIBQuery q;
    q.SetDatabase(db.get());
    q.SQL().SetText("select no_such_column from rdb$database");
    EXPECT_THROW(q.Open(), EDatabaseError);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

} // namespace
