// The small operations on data sets that the business code uses everywhere (sums, copies, duplicates,
// lists, value or default), shared by the query, data-set and table classes.
#pragma once

#include "platform/db/DataSet.h"
#include "platform/os/Strings.h"

#include <QVariantList>

class TParams;

// Sums of up to `count` fields named in a ';' list over all rows, in one pass; a missing name sums 0.
// The cursor returns to where it was (or to the first row when that row is gone).
void SumFieldsOf(TDataSet *ds, const QString &fieldList, double *sums, int count);
// Each field of source with a field of the same name in target gives it its value (target must be
// editing); nothing is posted.
void CopyFieldValuesOf(TDataSet *target, TDataSet *source);
// Sets a field only when the value differs, putting the data set into edit first when needed.
void SetFieldValueIfChangedOf(TDataSet *ds, const QString &fieldName, const QVariant &value);
// A field's value, or EmptyValue of its type when it is null.
QVariant ValueOrDefault(const TField *field);
// What a null stands for by type: 0 for numbers, "" for text, null otherwise.
QVariant EmptyValue(TFieldType type);
// The state is insert / any editing state.
bool IsInsertingState(const TDataSet *ds);
bool IsEditingState(const TDataSet *ds);
// Assigns values to parameters by position: parameter i takes element i, every kind of value as it is
// (64-bit integers whole, null as null); extra elements are ignored, extra parameters keep their values.
void SetParamsFromArray(TParams &params, const QVariantList &values);
