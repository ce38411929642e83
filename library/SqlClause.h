// SQL texts kept one clause per line (select, from, where, order by): reading and replacing one clause
// line by keyword, and turning a data set's filter into a condition of its WHERE line.
#pragma once

#include "platform/os/Strings.h"

#include <QString>

class TDataSet;

// The marker that separates a WHERE condition from the filter appended to it.
inline const QString kFilterMarker = QStringLiteral(" /*FILTER*/ ");

// Reads the clause line that starts with Keyword (searched from line 2 on) and, unless Position is 0 and
// NewValue empty, replaces it (or fills the first blank line from Position, or appends). Returns the
// clause as it stood before.
QString SqlClause(TStringList &lines, const QString &keyword, const QString &newValue, qint16 position);

// True when a condition holds OR outside brackets and quotes, so that a condition ANDed to it would bind
// to its last term only.
bool HasTopLevelOr(const QString &condition);

// Writes the data set's Filter into the WHERE line of lines (or removes it when Filtered is off) and
// reopens the data set; an error while opening is shown and leaves the data set closed.
void ApplySqlFilter(TDataSet *dataSet, TStringList &lines);
