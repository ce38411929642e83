// What the road benchmark does to each order, the same on both paths: its customer, its two products,
// the pieces, the employees who book each profession's operations, and the counts compared at the end.
#pragma once

#include <QDate>
#include <QHash>
#include <QString>

namespace Road {

constexpr int Pieces = 10;
// Orders are taken four a working day from the first Monday of the year on, so that whatever is looked
// up by the day or the month stays as large as in use while the history grows.
constexpr int OrdersADay = 4;
inline QDate Day(int order)
{
    QDate day(QDate::currentDate().year(), 1, 1);
    while (day.dayOfWeek() != Qt::Monday)
        day = day.addDays(1);
    const int workingDays = order / OrdersADay;
    return day.addDays(workingDays / 5 * 7 + workingDays % 5);
}
// The demo foundry's customers 1..12 and products V1001..V1020.
inline int Customer(int order)
{
    return order % 12 + 1;
}
inline QString Product(int order, int item)
{
    return QStringLiteral("V%1").arg(1001 + (order * 3 + item * 7) % 20);
}
// A demo employee of each profession of the routes.
inline int Employee(const QString &profession)
{
    static const QHash<QString, int> of{{QStringLiteral("JAD"), 103}, {QStringLiteral("FOR"), 101},
                                        {QStringLiteral("TAV"), 105}, {QStringLiteral("CIS"), 107},
                                        {QStringLiteral("BRU"), 109}, {QStringLiteral("SUS"), 110},
                                        {QStringLiteral("EXP"), 112}};
    return of.value(profession.trimmed(), 112);
}
inline QString Store()
{
    return QStringLiteral("V1");
}
inline QString InvoicePrefix()
{
    return QStringLiteral("yyyy\"/\"");
}
inline QString VatRate()
{
    return QStringLiteral("20");
}

} // namespace Road

// What a road left in its database.
struct TRoadCounts {
    long long Finished = 0; // jobs at state 100
    long long Performances = 0, HandOvers = 0, Notes = 0, Invoiced = 0, DayPlan = 0, Calculations = 0;
    bool operator==(const TRoadCounts &) const = default;
    QString Text() const
    {
        return QStringLiteral("%1 jobs finished, %2 calculations, %3 day-plan rows, %4 performances, %5 hand-overs, "
                              "%6 notes, %7 invoiced")
            .arg(Finished)
            .arg(Calculations)
            .arg(DayPlan)
            .arg(Performances)
            .arg(HandOvers)
            .arg(Notes)
            .arg(Invoiced);
    }
};

// Reads the counts of the road's own rows (the orders the benchmark made, from the first job on).
TRoadCounts ReadRoadCounts(const QString &database, int firstJob);
