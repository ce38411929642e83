// The print dialog and the preview driven as a person drives them: the report shown on the screen from the
// print dialog, paged by the buttons and the keys, closed by Escape, by "Zavrieť" and by the window's close
// button; printed from the preview through the printer dialog into a chosen file, or not when that dialog is
// cancelled; an export that fails said in the error box with the preview still open; the print dialog
// answered with the printer and with its window closed.
#include "common/PersonTyping.h"
#include "PrintTestSupport.h"
#include "TestReports.h"
#include "common/HostileCorpus.h"
#include "library/QTlacForm.h"
#include "platform/report/QRExportFilter.h"
#include "platform/report/ReportCursor.h"
#include "platform/ui/BitBtn.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ReportPreview.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QWindow>

namespace {

class Preview : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Enough rows for several pages.
        for (int i = 1; i <= 200; ++i)
            rows.append({QString::fromUtf8("Príruba č. %1").arg(i)});
        rep.setCursor(&rows);
        Printer().setOutputFileName(printerPdf);
    }
    void TearDown() override { Printer().setOutputFileName(QString()); }

    QTemporaryDir dir;
    QString printerPdf = dir.filePath("tlaciaren.pdf");
    TMemoryCursor rows{{"NAZOV"}, {ReportCursor::fkString}};
    TTestDocRep rep;
};

TEST_F(Preview, ShownFromThePrintDialogPagedByButtonsAndKeysAndClosedByEscape)
{
    int pages = 0;
    QList<int> seen;
    WhenModal<TQTlacForm>([&](TQTlacForm *f) {
        WhenModal<TReportPreview>([&](TReportPreview *p) {
            pages = rep.PageCount();
            seen << p->currentPage();
            QTest::mouseClick(p->BtnNext, Qt::LeftButton);
            seen << p->currentPage();
            QTest::keyClick(p, Qt::Key_PageDown);
            seen << p->currentPage();
            QTest::mouseClick(p->BtnLast, Qt::LeftButton);
            QTest::mouseClick(p->BtnNext, Qt::LeftButton);
            seen << p->currentPage();
            QTest::keyClick(p, Qt::Key_PageUp);
            seen << p->currentPage();
            QTest::mouseClick(p->BtnFirst, Qt::LeftButton);
            QTest::mouseClick(p->BtnPrior, Qt::LeftButton);
            seen << p->currentPage();
            QTest::keyClick(p, Qt::Key_Escape);
        });
        // The print dialog's Escape is its "Obrazovka".
        QTest::keyClick(f, Qt::Key_Escape);
    });
    EXPECT_FALSE(PrintReport(&rep));
    ASSERT_GT(pages, 3);
    EXPECT_EQ(seen, QList<int>({1, 2, 3, pages, pages - 1, 1}));
    EXPECT_FALSE(QFile::exists(printerPdf));
}

TEST_F(Preview, ClosedByItsButtonAndByTheWindowsCloseButton)
{
    int closed = 0;
    WhenModal<TReportPreview>([&](TReportPreview *p) {
        ++closed;
        QTest::mouseClick(p->BtnClose, Qt::LeftButton);
    });
    TReportPreview::Preview(&rep);
    WhenModal<TReportPreview>([&](TReportPreview *p) {
        ++closed;
        p->windowHandle()->close(); // as the title bar's close button does
    });
    TReportPreview::Preview(&rep);
    EXPECT_EQ(closed, 2);
}

TEST_F(Preview, PrintsThroughThePrinterDialogIntoTheChosenFileOrNotWhenItIsCancelled)
{
    const QString chosen = dir.filePath(QString::fromUtf8("náhľad.pdf"));
    WhenModal<TReportPreview>([&](TReportPreview *p) {
        WhenModal<QPrintDialog>([](QPrintDialog *d) { QTest::keyClick(d, Qt::Key_Escape); });
        QTest::mouseClick(p->BtnPrint, Qt::LeftButton);
        EXPECT_FALSE(QFile::exists(chosen)) << "cancelled: nothing printed";

        WhenModal<QPrintDialog>([&](QPrintDialog *d) {
            // Into a file: the printer list's file entry, the file's name typed.
            if (auto *printers = d->findChild<QComboBox *>(QStringLiteral("printers")))
                printers->setCurrentIndex(printers->count() - 1);
            auto *name = d->findChild<QLineEdit *>(QStringLiteral("filename"));
            auto *buttons = d->findChild<QDialogButtonBox *>();
            ASSERT_TRUE(name && name->isEnabled() && buttons);
            TabTo(name);
            TypeText(name, chosen);
            QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
        });
        QTest::mouseClick(p->BtnPrint, Qt::LeftButton);
        EXPECT_TRUE(QFile::exists(chosen));
        EXPECT_TRUE(p->isVisible()) << "the preview stays after printing";
        QTest::keyClick(p, Qt::Key_Escape);
    });
    TReportPreview::Preview(&rep);
    ASSERT_TRUE(QFile::exists(chosen));
    EXPECT_FALSE(QFile::exists(printerPdf)) << "the program's printer was not used";
    if (!HavePdfToText())
        GTEST_SKIP() << "pdftotext is not installed";
    const QString text = PdfText(chosen);
    EXPECT_TRUE(text.contains(QString::fromUtf8("Príruba č. 1"))) << text.left(200).toStdString();
    EXPECT_TRUE(text.contains(QString::fromUtf8("Príruba č. 200")));
}

TEST_F(Preview, AnExportThatFailsIsSaidInTheErrorBoxAndThePreviewStays)
{
    RegisterStandardExportFilters();
    TTestResponder answers;
    answers.FileAnswers = {dir.filePath(QStringLiteral("chyba/zoznam.csv"))};
    bool stayed = false;
    WhenModal<TReportPreview>([&](TReportPreview *p) {
        QTest::mouseClick(p->BtnExport, Qt::LeftButton);
        stayed = p->isVisible();
        QTest::mouseClick(p->BtnClose, Qt::LeftButton);
    });
    TReportPreview::Preview(&rep);
    EXPECT_TRUE(stayed);
    ASSERT_EQ(answers.Messages.size(), 1) << answers.Texts().join('\n').toStdString();
    EXPECT_EQ(answers.Messages[0].Type, mtError);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("chyba/zoznam.csv"))));
}

TEST_F(Preview, ThePrintDialogAnsweredWithThePrinterPrintsAndClosedPrintsNothing)
{
    WhenModal<TQTlacForm>([](TQTlacForm *f) { f->windowHandle()->close(); });
    EXPECT_FALSE(PrintReport(&rep));
    EXPECT_FALSE(QFile::exists(printerPdf));
    EXPECT_EQ(rep.PageCount(), 0) << "not even laid out";

    WhenModal<TQTlacForm>([](TQTlacForm *f) { QTest::mouseClick(f->BitBtnTlac, Qt::LeftButton); });
    EXPECT_TRUE(PrintReport(&rep));
    EXPECT_TRUE(QFile::exists(printerPdf));
    EXPECT_GT(rep.PageCount(), 3);
}

} // namespace
