// Named parameters in SQL text: each ":name" or ':"quoted name"' outside literals, quoted
// identifiers and comments becomes one '?', its name listed in text order.
#pragma once

#include <QString>
#include <QStringList>

namespace fb {

struct ParsedSql {
    QString sql;       // the text with one '?' per parameter occurrence
    QStringList names; // in text order; a name used twice appears twice
};

enum class ParamParsing {
    Auto, // parse, but leave an EXECUTE BLOCK statement as it is (its body uses :variables)
    On,
    Off,
};

ParsedSql parseParams(const QString &sql, ParamParsing mode = ParamParsing::Auto);

// The text with each positional '?' outside literals, quoted identifiers and comments written as the
// named parameter :"?1", :"?2"... in text order, so that values can be bound to them by position;
// count receives how many there were.
QString namePositionalParams(const QString &sql, int *count);

// True when the text, past blanks and comments, begins with EXECUTE BLOCK.
bool isExecuteBlock(const QString &sql);

} // namespace fb
