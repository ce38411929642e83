// The prints of the stores: stock documents of the current movement, the stock list as of a date, the
// stock card and the tool card of an item, and the purchase order; each a column report of its statement
// printed through the print dialog.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>

class TDataSet;
class TQuickRep;

// The document of the current movement's kind, store and number in its month / on its day.
void PrintStockDocumentForMonth();
void PrintStockDocumentForDay();
// Asks for the date; with onlyStock the rows without stock, lent or at-repair quantity are left out.
void PrintStockInventory(bool onlyStock);
void PrintStockCard(const QString &item);
void PrintToolCard(const QString &item);
// True when the order went to the printer.
bool PrintPurchaseOrder(const QString &order);
// The closing block of a purchase order by how it was placed: an order placed by telephone, e-mail or
// the internet asks the supplier to accept it, any other asks for the confirmed order back.
QStringList PurchaseOrderClosing(const QString &placedBy);
// The purchase order's report over its rows (the data set of PurchaseOrderPrint): the lines, the summary
// (issuer, note, delivery date, signature) and the closing block.
std::unique_ptr<TQuickRep> MakePurchaseOrderReport(TDataSet *rows, const QString &order);
