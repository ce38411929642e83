// Rows kept packed read back exactly as from the message buffer, in less room: every type, nulls,
// padded and blank CHARs in single- and multi-byte sets, empty texts.
#include "platform/fbapi/FbClient.h"
#include "platform/fbapi/PackedRow.h"

#include "common/TempDatabase.h"

#include <gtest/gtest.h>

using namespace fb;

namespace {

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
    Statement sel;
    sel.prepare(tr, QStringLiteral("select * from typy order by id"));
    PackedRow packed;
    packed.reset(sel.outputs(), sel.outputLength());
    EXPECT_LT(packed.maxSize(), sel.outputLength());
    sel.openCursor(tr);
    std::vector<unsigned char> buffer(packed.maxSize());
    int rows = 0;
    unsigned smallest = packed.maxSize();
    while (sel.fetchNext()) {
        ++rows;
        const unsigned used = packed.pack(sel.row(), buffer.data());
        ASSERT_LE(used, packed.maxSize());
        smallest = std::min(smallest, used);
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
        if (rows == 2) {
            EXPECT_EQ(packed.decode(buffer.data(), 6).toString(), QStringLiteral(" a   "));
            EXPECT_EQ(packed.decode(buffer.data(), 8).toString(), QStringLiteral("   "));
            EXPECT_EQ(packed.decode(buffer.data(), 9), QVariant(QString()));
            EXPECT_TRUE(packed.decode(buffer.data(), 9).isValid());
        }
    }
    EXPECT_EQ(rows, 4);
    // The row of nulls takes no room for texts.
    unsigned textBytes = 0;
    for (const Column &c : sel.outputs())
        textBytes += c.isText() ? c.length : 0;
    EXPECT_EQ(smallest, packed.maxSize() - textBytes);
}

} // namespace
