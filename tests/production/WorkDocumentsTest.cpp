// The printed documents of the workshop, page by page: the daily work-plan sheet and the list of hand-overs,
// each long enough to go on over a second page, and the capacity plan.
#include "ProductionFixture.h"

#include "look/DocumentRules.h"
#include "production/DMOdv.h"
#include "production/SOdvQR1Rep.h"
#include "production/SPlanForm.h"
#include "production/SPlanQR1Rep.h"
#include "production/SPlanPraceForm.h"
#include "production/SPlanQR2Rep.h"
#include "shell/DMZal.h"
#include "platform/ui/RadioGroup.h"

#include <QApplication>
#include <QTabWidget>

#include <QRegularExpression>

namespace {

// The texts of each page, trimmed, blanks left out.
std::vector<QStringList> pageTexts(TQuickRep &report)
{
    report.prepare();
    std::vector<QStringList> pages;
    for (const TQRPage &page : report.Pages()) {
        QStringList texts;
        for (const TQRItem &item : page.items)
            if (item.kind == TQRItem::Text && !item.text.trimmed().isEmpty())
                texts << item.text.trimmed();
        pages.push_back(texts);
    }
    return pages;
}

// Every fault a reader would see on the pages: texts over each other or off the printable area.
void expectReadable(const TQuickRep &report, const char *document)
{
    for (const DocumentFault &fault : DocumentFaults(report))
        ADD_FAILURE() << fault.describe(QString::fromLatin1(document)).toStdString();
}

bool anyMatches(const QStringList &texts, const QString &pattern)
{
    return !texts.filter(QRegularExpression(pattern)).isEmpty();
}

} // namespace

class WorkDocumentsTest : public ProductionTest {};

// Thirty operations of one job are planned, all but the last with an employee: the sheet lists the 29 over
// two pages, each page under the whole column head, and sums the norm hours of what it lists.
TEST_F(WorkDocumentsTest, TheWorkPlanSheetListsTheAssignedOperationsOverPages)
{
    workplace(QStringLiteral("FORM"));
    openJob(260001, 2, "2026-04-01", 40);
    for (int op = 1; op <= 30; ++op) {
        exec(QStringLiteral("insert into ZAKOPERACIE (C_INT, C_OPERACIE, OPERACIA, PRACOVISKO, CAS_JED) values "
                            "(260001, %1, 'F%2', 'FORM', 6)")
                 .arg(op * 10)
                 .arg(op, 2, 10, QLatin1Char('0')));
        exec(QStringLiteral("insert into SPLAN (OBDOBIE, C_INT, C_OPERACIE, MNOZ_PLAN, ZACIATOK, OSC, STROJ) values "
                            "('TYZDEN', 260001, %1, 2, '2026-03-16', %2, 'S%3')")
                 .arg(op * 10)
                 .arg(op < 30 ? 100 + op : 0)
                 .arg(op));
    }
    vyroba->SetWorkPlanText();
    vyroba->OpenWorkPlan(QStringLiteral("TYZDEN"), QDate(2026, 3, 19), QString(), true);
    ASSERT_EQ(vyroba->QSPlan.RecordCount(), 30);
    TSPlanPraceForm form;
    TSPlanQR2Rep &sheet = form.Report();
    const std::vector<QStringList> pages = pageTexts(sheet);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(sheet.Page.Orientation, QPageLayout::Landscape);

    const QStringList head{"č.Zákazky",
                           "č.Výrobku",
                           "Názov výrobku",
                           "Op.",
                           "Os.č.",
                           "Stroj",
                           "Plánované",
                           "množstvo",
                           "Materiál",
                           "Dávka",
                           "Teplota",
                           "Naplynenie",
                           "Uvoľnenie",
                           "Rozmery",
                           "Čas",
                           "Skutočné",
                           "Zmätky",
                           "O T K",
                           "N E Z H O D N É   V Ý R O B K Y",
                           "001",
                           "Lunker",
                           "004",
                           "St.zv.",
                           "005",
                           "Sťaž.",
                           "006",
                           "Nedol.",
                           "007",
                           "Nástr.",
                           "008",
                           "Defor.",
                           "009",
                           "Presa.",
                           "010",
                           "Zadro.",
                           "011",
                           "Rozm.",
                           "012",
                           "Zlo.ja.",
                           "013",
                           "Záliat.",
                           "019",
                           "Iné"};
    for (const QStringList &page : pages)
        for (const QString &caption : head)
            EXPECT_TRUE(page.contains(caption)) << caption.toStdString() << " missing on a page";
    EXPECT_TRUE(pages[0].contains(QString::fromUtf8("Plánovanie a sumarizácia dennej výroby")));
    EXPECT_FALSE(pages[1].contains(QString::fromUtf8("Plánovanie a sumarizácia dennej výroby"))) << "first page only";
    EXPECT_TRUE(pages[1].contains("Strana 2"));

    // Each assigned operation once, in its order, with its employee, machine, number, code and plan.
    QStringList all;
    for (const QStringList &page : pages)
        all << page;
    int previous = -1;
    for (int op = 1; op < 30; ++op) {
        const int at = all.indexOf(QStringLiteral("S%1").arg(op));
        ASSERT_GE(at, 0) << "operation " << op;
        EXPECT_GT(at, previous);
        previous = at;
        EXPECT_TRUE(all.contains(QString::number(100 + op)));
        EXPECT_TRUE(all.contains(QString::number(op * 10)));
        EXPECT_TRUE(all.contains(QStringLiteral("F%1").arg(op, 2, 10, QLatin1Char('0'))));
    }
    EXPECT_FALSE(all.contains("S30")) << "an operation without an employee stays off the sheet";
    EXPECT_EQ(all.count("26/0001"), 29);
    EXPECT_EQ(all.count("V1"), 29);

    // 29 × 2 pieces × 6 minutes; the signatures and the date of the print end the last page.
    EXPECT_TRUE(anyMatches(pages[1], QStringLiteral("^5[.,]8 NHod\\.$"))) << pages[1].join('|').toStdString();
    for (const char *sign : {"Plánoval:", "Zmena / MRV:", "Dátum:"})
        EXPECT_TRUE(pages[1].contains(QString::fromUtf8(sign))) << sign;
    EXPECT_FALSE(pages[0].contains(QString::fromUtf8("Plánoval:")));
    expectReadable(sheet, "Plán práce");
}

// An empty plan still prints its head and a zero sum, and nothing else.
TEST_F(WorkDocumentsTest, AnEmptyWorkPlanSheetPrintsItsHeadOnly)
{
    vyroba->SetWorkPlanText();
    vyroba->OpenWorkPlan(QStringLiteral("TYZDEN"), QDate(2026, 3, 19), QString(), true);
    TSPlanPraceForm form;
    const std::vector<QStringList> pages = pageTexts(form.Report());
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(pages[0].contains(QString::fromUtf8("Plánovanie a sumarizácia dennej výroby")));
    EXPECT_TRUE(anyMatches(pages[0], QStringLiteral("^0[.,]0 NHod\\.$"))) << pages[0].join('|').toStdString();
}

class HandOverListTest : public ProductionTest {
protected:
    void SetUp() override
    {
        ProductionTest::SetUp();
        if (HasFatalFailure())
            return;
        odv = std::make_unique<TDMOdv>();
        // Two customers; the second pays in CZK.
        openJob(260001, 100, "2026-04-01", 40);
        openJob(260002, 100, "2026-04-01", 40);
        exec(QString::fromUtf8("update ZAKAZKY set ODBERATEL='Alfa Žilina' where C_OBJ='Z260001'"));
        exec(QString::fromUtf8("update ZAKAZKY set ODBERATEL='Beta Brno' where C_OBJ='Z260002'"));
    }
    void TearDown() override
    {
        DMZal->QTlac.Close();
        odv.reset();
        ProductionTest::TearDown();
    }
    // A hand-over of a day: 10 a piece for material (none for `noMaterial`), 4 of wages, price 50; in the
    // customer's currency 51 EUR or 1250 CZK.
    void handOver(int job, int document, int pieces, bool czk = false, bool noMaterial = false)
    {
        exec(QStringLiteral(
                 "insert into SODVODY (DATUM, C_INT, C_DOKLADU, C_DAVKY, MNOZSTVO, STREDISKO, SKLAD, C_FAKTURY, KURZ, "
                 "VAHA1, MAT1, MZD1, ODVMZD1, VYRREZ1, SPRREZ1, OVN1, NAKL1, CENA1, PRID_MAT1, PRID_DOP1, MIM1, "
                 "CENA_KURZ1, MENA, STAV_ODV) values ('2026-03-%1', %2, %3, 0, %4, 'S1', 'V', 'F%3', %5, 2, %6, 4, 1, "
                 "2, 3, 5, 20, 50, 1, 0.5, 6, %7, '%8', 0)")
                 .arg(QString::number(1 + document % 28), QString::number(job), QString::number(document),
                      QString::number(pieces), czk ? QStringLiteral("25") : QStringLiteral("1"),
                      noMaterial ? QStringLiteral("0") : QStringLiteral("10"),
                      czk ? QStringLiteral("1250") : QStringLiteral("51"),
                      czk ? QStringLiteral("CZK") : QStringLiteral("EUR")));
    }
    std::unique_ptr<TDMOdv> odv;
};

// Forty unprinted hand-overs of two customers in two currencies go on over pages, every column of each line
// printed, returns in italic, the customer's and the currency's sums after their lines and the price built
// up at the end.
TEST_F(HandOverListTest, TheListPrintsEveryColumnGroupsAndSumsOverPages)
{
    for (int d = 1; d <= 30; ++d)
        handOver(260001, d, d == 7 ? -2 : 3, false, d > 28);
    for (int d = 31; d <= 40; ++d)
        handOver(260002, d, 3, true);
    ASSERT_EQ(odv->OpenUnprinted().size(), 40);
    TSOdvQR1Rep report;
    report.SetView(1);
    const std::vector<QStringList> pages = pageTexts(report);
    ASSERT_GE(pages.size(), 2u);
    EXPECT_EQ(report.Page.Orientation, QPageLayout::Landscape);

    const QStringList head{"Dátum",     "Doklad",   "Zákazka", "Výrobok",     "Objednávka",   "Množstvo", "Váha",
                           "Materiál",  "Mzdy",     "Ostatné", "Externé",     "výr. náklady", "Vlastné",  "náklady",
                           "Úplné vl.", "Predajná", "cena",    "Cena v mene", "Mena",         "Faktúra,", "Pred.Fa."};
    for (const QStringList &page : pages)
        for (const QString &caption : head)
            EXPECT_TRUE(page.contains(caption)) << caption.toStdString() << " missing on a page";
    EXPECT_TRUE(pages.back().contains(QStringLiteral("Strana %1").arg(pages.size())));

    // One line in full: 3 pieces of the first job, its figures times three.
    const QStringList &first = pages[0];
    for (const char *text : {"2[./]3[./]26", "26/0001", "V1", "Z260001", "3", "6[.,]0", "30[.,]00", "12[.,]00",
                             "15[.,]00", "18[.,]00", "60[.,]00", "69[.,]00", "145[.,]50", "EUR", "F1"})
        EXPECT_TRUE(anyMatches(first, QStringLiteral("^%1$").arg(QLatin1String(text)))) << text;
    // The customer's currency: the price in it, none for the home currency.
    QStringList all;
    for (const QStringList &page : pages)
        all << page;
    EXPECT_TRUE(anyMatches(all, QStringLiteral("^3750[.,]00$"))) << "3 × 1250 CZK";
    EXPECT_FALSE(anyMatches(all, QStringLiteral("^153[.,]00$"))) << "no price in the home currency's column";

    // Groups by currency (CZK first), inside by customer: each customer's name heads its lines and ends them
    // with its sums; then the currency's sums.
    const int beta = all.indexOf("Beta Brno"), alfa = all.indexOf(QString::fromUtf8("Alfa Žilina"));
    ASSERT_GE(beta, 0);
    ASSERT_GT(alfa, beta);
    EXPECT_EQ(all.count(QString::fromUtf8("Alfa Žilina")), 2) << "group head and footer";
    const int czkSums = all.indexOf("Spolu CZK"), eurSums = all.indexOf("Spolu EUR");
    EXPECT_GT(czkSums, beta);
    EXPECT_LT(czkSums, alfa);
    EXPECT_GT(eurSums, alfa);
    // Alfa: 29 × 3 − 2 = 85 pieces; both customers 115.
    EXPECT_TRUE(all.mid(alfa, eurSums - alfa).contains("85"));
    EXPECT_TRUE(all.contains("115"));

    // The summary: all, the work without the customer's material (hand-overs 29 and 30: 6 pieces), and the
    // price's parts: 115 pieces × 1 wage levy, × 2 production overhead, × 3 administrative overhead, × 0.5
    // transport and × 1 material extra; the resulting price 115 × (50 − 1 − 0.5 + 1 + 0.5).
    const QStringList &last = pages.back();
    for (const char *caption :
         {"Spolu", "Výkony bez dodania materiálu", "Odvody z miezd :", "Výrobná réžia :", "Správna réžia :",
          "Prídavok za dopravu :", "+ Prídavok za materiál :", "Výsledná cena :"})
        EXPECT_TRUE(last.contains(QString::fromUtf8(caption))) << caption;
    const int noMaterial = last.indexOf(QString::fromUtf8("Výkony bez dodania materiálu"));
    EXPECT_TRUE(last.mid(noMaterial).contains("6"));
    for (const char *sum : {"115[.,]00", "230[.,]00", "345[.,]00", "57[.,]50", "5.?750[.,]00"})
        EXPECT_TRUE(anyMatches(last, QStringLiteral("^%1$").arg(QLatin1String(sum)))) << sum;

    // The return prints in italic, the other lines upright.
    report.prepare();
    int italic = 0, upright = 0;
    for (const TQRPage &page : report.Pages())
        for (const TQRItem &item : page.items)
            if (item.text == QStringLiteral("F7")) {
                ++italic;
                EXPECT_TRUE(item.font.italic());
            } else if (item.text == QStringLiteral("F8")) {
                ++upright;
                EXPECT_FALSE(item.font.italic());
            }
    EXPECT_EQ(italic, 1);
    EXPECT_EQ(upright, 1);
    expectReadable(report, "Odvody výrobkov");
}

// The sums by product read no single hand-overs: the list leaves out their columns and groups and prints.
TEST_F(HandOverListTest, TheSumsViewPrintsWithoutTheSingleHandOversColumns)
{
    for (int d = 1; d <= 3; ++d)
        handOver(260001, d, 3);
    TDMOdv::TOverview o;
    o.From = QDate(2026, 3, 1);
    o.To = QDate(2026, 3, 31);
    o.View = 5;
    odv->OpenOverview(o);
    TSOdvQR1Rep report;
    report.SetView(5);
    const std::vector<QStringList> pages = pageTexts(report);
    ASSERT_EQ(pages.size(), 1u);
    for (const char *gone : {"Doklad", "Zákazka", "Objednávka", "Cena v mene", "Výsledná cena :", "26/0001"})
        EXPECT_FALSE(pages[0].contains(QString::fromUtf8(gone))) << gone;
    EXPECT_TRUE(pages[0].contains("V1"));
    EXPECT_TRUE(pages[0].contains("9"));
    EXPECT_TRUE(pages[0].contains(QString::fromUtf8("Odvody z miezd :")));
    report.SetView(1);
    odv->OpenUnprinted();
    EXPECT_TRUE(pageTexts(report)[0].contains(QString::fromUtf8("Výsledná cena :"))) << "back in the details";
}

// The capacity plan of both lists prints every column caption whole, in its own column: the long ones over two
// lines, none over its neighbour.
TEST_F(WorkDocumentsTest, TheCapacityPlanPrintsEachColumnCaptionInItsColumn)
{
    workplace(QStringLiteral("FORM"));
    openJob(260001, 3, "2026-04-01", 5);
    operation(260001, 10, "FORM", 100);
    openJob(260002, 2, "2026-04-01", 5);
    operation(260002, 10, "FORM", 60);
    ASSERT_TRUE(plan(1, 260001));

    TSPlanForm form;
    form.show();
    QApplication::processEvents();
    form.rgPohlad->SetItemIndex(5);
    form.rgPohlad->OnClick();
    const QStringList captions{
        "č.Zákazky",         "č.Výrobku",          "Názov",        "Norma/ zmenu", "Množstvo odporuč.",
        "Množstvo vyrobené", "Množstvo plánované", "Normo hodiny", "Zmien",        "Termín operácie",
        "Množstvo odvedené", "Termín zákazky",     "Op."};
    for (TDataSet *list : std::initializer_list<TDataSet *>{&dm->QTlac, &vyroba->QSPlan}) {
        form.pcSPlan->setCurrentWidget(list == &dm->QTlac ? form.tabNEZaplanovane : form.tabSPlan);
        ASSERT_EQ(list->RecordCount(), 1);
        TSPlanQR1Rep &report = form.Report();
        report.setDataSet(list);
        const std::vector<QStringList> pages = pageTexts(report);
        ASSERT_EQ(pages.size(), 1u);
        const QString page = pages[0].join(' ');
        for (const QString &caption : captions)
            EXPECT_TRUE(page.contains(caption)) << caption.toStdString();
        EXPECT_TRUE(pages[0].contains(list == &dm->QTlac ? "26/0002" : "26/0001"));
        expectReadable(report, "Kapacitný plán");
    }
    form.close();
}
