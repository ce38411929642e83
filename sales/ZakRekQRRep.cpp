#include "ZakRekQRRep.h"

#include "Complaints.h"
#include "library/ReportBuilder.h"
#include "library/QTlacForm.h"
#include "library/xQuery.h"

TZakRekQRRep *ZakRekQRRep = nullptr;

TZakRekQRRep::TZakRekQRRep()
{
    SetUpReport(this, QStringLiteral("ZakRekQRRep"), QString::fromUtf8("Reklamačný protokol"), QPageSize::A4,
                QPageLayout::Portrait, 10);

    TQRBand *d = AddBand(rbDetail, QStringLiteral("DetailBand"));
    d->Height = 1000;
    d->ForceNewPage = true;
    auto *logo = d->Add<TQRImage>(QStringLiteral("QRlogo"));
    logo->Width = 120;
    logo->Height = 50;
    AddLabel(d, QString::fromUtf8("Reklamačný protokol č."), 200, 10, 0, 14, true);
    AddField(d, QStringLiteral("C_REK"), 440, 10, 120, {}, true)->Font().setPointSize(14);
    for (const char *name : {"QRlISO1", "QRlISO2"}) {
        auto *iso =
            AddLabel(d, QString(), Width() - 160, name[6] == '1' ? 0 : 14, 160, 7, false, QString::fromLatin1(name));
        iso->Alignment = Qt::AlignRight;
    }
    AddBox(d, 0, 60, Width(), 210);
    const QList<QPair<const char *, QStringList>> block{
        {"Zákazník:", {"ODBERATEL"}},
        {"č.Výrobku:", {"C_VYR"}},
        {"Interná obj./Názov reklamovaného výrobku:", {"C_INT", "NAZOV"}},
        {"Objednávka / Zmluva číslo:", {"C_OBJ"}},
        {"Dodací list číslo:", {"C_DL"}},
        {"Faktúra číslo:", {"C_FAKTURY"}},
        {"Množstvo dodaných výrobkov:", {"MNOZ_DOD"}},
        {"Množstvo reklam. výr.:", {"MNOZ_REK"}},
        {"Dátum dodania:", {"D_DOD"}},
        {"Dátum prijatia reklamácie:", {"D_VYSTAV"}},
        {"Reklamáciu prijal:", {"VYSTAVIL"}}};
    double top = 66;
    for (const auto &row : block) {
        auto *caption = AddLabel(d, QString::fromUtf8(row.first), 6, top, 0, 0, true);
        caption->Font().setItalic(true);
        double left = 280;
        for (const QString &field : row.second) {
            AddField(d, field, left, top, row.second.size() > 1 && left == 280 ? 70 : 360);
            left += 75;
        }
        top += 18;
    }
    const auto memoBlock = [&](const QString &caption, const QStringList &fields, double height,
                               const QStringList &ticks = {}) {
        AddLabel(d, caption, 0, top, 0, 0, true);
        double left = 360;
        for (const QString &tick : ticks) {
            AddBox(d, left, top + 2, 10, 10);
            AddLabel(d, tick, left + 14, top);
            left += 90;
        }
        top += 18;
        for (const QString &field : fields) {
            auto *memo = d->Add<TQRMemo>(QStringLiteral("QRm") + field);
            memo->Lines = {QLatin1Char('{') + field + QLatin1Char('}')};
            memo->Left = 6;
            memo->Top = top;
            memo->Width = Width() - 12;
            memo->Height = height;
            top += height + 4;
        }
    };
    top = 280;
    memoBlock(QString::fromUtf8("Špecifikácia nezhody / chyby:"), {QStringLiteral("NEZHODA"), QStringLiteral("POPIS")},
              40);
    memoBlock(QString::fromUtf8("Návrh na vysporiadanie reklamácie zákazníkom:"), {QStringLiteral("NAVRH1")}, 60,
              {QString::fromUtf8("ÁNO"), QStringLiteral("NIE")});
    memoBlock(QString::fromUtf8("Príčina vzniku nezhody:"), {QStringLiteral("PRICINA")}, 60);
    memoBlock(QString::fromUtf8("Návrh opatrenia na nápravu:"), {QStringLiteral("NAVRH2")}, 60);
    memoBlock(QString::fromUtf8("Návrh spôsobu riešenia reklamácie:"), {QStringLiteral("NAVRH3")}, 60);
    AddLabel(d, QString::fromUtf8("OTK - Dátum / Meno / Podpis:"), 0, top);
    AddLabel(d, QString::fromUtf8("VTO - Dátum / Meno / Podpis:"), 360, top);
    top += 30;
    memoBlock(QString::fromUtf8("Konečný spôsob riešenia reklamácie:"), {QStringLiteral("RIESENIE")}, 40,
              {QString::fromUtf8("UZNAŤ"), QString::fromUtf8("ZAMIETNUŤ")});
    memoBlock(QString::fromUtf8("Prijaté nápravné a preventívne opatrenie:"), {}, 0,
              {QString::fromUtf8("ÁNO"), QStringLiteral("NIE")});
    AddLabel(d, QString::fromUtf8("evidenčné číslo :"), 0, top);
    top += 30;
    AddLabel(d, QString::fromUtf8("Dátum rozhodnutia:"), 0, top);
    AddLabel(d, QStringLiteral("Podpis VR:"), 360, top);
}

void PrintComplaint()
{
    if (!ZakRekQRRep) {
        CreateReport(ZakRekQRRep);
        for (const char *name : {"QRlISO1", "QRlISO2"})
            if (auto *label = ZakRekQRRep->Find<TQRLabel>(QString::fromLatin1(name)))
                label->Caption.clear();
    }
    // Only the current protocol is read, so the print is that protocol whatever the list holds.
    TxQuery &one = CurrentComplaintForPrint();
    ZakRekQRRep->setDataSet(&one);
    PrintReport(ZakRekQRRep);
}
