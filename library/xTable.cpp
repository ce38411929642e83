#include "xTable.h"

#include "DataSetUtils.h"
#include "xDBCatalog.h"

#include <QRegularExpression>

void TxTable::DoAfterCreateDefaultFields()
{
    ApplyCatalog(this, OnCreateFields);
}

quint64 TxTable::DefaultFieldsStamp() const
{
    return CatalogStamp(this, OnCreateFields);
}

void TxTable::PrepareText(QString &sql)
{
    // The generated order quotes each name with what follows it; move a DESC out of the quotes so the
    // order falls on the real column.
    const int nl = sql.lastIndexOf(QLatin1Char('\n'));
    const QString last = sql.mid(nl + 1);
    if (!last.startsWith(QLatin1String(" order by "), Qt::CaseInsensitive))
        return;
    static const QRegularExpression desc(QStringLiteral(" DESC\""), QRegularExpression::CaseInsensitiveOption);
    QString fixed = last;
    fixed.replace(desc, QStringLiteral("\" DESC"));
    sql = sql.left(nl + 1) + fixed;
}

void TxTable::SetFilterText(const QString &text)
{
    if (!Active() && Filtered())
        SetFiltered(false);
    TIBTable::SetFilterText(text);
}

void TxTable::SetFilterAndOpen(const QString &filter)
{
    Close();
    SetMasterSource(nullptr);
    SetFiltered(false);
    SetFilterText(filter);
    SetFiltered(true);
    Open();
}

void TxTable::SetMaster(TDataSource *masterSource, const QString &masterFields, const QString &indexFields)
{
    Close();
    SetFiltered(false);
    SetMasterSource(masterSource);
    SetMasterFields(masterFields);
    SetIndexFieldNames(indexFields.isEmpty() ? masterFields : indexFields);
    Open();
}

void TxTable::SetIndexFields(const QString &list)
{
    QString names = list;
    const int comma = names.indexOf(QLatin1Char(','));
    if (comma >= 0)
        names[comma] = QLatin1Char(';');
    TIBTable::SetIndexFieldNames(names);
}

void TxTable::SetFilter(const QString &text)
{
    SetFilterText(text);
    SetFiltered(true);
}

double TxTable::SumField(const QString &fieldName)
{
    double sum = 0;
    SumFieldsOf(this, fieldName, &sum, 1);
    return sum;
}

void TxTable::AppendAllFrom(TDataSet *source)
{
    TDisableControls disabled(this);
    source->First();
    while (!source->Eof()) {
        Append();
        CopyFieldValues(source);
        Post();
        source->Next();
    }
}

void TxTable::CopyFieldValues(TDataSet *source)
{
    CopyFieldValuesOf(this, source);
}

void TxTable::SetFieldValueIfChanged(const QString &fieldName, const QVariant &value)
{
    SetFieldValueIfChangedOf(this, fieldName, value);
}

QVariant TxTable::FieldValueOrDefault(const QString &fieldName)
{
    return ValueOrDefault(FieldByName(fieldName));
}

void TxTable::FillListWithFilter(TStringList &list, const QString &fieldName, const QString &filter)
{
    if (!list.IsEmpty())
        return;
    const bool openedHere = !(Active() && Filter() == filter);
    if (openedHere) {
        Close();
        SetFilterText(filter);
        SetFiltered(true);
        Open();
    }
    TField *f = fieldName.isEmpty() ? Fields(0) : FieldByName(fieldName);
    First();
    while (!Eof()) {
        list.Add(f->AsString());
        Next();
    }
    if (openedHere) {
        Close();
        SetFiltered(false);
        SetFilterText(QString());
    }
}

bool TxTable::IsInserting() const
{
    return IsInsertingState(this);
}

bool TxTable::IsEditing() const
{
    return IsEditingState(this);
}
