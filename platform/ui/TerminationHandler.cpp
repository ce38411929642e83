#include "TerminationHandler.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSocketNotifier>
#include <QWidget>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

// The signal handler only writes a byte into this pipe; the message loop reads it (a handler may not
// touch Qt).
int wakeFds[2] = {-1, -1};
bool requested = false;
QPointer<QWidget> window;

void onSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(wakeFds[1], &byte, 1);
    errno = saved;
}

void terminate()
{
    char buf[16];
    while (::read(wakeFds[0], buf, sizeof buf) > 0) {
    }
    if (requested)
        return;
    requested = true;
    if (window)
        window->close();
    // Every running loop ends, a modal form's as well as the main one.
    QCoreApplication::exit(0);
}

} // namespace

void InstallTerminationHandler(QWidget *mainWindow)
{
    // Another main window is another start in this process: a signal the earlier one ended by is not its own.
    if (window != mainWindow)
        requested = false;
    window = mainWindow;
    if (wakeFds[0] < 0) {
        if (::pipe2(wakeFds, O_CLOEXEC | O_NONBLOCK) != 0)
            return;
        auto *notifier = new QSocketNotifier(wakeFds[0], QSocketNotifier::Read, QCoreApplication::instance());
        QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] { terminate(); });
    }
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}

bool TerminationRequested()
{
    return requested;
}
