#include "SRVForm.h"

#include "DMVyroba.h"
#include "ProductionWidgets.h"
#include "SRVQR1Rep.h"
#include "library/QTlacForm.h"
#include "platform/report/QRControls.h"
#include "library/xQuery.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/FormGlobal.h"
#include "platform/ui/Guarded.h"
#include "platform/ui/RadioGroup.h"
#include "shell/Routines.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

TSRVForm *SRVForm = nullptr;

TSRVForm::TSRVForm(QWidget *owner) : TForm(owner)
{
    TrackGlobal(this, SRVForm);
    setWindowTitle(QString::fromUtf8("Stav rozpracovnej výroby"));
    auto *layout = new QVBoxLayout(this);
    pcSRV = new QTabWidget(this);
    layout->addWidget(pcSRV);

    tabVykony = new QWidget;
    auto *computed = new QVBoxLayout(tabVykony);
    computed->addWidget(new QLabel(QString::fromUtf8("Teoretická rozpracovanosť z neukončených zákaziek"), tabVykony));
    auto *grids = new QHBoxLayout;
    DBGridMaterial = new TDBGrid(tabVykony);
    DBGridMzdy = new TDBGrid(tabVykony);
    for (TDBGrid *g : {DBGridMaterial, DBGridMzdy}) {
        g->SetReadOnly(true);
        grids->addWidget(g);
    }
    DBGridMzdy->OnDblClick = [this](TDBGrid *) { Guarded([this] { ShowComputed(true); }); };
    computed->addLayout(grids);
    auto *sums = new QHBoxLayout;
    lMaterial = new QLabel(tabVykony);
    lMzdy = new QLabel(tabVykony);
    btnZakazky = GuardedButton(QString::fromUtf8("Zakázky >>"), tabVykony, [this] { ShowComputed(true); });
    sums->addWidget(new QLabel(QString::fromUtf8("Materiál v rozpracovanosti "), tabVykony));
    sums->addWidget(lMaterial);
    sums->addWidget(new QLabel(QString::fromUtf8("Mzdy v rozpracovanosti "), tabVykony));
    sums->addWidget(lMzdy);
    sums->addWidget(btnZakazky);
    computed->addLayout(sums);
    pcSRV->addTab(tabVykony, QString::fromUtf8("z &Výkonov"));

    tabInventura = new QWidget;
    auto *list = new QVBoxLayout(tabInventura);
    list->addWidget(new QLabel(QString::fromUtf8("Skutoćná rozpracovanosť z fyzickej inventúry"), tabInventura));
    rgPohlad = new TRadioGroup(tabInventura);
    rgPohlad->SetItems({QString::fromUtf8("za Zákazky"), QString::fromUtf8("za Operácie")});
    rgPohlad->SetItemIndex(0);
    rgPohlad->OnClick = [this] { Guarded([this] { ShowList(); }); };
    list->addWidget(rgPohlad);
    DBGridSRV = new TDBGrid(tabInventura);
    DBGridSRV->SetDataSource(&DMVyroba->DSSRV);
    const char *const columns[][2] = {{"C_INT", "č.Zákazky"}, {"C_VYR", "č.Výrobku"},   {"NAZOV", "Názov výrobku"},
                                      {"C_OPERACIE", "Op."},  {"MNOZSTVO", "Množstvo"}, {"VAHA1", "Váha/MJ"},
                                      {"MATC", "MATERIAL"},   {"MZDC", "MZDA"}};
    for (const auto &c : columns)
        DBGridSRV->AddColumn(QString::fromLatin1(c[0]), QString::fromUtf8(c[1]));
    list->addWidget(DBGridSRV);
    auto *listButtons = new QHBoxLayout;
    lMaterialSRV = new QLabel(tabInventura);
    lMzdySRV = new QLabel(tabInventura);
    btnNovy = GuardedButton(QString::fromUtf8("&Nový"), tabInventura, [] { DMVyroba->QSRV.Append(); });
    btnZmaz = GuardedButton(QString::fromUtf8("Zmaž"), tabInventura, [] { DMVyroba->QSRV.Delete(); });
    btnAuto = GuardedButton(QStringLiteral("&Auto"), tabInventura, [this] { btnAutoClick(); });
    listButtons->addWidget(new QLabel(QString::fromUtf8("Materiál"), tabInventura));
    listButtons->addWidget(lMaterialSRV);
    listButtons->addWidget(new QLabel(QStringLiteral("Mzdy"), tabInventura));
    listButtons->addWidget(lMzdySRV);
    listButtons->addStretch();
    btnTlac = GuardedButton(QString::fromUtf8("Tlač"), tabInventura, [this] { btnTlacClick(); });
    for (QPushButton *b : {btnNovy, btnZmaz, btnAuto, btnTlac})
        listButtons->addWidget(b);
    list->addLayout(listButtons);
    pcSRV->addTab(tabInventura, QString::fromUtf8("z &Inventúry RV"));

    const auto showTab = [this] {
        if (!isVisible())
            return;
        if (pcSRV->currentWidget() == tabVykony)
            ShowComputed();
        else
            ShowList();
    };
    connect(pcSRV, &QTabWidget::currentChanged, this, [showTab] { Guarded(showTab); });
    OnShow = [showTab] { Guarded(showTab); };
    OnClose = [](TCloseAction &) { DMVyroba->QSRV.Close(); };
    resize(900, 600);
}

TSRVForm::~TSRVForm() = default;

void TSRVForm::ShowComputed(bool byJob)
{
    const auto [material, wages] = DMVyroba->OpenComputedWip(byJob);
    DBGridMaterial->SetDataSource(GetDataSource(FindQuery(QStringLiteral("Q1"))));
    DBGridMzdy->SetDataSource(GetDataSource(FindQuery(QStringLiteral("Q2"))));
    lMaterial->setText(MoneyStr(material));
    lMzdy->setText(MoneyStr(wages));
}

void TSRVForm::ShowList()
{
    DMVyroba->OpenWipList(rgPohlad->ItemIndex());
    lMaterialSRV->setText(MoneyStr(DMVyroba->QSRV.SumField(QStringLiteral("MATC"))));
    lMzdySRV->setText(MoneyStr(DMVyroba->QSRV.SumField(QStringLiteral("MZDC"))));
}

void TSRVForm::btnAutoClick()
{
    QDate cutOff;
    if (!TDMVyroba::AskCutOffDate(QString::fromUtf8("Generovať zoznam zákaziek v RV ?"), cutOff))
        return;
    DMVyroba->RegenerateWip(cutOff, rgPohlad->ItemIndex());
    ShowList();
}

TSRVQR1Rep &TSRVForm::Report()
{
    if (!report_)
        report_ = std::make_unique<TSRVQR1Rep>();
    return *report_;
}

void TSRVForm::btnTlacClick()
{
    QDate day;
    if (!TDMVyroba::AskCutOffDate(QString::fromUtf8("Tlač RV"), day))
        return;
    TSRVQR1Rep &report = Report();
    report.QRlDatum->Caption = DateStr(day);
    PrintReport(&report);
}

void ShowWorkInProgress()
{
    FormOnDemand(SRVForm).ShowModal();
}
