#include "ESkladQRRep.h"

#include "DMExp.h"
#include "ReportParts.h"
#include "platform/report/DataSetCursor.h"

using namespace ReportParts;

TESkladQRRep::TESkladQRRep()
{
    SetUpDocument(this, QStringLiteral("ESkladQRRep"),
                  QString::fromUtf8("Súpis skladových zásob na expedičnom sklade k"), QPageLayout::Portrait);
    setDataSet(&DMExp->QESklad);

    TQRBand *header = AddBand(rbPageHeader, QStringLiteral("PageHeaderBand"));
    header->Height = 60;
    auto *title = Label(header, "Súpis skladových zásob na expedičnom sklade k", 0, 0, 420);
    title->Font() = QFont(QStringLiteral("Arial"), 12, QFont::Bold);
    QRDatum = Label(header, "", 430, 0, 120);
    QRDatum->Name = QStringLiteral("QRDatum");
    QRDatum->Font() = QFont(QStringLiteral("Arial"), 12, QFont::Bold);
    const double lefts[] = {0, 100, 330, 400, 480, 580};
    const char *heads[] = {"č.Výrobku", "Názov výrobku", "Množstvo", "Cena/ks", "Hodnota", "Váha"};
    for (int c = 0; c < 6; ++c)
        Label(header, heads[c], lefts[c], 38, 90);

    TQRGroup *group = AddGroup(QStringLiteral("QRGroupSklad"), QStringLiteral("SKLAD"));
    group->Height = 0;
    group->ForceNewPage = true;

    TQRBand *detail = AddBand(rbDetail, QStringLiteral("DetailBand"));
    detail->Height = 18;
    Text(detail, "C_POL", lefts[0], 0, 95);
    Text(detail, "NAZOV", lefts[1], 0, 225);
    Expr(detail, QStringLiteral("QRMnozstvo"), "MNOZSTVO", lefts[2], 0, 60, "#######");
    Expr(detail, QStringLiteral("QRCenaKs"), "if(MNOZSTVO=0, 0, CENAC/MNOZSTVO)", lefts[3], 0, 70, "#####.00;; ");
    Expr(detail, QStringLiteral("QRHodnota"), "CENAC", lefts[4], 0, 90, "### ###.##");
    Expr(detail, QStringLiteral("QRVaha"), "VAHAC", lefts[5], 0, 70, "#####.#");
    detail->BeforePrint = [](TQRBand *, bool &print) {
        print = DMExp->QESklad.FieldByName(QStringLiteral("MNOZSTVO"))->AsFloat() != 0;
    };

    TQRBand *footer = AddBand(rbGroupFooter, QStringLiteral("GroupFooterBand"));
    group->FooterBand = footer;
    footer->Height = 24;
    Label(footer, "Spolu za sklad", 0, 4, 100);
    Text(footer, "SKLAD", 100, 4, 60);
    Expr(footer, QStringLiteral("QRSkladVaha"), "sum(VAHAC)", lefts[5] - 30, 4, 100, "# ### ###.0");
    Expr(footer, QStringLiteral("QRSkladHodnota"), "sum(CENAC)", lefts[4] - 30, 4, 120, "# ### ###.00");

    TQRBand *summary = AddBand(rbSummary, QStringLiteral("SummaryBand"));
    summary->Height = 24;
    Label(summary, "Spolu", 0, 4, 100);
    Expr(summary, QStringLiteral("QRSumHodnota"), "sum(CENAC)", lefts[4] - 30, 4, 120, "# ### ###.00");
    Expr(summary, QStringLiteral("QRSumVaha"), "sum(VAHAC)", lefts[5] - 30, 4, 100, "# ### ###.0");
}
