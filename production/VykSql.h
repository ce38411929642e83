// The statements of the work performances, each a named constant; All() lists them for the test that
// prepares every one on a fresh database.
#pragma once

#include <QStringList>

namespace VykSql {
extern const QStringList PerformanceList;    // QvSVykony, four lines the forms replace line by line
extern const QStringList PerformanceRefresh; // one row of the view by the full key
extern const QStringList PerformanceInsert;
extern const QStringList PerformanceModify;
extern const QStringList PerformanceDelete;
extern const QStringList OrderEntrySelect; // QSVykony
extern const QStringList OrderEntryInsert; // as PerformanceInsert without OHOD
extern const QStringList OrderEntryModify;
extern const QString OrderInfo;           // :c_int
extern const QString OrderOperations;     // :c_int
extern const QString OperationQuantities; // :c_int, :c_operacie1, :c_operacie2
extern const QString ShiftHours;          // :osc, :datum, :zmena
extern const QString DispatchedOfJob;     // :c_int
extern const QString JobToProduce;        // :c_int
// The confirmation page's storno rows of one job and operation (see TDMVyk::WriteConfirmedQuantity).
extern const QString StornoInsert;
extern const QString StornoCleanUp;     // :c_int, :datum1, :datum2
extern const QString StornoDeleteOfJob; // :datumod, :datumdo, :c_int
extern const QString StornoDeleteAll;   // :datumod, :datumdo
// The overview's wage total, summed by the server; the overview's where clause follows.
extern const QString OverviewWageTotal;
extern const QString ConfirmationDetail; // :c_int (+ :c_davky, :datumod, :datumdo by the options)
// The quantity confirmation's master: per job (and batch) the booked, dispatched and defective pieces;
// the titles are the grid's. Parameters :datumod, :datumdo and, with a job, :c_int.
QStringList ConfirmationMaster(bool batches, bool wholeJobs, bool oneJob);
// Its detail, per operation of the master row's job (and batch).
QStringList ConfirmationOperations(bool batches, bool inPeriod);
QStringList All();
} // namespace VykSql
