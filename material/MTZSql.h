// The statements of the material module (items, stores, movements, requests, suppliers and purchase
// orders), each a named constant; All() lists them for the test that prepares every one.
#pragma once

#include <QString>
#include <QStringList>

namespace MTZSql {
// ---- shared texts of the material side (the dispatch module reads the stock as of a date too)
// Five lines; line 3 is the WHERE line the forms replace. Parameters :typ_skladu, :kdatumu.
extern const QStringList StockAsOfDateSql;
// The WHERE line of the stock list as of a date; only the rows with stock, lent or at repair when asked.
QString StockInventoryWhere(bool onlyStock);
extern const QString ItemOrdersSql;
extern const QString ItemUsedInSql;
extern const QString ItemJobsSql;
extern const QString ItemStores;
// The mould data of the item list's current item, read apart from the item card's own rows.
extern const QString ItemMoulds;
extern const QString ItemMovements;
// ---- the rules of the data module
extern const QString LastDocumentNumber;
extern const QString DrawDocumentNumber;
extern const QString OtherMovementsOfDocument;
extern const QString NextMovementId;
extern const QString ItemStockRows;
extern const QString PurchaseOrderCount;
extern const QString LastOrderLine;
extern const QString JobProducedQuantity;
extern const QString RecalculateProducts;
// ---- movements browsed and printed
extern const QStringList MovementsView;      // four lines: select, from, where, order/group
extern const QStringList MovementsWithItems; // four lines, the where and order lines empty
extern const QString StockDocumentOfMonth;
extern const QString StockDocumentOfDay;
extern const QString StockCard;
extern const QString ToolCardJobs;
extern const QString ToolCard;
// The console's statement of a tool's usage; the item enters as a literal (the console asks only for
// the date).
QString ToolUsage(const QString &item);
// ---- purchase orders
extern const QStringList PurchaseOrderSelect, PurchaseOrderRefresh, PurchaseOrderInsert, PurchaseOrderModify,
    PurchaseOrderDelete;
extern const QString SupplierOrders;
extern const QString PurchaseOrderLines;
extern const QString PurchaseOrderPrint;
// ---- material requests
extern const QStringList RequestSelect, RequestRefresh, RequestInsert, RequestModify, RequestDelete;
extern const QString RebuildRequests;
// Summary of the requests per item with the metal still to be cast; %1 is the request filter.
QString RequestSummary(const QString &filter);
// Items below their minimum stock; the clauses follow the text (each starts with " and").
extern const QString BelowMinimum;
QStringList All();
} // namespace MTZSql
