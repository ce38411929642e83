#include "CapacityPlanning.h"

#include "VyrobaSql.h"
#include "library/xQuery.h"
#include "platform/fb/IBDatabase.h"
#include "platform/fbapi/IBError.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Guarded.h"
#include "platform/os/Format.h"
#include "shell/DMZal.h"
#include "shell/Routines.h"

#include <QElapsedTimer>

#include <algorithm>
#include <climits>
#include <cmath>
#include <exception>
#include <utility>

namespace {

// How often a run takes the lock again after the run it waited for ended and another took it first.
constexpr int LockAttempts = 3;
// A wait for the lock this long has run into the lock time-out, which the server counts in whole seconds
// (so it may come a second early).
constexpr qint64 LockWaitTimedOutMs = (fb::LockTimeoutSeconds - 2) * 1000;
// A backward run may reach any day before its jobs' terms.
const QDate EarliestPlanDay(1900, 1, 1);

} // namespace

TCapacityPlanning::TCapacityPlanning()
{
    // Holidays are read once per run (see RunCapacityPlanning); a run may look at thousands of days.
    scheduler_.IsHoliday = [this](const QDate &date) { return holidays_.contains(HolidayKey(date)); };
    scheduler_.OnOverbooked = [this](const QString &code) {
        tell(QString::fromUtf8("Denna kapacita pracoviska %1 < 0!").arg(code));
    };
}

TCapacityPlanning::TCapacityPlanning(TxQuery &query) : TCapacityPlanning()
{
    query_ = &query;
}

TxQuery &TCapacityPlanning::query() const
{
    return query_ ? *query_ : DMZal->Query;
}

QString TCapacityPlanning::UnplaceableText(const TScheduleError &error)
{
    return QString::fromUtf8("Operáciu %1 zákazky %2 na pracovisku %3 nie je možné zaplánovať.")
        .arg(QString::number(error.C_OPERACIE), OrderNoStr(error.C_INT), error.PRACOVISKO);
}

QString TCapacityPlanning::BusyText()
{
    return QString::fromUtf8(
        "Kapacitný plán práve zostavuje iný používateľ. Nič sa nezaplánovalo; skúste to o chvíľu znova.");
}

QString TCapacityPlanning::NothingToPlanText(const TPlanningRequest &request)
{
    const QString what =
        request.C_OPERACIE != 0
            ? QString::fromUtf8("Operácia %1 zákazky %2").arg(request.C_OPERACIE).arg(OrderNoStr(request.C_INT))
            : QString::fromUtf8("Zákazka %1").arg(OrderNoStr(request.C_INT));
    return what + QString::fromUtf8(" nemá nič na zaplánovanie: je už zaplánovaná, všetko z nej je vyrobené, "
                                    "nemá normu času alebo nie je vo výrobe.");
}

void TCapacityPlanning::tell(const QString &text)
{
    if (running_)
        told_ << text;
    else
        ShowMessage(text);
}

void TCapacityPlanning::LoadWorkplaces()
{
    if (scheduler_.HasWorkplaces())
        return;
    TxQuery &q = query();
    q.Close();
    q.SQL().SetText(VyrobaSql::PlanWorkplaces);
    q.Open();
    std::vector<TPracovisko> rows;
    for (q.First(); !q.Eof(); q.Next()) {
        TPracovisko w;
        w.PRACOVISKO = q.FieldByName(QStringLiteral("PRACOVISKO"))->AsString();
        w.STROJE = q.FieldByName(QStringLiteral("STROJE"))->AsInteger();
        w.DNI = q.FieldByName(QStringLiteral("DNI"))->AsInteger();
        w.ZMENY = q.FieldByName(QStringLiteral("ZMENY"))->AsInteger();
        w.MinutyZmeny = q.FieldByName(QStringLiteral("HODINY"))->AsFloat() * 60;
        rows.push_back(w);
    }
    q.Close();
    scheduler_.SetWorkplaces(rows);
}

void TCapacityPlanning::LoadHolidays()
{
    TxQuery &q = query();
    q.SelectValue(VyrobaSql::PlanHolidays);
    TStringList days;
    q.FillStringsFromDataSet(days);
    q.Close();
    holidays_.clear();
    for (const QString &day : days.Lines())
        holidays_.insert(HolidayKey(day));
    scheduler_.ForgetHolidays();
}

void TCapacityPlanning::LoadDayPlan(const QDate &from)
{
    TxQuery &q = query();
    TSavepoint savepoint(q.Transaction());
    q.ExecSql(VyrobaSql::PlanDayPlanCleanup, {from});
    q.SelectValue(VyrobaSql::PlanBookedMinutes, {from});
    scheduler_.DiscardDayPlan();
    TField *datum = q.FieldByName(QStringLiteral("DATUM"));
    TField *pracovisko = q.FieldByName(QStringLiteral("PRACOVISKO"));
    TField *nhodPlan = q.FieldByName(QStringLiteral("NHOD_PLAN"));
    for (q.First(); !q.Eof(); q.Next())
        scheduler_.LoadBooked(datum->AsDate().toJulianDay(), pracovisko->AsString(), nhodPlan->AsFloat() * 60);
    q.Close();
    savepoint.Commit();
}

std::vector<TOperacia> TCapacityPlanning::LoadOperations(const TPlanningRequest &request)
{
    const int direction = request.Direction == -1 ? -1 : 1;
    TxQuery &q = query();
    q.Close();
    q.SQL().SetText(VyrobaSql::PlanOperations(request.C_INT, request.C_OPERACIE, direction).join(QLatin1Char('\n')));
    q.Open();
    std::vector<TOperacia> rows;
    QStringList withoutTerm;
    for (q.First(); !q.Eof(); q.Next()) {
        TOperacia op;
        op.C_INT = q.FieldByName(QStringLiteral("C_INT"))->AsInteger();
        op.C_OPERACIE = q.FieldByName(QStringLiteral("C_OPERACIE"))->AsInteger();
        op.OPERACIA = q.FieldByName(QStringLiteral("OPERACIA"))->AsString().left(3);
        op.PRACOVISKO = q.FieldByName(QStringLiteral("PRACOVISKO"))->AsString().left(5);
        op.CAS_JED = q.FieldByName(QStringLiteral("CAS_JED"))->AsFloat();
        const double remaining = std::nearbyint(q.FieldByName(QStringLiteral("MNOZ_VYR"))->AsFloat() -
                                                q.FieldByName(QStringLiteral("MNOZ_VYK"))->AsFloat());
        op.Zostava = int(std::clamp(remaining, double(INT_MIN), double(INT_MAX)));
        const double gap = q.FieldByName(QStringLiteral("CAS_MEDZI"))->AsFloat();
        if (direction == 1) {
            op.Priprava = q.FieldByName(QStringLiteral("CAS_PRIP"))->AsFloat();
            op.MedzeraPo = gap;
            op.Zaciatok = request.Start.toJulianDay();
        } else {
            TField *term = q.FieldByName(QStringLiteral("TERMIN"));
            if (term->IsNull()) {
                const QString job = OrderNoStr(op.C_INT);
                if (!withoutTerm.contains(job))
                    withoutTerm << job;
                continue;
            }
            op.MedzeraPred = gap;
            op.Zaciatok = term->AsDate().toJulianDay() - 1;
        }
        rows.push_back(op);
    }
    q.Close();
    if (!withoutTerm.isEmpty())
        tell(QString::fromUtf8("Zákazky bez termínu sa od termínu nedajú zaplánovať a vynechali sa: %1")
                 .arg(withoutTerm.join(QStringLiteral(", "))));
    return rows;
}

int TCapacityPlanning::SaveCapacityPlan()
{
    TxQuery &q = query();
    TSavepoint savepoint(q.Transaction());
    int statements = 0;
    int firstJob = INT_MAX, lastJob = INT_MIN;
    // Only this run's allocations: rows another workstation saved meanwhile stay as they are.
    for (const TPlanDen &row : scheduler_.NewAllocations()) {
        q.ExecSql(VyrobaSql::PlanDaySave, {QDate::fromJulianDay(row.Datum), row.C_INT, row.C_OPERACIE, row.PRACOVISKO,
                                           double(row.MNOZ_PLAN), row.Minuty / 60});
        firstJob = std::min(firstJob, row.C_INT);
        lastJob = std::max(lastJob, row.C_INT);
        ++statements;
    }
    if (firstJob <= lastJob) {
        q.ExecSql(VyrobaSql::PlanMerge, {firstJob, lastJob, PlanPeriod});
        ++statements;
    }
    q.ExecSql(VyrobaSql::PlanJobsPlanned, {int(stPlanovana)});
    ++statements;
    q.Close();
    savepoint.Commit();
    scheduler_.StartRun();
    return statements;
}

// Waits for another workstation's run as long as a record is waited for. The server ends the wait with the
// same conflict whether that run is still going or has just committed: a wait cut short means the lock is
// free now, and it is taken again (another run may have been quicker).
bool TCapacityPlanning::takeLock()
{
    for (int attempt = 1;; ++attempt) {
        QElapsedTimer waited;
        waited.start();
        try {
            query().ExecSql(VyrobaSql::PlanLock);
            return true;
        } catch (const EIBError &e) {
            if (!e.RecordLocked || e.ConnectionLost)
                throw;
            if (waited.elapsed() >= LockWaitTimedOutMs || attempt == LockAttempts)
                return false;
        }
    }
}

bool TCapacityPlanning::planLocked(const TPlanningRequest &request, QString &failure)
{
    TxQuery &q = query();
    TSavepoint run(q.Transaction());
    if (!takeLock()) {
        failure = BusyText();
        return false;
    }
    LoadWorkplaces();
    LoadHolidays();
    // A forward run never looks at the days before its start.
    LoadDayPlan(request.Direction == -1 || !request.Start.isValid() ? EarliestPlanDay : request.Start);
    std::vector<TOperacia> operations = LoadOperations(request);
    // A run for one job that would place nothing of it says so instead of ending as if it had planned.
    if (request.C_INT != 0 &&
        std::none_of(operations.begin(), operations.end(), [](const TOperacia &op) { return op.Zostava >= 1; }))
        tell(NothingToPlanText(request));
    scheduler_.StartRun();
    if (const auto error = scheduler_.ScheduleOperations(std::move(operations), request.Direction)) {
        failure = UnplaceableText(*error);
        return false;
    }
    SaveCapacityPlan();
    run.Commit();
    // The plan is there for the other workstations, and the lock is theirs.
    q.Transaction()->CommitRetaining();
    return true;
}

bool TCapacityPlanning::RunCapacityPlanning(const TPlanningRequest &request)
{
    running_ = true;
    told_.clear();
    QString failure;
    std::exception_ptr error;
    bool planned = false, lost = false;
    try {
        planned = planLocked(request, failure);
    } catch (const EIBError &e) {
        error = std::current_exception();
        lost = e.ConnectionLost;
    } catch (const std::exception &) {
        error = std::current_exception();
    }
    running_ = false;
    if (!planned) {
        // The savepoint has taken the database back; what is in memory may be half a run.
        scheduler_.DiscardDayPlan();
        // Nothing of the run is left to commit: a run that waits for the lock goes on at once.
        if (!lost) {
            try {
                query().Transaction()->CommitRetaining();
            } catch (const std::exception &) {
            }
        }
    }
    for (const QString &text : std::exchange(told_, {}))
        ShowMessage(text);
    if (error) {
        try {
            std::rethrow_exception(error);
        } catch (const std::exception &e) {
            ShowException(e);
        }
    } else if (!planned) {
        ShowError(failure);
    }
    return planned;
}
