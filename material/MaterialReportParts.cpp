#include "MaterialReportParts.h"

#include "platform/db/DataSet.h"
#include "platform/report/DataSetCursor.h"

#include <iterator>

namespace MaterialReport {

namespace {

// The captions and fields of a tool's mould or model data.
const char *const Mould[][2] = {{"Materiál", "MATERIAL"},        {"Násobnosť", "NASOBNOST"},
                                {"Životnosť", "ZIVOTNOST"},      {"Obnova", "OBNOVA"},
                                {"Jadrá kov.", "JADRAKOV"},      {"Jadrá pies.", "JADRAPIES"},
                                {"Jadrovníky", "JADROVNIKY"},    {"Voľné časti", "VOLNECASTI"},
                                {"Chladítka", "CHLADITKA"},      {"Výstuhy", "VYSTUHY"},
                                {"Zaliatok", "ZALIATOK"},        {"Mod. doska", "MODDOSKA"},
                                {"Pracovisko", "PRACOVISKO"},    {"Stôl", "STOL"},
                                {"Sťahovač", "SPTAHAC"},         {"Naliatky", "NALIATKY"},
                                {"Vtoková sústava", "VTOKSUST"}, {"Výpomocná doska", "VYPOMDOSKA"},
                                {"Mat. jadier", "MATJADIER"},    {"Mat. jadrovníkov", "MATJADROV"},
                                {"Mat. chladítok", "MATCHLAD"}};

template <class T> T *put(TQRBand *band, double left, double top, double width)
{
    auto *control = band->Add<T>();
    control->Left = left;
    control->Top = top;
    if (width > 0) {
        control->Width = width;
        control->AutoSize = false;
    }
    return control;
}

} // namespace

void SetUp(TQuickRep *report, const QString &name, const QString &title)
{
    report->Name = name;
    report->ReportTitle = title;
    report->Page.PaperSize = QPageSize::A4;
    report->Page.Orientation = QPageLayout::Portrait;
    report->PrintIfEmpty = true;
    report->Font = QFont(QStringLiteral("Arial"), 9);
    RegisterDataSetCursor();
}

TQRBand *CompanyTitle(TQuickRep *report, double height)
{
    TQRBand *band = report->AddBand(rbTitle, QStringLiteral("TitleBand"));
    band->Height = height;
    auto *logo = put<TQRImage>(band, 0, 0, 140);
    logo->Name = QStringLiteral("QRlogo");
    logo->Height = 56;
    const char *keys[] = {"QRNazov", "QRUlica", "QRMesto", "QRICO", "QRDIC"};
    for (int i = 0; i < 5; ++i)
        put<TQRLabel>(band, 150, 2 + 15 * i, 280)->Name = QString::fromLatin1(keys[i]);
    return band;
}

TQRLabel *Caption(TQRBand *band, const QString &text, double left, double top, double width, int points, bool bold)
{
    auto *label = put<TQRLabel>(band, left, top, width);
    label->Caption = text;
    if (points > 0 || bold) {
        QFont &font = label->Font();
        if (points > 0)
            font.setPointSize(points);
        font.setBold(bold);
    }
    return label;
}

TQRDBText *Value(TQRBand *band, const QString &field, double left, double top, double width, const QString &mask)
{
    auto *text = put<TQRDBText>(band, left, top, width);
    text->Name = QStringLiteral("QR") + field;
    text->DataField = field;
    text->Mask = mask;
    return text;
}

TQRExpr *Number(TQRBand *band, const QString &expression, double right, double top, double width, const QString &mask)
{
    auto *expr = put<TQRExpr>(band, right - width, top, width);
    expr->setExpression(expression);
    expr->Mask = mask;
    expr->Alignment = Qt::AlignRight;
    return expr;
}

void Captioned(TQRBand *band, const char *caption, const char *field, double left, double top, double captionWidth,
               double width, const QString &mask)
{
    Caption(band, QString::fromUtf8(caption), left, top, captionWidth);
    Value(band, QString::fromLatin1(field), left + captionWidth + 4, top, width, mask);
}

TQRMemo *Lines(TQRBand *band, const QStringList &lines, double left, double top, double width)
{
    auto *memo = put<TQRMemo>(band, left, top, width);
    memo->Lines = lines;
    memo->WordWrap = true;
    memo->AutoStretch = true;
    memo->Height = 14;
    return memo;
}

TItemTable ItemTable(TQuickRep *report, std::initializer_list<TColumn> columns, double headHeight)
{
    TItemTable table{report->AddBand(rbColumnHeader, QStringLiteral("ColumnHeaderBand")),
                     report->AddBand(rbDetail, QStringLiteral("DetailBand")),
                     report->AddBand(rbSummary, QStringLiteral("SummaryBand"))};
    table.head->Height = headHeight;
    table.head->Frame.DrawBottom = true;
    table.detail->Height = 15;
    for (TQRBand *band : {table.head, table.detail, table.summary})
        band->Font().setPointSize(8);
    for (const TColumn &c : columns) {
        const QString value = QString::fromUtf8(c.value);
        // A caption of two words over a narrow column goes on two lines.
        QStringList caption = QString::fromUtf8(c.caption).split(QLatin1Char('\n'));
        for (int line = 0; line < caption.size(); ++line) {
            TQRLabel *label = Caption(table.head, caption[line], c.left, 2 + 12 * line, c.width);
            if (c.kind == TColumn::Number)
                label->Alignment = Qt::AlignRight;
        }
        if (c.kind == TColumn::Number)
            Number(table.detail, value, c.left + c.width, 1, c.width, QString::fromUtf8(c.mask));
        else if (c.kind == TColumn::LongText)
            Lines(table.detail, {value}, c.left, 1, c.width);
        else
            Value(table.detail, value, c.left, 1, c.width, QString::fromUtf8(c.mask));
    }
    return table;
}

double MouldData(TQRBand *band, double top)
{
    const int count = int(std::size(Mould));
    const int rows = (count + 1) / 2;
    Caption(band, QStringLiteral("Kokila/Model"), 0, top, 200, 0, true);
    for (int i = 0; i < count; ++i)
        Captioned(band, Mould[i][0], Mould[i][1], i < rows ? 0 : 364, top + 18 + 16 * (i % rows), 110, 240);
    return 18 + 16 * rows;
}

bool HasMouldData(TDataSet *rows)
{
    if (!rows || !rows->Active() || rows->IsEmpty())
        return false;
    for (const auto &m : Mould)
        if (const TField *f = rows->FindField(QString::fromLatin1(m[1])); f && !f->AsString().trimmed().isEmpty())
            return true;
    return false;
}

void SignatureBoxes(TQRBand *band, std::initializer_list<const char *> captions, double top, double width,
                    double height)
{
    const double gap = 10;
    const double each = (width - gap * (int(captions.size()) - 1)) / int(captions.size());
    double left = 0;
    for (const char *caption : captions) {
        auto *box = put<TQRShape>(band, left, top, each);
        box->Height = height;
        Caption(band, QString::fromUtf8(caption), left + 4, top + 3, each - 8);
        left += each + gap;
    }
}

void PageNumber(TQuickRep *report)
{
    TQRBand *footer = report->AddBand(rbPageFooter, QStringLiteral("PageFooterBand"));
    footer->Height = 20;
    auto *page = put<TQRSysData>(footer, report->Width() - 100, 4, 100);
    page->Data = qrsPageNumber;
    page->Text = QStringLiteral("Strana ");
    page->Alignment = Qt::AlignRight;
    page->Font().setPointSize(8);
}

} // namespace MaterialReport
