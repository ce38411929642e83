// TDodavateliaForm: the suppliers' browser (quick search, the supplier's address and his purchase orders)
// with its detail dialog TDodavatelDForm; PickSupplier picks one into a pair of fields.
#pragma once

#include "library/tMasterDetailForm.h"

class TBitBtn;
class TDBLookupCombo;
class TField;
class TxDBFilterEdit;
class TxDBGrid;

class TDodavatelDForm : public TForm {
    Q_OBJECT
public:
    explicit TDodavatelDForm(QWidget *owner = nullptr);
    QWidget *FirstEdit;
    // The countries' code list, opened when the dialog shows.
    TDBLookupCombo *DBlcbSTAT;
};

class TDodavateliaForm : public TtMasterDetailForm {
    Q_OBJECT
public:
    explicit TDodavateliaForm(QWidget *owner = nullptr);
    ~TDodavateliaForm() override;

    TxDBFilterEdit *eIco, *eDodavatel, *eMesto;
    TxDBGrid *OrdersGrid;
    TBitBtn *BtnVyber; // shown while picking
    // A double click picks (closes with OK) instead of editing.
    bool Picking = false;
    void ShowOrders();
    void CloseOrders();
};

extern TDodavateliaForm *DodavateliaForm;

void ShowSuppliers();
// Finds the suppliers whose name starts with the name field's text: one is taken at once, otherwise the
// browser is shown and OK takes its current row. A pick fills both fields.
bool PickSupplier(TField *number, TField *name);
