#include "QRPlanZak.h"

#include "library/ReportBuilder.h"
#include "shell/DMZal.h"

TQRPlanZak *QRPlanZak = nullptr;

TQRPlanZak::TQRPlanZak()
{
    if (!QRPlanZak)
        QRPlanZak = this;
    SetUpReport(this, QStringLiteral("QRPlanZak"), QString::fromUtf8("Plán obchodu"), QPageSize::A4,
                QPageLayout::Landscape, 8);
    if (DMZal)
        setDataSet(&DMZal->QTlac);
    // A quantity not yet known (null) counts as none: the expressions read it as 0.
    AddFunction(QStringLiteral("MNOZ_ZOST"), QStringLiteral("if(MNOZ_OBJ>MNOZ_DOD, MNOZ_OBJ-MNOZ_DOD, 0)"));
    AddFunction(QStringLiteral("VAHA_ZOST"), QStringLiteral("VAHA1*MNOZ_ZOST"));
    AddFunction(QStringLiteral("CENA_ZOST"), QStringLiteral("CENA1*MNOZ_ZOST"));

    TQRBand *t = AddBand(rbTitle, QStringLiteral("TitleBand"));
    t->Height = 30;
    AddLabel(t, QString::fromUtf8("Plán obchodu na obdobie"), 0, 0, 0, 12, true);
    QRlObdobie = AddLabel(t, QString(), 230, 0, 300, 12, true, QStringLiteral("QRlObdobie"));
    auto *date = t->Add<TQRSysData>(QStringLiteral("QRDate"));
    date->Data = qrsDate;
    date->Left = Width() - 100;
    date->Width = 100;
    date->Alignment = Qt::AlignRight;

    const double lefts[] = {0, 90, 180, 330, 420, 480, 540, 600, 660, 720, 780, 850, 920};
    TQRBand *c = AddBand(rbColumnHeader, QStringLiteral("ColumnHeaderBand"));
    c->Height = 30;
    const QStringList captions{QStringLiteral("č.Vyrobku"),
                               QString::fromUtf8("č.Objednávky"),
                               QString::fromUtf8("Názov"),
                               QStringLiteral("Typ"),
                               QString::fromUtf8("Objednané množstvo"),
                               QString::fromUtf8("Termín"),
                               QString::fromUtf8("Váha 1ks"),
                               QString::fromUtf8("Dodané množstvo"),
                               QString::fromUtf8("Množstvo na sklade"),
                               QString::fromUtf8("Zostáv. množstvo"),
                               QString::fromUtf8("Zostáv. váha"),
                               QString::fromUtf8("Zostáv. cena")};
    const int at[] = {0, 1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    for (int i = 0; i < captions.size(); ++i)
        AddLabel(c, captions[i], lefts[at[i]], 0, 58);

    TQRGroup *g = AddGroup(QStringLiteral("QRGroupOdb"), QStringLiteral("C_ODB"));
    g->Height = 18;
    AddField(g, QStringLiteral("C_ODB"), 0, 1, 50, {}, true);
    AddField(g, QStringLiteral("ODBERATEL"), 60, 1, 300, {}, true);

    TQRBand *d = AddBand(rbDetail, QStringLiteral("DetailBand"));
    d->Height = 16;
    const QString pieces = QStringLiteral("### ###");
    AddField(d, QStringLiteral("C_VYR"), lefts[0], 0, 88);
    AddField(d, QStringLiteral("C_OBJ"), lefts[1], 0, 60);
    AddField(d, QStringLiteral("C_INT"), lefts[2] - 30, 0, 28, QStringLiteral("#0\"/\"0000"));
    AddField(d, QStringLiteral("NAZOV"), lefts[3] - 150, 0, 148);
    AddField(d, QStringLiteral("ROZMER"), lefts[3], 0, 88);
    AddField(d, QStringLiteral("MNOZ_OBJ"), lefts[4], 0, 58, pieces)->Alignment = Qt::AlignRight;
    AddField(d, QStringLiteral("TERMIN"), lefts[5], 0, 58, QStringLiteral("d/m/y"));
    AddField(d, QStringLiteral("VAHA1"), lefts[6], 0, 58, QStringLiteral("##0.00"))->Alignment = Qt::AlignRight;
    AddField(d, QStringLiteral("MNOZ_DOD"), lefts[7], 0, 58, pieces)->Alignment = Qt::AlignRight;
    AddField(d, QStringLiteral("MNOZ_SKL"), lefts[8], 0, 58, pieces)->Alignment = Qt::AlignRight;
    AddExpr(d, QStringLiteral("MNOZ_ZOST"), lefts[9], 0, 58, pieces, false, QStringLiteral("QRMNOZ_ZOST"))->Alignment =
        Qt::AlignRight;
    AddExpr(d, QStringLiteral("VAHA_ZOST"), lefts[10], 0, 68, QStringLiteral("######"), false,
            QStringLiteral("QRVAHA_ZOST"))
        ->Alignment = Qt::AlignRight;
    AddExpr(d, QStringLiteral("CENA_ZOST"), lefts[11], 0, 68, QStringLiteral("######"), false,
            QStringLiteral("QRCENA_ZOST"))
        ->Alignment = Qt::AlignRight;

    TQRBand *gf = AddBand(rbGroupFooter, QStringLiteral("GroupFooterOdb"));
    gf->Height = 18;
    g->FooterBand = gf;
    AddExpr(gf, QStringLiteral("sum(MNOZ_OBJ)"), lefts[4], 0, 58, pieces)->Alignment = Qt::AlignRight;
    AddExpr(gf, QStringLiteral("sum(MNOZ_DOD)"), lefts[7], 0, 58, pieces)->Alignment = Qt::AlignRight;
    AddExpr(gf, QStringLiteral("sum(MNOZ_ZOST)"), lefts[9], 0, 58, pieces)->Alignment = Qt::AlignRight;
    AddExpr(gf, QStringLiteral("sum(VAHA_ZOST)"), lefts[10], 0, 68, QStringLiteral("######"))->Alignment =
        Qt::AlignRight;
    AddExpr(gf, QStringLiteral("sum(CENA_ZOST)"), lefts[11], 0, 68, QStringLiteral("######"))->Alignment =
        Qt::AlignRight;

    TQRBand *s = AddBand(rbSummary, QStringLiteral("SummaryBand"));
    s->Height = 20;
    AddLabel(s, QStringLiteral("Spolu"), 0, 2, 0, 0, true);
    AddExpr(s, QStringLiteral("sum(MNOZ_OBJ)"), lefts[4], 2, 58, QStringLiteral("# ### ###"))->Alignment =
        Qt::AlignRight;
    AddExpr(s, QStringLiteral("sum(MNOZ_ZOST)"), lefts[9], 2, 58, pieces)->Alignment = Qt::AlignRight;
    AddExpr(s, QStringLiteral("sum(VAHA_ZOST)"), lefts[10], 2, 68, QStringLiteral("######"))->Alignment =
        Qt::AlignRight;
    AddExpr(s, QStringLiteral("sum(CENA_ZOST)"), lefts[11], 2, 68, QStringLiteral("######"))->Alignment =
        Qt::AlignRight;
}

TQRPlanZak::~TQRPlanZak()
{
    if (QRPlanZak == this)
        QRPlanZak = nullptr;
}
