#include "EDListyQR1Rep.h"

#include "ReportParts.h"
#include "platform/report/DataSetCursor.h"
#include "shell/DMZal.h"

using namespace ReportParts;

namespace {
const double Lefts[] = {0, 60, 120, 180, 260, 320, 380, 450, 520, 590, 660, 720};
struct TAmount {
    const char *Field, *Mask, *Name;
    int Column;
};
const TAmount Amounts[] = {{"MNOZ_VYR", "######", "QRMnoz", 2},
                           {"CENA_PREDC", "# ##0.00", "QRPred", 3},
                           {"VAHAC", "# ##0.0", "QRVaha", 4},
                           {"VLNC", "# ##0.00", "QRVlnc", 10},
                           {"MIMC", "# ##0.00", "QRMimc", 11}};

void sums(TQRBand *band, const char *suffix)
{
    for (const TAmount &a : Amounts)
        Expr(band, QLatin1String(a.Name) + QLatin1String(suffix),
             QStringLiteral("sum(%1)").arg(QLatin1String(a.Field)).toUtf8().constData(), Lefts[a.Column] - 20, 0, 75,
             a.Mask);
}
} // namespace

TEDListyQR1Rep::TEDListyQR1Rep()
{
    SetUpDocument(this, QStringLiteral("EDListyQR1Rep"), QStringLiteral("Dodacie listy"), QPageLayout::Landscape);
    setDataSet(&DMZal->QTlac);

    TQRBand *header = AddBand(rbPageHeader, QStringLiteral("PageHeaderBand"));
    header->Height = 50;
    Label(header, "Dodacie listy", 0, 0, 200)->Font() = QFont(QStringLiteral("Arial"), 12, QFont::Bold);
    const char *heads[] = {"Zákazka",
                           "Č.DL",
                           "Množstvo",
                           "Predajná cena",
                           "Váha",
                           "Dátum",
                           "Výrobok",
                           "Objednávka",
                           "Cena v mene",
                           "Faktúra, Pred.Fa.",
                           "Vlastné náklady",
                           "Externé výr. náklady"};
    for (int c = 0; c < 12; ++c)
        Label(header, heads[c], Lefts[c], 30, 60);

    QRGroup = AddGroup(QStringLiteral("QRGroup1"), QStringLiteral("D_VYSTAV"));
    QRGroup->Height = 0;

    TQRBand *detail = AddBand(rbDetail, QStringLiteral("DetailBand"));
    detail->Height = 16;
    Text(detail, "C_INT", Lefts[0], 0, 58, "00\"/\"0000");
    Text(detail, "C_DL", Lefts[1], 0, 58);
    Expr(detail, QStringLiteral("QRMnozstvo"), "MNOZ_VYR", Lefts[2], 0, 55, "######");
    Expr(detail, QStringLiteral("QRCenaPred"), "CENA_PREDC", Lefts[3], 0, 75, "# ##0.00");
    Expr(detail, QStringLiteral("QRVahaC"), "VAHAC", Lefts[4], 0, 55, "# ##0.0");
    Text(detail, "D_VYSTAV", Lefts[5], 0, 58, "d/m/yy");
    Text(detail, "C_VYR", Lefts[6], 0, 68);
    Text(detail, "C_OBJ", Lefts[7], 0, 68);
    Expr(detail, QStringLiteral("QRCenaKurz"), "CENA_KURZC", Lefts[8], 0, 50, "# ##0.00");
    Text(detail, "MENA", Lefts[8] + 52, 0, 20);
    Text(detail, "C_FAKTURY", Lefts[9], 0, 68);
    Expr(detail, QStringLiteral("QRVlnc"), "VLNC", Lefts[10], 0, 58, "# ##0.00");
    Expr(detail, QStringLiteral("QRMimc"), "MIMC", Lefts[11], 0, 58, "# ##0.00");

    TQRBand *footer = AddBand(rbGroupFooter, QStringLiteral("GroupFooterBand"));
    QRGroup->FooterBand = footer;
    footer->Height = 18;
    QRGroupField = Text(footer, "D_VYSTAV", 0, 0, 160);
    sums(footer, "G");

    TQRBand *summary = AddBand(rbSummary, QStringLiteral("SummaryBand"));
    summary->Height = 70;
    Label(summary, "Spolu", 0, 0, 60);
    sums(summary, "S");
    Label(summary, "Prídavok za dopravu :", 0, 18, 160);
    Expr(summary, QStringLiteral("QRSumDop"), "sum(PRID_DOPC)", 160, 18, 90, "# ##0.00");
    Label(summary, "+ Prídavok za materiál :", 0, 34, 160);
    Expr(summary, QStringLiteral("QRSumMat"), "sum(PRID_MATC)", 160, 34, 90, "# ##0.00");
    Label(summary, "Výsledná cena :", 0, 50, 160);
    Expr(summary, QStringLiteral("QRSumVysl"), "sum(CENA_PREDC+PRID_MATC)", 160, 50, 90, "# ##0.00");
}

void TEDListyQR1Rep::SetGrouping(const QString &groupField, bool details)
{
    QRGroup->setExpression(groupField);
    QRGroupField->DataField = groupField;
    SetHasBand(rbDetail, details);
}
