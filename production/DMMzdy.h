// TDMMzdy (global DMMzdy): the month's attendance and wages: the employees, their attendance days with
// the calendar's defaults and the checks of a day's hours, their performances per day, the monthly
// wage record with its derived fields, and the wages computed by the database procedure.
#pragma once

#include "library/FieldTitles.h"
#include "library/xDataSet.h"
#include "library/xQuery.h"
#include "platform/db/DataSource.h"

#include <QDate>
#include <QString>
#include <functional>

struct TMonthDays {
    int weekend = 0, holidays = 0, working = 0;
};

// What the performances page shows of the employee's days in the period.
// One month of an employee's wage history: "m/yyyy", piece wage per hour, hourly wage, piece wage.
struct TWageMonth {
    QString month;
    double ukolHod = 0, mzdaHod = 0, mzdaVyk = 0;
};

struct TPerformanceSummary {
    double mzda = 0, nhod = 0, ohod = 0, nhodZmatky = 0, nhodStorna = 0;
    int daysWithWage = 0;
    // Norm hours per 7.5-hour shift (two decimals); empty without a day with a wage or without worked hours.
    QString perShift;
};

class TDMMzdy {
public:
    TDMMzdy();
    ~TDMMzdy();
    TDMMzdy(const TDMMzdy &) = delete;
    TDMMzdy &operator=(const TDMMzdy &) = delete;

    TxQuery QZamestnanci;
    TDataSource DSZamestnanci;
    TxQuery QDochadzka;
    TxUpdateSQL UpdateQDochadzka;
    TDataSource DSDochadzka;
    TxQuery QVykony;
    TDataSource DSVykony;
    TxQuery QMzdy;
    TxUpdateSQL UpdateQMzdy;
    TDataSource DSMzdy;

    // ---- the month (set by the form before it opens any data set)
    void SetMonth(int year, int month);
    int Year() const { return year_; }
    int Month() const { return month_; }
    QDate MonthStart() const { return start_; }
    QDate MonthEnd() const { return end_; }
    // The date of the day page, by which new attendance rows get their defaults.
    QDate DayDate;
    // Called after the performances per day open (the summary is in PerformanceSummary).
    std::function<void()> PerformancesAfterOpen;
    TPerformanceSummary PerformanceSummary;

    static TMonthDays CountMonthDays(int year, int month);
    // (working days + holidays) × 7.5 of the module's month.
    double MonthHourFund() const;
    // The sum of the employee's performance wages from one day to another.
    double PerformanceWage(int osc, const QDate &from, const QDate &to) const;
    // MZDA_VYK of the employee's record of the month := the month's performance wages; left in edit.
    void TakeOverPieceWage(int osc);
    // Asks for the premium percentage, then RunWageProcedure.
    void ComputeMonthWages();
    // The database procedure computes the month's wage records (locked ones stay); QMzdy is reopened.
    void RunWageProcedure(int premiumPercent);
    void CloseAll();
    // The employee's wage records with worked hours from three months before the module's month on.
    QList<TWageMonth> WageHistory(int osc) const;
    // The employee list of a cost centre (typed text, a prefix; empty: all), reopened.
    void FilterEmployees(const QString &centre);
    // Opens QDochadzka with one of the pages' statements (the month's bounds and the day bound).
    void OpenAttendance(const QString &sql, int shift = 1);
    // "Všetkým": the current day row's worked, overhead, holiday, sick, paid-leave, compensatory and
    // obstacle hours written as the same day (date and shift) for each employee, in order; a refusal
    // stops at that employee and keeps the rows written before it.
    void WriteDayForEmployees(const QList<int> &oscs, const QDate &day, int shift);
    // Opens QMzdy with one of the pages' statements (the module's year and month).
    void OpenWages(const QString &sql);

    // The hour columns of an attendance row, in table order.
    static const QStringList &HourFields();

private:
    void attendanceNewRecord(TDataSet *ds);
    void attendanceAfterOpen(TDataSet *ds);
    void attendanceBeforePost(TDataSet *ds);
    void attendanceAfterPost(TDataSet *ds);
    void performancesAfterOpen(TDataSet *ds);
    void wagesAfterOpen(TDataSet *ds);
    void wagesNewRecord(TDataSet *ds);
    void wagesCalcFields(TDataSet *ds);

    int year_ = 0, month_ = 0;
    QDate start_, end_;
    double dayOHod_ = 7.5, dayPlatVol_ = 0;
};

extern TDMMzdy *DMMzdy;

// The captions of the employees', attendance days' and daily performances' fields.
extern const TFieldTitles AttendanceTitles;
