#include "ReportParts.h"

namespace ReportParts {

void CompanyBlock(TQRBand *title)
{
    ::CompanyBlock(title, {150, 60, 160, 4, 16, 300});
}

TItemBands ItemTableBands(TQuickRep *report, double headHeight)
{
    TItemBands t = ItemBands(report, headHeight, 16);
    t.summary->Height = 150;
    return t;
}

TQRLabel *Label(TQRBand *band, const char *caption, double left, double top, double width)
{
    return AddLabel(band, QString::fromUtf8(caption), left, top, width, 0, false,
                    QStringLiteral("QRLabel%1_%2").arg(band->Name, QString::number(band->Controls.size() + 1)));
}

TQRLabel *RightLabel(TQRBand *band, const char *caption, double right, double top, double width)
{
    return AddRightLabel(band, QString::fromUtf8(caption), right, top, width);
}

TQRDBText *Text(TQRBand *band, const char *field, double left, double top, double width, const char *mask)
{
    return AddField(band, QString::fromLatin1(field), left, top, width, QString::fromLatin1(mask));
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
    auto *e = AddExpr(band, QString::fromUtf8(expression), left, top, width, QString::fromLatin1(mask), false, name);
    e->Alignment = Qt::AlignRight;
    e->AutoSize = false;
    return e;
}

} // namespace ReportParts
