// TxFilterForm: a dialog listing every field of a data set with a value to type beside it; OK turns the
// typed values into the data set's filter (the grid's Ctrl+F).
#pragma once

#include "platform/ui/Form.h"

class QTableWidget;
class TButton;
class TDataSource;

class TxFilterForm : public TForm {
    Q_OBJECT
public:
    explicit TxFilterForm(QWidget *owner = nullptr);

    TDataSource *DataSource() const { return dataSource_; }
    // Lists the data set's field names, one a row.
    void SetDataSource(TDataSource *source);
    // The condition of the typed values: each non-empty value compared with its field, joined by AND.
    QString BuildFilter() const;
    // Why a typed value cannot be compared with its field ("ICO: „Žiar“ nie je číslo."), empty when all can.
    QString TypedValueError() const;
    // Shows the form; OK sets the filter (switched off when nothing was typed), anything else leaves it.
    int Execute();

    QTableWidget *StringGrid;
    TButton *OKButton;
    TButton *CancelButton;

protected:
    void resizeEvent(QResizeEvent *e) override;

private:
    TDataSource *dataSource_ = nullptr;
    QString filterText_;
};
