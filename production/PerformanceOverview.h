// The eight overviews of the work performances: what each view selects, how it groups and orders, and the
// filters of the overview page, every typed value bound as a parameter.
#pragma once

#include <QDate>
#include <QString>

struct TPerformanceFilter {
    int view = 0; // 0 .. 7, the items of "Pohľad"
    QDate from, to;
    bool workInProgress = false; // "Rozpracovaná výroba": jobs still in production, whatever the period
    int osc = 0;
    int cInt = 0;
    QString cVyr;
    QString operacia;
};

struct TPerformanceView {
    const char *caption;
    const char *select; // line 0, without the defect causes
    const char *order;  // line 3
    const char *group1; // empty: none (view 7 has no group of its own)
    const char *group2;
    bool grouped; // sums only: the report prints no detail lines
};

const TPerformanceView &PerformanceView(int view);
constexpr int PerformanceViewCount = 8;
