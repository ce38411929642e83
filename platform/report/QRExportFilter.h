// Export filters: the prepared pages' text items written to a file (plain text on a character grid,
// delimited text), and the list of filters the preview offers. Filters register through an explicit
// call at program start.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QString>
#include <QVector>
#include <functional>
#include <memory>

// Sizes and positions come in tenths of a millimetre. X is the left edge of a left-aligned text, the
// right edge of a right-aligned one and the centre of a centred one.
class TQRExportFilter {
public:
    explicit TQRExportFilter(QString fileName) : FileName(std::move(fileName)) {}
    virtual ~TQRExportFilter() = default;
    virtual QString Description() const = 0;
    virtual QString Extension() const = 0;
    virtual QString FilterName() const = 0;

    virtual void Start(double paperWidth, double paperHeight, const QFont &font);
    virtual void NewPage() {}
    virtual void EndPage() {}
    // Writes what was gathered; throws Exception with a Slovak message when the file cannot be written.
    virtual void Finish();
    virtual void TextOut(double x, double y, const QFont &font, const QColor &color, const QColor &background,
                         Qt::Alignment alignment, const QString &text) = 0;

    QString FileName;
    QString ReportTitle;

protected:
    // Lines end in CR LF; the file is UTF-8.
    void writeLine(const QString &line);
    QByteArray output_;
    double paperWidth_ = 0, paperHeight_ = 0;
    QFont font_;
};

// Plain text: each text item on a grid of 10 characters to the inch and 6 lines to the inch; pages are
// separated by a form feed.
class TQRAsciiExportFilter : public TQRExportFilter {
public:
    using TQRExportFilter::TQRExportFilter;
    QString Description() const override { return QStringLiteral("Text"); }
    QString Extension() const override { return QStringLiteral("txt"); }
    QString FilterName() const override { return QStringLiteral("Textový súbor"); }
    void NewPage() override;
    void EndPage() override;
    void TextOut(double x, double y, const QFont &font, const QColor &color, const QColor &background,
                 Qt::Alignment alignment, const QString &text) override;

private:
    QVector<QString> lines_;
    int pages_ = 0;
};

// Delimited text: the items of one printed line make one record, left to right, separated by ";",
// quoted when they hold the separator, a quote or a line break.
class TQRCSVExportFilter : public TQRExportFilter {
public:
    using TQRExportFilter::TQRExportFilter;
    QChar Separator = QLatin1Char(';');
    QString Description() const override { return QStringLiteral("CSV"); }
    QString Extension() const override { return QStringLiteral("csv"); }
    QString FilterName() const override { return QStringLiteral("Text oddelený ;"); }
    void NewPage() override { items_.clear(); }
    void EndPage() override;
    void TextOut(double x, double y, const QFont &font, const QColor &color, const QColor &background,
                 Qt::Alignment alignment, const QString &text) override;

private:
    struct Item {
        double x, y;
        QString text;
    };
    QVector<Item> items_;
};

// Quotes a delimited-text field when it needs it.
QString QuoteDelimitedField(const QString &text, QChar separator);

struct TQRExportFilterInfo {
    QString FilterName, Description, Extension;
    std::function<std::unique_ptr<TQRExportFilter>(const QString &fileName)> Create;
};

// The filters the preview offers, in registration order; registering a name again replaces it.
void RegisterExportFilter(TQRExportFilterInfo info);
const QVector<TQRExportFilterInfo> &ExportFilters();
// The engine's own text and delimited-text filters.
void RegisterStandardExportFilters();
