// The shape the production lists print in: a title with the page number, a row of column captions, one
// detail line per record and a summary line of sums; the columns say what each prints.
#pragma once

#include "platform/report/QuickRep.h"

#include <QString>
#include <vector>

class TQRBand;

struct TReportColumn {
    const char *Caption;
    const char *Data; // a field, or an expression when it holds a bracket or an operator
    const char *Mask; // "" for none
    double Width;
    bool Summed = false; // the summary prints SUM(Data)
};

// The bands made by BuildColumnReport.
struct TColumnReportBands {
    TQRBand *Header = nullptr;
    TQRBand *Detail = nullptr;
    TQRBand *Summary = nullptr;
};

// Sets up the report over the data set: title, landscape or portrait, the columns and their sums.
TColumnReportBands BuildColumnReport(TQuickRep &report, const QString &name, const QString &title, bool landscape,
                                     TDataSet *dataSet, const std::vector<TReportColumn> &columns,
                                     TQRBand *groupFooter = nullptr);

// A page footer with "Strana N" at its right, for documents that go on over pages.
void PageNumberFooter(TQuickRep &report);
