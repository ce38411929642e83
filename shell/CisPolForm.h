// TCisPolForm (global CisPolForm): the pick list of items over DMCis.QPolozky, with its filter, and the
// routines that check a typed item number and pick an item into a variable, an edit or a field.
#pragma once

#include "platform/ui/FormGlobal.h"
#include "CisPickForm.h"

class QLineEdit;
class TField;
class TxQuery;

class TCisPolForm : public TCisPickForm {
    Q_OBJECT
public:
    explicit TCisPolForm(QWidget *owner = nullptr);

    QLineEdit *eC_POL, *eNAZOV, *eROZMER, *eC_VYKRESU, *eC_ODB, *ePOPIS, *eKP, *eSKLAD, *eC_POL_EXT;
    // The item type mask of the last pick: "V" products, "_" any kind.
    QChar TypeMask = QLatin1Char('_');

protected:
    void ApplyFilter() override;
};

extern TFormGlobal<TCisPolForm> CisPolForm;

// Finds the item of a typed number, else lets the user pick one of the type mask; code := the item.
bool PickItem(QString &code, QChar mask);
bool PickItemForEdit(QLineEdit *edit, QChar mask);
// A product: the field := the number, also when nothing was picked.
bool PickProductForField(TField *field);
// Any item: the field := the number when one was picked.
bool PickAnyItemForField(TField *field);
bool PickItemForFieldDS(TField *field, QChar mask, TxQuery **dataSet = nullptr);
