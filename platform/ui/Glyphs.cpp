#include "Glyphs.h"

#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <functional>

namespace {
using Draw = std::function<void(QPainter &)>;

const QColor kInk(40, 40, 40);
const QColor kGreen(0, 128, 0);
const QColor kRed(192, 0, 0);
const QColor kBlue(0, 64, 160);
const QColor kPaper(255, 255, 255);
const QColor kYellow(240, 200, 40);

void page(QPainter &p)
{
    p.setPen(kInk);
    p.setBrush(kPaper);
    QPolygon sheet({QPoint(3, 1), QPoint(10, 1), QPoint(13, 4), QPoint(13, 14), QPoint(3, 14)});
    p.drawPolygon(sheet);
    p.drawLine(10, 1, 10, 4);
    p.drawLine(10, 4, 13, 4);
}

void tick(QPainter &p, const QColor &c)
{
    p.setPen(QPen(c, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(2.5, 8.5), QPointF(6, 12.5), QPointF(13.5, 3.5)}));
}

void cross(QPainter &p, const QColor &c)
{
    p.setPen(QPen(c, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
    p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
}

void funnel(QPainter &p)
{
    p.setPen(kInk);
    p.setBrush(kYellow);
    p.drawPolygon(QPolygon({QPoint(1, 2), QPoint(14, 2), QPoint(9, 8), QPoint(9, 14), QPoint(6, 12), QPoint(6, 8)}));
}

void arrow(QPainter &p, bool up, const QColor &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    if (up)
        p.drawPolygon(QPolygon({QPoint(8, 3), QPoint(13, 10), QPoint(3, 10)}));
    else
        p.drawPolygon(QPolygon({QPoint(3, 5), QPoint(13, 5), QPoint(8, 12)}));
}

void magnifier(QPainter &p)
{
    p.setPen(QPen(kInk, 1.6));
    p.setBrush(QColor(200, 230, 255));
    p.drawEllipse(QRectF(2, 2, 8, 8));
    p.setPen(QPen(kInk, 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9.5, 9.5), QPointF(13.5, 13.5));
}

const QHash<QString, Draw> &drawings()
{
    static const QHash<QString, Draw> table = {
        // Standard form buttons.
        {"BTNNOVY",
         [](QPainter &p) {
             page(p);
             p.setPen(QPen(kGreen, 2));
             p.drawLine(8, 7, 8, 13);
             p.drawLine(5, 10, 11, 10);
         }},
        {"BTNOPRAV",
         [](QPainter &p) {
             page(p);
             p.setPen(QPen(kBlue, 2.2, Qt::SolidLine, Qt::RoundCap));
             p.drawLine(QPointF(6, 13), QPointF(14, 5)); // a pencil across the sheet
             p.setPen(QPen(kInk, 1));
             p.drawPoint(5, 14);
         }},
        {"BTNZMAZ", [](QPainter &p) { cross(p, kRed); }},
        {"BTNTLAC",
         [](QPainter &p) {
             p.setPen(kInk);
             p.setBrush(kPaper);
             p.drawRect(4, 1, 8, 5);
             p.setBrush(QColor(170, 170, 170));
             p.drawRect(1, 6, 14, 6);
             p.setBrush(kPaper);
             p.drawRect(4, 10, 8, 5);
             p.setPen(kGreen);
             p.drawPoint(13, 8);
         }},
        {"BTNKONIEC",
         [](QPainter &p) {
             p.setPen(kInk);
             p.setBrush(QColor(150, 100, 50));
             p.drawRect(3, 1, 8, 14); // a door
             p.setPen(QPen(kRed, 2));
             p.drawLine(9, 8, 15, 8);
             p.drawLine(12, 5, 15, 8);
             p.drawLine(12, 11, 15, 8);
         }},
        {"BTNFILTER", [](QPainter &p) { funnel(p); }},
        {"XDBN_FILTER", [](QPainter &p) { funnel(p); }},
        {"BTNLOOKUP", [](QPainter &p) { magnifier(p); }},
        // Kinds of bit-buttons.
        {"BKOK", [](QPainter &p) { tick(p, kGreen); }},
        {"BKYES", [](QPainter &p) { tick(p, kGreen); }},
        {"BKCANCEL", [](QPainter &p) { cross(p, kRed); }},
        {"BKNO",
         [](QPainter &p) {
             p.setPen(QPen(kRed, 2));
             p.setBrush(Qt::NoBrush);
             p.drawEllipse(QRectF(2, 2, 12, 12));
             p.drawLine(QPointF(4, 12), QPointF(12, 4));
         }},
        {"BKABORT",
         [](QPainter &p) {
             p.setPen(Qt::NoPen);
             p.setBrush(kRed);
             p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
             p.setPen(QPen(kPaper, 2));
             p.drawLine(5, 8, 11, 8);
         }},
        {"BKCLOSE",
         [](QPainter &p) {
             p.setPen(kInk);
             p.setBrush(QColor(150, 100, 50));
             p.drawRect(4, 1, 8, 14);
             p.setBrush(kYellow);
             p.drawEllipse(QRectF(9, 7, 2, 2));
         }},
        {"BKHELP",
         [](QPainter &p) {
             p.setPen(kBlue);
             QFont f = p.font();
             f.setPixelSize(14);
             f.setBold(true);
             p.setFont(f);
             p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("?"));
         }},
        {"BKIGNORE",
         [](QPainter &p) {
             p.setPen(QPen(kInk, 2, Qt::SolidLine, Qt::RoundCap));
             p.drawLine(3, 8, 13, 8);
             arrow(p, true, kInk);
         }},
        {"BKRETRY",
         [](QPainter &p) {
             p.setPen(QPen(kGreen, 2));
             p.setBrush(Qt::NoBrush);
             p.drawArc(QRectF(3, 3, 10, 10), 90 * 16, 270 * 16);
             p.setPen(Qt::NoPen);
             p.setBrush(kGreen);
             p.drawPolygon(QPolygon({QPoint(7, 0), QPoint(11, 3), QPoint(7, 6)}));
         }},
        {"BKALL",
         [](QPainter &p) {
             tick(p, kGreen);
             p.translate(0, -3);
             tick(p, kGreen);
         }},
        // Buttons inside compound edits.
        {"BUTTONDOWN", [](QPainter &p) { arrow(p, false, kInk); }},
        {"BUTTONDOTS",
         [](QPainter &p) {
             p.setPen(Qt::NoPen);
             p.setBrush(kInk);
             for (int x : {3, 7, 11})
                 p.drawRect(x, 10, 2, 2);
         }},
        {"BUTTONLOOKUP", [](QPainter &p) { magnifier(p); }},
        {"BUTTONCALENDAR",
         [](QPainter &p) {
             p.setPen(kInk);
             p.setBrush(kPaper);
             p.drawRect(1, 2, 13, 12);
             p.setBrush(kRed);
             p.drawRect(1, 2, 13, 3);
             p.setPen(kInk);
             for (int y : {7, 9, 11})
                 for (int x : {3, 6, 9, 12})
                     p.drawPoint(x, y);
         }},
        // Sort marks in grid titles.
        {"ORDERBY_ASC", [](QPainter &p) { arrow(p, true, QColor(90, 90, 90)); }},
        {"ORDERBY_DESC", [](QPainter &p) { arrow(p, false, QColor(90, 90, 90)); }},
    };
    return table;
}

QPixmap render(const Draw &draw)
{
    QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p);
    p.end();
    return QPixmap::fromImage(image);
}
} // namespace

QPixmap Glyph(const QString &name)
{
    static QHash<QString, QPixmap> cache;
    const QString key = name.trimmed().toUpper();
    auto cached = cache.constFind(key);
    if (cached != cache.constEnd())
        return *cached;
    auto d = drawings().constFind(key);
    if (d == drawings().constEnd())
        return QPixmap();
    QPixmap pm = render(*d);
    cache.insert(key, pm);
    return pm;
}

QStringList GlyphNames()
{
    QStringList names = drawings().keys();
    names.sort();
    return names;
}
