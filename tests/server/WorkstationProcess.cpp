#include "WorkstationProcess.h"

#include <QDeadlineTimer>

#include <cstdio>

namespace {

constexpr int kReplyMs = 60000;

QString unescape(QString text)
{
    return text.replace(QLatin1String("\\n"), QLatin1String("\n"));
}

} // namespace

WorkstationProcess::WorkstationProcess(const QString &database, const QString &password)
{
    process_.setProcessChannelMode(QProcess::SeparateChannels);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ISC_PASSWORD"), password);
    process_.setProcessEnvironment(environment);
    process_.start(QStringLiteral(TARVIS_WORKSTATION), {database});
    if (!process_.waitForStarted(10000)) {
        startError_ = QStringLiteral("the driver did not start: ") + process_.errorString();
        return;
    }
    const QString first = readLine();
    started_ = first == QLatin1String("ready");
    if (!started_)
        startError_ = first + QString::fromUtf8(process_.readAllStandardError());
}

WorkstationProcess::~WorkstationProcess()
{
    if (process_.state() != QProcess::NotRunning) {
        process_.write("quit\n");
        process_.closeWriteChannel();
        if (!process_.waitForFinished(10000)) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }
    forwardErrors();
}

void WorkstationProcess::Kill()
{
    process_.kill();
    process_.waitForFinished(5000);
    forwardErrors();
}

void WorkstationProcess::forwardErrors()
{
    // What the driver wrote to its error output goes to the test's own, where a sanitizer's report of the
    // driver is seen and counted like one of the test program.
    const QByteArray errors = process_.readAllStandardError();
    if (!errors.isEmpty()) {
        std::fwrite(errors.constData(), 1, static_cast<size_t>(errors.size()), stderr);
        std::fflush(stderr);
    }
}

QString WorkstationProcess::readLine()
{
    const QDeadlineTimer deadline(kReplyMs);
    while (!process_.canReadLine()) {
        if (process_.state() == QProcess::NotRunning || deadline.hasExpired())
            return QStringLiteral("error the driver ended or did not answer: ") +
                   QString::fromUtf8(process_.readAllStandardError());
        process_.waitForReadyRead(int(std::max<qint64>(1, deadline.remainingTime())));
    }
    return QString::fromUtf8(process_.readLine()).chopped(1);
}

void WorkstationProcess::Send(const QString &command)
{
    process_.write((command + QLatin1Char('\n')).toUtf8());
    process_.waitForBytesWritten(5000);
}

WorkstationProcess::Reply WorkstationProcess::Wait()
{
    Reply reply;
    for (;;) {
        const QString line = readLine();
        if (line.startsWith(QLatin1String("box "))) {
            reply.boxes << unescape(line.mid(4));
            continue;
        }
        reply.ok = line.startsWith(QLatin1String("ok"));
        reply.text = unescape(line.mid(reply.ok ? 3 : 6));
        return reply;
    }
}

WorkstationProcess::Reply WorkstationProcess::Run(const QString &command)
{
    Send(command);
    return Wait();
}
