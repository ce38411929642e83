// A figure shown beside a list (a sum, a count) that follows the list: it is worked out again whenever the
// list's rows change (opened, closed, read again, a row stored or deleted, a change given up), not when
// the cursor only moves.
#pragma once

#include "platform/db/DataSource.h"

#include <functional>

class TListTotal : public TDataLink {
public:
    // `show` works the figure out from the source's data set and shows it; it is called at once too.
    TListTotal(TDataSource *source, std::function<void()> show);

    // The sum of a field over every row of an open data set (0 when closed or without the field), read
    // without moving its cursor.
    static double Sum(TDataSet *dataSet, const QString &fieldName);

protected:
    void ActiveChanged() override { update(); }
    void DataSetChanged() override { update(); }
    void DataSetScrolled(int) override {}
    void EditingChanged() override { update(); }

private:
    void update();
    std::function<void()> show_;
    bool showing_ = false;
};
