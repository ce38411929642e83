#include "AdminTools.h"

#include "AdminSql.h"
#include "DMZal.h"
#include "DMUsers.h"
#include "LoginDialog.h"
#include "Routines.h"
#include "library/xQuery.h"
#include "platform/os/Clock.h"
#include "platform/os/Exception.h"
#include "platform/os/Format.h"
#include "platform/ui/Dialogs.h"

namespace {

const QString MaintenanceCaption = QString::fromUtf8("Údržba DATABÁZY");

QDate firstOfMonth(const QDate &date)
{
    return QDate(date.year(), date.month(), 1);
}

void commitRetaining()
{
    DMZal->DBTransaction.CommitRetaining();
}

QStringList trimmedColumn(const QString &sql)
{
    QStringList names;
    for (const QString &name : SelectColumnParams(sql))
        names << name.trimmed();
    return names;
}

// The purge proper, between switching the triggers off and on: all of it or, when a step fails, none.
void purge(QStringList &report, const QDate &today)
{
    TSavepoint savepoint(&DMZal->DBTransaction);
    const QDate cutOff = today.addMonths(-120);
    for (const AdminSql::TPurge &p : AdminSql::Purges) {
        const int rows = ExecSqlParams(p.Sql, {cutOff});
        if (p.ReportLine)
            report << QString::fromUtf8(p.ReportLine).arg(rows);
    }
    ExecSqlParams(AdminSql::DeleteOrphanMoulds);
    ExecSqlParams(AdminSql::DeleteOrphanStock);
    report << QStringLiteral("Zakazky: %1").arg(ExecSqlParams(AdminSql::DeleteOldOrders, {today.addMonths(-180)}));
    savepoint.Commit();
}

// Switches the triggers on again; every one is tried, the first failure is raised after the commit.
void switchOn(const QStringList &triggers)
{
    QString failure;
    for (const QString &t : triggers) {
        try {
            ExecSqlNoParams(AdminSql::TriggerActive.arg(t));
        } catch (const std::exception &e) {
            if (failure.isEmpty())
                failure = QString::fromUtf8(e.what());
        }
    }
    commitRetaining();
    if (!failure.isEmpty())
        throw EDatabaseError(QString::fromUtf8("Triggery sa nepodarilo zapnúť: ") + failure);
}

// Rebuilds the program's own indices ("IX..."), recomputes the statistics of the others. An index switched
// off is switched on again even when something fails in between.
void reindex()
{
    for (const QString &index : trimmedColumn(AdminSql::Indices)) {
        if (!index.startsWith(QLatin1String("IX"))) {
            ExecSqlNoParams(AdminSql::IndexStatistics.arg(index));
            continue;
        }
        ExecSqlNoParams(AdminSql::IndexInactive.arg(index));
        ExecSqlNoParams(AdminSql::IndexActive.arg(index));
        commitRetaining();
    }
    commitRetaining();
}

} // namespace

QDate TechnologyHoursFrom(const QDate &today)
{
    return firstOfMonth(today.addDays(-90));
}

QDate PerformanceHoursFrom(const QDate &today)
{
    return firstOfMonth(today.addDays(-10));
}

QString Maintenance()
{
    const QString text = QString::fromUtf8("V rámci údržby budú prevedené nasledujúce kroky :\r\n"
                                           "- Odstránenie nulových skladových kariet\r\n"
                                           "- Zmazanie správ starších ako 3 roky\r\n"
                                           "- Zmazanie Vykonov, Odvodov, Dochádzky a Pohybov starších ako 10 rokov\r\n"
                                           "- Zmazanie Zákaziek, Kalkulácií starších ako 15 rokov\r\n"
                                           "- Odstranenie \"stratenych\" zaznamov\r\n"
                                           "- Reindexovanie");
    if (!Confirm(text, MaintenanceCaption))
        return QString();
    const int others = SelectValueParams(AdminSql::OtherAttachments).toInt();
    if (others > 0 &&
        !Confirm(QString::fromUtf8("K databáze sú pripojené ďalšie stanice (%1). Počas údržby by nemal nikto "
                                   "pracovať, inak môže údržba zlyhať.\r\nPokračovať v údržbe?")
                     .arg(others),
                 MaintenanceCaption))
        return QString();
    if (Confirm(QString::fromUtf8("Zmazať skladové karty s nulovou zásobou?"), QStringLiteral("Otázka")))
        ExecSqlParams(AdminSql::DeleteZeroStock);
    const QDate today = Date();
    ExecSqlParams(AdminSql::DeleteOldMessages, {today.addMonths(-36)});

    const QStringList active = trimmedColumn(AdminSql::ActiveTriggers);
    QStringList switchedOff;
    QStringList report;
    try {
        for (const QString &t : active) {
            ExecSqlNoParams(AdminSql::TriggerInactive.arg(t));
            switchedOff << t;
        }
        commitRetaining();
        purge(report, today);
    } catch (...) {
        // Whatever failed, the triggers go back on; the failure is what the caller reports.
        try {
            switchOn(switchedOff);
        } catch (...) {
        }
        throw;
    }
    switchOn(switchedOff);
    reindex();
    const QString shown = report.join(QLatin1Char('\n'));
    Information(shown, MaintenanceCaption);
    return shown;
}

QString MarkHandedOverAndDelivered()
{
    if (Confirm(
            QString::fromUtf8("Označiť všetky zákazky, kde odvedené množstvo >= vyrábanému množstvu, ako odvedené?"),
            QStringLiteral("Otázka"))) {
        const int rows = ExecSqlParams(AdminSql::MarkHandedOver, {int(stOdvedena), int(stOdvedena)});
        ShowMessage(QString::fromUtf8("Bolo označených %1 zákaziek ako odvedené.").arg(rows));
    }
    if (Confirm(QString::fromUtf8("Označiť všetky zákazky, kde dodané množstvo >= objednanému množstvu, ako ukončené?"),
                QStringLiteral("Otázka"))) {
        const int rows = ExecSqlParams(AdminSql::MarkDelivered, {int(stUkoncena), int(stUkoncena)});
        ShowMessage(QString::fromUtf8("Bolo označených %1 zákaziek ako ukončené.").arg(rows));
    }
    QString text = QString::fromUtf8("Zoznam zákaziek, ktoré sú označené ako ukončené,\r\n"
                                     " ale odvedené množstvo je menšie ako vyrábané :\r\n");
    TxQuery *q = OpenQuery(AdminSql::FinishedNotHandedOver);
    for (; !q->Eof(); q->Next())
        text +=
            QStringLiteral("\r\n") + q->Fields(0)->AsString() + QLatin1Char(' ') + q->Fields(1)->AsString().trimmed();
    q->Close();
    ShowMessage(text);
    return text;
}

void UpdateTechnologyHours()
{
    QString typed = DateToStr(TechnologyHoursFrom(Date()));
    if (!InputQuery(QStringLiteral("Aktualizácia NHod v TP"), QStringLiteral("Do výpočtu zahrnúť výkony od"), typed))
        return;
    const QDate from = StrToDate(typed.trimmed());
    ExecSqlParams(AdminSql::UpdateTechnologyHours, {from, from});
}

void UpdatePerformanceHours()
{
    const QDate from = PerformanceHoursFrom(Date());
    if (!Confirm(QString::fromUtf8("Aktualizovať normočasy a mzdy vo výkonoch od ") + DateToStr(from),
                 QStringLiteral("Otázka")))
        return;
    ExecSqlParams(AdminSql::UpdatePerformanceHours, {from});
    ExecSqlParams(AdminSql::UpdatePerformanceWages, {from});
}

void UpdatePerformanceWages()
{
    QString typed = DateToStr(firstOfMonth(Date()));
    if (!InputQuery(QString::fromUtf8("Aktualizácia miezd vo Výkonoch"), QString::fromUtf8("Prepočítať mzdy od:"),
                    typed))
        return;
    // A text that is no date ends here, before any statement.
    const QDate from = StrToDate(typed.trimmed());
    ExecSqlParams(AdminSql::UpdatePerformanceWages, {from});
}

void ChangeOwnPassword()
{
    QString user = CurrentUserName();
    QString oldPassword, newPassword;
    if (!LoginDialog(QString::fromUtf8("Staré heslo"), user, oldPassword, true))
        return;
    if (!LoginDialog(QString::fromUtf8("Nové heslo"), user, newPassword, true))
        return;
    // The rules of a first password hold for a changed one, said here rather than by the server.
    const QString problem = TDMUsers::NewPasswordProblem(user, newPassword);
    if (!problem.isEmpty()) {
        ShowError(problem + QString::fromUtf8(" Heslo nebolo zmenené."));
        return;
    }
    if (!DMZal->DBZAL.ChangePassword(oldPassword, newPassword)) {
        ShowError(QString::fromUtf8("Staré heslo nie je správne, heslo nebolo zmenené !"));
        return;
    }
    Information(QString::fromUtf8("Heslo bolo zmenené."));
}
