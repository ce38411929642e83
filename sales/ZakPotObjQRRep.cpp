#include "ZakPotObjQRRep.h"

#include "library/ReportBuilder.h"

TZakPotObjQRRep *ZakPotObjQRRep = nullptr;

TZakPotObjQRRep::TZakPotObjQRRep()
{
    SetUpReport(this, QStringLiteral("ZakPotObjQRRep"), QString::fromUtf8("Potvrdenie objednávky"), QPageSize::A4,
                QPageLayout::Portrait, 9);

    TQRBand *t = AddBand(rbTitle, QStringLiteral("TitleBand"));
    t->Height = 250;
    AddLabel(t, QString::fromUtf8("Potvrdenie objednávky"), 240, 0, 0, 14, true);
    AddLabel(t, QString::fromUtf8("Predávajúci"), 0, 34, 0, 0, true);
    auto *logo = t->Add<TQRImage>(QStringLiteral("QRlogo"));
    logo->Top = 50;
    logo->Width = 100;
    logo->Height = 40;
    double top = 50;
    for (const char *name : {"QRMeno", "QRAdresa", "QRPSC", "QRMesto"}) {
        AddLabel(t, QString(), 110, top, 220, 0, false, QString::fromLatin1(name))->Font().setItalic(true);
        top += 16;
    }
    AddLabel(t, QString::fromUtf8("Kupujúci"), 360, 34, 0, 0, true);
    AddBox(t, 356, 50, Width() - 356, 90);
    AddField(t, QStringLiteral("ODBERATEL"), 362, 54, 300, {}, true);
    AddField(t, QStringLiteral("ULICA"), 362, 70, 300, {}, true);
    AddField(t, QStringLiteral("PSC"), 362, 86, 50, {}, true);
    AddField(t, QStringLiteral("MESTO"), 416, 86, 240, {}, true);
    AddLabel(t, QString::fromUtf8("IČ DPH"), 362, 110, 0, 0, true);
    AddField(t, QStringLiteral("ICDPH"), 420, 110, 150, {}, true);
    const QList<QPair<const char *, const char *>> terms{
        {"Dodacia podmienka", "DOD_PODM"}, {"Platobná podmienka", "PLAT_PODM"}, {"Doprava", "DOPRAVA"}};
    top = 150;
    for (const auto &term : terms) {
        AddLabel(t, QString::fromUtf8(term.first), 0, top);
        AddField(t, QString::fromLatin1(term.second), 130, top, 200);
        top += 16;
    }
    AddLabel(t, QString::fromUtf8("Ďakujeme za Vašu objednávku č."), 0, top + 10);
    AddField(t, QStringLiteral("C_OBJ"), 204, top + 10, 90);
    AddLabel(t, QString::fromUtf8("zo dňa"), 300, top + 10);
    AddField(t, QStringLiteral("D_OBJ"), 345, top + 10, 80);
    AddLabel(t, QString::fromUtf8(", ktorú potvrdzujeme nasledovne:"), 430, top + 10);

    // Texts start at their column's left edge; prices and their captions end at the right edge (when given).
    const double lefts[] = {0, 170, 260, 340, 0, 525, 0};
    const double rights[] = {0, 0, 0, 0, 510, 0, 680};
    TQRBand *c = AddBand(rbColumnHeader, QStringLiteral("ColumnHeaderBand"));
    c->Height = 34;
    const QStringList captions{QString::fromUtf8("Názov výrobku"),     QString::fromUtf8("č.Výrobku"),
                               QString::fromUtf8("Materiál"),          QStringLiteral("Množstvo"),
                               QStringLiteral("Cena/ks bez DPH"),      QStringLiteral("DPH"),
                               QString::fromUtf8("Cena celk. bez DPH")};
    for (int i = 0; i < captions.size(); ++i)
        if (rights[i] > 0)
            AddRightLabel(c, captions[i], rights[i], 0, 120);
        else
            AddLabel(c, captions[i], lefts[i], 0);
    AddLabel(c, QString::fromUtf8("č.Výkresu"), lefts[1], 16);
    AddLabel(c, QStringLiteral("Typ"), lefts[2], 16);
    AddLabel(c, QString::fromUtf8("Termín"), lefts[3], 16);

    TQRBand *d = AddBand(rbDetail, QStringLiteral("DetailBand"));
    d->Height = 34;
    AddField(d, QStringLiteral("NAZOV"), lefts[0], 0, 165);
    AddField(d, QStringLiteral("C_VYR"), lefts[1], 0, 85);
    AddField(d, QStringLiteral("MATERIAL"), lefts[2], 0, 75);
    AddField(d, QStringLiteral("MNOZ_OBJ"), lefts[3], 0, 60)->Alignment = Qt::AlignRight;
    AddField(d, QStringLiteral("CENA1"), rights[4] - 90, 0, 90, QStringLiteral("#####0.00"))->Alignment =
        Qt::AlignRight;
    AddLabel(d, QStringLiteral("%"), lefts[5], 0, 50);
    AddExpr(d, QStringLiteral("CENA1*MNOZ_OBJ"), rights[6] - 100, 0, 100, QStringLiteral("#### ##0.00"))->Alignment =
        Qt::AlignRight;
    AddField(d, QStringLiteral("C_VYKRESU"), lefts[1], 16, 85);
    AddField(d, QStringLiteral("ROZMER"), lefts[2], 16, 75);
    AddField(d, QStringLiteral("TERMIN"), lefts[3], 16, 80);

    TQRBand *s = AddBand(rbSummary, QStringLiteral("SummaryBand"));
    s->Height = 60;
    AddLabel(s, QStringLiteral("Spolu bez DPH"), rights[4] - 100, 4, 0, 0, true);
    AddExpr(s, QStringLiteral("sum(CENA1*MNOZ_OBJ)"), rights[6] - 100, 4, 100, QStringLiteral("#### ##0.00"), true)
        ->Alignment = Qt::AlignRight;
    AddLabel(s, QString::fromUtf8("Tešíme sa na ďalšiu spoluprácu a ostávame s pozdravom."), 0, 34);
}
