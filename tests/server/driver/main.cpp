// tarvis_workstation DATABASE: connects as SYSDBA (the password in ISC_PASSWORD, kept out of the process
// list) with the program's base module and the sales and production data modules, prints "ready", then
// answers command lines from standard input until "quit" or its end.
#include "WorkstationDriver.h"

#include "dispatch/DMExp.h"
#include "material/DMMTZ.h"
#include "production/DMOdv.h"
#include "production/DMVyk.h"
#include "production/DMVyroba.h"
#include "sales/DMOdbyt.h"
#include "sales/DMTPV.h"
#include "shell/DMCis.h"
#include "shell/DMZal.h"
#include "platform/os/IniFile.h"
#include "platform/ui/Dialogs.h"

#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    if (argc != 2) {
        out << "error usage: ISC_PASSWORD=... tarvis_workstation DATABASE\n";
        return 2;
    }
    // A program folder of its own (its settings file names the database) and a configuration folder of
    // its own, so two instances never share the last log-in.
    QTemporaryDir folder;
    const QDir dir(folder.path());
    qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toUtf8());
    QLocale::setDefault(QLocale(QLocale::Slovak, QLocale::Slovakia));
    TIniFile(dir.filePath(QStringLiteral("TarvIS.ini")))
        .WriteString(QStringLiteral("Database"), QStringLiteral("Name"), QString::fromLocal8Bit(argv[1]));

    TTestResponder responder;
    TDMZal zal(dir.filePath(QStringLiteral("tarvis")));
    zal.DBZAL.Params.SetValue(QStringLiteral("password"), qEnvironmentVariable("ISC_PASSWORD"));
    try {
        zal.ConnectDatabase();
    } catch (const std::exception &e) {
        out << "error " << WorkstationDriver::OneLine(QString::fromUtf8(e.what())) << '\n';
        return 1;
    }
    if (!zal.DBZAL.Connected()) {
        out << "error " << WorkstationDriver::OneLine(responder.Texts().join(QLatin1Char('\n'))) << '\n';
        return 1;
    }
    zal.DBTransaction.SetIdleTimer(0);
    TDMCis cis;
    TDMTPV tpv;
    TDMOdbyt odbyt;
    TDMVyroba vyroba;
    TDMVyk vyk;
    TDMMTZ mtz;
    TDMOdv odv;
    TDMExp exp;
    {
        WorkstationDriver driver(responder);
        out << "ready\n";
        out.flush();
        QTextStream in(stdin);
        QString line;
        while (in.readLineInto(&line) && line.trimmed() != QLatin1String("quit")) {
            for (const QString &reply : driver.Run(line))
                out << reply << '\n';
            out.flush();
        }
    }
    return 0;
}
