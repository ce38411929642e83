#include "CisZakForm.h"

#include "CisSql.h"
#include "DMCis.h"
#include "DMZal.h"
#include "Routines.h"
#include "library/xDBGrid.h"
#include "library/xMaskEdit.h"
#include "platform/os/Clock.h"
#include "platform/os/Format.h"
#include "platform/ui/Guarded.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TFormGlobal<TCisZakForm> CisZakForm{"CisZakForm"};

namespace {

TxQuery &query()
{
    return DMCis->QvZakazkyD;
}

// Opens the pick query with a condition line and its parameters.
void openWhere(const QString &where, const QVariantList &params = {})
{
    TxQuery &q = query();
    q.Close();
    q.SQL().SetStrings(2, where);
    for (int i = 0; i < params.size(); ++i)
        q.Params()[i].SetValue(params[i]);
    q.Open();
}

} // namespace

TCisZakForm::TCisZakForm(QWidget *owner) : TCisPickForm(QStringLiteral("Vyber zákazku"), &DMCis->DSQvZakazkyD, owner)
{
    TrackGlobal(this, CisZakForm);
    auto *label = new QLabel(QString::fromUtf8("Pohľad"), this);
    cbPohlad = new QComboBox(this);
    cbPohlad->addItems(
        {QString::fromUtf8("Neukončené"), QString::fromUtf8("Odvedené"), QString::fromUtf8("Rozpracované")});
    cbPohlad->setCurrentIndex(-1);
    TopLayout->insertWidget(0, label);
    TopLayout->insertWidget(1, cbPohlad);
    connect(cbPohlad, &QComboBox::activated, this, [this] { Guarded([this] { ViewChanged(); }); });
    eC_VYR = AddFilterEdit<TmeC_VYR>(QString::fromUtf8("č.Výrobku"));
    eNAZOV = AddFilterEdit(QString::fromUtf8("Názov výr."), true);
    eC_ODB = AddFilterEdit(QString::fromUtf8("č.Odberateľa"), true);
    eC_OBJ = AddFilterEdit(QString::fromUtf8("č.Objednávky"), true);
    FilterBox->hide();
    BtnShowFilter = new QPushButton(QStringLiteral("Filter"), this);
    ButtonLayout->insertWidget(0, BtnShowFilter);
    connect(BtnShowFilter, &QPushButton::clicked, this, [this] { FilterBox->setVisible(!FilterBox->isVisible()); });
}

void TCisZakForm::ViewChanged()
{
    switch (cbPohlad->currentIndex()) {
    case 0:
        SetOrderPickWhere(CisSql::JobStateBelow.arg(stUkoncena));
        break;
    case 1:
        SetOrderPickWhere(CisSql::JobStateBetween.arg(QString::number(stOdvedena), QStringLiteral("99")));
        break;
    case 2:
        SetOrderPickWhere(CisSql::JobStateBetween.arg(QString::number(stVyrabana), QStringLiteral("89")));
        break;
    default:
        break;
    }
}

void TCisZakForm::ApplyFilter()
{
    QString condition;
    if (!IsMaskEditEmpty(eC_VYR))
        condition = CisSql::JobProductLike.arg(SqlLikePrefix(eC_VYR->text().trimmed()));
    else if (!eNAZOV->text().isEmpty())
        condition = CisSql::JobNameLike.arg(SqlLikePrefix(QLatin1Char('%') + eNAZOV->text()));
    else if (!eC_ODB->text().isEmpty())
        condition = CisSql::JobCustomerIs.arg(StrToInt(eC_ODB->text().trimmed()));
    else if (!eC_OBJ->text().isEmpty())
        condition = CisSql::JobOrderLike.arg(SqlLikePrefix(eC_OBJ->text()));
    if (!condition.isEmpty())
        SetOrderPickWhere(condition);
    eC_VYR->clear();
    ClearFilterEdits();
    FilterBox->hide();
    Grid->setFocus();
}

void SetOrderPickWhere(const QString &condition)
{
    openWhere(condition.isEmpty() ? QString() : CisSql::OrderPickWhere.arg(condition));
}

bool ShowOrderPick(const QString &condition)
{
    TCisZakForm &f = FormOnDemand(CisZakForm);
    if (condition.isEmpty()) {
        if (f.cbPohlad->currentIndex() < 0)
            f.cbPohlad->setCurrentIndex(0);
        f.ViewChanged();
    } else {
        SetOrderPickWhere(condition);
    }
    return f.ShowModal() == mrOk && !query().IsEmpty();
}

bool PickOrder(int &n, const QString &condition)
{
    FormOnDemand(CisZakForm);
    TxQuery &q = query();
    q.Close();
    q.SQL().SetStrings(0, CisSql::OrderPickJobs);
    bool found;
    if (n != 0 && condition.isEmpty()) {
        openWhere(CisSql::OrderPickByJob, {n});
        found = !q.IsEmpty();
    } else {
        found = ShowOrderPick(condition);
    }
    if (found)
        n = q.FieldByName(QStringLiteral("c_int"))->AsInteger();
    return found;
}

bool PickOrderForField(TField *field, const QString &product, const QString &order, int customer)
{
    QString condition;
    if (product > QLatin1String(" ") && customer != 0)
        condition = CisSql::JobOpenOfProductAndCustomer.arg(SqlLiteral(product), QString::number(customer),
                                                            QString::number(int(stUkoncena)));
    else if (!product.trimmed().isEmpty())
        condition = CisSql::JobProductIs.arg(SqlLiteral(product));
    else if (!order.trimmed().isEmpty())
        condition = CisSql::JobOrderIs.arg(SqlLiteral(order));
    else if (customer != 0)
        condition = CisSql::JobCustomerIs.arg(customer);
    int n = field->AsInteger();
    if (n != 0 && n < 9999)
        n += Date().year() % 100 * 10000;
    if (!PickOrder(n, condition))
        return false;
    SetPickedValue(field, n);
    return true;
}

void ForgetFormerJob(TField *job, const std::vector<TField *> &copied, const QString &missing)
{
    for (TField *f : copied)
        if (f)
            f->Clear();
    if (job->AsInteger() != 0)
        throw EDatabaseError(missing.isEmpty() ? QString::fromUtf8("Zákazka č.%1 neexistuje !").arg(job->DisplayText())
                                               : missing);
}

bool PickOrderForEdit(QLineEdit *edit)
{
    // A job typed as printed (26/0015) is looked up; anything else that is no job opens the list.
    int n = ParseOrderNo(edit->text()).value_or(0);
    const bool found = PickOrder(n, QString());
    if (found)
        edit->setText(QString::number(n));
    return found;
}

bool ShowOrderPickIfMany()
{
    TxQuery &q = query();
    q.Last();
    if (q.IsEmpty())
        return ShowOrderPick(QString());
    if (q.RecordCount() == 1)
        return true;
    q.First();
    return FormOnDemand(CisZakForm).ShowModal() == mrOk;
}

bool PickCustomerOrder(TField *field, int customer)
{
    FormOnDemand(CisZakForm);
    TxQuery &q = query();
    q.Close();
    q.SQL().SetStrings(0, CisSql::OrderPickCustomerOrders);
    bool found;
    if (field->AsString() > QLatin1String(" ")) {
        openWhere(CisSql::OrderPickByOrder, {field->AsString()});
        found = ShowOrderPickIfMany();
    } else if (customer != 0) {
        openWhere(CisSql::OrderPickOpenOfCustomer, {customer, int(stUkoncena)});
        found = ShowOrderPickIfMany();
    } else {
        found = ShowOrderPick(QString());
    }
    if (found)
        SetPickedValue(field, q.FieldByName(QStringLiteral("c_obj"))->AsString());
    return found;
}
