// The administrator's tools of the main menu: the database maintenance, the recalculations of norm times
// and wages, and the change of the user's own server password. Each asks through the message facade and
// runs its statements on the base data module's connection and transaction.
#pragma once

#include <QDate>
#include <QString>

// Old rows purged with the user triggers switched off; the triggers are switched on again whatever fails
// on the way (the failure then ends the maintenance and reaches the caller). Returns the report shown.
QString Maintenance();

// Order items raised to handed over (90) where everything made was handed over, and to finished (100)
// where everything ordered was delivered, each after a question; then the list of the items finished in
// the last 30 days with less handed over than made. Returns that list's text.
QString MarkHandedOverAndDelivered();

// The unit times of the product operations from the performances since a typed date.
void UpdateTechnologyHours();
// Norm hours and wages of the performances since the first day of the month ten days ago.
void UpdatePerformanceHours();
// Wages of the performances since a typed date.
void UpdatePerformanceWages();
// The connected user's server password, old and new asked in the log-in dialog.
void ChangeOwnPassword();

// The dates the tools propose on `today`.
QDate TechnologyHoursFrom(const QDate &today);  // the first day of the month of today - 90 days
QDate PerformanceHoursFrom(const QDate &today); // the first day of the month of today - 10 days
