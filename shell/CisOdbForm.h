// TCisOdbForm (global CisOdbForm): the pick list of customers over DMCis.QOdberatelia with its filter and
// a new-customer button, and the routines that find or pick a customer's number and name.
#pragma once

#include "platform/ui/FormGlobal.h"
#include "CisPickForm.h"

class QLineEdit;
class TDataSet;
class TField;

class TCisOdbForm : public TCisPickForm {
    Q_OBJECT
public:
    explicit TCisOdbForm(QWidget *owner = nullptr);

    QLineEdit *eODBERATEL, *eICO, *eMESTO;
    QPushButton *BtnNovy;
    // Negative (provisional) customer numbers may be listed and made.
    bool NegativeNumbers = false;

    // Appends a customer and lets the customer dialog fill it; OK posts it, anything else cancels it.
    void NewCustomer();
    // Applies a condition (plus "C_ODB>0" without negative numbers) and opens the list.
    void SetCustomerFilter(const QString &condition);
    // Shows the text of the filter in its edit (none: nullptr) and clears the other edits.
    void ShowFilterIn(QLineEdit *edit, const QString &text);

protected:
    void ApplyFilter() override;
};

extern TFormGlobal<TCisOdbForm> CisOdbForm;

bool PickCustomerForField(TField *number, TField *name, bool negativeNumbers);
bool PickCustomer(TField *number, TField *name, bool negativeNumbers);
// Finds the customer of a registration number or a name prefix; else lets the user pick one.
bool PickCustomerByText(const QString &text);
bool PickCustomerForEdit(QLineEdit *edit);
bool PickCustomerAll();
