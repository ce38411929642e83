// The prints of the stores: stock documents of the current movement, the stock list as of a date, the
// stock card and the tool card of an item, and the purchase order; each a column report of its statement
// printed through the print dialog.
#pragma once

#include <QString>

// The document of the current movement's kind, store and number in its month / on its day.
void PrintStockDocumentForMonth();
void PrintStockDocumentForDay();
// Asks for the date; with onlyStock the rows without stock, lent or at-repair quantity are left out.
void PrintStockInventory(bool onlyStock);
void PrintStockCard(const QString &item);
void PrintToolCard(const QString &item);
// True when the order went to the printer.
bool PrintPurchaseOrder(const QString &order);
