// The word list and the translated copies of reports.
#include "PrintTestSupport.h"
#include "TestReports.h"
#include "common/TempDatabase.h"
#include "library/QTlacForm.h"
#include "library/xReporty.h"
#include "library/xSlovnik.h"
#include "platform/os/Exception.h"
#include "platform/os/Folders.h"
#include "platform/ui/Dialogs.h"

#include <QTemporaryDir>

namespace {

QString pad(const QString &s)
{
    return s.leftJustified(40, QLatin1Char(' '));
}

// A word list of both line forms in a temporary folder that is the current folder while it lives.
class WordListFolder {
public:
    WordListFolder()
    {
        const QString lines = QStringLiteral("Dodací list;Lieferschein;Delivery note\n"
                                             "Dátum;Datum;Date\n"
                                             "Cena;Preis;Price\n"
                                             "list;Blatt;Sheet\n"
                                             "\n") +
                              pad(QStringLiteral("Množstvo")) + pad(QStringLiteral("Menge")) +
                              QStringLiteral("Quantity   \r\n") + QStringLiteral("Poznámka\n") +
                              QStringLiteral("Spolu;Summe;Total\n");
        WriteFile(dir.filePath("slovnik.txt"), lines.toUtf8());
    }
    QTemporaryDir dir;
    CurrentFolderScope scope{dir.path()};
};

TEST(WordList, ReadsBothLineFormsEveryLineAnEntry)
{
    WordListFolder folder;
    TxSlovnik s;
    ASSERT_EQ(s.Count(), 8);
    EXPECT_EQ(s.Entries()[1].Text[1], "Datum");
    EXPECT_EQ(s.Entries()[4].Text[0], "");
    EXPECT_EQ(s.Entries()[5].Text[0], QString::fromUtf8("Množstvo"));
    EXPECT_EQ(s.Entries()[5].Text[1], "Menge");
    EXPECT_EQ(s.Entries()[5].Text[2], "Quantity");
    EXPECT_EQ(s.Entries()[6].Text[1], "");
}

TEST(WordList, WholeCaptionsAreLookedUpExactlyAfterTrailingBlanks)
{
    WordListFolder folder;
    TxSlovnik s;
    EXPECT_EQ(s.TranslateWord(QString::fromUtf8("Dátum"), lngDE), "Datum");
    EXPECT_EQ(s.TranslateWord(QString::fromUtf8("Dátum "), lngDE), "Datum");
    EXPECT_EQ(s.TranslateWord(QString::fromUtf8("Dátum"), lngEN), "Date");
    EXPECT_EQ(s.TranslateWord(QString::fromUtf8("dátum"), lngDE), QString::fromUtf8("dátum"));
    EXPECT_EQ(s.TranslateWord(QString::fromUtf8("Množstvo"), lngEN), "Quantity");
    EXPECT_EQ(s.TranslateWord("   ", lngDE), "");
    EXPECT_EQ(s.TranslateWord(QString::fromUtf8("Neznáme slovo"), lngDE), QString::fromUtf8("Neznáme slovo"));
    EXPECT_EQ(s.TranslateWord(QString::fromUtf8("Dátum"), lngSK), QString::fromUtf8("Dátum"));
}

TEST(WordList, PhrasesAreReplacedInFileOrderInAnyCaseAndInsideWords)
{
    WordListFolder folder;
    TxSlovnik s;
    // The longer phrase comes first, so "list" inside it is not translated on its own.
    EXPECT_EQ(s.TranslateText(QString::fromUtf8("DODACÍ LIST č. 5, list 2"), lngDE),
              QString::fromUtf8("Lieferschein č. 5, Blatt 2"));
    EXPECT_EQ(s.TranslateText(QString::fromUtf8("Jednotková cena, cenami"), lngEN), "Jednotková Price, Pricemi");
    EXPECT_EQ(s.TranslateText(QString::fromUtf8("Dátum"), lngSK), QString::fromUtf8("Dátum"));
}

TEST(WordList, ALineWithoutTheLanguagesTextBlanksTheCaption)
{
    WordListFolder folder;
    TxSlovnik s;
    EXPECT_EQ(s.TranslateWord(QString::fromUtf8("Poznámka"), lngDE), "");
    EXPECT_EQ(s.TranslateWord(QString::fromUtf8("Poznámka"), lngEN), "");
    EXPECT_EQ(s.TranslateText(QString::fromUtf8("Poznámka: spolu"), lngEN), ": Total");
    EXPECT_EQ(s.TranslateWord(QString::fromUtf8("Poznámka"), lngSK), QString::fromUtf8("Poznámka"));
}

TEST(WordList, ATranslationThatKeepsGrowingIsAbandoned)
{
    QTemporaryDir dir;
    // Each line doubles what the one before left: "a" would become 2^24 characters.
    QString lines;
    for (int i = 0; i < 24; ++i)
        lines += QStringLiteral("a;aa;aa\n");
    WriteFile(dir.filePath("slovnik.txt"), lines.toUtf8());
    TxSlovnik s{TxSlovnik::Empty{}};
    s.LoadFromFile(dir.filePath("slovnik.txt"));
    EXPECT_EQ(s.TranslateText("a", lngDE), "a") << "past 100 times its length: untranslated";
    const QString page = QString(1000, QLatin1Char('x')) + QLatin1Char('a');
    EXPECT_EQ(s.TranslateText(page, lngEN), page) << "past 64 KB: untranslated";

    // Growth within the bounds is kept: a chain of three doublings.
    TxSlovnik few{TxSlovnik::Empty{}};
    WriteFile(dir.filePath("few.txt"), QByteArray("a;aa;aa\na;aa;aa\na;aa;aa\n"));
    few.LoadFromFile(dir.filePath("few.txt"));
    EXPECT_EQ(few.TranslateText("a", lngDE), "aaaaaaaa");
}

TEST(WordList, MissingFileSaysSoAndTranslatesNothing)
{
    QTemporaryDir empty;
    CurrentFolderScope scope(empty.path());
    if (!TxSlovnik::DefaultFileName().isEmpty())
        GTEST_SKIP() << "a word list lies beside the test program";
    TTestResponder answers;
    TxSlovnik s;
    EXPECT_EQ(answers.Texts(), QStringList{"slovnik.txt neexistuje!"});
    EXPECT_EQ(s.Count(), 0);
    EXPECT_EQ(s.TranslateWord(QString::fromUtf8("Dátum"), lngDE), QString::fromUtf8("Dátum"));
    EXPECT_THROW(s.LoadFromFile(empty.filePath("missing.txt")), Exception);
}

TEST(WordList, TheSampleListTranslatesTheDocumentCaptions)
{
    TxSlovnik s{TxSlovnik::Empty{}};
    s.LoadFromFile(TempDatabase::sourceDir() + "/share/slovnik.txt");
    EXPECT_GT(s.Count(), 50);
    EXPECT_EQ(s.TranslateWord(QString::fromUtf8("Potvrdenie objednávky"), lngDE),
              QString::fromUtf8("Auftragsbestätigung"));
    EXPECT_EQ(s.TranslateWord(QString::fromUtf8("Množstvo"), lngEN), "Quantity");
    EXPECT_EQ(s.TranslateText(QString::fromUtf8("Dodací list č. 26/0045   Dátum vystavenia: 1.2.2026"), lngEN),
              "Delivery note No. 26/0045   Date of issue: 1.2.2026");
}

class TranslatedReports : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterReportClass<TTestDocRep>();
        rep.setCursor(&rows);
    }
    WordListFolder folder;
    TMemoryCursor rows{{"NAZOV"}, {ReportCursor::fkString}, {{QString::fromUtf8("Príruba")}, {"Koleno"}}};
    TTestDocRep rep;
};

TEST_F(TranslatedReports, CopyTranslatesLabelsButNotData)
{
    TxReporty reporty;
    TQuickRep *copy = reporty.TranslatedReport(&rep, lngDE);
    ASSERT_NE(copy, &rep);
    EXPECT_EQ(copy->Name, "TestDocQRRep_DE");
    copy->prepare();
    const QStringList texts = ReportTexts(*copy);
    EXPECT_TRUE(texts.contains("Lieferschein"));
    EXPECT_TRUE(texts.contains("Datum"));
    EXPECT_TRUE(texts.contains("Summe"));
    EXPECT_TRUE(texts.contains(QString::fromUtf8("Príruba")));
    EXPECT_TRUE(texts.contains("Koleno"));
    // The Slovak report itself is untouched.
    EXPECT_EQ(rep.Heading->Caption, QString::fromUtf8("Dodací list"));
    EXPECT_EQ(reporty.TranslatedReport(&rep, lngSK), &rep);
}

TEST_F(TranslatedReports, CopyKeepsWhatWasSetOnTheReportAtRunTime)
{
    QTemporaryDir files;
    QImage logo(40, 20, QImage::Format_RGB32);
    logo.fill(Qt::red);
    ASSERT_TRUE(logo.save(files.filePath("logo.bmp")));
    TStringList company{QString::fromUtf8("Meno=Zlievareň, a.s."), QString::fromUtf8("Mesto=Považská Bystrica")};
    StampReport(&rep, &company, files.filePath("logo.bmp"), QString());
    rep.PrinterSettings.Copies = 3;
    rep.Detail->Enabled = false; // summary only
    rep.Mesto->Enabled = false;

    TxReporty reporty;
    TQuickRep *copy = reporty.TranslatedReport(&rep, lngEN);
    EXPECT_EQ(copy->PrinterSettings.Copies, 3);
    EXPECT_FALSE(copy->Band(rbDetail)->Enabled);
    auto *copyLogo = copy->Find<TQRImage>("QRlogo");
    ASSERT_NE(copyLogo, nullptr);
    EXPECT_FALSE(copyLogo->Picture.isNull());
    EXPECT_TRUE(copyLogo->Stretch);
    copy->prepare();
    const QStringList texts = ReportTexts(*copy);
    EXPECT_TRUE(texts.contains(QString::fromUtf8("Zlievareň, a.s.")));
    EXPECT_FALSE(texts.contains(QString::fromUtf8("Považská Bystrica")));
    EXPECT_FALSE(texts.contains("Koleno"));
    EXPECT_TRUE(texts.contains("Delivery note"));
    EXPECT_EQ(ItemCount(*copy, TQRItem::Image), 1);

    // Printed again with other settings: the same copy, brought up to date.
    rep.PrinterSettings.Copies = 1;
    rep.Detail->Enabled = true;
    EXPECT_EQ(reporty.TranslatedReport(&rep, lngEN), copy);
    EXPECT_EQ(reporty.CopyCount(), 1);
    EXPECT_EQ(copy->PrinterSettings.Copies, 1);
    copy->prepare();
    EXPECT_TRUE(ReportTexts(*copy).contains("Koleno"));
    EXPECT_TRUE(ReportTexts(*copy).contains("Delivery note"));
    EXPECT_NE(reporty.TranslatedReport(&rep, lngDE), copy);
    EXPECT_EQ(reporty.CopyCount(), 2);
}

TEST_F(TranslatedReports, ALayoutMadeForTheLanguageIsUsedInsteadOfTheSlovakOne)
{
    RegisterReportResource("TTestDocQRRep_DE", [] {
        auto r = std::make_unique<TTestDocRep>();
        r->Heading->Left = 20;
        return std::unique_ptr<TQuickRep>(std::move(r));
    });
    TxReporty reporty;
    auto *copy = dynamic_cast<TTestDocRep *>(reporty.TranslatedReport(&rep, lngDE));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->Heading->Left, 20);
    EXPECT_EQ(copy->Heading->Caption, "Lieferschein");
    RegisterReportResource("TTestDocQRRep_DE", nullptr);
}

} // namespace
