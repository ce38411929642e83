// TCapacityPlanning: one capacity planning run over the database: takes the planning lock, loads the
// workplaces, the minutes the stored day plan books and the open operations into the scheduler, plans them,
// saves this run's allocations, the period plan and the rise of planned jobs to state 30, and commits. Runs
// at several workstations take turns: each counts what the runs before it saved.
#pragma once

#include "CapacityScheduler.h"

#include <QDate>
#include <QSet>
#include <QString>
#include <QStringList>

class TxQuery;

// What to plan: direction 1 forwards from Start, -1 backwards from the day before each job's term; a job
// (0: every open job) and one of its operations (0: all).
struct TPlanningRequest {
    int Direction = 1;
    int C_INT = 0;
    int C_OPERACIE = 0;
    QDate Start;
};

class TCapacityPlanning {
public:
    // Through the base data module's scratch query and transaction.
    TCapacityPlanning();
    // Through another query, in its transaction (another connection).
    explicit TCapacityPlanning(TxQuery &query);

    // The period written into new SPlan rows (a single blank when none is chosen).
    QString PlanPeriod = QStringLiteral(" ");

    // The whole run; false when it stopped (said; the database is left as it was before the run). The
    // messages of the run come after its commit, so that no open box keeps another workstation waiting.
    bool RunCapacityPlanning(const TPlanningRequest &request);
    // Drops the day plan and day capacities held in memory (every run reads the stored plan afresh).
    void DiscardDayPlan() { scheduler_.DiscardDayPlan(); }

    void LoadWorkplaces();
    // The days of the holiday list ("dd/mm", every year).
    void LoadHolidays();
    // Cleans the stored day plan and books its minutes from the day on, in place of what was held.
    void LoadDayPlan(const QDate &from);
    std::vector<TOperacia> LoadOperations(const TPlanningRequest &request);
    // Writes this run's allocations, adds the new period-plan rows and raises the planned jobs; returns the
    // number of statements executed.
    int SaveCapacityPlan();

    // The text shown when an operation can never be placed.
    static QString UnplaceableText(const TScheduleError &error);
    // The text shown when another workstation's run keeps the planning lock longer than a record is waited for.
    static QString BusyText();
    // The text shown when a run finds nothing of the job (or its operation) to plan: planned already, made
    // already, without a norm or not in production.
    static QString NothingToPlanText(const TPlanningRequest &request);

    TCapacityScheduler &Scheduler() { return scheduler_; }

private:
    TxQuery &query() const;
    // The run inside its savepoint; false with the reason when it stopped.
    bool planLocked(const TPlanningRequest &request, QString &failure);
    bool takeLock();
    // Shown at once, or after the run when one is under way.
    void tell(const QString &text);

    TCapacityScheduler scheduler_;
    QSet<QString> holidays_;
    TxQuery *query_ = nullptr;
    bool running_ = false;
    QStringList told_;
};
