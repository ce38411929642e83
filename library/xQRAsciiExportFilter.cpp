#include "library/xQRAsciiExportFilter.h"

TxQRAsciiExportFilter::TxQRAsciiExportFilter(const QString &fileName, int language)
    : TQRAsciiExportFilter(fileName), Language(language)
{
}

void TxQRAsciiExportFilter::TextOut(double x, double y, const QFont &font, const QColor &color,
                                    const QColor &background, Qt::Alignment alignment, const QString &text)
{
    const bool translate = (Language == 1 || Language == 2) && Translate;
    TQRAsciiExportFilter::TextOut(x, y, font, color, background, alignment,
                                  translate ? Translate(text, Language) : text);
}
