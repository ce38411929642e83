// What the printed documents of the stores share: A4 in Arial, the company's block, the item table whose
// columns are captioned in a header repeated on every page, framed signature boxes and the page number.
#pragma once

#include "library/ReportBuilder.h"
#include "platform/report/QuickRep.h"

#include <initializer_list>

class TDataSet;

namespace MaterialReport {

// The report's name and title, A4 portrait in Arial 9, over the program's data sets.
void SetUp(TQuickRep *report, const QString &name, const QString &title);
// The title band of that height with the logo and the company's lines (stamped in by CreateReport) at its
// top left.
TQRBand *CompanyTitle(TQuickRep *report, double height);

TQRLabel *Caption(TQRBand *band, const QString &text, double left, double top, double width = 0, int points = 0,
                  bool bold = false);
TQRDBText *Value(TQRBand *band, const QString &field, double left, double top, double width, const QString &mask = {});
// An expression ending at `right` (numbers and sums).
TQRExpr *Number(TQRBand *band, const QString &expression, double right, double top, double width, const QString &mask);
// A caption and its field on one line, the field after the caption's width.
void Captioned(TQRBand *band, const char *caption, const char *field, double left, double top, double captionWidth,
               double width, const QString &mask = {});
// Lines that wrap within the width and make their band as tall as they need; "{expression}" is filled in.
TQRMemo *Lines(TQRBand *band, const QStringList &lines, double left, double top, double width);

// A column of the item table: its caption in the column header and its value on the detail line. A
// number ends at the right edge of its column, as does its caption; a long text wraps within the column.
struct TColumn {
    enum TKind { Text, LongText, Number };
    const char *caption;
    const char *value; // a field, or an expression for a number, or memo lines for a long text
    double left, width;
    TKind kind = Text;
    const char *mask = "";
};
using TItemTable = TItemBands;
// The column header (with a rule under it), the detail line and the summary, in 8 points.
TItemTable ItemTable(TQuickRep *report, std::initializer_list<TColumn> columns, double headHeight = 20);

// The mould or model data of a tool under the bold caption "Kokila/Model" at `top`, in two columns across the
// page; returns the height it takes.
double MouldData(TQRBand *band, double top);
// True when the current row has any of the mould data filled in.
bool HasMouldData(TDataSet *rows);

// Framed boxes side by side across `width`, each with its caption at its top left.
void SignatureBoxes(TQRBand *band, std::initializer_list<const char *> captions, double top, double width,
                    double height);
// "Strana N" at the right of a page footer.
void PageNumber(TQuickRep *report);

} // namespace MaterialReport
