// The program: its start with the splash, the main menu and the message loop.
#include "program/Modules.h"
#include "shell/Startup.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>

#include <cstdlib>
#include <unistd.h>

namespace {
// The embedded engine keeps its lock files in /tmp/firebird. When that folder belongs to the server's
// account and this user may not write there, the user gets a lock folder of his own.
void chooseLockFolder()
{
    if (std::getenv("FIREBIRD_LOCK"))
        return;
    const QFileInfo shared(QStringLiteral("/tmp/firebird"));
    if (!shared.exists() || access("/tmp/firebird", W_OK | X_OK) == 0)
        return;
    const QString own = QDir::tempPath() + QStringLiteral("/firebird-") + QString::number(getuid());
    QDir().mkpath(own);
    setenv("FIREBIRD_LOCK", QFile::encodeName(own).constData(), 1);
}
} // namespace

int main(int argc, char **argv)
{
    // Without TZ the C library reads the zone file again on every local-time conversion.
    if (!std::getenv("TZ"))
        setenv("TZ", ":/etc/localtime", 1);
    chooseLockFolder();
    // The modules built so far take the places of their stand-ins in the start-up list and the menu.
    RegisterModules();
    return RunProgram(argc, argv);
}
