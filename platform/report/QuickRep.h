// The banded report: bands and controls over a cursor of rows, laid out by prepare() into pages of
// positioned items, which are then painted on the screen, printed, written to PDF or exported.
// Sizes and positions are report units (96 to the inch); margins are millimetres.
#pragma once

#include "platform/report/QRBand.h"
#include "platform/report/QRPage.h"
#include "platform/report/ReportCursor.h"

#include <QPageLayout>
#include <QPageSize>
#include <functional>
#include <memory>
#include <vector>

class QPainter;
class QPrinter;
class TDataSet;
class TQRExportFilter;

struct TQRPageSetup {
    QPageSize::PageSizeId PaperSize = QPageSize::A4;
    QPageLayout::Orientation Orientation = QPageLayout::Portrait;
    double LeftMargin = 10, RightMargin = 10, TopMargin = 10, BottomMargin = 10; // mm
    int Columns = 1;        // detail records in this many columns, down then across
    double ColumnSpace = 0; // mm between columns
};

struct TQRPrinterSettings {
    int Copies = 1;
    int FirstPage = 0; // 0: from the first page
    int LastPage = 0;  // 0: to the last page
    QString PrinterName;
};

class TQuickRep {
public:
    TQuickRep();
    virtual ~TQuickRep();
    TQuickRep(const TQuickRep &) = delete;
    TQuickRep &operator=(const TQuickRep &) = delete;

    QString Name;
    QString ReportTitle;
    QFont Font;
    TQRPageSetup Page;
    TQRPrinterSettings PrinterSettings;
    bool PrintIfEmpty = true;
    int Tag = 0;
    // Before the layout: PrintReport false cancels the run. After it: the report has been produced.
    std::function<void(TQuickRep *sender, bool &PrintReport)> BeforePrint;
    std::function<void(TQuickRep *sender)> AfterPrint;

    // The rows. The cursor is not owned. The program's data sets come in through an adapter that the
    // DataSet slot calls (set once at start), so the engine needs no data-set code of its own.
    void setCursor(ReportCursor *cursor) { cursor_ = cursor; }
    ReportCursor *cursor() const { return cursor_; }
    TDataSet *DataSet() const { return dataSet_; }
    void setDataSet(TDataSet *dataSet);
    static void setDataSetAdapter(std::function<std::unique_ptr<ReportCursor>(TDataSet *)> adapter);

    // Bands, in the order they were added; groups nest outer to inner in that order.
    TQRBand *AddBand(TQRBandType type, const QString &name = {});
    TQRGroup *AddGroup(const QString &name, const QString &expression);
    TQRBand *AddChildBand(TQRBand *parent, const QString &name = {});
    TQRBand *Band(TQRBandType type) const; // the first of that type, or null
    // Switches a fixed band (title, page header, column header, detail, summary, page footer) on or off,
    // making it on first use.
    TQRBand *SetHasBand(TQRBandType type, bool on);
    const std::vector<std::unique_ptr<TQRBand>> &Bands() const { return bands_; }

    // Named expressions usable in the report's expressions.
    void AddFunction(const QString &name, const QString &expression);

    // Any band or control by name (case-insensitive), or null.
    TQRComponent *FindComponent(const QString &name) const;
    template <class T> T *Find(const QString &name) const { return dynamic_cast<T *>(FindComponent(name)); }

    // Paper and printable area in report units.
    QSizeF PaperSizeUnits() const;
    double Width() const; // the width between the margins, which bands span

    // Lays the report out into pages. Throws what controls and events throw.
    int prepare();
    const std::vector<TQRPage> &Pages() const { return pages_; }
    int PageCount() const { return int(pages_.size()); }

    // Painters over the prepared pages. scale: device pixels per report unit.
    // Each output lays the report out anew unless prepareFirst is false (the preview prints the pages
    // it shows); reports are kept and refilled, so old pages must not go out again.
    static void paintPage(QPainter &painter, const TQRPage &page, double scale);
    void printToPdf(const QString &fileName, bool prepareFirst = true);
    // Copies, and the page range of PrinterSettings narrowed by the printer's own range.
    void print(QPrinter &printer, bool prepareFirst = true);
    // Hands the text items of every page to an export filter.
    void exportToFilter(TQRExportFilter &filter, bool prepareFirst = true);

private:
    struct Run;
    friend struct Run;
    ReportCursor *cursor_ = nullptr;
    TDataSet *dataSet_ = nullptr;
    std::unique_ptr<ReportCursor> ownedCursor_;
    std::vector<std::unique_ptr<TQRBand>> bands_;
    TQRFunctions functions_;
    std::vector<TQRPage> pages_;
};
