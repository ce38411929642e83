#include "platform/report/QuickRep.h"

#include "platform/os/Clock.h"
#include "platform/os/Exception.h"
#include "platform/report/QRExportFilter.h"

#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <algorithm>

namespace {

std::function<std::unique_ptr<ReportCursor>(TDataSet *)> &dataSetAdapter()
{
    static std::function<std::unique_ptr<ReportCursor>(TDataSet *)> adapter;
    return adapter;
}

// A run past this many records is taken for a cursor that never ends.
constexpr qint64 kMaxRecords = 50'000'000;

} // namespace

TQuickRep::TQuickRep()
{
    Font = QFont(QStringLiteral("Arial"));
    Font.setPointSizeF(10);
}

TQuickRep::~TQuickRep() = default;

void TQuickRep::setDataSet(TDataSet *dataSet)
{
    dataSet_ = dataSet;
    ownedCursor_.reset();
    cursor_ = nullptr;
    if (dataSet && dataSetAdapter()) {
        ownedCursor_ = dataSetAdapter()(dataSet);
        cursor_ = ownedCursor_.get();
    }
}

void TQuickRep::setDataSetAdapter(std::function<std::unique_ptr<ReportCursor>(TDataSet *)> adapter)
{
    dataSetAdapter() = std::move(adapter);
}

TQRBand *TQuickRep::AddBand(TQRBandType type, const QString &name)
{
    auto band = type == rbGroupHeader ? std::make_unique<TQRGroup>(this) : std::make_unique<TQRBand>(this, type);
    band->Name = name;
    bands_.push_back(std::move(band));
    return bands_.back().get();
}

TQRGroup *TQuickRep::AddGroup(const QString &name, const QString &expression)
{
    auto *group = static_cast<TQRGroup *>(AddBand(rbGroupHeader, name));
    group->setExpression(expression);
    return group;
}

TQRBand *TQuickRep::AddChildBand(TQRBand *parent, const QString &name)
{
    TQRBand *child = AddBand(rbChild, name);
    if (parent)
        parent->ChildBand = child;
    return child;
}

TQRBand *TQuickRep::Band(TQRBandType type) const
{
    for (const auto &b : bands_)
        if (b->BandType == type)
            return b.get();
    return nullptr;
}

TQRBand *TQuickRep::SetHasBand(TQRBandType type, bool on)
{
    TQRBand *band = Band(type);
    if (!band && on)
        band = AddBand(type);
    if (band)
        band->Enabled = on;
    return band;
}

void TQuickRep::AddFunction(const QString &name, const QString &expression)
{
    functions_.insert(name.toUpper(), std::make_shared<TQRExpression>(expression));
}

TQRComponent *TQuickRep::FindComponent(const QString &name) const
{
    for (const auto &b : bands_) {
        if (b->Name.compare(name, Qt::CaseInsensitive) == 0)
            return b.get();
        for (const auto &c : b->Controls)
            if (c->Name.compare(name, Qt::CaseInsensitive) == 0)
                return c.get();
    }
    return nullptr;
}

QSizeF TQuickRep::PaperSizeUnits() const
{
    QSizeF mm = QPageSize(Page.PaperSize).size(QPageSize::Millimeter);
    if (Page.Orientation == QPageLayout::Landscape)
        mm.transpose();
    return {MmToUnits(mm.width()), MmToUnits(mm.height())};
}

double TQuickRep::Width() const
{
    return PaperSizeUnits().width() - MmToUnits(Page.LeftMargin + Page.RightMargin);
}

// One layout run: walks the records and places the bands on pages.
struct TQuickRep::Run {
    TQuickRep &rep;
    TQRFieldInfo info;
    TQRRow row, prevRow;
    TQRContext ctx;
    std::vector<TQRPage> pages;
    QSizeF paper;
    double left = 0, top = 0, width = 0, bottomLimit = 0;
    double y = 0, contentTop = 0;
    int column = 0;
    double columnTop = 0, columnBottom = 0;
    bool inData = false;
    TQRBand *pageHeader = nullptr, *pageFooter = nullptr, *columnHeader = nullptr;
    std::vector<TQRGroup *> groups;
    std::vector<TQRExpr *> aggregates;

    explicit Run(TQuickRep &r) : rep(r)
    {
        ctx.Report = &rep;
        ctx.Functions = &rep.functions_;
        ctx.Now = Now();
        paper = rep.PaperSizeUnits();
        left = MmToUnits(rep.Page.LeftMargin);
        top = MmToUnits(rep.Page.TopMargin);
        width = rep.Width();
        pageHeader = enabled(rbPageHeader);
        pageFooter = enabled(rbPageFooter);
        columnHeader = enabled(rbColumnHeader);
        bottomLimit = paper.height() - MmToUnits(rep.Page.BottomMargin) - (pageFooter ? pageFooter->Height : 0);
        for (const auto &b : rep.bands_) {
            if (b->BandType == rbGroupHeader && b->Enabled)
                groups.push_back(static_cast<TQRGroup *>(b.get()));
            for (const auto &c : b->Controls)
                if (auto *e = dynamic_cast<TQRExpr *>(c.get()); e && e->expression().isAggregate()) {
                    e->expression().reset();
                    aggregates.push_back(e);
                }
        }
    }

    TQRBand *enabled(TQRBandType type) const
    {
        TQRBand *b = rep.Band(type);
        return b && b->Enabled ? b : nullptr;
    }

    void snapshot(ReportCursor &cursor)
    {
        row.info = &info;
        const int n = int(info.names.size());
        row.values.resize(n);
        row.texts.resize(n);
        for (int i = 0; i < n; ++i) {
            row.values[i] = cursor.value(i);
            row.texts[i] = cursor.displayText(i);
        }
    }

    double bandHeight(TQRBand *b) const
    {
        double h = b->Height;
        for (const auto &c : b->Controls)
            if (c->Enabled)
                h = std::max(h, c->Top + c->neededHeight(ctx));
        return h;
    }

    // The band's colour behind the rectangle.
    static void bandBackground(TQRBand *b, const QRectF &rect, TQRPage &page)
    {
        if (b->Color == QColor(Qt::white))
            return;
        TQRItem bg;
        bg.kind = TQRItem::Rect;
        bg.rect = rect;
        bg.filled = true;
        bg.background = b->Color;
        bg.color = b->Color;
        page.items.push_back(std::move(bg));
    }

    void produceBand(TQRBand *b, double x, double bandWidth, double h)
    {
        TQRPage &page = pages.back();
        const QRectF rect(x, y, bandWidth, h);
        bandBackground(b, rect, page);
        for (const auto &c : b->Controls)
            if (c->Enabled)
                c->produce(ctx, QPointF(x, y), page);
        b->produceFrame(rect, page);
    }

    void resetAggregatesOf(TQRBand *b)
    {
        if (!b)
            return;
        for (const auto &c : b->Controls)
            if (auto *e = dynamic_cast<TQRExpr *>(c.get()))
                e->expression().reset();
    }

    void startPage()
    {
        TQRPage page;
        page.number = int(pages.size()) + 1;
        page.size = paper;
        pages.push_back(std::move(page));
        ctx.PageNumber = pages.back().number;
        y = top;
        column = 0;
        contentTop = columnTop = columnBottom = y; // nothing breaks before the page's first band
        if (pageHeader)
            printBand(pageHeader, false);
        if (inData && columnHeader)
            printBand(columnHeader, false);
        contentTop = columnTop = columnBottom = y;
    }

    void endPage()
    {
        if (pageFooter) {
            const double saved[] = {y, columnTop, columnBottom};
            const int savedColumn = column;
            y = paper.height() - MmToUnits(rep.Page.BottomMargin) - pageFooter->Height;
            column = 0;
            columnBottom = y;
            printBand(pageFooter, false);
            y = saved[0];
            columnTop = saved[1];
            columnBottom = saved[2];
            column = savedColumn;
            resetAggregatesOf(pageFooter);
        }
    }

    void breakPage()
    {
        endPage();
        startPage();
    }

    // Places a band (and its child) at the current position; false when it was left out.
    bool printBand(TQRBand *b, bool canBreak = true, bool inColumns = false)
    {
        if (!b || !b->Enabled)
            return false;
        bool print = true;
        if (b->BeforePrint)
            b->BeforePrint(b, print);
        if (!print) {
            if (b->AfterPrint)
                b->AfterPrint(b, false);
            return false;
        }
        const int columns = std::max(1, rep.Page.Columns);
        bool columnar = inColumns && columns > 1;
        if (!columnar && (column > 0 || columnBottom > y)) {
            y = std::max(y, columnBottom);
            column = 0;
        }
        const double h = bandHeight(b);
        if (canBreak) {
            if (b->ForceNewPage && y > contentTop)
                breakPage();
            if (y + h > bottomLimit && y > contentTop) {
                if (columnar && column + 1 < columns) {
                    ++column;
                    y = columnTop;
                } else {
                    breakPage();
                }
            }
        }
        double x = left, bandWidth = width;
        if (columnar) {
            const double space = MmToUnits(rep.Page.ColumnSpace);
            bandWidth = (width - (columns - 1) * space) / columns;
            x = left + column * (bandWidth + space);
        }
        if (canBreak && y + h > bottomLimit && !overflowingMemos(b).empty()) {
            printOverPages(b, x, bandWidth);
            columnar = false;
        } else {
            produceBand(b, x, bandWidth, h);
            y += h;
        }
        if (columnar)
            columnBottom = std::max(columnBottom, y);
        else
            columnTop = columnBottom = y;
        if (b->AfterPrint)
            b->AfterPrint(b, true);
        if (b->ChildBand && b->ChildBand != b)
            printBand(b->ChildBand, canBreak, inColumns);
        return true;
    }

    // The stretched memos of a band that run below the bottom of the page.
    std::vector<TQRMemo *> overflowingMemos(TQRBand *b) const
    {
        std::vector<TQRMemo *> memos;
        for (const auto &c : b->Controls)
            if (auto *m = dynamic_cast<TQRMemo *>(c.get());
                m && m->Enabled && m->AutoStretch && y + m->Top + m->neededHeight(ctx) > bottomLimit)
                memos.push_back(m);
        return memos;
    }

    // A band taller than the page because its memos stretched over many lines: its controls print where
    // they stand, each such memo the lines that fit above the bottom, and the rest of its lines at the top
    // of the next pages, as many pages as they take. The next band follows the last line.
    void printOverPages(TQRBand *b, double x, double bandWidth)
    {
        struct Rest {
            TQRMemo *memo;
            int next, total;
        };
        std::vector<Rest> rests;
        const std::vector<TQRMemo *> overflowing = overflowingMemos(b);
        const double room = bottomLimit - y;
        TQRPage &page = pages.back();
        bandBackground(b, QRectF(x, y, bandWidth, room), page);
        for (const auto &c : b->Controls) {
            if (!c->Enabled)
                continue;
            auto *memo = dynamic_cast<TQRMemo *>(c.get());
            if (!memo || std::find(overflowing.begin(), overflowing.end(), memo) == overflowing.end()) {
                c->produce(ctx, QPointF(x, y), page);
                continue;
            }
            const int total = int(memo->printedLines(ctx).size());
            const int fit = std::clamp(int((room - memo->Top) / memo->lineHeight()), 0, total);
            if (fit > 0)
                memo->produceLines(ctx, QPointF(x, y), page, 0, fit);
            if (fit < total) // not only its blank height below the bottom
                rests.push_back({memo, fit, total});
        }
        b->produceFrame(QRectF(x, y, bandWidth, room), page);
        y = bottomLimit;
        // Every page takes a line of each memo at least, so the pages end with the longest memo's lines.
        while (!rests.empty()) {
            breakPage();
            double used = 0;
            for (auto it = rests.begin(); it != rests.end();) {
                const double lh = it->memo->lineHeight();
                const int n = std::min(std::max(1, int((bottomLimit - y) / lh)), it->total - it->next);
                it->memo->produceLines(ctx, QPointF(x, y - it->memo->Top), pages.back(), it->next, n);
                used = std::max(used, n * lh);
                it->next += n;
                it = it->next >= it->total ? rests.erase(it) : it + 1;
            }
            y += used;
        }
    }

    void groupFooters(size_t from)
    {
        const TQRRow current = row;
        row = prevRow; // a footer shows the last record of its group
        ctx.Row = &row;
        for (size_t g = groups.size(); g-- > from;) {
            printBand(groups[g]->FooterBand);
            resetAggregatesOf(groups[g]->FooterBand);
        }
        row = current;
        ctx.Row = &row;
    }

    void execute()
    {
        ReportCursor *cursor = rep.cursor_;
        bool hasRows = false;
        if (cursor) {
            for (int i = 0, n = cursor->fieldCount(); i < n; ++i) {
                info.names << cursor->fieldName(i);
                info.kinds << cursor->fieldKind(i);
                info.index.insert(cursor->fieldName(i).toUpper(), i);
            }
            cursor->first();
            hasRows = !cursor->eof();
        }
        if (!hasRows && !rep.PrintIfEmpty)
            return;
        if (hasRows) {
            // The title and the first page header show the first record, as headings of one-record
            // documents (contract numbers, job numbers) expect.
            snapshot(*cursor);
            ctx.Row = &row;
        }
        startPage();
        printBand(enabled(rbTitle));
        // The column header heads records: none without them, and on every page while they run.
        inData = hasRows;
        if (hasRows && columnHeader)
            printBand(columnHeader);
        TQRBand *detail = enabled(rbDetail);
        std::vector<QVariant> keys(groups.size()), prevKeys(groups.size());
        qint64 records = 0;
        if (hasRows) {
            ctx.Row = &row;
            for (; !cursor->eof(); cursor->next()) {
                if (++records > kMaxRecords)
                    throw Exception(QStringLiteral("Zostava má priveľa riadkov (viac ako %1)").arg(kMaxRecords));
                snapshot(*cursor);
                ctx.DetailNo = int(records);
                for (size_t g = 0; g < groups.size(); ++g)
                    keys[g] = groups[g]->key(ctx);
                size_t changed = 0;
                if (records > 1) {
                    changed = groups.size();
                    for (size_t g = 0; g < groups.size(); ++g)
                        if (!(keys[g] == prevKeys[g])) {
                            changed = g;
                            break;
                        }
                    if (changed < groups.size())
                        groupFooters(changed);
                }
                for (size_t g = changed; g < groups.size(); ++g)
                    printBand(groups[g]);
                for (TQRExpr *e : aggregates)
                    e->expression().accumulate(ctx);
                printBand(detail, true, true);
                prevRow = row;
                prevKeys = keys;
            }
            groupFooters(0);
        }
        inData = false;
        printBand(enabled(rbSummary));
        endPage();
    }
};

int TQuickRep::prepare()
{
    pages_.clear();
    bool go = true;
    if (BeforePrint)
        BeforePrint(this, go);
    if (!go)
        return 0;
    Run run(*this);
    run.execute();
    pages_ = std::move(run.pages);
    if (AfterPrint)
        AfterPrint(this);
    return PageCount();
}

void TQuickRep::paintPage(QPainter &painter, const TQRPage &page, double scale)
{
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const double dpi = painter.device() ? painter.device()->logicalDpiY() : kReportDpi;
    auto map = [scale](const QRectF &r) {
        return QRectF(r.x() * scale, r.y() * scale, r.width() * scale, r.height() * scale);
    };
    QFont lastFont;
    bool haveFont = false;
    for (const TQRItem &item : page.items) {
        switch (item.kind) {
        case TQRItem::Text: {
            const QRectF r = map(item.rect);
            if (item.background != QColor(Qt::white))
                painter.fillRect(r, item.background);
            if (!haveFont || !(item.font == lastFont)) {
                // Point sizes are given at the report resolution; the device has its own.
                QFont f = item.font;
                const double pt =
                    item.font.pointSizeF() > 0 ? item.font.pointSizeF() : item.font.pixelSize() * 72.0 / kReportDpi;
                f.setPointSizeF(pt * kReportDpi / 72.0 * scale * 72.0 / dpi);
                painter.setFont(f);
                lastFont = item.font;
                haveFont = true;
            }
            painter.setPen(item.color);
            painter.drawText(r,
                             int(item.alignment) | Qt::AlignTop | Qt::TextDontClip |
                                 (item.wordWrap ? Qt::TextWordWrap : Qt::TextSingleLine),
                             item.text);
            break;
        }
        case TQRItem::Line:
            painter.setPen(QPen(item.color, std::max(item.penWidth * scale, 1.0)));
            painter.drawLine(QPointF(item.rect.left() * scale, item.rect.top() * scale),
                             QPointF(item.rect.right() * scale, item.rect.bottom() * scale));
            break;
        case TQRItem::Rect:
            painter.setPen(item.penWidth > 0 ? QPen(item.color, std::max(item.penWidth * scale, 1.0)) : Qt::NoPen);
            painter.setBrush(item.filled ? QBrush(item.background) : QBrush(Qt::NoBrush));
            painter.drawRect(map(item.rect));
            painter.setBrush(Qt::NoBrush);
            break;
        case TQRItem::Image:
            painter.drawImage(map(item.rect), item.image);
            break;
        }
    }
    painter.restore();
}

void TQuickRep::printToPdf(const QString &fileName, bool prepareFirst)
{
    if (prepareFirst)
        prepare();
    QPdfWriter writer(fileName);
    writer.setResolution(600);
    writer.setTitle(ReportTitle);
    writer.setPageLayout(QPageLayout(QPageSize(Page.PaperSize), Page.Orientation, QMarginsF(0, 0, 0, 0)));
    QPainter painter;
    if (!painter.begin(&writer))
        throw Exception(QStringLiteral("Súbor %1 sa nedá vytvoriť.").arg(fileName));
    const double scale = writer.resolution() / kReportDpi;
    for (size_t i = 0; i < pages_.size(); ++i) {
        if (i > 0)
            writer.newPage();
        paintPage(painter, pages_[i], scale);
    }
    painter.end();
}

void TQuickRep::print(QPrinter &printer, bool prepareFirst)
{
    if (prepareFirst)
        prepare();
    if (pages_.empty())
        return;
    printer.setDocName(ReportTitle);
    printer.setFullPage(true);
    printer.setPageLayout(QPageLayout(QPageSize(Page.PaperSize), Page.Orientation, QMarginsF(0, 0, 0, 0)));
    printer.setCopyCount(std::max(1, PrinterSettings.Copies));
    int first = std::max(1, PrinterSettings.FirstPage);
    int last = PrinterSettings.LastPage > 0 ? std::min(PrinterSettings.LastPage, PageCount()) : PageCount();
    if (printer.fromPage() > 0)
        first = std::max(first, printer.fromPage());
    if (printer.toPage() > 0)
        last = std::min(last, printer.toPage());
    if (first > last)
        return; // the range holds no page of this report
    QPainter painter;
    if (!painter.begin(&printer))
        throw Exception(QStringLiteral("Tlač sa nedá začať na tlačiarni %1.").arg(printer.printerName()));
    const double scale = printer.resolution() / kReportDpi;
    for (int p = first; p <= last; ++p) {
        if (p > first)
            printer.newPage();
        paintPage(painter, pages_[size_t(p - 1)], scale);
    }
    painter.end();
}

void TQuickRep::exportToFilter(TQRExportFilter &filter, bool prepareFirst)
{
    if (prepareFirst)
        prepare();
    auto tenths = [](double units) { return UnitsToMm(units) * 10.0; };
    const QSizeF paper = PaperSizeUnits();
    filter.ReportTitle = ReportTitle;
    filter.Start(tenths(paper.width()), tenths(paper.height()), Font);
    for (const TQRPage &page : pages_) {
        filter.NewPage();
        for (const TQRItem &item : page.items) {
            if (item.kind != TQRItem::Text)
                continue;
            // X is the edge (or centre) the alignment holds.
            double x = item.rect.left();
            if (item.alignment & Qt::AlignRight)
                x = item.rect.right();
            else if (item.alignment & Qt::AlignHCenter)
                x = item.rect.center().x();
            filter.TextOut(tenths(x), tenths(item.rect.top()), item.font, item.color, item.background, item.alignment,
                           item.text);
        }
        filter.EndPage();
    }
    filter.Finish();
}
