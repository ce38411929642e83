#include "CisZamForm.h"

#include "CisSql.h"
#include "DMCis.h"
#include "library/xDBGrid.h"
#include "platform/os/Format.h"

#include <QLineEdit>

TFormGlobal<TCisZamForm> CisZamForm{"CisZamForm"};
QString EmployeeSurname;
QString EmployeeProfession;

namespace {

TxTable &employees()
{
    return DMCis->QZamestnanci;
}

void rememberEmployee()
{
    EmployeeSurname = employees().FieldByName(QStringLiteral("priezvisko"))->AsString();
    EmployeeProfession = employees().FieldByName(QStringLiteral("profesia"))->AsString();
}

// With a number, the employee of the number, sent as a parameter: one prepared statement serves every number.
void filterEmployees(const QString &filter, int osc = 0)
{
    TxTable &t = employees();
    t.Close();
    t.SetFiltered(false);
    t.SetFilterText(filter);
    t.SetFiltered(!filter.isEmpty());
    if (osc != 0) {
        t.Prepare();
        t.ParamByName(QStringLiteral("OSC")).SetAsInteger(osc);
    }
    t.Open();
}

void filterEmployee(int osc)
{
    filterEmployees(CisSql::EmployeeNumberIs, osc);
}

} // namespace

TCisZamForm::TCisZamForm(QWidget *owner)
    : TCisPickForm(QStringLiteral("Vyber zamestnanca"), &DMCis->DSQZamestnanci, owner)
{
    TrackGlobal(this, CisZamForm);
    Grid->AddColumn(QStringLiteral("OSC"), QString::fromUtf8("Os.č."));
    Grid->AddColumn(QStringLiteral("MENO"), QStringLiteral("Meno"));
    Grid->AddColumn(QStringLiteral("PRIEZVISKO"), QStringLiteral("Priezvisko"));
    Grid->AddColumn(QStringLiteral("PROFESIA"), QStringLiteral("Profesia"));
    FilterBox->hide();
}

void CheckEmployee(TField *field)
{
    const int osc = field->AsInteger();
    TxTable &t = employees();
    const bool onRow = t.Active() && !t.IsEmpty() && t.FieldByName(QStringLiteral("OSC"))->AsInteger() == osc;
    if (!onRow)
        filterEmployee(osc);
    if (t.IsEmpty())
        throw EDatabaseError(Format(QString::fromUtf8("Pracovník s os.číslom %d nie je evidovaný"), {osc}));
    rememberEmployee();
}

bool PickEmployee(int &n)
{
    TxTable &t = employees();
    t.Close();
    t.SetFiltered(false);
    bool found = false;
    if (n != 0) {
        filterEmployee(n);
        found = !t.IsEmpty();
    }
    if (!found) {
        filterEmployees(QString());
        if (FormOnDemand(CisZamForm).ShowModal() != mrOk || t.IsEmpty())
            return false;
        n = t.FieldByName(QStringLiteral("OSC"))->AsInteger();
    }
    rememberEmployee();
    return true;
}

bool PickEmployeeForEdit(QLineEdit *edit)
{
    int n = StrToIntDef(edit->text().trimmed(), 0);
    if (!PickEmployee(n))
        return false;
    edit->setText(QString::number(n));
    return true;
}

bool PickEmployeeForField(TField *field)
{
    int n = field->AsInteger();
    if (!PickEmployee(n))
        return false;
    SetPickedValue(field, n);
    return true;
}
