// The statements of the production module, each a named constant; All() lists them for the test that
// prepares every one on a fresh database.
#pragma once

#include <QStringList>

namespace VyrobaSql {
// ---- capacity planning
extern const QString PlanWorkplaces;
// Whether a worker's number is one of the employees (1) or not (0).
extern const QString EmployeeCount;
extern const QString PlanHolidays;
extern const QString PlanDayPlanCleanup;
// The stored plan's minutes per day and workplace from a day on: all that a run needs of it.
extern const QString PlanBookedMinutes;
// The row that a run takes first and keeps until its plan is committed: the next run waits for it.
extern const QString PlanLock;
extern const QString PlanDaySave;
extern const QString PlanMerge;
extern const QString PlanJobsPlanned;
// The lines of the open operations to plan: a job (0: all), one of its operations (0: all), backwards
// with -1 (the operation numbers then descend).
QStringList PlanOperations(int cInt, int cOperacie, int direction);

// ---- the capacity plan form: five lines each (filter: " and COLUMN='text'" items, quoted)
QStringList PlanUnplannedLines(int view, const QString &filter);
QStringList PlanPlannedLines(int view, const QString &period, const QString &filter);
// The calendar of the day plan by view, for one workplace, else one operation, else everything planned.
QString PlanCalendar(int view, const QString &workplace, const QString &operation);
extern const QString PlanPeriods;
// The work plan: the planned operations of a period starting up to a day.
extern const QStringList WorkPlanSelect;

// ---- the production data module's data sets
extern const QStringList SrvSelect, SrvInsert, SrvModify, SrvDelete, SrvRefresh;
extern const QStringList SPlanInsert, SPlanModify, SPlanDelete;
extern const QStringList PoziadSelect, PoziadModify, PoziadDelete;
// The day plan of one period-plan row (removed with it).
extern const QString SPlanDayPlanOfRow;
// The job, product, name, weight and per-piece values of a work-in-progress row.
extern const QString SrvJobCalculation;

// Lines 0 and 7 of PoziadSelect for the grouping by job (0), customer order (1) or item (2).
QString PoziadColumns(int view);
QString PoziadGrouping(int view);

// ---- work in progress
// Material and wages in progress computed from performances and hand-overs (wages in five lines: the
// by-job view replaces lines 0 and 4).
extern const QString WipMaterial;
extern const QStringList WipWages;
extern const QString WipWagesByJobSelect, WipWagesByJobGroup;
// The stock-taking list per job and per operation (lines 0, 2 and 3 of SrvSelect).
extern const QString SrvPerJobColumns, SrvPerJobGroup, SrvPerJobOrder;
extern const QString SrvPerOperationColumns, SrvPerOperationOrder;
// Its regeneration up to a day.
extern const QString WipClear, WipPerJob, WipPerOperation, WipMaterialValues, WipDropEmpty, WipDropNegative;
// Rebuilds the requirements of the open jobs.
extern const QString RequestsRebuild;

// ---- hand-overs of finished products
extern const QStringList OdvSelect, OdvModify, OdvInsert, OdvDelete, OdvCalculation;
extern const QString OdvLastDocument, OdvDocumentExists, OdvLastInvoice, OdvLastRate, OdvHandedOfJob;
// The hand-overs not yet printed, in the list's order, and the mark of one printed hand-over.
extern const QString OdvUnprinted, OdvMarkPrinted;
// The hand-overs of a period by customer.
extern const QString OdvOfPeriod;
// The list's WHERE line: one job, one document in the last two months, the last month, one day.
// The centres and the finished-goods stores offered in the detail.
extern const QString OdvCentres, OdvStores;
extern const QString OdvWhereJob, OdvWhereDocument, OdvWhereSince, OdvWhereDay;
// The overviews: lines 1 and 2 with its conditions, and per view (0-5) lines 0 and 3.
extern const QString OdvOverviewFrom, OdvOverviewWhere, OdvOverviewMinus, OdvOverviewCustomer, OdvOverviewProduct,
    OdvOverviewJob;
QString OdvOverviewSelect(int view);
QString OdvOverviewOrder(int view);

QStringList All();
} // namespace VyrobaSql
