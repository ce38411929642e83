// Fetching a wide query: 200,000 rows of 15 columns through TxQuery (reading every field) against a plain
// client loop that fetches the same rows without converting anything, on one embedded database.
#include "BenchDatabase.h"
#include "library/xDatabase.h"
#include "library/xQuery.h"
#include "platform/fbapi/Attachment.h"
#include "platform/fbapi/Statement.h"
#include "platform/fbapi/Transaction.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

namespace {
constexpr int kRows = 200000;
const char *kSelect = "select * from WIDE order by ID";

void fill(const QString &path)
{
    fb::Attachment att = fb::Attachment::createDatabase(path, fb::ConnectParams::fromLines({"user_name=SYSDBA"}));
    att.executeImmediate("create table WIDE (ID integer not null primary key, I1 integer, I2 integer, "
                         "I3 bigint, D1 double precision, D2 double precision, D3 double precision, "
                         "DT1 date, DT2 date, TS timestamp, V1 varchar(20), V2 varchar(40), V3 varchar(60), "
                         "C1 char(4), V4 varchar(10))");
    att.executeImmediate(QStringLiteral(
        "execute block as declare i integer = 1; begin while (i <= %1) do begin "
        "insert into WIDE values (:i, :i * 2, mod(:i, 97), :i * 1000, :i * 1.25, :i / 7.0, 3.14, "
        "dateadd(mod(:i, 365) day to date '2026-01-01'), date '2026-12-31', current_timestamp, "
        "'Názov ' || :i, 'Odliatok zo šedej liatiny č. ' || :i, 'Poznámka k položke ' || :i || ' skladom', "
        "'AB' || mod(:i, 10), 'kód' || mod(:i, 100)); i = i + 1; end end").arg(kRows));
    att.detach();
}

double rawFetch(const QString &path)
{
    fb::Attachment att;
    att.attach(path, fb::ConnectParams::fromLines({"user_name=SYSDBA"}));
    fb::Transaction tr(att);
    fb::Statement st;
    QElapsedTimer t;
    t.start();
    st.prepare(tr, kSelect);
    st.openCursor(tr);
    long n = 0;
    while (st.fetchNext())
        ++n;
    st.closeCursor();
    const double ms = double(t.nsecsElapsed()) / 1e6;
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
    QElapsedTimer t;
    t.start();
    q.Open();
    long n = 0, checksum = 0;
    const int fields = q.FieldCount();
    while (!q.Eof()) {
        for (int f = 0; f < fields; ++f)
            checksum += q.Fields(f)->Value().isValid() ? 1 : 0;
        if (++n == 50)
            *first50 = double(t.nsecsElapsed()) / 1e6;
        q.Next();
    }
    const double ms = double(t.nsecsElapsed()) / 1e6;
    if (n != kRows || checksum != long(kRows) * fields)
        std::fprintf(stderr, "query read %ld rows, %ld values\n", n, checksum);
    q.Close();
    return ms;
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

    // One warm-up each so both read from a warm page cache.
    double first50 = 0;
    rawFetch(path);
    queryFetch(db, &first50);
    double raw = 1e18, query = 1e18;
    for (int i = 0; i < 3; ++i) {
        raw = std::min(raw, rawFetch(path));
        query = std::min(query, queryFetch(db, &first50));
    }
    db.Close();
    std::printf("first 50 rows: %.1f ms of %.1f ms\n", first50, query);
    std::printf("fetch: %d rows, TxQuery %.0f ms, raw %.0f ms, ratio %.2f\n", kRows, query, raw, query / raw);
    return 0;
}
