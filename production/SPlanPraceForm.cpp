#include "SPlanPraceForm.h"

#include "DMVyroba.h"
#include "ProductionWidgets.h"
#include "SPlanQR2Rep.h"
#include "library/Buttons.h"
#include "library/QTlacForm.h"
#include "platform/report/QRControls.h"
#include "platform/os/Clock.h"
#include "platform/os/Format.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/FormGlobal.h"
#include "platform/ui/Guarded.h"
#include "shell/MenuHooks.h"
#include "shell/Routines.h"

#include <QAction>
#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TSPlanPraceForm *SPlanPraceForm = nullptr;

TSPlanPraceForm::TSPlanPraceForm(QWidget *owner) : TForm(owner)
{
    TrackGlobal(this, SPlanPraceForm);
    setWindowTitle(QString::fromUtf8("Plán práce"));
    auto *layout = new QVBoxLayout(this);
    auto *filter = new QHBoxLayout;
    vOBDOBIE = new QComboBox(this);
    vOBDOBIE->setEditable(true);
    vOBDOBIE->addItem(QStringLiteral("TYZDEN"));
    vZACIATOK = new QLineEdit(DateStr(Now().date().addDays(3)), this);
    vOPERACIA = new QLineEdit(this);
    vOPERACIA->setMaxLength(3);
    connect(vOPERACIA, &QLineEdit::textEdited, this, [this](const QString &t) {
        if (t != t.toUpper())
            vOPERACIA->setText(t.toUpper());
    });
    cbNeukonceneOperacie = new QCheckBox(QString::fromUtf8("Len nedokončené operácie"), this);
    cbNeukonceneOperacie->setChecked(true);
    filter->addWidget(new QLabel(QStringLiteral("Obdobie"), this));
    filter->addWidget(vOBDOBIE);
    filter->addWidget(new QLabel(QString::fromUtf8("Termín do"), this));
    filter->addWidget(vZACIATOK);
    filter->addWidget(new QLabel(QString::fromUtf8("Operácia"), this));
    filter->addWidget(vOPERACIA);
    filter->addWidget(cbNeukonceneOperacie);
    layout->addLayout(filter);
    const auto refilter = [this] { Guarded([this] { Filter(); }); };
    connect(vOBDOBIE, &QComboBox::currentTextChanged, this, refilter);
    connect(vZACIATOK, &QLineEdit::editingFinished, this, refilter);
    connect(vOPERACIA, &QLineEdit::editingFinished, this, refilter);
    connect(cbNeukonceneOperacie, &QCheckBox::clicked, this, refilter);

    DBgSPlan = new TDBGrid(this);
    DBgSPlan->SetDataSource(&DMVyroba->DSSPlan);
    const char *const columns[][2] = {
        {"OSC", "Os.č."},          {"STROJ", "Stroj"},           {"C_INT", "č.Zákazky"},
        {"C_VYR", "č.Výrobku"},    {"NAZOV", "Názov výrobku"},   {"C_OPERACIE", "č.Op."},
        {"OPERACIA", "Operacia"},  {"Plánované", "Množ.plán."},  {"MNOZ_VYR", "Množ.očak."},
        {"Zostáva", "Množ.zost."}, {"Začiatok", "Začiatok Op."}, {"TERMIN", "Termín"},
        {"POZNAMKA", "Poznámka"}};
    for (const auto &c : columns)
        DBgSPlan->AddColumn(QString::fromUtf8(c[0]), QString::fromUtf8(c[1]));
    DBgSPlan->OnGetCellProp = [](TDBGrid *, TDataSet *ds, TField *, TCellFont &font, QColor &, bool) {
        TField *planned = ds->FindField(QString::fromUtf8("Plánované"));
        TField *start = ds->FindField(QString::fromUtf8("Začiatok"));
        if (!planned || !start)
            return;
        if (planned->AsFloat() <= 0)
            font.Color = Qt::gray;
        else if (start->AsDate() <= Now().date())
            font.Color = Qt::red;
    };
    DBgSPlan->setContextMenuPolicy(Qt::ActionsContextMenu);
    actTlacSprievodky = new QAction(QString::fromUtf8("Tlač Sprievodku"), DBgSPlan);
    DBgSPlan->addAction(actTlacSprievodky);
    connect(actTlacSprievodky, &QAction::triggered, this, [this] { Guarded([this] { PrintTicket(); }); });
    layout->addWidget(DBgSPlan);
    btnAktualizujMnozstva = GuardedButton(QString::fromUtf8("Aktualizuj plánované množstvá"), this,
                                          [this] { btnAktualizujMnozstvaClick(); });
    layout->addWidget(btnAktualizujMnozstva);
    btnTlac = GuardedButton(QString::fromUtf8("Tlač"), this, [this] { PrintWorkPlan(); });
    BtnKoniec = AddKoniecRow(this, layout, btnTlac);
    OnShow = refilter;
    OnClose = [](TCloseAction &) { DMVyroba->QSPlan.Close(); };
    resize(1000, 600);
}

TSPlanPraceForm::~TSPlanPraceForm() = default;

void TSPlanPraceForm::Filter()
{
    QDate start;
    if (!TryStrToDate(vZACIATOK->text().trimmed(), start))
        start = Now().date().addDays(3);
    DMVyroba->OpenWorkPlan(vOBDOBIE->currentText(), start, vOPERACIA->text(), cbNeukonceneOperacie->isChecked());
}

void TSPlanPraceForm::btnAktualizujMnozstvaClick()
{
    DMVyroba->UpdatePlannedQuantities();
}

void TSPlanPraceForm::PrintTicket()
{
    TDataSet &q = DMVyroba->QSPlan;
    if (!q.Active() || q.IsEmpty())
        return;
    if (ModuleHooks().PrintJobTicket)
        ModuleHooks().PrintJobTicket(q.FieldByName(QStringLiteral("C_INT"))->AsInteger());
    else
        ShowNotAvailable();
}

TSPlanQR2Rep &TSPlanPraceForm::Report()
{
    if (!report_) {
        report_ = std::make_unique<TSPlanQR2Rep>();
        StampReport(report_.get(), nullptr, LogoFileName(), SignatureFileName());
    }
    return *report_;
}

void TSPlanPraceForm::PrintWorkPlan()
{
    TSPlanQR2Rep &report = Report();
    report.QRlISO1->Caption.clear();
    report.QRlISO2->Caption.clear();
    PrintReport(&report);
}

void ShowWorkPlan()
{
    TSPlanPraceForm &form = FormOnDemand(SPlanPraceForm);
    DMVyroba->SetWorkPlanText();
    form.ShowModal();
}
