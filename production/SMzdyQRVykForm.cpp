#include "SMzdyQRVykForm.h"

#include "platform/report/DataSetCursor.h"
#include "platform/report/QRControls.h"

const QList<QPair<QString, QString>> &TSMzdyQRVykForm::Columns()
{
    // The operation codes arrive trimmed from the statement, so 'SO' is never 'SO ' here.
    static const QList<QPair<QString, QString>> columns{
        {QStringLiteral("ODL"), QStringLiteral("sum(if(OPERACIA='ODL', MZDA, 0.0))")},
        {QStringLiteral("JAD"), QStringLiteral("sum(if((OPERACIA>'J0') and (OPERACIA<'J99'), MZDA, 0.0))")},
        {QString::fromUtf8("PÍL"), QStringLiteral("sum(if(OPERACIA='PIL',MZDA,0.0))")},
        {QStringLiteral("SO"), QStringLiteral("sum(if(OPERACIA='SO',MZDA,0.0))")},
        {QStringLiteral("VRT"), QStringLiteral("sum(if(OPERACIA='VRT',MZDA,0.0))")},
        {QStringLiteral("RO"), QStringLiteral("sum(if(OPERACIA='RO',MZDA,0.0))")},
        {QStringLiteral("ME"), QStringLiteral("sum(if(OPERACIA='ME',MZDA,0.0))")},
        {QStringLiteral("REZ"), QStringLiteral("sum(if(OPERACIA='REZ', MZDA, 0.0))")},
        {QStringLiteral("UPR"), QStringLiteral("sum(if(OPERACIA='UPR' or OPERACIA='POM', MZDA, 0.0))")},
        {QStringLiteral("EXP"), QStringLiteral("sum(if(OPERACIA='EXP', MZDA, 0.0))")},
        {QString(), QStringLiteral("sum(MZDA)")},
    };
    return columns;
}

TSMzdyQRVykForm::TSMzdyQRVykForm()
{
    RegisterDataSetCursor();
    Rep.Name = QStringLiteral("SMzdyQRVykForm");
    Rep.ReportTitle = QString::fromUtf8("Výkony pracovníkov po operáciach");
    TQRBand *title = Rep.AddBand(rbTitle, QStringLiteral("TitleBand"));
    title->Add<TQRLabel>()->Caption = Rep.ReportTitle;
    TQRBand *header = Rep.AddBand(rbColumnHeader, QStringLiteral("ColumnHeaderBand"));
    TQRGroup *group = Rep.AddGroup(QStringLiteral("QRGroup1"), QStringLiteral("OSC"));
    group->BeforePrint = [](TQRBand *, bool &print) { print = false; };
    Rep.SetHasBand(rbDetail, true)->Enabled = false; // no detail lines
    TQRBand *footer = Rep.AddBand(rbGroupFooter, QStringLiteral("GroupFooter1"));
    group->FooterBand = footer;
    TQRBand *summary = Rep.AddBand(rbSummary, QStringLiteral("SummaryBand"));
    summary->Add<TQRLabel>()->Caption = QStringLiteral("Spolu");
    double left = 0;
    for (const auto &[caption, field] : {std::pair{"Os.č.", "OSC"}, {"Priezvisko", "PRIEZVISKO"}, {"Meno", "MENO"}}) {
        auto *l = header->Add<TQRLabel>();
        l->Caption = QString::fromUtf8(caption);
        l->Left = left;
        auto *t = footer->Add<TQRDBText>();
        t->DataField = QString::fromLatin1(field);
        t->Left = left;
        left += field == std::string_view("OSC") ? 40 : 80;
    }
    // Each code stands right above its amounts, so a figure is read under its own operation.
    for (const auto &[caption, sum] : Columns()) {
        auto *l = header->Add<TQRLabel>();
        l->Caption = caption;
        l->Left = left;
        l->Width = 45;
        l->Alignment = Qt::AlignRight;
        for (TQRBand *band : {footer, summary}) {
            auto *e = band->Add<TQRExpr>();
            e->setExpression(sum);
            e->Left = left;
            e->Width = 45;
            e->Alignment = Qt::AlignRight;
            e->Mask = caption.isEmpty() && band == summary ? QStringLiteral("######") : QStringLiteral("#####");
        }
        left += 46;
    }
}
