// The SQL console's exports of an open result: delimited text, a dBASE III table, fixed-width text and
// an .xlsx workbook. Every field in select-list order, every record from the first. The target file is
// written under a temporary name and put in place only when the whole export succeeded.
#pragma once

#include <QString>

class TDataSet;

enum class TConsoleExport { Delimited = 1, DBase = 2, FixedWidth = 3, Spreadsheet = 4 };

// Header line of display names, one line per record, fields joined by the separator, CR LF (UTF-8).
void ExportDelimited(TDataSet &data, const QString &fileName, QChar separator = QLatin1Char(';'));
// A dBASE III table without memo (Windows-1250 texts).
void ExportDBase(TDataSet &data, const QString &fileName);
// One line per record, the fields one after another, no heading, CR LF (UTF-8).
void ExportFixedWidth(TDataSet &data, const QString &fileName);
// One sheet "Export": a bold heading row, then one row per record.
void ExportSpreadsheet(TDataSet &data, const QString &fileName);
// The writer of a save dialog's filter index (1..4).
void ExportConsoleResult(TDataSet &data, const QString &fileName, TConsoleExport kind);

// The dBASE field of a data-set field: type letter, length and decimals.
struct TDBaseField {
    char Type = 'C';
    int Length = 0;
    int Decimals = 0;
};
class TField;
TDBaseField DBaseFieldOf(const TField *field);
