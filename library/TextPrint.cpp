#include "library/TextPrint.h"

#include "library/QTlacForm.h"
#include "platform/os/Exception.h"
#include "platform/ui/Form.h"

#include <QFontMetricsF>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextLayout>
#include <QTextOption>

namespace {

// The space below a piece of text ended with a new line: 4 pixels at 96 dpi, scaled to the device.
constexpr double kPieceGap = 4;

std::unique_ptr<TTextPrint> &job()
{
    static std::unique_ptr<TTextPrint> current;
    return current;
}

} // namespace

TTextPrint::TTextPrint(QPagedPaintDevice *device, int pointSize) : device_(device)
{
    if (!painter_.begin(device))
        throw Exception(QStringLiteral("Tlač sa nedá začať."));
    QFont font = painter_.font();
    font.setPointSize(pointSize);
    painter_.setFont(font);
}

TTextPrint::~TTextPrint()
{
    End();
}

void TTextPrint::End()
{
    if (painter_.isActive())
        painter_.end();
}

QSizeF TTextPrint::PageSize() const
{
    return {double(device_->width()), double(device_->height())};
}

void TTextPrint::newPage()
{
    device_->newPage();
    ++pages_;
    pen_.setY(0);
}

void TTextPrint::PrintText(const QString &text, bool newLine)
{
    if (!painter_.isActive())
        return;
    const QSizeF page = PageSize();
    if (pen_.y() >= page.height())
        newPage();
    const QFont font = painter_.font();
    const QFontMetricsF metrics(font, device_);
    QString expanded = text;
    expanded.replace(QLatin1Char('\r'), QString());
    const double oneLine = metrics.horizontalAdvance(expanded.section(QLatin1Char('\n'), 0, 0));

    // Wraps the text at word boundaries into the width left of the pen, paragraph by paragraph.
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    option.setTabStopDistance(metrics.horizontalAdvance(QLatin1Char(' ')) * 8);
    const double width = std::max(1.0, page.width() - pen_.x());
    const double lineHeight = metrics.lineSpacing();
    double y = pen_.y();
    const double top = y;
    bool pageAdded = false;
    for (const QString &paragraph : expanded.split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, font, device_);
        layout.setTextOption(option);
        layout.beginLayout();
        double lineY = 0;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            line.setPosition(QPointF(0, lineY));
            lineY += lineHeight;
        }
        layout.endLayout();
        for (int i = 0; i < layout.lineCount(); ++i) {
            // A line that would cross the page's bottom starts the next page, so nothing is cut off.
            if (y + lineHeight > page.height() && y > 0) {
                newPage();
                pageAdded = true;
                y = 0;
            }
            const QTextLine line = layout.lineAt(i);
            line.draw(&painter_, QPointF(pen_.x(), y - line.y()));
            y += lineHeight;
        }
    }
    if (newLine)
        pen_ = QPointF(0, y + kPieceGap * device_->logicalDpiY() / 96.0);
    else // the next piece goes on along the last line printed
        pen_ = QPointF(pen_.x() + oneLine, pageAdded ? y - lineHeight : top);
}

void BeginTextPrint(const QString &jobTitle)
{
    QPrinter &printer = Printer();
    printer.setDocName(jobTitle);
    job() = std::make_unique<TTextPrint>(&printer, 12);
}

bool PrintTextDialog(const QString &jobTitle)
{
    QPrinter &printer = Printer();
    QPrintDialog dialog(&printer, ApplicationMainForm());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    printer.setCopyCount(std::max(1, printer.copyCount()));
    BeginTextPrint(jobTitle);
    return true;
}

void PrintTextPage(const QString &text, bool newLine)
{
    if (job())
        job()->PrintText(text, newLine);
}

void EndTextPrint()
{
    job().reset();
    Printer().setCopyCount(1);
}

bool TextPrintActive()
{
    return job() != nullptr;
}
