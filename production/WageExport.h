// The wage export for the payroll system: per wage record four lines "osc;code;amount" (piece wage 302,
// overhead wage 303, working-environment supplement 307, night-work supplement 318), amounts with two
// decimals and a point whatever the locale, lines ended by CR LF, Windows-1250 bytes.
#pragma once

#include <QByteArray>
#include <QString>

class TDataSet;

// "mzdy" + four-digit year + two-digit month + ".txt".
QString WageExportFileName(int year, int month);
// The export of every row of the data set, from the first to the last.
QByteArray WageExportBytes(TDataSet *wages);
// Writes the export of the month into the working folder (replacing a file of that name) and says so;
// a file that cannot be written raises the system's reason.
QString WriteWageExport(TDataSet *wages, int year, int month);
