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
                  {{"č.Materiálu", "C_POL", 0, 78},
                   {"Názov", "{NAZOV} {ROZMER}", 82, 236, TColumn::LongText},
                   {"Množstvo\nna sklade", "MNOZSTVO", 322, 66, TColumn::Number, "0.###"},
                   {"č.Skladu", "SKLAD", 396, 44},
                   {"vo výrobe", "MNOZ_VYDV", 440, 50, TColumn::Number, "#"},
                   {"na oprave", "MNOZ_VYDO", 494, 50, TColumn::Number, "#"},
                   {"Hodnota", "CENAC", 548, 84, TColumn::Number, "#.00;; "},
                   {"Cena/MJ", "if(MNOZSTVO=0, 0, CENAC/MNOZSTVO)", 636, 82, TColumn::Number, "#.00;; "}},
                  28);
    TQRBand *summary = table.summary;
    summary->Height = 24;
    summary->Frame.DrawTop = true;
    summary->Font().setBold(true);
    Caption(summary, QStringLiteral("Spolu"), 82, 4, 100);
    Number(summary, QStringLiteral("sum(MNOZSTVO)"), 388, 4, 66, QStringLiteral("0.###"));
    Number(summary, QStringLiteral("sum(CENAC)"), 632, 4, 84, QStringLiteral("#.00"));
    PageNumber(this);
}

void TMSkladQRRep::SetDate(const QDate &date)
{
    title_->Caption = QString::fromUtf8("Súpis skladových zásob k ") + DateToStr(date);
}
