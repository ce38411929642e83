#include "QRTlacZam.h"

#include "DMCis.h"
#include "platform/report/DataSetCursor.h"

TQRTlacZam::TQRTlacZam()
{
    Name = QStringLiteral("QRTlacZam");
    ReportTitle = QString::fromUtf8("Zoznam zamestnancov");
    Page.PaperSize = QPageSize::A4;
    Page.Orientation = QPageLayout::Portrait;
    PrintIfEmpty = true;
    Font = QFont(QStringLiteral("Arial"), 10);
    RegisterDataSetCursor();
    setDataSet(&DMCis->QZamestnanci);

    TQRBand *header = AddBand(rbPageHeader, QStringLiteral("PageHeaderBand"));
    header->Height = 80;
    auto *title = header->Add<TQRSysData>(QStringLiteral("QRTitle"));
    title->Data = qrsReportTitle;
    title->Font() = QFont(QStringLiteral("Arial"), 13, QFont::Bold);
    title->Left = 250;
    title->Width = 250;
    title->Height = 22;
    auto *printed = header->Add<TQRSysData>(QStringLiteral("QRDateTime"));
    printed->Data = qrsDateTime;
    printed->Top = 26;
    printed->Width = 160;
    auto *pageNo = header->Add<TQRSysData>(QStringLiteral("QRPageNumber"));
    pageNo->Data = qrsPageNumber;
    pageNo->Text = QStringLiteral("Strana: ");
    pageNo->Top = 26;
    pageNo->Left = Width() - 100;
    pageNo->Width = 100;
    pageNo->Alignment = Qt::AlignRight;
    const QStringList captions{QStringLiteral("Priezvisko"), QStringLiteral("Meno"), QString::fromUtf8("Osobné číslo"),
                               QStringLiteral("Profesia"), QStringLiteral("Tarif")};
    const double lefts[] = {0, 170, 300, 400, 480};
    for (int i = 0; i < captions.size(); ++i) {
        auto *label = header->Add<TQRLabel>(QStringLiteral("QRLabel%1").arg(i + 1));
        label->Caption = captions[i];
        label->Left = lefts[i];
        label->Top = 56;
        label->Width = 100;
    }

    TQRBand *detail = AddBand(rbDetail, QStringLiteral("DetailBand"));
    detail->Height = 40;
    const QStringList fields{QStringLiteral("PRIEZVISKO"), QStringLiteral("MENO"), QStringLiteral("OSC"),
                             QStringLiteral("PROFESIA"), QStringLiteral("TARIF")};
    for (int i = 0; i < fields.size(); ++i) {
        auto *text = detail->Add<TQRDBText>(QStringLiteral("QRDB") + fields[i]);
        text->DataField = fields[i];
        text->Left = lefts[i];
        text->Top = 10;
        text->Width = i < 2 ? 160 : 70;
    }
    Barcode = detail->Add<TQRAsBarcode>(QStringLiteral("QRBarcode"));
    Barcode->Left = 560;
    Barcode->Top = 2;
    Barcode->Height = 36;
    Barcode->Width = 140;
    Barcode->setBarcodeHeight(36);
    Barcode->setRatio(2);
    Barcode->setShowText(bcoNone);
    detail->BeforePrint = [this](TQRBand *, bool &) {
        Barcode->setText(DMCis->QZamestnanci.FieldByName(QStringLiteral("OSC"))->AsString());
    };
}
