#include "CapacityPlanning.h"

#include "VyrobaSql.h"
#include "platform/fb/IBDatabase.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Guarded.h"
#include "platform/os/Format.h"
#include "shell/DMZal.h"
#include "shell/Routines.h"

#include <algorithm>
#include <climits>
#include <cmath>

TCapacityPlanning::TCapacityPlanning()
{
    // Holidays are read once per run (see RunCapacityPlanning); a run may look at thousands of days.
    scheduler_.IsHoliday = [this](const QDate &date) { return holidays_.contains(HolidayKey(date)); };
    scheduler_.OnOverbooked = [](const QString &code) {
        ShowMessage(QString::fromUtf8("Denna kapacita pracoviska %1 < 0!").arg(code));
    };
}

QString TCapacityPlanning::UnplaceableText(const TScheduleError &error)
{
    return QString::fromUtf8("Operáciu %1 zákazky %2 na pracovisku %3 nie je možné zaplánovať.")
        .arg(QString::number(error.C_OPERACIE), OrderNoStr(error.C_INT), error.PRACOVISKO);
}

void TCapacityPlanning::LoadWorkplaces()
{
    if (scheduler_.HasWorkplaces())
        return;
    TxQuery &q = DMZal->Query;
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
    holidays_.clear();
    for (const QString &day : SelectColumnParams(VyrobaSql::PlanHolidays))
        holidays_.insert(HolidayKey(day));
    scheduler_.ForgetHolidays();
}

void TCapacityPlanning::LoadDayPlan()
{
    if (scheduler_.HasDayPlan())
        return;
    TSavepoint savepoint(&DMZal->DBTransaction);
    TxQuery &q = DMZal->Query;
    q.ExecSql(VyrobaSql::PlanDayPlanCleanup);
    q.Close();
    q.SQL().SetText(VyrobaSql::PlanDayPlanSelect);
    q.Open();
    scheduler_.DiscardDayPlan();
    TField *datum = q.FieldByName(QStringLiteral("DATUM"));
    TField *pracovisko = q.FieldByName(QStringLiteral("PRACOVISKO"));
    TField *cInt = q.FieldByName(QStringLiteral("C_INT"));
    TField *cOperacie = q.FieldByName(QStringLiteral("C_OPERACIE"));
    TField *mnozPlan = q.FieldByName(QStringLiteral("MNOZ_PLAN"));
    TField *nhodPlan = q.FieldByName(QStringLiteral("NHOD_PLAN"));
    for (q.First(); !q.Eof(); q.Next()) {
        const double pieces = mnozPlan->AsFloat();
        scheduler_.LoadPlanDay(TPlanDen{
            datum->AsDate().toJulianDay(), cInt->AsInteger(), cOperacie->AsInteger(), pracovisko->AsString(),
            int(std::clamp(std::nearbyint(pieces), double(INT_MIN), double(INT_MAX))), nhodPlan->AsFloat() * 60});
    }
    q.Close();
    savepoint.Commit();
}

std::vector<TOperacia> TCapacityPlanning::LoadOperations(const TPlanningRequest &request)
{
    const int direction = request.Direction == -1 ? -1 : 1;
    TxQuery &q = DMZal->Query;
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
        ShowMessage(QString::fromUtf8("Zákazky bez termínu sa od termínu nedajú zaplánovať a vynechali sa: %1")
                        .arg(withoutTerm.join(QStringLiteral(", "))));
    return rows;
}

int TCapacityPlanning::SaveCapacityPlan()
{
    TSavepoint savepoint(&DMZal->DBTransaction);
    TxQuery &q = DMZal->Query;
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

bool TCapacityPlanning::RunCapacityPlanning(const TPlanningRequest &request)
{
    try {
        LoadWorkplaces();
        LoadHolidays();
        LoadDayPlan();
        std::vector<TOperacia> operations = LoadOperations(request);
        scheduler_.StartRun();
        if (const auto error = scheduler_.ScheduleOperations(std::move(operations), request.Direction)) {
            scheduler_.DiscardDayPlan();
            ShowError(UnplaceableText(*error));
            return false;
        }
        SaveCapacityPlan();
        return true;
    } catch (const std::exception &e) {
        // The savepoints have taken the database back; what is in memory may be half a run.
        scheduler_.DiscardDayPlan();
        ShowException(e);
        return false;
    }
}
