#include "library/GridReport.h"

#include "library/QTlacForm.h"
#include "platform/db/DataSet.h"
#include "platform/db/Field.h"
#include "platform/report/DataSetCursor.h"
#include "platform/report/QuickRep.h"

#include <algorithm>

namespace {

constexpr double kMarginX = 8;
constexpr double kGap = 5;

Qt::Alignment alignmentOf(const TField *field)
{
    switch (field->Alignment()) {
    case TAlignment::taRightJustify:
        return Qt::AlignRight;
    case TAlignment::taCenter:
        return Qt::AlignHCenter;
    default:
        return Qt::AlignLeft;
    }
}

// The column of a field: wide enough for its display width or its caption, whichever is longer.
double columnWidth(const TField *field, int fontSize)
{
    return double(fontSize - 1) * std::max<qsizetype>(field->DisplayWidth(), field->DisplayName().size());
}

} // namespace

std::unique_ptr<TQuickRep> MakeGridReport(TDataSet *dataSet, const QString &title, int fontSize)
{
    RegisterDataSetCursor();
    auto rep = std::make_unique<TQuickRep>();
    rep->Name = QStringLiteral("GridQRRep");
    rep->setDataSet(dataSet);
    rep->ReportTitle = title;
    rep->Font.setPointSize(fontSize);
    TQRBand *titleBand = rep->SetHasBand(rbTitle, true);
    TQRBand *header = rep->SetHasBand(rbColumnHeader, true);
    TQRBand *detail = rep->SetHasBand(rbDetail, true);

    auto *caption = titleBand->Add<TQRLabel>();
    caption->Left = 8;
    caption->Top = 8;
    caption->Caption = title;
    caption->Font().setBold(true);
    caption->Font().setPointSize(12);
    titleBand->Height = std::max(titleBand->Height, 8 + 12 * kReportDpi / 72.0 + 8);

    header->Height = 24;
    detail->Height = 17;
    const double pageWidth = rep->Width();
    const int fields = dataSet ? dataSet->FieldCount() : 0;
    double x = kMarginX;
    for (int i = 0; i < fields; ++i) {
        const TField *field = dataSet->Fields(i);
        const double width = columnWidth(field, fontSize);
        auto *label = header->Add<TQRLabel>();
        label->Left = x;
        label->Top = 2;
        label->Caption = field->DisplayName();
        label->Font().setPointSize(fontSize);
        label->AutoSize = false;
        label->Width = width;
        label->Alignment = alignmentOf(field);

        auto *text = detail->Add<TQRDBText>();
        text->DataField = field->FieldName();
        text->Left = x;
        text->Top = 0;
        text->AutoSize = false;
        text->Font().setPointSize(fontSize);
        text->Width = width;
        text->Alignment = alignmentOf(field);

        x += width + kGap;
        if (x > pageWidth)
            break; // this column reaches the edge; the rest do not fit
    }
    auto *rule = header->Add<TQRShape>();
    rule->Shape = qrsHorLine;
    rule->Left = kMarginX;
    rule->Top = 21;
    rule->Width = pageWidth - 2 * kMarginX;
    rule->Height = 1;
    return rep;
}

void BuildGridReport(TDataSet *dataSet, const QString &title, int fontSize)
{
    std::unique_ptr<TQuickRep> rep = MakeGridReport(dataSet, title, fontSize);
    PrintReport(rep.get(), title);
}
