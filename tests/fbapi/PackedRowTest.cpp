// Rows kept packed read back exactly as from the message buffer, in less room: every type, nulls,
// padded and blank CHARs in single- and multi-byte sets, empty texts, texts whose ends need one byte
// or two.
#include "platform/fbapi/FbClient.h"
#include "platform/fbapi/PackedRow.h"

#include "common/TempDatabase.h"

#include <gtest/gtest.h>

#include <functional>

using namespace fb;

namespace {

// Packs every row of the select and compares each value with the message's; returns the rows read and
// the fewest bytes a row took.
int PackAndCompare(Transaction &tr, const QString &select, PackedRow &packed, unsigned *smallest,
                   const std::function<void(int, const unsigned char *)> &check = {})
{
    Statement sel;
    sel.prepare(tr, select);
    packed.reset(sel.outputs());
    EXPECT_LT(packed.maxSize(), sel.outputLength());
    sel.openCursor(tr);
    std::vector<unsigned char> buffer(packed.maxSize());
    int rows = 0;
    *smallest = packed.maxSize();
    while (sel.fetchNext()) {
        ++rows;
        const unsigned used = packed.pack(sel.row(), buffer.data());
        EXPECT_LE(used, packed.maxSize());
        *smallest = std::min(*smallest, used);
        for (size_t i = 0; i < sel.outputs().size(); ++i) {
            SCOPED_TRACE(QStringLiteral("row %1, %2").arg(rows).arg(sel.outputs()[i].alias).toStdString());
            const QVariant fromMessage = decode(sel.outputs()[i], sel.row());
            const QVariant fromPacked = packed.decode(buffer.data(), int(i));
            EXPECT_EQ(fromPacked.isValid(), fromMessage.isValid());
            EXPECT_EQ(fromPacked.typeId(), fromMessage.typeId());
            if (fromMessage.userType() == qMetaTypeId<BlobId>())
                EXPECT_EQ(fromPacked.value<BlobId>(), fromMessage.value<BlobId>());
            else
                EXPECT_EQ(fromPacked, fromMessage);
        }
        if (check)
            check(rows, buffer.data());
    }
    return rows;
}

unsigned TextBytes(Transaction &tr, const QString &select)
{
    Statement sel;
    sel.prepare(tr, select);
    unsigned textBytes = 0;
    for (const Column &c : sel.outputs())
        textBytes += c.isText() ? c.length : 0;
    return textBytes;
}

TEST(PackedRowTest, EveryValueReadsBackAsFromTheMessage)
{
    TempDatabase db;
    if (db.path().isEmpty())
        GTEST_SKIP() << "template database missing: build tarvis_template_db";
    Attachment att;
    att.attach(db.path(), ConnectParams::fromLines({QStringLiteral("user_name=SYSDBA")}));
    att.executeImmediate(QStringLiteral(
        "create table typy (id integer not null primary key, s smallint, b bigint, n numeric(15,2), "
        "f float, dp double precision, c char(5), co char(4) character set octets, "
        "cu char(3) character set utf8, vc varchar(40), vu varchar(10) character set utf8, dt date, tm time, "
        "ts timestamp, bo boolean, mt blob sub_type 1)"));
    att.executeImmediate(QStringLiteral(
        "insert into typy values (1, -32768, 9223372036854775807, 1234567.89, 1.5, 2.718281828459045, 'ab', "
        "x'7879', 'čž', 'Žltý kôň', 'ďábel', date '2024-02-29', time '23:59:59.999', "
        "timestamp '2024-02-29 13:45:06.789', true, 'memo')"));
    // Blanks at the end of a CHAR, a CHAR of blanks only, empty texts, a full CHAR.
    att.executeImmediate(
        QStringLiteral("insert into typy (id, c, co, cu, vc, vu) values (2, ' a  ', x'20202020', '   ', '', '')"));
    att.executeImmediate(QStringLiteral("insert into typy (id, c, cu, vc) values (3, 'abcde', 'ščž', ' x ')"));
    att.executeImmediate(QStringLiteral("insert into typy (id) values (4)"));

    Transaction tr(att);
    const QString select = QStringLiteral("select * from typy order by id");
    PackedRow packed;
    unsigned smallest = 0;
    const int rows = PackAndCompare(tr, select, packed, &smallest, [&](int row, const unsigned char *buffer) {
        if (row != 2)
            return;
        EXPECT_EQ(packed.decode(buffer, 6).toString(), QStringLiteral(" a   "));
        EXPECT_EQ(packed.decode(buffer, 8).toString(), QStringLiteral("   "));
        EXPECT_EQ(packed.decode(buffer, 9), QVariant(QString()));
        EXPECT_TRUE(packed.decode(buffer, 9).isValid());
    });
    EXPECT_EQ(rows, 4);
    // The row of nulls takes no room for texts.
    EXPECT_EQ(smallest, packed.maxSize() - TextBytes(tr, select));
}

// Texts filling their columns to the last byte, on either side of the most one-byte ends can say.
TEST(PackedRowTest, FullTextsReadBackWhateverTheirEndsTake)
{
    TempDatabase db;
    if (db.path().isEmpty())
        GTEST_SKIP() << "template database missing: build tarvis_template_db";
    Attachment att;
    att.attach(db.path(), ConnectParams::fromLines({QStringLiteral("user_name=SYSDBA")}));
    const struct {
        int lastChar; // bytes of the last CHAR: the texts' bytes are 200 + 50 + this
        unsigned endBytes;
    } cases[] = {{5, 1}, {6, 2}, {300, 2}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.lastChar);
        const QString table = QStringLiteral("t%1").arg(c.lastChar);
        att.executeImmediate(QStringLiteral("create table %1 (id integer, a varchar(200), b char(50), "
                                            "x integer, c char(%2))")
                                 .arg(table)
                                 .arg(c.lastChar));
        att.executeImmediate(QStringLiteral("insert into %1 values (1, lpad('', 200, 'á'), lpad('', 50, 'b'), 7, "
                                            "lpad('', %2, 'c'))")
                                 .arg(table)
                                 .arg(c.lastChar));
        att.executeImmediate(QStringLiteral("insert into %1 values (2, 'a', null, null, 'c')").arg(table));
        Transaction tr(att);
        const QString select = QStringLiteral("select * from %1 order by id").arg(table);
        PackedRow packed;
        unsigned smallest = 0;
        EXPECT_EQ(PackAndCompare(tr, select, packed, &smallest), 2);
        const unsigned textBytes = TextBytes(tr, select);
        EXPECT_EQ(textBytes, 250u + unsigned(c.lastChar));
        // One null byte, the two integers, three text ends and the texts at most.
        EXPECT_EQ(packed.maxSize(), 1 + 8 + 3 * c.endBytes + textBytes);
        tr.commit();
    }
}

} // namespace
