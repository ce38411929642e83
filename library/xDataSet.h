// TxDataSet: the program's updatable data set (select, refresh, insert, modify and delete statements)
// with catalogue captions, its filter in the WHERE line and parameter values kept across a change of
// its select text; TxUpdateSQL: the update statements of a query.
#pragma once

#include "platform/fb/IBCustomDataSet.h"

#include <functional>

class TxDataSet : public TIBDataSet {
public:
    TxDataSet();
    // Called after the catalogue has been applied to the default fields.
    std::function<void(TDataSet *)> OnCreateFields;
    // The select SQL: setting it assigns only a text that differs from the current one.
    TStringList &SQL() { return SelectSQL; }
    void SetSQL(const TStringList &lines);

    void SetFiltered(bool on) override;
    void SetWhere(const QString &condition);

    double SumField(const QString &fieldName);
    void CopyFieldValues(TDataSet *source);
    void SetFieldValueIfChanged(const QString &fieldName, const QVariant &value);
    bool IsInserting() const;
    bool IsEditing() const;

protected:
    void DoAfterCreateDefaultFields() override;
    quint64 DefaultFieldsStamp() const override;
};

class TxUpdateSQL : public TIBUpdateSQL {};
