// The printed documents of the workshop, page by page, each long enough to go on over a second page.
#include "ProductionFixture.h"

#include "look/DocumentRules.h"
#include "production/SPlanPraceForm.h"
#include "production/SPlanQR2Rep.h"

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
