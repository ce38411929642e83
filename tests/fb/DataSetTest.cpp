// The Firebird data sets on a real embedded database: lazy fetching, types, the state machine and its
// events, writes through tables and update statements, cached updates, master-detail, bookmarks.
#include "common/PersonTyping.h"
#include "common/DbFixture.h"
#include "common/DbError.h"
#include "platform/fbapi/IBError.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>

#include <functional>

namespace {

class DataSets : public DbFixture {
protected:
    void SetUp() override
    {
        DbFixture::SetUp();
        exec("create table T_ITEM (ID integer not null constraint PK_T_ITEM primary key, NAME varchar(20), "
             "CODE char(4), QTY double precision, D date, BIG bigint, NOTE blob sub_type 1)");
        exec("create table T_LINE (ID integer not null primary key, ITEM_ID integer, TXT varchar(10))");
        exec("execute block as declare i integer = 1; begin while (i <= 3000) do begin "
             "insert into T_ITEM (ID, NAME, CODE, QTY) values (:i, 'n' || :i, 'C' || mod(:i, 10), :i * 1.5); "
             "i = i + 1; end end");
        exec("insert into T_LINE values (1, 1, 'a')");
        exec("insert into T_LINE values (2, 1, 'b')");
        exec("insert into T_LINE values (3, 2, 'c')");
    }

    std::unique_ptr<TIBQuery> query(const QString &sql)
    {
        auto q = std::make_unique<TIBQuery>();
        q->SetDatabase(db.get());
        q->SQL().SetText(sql);
        return q;
    }

    static int rows(TDataSet *ds)
    {
        ds->FetchAll();
        return ds->RecordCount();
    }

    std::unique_ptr<TIBTable> table(const QString &name)
    {
        auto t = std::make_unique<TIBTable>();
        t->SetDatabase(db.get());
        t->SetTableName(name);
        return t;
    }
};

TEST_F(DataSets, OpeningFetchesLazilyAndLastFetchesEverything)
{
    auto q = query("select * from T_ITEM order by ID");
    q->Open();
    EXPECT_LT(q->FetchedCount(), 3000);
    EXPECT_EQ(q->FieldByName("ID")->AsInteger(), 1);
    q->Last();
    EXPECT_EQ(q->FetchedCount(), 3000);
    EXPECT_EQ(q->FieldByName("ID")->AsInteger(), 3000);
    EXPECT_TRUE(q->Eof());
    EXPECT_EQ(q->RecNo(), 3000);
    q->First();
    EXPECT_TRUE(q->Bof());
    q->Prior();
    EXPECT_TRUE(q->Bof());
    EXPECT_EQ(q->RecNo(), 1);
}

TEST_F(DataSets, RecordCountIsEveryRowOfTheListAndFetchedCountWhatIsHeld)
{
    auto q = query("select ID, NAME from T_ITEM order by ID");
    q->Open();
    int changes = 0;
    TDataSource source;
    struct Counter : TDataLink {
        int *changes;
        void DataSetChanged() override { ++*changes; }
    } link;
    link.changes = &changes;
    link.SetDataSource(&source);
    source.SetDataSet(q.get());
    ASSERT_EQ(q->FetchedCount(), 1) << "opening reads the first row only";

    EXPECT_EQ(q->RecordCountUpTo(2), 2) << "enough to tell one row from several";
    EXPECT_EQ(q->FetchedCount(), 2);
    EXPECT_EQ(q->RecordCountUpTo(2), 2);
    EXPECT_EQ(q->FetchedCount(), 2) << "nothing more is read for the same question";

    // A loop bounded by RecordCount reaches the last row of the list, the cursor staying.
    double total = 0;
    for (int row = 0; row < q->RecordCount(); ++row)
        total += q->ValueAt(row, q->FieldByName("ID")).toDouble();
    EXPECT_DOUBLE_EQ(total, 3000.0 * 3001 / 2);
    EXPECT_EQ(q->FetchedCount(), 3000);
    EXPECT_EQ(q->RecNo(), 1);
    EXPECT_GE(changes, 1) << "views hear of the rows read for the count";
    changes = 0;
    EXPECT_EQ(q->RecordCount(), 3000);
    EXPECT_EQ(changes, 0) << "once every row is held, the count reads nothing and tells nobody";

    auto few = query("select ID from T_ITEM where ID = 7");
    few->Open();
    EXPECT_EQ(few->RecordCountUpTo(2), 1);
    few->Close();
    EXPECT_EQ(few->RecordCount(), 0) << "a closed data set has no rows";
    EXPECT_EQ(few->RecordCountUpTo(2), 0);
}

TEST_F(DataSets, AnAppendedRowFollowsTheLastRowOfTheList)
{
    auto t = table("T_ITEM");
    t->SetIndexFieldNames("ID");
    t->Open();
    ASSERT_LT(t->FetchedCount(), 3000);
    int numberAtNew = 0;
    t->OnNewRecord = [&](TDataSet *ds) { numberAtNew = ds->RecordCount(); };
    t->Append();
    EXPECT_EQ(numberAtNew, 3001) << "the new row is counted with every stored one";
    EXPECT_EQ(t->RecNo(), 3001);
    t->FieldByName("ID")->SetValue(5000);
    t->Post();
    t->Prior();
    EXPECT_EQ(t->FieldByName("ID")->AsInteger(), 3000) << "the row before it is the list's last";

    t->First();
    t->Insert();
    EXPECT_EQ(numberAtNew, 3002) << "an inserted row counts the list too";
    t->Cancel();
    EXPECT_EQ(t->RecordCount(), 3001);
}

TEST_F(DataSets, NextPastTheLastRowSetsEofAndStays)
{
    auto q = query("select ID from T_ITEM where ID <= 2 order by ID");
    q->Open();
    q->Next();
    EXPECT_FALSE(q->Eof());
    q->Next();
    EXPECT_TRUE(q->Eof());
    EXPECT_EQ(q->FieldByName("ID")->AsInteger(), 2);
    int count = 0;
    for (q->First(); !q->Eof(); q->Next())
        ++count;
    EXPECT_EQ(count, 2);
}

TEST_F(DataSets, FieldTypesAndValues)
{
    exec("update T_ITEM set NAME = 'Žltý kôň úpäl ďábel', D = '2026-03-01', BIG = 5000000000, "
         "NOTE = 'Poznámka' where ID = 7");
    auto q = query("select ID, NAME, CODE, QTY, D, BIG, NOTE from T_ITEM where ID = :ID");
    q->ParamByName("ID").SetAsInteger(7);
    q->Open();
    EXPECT_EQ(q->FieldByName("ID")->DataType(), ftInteger);
    EXPECT_EQ(q->FieldByName("NAME")->DataType(), ftString);
    EXPECT_EQ(q->FieldByName("NAME")->Size(), 20);
    EXPECT_EQ(q->FieldByName("CODE")->DataType(), ftFixedChar);
    EXPECT_EQ(q->FieldByName("NOTE")->DataType(), ftMemo);
    EXPECT_EQ(q->FieldByName("NAME")->AsString(), QString::fromUtf8("Žltý kôň úpäl ďábel"));
    EXPECT_EQ(q->FieldByName("CODE")->AsString(), QStringLiteral("C7  ")) << "CHAR keeps its blanks";
    EXPECT_DOUBLE_EQ(q->FieldByName("QTY")->AsFloat(), 10.5);
    EXPECT_EQ(q->FieldByName("D")->AsDateTime().date(), QDate(2026, 3, 1));
    EXPECT_EQ(q->FieldByName("D")->AsDate(), QDate(2026, 3, 1));
    EXPECT_EQ(q->FieldByName("BIG")->AsLargeInt(), 5000000000LL);
    EXPECT_EQ(q->FieldByName("NOTE")->AsString(), QString::fromUtf8("Poznámka"));
    q->Close();
    q->ParamByName("ID").SetAsInteger(1);
    q->Open();
    EXPECT_TRUE(q->FieldByName("D")->IsNull());
    EXPECT_EQ(q->FieldByName("BIG")->AsInteger(), 0) << "a null number reads 0";
}

// A date is read as a date from a date, a timestamp (its day, whatever the hour, on the night the clocks move
// on as well), a date typed as text; a time alone reads as the day a time stands on.
TEST_F(DataSets, DatesReadFromEveryKindOfValue)
{
    auto q = query("select cast('2026-12-31' as date) DT, cast('2026-03-29 02:30:00' as timestamp) TS, "
                   "cast('2026-03-01 23:59:59' as timestamp) LATE, cast('08:00' as time) TM, "
                   "cast('15.1.2027' as varchar(10)) TX, cast(null as date) NU from rdb$database");
    q->Open();
    EXPECT_EQ(q->FieldByName("DT")->AsDate(), QDate(2026, 12, 31));
    EXPECT_EQ(q->FieldByName("TS")->AsDate(), QDate(2026, 3, 29));
    EXPECT_EQ(q->FieldByName("LATE")->AsDate(), QDate(2026, 3, 1));
    EXPECT_EQ(q->FieldByName("TM")->AsDate(), QDate(1899, 12, 30));
    EXPECT_EQ(q->FieldByName("TX")->AsDate(), QDate(2027, 1, 15));
    EXPECT_FALSE(q->FieldByName("NU")->AsDate().isValid());
}

// The value a new record takes follows the default expression and the field's size as they are at that moment.
TEST_F(DataSets, ANewRecordTakesTheDefaultAsItIsThen)
{
    auto t = table("T_ITEM");
    t->Open();
    TField *name = t->FieldByName("NAME");
    TField *qty = t->FieldByName("QTY");
    const auto appended = [&t](TField *f) {
        t->Append();
        const QVariant v = f->Value();
        t->Cancel();
        return v;
    };
    qty->DefaultExpression = "3";
    EXPECT_DOUBLE_EQ(appended(qty).toDouble(), 3);
    qty->DefaultExpression = " 4,5 ";
    EXPECT_DOUBLE_EQ(appended(qty).toDouble(), 4.5);
    qty->DefaultExpression = "veľa";
    EXPECT_TRUE(appended(qty).isNull()) << "a default the field cannot take leaves it empty";
    qty->DefaultExpression.clear();
    EXPECT_TRUE(appended(qty).isNull());
    name->DefaultExpression = "'Nový odliatok'";
    EXPECT_EQ(appended(name).toString(), QString::fromUtf8("Nový odliatok"));
    name->SetSize(4);
    EXPECT_EQ(appended(name).toString(), QString::fromUtf8("Nový")) << "cut to the size the field has now";
}

// The transaction's parameters hold from its next start as they are then, changed how often they may be.
TEST_F(DataSets, TheTransactionsParametersHoldAsTheyAreAtItsStart)
{
    auto q = query("update T_LINE set TXT = 'x' where ID = 1");
    q->ExecSQL();
    EXPECT_FALSE(tr->Active()) << "a write by itself is committed at once";
    tr->Params.Add("read");
    EXPECT_THROW(q->ExecSQL(), EDatabaseError) << "a read-only transaction writes nothing";
    if (tr->Active())
        tr->Rollback();
    tr->Params.Clear();
    q->ExecSQL();
    tr->Params.SetText("read\nnowait");
    EXPECT_THROW(q->ExecSQL(), EDatabaseError);
    if (tr->Active())
        tr->Rollback();
    tr->Params.SetStrings(0, "nowait");
    q->ExecSQL();
    EXPECT_FALSE(tr->Active());
}

TEST_F(DataSets, StringFieldsRefuseATextLongerThanTheirSize)
{
    auto t = table("T_ITEM");
    t->Open();
    t->Edit();
    const QString before = t->FieldByName("NAME")->AsString();
    EXPECT_THROW(t->FieldByName("NAME")->SetAsString(QString(30, QLatin1Char('x'))), EDatabaseError);
    EXPECT_EQ(t->FieldByName("NAME")->AsString(), before) << "nothing cut and kept";
    t->FieldByName("NAME")->SetAsString(QString(20, QLatin1Char('x')));
    EXPECT_EQ(t->FieldByName("NAME")->AsString().size(), 20);
    t->Cancel();
}

TEST_F(DataSets, EventsRunInOrderAroundEditAndPost)
{
    auto t = table("T_ITEM");
    t->SetIndexFieldNames("ID");
    QStringList log;
    t->BeforeEdit = [&](TDataSet *) { log << "BeforeEdit"; };
    t->AfterEdit = [&](TDataSet *) { log << "AfterEdit"; };
    t->BeforePost = [&](TDataSet *) { log << "BeforePost"; };
    t->AfterPost = [&](TDataSet *) { log << "AfterPost"; };
    t->Open();
    t->Edit();
    EXPECT_EQ(t->State(), dsEdit);
    t->FieldByName("NAME")->SetAsString("zmenené");
    t->Post();
    EXPECT_EQ(t->State(), dsBrowse);
    EXPECT_EQ(log, QStringList({"BeforeEdit", "AfterEdit", "BeforePost", "AfterPost"}));
    EXPECT_EQ(value("select NAME from T_ITEM where ID = 1").toString(), QString::fromUtf8("zmenené"));
}

TEST_F(DataSets, ARefusedPostKeepsTheEditAndWritesNothing)
{
    auto t = table("T_ITEM");
    t->SetIndexFieldNames("ID");
    t->BeforePost = [](TDataSet *ds) {
        if (ds->FieldByName("QTY")->AsFloat() < 0)
            DatabaseError("Množstvo nesmie byť záporné");
    };
    t->Open();
    t->Edit();
    t->FieldByName("QTY")->SetAsFloat(-1);
    EXPECT_THROW(t->Post(), EDatabaseError);
    EXPECT_EQ(t->State(), dsEdit);
    EXPECT_DOUBLE_EQ(t->FieldByName("QTY")->AsFloat(), -1);
    EXPECT_DOUBLE_EQ(value("select QTY from T_ITEM where ID = 1").toDouble(), 1.5);
    t->Cancel();
    EXPECT_DOUBLE_EQ(t->FieldByName("QTY")->AsFloat(), 1.5);
}

TEST_F(DataSets, OnValidateRefusalRestoresTheOldValue)
{
    auto t = table("T_ITEM");
    t->SetIndexFieldNames("ID");
    t->Open();
    t->FieldByName("QTY")->OnValidate = [](TField *f) {
        if (f->AsFloat() > 100)
            DatabaseError("Priveľa");
    };
    t->Edit();
    EXPECT_THROW(t->FieldByName("QTY")->SetAsFloat(200), EDatabaseError);
    EXPECT_DOUBLE_EQ(t->FieldByName("QTY")->AsFloat(), 1.5);
    t->Cancel();
}

TEST_F(DataSets, InsertAppendDeleteThroughATable)
{
    auto t = table("T_LINE");
    t->SetIndexFieldNames("ID");
    t->OnNewRecord = [](TDataSet *ds) { ds->FieldByName("TXT")->SetAsString("nový"); };
    t->Open();
    t->Append();
    EXPECT_EQ(t->State(), dsInsert);
    EXPECT_EQ(t->FieldByName("TXT")->AsString(), QString::fromUtf8("nový"));
    t->FieldByName("ID")->SetAsInteger(10);
    t->Post();
    EXPECT_EQ(value("select TXT from T_LINE where ID = 10").toString(), QString::fromUtf8("nový"));
    EXPECT_EQ(t->RecordCount(), 4);
    ASSERT_TRUE(t->Locate("ID", 2));
    t->Delete();
    EXPECT_EQ(value("select count(*) from T_LINE").toInt(), 3);
    EXPECT_FALSE(t->Locate("ID", 2));
}

// Moving off a row posts it only when something was typed into it: a new row with nothing but its
// defaults is dropped rather than stored as a blank row.
TEST_F(DataSets, MovingOffAnUntouchedNewRowDropsItAndATypedOnePostsIt)
{
    auto t = table("T_LINE");
    t->SetIndexFieldNames("ID");
    t->OnNewRecord = [](TDataSet *ds) { ds->FieldByName("ID")->SetAsInteger(0); };
    t->Open();
    t->Insert();
    EXPECT_FALSE(t->Modified()) << "the new row's defaults are no change";
    t->First();
    EXPECT_EQ(t->State(), dsBrowse);
    EXPECT_EQ(value("select count(*) from T_LINE where ID = 0").toInt(), 0);
    EXPECT_EQ(rows(t.get()), 3);

    t->Append();
    t->FieldByName("ID")->SetAsInteger(20);
    EXPECT_TRUE(t->Modified());
    t->First();
    EXPECT_EQ(value("select count(*) from T_LINE where ID = 20").toInt(), 1);

    // An edit without a change writes nothing, an edit with one writes it.
    t->Edit();
    t->Next();
    EXPECT_EQ(t->State(), dsBrowse);
    t->Edit();
    t->FieldByName("TXT")->SetAsString("z");
    t->Next();
    EXPECT_EQ(value("select count(*) from T_LINE where TXT = 'z'").toInt(), 1);
}

TEST_F(DataSets, EditOnAnEmptyDataSetBecomesAnInsert)
{
    auto t = table("T_LINE");
    t->SetFilterText("ID > 100");
    t->SetFiltered(true);
    t->Open();
    ASSERT_TRUE(t->IsEmpty());
    t->Edit();
    EXPECT_EQ(t->State(), dsInsert);
    t->Cancel();
    EXPECT_TRUE(t->IsEmpty());
}

TEST_F(DataSets, ModifyWritesOnlyTheChangedColumns)
{
    auto t = table("T_ITEM");
    t->SetIndexFieldNames("ID");
    t->Open();
    // Another user changes QTY after we read the row; our change of NAME must not overwrite it.
    exec("update T_ITEM set QTY = 99 where ID = 1");
    t->Edit();
    t->FieldByName("NAME")->SetAsString("iné");
    t->Post();
    EXPECT_DOUBLE_EQ(value("select QTY from T_ITEM where ID = 1").toDouble(), 99);
    EXPECT_EQ(value("select NAME from T_ITEM where ID = 1").toString(), QString::fromUtf8("iné"));
}

TEST_F(DataSets, AnUpdateOfAVanishedRowIsAnError)
{
    auto t = table("T_LINE");
    t->SetIndexFieldNames("ID");
    t->Open();
    exec("delete from T_LINE where ID = 1");
    t->Edit();
    t->FieldByName("TXT")->SetAsString("x");
    EXPECT_THROW(t->Post(), EDatabaseError);
    t->Cancel();
}

TEST_F(DataSets, AUniqueKeyViolationCarriesItsCodes)
{
    auto t = table("T_ITEM");
    t->Open();
    t->Append();
    t->FieldByName("ID")->SetAsInteger(1);
    EXPECT_DB_ERROR(t->Post(), .SQLCode = -803, .IBErrorCode = 335544665, .Constraint = "PK_T_ITEM");
    EXPECT_EQ(t->State(), dsInsert);
    t->Cancel();
}

TEST_F(DataSets, PostErrorHandlerCanRetryOrAbort)
{
    auto t = table("T_LINE");
    t->Open();
    int calls = 0;
    t->OnPostError = [&](TDataSet *ds, EDatabaseError &, TDataAction &action) {
        ++calls;
        ds->FieldByName("ID")->SetAsInteger(50);
        action = daRetry;
    };
    t->Append();
    t->FieldByName("ID")->SetAsInteger(1);
    t->Post();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(value("select count(*) from T_LINE where ID = 50").toInt(), 1);
    t->OnPostError = [](TDataSet *, EDatabaseError &, TDataAction &action) { action = daAbort; };
    t->Append();
    t->FieldByName("ID")->SetAsInteger(1);
    EXPECT_THROW(t->Post(), EAbort);
    t->Cancel();
}

TEST_F(DataSets, UpdateStatementsWithOldParameters)
{
    TIBDataSet ds;
    ds.SetDatabase(db.get());
    ds.SelectSQL.SetText("select ID, TXT from T_LINE order by ID");
    ds.ModifySQL.SetText("update T_LINE set ID = :ID, TXT = :TXT where ID = :OLD_ID");
    ds.InsertSQL.SetText("insert into T_LINE (ID, TXT) values (:ID, :TXT)");
    ds.DeleteSQL.SetText("delete from T_LINE where ID = :OLD_ID");
    ds.Open();
    ds.Edit();
    ds.FieldByName("ID")->SetAsInteger(11);
    ds.Post();
    EXPECT_EQ(value("select TXT from T_LINE where ID = 11").toString(), "a");
    EXPECT_EQ(value("select count(*) from T_LINE where ID = 1").toInt(), 0);
    ds.Delete();
    EXPECT_EQ(value("select count(*) from T_LINE where ID = 11").toInt(), 0);
}

TEST_F(DataSets, SetItemsForColumnsTheSelectLacksAreLeftOut)
{
    TIBDataSet ds;
    ds.SetDatabase(db.get());
    ds.SelectSQL.SetText("select ID, NAME from T_ITEM where ID = 5");
    ds.ModifySQL.SetText(
        "update T_ITEM set\n  NAME = :NAME,\n  QTY = :QTY,\n  CODE = coalesce(:CODE, 'x')\nwhere ID = :OLD_ID");
    ds.Open();
    ds.Edit();
    ds.FieldByName("NAME")->SetAsString("nové");
    ds.Post();
    EXPECT_EQ(value("select NAME from T_ITEM where ID = 5").toString(), QString::fromUtf8("nové"));
    EXPECT_DOUBLE_EQ(value("select QTY from T_ITEM where ID = 5").toDouble(), 7.5) << "QTY is not in the select";
    EXPECT_EQ(value("select CODE from T_ITEM where ID = 5").toString(), "x   ") << "an expression item stays";
}

TEST_F(DataSets, CachedUpdatesApplyTogetherOrNotAtAll)
{
    auto t = table("T_LINE");
    t->SetIndexFieldNames("ID");
    t->SetCachedUpdates(true);
    t->Open();
    t->Edit();
    t->FieldByName("TXT")->SetAsString("zmena");
    t->Post();
    t->Append();
    t->FieldByName("ID")->SetAsInteger(3); // collides with an existing key
    t->Post();
    EXPECT_TRUE(t->UpdatesPending());
    EXPECT_EQ(value("select TXT from T_LINE where ID = 1").toString(), "a") << "nothing written before apply";

    EXPECT_THROW(db->ApplyUpdates({t.get()}), EIBError);
    EXPECT_EQ(value("select TXT from T_LINE where ID = 1").toString(), "a") << "a failed apply changes nothing";
    EXPECT_TRUE(t->UpdatesPending()) << "the user's edits stay for a retry";

    ASSERT_TRUE(t->Locate("ID", 3));
    // The new row is the one still inserted; fix its key and apply again.
    for (t->First(); !t->Eof(); t->Next())
        if (t->UpdateStatus() == usInserted)
            break;
    t->Edit();
    t->FieldByName("ID")->SetAsInteger(4);
    t->Post();
    db->ApplyUpdates({t.get()});
    EXPECT_FALSE(t->UpdatesPending());
    EXPECT_EQ(value("select TXT from T_LINE where ID = 1").toString(), "zmena");
    EXPECT_EQ(value("select count(*) from T_LINE where ID = 4").toInt(), 1);
}

TEST_F(DataSets, ASingleDataSetAppliesAllOrNothingAndOnlyOnce)
{
    auto t = table("T_LINE");
    t->SetIndexFieldNames("ID");
    t->SetCachedUpdates(true);
    t->Open();
    t->Append();
    t->FieldByName("ID")->SetAsInteger(20);
    t->Post();
    t->Append();
    t->FieldByName("ID")->SetAsInteger(2); // an existing key: the second insert fails
    t->Post();
    EXPECT_THROW(t->ApplyUpdates(), EIBError);
    EXPECT_EQ(value("select count(*) from T_LINE where ID = 20").toInt(), 0) << "the first insert is undone too";
    EXPECT_TRUE(t->UpdatesPending());
    t->Last();
    t->Edit();
    t->FieldByName("ID")->SetAsInteger(21);
    t->Post();
    t->ApplyUpdates();
    EXPECT_FALSE(t->UpdatesPending());
    t->ApplyUpdates();
    EXPECT_EQ(value("select count(*) from T_LINE where ID in (20, 21)").toInt(), 2) << "nothing applied twice";
    // A row begun and not posted is not yet a change waiting to be stored; an edit of a stored row neither.
    t->Append();
    EXPECT_FALSE(t->PostedUpdatesPending());
    t->Cancel();
    t->Edit();
    EXPECT_FALSE(t->PostedUpdatesPending());
    t->FieldByName("ID")->SetAsInteger(22);
    t->Post();
    EXPECT_TRUE(t->PostedUpdatesPending());
    t->Append();
    EXPECT_TRUE(t->PostedUpdatesPending()) << "the posted edit still waits while the next row is begun";
}

TEST_F(DataSets, CancelUpdatesRestoresRows)
{
    auto t = table("T_LINE");
    t->SetIndexFieldNames("ID");
    t->SetCachedUpdates(true);
    t->Open();
    t->Edit();
    t->FieldByName("TXT")->SetAsString("zmena");
    t->Post();
    t->Next();
    t->Delete();
    t->Append();
    t->FieldByName("ID")->SetAsInteger(9);
    t->Post();
    EXPECT_EQ(t->RecordCount(), 3);
    t->CancelUpdates();
    EXPECT_FALSE(t->UpdatesPending());
    QStringList rows;
    for (t->First(); !t->Eof(); t->Next())
        rows << t->FieldByName("ID")->AsString() + t->FieldByName("TXT")->AsString();
    EXPECT_EQ(rows, QStringList({"1a", "2b", "3c"}));
}

TEST_F(DataSets, DetailQueryFollowsItsMaster)
{
    auto master = query("select ID from T_ITEM where ID <= 3 order by ID");
    TDataSource ds(master.get());
    auto detail = query("select TXT from T_LINE where ITEM_ID = :ID order by TXT");
    detail->SetDataSource(&ds);
    master->Open();
    detail->Open();
    EXPECT_EQ(rows(detail.get()), 2);
    master->Next();
    EXPECT_TRUE(detail->Active());
    EXPECT_EQ(rows(detail.get()), 1);
    EXPECT_EQ(detail->FieldByName("TXT")->AsString(), "c");
    master->Next();
    EXPECT_TRUE(detail->IsEmpty());
    master->Close();
    EXPECT_FALSE(detail->Active());
}

TEST_F(DataSets, DetailTableByMasterFieldsAndDescendingOrder)
{
    auto master = query("select ID from T_ITEM where ID <= 2 order by ID");
    TDataSource ds(master.get());
    auto detail = table("T_LINE");
    detail->SetMasterSource(&ds);
    detail->SetMasterFields("ID");
    detail->SetIndexFieldNames("ITEM_ID");
    master->Open();
    detail->Open();
    EXPECT_EQ(rows(detail.get()), 2);
    master->Next();
    EXPECT_EQ(rows(detail.get()), 1);
}

// A master read again closes and opens: a detail open before it shows the rows of the master's new current
// row afterwards, whether the master was filtered, sorted or read again, and whether the detail is a table
// linked by fields or a query taking the master's fields as parameters. One closed on its own stays closed.
TEST_F(DataSets, ADetailOpenBeforeItsMasterIsReadAgainIsOpenAfterIt)
{
    struct Case {
        const char *kind;
        std::function<void(TIBTable &)> readAgain;
        int masterId; // the master's current row afterwards
        int detailRows;
    };
    const Case cases[] = {
        {"filter", [](TIBTable &m) { m.SetFilterText("ID = 2"); }, 2, 1},
        {"sort", [](TIBTable &m) { m.SetIndexFieldNames("CODE"); }, 10, 0}, // C0 first
        {"refresh",
         [](TIBTable &m) {
             m.Close();
             m.Open();
         },
         1, 2},
    };
    for (const Case &c : cases)
        for (const bool asTable : {true, false}) {
            SCOPED_TRACE(std::string(c.kind) + (asTable ? ", table detail" : ", query detail"));
            auto master = table("T_ITEM");
            master->SetIndexFieldNames("ID");
            master->SetFilterText("ID in (1, 2, 10)");
            master->SetFiltered(true);
            TDataSource ds(master.get());
            std::unique_ptr<TIBCustomDataSet> detail;
            if (asTable) {
                auto t = table("T_LINE");
                t->SetMasterSource(&ds);
                t->SetMasterFields("ID");
                t->SetIndexFieldNames("ITEM_ID");
                detail = std::move(t);
            } else {
                auto q = query("select TXT from T_LINE where ITEM_ID = :ID order by TXT");
                q->SetDataSource(&ds);
                detail = std::move(q);
            }
            master->Open();
            detail->Open();
            ASSERT_EQ(rows(detail.get()), 2);
            c.readAgain(*master);
            ASSERT_EQ(master->FieldByName("ID")->AsInteger(), c.masterId);
            EXPECT_TRUE(detail->Active());
            EXPECT_EQ(rows(detail.get()), c.detailRows);
            master->First();
            detail->Close();
            c.readAgain(*master);
            EXPECT_FALSE(detail->Active()) << "a detail closed on its own is left closed";
        }
}

TEST_F(DataSets, ADetailKeepsItsUnsavedRowsWhileItsMasterRowIsEnteredUnderAKeyTypedOver)
{
    auto master = table("T_ITEM");
    master->SetIndexFieldNames("ID");
    TDataSource ds(master.get());
    auto detail = table("T_LINE");
    detail->SetMasterSource(&ds);
    detail->SetMasterFields("ID");
    detail->SetIndexFieldNames("ITEM_ID");
    detail->SetCachedUpdates(true);
    master->Open();
    detail->Open();
    master->Append();
    EXPECT_TRUE(detail->IsEmpty()) << "a new master row starts with no rows";
    detail->Append();
    detail->FieldByName("ID")->SetAsInteger(10);
    detail->FieldByName("TXT")->SetAsString(QString::fromUtf8("nový"));
    detail->Post();
    // The key typed over as one that has stored rows, the master's controls then told of the change (as a
    // refused save does): the rows entered stay, the stored rows of the other master are not read in.
    master->DisableControls();
    master->FieldByName("ID")->SetAsInteger(1);
    master->EnableControls();
    EXPECT_TRUE(detail->UpdatesPending());
    ASSERT_EQ(rows(detail.get()), 1);
    EXPECT_EQ(detail->FieldByName("TXT")->AsString(), QString::fromUtf8("nový"));
    detail->CancelUpdates();
    master->Cancel();
}

TEST_F(DataSets, RefreshReadsTheRowsAgainAndStaysOnTheRow)
{
    auto q = query("select ID, NAME from T_ITEM where ID <= 5 order by ID");
    q->Open();
    q->MoveBy(2);
    exec("update T_ITEM set NAME = 'iný' where ID = 3");
    exec("delete from T_ITEM where ID = 1");
    q->Refresh();
    EXPECT_TRUE(q->Active());
    EXPECT_EQ(q->RecNo(), 3);
    EXPECT_EQ(q->FieldByName("ID")->AsInteger(), 4) << "the same row number after a row before it went";
    ASSERT_TRUE(q->Locate("ID", 3));
    EXPECT_EQ(q->FieldByName("NAME")->AsString(), QString::fromUtf8("iný"));
}

TEST_F(DataSets, RefreshWithARefreshStatementReadsTheCurrentRecord)
{
    TIBDataSet ds;
    ds.SetDatabase(db.get());
    ds.SelectSQL.SetText("select ID, NAME from T_ITEM where ID <= 5 order by ID");
    ds.RefreshSQL.SetText("select ID, NAME from T_ITEM where ID = :ID");
    ds.Open();
    ds.FetchAll();
    exec("update T_ITEM set NAME = 'prvý' where ID = 1");
    exec("update T_ITEM set NAME = 'druhý' where ID = 2");
    ds.Refresh();
    EXPECT_EQ(ds.FieldByName("NAME")->AsString(), QString::fromUtf8("prvý"));
    ds.Next();
    EXPECT_EQ(ds.FieldByName("NAME")->AsString(), "n2") << "only the current record is read again";
}

TEST_F(DataSets, ColumnsOfTheSameNameEachReadTheirOwnData)
{
    // Two unnamed expressions share the server's default name, the join carries ID twice, and a column
    // named ID_1 stands where the second ID's suffix would go.
    const QString sql = "select i.NAME || '!', l.TXT || '?', i.ID, l.ID, 'x' as ID_1 from T_ITEM i "
                        "join T_LINE l on l.ITEM_ID = i.ID where l.ID = 2";
    auto q = query(sql);
    q->Open();
    EXPECT_EQ(q->ColumnNames(), (QStringList{"CONCATENATION", "CONCATENATION", "ID", "ID", "ID_1"}));
    QStringList names;
    q->GetFieldNames(names);
    EXPECT_EQ(names, (QStringList{"CONCATENATION", "CONCATENATION_1", "ID", "ID_2", "ID_1"}));
    EXPECT_EQ(q->Fields(0)->AsString(), "n1!");
    EXPECT_EQ(q->Fields(1)->AsString(), "b?");
    EXPECT_EQ(q->Fields(2)->AsInteger(), 1);
    EXPECT_EQ(q->Fields(3)->AsInteger(), 2);
    EXPECT_EQ(q->Fields(4)->AsString(), "x");
    EXPECT_EQ(q->FieldByName("CONCATENATION_1")->AsString(), "b?");
    EXPECT_EQ(q->FieldByName("ID_2")->AsInteger(), 2);
    q->Close();

    // Fields declared in another order than the columns' each read their own column.
    TIBQuery reversed;
    reversed.SetDatabase(db.get());
    reversed.SQL().SetText(sql);
    auto *lastId = new TField(&reversed, "ID_2", ftInteger);
    auto *lastText = new TField(&reversed, "concatenation_1", ftString, 20);
    auto *firstText = new TField(&reversed, "CONCATENATION", ftString, 20);
    reversed.Open();
    EXPECT_EQ(lastId->AsInteger(), 2);
    EXPECT_EQ(lastText->AsString(), "b?");
    EXPECT_EQ(firstText->AsString(), "n1!");
    reversed.Close();

    // Declared fields take the names the columns get; the columns without one travel hidden.
    TIBQuery declared;
    declared.SetDatabase(db.get());
    declared.SQL().SetText(sql);
    auto *second = new TField(&declared, "CONCATENATION_1", ftString, 20);
    auto *lineId = new TField(&declared, "ID_2", ftInteger);
    declared.Open();
    EXPECT_EQ(second->AsString(), "b?");
    EXPECT_EQ(lineId->AsInteger(), 2);
    EXPECT_EQ(declared.FieldByName("CONCATENATION")->AsString(), "n1!");
    EXPECT_FALSE(declared.FieldByName("CONCATENATION")->Visible);

    // Reading the record again fills each column from its own column of the refresh statement.
    TIBDataSet ds;
    ds.SetDatabase(db.get());
    ds.SelectSQL.SetText(sql);
    ds.RefreshSQL.SetText(sql + " and i.ID = :ID and l.ID = :ID_2");
    ds.Open();
    exec("update T_LINE set TXT = 'B' where ID = 2");
    exec("update T_ITEM set NAME = 'N1' where ID = 1");
    ds.Refresh();
    EXPECT_EQ(ds.FieldByName("CONCATENATION")->AsString(), "N1!");
    EXPECT_EQ(ds.FieldByName("CONCATENATION_1")->AsString(), "B?");
    EXPECT_EQ(ds.FieldByName("ID_2")->AsInteger(), 2);
}

// Fields are found by name, in any case, as the list of fields is now: the default fields of an open, none
// after the close, new ones at the next open, and declared fields as they are added and taken away (a
// column without one then travels in a hidden field of its name).
TEST_F(DataSets, FieldsAreFoundByNameAsTheListOfFieldsIsNow)
{
    const QString sql = "select ID, NAME, CODE, QTY, D, BIG from T_ITEM where ID = :id";
    auto q = query(sql);
    q->ParamByName("ID").SetAsInteger(1);
    q->Open();
    TField *name = q->FindField("name");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name, q->FieldByName("NAME"));
    EXPECT_EQ(name->AsString(), "n1");
    EXPECT_EQ(q->FindField("NAMES"), nullptr);
    q->Close();
    EXPECT_EQ(q->FindField("NAME"), nullptr) << "default fields live only while open";
    q->ParamByName("ID").SetAsInteger(2);
    q->Open();
    ASSERT_NE(q->FindField("Name"), nullptr);
    EXPECT_EQ(q->FindField("Name")->AsString(), "n2");
    q->Close();
    // Opened again and again, with another statement between: the fields taken back are found by name as
    // the ones made, and a closed data set still has none.
    for (int time = 0; time < 4; ++time) {
        q->SQL().SetText(time % 2 ? "select QTY, NAME from T_ITEM where ID = :id" : sql);
        q->ParamByName("ID").SetAsInteger(time + 1);
        q->Open();
        ASSERT_NE(q->FindField("name"), nullptr) << time;
        EXPECT_EQ(q->FindField("name")->AsString(), QStringLiteral("n%1").arg(time + 1));
        EXPECT_EQ(q->FindField("BIG") != nullptr, time % 2 == 0);
        EXPECT_EQ(q->FindField("NAMES"), nullptr);
        q->Close();
        EXPECT_EQ(q->FindField("NAME"), nullptr);
    }
    q->SQL().SetText(sql);

    TIBQuery declared;
    declared.SetDatabase(db.get());
    declared.SQL().SetText(sql);
    declared.ParamByName("ID").SetAsInteger(3);
    std::vector<TField *> fields;
    for (const char *column : {"ID", "NAME", "CODE", "QTY", "D", "BIG"}) {
        fields.push_back(new TField(&declared, column, ftString, 20));
        EXPECT_EQ(declared.FindField(QString::fromLatin1(column).toLower()), fields.back());
    }
    declared.RemoveField(fields[1]);
    std::unique_ptr<TField> taken(fields[1]);
    EXPECT_EQ(declared.FindField("NAME"), nullptr);
    EXPECT_EQ(declared.FindField("CODE"), fields[2]);
    declared.Open();
    ASSERT_NE(declared.FindField("NAME"), nullptr);
    EXPECT_NE(declared.FindField("NAME"), fields[1]);
    EXPECT_FALSE(declared.FindField("NAME")->Visible);
    EXPECT_EQ(declared.FindField("NAME")->AsString(), "n3");
}

TEST_F(DataSets, BookmarksReturnAndFailForDeletedRows)
{
    auto t = table("T_LINE");
    t->SetIndexFieldNames("ID");
    t->Open();
    t->Next();
    const TBookmark b = t->GetBookmark();
    t->Last();
    EXPECT_TRUE(t->GotoBookmark(b));
    EXPECT_EQ(t->FieldByName("ID")->AsInteger(), 2);
    t->Delete();
    EXPECT_FALSE(t->BookmarkValid(b));
    EXPECT_FALSE(t->GotoBookmark(b));
}

TEST_F(DataSets, LocateAndLookup)
{
    auto q = query("select ID, NAME, CODE from T_ITEM order by ID");
    q->Open();
    EXPECT_TRUE(q->Locate("NAME", "N25", loCaseInsensitive));
    EXPECT_EQ(q->FieldByName("ID")->AsInteger(), 25);
    EXPECT_TRUE(q->Locate("NAME", "n299", loPartialKey));
    EXPECT_EQ(q->FieldByName("ID")->AsInteger(), 299);
    EXPECT_TRUE(q->Locate("CODE;ID", QVariantList{"C3", 13}));
    EXPECT_EQ(q->FieldByName("ID")->AsInteger(), 13);
    EXPECT_FALSE(q->Locate("NAME", "neexistuje"));
    q->First();
    EXPECT_EQ(q->Lookup("ID", 40, "NAME").toString(), "n40");
    EXPECT_EQ(q->FieldByName("ID")->AsInteger(), 1) << "Lookup does not move";
}

TEST_F(DataSets, CalculatedAndLookupFields)
{
    auto items = query("select ID, NAME from T_ITEM where ID <= 5");
    items->Open();
    TIBQuery lines;
    lines.SetDatabase(db.get());
    lines.SQL().SetText("select ID, ITEM_ID, TXT from T_LINE order by ID");
    auto *calc = new TField(&lines, "DOUBLE_ID", ftInteger, 0, fkCalculated);
    auto *look = new TField(&lines, "ITEM_NAME", ftString, 20, fkLookup);
    new TField(&lines, "ID", ftInteger);
    new TField(&lines, "ITEM_ID", ftInteger);
    new TField(&lines, "TXT", ftString, 10);
    look->LookupDataSet = items.get();
    look->KeyFields = "ITEM_ID";
    look->LookupKeyFields = "ID";
    look->LookupResultField = "NAME";
    lines.OnCalcFields = [](TDataSet *ds) {
        ds->FieldByName("DOUBLE_ID")->SetAsInteger(ds->FieldByName("ID")->AsInteger() * 2);
    };
    lines.Open();
    EXPECT_FALSE(lines.DefaultFields());
    EXPECT_EQ(calc->AsInteger(), 2);
    EXPECT_EQ(look->AsString(), "n1");
    lines.Last();
    EXPECT_EQ(calc->AsInteger(), 6);
    EXPECT_EQ(look->AsString(), "n2");
    EXPECT_EQ(lines.ValueAt(0, calc).toInt(), 2) << "any row readable without moving";
    EXPECT_EQ(lines.RecNo(), 3);
}

class CountingLink : public TDataLink {
public:
    int changes = 0, scrolls = 0;

protected:
    void DataSetChanged() override { ++changes; }
    void DataSetScrolled(int) override { ++scrolls; }
};

TEST_F(DataSets, DisabledControlsHearNothingUntilEnabled)
{
    auto q = query("select ID from T_ITEM order by ID");
    TDataSource src(q.get());
    CountingLink link;
    link.SetDataSource(&src);
    q->Open();
    link.changes = link.scrolls = 0;
    q->DisableControls();
    q->DisableControls();
    for (int i = 0; i < 10; ++i)
        q->Next();
    q->EnableControls();
    EXPECT_EQ(link.changes + link.scrolls, 0) << "still disabled once";
    q->EnableControls();
    EXPECT_EQ(link.scrolls, 0);
    EXPECT_EQ(link.changes, 1) << "one refresh when enabled";
    q->Next();
    EXPECT_EQ(link.scrolls, 1);
}

TEST_F(DataSets, LastDataSetClosingCommitsTheTransaction)
{
    auto t = table("T_LINE");
    t->SetIndexFieldNames("ID");
    t->Open();
    t->Edit();
    t->FieldByName("TXT")->SetAsString("z");
    {
        TSavepoint save(tr.get());
        t->Post();
        // A cursor opened while the save is under way reads in the transaction itself.
        auto inSave = table("T_ITEM");
        inSave->Open();
        save.Commit();
        EXPECT_TRUE(tr->Active()) << "retained for the cursor still open in it";
    }
    t->Close();
    EXPECT_FALSE(tr->Active()) << "closing the last data set commits";
    // A second connection sees the change.
    OtherConnection other(tmp.path());
    EXPECT_EQ(other.value("select TXT from T_LINE where ID = 1").toString(), "z");
}

TEST_F(DataSets, SavepointRollsBackUnlessCommitted)
{
    auto t = table("T_LINE");
    t->SetIndexFieldNames("ID");
    t->Open();
    {
        TSavepoint save(tr.get());
        t->Edit();
        t->FieldByName("TXT")->SetAsString("x");
        t->Post();
    }
    EXPECT_EQ(value("select TXT from T_LINE where ID = 1").toString(), "a");
    // The record still shows the rolled-back "x"; a save over it would be refused as stale.
    t->Refresh();
    EXPECT_EQ(t->FieldByName("TXT")->AsString(), "a");
    {
        TSavepoint save(tr.get());
        t->Edit();
        t->FieldByName("TXT")->SetAsString("y");
        t->Post();
        save.Commit();
    }
    EXPECT_EQ(value("select TXT from T_LINE where ID = 1").toString(), "y");
}

TEST_F(DataSets, IdleTimerEndsTheTransactionButNotInsideASave)
{
    tr->SetIdleTimer(30);
    auto t = table("T_LINE");
    t->SetIndexFieldNames("ID");
    t->Open();
    auto committedText = [&] {
        OtherConnection other(tmp.path());
        return other.value("select TXT from T_LINE where ID = 1").toString();
    };
    {
        TSavepoint save(tr.get());
        t->Edit();
        t->FieldByName("TXT")->SetAsString("q");
        t->Post();
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 150)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        EXPECT_EQ(committedText(), "a") << "the timer waits while a save is open";
        EXPECT_TRUE(tr->Active());
        save.Commit();
    }
    EXPECT_EQ(committedText(), "q") << "the save itself commits";
    // A transaction left active with nothing written ends on the timer: waited for (a minute only when
    // it never does).
    tr->StartTransaction();
    EXPECT_TRUE(WaitFor("the idle transaction ends on its timer", [&] { return !tr->Active(); }));
    EXPECT_TRUE(t->Active()) << "the list stays open";
    t->Last();
    EXPECT_EQ(t->FieldByName("ID")->AsInteger(), 3);
}

} // namespace

TEST_F(DataSets, AGroupWithADataSetOfAnotherTransactionIsRefusedBeforeAnyWrite)
{
    TIBTransaction other(db.get());
    auto mine = table("T_LINE");
    mine->SetIndexFieldNames("ID");
    mine->SetCachedUpdates(true);
    mine->Open();
    mine->Append();
    mine->FieldByName("ID")->SetAsInteger(3); // collides: this part fails
    mine->Post();
    auto theirs = table("T_ITEM");
    theirs->SetTransaction(&other);
    theirs->SetCachedUpdates(true);
    theirs->Open();
    theirs->Edit();
    theirs->FieldByName("NAME")->SetAsString("zmena");
    theirs->Post();

    EXPECT_THROW(db->ApplyUpdates({theirs.get(), mine.get()}), EDatabaseError);
    EXPECT_TRUE(theirs->UpdatesPending());
    EXPECT_TRUE(mine->UpdatesPending());
    if (other.Active())
        other.Commit();
    EXPECT_NE(value("select NAME from T_ITEM where ID = 1").toString(), "zmena")
        << "the other transaction's data set wrote nothing the savepoint could not take back";
}

namespace {

TEST_F(DataSets, ForwardOnlyReadingGoesThroughEveryRowAndRefusesToGoBack)
{
    // Rows of about a kilobyte: the reading runs through several chunks of stored rows.
    auto q = query("select ID, rpad(NAME, 1000, '.') as LONGTXT from T_ITEM order by ID");
    q->SetForwardOnly(true);
    q->Open();
    int n = 0;
    for (; !q->Eof(); q->Next()) {
        ++n;
        ASSERT_EQ(q->FieldByName("ID")->AsInteger(), n);
        ASSERT_EQ(q->RecNo(), n);
        const QString text = q->FieldByName("LONGTXT")->AsString();
        ASSERT_EQ(text.size(), 1000);
        ASSERT_TRUE(text.startsWith(QStringLiteral("n%1.").arg(n)));
    }
    EXPECT_EQ(n, 3000);
    EXPECT_EQ(q->FieldByName("ID")->AsInteger(), 3000);
    EXPECT_EQ(q->RecordCount(), 3000);

    // Counting part way keeps the rows still to be read: the reading goes on through every one of them.
    q->First();
    q->MoveBy(9);
    EXPECT_EQ(q->RecordCount(), 3000);
    EXPECT_EQ(q->RecNo(), 10);
    n = 10;
    for (q->Next(); !q->Eof(); q->Next())
        ASSERT_EQ(q->FieldByName("ID")->AsInteger(), ++n);
    EXPECT_EQ(n, 3000);
    EXPECT_EQ(q->RecordCount(), 3000);
    EXPECT_THROW(q->Prior(), EDatabaseError);
    EXPECT_THROW(q->Locate("ID", 5), EDatabaseError);
    EXPECT_THROW(q->Edit(), EDatabaseError);
    EXPECT_THROW(q->SetForwardOnly(false), EDatabaseError);
    EXPECT_FALSE(q->CanModify());

    q->First(); // reads again from the start
    EXPECT_EQ(q->FieldByName("ID")->AsInteger(), 1);
    EXPECT_EQ(q->RecNo(), 1);
    EXPECT_EQ(q->MoveBy(10), 10);
    EXPECT_EQ(q->FieldByName("ID")->AsInteger(), 11);
    EXPECT_EQ(q->RecNo(), 11);
    EXPECT_EQ(q->MoveBy(2500), 2500); // over several chunks of rows at once
    EXPECT_EQ(q->FieldByName("ID")->AsInteger(), 2511);
    for (int id = 2512; id <= 2600; ++id) {
        q->Next();
        ASSERT_EQ(q->FieldByName("ID")->AsInteger(), id);
        ASSERT_TRUE(q->FieldByName("LONGTXT")->AsString().startsWith(QStringLiteral("n%1.").arg(id)));
    }
    q->Last();
    EXPECT_EQ(q->FieldByName("ID")->AsInteger(), 3000);
    EXPECT_EQ(q->RecNo(), 3000);

    q->Close();
    q->SetForwardOnly(false);
    q->Open();
    q->Last();
    q->Prior();
    EXPECT_EQ(q->FieldByName("ID")->AsInteger(), 2999);
    EXPECT_TRUE(q->CanModify());
}

} // namespace
