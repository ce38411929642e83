#include "QRTlacOdb.h"

#include "library/ReportBuilder.h"
#include "shell/DMCis.h"

TQRTlacOdb::TQRTlacOdb()
{
    SetUpReport(this, QStringLiteral("QRTlacOdb"), QString::fromUtf8("Tlač vybraného zoznamu odberateľov"),
                QPageSize::A4, QPageLayout::Portrait, 9);
    setDataSet(&DMCis->QOdberatelia);

    TQRBand *header = AddBand(rbPageHeader, QStringLiteral("PageHeaderBand"));
    header->Height = 50;
    auto *printed = header->Add<TQRSysData>(QStringLiteral("QRDateTime"));
    printed->Data = qrsDateTime;
    printed->Width = 140;
    AddLabel(header, ReportTitle, 200, 0, 0, 13, true, QStringLiteral("QRTitle"));
    auto *pageNo = header->Add<TQRSysData>(QStringLiteral("QRPageNumber"));
    pageNo->Data = qrsPageNumber;
    pageNo->Text = QStringLiteral("Strana: ");
    pageNo->Left = Width() - 100;
    pageNo->Width = 100;
    pageNo->Alignment = Qt::AlignRight;

    TQRBand *d = AddBand(rbDetail, QStringLiteral("DetailBand"));
    d->Height = 110;
    AddLabel(d, QString::fromUtf8("Odberateľ:"), 0, 4, 0, 0, true);
    AddField(d, QStringLiteral("ODBERATEL"), 80, 4, 260, {}, true);
    AddField(d, QStringLiteral("KONTAKT"), 80, 22, 260);
    AddField(d, QStringLiteral("ODDELENIE"), 80, 40, 260);
    AddLabel(d, QStringLiteral("Adresa:"), 0, 58, 0, 0, true);
    AddField(d, QStringLiteral("ULICA"), 80, 58, 260);
    AddField(d, QStringLiteral("PSC"), 80, 76, 50);
    AddField(d, QStringLiteral("MESTO"), 135, 76, 160);
    AddField(d, QStringLiteral("STAT"), 300, 76, 40);
    AddLabel(d, QStringLiteral("Banka:"), 360, 4);
    AddField(d, QStringLiteral("BANKA"), 440, 4, 150);
    AddField(d, QStringLiteral("BUCET"), 595, 4, 120);
    AddLabel(d, QString::fromUtf8("IČO:"), 360, 22);
    AddField(d, QStringLiteral("ICO"), 440, 22, 100);
    AddLabel(d, QString::fromUtf8("DRČ:"), 545, 22);
    AddField(d, QStringLiteral("DRC"), 595, 22, 120);
    AddLabel(d, QStringLiteral("Tel/Fax:"), 360, 40);
    AddField(d, QStringLiteral("TELEFON"), 440, 40, 120);
    AddLabel(d, QStringLiteral("/"), 565, 40);
    AddField(d, QStringLiteral("FAX"), 575, 40, 120);
    AddLabel(d, QString::fromUtf8("Dátum zápisu:"), 360, 58);
    AddField(d, QStringLiteral("D_UPDATE"), 440, 58, 80);
    AddLabel(d, QString::fromUtf8("ABC analýza:"), 545, 58);
    AddField(d, QStringLiteral("ABC"), 630, 58, 30);
    AddLabel(d, QString::fromUtf8("Int. č. odberateľa:"), 360, 76, 0, 0, true);
    AddField(d, QStringLiteral("C_ODB"), 470, 76, 60, {}, true);
    AddLabel(d, QString::fromUtf8("Poznámka:"), 0, 94);
    AddField(d, QStringLiteral("POZNAMKA"), 80, 94, 500);
}
