// Plain text printed straight onto the printer's pages, piece by piece with word wrap, for texts that
// need no designed report (internal messages).
#pragma once

#include <QPainter>
#include <QString>
#include <memory>

class QPagedPaintDevice;

// One print job of plain text on a paged device (a printer or a PDF writer).
class TTextPrint {
public:
    // Begins the job; throws Exception when the device cannot be painted on.
    TTextPrint(QPagedPaintDevice *device, int pointSize = 12);
    ~TTextPrint();
    // Prints the text at the pen from its left edge to the page's right edge, wrapping words. Lines that
    // do not fit on the page go on at the top of the next one. NewLine moves the pen below the text;
    // otherwise it stays on the line, after the text's one-line width.
    void PrintText(const QString &text, bool newLine);
    void End();

    QPointF Pen() const { return pen_; }
    int PageCount() const { return pages_; }
    QSizeF PageSize() const;

private:
    void newPage();
    QPagedPaintDevice *device_;
    QPainter painter_;
    QPointF pen_;
    int pages_ = 1;
};

// Shows the print dialog; on OK begins a job titled JobTitle on Printer() with the chosen copies, the
// pen at the top left and a 12 point font. False when cancelled: then no job is started.
bool PrintTextDialog(const QString &jobTitle);
// Begins the job without the dialog, on Printer() as it is set.
void BeginTextPrint(const QString &jobTitle);
// One piece of text of the job begun by PrintTextDialog; nothing without a job.
void PrintTextPage(const QString &text, bool newLine);
// Ends the job and sets the printer back to one copy.
void EndTextPrint();
// Whether a text job is open.
bool TextPrintActive();
