// The text export used to edit a report before printing: the engine's text filter, with every text
// translated through the word list when the language is German or English.
#pragma once

#include "platform/report/QRExportFilter.h"

#include <functional>

class TxQRAsciiExportFilter : public TQRAsciiExportFilter {
public:
    // Language: 0 SK, 1 DE, 2 EN.
    TxQRAsciiExportFilter(const QString &fileName, int language);
    int Language;
    // The word list's phrase translation (text, language); texts stay as they are while it is not set.
    std::function<QString(const QString &text, int language)> Translate;
    void TextOut(double x, double y, const QFont &font, const QColor &color, const QColor &background,
                 Qt::Alignment alignment, const QString &text) override;
};
