#include "DodavateliaForm.h"

#include "platform/ui/FormGlobal.h"

#include "DMMTZ.h"
#include "MTZSql.h"
#include "library/FormKit.h"
#include "library/SqlLiteral.h"
#include "shell/CisPickForm.h"
#include "shell/DMZal.h"
#include "shell/Routines.h"
#include "library/SqlLiteral.h"
#include "library/xDBFilter.h"
#include "library/xDBGrid.h"
#include "library/xPageControl.h"
#include "platform/ui/BitBtn.h"
#include "platform/ui/DBControls.h"
#include "platform/ui/DBLookupCombo.h"
#include "platform/ui/Guarded.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

TDodavateliaForm *DodavateliaForm = nullptr;

namespace {
TDodavateliaForm *suppliersForm()
{
    FormOnDemand(DodavateliaForm);
    return DodavateliaForm;
}
} // namespace

TDodavatelDForm::TDodavatelDForm(QWidget *owner) : TForm(owner)
{
    setObjectName(QStringLiteral("DodavatelDForm"));
    setWindowTitle(QString::fromUtf8("Dodávateľ"));
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    layout->addLayout(form);
    const std::pair<const char *, const char *> fields[] = {{"DODAVATEL", "Dodávateľ"},
                                                            {"C_DOD", "Číslo dodávateľa"},
                                                            {"ODDELENIE", "Oddelenie"},
                                                            {"ICO", "IČO"},
                                                            {"ICDPH", "IČ DPH"},
                                                            {"ULICA", "Ulica"},
                                                            {"MESTO", "Mesto"},
                                                            {"PSC", "PSČ"},
                                                            {"STAT", "Štát"},
                                                            {"BANKA", "Banka"},
                                                            {"BUCET", "Bank. účet"},
                                                            {"TELEFON", "Telefón"},
                                                            {"FAX", "Fax"},
                                                            {"KONTAKT", "Kontakt"},
                                                            {"ABC", "ABC"},
                                                            {"POZNAMKA", "Poznámka"},
                                                            {"HODNOTENIE", "Hodnotenie"},
                                                            {"EMAIL", "E-mail"}};
    for (const auto &[field, caption] : fields) {
        if (QByteArray(field) == "STAT") {
            DBlcbSTAT = new TDBLookupCombo(&DMMTZ->DSDodavatelia, QStringLiteral("STAT"), &DMZal->CStatov,
                                           QStringLiteral("STAT"), this);
            DBlcbSTAT->SetListField(QStringLiteral("NAZOV_STATU"));
            form->addRow(QString::fromUtf8(caption), DBlcbSTAT);
            continue;
        }
        auto *e = new TDBEdit(this);
        e->SetDataSource(&DMMTZ->DSDodavatelia);
        e->SetDataField(QString::fromLatin1(field));
        if (QByteArray(field) == "ICO")
            e->MaxLength = 11;
        form->addRow(QString::fromUtf8(caption), e);
        if (QByteArray(field) == "DODAVATEL")
            FirstEdit = e;
    }
    AddSaveRow(this, layout, {}, TSaveCaptions::Ok);
    OnShow = [this] {
        Guarded([this] { DBlcbSTAT->OpenListAndReload(); });
        FirstEdit->setFocus();
    };
}

TDodavateliaForm::TDodavateliaForm(QWidget *owner) : TtMasterDetailForm(owner)
{
    setObjectName(QStringLiteral("DodavateliaForm"));
    setWindowTitle(QString::fromUtf8("Dodávatelia"));
    DetailForm = new TDodavatelDForm(this);
    DBGrid->SetDataSource(&DMMTZ->DSDodavatelia);
    const std::pair<const char *, const char *> columns[] = {
        {"C_DOD", "č.Dod."}, {"ICO", "IČO"}, {"DODAVATEL", "Dodávateľ"}, {"MESTO", "Mesto"}, {"KONTAKT", "Kontakt"}};
    for (const auto &[field, title] : columns)
        DBGrid->AddColumn(QString::fromLatin1(field), QString::fromUtf8(title));
    DBGrid->OnDblClick = [this](TDBGrid *) {
        if (Picking)
            SetModalResult(mrOk);
        else
            btnOpravClick();
    };
    BtnVyber = new TBitBtn(bkOK, Panel);
    BtnVyber->hide();
    ButtonColumn->insertWidget(0, BtnVyber);
    auto *search = new QHBoxLayout;
    auto filterEdit = [&](const QString &where, const char *hint) {
        auto *e = new TxDBFilterEdit(Panel);
        e->DataSource = &DMMTZ->DSDodavatelia;
        e->SQLWhere = where;
        e->setPlaceholderText(QString::fromUtf8(hint));
        search->addWidget(e);
        return e;
    };
    // The number IČO is matched as text: a typed letter finds nothing instead of failing; its edit takes digits.
    eIco = filterEdit(SqlAsText(QStringLiteral("ICO")) + QStringLiteral(" like '?%'"), "IČO");
    eIco->EditStyle = esInteger;
    eDodavatel = filterEdit(QStringLiteral("DODAVATEL like '?%'"), "Dodávateľ");
    eMesto = filterEdit(QStringLiteral("MESTO like '?%'"), "Mesto");
    Column->insertLayout(0, search);

    auto *address = new QWidget;
    AddRecordTexts(address, &DMMTZ->DSDodavatelia,
                   {{"ODDELENIE", "Oddelenie"},
                    {"ULICA", "Ulica"},
                    {"MESTO", "Mesto"},
                    {"POZNAMKA", "Poznámka"},
                    {"FAX", "Fax"},
                    {"TELEFON", "Telefón"},
                    {"KONTAKT", "Kontakt"},
                    {"EMAIL", "E-mail"}});
    PageControl->addTab(address, QString::fromUtf8("Dodávateľ"));
    auto *orders = new QWidget;
    OrdersGrid = new TxDBGrid(orders);
    OrdersGrid->SetReadOnly(true);
    (new QVBoxLayout(orders))->addWidget(OrdersGrid);
    PageControl->addTab(orders, QString::fromUtf8("Objednávky"));
    connect(PageControl, &QTabWidget::currentChanged, this, [this](int i) {
        Guarded([this, i] {
            CloseOrders();
            if (i == 1)
                ShowOrders();
        });
    });
}

TDodavateliaForm::~TDodavateliaForm()
{
    if (DodavateliaForm == this)
        DodavateliaForm = nullptr;
}

void TDodavateliaForm::ShowOrders()
{
    TxQuery &q1 = DMZal->Query1;
    q1.SQL().SetText(MTZSql::SupplierOrders);
    q1.SetDataSource(&DMMTZ->DSDodavatelia);
    q1.Open();
    OrdersGrid->SetDataSource(GetDataSource(&q1));
}

void TDodavateliaForm::CloseOrders()
{
    OrdersGrid->SetDataSource(nullptr);
    DMZal->Query1.Close();
    DMZal->Query1.SetDataSource(nullptr);
}

void ShowSuppliers()
{
    TDodavateliaForm *f = suppliersForm();
    f->Picking = false;
    TxTable &d = DMMTZ->QDodavatelia;
    d.SetFiltered(false);
    d.Open();
    struct Close {
        TDodavateliaForm *f;
        ~Close()
        {
            f->CloseOrders();
            DMMTZ->QDodavatelia.Close();
        }
    } close{f};
    f->ShowModal();
}

bool PickSupplier(TField *number, TField *name)
{
    TxTable &d = DMMTZ->QDodavatelia;
    const QString typed = name->AsString().trimmed();
    d.SetFilterAndOpen(QStringLiteral("DODAVATEL LIKE ") + SqlLikePrefix(typed));
    struct Close {
        ~Close()
        {
            DMMTZ->QDodavatelia.Close();
            DMMTZ->QDodavatelia.SetFiltered(false);
        }
    } close;
    d.FetchAll();
    d.Last();
    bool picked = d.RecordCount() == 1;
    if (!picked) {
        TDodavateliaForm *f = suppliersForm();
        f->Picking = true;
        f->eDodavatel->setText(typed);
        f->BtnVyber->show();
        picked = f->ShowModal() == mrOk && !d.IsEmpty();
        f->BtnVyber->hide();
        f->Picking = false;
    }
    if (picked) {
        SetPickedValue(number, d.FieldByName(QStringLiteral("C_DOD"))->Value());
        SetPickedValue(name, d.FieldByName(QStringLiteral("DODAVATEL"))->Value());
    }
    return picked;
}
