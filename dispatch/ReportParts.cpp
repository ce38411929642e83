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

TQRLabel *Label(TQRBand *band, const char *caption, double left, double top, double width)
{
    auto *l = Place<TQRLabel>(band, QStringLiteral("QRLabel%1_%2").arg(band->Name).arg(band->Controls.size() + 1), left,
                              top, width);
    l->Caption = QString::fromUtf8(caption);
    return l;
}

TQRDBText *Text(TQRBand *band, const char *field, double left, double top, double width, const char *mask)
{
    auto *t = Place<TQRDBText>(band, QStringLiteral("QRDB%1").arg(QLatin1String(field)), left, top, width);
    t->DataField = QString::fromLatin1(field);
    t->Mask = QString::fromLatin1(mask);
    return t;
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
