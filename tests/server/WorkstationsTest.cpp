// Two workstations on one served database: a stale save is refused instead of overwriting the other's
// saved change, a save against a held record waits a bounded time and can be tried again with nothing
// lost, and a connection the server drops is let go of and made again through the same objects.
#include "ServerFixture.h"

#include "platform/fbapi/Decode.h"
#include "platform/fbapi/IBError.h"

#include <QThread>

#include <thread>

namespace {

const QString kChangedMeanwhile = QString::fromUtf8("Záznam medzičasom zmenil alebo zmazal iný používateľ");

// The message of the error a call throws, empty when it throws none.
template <class F> QString errorOf(F call)
{
    try {
        call();
    } catch (const Exception &e) {
        return e.Message;
    }
    return QString();
}

} // namespace

class Workstations : public ServerTest {
protected:
    // A value as a third workstation reads it now.
    QVariant committed(const QString &sql) { return workstation()->value(sql); }

    // Two workstations on the row T_ROW 1: A saves a new TXT while B shows the old one, then B's save of the
    // same column is refused and what B typed stays in its record.
    struct TStaleSave {
        std::unique_ptr<Workstation> a, b;
        std::unique_ptr<TIBTable> ta, tb;
    };
    TStaleSave refusedStaleSave()
    {
        TStaleSave w{workstation(), workstation(), nullptr, nullptr};
        w.ta = w.a->table("T_ROW");
        w.tb = w.b->table("T_ROW");
        w.ta->Edit();
        w.ta->FieldByName("TXT")->SetAsString("from A");
        w.ta->Post();
        w.a->tr.CommitRetaining();
        w.tb->Edit();
        w.tb->FieldByName("TXT")->SetAsString("from B");
        EXPECT_EQ(errorOf([&] { w.tb->Post(); }), kChangedMeanwhile);
        return w;
    }
};

TEST_F(Workstations, AStaleSaveIsRefusedAndBothChangesStayWhereTheyBelong)
{
    // B still shows "first": its save of the same column would overwrite A's saved change.
    auto [a, b, ta, tb] = refusedStaleSave();
    EXPECT_EQ(tb->State(), dsEdit) << "what B typed stays in the record";
    EXPECT_EQ(tb->FieldByName("TXT")->AsString(), "from B");
    EXPECT_EQ(committed("select TXT from T_ROW where ID = 1").toString(), "from A");

    // A change of another column does not collide with A's.
    tb->Cancel();
    tb->Edit();
    tb->FieldByName("NUM")->SetAsInteger(20);
    tb->Post();
    b->tr.CommitRetaining();
    EXPECT_EQ(committed("select TXT from T_ROW where ID = 1").toString(), "from A");
    EXPECT_EQ(committed("select NUM from T_ROW where ID = 1").toInt(), 20);
}

TEST_F(Workstations, AfterARefusedStaleSaveIsGivenUpTheRowShowsWhatIsStoredAndCanBeSavedAgain)
{
    auto [a, b, ta, tb] = refusedStaleSave();
    // Given up, the row is read again: B's next edit starts from A's change, not from the old text.
    tb->Cancel();
    EXPECT_EQ(tb->FieldByName("TXT")->AsString(), "from A");
    tb->Edit();
    EXPECT_EQ(tb->FieldByName("TXT")->AsString(), "from A");
    tb->FieldByName("TXT")->SetAsString("from A, then B");
    tb->Post();
    b->tr.CommitRetaining();
    EXPECT_EQ(committed("select TXT from T_ROW where ID = 1").toString(), "from A, then B");

    // A plain cancel reads nothing again: A's later change shows only after a refusal or a refresh.
    ta->Edit();
    ta->FieldByName("NUM")->SetAsInteger(30);
    ta->Post();
    a->tr.CommitRetaining();
    tb->Edit();
    tb->Cancel();
    EXPECT_NE(tb->FieldByName("NUM")->AsInteger(), 30);
}

TEST_F(Workstations, OldValuesMatchNullsPaddedCharsAndTimestampsAndLeaveBlobsOut)
{
    auto a = workstation();
    auto b = workstation();
    auto tb = b->table("T_ROW");

    // Every column of row 1 changed and saved: the old values read from the server match as they are.
    tb->Edit();
    tb->FieldByName("CODE")->SetAsString("CD");
    tb->FieldByName("STAMP")->SetAsDateTime(QDateTime(QDate(2024, 3, 2), QTime(8, 0)));
    tb->FieldByName("NOTE")->SetAsString("another note");
    tb->Post();
    b->tr.CommitRetaining();
    EXPECT_EQ(committed("select trim(CODE) from T_ROW where ID = 1").toString(), "CD");
    EXPECT_EQ(committed("select NOTE from T_ROW where ID = 1").toString(), "another note");

    // Row 2 holds nulls: a null old value matches a null, and no longer matches once A filled it.
    auto ta = a->table("T_ROW");
    ta->Last();
    tb->Last();
    ta->Edit();
    ta->FieldByName("NUM")->SetAsInteger(7);
    ta->Post();
    a->tr.CommitRetaining();
    tb->Edit();
    tb->FieldByName("NUM")->SetAsInteger(8);
    EXPECT_EQ(errorOf([&] { tb->Post(); }), kChangedMeanwhile);
    tb->Cancel();
    tb->Edit();
    tb->FieldByName("TXT")->SetAsString("still null before");
    tb->Post();
    b->tr.CommitRetaining();
    EXPECT_EQ(committed("select NUM from T_ROW where ID = 2").toInt(), 7);
    EXPECT_EQ(committed("select TXT from T_ROW where ID = 2").toString(), "still null before");
}

TEST_F(Workstations, ARowDeletedMeanwhileIsNotSavedOver)
{
    auto a = workstation();
    auto b = workstation();
    auto tb = b->table("T_ROW");
    a->db.Attachment().executeImmediate("delete from T_ROW where ID = 1");
    tb->Edit();
    tb->FieldByName("NUM")->SetAsInteger(11);
    EXPECT_EQ(errorOf([&] { tb->Post(); }), kChangedMeanwhile);
    EXPECT_TRUE(committed("select count(*) from T_ROW where ID = 1").toInt() == 0);
}

TEST_F(Workstations, ASaveAgainstAHeldRecordFailsAfterTheLockTimeoutAndSucceedsLater)
{
    auto a = workstation();
    auto b = workstation();
    auto ta = a->table("T_ROW");
    auto tb = b->table("T_ROW");

    // A is in the middle of a save over the record: its change is written but not committed.
    std::optional<TSavepoint> aSave(&a->tr);
    ta->Edit();
    ta->FieldByName("TXT")->SetAsString("held by A");
    ta->Post();

    tb->Edit();
    tb->FieldByName("NUM")->SetAsInteger(30);
    // Without a lock time-out this would wait until A commits, i.e. for ever in this test.
    EXPECT_EQ(errorOf([&] { tb->Post(); }), fb::RecordLockedMessage);
    EXPECT_EQ(tb->State(), dsEdit) << "nothing typed is lost";
    EXPECT_EQ(tb->FieldByName("NUM")->AsInteger(), 30);

    aSave->Commit();
    tb->Post();
    EXPECT_EQ(committed("select TXT from T_ROW where ID = 1").toString(), "held by A");
    EXPECT_EQ(committed("select NUM from T_ROW where ID = 1").toInt(), 30);
}

TEST_F(Workstations, CachedChangesStayForARetryAfterALockTimeout)
{
    auto a = workstation();
    auto b = workstation();
    auto ta = a->table("T_ROW");
    auto tb = b->table("T_ROW");
    tb->SetCachedUpdates(true);

    std::optional<TSavepoint> aSave(&a->tr);
    ta->Edit();
    ta->FieldByName("TXT")->SetAsString("held by A");
    ta->Post();

    tb->Edit();
    tb->FieldByName("NUM")->SetAsInteger(40);
    tb->Post();
    tb->Last();
    tb->Edit();
    tb->FieldByName("NUM")->SetAsInteger(41);
    tb->Post();
    // Row 2 is written first under the save's savepoint, then row 1 waits for A: all or nothing.
    EXPECT_EQ(errorOf([&] { b->db.ApplyUpdates({tb.get()}); }), fb::RecordLockedMessage);
    EXPECT_TRUE(tb->UpdatesPending());
    EXPECT_TRUE(committed("select NUM from T_ROW where ID = 2").isNull()) << "nothing of the failed save stays";

    aSave->Commit();
    b->db.ApplyUpdates({tb.get()});
    EXPECT_FALSE(tb->UpdatesPending());
    EXPECT_EQ(committed("select NUM from T_ROW where ID = 1").toInt(), 40);
    EXPECT_EQ(committed("select NUM from T_ROW where ID = 2").toInt(), 41);
    EXPECT_EQ(committed("select TXT from T_ROW where ID = 1").toString(), "held by A");
}

// Another workstation's save is written and held while B saves; it commits once B waits for it. An update
// conflict B's trigger met on a row the database keeps (a total) is saved once more; one on the very row B
// edited is refused, with what B typed kept.
TEST_F(Workstations, AConflictOnARowATriggerKeepsIsSavedOnceMoreOneOnTheEditedRowIsRefused)
{
    {
        fb::Attachment att = adminAttachment();
        att.executeImmediate("create table T_TOTAL (ID integer not null primary key, N integer)");
        att.executeImmediate("insert into T_TOTAL (ID, N) values (1, 0)");
        att.executeImmediate("create trigger T_ROW_TOTAL for T_ROW after update as begin update T_TOTAL set N = N + "
                             "1 where ID = 1; end");
        att.detach();
    }
    struct Case {
        const char *name;
        int heldRow; // the row the other save changed
        bool saved;
    };
    const Case cases[] = {{"a total the trigger keeps", 2, true}, {"the row B edited", 1, false}};
    int changes = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        auto b = workstation();
        auto tb = b->table("T_ROW");
        const int bId = b->value("select current_connection from rdb$database").toInt();
        fb::Attachment other = adminAttachment();
        fb::Transaction held(other);
        held.execute(QStringLiteral("update T_ROW set TXT = 'by the other' where ID = %1").arg(c.heldRow));
        ++changes;

        // Commits the other save once B's update waits for it (asked a minute at most).
        bool sawWait = false;
        std::thread otherCommits([&] {
            fb::Attachment watch = adminAttachment();
            for (int i = 0; i < 6000 && !sawWait; ++i) {
                fb::Transaction look(watch, fb::Transaction::ReadOnly);
                fb::Statement st;
                st.prepare(look, QStringLiteral("select count(*) from MON$STATEMENTS where MON$ATTACHMENT_ID = %1 "
                                                "and MON$STATE = 1 and MON$SQL_TEXT containing 'update'")
                                     .arg(bId));
                st.openCursor(look);
                sawWait = st.fetchNext() && fb::decode(st.outputs()[0], st.row()).toInt() > 0;
                st.closeCursor();
                look.commit();
                if (!sawWait)
                    QThread::msleep(10);
            }
            held.commit();
        });
        tb->Edit();
        tb->FieldByName("NUM")->SetAsInteger(50 + changes);
        const QString refused = errorOf([&] { tb->Post(); });
        otherCommits.join();
        other.detach();
        ASSERT_TRUE(sawWait) << "B's save never waited for the other's";
        if (c.saved) {
            EXPECT_EQ(refused, QString());
            ++changes;
            EXPECT_EQ(committed("select NUM from T_ROW where ID = 1").toInt(), 50 + changes - 1);
        } else {
            EXPECT_EQ(refused, fb::RecordLockedMessage);
            EXPECT_EQ(tb->State(), dsEdit) << "what B typed stays";
            EXPECT_EQ(tb->FieldByName("NUM")->AsInteger(), 50 + changes);
        }
        EXPECT_EQ(committed("select N from T_TOTAL").toInt(), changes) << "every stored change counted once";
    }
}

class LostConnection : public ServerTest {
protected:
    // Ends a workstation's connection from the server's side, as a server restart would.
    void dropFromServer(Workstation &w)
    {
        const int id = w.value("select current_connection from rdb$database").toInt();
        fb::Attachment att = adminAttachment();
        att.executeImmediate(QStringLiteral("delete from mon$attachments where mon$attachment_id = %1").arg(id));
        att.detach();
    }
};

TEST_F(LostConnection, OneSlovakMessageThenTheSameObjectsConnectAgain)
{
    auto w = workstation();
    auto t = w->table("T_ROW");
    dropFromServer(*w);

    const QString message = errorOf([&] { t->Refresh(); });
    EXPECT_EQ(message, fb::ConnectionLostMessage);
    EXPECT_FALSE(w->db.Connected()) << "the lost connection is let go of";
    EXPECT_FALSE(t->Active());
    EXPECT_FALSE(w->tr.Active());

    // The next use connects again: the same table, transaction and connection objects.
    t->Open();
    EXPECT_TRUE(w->db.Connected());
    EXPECT_EQ(t->FieldByName("TXT")->AsString(), "first");
    t->Edit();
    t->FieldByName("NUM")->SetAsInteger(12);
    t->Post();
    w->tr.CommitRetaining();
    EXPECT_EQ(workstation()->value("select NUM from T_ROW where ID = 1").toInt(), 12);
}

TEST_F(LostConnection, CloseLetsGoOfALostConnectionAndOpenWorksAgain)
{
    auto w = workstation();
    auto t = w->table("T_ROW");
    std::optional<TSavepoint> save(&w->tr); // a save under way when the connection goes
    t->Edit();
    t->FieldByName("NUM")->SetAsInteger(13);
    t->Post();
    dropFromServer(*w);

    // The commit of the close fails: the caller hears of it in Slovak, and the handles are gone.
    EXPECT_EQ(errorOf([&] { w->db.Close(); }), fb::ConnectionLostMessage);
    EXPECT_FALSE(w->db.Connected());
    EXPECT_NO_THROW(w->db.Close()) << "closing again is nothing to do";

    save.reset();
    w->db.Open();
    EXPECT_TRUE(w->db.Connected());
    t->Open();
    EXPECT_EQ(t->FieldByName("NUM")->AsInteger(), 10) << "the change the lost connection held never arrived";
}

TEST_F(LostConnection, ASaveWhoseRuleMeetsTheLostConnectionIsRefusedOnceAndTheNextSaveConnectsAndWrites)
{
    auto w = workstation();
    auto t = w->table("T_ROW");
    // A rule before each save reads the database, as the booking rules do.
    t->BeforePost = [&](TDataSet *) { w->value("select count(*) from T_ROW"); };
    t->Edit();
    t->FieldByName("NUM")->SetAsInteger(14);
    dropFromServer(*w);

    // The rule's call meets the lost connection: refused in Slovak, the row still in edit.
    EXPECT_EQ(errorOf([&] { t->Post(); }), fb::ConnectionLostMessage);
    EXPECT_EQ(t->State(), dsEdit);
    // Saved again: the rule's call lets go of the lost connection and connects anew; the row being typed
    // stays through it and is written over the new connection.
    EXPECT_EQ(errorOf([&] { t->Post(); }), QString());
    EXPECT_TRUE(w->db.Connected());
    EXPECT_EQ(t->State(), dsBrowse);
    w->tr.CommitRetaining();
    EXPECT_EQ(workstation()->value("select NUM from T_ROW where ID = 1").toInt(), 14);
    t->Refresh();
    EXPECT_EQ(t->FieldByName("NUM")->AsInteger(), 14);
}

// The server went away and is not back yet (here: the workstation's server name now leads nowhere): the
// next work tries to connect again and is refused in one Slovak sentence, not in the client's English;
// with the server back, the same objects work again.
TEST_F(LostConnection, AReconnectToAServerStillDownIsRefusedInOneSlovakSentence)
{
    auto w = workstation();
    auto t = w->table("T_ROW");
    dropFromServer(*w);
    EXPECT_EQ(errorOf([&] { t->Refresh(); }), fb::ConnectionLostMessage);
    ASSERT_FALSE(w->db.Connected());

    const QString served = w->db.DatabaseName;
    w->db.DatabaseName = QStringLiteral("127.0.0.1/1:") + served.mid(served.indexOf(QLatin1Char(':')) + 1);
    EXPECT_EQ(errorOf([&] { t->Open(); }), fb::ServerUnreachableMessage);
    EXPECT_FALSE(w->db.Connected());

    w->db.DatabaseName = served;
    t->Open();
    EXPECT_EQ(t->FieldByName("TXT")->AsString(), "first");
}
