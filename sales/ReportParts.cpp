#include "ReportParts.h"

#include "shell/MenuHooks.h"
#include "platform/report/DataSetCursor.h"
#include "platform/report/QuickRep.h"
#include "platform/ui/ReportPreview.h"

namespace {

template <class T> void shape(T *control, double left, double top, double width, int points, bool bold)
{
    control->Left = left;
    control->Top = top;
    if (width > 0) {
        control->Width = width;
        control->AutoSize = false;
    }
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
    auto *label = band->Add<TQRLabel>(name);
    label->Caption = caption;
    shape(label, left, top, width, points, bold);
    return label;
}

TQRLabel *AddRightLabel(TQRBand *band, const QString &caption, double right, double top, double width)
{
    TQRLabel *label = AddLabel(band, caption, right - width, top, width);
    label->Alignment = Qt::AlignRight;
    return label;
}

TQRDBText *AddField(TQRBand *band, const QString &field, double left, double top, double width, const QString &mask,
                    bool bold)
{
    auto *text = band->Add<TQRDBText>(QStringLiteral("QRDB") + field);
    text->DataField = field;
    text->Mask = mask;
    shape(text, left, top, width, 0, bold);
    return text;
}

TQRExpr *AddExpr(TQRBand *band, const QString &expression, double left, double top, double width, const QString &mask,
                 bool bold, const QString &name)
{
    auto *expr = band->Add<TQRExpr>(name);
    expr->setExpression(expression);
    expr->Mask = mask;
    shape(expr, left, top, width, 0, bold);
    return expr;
}

TQRShape *AddBox(TQRBand *band, double left, double top, double width, double height)
{
    auto *box = band->Add<TQRShape>();
    box->Left = left;
    box->Top = top;
    box->Width = width;
    box->Height = height;
    return box;
}

void PreviewReport(TQuickRep *report)
{
    if (ModuleHooks().ShowReport)
        ModuleHooks().ShowReport(report);
    else
        TReportPreview::Preview(report);
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
