#include "Folders.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace {
QString withSlash(const QString &folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}
} // namespace

QString ProgramFileName()
{
    return QCoreApplication::applicationFilePath();
}

QString ProgramFolder()
{
    return withSlash(QCoreApplication::applicationDirPath());
}

QString CurrentFolder()
{
    return withSlash(QDir::currentPath());
}

QString DocumentsFolder()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return withSlash(folder.isEmpty() ? QDir::homePath() : folder);
}

QString AppDataFolder()
{
    const QString folder =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/TarvIS");
    QDir().mkpath(folder);
    return withSlash(folder);
}

bool OpenInDesktop(const QString &fileOrUrl)
{
    const QUrl url = QFileInfo::exists(fileOrUrl) || !fileOrUrl.contains(QLatin1Char(':'))
                         ? QUrl::fromLocalFile(QFileInfo(fileOrUrl).absoluteFilePath())
                         : QUrl(fileOrUrl);
    return QDesktopServices::openUrl(url);
}

bool OpenInTextEditor(const QString &path)
{
    for (const char *variable : {"VISUAL", "EDITOR"}) {
        QStringList command = QProcess::splitCommand(qEnvironmentVariable(variable));
        if (command.isEmpty())
            continue;
        const QString program = command.takeFirst();
        command << QFileInfo(path).absoluteFilePath();
        if (QProcess::startDetached(program, command))
            return true;
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
}
