#include "SOdvQR1Rep.h"

#include "ProductionReport.h"
#include "library/ReportBuilder.h"
#include "platform/report/QRBand.h"
#include "platform/report/QRControls.h"
#include "shell/DMZal.h"

#include <cstring>

TSOdvQR1Rep *SOdvQR1Rep = nullptr;

namespace {

double mm(double v)
{
    return MmToUnits(v);
}

// A column of the list: caption in one or two lines, what a row prints, its mask, its width in mm, and
// whether the group footers and the summary sum it. The columns fill the 277 mm of a landscape A4.
struct ListColumn {
    const char *Caption1, *Caption2;
    const char *Data; // a field, or an expression when it holds a bracket
    const char *Mask;
    double Width;
    bool Summed;
};

constexpr const char *kMoney = "# ### ##0.00";
const ListColumn kColumns[] = {
    {"Dátum", "", "DATUM", "d/m/yy", 13, false},
    {"Doklad", "", "C_DOKLADU", "", 10, false},
    {"Zákazka", "", "C_INT", "00/0000", 12, false},
    {"Výrobok", "", "C_VYR", "", 26, false},
    {"Objednávka", "", "C_OBJ", "", 21, false},
    {"Množstvo", "", "MNOZSTVO", "# ##0", 13, true},
    {"Váha", "", "VAHAC", "# ##0.0", 15, true},
    {"Materiál", "", "MATC", kMoney, 17, true},
    {"Mzdy", "", "MZDC", kMoney, 17, true},
    {"Ostatné", "výr. náklady", "OVNC", kMoney, 17, true},
    {"Externé", "výr. náklady", "MIMC", kMoney, 17, true},
    {"Vlastné", "náklady", "VLNC", kMoney, 18, true},
    {"Úplné vl.", "náklady", "UVNC", kMoney, 18, true},
    {"Predajná", "cena", "CENA_PREDC", kMoney, 18, true},
    {"Cena v mene", "", "STR(CENA_KURZC)", "", 18, false}, // the home currency's code is put in by SetView
    {"Mena", "", "MENA", "", 8, false},
    {"Faktúra,", "Pred.Fa.", "C_FAKTURY", "", 19, false},
};
constexpr int kCustomerColumn = 4; // the product column that prints the customer in the customer sums

// Where a column starts, in mm.
double columnLeft(int column)
{
    double left = 0;
    for (int i = 0; i < column; ++i)
        left += kColumns[i].Width;
    return left;
}

bool isExpression(const char *data)
{
    return std::strchr(data, '(') != nullptr;
}

// A figure or a text of a column on a band, within the column's edges.
TQRPrintable *cell(TQRBand *band, const QString &name, const ListColumn &c, double left, const QString &data, bool sum)
{
    TQRPrintable *p;
    if (sum || isExpression(c.Data)) {
        p = AddExpr(band, sum ? QStringLiteral("SUM(%1)").arg(data) : data, mm(left + 0.5), mm(0.5), mm(c.Width - 1),
                    QString::fromLatin1(c.Mask), false, name);
    } else {
        TQRDBText *t = AddField(band, data, mm(left + 0.5), mm(0.5), mm(c.Width - 1), QString::fromLatin1(c.Mask));
        t->Name = name;
        p = t;
    }
    if (c.Summed || isExpression(c.Data))
        p->Alignment = Qt::AlignRight;
    return p;
}

// The sums of the summed columns on a footer band, after a caption.
void sums(TQRBand *band, const QString &prefix, TQRPrintable *caption)
{
    caption->Left = 0;
    caption->Top = mm(0.5);
    for (int i = 0; i < int(std::size(kColumns)); ++i)
        if (kColumns[i].Summed)
            cell(band, prefix + QString::number(i + 1), kColumns[i], columnLeft(i),
                 QString::fromLatin1(kColumns[i].Data), true)
                ->Font()
                .setBold(true);
    AddBox(band, 0, 0, band->Report->Width(), 0)->Shape = qrsHorLine;
}

} // namespace

TSOdvQR1Rep::TSOdvQR1Rep()
{
    SOdvQR1Rep = this;
    SetUpReport(this, QStringLiteral("SOdvQR1Rep"), QString::fromUtf8("Odvody výrobkov "), QPageSize::A4,
                QPageLayout::Landscape, 7);
    setDataSet(&DMZal->QTlac);

    TQRBand *title = AddBand(rbTitle, QStringLiteral("TitleBand1"));
    title->Height = mm(10);
    AddLabel(title, QString::fromUtf8("Odvody výrobkov "), 0, 0, 0, 13, true, QStringLiteral("QRLabelTitle"));
    auto *printed = title->Add<TQRSysData>(QStringLiteral("QRSysDataDatum"));
    printed->Data = qrsDate;
    printed->Left = Width() - mm(40);
    printed->Width = mm(40);
    printed->AutoSize = false;
    printed->Alignment = Qt::AlignRight;

    // The column head on every page.
    TQRBand *head = AddBand(rbColumnHeader, QStringLiteral("ColumnHeaderBand1"));
    head->Height = mm(8);
    for (int i = 0; i < int(std::size(kColumns)); ++i) {
        const ListColumn &c = kColumns[i];
        const double left = columnLeft(i);
        TQRLabel *first = AddLabel(head, QString::fromUtf8(c.Caption1), mm(left + 0.5), mm(0.5), mm(c.Width - 1), 0,
                                   true, QStringLiteral("QRLabel%1").arg(i + 1));
        TQRLabel *second = *c.Caption2 ? AddLabel(head, QString::fromUtf8(c.Caption2), mm(left + 0.5), mm(3.8),
                                                  mm(c.Width - 1), 0, true, QStringLiteral("QRLabel%1b").arg(i + 1))
                                       : nullptr;
        if (c.Summed || isExpression(c.Data))
            for (TQRLabel *l : {first, second})
                if (l)
                    l->Alignment = Qt::AlignRight;
    }
    AddBox(head, 0, mm(7.6), Width(), 0)->Shape = qrsHorLine;

    // The groups: by currency outside, by customer (or customer order) inside; each footer sums its rows.
    QRGroupMena = AddGroup(QStringLiteral("QRGroupMena"), QStringLiteral("MENA"));
    QRGroupMena->Height = 0;
    QRGroup1 = AddGroup(QStringLiteral("QRGroup1"), QStringLiteral("ODBERATEL"));
    QRGroup1->Height = mm(5);
    AddField(QRGroup1, QStringLiteral("ODBERATEL"), 0, mm(1), mm(120), {}, true)->Name =
        QStringLiteral("QRDBTextOdberatel");

    TQRBand *detail = AddBand(rbDetail, QStringLiteral("DetailBand1"));
    detail->Height = mm(4);
    for (int i = 0; i < int(std::size(kColumns)); ++i)
        cell(detail, QStringLiteral("QRDBText%1").arg(i + 1), kColumns[i], columnLeft(i),
             QString::fromLatin1(kColumns[i].Data), false);
    // A negative quantity (a return) prints the whole line in italic.
    detail->BeforePrint = [detail](TQRBand *, bool &) {
        TField *quantity = DMZal->QTlac.FindField(QStringLiteral("MNOZSTVO"));
        const bool back = quantity && quantity->AsFloat() < 0;
        for (const auto &c : detail->Controls)
            c->Font().setItalic(back);
    };

    QRBandOdberatel = AddBand(rbGroupFooter, QStringLiteral("QRBandOdberatel"));
    QRBandOdberatel->Height = mm(6);
    QRGroup1->FooterBand = QRBandOdberatel;
    auto *customerSum = AddField(QRBandOdberatel, QStringLiteral("ODBERATEL"), 0, 0, mm(70), {}, true);
    customerSum->Name = QStringLiteral("QRDBTextOdberatelSpolu");
    sums(QRBandOdberatel, QStringLiteral("QRSumG"), customerSum);

    QRBandMena = AddBand(rbGroupFooter, QStringLiteral("QRBandMena"));
    QRBandMena->Height = mm(6);
    QRGroupMena->FooterBand = QRBandMena;
    auto *currencySum = AddExpr(QRBandMena, QStringLiteral("'Spolu ' + MENA"), 0, 0, mm(70), {}, true,
                                QStringLiteral("QRExprMenaSpolu"));
    sums(QRBandMena, QStringLiteral("QRSumM"), currencySum);

    // The summary: the sums of everything, those of the work without the customer's material, and the price
    // built up from its parts.
    TQRBand *summary = AddBand(rbSummary, QStringLiteral("SummaryBand1"));
    summary->Height = mm(42);
    sums(summary, QStringLiteral("QRSumS"), AddLabel(summary, QStringLiteral("Spolu"), 0, 0, 0, 0, true));
    AddLabel(summary, QString::fromUtf8("Výkony bez dodania materiálu"), 0, mm(5), 0, 0, true);
    for (int i = 0; i < int(std::size(kColumns)); ++i)
        if (kColumns[i].Summed)
            cell(summary, QStringLiteral("QRSumBezMat%1").arg(i + 1), kColumns[i], columnLeft(i),
                 QStringLiteral("IF(MATC=0,%1,0)").arg(QString::fromLatin1(kColumns[i].Data)), true)
                ->Top = mm(5);
    // The price's parts under the cost columns; those of the extras and the resulting prices need the single
    // hand-overs, which the sums views do not read.
    const double labelLeft = columnLeft(9) + 0.5, valueLeft = columnLeft(13) + 0.5;
    double top = 11;
    const auto part = [&](const char *caption, const QString &expression, double left, bool bold, bool single) {
        TQRLabel *l = caption ? AddLabel(summary, QString::fromUtf8(caption), mm(labelLeft), mm(top),
                                         mm(valueLeft - labelLeft - 1), 0, bold)
                              : nullptr;
        TQRExpr *e = AddExpr(summary, expression, mm(left), mm(top), mm(17), QString::fromLatin1(kMoney), bold,
                             QStringLiteral("QRSumPart%1").arg(summary->Controls.size()));
        e->Alignment = Qt::AlignRight;
        if (single)
            singleOnly_.push_back({l, e, expression});
    };
    part("Odvody z miezd :", QStringLiteral("SUM(ODVMZDC)"), valueLeft, false, false);
    top += 4.5;
    part("Výrobná réžia :", QStringLiteral("SUM(VYRREZC)"), valueLeft, false, false);
    top += 4.5;
    part("Správna réžia :", QStringLiteral("SUM(SPRREZC)"), valueLeft, false, false);
    top += 4.5;
    part("Prídavok za dopravu :", QStringLiteral("SUM(PRID_DOPC)"), valueLeft, false, true);
    top += 4.5;
    part("+ Prídavok za materiál :", QStringLiteral("SUM(PRID_MATC)"), valueLeft, false, true);
    top += 4.5;
    part("Výsledná cena :", QStringLiteral("SUM(Cena_predC+prid_matC+prid_dopC)"), valueLeft, true, true);
    part(nullptr, QStringLiteral("SUM(Cena_kurzC)"), columnLeft(14) + 0.5, true, true);

    PageNumberFooter(*this);
    SetView(1);
}

void TSOdvQR1Rep::SetView(int view)
{
    const bool sums = view >= 3;
    // Columns 2, 3 and 5: document, job and customer order.
    for (int column : {2, 3, 5})
        for (const QString &name : {QStringLiteral("QRDBText%1").arg(column), QStringLiteral("QRLabel%1").arg(column)})
            if (TQRComponent *c = FindComponent(name))
                c->Enabled = !sums;
    if (auto *product = Find<TQRDBText>(QStringLiteral("QRDBText%1").arg(kCustomerColumn)))
        product->DataField = view == 4 ? QStringLiteral("ODBERATEL") : QStringLiteral("C_VYR");
    QRGroup1->Enabled = !sums;
    QRBandOdberatel->Enabled = !sums;
    QRGroupMena->Enabled = !sums && view != 0;
    QRBandMena->Enabled = !sums && view != 0;
    const QString second = view == 2 ? QStringLiteral("C_OBJ") : QStringLiteral("ODBERATEL");
    QRGroup1->setExpression(second);
    for (const char *name : {"QRDBTextOdberatel", "QRDBTextOdberatelSpolu"})
        if (auto *caption = Find<TQRDBText>(QString::fromLatin1(name)))
            caption->DataField = second;
    // The sums views read no single hand-overs: what needs them is left out (and not summed).
    for (int column : {15, 16, 17})
        for (const QString &name : {QStringLiteral("QRDBText%1").arg(column), QStringLiteral("QRLabel%1").arg(column),
                                    QStringLiteral("QRLabel%1b").arg(column)})
            if (TQRComponent *c = FindComponent(name))
                c->Enabled = !sums;
    for (const SingleOnly &s : singleOnly_) {
        if (s.Caption)
            s.Caption->Enabled = !sums;
        s.Sum->Enabled = !sums;
        s.Sum->setExpression(sums ? QStringLiteral("''") : s.Expression);
    }
    // The price in the customer's currency: blank for the home currency.
    if (auto *price = Find<TQRExpr>(QStringLiteral("QRDBText15")))
        price->setExpression(
            sums ? QStringLiteral("''")
                 : QStringLiteral("IF(MENA='%1', '', FORMATNUMERIC('######.00',CENA_KURZC))").arg(CurrencyCode));
}

TSOdvQR1Rep::~TSOdvQR1Rep()
{
    if (SOdvQR1Rep == this)
        SOdvQR1Rep = nullptr;
}
