#include "DBLookupCombo.h"

#include "platform/db/DataSet.h"

TDBLookupCombo::TDBLookupCombo(TDataSource *source, const QString &field, TDataSet *list, const QString &keyField,
                               QWidget *parent)
    : TDBComboBox(parent), list_(list), keyField_(keyField)
{
    SetStyle(csDropDownList);
    SetDataSource(source);
    SetDataField(field);
}

void TDBLookupCombo::Reload()
{
    QStringList keys{QStringLiteral(" ")};
    if (list_->Active()) {
        for (int row = 0;; ++row) {
            if (row >= list_->RecordCount() && (!list_->CanFetchMore() || list_->FetchMore(100) == 0))
                break;
            keys.append(list_->ValueAt(row, list_->FieldByName(keyField_)).toString());
        }
    }
    SetItems(keys);
}
