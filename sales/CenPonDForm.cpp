#include "CenPonDForm.h"

#include "DMOdbyt.h"
#include "ZakKalkForm.h"
#include "library/xDBGrid.h"
#include "shell/CisOdbForm.h"
#include "shell/CisPolForm.h"
#include "shell/DMZal.h"
#include "shell/Routines.h"
#include "platform/ui/DBControls.h"
#include "platform/ui/FormGlobal.h"
#include "platform/ui/Guarded.h"

#include <QBoxLayout>
#include <QFormLayout>
#include <QGroupBox>
#include <QPushButton>

TCenPonDForm *CenPonDForm = nullptr;

namespace {

template <class T> T *bound(QWidget *parent, const char *field)
{
    return MakeBound<T>(parent, &DMOdbyt->DSCenPon, QStringLiteral("DB"), QLatin1String(field));
}

} // namespace

TCenPonDForm::TCenPonDForm(QWidget *owner) : TForm(owner)
{
    TrackGlobal(this, CenPonDForm);
    setObjectName(QStringLiteral("CenPonDForm"));
    setWindowTitle(QString::fromUtf8("Cenová ponuka"));
    resize(640, 520);
    auto *main = new QVBoxLayout(this);
    auto *header = new QFormLayout;
    const auto withButton = [this](QWidget *edit, QPushButton *&button, std::function<void()> action) {
        auto *row = new QHBoxLayout;
        row->addWidget(edit);
        button = new QPushButton(QStringLiteral("..."), this);
        button->setFixedWidth(28);
        row->addWidget(button);
        connect(button, &QPushButton::clicked, this, [action] { Guarded(action); });
        return row;
    };
    DBeC_OBJ = bound<TDBEdit>(this, "C_OBJ");
    header->addRow(QString::fromUtf8("č.Ponuky"), withButton(DBeC_OBJ, btnCislo, [this] { DBeC_OBJButtonClick(); }));
    DBtD_VYSTAV = bound<TDBText>(this, "D_VYSTAV");
    header->addRow(QString::fromUtf8("zo dňa"), DBtD_VYSTAV);
    DBeODBERATEL = bound<TDBEdit>(this, "ODBERATEL");
    DBtC_ODB = bound<TDBText>(this, "C_ODB");
    auto *customer = withButton(DBeODBERATEL, btnOdberatel, [this] { DBeODBERATELButtonClick(); });
    customer->addWidget(DBtC_ODB);
    header->addRow(QString::fromUtf8("Odberateľ  "), customer);
    DBePOZNAMKA = bound<TDBEdit>(this, "POZNAMKA");
    header->addRow(QString::fromUtf8("Poznámka"), DBePOZNAMKA);
    DBcbPLAT_PODM = bound<TDBComboBox>(this, "PLAT_PODM");
    DBcbDOD_PODM = bound<TDBComboBox>(this, "DOD_PODM");
    DBcbTECH_PODM = bound<TDBComboBox>(this, "TECH_PODM");
    // The usual terms come from the settings lists; any other text may be typed.
    const std::pair<TDBComboBox *, const char *> lists[] = {{DBcbPLAT_PODM, "PlatobnePodmienky"},
                                                            {DBcbDOD_PODM, "DodaciePodmienky"},
                                                            {DBcbTECH_PODM, "TechnickePodmienky"}};
    for (const auto &[combo, key] : lists) {
        combo->setEditable(true);
        TStringList terms;
        DMZal->ReadDefaultsList(terms, QLatin1String(key));
        combo->addItems(terms.Lines());
    }
    header->addRow(QString::fromUtf8("Platobné podm."), DBcbPLAT_PODM);
    header->addRow(QString::fromUtf8("Dodacie podm."), DBcbDOD_PODM);
    header->addRow(QString::fromUtf8("Technické podm."), DBcbTECH_PODM);
    main->addLayout(header);

    auto *items = new QGroupBox(QString::fromUtf8("Položky"), this);
    auto *itemsLayout = new QVBoxLayout(items);
    DBGridCenPonD = new TxDBGrid(items);
    DBGridCenPonD->setObjectName(QStringLiteral("DBGridCenPonD"));
    DBGridCenPonD->SetDataSource(&DMOdbyt->DSCenPonD);
    // The items are typed cell by cell, so the grid selects cells, not rows.
    DBGridCenPonD->SetOptions(DBGridCenPonD->Options() & ~dgRowSelect);
    DBGridCenPonD->EnterToTab = true;
    // The item's number is the program's, never typed.
    DBGridCenPonD->AddColumn(QStringLiteral("C_INT"), QString::fromUtf8("č."))->ReadOnly = true;
    TColumn *product = DBGridCenPonD->AddColumn(QStringLiteral("C_VYR"), QString::fromUtf8("č.Výrobku"));
    product->ButtonStyle = cbsEllipsis;
    DBGridCenPonD->AddColumn(QStringLiteral("POZNAMKA"), QString::fromUtf8("Názov výrobku"));
    DBGridCenPonD->AddColumn(QStringLiteral("MNOZ_OBJ"), QString::fromUtf8("Množstvo"));
    DBGridCenPonD->AddColumn(QStringLiteral("SPEC1"), QString::fromUtf8("č.Výkresu"));
    DBGridCenPonD->AddColumn(QStringLiteral("SPEC2"), QString::fromUtf8("Doba výroby"));
    DBGridCenPonD->OnEditButtonClick = [this](TDBGrid *) { Guarded([this] { PickItemProduct(); }); };
    DBGridCenPonD->OnDblClick = [this](TDBGrid *) { Guarded([this] { btnKalkClick(); }); };
    itemsLayout->addWidget(DBGridCenPonD);
    auto *itemButtons = new QHBoxLayout;
    const auto button = [this](QBoxLayout *layout, const QString &caption, std::function<void()> action) {
        return GuardedButton(caption, this, layout, std::move(action));
    };
    BtnNovy = button(itemButtons, QString::fromUtf8("&Nová"), [this] {
        DMOdbyt->QCenPonD.Append();
        DBGridCenPonD->FocusFirstEditableCell();
    });
    // Alt+Z saves the offer; the item's delete takes the next letter.
    BtnZmaz = button(itemButtons, QString::fromUtf8("Z&maž"), [] {
        if (!DMOdbyt->QCenPonD.IsEmpty())
            DMOdbyt->QCenPonD.Delete();
    });
    btnKalk = button(itemButtons, QString::fromUtf8("Kalkulácia"), [this] { btnKalkClick(); });
    itemsLayout->addLayout(itemButtons);
    main->addWidget(items, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    BtnZapis = button(buttons, QString::fromUtf8("&Zapíš"), [this] { BtnZapisClick(); });
    BtnNezapis = button(buttons, QString::fromUtf8("&Nezapíš"), [this] { SetModalResult(mrCancel); });
    SetCancelButton(BtnNezapis);
    main->addLayout(buttons);
    SetUnsavedData({.Rows = {&DMOdbyt->QCenPonD},
                    .Records = {&DMOdbyt->QCenPon},
                    .Save = [] { DMOdbyt->SaveOffer(); },
                    .Discard = {BtnNezapis}});
    OnShow = [this] { ShowCustomerColour(); };
}

TCenPonDForm::~TCenPonDForm()
{
    DetachGrids(this);
}

void TCenPonDForm::ShowCustomerColour()
{
    const bool known =
        DMOdbyt->QCenPon.Active() && DMOdbyt->QCenPon.FieldByName(QStringLiteral("C_ODB"))->AsInteger() != 0;
    QPalette p = DBeODBERATEL->palette();
    p.setColor(QPalette::Base, known ? QColor(0xA6, 0xCA, 0xF0) : QColor(Qt::white));
    DBeODBERATEL->setPalette(p);
}

void TCenPonDForm::DBeC_OBJButtonClick()
{
    TxTable &offers = DMOdbyt->QCenPon;
    if (offers.State() != dsInsert)
        return;
    const QString prefix = DBeC_OBJ->text().trimmed().toUpper();
    DMOdbyt->OfferNumber.Propose(&offers, [prefix] {
        return NextCode(QStringLiteral("ZAKAZKY"), QStringLiteral("C_OBJ"), prefix, prefix + QStringLiteral("9999"));
    });
}

void TCenPonDForm::DBeODBERATELButtonClick()
{
    TxTable &offers = DMOdbyt->QCenPon;
    PickCustomer(offers.FieldByName(QStringLiteral("C_ODB")), offers.FieldByName(QStringLiteral("ODBERATEL")), true);
    ShowCustomerColour();
}

void TCenPonDForm::PickItemProduct()
{
    TxTable &items = DMOdbyt->QCenPonD;
    if (items.State() == dsBrowse)
        items.Edit();
    TField *code = items.FieldByName(QStringLiteral("C_VYR"));
    // The button sits in the open cell: the number typed there is the one to check, not the one stored.
    const QString typed = DBGridCenPonD->CellEditorText().trimmed();
    if (DBGridCenPonD->SelectedField() == code && !typed.isEmpty())
        code->SetAsString(typed);
    TxQuery *product = nullptr;
    if (!PickItemForFieldDS(code, QLatin1Char('V'), &product) || !product)
        return;
    items.FieldByName(QStringLiteral("POZNAMKA"))->SetValue(product->FieldByName(QStringLiteral("NAZOV"))->Value());
    items.FieldByName(QStringLiteral("SPEC1"))->SetValue(product->FieldByName(QStringLiteral("C_VYKRESU"))->Value());
}

void TCenPonDForm::btnKalkClick()
{
    TxTable &items = DMOdbyt->QCenPonD;
    if (items.State() == dsInsert)
        items.Post();
    if (!items.IsEmpty())
        ShowCalculation(items.FieldByName(QStringLiteral("C_INT"))->AsInteger());
}

void TCenPonDForm::BtnZapisClick()
{
    DMOdbyt->SaveOffer();
    SetModalResult(mrOk);
}

bool EditOffer()
{
    TCenPonDForm &form = FormOnDemand(CenPonDForm);
    if (form.ShowModal() == mrOk)
        return true;
    DMOdbyt->CancelOffer();
    return false;
}
