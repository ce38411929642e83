// The XHTML export of report pages and the report data export, byte for byte.
#include "library/ReportDataExport.h"
#include "library/xQRAsciiExportFilter.h"
#include "library/xQRHTMLExportFilter.h"
#include "platform/os/Format.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString readAll(const QString &name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QStringLiteral("<missing>");
}

} // namespace

TEST(HtmlExport, WritesPagesAndItemsInMillimetres)
{
    QTemporaryDir dir;
    QFont report("Arial");
    report.setPointSizeF(10);
    TxQRHTMLExportFilter f(dir.filePath("r.htm"));
    f.ReportTitle = "Dodací list <1>";
    f.Start(2100, 2970, report);
    f.NewPage();
    f.TextOut(200, 155, report, Qt::black, Qt::white, Qt::AlignLeft, "Odberateľ");
    f.TextOut(1805, 300, report, Qt::black, Qt::white, Qt::AlignRight, "1 234,50");
    QFont bold = report;
    bold.setBold(true);
    f.TextOut(100, 400, bold, Qt::black, QColor(255, 255, 0), Qt::AlignLeft, "A & B <C>");
    f.EndPage();
    f.Finish();
    const QString expected =
        "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.1//EN\" \"http://www.w3.org/TR/xhtml11/DTD/xhtml11.dtd\">\r\n"
        "<html>\r\n<head>\r\n"
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\" />\r\n"
        " <title>Dodací list &lt;1&gt;</title>\r\n"
        " <style>\r\n"
        "body {margin:0px; padding:0px; border:0px; color:#000000;font-family:Arial;font-size:10pt;}\r\n"
        ".page {position:relative; width:210mm; height:297mm}\r\n"
        ".page div {position:absolute;overflow:visible;}\r\n"
        " </style>\r\n</head>\r\n<body>\r\n"
        "<div id=\"page1\" class=\"page\">\r\n"
        "<div style=\"top:16mm;left:20mm;\">Odberateľ</div>\r\n"
        "<div style=\"top:30mm;left:0mm;width:181mm;text-align:right;\">1 234,50</div>\r\n"
        "<div style=\"top:40mm;left:10mm;color:#000000;font-family:Arial;font-size:10pt;font-weight:bold;"
        "background-color:#ffff00;\">A &amp; B &lt;C&gt;</div>\r\n"
        "</div>\r\n</body>\r\n</html>\r\n";
    EXPECT_EQ(readAll(dir.filePath("r.htm")).toStdString(), expected.toStdString());
}

TEST(AsciiExport, TranslatesOnlyForeignLanguages)
{
    QTemporaryDir dir;
    for (int language : {0, 1}) {
        TxQRAsciiExportFilter f(dir.filePath("report.txt"), language);
        f.Translate = [](const QString &text, int) { return QString(text).replace("Dátum", "Datum"); };
        f.Start(2100, 2970, QFont());
        f.NewPage();
        f.TextOut(0, 0, QFont(), Qt::black, Qt::white, Qt::AlignLeft, "Dátum");
        f.EndPage();
        f.Finish();
        EXPECT_EQ(readAll(dir.filePath("report.txt")), language ? "Datum\r\n" : "Dátum\r\n");
    }
}

TEST(DataExport, QuotesTextsFormatsNumbersAndAddsTheExtension)
{
    QTemporaryDir dir;
    TMemoryCursor data({"C_OBJ", "NAZOV", "CENA", "FOTO"},
                       {ReportCursor::fkInteger, ReportCursor::fkString, ReportCursor::fkFloat, ReportCursor::fkBlob},
                       {{1201, QStringLiteral("Kryt \"A\"\r\nnový\nriadok"), 1234.5, QByteArray("\x01\x02")},
                        {7, QString(), 0.125, QVariant()}});
    data.setDisplayLabels({"Číslo", "", "Cena", "Foto"});
    const QString name = ExportReportData(data, dir.filePath("data"), "csv", ';');
    EXPECT_EQ(name, dir.filePath("data.csv"));
    const QString dec = FormatSettings().DecimalSeparator;
    EXPECT_EQ(readAll(name).toStdString(),
              (QStringLiteral("Číslo;NAZOV;Cena;Foto\r\n1201;\"Kryt \"\"A\"\" nový riadok\";1234") + dec +
               "5;\r\n7;\"\";0" + dec + "125;\r\n")
                  .toStdString());
    EXPECT_TRUE(data.eof());
    // A name with an extension keeps it; TAB separates.
    const QString txt = ExportReportData(data, dir.filePath("data.dat"), "txt", '\t');
    EXPECT_EQ(txt, dir.filePath("data.dat"));
    EXPECT_TRUE(readAll(txt).startsWith("Číslo\tNAZOV\tCena\tFoto\r\n"));
    EXPECT_ANY_THROW(ExportReportData(data, "/nonexistent-folder/x/data", "csv", ';'));
}
