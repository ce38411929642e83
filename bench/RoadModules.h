// The road benchmark's module path: each order's steps through the data modules' own routines on the
// program's connection, with every question answered yes and every report "printed" without a layout.
#pragma once

#include "RoadPlan.h"

#include <QString>
#include <memory>

class TDMZal;
class TDMCis;
class TDMTPV;
class TDMOdbyt;
class TDMVyroba;
class TDMVyk;
class TDMOdv;
class TDMExp;
class TRoadResponder;

class TRoadModules {
public:
    // The program's settings and database in the folder (made by CreateProgramDatabase).
    explicit TRoadModules(const QString &folder);
    ~TRoadModules();
    bool Connected() const;
    void Order(int order);
    // Commits the connection's transaction.
    void Finish();
    TRoadCounts Counts() const;
    // Statements the data layer sent (prepares, opens and executions).
    long long Statements() const { return statements_; }
    int FirstJob() const { return firstJob_; }

private:
    void header(int order);
    int item(int order, int item);
    void calculate(int job);
    void confirm(int job);
    void book(int job);
    void handOver(int job);
    int deliver(int order, const int jobs[2]);
    void invoice(int note);

    QString folder_;
    std::unique_ptr<TRoadResponder> responder_;
    std::unique_ptr<TDMZal> zal_;
    std::unique_ptr<TDMCis> cis_;
    std::unique_ptr<TDMTPV> tpv_;
    std::unique_ptr<TDMOdbyt> odbyt_;
    std::unique_ptr<TDMVyroba> vyroba_;
    std::unique_ptr<TDMVyk> vyk_;
    std::unique_ptr<TDMOdv> odv_;
    std::unique_ptr<TDMExp> exp_;
    long long statements_ = 0;
    int firstJob_ = 0;
};
