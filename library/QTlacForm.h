// The print front end: CreateReport makes a report and stamps the company's logo, address lines and
// signature into it; PrintReport asks in the print dialog TQTlacForm where the report goes (printer,
// screen, data export, or a text file to edit), in which language, how many copies, summary only or not.
#pragma once

#include "library/xReporty.h"
#include "platform/os/Strings.h"
#include "platform/ui/Form.h"

#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QPrinter;
class TBitBtn;
class TDataSet;
class TQuickRep;

class TQTlacForm : public TForm {
    Q_OBJECT
public:
    explicit TQTlacForm(QWidget *owner = nullptr);

    QLabel *Label1;
    QLabel *lTitle;
    QCheckBox *cbSummary;
    QCheckBox *cbFile;
    QComboBox *cbJazyk;
    QComboBox *cbKopie;
    TBitBtn *BitBtnTlac;
    TBitBtn *BitBtnPozri;
    TBitBtn *BitBtn1;

    // The language is chosen only for the text to edit; it is offered while that box is ticked.
    void cbFileClick();
};

// The program's print dialog, made on first use.
TQTlacForm *QTlacForm();

// Puts into a report: the logo file into an empty image QRlogo (centred, stretched), each KEY=VALUE
// line into the caption of a label "QR" + KEY, and the signature file into an empty image QRpodpis.
// Missing files and components leave the report as designed.
void StampReport(TQuickRep *report, const TStringList *lines, const QString &logoFile, const QString &signatureFile);
// "logo.bmp" beside the program; "podpis.jpg" in the user's application-data folder.
QString LogoFileName();
QString SignatureFileName();

// Keeps a report made for the whole run; freed when the application ends.
void AdoptApplicationReport(std::unique_ptr<TQuickRep> report);

// Makes a report of class T owned by the application and stamps the logo, the address lines (may be
// null) and the signature into it. Its class is registered for translated copies.
template <class T> T *CreateReport(T *&report, const TStringList *lines = nullptr)
{
    RegisterReportClass<T>();
    auto made = std::make_unique<T>();
    report = made.get();
    AdoptApplicationReport(std::move(made));
    StampReport(report, lines, LogoFileName(), SignatureFileName());
    return report;
}

// Shows the print dialog for the report (its own title when Title is empty) and does what was chosen;
// true exactly when the dialog was left with the printer button.
bool PrintReport(TQuickRep *report, const QString &title = QString());
// PrintReport with the report bound to the data set for this one run.
bool PrintReportWithDataSet(TQuickRep *report, TDataSet *dataSet);

// The printer that reports and plain text go to: the system's default printer unless a report names
// one. A file name set on it (setOutputFileName) sends everything into that PDF file instead.
QPrinter &Printer();
// Prints the report on Printer() with its printer settings (copies, page range); where no printer is set
// up, asks in the print dialog as the preview does (a PDF file).
void PrintOnPrinter(TQuickRep *report);
