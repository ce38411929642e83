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
// A number or date column as text in the connection's character set, for a LIKE with typed text: without
// the cast a letter outside ASCII cannot be converted and the server refuses the statement.
QString SqlAsText(const QString &column);
// The column of a LIKE with typed text: as it stands when it holds text (or its type is unknown), else
// cast to text (SqlAsText).
QString SqlLikeColumn(const QString &column, TFieldType type);
// Typed text as a whole number literal, or "null" when it is none (letters, a decimal, blank): a number
// column compared with it holds for no row instead of the server refusing the statement.
QString SqlNumberOrNull(const QString &text);
// The literal of a LIKE pattern of what starts with the text: 'text%' (give "%" + text for what contains it).
QString SqlLikePrefix(const QString &text);

class TDataSet;
// The condition of a browser's quick search: the column starts with the typed text ("%" + text: contains
// it). A number or date column is matched by its text (SqlLikeColumn); the text is one literal, cut as
// SqlLikePrefix cuts it.
QString QuickSearch(const QString &column, TFieldType type, const QString &text);
// The same for a column the data set lists: its type that of the set's result column of that name (a
// table's prefix, "POLOZKY.C_POL", skipped); unknown, so as it stands, before the set was first opened.
QString QuickSearch(const TDataSet &set, const QString &column, const QString &text);

// A comparison of one field with typed text. A leading "<>", ">=", "<=", "> " or "< " is the operator,
// else "="; string and memo fields match the text as a prefix with LIKE, whatever the operator.
QString FieldCondition(const QString &fieldName, TFieldType fieldType, const QString &text);
// Why typed text cannot be compared with a field of that type ("„Žiar“ nie je číslo.", "... nie je dátum."),
// empty when it can; a leading operator is skipped, text fields take anything. The filter dialogs refuse
// such text before FieldCondition would turn it into 0 or null.
QString FieldConditionError(TFieldType fieldType, const QString &text);
inline QString FieldCondition(const TField *field, const QString &text)
{
    return FieldCondition(field->FieldName(), field->DataType(), text);
}

// True when the condition takes a typed value: a "?" anywhere or a "#" outside apostrophes.
bool AsksValue(const QString &condition);

// Appends condition to where (joined by " AND ") with every "?" replaced by value. A value starting with
// "!" turns "=?" (and "=#") into "<>?". Inside the condition's own apostrophes the value only has its
// apostrophes doubled; outside them it is the literal of its type, or, of unknown type, one quoted literal.
// A "#" outside apostrophes is the value compared with a number column (SqlNumberOrNull): typed letters
// never reach a number column as text. A number or date column matched with LIKE is cast to text in the
// condition itself (SqlAsText). A condition with OR at its top level is bracketed.
void AddFilterCondition(QString &where, const QString &condition, const QString &value, TFieldType valueType);
