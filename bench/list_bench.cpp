// The memory of a long list: the customer orders browser over 100,000 orders with its filter taken off,
// scrolled to its end (every row fetched), newest first as it lists them. The process's peak resident
// memory (VmHWM) gained from just before the list opened, against the heap the rows it holds take (and
// their data: text at its length, 8 bytes a number, 4 a date). The demo database filled up with orders, or a copy of
// BENCH_DATABASE (bench/history.sh) topped up the same way.
// Usage: list_bench [path of database/create.sh]
#include "BenchTiming.h"
#include "ProgramDatabase.h"
#include "platform/fbapi/Attachment.h"
#include "platform/fbapi/Transaction.h"
#include "sales/DMOdbyt.h"
#include "shell/DMZal.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <malloc.h>

namespace {

constexpr int kOrders = 100000;

// A line of /proc/self/status in kilobytes ("VmHWM", "VmRSS").
long statusKb(const char *name)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray key = QByteArray(name) + ':';
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toLong();
    return 0;
}

// Orders added until there are kOrders, spread over twenty years before today.
void fill(const QString &path)
{
    fb::Attachment att;
    att.attach(path, fb::ConnectParams::fromLines({"user_name=SYSDBA", "lc_ctype=WIN1250"}));
    fb::Transaction tr(att);
    tr.execute(
        QStringLiteral(
            "EXECUTE BLOCK AS DECLARE N INTEGER; BEGIN "
            "SELECT COUNT(*) FROM ZAKAZKY INTO :N; "
            "WHILE (N < %1) DO BEGIN "
            "  INSERT INTO ZAKAZKY (C_OBJ, TYP_OBJ, C_ODB, ODBERATEL, D_OBJ, D_VYSTAV, VYSTAVIL, POZNAMKA, MENA) "
            "  VALUES ('L' || :N, 'Z', 1 + MOD(:N, 40), 'Odberatel ' || MOD(:N, 40), CURRENT_DATE - 1 - MOD(:N, "
            "  7300), CURRENT_DATE - 1 - MOD(:N, 7300), 'SYSDBA', 'Objednavka e-mailom', 'EUR'); "
            "  N = N + 1; "
            "END END")
            .arg(kOrders));
    tr.execute(QStringLiteral("EXECUTE BLOCK AS DECLARE N VARCHAR(63); BEGIN FOR SELECT TRIM(RDB$INDEX_NAME) FROM "
                              "RDB$INDICES WHERE RDB$RELATION_NAME = 'ZAKAZKY' INTO :N DO "
                              "EXECUTE STATEMENT 'SET STATISTICS INDEX \"' || N || '\"'; END"));
    tr.commit();
    att.detach();
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir folder;
    const std::unique_ptr<TDMZal> program = OpenProgramDatabase("list_bench", argc, argv, folder.path(), true, fill);
    if (!program)
        return 1;
    TDMOdbyt odbyt;

    // The browser as it opens, then its filter taken off and the list scrolled to its end.
    odbyt.OpenRecentOrders();
    // The peak counted from here: the kernel starts VmHWM again at the present resident size.
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (!clear.open(QIODevice::WriteOnly) || clear.write("5") != 1)
        std::fprintf(stderr, "list_bench: the peak could not be reset, it counts from the start\n");
    clear.close();
    const long before = statusKb("VmRSS");
    const struct mallinfo2 opening = mallinfo2();
    odbyt.QvZakazky.Close();
    odbyt.QvZakazky.SetFiltered(false);
    odbyt.QvZakazky.Open();
    odbyt.QvZakazky.Last();
    const long peak = statusKb("VmHWM");
    const struct mallinfo2 scrolled = mallinfo2();
    const double rowsHeap =
        (double(scrolled.uordblks + scrolled.hblkhd) - double(opening.uordblks + opening.hblkhd)) / 1e6;
    size_t data = 0;
    long rows = 0;
    TDataSet &list = odbyt.QvZakazky;
    for (list.First(); !list.Eof(); list.Next(), ++rows)
        for (int f = 0; f < list.FieldCount(); ++f)
            data += DataBytes(list.Fields(f)->Value());
    const double gained = double(peak - before) * 1024 / 1e6, held = double(data) / 1e6;
    std::printf("list: the orders browser with its filter off scrolled to its end (%ld orders): peak gained %.1f MB "
                "(VmHWM %.1f MB), the rows hold %.1f MB of heap (their data %.1f MB), ratio %.2f\n",
                rows, gained, double(peak) * 1024 / 1e6, rowsHeap, held, gained / std::max(rowsHeap, 0.001));
    return rows > 0 ? 0 : 1;
}
