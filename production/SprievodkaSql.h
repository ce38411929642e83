// The statements of the job ticket, each a named constant; All() lists them for the test that prepares
// every one on a fresh database.
#pragma once

#include <QStringList>

namespace SprievodkaSql {
// The highest batch printed so far.
extern const QString LastBatch;
// The job's operations below 1000 with the job's data (%1 the batch, %2 the job, both integers).
extern const QString TicketRows;
// The stored counter only rises.
extern const QString StoreBatch;
QStringList All();
} // namespace SprievodkaSql
