// TZakRekDForm (global ZakRekDForm): the dialog of one complaint protocol, the current row of
// DMOdbyt.QZakRek; EditComplaint shows it and prints a new protocol once it is saved.
#pragma once

#include "platform/ui/Form.h"

class TBitBtn;
class TDBComboBox;
class TxDBEdit;

class TZakRekDForm : public TForm {
    Q_OBJECT
public:
    explicit TZakRekDForm(QWidget *owner = nullptr);

    TxDBEdit *DBeC_REK, *DBeC_INT;
    TDBComboBox *DBcbNEZHODA;
    TBitBtn *BtnZapis, *BtnNezapis;

    // The job check: the typed job (completed with the year when short) or the pick list; the job's order,
    // product, name and customer are copied into the protocol. A typed number that names no job clears them
    // and is refused with a message (the number stays, to be corrected).
    void DBeC_INTExit();
    // The pick list of every job; closed without a pick, the protocol keeps its job.
    void DBeC_INTButtonClick();

private:
    // The pick or look-up of the field's job; true when a job was taken and its data copied.
    bool takeJob();

    bool comingUp_ = false; // shown and not yet activated
    int heldJob_ = 0;       // the job whose order, product, name and customer the protocol shows
};

extern TZakRekDForm *ZakRekDForm;

// The 16 defect codes offered for NEZHODA.
QStringList DefectCodes();
// The dialog on the current protocol (in insert or edit): OK posts, a refused post keeps the dialog open;
// a new protocol is printed once saved. Any other close cancels. True on OK.
bool EditComplaint();
