#include "ProductionReport.h"

#include "platform/report/DataSetCursor.h"
#include "platform/report/QRBand.h"
#include "platform/report/QRControls.h"

#include <QFontMetricsF>

#include <algorithm>

namespace {

// The caption in one line, or, when it is wider than the column, in two split at the blank that leaves the
// longer line shortest.
QStringList captionLines(const QString &caption, double width, const QFontMetricsF &metrics)
{
    if (metrics.horizontalAdvance(caption) <= width)
        return {caption};
    QStringList best{caption};
    double bestWidth = metrics.horizontalAdvance(caption);
    for (qsizetype at = caption.indexOf(QLatin1Char(' ')); at > 0; at = caption.indexOf(QLatin1Char(' '), at + 1)) {
        const QStringList two{caption.left(at).trimmed(), caption.mid(at + 1).trimmed()};
        const double wider = std::max(metrics.horizontalAdvance(two[0]), metrics.horizontalAdvance(two[1]));
        if (wider < bestWidth) {
            best = two;
            bestWidth = wider;
        }
    }
    return best;
}

bool isExpression(const QString &data)
{
    for (QChar c : data)
        if (QStringLiteral("()+-*/'").contains(c))
            return true;
    return false;
}

// The height of a caption's line.
constexpr double kCaptionLine = 12;

} // namespace

TColumnReportBands BuildColumnReport(TQuickRep &report, const QString &name, const QString &title, bool landscape,
                                     TDataSet *dataSet, const std::vector<TReportColumn> &columns, TQRBand *groupFooter)
{
    report.Name = name;
    report.ReportTitle = title;
    report.Page.PaperSize = QPageSize::A4;
    report.Page.Orientation = landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    report.PrintIfEmpty = true;
    report.Font = QFont(QStringLiteral("Arial"), 8);
    RegisterDataSetCursor();
    report.setDataSet(dataSet);

    TColumnReportBands bands;
    bands.Header = report.AddBand(rbPageHeader, QStringLiteral("PageHeaderBand1"));
    bands.Header->Height = 40 + 2 * kCaptionLine;
    auto *heading = bands.Header->Add<TQRSysData>(QStringLiteral("QRSysDataTitle"));
    heading->Data = qrsReportTitle;
    heading->Font() = QFont(QStringLiteral("Arial"), 13, QFont::Bold);
    heading->Width = 400;
    heading->Height = 22;
    auto *pageNo = bands.Header->Add<TQRSysData>(QStringLiteral("QRSysDataPage"));
    pageNo->Data = qrsPageNumber;
    pageNo->Left = report.Width() - 100;
    pageNo->Width = 100;
    pageNo->Alignment = Qt::AlignRight;
    bands.Detail = report.AddBand(rbDetail, QStringLiteral("DetailBand1"));
    bands.Detail->Height = 16;
    bands.Summary = report.AddBand(rbSummary, QStringLiteral("SummaryBand1"));
    bands.Summary->Height = 20;
    bands.Summary->Add<TQRLabel>(QStringLiteral("QRLabelSpolu"))->Caption = QStringLiteral("Spolu");

    // Each column is at least as wide as its caption with a blank to spare (measured with a tenth more, for
    // the printer's and the preview's own widths), a long caption over two lines.
    const QFontMetricsF metrics(report.Font);
    const double blank = metrics.horizontalAdvance(QLatin1Char(' '));
    double left = 0;
    int i = 0;
    for (const TReportColumn &orig : columns) {
        ++i;
        TReportColumn c = orig;
        const QString data = QString::fromUtf8(c.Data);
        const QStringList lines = captionLines(QString::fromUtf8(c.Caption), (c.Width - blank) / 1.1, metrics);
        for (const QString &line : lines)
            c.Width = std::max(c.Width, metrics.horizontalAdvance(line) * 1.1 + blank);
        for (int line = 0; line < lines.size(); ++line) {
            auto *label = bands.Header->Add<TQRLabel>(QStringLiteral("QRLabel%1%2").arg(i).arg(line ? "b" : ""));
            label->Caption = lines[line];
            label->Left = left;
            label->Top = 40 + line * kCaptionLine;
            label->Width = c.Width;
        }
        if (isExpression(data)) {
            auto *e = bands.Detail->Add<TQRExpr>(QStringLiteral("QRExpr%1").arg(i));
            e->setExpression(data);
            e->Mask = QString::fromUtf8(c.Mask);
            e->Left = left;
            e->Width = c.Width;
        } else {
            auto *text = bands.Detail->Add<TQRDBText>(QStringLiteral("QRDBText%1").arg(i));
            text->DataField = data;
            text->Mask = QString::fromUtf8(c.Mask);
            text->Left = left;
            text->Width = c.Width;
        }
        if (c.Summed) {
            for (TQRBand *band : {groupFooter, bands.Summary}) {
                if (!band)
                    continue;
                auto *sum =
                    band->Add<TQRExpr>(QStringLiteral("QRSum%1%2").arg(band == bands.Summary ? 'S' : 'G').arg(i));
                sum->setExpression(QStringLiteral("SUM(%1)").arg(data));
                sum->Mask = QString::fromUtf8(c.Mask);
                sum->Left = left;
                sum->Width = c.Width;
            }
        }
        left += c.Width + 4;
    }
    return bands;
}

void PageNumberFooter(TQuickRep &report)
{
    TQRBand *foot = report.AddBand(rbPageFooter, QStringLiteral("PageFooterBand1"));
    foot->Height = MmToUnits(6);
    auto *page = foot->Add<TQRSysData>(QStringLiteral("QRSysDataPage"));
    page->Data = qrsPageNumber;
    page->Text = QStringLiteral("Strana ");
    page->Left = report.Width() - MmToUnits(30);
    page->Width = MmToUnits(30);
    page->AutoSize = false;
    page->Alignment = Qt::AlignRight;
    page->Top = MmToUnits(1);
}
