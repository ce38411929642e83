#include "library/xQRHTMLExportFilter.h"

#include <cmath>

namespace {

// Tenths of a millimetre to whole millimetres, halves away from zero.
int mm(double tenths)
{
    return int(std::lround(tenths / 10.0));
}

QString colourText(const QColor &c)
{
    return QString::asprintf("#%2.2x%2.2x%2.2x", c.red(), c.green(), c.blue());
}

// Report texts are data (customer names, notes): markup characters in them stay text.
QString escaped(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('&'))
            out += QLatin1String("&amp;");
        else if (c == QLatin1Char('<'))
            out += QLatin1String("&lt;");
        else if (c == QLatin1Char('>'))
            out += QLatin1String("&gt;");
        else
            out += c;
    }
    return out;
}

} // namespace

QString TxQRHTMLExportFilter::FontStyle(const QFont &font, const QColor &color)
{
    QString style = QStringLiteral("color:%1;font-family:%2;font-size:%3pt;")
                        .arg(colourText(color), font.family(), QString::number(std::lround(font.pointSizeF())));
    if (font.italic())
        style += QLatin1String("font-style:italic;");
    if (font.bold())
        style += QLatin1String("font-weight:bold;");
    return style;
}

void TxQRHTMLExportFilter::Start(double paperWidth, double paperHeight, const QFont &font)
{
    TQRExportFilter::Start(paperWidth, paperHeight, font);
    page_ = 0;
    writeLine(QStringLiteral("<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.1//EN\" "
                             "\"http://www.w3.org/TR/xhtml11/DTD/xhtml11.dtd\">"));
    writeLine(QStringLiteral("<html>"));
    writeLine(QStringLiteral("<head>"));
    writeLine(QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\" />"));
    writeLine(QStringLiteral(" <title>") + escaped(ReportTitle) + QStringLiteral("</title>"));
    writeLine(QStringLiteral(" <style>"));
    writeLine(QStringLiteral("body {margin:0px; padding:0px; border:0px; %1}").arg(FontStyle(font, Qt::black)));
    writeLine(
        QStringLiteral(".page {position:relative; width:%1mm; height:%2mm}").arg(mm(paperWidth)).arg(mm(paperHeight)));
    writeLine(QStringLiteral(".page div {position:absolute;overflow:visible;}"));
    writeLine(QStringLiteral(" </style>"));
    writeLine(QStringLiteral("</head>"));
    writeLine(QStringLiteral("<body>"));
}

void TxQRHTMLExportFilter::NewPage()
{
    ++page_;
    writeLine(QStringLiteral("<div id=\"page%1\" class=\"page\">").arg(page_));
}

void TxQRHTMLExportFilter::EndPage()
{
    if (page_ > 0)
        writeLine(QStringLiteral("</div>"));
}

void TxQRHTMLExportFilter::Finish()
{
    writeLine(QStringLiteral("</body>"));
    writeLine(QStringLiteral("</html>"));
    TQRExportFilter::Finish();
}

void TxQRHTMLExportFilter::TextOut(double x, double y, const QFont &font, const QColor &color, const QColor &background,
                                   Qt::Alignment alignment, const QString &text)
{
    QString line = QStringLiteral("<div style=\"top:%1mm;").arg(mm(y));
    if (alignment & Qt::AlignRight)
        line += QStringLiteral("left:0mm;width:%1mm;text-align:right;").arg(mm(x));
    else
        line += QStringLiteral("left:%1mm;").arg(mm(x));
    const bool sameFont = std::lround(font.pointSizeF()) == std::lround(font_.pointSizeF()) &&
                          font.family() == font_.family() && font.bold() == font_.bold() &&
                          font.italic() == font_.italic() && color == QColor(Qt::black);
    if (!sameFont)
        line += FontStyle(font, color);
    if (background.isValid() && background.rgb() != QColor(Qt::white).rgb())
        line += QStringLiteral("background-color:%1;").arg(colourText(background));
    line += QStringLiteral("\">") + escaped(text) + QStringLiteral("</div>");
    writeLine(line);
}
