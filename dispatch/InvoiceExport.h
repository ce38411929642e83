// The invoice of a delivery note without widgets: its values read from the database (base, VAT,
// advance, dates), the invoice-number proposal, and the accounting program's import file "export.txt"
// (Windows-1250 bytes, TAB-separated fields, CR LF records), written whole or not at all.
#pragma once

#include <QDate>
#include <QString>

// What the invoice dialog shows for a note when it opens.
struct TInvoiceValues {
    int CDl = 0;
    int COdb = 0;
    QString COdberatel;
    QString Ico; // eight digits, empty when the customer has none
    QString CObj, Doprava, FUhrady, Mena;
    QDate DObj, DVystav;
    double Kurz = 1;
    double Zaklad = 0, Dph = 0, Zaloha = 0;
    QDate DatumVystavenia, DatumSplatnosti; // the due date stored with the note, else today + the terms
    QString CFaktury;                       // the note's invoice number, empty when it has none
    bool NewCustomer = false;               // no earlier invoice of the customer: its block goes into the file
};

// Reads the note's invoice values with the VAT rate (a setting; EConvertError when it is no number).
TInvoiceValues ReadInvoiceValues(int cDl, const QString &vatRateSetting);
// Stores the due date of the note's invoice, the one its print shows.
void StoreInvoiceDueDate(int cDl, const QDate &due);
// VAT of a base at a rate in percent: the product rounded half to even to a whole number, then / 100.
double InvoiceVat(double base, double rate);
// A proposed invoice number: the prefix (a date format such as 'yyyy"/"', or a number typed so far whose
// digits at the end are dropped) followed by the next free four-digit sequence among the invoices.
QString ProposeInvoiceNumber(const QString &prefix);

// What the dialog holds when the invoice is exported; numbers are the dialog's texts.
struct TInvoiceExportInput {
    QString CDl, COdberatel, Ico, DatumVystavenia, DatumSplatnosti, DatumZdanPlnenia, CObj;
    QString TypDph = QStringLiteral("10");
    QString Zaklad, Dph;
    QString KurzZahr = QStringLiteral("1"), KurzSk = QStringLiteral("1");
    QString VatRate; // the VAT setting
    QString Iban;    // the company's IBAN
    int COdb = 0;
    bool NewCustomer = false;
    bool CopyLines = true;
};

// The export input of an invoice as its values read: amounts with two decimals, dates as the dialog shows
// them, the lines copied, the home currency's rates.
TInvoiceExportInput InvoiceExportInputOf(const TInvoiceValues &values, const QString &vatRateSetting);
// Builds the file's bytes. Every number is checked first: on a text that is no number the result is
// empty and error says which value is wrong.
QByteArray InvoiceExportBytes(const TInvoiceExportInput &input, QString *error);
// Writes the bytes into fileName through a temporary file renamed on success; false with the reason
// (nothing written, an older file left whole) on a bad number or a failed write.
bool WriteInvoiceExport(const TInvoiceExportInput &input, const QString &fileName, QString *error);
