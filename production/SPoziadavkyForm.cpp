#include "SPoziadavkyForm.h"

#include "DMVyroba.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/FormGlobal.h"
#include "platform/ui/Guarded.h"
#include "platform/ui/RadioGroup.h"

#include <QBoxLayout>
#include <QPushButton>

TSPoziadavkyForm *SPoziadavkyForm = nullptr;

TSPoziadavkyForm::TSPoziadavkyForm(QWidget *owner) : TForm(owner)
{
    TrackGlobal(this, SPoziadavkyForm);
    setWindowTitle(QString::fromUtf8("Požiadavky na výrobu"));
    auto *layout = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    rgZoskupit = new TRadioGroup(this);
    rgZoskupit->setTitle(QString::fromUtf8("Zoskupiť"));
    rgZoskupit->SetItems(
        {QString::fromUtf8("za Zákazku"), QString::fromUtf8("za Objednávku"), QString::fromUtf8("za Položku")});
    rgZoskupit->SetItemIndex(0);
    // Every change of the grouping also rebuilds the requests.
    rgZoskupit->OnClick = [this] { Guarded([this] { btnPrepisClick(); }); };
    btnPrepis = new QPushButton(QString::fromUtf8("&Aktualizuj požiadavky"), this);
    connect(btnPrepis, &QPushButton::clicked, this, [this] { Guarded([this] { btnPrepisClick(); }); });
    top->addWidget(rgZoskupit);
    top->addWidget(btnPrepis);
    layout->addLayout(top);
    DBGridMPoziadDet = new TDBGrid(this);
    DBGridMPoziadDet->SetDataSource(&DMVyroba->DSVPoziad);
    DBGridMPoziadDet->SetReadOnly(true);
    DBGridMPoziadDet->SetOptions(DBGridMPoziadDet->Options() | dgRowSelect);
    layout->addWidget(DBGridMPoziadDet);
    OnShow = [this] { Guarded([this] { ShowRequests(); }); };
    resize(800, 500);
}

TSPoziadavkyForm::~TSPoziadavkyForm() = default;

void TSPoziadavkyForm::ShowRequests()
{
    DMVyroba->OpenRequests(rgZoskupit->ItemIndex());
}

void TSPoziadavkyForm::btnPrepisClick()
{
    DMVyroba->RebuildRequests();
    ShowRequests();
}

void ShowProductionRequests()
{
    FormOnDemand(SPoziadavkyForm).ShowModal();
}
