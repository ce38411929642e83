#include "MObjednavkaQRRep.h"

#include "MaterialReportParts.h"

using namespace MaterialReport;

TMObjednavkaQRRep::TMObjednavkaQRRep()
{
    SetUp(this, QStringLiteral("MObjednavkaQRRep"), QString::fromUtf8("Objednávka"));

    TQRBand *title = CompanyTitle(this, 200);
    Caption(title, QString::fromUtf8("Objednávka č."), 440, 0, 130, 13, true);
    auto *number = Value(title, QStringLiteral("C_OBJ"), 572, 0, 146);
    number->Font().setPointSize(13);
    number->Font().setBold(true);
    Caption(title, QString::fromUtf8("Dodávateľ"), 400, 80, 120, 0, true);
    auto *supplier = Value(title, QStringLiteral("DODAVATEL"), 420, 98, 298);
    supplier->Font().setBold(true);
    Value(title, QStringLiteral("ULICA"), 420, 114, 298);
    Value(title, QStringLiteral("PSC"), 420, 130, 50);
    Value(title, QStringLiteral("MESTO"), 475, 130, 243);
    Caption(title, QString::fromUtf8("IČO"), 420, 150, 40);
    Value(title, QStringLiteral("ICO"), 465, 150, 100, QStringLiteral("00000000"));

    const TItemTable table = ItemTable(this, {{"č.", "C_RIADKU", 0, 26, TColumn::Text, "0\".\""},
                                              {"č.Položky", "C_POL", 30, 90},
                                              {"Názov položky", "{NAZOV} {ROZMER}", 124, 290, TColumn::LongText},
                                              {"Množstvo", "MNOZ_OBJ", 418, 66, TColumn::Number, "#####.##"},
                                              {"MJ", "MJ", 490, 30},
                                              {"Popis", "{POPIS}", 524, 194, TColumn::LongText}});
    TQRBand *summary = table.summary;
    summary->Height = 300;
    summary->Frame.DrawTop = true;
    summary->Font().setPointSize(9);
    Caption(summary, QStringLiteral("Vystavil"), 0, 16, 100);
    Value(summary, QStringLiteral("VYSTAVIL"), 112, 16, 150);
    Caption(summary, QString::fromUtf8("dňa"), 260, 16, 30);
    Value(summary, QStringLiteral("D_VYSTAV"), 295, 16, 100);
    Caption(summary, QString::fromUtf8("Poznámka"), 0, 34, 100);
    Value(summary, QStringLiteral("POZNAMKA"), 112, 34, 606);
    Caption(summary, QStringLiteral("Dodacia lehota do"), 0, 52, 100);
    Value(summary, QStringLiteral("D_DODANIA"), 112, 52, 100);
    Caption(summary, QStringLiteral("Podpis"), 0, 90, 100);
    auto *signature = summary->Add<TQRImage>(QStringLiteral("QRpodpis"));
    signature->Left = 105;
    signature->Top = 76;
    signature->Width = 150;
    signature->Height = 50;
    signature->Stretch = true;
    Caption(summary, QString::fromUtf8("Pečiatka"), 300, 90, 100);
    // The closing block, framed; its lines depend on how the order was placed.
    auto *frame = summary->Add<TQRShape>();
    frame->Left = 0;
    frame->Top = 150;
    frame->Width = 360;
    frame->Height = 100;
    for (int i = 0; i < 5; ++i)
        closing_.push_back(Caption(summary, QString(), 8, 156 + 18 * i, 344, 0, i == 0));
    PageNumber(this);
}

void TMObjednavkaQRRep::SetClosing(const QStringList &lines)
{
    for (size_t i = 0; i < closing_.size(); ++i)
        closing_[i]->Caption = lines.value(int(i));
}
