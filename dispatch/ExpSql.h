// The statements of the dispatch module (delivery notes, invoices, the finished-goods store), each a
// named constant; All() lists them for the test that prepares every one on a fresh database.
#pragma once

#include <QString>
#include <QStringList>

namespace ExpSql {
// ---- the delivery-note header and lines (kept in lines: the forms replace the WHERE line, index 2)
extern const QStringList HeaderSelect, HeaderInsert, HeaderModify, HeaderDelete, HeaderRefresh;
extern const QStringList LineSelect, LineInsert, LineModify, LineDelete, LineRefresh;
// Every item's stock per store as of the end of :kdatumu, in five lines (the WHERE line is index 3).
extern const QStringList StockAsOfDate;
// The WHERE conditions of the stock query: every item, and one product (:C_POL).
extern const QString StockBaseCondition;
extern const QString StockOfProductCondition;

// ---- the rules of a note
extern const QString JobForLine;
// The cost columns of a job's calculation, as a line of a note carries them.
extern const QString JobCosts;
extern const QString TakeOverOfCustomer; // the open jobs of a customer (:c_odb)
extern const QString TakeOverOfOrder;    // the jobs of an order (:c_obj)
extern const QString JobHeader;
extern const QString JobsToClose;
extern const QString ReceivedBy;
// The print of a note with the currency label and the price factor (label and factor are fixed texts of
// the three price modes, never typed ones).
QString DeliveryNotePrint(const QString &currencyLabel, const QString &factor);

// ---- invoices
extern const QString InvoiceValues;
extern const QString StoreDueDate; // the due date the invoice of a note was exported with
extern const QString InvoiceLines;
extern const QString CustomerByIco;
extern const QString CustomerByNumber;
extern const QString InvoiceNumberOfNote;
extern const QString InvoicesOfCustomer;
extern const QString LastInvoiceNumber;
// The print of an invoice with the VAT rate (a number the program formats); its due date is the one
// exported, issue date + 14 days for a note invoiced without one.
QString InvoicePrint(double vatRate);

// ---- the finished-goods store's detail tabs (:c_pol from the current stock row)
extern const QStringList StoreHandOvers, StoreDeliveryNotes, StoreOrders;
// The store's filter entries (name=condition with "?" for the typed value).
extern const QStringList StoreFilters;

// ---- the note dialog
extern const QString OrderOfJob;
extern const QString EarlierOpenJobs;
extern const QString JobProgress;
// ---- the browser: its selections (WHERE lines of HeaderSelect) and the overview query
extern const QStringList NoteSelections;
struct TOverviewView {
    const char *Name;
    const char *Head;
    const char *Last;
    const char *GroupField;
};
extern const TOverviewView OverviewViews[8];
extern const QString OverviewDetailColumns, OverviewSummaryColumns, OverviewFrom, OverviewWhere;

QStringList All();
} // namespace ExpSql
