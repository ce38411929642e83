// TDMExp (global DMExp): the dispatch data module. The delivery-note headers and their cached lines, the
// finished-goods stock query, and every rule of a note: numbering and defaults, the take-over of a
// customer's or an order's undelivered jobs up to the stock, the loading of a job into a line, the stock
// checks, printing in three price modes and closing the delivered jobs.
#pragma once

#include "library/xDataSet.h"
#include "library/xQuery.h"
#include "platform/db/DataSource.h"
#include "platform/os/Strings.h"
#include "shell/ProposedNumber.h"

#include <QDate>
#include <QVariant>

class TEDListQRRep;
class TField;

// How a note number (two-digit year and a four-digit sequence) is shown and printed: 26/0003.
inline constexpr char NoteNumberFormat[] = "00\"/\"0000";
// A note number as the clerk reads it wherever the program names a note: 26/0003.
QString NoteNumberText(int cDl);

// The price modes of a printed note.
enum TNotePriceMode { pmWithoutPrices = 1, pmHomeCurrency = 2, pmNoteCurrency = 3 };

class TDMExp {
public:
    TDMExp();
    ~TDMExp();
    TDMExp(const TDMExp &) = delete;
    TDMExp &operator=(const TDMExp &) = delete;

    TxDataSet QEDListy; // headers, written at once; line 2 of the select is the forms' selection
    TDataSource DSEDListy;
    TDataSource DSEDListyD;
    TDataSource DSESklad;
    TxDataSet QEDListyD; // lines of the current header, cached
    TxQuery QESklad;     // the finished-goods stock as of a date

    // ---- operations (also used by the hand-overs of production)
    // A new, posted note for the customer and order of the job; its number, or 0 when there is no job.
    int NewDeliveryNoteForJob(int cInt, double kurz);
    // Adds a quantity of a product of a job to the current note and writes the lines at once; returns
    // "name - quantity ks" of the line.
    QString AddDeliveryNoteLine(const QString &sklad, const QString &cVyr, int cInt, int quantity, double cenaKurz1);
    // Prints a note (mode 1 without prices, 2 home currency, 3 the note's currency; others as 1), then
    // closes its delivered jobs whatever the print dialog did.
    void PrintDeliveryNote(int cDl, int mode);
    // Fills the print query DMZal->QTlac with the note's rows in the price mode and lays the report out;
    // returns the report (made on first use).
    TEDListQRRep *PrepareDeliveryNote(int cDl, int mode);
    // After printing: reports short deliveries and finishes fully delivered jobs (state 100).
    void CloseDeliveredJobs(int cDl);

    // ---- invoices
    // The invoice number proposed for a note: the next free one after the settings' prefix.
    static QString ProposedInvoiceNumber();
    // Stores the invoice number of the current note (empty: none). When the clerk kept the number proposed
    // to him and another workstation stored it meanwhile, the next free one is stored and he is told; a
    // number typed that another note holds is refused. On a refusal the note is left as it was.
    void StoreInvoiceNumber(const QString &number, const QString &proposed);
    TProposedNumber InvoiceNumber{QStringLiteral("C_FAKTURY"), QStringLiteral("UX_EDLISTY_CFAKTURY")};
    // A new note's number: taken meanwhile by another workstation, the next free one (unless lines wait).
    TProposedNumber NoteNumber{QStringLiteral("C_DL"), QStringLiteral("PK_EDLISTY")};

    // ---- rules used by the note dialog and the change handlers
    void TakeOverJobLines(const QString &sql, const QVariant &value, const QString &question);
    bool LocateFinishedGoodsStock(TField *product, TField *store);
    void LoadJobIntoLine(TField *field);
    void FillReceivedByList(TStringList &list);

    // ---- the finished-goods store
    // Reopens the stock as of the date with the store form's filter (empty: none) on the stock query's
    // own base condition.
    void OpenFinishedGoodsStock(const QDate &asOf, const QString &filterCondition = QString());
    // Closes the stock query and puts back its base condition and the date, so that a filter applied
    // next starts from the whole store (a line check may have narrowed it to one product).
    void PrepareStockFilter(const QDate &asOf);
    QDate StockDate() const { return stockDate_; }

    // ---- the browser's selections: entry 0..6 with the typed value
    void SelectNotes(int entry, const QString &value);

    // ---- the browser's overviews on the print query DMZal->QTlac: view 0..3 details, 4..7 summaries, within
    // the dates, narrowed by a typed job, customer number and product when given. Returns the group field.
    QString OpenOverview(int view, const QDate &from, const QDate &to, const QString &job, const QString &customer,
                         const QString &product);

    // ---- events
    void QEDListyAfterOpen(TDataSet *dataSet);
    void QEDListyNewRecord(TDataSet *dataSet);
    void QEDListyBeforeDelete(TDataSet *dataSet);
    void QEDListyDAfterOpen(TDataSet *dataSet);
    void QEDListyDNewRecord(TDataSet *dataSet);
    void QEDListyDBeforeDelete(TDataSet *dataSet);
    void EDListyC_ODBChange(TField *field);
    void EDListyC_OBJChange(TField *field);
    void EDListyDC_VYRChange(TField *field);
    void EDListyDMNOZ_VYRChange(TField *field);

    // Writes the cached lines (errors through the shared error handler).
    void ApplyLines();
    // Stores the note: header and lines in one savepoint (the dialog's save).
    void SaveNote();

private:
    TEDListQRRep *report_ = nullptr;
    QDate stockDate_;
    bool deletingNote_ = false;
};

extern TDMExp *DMExp;
