// One more program instance on the served database: the workstation driver started as a process of its own
// (its own connection and data modules), given command lines and read back reply by reply.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

class WorkstationProcess {
public:
    // Starts the driver on the database as SYSDBA with the password in its environment; Started() tells
    // whether it connected.
    WorkstationProcess(const QString &database, const QString &password);
    // Asks it to quit; ends it when it does not.
    ~WorkstationProcess();
    WorkstationProcess(const WorkstationProcess &) = delete;
    WorkstationProcess &operator=(const WorkstationProcess &) = delete;

    struct Reply {
        bool ok = false;
        QString text;      // the result, or the error's message
        QStringList boxes; // the message boxes the step showed
    };
    // Sends a command and waits for its reply (a minute at most: a hang fails as an error reply).
    Reply Run(const QString &command);
    // Sends a command without waiting; Wait() reads its reply.
    void Send(const QString &command);
    Reply Wait();

    // Ends the process at once, as a crash or a pulled plug would.
    void Kill();

    bool Started() const { return started_; }
    // Why it did not start (what it printed).
    QString StartError() const { return startError_; }

private:
    QString readLine();
    void forwardErrors();
    QProcess process_;
    bool started_ = false;
    QString startError_;
};
