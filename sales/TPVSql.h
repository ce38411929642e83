// The statements of the products and technology module, each a named constant; All() lists them for the
// test that prepares every one on a fresh database.
#pragma once

#include <QStringList>

namespace TPVSql {
// The stock of an item over all stores.
extern const QString StockOfItem;
QStringList All();
} // namespace TPVSql
