// Small builders of the sales reports' controls: a label, a data text and an expression placed on a band,
// with their font size and weight; and the one way the sales module shows a built report.
#pragma once

#include "platform/report/QRBand.h"

#include <QPageLayout>
#include <QPageSize>

class TQuickRep;

TQRLabel *AddLabel(TQRBand *band, const QString &caption, double left, double top, double width = 0, int points = 0,
                   bool bold = false, const QString &name = {});
// A caption ending at `right`, over a column of numbers that ends there.
TQRLabel *AddRightLabel(TQRBand *band, const QString &caption, double right, double top, double width);
TQRDBText *AddField(TQRBand *band, const QString &field, double left, double top, double width,
                    const QString &mask = {}, bool bold = false);
TQRExpr *AddExpr(TQRBand *band, const QString &expression, double left, double top, double width,
                 const QString &mask = {}, bool bold = false, const QString &name = {});
// A framed box (a rectangle shape).
TQRShape *AddBox(TQRBand *band, double left, double top, double width, double height);

// The report's name, title, paper, orientation and Arial font of that size, reading the program's data
// sets.
void SetUpReport(TQuickRep *report, const QString &name, const QString &title, QPageSize::PageSizeId paper,
                 QPageLayout::Orientation orientation, int points);

// The report shown to the user: through the program's hook, else the preview (no print dialog).
void PreviewReport(TQuickRep *report);
