// Filling OpenDocument templates from a data set: the user fields of a text document (.odt) and the named
// ranges of a spreadsheet (.ods), in the document's XML parts.
#pragma once

#include <QString>
#include <QtGlobal>

class TDataSet;
class TZipArchive;

// The value a field of the current record puts into a document: its text, or its number.
struct TCellValue {
    QString Text;
    bool Numeric = false;
    double Number = 0;
};
TCellValue FieldCellValue(TDataSet *data, const QString &fieldName);

// The size of a sheet: no reference reaches beyond it.
inline constexpr int MaxSheetRows = 1'048'576;
inline constexpr int MaxSheetColumns = 16'384;

// A cell's column letters and row number, 0-based: "B12" and "$B$12" -> row 11, column 1. False for
// anything else and for a cell beyond the sheet.
bool ParseCellReference(QString text, int &row, int &column);

// A rectangle of cells on a sheet, 0-based.
struct TCellArea {
    int Row = 0, Column = 0, Rows = 1, Columns = 1;
    // A whole sheet has more cells than an int holds.
    qint64 Cells() const { return qint64(Rows) * Columns; }
};
// The area between two corners without their sheets ("B2" and "D5"; last empty for a single cell), of
// whole columns ("$A" and "$C") or of whole rows ("1" and "3"). False when it is none of these, lies
// beyond the sheet, or its last corner stands before its first.
bool ParseCellArea(const QString &first, const QString &last, TCellArea &area);

// Every user field whose name is a field of the data set takes that field's text in the current record
// (its declaration and every place the document shows it). False, with the reason, on a broken document.
bool FillOdtUserFields(TZipArchive &document, TDataSet *data, QString *error);

// For every record from the current one to the end, with n its record number: each named range that
// names a field and has at least n rows gets the field's value in its first column, row n. False, with
// the reason, on a broken document.
bool FillOdsNamedRanges(TZipArchive &document, TDataSet *data, QString *error);
