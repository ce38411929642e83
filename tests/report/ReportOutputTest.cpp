// What leaves the report: text and delimited exports byte for byte, and a PDF read back as text.
#include "platform/report/QRExportFilter.h"
#include "platform/report/QuickRep.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Two records of a small list: a title at the left margin, name at the left, amount right-aligned.
struct SmallReport {
    TQuickRep rep;
    TMemoryCursor data{{"NAME", "AMOUNT"},
                       {ReportCursor::fkString, ReportCursor::fkString},
                       {{QStringLiteral("Odliatok; \"A\""), QStringLiteral("12")},
                        {QStringLiteral("Kryt <B> & spol."), QStringLiteral("7")}}};

    SmallReport()
    {
        rep.ReportTitle = QStringLiteral("Skúška");
        rep.Page.LeftMargin = rep.Page.TopMargin = 25.4; // one inch: 10 characters, 6 lines of text
        TQRBand *title = rep.AddBand(rbTitle);
        title->Height = 32;
        title->Add<TQRLabel>()->Caption = QStringLiteral("Zoznam dielov");
        TQRBand *detail = rep.AddBand(rbDetail);
        detail->Height = 16; // a sixth of an inch: one text line
        detail->Add<TQRDBText>()->DataField = "NAME";
        auto *amount = detail->Add<TQRDBText>();
        amount->DataField = "AMOUNT";
        amount->Left = 192; // right edge four inches from the paper's: the text ends at column 40
        amount->Width = 96;
        amount->Alignment = Qt::AlignRight;
        rep.setCursor(&data);
    }
};

QByteArray readAll(const QString &name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace

TEST(ReportOutput, TextExportPlacesItemsOnACharacterGrid)
{
    QTemporaryDir dir;
    SmallReport r;
    TQRAsciiExportFilter filter(dir.filePath("report.txt"));
    r.rep.exportToFilter(filter);
    const QByteArray expected = "\r\n\r\n\r\n\r\n\r\n\r\n"
                                "          Zoznam dielov\r\n"
                                "\r\n"
                                "          Odliatok; \"A\"               12\r\n"
                                "          Kryt <B> & spol.             7\r\n";
    EXPECT_EQ(QString::fromUtf8(readAll(dir.filePath("report.txt"))).toStdString(),
              QString::fromUtf8(expected).toStdString());
}

TEST(ReportOutput, CsvExportMakesOneRecordPerPrintedLine)
{
    QTemporaryDir dir;
    SmallReport r;
    TQRCSVExportFilter filter(dir.filePath("report.csv"));
    r.rep.exportToFilter(filter);
    EXPECT_EQ(readAll(dir.filePath("report.csv")),
              QByteArray("Zoznam dielov\r\n\"Odliatok; \"\"A\"\"\";12\r\nKryt <B> & spol.;7\r\n"));
}

TEST(ReportOutput, ExportToAFolderThatDoesNotExistIsAnError)
{
    SmallReport r;
    TQRCSVExportFilter filter("/nonexistent-folder/x/report.csv");
    EXPECT_ANY_THROW(r.rep.exportToFilter(filter));
}

TEST(ReportOutput, FiltersRegisterOnceByName)
{
    RegisterStandardExportFilters();
    RegisterStandardExportFilters();
    int text = 0;
    for (const auto &f : ExportFilters())
        text += f.Extension == "txt";
    EXPECT_EQ(text, 1);
    auto filter = ExportFilters().first().Create("x.txt");
    ASSERT_TRUE(filter);
    EXPECT_EQ(filter->FileName, "x.txt");
}

TEST(ReportOutput, PdfHoldsEveryPageAndItsTexts)
{
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    QTemporaryDir dir;
    TQuickRep rep;
    TQRBand *header = rep.AddBand(rbPageHeader);
    header->Height = 20;
    auto *page = header->Add<TQRSysData>();
    page->Data = qrsPageNumber;
    page->Text = QStringLiteral("Strana: ");
    TQRBand *detail = rep.AddBand(rbDetail);
    detail->Height = 17;
    detail->Add<TQRDBText>()->DataField = "N";
    TMemoryCursor data({"N"}, {ReportCursor::fkString});
    for (int i = 1; i <= 120; ++i)
        data.append({QStringLiteral("Položka č. %1").arg(i)});
    rep.setCursor(&data);
    const QString pdf = dir.filePath("out.pdf");
    rep.printToPdf(pdf);
    ASSERT_GE(rep.PageCount(), 2);
    QProcess p;
    p.start(pdftotext, {"-layout", pdf, "-"});
    ASSERT_TRUE(p.waitForFinished(60000)) << "pdftotext ends";
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_EQ(text.count("\f"), rep.PageCount());
    EXPECT_TRUE(text.contains("Strana: 1"));
    EXPECT_TRUE(text.contains(QStringLiteral("Strana: %1").arg(rep.PageCount())));
    EXPECT_TRUE(text.contains(QStringLiteral("Položka č. 1\n")) || text.contains(QStringLiteral("Položka č. 1 ")));
    EXPECT_TRUE(text.contains(QStringLiteral("Položka č. 120")));
}
