// The statements of the sales module, each a named constant; All() lists them for the test that prepares
// every one on a fresh database.
#pragma once

#include <QStringList>

namespace OdbytSql {
// ---- look-ups of the sales forms (kept in lines: forms replace the WHERE and ORDER BY lines)
extern const QStringList CustomerLookup;
extern const QStringList DeliveryNotesLookup;
extern const QStringList CalculationLookup;
extern const QStringList JobsWithProgress;
// ---- complaint protocols
extern const QStringList ComplaintSelect, ComplaintRefresh, ComplaintInsert, ComplaintModify, ComplaintDelete;
extern const QString LastComplaintOfYear;
// ---- orders and offers
extern const QString LowestOfferItem;
extern const QString RenumberCustomer;
extern const QString ItemsOfOrder;
extern const QString PerformancesOfJob;
extern const QString StoredJobState; // the state of a job as stored now
extern const QString DieStock;       // stock and owner of a die (pattern) item
extern const QString HandOversOfJob;
extern const QString OpenJobsOfProduct;
// ---- the offers browser: the first showing's filter, the wrap that keeps every filter to offers (%1
// the type, %2 the chosen condition), the filter combo's items, and the printed offer's rows (:c_obj)
extern const QString OffersOfLastWeek;
extern const QString OffersOnly;
extern const QStringList OfferFilterItems;
extern const QString OfferPrint;
// ---- the customer orders browser: the first showing's filter, the filter of an emptied quick search,
// a quick search (%1 the field, %2 its LIKE literal), the filter panel's conditions, and the contract list
// (%1 the headers' condition, or empty for all)
extern const QString OrdersOfLast90Days;
extern const QString OrdersOfLast31Days;
extern const QString OrdersIssuedLike;
extern const QString OrdersWithProduct, OrdersWithJob, OrdersIssuedFrom, OrdersIssuedTo;
extern const QString ContractList, ContractListWhere, ContractListOrder;
extern const QString CustomerPaymentTerms;
// ---- the calculation
extern const QString JobForNewCalculation;
extern const QString PreviousJob;
extern const QString PreviousCalculation;
extern const QString RouteOfProduct;
extern const QString OperationsOfJob;
extern const QString OperationsList;
extern const QString BomOfProduct;
extern const QString BomOfJob;
extern const QString CostLinesOfJob;
extern const QString CostTypes;
extern const QString ProductListPrice;
extern const QString ProductCalculatedPrice;
extern const QString RouteFromJob;
extern const QString RouteBeyondJob;
// ---- the internal orders browser: the pieces of the list's WHERE (%1, %2 literals), its fixed views,
// the remaining norm hours of the listed jobs by a column (%1 the column, %2 the list's WHERE) and the
// printed list of jobs (line 2 the WHERE)
extern const QString JobsOfNumber, JobsDueUpTo, JobsDueBetween, AllJobs;
extern const QString JobsAndProduct, JobsOfCustomer, JobsAndOrder, JobsAndMaterial, JobsAndComplaints;
extern const QString JobsAndState, JobsAndStates;
extern const QString JobsUnplanned, JobsInProgress, JobsHandedOver, JobsHandedOverUnmarked, JobsDeliveredUnfinished;
extern const QString JobHoursBy;
extern const QStringList JobsPrint;
QStringList All();
} // namespace OdbytSql
