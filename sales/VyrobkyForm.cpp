#include "VyrobkyForm.h"

#include "DMTPV.h"
#include "QRTlacVyrobky.h"
#include "TPVSql.h"
#include "VyrobkyCennikForm.h"
#include "library/BrowseForm.h"
#include "library/xDBFilter.h"
#include "platform/ui/BitBtn.h"
#include "library/xDBGrid.h"
#include "shell/DMZal.h"
#include "shell/MenuHooks.h"
#include "shell/RoutineNames.h"
#include "shell/Routines.h"
#include "platform/ui/DBControls.h"
#include "platform/ui/FormGlobal.h"
#include "platform/ui/Guarded.h"
#include "platform/ui/ReportPreview.h"

#include <QBoxLayout>
#include <QFormLayout>
#include <QGuiApplication>
#include <QIntValidator>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>

TVyrobkyForm *VyrobkyForm = nullptr;

TVyrobkyForm::TVyrobkyForm(QWidget *owner) : TBrowseForm(owner)
{
    TrackGlobal(this, VyrobkyForm);
    setObjectName(QStringLiteral("VyrobkyForm"));
    setWindowTitle(QString::fromUtf8("Výrobky"));
    resize(760, 560);
    if (const QScreen *screen = QGuiApplication::primaryScreen(); screen && screen->size().height() > 700)
        resize(width(), 618);
    TDMTPV &dm = *DMTPV;

    AddSearchRow({{&HlC_POL, "HlC_POL", "Zadaj číslo výrobku", "POLOZKY.C_POL", "C_POL"},
                  {&HlNVyr, "HlNVyr", "Zadaj názov výrobku", "NAZOV", "NAZOV"},
                  {&HlCVyk, "HlCVyk", "Zadaj číslo výkresu", "C_VYKRESU", "C_VYKRESU"},
                  {&HlRozmer, "HlRozmer", "Zadaj typ výrobku", "ROZMER", "ROZMER"}});
    OnQuickSearch = [this](int index, QLineEdit *e) {
        // Product numbers are upper case.
        if (e == HlC_POL && e->text() != e->text().toUpper()) {
            const int at = e->cursorPosition();
            e->setText(e->text().toUpper());
            e->setCursorPosition(at);
        }
        DMTPV->QuickSearchProducts(QLatin1String(Search(index).Field), e->text());
    };
    // A click into a quick-search edit lists all products in that edit's order.
    OnSearchClick = [this](int index) { SortProducts(QLatin1String(Search(index).Order)); };

    FilterPanel = AddFilterPanel("FilterPanel", &dm.DSPolozky);
    auto *filterLayout = new QFormLayout(FilterPanel);
    eC_ODB = new TxDBFilterEdit(FilterPanel);
    eC_ODB->setObjectName(QStringLiteral("eC_ODB"));
    eC_ODB->SQLWhere = TPVSql::ProductsOfCustomer;
    eC_ODB->SQLParamType = ftSmallint;
    eC_ODB->setValidator(new QIntValidator(0, 32767, eC_ODB));
    eMATERIAL = new TxDBFilterEdit(FilterPanel);
    eMATERIAL->setObjectName(QStringLiteral("eMATERIAL"));
    eMATERIAL->SQLWhere = TPVSql::ProductsOfMaterial;
    eMATERIAL->SQLParamType = ftString;
    filterLayout->addRow(QString::fromUtf8("č.Odberateľa"), eC_ODB);
    filterLayout->addRow(QString::fromUtf8("Materiál"), eMATERIAL);
    // The panel keeps its Filter button at its foot: the edits end above it.
    QMargins margins = filterLayout->contentsMargins();
    margins.setBottom(margins.bottom() + FilterPanel->FilterButton->height() + 8);
    filterLayout->setContentsMargins(margins);
    // The panel's conditions narrow the products; they never list other items nor leave the filter empty.
    FilterPanel->BeforeFilter = [](QObject *, QString &filter) { filter = TDMTPV::ProductsFilter(filter); };

    DBGridVyrobky = AddGrid<TxDBGrid>("DBGridVyrobky", &dm.DSPolozky,
                                      {{"C_POL", "Č. výrobku"},
                                       {"NAZOV", "Názov výrobku"},
                                       {"ROZMER", "Rozmer, Typ"},
                                       {"C_VYKRESU", "Číslo výkresu"}},
                                      3);
    DBGridVyrobky->SetTitleClickToOrderBy(true);
    DBGridVyrobky->OnDblClick = [this](TDBGrid *) { Guarded([this] { EditCurrentProduct(); }); };
    DBGridVyrobky->setContextMenuPolicy(Qt::CustomContextMenu);
    PopupMenu = new QMenu(this);
    const auto popup = [this](const char *caption, std::function<void()> action) {
        AddGuardedAction(PopupMenu, QString::fromUtf8(caption), std::move(action));
    };
    popup("Nový", [this] { NewProduct(); });
    popup("Nový kópia", [this] { NovyKopia1Click(); });
    popup("Oprav", [this] { EditCurrentProduct(); });
    popup("Zmaž", [this] { DeleteCurrentProduct(); });
    connect(DBGridVyrobky, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { PopupMenu->popup(DBGridVyrobky->viewport()->mapToGlobal(at)); });
    auto *buttons = new QHBoxLayout;
    btnNovyVyr = AddButton(buttons, "&Nový", [this] { NewProduct(); });
    btnOpravVyr = AddButton(buttons, "&Oprav", [this] { EditCurrentProduct(); });
    btnZmazVyr = AddButton(buttons, "&Zmaž", [this] { DeleteCurrentProduct(); });
    btnTlacVyr = AddButton(buttons, "&Tlač", [this] { PrintList(); });
    BitBtnIntObj = AddButton(buttons, "&Int.obj.", [this] { ShowInternalOrdersOfProduct(); });
    btnCennikVyr = AddButton(buttons, "&Cenník", [] { ShowPriceList(); });
    btnFilterVyr = AddFilterButton(buttons, FilterPanel);
    btnZavriet = AddCloseButton(buttons, "Za&vrieť");
    Column->addLayout(buttons);

    pcVyrobky = new QTabWidget(this);
    pcVyrobky->setObjectName(QStringLiteral("pcVyrobky"));
    auto *item = new QWidget;
    AddRecordTexts(item, &dm.DSPolozky,
                   {{"POPIS", "Popis"},
                    {"NAZOV", "Názov"},
                    {"ROZMER", "Rozmer"},
                    {"MATERIAL", "Materiál"},
                    {"CENA_NAKL", "Cena vnút."},
                    {"CENA_KALK", "Cena kalk."},
                    {"VAHA_MAT", "Váha btto."},
                    {"VAHA1", "Váha neto"},
                    {"MJ", "MJ"},
                    {"KP", "KP"},
                    {"CENA_PRIEM", "Cena priemerná"},
                    {"CENA_PRED", "Cena predajná"},
                    {"FREE1", "Voľné 1"},
                    {"FREE2", "Voľné 2"},
                    {"C_VYKRESU", "č.Výkresu"},
                    {"C_POL_EXT", "č.Externé"}},
                   "DBText");
    pcVyrobky->addTab(item, QString::fromUtf8("Položka"));
    for (const char *caption : {"&Kusovník", "O&perácie", "Sklady", "Pohyby", "Zákazky", "Dodacie listy"}) {
        auto *grid = new TDBGrid;
        grid->SetReadOnly(true);
        TabGrids << grid;
        pcVyrobky->addTab(grid, QString::fromUtf8(caption));
    }
    connect(pcVyrobky, &QTabWidget::currentChanged, this, [this] { Guarded([this] { pcVyrobkyChange(); }); });
    Column->addWidget(pcVyrobky, 2);

    OnShow = [this] {
        pcVyrobky->setCurrentIndex(0);
        SortProducts(QStringLiteral("C_POL"));
        HlC_POL->setFocus();
    };
    OnClose = [](TCloseAction &) {
        DMTPV->QPolozky.Close();
        DMZal->Query1.Close();
        DMZal->Query1.SetDataSource(nullptr);
    };
}

TVyrobkyForm::~TVyrobkyForm()
{
    DetachGrids(this);
}

void TVyrobkyForm::SortProducts(const QString &field)
{
    ClearSearches();
    DMTPV->SortProducts(field);
}

void TVyrobkyForm::runProductDialog()
{
    const TModuleHooks &hooks = ModuleHooks();
    if (!hooks.ProductDialog) {
        if (DMTPV->QPolozky.State() == dsInsert || DMTPV->QPolozky.State() == dsEdit)
            DMTPV->QPolozky.Cancel();
        ShowNotAvailable();
        return;
    }
    hooks.ProductDialog();
}

void TVyrobkyForm::NewProduct()
{
    pcVyrobky->setCurrentIndex(0);
    DMTPV->QPolozky.Append();
    DMTPV->QPolozky.FieldByName(QStringLiteral("TYP1"))->SetAsString(QStringLiteral("V"));
    DMTPV->QPolozky.KeepAsDefaults(); // a product only opened and left has nothing typed to ask about
    runProductDialog();
}

void TVyrobkyForm::EditCurrentProduct()
{
    pcVyrobky->setCurrentIndex(0);
    if (DMTPV->QPolozky.IsEmpty())
        return;
    DMTPV->QPolozky.Edit();
    runProductDialog();
}

void TVyrobkyForm::NovyKopia1Click()
{
    pcVyrobky->setCurrentIndex(0);
    TxTable &products = DMTPV->QPolozky;
    if (products.IsEmpty())
        return;
    const QString caption = QString::fromUtf8("Kopírovanie položky");
    const QString old = products.FieldByName(QStringLiteral("C_POL"))->AsString().trimmed();
    QString code = QStringLiteral("KOPIA");
    if (!InputQuery(caption, QString::fromUtf8("Kopírovať položku ") + old + QStringLiteral(" na"), code))
        return;
    code = code.trimmed();
    if (code.size() == 2) {
        code = NextItemCode(code);
        if (!InputQuery(caption, QString::fromUtf8("Ďaľšie číslo položky:"), code))
            return;
        code = code.trimmed();
    }
    // No number is no copy.
    if (code.isEmpty())
        return;
    DMTPV->CopyProduct(old, code);
}

void TVyrobkyForm::DeleteCurrentProduct()
{
    TxTable &products = DMTPV->QPolozky;
    if (products.IsEmpty())
        return;
    if (MessageDlg(QString::fromUtf8("Naozaj chceš zmazať výrobok ") +
                       products.FieldByName(QStringLiteral("C_POL"))->AsString().trimmed() + QStringLiteral(" ?"),
                   mtWarning, mbYesNo) == mrYes)
        products.Delete();
}

TQRTlacVyrobky *TVyrobkyForm::ListReport()
{
    if (!report_)
        report_ = std::make_unique<TQRTlacVyrobky>();
    report_->setDataSet(DBGridVyrobky->DataSource() ? DBGridVyrobky->DataSource()->DataSet() : nullptr);
    return report_.get();
}

void TVyrobkyForm::PrintList()
{
    TQRTlacVyrobky *report = ListReport();
    if (ModuleHooks().ShowReport)
        ModuleHooks().ShowReport(report);
    else
        TReportPreview::Preview(report, this);
}

void TVyrobkyForm::ShowInternalOrdersOfProduct()
{
    pcVyrobky->setCurrentIndex(0);
    if (DMTPV->QPolozky.IsEmpty())
        return;
    CallOpenRoutine(QLatin1String(Routine::ShowInternalOrders),
                    {QStringLiteral("C_VYR"), DMTPV->QPolozky.FieldByName(QStringLiteral("C_POL"))->AsString()});
}

void TVyrobkyForm::pcVyrobkyChange()
{
    const int tab = pcVyrobky->currentIndex();
    DMTPV->OpenProductTab(DMZal->Query1, DMTPV->DSPolozky, tab);
    for (int i = 0; i < TabGrids.size(); ++i)
        TabGrids[i]->SetDataSource(i == tab - 1 ? &DMZal->DSQuery1 : nullptr);
}

void ShowProducts()
{
    TVyrobkyForm &form = FormOnDemand(VyrobkyForm);
    FormOnDemand(VyrobkyCennikForm);
    form.ShowModal();
}
