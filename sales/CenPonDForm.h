// TCenPonDForm (global CenPonDForm): the offer dialog "Cenová ponuka" — the header of the current offer of
// DMOdbyt.QCenPon with its items; EditOffer shows it and stores or drops what was typed.
#pragma once

#include "platform/ui/Form.h"

class QPushButton;
class TDBComboBox;
class TDBEdit;
class TDBText;
class TxDBGrid;

class TCenPonDForm : public TForm {
    Q_OBJECT
public:
    explicit TCenPonDForm(QWidget *owner = nullptr);
    ~TCenPonDForm() override;

    TDBEdit *DBeC_OBJ, *DBeODBERATEL, *DBePOZNAMKA;
    TDBText *DBtD_VYSTAV, *DBtC_ODB;
    TDBComboBox *DBcbPLAT_PODM, *DBcbDOD_PODM, *DBcbTECH_PODM;
    QPushButton *btnCislo, *btnOdberatel;
    TxDBGrid *DBGridCenPonD;
    QPushButton *BtnNovy, *BtnZmaz, *btnKalk, *BtnZapis, *BtnNezapis;

    // The next free number of the typed prefix, while the offer is new.
    void DBeC_OBJButtonClick();
    void DBeODBERATELButtonClick();
    // The product of the item by its number or from the pick list: its name and drawing come along.
    void PickItemProduct();
    void btnKalkClick();
    // OK: stores the offer; a refusal keeps the dialog open with everything typed.
    void BtnZapisClick();
    // White without a customer number, sky blue with one.
    void ShowCustomerColour();
};

extern TCenPonDForm *CenPonDForm;

// Shows the dialog on the current offer (put into insert or edit by the caller); true when stored.
bool EditOffer();
