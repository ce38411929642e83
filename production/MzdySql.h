// The statements of the attendance and wages, each a named constant; All() lists them for the test that
// prepares every one on a fresh database.
#pragma once

#include <QStringList>

namespace MzdySql {
extern const QStringList Employees;     // four lines: line 2 the filter, line 3 the order
extern const QString AttendanceOfDay;   // :osc, :datum, :zmena
extern const QString AttendanceOfMonth; // :osc, :D_od, :D_do
extern const QString AttendanceSums;    // :osc, :D_od, :D_do; one row of the month's sums
extern const QStringList AttendanceInsert;
extern const QStringList AttendanceModify;
extern const QStringList AttendanceDelete;
extern const QString PerformancesByDay; // :osc, :D_od, :D_do
extern const QString WageOfMonth;       // :rok, :mesiac, :osc
extern const QString WagesOfMonth;      // :rok, :mesiac; with the surname
extern const QString WagesOfYear;       // :rok, :osc
extern const QStringList WageInsert;
extern const QStringList WageModify;
extern const QStringList WageDelete;
extern const QStringList WageRefresh;
extern const QString ComputeWages;           // the month's wages by the database procedure
extern const QString WageHistory;            // :osc, :rok, :mesiac
extern const QString PerformanceWageOfMonth; // :osc, :D_od, :D_do
extern const QString WageSlips;              // :rok, :mesiac, :D_od, :D_do
extern const QString WagesByOperation;       // :D_od, :D_do
QStringList All();
} // namespace MzdySql
