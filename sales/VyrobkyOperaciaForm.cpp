#include "VyrobkyOperaciaForm.h"

#include "DMTPV.h"
#include "library/FormKit.h"
#include "library/Buttons.h"
#include "library/DataEditRow.h"
#include "library/xDBMemo.h"
#include "shell/DMCis.h"
#include "shell/DMZal.h"
#include "platform/ui/DBLookupCombo.h"
#include "platform/ui/FormGlobal.h"
#include "platform/ui/Guarded.h"

#include <QBoxLayout>
#include <QFormLayout>
#include <QLabel>

TVyrobkyOperaciaForm *VyrobkyOperaciaForm = nullptr;

TVyrobkyOperaciaForm::TVyrobkyOperaciaForm(QWidget *owner) : TForm(owner)
{
    TrackGlobal(this, VyrobkyOperaciaForm);
    setWindowTitle(QString::fromUtf8("Operácia technologického postupu"));
    resize(463, 410);
    TDataSource *source = &DMTPV->DSTOperacie;
    auto *main = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    main->addLayout(form);
    const auto edit = [&](const TDataEditRow &row) { return AddDataEditRow(form, this, source, row); };
    const auto combo = [&](const char *field, const char *caption, TDataSet *list, const char *shown) {
        auto *c = new TDBLookupCombo(source, QString::fromLatin1(field), list, QString::fromLatin1(field), this);
        c->setObjectName(QStringLiteral("DBlcb") + QString::fromLatin1(field));
        c->SetListField(QString::fromLatin1(shown));
        AddCaptionedRow(form, QString::fromUtf8(caption), c);
        return c;
    };
    DBeC_OPERACIE = edit({"C_OPERACIE", "č.Operácie", bsNone, nullptr, 6});
    DBlcbOPERACIA = combo("OPERACIA", "Operácia", &DMZal->COperacii, "NAZOV_OP");
    DBePOPIS_OP = edit({"POPIS_OP", "Popis operácie"});
    DBlcbPRACOVISKO = combo("PRACOVISKO", "Pracovisko", &DMCis->CPracovisk, "NAZOV_PRAC");
    DBlcbPROFESIA = combo("PROFESIA", "Profesia", &DMCis->CProfesii, "NAZOV_PROF");
    DBlcbTARIF = combo("TARIF", "Mzdový tarif", &DMCis->CTarifov, "TARIF");
    DBeCAS_JED = edit({"CAS_JED", "Kusový čas", bsDots, nullptr, 10, "min."});
    DBeCAS_JED->OnButtonClick = [](TxDBEdit *) { Guarded([] { DMTPV->EnterNormPerShift(); }); };
    DBeCAS_PRIP = edit({"CAS_PRIP", "Prípravný čas", bsNone, nullptr, 10, "min."});
    DBeCAS_MEDZI = edit({"CAS_MEDZI", "Medzioperačný čas", bsNone, nullptr, 10, "min."});
    DBeP_STRATY = edit({"P_STRATY", "% Strát", bsNone, nullptr, 6});
    DBeOSOBY = edit({"OSOBY", "Počet osôb", bsNone, nullptr, 4});
    DBmNAVODKA = new TxDBMemo(this);
    DBmNAVODKA->setObjectName(QStringLiteral("DBmNAVODKA"));
    DBmNAVODKA->SetDataSource(source);
    DBmNAVODKA->SetDataField(QStringLiteral("NAVODKA"));
    AddCaptionedRow(form, QString::fromUtf8("Technologická návodka"), DBmNAVODKA);

    AddSaveButtons(this, main, BtnZapis, BtnNezapis,
                   {.Records = {&DMTPV->QTOperacie}, .Save = [] { DMTPV->QTOperacie.Post(); }});
}

void TVyrobkyOperaciaForm::ReloadLists()
{
    for (TDBLookupCombo *c : {DBlcbOPERACIA, DBlcbPRACOVISKO, DBlcbPROFESIA, DBlcbTARIF})
        c->Reload();
}

bool EditProductOperation()
{
    TVyrobkyOperaciaForm &form = FormOnDemand(VyrobkyOperaciaForm);
    for (TxTable *list : {&DMZal->COperacii, &DMCis->CPracovisk, &DMCis->CProfesii, &DMCis->CTarifov})
        if (!list->Active())
            list->Open();
    form.ReloadLists();
    form.DBeC_OPERACIE->setFocus();
    TxTable &op = DMTPV->QTOperacie;
    if (form.ShowModal() == mrOk)
        return true;
    if (op.State() == dsEdit || op.State() == dsInsert)
        op.Cancel();
    return false;
}
