// TVyrobkyOperaciaForm (global VyrobkyOperaciaForm): the modal dialog of one operation of a product's
// technology route, the current row of DMTPV.QTOperacie; EditProductOperation shows it.
#pragma once

#include "platform/ui/Form.h"

class TBitBtn;
class TDBLookupCombo;
class TxDBEdit;
class TxDBMemo;

class TVyrobkyOperaciaForm : public TForm {
    Q_OBJECT
public:
    explicit TVyrobkyOperaciaForm(QWidget *owner = nullptr);

    TxDBEdit *DBeC_OPERACIE;
    TDBLookupCombo *DBlcbOPERACIA, *DBlcbPRACOVISKO, *DBlcbPROFESIA, *DBlcbTARIF;
    TxDBEdit *DBePOPIS_OP, *DBeCAS_JED, *DBeCAS_PRIP, *DBeCAS_MEDZI, *DBeP_STRATY, *DBeOSOBY;
    TxDBMemo *DBmNAVODKA;
    TBitBtn *BtnZapis, *BtnNezapis;

    // Reloads the four look-up lists from their (open) code lists.
    void ReloadLists();
};

extern TVyrobkyOperaciaForm *VyrobkyOperaciaForm;

// Shows the dialog on the current operation of DMTPV.QTOperacie, which the caller has put into insert or
// edit. OK posts it (a refused post keeps the dialog open); any other close cancels the edit. True on OK.
bool EditProductOperation();
