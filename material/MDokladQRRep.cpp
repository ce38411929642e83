#include "MDokladQRRep.h"

#include "MaterialReportParts.h"
#include "MaterialRules.h"

using namespace MaterialReport;

TMDokladQRRep::TMDokladQRRep()
{
    SetUp(this, QStringLiteral("MDokladQRRep"), QString::fromUtf8("Materiálový pohyb"));
    // Issues are stored negative and print positive; the value follows the printed quantity. Computed
    // here, so that any movements with their items print: a document's or the movements form's list.
    AddFunction(QStringLiteral("MNOZ"), QStringLiteral("IF(TYP_POHYBU<20,1,-1)*MNOZSTVO"));
    AddFunction(QStringLiteral("HODN"), QStringLiteral("MNOZ*CENA_NAKL"));

    TQRBand *title = CompanyTitle(this, 150);
    title_ = Caption(title, QString::fromUtf8("Materiálový pohyb"), 450, 0, 268, 14, true);
    kindName_ = Caption(title, QString(), 450, 26, 268, 11, true);
    Caption(title, QStringLiteral("Sklad"), 0, 90, 60);
    Value(title, QStringLiteral("SKLAD"), 65, 90, 60);
    Caption(title, QStringLiteral("Stredisko"), 140, 90, 60);
    Value(title, QStringLiteral("STREDISKO"), 205, 90, 60);
    Caption(title, QStringLiteral("č.Dokladu"), 450, 60, 70);
    auto *number = Value(title, QStringLiteral("C_DOKLADU"), 525, 60, 120);
    number->Font().setBold(true);
    Caption(title, QString::fromUtf8("zo dňa"), 450, 78, 70);
    Value(title, QStringLiteral("DATUM"), 525, 78, 120);
    Caption(title, QString::fromUtf8("Poznámka"), 0, 112, 60);
    Value(title, QStringLiteral("POZNAMKA"), 65, 112, 650);

    // Eight columns across the page in 8 points; the name and the dimension wrap within theirs.
    const TItemTable table = ItemTable(this, {{"č.Materiálu", "C_POL", 0, 96},
                                              {"Názov", "{NAZOV}", 100, 158, TColumn::LongText},
                                              {"Množstvo", "MNOZ", 262, 62, TColumn::Number, "0.###"},
                                              {"č.Zakázky", "C_INT", 334, 54, TColumn::Text, "#0\"/\"0000;; "},
                                              {"Rozmer", "{ROZMER}", 392, 112, TColumn::LongText},
                                              {"MJ", "MJ", 508, 28},
                                              {"Cena/MJ", "CENA_NAKL", 540, 72, TColumn::Number, "0.00"},
                                              {"Hodnota", "HODN", 616, 102, TColumn::Number, "0.00"}});
    TQRBand *summary = table.summary;
    summary->Height = 130;
    summary->Frame.DrawTop = true;
    Caption(summary, QStringLiteral("Celkom"), 540, 4, 72, 0, true);
    Number(summary, QStringLiteral("sum(HODN)"), 718, 4, 102, QStringLiteral("0.00"))->Font().setBold(true);
    SignatureBoxes(summary, {"Vystavil", "Prevzal", "Schválil", "Účtoval"}, 40, Width(), 70);
    PageNumber(this);
}

void TMDokladQRRep::SetKind(int kind)
{
    title_->Caption = StockDocumentTitle(kind);
    kindName_->Caption = StockDocumentKindName(kind);
}
