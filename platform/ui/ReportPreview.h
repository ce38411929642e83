// The report preview window: the prepared pages at a chosen zoom, page by page, with print and export
// through the registered export filters.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QScrollArea;
class QSpinBox;
class TQuickRep;

class TReportPreview : public QDialog {
    Q_OBJECT
public:
    // Lays the report out when it has no pages yet.
    explicit TReportPreview(TQuickRep *report, QWidget *parent = nullptr);

    // The bar: first, previous, next and last page; print (asks in the print dialog), export, close.
    QPushButton *BtnFirst, *BtnPrior, *BtnNext, *BtnLast, *BtnPrint, *BtnExport, *BtnClose;

    int currentPage() const { return page_; }
    double zoom() const { return zoom_; }
    void showPage(int page);   // 1-based, clamped to the pages there are
    void setZoom(double zoom); // 1.0 is the paper's real size on a 96-dpi screen
    // The page as the window shows it.
    QImage renderPage(int page) const;

    // Print asks for the printer first; both throw what goes wrong (the buttons show it in the error box).
    void printReport();
    void exportReport();

    // Lays the report out and shows it modally.
    static void Preview(TQuickRep *report, QWidget *parent = nullptr);
    // Asks in the print dialog where the report goes (a printer, or a PDF file where no printer is set up)
    // and prints it there; false when the dialog was cancelled.
    static bool PrintInDialog(TQuickRep *report, QWidget *parent, bool prepareFirst);

private:
    void refresh();
    void fitScreen(QWidget *parent);
    TQuickRep *report_;
    int page_ = 1;
    double zoom_ = 1.0;
    QLabel *image_;
    QLabel *status_;
    QScrollArea *scroll_;
};
