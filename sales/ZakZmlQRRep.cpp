#include "ZakZmlQRRep.h"

#include "library/ReportBuilder.h"
#include "platform/db/DataSet.h"

TZakZmlQRRep *ZakZmlQRRep = nullptr;

TZakZmlQRRep::TZakZmlQRRep()
{
    SetUpReport(this, QStringLiteral("ZakZmlQRRep"), QString::fromUtf8("Kúpna zmluva"), QPageSize::A4,
                QPageLayout::Portrait, 9);
    PrintIfEmpty = true;

    TQRBand *t = AddBand(rbTitle, QStringLiteral("TitleBand"));
    t->Height = 60;
    AddLabel(t, QString::fromUtf8("Kúpna zmluva č."), 200, 0, 0, 14, true);
    AddExpr(t, QStringLiteral("C_ZMLUVY"), 360, 0, 100, {}, true)->Font().setPointSize(14);
    QReMemo1 = t->Add<TQRMemo>(QStringLiteral("QReMemo1"));
    QReMemo1->Top = 30;
    QReMemo1->Width = Width();
    QReMemo1->Height = 20;
    QReMemo1->AutoStretch = true;

    // Texts start at their column's left edge; prices and their captions end at the right edge (when given).
    const double lefts[] = {0, 170, 260, 340, 0, 525, 0};
    const double rights[] = {0, 0, 0, 0, 510, 0, 680};
    TQRBand *c = AddBand(rbColumnHeader, QStringLiteral("ColumnHeaderBand"));
    c->Height = 34;
    const QStringList captions{QString::fromUtf8("Názov"),
                               QString::fromUtf8("č.Výrobku"),
                               QString::fromUtf8("Materiál"),
                               QStringLiteral("Množstvo"),
                               QStringLiteral("Cena/ks bez DPH"),
                               QStringLiteral("DPH"),
                               QString::fromUtf8("Cena celk. bez DPH")};
    for (int i = 0; i < captions.size(); ++i) {
        TQRLabel *caption =
            rights[i] > 0 ? AddRightLabel(c, captions[i], rights[i], 0, 120) : AddLabel(c, captions[i], lefts[i], 0);
        caption->Font().setItalic(true);
    }
    AddLabel(c, QString::fromUtf8("č.Výkresu"), lefts[1], 16)->Font().setItalic(true);
    AddLabel(c, QString::fromUtf8("č.Externé"), lefts[2], 16)->Font().setItalic(true);
    // Without items the header is left out.
    c->BeforePrint = [this](TQRBand *, bool &print) { print = DataSet() && !DataSet()->IsEmpty(); };

    TQRBand *d = AddBand(rbDetail, QStringLiteral("DetailBand"));
    d->Height = 34;
    AddField(d, QStringLiteral("NAZOV"), lefts[0], 0, 165);
    AddField(d, QStringLiteral("C_VYR"), lefts[1], 0, 85);
    AddField(d, QStringLiteral("MATERIAL"), lefts[2], 0, 75);
    AddField(d, QStringLiteral("MNOZ_OBJ"), lefts[3], 0, 60)->Alignment = Qt::AlignRight;
    AddField(d, QStringLiteral("CENA1"), rights[4] - 90, 0, 90, QStringLiteral("#####0.00"))->Alignment =
        Qt::AlignRight;
    QRlpDPH = AddLabel(d, QStringLiteral("%"), lefts[5], 0, 50, 0, false, QStringLiteral("QRlpDPH"));
    AddExpr(d, QStringLiteral("CENA1*MNOZ_OBJ"), rights[6] - 100, 0, 100, QStringLiteral("#### ##0.00"))->Alignment =
        Qt::AlignRight;
    AddField(d, QStringLiteral("C_VYKRESU"), lefts[1], 16, 85);
    AddField(d, QStringLiteral("C_POL_EXT"), lefts[2], 16, 120);

    TQRBand *s = AddBand(rbSummary, QStringLiteral("SummaryBand"));
    s->Height = 120;
    AddLabel(s, QStringLiteral("Spolu bez DPH"), rights[4] - 100, 4, 0, 0, true);
    AddExpr(s, QStringLiteral("sum(CENA1*MNOZ_OBJ)"), rights[6] - 100, 4, 100, QStringLiteral("#### ##0.00"), true)
        ->Alignment = Qt::AlignRight;
    QReMemo2 = s->Add<TQRMemo>(QStringLiteral("QReMemo2"));
    QReMemo2->Top = 30;
    QReMemo2->Width = Width();
    QReMemo2->Height = 20;
    QReMemo2->AutoStretch = true;
    auto *signature = s->Add<TQRImage>(QStringLiteral("QRpodpis"));
    signature->Left = 380;
    signature->Width = 150;
    signature->Height = 60;
    // The signature stands below the second section, 15 pixels a line.
    s->BeforePrint = [this, signature](TQRBand *, bool &) {
        signature->Top = QReMemo2->Top + 15 * QReMemo2->Lines.size();
    };
}
