#include "MaterialReportParts.h"

#include "platform/db/DataSet.h"

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

} // namespace

void SetUp(TQuickRep *report, const QString &name, const QString &title)
{
    SetUpDocument(report, name, title);
}

TQRBand *CompanyTitle(TQuickRep *report, double height)
{
    TQRBand *band = report->AddBand(rbTitle, QStringLiteral("TitleBand"));
    band->Height = height;
    CompanyBlock(band, {140, 56, 150, 2, 15, 280});
    return band;
}

TQRLabel *Caption(TQRBand *band, const QString &text, double left, double top, double width, int points, bool bold)
{
    return AddLabel(band, text, left, top, width, points, bold);
}

TQRDBText *Value(TQRBand *band, const QString &field, double left, double top, double width, const QString &mask)
{
    return AddField(band, field, left, top, width, mask, false, QStringLiteral("QR") + field);
}

TQRExpr *Number(TQRBand *band, const QString &expression, double right, double top, double width, const QString &mask)
{
    auto *expr = AddExpr(band, expression, right - width, top, width, mask);
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
    auto *memo = Place<TQRMemo>(band, left, top, width);
    memo->Lines = lines;
    memo->WordWrap = true;
    memo->AutoStretch = true;
    memo->Height = 14;
    return memo;
}

TItemTable ItemTable(TQuickRep *report, std::initializer_list<TColumn> columns, double headHeight)
{
    TItemTable table = ItemBands(report, headHeight, 15);
    table.head->Frame.DrawBottom = true;
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
        AddBox(band, left, top, each, height);
        Caption(band, QString::fromUtf8(caption), left + 4, top + 3, each - 8);
        left += each + gap;
    }
}

void PageNumber(TQuickRep *report)
{
    TQRBand *footer = report->AddBand(rbPageFooter, QStringLiteral("PageFooterBand"));
    footer->Height = 20;
    auto *page = Place<TQRSysData>(footer, report->Width() - 100, 4, 100);
    page->Data = qrsPageNumber;
    page->Text = QStringLiteral("Strana ");
    page->Alignment = Qt::AlignRight;
    page->Font().setPointSize(8);
}

} // namespace MaterialReport
