// TOdberatelDForm (global OdberatelDForm): the dialog of one customer, the current row of
// DMCis.QOdberatelia; EditCustomer shows it for a customer number.
#pragma once

#include "platform/ui/FormGlobal.h"
#include "platform/ui/Form.h"

class TBitBtn;
class TDBComboBox;
class TDBLookupCombo;
class TxDBEdit;

class TOdberatelDForm : public TForm {
    Q_OBJECT
public:
    explicit TOdberatelDForm(QWidget *owner = nullptr);

    TxDBEdit *DBeODBERATEL, *DBeC_ODB, *DBeICO, *DBeICDPH, *DBeD_UPDATE;
    TDBLookupCombo *DBlcbSTAT;
    TDBComboBox *DBcbPLAT_PODM;
    TBitBtn *BtnZapis1, *BtnNezapis1;

    // Shows the dialog on the current customer (in insert or edit): OK posts, a refused post keeps the
    // dialog open; any other close cancels. Returns the modal result.
    int RunOnCurrent();
};

extern TFormGlobal<TOdberatelDForm> OdberatelDForm;

// Filters the customers to the one of that number and edits it in the dialog; a customer that does not
// exist is reported, nothing is added. True when saved. The list stays filtered to it.
bool EditCustomer(int customer);
