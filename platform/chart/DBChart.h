// TDBChart: a chart view over Qt Charts whose series are bound to data sets: a bar series (TBarSeries) or a
// line series (TLineSeries) takes its labels from one field and its values from another, and redraws
// when its data set opens, closes or changes.
#pragma once

#include "platform/db/DataSource.h"

#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class QChart;
class QChartView;
class TDBChart;

class TChartSeries {
public:
    enum Kind { Bar, Line };
    explicit TChartSeries(Kind kind);
    virtual ~TChartSeries();
    TChartSeries(const TChartSeries &) = delete;
    TChartSeries &operator=(const TChartSeries &) = delete;

    Kind SeriesKind() const { return kind_; }
    QString Title;
    // The field whose text labels a point (empty: the row number) and the field of its value.
    QString XLabelsSource;
    QString YValuesSource;

    TDataSource *DataSource() const { return link_.DataSource(); }
    void SetDataSource(TDataSource *source);

    // What the series shows now (read from the data set at the last refresh).
    const QStringList &Labels() const { return labels_; }
    const std::vector<double> &Values() const { return values_; }
    // Reads the labels and values from the data set (empty when it is closed); keeps its position.
    void ReadData();

private:
    friend class TDBChart;
    class Link : public TDataLink {
    public:
        explicit Link(TChartSeries *owner) : owner_(owner) {}

    protected:
        void ActiveChanged() override { owner_->changed(); }
        void DataSetChanged() override { owner_->changed(); }
        void DataSetScrolled(int) override {}

    private:
        TChartSeries *owner_;
    };
    void changed();

    Kind kind_;
    Link link_{this};
    TDBChart *chart_ = nullptr;
    bool reading_ = false;
    QStringList labels_;
    std::vector<double> values_;
};

class TBarSeries : public TChartSeries {
public:
    TBarSeries() : TChartSeries(Bar) {}
};

class TLineSeries : public TChartSeries {
public:
    TLineSeries() : TChartSeries(Line) {}
};

class TDBChart : public QWidget {
public:
    explicit TDBChart(QWidget *parent = nullptr);
    ~TDBChart() override;

    // The chart shows the series (not owned) until it is removed or the chart is destroyed.
    void AddSeries(TChartSeries *series);
    void RemoveSeries(TChartSeries *series);
    void RemoveAllSeries();
    int SeriesCount() const { return int(series_.size()); }
    TChartSeries *Series(int i) const { return series_[std::size_t(i)]; }

    void SetTitle(const QString &title);
    QString Title() const;
    // The caption under the label axis.
    void SetBottomAxisTitle(const QString &title);
    QString BottomAxisTitle() const { return bottomTitle_; }

    // Reads every series again and redraws.
    void RefreshData();
    // A click on the chart.
    std::function<void()> OnClick;

    QChart *Chart() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    friend class TChartSeries;
    void rebuild();

    QChartView *view_;
    std::vector<TChartSeries *> series_;
    QString bottomTitle_;
};
