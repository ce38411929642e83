#include "DataSetUtils.h"

#include "platform/fb/IBCustomDataSet.h"

void SumFieldsOf(TDataSet *ds, const QString &fieldList, double *sums, int count)
{
    TDisableControls disabled(ds);
    const TBookmark mark = ds->GetBookmark();
    std::vector<TField *> fields(size_t(count), nullptr);
    const QStringList names = fieldList.split(QLatin1Char(';'));
    for (int i = 0; i < count && i < names.size(); ++i)
        fields[size_t(i)] = ds->FindField(names[i].trimmed());
    for (int i = 0; i < count; ++i)
        sums[i] = 0.0;
    try {
        ds->First();
        while (!ds->Eof()) {
            for (int i = 0; i < count; ++i)
                if (fields[size_t(i)])
                    sums[i] += fields[size_t(i)]->AsFloat();
            ds->Next();
        }
    } catch (...) {
        if (!ds->GotoBookmark(mark) && ds->Active())
            ds->First();
        throw;
    }
    if (!ds->GotoBookmark(mark) && ds->Active())
        ds->First();
}

void CopyFieldValuesOf(TDataSet *target, TDataSet *source)
{
    TDisableControls disabled(target);
    for (int i = 0; i < source->FieldCount(); ++i) {
        TField *from = source->Fields(i);
        if (TField *to = target->FindField(from->FieldName()))
            to->SetValue(from->Value());
    }
}

void SetFieldValueIfChangedOf(TDataSet *ds, const QString &fieldName, const QVariant &value)
{
    TField *f = ds->FieldByName(fieldName);
    const QVariant now = f->Value();
    const QVariant want = f->Convert(value);
    if (now.isNull() == want.isNull() && (now.isNull() || now == want))
        return;
    if (!IsEditingState(ds))
        ds->Edit();
    f->SetValue(want);
}

QVariant EmptyValue(TFieldType type)
{
    switch (type) {
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftFloat:
    case ftCurrency:
    case ftBCD:
    case ftLargeint:
        return 0;
    case ftString:
    case ftFixedChar:
        return QString();
    default:
        return QVariant();
    }
}

QVariant ValueOrDefault(const TField *field)
{
    const QVariant v = field->Value();
    return v.isNull() ? EmptyValue(field->DataType()) : v;
}

bool IsInsertingState(const TDataSet *ds)
{
    return ds->State() == dsInsert;
}

bool IsEditingState(const TDataSet *ds)
{
    switch (ds->State()) {
    case dsEdit:
    case dsInsert:
    case dsSetKey:
    case dsCalcFields:
    case dsFilter:
    case dsNewValue:
    case dsInternalCalc:
        return true;
    default:
        return false;
    }
}

void SetParamsFromArray(TParams &params, const QVariantList &values)
{
    const int n = std::min<int>(int(values.size()), params.Count());
    for (int i = 0; i < n; ++i)
        params[i].SetValue(values[i]);
}
