#include "EDListQRRep.h"

#include "AmountText.h"
#include "ReportParts.h"
#include "platform/report/DataSetCursor.h"
#include "platform/report/QRBand.h"

using namespace ReportParts;

TEDListQRRep::TEDListQRRep()
{
    SetUpReport(this, QStringLiteral("EDListQRRep"), QString::fromUtf8("Dodací list"), QPageLayout::Portrait);

    TQRBand *title = AddBand(rbTitle, QStringLiteral("TitleBand"));
    title->Height = 250;
    CompanyBlock(title);
    auto *heading = Label(title, "Dodací list č.", 440, 90, 140);
    heading->Font() = QFont(QStringLiteral("Arial"), 13, QFont::Bold);
    auto *number = Text(title, "C_DL", 580, 90, 120, "00\"/\"0000");
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

    TQRBand *head = AddBand(rbColumnHeader, QStringLiteral("ColumnHeaderBand"));
    head->Height = 22;
    const double lefts[] = {0, 25, 110, 170, 260, 330, 470, 520, 590, 680};
    const char *heads[] = {"č.",       "č.Objednávky", "č.Zákazky", "č.Výrobku", "č.Externé", "Názov výrobku",
                           "Množstvo", "Cena/ks",      "Hodnota",   "Váha"};
    for (int c = 0; c < 10; ++c)
        Label(head, heads[c], lefts[c], 2, 80);

    TQRBand *detail = AddBand(rbDetail, QStringLiteral("DetailBand"));
    detail->Height = 18;
    Text(detail, "C_RIADKU", lefts[0], 0, 22);
    Text(detail, "C_OBJ2", lefts[1], 0, 82);
    Text(detail, "C_INT", lefts[2], 0, 58, "00\"/\"0000");
    Text(detail, "C_VYR", lefts[3], 0, 88);
    Text(detail, "C_POL_EXT", lefts[4], 0, 68);
    Text(detail, "NAZOV", lefts[5], 0, 138);
    Expr(detail, QStringLiteral("QRMnozstvo"), "MNOZ_VYR", lefts[6], 0, 45, "#####");
    TAmountText::Place(detail, QStringLiteral("QRCena"), "CENA1", lefts[7] - 30, 0, "#####.00");
    TAmountText::Place(detail, QStringLiteral("QRHodnota"), "CENA1*MNOZ_VYR", lefts[8] - 15, 0, "######.00");
    Expr(detail, QStringLiteral("QRVaha"), "VAHA1*MNOZ_VYR", lefts[9] - 20, 0, 60, "#####.000");
    auto *complaint = Expr(detail, QStringLiteral("QRRe"), "if(C_INT_RE<>0, 'Re', '')", 745, 0, 20, "");
    complaint->Alignment = Qt::AlignLeft;

    TQRBand *summary = AddBand(rbSummary, QStringLiteral("SummaryBand"));
    summary->Height = 150;
    auto *foot = Text(summary, "PATA_DL", 0, 70, 450);
    foot->AutoSize = false;
    Label(summary, "Prevzal ", 0, 110, 50);
    Text(summary, "PREVZAL", 55, 110, 200);
    auto *dots = Label(summary, "....................................", 55, 125, 200);
    dots->AutoSize = false;
    Label(summary, "Spolu", 330, 2, 60);
    Expr(summary, QStringLiteral("QRSumMnozstvo"), "sum(MNOZ_VYR)", lefts[6], 2, 45, "#####");
    TAmountText::Place(summary, QStringLiteral("QRSumHodnota"), "sum(CENA1*MNOZ_VYR)", lefts[8] - 15, 2, "######.00");
    Expr(summary, QStringLiteral("QRSumVaha"), "sum(VAHA1*MNOZ_VYR)", lefts[9] - 20, 2, 60, "#####.000");
    Label(summary, "Externé náklady", 330, 20, 150);
    TAmountText::Place(summary, QStringLiteral("QRSumMIMC"), "sum(MIMC)", lefts[8] - 15, 20, "######.00");
    Label(summary, "Prídavok za materiál", 330, 36, 150);
    TAmountText::Place(summary, QStringLiteral("QRSumPridMat"), "sum(PRID_MATC)", lefts[8] - 15, 36, "######.00");
    Label(summary, "Prídavok za dopravu", 330, 52, 150);
    TAmountText::Place(summary, QStringLiteral("QRSumPridDop"), "sum(PRID_DOPC)", lefts[8] - 15, 52, "######.00");
}
