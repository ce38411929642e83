#include "QRTlacZakazky.h"

#include "DMOdbyt.h"
#include "library/ReportBuilder.h"

TQRTlacZakazky *QRTlacZakazky = nullptr;

TQRTlacZakazky::TQRTlacZakazky()
{
    SetUpReport(this, QStringLiteral("QRTlacZakazky"), QString::fromUtf8("Zoznam zákaziek"), QPageSize::A4,
                QPageLayout::Portrait, 9);
    setDataSet(&DMOdbyt->QvZakazky);

    TQRBand *h = AddBand(rbPageHeader, QStringLiteral("PageHeaderBand"));
    h->Height = 40;
    auto *printed = h->Add<TQRSysData>(QStringLiteral("QRDateTime"));
    printed->Data = qrsDateTime;
    printed->Width = 140;
    AddLabel(h, QString::fromUtf8("Zoznam objednávok"), 250, 0, 0, 13, true);
    auto *pageNo = h->Add<TQRSysData>(QStringLiteral("QRPageNumber"));
    pageNo->Data = qrsPageNumber;
    pageNo->Text = QStringLiteral("Strana: ");
    pageNo->Left = Width() - 100;
    pageNo->Width = 100;
    pageNo->Alignment = Qt::AlignRight;

    TQRBand *c = AddBand(rbColumnHeader, QStringLiteral("ColumnHeaderBand"));
    c->Height = 20;
    const QStringList captions{QString::fromUtf8("č.Objednávky"), QString::fromUtf8("č.Odb."),
                               QString::fromUtf8("Odberateľ"), QString::fromUtf8("Dátum objednávky"),
                               QString::fromUtf8("Dátum vystavenia objednávky")};
    const double lefts[] = {0, 110, 160, 420, 530};
    for (int i = 0; i < captions.size(); ++i)
        AddLabel(c, captions[i], lefts[i], 2, 0, 0, true);
    TQRBand *d = AddBand(rbDetail, QStringLiteral("DetailBand"));
    d->Height = 18;
    const QStringList fields{QStringLiteral("C_OBJ"), QStringLiteral("C_ODB"), QStringLiteral("ODBERATEL"),
                             QStringLiteral("D_OBJ"), QStringLiteral("D_VYSTAV")};
    for (int i = 0; i < fields.size(); ++i) {
        auto *t = AddField(d, fields[i], lefts[i], 1, i == 2 ? 250 : (i == 1 ? 40 : 100));
        if (i == 1)
            t->Alignment = Qt::AlignRight;
    }
}
