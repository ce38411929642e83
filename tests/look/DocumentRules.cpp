#include "DocumentRules.h"

#include "common/BarcodeBars.h"
#include "library/QRAsBarcode.h"

#include <QFontMetricsF>
#include <QPainter>

namespace {

// Texts are measured on paper, at eight times the report resolution (near a printer's), and on the screen's
// preview at the report resolution, where glyph advances are rounded to whole pixels: the wider counts.
constexpr double kPaper = 8, kScreen = 1;
// Edges that only touch, and rounding, are no overlap: a text must reach this far into another.
constexpr double kTolerance = 0.5;
// Two texts of a line closer than this read as one ("EUR1680,000"): about a third of a blank.
constexpr double kGap = 1.5;

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

// On one line (their heights overlap) and not a gap apart.
bool runTogether(const QRectF &a, const QRectF &b)
{
    const double common = std::min(a.bottom(), b.bottom()) - std::max(a.top(), b.top());
    const double apart = std::max(a.left(), b.left()) - std::min(a.right(), b.right());
    return common > kTolerance && apart < kGap;
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

// The text's ink at one resolution (`scale` device pixels a report unit), in report units.
QRectF drawnAt(const TQRItem &item, qsizetype lead, qsizetype end, double scale)
{
    static const QImage paper = measuringDevice(kPaper), screen = measuringDevice(kScreen);
    const QFontMetricsF fm(item.font, scale == kPaper ? &paper : &screen);
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

void checkTexts(const TQuickRep &report, const TQRPage &page, QList<DocumentFault> &faults)
{
    const QSizeF paper = page.size;
    const QRectF printable(MmToUnits(report.Page.LeftMargin), MmToUnits(report.Page.TopMargin),
                           paper.width() - MmToUnits(report.Page.LeftMargin) - MmToUnits(report.Page.RightMargin),
                           paper.height() - MmToUnits(report.Page.TopMargin) - MmToUnits(report.Page.BottomMargin));
    QList<QPair<const TQRItem *, QRectF>> texts;
    for (const TQRItem &item : page.items)
        if (item.kind == TQRItem::Text && !item.text.trimmed().isEmpty())
            texts.append({&item, DrawnTextRect(item)});
    for (qsizetype i = 0; i < texts.size(); ++i) {
        const QRectF &r = texts[i].second;
        const QRectF inside = r.adjusted(kTolerance, kTolerance, -kTolerance, -kTolerance);
        if (!printable.contains(inside))
            faults.append({QStringLiteral("outside the printable area"), page.number, texts[i].first->text.trimmed(),
                           QStringLiteral("%1 mm beyond the margin")
                               .arg(UnitsToMm(std::max({printable.left() - r.left(), r.right() - printable.right(),
                                                        printable.top() - r.top(), r.bottom() - printable.bottom()})),
                                    0, 'f', 1)});
        for (qsizetype j = i + 1; j < texts.size(); ++j)
            if (runTogether(r, texts[j].second))
                faults.append({QStringLiteral("texts run into each other"), page.number, texts[i].first->text.trimmed(),
                               texts[j].first->text.trimmed()});
    }
}

void checkBarcodes(const TQuickRep &report, const QStringList &barcodes, QList<DocumentFault> &faults)
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
        for (const TQRPage &page : report.Pages())
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
                for (const TQRItem &t : page.items)
                    if (t.kind == TQRItem::Text && overlap(DrawnTextRect(t), item.rect))
                        faults.append({&t == digits ? QStringLiteral("digits over the bars")
                                                    : QStringLiteral("text over the bars"),
                                       page.number, t.text.trimmed(), bars});
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
    const QRectF paper = drawnAt(item, lead, end, kPaper), screen = drawnAt(item, lead, end, kScreen);
    return {QPointF(std::min(paper.left(), screen.left()), paper.top()),
            QPointF(std::max(paper.right(), screen.right()), paper.bottom())};
}

QList<DocumentFault> DocumentFaults(const TQuickRep &report, const QStringList &barcodes)
{
    QList<DocumentFault> faults;
    for (const TQRPage &page : report.Pages())
        checkTexts(report, page, faults);
    checkBarcodes(report, barcodes, faults);
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
