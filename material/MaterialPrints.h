// The prints of the stores: stock documents of the current movement, the stock list as of a date, the
// stock card and the tool card of an item, and the purchase order, each through the print dialog.
#pragma once

#include <QString>
#include <QStringList>

class QDate;
class TDataSet;
class TMDokladQRRep;
class TMKartaKQRRep;
class TMKartaQRRep;
class TMObjednavkaQRRep;
class TMPohybyQR1Rep;
class TMSkladQRRep;

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

// The documents over their rows, each made once for the run with the company's logo, lines and signature.
// A stock document over movements with their items (a document of StockDocumentOfMonth or ...OfDay, or
// the movements form's list), titled by the movement kind.
TMDokladQRRep *StockDocumentReport(TDataSet *rows, int kind);
// A purchase order over the rows of PurchaseOrderPrint; its closing block by the first row's F_OBJ.
TMObjednavkaQRRep *PurchaseOrderReport(TDataSet *rows);
// The stock list over rows of StockAsOfDateSql as of the date.
TMSkladQRRep *StockListReport(TDataSet *rows, const QDate &asOf);
// The movements list over the movements form's statement: its movements one by one (no grouping), or
// its sums by the grouping's columns.
TMPohybyQR1Rep *MovementsListReport(TDataSet *rows, const QString &grouping);
// The stock card over the rows of StockCard of an item, a card for each store keeping it.
TMKartaQRRep *StockCardReport(TDataSet *rows);
// The tool card over the rows of ToolCard of the item, with the jobs cast with the tool.
TMKartaKQRRep *ToolCardReport(TDataSet *rows, const QString &item);
