// The connection's kept prepared statements: a text run again is not prepared again, a statement serves
// one data set at a time, the least recently used go beyond the limit, and a disconnect or a change of
// the metadata drops them.
#include "common/DbFixture.h"

namespace {

class StatementCache : public DbFixture {
protected:
    void SetUp() override
    {
        DbFixture::SetUp();
        exec("create table T_ROW (ID integer not null primary key, NAME varchar(20))");
        exec("insert into T_ROW values (1, 'jeden')");
        exec("insert into T_ROW values (2, 'dva')");
        exec("insert into T_ROW values (3, 'tri')");
    }

    std::unique_ptr<TIBQuery> query(const QString &sql)
    {
        auto q = std::make_unique<TIBQuery>();
        q->SetDatabase(db.get());
        q->SQL().SetText(sql);
        return q;
    }

    // The name of the row of id, read through a new query of the text.
    QString nameOf(const QString &sql, int id)
    {
        auto q = query(sql);
        q->ParamByName("ID").SetAsInteger(id);
        q->Open();
        return q->IsEmpty() ? QString() : q->FieldByName("NAME")->AsString();
    }

    static long long prepares() { return fb::Statement::Prepares(); }
};

const QString kById = QStringLiteral("select ID, NAME from T_ROW where ID = :id");

TEST_F(StatementCache, ATextRunAgainByAnotherDataSetOrWithOtherValuesIsNotPreparedAgain)
{
    EXPECT_EQ(nameOf(kById, 1), "jeden");
    const long long before = prepares();
    EXPECT_EQ(nameOf(kById, 2), "dva");
    EXPECT_EQ(nameOf(kById, 3), "tri");
    EXPECT_EQ(nameOf(kById, 4), "");
    EXPECT_EQ(prepares(), before) << "one prepared statement serves every value of its parameter";
    EXPECT_EQ(db->CachedStatements(), 1);

    // A query changing its text back and forth borrows each text's statement.
    auto q = query(kById);
    q->ParamByName("ID").SetAsInteger(1);
    q->Open();
    q->Close();
    q->SQL().SetText("select count(*) from T_ROW");
    q->Open();
    EXPECT_EQ(q->Fields(0)->AsInteger(), 3);
    q->Close();
    const long long both = prepares();
    q->SQL().SetText(kById);
    q->ParamByName("ID").SetAsInteger(3);
    q->Open();
    EXPECT_EQ(q->FieldByName("NAME")->AsString(), "tri");
    EXPECT_EQ(prepares(), both);
}

TEST_F(StatementCache, AStatementServesOneDataSetAtATime)
{
    auto a = query(kById);
    a->ParamByName("ID").SetAsInteger(1);
    a->Open();
    const long long before = prepares();
    auto b = query(kById);
    b->ParamByName("ID").SetAsInteger(2);
    b->Open();
    EXPECT_EQ(prepares(), before + 1) << "the second data set gets a statement of its own";
    EXPECT_EQ(a->FieldByName("NAME")->AsString(), "jeden");
    EXPECT_EQ(b->FieldByName("NAME")->AsString(), "dva");
    // Reopening the first with another value does not disturb the second's rows.
    a->Close();
    a->ParamByName("ID").SetAsInteger(3);
    a->Open();
    EXPECT_EQ(a->FieldByName("NAME")->AsString(), "tri");
    EXPECT_EQ(b->FieldByName("NAME")->AsString(), "dva");
    EXPECT_EQ(db->CachedStatements(), 0) << "a lent statement is not kept for others meanwhile";
    a.reset();
    b.reset();
    EXPECT_EQ(db->CachedStatements(), 2);
    // Both are lent again, without a prepare.
    a = query(kById);
    b = query(kById);
    a->ParamByName("ID").SetAsInteger(1);
    b->ParamByName("ID").SetAsInteger(2);
    a->Open();
    b->Open();
    EXPECT_EQ(prepares(), before + 1);
    EXPECT_EQ(a->FieldByName("NAME")->AsString(), "jeden");
    EXPECT_EQ(b->FieldByName("NAME")->AsString(), "dva");
}

TEST_F(StatementCache, TheLeastRecentlyUsedGoBeyondTheLimit)
{
    db->StatementCacheLimit = 3;
    const auto text = [](int n) { return QStringLiteral("select %1 as N from RDB$DATABASE").arg(n); };
    for (int n = 1; n <= 5; ++n) {
        auto q = query(text(n));
        q->Open();
        EXPECT_EQ(q->Fields(0)->AsInteger(), n);
    }
    EXPECT_EQ(db->CachedStatements(), 3);
    long long before = prepares();
    query(text(5))->Open();
    query(text(3))->Open();
    EXPECT_EQ(prepares(), before) << "the three most recent are kept";
    query(text(1))->Open();
    EXPECT_EQ(prepares(), before + 1) << "the oldest went";
    // Taking 1 back pushed out 4, the least recently used of 3, 4 and 5.
    before = prepares();
    query(text(3))->Open();
    EXPECT_EQ(prepares(), before);
    query(text(4))->Open();
    EXPECT_EQ(prepares(), before + 1);
    query(text(5))->Open();
    EXPECT_EQ(prepares(), before + 2) << "5 went when 4 came back";
    EXPECT_EQ(db->CachedStatements(), 3);
}

TEST_F(StatementCache, ADisconnectDropsTheKeptStatements)
{
    EXPECT_EQ(nameOf(kById, 1), "jeden");
    auto held = query(kById);
    held->ParamByName("ID").SetAsInteger(2);
    held->Open();
    db->Close();
    EXPECT_EQ(db->CachedStatements(), 0);
    db->Open();
    const long long before = prepares();
    EXPECT_EQ(nameOf(kById, 3), "tri");
    EXPECT_EQ(prepares(), before + 1);
    // A data set that held a statement of the closed connection lets it go and borrows the new one.
    held->Open();
    EXPECT_EQ(held->FieldByName("NAME")->AsString(), "dva");
    EXPECT_EQ(prepares(), before + 1);
}

TEST_F(StatementCache, AMetadataChangeDropsThemAndTheNextOpenSeesTheNewColumns)
{
    auto all = query("select * from T_ROW order by ID");
    all->Open();
    EXPECT_EQ(all->FieldCount(), 2);
    all.reset();
    auto keep = query("select * from T_ROW order by ID");
    keep->Open();
    keep->Close();
    EXPECT_EQ(nameOf(kById, 1), "jeden");
    EXPECT_EQ(db->CachedStatements(), 1);

    auto ddl = query("alter table T_ROW add NOTE varchar(10)");
    ddl->ExecSQL();
    EXPECT_EQ(db->CachedStatements(), 0);

    // Both the data set that kept its statement and a new one read the new column.
    keep->Open();
    EXPECT_EQ(keep->FieldCount(), 3);
    EXPECT_TRUE(keep->FindField("NOTE"));
    auto fresh = query("select * from T_ROW order by ID");
    fresh->Open();
    EXPECT_EQ(fresh->FieldCount(), 3);

    // An update statement kept by a data set is prepared again as well: it writes the new column.
    auto t = std::make_unique<TIBTable>();
    t->SetDatabase(db.get());
    t->SetTableName("T_ROW");
    t->SetIndexFieldNames("ID");
    t->Open();
    t->Edit();
    t->FieldByName("NAME")->SetValue("one");
    t->Post();
    query("alter table T_ROW add CODE integer")->ExecSQL();
    t->Close();
    t->Open();
    t->Edit();
    t->FieldByName("CODE")->SetValue(7);
    t->Post();
    EXPECT_EQ(value("select CODE from T_ROW where ID = 1").toInt(), 7);
}

} // namespace
