#include "SMzdyQRAllForm.h"

#include "platform/report/DataSetCursor.h"
#include "platform/report/QRControls.h"

TSMzdyQRAllForm::TSMzdyQRAllForm()
{
    RegisterDataSetCursor();
    Rep.Name = QStringLiteral("SMzdyQRAllForm");
    Rep.ReportTitle = QStringLiteral("Mzdy zamestnancov");
    TQRBand *title = Rep.AddBand(rbTitle, QStringLiteral("TitleBand"));
    MonthLabel = title->Add<TQRLabel>(QStringLiteral("QRlMesiac"));
    TQRBand *header = Rep.AddBand(rbColumnHeader, QStringLiteral("ColumnHeaderBand"));
    TQRBand *detail = Rep.AddBand(rbDetail, QStringLiteral("DetailBand"));
    TQRBand *summary = Rep.AddBand(rbSummary, QStringLiteral("SummaryBand"));
    summary->Add<TQRLabel>()->Caption = QStringLiteral("Spolu");
    // The premium percentage of the design has no column in the wage record: it is left out.
    struct Column {
        const char *caption, *field, *mask;
        bool summed;
        double width;
    };
    const Column columns[] = {{"Os.číslo", "OSC", "", false, 60},
                              {"Meno", "PRIEZVISKO", "", false, 110},
                              {"Výkonová mzda", "MZDA_VYK", "### ###.00", true, 100},
                              {"Mzda/hod.", "MZDA_HOD", "###.00", false, 85},
                              {"Prémie", "PREMIE", "#####.00", true, 70},
                              {"Mzda celkom", "Mzda_celkom", "### ###.00", true, 90},
                              {"Réžijná mzda", "MZDA_REZ", "### ###.00", true, 95}};
    // A caption as wide as its column, over the amounts at their right edge.
    double left = 0;
    for (const Column &c : columns) {
        auto *l = header->Add<TQRLabel>();
        l->Caption = QString::fromUtf8(c.caption);
        l->Left = left;
        l->Width = c.width - 4;
        if (*c.mask)
            l->Alignment = Qt::AlignRight;
        auto *t = detail->Add<TQRDBText>();
        t->DataField = QString::fromLatin1(c.field);
        t->Mask = QString::fromLatin1(c.mask);
        t->Left = left;
        t->Width = c.width - 4;
        if (*c.mask)
            t->Alignment = Qt::AlignRight;
        if (c.summed) {
            auto *e = summary->Add<TQRExpr>();
            e->setExpression(QStringLiteral("SUM(%1)").arg(QLatin1String(c.field)));
            e->Mask = QStringLiteral("### ###.00");
            e->Left = left;
            e->Width = c.width - 4;
            e->Alignment = Qt::AlignRight;
        }
        left += c.width;
    }
}

void TSMzdyQRAllForm::SetMonth(int year, int month)
{
    MonthLabel->Caption = QStringLiteral("Mzdy zamestnancov za %1/%2").arg(month, 2, 10, QLatin1Char('0')).arg(year);
}
