// TEDListyForm (global EDListyForm): the delivery-notes browser with its selections, new/edit/delete
// through the note dialog, printing in the three price modes or as an invoice, invoicing, and the
// overviews of delivered lines.
#pragma once

#include "library/BrowseForm.h"

class QComboBox;
class QLineEdit;
class QTabWidget;
class TBitBtn;
class TEDListyQR1Rep;
class TRadioGroup;
class TxDBGrid;

class TEDListyForm : public TBrowseForm {
    Q_OBJECT
public:
    explicit TEDListyForm(QWidget *owner = nullptr);
    ~TEDListyForm() override;

    QTabWidget *PageControl;
    QComboBox *cbVyber;
    QLineEdit *EditVyber;
    TxDBGrid *DBGridListy, *DBGridPolozky, *DBGridPrehlady;
    TBitBtn *BtnNovy, *BtnOprav, *BtnZmaz, *BtnTlac, *BitBtnFa, *BtnKoniec;
    QLineEdit *vDatum_Od, *vDatum_Do, *vC_INT, *vODBERATEL, *vC_VYR;
    TRadioGroup *rgPohlad;
    TBitBtn *BtnFilter, *BtnTlac2;

    // The selection's entry with the value edit's text.
    void ApplySelection();
    void NewNote();
    void EditNote();
    void DeleteNote();
    void PrintNote();
    void Invoice();
    void SetPrehladySQL();

private:
    void closeData();
    TEDListyQR1Rep *report_ = nullptr;
};

extern TEDListyForm *EDListyForm;

// The browser (with the dialog and the overview report made on first use), shown modally.
void ShowDeliveryNotes();
