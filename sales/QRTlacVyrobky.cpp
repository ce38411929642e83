#include "QRTlacVyrobky.h"

#include "platform/report/DataSetCursor.h"

TQRTlacVyrobky::TQRTlacVyrobky()
{
    Name = QStringLiteral("QRTlacVyrobky");
    ReportTitle = QString::fromUtf8("Tlač vybraného zoznamu výrobkov");
    Page.PaperSize = QPageSize::A4;
    Page.Orientation = QPageLayout::Portrait;
    Font = QFont(QStringLiteral("Arial"), 9);
    RegisterDataSetCursor();

    TQRBand *header = AddBand(rbPageHeader, QStringLiteral("PageHeaderBand"));
    header->Height = 40;
    auto *printed = header->Add<TQRSysData>(QStringLiteral("QRDateTime"));
    printed->Data = qrsDateTime;
    printed->Width = 140;
    auto *title = header->Add<TQRLabel>(QStringLiteral("QRTitle"));
    title->Caption = ReportTitle;
    title->Font() = QFont(QStringLiteral("Arial"), 13, QFont::Bold);
    title->Left = 180;
    title->Width = 360;
    title->Height = 22;
    auto *pageNo = header->Add<TQRSysData>(QStringLiteral("QRPageNumber"));
    pageNo->Data = qrsPageNumber;
    pageNo->Text = QStringLiteral("Strana: ");
    pageNo->Left = Width() - 100;
    pageNo->Width = 100;
    pageNo->Alignment = Qt::AlignRight;

    TQRBand *detail = AddBand(rbDetail, QStringLiteral("DetailBand"));
    detail->Height = 60;
    detail->Frame.DrawBottom = true;
    struct Item {
        const char *caption, *field;
        double left, top, width;
    };
    const Item items[] = {
        {"Číslo výrobku:", "C_POL", 0, 2, 110},
        {"Názov:", "NAZOV", 220, 2, 200},
        {"Popis:", "POPIS", 470, 2, 150},
        {"Číslo výkresu:", "C_VYKRESU", 0, 20, 110},
        {"Násobnosť:", "NASNAR", 220, 20, 60},
        {"Kokila-  Model:", "KOMOD", 470, 20, 120},
        {"Typ:", "ROZMER", 0, 38, 110},
        {"Výr. odbor:", "KP", 220, 38, 60},
        {"Dátum vystavenia:", "D_VYSTAV", 330, 38, 80},
        {"Vystavil:", "VYSTAVIL", 560, 38, 100},
    };
    for (const Item &i : items) {
        auto *label = detail->Add<TQRLabel>();
        label->Caption = QString::fromUtf8(i.caption);
        label->Left = i.left;
        label->Top = i.top;
        auto *text = detail->Add<TQRDBText>(QStringLiteral("QR") + QLatin1String(i.field));
        text->DataField = QLatin1String(i.field);
        text->Left = i.left + (QString::fromUtf8(i.caption).size() > 12 ? 100 : 60);
        text->Top = i.top;
        text->Width = i.width;
        text->AutoSize = false;
    }
}
