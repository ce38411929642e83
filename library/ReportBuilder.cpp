#include "ReportBuilder.h"

#include "platform/report/DataSetCursor.h"
#include "platform/report/QuickRep.h"

namespace {

void setFont(TQRPrintable *control, int points, bool bold)
{
    if (points > 0 || bold) {
        QFont &f = control->Font();
        if (points > 0)
            f.setPointSize(points);
        f.setBold(bold);
    }
}

} // namespace

TQRLabel *AddLabel(TQRBand *band, const QString &caption, double left, double top, double width, int points, bool bold,
                   const QString &name)
{
    auto *label = Place<TQRLabel>(band, left, top, width, name);
    label->Caption = caption;
    setFont(label, points, bold);
    return label;
}

TQRLabel *AddRightLabel(TQRBand *band, const QString &caption, double right, double top, double width)
{
    TQRLabel *label = AddLabel(band, caption, right - width, top, width);
    label->Alignment = Qt::AlignRight;
    return label;
}

TQRDBText *AddField(TQRBand *band, const QString &field, double left, double top, double width, const QString &mask,
                    bool bold, const QString &name)
{
    auto *text = Place<TQRDBText>(band, left, top, width, name.isEmpty() ? QStringLiteral("QRDB") + field : name);
    text->DataField = field;
    text->Mask = mask;
    setFont(text, 0, bold);
    return text;
}

TQRExpr *AddExpr(TQRBand *band, const QString &expression, double left, double top, double width, const QString &mask,
                 bool bold, const QString &name)
{
    auto *expr = Place<TQRExpr>(band, left, top, width, name);
    expr->setExpression(expression);
    expr->Mask = mask;
    setFont(expr, 0, bold);
    return expr;
}

TQRShape *AddBox(TQRBand *band, double left, double top, double width, double height)
{
    auto *box = Place<TQRShape>(band, left, top, width);
    box->Height = height;
    return box;
}

void SetUpReport(TQuickRep *report, const QString &name, const QString &title, QPageSize::PageSizeId paper,
                 QPageLayout::Orientation orientation, int points)
{
    report->Name = name;
    report->ReportTitle = title;
    report->Page.PaperSize = paper;
    report->Page.Orientation = orientation;
    report->Font = QFont(QStringLiteral("Arial"), points);
    RegisterDataSetCursor();
}

void SetUpDocument(TQuickRep *report, const QString &name, const QString &title, QPageLayout::Orientation orientation)
{
    SetUpReport(report, name, title, QPageSize::A4, orientation, 9);
    report->PrintIfEmpty = true;
}

void CompanyBlock(TQRBand *title, const TCompanyBlock &at)
{
    Place<TQRImage>(title, 0, 0, at.LogoWidth, QStringLiteral("QRlogo"))->Height = at.LogoHeight;
    int i = 0;
    for (const char *key : {"QRNazov", "QRUlica", "QRMesto", "QRICO", "QRDIC"})
        Place<TQRLabel>(title, at.Left, at.Top + at.LineHeight * i++, at.Width, QString::fromLatin1(key));
}

TItemBands ItemBands(TQuickRep *report, double headHeight, double detailHeight)
{
    TItemBands t{report->AddBand(rbColumnHeader, QStringLiteral("ColumnHeaderBand")),
                 report->AddBand(rbDetail, QStringLiteral("DetailBand")),
                 report->AddBand(rbSummary, QStringLiteral("SummaryBand"))};
    t.head->Height = headHeight;
    t.detail->Height = detailHeight;
    for (TQRBand *band : {t.head, t.detail, t.summary})
        band->Font().setPointSize(8);
    return t;
}
