// TDMVyroba (global DMVyroba): the production data module with the work-in-progress list (QSRV), the plan
// rows shared by the capacity plan and the work plan (QSPlan), the production requests (QVPoziad), and the
// capacity planning that lives for the program run.
#pragma once

#include "CapacityPlanning.h"
#include "library/xDataSet.h"
#include "platform/db/DataSource.h"

#include <QDate>
#include <vector>
#include <utility>

class TField;

class TDMVyroba {
public:
    TDMVyroba();
    ~TDMVyroba();
    TDMVyroba(const TDMVyroba &) = delete;
    TDMVyroba &operator=(const TDMVyroba &) = delete;

    TxDataSet QSRV;
    TDataSource DSSRV;
    TxDataSet QSPlan;
    TDataSource DSSPlan;
    TxDataSet QVPoziad; // cached
    TDataSource DSVPoziad;

    TCapacityPlanning Planning;

    // Product, name and weight of the work-in-progress row's job, and its material and wage values.
    void RecalcWipRow(TField *field);
    // Removes the day plan of the plan row being deleted and makes the next planning run reload it.
    void QSPlanBeforeDelete(TDataSet *dataSet);

    // ---- the capacity plan form
    // The filter of the plan lists: a term (when not the default), operation, workplace and profession,
    // each typed text quoted.
    static QString PlanFilter(const QDate &term, const QDate &defaultTerm, const QString &operation,
                              const QString &workplace, const QString &profession);
    // The unplanned operations in DMZal.QTlac (reopened only when its text changes or force is set).
    void OpenUnplanned(int view, const QString &filter, bool force);
    // The planned rows of the period in QSPlan, editable only in the detailed view (5).
    void OpenPlanned(int view, const QString &period, const QString &filter, bool force);
    // The calendar's records in DMZal.Query.
    TDataSet *OpenCalendar(int view, const QString &workplace, const QString &operation);
    // The periods of the plan.
    static QStringList PlanPeriods();
    // Deletes the rows (bookmarks of QSPlan), each with its day plan.
    void DeletePlanRows(const std::vector<TBookmark> &rows);
    // Deletes every row of the list, or the rows of the current row's job from it to the end.
    void DeleteAllPlanRows();
    void DeletePlanRowsOfJob();

    // ---- the work plan
    // Puts the work plan's text into QSPlan (closed).
    void SetWorkPlanText();
    // Opens the work plan of the period up to the day, of operations starting with the text, only those with
    // pieces planned when unfinishedOnly; nothing happens when it is open with the same four values.
    void OpenWorkPlan(const QString &period, const QDate &startUpTo, const QString &operation, bool unfinishedOnly);
    // Sets each row's planned pieces to what remains; rows of jobs at state 90 or more are deleted.
    void UpdatePlannedQuantities();

    // ---- work in progress
    // Rebuilds the stock-taking list up to the date, per job (view 0) or per operation (view 1), all or
    // nothing; asks whether to drop negative quantities.
    void RegenerateWip(const QDate &cutOff, int view);
    // Opens the stock-taking list per job (view 0) or per operation (view 1).
    void OpenWipList(int view);
    // Work in progress computed from performances and hand-overs: material by kind (named query "Q1") and
    // wages by operation ("Q2"); byJob lists the wages by product, job and operation. Returns the two sums.
    std::pair<double, double> OpenComputedWip(bool byJob = false);
    // Asks for the cut-off day ("ku Dňu :", today proposed); false when cancelled.
    static bool AskCutOffDate(const QString &caption, QDate &date);

    // Rebuilds the production requests with the database procedure.
    void RebuildRequests();
    // Lists the requests grouped by job (0 and any other value), customer order (1) or item (2).
    void OpenRequests(int view);
};

extern TDMVyroba *DMVyroba;

// Titles the columns of a production list in words (the plan's, the work in progress', the requests').
void SetProductionTitles(TDataSet *dataSet);
