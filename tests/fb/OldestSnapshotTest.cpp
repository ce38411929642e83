// Several workstations at once: what a save reports as saved is committed by the save itself, and open
// lists never hold back the server's oldest snapshot (so it can clean up behind the work of the day).
#include "common/DbFixture.h"

#include <QCoreApplication>

namespace {

class Commits : public DbFixture {
protected:
    void SetUp() override
    {
        DbFixture::SetUp();
        exec("create table T_ROW (ID integer not null primary key, N integer, NOTE blob sub_type 1)");
        exec("execute block as declare i integer = 1; begin while (i <= 500) do begin "
             "insert into T_ROW (ID, N, NOTE) values (:i, 0, 'poznámka ' || :i); i = i + 1; end end");
    }

    // The server's oldest snapshot and next transaction, as another connection sees them.
    static std::pair<qint64, qint64> snapshotAndNext(OtherConnection &other)
    {
        const QStringList v = other.value("select MON$OLDEST_SNAPSHOT || ' ' || MON$NEXT_TRANSACTION from MON$DATABASE")
                                  .toString()
                                  .split(QLatin1Char(' '));
        return {v.value(0).toLongLong(), v.value(1).toLongLong()};
    }

    std::unique_ptr<TIBTable> table(TIBDatabase *on)
    {
        auto t = std::make_unique<TIBTable>();
        t->SetDatabase(on);
        t->SetTableName(QStringLiteral("T_ROW"));
        return t;
    }
};

TEST_F(Commits, APostOrAnExecutedStatementIsCommittedByItselfNotByTheIdleTimer)
{
    tr->SetIdleTimer(3600 * 1000);
    OtherConnection other(tmp.path());
    auto rows = table(db.get());
    rows->Open();
    rows->Append();
    rows->FieldByName("ID")->SetValue(1001);
    rows->FieldByName("N")->SetValue(7);
    rows->Post();
    EXPECT_EQ(other.value("select N from T_ROW where ID = 1001").toInt(), 7);

    rows->Edit();
    rows->FieldByName("N")->SetValue(8);
    rows->Post();
    EXPECT_EQ(other.value("select N from T_ROW where ID = 1001").toInt(), 8);

    TIBQuery q;
    q.SetDatabase(db.get());
    q.SQL().SetText("update T_ROW set N = 9 where ID = 1001");
    q.ExecSQL();
    EXPECT_EQ(other.value("select N from T_ROW where ID = 1001").toInt(), 9);

    rows->Delete();
    EXPECT_TRUE(other.value("select count(*) from T_ROW where ID = 1001").toInt() == 0);
    // The list read on: every row is still there after the commits.
    rows->Last();
    EXPECT_EQ(rows->RecordCount(), 500);
}

TEST_F(Commits, ASaveIsCommittedWhenItsOutermostScopeEndsAndNotBefore)
{
    OtherConnection other(tmp.path());
    TIBQuery q;
    q.SetDatabase(db.get());
    {
        TSavepoint outer(tr.get());
        q.SQL().SetText("update T_ROW set N = 1 where ID = 1");
        q.ExecSQL();
        {
            TSavepoint inner(tr.get());
            q.SQL().SetText("update T_ROW set N = 2 where ID = 2");
            q.ExecSQL();
            inner.Commit();
        }
        // Reads inside the save see its own writes.
        EXPECT_EQ(value("select N from T_ROW where ID = 2").toInt(), 2);
        EXPECT_EQ(other.value("select N from T_ROW where ID = 2").toInt(), 0) << "committed before the save ended";
        outer.Commit();
    }
    EXPECT_EQ(other.value("select N + (select N from T_ROW where ID = 2) from T_ROW where ID = 1").toInt(), 3);

    {
        TSavepoint failed(tr.get());
        q.SQL().SetText("update T_ROW set N = 5 where ID = 3");
        q.ExecSQL();
    }
    EXPECT_EQ(other.value("select N from T_ROW where ID = 3").toInt(), 0);
    EXPECT_EQ(value("select N from T_ROW where ID = 3").toInt(), 0);
}

TEST_F(Commits, OpenListsOfFiveWorkstationsLetTheOldestSnapshotMoveOn)
{
    struct Workstation {
        std::unique_ptr<OtherConnection> connection;
        std::unique_ptr<TIBTable> list;
        std::unique_ptr<TIBQuery> write;
    };
    std::vector<Workstation> desks;
    for (int w = 0; w < 5; ++w) {
        Workstation desk;
        desk.connection = std::make_unique<OtherConnection>(tmp.path());
        desk.connection->tr.SetIdleTimer(1);
        desk.list = table(&desk.connection->db);
        desk.list->Open(); // a grid's list: read a screenful, the cursor stays open
        desk.write = std::make_unique<TIBQuery>();
        desk.write->SetDatabase(&desk.connection->db);
        desk.write->SQL().SetText("update T_ROW set N = N + 1 where ID = :ID");
        desks.push_back(std::move(desk));
    }
    OtherConnection watcher(tmp.path());
    const auto [firstSnapshot, firstNext] = snapshotAndNext(watcher);
    for (int round = 0; round < 60; ++round) {
        for (int w = 0; w < 5; ++w) {
            Workstation &desk = desks[size_t(w)];
            desk.write->ParamByName("ID").SetValue(1 + (round * 5 + w) % 500);
            desk.write->ExecSQL();
            desk.list->Next();
            // A memo read lazily, as a grid's note column is.
            EXPECT_TRUE(desk.list->FieldByName("NOTE")->AsString().startsWith(QString::fromUtf8("poznámka")));
        }
        QCoreApplication::processEvents(); // the idle timers
    }
    const auto [snapshot, next] = snapshotAndNext(watcher);
    EXPECT_GT(next, firstNext + 300);
    EXPECT_GT(snapshot, firstSnapshot);
    EXPECT_LT(next - snapshot, 50) << "the oldest snapshot is held back";
    for (Workstation &desk : desks) {
        desk.list->Last();
        EXPECT_EQ(desk.list->RecordCount(), 500);
    }
    EXPECT_EQ(watcher.value("select sum(N) from T_ROW").toInt(), 300);
}

} // namespace
