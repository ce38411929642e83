// A 10,000-row column report written to PDF by the report engine, against QPdfWriter drawing the same
// texts at the same positions directly. Both sides are warmed up, then run in alternating order; prints
// the median of the runs' ratios (processor time) as its last line.
#include "BenchTiming.h"
#include "platform/report/QuickRep.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int kRows = 10000;
constexpr int kRuns = 7;
const char *const kFields[] = {"C_OBJ", "ODBERATEL", "NAZOV", "MNOZSTVO", "CENA"};
const double kLeft[] = {8, 80, 280, 480, 580};

void fill(TMemoryCursor &data)
{
    for (int i = 0; i < kRows; ++i)
        data.append({QString::number(230000 + i), QStringLiteral("Odberateľ %1 s.r.o.").arg(i % 97),
                     QStringLiteral("Odliatok typ %1").arg(i % 13), QString::number(i % 500),
                     QStringLiteral("%1,50").arg(i % 1000)});
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    TMemoryCursor data({"C_OBJ", "ODBERATEL", "NAZOV", "MNOZSTVO", "CENA"},
                       QVector<ReportCursor::FieldKind>(5, ReportCursor::fkString));
    fill(data);

    TQuickRep rep;
    rep.ReportTitle = QStringLiteral("Zoznam");
    TQRBand *detail = rep.AddBand(rbDetail);
    detail->Height = 17;
    for (int f = 0; f < 5; ++f) {
        auto *t = detail->Add<TQRDBText>();
        t->DataField = QString::fromLatin1(kFields[f]);
        t->Left = kLeft[f];
        t->Width = 95;
    }
    rep.setCursor(&data);

    const QString enginePdf = dir.filePath("engine.pdf"), directPdf = dir.filePath("direct.pdf");
    auto engine = [&] {
        const double t = CpuMs();
        rep.printToPdf(enginePdf);
        return CpuMs() - t;
    };
    // The same texts at the same places, page by page, straight onto the writer.
    auto direct = [&] {
        const double t = CpuMs();
        QPdfWriter writer(directPdf);
        writer.setResolution(600);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        QPainter painter(&writer);
        const double scale = writer.resolution() / kReportDpi;
        QFont font = rep.Font;
        font.setPointSizeF(rep.Font.pointSizeF() * scale * 72.0 / writer.logicalDpiY());
        painter.setFont(font);
        const double top = MmToUnits(10), left = MmToUnits(10);
        const double bottom = rep.PaperSizeUnits().height() - MmToUnits(10);
        double y = top;
        for (data.first(); !data.eof(); data.next()) {
            if (y + 17 > bottom) {
                writer.newPage();
                y = top;
            }
            for (int f = 0; f < 5; ++f)
                painter.drawText(QRectF((left + kLeft[f]) * scale, y * scale, 95 * scale, 17 * scale),
                                 Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip | Qt::TextSingleLine,
                                 data.value(f).toString());
            y += 17;
        }
        painter.end();
        return CpuMs() - t;
    };
    // Both pay their first-use costs (fonts, the PDF writer) before anything is measured.
    engine();
    direct();
    std::vector<double> engineMs, directMs, ratios;
    for (int run = 0; run < kRuns; ++run) {
        double e, d;
        if (run % 2) {
            e = engine();
            d = direct();
        } else {
            d = direct();
            e = engine();
        }
        engineMs.push_back(e);
        directMs.push_back(d);
        ratios.push_back(d > 0 ? e / d : 0.0);
    }
    std::printf("pages: %d\n", rep.PageCount());
    std::printf("report: the report engine's pages against the same texts drawn directly: %d rows, %d runs, engine "
                "%.0f ms, direct %.0f ms (medians of processor time), median ratio %.2f\n",
                kRows, kRuns, Median(engineMs), Median(directMs), Median(ratios));
    return 0;
}
