// Start benchmark: the program's start to the enabled main menu on the demo database (splash, settings,
// the 34 long-lived objects, connection, privileges) and its close, against a bare window that attaches
// to the same database and closes.
// Usage: start_bench [path of database/create.sh]
#include "BenchDatabase.h"
#include "platform/fb/IBDatabase.h"
#include "platform/ui/Dialogs.h"
#include "shell/DMZal.h"
#include "shell/FormMenu.h"
#include "shell/Startup.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMainWindow>
#include <QProcess>
#include <QTemporaryDir>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// database/create.sh: given, or found above the benchmark's folder (build folders sit in the source tree).
void waitFor(const std::function<bool()> &done)
{
    QElapsedTimer limit;
    limit.start();
    while (!done() && limit.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

double programStart(const QString &programFile)
{
    QElapsedTimer t;
    t.start();
    TFormMenu *menu = StartProgram(TStartOptions{programFile});
    menu->show();
    // The show handler connects and enables the menu in one go, once the window is on screen.
    waitFor([] { return DMZal->DBZAL.Connected(); });
    if (!DMZal->DBZAL.Connected()) {
        std::fprintf(stderr, "start_bench: the program did not connect\n");
        std::exit(1);
    }
    TTestResponder answers; // answers the closing question with Yes
    answers.MessageAnswers = {mrYes};
    menu->close();
    ShutDownProgram();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return t.nsecsElapsed() / 1e6;
}

double bareStart(const QString &database)
{
    QElapsedTimer t;
    t.start();
    {
        QMainWindow window;
        window.setWindowTitle(QStringLiteral("TarvIS"));
        window.show();
        TIBDatabase db;
        db.DatabaseName = database;
        db.Params.SetValue(QStringLiteral("user_name"), QStringLiteral("SYSDBA"));
        db.Open();
        waitFor([&] { return window.windowHandle() && window.windowHandle()->isExposed(); });
        window.close();
        db.Close();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return t.nsecsElapsed() / 1e6;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    const QString script = FindCreateScript(argc, argv);
    if (script.isEmpty()) {
        std::fprintf(stderr, "start_bench: database/create.sh not found; give its path\n");
        return 2;
    }
    QTemporaryDir folder;
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
    const QString programFile = QDir(folder.path()).filePath(QStringLiteral("tarvis"));

    // A warm-up of each, then alternating runs.
    programStart(programFile);
    bareStart(database);
    std::vector<double> program, bare;
    for (int i = 0; i < 7; ++i) {
        program.push_back(programStart(programFile));
        bare.push_back(bareStart(database));
    }
    const double p = median(program), b = median(bare);
    std::printf("start: program %.1f ms, bare %.1f ms, ratio %.2f\n", p, b, b > 0 ? p / b : 0.0);
    return 0;
}
