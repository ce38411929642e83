// TxTable: the program's table — catalogue captions then OnCreateFields, descending index orders, and
// the filter, master and index operations the forms use.
#pragma once

#include "platform/fb/IBCustomDataSet.h"

#include <functional>

class TxTable : public TIBTable {
public:
    // Called after the catalogue has been applied to the default fields.
    std::function<void(TDataSet *)> OnCreateFields;
    bool StoreDefs = false;

    void SetFilterText(const QString &text) override;
    // Close, drop the master, set the filter, switch it on and open.
    void SetFilterAndOpen(const QString &filter);
    // Close, link to a master by fields (IndexFields or the master fields as the order) and open.
    void SetMaster(TDataSource *masterSource, const QString &masterFields, const QString &indexFields);
    // The order: the first comma of List becomes ';'. Does not reopen.
    void SetIndexFields(const QString &list);
    QString GetFilter() const { return Filter(); }
    // Sets the filter and switches it on.
    void SetFilter(const QString &text);

    double SumField(const QString &fieldName);
    void AppendAllFrom(TDataSet *source);
    void CopyFieldValues(TDataSet *source);
    void SetFieldValueIfChanged(const QString &fieldName, const QVariant &value);
    QVariant FieldValueOrDefault(const QString &fieldName);
    // Adds the field's text of every row to an empty list, filtering the table by filter meanwhile.
    void FillListWithFilter(TStringList &list, const QString &fieldName, const QString &filter);
    bool IsInserting() const;
    bool IsEditing() const;

protected:
    void DoAfterCreateDefaultFields() override;
    quint64 DefaultFieldsStamp() const override;
    void PrepareText(QString &sql) override;
};
