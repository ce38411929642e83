#include "SVykQR1Rep.h"

#include "PerformanceOverview.h"
#include "platform/report/DataSetCursor.h"
#include "platform/report/QRControls.h"

TSVykQR1Rep *SVykQR1Rep = nullptr;

namespace {

TQRDBText *dbText(TQRBand *band, const char *field, double left, double width = 60)
{
    auto *t = band->Add<TQRDBText>(QStringLiteral("QR") + QLatin1String(field));
    t->DataField = QString::fromLatin1(field);
    t->Left = left;
    t->Width = width;
    return t;
}

TQRExpr *expr(TQRBand *band, const QString &expression, double left, const char *mask = "####0.00")
{
    auto *e = band->Add<TQRExpr>();
    e->setExpression(expression);
    e->Left = left;
    e->Width = 60;
    e->Alignment = Qt::AlignRight;
    e->Mask = QString::fromLatin1(mask);
    return e;
}

TQRLabel *label(TQRBand *band, const QString &caption, double left)
{
    auto *l = band->Add<TQRLabel>();
    l->Caption = caption;
    l->Left = left;
    return l;
}

// Sums of the wage, quantity, norm hours, defects and worked hours, left to right.
void sums(TQRBand *band, const QStringList &fields)
{
    const QHash<QString, double> at{{"MZDA", 140}, {"MNOZSTVO", 330}, {"ZMATKY", 430}, {"NHOD", 480}, {"OHOD", 530}};
    for (const QString &f : fields)
        expr(band, QStringLiteral("SUM(%1)").arg(f), at.value(f));
}

} // namespace

TSVykQR1Rep::TSVykQR1Rep()
{
    if (!SVykQR1Rep)
        SVykQR1Rep = this;
    RegisterDataSetCursor();
    Rep.Name = QStringLiteral("SVykQR1Rep");
    Rep.ReportTitle = QStringLiteral("Vykony pracovnikov");
    Rep.AddFunction(QStringLiteral("MZDA_ZMATKY"), QStringLiteral("if(mnozstvo<>0, zmatky*mzda/mnozstvo, 0)"));
    Rep.AddFunction(QStringLiteral("NHOD_ZMATKY"), QStringLiteral("if(mnozstvo<>0, zmatky*nhod/mnozstvo, 0)"));
    Rep.AddFunction(QStringLiteral("MZDA_STORNA"), QStringLiteral("if(mzda<0, MZDA, 0)"));
    Rep.AddFunction(QStringLiteral("NHOD_STORNA"), QStringLiteral("if(NHOD<0, NHOD, 0)"));
    Rep.AddFunction(QStringLiteral("STORNA"), QStringLiteral("IF(MNOZSTVO<0, MNOZSTVO, 0)"));
    Rep.AddFunction(QStringLiteral("VSETKY"), QStringLiteral("IF(MNOZSTVO>0, MNOZSTVO, 0)"));

    TQRBand *title = Rep.AddBand(rbTitle, QStringLiteral("TitleBand"));
    label(title, QString::fromUtf8("Výkony pracovníkov"), 0);
    TQRBand *columns = Rep.AddBand(rbColumnHeader, QStringLiteral("ColumnHeaderBand"));
    const char *const captions[] = {"Os.cislo", "Datum", "Mzda",   "Zákazka",   "Výrobok",  "Op.",
                                    "Množstvo", "Zmena", "Zmätky", "Norm.hod.", "Odpr.hod."};
    const double lefts[] = {0, 60, 140, 200, 250, 300, 330, 400, 430, 480, 530};
    for (int i = 0; i < 11; ++i)
        label(columns, QString::fromUtf8(captions[i]), lefts[i]);

    Group1 = Rep.AddGroup(QStringLiteral("QRGroup1"), QStringLiteral("OSC"));
    // The group headers print nothing; the footers are the groups' lines.
    Group1->BeforePrint = [](TQRBand *, bool &print) { print = false; };
    Group2 = Rep.AddGroup(QStringLiteral("QRGroup2"), QStringLiteral("DATUM"));
    Group2->BeforePrint = [](TQRBand *, bool &print) { print = false; };
    Detail = Rep.AddBand(rbDetail, QStringLiteral("DetailBand"));
    const char *const fields[] = {"OSC",      "DATUM", "MZDA",   "C_INT", "C_VYR", "OPERACIA",
                                  "MNOZSTVO", "ZMENA", "ZMATKY", "NHOD",  "OHOD"};
    for (int i = 0; i < 11; ++i)
        dbText(Detail, fields[i], lefts[i]);

    Footer2 = Rep.AddBand(rbGroupFooter, QStringLiteral("GroupFooter2"));
    Group2->FooterBand = Footer2;
    Footer2Key = dbText(Footer2, "DATUM", 20);
    sums(Footer2, {"MZDA", "NHOD", "OHOD"});

    Footer1 = Rep.AddBand(rbGroupFooter, QStringLiteral("GroupFooter1"));
    Footer1->Height = 51;
    Group1->FooterBand = Footer1;
    Footer1Key = dbText(Footer1, "OSC", 0);
    Footer1Name = dbText(Footer1, "PRIEZVISKO", 60, 80);
    sums(Footer1, {"MZDA", "MNOZSTVO", "NHOD", "ZMATKY", "OHOD"});
    auto row = [this](double top, const char *caption) {
        TQRLabel *l = label(Footer1, QString::fromUtf8(caption), 200);
        l->Top = top;
    };
    row(17, "Dobré");
    row(34, "Zmätky");
    const QList<std::tuple<double, double, QString>> figures{
        {17, 330, RatioExpression(QStringLiteral("SUM(ZMATKY)"), QStringLiteral("SUM(MNOZSTVO+ZMATKY)"))},
        {34, 480, QStringLiteral("SUM(NHOD_ZMATKY)")},
        {34, 140, QStringLiteral("SUM(MZDA_ZMATKY)")},
        {34, 430, QStringLiteral("SUM(ZMATKY-STORNA)")},
        {51, 140, QStringLiteral("SUM(MZDA_ZMATKY-MZDA_STORNA)")},
        {51, 480, QStringLiteral("SUM(NHOD_ZMATKY-NHOD_STORNA)")},
        {51, 330, RatioExpression(QStringLiteral("SUM(ZMATKY-STORNA)"), QStringLiteral("SUM(MNOZSTVO+ZMATKY-STORNA)"))},
    };
    row(51, "+Storná");
    Footer1->Height = 68;
    for (const auto &[top, left, text] : figures)
        expr(Footer1, text, left)->Top = top;

    TQRBand *summary = Rep.AddBand(rbSummary, QStringLiteral("SummaryBand"));
    summary->Height = 34;
    label(summary, QStringLiteral("Spolu"), 0);
    sums(summary, {"MZDA", "OHOD", "NHOD"});
    label(summary, QString::fromUtf8("Všetky"), 250)->Top = 17;
    expr(summary, QStringLiteral("SUM(VSETKY)"), 330)->Top = 17;
}

TSVykQR1Rep::~TSVykQR1Rep()
{
    if (SVykQR1Rep == this)
        SVykQR1Rep = nullptr;
}

QString TSVykQR1Rep::RatioExpression(const QString &part, const QString &whole)
{
    return QStringLiteral("IF(%2<>0, 100*%1/%2, '')").arg(part, whole);
}

void TSVykQR1Rep::SetView(int view)
{
    const TPerformanceView &v = PerformanceView(view);
    Detail->Enabled = !v.grouped;
    const QString group1 = QString::fromLatin1(v.group1);
    const QString group2 = QString::fromLatin1(v.group2);
    Footer1->Enabled = !group1.isEmpty();
    if (!group1.isEmpty()) {
        Group1->setExpression(group1);
        Footer1Key->DataField = group1;
        Footer1Name->Enabled = group1 == QLatin1String("OSC");
    } else {
        Group1->setExpression(QStringLiteral("''"));
    }
    Footer2->Enabled = !group2.isEmpty();
    if (!group2.isEmpty()) {
        Group2->setExpression(group2);
        Footer2Key->DataField = group2;
    } else {
        Group2->setExpression(QStringLiteral("''"));
    }
}
