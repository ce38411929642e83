#include "QRTlacPreskObj.h"

#include "library/ReportBuilder.h"

TQRTlacPreskObj *QRTlacPreskObj = nullptr;

TQRTlacPreskObj::TQRTlacPreskObj()
{
    SetUpReport(this, QStringLiteral("QRTlacPreskObj"), QString::fromUtf8("Preskúmanie objednávky"), QPageSize::A4,
                QPageLayout::Portrait, 8);

    TQRBand *h = AddBand(rbPageHeader, QStringLiteral("PageHeaderBand"));
    h->Height = 110;
    auto *logo = h->Add<TQRImage>(QStringLiteral("QRlogo"));
    logo->Width = 120;
    logo->Height = 50;
    AddBox(h, 200, 0, 300, 44);
    AddLabel(h, QString::fromUtf8("PRESKÚMANIE OBJEDNÁVKY"), 230, 4, 0, 12, true);
    AddLabel(h, QString::fromUtf8("Analýza realizovateľnosti"), 250, 24, 0, 11, true);
    for (const char *name : {"QRlISO1", "QRlISO2"})
        AddLabel(h, QString(), Width() - 160, name[6] == '1' ? 0 : 12, 160, 6, false, QString::fromLatin1(name))
            ->Alignment = Qt::AlignRight;
    AddLabel(h, QString::fromUtf8("Zákazník :"), 0, 60);
    AddField(h, QStringLiteral("ODBERATEL"), 70, 60, 250, {}, true);
    AddLabel(h, QString::fromUtf8("Číslo/kód: #"), 340, 60);
    AddField(h, QStringLiteral("C_ODB"), 420, 60, 60);
    AddLabel(h, QString::fromUtf8("Prílohy :"), 0, 80);

    TQRBand *c = AddBand(rbColumnHeader, QStringLiteral("ColumnHeaderBand"));
    c->Height = 36;
    const QStringList captions{QString::fromUtf8("Č."),
                               QString::fromUtf8("Číslo objednávky"),
                               QString::fromUtf8("Číslo výrobku"),
                               QString::fromUtf8("Číslo zákazky"),
                               QString::fromUtf8("Požadované množstvo"),
                               QString::fromUtf8("Požadovaný termín")};
    const double lefts[] = {0, 30, 130, 240, 320, 400};
    for (int i = 0; i < captions.size(); ++i)
        AddLabel(c, captions[i], lefts[i], 4, i == 4 ? 75 : 0);
    auto *rule = c->Add<TQRShape>();
    rule->Shape = qrsVertLine;
    rule->Left = 480;
    rule->Width = 1;
    rule->Height = 36;
    AddLabel(c, QString::fromUtf8("Potvrdenie výroby"), 490, 0);
    AddLabel(c, QStringLiteral("množstvo"), 490, 18);
    AddLabel(c, QString::fromUtf8("termín"), 570, 18);
    AddLabel(c, QStringLiteral("podpis"), 640, 18);

    TQRBand *d = AddBand(rbDetail, QStringLiteral("DetailBand"));
    d->Height = 20;
    auto *no = d->Add<TQRSysData>(QStringLiteral("QRDetailNo"));
    no->Data = qrsDetailNo;
    no->Top = 2;
    const QStringList fields{QStringLiteral("C_OBJ"), QStringLiteral("C_VYR"), QStringLiteral("C_INT"),
                             QStringLiteral("MNOZ_VYR"), QStringLiteral("TERMIN_OBJ")};
    for (int i = 0; i < fields.size(); ++i)
        AddField(d, fields[i], lefts[i + 1], 2, 90);
    auto *rule2 = d->Add<TQRShape>();
    rule2->Shape = qrsVertLine;
    rule2->Left = 480;
    rule2->Width = 1;
    rule2->Height = 20;

    TQRBand *f = AddBand(rbPageFooter, QStringLiteral("PageFooterBand"));
    f->Height = 330;
    AddLabel(f, QStringLiteral("ODLIATOK"), 0, 0, 0, 0, true);
    for (int i = 1; i <= 10; ++i)
        AddLabel(f, QString::number(i), 80 + (i - 1) * 60, 0);
    const QStringList blocks{QString::fromUtf8("VYJADRENIE OBCHODNÉHO ODDELENIA"),
                             QString::fromUtf8("VYJADRENIE VÝROBNO-TECH. ODDELENIA"), QStringLiteral("VYJADRENIE OTK"),
                             QString::fromUtf8("KONEČNÉ ROZHODNUTIE VÝROB. RIADITEĽA")};
    for (int b = 0; b < blocks.size(); ++b) {
        const double top = 24 + b * 72;
        AddBox(f, 0, top, Width(), 68);
        AddLabel(f, blocks[b], 4, top + 2, 0, 0, true);
        AddLabel(f, QString::fromUtf8("Áno"), 300, top + 2);
        AddLabel(f, QStringLiteral("Nie"), 350, top + 2);
        AddLabel(f, QStringLiteral("Pripomienky :"), 4, top + 20);
        AddLabel(f, QString::fromUtf8("Dátum:"), 4, top + 48);
        AddLabel(f, QStringLiteral("Meno/Funkcia:"), 160, top + 48);
        AddLabel(f, QStringLiteral("Podpis:"), 400, top + 48);
    }
    AddLabel(f, QString::fromUtf8("Prílohy :"), 0, 316);
}
