#include "EDListQRRep.h"

#include "AmountText.h"
#include "DMExp.h"
#include "ReportParts.h"
#include "platform/report/DataSetCursor.h"
#include "platform/report/QRBand.h"

using namespace ReportParts;

TEDListQRRep::TEDListQRRep()
{
    SetUpDocument(this, QStringLiteral("EDListQRRep"), QString::fromUtf8("Dodací list"), QPageLayout::Portrait);

    TQRBand *title = AddBand(rbTitle, QStringLiteral("TitleBand"));
    title->Height = 250;
    CompanyBlock(title);
    auto *heading = Label(title, "Dodací list č.", 440, 90, 140);
    heading->Font() = QFont(QStringLiteral("Arial"), 13, QFont::Bold);
    auto *number = Text(title, "C_DL", 580, 90, 120, NoteNumberFormat);
    number->Font() = QFont(QStringLiteral("Arial"), 13, QFont::Bold);
    Text(title, "ODBERATEL", 380, 130, 320);
    Text(title, "ULICA", 380, 148, 320);
    Text(title, "PSC", 380, 166, 60);
    Text(title, "MESTO", 445, 166, 255);
    Label(title, "č.Objednávky", 0, 130);
    Text(title, "C_OBJ", 95, 130, 120);
    Label(title, "zo dňa", 220, 130, 45);
    Text(title, "D_OBJ", 265, 130, 90);
    Label(title, "Vystavil", 0, 150);
    Text(title, "VYSTAVIL", 95, 150, 120);
    Label(title, "dňa", 220, 150, 45);
    Text(title, "D_VYSTAV", 265, 150, 90);
    Label(title, "Doprava", 0, 170);
    Text(title, "DOPRAVA", 95, 170, 200);

    // The item table in 8 points: its ten columns with the widest figures their masks give (and a sum a digit
    // longer) fit the page's width, each a blank apart from the next.
    const auto [head, detail, summary] = ItemTableBands(this, 22);
    // Texts start at their column's left edge; numbers and their captions end at the right edge, the last
    // column (the complaint mark) within the band.
    const double lefts[] = {0, 16, 91, 150, 207, 266};
    ItemTextColumns(head, detail, "č.Externé", "C_POL_EXT", lefts, {14, 73, 57, 55, 57, 138});
    const double rights[] = {460, 542, 636, 696};
    const char *numberHeads[] = {"Množstvo", "Cena/ks", "Hodnota", "Váha"};
    for (int c = 0; c < 4; ++c)
        RightLabel(head, numberHeads[c], rights[c], 2, 80);
    const double amount = 95; // the width of an amount with its currency
    Expr(detail, QStringLiteral("QRMnozstvo"), "MNOZ_VYR", rights[0] - 45, 0, 45, "#####");
    TAmountText::Place(detail, QStringLiteral("QRCena"), "CENA1", rights[1] - amount, 0, "#####.00");
    TAmountText::Place(detail, QStringLiteral("QRHodnota"), "CENA1*MNOZ_VYR", rights[2] - amount, 0, "######.00");
    Expr(detail, QStringLiteral("QRVaha"), "VAHA1*MNOZ_VYR", rights[3] - 60, 0, 60, "#####.000");
    auto *complaint = Expr(detail, QStringLiteral("QRRe"), "if(C_INT_RE<>0, 'Re', '')", rights[3] + 4, 0, 16, "");
    complaint->Alignment = Qt::AlignLeft;

    // The note's foot and the receiver's signature in the report's own size.
    auto *foot = Text(summary, "PATA_DL", 0, 70, 450);
    foot->AutoSize = false;
    TQRPrintable *signature[] = {foot, Label(summary, "Prevzal ", 0, 110, 50), Text(summary, "PREVZAL", 55, 110, 200),
                                 Label(summary, "....................................", 55, 125, 200)};
    for (TQRPrintable *p : signature)
        p->Font() = Font;
    static_cast<TQRLabel *>(signature[3])->AutoSize = false;
    Label(summary, "Spolu", lefts[5], 2, 60);
    Expr(summary, QStringLiteral("QRSumMnozstvo"), "sum(MNOZ_VYR)", rights[0] - 45, 2, 45, "#####");
    TAmountText::Place(summary, QStringLiteral("QRSumHodnota"), "sum(CENA1*MNOZ_VYR)", rights[2] - amount, 2,
                       "######.00");
    Expr(summary, QStringLiteral("QRSumVaha"), "sum(VAHA1*MNOZ_VYR)", rights[3] - 60, 2, 60, "#####.000");
    Label(summary, "Externé náklady", lefts[5], 20, 150);
    TAmountText::Place(summary, QStringLiteral("QRSumMIMC"), "sum(MIMC)", rights[2] - amount, 20, "######.00");
    Label(summary, "Prídavok za materiál", lefts[5], 36, 150);
    TAmountText::Place(summary, QStringLiteral("QRSumPridMat"), "sum(PRID_MATC)", rights[2] - amount, 36, "######.00");
    Label(summary, "Prídavok za dopravu", lefts[5], 52, 150);
    TAmountText::Place(summary, QStringLiteral("QRSumPridDop"), "sum(PRID_DOPC)", rights[2] - amount, 52, "######.00");
}
