// TxQuery: the program's query — catalogue captions on its fields, the SQL-wait cursor, its filter as a
// condition of the WHERE line, WHERE and ORDER BY replaced by line, and the one-value and statement helpers.
#pragma once

#include "platform/fb/IBCustomDataSet.h"

#include <QVariantList>
#include <functional>

class TxQuery : public TIBQuery {
public:
    TxQuery();
    // Called after the catalogue has been applied to the default fields.
    std::function<void(TDataSet *)> OnCreateFields;
    // Kept with the forms and otherwise without effect.
    QString DatabaseName, SessionName;
    bool RequestLive = false;
    int UpdateMode = 0;

    void SetFiltered(bool on) override;
    // The WHERE clause (line 2 onwards); neither reopens.
    void SetWhere(const QString &condition);
    QString GetOrderBy();
    void SetOrderBy(const QString &order);

    // One value of an SQL text (empty: the current SQL) with its parameters bound in order (named ":x" or
    // positional "?"): the first column of
    // the first row; with no row or a null, 0 for a numeric column, "" for a text column, else null.
    // The query stays open.
    QVariant SelectValue(const QString &sql, const QVariantList &params = {});
    // Runs a statement (empty: the current SQL) with its parameters bound in order; returns the rows
    // affected.
    int ExecSql(const QString &sql, const QVariantList &params = {});
    double SumField(const QString &fieldName);
    void SumFields(const QString &fieldList, double sums[2]);
    void CopyFieldValues(TDataSet *source);
    // Inserts a copy of the current record (all fields but the first, where the new record's own
    // handler left them null or at their default expression); the copy stays unposted.
    void DuplicateRecord();
    void Reopen();
    // The first column of every row into list.
    void FillStringsFromDataSet(TStringList &list);

protected:
    void DoAfterCreateDefaultFields() override;
    quint64 DefaultFieldsStamp() const override;

private:
    // Sets the text (empty: keeps the current one), naming its positional "?" so the values bind to them
    // in order; refuses a text whose "?" do not match the values, rather than running it with nulls.
    void SetTextForValues(const QString &sql, const QVariantList &values);
};
