#include "xDataSet.h"

#include "DataSetUtils.h"
#include "SqlClause.h"
#include "xDBCatalog.h"

TxDataSet::TxDataSet() = default;

void TxDataSet::DoAfterCreateDefaultFields()
{
    ApplyCatalog(this, OnCreateFields);
}

quint64 TxDataSet::DefaultFieldsStamp() const
{
    return CatalogStamp(this, OnCreateFields);
}

void TxDataSet::SetSQL(const TStringList &lines)
{
    if (lines.Text() != SelectSQL.Text())
        SelectSQL = lines;
}

void TxDataSet::SetFiltered(bool on)
{
    Close();
    TIBDataSet::SetFiltered(on);
    ApplySqlFilter(this, SelectSQL);
}

void TxDataSet::SetWhere(const QString &condition)
{
    SqlClause(SelectSQL, QStringLiteral("WHERE"), condition, 2);
}

double TxDataSet::SumField(const QString &fieldName)
{
    double sum = 0;
    SumFieldsOf(this, fieldName, &sum, 1);
    return sum;
}

void TxDataSet::CopyFieldValues(TDataSet *source)
{
    CopyFieldValuesOf(this, source);
}

void TxDataSet::SetFieldValueIfChanged(const QString &fieldName, const QVariant &value)
{
    SetFieldValueIfChangedOf(this, fieldName, value);
}

bool TxDataSet::IsInserting() const
{
    return IsInsertingState(this);
}

bool TxDataSet::IsEditing() const
{
    return IsEditingState(this);
}
