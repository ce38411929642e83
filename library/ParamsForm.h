// TParamsForm: the "Parametre" dialog of report definitions, one row a query parameter (name, value).
// Made on first use and kept, so values typed stay for the next run.
#pragma once

#include "platform/ui/Form.h"

class QTableWidget;
class TButton;

class TParamsForm : public TForm {
    Q_OBJECT
public:
    explicit TParamsForm(QWidget *owner = nullptr);
    QTableWidget *sgParams;
    TButton *btnOk;

    void SetRow(int row, const QString &name, const QString &value);
    QString Value(int row) const;
};

TParamsForm &ParamsForm();
