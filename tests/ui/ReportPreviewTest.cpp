// The report preview on a small screen and its export to a file named without an extension.
#include "platform/report/QRExportFilter.h"
#include "platform/report/QuickRep.h"
#include "platform/report/ReportCursor.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ReportPreview.h"

#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(Preview, FitsTheScreensFreeAreaAndExportsATypedNameWithItsExtension)
{
    TMemoryCursor rows{{"NAZOV"}, {ReportCursor::fkString}, {{QString::fromUtf8("Príruba")}, {"Koleno"}}};
    TQuickRep rep;
    rep.ReportTitle = QStringLiteral("Zoznam");
    rep.AddBand(rbDetail)->Add<TQRDBText>()->DataField = QStringLiteral("NAZOV");
    rep.setCursor(&rows);
    TReportPreview preview(&rep);
    preview.show();
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(area.contains(preview.geometry()))
        << "screen " << area.width() << "x" << area.height() << ", preview " << preview.width() << "x"
        << preview.height() << " at " << preview.x() << "," << preview.y();

    RegisterStandardExportFilters();
    QString csvFilter;
    for (const auto &f : ExportFilters())
        if (f.Extension == "csv")
            csvFilter = QStringLiteral("%1 (*.%2)").arg(f.FilterName, f.Extension);
    ASSERT_FALSE(csvFilter.isEmpty());
    QTemporaryDir dir;
    TTestResponder answers;
    answers.FileAnswers = {dir.filePath("zoznam"), dir.filePath("iny.dat")};
    answers.FilterAnswers = {csvFilter, csvFilter};
    preview.exportReport();
    EXPECT_TRUE(QFile::exists(dir.filePath("zoznam.csv")));
    EXPECT_FALSE(QFile::exists(dir.filePath("zoznam")));
    preview.exportReport();
    EXPECT_TRUE(QFile::exists(dir.filePath("iny.dat"))) << "a name with its own extension keeps it";
}
