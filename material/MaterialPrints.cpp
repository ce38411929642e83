#include "MaterialPrints.h"

#include "DMMTZ.h"
#include "MDokladQRRep.h"
#include "MKartaKQRRep.h"
#include "MKartaQRRep.h"
#include "MObjednavkaQRRep.h"
#include "MPohybyQR1Rep.h"
#include "MSkladQRRep.h"
#include "MTZSql.h"
#include "MaterialRules.h"
#include "shell/DMZal.h"
#include "shell/Routines.h"
#include "library/QTlacForm.h"
#include "library/xQuery.h"
#include "platform/os/Clock.h"
#include "platform/os/Format.h"

namespace {

TxQuery *printQuery(const QString &sql, const QVariantList &params)
{
    return OpenQuery(sql, params, QStringLiteral("QTlac"));
}

// The report of class T for the run, made on first use, bound to the rows.
template <class T> T *boundReport(TDataSet *rows)
{
    static T *report = nullptr;
    if (!report)
        CreateReport(report, &CompanyList);
    report->setDataSet(rows);
    return report;
}

// Prints the report over the print query, which is closed afterwards whatever happens.
bool printAndClose(TQuickRep *report, TxQuery *rows)
{
    struct Closer {
        TxQuery *q;
        ~Closer() { q->Close(); }
    } closer{rows};
    return PrintReport(report);
}

void printDocument(const QString &sql, const QVariantList &params, int kind)
{
    TxQuery *q = printQuery(sql, params);
    printAndClose(StockDocumentReport(q, kind), q);
}

} // namespace

TMDokladQRRep *StockDocumentReport(TDataSet *rows, int kind)
{
    TMDokladQRRep *report = boundReport<TMDokladQRRep>(rows);
    report->SetKind(kind);
    return report;
}

TMObjednavkaQRRep *PurchaseOrderReport(TDataSet *rows)
{
    TMObjednavkaQRRep *report = boundReport<TMObjednavkaQRRep>(rows);
    TField *placedBy = rows->Active() && !rows->IsEmpty() ? rows->FindField(QStringLiteral("F_OBJ")) : nullptr;
    report->SetClosing(PurchaseOrderClosing(placedBy ? placedBy->AsString() : QString()));
    return report;
}

TMSkladQRRep *StockListReport(TDataSet *rows, const QDate &asOf)
{
    TMSkladQRRep *report = boundReport<TMSkladQRRep>(rows);
    report->SetDate(asOf);
    return report;
}

TMPohybyQR1Rep *MovementsListReport(TDataSet *rows, const QString &grouping)
{
    TMPohybyQR1Rep *report = boundReport<TMPohybyQR1Rep>(rows);
    report->SetGrouping(grouping);
    return report;
}

TMKartaQRRep *StockCardReport(TDataSet *rows)
{
    return boundReport<TMKartaQRRep>(rows);
}

TMKartaKQRRep *ToolCardReport(TDataSet *rows, const QString &item)
{
    QStringList jobs;
    TxQuery *q = OpenQuery(MTZSql::ToolCardJobs, {item});
    for (; !q->Eof(); q->Next())
        jobs << ToolCardJobLine(q->FieldByName(QStringLiteral("C_INT"))->AsInteger(),
                                q->FieldByName(QStringLiteral("MNOZ_ODV"))->AsFloat(),
                                q->FieldByName(QStringLiteral("ROZMER"))->AsString());
    q->Close();
    TMKartaKQRRep *report = boundReport<TMKartaKQRRep>(rows);
    report->SetJobs(jobs);
    return report;
}

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
    printAndClose(StockListReport(rows, asOf), rows);
}

void PrintStockCard(const QString &item)
{
    TxQuery *q = printQuery(MTZSql::StockCard, {item});
    printAndClose(StockCardReport(q), q);
}

void PrintToolCard(const QString &item)
{
    TxQuery *q = printQuery(MTZSql::ToolCard, {item});
    printAndClose(ToolCardReport(q, item), q);
}

QStringList PurchaseOrderClosing(const QString &placedBy)
{
    const QString how = placedBy.trimmed();
    if (!how.isEmpty() && QString::fromUtf8("telefónom,e-mailom,internetom").contains(how))
        return {QString::fromUtf8("Objednávka zrealizovaná %1").arg(how), QString::fromUtf8("Akceptácia dodávateľa"),
                QStringLiteral("ANO               NIE"), QString(), QString()};
    return {QString::fromUtf8("Potvrdenie objednávky"), QString::fromUtf8("Dátum"), QStringLiteral("Podpis"),
            QString::fromUtf8("Pečiatka"), QString::fromUtf8("Potvrdenú objednávku prosíme zaslať späť!")};
}

bool PrintPurchaseOrder(const QString &order)
{
    TxQuery *q = printQuery(MTZSql::PurchaseOrderPrint, {order});
    return printAndClose(PurchaseOrderReport(q), q);
}
