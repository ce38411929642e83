#include "CenPonForm.h"

#include "CenPonDForm.h"
#include "CenPonQRRep.h"
#include "DMOdbyt.h"
#include "OdbytSql.h"
#include "library/xDBFilter.h"
#include "library/xDBGrid.h"
#include "shell/Routines.h"
#include "platform/ui/DBControls.h"
#include "platform/ui/FormGlobal.h"
#include "platform/ui/Guarded.h"

#include <QBoxLayout>
#include <QFormLayout>
#include <QPushButton>
#include <QTabWidget>

TCenPonForm *CenPonForm = nullptr;

TCenPonForm::TCenPonForm(QWidget *owner) : TBrowseForm(owner)
{
    TrackGlobal(this, CenPonForm);
    setObjectName(QStringLiteral("CenPonForm"));
    setWindowTitle(QString::fromUtf8("Cenové ponuky"));
    resize(700, 540);
    TDMOdbyt &dm = *DMOdbyt;

    filterCenPon = new TxDBFilterCombo(this);
    filterCenPon->setObjectName(QStringLiteral("filterCenPon"));
    filterCenPon->DataSource = &dm.DSCenPon;
    TStringList items;
    for (const QString &item : OdbytSql::OfferFilterItems)
        items.Add(item);
    filterCenPon->SetSQLItems(items);
    filterCenPon->SetItemIndex(0);
    // Whatever is chosen, only offers are listed.
    filterCenPon->BeforeFilter = [](QObject *, QString &filter) { filter = TDMOdbyt::OffersFilter(filter); };
    Column->addWidget(filterCenPon);

    DBGridCenPon = AddGrid<TxDBGrid>(
        "DBGridCenPon", &dm.DSCenPon,
        {{"C_OBJ", "č.Ponuky"}, {"ODBERATEL", "Odberateľ"}, {"D_VYSTAV", "Dátum vyst."}, {"POZNAMKA", "Poznámka"}}, 3);
    DBGridCenPon->OnDblClick = [this](TDBGrid *) { Guarded([this] { BtnOpravClick(); }); };

    auto *buttons = new QHBoxLayout;
    BtnNovy = AddButton(buttons, "&Nová", [this] { BtnNovyClick(); });
    BtnOprav = AddButton(buttons, "&Oprav", [this] { BtnOpravClick(); });
    BtnZmaz = AddButton(buttons, "&Zmaž", [this] { BtnZmazClick(); });
    BtnTlac = AddButton(buttons, "&Tlač", [this] { BtnTlacClick(); });
    BtnKoniec = AddCloseButton(buttons, "Za&vrieť");
    Column->addLayout(buttons);

    pcCenPon = new QTabWidget(this);
    DBGridCenPonD = MakeGrid<TxDBGrid>(
        "DBGridCenPonD", &dm.DSCenPonD,
        {{"C_INT", "č."}, {"C_VYR", "č.Výrobku"}, {"POZNAMKA", "Názov výrobku"}, {"MNOZ_OBJ", "Množstvo"}});
    DBGridCenPonD->SetTitleClickToOrderBy(true);
    DBGridCenPonD->OnDblClick = [this](TDBGrid *) { Guarded([this] { BtnOpravClick(); }); };
    pcCenPon->addTab(DBGridCenPonD, QString::fromUtf8("Položky"));
    auto *head = new QWidget;
    AddRecordTexts(head, &dm.DSCenPon,
                   {{"C_OBJ", "č.Ponuky"},
                    {"D_VYSTAV", "dňa"},
                    {"VYSTAVIL", "Vystavil "},
                    {"ODBERATEL", "Odberateľ"},
                    {"POZNAMKA", "Poznámka"}});
    pcCenPon->addTab(head, QString::fromUtf8("Hlavička"));
    Column->addWidget(pcCenPon, 2);

    OnShow = [] { DMOdbyt->OpenOffers(); };
    OnClose = [](TCloseAction &) {
        DMOdbyt->QCenPonD.Close();
        DMOdbyt->QCenPon.Close();
    };
}

TCenPonForm::~TCenPonForm()
{
    DetachGrids(this);
}

void TCenPonForm::BtnNovyClick()
{
    DMOdbyt->QCenPon.Append();
    EditOffer();
}

void TCenPonForm::BtnOpravClick()
{
    if (DMOdbyt->QCenPon.IsEmpty())
        return;
    DMOdbyt->QCenPon.Edit();
    EditOffer();
}

void TCenPonForm::BtnZmazClick()
{
    TxTable &offers = DMOdbyt->QCenPon;
    if (offers.IsEmpty())
        return;
    if (Confirm(QString::fromUtf8("Naozaj zmazať cenovú ponuku ") +
                    offers.FieldByName(QStringLiteral("C_OBJ"))->AsString().trimmed() + QStringLiteral(" ?"),
                QString::fromUtf8("Otázka")))
        offers.Delete();
}

void TCenPonForm::BtnTlacClick()
{
    if (!DMOdbyt->QCenPon.IsEmpty())
        PrintOffer(DMOdbyt->QCenPon.FieldByName(QStringLiteral("C_OBJ"))->AsString().trimmed());
}

void ShowOffers()
{
    TCenPonForm &form = FormOnDemand(CenPonForm);
    FormOnDemand(CenPonDForm);
    form.ShowModal();
}
