#include "xQuery.h"

#include "DataSetUtils.h"
#include "SqlClause.h"
#include "xDBCatalog.h"
#include "platform/fbapi/ParamParser.h"

TxQuery::TxQuery() = default;

void TxQuery::DoAfterCreateDefaultFields()
{
    ApplyCatalog(this, OnCreateFields);
}

quint64 TxQuery::DefaultFieldsStamp() const
{
    return CatalogStamp(this, OnCreateFields);
}

void TxQuery::SetFiltered(bool on)
{
    Close();
    TIBQuery::SetFiltered(on);
    ApplySqlFilter(this, SQL());
}

void TxQuery::SetWhere(const QString &condition)
{
    SqlClause(SQL(), QStringLiteral("WHERE"), condition, 2);
}

QString TxQuery::GetOrderBy()
{
    return SqlClause(SQL(), QStringLiteral("ORDER BY"), QString(), 0);
}

void TxQuery::SetOrderBy(const QString &order)
{
    SqlClause(SQL(), QStringLiteral("ORDER BY"), order, 3);
}

void TxQuery::SetTextForValues(const QString &sql, const QVariantList &values)
{
    Close();
    if (!sql.isEmpty())
        SQL().SetText(sql);
    int positional = 0;
    const QString named = fb::namePositionalParams(SQL().Text(), &positional);
    if (positional == 0)
        return;
    if (fb::isExecuteBlock(named))
        DatabaseError(QString::fromUtf8("Príkaz EXECUTE BLOCK nemôže mať parametre „?“."), this);
    SQL().SetText(named);
    if (Params().Count() != values.size())
        DatabaseError(QString::fromUtf8("Príkaz SQL má %1 parametrov, zadaných hodnôt je %2.")
                          .arg(Params().Count())
                          .arg(values.size()),
                      this);
}

QVariant TxQuery::SelectValue(const QString &sql, const QVariantList &params)
{
    SetTextForValues(sql, params);
    Prepare();
    SetParamsFromArray(Params(), params);
    Open();
    First();
    if (FieldCount() == 0)
        return QVariant();
    TField *f = Fields(0);
    if (!IsEmpty() && !f->IsNull())
        return f->Value();
    return EmptyValue(f->DataType());
}

int TxQuery::ExecSql(const QString &sql, const QVariantList &params)
{
    SetTextForValues(sql, params);
    fb::ParsedSql parsed = fb::parseParams(SQL().Text());
    Params().Rebuild(parsed.names);
    SetParamsFromArray(Params(), params);
    ExecSQL();
    return RowsAffected();
}

double TxQuery::SumField(const QString &fieldName)
{
    double sum = 0;
    SumFieldsOf(this, fieldName, &sum, 1);
    return sum;
}

void TxQuery::SumFields(const QString &fieldList, double sums[2])
{
    SumFieldsOf(this, fieldList, sums, 2);
}

void TxQuery::CopyFieldValues(TDataSet *source)
{
    CopyFieldValuesOf(this, source);
}

void TxQuery::DuplicateRecord()
{
    std::vector<QVariant> values;
    for (int i = 0; i < FieldCount(); ++i)
        values.push_back(Fields(i)->Value());
    Insert();
    // A field still null, or holding only its default (the catalogue starts every number at 0), was not
    // set by the new-record handler: it takes the copied value.
    for (int i = 1; i < FieldCount(); ++i) {
        TField *f = Fields(i);
        if (f->FieldKind() == fkData && !f->ReadOnly && (f->IsNull() || f->Value() == f->DefaultValue()))
            f->SetValue(values[size_t(i)]);
    }
}

void TxQuery::Reopen()
{
    Close();
    Open();
}

void TxQuery::FillStringsFromDataSet(TStringList &list)
{
    list.BeginUpdate();
    list.Clear();
    try {
        First();
        while (!Eof()) {
            list.Add(Fields(0)->AsString());
            Next();
        }
    } catch (...) {
        list.EndUpdate();
        throw;
    }
    list.EndUpdate();
}
