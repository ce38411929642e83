// Writes a report's pages as one XHTML file: one absolutely placed element per text item, positions in
// millimetres, fonts only where they differ from the report's own.
#pragma once

#include "platform/report/QRExportFilter.h"

class TxQRHTMLExportFilter : public TQRExportFilter {
public:
    using TQRExportFilter::TQRExportFilter;
    QString Description() const override { return QStringLiteral("HTML Export Filter"); }
    QString Extension() const override { return QStringLiteral("htm"); }
    QString FilterName() const override { return QStringLiteral("HTML Document"); }
    void Start(double paperWidth, double paperHeight, const QFont &font) override;
    void NewPage() override;
    void EndPage() override;
    void Finish() override;
    void TextOut(double x, double y, const QFont &font, const QColor &color, const QColor &background,
                 Qt::Alignment alignment, const QString &text) override;

    // The CSS of a font: colour, family, size in points, then italic and bold.
    static QString FontStyle(const QFont &font, const QColor &color);

private:
    int page_ = 0;
};
