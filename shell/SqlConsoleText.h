// The SQL console's work on texts: the statement sorted by a result column and the result as
// fixed-column lines.
#pragma once

#include <QString>
#include <QStringList>

class TDataSet;

// The statement ordered by the column (from 1): the last ORDER BY clause (found without regard to case
// after any white space) is cut off and " ORDER BY n ASC" follows on a line of its own; when the cut
// clause was exactly that one, DESC. The text before the clause stays as typed.
QString SortedStatement(const QString &sql, int column);
// The text view: the caption, an empty line, the display names, a line of "-", one line per record;
// each value left-aligned in the field's width (10 for dates) and followed by a blank.
QStringList ResultTextLines(TDataSet &data, const QString &caption);
