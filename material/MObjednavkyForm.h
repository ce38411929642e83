// TMObjednavkyForm: the purchase orders to suppliers with their lines (open ones first), new copies,
// states, printing and the receipt of a delivered order; TMObjednavkyDForm: the order's dialog with its
// cached lines, filled by hand or from the material requests.
#pragma once

#include "library/tMasterDetailForm.h"

class QMenu;
class QPushButton;
class TDBComboBox;
class TDBEdit;
class TxDBFilterCombo;
class TxDBGrid;

class TMObjednavkyDForm : public TForm {
    Q_OBJECT
public:
    explicit TMObjednavkyDForm(QWidget *owner = nullptr);

    TDBEdit *eCObj, *eDodavatel, *eCDod, *eDDodania, *eDVystav, *ePoznamka;
    TDBComboBox *cbFObj, *cbVystavil;
    QPushButton *btnCislo, *btnDodavatel, *btnPolozka;
    TxDBGrid *LinesGrid;
    QMenu *LinesMenu;

    void ProposeNumber();
    void PickSupplierOfOrder();
    void PickLineItem();
    void NewLine();
    void DeleteLine();
    // Lines from the requests picked in the requests form (supplier 0: any).
    void AddLinesFromRequests(int supplier);
};

class TMObjednavkyForm : public TtMasterDetailForm {
    Q_OBJECT
public:
    explicit TMObjednavkyForm(QWidget *owner = nullptr);
    ~TMObjednavkyForm() override;

    TxDBFilterCombo *cbFilter;
    TxDBGrid *LinesGrid;
    QPushButton *btnKopia, *btnStav;
    TMObjednavkyDForm *Dialog;

    void NewCopy();
    void ChangeState();
    void Print();
};

// The receipt of the current order's lines as one stock document (kind 10), each line through the
// movement dialog; then the document may be printed.
void ReceivePurchaseOrder();
extern TMObjednavkyForm *MObjednavkyForm;

void ShowPurchaseOrders();
