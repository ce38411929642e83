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

TCenPonForm::TCenPonForm(QWidget *owner) : TForm(owner)
{
    TrackGlobal(this, CenPonForm);
    setObjectName(QStringLiteral("CenPonForm"));
    setWindowTitle(QString::fromUtf8("Cenové ponuky"));
    resize(700, 540);
    TDMOdbyt &dm = *DMOdbyt;
    auto *main = new QVBoxLayout(this);

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
    main->addWidget(filterCenPon);

    DBGridCenPon = new TxDBGrid(this);
    DBGridCenPon->setObjectName(QStringLiteral("DBGridCenPon"));
    DBGridCenPon->SetDataSource(&dm.DSCenPon);
    DBGridCenPon->SetReadOnly(true);
    DBGridCenPon->AddColumn(QStringLiteral("C_OBJ"), QString::fromUtf8("č.Ponuky"));
    DBGridCenPon->AddColumn(QStringLiteral("ODBERATEL"), QString::fromUtf8("Odberateľ"));
    DBGridCenPon->AddColumn(QStringLiteral("D_VYSTAV"), QString::fromUtf8("Dátum vyst."));
    DBGridCenPon->AddColumn(QStringLiteral("POZNAMKA"), QString::fromUtf8("Poznámka"));
    DBGridCenPon->OnDblClick = [this](TDBGrid *) { Guarded([this] { BtnOpravClick(); }); };
    main->addWidget(DBGridCenPon, 3);

    auto *buttons = new QHBoxLayout;
    const auto button = [&](const QString &caption, std::function<void()> action) {
        return GuardedButton(caption, this, buttons, std::move(action));
    };
    BtnNovy = button(QString::fromUtf8("&Nová"), [this] { BtnNovyClick(); });
    BtnOprav = button(QStringLiteral("&Oprav"), [this] { BtnOpravClick(); });
    BtnZmaz = button(QString::fromUtf8("&Zmaž"), [this] { BtnZmazClick(); });
    BtnTlac = button(QString::fromUtf8("&Tlač"), [this] { BtnTlacClick(); });
    BtnKoniec = button(QString::fromUtf8("Za&vrieť"), [this] { Close(); });
    SetCancelButton(BtnKoniec);
    main->addLayout(buttons);

    pcCenPon = new QTabWidget(this);
    DBGridCenPonD = new TxDBGrid;
    DBGridCenPonD->setObjectName(QStringLiteral("DBGridCenPonD"));
    DBGridCenPonD->SetDataSource(&dm.DSCenPonD);
    DBGridCenPonD->SetReadOnly(true);
    DBGridCenPonD->SetTitleClickToOrderBy(true);
    DBGridCenPonD->AddColumn(QStringLiteral("C_INT"), QString::fromUtf8("č."));
    DBGridCenPonD->AddColumn(QStringLiteral("C_VYR"), QString::fromUtf8("č.Výrobku"));
    DBGridCenPonD->AddColumn(QStringLiteral("POZNAMKA"), QString::fromUtf8("Názov výrobku"));
    DBGridCenPonD->AddColumn(QStringLiteral("MNOZ_OBJ"), QString::fromUtf8("Množstvo"));
    DBGridCenPonD->OnDblClick = [this](TDBGrid *) { Guarded([this] { BtnOpravClick(); }); };
    pcCenPon->addTab(DBGridCenPonD, QString::fromUtf8("Položky"));
    auto *head = new QWidget;
    auto *headLayout = new QFormLayout(head);
    for (const auto &[caption, field] : QList<QPair<const char *, const char *>>{{"č.Ponuky", "C_OBJ"},
                                                                                 {"dňa", "D_VYSTAV"},
                                                                                 {"Vystavil ", "VYSTAVIL"},
                                                                                 {"Odberateľ", "ODBERATEL"},
                                                                                 {"Poznámka", "POZNAMKA"}}) {
        auto *t = new TDBText(head);
        t->SetDataSource(&dm.DSCenPon);
        t->SetDataField(QLatin1String(field));
        headLayout->addRow(QString::fromUtf8(caption), t);
    }
    pcCenPon->addTab(head, QString::fromUtf8("Hlavička"));
    main->addWidget(pcCenPon, 2);

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
