#include "ReportParts.h"

#include "platform/report/DataSetCursor.h"

namespace ReportParts {

void SetUpReport(TQuickRep *report, const QString &name, const QString &title, QPageLayout::Orientation orientation)
{
    report->Name = name;
    report->ReportTitle = title;
    report->Page.PaperSize = QPageSize::A4;
    report->Page.Orientation = orientation;
    report->PrintIfEmpty = true;
    report->Font = QFont(QStringLiteral("Arial"), 9);
    RegisterDataSetCursor();
}

void CompanyBlock(TQRBand *title)
{
    auto *logo = Place<TQRImage>(title, QStringLiteral("QRlogo"), 0, 0, 150);
    logo->Height = 60;
    int i = 0;
    for (const char *key : {"QRNazov", "QRUlica", "QRMesto", "QRICO", "QRDIC"})
        Place<TQRLabel>(title, QString::fromLatin1(key), 160, 4 + 16 * i++, 300);
}

ItemTable ItemTableBands(TQuickRep *report, double headHeight)
{
    ItemTable t{report->AddBand(rbColumnHeader, QStringLiteral("ColumnHeaderBand")),
                report->AddBand(rbDetail, QStringLiteral("DetailBand")),
                report->AddBand(rbSummary, QStringLiteral("SummaryBand"))};
    t.head->Height = headHeight;
    t.detail->Height = 16;
    t.summary->Height = 150;
    for (TQRBand *band : {t.head, t.detail, t.summary})
        band->Font().setPointSize(8);
    return t;
}

TQRLabel *Label(TQRBand *band, const char *caption, double left, double top, double width)
{
    auto *l = Place<TQRLabel>(
        band, QStringLiteral("QRLabel%1_%2").arg(band->Name, QString::number(band->Controls.size() + 1)), left, top,
        width);
    l->Caption = QString::fromUtf8(caption);
    return l;
}

TQRLabel *RightLabel(TQRBand *band, const char *caption, double right, double top, double width)
{
    auto *l = Label(band, caption, right - width, top, width);
    l->Alignment = Qt::AlignRight;
    return l;
}

TQRDBText *Text(TQRBand *band, const char *field, double left, double top, double width, const char *mask)
{
    auto *t = Place<TQRDBText>(band, QStringLiteral("QRDB%1").arg(QLatin1String(field)), left, top, width);
    t->DataField = QString::fromLatin1(field);
    t->Mask = QString::fromLatin1(mask);
    return t;
}

void ItemTextColumns(TQRBand *head, TQRBand *detail, const char *otherCaption, const char *otherField,
                     const double (&lefts)[6], const double (&widths)[6])
{
    const char *captions[] = {"č.", "č.Objednávky", "č.Zákazky", "č.Výrobku", otherCaption, "Názov výrobku"};
    const char *fields[] = {"C_RIADKU", "C_OBJ2", "C_INT", "C_VYR", otherField, "NAZOV"};
    for (int c = 0; c < 6; ++c) {
        Label(head, captions[c], lefts[c], 2, 80);
        Text(detail, fields[c], lefts[c], 0, widths[c], c == 2 ? "00\"/\"0000" : "");
    }
}

TQRExpr *Expr(TQRBand *band, const QString &name, const char *expression, double left, double top, double width,
              const char *mask)
{
    auto *e = Place<TQRExpr>(band, name, left, top, width);
    e->setExpression(QString::fromUtf8(expression));
    e->Mask = QString::fromLatin1(mask);
    e->Alignment = Qt::AlignRight;
    e->AutoSize = false;
    return e;
}

} // namespace ReportParts
