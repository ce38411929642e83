// The column report of any data set: a title, a column header with a rule and one detail line per row,
// one column per field across the page, printed through the print dialog.
#pragma once

#include <QString>
#include <memory>

class TDataSet;
class TQuickRep;

// Lays out the report: columns in field order until the first one that reaches past the page's width.
std::unique_ptr<TQuickRep> MakeGridReport(TDataSet *dataSet, const QString &title, int fontSize);
// Makes the report, prints it through PrintReport with the title and frees it.
void BuildGridReport(TDataSet *dataSet, const QString &title, int fontSize);
