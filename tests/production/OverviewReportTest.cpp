// The overviews and their printed report on a fresh database: every view opens and lays out, a group
// whose pieces sum to 0 prints its ratios empty, the view of operations prints no first footer.
#include "WorkshopFixture.h"
#include "look/DocumentRules.h"
#include "production/PerformanceOverview.h"
#include "production/SVykQR1Rep.h"
#include "platform/report/QRControls.h"

namespace {

class Overview : public WorkshopTest {
protected:
    void SetUp() override
    {
        WorkshopTest::SetUp();
        if (HasFatalFailure())
            return;
        bookableJob();
        employee(57, "Novák");
        employee(58, "Horváth");
        booked("2026-03-02", 57, 10, 8, 7.5, 40, 1, 4, 2);
        booked("2026-03-03", 57, 20, 10, 7.5, 5, 1, 0);
        // Horváth's booking and its full storno: his pieces sum to 0.
        booked("2026-03-02", 58, 10, 10, 7.5, 50, 1, 5);
        booked("2026-03-04", 58, 10, -10, 0, -50, 1, -5);
        booked("2026-02-27", 57, 10, 99, 7.5, 999); // outside the period
    }
    QStringList printed(int view)
    {
        TPerformanceFilter filter;
        filter.view = view;
        filter.from = QDate(2026, 3, 1);
        filter.to = QDate(2026, 3, 31);
        wageSum = vyk->RefreshPerformanceOverview(filter);
        report.SetView(view);
        report.Rep.setDataSet(&vyk->QvSVykony);
        if (report.Rep.prepare() < 1)
            return {};
        return reportTexts(report.Rep);
    }
    TSVykQR1Rep report;
    double wageSum = 0;
};

TEST_F(Overview, EveryViewPrintsWithoutBrokenRatios)
{
    for (int view = 0; view < PerformanceViewCount; ++view) {
        SCOPED_TRACE(view);
        QStringList texts;
        ASSERT_NO_THROW(texts = printed(view));
        EXPECT_DOUBLE_EQ(wageSum, 45) << "the period's wages";
        EXPECT_TRUE(texts.contains("Spolu"));
        const QString all = texts.join('|');
        for (const char *broken : {"inf", "nan", "NaN", "INF"})
            EXPECT_FALSE(all.contains(QLatin1String(broken), Qt::CaseInsensitive)) << all.toStdString();
        EXPECT_EQ(texts.contains("Novák"), view != 7 && view != 2 && view != 3) << all.toStdString();
        // Every caption over its own column and every figure apart from its caption, in the page.
        for (const DocumentFault &fault : DocumentFaults(report.Rep))
            ADD_FAILURE() << fault.describe(QStringLiteral("Vykony pracovnikov")).toStdString();
    }
}

TEST_F(Overview, AZeroGroupPrintsItsRatiosEmpty)
{
    const QStringList texts = printed(4);
    // Novák: 2 defects of 18 good pieces, 10 %; Horváth: 0 pieces, no ratio at all.
    const int novak = texts.indexOf("Novák");
    const int horvath = texts.indexOf("Horváth");
    const int total = texts.indexOf("Spolu");
    ASSERT_TRUE(novak >= 0 && horvath > novak && total > horvath) << texts.join('|').toStdString();
    EXPECT_EQ(texts.mid(novak, horvath - novak).count("10,00"), 2);
    EXPECT_EQ(texts.mid(novak, horvath - novak).count(""), 0);
    EXPECT_EQ(texts.mid(horvath, total - horvath).count(""), 2) << "both ratios empty";
    EXPECT_EQ(report.Rep.Find<TQRGroup>("QRGroup1")->Expression(), "OSC");
}

TEST_F(Overview, OperationsViewHasNoFirstFooterAndOrdersByWage)
{
    printed(3);
    const QStringList texts = printed(7);
    EXPECT_FALSE(report.Footer1->Enabled);
    EXPECT_FALSE(report.Detail->Enabled);
    vyk->QvSVykony.First();
    EXPECT_EQ(vyk->QvSVykony.FieldByName("OPERACIA")->AsString(), "ODL") << "largest wage first";
    EXPECT_EQ(texts.count("ODL"), 1) << texts.join('|').toStdString();
}

TEST_F(Overview, FiltersAreBoundAndWorkInProgressIgnoresThePeriod)
{
    TPerformanceFilter filter;
    filter.view = 0;
    filter.from = QDate(2026, 3, 1);
    filter.to = QDate(2026, 3, 31);
    filter.osc = 57;
    filter.operacia = " ODL ";
    EXPECT_DOUBLE_EQ(vyk->RefreshPerformanceOverview(filter), 40);
    filter.operacia = "O'L";
    EXPECT_DOUBLE_EQ(vyk->RefreshPerformanceOverview(filter), 0) << "typed text is a parameter";
    filter = {};
    filter.workInProgress = true;
    EXPECT_DOUBLE_EQ(vyk->RefreshPerformanceOverview(filter), 1044) << "every booking of an open job";
}

} // namespace
