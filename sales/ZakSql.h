// The statements of the sales forms (job details and state marks, the product dialog, customers,
// complaints and the printed order documents), each a named constant; All() lists them for the test that
// prepares every one on a fresh database.
#pragma once

#include <QStringList>

namespace ZakSql {
// ---- the job detail tabs (parameters from the job list's current row)
extern const QString JobWhereLine;
extern const QString JobProduct;
extern const QString JobBom;
extern const QString JobOperations;
extern const QString JobMaterial;
extern const QString JobPerformances;
extern const QString JobPerformancesWithIdle;
extern const QString JobHandOvers;
extern const QString JobStock;
extern const QString JobDeliveryNotes;
// ---- state marks
extern const QString JobState;
// ---- customers (conditions of the customer list's filter)
extern const QString CustomersListed;
extern const QString CustomerIs;
extern const QString CustomerJobs;
extern const QString CustomerDeliveryNotes;
// ---- complaints
extern const QString ComplaintsOfTheYear;
// ---- printed order documents
extern const QString InternalOrderOperations;
extern const QString InternalOrderJob;
extern const QString OrderReview;
extern const QString OrderContract;
extern const QString OrderConfirmation;
QStringList All();
} // namespace ZakSql
