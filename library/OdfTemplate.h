// Filling OpenDocument templates from a data set: the user fields of a text document (.odt) and the named
// ranges of a spreadsheet (.ods), in the document's XML parts.
#pragma once

#include <QString>

class TDataSet;
class TZipArchive;

// The value a field of the current record puts into a document: its text, or its number.
struct TCellValue {
    QString Text;
    bool Numeric = false;
    double Number = 0;
};
TCellValue FieldCellValue(TDataSet *data, const QString &fieldName);

// A cell's column letters and row number, 0-based: "B12" and "$B$12" -> row 11, column 1.
bool ParseCellReference(QString text, int &row, int &column);

// Every user field whose name is a field of the data set takes that field's text in the current record
// (its declaration and every place the document shows it). False, with the reason, on a broken document.
bool FillOdtUserFields(TZipArchive &document, TDataSet *data, QString *error);

// For every record from the current one to the end, with n its record number: each named range that
// names a field and has at least n rows gets the field's value in its first column, row n. False, with
// the reason, on a broken document.
bool FillOdsNamedRanges(TZipArchive &document, TDataSet *data, QString *error);
