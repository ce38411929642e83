#include "MKartaQRRep.h"

#include "MaterialReportParts.h"

using namespace MaterialReport;

TMKartaQRRep::TMKartaQRRep()
{
    SetUp(this, QStringLiteral("MKartaQRRep"), QString::fromUtf8("Skladová karta materiálu"));

    TQRBand *title = CompanyTitle(this, 70);
    Caption(title, QString::fromUtf8("Skladová karta materiálu"), 418, 10, 300, 16, true);

    // The item on the left, its store, quantity and place on the right.
    TQRBand *card = AddBand(rbDetail, QStringLiteral("DetailBand"));
    card->Height = 200;
    card->Frame.DrawTop = true;
    Caption(card, QString::fromUtf8("č.Materiálu"), 0, 8, 80);
    auto *number = Value(card, QStringLiteral("C_POL"), 84, 6, 260);
    number->Font().setPointSize(12);
    number->Font().setBold(true);
    Captioned(card, "Názov", "NAZOV", 0, 30, 80, 340);
    Captioned(card, "Rozmer", "ROZMER", 0, 48, 80, 340);
    Captioned(card, "Typ", "TYP2", 0, 66, 80, 60);
    Captioned(card, "MJ", "MJ", 150, 66, 24, 40);
    Captioned(card, "Váha", "VAHA_MAT", 230, 66, 40, 80, QStringLiteral("0.###"));
    Captioned(card, "Vystavená", "D_VYSTAV", 0, 84, 80, 100);
    Captioned(card, "Majiteľ", "MAJITEL", 0, 102, 80, 340);
    Captioned(card, "Voľné 1", "FREE1", 0, 120, 80, 340);
    Captioned(card, "Voľné 2", "FREE2", 0, 138, 80, 340);
    Captioned(card, "Voľné 3", "FREE3", 0, 156, 80, 340);
    Caption(card, QStringLiteral("Popis"), 0, 174, 80);
    Lines(card, {QStringLiteral("{POPIS}")}, 84, 174, 634);

    Caption(card, QStringLiteral("Sklad"), 460, 8, 70);
    auto *store = Value(card, QStringLiteral("SKLAD"), 534, 6, 184);
    store->Font().setPointSize(12);
    store->Font().setBold(true);
    Caption(card, QStringLiteral("Množstvo"), 460, 30, 70);
    auto *quantity = Value(card, QStringLiteral("MNOZSTVO"), 534, 30, 90, QStringLiteral("0.###"));
    quantity->Font().setBold(true);
    Value(card, QStringLiteral("MJ"), 628, 30, 40);
    Captioned(card, "Regál", "POZICIA1", 460, 48, 70, 184);
    Captioned(card, "Polica", "POZICIA2", 460, 66, 70, 184);
    Captioned(card, "Priečinok", "POZICIA3", 460, 84, 70, 184);

    // A mould's or model's data follow its card; a material has none and its card ends above them.
    TQRBand *mould = AddChildBand(card, QStringLiteral("MouldBand"));
    mould->Height = MouldData(mould, 4) + 12;
    mould->BeforePrint = [this](TQRBand *, bool &print) { print = HasMouldData(DataSet()); };
    PageNumber(this);
}
