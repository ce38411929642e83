// The statements of the products and technology module, each a named constant; All() lists them for the
// test that prepares every one on a fresh database.
#pragma once

#include <QStringList>

namespace TPVSql {
// The stock of an item over all stores.
extern const QString StockOfItem;

// ---- the products browser
// All products; a product whose field starts with a text (%1 the field, %2 the LIKE literal).
extern const QString ProductsOnly;
// The filter panel's conditions.
extern const QString ProductsOfCustomer;
extern const QString ProductsOfMaterial;
// The old product's row, and its bill of materials and route copied to a new number.
extern const QString ProductRow;
extern const QString CopyBillOfMaterials;
extern const QString CopyRoute;
// The detail tabs, in the order of the tabs after the first ("Položka" opens nothing).
extern const QStringList ProductTabs;
// Stored against current calculations of the listed products (%1 the products filter).
extern const QString PriceList;
// Recalculates the stored calculations of the listed products (%1 the products filter).
extern const QString PriceUpdate;

// The standard route's unit times into the open jobs (state below 100) of a product (%1 its number as a
// literal); a job operation without a matching route row keeps its time.
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
