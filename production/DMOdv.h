// TDMOdv (global DMOdv): hand-overs of finished products from production to a store: the list QvSOdvody with
// its rules (document numbers per month, the job's calculation copied in, the closed month, the rise of a
// handed-over job to state 90) and the job's calculation QvZakKalk.
#pragma once

#include "library/xDataSet.h"
#include "library/xQuery.h"
#include "platform/db/DataSource.h"

#include <QDate>
#include <QList>

class TField;

// The key of one hand-over row.
struct THandOverKey {
    QDate DATUM;
    int C_INT = 0;
    int C_DOKLADU = 0;
};

class TDMOdv {
public:
    TDMOdv();
    ~TDMOdv();
    TDMOdv(const TDMOdv &) = delete;
    TDMOdv &operator=(const TDMOdv &) = delete;

    TxDataSet QvSOdvody; // cached; every post and delete is applied at once
    TDataSource DSvSOdvody;
    TxQuery QvZakKalk;
    TDataSource DSvZakKalk;

    // The first day on which a hand-over may still be dated or changed: the first of the month of today - 10.
    static QDate FirstOpenDay();
    // Opens QvZakKalk for the current hand-over's job unless it is open for it; refuses a job without exactly
    // one calculation row.
    void LoadOrderCalculation();
    // Refuses a change of a hand-over dated before FirstOpenDay.
    void CheckHandOverMonthOpen();

    // ---- printing the list
    // Opens DMZal.QTlac with the unprinted hand-overs and returns their keys.
    QList<THandOverKey> OpenUnprinted();
    // Marks exactly these hand-overs printed; returns how many were marked.
    int MarkPrinted(const QList<THandOverKey> &keys);

    // ---- rules
    void NewRecord(TDataSet *dataSet);
    void ValidateDate(TField *field);
    void ValidateDocumentNumber(TField *field);
    void JobChanged(TField *field);
    void AmountChanged(TField *field);
    void ValidateRate(TField *field);
    void RateChanged(TField *field);
    void BeforeDelete(TDataSet *dataSet);
    void AfterPost(TDataSet *dataSet);

private:
    void attachRules(TDataSet *dataSet);
    bool homeCurrency() const;
};

extern TDMOdv *DMOdv;
