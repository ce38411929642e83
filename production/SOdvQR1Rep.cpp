#include "SOdvQR1Rep.h"

#include "platform/report/DataSetCursor.h"
#include "platform/report/QRBand.h"
#include "platform/report/QRControls.h"
#include "shell/DMZal.h"

TSOdvQR1Rep *SOdvQR1Rep = nullptr;

namespace {

struct Column {
    const char *caption;
    const char *expression; // a field name or an expression of sums
    const char *mask;
    double width;
};

const Column columns[] = {
    {"Dátum", "DATUM", "d/m/yy", 50},
    {"Doklad", "C_DOKLADU", "", 36},
    {"Zákazka", "C_INT", "00/0000", 46},
    {"Výrobok", "C_VYR", "", 80},
    {"Objednávka", "C_OBJ", "", 70},
    {"Množstvo", "MNOZSTVO", "", 46},
    {"Váha", "VAHAC", "# ##0.0", 50},
    {"Materiál", "MATC", "# ##0.00", 60},
    {"Mzdy", "MZDC", "# ##0.00", 60},
    {"Vlastné náklady", "VLNC", "# ##0.00", 60},
    {"Úplné vl. náklady", "UVNC", "# ##0.00", 60},
    {"Predajná cena", "CENA_PREDC", "# ##0.00", 60},
    {"Mena", "MENA", "", 30},
    {"Faktúra, Pred.Fa.", "C_FAKTURY", "", 70},
};

bool summed(const Column &c)
{
    return QByteArray(c.mask).contains('#') || QByteArray(c.expression) == "MNOZSTVO";
}

} // namespace

TSOdvQR1Rep::TSOdvQR1Rep()
{
    SOdvQR1Rep = this;
    Name = QStringLiteral("SOdvQR1Rep");
    ReportTitle = QString::fromUtf8("Odvody výrobkov ");
    Page.PaperSize = QPageSize::A4;
    Page.Orientation = QPageLayout::Landscape;
    PrintIfEmpty = true;
    Font = QFont(QStringLiteral("Arial"), 8);
    RegisterDataSetCursor();
    setDataSet(&DMZal->QTlac);

    TQRBand *header = AddBand(rbPageHeader, QStringLiteral("PageHeaderBand1"));
    header->Height = 60;
    auto *title = header->Add<TQRSysData>(QStringLiteral("QRSysData1"));
    title->Data = qrsReportTitle;
    title->Font() = QFont(QStringLiteral("Arial"), 13, QFont::Bold);
    title->Width = 300;
    title->Height = 22;
    auto *pageNo = header->Add<TQRSysData>(QStringLiteral("QRSysData2"));
    pageNo->Data = qrsPageNumber;
    pageNo->Left = Width() - 100;
    pageNo->Width = 100;
    pageNo->Alignment = Qt::AlignRight;

    QRGroup1 = AddGroup(QStringLiteral("QRGroup1"), QStringLiteral("ODBERATEL"));
    QRGroup1->Height = 18;
    auto *customer = QRGroup1->Add<TQRDBText>(QStringLiteral("QRDBTextOdberatel"));
    customer->DataField = QStringLiteral("ODBERATEL");
    customer->Width = 300;
    QRBandOdberatel = AddBand(rbGroupFooter, QStringLiteral("QRBandOdberatel"));
    QRBandOdberatel->Height = 18;
    QRGroup1->FooterBand = QRBandOdberatel;

    TQRBand *detail = AddBand(rbDetail, QStringLiteral("DetailBand1"));
    detail->Height = 16;
    TQRBand *summary = AddBand(rbSummary, QStringLiteral("SummaryBand1"));
    summary->Height = 20;
    auto *total = summary->Add<TQRLabel>(QStringLiteral("QRLabelSpolu"));
    total->Caption = QStringLiteral("Spolu");
    double left = 0;
    int i = 0;
    for (const Column &c : columns) {
        ++i;
        auto *label = header->Add<TQRLabel>(QStringLiteral("QRLabel%1").arg(i));
        label->Caption = QString::fromUtf8(c.caption);
        label->Left = left;
        label->Top = 40;
        label->Width = c.width;
        auto *text = detail->Add<TQRDBText>(QStringLiteral("QRDBText%1").arg(i));
        text->DataField = QString::fromLatin1(c.expression);
        text->Mask = QString::fromLatin1(c.mask);
        text->Left = left;
        text->Width = c.width;
        if (summed(c)) {
            for (TQRBand *band : {QRBandOdberatel, summary}) {
                auto *sum = band->Add<TQRExpr>(QStringLiteral("QRExpr%1%2").arg(band == summary ? "S" : "G").arg(i));
                sum->setExpression(QStringLiteral("SUM(%1)").arg(QString::fromLatin1(c.expression)));
                sum->Mask = QString::fromLatin1(c.mask);
                sum->Left = left;
                sum->Width = c.width;
            }
        }
        left += c.width + 4;
    }
}

TSOdvQR1Rep::~TSOdvQR1Rep()
{
    if (SOdvQR1Rep == this)
        SOdvQR1Rep = nullptr;
}
