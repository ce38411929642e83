#include "ProductionReport.h"

#include "platform/report/DataSetCursor.h"
#include "platform/report/QRBand.h"
#include "platform/report/QRControls.h"

namespace {

bool isExpression(const QString &data)
{
    for (QChar c : data)
        if (QStringLiteral("()+-*/'").contains(c))
            return true;
    return false;
}

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
    bands.Header->Height = 60;
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

    double left = 0;
    int i = 0;
    for (const TReportColumn &c : columns) {
        ++i;
        const QString data = QString::fromUtf8(c.Data);
        auto *label = bands.Header->Add<TQRLabel>(QStringLiteral("QRLabel%1").arg(i));
        label->Caption = QString::fromUtf8(c.Caption);
        label->Left = left;
        label->Top = 40;
        label->Width = c.Width;
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
