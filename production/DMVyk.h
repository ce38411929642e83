// TDMVyk (global DMVyk): the work performances with the rules that guard every booking (date range,
// keys, profession, norm hours and wage, quantity flow, shift hours), the order entry's write with the
// job's state changes, the storno rows of the quantity confirmation and the defect causes.
#pragma once

#include "library/xDataSet.h"
#include "library/xQuery.h"
#include "platform/db/DataSource.h"

#include <QDate>
#include <QVariant>
#include <QString>

class TField;
struct TPerformanceFilter;

class TDMVyk {
public:
    TDMVyk();
    ~TDMVyk();
    TDMVyk(const TDMVyk &) = delete;
    TDMVyk &operator=(const TDMVyk &) = delete;

    TxDataSet QvSVykony; // cached, each post and delete applied at once
    TDataSource DSvVykony1, DSvVykony2, DSvVykony3;
    TxDataSet QSVykony; // cached, applied by ApplyOrderPerformances
    TDataSource DSVykony;
    TxQuery QZakazky;
    TDataSource DSZakazky;
    TxQuery QOperacie;
    TDataSource DSOperacie;

    // ---- the job and its operations
    void OpenOrderInfo(int cInt);
    void OpenOrderOperations(int cInt);
    bool LocateOperation(TDataSet *row);

    // ---- the rules of a booking
    bool CheckProfession(TDataSet *row);
    void ComputeNormHoursAndWage(TDataSet *row);
    // Warns of quantities above the previous operation's or the expected ones; false on the latter.
    bool CheckOperationQuantities(int cInt, int operation, double extra);
    // Warns when the employee's day and shift exceed 7.65 hours; false then.
    bool CheckShiftHours(TDataSet *row);
    bool ApplyOrderPerformances();

    // ---- hours as h:mm: 7.5 "7:30", 7.999 "8:00" (the minutes carry into the hour)
    static QString FormatHoursMinutes(double hours);
    // "7:3" 7.5, "7:05", "730" 7.5, "8" 8; with the locale's decimal separator "7,5" 7 h 50 min.
    static double ParseHoursMinutes(const QString &text);
    // The sum of Z01 .. Z20 of the current row.
    static int SumDefectCauses(TDataSet *row);
    // A value put into a row as it stands, without the field's change handler (its checks and lookups).
    static void SetFieldQuietly(TField *field, const QVariant &value);

    // ---- the order entry (all operations of a job and batch, written in one step)
    // Refills QSVykony with one row per operation of the job, dated yesterday, shift 1.
    void FillOrderEntry(int cInt, int batch);
    // Drops rows without employee or quantity, applies the rest (all or nothing) and raises the job to
    // "Vyrábaná" after a casting, to "EXPedovaná" when dispatched in full; then refills the entry.
    // Nothing changes state when the apply fails: the exception leaves every typed row in the cache.
    void WriteOrderEntry(int batch);
    // Raises the job to "Vyrábaná" after `cast` pieces were cast, and to "EXPedovaná" (with a message) once
    // the dispatched pieces, counted from all its bookings when `dispatched` is below `target`, reach it.
    void RaiseJobState(int cInt, int cast, int dispatched, int target);
    // Splits the current entry row: the new row next to it takes q div 2 of its quantity.
    void SplitOrderEntryRow();

    // ---- the overviews
    // Opens QvSVykony for the view and filters; the sum of the wages.
    double RefreshPerformanceOverview(const TPerformanceFilter &filter);

    // ---- the quantity confirmation
    struct TConfirmation {
        QDate from, to;
        int cInt = 0;           // 0: every job
        bool wholeJobs = false; // handed-over jobs with bookings in the period and none after it
        bool batches = false;   // a row per job and batch
    };
    // Opens the named queries "QSVykony1" (jobs) and "QSVykony2" (the current job's operations).
    void OpenQuantityConfirmation(const TConfirmation &c);
    // The confirmed quantity for the master's current job (and batch); the operations reopened.
    int ConfirmCurrentJob(int confirmed, const TConfirmation &c);
    // Books storno rows that scale every operation of the job booked above confirmed + 1 pieces down to
    // `confirmed`, up to endDate (the rows dated on the last working day up to it). All or nothing for
    // the job; the rows that came out empty in the period are removed, of this job only.
    // A difference above 20 % is shown and the write goes on. Returns the operations scaled.
    int WriteConfirmedQuantity(int cInt, int confirmed, const QDate &startDate, const QDate &endDate, int batchLow,
                               int batchHigh, int stornoBatch);
    // Deletes the storno rows of the period, of one job or (cInt 0) of all.
    int DeleteStornoRows(const QDate &startDate, const QDate &endDate, int cInt);

private:
    void setUpEvents();
    void listAfterOpen(TDataSet *ds);
    void listBeforePost(TDataSet *ds);
    void listAfterPostOrDelete(TDataSet *ds);
    void applyListRow(TDataSet *ds);
    void listAfterPost(TDataSet *ds);
    void orderEntryQuantityChange(TField *field);
    void orderEntryAfterPost(TDataSet *ds);
    void operationChange(TField *field);
    bool filling_ = false;
    int entryJob_ = 0;
    QVariant pendingFill_;      // the first row's quantity, copied down when that row is posted
    bool entryAtStart_ = false; // the entry's cursor on its first row, not moved since it was filled
};

extern TDMVyk *DMVyk;
