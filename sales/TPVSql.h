// The statements of the products and technology module, each a named constant; All() lists them for the
// test that prepares every one on a fresh database.
#pragma once

#include <QStringList>

namespace TPVSql {
// The stock of an item over all stores.
extern const QString StockOfItem;
// The standard route's unit times into the open jobs of a product (%1 its number as a literal, %2 the state
// below which a job is open); a job operation without a matching route row keeps its time.
extern const QString PushUnitTimes;
// The calculated price of a product (:vratane 1: the product itself too) and of the products it enters.
extern const QString RecalculatePrice;
// The product's calculation as the server computes it now.
extern const QString ProductCalculation;
// The items in the bills of materials of the products of a list (%1 literals separated by commas).
extern const QString BomItemsOf;
// The product exists (a product of the dialog).
extern const QString ProductExists;
QStringList All();
} // namespace TPVSql
