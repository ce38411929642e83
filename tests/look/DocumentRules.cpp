#include "DocumentRules.h"

#include "common/BarcodeBars.h"
#include "library/QRAsBarcode.h"

#include <QFontMetricsF>
#include <QPainter>

namespace {

// Texts are measured on paper, at eight times the report resolution (near a printer's), and in the screen's
// preview at every zoom a person reads a page at, from half the paper's size (the whole page on the screen) to
// twice it. The preview rounds the font to whole pixels and its glyph advances with it, so a text there is up
// to a tenth wider than on paper, more at one zoom than at the next: the widest counts.
constexpr double kPaper = 8, kLeastZoom = 0.5, kMostZoom = 2, kZoomStep = 0.01;
// Edges that only touch, and rounding, are no overlap of a text with a picture: it must reach this far in.
constexpr double kTolerance = 0.5;

QImage measuringDevice(double scale)
{
    QImage image(1, 1, QImage::Format_Mono);
    image.setDotsPerMeterX(qRound(kReportDpi * scale / 0.0254));
    image.setDotsPerMeterY(qRound(kReportDpi * scale / 0.0254));
    return image;
}

QRectF scaled(const QRectF &r, double k)
{
    return {r.x() * k, r.y() * k, r.width() * k, r.height() * k};
}

bool overlap(const QRectF &a, const QRectF &b)
{
    const QRectF common = a.intersected(b);
    return common.width() > kTolerance && common.height() > kTolerance;
}

QString quoted(const QString &text)
{
    return QLatin1Char('"') + text.trimmed() + QLatin1Char('"');
}

// The pattern a barcode's pixel row reads ('5'.. bars, '0'.. spaces), as BarcodeBars reads the middle row.
QString rowBars(const QImage &picture, int y)
{
    return barsOf(picture.copy(0, y, picture.width(), 1));
}

// The measuring devices: the paper first, then the preview's zooms.
const std::vector<QImage> &devices()
{
    static const std::vector<QImage> all = [] {
        std::vector<QImage> d{measuringDevice(kPaper)};
        for (double zoom = kLeastZoom; zoom <= kMostZoom + kZoomStep / 2; zoom += kZoomStep)
            d.push_back(measuringDevice(zoom));
        return d;
    }();
    return all;
}

double scaleOf(const QImage &device)
{
    return device.dotsPerMeterX() * 0.0254 / kReportDpi;
}

// The text's ink on one device, in report units.
QRectF drawnAt(const TQRItem &item, qsizetype lead, qsizetype end, const QImage &device)
{
    const double scale = scaleOf(device);
    const QFontMetricsF fm(item.font, &device);
    const int flags =
        int(item.alignment) | Qt::AlignTop | Qt::TextDontClip | (item.wordWrap ? Qt::TextWordWrap : Qt::TextSingleLine);
    // Placed as the painter places it, blanks included; the ink lies between the blanks.
    const QRectF placed = fm.boundingRect(scaled(item.rect, scale), flags, item.text);
    double left = placed.left(), right = placed.right();
    if (!item.wordWrap) {
        left += fm.horizontalAdvance(item.text.left(lead));
        right = placed.left() + fm.horizontalAdvance(item.text.left(end));
    }
    // Vertically from the top of an accented capital to the bottom of a descender, not the whole line box,
    // so lines set closely one under another do not count as one line.
    const double top = fm.ascent() + fm.tightBoundingRect(QString::fromUtf8("ÁŽĽÔ")).top();
    const double bottom = fm.ascent() + fm.tightBoundingRect(QStringLiteral("gjpy")).bottom();
    const double lines = std::max(1.0, std::round(placed.height() / fm.lineSpacing()));
    return scaled(QRectF(QPointF(left, placed.top() + top),
                         QPointF(right, placed.top() + (lines - 1) * fm.lineSpacing() + bottom)),
                  1 / scale);
}

// A blank of the text's font on paper: the least room that keeps two texts of a line apart.
double blankOf(const TQRItem &item)
{
    return QFontMetricsF(item.font, &devices().front()).horizontalAdvance(QLatin1Char(' ')) / kPaper;
}

QList<const TQRAsBarcode *> barcodeControls(const TQuickRep &report)
{
    QList<const TQRAsBarcode *> found;
    for (const auto &band : report.Bands())
        for (const auto &control : band->Controls)
            if (auto *code = dynamic_cast<const TQRAsBarcode *>(control.get()))
                found << code;
    return found;
}

// The bars and the digits a barcode control prints for the text.
struct Expected {
    QString text, bars, digits;
};

Expected expectedOf(const TQRAsBarcode &control, const QString &text)
{
    // A barcode of its own: the control's change handler must not run for this one.
    TAsBarcode code;
    TAsBarcode &shown = const_cast<TQRAsBarcode &>(control).Barcode();
    code.setTyp(shown.Typ());
    code.setChecksum(shown.Checksum());
    code.setCheckSumMethod(shown.CheckSumMethod());
    code.setText(text);
    Expected e;
    e.text = text;
    e.bars = code.MakeData();
    e.digits = code.EncodedText();
    return e;
}

// The page's texts with ink, each with where it is drawn.
using DrawnTexts = QList<QPair<const TQRItem *, QRectF>>;

DrawnTexts drawnTexts(const TQRPage &page)
{
    DrawnTexts texts;
    for (const TQRItem &item : page.items)
        if (item.kind == TQRItem::Text && !item.text.trimmed().isEmpty())
            texts.append({&item, DrawnTextRect(item)});
    return texts;
}

void checkTexts(const TQuickRep &report, const TQRPage &page, const DrawnTexts &texts, QList<DocumentFault> &faults)
{
    const QSizeF paper = page.size;
    const QRectF printable(MmToUnits(report.Page.LeftMargin), MmToUnits(report.Page.TopMargin),
                           paper.width() - MmToUnits(report.Page.LeftMargin) - MmToUnits(report.Page.RightMargin),
                           paper.height() - MmToUnits(report.Page.TopMargin) - MmToUnits(report.Page.BottomMargin));
    for (qsizetype i = 0; i < texts.size(); ++i) {
        const QRectF &r = texts[i].second;
        const QRectF inside = r.adjusted(kTolerance, kTolerance, -kTolerance, -kTolerance);
        if (!printable.contains(inside))
            faults.append({QStringLiteral("outside the printable area"), page.number, texts[i].first->text.trimmed(),
                           QStringLiteral("%1 mm beyond the margin")
                               .arg(UnitsToMm(std::max({printable.left() - r.left(), r.right() - printable.right(),
                                                        printable.top() - r.top(), r.bottom() - printable.bottom()})),
                                    0, 'f', 1)});
        for (qsizetype j = i + 1; j < texts.size(); ++j) {
            const TextsMeet meet = TextsOnOneLine(*texts[i].first, r, *texts[j].first, texts[j].second);
            if (meet != TextsMeet::Apart)
                faults.append(
                    {meet == TextsMeet::Overlap ? QStringLiteral("texts overlap") : QStringLiteral("texts touch"),
                     page.number, texts[i].first->text.trimmed(), texts[j].first->text.trimmed()});
        }
    }
}

void checkBarcodes(const TQuickRep &report, const std::vector<DrawnTexts> &drawn, const QStringList &barcodes,
                   QList<DocumentFault> &faults)
{
    const QList<const TQRAsBarcode *> controls = barcodeControls(report);
    if (barcodes.isEmpty())
        return;
    if (controls.isEmpty()) {
        faults.append({QStringLiteral("no barcode in the report"), 0, barcodes.first(), {}});
        return;
    }
    for (const QString &text : barcodes) {
        const Expected e = expectedOf(*controls.first(), text);
        const QString bars = QStringLiteral("the bars of ") + text;
        int printed = 0;
        for (size_t p = 0; p < report.Pages().size(); ++p) {
            const TQRPage &page = report.Pages()[p];
            for (const TQRItem &item : page.items) {
                // A barcode picture is found by its lowest row of bars, which digits above never cover.
                if (item.kind != TQRItem::Image || item.image.isNull() ||
                    rowBars(item.image, item.image.height() - 1) != e.bars)
                    continue;
                ++printed;
                for (int y = 0; y < item.image.height(); ++y)
                    if (rowBars(item.image, y) != e.bars) {
                        faults.append(
                            {QStringLiteral("digits drawn into the barcode's picture"), page.number, e.digits, bars});
                        break;
                    }
                // Its digits: the text nearest below the bars that reads them.
                const TQRItem *digits = nullptr;
                for (const TQRItem &t : page.items)
                    if (t.kind == TQRItem::Text && t.text.trimmed() == e.digits &&
                        (!digits || std::abs(t.rect.top() - item.rect.bottom()) <
                                        std::abs(digits->rect.top() - item.rect.bottom())))
                        digits = &t;
                if (!digits)
                    faults.append({QStringLiteral("barcode without its digits"), page.number, e.digits, bars});
                // Nothing written over the bars, its digits least of all.
                for (const auto &[t, r] : drawn[p])
                    if (overlap(r, item.rect))
                        faults.append({t == digits ? QStringLiteral("digits over the bars")
                                                   : QStringLiteral("text over the bars"),
                                       page.number, t->text.trimmed(), bars});
            }
        }
        if (printed != 1)
            faults.append({QStringLiteral("barcode printed %1 times").arg(printed), 0, text, {}});
    }
}

} // namespace

QString DocumentFault::describe(const QString &document) const
{
    QString where = document;
    if (page > 0)
        where += QStringLiteral(", page %1").arg(page);
    QString what = where + QStringLiteral(": ") + rule + QStringLiteral(": ") + quoted(first);
    if (!second.isEmpty())
        what += QStringLiteral(" and ") + quoted(second);
    return what;
}

QRectF DrawnTextRect(const TQRItem &item)
{
    const QString &text = item.text;
    qsizetype lead = 0, end = text.size();
    while (lead < end && text[lead].isSpace())
        ++lead;
    while (end > lead && text[end - 1].isSpace())
        --end;
    if (lead == end)
        return {};
    // As tall as on paper, as wide as at the widest zoom.
    QRectF drawn;
    for (const QImage &device : devices()) {
        const QRectF at = drawnAt(item, lead, end, device);
        drawn = drawn.isNull() ? at
                               : QRectF(QPointF(std::min(drawn.left(), at.left()), drawn.top()),
                                        QPointF(std::max(drawn.right(), at.right()), drawn.bottom()));
    }
    return drawn;
}

TextsMeet TextsOnOneLine(const TQRItem &first, const QRectF &firstDrawn, const TQRItem &second,
                         const QRectF &secondDrawn)
{
    const double common =
        std::min(firstDrawn.bottom(), secondDrawn.bottom()) - std::max(firstDrawn.top(), secondDrawn.top());
    if (common <= kTolerance)
        return TextsMeet::Apart;
    const double apart =
        std::max(firstDrawn.left(), secondDrawn.left()) - std::min(firstDrawn.right(), secondDrawn.right());
    if (apart < 0)
        return TextsMeet::Overlap;
    return apart < std::max(blankOf(first), blankOf(second)) ? TextsMeet::Touch : TextsMeet::Apart;
}

QList<DocumentFault> DocumentFaults(const TQuickRep &report, const QStringList &barcodes)
{
    QList<DocumentFault> faults;
    std::vector<DrawnTexts> drawn;
    for (const TQRPage &page : report.Pages()) {
        drawn.push_back(drawnTexts(page));
        checkTexts(report, page, drawn.back(), faults);
    }
    checkBarcodes(report, drawn, barcodes, faults);
    return faults;
}

QImage PagePicture(const TQRPage &page, double scale)
{
    QImage picture((page.size * scale).toSize(), QImage::Format_RGB32);
    picture.setDotsPerMeterX(qRound(kReportDpi * scale / 0.0254));
    picture.setDotsPerMeterY(qRound(kReportDpi * scale / 0.0254));
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    TQuickRep::paintPage(painter, page, scale);
    return picture;
}
