#include "platform/fbapi/FbClient.h"

#include "common/DbError.h"
#include "common/TempDatabase.h"

#include <QFile>

#include <ibase.h>

#include <gtest/gtest.h>

using namespace fb;

namespace {

class FbClientTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (db.path().isEmpty())
            GTEST_SKIP() << "template database missing: build tarvis_template_db";
        att.attach(db.path(), params());
    }

    static ConnectParams params() { return ConnectParams::fromLines({QStringLiteral("user_name=SYSDBA")}); }

    // The first column of the first row.
    QVariant selectOne(Transaction &tr, const QString &sql, const QVariantList &args = {})
    {
        Statement st;
        st.prepare(tr, sql);
        for (int i = 0; i < args.size(); ++i)
            st.setParam(i, args[i]);
        st.openCursor(tr);
        if (!st.fetchNext())
            return {};
        return decode(st.outputs().at(0), st.row());
    }

    int count(const QString &table)
    {
        Transaction tr(att);
        return selectOne(tr, QStringLiteral("select count(*) from ") + table).toInt();
    }

    TempDatabase db;
    Attachment att;
};

TEST_F(FbClientTest, AttachReportsVersionsAndDetaches)
{
    EXPECT_TRUE(att.isAttached());
    EXPECT_TRUE(att.serverVersion().startsWith(QStringLiteral("3."))) << att.serverVersion().toStdString();
    EXPECT_EQ(att.odsVersion(), 12);
    att.detach();
    EXPECT_FALSE(att.isAttached());
    EXPECT_THROW(att.executeImmediate(QStringLiteral("create table x (a int)")), EDatabaseError);
}

TEST_F(FbClientTest, DetachWithOpenTransactionReportsItAndLetsGo)
{
    Transaction tr(att);
    EXPECT_DB_ERROR(att.detach(), .IBErrorCode = isc_open_trans);
    EXPECT_FALSE(att.isAttached());
    EXPECT_THROW(tr.execute(QStringLiteral("select 1 from rdb$database")), EDatabaseError);
    EXPECT_THROW(readBlob(tr, BlobId{{1, 1}}), EDatabaseError);
    // The transaction's destructor then runs against a closed connection without harm.
}

TEST_F(FbClientTest, MissingFileGivesIoError)
{
    Attachment other;
    const EIBError e =
        EXPECT_DB_ERROR(other.attach(db.dir() + QStringLiteral("/nie-je.fdb"), params()), .IBErrorCode = isc_io_error);
    EXPECT_TRUE(e.Message.contains(QStringLiteral("nie-je.fdb"))) << e.Message.toStdString();
    EXPECT_TRUE(e.Message.contains(QLatin1Char('\n'))) << "all status lines";
    EXPECT_FALSE(other.isAttached());
}

TEST_F(FbClientTest, ADatabaseThatCannotBeOpenedIsNamedInSlovakWithWhy)
{
    QFile notADatabase(db.dir() + QStringLiteral("/text.fdb"));
    ASSERT_TRUE(notADatabase.open(QIODevice::WriteOnly));
    notADatabase.write(QByteArray(16384, 'x'));
    notADatabase.close();
    const QString longName = db.dir() + QLatin1Char('/') + QString(5000, QLatin1Char('d')) + QStringLiteral(".fdb");
    const struct {
        QString name;
        const char *why;
    } cases[] = {
        {db.dir() + QStringLiteral("/nie-je.fdb"), ": súbor neexistuje."},
        {db.dir() + QStringLiteral("/nie-je/TarvDB.fdb"), ": súbor neexistuje."},
        {db.dir(), ": cesta vedie k priečinku, nie k súboru."},
        {notADatabase.fileName(), ": súbor nie je databáza."},
        {longName, ""},
    };
    for (const auto &c : cases) {
        Attachment other;
        try {
            other.attach(c.name, params());
            ADD_FAILURE() << "opened " << c.name.left(80).toStdString();
        } catch (const EIBError &e) {
            const QString first = e.Message.section(QLatin1Char('\n'), 0, 0);
            EXPECT_TRUE(
                first.startsWith(QString::fromUtf8("Databázu ")) &&
                first.endsWith(QString::fromUtf8(" nie je možné otvoriť") + QString::fromUtf8(*c.why ? c.why : ".")))
                << first.left(300).toStdString();
            EXPECT_TRUE(first.contains(c.name.left(40))) << "the database named";
            EXPECT_LT(e.Message.size(), 1000) << "a long name is cut";
            EXPECT_TRUE(
                e.Message.section(QString::fromUtf8("\n\nPodrobnosti:\n"), 1).contains(e.ServerMessage.left(20)))
                << "the engine's text under it as a detail: " << e.Message.toStdString();
        }
    }
}

TEST_F(FbClientTest, ConnectParamsFromLines)
{
    const ConnectParams p = ConnectParams::fromLines(
        {QStringLiteral("USER_NAME = ANNA"), QStringLiteral("password=ta jna"), QStringLiteral("lc_ctype="),
         QStringLiteral("sql_role_name=VEDUCI"), QStringLiteral("garbage")});
    EXPECT_EQ(p.userName, QStringLiteral("ANNA"));
    EXPECT_EQ(p.password, QStringLiteral("ta jna"));
    EXPECT_TRUE(p.lcCtype.isEmpty());
    EXPECT_EQ(p.sqlDialect, 3);
    EXPECT_EQ(p.role, QStringLiteral("VEDUCI"));
    EXPECT_EQ(ConnectParams::fromLines(p.toLines()).toLines(), p.toLines());
}

TEST_F(FbClientTest, EveryTypeRoundTrips)
{
    att.executeImmediate(QStringLiteral(
        "create table typy (id integer not null primary key, s smallint, i integer, b bigint, "
        "n numeric(15,2), n4 numeric(9,4), d decimal(18,3), f float, dp double precision, c char(5), "
        "co char(4) character set octets, cu char(3) character set utf8, vc varchar(40), dt date, tm time, "
        "ts timestamp, bo boolean, mt blob sub_type 1, bi blob sub_type 0)"));
    Transaction tr(att);
    Statement ins;
    ins.prepare(tr, QStringLiteral("insert into typy values (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"));
    ASSERT_EQ(ins.inputs().size(), 19u);
    QByteArray binary(100000, '\0');
    for (int i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<char>(i * 7);
    const QString slovak = QStringLiteral("Žltý kôň úpel ďábelské ódy – ČŠŽ");
    const QDateTime stamp(QDate(2024, 2, 29), QTime(13, 45, 6, 789));
    const QVariantList row{1,
                           -32768,
                           2147483647,
                           Q_INT64_C(9223372036854775807),
                           1234567.89,
                           3.1416,
                           -987654321.125,
                           1.5,
                           2.718281828459045,
                           QStringLiteral("ab"),
                           QByteArray("xy"),
                           QStringLiteral("čž"),
                           slovak,
                           QDate(2024, 2, 29),
                           QTime(23, 59, 59, 999),
                           stamp,
                           true,
                           slovak.repeated(3000),
                           binary};
    for (int i = 0; i < row.size(); ++i)
        ins.setParam(i, row[i]);
    EXPECT_EQ(ins.execute(tr), 1u);
    ins.clearParams();
    ins.setParam(0, 2);
    EXPECT_EQ(ins.execute(tr), 1u);

    Statement sel;
    sel.prepare(tr, QStringLiteral("select * from typy order by id"));
    EXPECT_EQ(sel.statementType(), StatementType::Select);
    const auto &cols = sel.outputs();
    ASSERT_EQ(cols.size(), 19u);
    EXPECT_EQ(cols[9].alias, QStringLiteral("C"));
    EXPECT_EQ(cols[9].relation, QStringLiteral("TYPY"));
    EXPECT_EQ(cols[9].charLength(), 5u);
    EXPECT_EQ(cols[0].nullable, false);
    sel.openCursor(tr);
    ASSERT_TRUE(sel.fetchNext());
    const unsigned char *r = sel.row();
    EXPECT_EQ(decode(cols[1], r), QVariant(-32768));
    EXPECT_EQ(decode(cols[2], r), QVariant(2147483647));
    EXPECT_EQ(decode(cols[3], r).typeId(), QMetaType::LongLong);
    EXPECT_EQ(decode(cols[3], r).toLongLong(), Q_INT64_C(9223372036854775807));
    EXPECT_DOUBLE_EQ(decode(cols[4], r).toDouble(), 1234567.89);
    EXPECT_DOUBLE_EQ(decode(cols[5], r).toDouble(), 3.1416);
    EXPECT_DOUBLE_EQ(decode(cols[6], r).toDouble(), -987654321.125);
    EXPECT_DOUBLE_EQ(decode(cols[7], r).toDouble(), 1.5);
    EXPECT_DOUBLE_EQ(decode(cols[8], r).toDouble(), 2.718281828459045);
    EXPECT_EQ(decode(cols[9], r).toString(), QStringLiteral("ab   "));
    EXPECT_EQ(decode(cols[10], r).toString(), QStringLiteral("xy") + QString(2, QChar(0)));
    EXPECT_EQ(decode(cols[11], r).toString(), QStringLiteral("čž "));
    EXPECT_EQ(decode(cols[12], r).toString(), slovak);
    EXPECT_EQ(decode(cols[13], r).toDate(), QDate(2024, 2, 29));
    EXPECT_EQ(decode(cols[14], r).toTime(), QTime(23, 59, 59, 999));
    EXPECT_EQ(decode(cols[15], r).toDateTime(), stamp);
    EXPECT_EQ(decode(cols[16], r), QVariant(true));
    const QVariant memo = decode(cols[17], r);
    ASSERT_EQ(memo.typeId(), qMetaTypeId<BlobId>());
    EXPECT_EQ(readTextBlob(tr, memo.value<BlobId>()), slovak.repeated(3000));
    EXPECT_EQ(readBlob(tr, decode(cols[18], r).value<BlobId>()), binary);

    ASSERT_TRUE(sel.fetchNext());
    for (std::size_t i = 1; i < cols.size(); ++i) {
        SCOPED_TRACE(cols[i].alias.toStdString());
        EXPECT_TRUE(isNull(cols[i], sel.row()));
        EXPECT_FALSE(decode(cols[i], sel.row()).isValid());
    }
    EXPECT_FALSE(sel.fetchNext());
    EXPECT_FALSE(sel.fetchNext());
}

TEST_F(FbClientTest, ParametersConvertToTheColumnType)
{
    att.executeImmediate(QStringLiteral("create table konv (d double precision, v varchar(10), n numeric(9,2), "
                                        "c char(3))"));
    Transaction tr(att);
    Statement ins;
    ins.prepare(tr, QStringLiteral("insert into konv values (?, ?, ?, ?)"));
    ins.setParam(0, QStringLiteral("12,5"));
    ins.setParam(1, 42);
    ins.setParam(2, QStringLiteral(" 1 234.555"));
    ins.setParam(3, QStringLiteral("áé"));
    ins.execute(tr);
    EXPECT_DOUBLE_EQ(selectOne(tr, QStringLiteral("select d from konv")).toDouble(), 12.5);
    EXPECT_EQ(selectOne(tr, QStringLiteral("select v from konv")).toString(), QStringLiteral("42"));
    EXPECT_DOUBLE_EQ(selectOne(tr, QStringLiteral("select n from konv")).toDouble(), 1234.56);
    EXPECT_EQ(selectOne(tr, QStringLiteral("select c from konv")).toString(), QStringLiteral("áé "));
    EXPECT_EQ(selectOne(tr, QStringLiteral("select count(*) from konv where c = ?"), {QStringLiteral("áé")}),
              QVariant(1));
    ins.setParam(1, 2.5);
    ins.execute(tr);
    EXPECT_EQ(selectOne(tr, QStringLiteral("select v from konv where v <> '42'")).toString(), QStringLiteral("2.5"));

    EXPECT_THROW(ins.setParam(0, QStringLiteral("dvanásť")), EDatabaseError);
    EXPECT_THROW(ins.setParam(1, QStringLiteral("príliš dlhý text")), EIBError);
    EXPECT_THROW(ins.setParam(4, 1), EDatabaseError);
}

// Slovak letters bound for columns of other character sets than the connection's are stored and found
// again; a number column matched as text takes them without failing.
TEST_F(FbClientTest, SlovakLettersInParametersOfEveryCharacterSet)
{
    att.executeImmediate(QStringLiteral(
        "create table znaky (i integer, n varchar(20) character set none, o varchar(20) character set octets, "
        "w varchar(20) character set win1250, u varchar(20) character set utf8)"));
    Transaction tr(att);
    Statement ins;
    ins.prepare(tr, QStringLiteral("insert into znaky values (?, ?, ?, ?, ?)"));
    const QString text = QString::fromUtf8("Žiar č ľ O'Neil");
    ins.setParam(0, 1);
    for (int i = 1; i <= 4; ++i)
        ins.setParam(i, text);
    ins.execute(tr);
    for (const char *column : {"n", "w", "u"}) {
        const QString where = QStringLiteral(" from znaky where %1 = ? and %1 like ?").arg(QLatin1String(column));
        EXPECT_EQ(selectOne(tr, QStringLiteral("select count(*)") + where, {text, QString::fromUtf8("Žiar%")}),
                  QVariant(1))
            << column;
        EXPECT_EQ(selectOne(tr, QStringLiteral("select %1").arg(QLatin1String(column)) + where,
                            {text, QString::fromUtf8("%ľ%")})
                      .toString(),
                  text)
            << column;
    }
    EXPECT_EQ(selectOne(tr, QStringLiteral("select count(*) from znaky where o = ?"), {text}), QVariant(1));
    EXPECT_EQ(selectOne(tr,
                        QStringLiteral("select count(*) from znaky where cast(i as varchar(30) character set "
                                       "win1250) like ?"),
                        {QString::fromUtf8("Žiar%")}),
              QVariant(0));
}

TEST_F(FbClientTest, ExecuteCountsAffectedRowsAndStatementIsReusable)
{
    att.executeImmediate(QStringLiteral("create table r (id integer, v integer)"));
    Transaction tr(att);
    Statement ins;
    ins.prepare(tr, QStringLiteral("insert into r values (?, ?)"));
    EXPECT_EQ(ins.statementType(), StatementType::Insert);
    for (int i = 1; i <= 5; ++i) {
        ins.setParam(0, i);
        ins.setParam(1, i * 10);
        EXPECT_EQ(ins.execute(tr), 1u);
    }
    tr.commit();
    tr.start(att);
    Statement upd;
    upd.prepare(tr, QStringLiteral("update r set v = v + 1 where id > ?"));
    EXPECT_EQ(upd.statementType(), StatementType::Update);
    upd.setParam(0, 2);
    EXPECT_EQ(upd.execute(tr), 3u);
    upd.setParam(0, 4);
    EXPECT_EQ(upd.execute(tr), 1u);
    upd.setParam(0, 99);
    EXPECT_EQ(upd.execute(tr), 0u);
    Statement del;
    del.prepare(tr, QStringLiteral("delete from r where v < 30"));
    EXPECT_EQ(del.statementType(), StatementType::Delete);
    EXPECT_EQ(del.execute(tr), 2u);
    EXPECT_FALSE(del.plan().isEmpty());
    tr.commit();
    EXPECT_EQ(count(QStringLiteral("r")), 3);
}

TEST_F(FbClientTest, UniqueKeyViolationNamesTheConstraint)
{
    att.executeImmediate(QStringLiteral("create table u (id integer not null, constraint PK_U primary key (id))"));
    Transaction tr(att);
    Statement ins;
    ins.prepare(tr, QStringLiteral("insert into u values (?)"));
    ins.setParam(0, 7);
    ins.execute(tr);
    const EIBError e = EXPECT_DB_ERROR(ins.execute(tr), .SQLCode = -803, .IBErrorCode = isc_unique_key_violation,
                                       .Constraint = "PK_U");
    EXPECT_TRUE(e.Message.contains(QStringLiteral("PK_U")));
    // The transaction goes on after the error.
    EXPECT_EQ(selectOne(tr, QStringLiteral("select count(*) from u")), QVariant(1));
}

TEST_F(FbClientTest, ForeignKeyAndCheckViolationsNameTheirConstraints)
{
    att.executeImmediate(QStringLiteral("create table rodic (id integer not null primary key)"));
    att.executeImmediate(QStringLiteral("create table dieta (id integer, rodic integer, "
                                        "constraint FK_DIETA_RODIC foreign key (rodic) references rodic (id), "
                                        "constraint CHK_DIETA check (id > 0))"));
    Transaction tr(att);
    EXPECT_DB_ERROR(tr.execute(QStringLiteral("insert into dieta values (1, 99)")), .IBErrorCode = isc_foreign_key,
                    .Constraint = "FK_DIETA_RODIC");
    EXPECT_DB_ERROR(tr.execute(QStringLiteral("insert into dieta values (-1, null)")),
                    .IBErrorCode = isc_check_constraint, .Constraint = "CHK_DIETA");
}

TEST_F(FbClientTest, ExceptionAndValidationErrors)
{
    att.executeImmediate(QStringLiteral("create exception E_ZLE 'Zlý stav'"));
    att.executeImmediate(QStringLiteral("create table nn (a integer not null)"));
    Transaction tr(att);
    const EIBError e = EXPECT_DB_ERROR(tr.execute(QStringLiteral("execute block as begin exception E_ZLE; end")),
                                       .Constraint = "E_ZLE");
    EXPECT_TRUE(e.Message.contains(QStringLiteral("Zlý stav"))) << e.Message.toStdString();
    EXPECT_DB_ERROR(tr.execute(QStringLiteral("insert into nn values (null)")), .IBErrorCode = isc_not_valid);
}

TEST_F(FbClientTest, WarningIsNoError)
{
    att.executeImmediate(QStringLiteral("create table w (a integer)"));
    EXPECT_NO_THROW(att.executeImmediate(QStringLiteral("revoke select on w from user NIKTO")));
}

TEST_F(FbClientTest, SavepointRollbackUndoesOnlyItsPart)
{
    att.executeImmediate(QStringLiteral("create table sp (a integer)"));
    Transaction tr(att);
    tr.execute(QStringLiteral("insert into sp values (1)"));
    tr.savepoint(QStringLiteral("ULOZ"));
    tr.execute(QStringLiteral("insert into sp values (2)"));
    tr.rollbackToSavepoint(QStringLiteral("ULOZ"));
    tr.savepoint(QStringLiteral("Druhý bod"));
    tr.execute(QStringLiteral("insert into sp values (3)"));
    tr.releaseSavepoint(QStringLiteral("Druhý bod"));
    tr.commit();
    EXPECT_FALSE(tr.isActive());
    Transaction check(att);
    EXPECT_EQ(selectOne(check, QStringLiteral("select count(*) from sp")), QVariant(2));
    EXPECT_EQ(selectOne(check, QStringLiteral("select sum(a) from sp")).toLongLong(), 4);
}

TEST_F(FbClientTest, RollbackAndDestructionDiscardWork)
{
    att.executeImmediate(QStringLiteral("create table rb (a integer)"));
    {
        Transaction tr(att);
        tr.execute(QStringLiteral("insert into rb values (1)"));
        tr.rollbackRetaining();
        EXPECT_TRUE(tr.isActive());
        tr.execute(QStringLiteral("insert into rb values (2)"));
    } // rolled back here
    EXPECT_EQ(count(QStringLiteral("rb")), 0);
}

TEST_F(FbClientTest, CommitRetainingKeepsTheCursor)
{
    att.executeImmediate(QStringLiteral("create table cr (a integer)"));
    Transaction tr(att);
    Statement ins;
    ins.prepare(tr, QStringLiteral("insert into cr values (?)"));
    for (int i = 0; i < 500; ++i) {
        ins.setParam(0, i);
        ins.execute(tr);
    }
    tr.commit();
    tr.start(att);
    Statement sel;
    sel.prepare(tr, QStringLiteral("select a from cr order by a"));
    sel.openCursor(tr);
    ASSERT_TRUE(sel.fetchNext());
    tr.commitRetaining();
    int n = 1, last = 0;
    while (sel.fetchNext()) {
        last = decode(sel.outputs()[0], sel.row()).toInt();
        ++n;
    }
    EXPECT_EQ(n, 500);
    EXPECT_EQ(last, 499);
    sel.closeCursor();
    // Prepared once, opened again.
    sel.openCursor(tr);
    EXPECT_TRUE(sel.fetchNext());
}

TEST_F(FbClientTest, ProceduresExecuteAndSelect)
{
    att.executeImmediate(QStringLiteral("create procedure dvakrat (x integer) returns (y integer, t varchar(10)) as "
                                        "begin y = x * 2; t = 'Čaj'; end"));
    att.executeImmediate(QStringLiteral("create procedure rad (n integer) returns (i integer) as "
                                        "begin i = 0; while (i < n) do begin i = i + 1; suspend; end end"));
    Transaction tr(att);
    Statement ex;
    ex.prepare(tr, QStringLiteral("execute procedure dvakrat ?"));
    EXPECT_EQ(ex.statementType(), StatementType::ExecProcedure);
    ex.setParam(0, 21);
    ex.execute(tr);
    EXPECT_EQ(decode(ex.outputs()[0], ex.row()), QVariant(42));
    EXPECT_EQ(decode(ex.outputs()[1], ex.row()), QVariant(QStringLiteral("Čaj")));

    Statement sel;
    sel.prepare(tr, QStringLiteral("select i from rad(?)"));
    sel.setParam(0, 4);
    sel.openCursor(tr);
    int sum = 0;
    while (sel.fetchNext())
        sum += decode(sel.outputs()[0], sel.row()).toInt();
    EXPECT_EQ(sum, 10);
}

TEST_F(FbClientTest, BlobParametersFromTextAndBytes)
{
    att.executeImmediate(QStringLiteral("create table bl (id integer, memo blob sub_type 1, obr blob)"));
    Transaction tr(att);
    Statement ins;
    ins.prepare(tr, QStringLiteral("insert into bl values (?, ?, ?)"));
    ins.setParam(0, 1);
    ins.setParam(1, QStringLiteral("Poznámka\r\nďalší riadok"));
    ins.setParam(2, QByteArray("\xFF\xD8\x00\x01", 4));
    ins.execute(tr);
    ins.setParam(0, 2);
    ins.setParam(1, QVariant());
    ins.setParam(2, QByteArray());
    ins.execute(tr);
    tr.commitRetaining();

    Statement sel;
    sel.prepare(tr, QStringLiteral("select memo, obr from bl order by id"));
    sel.openCursor(tr);
    ASSERT_TRUE(sel.fetchNext());
    EXPECT_EQ(readTextBlob(tr, decode(sel.outputs()[0], sel.row()).value<BlobId>()),
              QStringLiteral("Poznámka\r\nďalší riadok"));
    EXPECT_EQ(readBlob(tr, decode(sel.outputs()[1], sel.row()).value<BlobId>()), QByteArray("\xFF\xD8\x00\x01", 4));
    ASSERT_TRUE(sel.fetchNext());
    EXPECT_TRUE(isNull(sel.outputs()[0], sel.row()));
    EXPECT_TRUE(readBlob(tr, decode(sel.outputs()[1], sel.row()).value<BlobId>()).isEmpty());
}

TEST_F(FbClientTest, ReadOnlyTransactionRefusesWrites)
{
    att.executeImmediate(QStringLiteral("create table ro (a integer)"));
    Transaction tr(att, Transaction::ReadOnly | Transaction::Snapshot);
    EXPECT_THROW(tr.execute(QStringLiteral("insert into ro values (1)")), EIBError);
}

TEST_F(FbClientTest, MovedHandlesAreEmpty)
{
    Attachment moved = std::move(att);
    EXPECT_TRUE(moved.isAttached());
    EXPECT_FALSE(att.isAttached());
    Transaction tr(moved);
    Transaction other = std::move(tr);
    EXPECT_FALSE(tr.isActive());
    EXPECT_TRUE(other.isActive());
    EXPECT_THROW(tr.commit(), EDatabaseError);
}

} // namespace
