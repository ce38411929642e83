// Fetching a wide query: 200,000 rows of 15 columns through TxQuery (reading every field) against a plain
// client loop that fetches the same rows without converting anything, and against the floor: that loop
// decoding every value into the same Qt types. Then the memory a fetched row takes: 1,000,000 rows held
// by a query, as heap in use before and after, against the data they carry.
#include "BenchDatabase.h"
#include "BenchTiming.h"
#include "library/xDatabase.h"
#include "library/xQuery.h"
#include "platform/fbapi/Attachment.h"
#include "platform/fbapi/Statement.h"
#include "platform/fbapi/Transaction.h"

#include "platform/fbapi/Decode.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <malloc.h>

namespace {
constexpr int kRows = 200000;
constexpr int kMemoryRows = 1000000;
const char *kSelect = "select * from WIDE where ID <= 200000 order by ID";
const char *kSelectAll = "select * from WIDE order by ID";

struct Timer {
    double start = CpuMs();
    double ms() const { return CpuMs() - start; }
};

void fill(const QString &path)
{
    fb::Attachment att = fb::Attachment::createDatabase(path, fb::ConnectParams::fromLines({"user_name=SYSDBA"}));
    att.executeImmediate("create table WIDE (ID integer not null primary key, I1 integer, I2 integer, "
                         "I3 bigint, D1 double precision, D2 double precision, D3 double precision, "
                         "DT1 date, DT2 date, TS timestamp, V1 varchar(20), V2 varchar(40), V3 varchar(60), "
                         "C1 char(4), V4 varchar(10))");
    att.executeImmediate(
        QStringLiteral(
            "execute block as declare i integer = 1; begin while (i <= %1) do begin "
            "insert into WIDE values (:i, :i * 2, mod(:i, 97), :i * 1000, :i * 1.25, :i / 7.0, 3.14, "
            "dateadd(mod(:i, 365) day to date '2026-01-01'), date '2026-12-31', current_timestamp, "
            "'Názov ' || :i, 'Odliatok zo šedej liatiny č. ' || :i, 'Poznámka k položke ' || :i || ' skladom', "
            "'AB' || mod(:i, 10), 'kód' || mod(:i, 100)); i = i + 1; end end")
            .arg(kMemoryRows));
    att.detach();
}

double rawFetch(const QString &path, bool decode)
{
    fb::Attachment att;
    att.attach(path, fb::ConnectParams::fromLines({"user_name=SYSDBA"}));
    fb::Transaction tr(att);
    fb::Statement st;
    Timer t;
    st.prepare(tr, kSelect);
    st.openCursor(tr);
    long n = 0, checksum = 0;
    const std::vector<fb::Column> &columns = st.outputs();
    while (st.fetchNext()) {
        ++n;
        if (decode)
            for (const fb::Column &c : columns)
                checksum += fb::decode(c, st.row()).isValid() ? 1 : 0;
    }
    st.closeCursor();
    const double ms = t.ms();
    if (decode && checksum != long(kRows) * long(columns.size()))
        std::fprintf(stderr, "raw+decode read %ld values\n", checksum);
    if (n != kRows)
        std::fprintf(stderr, "raw fetch read %ld rows\n", n);
    tr.commit();
    return ms;
}

double queryFetch(TxDatabase &db, double *first50)
{
    TxQuery q;
    q.SetDatabase(&db);
    q.SQL().SetText(kSelect);
    Timer t;
    q.Open();
    long n = 0, checksum = 0;
    const int fields = q.FieldCount();
    while (!q.Eof()) {
        for (int f = 0; f < fields; ++f)
            checksum += q.Fields(f)->Value().isValid() ? 1 : 0;
        if (++n == 50)
            *first50 = t.ms();
        q.Next();
    }
    const double ms = t.ms();
    if (n != kRows || checksum != long(kRows) * fields)
        std::fprintf(stderr, "query read %ld rows, %ld values\n", n, checksum);
    q.Close();
    return ms;
}

size_t heapInUse()
{
    const struct mallinfo2 m = mallinfo2();
    return m.uordblks + m.hblkhd;
}

// 1,000,000 rows held by a query: heap per row against data per row. Then the heap once it closed,
// less the chunks kept for the next opening; a second opening and closing shows whether more is kept.
void memory(TxDatabase &db)
{
    malloc_trim(0);
    const size_t before = heapInUse();
    size_t afterFirst = 0;
    for (int pass = 0; pass < 2; ++pass) {
        TxQuery q;
        q.SetDatabase(&db);
        q.SQL().SetText(kSelectAll);
        const size_t opening = heapInUse();
        q.Open();
        q.FetchAll();
        const size_t held = heapInUse();
        size_t data = 0;
        const int fields = q.FieldCount();
        for (q.First(); !q.Eof(); q.Next())
            for (int f = 0; f < fields; ++f)
                data += DataBytes(q.Fields(f)->Value());
        const long rows = q.RecordCount();
        q.Close();
        if (pass == 1) {
            const double again = (double(heapInUse()) - double(afterFirst)) / 1e6;
            std::printf("memory: opening and closing it again leaves %.1f MB more\n", again);
            break;
        }
        afterFirst = heapInUse();
        const double perRow = double(held - opening) / double(rows), dataPerRow = double(data) / double(rows);
        const double pooled = double(TDataSet::PooledRowBytes());
        std::printf("memory: after closing %.1f MB more than before opening, of which %.1f MB chunks of rows "
                    "kept for the next opening\n",
                    (double(afterFirst) - double(before)) / 1e6, pooled / 1e6);
        std::printf("memory: %ld rows, %.0f bytes per row, data %.0f, ratio %.2f\n", rows, perRow, dataPerRow,
                    perRow / dataPerRow);
    }
}
} // namespace

int main(int argc, char **argv)
{
    // As the program does: the C library then reads the time zone once, not on every conversion.
    if (qEnvironmentVariableIsEmpty("TZ"))
        qputenv("TZ", ":/etc/localtime");
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath("bench.fdb");
    fill(path);

    BenchDatabase connection(path);
    TxDatabase &db = connection.db;

    // First, while no chunks of rows are pooled from earlier queries.
    memory(db);

    // One warm-up each so all read from a warm page cache.
    double first50 = 0;
    rawFetch(path, false);
    rawFetch(path, true);
    queryFetch(db, &first50);
    double raw = 1e18, decoded = 1e18, query = 1e18;
    for (int i = 0; i < 5; ++i) {
        raw = std::min(raw, rawFetch(path, false));
        decoded = std::min(decoded, rawFetch(path, true));
        query = std::min(query, queryFetch(db, &first50));
    }
    db.Close();
    std::printf("first 50 rows: %.1f ms of %.1f ms (processor time, the least of 5 runs)\n", first50, query);
    std::printf("fetch: the program's query reading every row against a raw client that fetches them, and one that "
                "also decodes every value: %d rows, TxQuery %.0f ms, raw %.0f ms, ratio %.2f, raw+decode %.0f ms, "
                "ratio to raw+decode %.2f\n",
                kRows, query, raw, query / raw, decoded, query / decoded);
    return 0;
}
