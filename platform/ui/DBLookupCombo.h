// TDBLookupCombo: a field chosen from the keys of another data set (a code list), shown as a drop-down
// list with a blank first item; each key is offered once, shown by its list fields.
#pragma once

#include "DBControls.h"

class TDBLookupCombo : public TDBComboBox {
    Q_OBJECT
public:
    TDBLookupCombo(TDataSource *source, const QString &field, TDataSet *list, const QString &keyField,
                   QWidget *parent = nullptr);
    // The list's fields shown for a key, separated by ';' (empty: the key itself); takes effect on Reload.
    void SetListField(const QString &fields) { listField_ = fields; }
    // Fills the items from the list (open the list first; a closed list gives the blank only). A key
    // several rows share is offered once, shown by the first of them.
    void Reload();
    // Opens the list when it is closed, then Reload.
    void OpenListAndReload();
    // The item of a key, -1 when the list does not hold it.
    int IndexOfKey(const QString &key) const;

protected:
    void ShowField() override;
    void WriteField() override;

private:
    TDataSet *list_;
    QString keyField_, listField_;
};
