#include "VyrobkyForm.h"

#include "DMTPV.h"
#include "FormButton.h"
#include "QRTlacVyrobky.h"
#include "TPVSql.h"
#include "VyrobkyCennikForm.h"
#include "library/xDBFilter.h"
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
#include <QEvent>
#include <QFormLayout>
#include <QGuiApplication>
#include <QIntValidator>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>

TVyrobkyForm *VyrobkyForm = nullptr;

namespace {

// The quick-search edits and the fields they search and sort by.
const char *const SearchFields[] = {"POLOZKY.C_POL", "NAZOV", "C_VYKRESU", "ROZMER"};
const char *const SortFields[] = {"C_POL", "NAZOV", "C_VYKRESU", "ROZMER"};

} // namespace

TVyrobkyForm::TVyrobkyForm(QWidget *owner) : TForm(owner)
{
    TrackGlobal(this, VyrobkyForm);
    setObjectName(QStringLiteral("VyrobkyForm"));
    setWindowTitle(QString::fromUtf8("Výrobky"));
    resize(760, 560);
    if (const QScreen *screen = QGuiApplication::primaryScreen(); screen && screen->size().height() > 700)
        resize(width(), 618);
    TDMTPV &dm = *DMTPV;
    auto *main = new QVBoxLayout(this);

    auto *search = new QHBoxLayout;
    auto *searchLabel = new QLabel(QString::fromUtf8("Rýchle hľadanie"), this);
    QFont bold = searchLabel->font();
    bold.setBold(true);
    searchLabel->setFont(bold);
    search->addWidget(searchLabel);
    const char *hints[] = {"Zadaj číslo výrobku", "Zadaj názov výrobku", "Zadaj číslo výkresu", "Zadaj typ výrobku"};
    QLineEdit **edits[] = {&HlC_POL, &HlNVyr, &HlCVyk, &HlRozmer};
    const char *names[] = {"HlC_POL", "HlNVyr", "HlCVyk", "HlRozmer"};
    for (int i = 0; i < 4; ++i) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QLatin1String(names[i]));
        e->setToolTip(QString::fromUtf8(hints[i]));
        e->installEventFilter(this);
        search->addWidget(e);
        *edits[i] = e;
        connect(e, &QLineEdit::textEdited, this, [this, e, i](const QString &text) {
            Guarded([e, i, text] {
                if (i == 0 && text != text.toUpper()) {
                    const int at = e->cursorPosition();
                    e->setText(text.toUpper());
                    e->setCursorPosition(at);
                }
                DMTPV->QuickSearchProducts(QLatin1String(SearchFields[i]), e->text());
            });
        });
    }
    main->addLayout(search);

    FilterPanel = new TxDBFilterPanel(this);
    FilterPanel->setObjectName(QStringLiteral("FilterPanel"));
    FilterPanel->DataSource = &dm.DSPolozky;
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
    // The panel's conditions narrow the products; they never list other items nor leave the filter empty.
    FilterPanel->BeforeFilter = [](QObject *, QString &filter) { filter = TDMTPV::ProductsFilter(filter); };
    FilterPanel->hide();
    main->addWidget(FilterPanel);

    DBGridVyrobky = new TxDBGrid(this);
    DBGridVyrobky->setObjectName(QStringLiteral("DBGridVyrobky"));
    DBGridVyrobky->SetDataSource(&dm.DSPolozky);
    DBGridVyrobky->SetReadOnly(true);
    DBGridVyrobky->SetTitleClickToOrderBy(true);
    DBGridVyrobky->AddColumn(QStringLiteral("C_POL"), QString::fromUtf8("Č. výrobku"));
    DBGridVyrobky->AddColumn(QStringLiteral("NAZOV"), QString::fromUtf8("Názov výrobku"));
    DBGridVyrobky->AddColumn(QStringLiteral("ROZMER"), QString::fromUtf8("Rozmer, Typ"));
    DBGridVyrobky->AddColumn(QStringLiteral("C_VYKRESU"), QString::fromUtf8("Číslo výkresu"));
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
    main->addWidget(DBGridVyrobky, 3);

    auto *buttons = new QHBoxLayout;
    btnNovyVyr = AddButton(this, buttons, QString::fromUtf8("&Nový"), [this] { NewProduct(); });
    btnOpravVyr = AddButton(this, buttons, QStringLiteral("&Oprav"), [this] { EditCurrentProduct(); });
    btnZmazVyr = AddButton(this, buttons, QString::fromUtf8("&Zmaž"), [this] { DeleteCurrentProduct(); });
    btnTlacVyr = AddButton(this, buttons, QString::fromUtf8("&Tlač"), [this] { PrintList(); });
    BitBtnIntObj = AddButton(this, buttons, QStringLiteral("&Int.obj."), [this] { ShowInternalOrdersOfProduct(); });
    btnCennikVyr = AddButton(this, buttons, QString::fromUtf8("&Cenník"), [] { ShowPriceList(); });
    btnFilterVyr = AddButton(this, buttons, QStringLiteral("&Filter"),
                             [this] { FilterPanel->SetFilterVisible(!FilterPanel->FilterVisible()); });
    btnZavriet = AddButton(this, buttons, QString::fromUtf8("Za&vrieť"), [this] { Close(); });
    SetCancelButton(btnZavriet);
    main->addLayout(buttons);

    pcVyrobky = new QTabWidget(this);
    pcVyrobky->setObjectName(QStringLiteral("pcVyrobky"));
    auto *item = new QWidget;
    auto *itemLayout = new QFormLayout(item);
    const QList<QPair<const char *, const char *>> texts = {{"Popis", "POPIS"},
                                                            {"Názov", "NAZOV"},
                                                            {"Rozmer", "ROZMER"},
                                                            {"Materiál", "MATERIAL"},
                                                            {"Cena vnút.", "CENA_NAKL"},
                                                            {"Cena kalk.", "CENA_KALK"},
                                                            {"Váha btto.", "VAHA_MAT"},
                                                            {"Váha neto", "VAHA1"},
                                                            {"MJ", "MJ"},
                                                            {"KP", "KP"},
                                                            {"Cena priemerná", "CENA_PRIEM"},
                                                            {"Cena predajná", "CENA_PRED"},
                                                            {"Voľné 1", "FREE1"},
                                                            {"Voľné 2", "FREE2"},
                                                            {"č.Výkresu", "C_VYKRESU"},
                                                            {"č.Externé", "C_POL_EXT"}};
    for (const auto &t : texts) {
        auto *text = new TDBText(item);
        text->setObjectName(QStringLiteral("DBText") + QLatin1String(t.second));
        text->SetDataSource(&dm.DSPolozky);
        text->SetDataField(QLatin1String(t.second));
        itemLayout->addRow(QString::fromUtf8(t.first), text);
    }
    pcVyrobky->addTab(item, QString::fromUtf8("Položka"));
    for (const char *caption : {"&Kusovník", "O&perácie", "Sklady", "Pohyby", "Zákazky", "Dodacie listy"}) {
        auto *grid = new TDBGrid;
        grid->SetReadOnly(true);
        TabGrids << grid;
        pcVyrobky->addTab(grid, QString::fromUtf8(caption));
    }
    connect(pcVyrobky, &QTabWidget::currentChanged, this, [this] { Guarded([this] { pcVyrobkyChange(); }); });
    main->addWidget(pcVyrobky, 2);

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

bool TVyrobkyForm::eventFilter(QObject *watched, QEvent *event)
{
    // A click into a quick-search edit lists all products in that edit's order.
    if (const int i = ClickedEdit(watched, event, {HlC_POL, HlNVyr, HlCVyk, HlRozmer}); i >= 0)
        Guarded([this, i] { SortProducts(QLatin1String(SortFields[i])); });
    return TForm::eventFilter(watched, event);
}

void TVyrobkyForm::SortProducts(const QString &field)
{
    for (QLineEdit *e : {HlC_POL, HlNVyr, HlCVyk, HlRozmer})
        e->clear();
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
