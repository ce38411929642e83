// Start benchmark: a fresh process of the real program (every module registered, the demo database) until
// its main menu is enabled after the message check, against a fresh process of a bare Qt program with a
// main window, a menu bar, a tool bar and a status text that then attaches to the same database and reads
// one small query. Both say "started" when there (the program when TARVIS_START_PROBE is set) and end. Runs
// alternate; the medians of the clock are compared. For scale it also times a process that only attaches
// to the database through the embedded engine.
// Usage: start_bench [path of database/create.sh]
#include "BenchDatabase.h"
#include "BenchTiming.h"
#include "platform/fbapi/Attachment.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr int kRuns = 21;

// Milliseconds from starting the process to its "started" line; the process is then let end.
double timeToStarted(const QString &program, const QStringList &arguments = {})
{
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    QElapsedTimer t;
    t.start();
    process.start(program, arguments);
    double ms = -1;
    while (process.waitForReadyRead(60000)) {
        if (process.readAllStandardOutput().contains("started")) {
            ms = double(t.nsecsElapsed()) / 1e6;
            break;
        }
    }
    if (!process.waitForFinished(60000))
        process.kill();
    if (ms < 0) {
        std::fprintf(stderr, "start_bench: %s did not say it started:\n%s\n", qPrintable(program),
                     process.readAllStandardError().constData());
        std::exit(1);
    }
    return ms;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--attach") == 0) {
        fb::Attachment att;
        att.attach(QString::fromLocal8Bit(argv[2]), fb::ConnectParams::fromLines({"user_name=SYSDBA"}));
        std::puts("started");
        std::fflush(stdout);
        att.detach();
        return 0;
    }
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    const QString script = FindCreateScript(argc, argv);
    if (script.isEmpty()) {
        std::fprintf(stderr, "start_bench: database/create.sh not found; give its path\n");
        return 2;
    }
    // The program finds its database and settings next to itself: a copy of it runs in a folder of its own.
    QTemporaryDir folder;
    const QString program = QDir(folder.path()).filePath(QStringLiteral("tarvis"));
    if (!QFile::copy(QStringLiteral(TARVIS_PROGRAM), program)) {
        std::fprintf(stderr, "start_bench: cannot copy %s\n", TARVIS_PROGRAM);
        return 1;
    }
    const QString database = QDir(folder.path()).filePath(QStringLiteral("TarvDB.fdb"));
    QProcess create;
    create.start(QStringLiteral("bash"), {script, database, QStringLiteral("--demo")});
    if (!create.waitForFinished(300000) || create.exitCode() != 0) {
        std::fprintf(stderr, "start_bench: creating the demo database failed:\n%s\n",
                     create.readAllStandardError().constData());
        return 1;
    }
    // The last log-in is kept in a configuration folder of the run, not the user's.
    qputenv("XDG_CONFIG_HOME", QDir(folder.path()).filePath(QStringLiteral("config")).toUtf8());
    qputenv("TARVIS_START_PROBE", "1");
    const QString bare = QStringLiteral(START_BARE_PROGRAM);

    // A warm-up of each (the disk cache), then alternating runs.
    timeToStarted(program);
    const QStringList bareArguments{database};
    timeToStarted(bare, bareArguments);
    const QString self = QCoreApplication::applicationFilePath();
    const QStringList attachOnly{QStringLiteral("--attach"), database};
    timeToStarted(self, attachOnly);
    std::vector<double> programMs, bareMs, attachMs;
    for (int i = 0; i < kRuns; ++i) {
        if (i % 2) {
            programMs.push_back(timeToStarted(program));
            bareMs.push_back(timeToStarted(bare, bareArguments));
        } else {
            bareMs.push_back(timeToStarted(bare, bareArguments));
            programMs.push_back(timeToStarted(program));
        }
        attachMs.push_back(timeToStarted(self, attachOnly));
    }
    const double p = Median(programMs), b = Median(bareMs);
    std::printf("start: %d runs each, medians of the clock\n", kRuns);
    std::printf("start: a process that only attaches to the database (embedded engine) %.1f ms\n", Median(attachMs));
    std::printf("start: the program to its enabled menu against a bare Qt window that attaches and reads one query: "
                "program %.1f ms, bare %.1f ms, ratio %.2f\n",
                p, b, b > 0 ? p / b : 0.0);
    return 0;
}
