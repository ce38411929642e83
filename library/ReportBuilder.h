// The builder of the printed reports: a label, a data text, an expression and a box placed on a band, with
// their font size and weight; the report's own set-up; the company's block and the bands of an item table.
#pragma once

#include "platform/report/QRBand.h"
#include "platform/report/QRControls.h"

#include <QPageLayout>
#include <QPageSize>

class TQuickRep;

// A control of that kind on the band at left, top; a width above 0 fixes its width (no longer the text's).
template <class T> T *Place(TQRBand *band, double left, double top, double width = 0, const QString &name = {})
{
    auto *control = band->Add<T>(name);
    control->Left = left;
    control->Top = top;
    if (width > 0) {
        control->Width = width;
        control->AutoSize = false;
    }
    return control;
}

TQRLabel *AddLabel(TQRBand *band, const QString &caption, double left, double top, double width = 0, int points = 0,
                   bool bold = false, const QString &name = {});
// A caption ending at `right`, over a column of numbers that ends there.
TQRLabel *AddRightLabel(TQRBand *band, const QString &caption, double right, double top, double width);
// Named QRDB<field> unless named.
TQRDBText *AddField(TQRBand *band, const QString &field, double left, double top, double width,
                    const QString &mask = {}, bool bold = false, const QString &name = {});
TQRExpr *AddExpr(TQRBand *band, const QString &expression, double left, double top, double width,
                 const QString &mask = {}, bool bold = false, const QString &name = {});
// A framed box (a rectangle shape).
TQRShape *AddBox(TQRBand *band, double left, double top, double width, double height);

// The report's name, title, paper, orientation and Arial font of that size, reading the program's data
// sets.
void SetUpReport(TQuickRep *report, const QString &name, const QString &title, QPageSize::PageSizeId paper,
                 QPageLayout::Orientation orientation, int points);
// A printed document: its name and title, A4 in Arial 9, printed even without rows.
void SetUpDocument(TQuickRep *report, const QString &name, const QString &title,
                   QPageLayout::Orientation orientation = QPageLayout::Portrait);

// Where the company's block goes: the logo's size, and the left edge, top, spacing and width of its lines.
struct TCompanyBlock {
    double LogoWidth, LogoHeight, Left, Top, LineHeight, Width;
};
// The logo and the company's lines (QRNazov, QRUlica, QRMesto, QRICO, QRDIC, stamped in by CreateReport) at
// the top left of a title band.
void CompanyBlock(TQRBand *title, const TCompanyBlock &at);

// The bands of an item table: the column header, the detail line and the summary, in 8 points.
struct TItemBands {
    TQRBand *head, *detail, *summary;
};
TItemBands ItemBands(TQuickRep *report, double headHeight, double detailHeight);
