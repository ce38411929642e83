#include "QRTlacIntObjBack.h"

#include "library/ReportBuilder.h"

TQRTlacIntObjBack::TQRTlacIntObjBack()
{
    Name = QStringLiteral("QRTlacIntObjBack");
    ReportTitle = QStringLiteral("Plnenie");
    Page.PaperSize = QPageSize::A5;
    Page.Orientation = QPageLayout::Landscape;
    Font = QFont(QStringLiteral("Arial"), 9);
    PrintIfEmpty = true;
    TQRBand *t = AddBand(rbTitle, QStringLiteral("TitleBand"));
    t->Height = 400;
    AddLabel(t, QStringLiteral("Plnenie"), 0, 0, 0, 12, true);
    const QStringList columns{QString::fromUtf8("Dátum"), QString::fromUtf8("Č.odvodu"), QStringLiteral("Množstvo"),
                              QString::fromUtf8("Faktúra"), QString::fromUtf8("P-faktúra")};
    const double width = Width() / columns.size();
    for (int c = 0; c < columns.size(); ++c)
        AddLabel(t, columns[c], c * width + 4, 26, width - 8, 0, true);
    for (int r = 0; r <= 11; ++r) {
        auto *rule = t->Add<TQRShape>();
        rule->Shape = qrsHorLine;
        rule->Top = 22 + r * 30;
        rule->Width = Width();
        rule->Height = 1;
    }
    for (int c = 0; c <= columns.size(); ++c) {
        auto *rule = t->Add<TQRShape>();
        rule->Shape = qrsVertLine;
        rule->Left = c * width;
        rule->Top = 22;
        rule->Width = 1;
        rule->Height = 11 * 30;
    }
}
