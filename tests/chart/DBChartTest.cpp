// The data-bound chart: series read their labels and values from a real query, follow it when it reopens
// or closes, keep its position, and a click on the chart reaches the handler.
#include "common/DbFixture.h"
#include "platform/chart/DBChart.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QApplication>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsTextItem>
#include <QRegularExpression>
#include <QTest>

namespace {

class DBChartTest : public DbFixture {
protected:
    void SetUp() override
    {
        DbFixture::SetUp();
        query.SetDatabase(db.get());
        source.SetDataSet(&query);
        query.SQL().SetText("select 'jan' as m, 10.5 as v, 1 as w from rdb$database union all "
                            "select 'feb', -2, 4 from rdb$database union all select 'mar', 7, 9 from rdb$database");
    }
    TIBQuery query;
    TDataSource source;
};

} // namespace

TEST_F(DBChartTest, BarAndLineSeriesFollowTheirDataSet)
{
    TDBChart chart;
    TBarSeries bars;
    bars.XLabelsSource = "M";
    bars.YValuesSource = "V";
    bars.SetDataSource(&source);
    TLineSeries line;
    line.YValuesSource = "W";
    line.SetDataSource(&source);
    chart.AddSeries(&bars);
    chart.AddSeries(&line);
    chart.SetBottomAxisTitle("Mesiac");
    EXPECT_TRUE(bars.Values().empty()); // closed data set: nothing to show

    query.Open();
    query.Next(); // on "feb"
    EXPECT_EQ(bars.Labels(), (QStringList{"jan", "feb", "mar"}));
    EXPECT_EQ(bars.Values(), (std::vector<double>{10.5, -2, 7}));
    EXPECT_EQ(line.Labels(), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(line.Values(), (std::vector<double>{1, 4, 9}));
    chart.RefreshData();
    EXPECT_EQ(query.RecNo(), 2);

    const auto qs = chart.Chart()->series();
    ASSERT_EQ(qs.size(), 2);
    auto *barSeries = qobject_cast<QBarSeries *>(qs[0]);
    ASSERT_NE(barSeries, nullptr);
    EXPECT_EQ(barSeries->barSets().value(0)->at(1), -2);
    auto *lineSeries = qobject_cast<QLineSeries *>(qs[1]);
    ASSERT_NE(lineSeries, nullptr);
    EXPECT_EQ(lineSeries->count(), 3);
    EXPECT_EQ(chart.Chart()->axes(Qt::Horizontal).value(0)->titleText(), "Mesiac");
    // Every value is marked on the chart.
    EXPECT_TRUE(barSeries->isLabelsVisible());
    EXPECT_TRUE(lineSeries->pointLabelsVisible());

    // Two bar series are two sets of one group of bars, each in its own colour.
    TBarSeries more;
    more.YValuesSource = "W";
    more.SetDataSource(&source);
    chart.AddSeries(&more);
    chart.RefreshData();
    ASSERT_EQ(chart.Chart()->series().size(), 2);
    auto *group = qobject_cast<QBarSeries *>(chart.Chart()->series()[0]);
    ASSERT_NE(group, nullptr);
    ASSERT_EQ(group->count(), 2);
    EXPECT_NE(group->barSets()[0]->color(), group->barSets()[1]->color());
    chart.RemoveSeries(&more);

    query.Close();
    EXPECT_TRUE(bars.Values().empty());
    EXPECT_TRUE(chart.Chart()->series().isEmpty() ||
                qobject_cast<QBarSeries *>(chart.Chart()->series()[0])->barSets().value(0)->count() == 0);

    chart.RemoveAllSeries();
    EXPECT_EQ(chart.SeriesCount(), 0);
    EXPECT_TRUE(chart.Chart()->series().isEmpty());
    query.Open(); // a detached series no longer draws
    EXPECT_TRUE(chart.Chart()->series().isEmpty());
}

TEST_F(DBChartTest, ClickReachesTheHandlerAndADestroyedSeriesLeavesTheChart)
{
    TDBChart chart;
    chart.resize(300, 200);
    chart.show();
    int clicks = 0;
    chart.OnClick = [&clicks] { ++clicks; };
    {
        TBarSeries bars;
        bars.YValuesSource = "V";
        bars.SetDataSource(&source);
        chart.AddSeries(&bars);
        query.Open();
        EXPECT_EQ(chart.Chart()->series().size(), 1);
    }
    EXPECT_EQ(chart.SeriesCount(), 0);
    auto *view = chart.findChild<QChartView *>();
    ASSERT_NE(view, nullptr);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_EQ(clicks, 1);
}

// The values along the side are written as a person here reads numbers: with a decimal comma.
TEST_F(DBChartTest, TheValueAxisWritesNumbersWithADecimalComma)
{
    TDBChart chart;
    chart.resize(400, 300);
    chart.show();
    TBarSeries bars;
    bars.XLabelsSource = "M";
    bars.YValuesSource = "V";
    bars.SetDataSource(&source);
    chart.AddSeries(&bars);
    query.Open();
    chart.RefreshData();
    QApplication::processEvents();
    auto *view = chart.findChild<QChartView *>();
    ASSERT_NE(view, nullptr);
    QStringList numbers;
    for (QGraphicsItem *item : view->scene()->items()) {
        QString text;
        if (auto *t = dynamic_cast<QGraphicsTextItem *>(item))
            text = t->toPlainText();
        else if (auto *s = dynamic_cast<QGraphicsSimpleTextItem *>(item))
            text = s->text();
        if (text.contains(QRegularExpression(QStringLiteral("\\d[.,]\\d"))))
            numbers << text;
    }
    ASSERT_FALSE(numbers.isEmpty());
    for (const QString &n : numbers)
        EXPECT_TRUE(n.contains(QLatin1Char(',')) && !n.contains(QLatin1Char('.'))) << n.toStdString();
}
