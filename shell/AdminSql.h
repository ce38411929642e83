// The statements of the administration (maintenance, recalculations, users and their grants), each a
// named constant, and All() that lists them whole, so a test prepares every one on a fresh database.
#pragma once

#include <QString>
#include <QStringList>

namespace AdminSql {

// ---- maintenance
extern const QString OtherAttachments; // workstations attached besides this one
extern const QString DeleteZeroStock;
extern const QString DeleteOldMessages; // :d_vystav
extern const QString ActiveTriggers;    // the user triggers that are active now
extern const QString TriggerInactive;   // %1 a trigger name read from the server
extern const QString TriggerActive;     // %1
struct TPurge {
    const char *ReportLine; // nullptr: counted in no report line
    QString Sql;            // :datum
};
extern const QList<TPurge> Purges; // in this order, with the cut-off date 10 years back
extern const QString DeleteOrphanMoulds;
extern const QString DeleteOrphanStock;
extern const QString DeleteOldOrders; // :d_vystav, 15 years back
extern const QString Indices;
extern const QString IndexInactive;   // %1 an index name read from the server
extern const QString IndexActive;     // %1
extern const QString IndexStatistics; // %1

// ---- recalculations
extern const QString UpdateTechnologyHours;  // :datum twice
extern const QString UpdatePerformanceHours; // :datum
extern const QString UpdatePerformanceWages; // :datum

// ---- bulk marks of order items
extern const QString MarkHandedOver;        // :stav_zak twice (90)
extern const QString MarkDelivered;         // :stav_zak twice (100)
extern const QString FinishedNotHandedOver; // jobs finished in the last 30 days with less handed over

// ---- users and privileges
extern const QString ImportServerUsers;
extern const QString UserLevels;  // :rdb_user: every word and level of the user
extern const QString UserListed;  // :rdb_user: 1 when the user is in the list, else 0
extern const QString UserObjects; // :rdb_user: the objects the server grants him rights on

QStringList All();

} // namespace AdminSql
