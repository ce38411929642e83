// TDBLookupCombo: a field chosen from the keys of another data set (a code list), shown as a drop-down
// list with a blank first item.
#pragma once

#include "DBControls.h"

class TDBLookupCombo : public TDBComboBox {
    Q_OBJECT
public:
    TDBLookupCombo(TDataSource *source, const QString &field, TDataSet *list, const QString &keyField,
                   QWidget *parent = nullptr);
    // Fills the items from the list's keys (open the list first; a closed list gives the blank only).
    void Reload();

private:
    TDataSet *list_;
    QString keyField_;
};
