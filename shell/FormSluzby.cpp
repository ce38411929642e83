#include "FormSluzby.h"

#include "DMCis.h"
#include "DMZal.h"
#include "CisPickForm.h"
#include "QRTlacZam.h"
#include "library/Buttons.h"
#include "library/xDBGrid.h"
#include "library/xQuery.h"
#include "platform/ui/DBControls.h"
#include "platform/ui/Dialogs.h"

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

TFormSluzby *FormSluzby = nullptr;

namespace {

// Moves through a data set and inserts, deletes, posts and cancels its rows; errors are shown.
class TDBNavigator : public QWidget {
public:
    TDBNavigator(TDataSource *source, QWidget *parent) : QWidget(parent), source_(source)
    {
        auto *layout = new QHBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        const auto add = [&](const QString &text, const QString &hint, std::function<void(TDataSet *)> action) {
            auto *button = new QToolButton(this);
            button->setText(text);
            button->setToolTip(hint);
            connect(button, &QToolButton::clicked, this, [this, action] {
                TDataSet *ds = source_->DataSet();
                if (!ds || !ds->Active())
                    return;
                try {
                    action(ds);
                } catch (const EDatabaseError &e) {
                    // Server errors in Slovak; the row stays as the user left it.
                    if (!DMZal->TranslateDbError(ds, e))
                        ShowError(e.Message);
                } catch (const Exception &e) {
                    ShowError(e.Message);
                }
            });
            layout->addWidget(button);
        };
        add(QStringLiteral("|<"), QString::fromUtf8("Prvý"), [](TDataSet *ds) { ds->First(); });
        add(QStringLiteral("<"), QString::fromUtf8("Predchádzajúci"), [](TDataSet *ds) { ds->Prior(); });
        add(QStringLiteral(">"), QString::fromUtf8("Ďalší"), [](TDataSet *ds) { ds->Next(); });
        add(QStringLiteral(">|"), QString::fromUtf8("Posledný"), [](TDataSet *ds) { ds->Last(); });
        add(QStringLiteral("+"), QString::fromUtf8("Nový"), [](TDataSet *ds) { ds->Insert(); });
        add(QStringLiteral("-"), QString::fromUtf8("Zmazať"), [](TDataSet *ds) {
            if (!ds->IsEmpty() && Confirm(QString::fromUtf8("Zmazať záznam ?"), QString::fromUtf8("Otázka")))
                ds->Delete();
        });
        add(QString::fromUtf8("✓"), QString::fromUtf8("Zapísať"), [](TDataSet *ds) {
            if (ds->State() == dsEdit || ds->State() == dsInsert)
                ds->Post();
        });
        add(QString::fromUtf8("✗"), QString::fromUtf8("Zrušiť"), [](TDataSet *ds) { ds->Cancel(); });
        layout->addStretch();
    }

private:
    TDataSource *source_;
};

// A field chosen from the keys of another code list: the one look-up control of this form.
class TDBLookupCombo : public TDBComboBox {
public:
    TDBLookupCombo(TDataSource *source, const QString &field, TDataSet *list, const QString &keyField, QWidget *parent)
        : TDBComboBox(parent), list_(list), keyField_(keyField)
    {
        SetStyle(csDropDownList);
        SetDataSource(source);
        SetDataField(field);
    }
    // Fills the items from the list (open it first).
    void Reload()
    {
        QStringList keys{QStringLiteral(" ")};
        if (list_->Active()) {
            for (int row = 0;; ++row) {
                if (row >= list_->RecordCount() && (!list_->CanFetchMore() || list_->FetchMore(100) == 0))
                    break;
                keys.append(list_->ValueAt(row, list_->FieldByName(keyField_)).toString());
            }
        }
        SetItems(keys);
    }

private:
    TDataSet *list_;
    QString keyField_;
};

TxDBGrid *makeGrid(TDataSource *source, const QList<QPair<QString, QString>> &columns, QWidget *parent)
{
    auto *grid = new TxDBGrid(parent);
    grid->SetDataSource(source);
    for (const auto &c : columns)
        grid->AddColumn(c.first, c.second);
    return grid;
}

// A grid with its navigator under it.
QWidget *gridWithNavigator(TDataSource *source, const QList<QPair<QString, QString>> &columns, QWidget *parent,
                           TxDBGrid **gridOut = nullptr)
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
        keys.SQL().SetText(QStringLiteral("select s.RDB$FIELD_NAME from RDB$RELATION_CONSTRAINTS c join RDB$INDEX_SEGMENTS s "
                                          "on s.RDB$INDEX_NAME = c.RDB$INDEX_NAME where c.RDB$RELATION_NAME = :t "
                                          "and c.RDB$CONSTRAINT_TYPE = 'PRIMARY KEY'"));
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

TDBEdit *fieldEdit(TDataSource *source, const QString &field, QWidget *parent)
{
    auto *edit = new TDBEdit(parent);
    edit->SetDataSource(source);
    edit->SetDataField(field);
    return edit;
}

using Cols = QList<QPair<QString, QString>>;
QPair<QString, QString> col(const char *field, const char *title)
{
    return {QString::fromUtf8(field), QString::fromUtf8(title)};
}

const char *const PageStatus[] = {"Číselníky - Zamestnanci",      "Číselníky - Operácie a materiály",
                                  "Číselníky - Náklady a réžie",  "Číselníky - Profesie a tarify",
                                  "Číselníky - Sklady,Strediská", "Číselníky - Pracoviská",
                                  "Číselníky - Ostatné číselníky"};

} // namespace

TFormSluzby::TFormSluzby(QWidget *owner) : TForm(owner)
{
    TrackGlobal(this, FormSluzby);
    TDMCis &cis = *DMCis;
    setWindowTitle(QString::fromUtf8("Číselníky"));
    resize(800, 560);
    SetStatusText(QString::fromUtf8("Riadenie výroby - Nastavenia"));
    auto *main = new QVBoxLayout(this);
    PageControlSluzby = new QTabWidget(this);
    PageControlSluzby->setObjectName(QStringLiteral("PageControlSluzby"));
    main->addWidget(PageControlSluzby);

    // 0: employees
    auto *zam = new QWidget;
    auto *zamLayout = new QHBoxLayout(zam);
    auto *left = new QVBoxLayout;
    GridZamestnanci = makeGrid(&cis.DSQZamestnanci,
                               {col("OSC", "Číslo"), col("PRIEZVISKO", "Priezvisko"), col("MENO", "Meno"),
                                col("PROFESIA", "Profesia"), col("TARIF", "Tarif")},
                               zam);
    left->addWidget(GridZamestnanci);
    left->addWidget(new TDBNavigator(&cis.DSQZamestnanci, zam));
    auto *search = new QGroupBox(QString::fromUtf8("Rýchle hľadanie"), zam);
    auto *searchLayout = new QHBoxLayout(search);
    HlOSC = new QLineEdit(search);
    HlOSC->setObjectName(QStringLiteral("HlOSC"));
    HlOSC->setToolTip(QString::fromUtf8("Zadaj osobné číslo pracovníka"));
    HlPr = new QLineEdit(search);
    HlPr->setObjectName(QStringLiteral("HlPr"));
    HlPr->setToolTip(QString::fromUtf8("Zadaj priezvisko pracovníka"));
    searchLayout->addWidget(HlOSC);
    searchLayout->addWidget(HlPr);
    HlOSC->installEventFilter(this);
    HlPr->installEventFilter(this);
    left->addWidget(search);
    zamLayout->addLayout(left, 3);
    auto *employee = new QGroupBox(QStringLiteral("Zamestnanec"), zam);
    auto *form = new QFormLayout(employee);
    form->addRow(QString::fromUtf8("Os.číslo"), fieldEdit(&cis.DSQZamestnanci, QStringLiteral("OSC"), employee));
    form->addRow(QStringLiteral("Priezvisko"), fieldEdit(&cis.DSQZamestnanci, QStringLiteral("PRIEZVISKO"), employee));
    form->addRow(QStringLiteral("Meno"), fieldEdit(&cis.DSQZamestnanci, QStringLiteral("MENO"), employee));
    form->addRow(QStringLiteral("Stredisko"),
                  new TDBLookupCombo(&cis.DSQZamestnanci, QStringLiteral("STREDISKO"), &cis.CStredisk,
                                  QStringLiteral("STREDISKO"), employee));
    form->addRow(QStringLiteral("Profesia"),
                  new TDBLookupCombo(&cis.DSQZamestnanci, QStringLiteral("PROFESIA"), &cis.CProfesii,
                                  QStringLiteral("PROFESIA"), employee));
    form->addRow(QStringLiteral("Tarif"),
                  new TDBLookupCombo(&cis.DSQZamestnanci, QStringLiteral("TARIF"), &cis.CTarifov,
                                  QStringLiteral("TARIF"), employee));
    form->addRow(QString::fromUtf8("Dovolenkový priemer"),
                 fieldEdit(&cis.DSQZamestnanci, QStringLiteral("D_PRIEMER"), employee));
    PRIPL_PRED = new TDBComboBox(employee);
    PRIPL_PRED->SetDataSource(&cis.DSQZamestnanci);
    PRIPL_PRED->SetDataField(QStringLiteral("PRIPL_PRED"));
    TStringList bonuses;
    DMZal->ReadDefaultsList(bonuses, QStringLiteral("PredackyPriplatok"));
    PRIPL_PRED->SetItems(bonuses.Lines());
    form->addRow(QString::fromUtf8("Predácky príplatok"), PRIPL_PRED);
    auto *print = new TBtnTlac(employee);
    connect(print, &QPushButton::clicked, this, [this] { PrintEmployees(); });
    form->addRow(print);
    zamLayout->addWidget(employee, 2);
    PageControlSluzby->addTab(zam, QStringLiteral("Zamestnanci"));

    // 1: operations and materials
    auto *opMat = new QWidget;
    auto *opMatLayout = new QVBoxLayout(opMat);
    opMatLayout->addWidget(gridWithNavigator(&DMZal->DSCOperacii,
                                             {col("C_OPERACIE", "č.Op."), col("OPERACIA", "Op."),
                                              col("NAZOV_OP", "Názov"), col("PRACOVISKO", "Prac."),
                                              col("PROFESIA", "Prof."), col("TARIF", "Tarif")},
                                             opMat));
    opMatLayout->addWidget(gridWithNavigator(&DMZal->DSCMaterialov,
                                             {col("MATERIAL", "Materiál"), col("CENA_MAT", "Cena za 1 kg")}, opMat));
    PageControlSluzby->addTab(opMat, QString::fromUtf8("Operácie a materiály"));

    // 2: costs and overheads
    auto *costs = new QWidget;
    auto *costsLayout = new QVBoxLayout(costs);
    costsLayout->addWidget(gridWithNavigator(&cis.DSCNakladov,
                                             {col("TYP_NAKL", "Typ"), col("NAKLAD", "Náklad"),
                                              col("NAZOV_NAKL", "Názov"), col("KOEF_NAKL", "Koef.")},
                                             costs));
    TxDBGrid *overheads = nullptr;
    costsLayout->addWidget(gridWithNavigator(
        &cis.DSCRezii, {col("NAZOV", "Názov"), col("HODNOTA", "Hodnota [%]"), col("ZAKLAD", "Základ")}, costs,
        &overheads));
    overheads->Columns(0)->ReadOnly = true;
    overheads->Columns(2)->PickList = {QStringLiteral("M"), QStringLiteral("V"), QStringLiteral("U"), QStringLiteral("H")};
    PageControlSluzby->addTab(costs, QString::fromUtf8("Náklady a réžie"));

    // 3: professions and tariffs
    auto *prof = new QWidget;
    auto *profLayout = new QVBoxLayout(prof);
    profLayout->addWidget(gridWithNavigator(&cis.DSCProfesii,
                                            {col("PROFESIA", "Profesia"), col("NAZOV_PROF", "Názov profesie"),
                                             col("KOEF_PRO", "Prípl.pro.")},
                                            prof));
    profLayout->addWidget(gridWithNavigator(
        &cis.DSCTarifov, {col("TARIF", "Tarif"), col("MZDAH", "Mzda za hod."), col("P_PREMII", "Prémie [%]")}, prof));
    PageControlSluzby->addTab(prof, QStringLiteral("Profesie a tarify"));

    // 4: stores and centres
    auto *stores = new QWidget;
    auto *storesLayout = new QVBoxLayout(stores);
    storesLayout->addWidget(gridWithNavigator(&DMZal->DSCSkladov,
                                              {col("SKLAD", "Sklad"), col("NAZOV_SKLADU", "Názov skladu"),
                                               col("typ_skladu", "Typ")},
                                              stores));
    storesLayout->addWidget(gridWithNavigator(&cis.DSCStredisk,
                                              {col("STREDISKO", "Stredisko"), col("NAZOV_STR", "Názov strediska"),
                                               col("KOEFVYRREZ", "Výr.réžia")},
                                              stores));
    PageControlSluzby->addTab(stores, QString::fromUtf8("Sklady a strediská"));

    // 5: workplaces
    auto *work = new QWidget;
    auto *workLayout = new QHBoxLayout(work);
    workLayout->addWidget(gridWithNavigator(&cis.DSCPracovisk,
                                            {col("PRACOVISKO", "Pracovisko"), col("NAZOV_PRAC", "Názov pracoviska"),
                                             col("STREDISKO", "Stredisko")},
                                            work),
                          3);
    auto *workplace = new QGroupBox(QStringLiteral("Pracovisko"), work);
    auto *wform = new QFormLayout(workplace);
    wform->addRow(QStringLiteral("Stredisko"),
                  new TDBLookupCombo(&cis.DSCPracovisk, QStringLiteral("STREDISKO"), &cis.CStredisk,
                                  QStringLiteral("STREDISKO"), workplace));
    wform->addRow(QStringLiteral("Pracovisko"), fieldEdit(&cis.DSCPracovisk, QStringLiteral("PRACOVISKO"), workplace));
    wform->addRow(QString::fromUtf8("Názov prac."), fieldEdit(&cis.DSCPracovisk, QStringLiteral("NAZOV_PRAC"), workplace));
    wform->addRow(QStringLiteral("Popis prac."), fieldEdit(&cis.DSCPracovisk, QStringLiteral("POPIS_PRAC"), workplace));
    auto *overhead = new QHBoxLayout;
    overhead->addWidget(fieldEdit(&cis.DSCPracovisk, QStringLiteral("KOEF_VYRREZ"), workplace));
    auto *type = new TDBComboBox(workplace);
    type->SetStyle(TDBComboBox::csDropDownList);
    type->SetDataSource(&cis.DSCPracovisk);
    type->SetDataField(QStringLiteral("TYP_VYRREZ"));
    type->SetItems({QStringLiteral(" "), QStringLiteral("%"), QStringLiteral("H")});
    overhead->addWidget(type);
    wform->addRow(QString::fromUtf8("Výrobná réžia"), overhead);
    wform->addRow(QString::fromUtf8("Pracovný rozvrh"),
                  new TDBLookupCombo(&cis.DSCPracovisk, QStringLiteral("ROZVRH"), &cis.CRozvrhov,
                                  QStringLiteral("ROZVRH"), workplace));
    wform->addRow(QString::fromUtf8("Počet strojov"), fieldEdit(&cis.DSCPracovisk, QStringLiteral("STROJE"), workplace));
    workLayout->addWidget(workplace, 2);
    PageControlSluzby->addTab(work, QString::fromUtf8("Pracoviská"));

    // 6: the other small code lists
    auto *other = new QWidget;
    auto *otherLayout = new QVBoxLayout(other);
    CineTable = new QComboBox(other);
    CineTable->addItems({QStringLiteral("CROZVRHOV"), QStringLiteral("CSTATOV"), QStringLiteral("CSVIATKOV")});
    CineTable->setCurrentIndex(-1);
    otherLayout->addWidget(CineTable);
    otherLayout->addWidget(gridWithNavigator(&cis.DSCine, {}, other, &GridCine));
    connect(CineTable, &QComboBox::currentTextChanged, this, [](const QString &name) {
        try {
            DMCis->Cine.Close();
            DMCis->Cine.SetTableName(name);
            if (!name.isEmpty())
                DMCis->Cine.Open();
        } catch (const Exception &e) {
            ShowError(e.Message);
        }
    });
    PageControlSluzby->addTab(other, QString::fromUtf8("Iné ..."));

    connect(PageControlSluzby, &QTabWidget::currentChanged, this, [this](int page) {
        if (isVisible())
            showPage(page);
    });
    OnShow = [this] { showPage(PageControlSluzby->currentIndex()); };
    OnClose = [this](TCloseAction &) { closeTables(); };
    // The close button, which Escape presses when no cell is being edited.
    main->addWidget(new TBtnKoniec(this), 0, Qt::AlignRight);
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
    try {
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
        for (TDBComboBox *combo : findChildren<TDBComboBox *>())
            if (auto *lookup = dynamic_cast<TDBLookupCombo *>(combo))
                lookup->Reload();
    } catch (const Exception &e) {
        ShowError(e.Message);
    }
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
    if (watched == HlOSC || watched == HlPr) {
        const bool byNumber = watched == HlOSC;
        const QString field = byNumber ? QStringLiteral("OSC") : QStringLiteral("PRIEZVISKO");
        try {
            if (e->type() == QEvent::MouseButtonPress) {
                SetStatusText(byNumber ? QString::fromUtf8("Triedenie podľa osobného Čísla pracovníka")
                                       : QString::fromUtf8("Triedenie podľa priezviska pracovníka"));
                HlOSC->clear();
                HlPr->clear();
                DMCis->SetEmployeeOrder(field);
            } else if (e->type() == QEvent::KeyRelease) {
                DMCis->QuickFilterEmployees(field, static_cast<QLineEdit *>(watched)->text());
            }
        } catch (const Exception &ex) {
            ShowError(ex.Message);
        }
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
    ShowReportHook()(EmployeeReport());
}
