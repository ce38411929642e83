// TCisZakForm (global CisZakForm): the pick list of jobs and customer orders over DMCis.QvZakazkyD, with
// its views and filter, and the routines that find or pick a job or an order for a field or an edit.
#pragma once

#include <vector>

#include "platform/ui/FormGlobal.h"
#include "CisPickForm.h"

class QComboBox;
class QLineEdit;
class TField;
class TxMaskEdit;

class TCisZakForm : public TCisPickForm {
    Q_OBJECT
public:
    explicit TCisZakForm(QWidget *owner = nullptr);

    QComboBox *cbPohlad;
    QPushButton *BtnShowFilter;
    TxMaskEdit *eC_VYR;
    QLineEdit *eNAZOV, *eC_ODB, *eC_OBJ;

    // Runs the chosen view's condition.
    void ViewChanged();

protected:
    void ApplyFilter() override;
};

extern TFormGlobal<TCisZakForm> CisZakForm;

// Finds job n (when no condition is given), else lets the user pick a job; n := the job.
bool PickOrder(int &n, const QString &condition);
// Shows the job list with a condition (empty: the chosen view); true on OK.
bool ShowOrderPick(const QString &condition);
void SetOrderPickWhere(const QString &condition);
// Picks the job of a field, narrowed by a product, a customer order or a customer.
bool PickOrderForField(TField *field, const QString &product, const QString &order, int customer);
// A typed job that names no job: the fields copied from the job named before are cleared, so that nothing of
// it stays beside the new number, and a number other than 0 is refused with missing (by default "Zákazka
// č.X neexistuje !", X as the field shows it).
void ForgetFormerJob(TField *job, const std::vector<TField *> &copied, const QString &missing = QString());
bool PickOrderForEdit(QLineEdit *edit);
// Picks a customer order into the field (C_OBJ), by its text or the customer's open orders.
bool PickCustomerOrder(TField *field, int customer);
// The one row found is taken; several rows are shown to pick from; none shows the whole list.
bool ShowOrderPickIfMany();
