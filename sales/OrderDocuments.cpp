#include "OrderDocuments.h"

#include "DMOdbyt.h"
#include "QRTlacIntObj.h"
#include "QRTlacIntObjBack.h"
#include "QRTlacPreskObj.h"
#include "QRTlacZakazky.h"
#include "shell/MenuHooks.h"
#include "ZakPotObjQRRep.h"
#include "ZakSql.h"
#include "ZakZmlQRRep.h"
#include "library/QTlacForm.h"
#include "library/QTlacTemplForm.h"
#include "shell/DMZal.h"
#include "shell/Routines.h"

#include <memory>

namespace {

// Fills the print query with the statement and its one parameter.
TxQuery &fillPrintQuery(const QString &sql, const QVariant &param)
{
    TxQuery &q = DMZal->QTlac;
    q.Close();
    q.SetDataSource(nullptr);
    q.SelectValue(sql, {param});
    return q;
}

TQRTlacIntObjBack *backPage = nullptr;

} // namespace

void PrintInternalOrder(int cInt)
{
    if (!QRTlacIntObj) {
        auto report = std::make_unique<TQRTlacIntObj>();
        QRTlacIntObj = report.get();
        AdoptApplicationReport(std::move(report));
        QRTlacIntObj->AfterPrint = [](TQuickRep *) {
            if (QRTlacIntObj->Job != 0)
                DMZal->SetOrderState(QRTlacIntObj->Job, stTlacena, 0);
        };
    }
    TQRTlacIntObj &report = *QRTlacIntObj;
    report.SetMoneyMasks(MoneyFormat);
    QList<QPair<QString, double>> operations;
    TxQuery &ops = fillPrintQuery(ZakSql::InternalOrderOperations, cInt);
    for (; !ops.Eof(); ops.Next())
        operations.append({ops.Fields(0)->AsString().trimmed(), ops.Fields(1)->AsFloat()});
    report.SetOperations(operations);
    report.setDataSet(&fillPrintQuery(ZakSql::InternalOrderJob, cInt));
    report.Job = cInt;
    PreviewReport(&report);
}

void PreviewInternalOrderBack()
{
    if (!backPage) {
        auto report = std::make_unique<TQRTlacIntObjBack>();
        backPage = report.get();
        AdoptApplicationReport(std::move(report));
    }
    PreviewReport(backPage);
}

void PrintOrderReview(const QString &order)
{
    if (!QRTlacPreskObj) {
        CreateReport(QRTlacPreskObj);
        for (const char *name : {"QRlISO1", "QRlISO2"})
            if (auto *label = QRTlacPreskObj->Find<TQRLabel>(QString::fromLatin1(name)))
                label->Caption.clear();
    }
    QRTlacPreskObj->setDataSet(&fillPrintQuery(ZakSql::OrderReview, order));
    PrintReport(QRTlacPreskObj);
}

void PreviewOrderList()
{
    if (!QRTlacZakazky) {
        auto report = std::make_unique<TQRTlacZakazky>();
        QRTlacZakazky = report.get();
        AdoptApplicationReport(std::move(report));
    }
    // The report outlives the data module it was made with (a later start of the program makes a new one).
    QRTlacZakazky->setDataSet(&DMOdbyt->QvZakazky);
    PreviewReport(QRTlacZakazky);
}

void PrintContract(const QString &order)
{
    if (!ZakZmlQRRep)
        CreateReport(ZakZmlQRRep);
    if (!EditTemplate(QString::fromUtf8("Kúpna zmluva k objednávke č.") + order, QStringLiteral("zmluva.txt")))
        return;
    int line = 0;
    ReadTemplateSection(ZakZmlQRRep->QReMemo1, line);
    ReadTemplateSection(ZakZmlQRRep->QReMemo2, line);
    ZakZmlQRRep->setDataSet(&fillPrintQuery(ZakSql::OrderContract, order));
    ZakZmlQRRep->QRlpDPH->Caption = DPH + QLatin1Char('%');
    PrintReport(ZakZmlQRRep);
}

void PrintOrderConfirmation(const QString &order)
{
    if (!ZakPotObjQRRep)
        CreateReport(ZakPotObjQRRep, &CompanyList);
    ZakPotObjQRRep->setDataSet(&fillPrintQuery(ZakSql::OrderConfirmation, order));
    PrintReport(ZakPotObjQRRep);
}
