// What the dispatch reports share on top of the report builder: their company block and item table, their
// captions and data texts taking C strings, and the item columns every delivery document lists.
#pragma once

#include "library/ReportBuilder.h"

namespace ReportParts {

// The logo and the company lines (filled by CreateReport) at the top of a title band.
void CompanyBlock(TQRBand *title);

// The bands of an item table: its column header (`headHeight` tall), a line of 16 and the summary of 150, in 8
// points, so that the columns with the widest figures their masks give fit the page's width.
TItemBands ItemTableBands(TQuickRep *report, double headHeight);

TQRLabel *Label(TQRBand *band, const char *caption, double left, double top, double width = 90);
// The caption of a column of numbers, ending where the numbers end.
TQRLabel *RightLabel(TQRBand *band, const char *caption, double right, double top, double width = 90);
TQRDBText *Text(TQRBand *band, const char *field, double left, double top, double width, const char *mask = "");
// The item columns whose texts start at their left edge: line, order, job, product, the product's other number
// (its caption and field given) and name, each captioned in the column header and filled in the detail.
void ItemTextColumns(TQRBand *head, TQRBand *detail, const char *otherCaption, const char *otherField,
                     const double (&lefts)[6], const double (&widths)[6]);
TQRExpr *Expr(TQRBand *band, const QString &name, const char *expression, double left, double top, double width,
              const char *mask);

} // namespace ReportParts
