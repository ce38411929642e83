#include "DBChart.h"

#include "platform/db/DataSet.h"
#include "platform/db/Field.h"
#include "platform/os/Format.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QMouseEvent>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>

// ---------------------------------------------------------------- TChartSeries

TChartSeries::TChartSeries(Kind kind) : kind_(kind) {}

TChartSeries::~TChartSeries()
{
    if (chart_)
        chart_->RemoveSeries(this);
}

void TChartSeries::SetDataSource(TDataSource *source)
{
    link_.SetDataSource(source);
    changed();
}

void TChartSeries::ReadData()
{
    labels_.clear();
    values_.clear();
    TDataSet *ds = link_.DataSet();
    if (!ds || !ds->Active())
        return;
    TField *x = XLabelsSource.isEmpty() ? nullptr : ds->FindField(XLabelsSource);
    TField *y = ds->FindField(YValuesSource);
    if (!y)
        return;
    reading_ = true;
    const TBookmark here = ds->GetBookmark();
    ds->DisableControls();
    try {
        int row = 0;
        for (ds->First(); !ds->Eof(); ds->Next()) {
            ++row;
            labels_ << (x ? x->DisplayText() : QString::number(row));
            values_.push_back(y->AsFloat());
        }
        if (here)
            ds->GotoBookmark(here);
    } catch (...) {
        ds->EnableControls();
        reading_ = false;
        throw;
    }
    ds->EnableControls();
    reading_ = false;
}

void TChartSeries::changed()
{
    if (reading_)
        return;
    ReadData();
    if (chart_)
        chart_->rebuild();
}

// ---------------------------------------------------------------- TDBChart

TDBChart::TDBChart(QWidget *parent) : QWidget(parent), view_(new QChartView(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    view_->setRenderHint(QPainter::Antialiasing);
    view_->chart()->legend()->setVisible(false);
    view_->viewport()->installEventFilter(this);
}

TDBChart::~TDBChart()
{
    for (TChartSeries *s : series_)
        s->chart_ = nullptr;
}

QChart *TDBChart::Chart() const
{
    return view_->chart();
}

void TDBChart::AddSeries(TChartSeries *series)
{
    if (!series || std::find(series_.begin(), series_.end(), series) != series_.end())
        return;
    if (series->chart_)
        series->chart_->RemoveSeries(series);
    series->chart_ = this;
    series_.push_back(series);
    series->ReadData();
    rebuild();
}

void TDBChart::RemoveSeries(TChartSeries *series)
{
    const auto it = std::find(series_.begin(), series_.end(), series);
    if (it == series_.end())
        return;
    (*it)->chart_ = nullptr;
    series_.erase(it);
    rebuild();
}

void TDBChart::RemoveAllSeries()
{
    for (TChartSeries *s : series_)
        s->chart_ = nullptr;
    series_.clear();
    rebuild();
}

void TDBChart::SetTitle(const QString &title)
{
    Chart()->setTitle(title);
}

QString TDBChart::Title() const
{
    return Chart()->title();
}

void TDBChart::SetBottomAxisTitle(const QString &title)
{
    bottomTitle_ = title;
    rebuild();
}

void TDBChart::RefreshData()
{
    for (TChartSeries *s : series_)
        s->ReadData();
    rebuild();
}

void TDBChart::rebuild()
{
    QChart *chart = Chart();
    chart->removeAllSeries();
    for (QAbstractAxis *axis : chart->axes())
        chart->removeAxis(axis);
    if (series_.empty())
        return;
    // The labels of the first series name the categories of every series.
    const QStringList categories = series_.front()->Labels();
    auto *xAxis = new QBarCategoryAxis;
    xAxis->append(categories);
    xAxis->setTitleText(bottomTitle_);
    auto *yAxis = new QValueAxis;
    chart->addAxis(xAxis, Qt::AlignBottom);
    chart->addAxis(yAxis, Qt::AlignLeft);
    double low = 0, high = 0;
    // Every bar series is a set of one group of bars: side by side, each in a colour of its own (a bar group
    // of its own each would draw them all in the theme's first colour).
    QBarSeries *bars = nullptr;
    std::vector<QAbstractSeries *> ordered; // the bars where the first bar series stands
    for (TChartSeries *s : series_) {
        for (double v : s->Values()) {
            low = std::min(low, v);
            high = std::max(high, v);
        }
        if (s->SeriesKind() == TChartSeries::Bar) {
            auto *set = new QBarSet(s->Title);
            for (double v : s->Values())
                set->append(v);
            if (!bars) {
                bars = new QBarSeries;
                // Each value marked on its bar.
                bars->setLabelsVisible(true);
                bars->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
                ordered.push_back(bars);
            }
            bars->append(set);
        } else {
            auto *line = new QLineSeries;
            line->setName(s->Title);
            for (std::size_t i = 0; i < s->Values().size(); ++i)
                line->append(double(i), s->Values()[i]);
            // Each value marked at its point.
            line->setPointsVisible(true);
            line->setPointLabelsVisible(true);
            line->setPointLabelsClipping(false);
            ordered.push_back(line);
        }
    }
    for (QAbstractSeries *qs : ordered) {
        chart->addSeries(qs);
        qs->attachAxis(xAxis);
        qs->attachAxis(yAxis);
    }
    yAxis->setRange(low, high > low ? high : low + 1);
    // The values along the side in the decimal separator a person reads numbers with.
    chart->setLocalizeNumbers(true);
    chart->setLocale(FormatSettings().DecimalSeparator == QLatin1Char(',') ? QLocale(QLocale::Slovak, QLocale::Slovakia)
                                                                           : QLocale::c());
    chart->legend()->setVisible(series_.size() > 1);
}

bool TDBChart::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == view_->viewport() && event->type() == QEvent::MouseButtonRelease && OnClick &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        OnClick();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
