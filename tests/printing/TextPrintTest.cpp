// Plain text printed page by page: wrapping, pieces on one line, and text running on past the page's
// bottom onto the next page.
#include "PrintTestSupport.h"
#include "library/QTlacForm.h"
#include "library/TextPrint.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>

namespace {

class TextPrint : public ::testing::Test {
protected:
    void SetUp() override
    {
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(QPageSize::A5));
    }
    QTemporaryDir dir;
    QString pdf = dir.filePath("text.pdf");
    QPrinter printer{QPrinter::HighResolution};
};

TEST_F(TextPrint, PiecesWithoutNewLineContinueOnTheLineAndNewLineGoesBelow)
{
    TTextPrint job(&printer);
    job.PrintText("Od: ", false);
    const QPointF afterFrom = job.Pen();
    EXPECT_GT(afterFrom.x(), 0);
    EXPECT_EQ(afterFrom.y(), 0);
    job.PrintText("Novák", true);
    EXPECT_EQ(job.Pen().x(), 0);
    EXPECT_GT(job.Pen().y(), 0);
    const double oneLine = job.Pen().y();
    job.PrintText(QString("slovo ").repeated(200), true);
    EXPECT_GT(job.Pen().y(), oneLine * 5); // wrapped onto several lines
    EXPECT_EQ(job.PageCount(), 1);
    job.End();
    if (!HavePdfToText())
        GTEST_SKIP() << "pdftotext is not installed";
    EXPECT_TRUE(PdfText(pdf).contains(QString::fromUtf8("Od: Novák")));
}

TEST_F(TextPrint, ALongMessageRunsOnToNewPagesWithNothingCutOff)
{
    QStringList paragraph;
    for (int i = 1; i <= 120; ++i)
        paragraph << QStringLiteral("Riadok %1 správy").arg(i);
    TTextPrint job(&printer);
    job.PrintText(QString::fromUtf8("Interná správa"), true);
    job.PrintText(paragraph.join('\n'), true);
    EXPECT_GE(job.PageCount(), 3);
    EXPECT_LT(job.Pen().y(), job.PageSize().height());
    job.End();
    if (!HavePdfToText())
        GTEST_SKIP() << "pdftotext is not installed";
    const QString text = PdfText(pdf);
    EXPECT_EQ(text.count(QChar('\f')), job.PageCount());
    for (int i : {1, 40, 80, 119, 120})
        EXPECT_TRUE(text.contains(QStringLiteral("Riadok %1 správy").arg(i))) << i;
}

TEST_F(TextPrint, APieceBelowThePageStartsANewPage)
{
    TTextPrint job(&printer);
    const double lines = job.PageSize().height() / 10;
    int pieces = 0;
    while (job.PageCount() == 1 && pieces < 1000) {
        job.PrintText(QStringLiteral("kus %1").arg(++pieces), true);
        ASSERT_LE(job.Pen().y(), job.PageSize().height() + lines);
    }
    EXPECT_EQ(job.PageCount(), 2);
    EXPECT_LT(pieces, 1000);
}

TEST_F(TextPrint, TheProgramsJobGoesToThePrinterAndEndsWithOneCopy)
{
    Printer().setOutputFileName(pdf);
    Printer().setCopyCount(2);
    BeginTextPrint(QString::fromUtf8("Správa"));
    EXPECT_TRUE(TextPrintActive());
    PrintTextPage(QString::fromUtf8("Vec: "), false);
    PrintTextPage(QString::fromUtf8("odliatky"), true);
    EndTextPrint();
    EXPECT_FALSE(TextPrintActive());
    EXPECT_EQ(Printer().copyCount(), 1);
    Printer().setOutputFileName(QString());
    PrintTextPage("nothing without a job", true);
    if (!HavePdfToText())
        GTEST_SKIP() << "pdftotext is not installed";
    EXPECT_TRUE(PdfText(pdf).contains("Vec: odliatky"));
}

TEST_F(TextPrint, ACancelledPrintDialogStartsNoJob)
{
    WhenModal<QPrintDialog>([](QPrintDialog *d) { d->reject(); });
    EXPECT_FALSE(PrintTextDialog(QString::fromUtf8("Správa")));
    EXPECT_FALSE(TextPrintActive());
}

} // namespace
