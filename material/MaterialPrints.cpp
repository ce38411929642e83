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
#include "platform/report/QRBand.h"
#include "platform/report/QRControls.h"
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

QStringList PurchaseOrderClosing(const QString &placedBy)
{
    const QString how = placedBy.trimmed();
    if (!how.isEmpty() && QString::fromUtf8("telefónom,e-mailom,internetom").contains(how))
        return {QString::fromUtf8("Objednávka zrealizovaná %1").arg(how), QString::fromUtf8("Akceptácia dodávateľa"),
                QStringLiteral("ANO               NIE"), QString(), QString()};
    return {QString::fromUtf8("Potvrdenie objednávky"), QString::fromUtf8("Dátum"), QStringLiteral("Podpis"),
            QString::fromUtf8("Pečiatka"), QString::fromUtf8("Potvrdenú objednávku prosíme zaslať späť!")};
}

std::unique_ptr<TQuickRep> MakePurchaseOrderReport(TDataSet *rows, const QString &order)
{
    std::unique_ptr<TQuickRep> report = MakeGridReport(rows, QString::fromUtf8("Objednávka č. ") + order, 9);
    TQRBand *summary = report->SetHasBand(rbSummary, true);
    const auto text = [rows](const char *name) {
        TField *f = rows && rows->Active() && !rows->IsEmpty() ? rows->FindField(QString::fromLatin1(name)) : nullptr;
        return f ? f->DisplayText().trimmed() : QString();
    };
    QStringList lines{QString::fromUtf8("Vystavil: %1   dňa %2").arg(text("VYSTAVIL"), text("D_VYSTAV")),
                      QString::fromUtf8("Poznámka: %1").arg(text("POZNAMKA")),
                      QString::fromUtf8("Dodacia lehota do: %1").arg(text("D_DODANIA")),
                      QString::fromUtf8("Podpis:            Pečiatka:"), QString()};
    lines << PurchaseOrderClosing(text("F_OBJ"));
    double top = 8;
    for (const QString &line : lines) {
        auto *label = summary->Add<TQRLabel>();
        label->Left = 8;
        label->Top = top;
        label->Caption = line;
        top += 16;
    }
    summary->Height = top + 8;
    return report;
}

bool PrintPurchaseOrder(const QString &order)
{
    TxQuery *q = printQuery(MTZSql::PurchaseOrderPrint, {order});
    std::unique_ptr<TQuickRep> report = MakePurchaseOrderReport(q, order);
    const bool printed = PrintReport(report.get());
    q->Close();
    return printed;
}
