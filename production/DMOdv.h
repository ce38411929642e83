// TDMOdv (global DMOdv): hand-overs of finished products from production to a store: the list QvSOdvody with
// its rules (document numbers per month, the job's calculation copied in, the closed month, the rise of a
// handed-over job to state 90) and the job's calculation QvZakKalk.
#pragma once

#include "library/FieldTitles.h"
#include "library/xDataSet.h"
#include "library/xQuery.h"
#include "platform/db/DataSource.h"
#include "shell/ProposedNumber.h"

#include <QDate>
#include <QList>

class TDataSet;
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

    TxDataSet QvSOdvody; // every post and delete is written at once
    TDataSource DSvSOdvody;
    TxQuery QvZakKalk;
    TDataSource DSvZakKalk;

    // The exchange rate a hand-over may carry, ends included.
    static constexpr double MinRate = 0.0001;
    static constexpr double MaxRate = 10000;
    // The display formats of the weight, the rate and the price in the currency, and the rate's range, on the
    // fields of a list of hand-overs (the hand-overs themselves or an overview of them).
    static void SetHandOverFormats(TDataSet *dataSet);

    // A new hand-over's document number, the next of its month: taken meanwhile by another workstation,
    // the next free one; a number typed that the month holds is refused.
    TProposedNumber DocumentNumber{QStringLiteral("C_DOKLADU"),
                                   QStringLiteral("UX_SODVODY_MESIAC_CDOKLADU|PK_SODVODY")};

    // The first day on which a hand-over may still be dated or changed: the first of the month of today - 10.
    static QDate FirstOpenDay();
    // Opens QvZakKalk for the current hand-over's job unless it is open for it; refuses a job without exactly
    // one calculation row.
    void LoadOrderCalculation();
    // Refuses a change of a hand-over dated before FirstOpenDay.
    void CheckHandOverMonthOpen();

    // Lists one job (cInt), else one document number of the last two months, else the hand-overs of
    // the day (an invalid day: of the last month). True when the list has rows.
    bool FilterList(int cInt, int cDokladu, const QDate &day);

    // The centres and the finished-goods stores the detail offers.
    static QStringList Centres();
    static QStringList FinishedGoodsStores();

    // ---- overviews in DMZal.QTlac
    struct TOverview {
        int View = 0; // 0-2 details by document, customer, order; 3-5 sums by date, customer, product
        QDate From, To;
        bool MinusOnly = false;
        int C_ODB = 0;
        QString C_VYR;
        int C_INT = 0;
    };
    // Opens the overview and returns the sum of its CENAC.
    double OpenOverview(const TOverview &overview);
    // The field that labels the chart of a view and the axis title.
    static QString ChartLabelField(int view);
    static QString ChartAxisTitle(int view);

    // ---- printing the list
    // Opens DMZal.QTlac with the unprinted hand-overs and returns their keys.
    QList<THandOverKey> OpenUnprinted();
    // Opens DMZal.QTlac with the hand-overs of the period by customer.
    void OpenPeriodList(const QDate &from, const QDate &to);
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

// The captions of the hand-overs' fields, in every list, overview and print of them.
extern const TFieldTitles HandOverTitles;
