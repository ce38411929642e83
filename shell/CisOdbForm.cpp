#include "CisOdbForm.h"

#include "CisSql.h"
#include "DMCis.h"
#include "MenuHooks.h"
#include "library/xDBGrid.h"
#include "platform/os/Format.h"
#include "platform/ui/DBControls.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Guarded.h"

#include <QBoxLayout>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

TFormGlobal<TCisOdbForm> CisOdbForm{"CisOdbForm"};

namespace {

TxTable &customers()
{
    return DMCis->QOdberatelia;
}

void takeCustomer(TField *number, TField *name)
{
    SetPickedValue(number, customers().FieldByName(QStringLiteral("C_ODB"))->AsInteger());
    SetPickedValue(name, customers().FieldByName(QStringLiteral("ODBERATEL"))->AsString());
}

// The only row found, else the list to pick from.
bool oneOrPick()
{
    TxTable &t = customers();
    t.Last();
    if (t.RecordCount() == 1)
        return true;
    t.First();
    return FormOnDemand(CisOdbForm).ShowModal() == mrOk && !t.IsEmpty();
}

// The customer dialog of the sales module, else the new customer's name asked for.
int customerDialog(TDataSet *ds)
{
    if (ModuleHooks().CustomerDialog)
        return ModuleHooks().CustomerDialog(ds);
    QString name;
    if (!InputQuery(QString::fromUtf8("Nový odberateľ"), QString::fromUtf8("Odberateľ:"), name) ||
        name.trimmed().isEmpty())
        return mrCancel;
    ds->FieldByName(QStringLiteral("ODBERATEL"))->SetValue(name.trimmed());
    return mrOk;
}

} // namespace

TCisOdbForm::TCisOdbForm(QWidget *owner)
    : TCisPickForm(QString::fromUtf8("Číselník odberateľov"), &DMCis->DSQOdberatelia, owner)
{
    TrackGlobal(this, CisOdbForm);
    auto *details = new QFormLayout;
    const QList<QPair<const char *, const char *>> fields{
        {"ICO", "IČO"}, {"TELEFON", "Telefón"}, {"KONTAKT", "Kontakt"}, {"POZNAMKA", "Poznámka"}};
    for (const auto &f : fields) {
        auto *text = new TDBText(this);
        text->SetDataSource(&DMCis->DSQOdberatelia);
        text->SetDataField(QString::fromUtf8(f.first));
        details->addRow(QString::fromUtf8(f.second), text);
    }
    static_cast<QBoxLayout *>(layout())->insertLayout(2, details);
    eODBERATEL = AddFilterEdit(QString::fromUtf8("Odberateľ"), true);
    eICO = AddFilterEdit(QString::fromUtf8("IČO"), true);
    eMESTO = AddFilterEdit(QStringLiteral("Mesto"), true);
    BtnNovy = new QPushButton(QString::fromUtf8("&Nový"), this);
    ButtonLayout->insertWidget(0, BtnNovy);
    connect(BtnNovy, &QPushButton::clicked, this, [this] { Guarded([this] { NewCustomer(); }); });
}

void TCisOdbForm::NewCustomer()
{
    TxTable &t = customers();
    if (!t.Active())
        t.Open();
    t.Tag = NegativeNumbers ? 1 : 0;
    try {
        t.Append();
    } catch (...) {
        t.Tag = 0;
        throw;
    }
    t.Tag = 0;
    if (customerDialog(&t) == mrOk)
        t.Post();
    else
        t.Cancel();
}

void TCisOdbForm::SetCustomerFilter(const QString &condition)
{
    TxTable &t = customers();
    QString filter = condition;
    if (!NegativeNumbers)
        filter += filter.isEmpty() ? CisSql::CustomerNotProvisional : CisSql::And + CisSql::CustomerNotProvisional;
    // The same condition again (an edit left unchanged) keeps the list and its current row.
    if (t.Active() && t.Filtered() && t.Filter() == filter)
        return;
    t.Close();
    t.SetFiltered(false);
    t.SetFilterText(filter);
    t.SetFiltered(true);
    t.Open();
}

void TCisOdbForm::ApplyFilter()
{
    // The edits show what filters the list: the first filled one wins and the others are cleared, and
    // blank edits mean no filter.
    QString condition;
    QLineEdit *used = nullptr;
    if (!eODBERATEL->text().trimmed().isEmpty()) {
        condition = CisSql::CustomerNameLike.arg(SqlLikePrefix(QLatin1Char('%') + eODBERATEL->text().trimmed()));
        used = eODBERATEL;
    } else if (!eICO->text().isEmpty()) {
        condition = CisSql::CustomerIcoLike.arg(SqlLikePrefix(eICO->text()));
        used = eICO;
    } else if (!eMESTO->text().isEmpty()) {
        condition = CisSql::CustomerCityLike.arg(SqlLikePrefix(eMESTO->text()));
        used = eMESTO;
    }
    ShowFilterIn(used, used ? used->text() : QString());
    SetCustomerFilter(condition);
    Grid->setFocus();
}

void TCisOdbForm::ShowFilterIn(QLineEdit *edit, const QString &text)
{
    for (QLineEdit *e : {eODBERATEL, eICO, eMESTO})
        if (e != edit)
            e->clear();
    if (edit && edit->text() != text)
        edit->setText(text);
}

bool PickCustomerForField(TField *number, TField *name, bool negativeNumbers)
{
    FormOnDemand(CisOdbForm).NegativeNumbers = negativeNumbers;
    const int n = number->AsInteger();
    if (n != 0) {
        TxTable &t = customers();
        t.Close();
        t.SetFiltered(false);
        // A larger number is a company registration number.
        t.SetFilterText((n < 10001 ? CisSql::CustomerNumberIs : CisSql::CustomerIcoIs).arg(n));
        t.SetFiltered(true);
        t.Open();
        t.Last();
        if (t.RecordCount() == 1) {
            takeCustomer(number, name);
            return true;
        }
    }
    return PickCustomer(number, name, false);
}

bool PickCustomer(TField *number, TField *name, bool negativeNumbers)
{
    FormOnDemand(CisOdbForm).NegativeNumbers = negativeNumbers;
    if (!PickCustomerByText(name->AsString()))
        return false;
    takeCustomer(number, name);
    return true;
}

bool PickCustomerByText(const QString &text)
{
    TCisOdbForm &f = FormOnDemand(CisOdbForm);
    TxTable &t = customers();
    t.Close();
    t.SetFiltered(false);
    f.ShowFilterIn(nullptr, QString());
    if (!text.isEmpty()) {
        qint64 ico = 0;
        if (TryStrToInt(text.trimmed(), ico) && ico != 0) {
            f.SetCustomerFilter(CisSql::CustomerIcoIs.arg(ico));
            f.ShowFilterIn(f.eICO, QString::number(ico));
        } else {
            f.SetCustomerFilter(CisSql::CustomerNameLike.arg(SqlLikePrefix(text.trimmed())));
            f.ShowFilterIn(f.eODBERATEL, text.trimmed());
        }
    }
    if (!t.Active())
        t.Open();
    return oneOrPick();
}

bool PickCustomerAll()
{
    FormOnDemand(CisOdbForm).ShowFilterIn(nullptr, QString());
    TxTable &t = customers();
    t.Close();
    t.SetFiltered(false);
    t.Open();
    return FormOnDemand(CisOdbForm).ShowModal() == mrOk && !t.IsEmpty();
}

bool PickCustomerForEdit(QLineEdit *edit)
{
    FormOnDemand(CisOdbForm).NegativeNumbers = false;
    if (!PickCustomerAll())
        return false;
    edit->setText(customers().FieldByName(QStringLiteral("C_ODB"))->AsString());
    return true;
}
