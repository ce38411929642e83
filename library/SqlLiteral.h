// SQL text from what a user typed: literals by field type, one-field comparisons and WHERE conditions
// with "?" placeholders, as the grid's and the forms' filters build them.
#pragma once

#include "platform/db/DBTypes.h"
#include "platform/db/Field.h"

#include <QString>

// The literal of typed text for a value of that type: unknown type the trimmed text as it stands (a ready
// SQL fragment); integers in decimal (0 when not a number); floats with a point ("0" when not a
// number); dates as 'yyyy-mm-dd' (null when not a date); everything else the trimmed text in apostrophes,
// an apostrophe inside doubled.
QString SqlLiteral(const QString &text, TFieldType fieldType);

// Typed text as one SQL string literal, as it stands, an apostrophe inside doubled: O'Brien -> 'O''Brien'.
QString SqlLiteral(const QString &text);
// The literal of a LIKE pattern of what starts with the text: 'text%' (give "%" + text for what contains it).
QString SqlLikePrefix(const QString &text);

// A comparison of one field with typed text. A leading "<>", ">=", "<=", "> " or "< " is the operator,
// else "="; string and memo fields match the text as a prefix with LIKE, whatever the operator.
QString FieldCondition(const QString &fieldName, TFieldType fieldType, const QString &text);
inline QString FieldCondition(const TField *field, const QString &text)
{
    return FieldCondition(field->FieldName(), field->DataType(), text);
}

// Appends condition to where (joined by " AND ") with every "?" replaced by value. A value starting with
// "!" turns "=?" into "<>?". Inside the condition's own apostrophes the value only has its apostrophes
// doubled; outside them it is the literal of its type, or, of unknown type, one quoted literal.
// A condition with OR at its top level is bracketed.
void AddFilterCondition(QString &where, const QString &condition, const QString &value, TFieldType valueType);
