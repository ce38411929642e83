// The whole road of 1,000 orders on the embedded engine, four a working day: for each order a header, two jobs, their
// calculations, the internal orders printed (state 3), confirmed (5), planned (30), performances booked
// (40, 50), handed over (90), a delivery note made and printed (100), its invoice and the accounting
// export (export.txt). Once through the data modules' own routines, once as the same statements sent
// bare through the client API and committed where the program commits them (each save by itself), each
// on its own copy of one fresh demo database, in alternating blocks.
// Both roads must end with the same rows. Each block's times and the costliest statements go to stderr.
// Usage: road_bench [path of database/create.sh [orders]]
#include "BenchTiming.h"
#include "ProgramDatabase.h"
#include "RoadBare.h"
#include "RoadModules.h"
#include "RoadPlan.h"
#include "platform/os/Clock.h"
#include "platform/fbapi/Statement.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int orders = argc > 2 ? std::max(1, QString::fromLocal8Bit(argv[2]).toInt()) : 1000;
    QTemporaryDir folder;
    const QString modulesDb = QDir(folder.path()).filePath(QStringLiteral("TarvDB.fdb"));
    const QString bareDb = QDir(folder.path()).filePath(QStringLiteral("Bare.fdb"));
    if (!CreateProgramDatabase("road_bench", argc, argv, folder.path(), true))
        return 1;
    // The second database is a copy of the first: the same rows, the same generators.
    if (!QFile::copy(modulesDb, bareDb)) {
        std::fprintf(stderr, "road_bench: the database could not be copied\n");
        return 1;
    }
    TRoadModules modules(folder.path());
    TRoadBare bare(bareDb, folder.path());
    if (!modules.Connected())
        return 1;

    // Short turns, so that a busy moment of the machine (the disk writing back, another process) falls on
    // both paths alike; which path goes first changes from turn to turn, so neither always follows the
    // other's writes. The times are reported in blocks of 50 orders.
    const int block = std::max(1, std::min(50, orders));
    constexpr int turn = 5;
    double modulesMs = 0, bareMs = 0;
    // Each order on its working day, on both roads alike.
    const auto onItsDay = [](int order) { SetNowForTests(QDateTime(Road::Day(order), QTime(10, 0))); };
    double first[2] = {0, 0}, last[2] = {0, 0};
    long long modulesPrepares = 0, barePrepares = 0, modulesCommits = 0, bareCommits = 0;
    int turns = 0;
    for (int done = 0; done < orders; done += block) {
        const int n = std::min(block, orders - done);
        double m = 0, b = 0;
        for (int from = done; from < done + n; from += turn) {
            const int to = std::min(from + turn, done + n);
            for (int side = 0; side < 2; ++side) {
                const bool onModules = (side == 0) == (turns % 2 == 0);
                const long long prepared = fb::Statement::Prepares(), committed = fb::Transaction::Commits();
                const double start = CpuMs();
                for (int order = from; order < to; ++order) {
                    onItsDay(order);
                    if (onModules)
                        modules.Order(order);
                    else
                        bare.Order(order);
                }
                const double spent = CpuMs() - start;
                (onModules ? m : b) += spent;
                (onModules ? modulesPrepares : barePrepares) += fb::Statement::Prepares() - prepared;
                (onModules ? modulesCommits : bareCommits) += fb::Transaction::Commits() - committed;
            }
            ++turns;
        }
        modulesMs += m;
        bareMs += b;
        if (done == 0)
            first[0] = m, first[1] = b;
        last[0] = m, last[1] = b;
        // A block's time growing with the orders before it shows a statement that reads them all.
        std::fprintf(stderr, "orders %d-%d: modules %.0f ms, statements %.0f ms\n", done + 1, done + n, m, b);
    }
    onItsDay(orders - 1);
    modules.Finish();
    bare.Finish();

    const TRoadCounts a = modules.Counts(), b = bare.Counts();
    std::fprintf(stderr, "modules: %s\nstatements: %s\n", qPrintable(a.Text()), qPrintable(b.Text()));
    std::fprintf(stderr, "statements sent: modules %lld, bare %lld\ncostliest statements:\n", modules.Statements(),
                 bare.Statements());
    for (const QString &line : bare.Costliest(8))
        std::fprintf(stderr, "  %s\n", qPrintable(line));
    const bool same = a == b && a.Finished == 2 * orders && a.Invoiced == orders;
    if (!same)
        std::fprintf(stderr, "road_bench: the two roads did not end alike\n");
    // Orders that cost no more with the history before them: the last block takes as long as the first.
    const auto ratio = [](double a, double b) { return a / std::max(b, 0.001); };
    std::printf("first block: modules %.0f ms, statements %.0f ms, ratio %.2f; last block: modules %.0f ms, "
                "statements %.0f ms, ratio %.2f; last over first: modules %.2f, statements %.2f\n",
                first[0], first[1], ratio(first[0], first[1]), last[0], last[1], ratio(last[0], last[1]),
                ratio(last[0], first[0]), ratio(last[1], first[1]));
    const double modulesPerOrder = double(modulesPrepares) / orders, barePerOrder = double(barePrepares) / orders;
    std::printf("road: %d orders, modules %.0f ms, statements %.0f ms, ratio %.2f; prepares per order: modules %.1f, "
                "statements %.1f, ratio %.1f; commits per order: modules %.1f, statements %.1f\n",
                orders, modulesMs, bareMs, ratio(modulesMs, bareMs), modulesPerOrder, barePerOrder,
                ratio(modulesPerOrder, barePerOrder), double(modulesCommits) / orders, double(bareCommits) / orders);
    return same ? 0 : 1;
}
