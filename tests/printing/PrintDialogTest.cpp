// The print front end: stamping logo, company lines and signature into a report, and the print dialog's
// ways out (printer, screen, text to edit) with copies, summary only and language.
#include "PrintTestSupport.h"
#include "TestReports.h"
#include "common/PersonTyping.h"
#include "common/TempDatabase.h"
#include "common/WhenModal.h"
#include "library/QTlacForm.h"
#include "platform/os/Folders.h"
#include "platform/os/TextFile.h"
#include "platform/ui/BitBtn.h"
#include "platform/ui/ReportPreview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinterInfo>
#include "platform/ui/Dialogs.h"
#include <QLabel>
#include <QPrinter>
#include <QTemporaryDir>
#include <QWindow>

namespace {

QString utf(const char *s)
{
    return QString::fromUtf8(s);
}

class Stamping : public ::testing::Test {
protected:
    void SetUp() override
    {
        QImage logo(60, 30, QImage::Format_RGB32);
        logo.fill(Qt::darkBlue);
        ASSERT_TRUE(logo.save(logoFile, "BMP"));
        QImage signature(50, 20, QImage::Format_RGB32);
        signature.fill(Qt::white);
        ASSERT_TRUE(signature.save(signatureFile, "PNG"));
    }
    QTemporaryDir dir;
    QString logoFile = dir.filePath("logo.bmp");
    QString signatureFile = dir.filePath("podpis.jpg");
    TTestDocRep rep;
};

TEST_F(Stamping, LogoCompanyLinesAndSignatureAreOnThePage)
{
    TStringList lines{utf("Meno=Zlievareň, a.s."), utf("Mesto=017 01 Považská Bystrica"), "Telefon=042 111 222"};
    StampReport(&rep, &lines, logoFile, signatureFile);
    EXPECT_TRUE(rep.Logo->Center);
    EXPECT_TRUE(rep.Logo->Stretch);
    EXPECT_EQ(rep.Logo->Picture.size(), QSize(60, 30));
    EXPECT_EQ(rep.Podpis->Picture.size(), QSize(50, 20));
    EXPECT_FALSE(rep.Podpis->Stretch);
    rep.prepare();
    const QStringList texts = PageTexts(rep.Pages().at(0));
    EXPECT_TRUE(texts.contains(utf("Zlievareň, a.s.")));
    EXPECT_TRUE(texts.contains(utf("017 01 Považská Bystrica")));
    EXPECT_FALSE(texts.contains("042 111 222")); // no label QRTelefon: the line is skipped
    EXPECT_EQ(ItemCount(rep, TQRItem::Image), 2);
}

TEST_F(Stamping, DesignedPicturesAndMissingFilesLeaveTheReportAsDesigned)
{
    QImage designed(10, 10, QImage::Format_RGB32);
    designed.fill(Qt::green);
    rep.Logo->Picture = designed;
    StampReport(&rep, nullptr, logoFile, dir.filePath("none.jpg"));
    EXPECT_EQ(rep.Logo->Picture.size(), QSize(10, 10));
    EXPECT_FALSE(rep.Logo->Stretch);
    EXPECT_TRUE(rep.Podpis->Picture.isNull());
    EXPECT_EQ(rep.Meno->Caption, "(firma)");
}

TEST_F(Stamping, CreateReportMakesAReportTheApplicationKeeps)
{
    TTestDocRep *made = nullptr;
    TStringList lines{utf("Meno=Zlievareň, a.s.")};
    EXPECT_EQ(CreateReport(made, &lines), made);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->Meno->Caption, utf("Zlievareň, a.s."));
}

TEST_F(Stamping, TheSampleLogoLoads)
{
    StampReport(&rep, nullptr, TempDatabase::sourceDir() + "/share/logo.bmp", QString());
    EXPECT_FALSE(rep.Logo->Picture.isNull());
}

TEST_F(Stamping, AStampedReportGoesIntoAPdfWithItsTexts)
{
    if (!HavePdfToText())
        GTEST_SKIP() << "pdftotext is not installed";
    TStringList lines{utf("Meno=Zlievareň, a.s.")};
    StampReport(&rep, &lines, logoFile, signatureFile);
    TMemoryCursor rows({"NAZOV"}, {ReportCursor::fkString}, {{utf("Príruba DN100")}});
    rep.setCursor(&rows);
    const QString pdf = dir.filePath("out.pdf");
    rep.printToPdf(pdf);
    const QString text = PdfText(pdf);
    EXPECT_TRUE(text.contains(utf("Zlievareň, a.s."))) << text.toStdString();
    EXPECT_TRUE(text.contains(utf("Príruba DN100")));
    EXPECT_TRUE(text.contains(utf("Dodací list")));
}

// The dialog run on a report of two rows, with a word list in the current folder and the printer
// writing into a PDF file.
class PrintDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteFile(dir.filePath("slovnik.txt"), utf("Dodací list;Lieferschein;Delivery note\nSpolu;Summe;Total\n"
                                                   "Dátum;Datum;Date\n")
                                                   .toUtf8());
        FreeReporty(); // the translator reads the word list of this test
        RegisterReportClass<TTestDocRep>();
        rep.setCursor(&rows);
        Printer().setOutputFileName(pdf);
    }
    void TearDown() override
    {
        Printer().setOutputFileName(QString());
        FreeReporty();
    }
    QString pdfText() { return PdfText(pdf); }

    QTemporaryDir dir;
    CurrentFolderScope scope{dir.path()};
    QString pdf = dir.filePath("printer.pdf");
    TMemoryCursor rows{{"NAZOV"}, {ReportCursor::fkString}, {{utf("Príruba")}, {"Koleno"}}};
    TTestDocRep rep;
};

TEST_F(PrintDialog, EscapeShowsTheReportOnTheScreen)
{
    int previewed = 0;
    WhenModal<TQTlacForm>([&](TQTlacForm *f) {
        EXPECT_EQ(f->windowTitle(), utf("Tlač zostavy"));
        EXPECT_EQ(f->lTitle->text(), utf("Dodací list"));
        EXPECT_EQ(f->cbJazyk->currentText(), "SK");
        EXPECT_EQ(f->cbKopie->currentText(), "1");
        WhenModal<TReportPreview>([&](TReportPreview *p) {
            previewed = p->currentPage();
            p->reject();
        });
        QTest::keyClick(f, Qt::Key_Escape);
    });
    EXPECT_FALSE(PrintReport(&rep));
    EXPECT_EQ(previewed, 1);
    EXPECT_TRUE(PageTexts(rep.Pages().at(0)).contains("Koleno"));
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(PrintDialog, OpenedFromAModalWindowItStandsAboveThatWindow)
{
    TForm order;
    order.setWindowTitle(utf("Položka objednávky"));
    QWidget *parent = nullptr;
    QWindow *transient = nullptr;
    WhenModal<TForm>([&](TForm *f) {
        WhenModal<TQTlacForm>([&](TQTlacForm *p) {
            parent = p->parentWidget();
            transient = p->windowHandle()->transientParent();
            p->close();
        });
        PrintReport(&rep);
        f->SetModalResult(mrCancel);
    });
    order.ShowModal();
    EXPECT_EQ(parent, &order);
    EXPECT_EQ(transient, order.windowHandle());
    EXPECT_NE(QTlacForm()->parentWidget(), &order) << "kept beyond the window it was opened from";
}

TEST_F(PrintDialog, ClosingTheWindowDoesNothing)
{
    WhenModal<TQTlacForm>([](TQTlacForm *f) { f->close(); });
    EXPECT_FALSE(PrintReport(&rep, "Zoznam"));
    EXPECT_EQ(rep.PageCount(), 0);
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(PrintDialog, PrinterButtonPrintsTheCopiesAndSummaryOnly)
{
    WhenModal<TQTlacForm>([](TQTlacForm *f) {
        EXPECT_EQ(f->lTitle->text(), utf("Mesačný prehľad"));
        f->cbKopie->setCurrentText("2");
        f->cbSummary->setChecked(true);
        QTest::mouseClick(f->BitBtnTlac, Qt::LeftButton);
    });
    EXPECT_TRUE(PrintReport(&rep, utf("Mesačný prehľad")));
    EXPECT_EQ(rep.PrinterSettings.Copies, 2);
    EXPECT_FALSE(rep.Detail->Enabled);
    ASSERT_TRUE(QFile::exists(pdf));
    if (!HavePdfToText())
        GTEST_SKIP() << "pdftotext is not installed";
    const QString text = pdfText();
    EXPECT_TRUE(text.contains(utf("Dodací list")));
    EXPECT_TRUE(text.contains("Spolu"));
    EXPECT_FALSE(text.contains("Koleno"));

    // The next print starts from one copy with detail lines again.
    WhenModal<TQTlacForm>([](TQTlacForm *f) {
        EXPECT_FALSE(f->cbSummary->isChecked());
        EXPECT_EQ(f->cbKopie->currentText(), "1");
        QTest::keyClick(f, Qt::Key_Return); // the printer button is the default
    });
    EXPECT_TRUE(PrintReport(&rep));
    EXPECT_EQ(rep.PrinterSettings.Copies, 1);
    EXPECT_TRUE(rep.Detail->Enabled);
    EXPECT_TRUE(pdfText().contains("Koleno"));
}

TEST_F(PrintDialog, GermanPrintsTheTranslatedCopyWithTheChosenSettings)
{
    WhenModal<TQTlacForm>([](TQTlacForm *f) {
        f->cbJazyk->setCurrentText("DE");
        f->cbSummary->setChecked(true);
        QTest::mouseClick(f->BitBtnTlac, Qt::LeftButton);
    });
    EXPECT_TRUE(PrintReport(&rep));
    EXPECT_EQ(rep.Heading->Caption, utf("Dodací list"));
    ASSERT_TRUE(QFile::exists(pdf));
    if (!HavePdfToText())
        GTEST_SKIP() << "pdftotext is not installed";
    const QString text = pdfText();
    EXPECT_TRUE(text.contains("Lieferschein"));
    EXPECT_TRUE(text.contains("Summe"));
    EXPECT_FALSE(text.contains("Koleno"));
    EXPECT_FALSE(text.contains(utf("Dodací list")));
}

TEST_F(PrintDialog, ExportWritesTheReportsDataIntoTheChosenFile)
{
    const QString file = dir.filePath("data");
    TTestResponder answers;
    answers.FileAnswers.push_back(file);
    WhenModal<TQTlacForm>([](TQTlacForm *f) { QTest::mouseClick(f->BitBtn1, Qt::LeftButton); });
    EXPECT_FALSE(PrintReport(&rep));
    bool ok = false;
    EXPECT_EQ(ReadTextFile(file + ".csv", &ok), utf("NAZOV\r\n\"Príruba\"\r\n\"Koleno\"\r\n"));
    EXPECT_TRUE(ok);
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(PrintDialog, EditBeforePrintingWritesTranslatedTextAndPrintsNothing)
{
    qputenv("VISUAL", "true"); // an editor that ends at once
    const QString textFile = ProgramFolder() + "report.txt";
    QFile::remove(textFile);
    WhenModal<TQTlacForm>([](TQTlacForm *f) {
        QTest::mouseClick(f->cbFile, Qt::LeftButton);
        EXPECT_TRUE(f->cbJazyk->isEnabled());
        QTest::mouseClick(f->cbFile, Qt::LeftButton);
        EXPECT_FALSE(f->cbJazyk->isEnabled());
        QTest::mouseClick(f->cbFile, Qt::LeftButton);
        f->cbJazyk->setCurrentText("EN");
        QTest::mouseClick(f->BitBtnTlac, Qt::LeftButton);
    });
    EXPECT_TRUE(PrintReport(&rep));
    qunsetenv("VISUAL");
    EXPECT_FALSE(QFile::exists(pdf));
    bool ok = false;
    const QString text = ReadTextFile(textFile, &ok);
    QFile::remove(textFile);
    ASSERT_TRUE(ok);
    EXPECT_TRUE(text.contains("Delivery note"));
    EXPECT_TRUE(text.contains("Total"));
    EXPECT_TRUE(text.contains("Koleno"));
}

TEST_F(PrintDialog, WithoutAPrinterThePrinterButtonOffersTheFileAsThePreviewDoes)
{
    if (!QPrinterInfo::defaultPrinterName().isEmpty())
        GTEST_SKIP() << "this machine has a printer set up";
    Printer().setOutputFileName(QString()); // the program's printer as a real run has it
    const QString chosen = dir.filePath(utf("tlačiareň.pdf"));
    for (const bool accepted : {false, true}) {
        SCOPED_TRACE(accepted ? "file chosen" : "cancelled");
        bool fileOffered = false;
        WhenModal<TQTlacForm>([&](TQTlacForm *f) {
            WhenModal<QPrintDialog>(
                [&](QPrintDialog *d) {
                    auto *printers = d->findChild<QComboBox *>(QStringLiteral("printers"));
                    auto *name = d->findChild<QLineEdit *>(QStringLiteral("filename"));
                    auto *buttons = d->findChild<QDialogButtonBox *>();
                    ASSERT_TRUE(printers && name && buttons);
                    fileOffered = printers->currentIndex() == printers->count() - 1 && name->isEnabled();
                    if (!accepted) {
                        Press(Qt::Key_Escape);
                        return;
                    }
                    ASSERT_TRUE(TabTo(name));
                    Press(Qt::Key_A, Qt::ControlModifier);
                    Type(chosen);
                    ClickOn(buttons->button(QDialogButtonBox::Ok));
                },
                f);
            Press(Qt::Key_Return); // the printer button is the default
        });
        EXPECT_TRUE(PrintReport(&rep));
        EXPECT_TRUE(fileOffered) << "the print into a file is the dialog's choice";
        EXPECT_EQ(QFile::exists(chosen), accepted);
    }
    if (!HavePdfToText())
        GTEST_SKIP() << "pdftotext is not installed";
    EXPECT_TRUE(PdfText(chosen).contains("Koleno"));
}

} // namespace
