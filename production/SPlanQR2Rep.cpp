#include "SPlanQR2Rep.h"

#include "DMVyroba.h"
#include "ProductionReport.h"
#include "library/ReportBuilder.h"
#include "platform/report/QRBand.h"
#include "platform/report/QRControls.h"

TSPlanQR2Rep *SPlanQR2Rep = nullptr;

namespace {

double mm(double v)
{
    return MmToUnits(v);
}

// One column of the sheet: its caption in one or two lines and what a row prints in it (nothing: the shop
// floor writes it in by hand). Widths in mm; all of them fill the 277 mm of a landscape A4 within its margins.
struct SheetColumn {
    const char *Caption1, *Caption2;
    const char *Data; // a field, or null for a cell filled below or by hand
    const char *Mask;
    double Width;
    bool Figure; // printed from the right
};

const SheetColumn kColumns[] = {
    {"č.Zákazky", "", "C_INT", "##/0000", 12, false},
    {"č.Výrobku", "", "C_VYR", "", 17, false},
    {"Názov výrobku", "", "NAZOV", "", 27.5, false},
    {"Op.", "", nullptr, "", 13, false}, // operation number and code, placed below
    {"Os.č.", "", "OSC", "", 8, true},
    {"Stroj", "", "STROJ", "", 9, false},
    {"Plánované", "množstvo", "Plánované", "", 12, true},
    {"Materiál", "", nullptr, "", 9, false},
    {"Dávka", "", nullptr, "", 8, false},
    {"Teplota", "", nullptr, "", 9, false},
    {"Naplynenie", "", nullptr, "", 12.5, false},
    {"Uvoľnenie", "", nullptr, "", 11.5, false},
    {"Rozmery", "", nullptr, "", 10, false},
    {"Čas", "", nullptr, "", 7, false},
    {"Skutočné", "množstvo", nullptr, "", 11, false},
    {"Zmätky", "", nullptr, "", 8, false},
};

// The reject codes the quality control counts, each in a column of its own after the sheet's columns.
const char *const kRejects[][2] = {{"001", "Lunker"}, {"004", "St.zv."},  {"005", "Sťaž."},   {"006", "Nedol."},
                                   {"007", "Nástr."}, {"008", "Defor."},  {"009", "Presa."},  {"010", "Zadro."},
                                   {"011", "Rozm."},  {"012", "Zlo.ja."}, {"013", "Záliat."}, {"019", "Iné"}};
constexpr double kRejectWidth = 7.5;

constexpr int kCaptionPoints = 6;
constexpr double kHeadHeight = 15; // two heading lines over the rejects, then two caption lines
constexpr double kRowHeight = 7;   // room to write by hand

TQRLabel *caption(TQRBand *band, const char *text, double left, double top, double width)
{
    TQRLabel *l = AddLabel(band, QString::fromUtf8(text), left, top, width, kCaptionPoints);
    l->Alignment = Qt::AlignHCenter;
    return l;
}

} // namespace

TSPlanQR2Rep::TSPlanQR2Rep()
{
    SPlanQR2Rep = this;
    SetUpReport(this, QStringLiteral("SPlanQR2Rep"), QString::fromUtf8("Plán práce"), QPageSize::A4,
                QPageLayout::Landscape, 7);
    setDataSet(&DMVyroba->QSPlan);

    // The first page's head: logo, the sheet's title and the two quality-system marks.
    TQRBand *title = AddBand(rbTitle, QStringLiteral("TitleBand1"));
    title->Height = mm(18);
    auto *logo = title->Add<TQRImage>(QStringLiteral("QRlogo"));
    logo->Width = mm(40);
    logo->Height = mm(15);
    AddLabel(title, QString::fromUtf8("Plánovanie a sumarizácia dennej výroby"), mm(60), mm(3), 0, 14, true,
             QStringLiteral("QRLabelTitle"));
    QRlISO1 = AddLabel(title, {}, mm(200), mm(2), mm(77), 0, false, QStringLiteral("QRlISO1"));
    QRlISO2 = AddLabel(title, {}, mm(200), mm(7), mm(77), 0, false, QStringLiteral("QRlISO2"));
    QRlISO1->Alignment = QRlISO2->Alignment = Qt::AlignRight;

    // The column head, again on every page: each column framed, the reject columns under their two headings.
    TQRBand *head = AddBand(rbColumnHeader, QStringLiteral("ColumnHeaderBand1"));
    head->Height = mm(kHeadHeight);
    TQRBand *detail = AddBand(rbDetail, QStringLiteral("DetailBand1"));
    detail->Height = mm(kRowHeight);
    double left = 0, operation = 0;
    int i = 0;
    for (const SheetColumn &c : kColumns) {
        ++i;
        if (qstrcmp(c.Caption1, "Op.") == 0)
            operation = left;
        const double second = *c.Caption2 ? mm(kHeadHeight - 4) : mm(kHeadHeight - 7);
        caption(head, c.Caption1, mm(left), *c.Caption2 ? mm(kHeadHeight - 7.5) : second, mm(c.Width))->Name =
            QStringLiteral("QRLabel%1").arg(i);
        if (*c.Caption2)
            caption(head, c.Caption2, mm(left), second, mm(c.Width));
        AddBox(head, mm(left), 0, mm(c.Width), mm(kHeadHeight));
        AddBox(detail, mm(left), 0, mm(c.Width), mm(kRowHeight));
        if (c.Data) {
            TQRDBText *t = AddField(detail, QString::fromUtf8(c.Data), mm(left + 0.8), mm(2), mm(c.Width - 1.6),
                                    QString::fromLatin1(c.Mask));
            if (c.Figure)
                t->Alignment = Qt::AlignRight;
        }
        left += c.Width;
    }
    // The operation: its number and its code.
    AddField(detail, QStringLiteral("C_OPERACIE"), mm(operation + 0.5), mm(2), mm(5))->Alignment = Qt::AlignRight;
    AddField(detail, QStringLiteral("OPERACIA"), mm(operation + 6.2), mm(2), mm(6.3));

    const double rejects = left;
    const double rejectsWidth = kRejectWidth * std::size(kRejects);
    AddBox(head, mm(rejects), 0, mm(rejectsWidth), mm(7));
    caption(head, "O T K", mm(rejects), mm(0.5), mm(rejectsWidth))->Font().setBold(true);
    caption(head, "N E Z H O D N É   V Ý R O B K Y", mm(rejects), mm(3.5), mm(rejectsWidth));
    for (const auto &reject : kRejects) {
        caption(head, reject[0], mm(left), mm(kHeadHeight - 7.5), mm(kRejectWidth));
        caption(head, reject[1], mm(left), mm(kHeadHeight - 4), mm(kRejectWidth));
        AddBox(head, mm(left), mm(7), mm(kRejectWidth), mm(kHeadHeight - 7));
        AddBox(detail, mm(left), 0, mm(kRejectWidth), mm(kRowHeight));
        left += kRejectWidth;
    }

    // Only the operations someone is to do go on the sheet, and only their norm hours are summed.
    detail->BeforePrint = [](TQRBand *, bool &print) {
        print = DMVyroba->QSPlan.FieldByName(QStringLiteral("OSC"))->AsInteger() != 0;
    };
    TQRBand *summary = AddBand(rbSummary, QStringLiteral("SummaryBand1"));
    summary->Height = mm(16);
    AddLabel(summary, QStringLiteral("Spolu"), 0, mm(2), 0, 0, true);
    TQRExpr *hours = AddExpr(summary, QStringLiteral("SUM(IF(OSC<>0,NormoHodiny,0))"), mm(12), mm(2), mm(40),
                             QStringLiteral("###0.0\" NHod.\""), true, QStringLiteral("QRExprNormoHodiny"));
    hours->Alignment = Qt::AlignLeft;
    AddLabel(summary, QString::fromUtf8("Plánoval:"), mm(70), mm(9), 0, 0, false, QStringLiteral("QRlPodpis1"));
    AddLabel(summary, QString::fromUtf8("Zmena / MRV:"), mm(140), mm(9), 0, 0, false, QStringLiteral("QRlPodpis2"));
    AddLabel(summary, QString::fromUtf8("Dátum:"), mm(210), mm(9), 0, 0, false, QStringLiteral("QRlPodpis3"));
    auto *printed = summary->Add<TQRSysData>(QStringLiteral("QRSysDataDatum"));
    printed->Data = qrsDateTime;
    printed->Left = mm(222);
    printed->Top = mm(9);

    PageNumberFooter(*this);
}

TSPlanQR2Rep::~TSPlanQR2Rep()
{
    if (SPlanQR2Rep == this)
        SPlanQR2Rep = nullptr;
}
