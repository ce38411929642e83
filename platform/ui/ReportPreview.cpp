#include "platform/ui/ReportPreview.h"

#include "platform/report/QRExportFilter.h"
#include "platform/report/QuickRep.h"

#include "platform/ui/Dialogs.h"
#include "platform/ui/Guarded.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QVBoxLayout>

#include <algorithm>

TReportPreview::TReportPreview(TQuickRep *report, QWidget *parent) : QDialog(parent), report_(report)
{
    setWindowTitle(report->ReportTitle.isEmpty() ? QStringLiteral("Náhľad zostavy") : report->ReportTitle);
    if (report_->Pages().empty())
        report_->prepare();

    auto *bar = new QHBoxLayout;
    auto button = [&](const QString &text, auto slot) {
        auto *b = new QPushButton(text, this);
        b->setAutoDefault(false);
        // As narrow as its text, so the bar fits a small screen.
        b->setMinimumWidth(b->fontMetrics().horizontalAdvance(QString(text).remove(QLatin1Char('&'))) + 16);
        connect(b, &QPushButton::clicked, this, slot);
        bar->addWidget(b);
        return b;
    };
    BtnFirst = button(QStringLiteral("|<"), [this] { showPage(1); });
    BtnPrior = button(QStringLiteral("<"), [this] { showPage(page_ - 1); });
    BtnNext = button(QStringLiteral(">"), [this] { showPage(page_ + 1); });
    BtnLast = button(QStringLiteral(">|"), [this] { showPage(report_->PageCount()); });
    button(QStringLiteral("Zmenšiť"), [this] { setZoom(zoom_ / 1.25); });
    button(QStringLiteral("Zväčšiť"), [this] { setZoom(zoom_ * 1.25); });
    button(QStringLiteral("Celá strana"), [this] {
        const QSizeF paper = report_->PaperSizeUnits();
        const QSize view = scroll_->viewport()->size();
        setZoom(std::min(view.width() / paper.width(), view.height() / paper.height()));
    });
    BtnPrint = button(QStringLiteral("&Tlačiť"), [this] { Guarded([this] { printReport(); }); });
    BtnExport = button(QStringLiteral("&Export"), [this] { Guarded([this] { exportReport(); }); });
    BtnClose = button(QStringLiteral("&Zavrieť"), [this] { reject(); });
    bar->addStretch();
    // The page and the zoom on a line of their own under the page, where the buttons leave them room.
    status_ = new QLabel(this);

    image_ = new QLabel;
    image_->setAlignment(Qt::AlignCenter);
    scroll_ = new QScrollArea(this);
    scroll_->setWidget(image_);
    scroll_->setWidgetResizable(true);
    scroll_->setBackgroundRole(QPalette::Dark);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(scroll_);
    layout->addWidget(status_);
    new QShortcut(QKeySequence(Qt::Key_PageDown), this, [this] { showPage(page_ + 1); });
    new QShortcut(QKeySequence(Qt::Key_PageUp), this, [this] { showPage(page_ - 1); });
    fitScreen(parent);
    refresh();
}

void TReportPreview::fitScreen(QWidget *parent)
{
    // A page's height where the screen allows it, never beyond the screen's free area (the task bar
    // and the title bar excluded), placed inside that area.
    QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        resize(900, 1000);
        return;
    }
    const QRect area = screen->availableGeometry();
    const QSize frame(16, 40);
    const QSize size = QSize(900, 1000).boundedTo(area.size() - frame).expandedTo(minimumSizeHint());
    resize(size);
    move(area.left() + std::max(0, (area.width() - size.width() - frame.width()) / 2),
         area.top() + std::max(0, (area.height() - size.height() - frame.height()) / 2));
}

void TReportPreview::showPage(int page)
{
    page_ = std::clamp(page, 1, std::max(1, report_->PageCount()));
    refresh();
}

void TReportPreview::setZoom(double zoom)
{
    zoom_ = std::clamp(zoom, 0.1, 8.0);
    refresh();
}

QImage TReportPreview::renderPage(int page) const
{
    const QSizeF paper = report_->PaperSizeUnits() * zoom_;
    QImage image(paper.toSize(), QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(kReportDpi / 0.0254));
    image.setDotsPerMeterY(qRound(kReportDpi / 0.0254));
    image.fill(Qt::white);
    if (page >= 1 && page <= report_->PageCount()) {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::TextAntialiasing);
        TQuickRep::paintPage(painter, report_->Pages()[size_t(page - 1)], zoom_);
    }
    return image;
}

void TReportPreview::refresh()
{
    image_->setPixmap(QPixmap::fromImage(renderPage(page_)));
    status_->setText(
        QStringLiteral("Strana %1 z %2   %3 %").arg(page_).arg(report_->PageCount()).arg(qRound(zoom_ * 100)));
}

void TReportPreview::printReport()
{
    PrintInDialog(report_, this, false);
}

bool TReportPreview::PrintInDialog(TQuickRep *report, QWidget *parent, bool prepareFirst)
{
    if (prepareFirst)
        report->prepare();
    QPrinter printer(QPrinter::HighResolution);
    printer.setCopyCount(std::max(1, report->PrinterSettings.Copies));
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, std::max(1, report->PageCount()));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    report->PrinterSettings.Copies = printer.copyCount();
    report->print(printer, false);
    return true;
}

void TReportPreview::exportReport()
{
    const auto &filters = ExportFilters();
    if (filters.isEmpty())
        return;
    QStringList names;
    for (const auto &f : filters)
        names << QStringLiteral("%1 (*.%2)").arg(f.FilterName, f.Extension);
    QString chosen;
    const QString file =
        ChooseFileName(QStringLiteral("Export zostavy"), QString(), names.join(QLatin1String(";;")), &chosen);
    if (file.isEmpty())
        return;
    const int index = std::max(0, int(names.indexOf(chosen)));
    // A name typed without an extension gets the chosen kind's.
    const QString target =
        QFileInfo(file).suffix().isEmpty() ? file + QLatin1Char('.') + filters[index].Extension : file;
    auto filter = filters[index].Create(target);
    report_->exportToFilter(*filter, false);
}

void TReportPreview::Preview(TQuickRep *report, QWidget *parent)
{
    report->prepare();
    TReportPreview preview(report, parent);
    preview.exec();
}
