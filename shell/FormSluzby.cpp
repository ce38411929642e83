#include "FormSluzby.h"

#include "CisSql.h"
#include "DMCis.h"
#include "DMZal.h"
#include "MenuHooks.h"
#include "CisPickForm.h"
#include "QRTlacZam.h"
#include "library/Buttons.h"
#include "library/xDBGrid.h"
#include "library/xQuery.h"
#include "platform/ui/DBControls.h"
#include "platform/ui/DBLookupCombo.h"
#include "platform/ui/DBNavigator.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Guarded.h"
#include "platform/ui/ReportPreview.h"

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <vector>

TFormSluzby *FormSluzby = nullptr;

namespace {

// A grid column: its field and its title (UTF-8).
struct TColumn {
    const char *Field;
    const char *Title;
};
using TColumns = std::vector<TColumn>;

const TColumns EmployeeColumns{
    {"OSC", "Číslo"}, {"PRIEZVISKO", "Priezvisko"}, {"MENO", "Meno"}, {"PROFESIA", "Profesia"}, {"TARIF", "Tarif"}};
const TColumns OperationColumns{{"C_OPERACIE", "č.Op."}, {"OPERACIA", "Op."},   {"NAZOV_OP", "Názov"},
                                {"PRACOVISKO", "Prac."}, {"PROFESIA", "Prof."}, {"TARIF", "Tarif"}};
const TColumns MaterialColumns{{"MATERIAL", "Materiál"}, {"CENA_MAT", "Cena za 1 kg"}};
const TColumns CostColumns{{"TYP_NAKL", "Typ"}, {"NAKLAD", "Náklad"}, {"NAZOV_NAKL", "Názov"}, {"KOEF_NAKL", "Koef."}};
const TColumns OverheadColumns{{"NAZOV", "Názov"}, {"HODNOTA", "Hodnota [%]"}, {"ZAKLAD", "Základ"}};
const TColumns ProfessionColumns{
    {"PROFESIA", "Profesia"}, {"NAZOV_PROF", "Názov profesie"}, {"KOEF_PRO", "Prípl.pro."}};
const TColumns TariffColumns{{"TARIF", "Tarif"}, {"MZDAH", "Mzda za hod."}, {"P_PREMII", "Prémie [%]"}};
const TColumns StoreColumns{{"SKLAD", "Sklad"}, {"NAZOV_SKLADU", "Názov skladu"}, {"typ_skladu", "Typ"}};
const TColumns CentreColumns{{"STREDISKO", "Stredisko"}, {"NAZOV_STR", "Názov strediska"}, {"KOEFVYRREZ", "Výr.réžia"}};
const TColumns WorkplaceColumns{
    {"PRACOVISKO", "Pracovisko"}, {"NAZOV_PRAC", "Názov pracoviska"}, {"STREDISKO", "Stredisko"}};

TxDBGrid *makeGrid(TDataSource *source, const TColumns &columns, QWidget *parent)
{
    auto *grid = new TxDBGrid(parent);
    grid->SetDataSource(source);
    for (const TColumn &c : columns)
        grid->AddColumn(QString::fromUtf8(c.Field), QString::fromUtf8(c.Title));
    return grid;
}

// A grid with its navigator under it.
QWidget *gridWithNavigator(TDataSource *source, const TColumns &columns, QWidget *parent, TxDBGrid **gridOut = nullptr)
{
    auto *box = new QWidget(parent);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    TxDBGrid *grid = makeGrid(source, columns, box);
    // Edited in place, cell by cell: no whole-row selection.
    grid->SetOptions(grid->Options() & ~dgRowSelect);
    // A code list's key fields are required: a new row typed without its key is refused, naming the
    // field, before the server is asked.
    QObject::connect(grid->Model(), &TDataSetModel::activeChanged, grid, [grid](bool active) {
        auto *table = dynamic_cast<TIBTable *>(grid->DataSet());
        if (!active || !table || table->TableName().isEmpty())
            return;
        TxQuery keys;
        keys.SetDatabase(&DMZal->DBZAL);
        keys.SQL().SetText(CisSql::KeyFields);
        keys.ParamByName(QStringLiteral("t")).SetAsString(table->TableName().trimmed().toUpper());
        keys.Open();
        for (; !keys.Eof(); keys.Next())
            if (TField *f = table->FindField(keys.Fields(0)->AsString().trimmed()))
                f->Required = true;
        keys.Close();
    });
    layout->addWidget(grid);
    layout->addWidget(new TDBNavigator(source, box));
    if (gridOut)
        *gridOut = grid;
    return box;
}

// A page of two code lists, one above the other.
QWidget *twoLists(TDataSource *first, const TColumns &firstColumns, TDataSource *second, const TColumns &secondColumns,
                  TxDBGrid **secondGrid = nullptr)
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(gridWithNavigator(first, firstColumns, page));
    layout->addWidget(gridWithNavigator(second, secondColumns, page, secondGrid));
    return page;
}

TDBEdit *fieldEdit(TDataSource *source, const QString &field, QWidget *parent)
{
    auto *edit = new TDBEdit(parent);
    edit->SetDataSource(source);
    edit->SetDataField(field);
    return edit;
}

const char *const PageStatus[] = {"Číselníky - Zamestnanci",      "Číselníky - Operácie a materiály",
                                  "Číselníky - Náklady a réžie",  "Číselníky - Profesie a tarify",
                                  "Číselníky - Sklady,Strediská", "Číselníky - Pracoviská",
                                  "Číselníky - Ostatné číselníky"};

} // namespace

TFormSluzby::TFormSluzby(QWidget *owner) : TForm(owner)
{
    TrackGlobal(this, FormSluzby);
    setWindowTitle(QString::fromUtf8("Číselníky"));
    resize(800, 560);
    SetStatusText(QString::fromUtf8("Riadenie výroby - Nastavenia"));
    auto *main = new QVBoxLayout(this);
    PageControlSluzby = new QTabWidget(this);
    PageControlSluzby->setObjectName(QStringLiteral("PageControlSluzby"));
    main->addWidget(PageControlSluzby);
    PageControlSluzby->addTab(buildEmployees(), QStringLiteral("Zamestnanci"));
    PageControlSluzby->addTab(buildOperations(), QString::fromUtf8("Operácie a materiály"));
    PageControlSluzby->addTab(buildCosts(), QString::fromUtf8("Náklady a réžie"));
    PageControlSluzby->addTab(buildProfessions(), QStringLiteral("Profesie a tarify"));
    PageControlSluzby->addTab(buildStores(), QString::fromUtf8("Sklady a strediská"));
    PageControlSluzby->addTab(buildWorkplaces(), QString::fromUtf8("Pracoviská"));
    PageControlSluzby->addTab(buildOthers(), QString::fromUtf8("Iné ..."));

    connect(PageControlSluzby, &QTabWidget::currentChanged, this, [this](int page) {
        if (isVisible())
            showPage(page);
    });
    OnShow = [this] { showPage(PageControlSluzby->currentIndex()); };
    OnClose = [this](TCloseAction &) { closeTables(); };
    // The close button, which Escape presses when no cell is being edited.
    main->addWidget(new TBtnKoniec(this), 0, Qt::AlignRight);
}

QWidget *TFormSluzby::buildEmployees()
{
    TDataSource *source = &DMCis->DSQZamestnanci;
    auto *page = new QWidget;
    auto *pageLayout = new QHBoxLayout(page);
    auto *left = new QVBoxLayout;
    GridZamestnanci = makeGrid(source, EmployeeColumns, page);
    left->addWidget(GridZamestnanci);
    left->addWidget(new TDBNavigator(source, page));
    auto *search = new QGroupBox(QString::fromUtf8("Rýchle hľadanie"), page);
    auto *searchLayout = new QHBoxLayout(search);
    HlOSC = new QLineEdit(search);
    HlOSC->setObjectName(QStringLiteral("HlOSC"));
    HlOSC->setToolTip(QString::fromUtf8("Zadaj osobné číslo pracovníka"));
    HlPr = new QLineEdit(search);
    HlPr->setObjectName(QStringLiteral("HlPr"));
    HlPr->setToolTip(QString::fromUtf8("Zadaj priezvisko pracovníka"));
    searchLayout->addWidget(HlOSC);
    searchLayout->addWidget(HlPr);
    left->addWidget(search);
    pageLayout->addLayout(left, 3);

    auto *employee = new QGroupBox(QStringLiteral("Zamestnanec"), page);
    auto *form = new QFormLayout(employee);
    const auto lookup = [&](const QString &field, TDataSet *list) {
        return new TDBLookupCombo(source, field, list, field, employee);
    };
    form->addRow(QString::fromUtf8("Os.číslo"), fieldEdit(source, QStringLiteral("OSC"), employee));
    form->addRow(QStringLiteral("Priezvisko"), fieldEdit(source, QStringLiteral("PRIEZVISKO"), employee));
    form->addRow(QStringLiteral("Meno"), fieldEdit(source, QStringLiteral("MENO"), employee));
    form->addRow(QStringLiteral("Stredisko"), lookup(QStringLiteral("STREDISKO"), &DMCis->CStredisk));
    form->addRow(QStringLiteral("Profesia"), lookup(QStringLiteral("PROFESIA"), &DMCis->CProfesii));
    form->addRow(QStringLiteral("Tarif"), lookup(QStringLiteral("TARIF"), &DMCis->CTarifov));
    form->addRow(QString::fromUtf8("Dovolenkový priemer"), fieldEdit(source, QStringLiteral("D_PRIEMER"), employee));
    PRIPL_PRED = new TDBComboBox(employee);
    PRIPL_PRED->SetDataSource(source);
    PRIPL_PRED->SetDataField(QStringLiteral("PRIPL_PRED"));
    TStringList bonuses;
    DMZal->ReadDefaultsList(bonuses, QStringLiteral("PredackyPriplatok"));
    PRIPL_PRED->SetItems(bonuses.Lines());
    form->addRow(QString::fromUtf8("Predácky príplatok"), PRIPL_PRED);
    auto *print = new TBtnTlac(employee);
    connect(print, &QPushButton::clicked, this, [this] { Guarded([this] { PrintEmployees(); }); });
    form->addRow(print);
    pageLayout->addWidget(employee, 2);
    return page;
}

QWidget *TFormSluzby::buildOperations()
{
    return twoLists(&DMZal->DSCOperacii, OperationColumns, &DMZal->DSCMaterialov, MaterialColumns);
}

QWidget *TFormSluzby::buildCosts()
{
    TxDBGrid *overheads = nullptr;
    QWidget *page = twoLists(&DMCis->DSCNakladov, CostColumns, &DMCis->DSCRezii, OverheadColumns, &overheads);
    overheads->Columns(0)->ReadOnly = true;
    overheads->Columns(2)->PickList = {QStringLiteral("M"), QStringLiteral("V"), QStringLiteral("U"),
                                       QStringLiteral("H")};
    return page;
}

QWidget *TFormSluzby::buildProfessions()
{
    return twoLists(&DMCis->DSCProfesii, ProfessionColumns, &DMCis->DSCTarifov, TariffColumns);
}

QWidget *TFormSluzby::buildStores()
{
    return twoLists(&DMZal->DSCSkladov, StoreColumns, &DMCis->DSCStredisk, CentreColumns);
}

QWidget *TFormSluzby::buildWorkplaces()
{
    TDataSource *source = &DMCis->DSCPracovisk;
    auto *page = new QWidget;
    auto *pageLayout = new QHBoxLayout(page);
    pageLayout->addWidget(gridWithNavigator(source, WorkplaceColumns, page), 3);
    auto *workplace = new QGroupBox(QStringLiteral("Pracovisko"), page);
    auto *form = new QFormLayout(workplace);
    form->addRow(QStringLiteral("Stredisko"), new TDBLookupCombo(source, QStringLiteral("STREDISKO"), &DMCis->CStredisk,
                                                                 QStringLiteral("STREDISKO"), workplace));
    form->addRow(QStringLiteral("Pracovisko"), fieldEdit(source, QStringLiteral("PRACOVISKO"), workplace));
    form->addRow(QString::fromUtf8("Názov prac."), fieldEdit(source, QStringLiteral("NAZOV_PRAC"), workplace));
    form->addRow(QStringLiteral("Popis prac."), fieldEdit(source, QStringLiteral("POPIS_PRAC"), workplace));
    auto *overhead = new QHBoxLayout;
    overhead->addWidget(fieldEdit(source, QStringLiteral("KOEF_VYRREZ"), workplace));
    auto *type = new TDBComboBox(workplace);
    type->SetStyle(TDBComboBox::csDropDownList);
    type->SetDataSource(source);
    type->SetDataField(QStringLiteral("TYP_VYRREZ"));
    type->SetItems({QStringLiteral(" "), QStringLiteral("%"), QStringLiteral("H")});
    overhead->addWidget(type);
    form->addRow(QString::fromUtf8("Výrobná réžia"), overhead);
    form->addRow(
        QString::fromUtf8("Pracovný rozvrh"),
        new TDBLookupCombo(source, QStringLiteral("ROZVRH"), &DMCis->CRozvrhov, QStringLiteral("ROZVRH"), workplace));
    form->addRow(QString::fromUtf8("Počet strojov"), fieldEdit(source, QStringLiteral("STROJE"), workplace));
    pageLayout->addWidget(workplace, 2);
    return page;
}

QWidget *TFormSluzby::buildOthers()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    CineTable = new QComboBox(page);
    CineTable->addItems({QStringLiteral("CROZVRHOV"), QStringLiteral("CSTATOV"), QStringLiteral("CSVIATKOV")});
    CineTable->setCurrentIndex(-1);
    layout->addWidget(CineTable);
    layout->addWidget(gridWithNavigator(&DMCis->DSCine, {}, page, &GridCine));
    connect(CineTable, &QComboBox::currentTextChanged, this, [](const QString &name) {
        Guarded([&] {
            DMCis->Cine.Close();
            DMCis->Cine.SetTableName(name);
            if (!name.isEmpty())
                DMCis->Cine.Open();
        });
    });
    return page;
}

TFormSluzby::~TFormSluzby()
{
    DetachGrids(this);
}

void TFormSluzby::SetPage(int page)
{
    const QSignalBlocker block(PageControlSluzby);
    PageControlSluzby->setCurrentIndex(page);
}

void TFormSluzby::showPage(int page)
{
    TDMCis &cis = *DMCis;
    if (shownPage_ == 6 && page != 6)
        cis.Cine.Close();
    shownPage_ = page;
    if (page < 0 || page > 6)
        return;
    SetStatusText(QString::fromUtf8(PageStatus[page]));
    const auto open = [](std::initializer_list<TDataSet *> sets) {
        for (TDataSet *ds : sets)
            if (!ds->Active())
                ds->Open();
    };
    Guarded([&] {
        switch (page) {
        case 0:
            if (!isVisible())
                return;
            open({&cis.CStredisk, &cis.CProfesii, &cis.CTarifov});
            HlOSC->clear();
            HlPr->clear();
            cis.SetEmployeeOrder(QStringLiteral("OSC"));
            break;
        case 1:
            open({&DMZal->COperacii, &DMZal->CMaterialov});
            break;
        case 2:
            open({&cis.CNakladov, &cis.CRezii});
            break;
        case 3:
            open({&cis.CProfesii, &cis.CTarifov});
            break;
        case 4:
            open({&DMZal->CSkladov, &cis.CStredisk});
            break;
        case 5:
            open({&cis.CPracovisk, &cis.CStredisk, &cis.CRozvrhov});
            break;
        default:
            break;
        }
        for (TDBLookupCombo *lookup : findChildren<TDBLookupCombo *>())
            lookup->Reload();
    });
}

void TFormSluzby::closeTables()
{
    TDMCis &cis = *DMCis;
    for (TDataSet *ds : std::initializer_list<TDataSet *>{
             &cis.QZamestnanci, &DMZal->COperacii, &DMZal->CMaterialov, &cis.CNakladov, &cis.CRezii, &cis.CProfesii,
             &cis.CTarifov, &DMZal->CSkladov, &cis.CStredisk, &cis.CPracovisk, &cis.CRozvrhov, &cis.Cine})
        ds->Close();
    shownPage_ = -1;
}

bool TFormSluzby::eventFilter(QObject *watched, QEvent *e)
{
    // The form's controls need no filter of their own: as the application's filter (the key preview) the
    // form sees each of their events once.
    if (watched == HlOSC || watched == HlPr) {
        const bool byNumber = watched == HlOSC;
        const QString field = byNumber ? QStringLiteral("OSC") : QStringLiteral("PRIEZVISKO");
        Guarded([&] {
            if (e->type() == QEvent::MouseButtonPress) {
                SetStatusText(byNumber ? QString::fromUtf8("Triedenie podľa osobného Čísla pracovníka")
                                       : QString::fromUtf8("Triedenie podľa priezviska pracovníka"));
                HlOSC->clear();
                HlPr->clear();
                DMCis->SetEmployeeOrder(field);
            } else if (e->type() == QEvent::KeyRelease) {
                DMCis->QuickFilterEmployees(field, static_cast<QLineEdit *>(watched)->text());
            }
        });
    }
    return TForm::eventFilter(watched, e);
}

TQRTlacZam *TFormSluzby::EmployeeReport()
{
    if (!report_)
        report_ = std::make_unique<TQRTlacZam>();
    return report_.get();
}

void TFormSluzby::PrintEmployees()
{
    if (ModuleHooks().ShowReport)
        ModuleHooks().ShowReport(EmployeeReport());
    else
        TReportPreview::Preview(EmployeeReport());
}

int ShowCodeLists(int page)
{
    TFormSluzby &form = FormOnDemand(FormSluzby);
    form.SetPage(page);
    return form.ShowModal();
}
