// The statements of the base data module and the shared routines, each a named constant, and All() that
// lists them whole, so a test prepares every one on a fresh database.
#pragma once

#include <QString>
#include <QStringList>

namespace ZalSql {

extern const QString Privileges;        // the connected user's privilege words and levels, one clause a line
extern const QString SetOrderState;     // :stav_zak, :c_int, :stav_zak_min, :stav_zak_max
extern const QString HighestKey;        // %1 the key field, %2 its table; :min, :max
extern const QString LargestItemCode;   // :prefix, :startAt and :startAt2 (the length of the prefix + 1)
extern const QString ItemMovementCount; // :c_pol

QStringList All();

} // namespace ZalSql
