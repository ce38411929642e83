// TDMCis (global DMCis): the code lists of customers, employees, overheads, professions, tariffs, cost
// items, centres, workplaces and shift schedules, the pick-list queries, their rules and look-ups.
#pragma once

#include "library/FieldTitles.h"
#include "library/xQuery.h"
#include "library/xTable.h"
#include "platform/db/DataSource.h"

#include <QDate>
#include <QString>
#include <QStringList>

class TField;

class TDMCis {
public:
    TDMCis();
    ~TDMCis();
    TDMCis(const TDMCis &) = delete;
    TDMCis &operator=(const TDMCis &) = delete;

    // ---- code lists (closed until a form opens them), each with its data source "DS" + name
    TxTable QOdberatelia;
    TDataSource DSQOdberatelia;
    TxTable QZamestnanci;
    TDataSource DSQZamestnanci;
    TxTable CRezii;
    TDataSource DSCRezii;
    TxTable CProfesii;
    TDataSource DSCProfesii;
    TxTable CTarifov;
    TDataSource DSCTarifov;
    TxTable CNakladov;
    TDataSource DSCNakladov;
    TxTable CStredisk;
    TDataSource DSCStredisk;
    TxTable CPracovisk;
    TDataSource DSCPracovisk;
    TxTable CRozvrhov;
    TDataSource DSCRozvrhov;
    // The small code lists; the table is chosen at run time.
    TxTable Cine;
    TDataSource DSCine;
    // Pick lists of order items and items (four SQL lines: select, from, where, order by).
    TxQuery QvZakazkyD;
    TDataSource DSQvZakazkyD;
    TxQuery QPolozky;
    TDataSource DSQPolozky;

    // ---- rules of new and deleted rows
    // New customer: the next number (with Tag 1 the smallest number - 1, for provisional customers).
    void QOdberateliaNewRecord(TDataSet *dataSet);
    // Refuses a customer without a name.
    void QOdberateliaBeforePost(TDataSet *dataSet);
    // Refuses to delete a customer that offers, orders, delivery notes or items still name, as the server
    // refuses a broken link: the refusal names a link of CustomerLinks.
    void QOdberateliaBeforeDelete(TDataSet *dataSet);
    // The links that keep a customer, each "NAME|what the user reads", for the translation of the refusal.
    static const QStringList CustomerLinks;
    void QZamestnanciNewRecord(TDataSet *dataSet);
    // Refuses to delete an employee with performances of the last three years or attendance of the last year.
    void QZamestnanciBeforeDelete(TDataSet *dataSet);
    void CPracoviskNewRecord(TDataSet *dataSet);

    // ---- look-ups of the calculation, planning and wages
    // The overhead rate of a name (case-insensitive): its value and base letter; the default and " "
    // when the name is missing.
    bool GetOverheadRate(const QString &name, double defaultValue, double &value, QChar &base);
    // field := the workplace's overhead coefficient times its base (amount / 100 for "%", hours for "H",
    // else 1); nothing for an unknown workplace. The loss percentage does not enter the result.
    void SetWorkplaceOverhead(TField *field, const QString &workplace, double minutes, double amount, double loss);
    // field := minutes x hourly wage / 60 of the tariff; unchanged for no tariff, 0 minutes or no wage.
    void SetTariffWage(TField *field, const QString &tariff, double minutes, double loss);
    // Whether the day and month of the date are a public holiday (CSVIATKOV, read once per run).
    bool IsHoliday(const QDate &date);
    // Forgets the holidays read, so the next call reads them again.
    void ClearHolidayCache() { holidays_.clear(); }

    // ---- employees in the code-list form and the pick list
    // Orders the employees by the field and shows them all.
    void SetEmployeeOrder(const QString &fieldName);
    // Shows the employees whose field starts with the typed text.
    void QuickFilterEmployees(const QString &fieldName, const QString &text);

private:
    QStringList holidays_;
};

extern TDMCis *DMCis;

// The captions of the code lists' and pick lists' fields: customers, employees, items and jobs.
extern const TFieldTitles CodeListTitles;
