// What a person checks on a printed page, over the pages the report engine laid out: no two texts of a line
// overlap or touch (they keep at least a blank apart, on paper and at every zoom of the preview), a barcode reads whole
// with its digits under it and nothing written over its bars, every text lies within the printable area (the paper
// inside the report's margins). Also the page as a picture, painted by the engine's own page painter.
#pragma once

#include "platform/report/QuickRep.h"

#include <QImage>
#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>

struct DocumentFault {
    QString rule; // what is wrong, in a few words
    int page = 0; // 1-based
    QString first, second;
    QString describe(const QString &document) const;
};

// Where a text item's text really is on the page, in report units: the item's rectangle narrowed to the text's
// advance in the item's font and alignment (blanks at either end put no ink on the paper), as tall as its
// lines. The advance is the widest of the paper's (a printer's resolution) and the screen preview's at every
// zoom from the whole page to twice the paper's size.
QRectF DrawnTextRect(const TQRItem &item);

// How two drawn texts stand on a line: apart (a blank or more between them, or not on one line), touching
// (closer than a blank of the larger font: they read as one word) or overlapping (their ink covers the same
// place).
enum class TextsMeet { Apart, Touch, Overlap };
TextsMeet TextsOnOneLine(const TQRItem &first, const QRectF &firstDrawn, const TQRItem &second,
                         const QRectF &secondDrawn);

// The faults of one prepared report, page by page. `barcodes` are the texts the report's barcodes (of its
// TQRAsBarcode controls) encode: each is looked for among the page pictures by its bars, and its digits among
// the texts.
QList<DocumentFault> DocumentFaults(const TQuickRep &report, const QStringList &barcodes = {});

// The page as painted by the engine, `scale` pixels per report unit on white.
QImage PagePicture(const TQRPage &page, double scale);
