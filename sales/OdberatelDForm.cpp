#include "OdberatelDForm.h"

#include "CustomerList.h"
#include "library/FormKit.h"
#include "library/Buttons.h"
#include "library/DataEditRow.h"
#include "shell/DMCis.h"
#include "shell/DMZal.h"
#include "platform/ui/DBControls.h"
#include "platform/ui/DBLookupCombo.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FormGlobal.h"
#include "platform/ui/Guarded.h"

#include <QBoxLayout>
#include <QFormLayout>
#include <QLabel>

TFormGlobal<TOdberatelDForm> OdberatelDForm{"OdberatelDForm"};

TOdberatelDForm::TOdberatelDForm(QWidget *owner) : TForm(owner)
{
    TrackGlobal(this, OdberatelDForm);
    setWindowTitle(QString::fromUtf8("Odberateľ"));
    // Room for a name of 50 characters.
    setMinimumWidth(480);
    TDataSource *source = &DMCis->DSQOdberatelia;
    auto *main = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    main->addLayout(form);
    const auto edit = [&](const TDataEditRow &row) { return AddDataEditRow(form, this, source, row); };
    DBeODBERATEL = edit({"ODBERATEL", "Odberateľ"});
    DBeC_ODB = edit({"C_ODB", "Číslo odberateľa", bsNone, nullptr, 8});
    DBeC_ODB->SetReadOnly(true);
    DBeC_ODB->setEnabled(false);
    edit({"ODDELENIE", "Oddelenie"});
    DBeICO = edit({"ICO", "IČO", bsNone, nullptr, 11});
    DBeICO->SetMaxLength(11);
    DBeICDPH = edit({"ICDPH", "IČ DPH", bsNone, nullptr, 14});
    DBeICDPH->SetCharCase(ecUpperCase);
    edit({"ULICA", "Ulica"});
    edit({"MESTO", "Mesto"});
    edit({"PSC", "PSČ", bsNone, nullptr, 6});
    DBlcbSTAT = new TDBLookupCombo(source, QStringLiteral("STAT"), &DMZal->CStatov, QStringLiteral("STAT"), this);
    DBlcbSTAT->setObjectName(QStringLiteral("DBlcbSTAT"));
    DBlcbSTAT->SetListField(QStringLiteral("NAZOV_STATU"));
    AddCaptionedRow(form, QString::fromUtf8("Štát"), DBlcbSTAT);
    edit({"BANKA", "Banka"});
    edit({"BUCET", "Bank. účet"});
    edit({"TELEFON", "Telefón"});
    edit({"FAX", "Fax"});
    edit({"EMAIL", "E-mail"});
    DBeD_UPDATE = edit({"D_UPDATE", "Dátum zápisu", bsNone, nullptr, 10});
    DBeD_UPDATE->setEnabled(false);
    edit({"KONTAKT", "Kontakt"});
    edit({"ABC", "ABC", bsNone, nullptr, 3});
    edit({"POZNAMKA", "Poznámka"});
    edit({"P_ZLAVY", "Percento zľavy", bsNone, nullptr, 6});
    DBcbPLAT_PODM = new TDBComboBox(this);
    DBcbPLAT_PODM->setObjectName(QStringLiteral("DBcbPLAT_PODM"));
    DBcbPLAT_PODM->SetDataSource(source);
    DBcbPLAT_PODM->SetDataField(QStringLiteral("PLAT_PODM"));
    DBcbPLAT_PODM->SetItems({QStringLiteral(" 0"), QStringLiteral(" 7"), QStringLiteral("14"), QStringLiteral("21"),
                             QStringLiteral("30"), QStringLiteral("60"), QStringLiteral("90"), QStringLiteral("ZA"),
                             QStringLiteral("HO")});
    AddCaptionedRow(form, QString::fromUtf8("Platobné podmienky"), DBcbPLAT_PODM);

    AddSaveButtons(this, main, BtnZapis1, BtnNezapis1,
                   {.Records = {&DMCis->QOdberatelia}, .Save = [] { DMCis->QOdberatelia.Post(); }});
    OnShow = [this] {
        Guarded([this] { DBlcbSTAT->OpenListAndReload(); });
        DBeODBERATEL->setFocus();
    };
}

int TOdberatelDForm::RunOnCurrent()
{
    const int result = ShowModal();
    TxTable &t = DMCis->QOdberatelia;
    if (result != mrOk && (t.State() == dsEdit || t.State() == dsInsert))
        t.Cancel();
    return result;
}

bool EditCustomer(int customer)
{
    if (!OpenOneCustomer(customer)) {
        ShowError(QString::fromUtf8("Odberateľ č.%1 neexistuje !").arg(customer));
        return false;
    }
    DMCis->QOdberatelia.Edit();
    return FormOnDemand(OdberatelDForm).RunOnCurrent() == mrOk;
}
