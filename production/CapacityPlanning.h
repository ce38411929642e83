// TCapacityPlanning: one capacity planning run over the database: loads the workplaces, the stored day plan
// and the open operations into the scheduler, plans them, and saves this run's allocations, the period plan
// and the rise of planned jobs to state 30. The tables stay in memory for the program run.
#pragma once

#include "CapacityScheduler.h"

#include <QDate>
#include <QSet>
#include <QString>

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
    TCapacityPlanning();

    // The period written into new SPlan rows (a single blank when none is chosen).
    QString PlanPeriod = QStringLiteral(" ");

    // The whole run; false when it stopped with an error (shown; the database and the tables are left as
    // they were before the run).
    bool RunCapacityPlanning(const TPlanningRequest &request);
    // Drops the day plan and day capacities held in memory: the next run reloads them from SPlanD.
    void DiscardDayPlan() { scheduler_.DiscardDayPlan(); }

    void LoadWorkplaces();
    // The days of the holiday list ("dd/mm", every year).
    void LoadHolidays();
    void LoadDayPlan();
    std::vector<TOperacia> LoadOperations(const TPlanningRequest &request);
    // Writes this run's allocations, adds the new period-plan rows and raises the planned jobs; returns the
    // number of statements executed.
    int SaveCapacityPlan();

    // The text shown when an operation can never be placed.
    static QString UnplaceableText(const TScheduleError &error);

    TCapacityScheduler &Scheduler() { return scheduler_; }

private:
    TCapacityScheduler scheduler_;
    QSet<QString> holidays_;
};
