#include "SVykQR1Rep.h"

#include "PerformanceOverview.h"
#include "platform/report/DataSetCursor.h"
#include "platform/report/QRControls.h"

TSVykQR1Rep *SVykQR1Rep = nullptr;

namespace {

// The columns of the list: where each starts and how wide it is; the figures stand right in theirs.
struct Column {
    const char *caption, *field;
    double left, width;
    bool figure;
};
const Column kColumns[] = {
    {"Os.cislo", "OSC", 0, 55, false},       {"Datum", "DATUM", 60, 70, false},    {"Mzda", "MZDA", 135, 70, true},
    {"Zákazka", "C_INT", 215, 60, false},    {"Výrobok", "C_VYR", 280, 65, false}, {"Op.", "OPERACIA", 350, 35, false},
    {"Množstvo", "MNOZSTVO", 385, 65, true}, {"Zmena", "ZMENA", 455, 48, true},    {"Zmätky", "ZMATKY", 508, 52, true},
    {"Norm.hod.", "NHOD", 565, 68, true},    {"Odpr.hod.", "OHOD", 638, 68, true},
};

const Column &column(const QString &field)
{
    for (const Column &c : kColumns)
        if (field == QLatin1String(c.field))
            return c;
    return kColumns[0];
}

TQRDBText *dbText(TQRBand *band, const char *field, double left, double width = 60)
{
    auto *t = band->Add<TQRDBText>(QStringLiteral("QR") + QLatin1String(field));
    t->DataField = QString::fromLatin1(field);
    t->Left = left;
    t->Width = width;
    return t;
}

// An expression in the column of the field, at its right edge.
TQRExpr *expr(TQRBand *band, const QString &expression, const char *field, const char *mask = "####0.00")
{
    const Column &c = column(QString::fromLatin1(field));
    auto *e = band->Add<TQRExpr>();
    e->setExpression(expression);
    e->Left = c.left;
    e->Width = c.width;
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

// Sums of the wage, quantity, norm hours, defects and worked hours, each in its column.
void sums(TQRBand *band, const QStringList &fields)
{
    for (const QString &f : fields)
        expr(band, QStringLiteral("SUM(%1)").arg(f), f.toLatin1().constData());
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
    for (const Column &c : kColumns) {
        TQRLabel *l = label(columns, QString::fromUtf8(c.caption), c.left);
        l->Width = c.width;
        if (c.figure)
            l->Alignment = Qt::AlignRight;
    }

    Group1 = Rep.AddGroup(QStringLiteral("QRGroup1"), QStringLiteral("OSC"));
    // The group headers print nothing; the footers are the groups' lines.
    Group1->BeforePrint = [](TQRBand *, bool &print) { print = false; };
    Group2 = Rep.AddGroup(QStringLiteral("QRGroup2"), QStringLiteral("DATUM"));
    Group2->BeforePrint = [](TQRBand *, bool &print) { print = false; };
    Detail = Rep.AddBand(rbDetail, QStringLiteral("DetailBand"));
    for (const Column &c : kColumns) {
        TQRDBText *t = dbText(Detail, c.field, c.left, c.width);
        if (c.figure)
            t->Alignment = Qt::AlignRight;
    }

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
    // The captions of the defect lines in the product's column, clear of the wage before them.
    auto row = [this](double top, const char *caption) {
        TQRLabel *l = label(Footer1, QString::fromUtf8(caption), column(QStringLiteral("C_VYR")).left);
        l->Top = top;
    };
    row(17, "Dobré");
    row(34, "Zmätky");
    const QList<std::tuple<double, const char *, QString>> figures{
        {17, "MNOZSTVO", RatioExpression(QStringLiteral("SUM(ZMATKY)"), QStringLiteral("SUM(MNOZSTVO+ZMATKY)"))},
        {34, "NHOD", QStringLiteral("SUM(NHOD_ZMATKY)")},
        {34, "MZDA", QStringLiteral("SUM(MZDA_ZMATKY)")},
        {34, "ZMATKY", QStringLiteral("SUM(ZMATKY-STORNA)")},
        {51, "MZDA", QStringLiteral("SUM(MZDA_ZMATKY-MZDA_STORNA)")},
        {51, "NHOD", QStringLiteral("SUM(NHOD_ZMATKY-NHOD_STORNA)")},
        {51, "MNOZSTVO",
         RatioExpression(QStringLiteral("SUM(ZMATKY-STORNA)"), QStringLiteral("SUM(MNOZSTVO+ZMATKY-STORNA)"))},
    };
    row(51, "+Storná");
    Footer1->Height = 68;
    for (const auto &[top, left, text] : figures)
        expr(Footer1, text, left)->Top = top;

    TQRBand *summary = Rep.AddBand(rbSummary, QStringLiteral("SummaryBand"));
    summary->Height = 34;
    label(summary, QStringLiteral("Spolu"), 0);
    sums(summary, {"MZDA", "OHOD", "NHOD"});
    label(summary, QString::fromUtf8("Všetky"), column(QStringLiteral("C_VYR")).left)->Top = 17;
    expr(summary, QStringLiteral("SUM(VSETKY)"), "MNOZSTVO")->Top = 17;
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
