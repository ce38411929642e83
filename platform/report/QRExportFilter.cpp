#include "platform/report/QRExportFilter.h"

#include "platform/os/Exception.h"

#include <QFile>
#include <algorithm>
#include <cmath>

void TQRExportFilter::Start(double paperWidth, double paperHeight, const QFont &font)
{
    paperWidth_ = paperWidth;
    paperHeight_ = paperHeight;
    font_ = font;
    output_.clear();
}

void TQRExportFilter::writeLine(const QString &line)
{
    output_ += line.toUtf8();
    output_ += "\r\n";
}

void TQRExportFilter::Finish()
{
    QFile file(FileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw Exception(QStringLiteral("Súbor %1 sa nedá vytvoriť: %2").arg(FileName, file.errorString()));
    if (file.write(output_) != output_.size() || !file.flush())
        throw Exception(QStringLiteral("Chyba pri zápise do súboru %1: %2").arg(FileName, file.errorString()));
    file.close();
    output_.clear();
}

namespace {
constexpr double kCharWidth = 25.4;       // tenths of a millimetre: 10 characters to the inch
constexpr double kLineHeight = 254.0 / 6; // 6 lines to the inch
constexpr int kMaxColumns = 1000;         // an item placed far off the paper does not make a huge line
} // namespace

void TQRAsciiExportFilter::NewPage()
{
    lines_.clear();
}

void TQRAsciiExportFilter::TextOut(double x, double y, const QFont &, const QColor &, const QColor &,
                                   Qt::Alignment alignment, const QString &text)
{
    const int row = std::max(0, int(std::lround(y / kLineHeight)));
    int col = int(std::lround(x / kCharWidth));
    if (alignment & Qt::AlignRight)
        col -= int(text.size());
    else if (alignment & Qt::AlignHCenter)
        col -= int(text.size()) / 2;
    col = std::clamp(col, 0, kMaxColumns);
    if (row >= lines_.size())
        lines_.resize(row + 1);
    QString &line = lines_[row];
    if (line.size() < col + text.size())
        line = line.leftJustified(col + text.size(), QLatin1Char(' '));
    line.replace(col, text.size(), text);
}

void TQRAsciiExportFilter::EndPage()
{
    while (!lines_.isEmpty() && lines_.last().trimmed().isEmpty())
        lines_.removeLast();
    for (int i = 0; i < lines_.size(); ++i) {
        QString line = lines_[i];
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
        if (i == 0 && pages_ > 0)
            line.prepend(QLatin1Char('\f'));
        writeLine(line);
    }
    if (lines_.isEmpty() && pages_ > 0)
        writeLine(QStringLiteral("\f"));
    ++pages_;
    lines_.clear();
}

QString QuoteDelimitedField(const QString &text, QChar separator)
{
    if (!text.contains(separator) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')) &&
        !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

void TQRCSVExportFilter::TextOut(double x, double y, const QFont &, const QColor &, const QColor &, Qt::Alignment,
                                 const QString &text)
{
    items_.append({x, y, text});
}

void TQRCSVExportFilter::EndPage()
{
    // Items whose tops lie within half a line of each other belong to one printed line.
    std::stable_sort(items_.begin(), items_.end(), [](const Item &a, const Item &b) { return a.y < b.y; });
    int i = 0;
    while (i < items_.size()) {
        const double lineTop = items_[i].y;
        int j = i;
        while (j < items_.size() && items_[j].y - lineTop < kLineHeight / 2)
            ++j;
        QVector<Item> line(items_.begin() + i, items_.begin() + j);
        std::stable_sort(line.begin(), line.end(), [](const Item &a, const Item &b) { return a.x < b.x; });
        QStringList fields;
        for (const Item &item : line)
            fields << QuoteDelimitedField(item.text, Separator);
        writeLine(fields.join(Separator));
        i = j;
    }
    items_.clear();
}

namespace {
QVector<TQRExportFilterInfo> &registry()
{
    static QVector<TQRExportFilterInfo> filters;
    return filters;
}
} // namespace

void RegisterExportFilter(TQRExportFilterInfo info)
{
    for (auto &f : registry())
        if (f.FilterName == info.FilterName) {
            f = std::move(info);
            return;
        }
    registry().append(std::move(info));
}

const QVector<TQRExportFilterInfo> &ExportFilters()
{
    return registry();
}

template <class T> static TQRExportFilterInfo infoOf()
{
    const T probe{QString()};
    return {probe.FilterName(), probe.Description(), probe.Extension(),
            [](const QString &fileName) { return std::make_unique<T>(fileName); }};
}

void RegisterStandardExportFilters()
{
    RegisterExportFilter(infoOf<TQRAsciiExportFilter>());
    RegisterExportFilter(infoOf<TQRCSVExportFilter>());
}
