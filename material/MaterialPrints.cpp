#include "MaterialPrints.h"

#include "DMMTZ.h"
#include "MTZSql.h"
#include "MaterialRules.h"
#include "shell/Routines.h"
#include "library/GridReport.h"
#include "library/QTlacForm.h"
#include "library/xQuery.h"
#include "platform/os/Clock.h"
#include "platform/os/Format.h"
#include "platform/report/QuickRep.h"

namespace {

TxQuery *printQuery(const QString &sql, const QVariantList &params)
{
    return OpenQuery(sql, params, QStringLiteral("QTlac"));
}

void printDocument(const QString &sql, const QVariantList &params, int kind)
{
    TxQuery *q = printQuery(MTZSql::StockDocumentPrint(sql), params);
    BuildGridReport(q, StockDocumentTitle(kind) + QStringLiteral(" - ") + StockDocumentKindName(kind), 9);
    q->Close();
}

} // namespace

void PrintStockDocumentForMonth()
{
    TxTable &m = DMMTZ->QMPohyby;
    if (!m.Active() || m.IsEmpty())
        return;
    const QDate date = m.FieldByName(QStringLiteral("DATUM"))->AsDateTime().date();
    const int kind = m.FieldByName(QStringLiteral("TYP_POHYBU"))->AsInteger();
    printDocument(MTZSql::StockDocumentOfMonth,
                  {date.year(), date.month(), kind, m.FieldByName(QStringLiteral("SKLAD"))->AsString(),
                   m.FieldByName(QStringLiteral("C_DOKLADU"))->AsInteger()},
                  kind);
}

void PrintStockDocumentForDay()
{
    TxTable &m = DMMTZ->QMPohyby;
    if (!m.Active() || m.IsEmpty())
        return;
    const int kind = m.FieldByName(QStringLiteral("TYP_POHYBU"))->AsInteger();
    printDocument(MTZSql::StockDocumentOfDay,
                  {m.FieldByName(QStringLiteral("DATUM"))->AsDateTime().date(), kind,
                   m.FieldByName(QStringLiteral("SKLAD"))->AsString(),
                   m.FieldByName(QStringLiteral("C_DOKLADU"))->AsInteger()},
                  kind);
}

void PrintStockInventory(bool onlyStock)
{
    TxQuery &q = DMMTZ->QvMSklady;
    QString text = DateToStr(Date());
    if (!InputQuery(QString::fromUtf8("Inventúrny súpis"), QString::fromUtf8("K dátumu :"), text))
        return;
    const QDate date = QLocale().toDate(text.trimmed(), QLocale().dateFormat(QLocale::ShortFormat));
    const QDate asOf = date.isValid() ? date : QDate::fromString(text.trimmed(), QStringLiteral("d.M.yyyy"));
    if (!asOf.isValid())
        throw EDatabaseError(QString::fromUtf8("Neplatný dátum: %1").arg(text));
    const QString storeType = q.ParamByName(QStringLiteral("typ_skladu")).Value.toString();
    if (!q.Active() || q.ParamByName(QStringLiteral("kdatumu")).Value.toDate() != asOf)
        DMMTZ->OpenStockAsOfDate(storeType, asOf);
    // The rows left out are filtered in the statement the report reads.
    QStringList lines = MTZSql::StockAsOfDateSql;
    lines[3] = MTZSql::StockInventoryWhere(onlyStock);
    TxQuery *rows = printQuery(lines.join(QLatin1Char('\n')), {storeType, asOf});
    BuildGridReport(rows, QString::fromUtf8("Súpis skladových zásob k ") + DateToStr(asOf), 8);
    rows->Close();
}

void PrintStockCard(const QString &item)
{
    TxQuery *q = printQuery(MTZSql::StockCard, {item});
    BuildGridReport(q, QString::fromUtf8("Skladová karta materiálu"), 8);
    q->Close();
}

void PrintToolCard(const QString &item)
{
    TxQuery *q = printQuery(MTZSql::ToolCard, {item});
    BuildGridReport(q, QString::fromUtf8("Karta náradia."), 8);
    q->Close();
}

bool PrintPurchaseOrder(const QString &order)
{
    TxQuery *q = printQuery(MTZSql::PurchaseOrderPrint, {order});
    std::unique_ptr<TQuickRep> report = MakeGridReport(q, QString::fromUtf8("Objednávka č. ") + order, 9);
    const bool printed = PrintReport(report.get());
    q->Close();
    return printed;
}
