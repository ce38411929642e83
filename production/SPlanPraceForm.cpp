#include "SPlanPraceForm.h"

#include "DMVyroba.h"
#include "ProductionWidgets.h"
#include "SPlanQR2Rep.h"
#include "library/Buttons.h"
#include "library/QTlacForm.h"
#include "library/xDBGrid.h"
#include "platform/report/QRControls.h"
#include "platform/os/Clock.h"
#include "platform/os/Color.h"
#include "platform/os/Format.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DateEdit.h"
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
    // Room for a period's whole name (20 characters), not only for the proposed one.
    vOBDOBIE->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    vOBDOBIE->setMinimumContentsLength(20);
    vZACIATOK = new TDateEdit(this);
    vZACIATOK->SetDate(Now().date().addDays(3));
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
    // A day typed filters when the edit is left, one chosen in the calendar at once.
    connect(vZACIATOK, &TDateEdit::CalendarDateChosen, this, refilter);
    OnDateLeft(vZACIATOK, this, [this] { Filter(); });
    connect(vOPERACIA, &QLineEdit::editingFinished, this, refilter);
    connect(cbNeukonceneOperacie, &QCheckBox::clicked, this, refilter);

    DBgSPlan = new TxDBGrid(this);
    // A grid of cells: the foreman types the employee, machine, pieces and note into the row's own cells.
    DBgSPlan->SetOptions(DBgSPlan->Options() & ~dgRowSelect);
    DBgSPlan->SetDataSource(&DMVyroba->DSSPlan);
    DBgSPlan->SetTitleClickToOrderBy(true);
    // The employee's operations by product, the job's by operation; the other columns by themselves.
    DBgSPlan->OnBeforeOrderBy = [](TxCustomDBGrid *, QString &fieldName) {
        if (fieldName.compare(QLatin1String("OSC"), Qt::CaseInsensitive) == 0)
            fieldName = QStringLiteral("OSC,C_VYR");
        else if (fieldName.compare(QLatin1String("C_INT"), Qt::CaseInsensitive) == 0)
            fieldName = QStringLiteral("A.C_INT,A.C_OPERACIE");
    };
    enum { Shown, Typed, Assigned }; // read only; typed into; typed into, in the info colour
    const struct {
        const char *field, *title;
        int kind;
    } columns[] = {
        {"OSC", "Os.č.", Assigned},        {"STROJ", "Stroj", Assigned},        {"C_INT", "č.Zákazky", Shown},
        {"C_VYR", "č.Výrobku", Shown},     {"NAZOV", "Názov výrobku", Shown},   {"C_OPERACIE", "č.Op.", Shown},
        {"OPERACIA", "Operacia", Shown},   {"Plánované", "Množ.plán.", Typed},  {"MNOZ_VYR", "Množ.očak.", Shown},
        {"Zostáva", "Množ.zost.", Shown},  {"Začiatok", "Začiatok Op.", Shown}, {"TERMIN", "Termín", Shown},
        {"POZNAMKA", "Poznámka", Assigned}};
    QStringList assigned;
    for (const auto &c : columns) {
        TColumn *column = DBgSPlan->AddColumn(QString::fromUtf8(c.field), QString::fromUtf8(c.title));
        column->ReadOnly = c.kind == Shown;
        if (c.kind == Assigned)
            assigned << QString::fromUtf8(c.field);
    }
    DBgSPlan->OnGetCellProp = [assigned](TDBGrid *, TDataSet *ds, TField *field, TCellFont &font, QColor &background,
                                         bool) {
        if (field && assigned.contains(field->FieldName(), Qt::CaseInsensitive))
            background = ColorToQColor(clInfoBk);
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
    // An emptied day lists the plan as far as it was proposed.
    QDate start = vZACIATOK->Date();
    if (!start.isValid())
        start = Now().date().addDays(3);
    DMVyroba->OpenWorkPlan(vOBDOBIE->currentText(), start, vOPERACIA->text(), cbNeukonceneOperacie->isChecked());
}

void TSPlanPraceForm::ListPlan()
{
    // A list the server refused to read at the show is asked for again, so the foreman hears why there is
    // nothing to work on rather than a complaint about a closed list.
    if (!DMVyroba->QSPlan.Active())
        Filter();
}

void TSPlanPraceForm::btnAktualizujMnozstvaClick()
{
    ListPlan();
    DMVyroba->UpdatePlannedQuantities();
}

void TSPlanPraceForm::PrintTicket()
{
    ListPlan();
    TDataSet &q = DMVyroba->QSPlan;
    if (q.IsEmpty())
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
    ListPlan();
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
