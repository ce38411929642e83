#include "EFakturaQRRep.h"

#include "AmountText.h"
#include "ReportParts.h"
#include "platform/db/DataSet.h"
#include "platform/report/DataSetCursor.h"

using namespace ReportParts;

namespace {

TAmountText *withCurrency(TQRBand *band, const QString &name, const char *expression, double left, double top,
                          const char *mask)
{
    return TAmountText::Place(band, name, expression, left, top, mask, TAmountText::brNotAfterBlank);
}

} // namespace

TEFakturaQRRep::TEFakturaQRRep()
{
    SetUpDocument(this, QStringLiteral("EFakturaQRRep"), QString::fromUtf8("Faktúra"), QPageLayout::Portrait);
    AddFunction(QStringLiteral("DPH"), QStringLiteral("CENA1*MNOZ_VYR*P_DPH/100"));
    AddFunction(QStringLiteral("HODNOTA"), QStringLiteral("CENA1*MNOZ_VYR"));

    TQRBand *title = AddBand(rbTitle, QStringLiteral("TitleBand"));
    title->Height = 260;
    CompanyBlock(title);
    auto *heading = Label(title, "F A K T Ú R A", 440, 80, 130);
    heading->Font() = QFont(QStringLiteral("Arial"), 13, QFont::Bold);
    Text(title, "C_FAKTURY", 580, 80, 120)->Font() = QFont(QStringLiteral("Arial"), 13, QFont::Bold);
    Label(title, "Odberateľ", 380, 110);
    Text(title, "ODBERATEL", 380, 126, 320);
    Text(title, "ULICA", 380, 142, 320);
    Text(title, "PSC", 380, 158, 60);
    Text(title, "MESTO", 445, 158, 255);
    Label(title, "IČO", 380, 178, 40);
    Text(title, "ICO", 420, 178, 90);
    Label(title, "IČ DPH", 520, 178, 50);
    Text(title, "ICDPH", 570, 178, 130);
    const QList<QPair<const char *, const char *>> facts{{"č.dod.listu", "C_DL"},
                                                         {"KS", "KS"},
                                                         {"č.objed.", "C_OBJ"},
                                                         {"Spôsob dopravy", "DOPRAVA"},
                                                         {"Deň splatnosti", "D_SPLAT"},
                                                         {"Forma úhrady", "F_UHRADY"},
                                                         {"Dátum vystavenia", "D_VYSTAV"},
                                                         {"Dátum dodania", "D_ZDANPLN"}};
    for (int f = 0; f < facts.size(); ++f) {
        Label(title, facts[f].first, 0, 110 + 16 * f, 110);
        Text(title, facts[f].second, 115, 110 + 16 * f, 200);
    }
    Label(title, "Platobné podmienky", 0, 240, 110);
    Label(title, "Konečný príjemca", 380, 240, 110);

    // The item table in 8 points: its eleven columns with the widest figures their masks give (and a sum a
    // digit longer) fit the page's width, each a blank apart from the next.
    const auto [head, detail, summary] = ItemTableBands(this, 32);
    // Texts start at their column's left edge; numbers and their captions end at the right edge. The unit
    // price's caption takes two lines, so every column fits within the band.
    const double lefts[] = {0, 15, 90, 147, 203, 264};
    ItemTextColumns(head, detail, "č.Výkresu", "C_VYKRESU", lefts, {13, 73, 55, 54, 59, 124});
    // A line's value has six digits before the decimals at most; the sums, a digit longer, reach into the unit
    // price's column, empty on their rows.
    const double rights[] = {442, 524, 614, 657, 718};
    const char *numberHeads[] = {"Množstvo", "Cena/MJ", "Hodnota", "% DPH", "Váha"};
    for (int c = 0; c < 5; ++c)
        RightLabel(head, numberHeads[c], rights[c], 2, 78);
    RightLabel(head, "bez DPH", rights[1], 15, 78);
    const double amount = 95; // the width of an amount with its currency
    Expr(detail, QStringLiteral("QRMnozstvo"), "MNOZ_VYR", rights[0] - 36, 0, 36, "#####");
    withCurrency(detail, QStringLiteral("QRCena"), "CENA1", rights[1] - amount, 0, "#####.00;; ");
    withCurrency(detail, QStringLiteral("QRHodnota"), "CENA1*MNOZ_VYR", rights[2] - amount, 0, "######.00;; ");
    Expr(detail, QStringLiteral("QRPDph"), "P_DPH", rights[3] - 36, 0, 36, "## %");
    Expr(detail, QStringLiteral("QRVaha"), "VAHA1*MNOZ_VYR", rights[4] - 56, 0, 56, "#####.000");

    Label(summary, "Spolu bez DPH", lefts[5], 2, 110);
    withCurrency(summary, QStringLiteral("QRSumBezDph"), "sum(CENA1*MNOZ_VYR)", rights[2] - amount, 2, "######.00;; ");
    Label(summary, "DPH", lefts[5], 18, 110);
    withCurrency(summary, QStringLiteral("QRSumDph"), "sum(DPH)", rights[2] - amount, 18, "######.00;; ");
    Label(summary, "Spolu s DPH", lefts[5], 34, 110);
    withCurrency(summary, QStringLiteral("QRSumSDph"), "sum(HODNOTA+DPH)", rights[2] - amount, 34, "######.00;; ");
    Expr(summary, QStringLiteral("QRSumMnozstvo"), "sum(MNOZ_VYR)", rights[0] - 36, 2, 36, "#####");
    Expr(summary, QStringLiteral("QRSumVaha"), "sum(VAHA1*MNOZ_VYR)", rights[4] - 56, 2, 56, "#####.000");
    auto *skk = Label(summary, "Cena spolu v SKK pri konverznom kurze 30.1260 SKK/EUR", 0, 54, 320);
    auto *skkSum =
        Expr(summary, QStringLiteral("QRSumSKK"), "sum(HODNOTA+DPH)*30.126", rights[2] - 130, 54, 130, "#####0.00 SKK");
    summary->BeforePrint = [this, skk, skkSum](TQRBand *, bool &) {
        const bool euro = DataSet() && DataSet()->Active() && !DataSet()->IsEmpty() &&
                          DataSet()->FieldByName(QStringLiteral("MENA"))->AsString().trimmed() == QStringLiteral("EUR");
        skk->Enabled = euro;
        skkSum->Enabled = euro;
    };
    // The SKK line, the note's foot and the receiver in the report's own size.
    TQRPrintable *own[] = {skk, skkSum, Text(summary, "PATA_DL", 0, 80, 450), Label(summary, "Prevzal ", 0, 120, 50),
                           Text(summary, "PREVZAL", 55, 120, 200)};
    for (TQRPrintable *p : own)
        p->Font() = Font;
}
