// A prepared report page: positioned text, line, rectangle and image items in report units
// (pixels of 96 per inch), laid out once and then painted, printed or exported as they stand.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRectF>
#include <QString>
#include <vector>

// Report units: 96 to the inch, the design resolution of the report layouts.
constexpr double kReportDpi = 96.0;
inline double MmToUnits(double mm)
{
    return mm * kReportDpi / 25.4;
}
inline double UnitsToMm(double units)
{
    return units * 25.4 / kReportDpi;
}

struct TQRItem {
    enum Kind { Text, Line, Rect, Image };
    Kind kind = Text;
    QRectF rect; // a line runs from rect.topLeft() to rect.bottomRight()
    QString text;
    QFont font;
    Qt::Alignment alignment = Qt::AlignLeft;
    QColor color = Qt::black;              // text, line and outline colour
    QColor background = QColor(Qt::white); // the fill behind a text; white is none
    bool filled = false;                   // rectangles: filled with background
    double penWidth = 1;                   // in report units
    bool wordWrap = false;
    QImage image;
};

struct TQRPage {
    int number = 0; // 1-based
    QSizeF size;    // the paper in report units
    std::vector<TQRItem> items;
};
