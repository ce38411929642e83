#include "MSkladQRRep.h"

#include "MaterialReportParts.h"
#include "platform/os/Format.h"

using namespace MaterialReport;

TMSkladQRRep::TMSkladQRRep()
{
    SetUp(this, QStringLiteral("MSkladQRRep"), QString::fromUtf8("Skladový súpis"));

    TQRBand *title = AddBand(rbTitle, QStringLiteral("TitleBand"));
    title->Height = 40;
    title_ = Caption(title, QString::fromUtf8("Súpis skladových zásob k"), 0, 6, Width(), 13, true);
    title_->Alignment = Qt::AlignHCenter;

    const TItemTable table =
        ItemTable(this,
                  {{"č.Materiálu", "C_POL", 0, 96},
                   {"Názov", "{NAZOV} {ROZMER}", 100, 214, TColumn::LongText},
                   {"Množstvo\nna sklade", "MNOZSTVO", 318, 66, TColumn::Number, "0.###"},
                   {"č.Skladu", "SKLAD", 394, 46},
                   {"vo výrobe", "MNOZ_VYDV", 446, 56, TColumn::Number, "#"},
                   {"na oprave", "MNOZ_VYDO", 508, 56, TColumn::Number, "#"},
                   {"Hodnota", "CENAC", 568, 74, TColumn::Number, "#.00;; "},
                   {"Cena/MJ", "if(MNOZSTVO=0, 0, CENAC/MNOZSTVO)", 646, 72, TColumn::Number, "#.00;; "}},
                  28);
    TQRBand *summary = table.summary;
    summary->Height = 24;
    summary->Frame.DrawTop = true;
    summary->Font().setBold(true);
    Caption(summary, QStringLiteral("Spolu"), 100, 4, 100);
    Number(summary, QStringLiteral("sum(MNOZSTVO)"), 384, 4, 80, QStringLiteral("0.###"));
    Number(summary, QStringLiteral("sum(CENAC)"), 642, 4, 100, QStringLiteral("#.00"));
    PageNumber(this);
}

void TMSkladQRRep::SetDate(const QDate &date)
{
    title_->Caption = QString::fromUtf8("Súpis skladových zásob k ") + DateToStr(date);
}
