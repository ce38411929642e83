// The road benchmark's statement path: the statements the data modules send for each order, prepared once
// and run with parameters through the client API on a connection of its own, committed where they commit.
#pragma once

#include "RoadPlan.h"

#include <QString>
#include <memory>

class TRoadBare {
public:
    TRoadBare(const QString &database, const QString &folder);
    ~TRoadBare();
    void Order(int order);
    void Finish();
    TRoadCounts Counts() const;
    long long Statements() const;
    // The costliest statements of the run (see TBareSql::Costliest).
    QStringList Costliest(int count) const;

private:
    struct TState;
    std::unique_ptr<TState> s_;
};
