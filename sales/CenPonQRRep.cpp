#include "CenPonQRRep.h"

#include "DMOdbyt.h"
#include "library/QTlacForm.h"
#include "library/QTlacTemplForm.h"
#include "library/ReportBuilder.h"
#include "library/xReport.h"
#include "shell/DMZal.h"

namespace {

TCenPonQRRep *report = nullptr;

TQRLabel *label(TQRBand *band, const char *caption, double left, double top, double width = 80)
{
    return AddLabel(band, QString::fromUtf8(caption), left, top, width);
}

TQRDBText *text(TQRBand *band, const char *field, double left, double top, double width)
{
    return AddField(band, QLatin1String(field), left, top, width, {}, false,
                    QStringLiteral("QR") + QLatin1String(field));
}

TQRExpr *expr(TQRBand *band, const QString &expression, const char *mask, double left, double top, double width)
{
    TQRExpr *e = AddExpr(band, expression, left, top, width, QLatin1String(mask));
    e->Alignment = Qt::AlignRight;
    return e;
}

} // namespace

TCenPonQRRep::TCenPonQRRep()
{
    SetUpReport(this, QStringLiteral("CenPonQRRep"), QString::fromUtf8("Cenová ponuka"), QPageSize::A4,
                QPageLayout::Portrait, 9);

    TQRBand *title = AddBand(rbTitle, QStringLiteral("TitleBand"));
    title->Height = 250;
    auto *logo = Place<TQRImage>(title, 0, 0, 120, QStringLiteral("QRlogo"));
    logo->Height = 60;
    const double right = Width() - 260;
    auto *name = Place<TQRLabel>(title, right, 0, 260, QStringLiteral("QRMeno"));
    name->Font().setPointSize(14);
    int line = 0;
    for (const char *n : {"QRAdresa", "QRPSC", "QRMesto"}) {
        auto *l = Place<TQRLabel>(title, right, 24 + 16 * line++, 260, QLatin1String(n));
        l->Font().setItalic(true);
        l->Alignment = Qt::AlignRight;
    }
    auto *rule = Place<TQRShape>(title, 0, 76, Width());
    rule->Shape = qrsHorLine;
    rule->Height = 2;
    for (const char *f : {"ODBERATEL", "ULICA"})
        text(title, f, 380, 86 + 16 * (f[0] == 'U'), 300)->Font().setBold(true);
    text(title, "PSC", 380, 118, 50)->Font().setBold(true);
    text(title, "MESTO", 430, 118, 250)->Font().setBold(true);
    text(title, "D_VYSTAV", 0, 118, 100);
    auto *number = label(title, "Cenová ponuka č.", 0, 150, 150);
    number->Font().setBold(true);
    number->Font().setPointSize(12);
    auto *offer = text(title, "C_OBJ", 160, 150, 200);
    offer->Font().setBold(true);
    offer->Font().setPointSize(12);
    QReMemo1 = Place<TQRMemo>(title, 0, 180, Width(), QStringLiteral("QReMemo1"));
    QReMemo1->AutoStretch = true;

    TQRBand *columns = AddBand(rbColumnHeader, QStringLiteral("ColumnHeaderBand"));
    columns->Height = 36;
    columns->Font().setItalic(true);
    const double lefts[] = {0, 110, 220, 300, 370, 470, 560};
    const char *first[] = {"č.Výrobku",   "č.Výkresu", "Materiál",          "Množstvo",
                           "Doba výroby", "Cena/ks",   "Cena celk. bez DPH"};
    for (int i = 0; i < 7; ++i)
        label(columns, first[i], lefts[i], 2, i == 6 ? 140 : 90);
    label(columns, "Názov", 0, 18);
    label(columns, "Cena 1kg", 220, 18);
    label(columns, "Hmotnosť/ks", 300, 18);
    // The column titles only above rows.
    columns->BeforePrint = [this](TQRBand *, bool &print) { print = DataSet() && !DataSet()->IsEmpty(); };

    TQRBand *detail = AddBand(rbDetail, QStringLiteral("DetailBand"));
    detail->Height = 34;
    detail->Font().setPointSize(8);
    text(detail, "C_VYR", 0, 2, 105);
    text(detail, "C_VYKRESU", 110, 2, 105);
    text(detail, "MATERIAL", 220, 2, 75);
    text(detail, "MNOZ_OBJ", 300, 2, 60);
    text(detail, "DODANIE", 370, 2, 90);
    expr(detail, QStringLiteral("CENA1"), "####0.00", 470, 2, 80);
    expr(detail, QStringLiteral("CENA1*MNOZ_OBJ"), "#### ##0.00", 560, 2, 140);
    text(detail, "NAZOV", 0, 18, 215);
    expr(detail, QStringLiteral("CENA_MAT"), "###0.00", 220, 18, 70);
    text(detail, "VAHA1", 300, 18, 60);

    TQRBand *summary = AddBand(rbSummary, QStringLiteral("SummaryBand"));
    summary->Height = 120;
    label(summary, "Spolu bez DPH", 400, 4, 140)->Font().setBold(true);
    expr(summary, QStringLiteral("sum(CENA1*MNOZ_OBJ)"), "#### ##0.00", 560, 4, 140)->Font().setBold(true);
    label(summary, "Platobné podmienky", 0, 28, 140);
    text(summary, "PLAT_PODM", 150, 28, 500);
    label(summary, "Dodacie podmienky", 0, 44, 140);
    text(summary, "DOD_PODM", 150, 44, 500);
    label(summary, "Technické podmienky", 0, 60, 140);
    text(summary, "TECH_PODM", 150, 60, 500);
    QReMemo2 = Place<TQRMemo>(summary, 0, 84, Width(), QStringLiteral("QReMemo2"));
    QReMemo2->AutoStretch = true;
}

void PrintOffer(const QString &offer)
{
    DMOdbyt->OpenOfferPrint(offer);
    if (RunReportFile(QStringLiteral("ponuka.xrep"), &DMZal->QTlac))
        return;
    if (!report)
        CreateReport(report, &CompanyList);
    report->setDataSet(&DMZal->QTlac);
    if (!EditTemplate(QString::fromUtf8("Cenová ponuka č.") + offer, QStringLiteral("ponuka.txt")))
        return;
    int line = 0;
    ReadTemplateSection(report->QReMemo1, line);
    ReadTemplateSection(report->QReMemo2, line);
    PrintReport(report);
}
