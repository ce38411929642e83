// TCisZamForm (global CisZamForm): the pick list of employees over DMCis.QZamestnanci, and the routines that
// check an employee number or pick an employee into a variable, an edit or a field.
#pragma once

#include "platform/ui/FormGlobal.h"
#include "CisPickForm.h"

class QLineEdit;
class TField;

class TCisZamForm : public TCisPickForm {
    Q_OBJECT
public:
    explicit TCisZamForm(QWidget *owner = nullptr);

protected:
    void ApplyFilter() override {}
};

extern TFormGlobal<TCisZamForm> CisZamForm;

// The surname and profession of the last employee found.
extern QString EmployeeSurname;
extern QString EmployeeProfession;

// Checks that the field's employee exists; EDatabaseError when not.
void CheckEmployee(TField *field);
// Finds employee n, else lets the user pick from all employees; n := the employee.
bool PickEmployee(int &n);
bool PickEmployeeForEdit(QLineEdit *edit);
bool PickEmployeeForField(TField *field);
