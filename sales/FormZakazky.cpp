#include "FormZakazky.h"

#include "DMOdbyt.h"
#include "FormZakazkaDet.h"
#include "FormZakazkaDetHl.h"
#include "FormZakazkaHl.h"
#include "OdberatelDForm.h"
#include "OrderDocuments.h"
#include "OdbytSql.h"
#include "ZakKalkForm.h"
#include "library/BrowseForm.h"
#include "library/GridReport.h"
#include "library/xDBFilter.h"
#include "library/xDBGrid.h"
#include "library/xForm.h"
#include "shell/DMZal.h"
#include "shell/MenuHooks.h"
#include "shell/RoutineNames.h"
#include "shell/Routines.h"
#include "platform/ui/BitBtn.h"
#include "platform/ui/DBControls.h"
#include "platform/ui/FormGlobal.h"
#include "platform/ui/Guarded.h"

#include <QBoxLayout>
#include <QEvent>
#include <QFormLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>

TFormGlobal<TFormZakazky> FormZakazky{"FormZakazky"};

namespace {

// The placeholder of each quick-search edit and the status a click into it shows.
struct QuickText {
    const char *placeholder, *status;
};
const QuickText Quick[] = {
    {"Objednávka", "Triedenie podľa čísla objednávky"},
    {"Č. Odb.", "Triedenie podľa čísla odberateľa"},
    {"Odberateľ", "Triedenie podľa názvu odberateľa"},
    {"Dátum objednávky", "Triedenie podľa dátumu objednávky"},
};

TxDBFilterEdit *filterEdit(QWidget *parent, const char *name, const QString &where, TFieldType type)
{
    auto *e = new TxDBFilterEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->SQLWhere = where;
    e->SQLParamType = type;
    return e;
}

QString currentOrder()
{
    return DMOdbyt->QvZakazky.FieldByName(QStringLiteral("C_OBJ"))->AsString().trimmed();
}

void editOrder()
{
    if (DMOdbyt->QvZakazky.IsEmpty())
        return;
    QString order = currentOrder();
    EditOrderHeader(order);
}

void showItems()
{
    if (!DMOdbyt->QvZakazky.IsEmpty())
        ShowOrderItems(currentOrder());
}

void editItem()
{
    FormOnDemand(FormZakazkaDet).btnOpravClick();
}

} // namespace

TFormZakazky::TFormZakazky(QWidget *owner) : TBrowseForm(owner)
{
    TrackGlobal(this, FormZakazky);
    setObjectName(QStringLiteral("FormZakazky"));
    setWindowTitle(QString::fromUtf8("Zákaznícke objednávky"));
    resize(820, 600);
    TDMOdbyt &dm = *DMOdbyt;
    auto *outer = new QHBoxLayout;
    Column->addLayout(outer);
    auto *main = new QVBoxLayout;
    outer->addLayout(main, 1);

    // The length each edit takes is what its column holds: an integer's digits and sign, a date's text.
    QHBoxLayout *search = AddSearchRow({{&HlObj, "HlObj", "Zadaj číslo objednávky", "C_OBJ", "C_OBJ", 15},
                                        {&HlCOdb, "HlCOdb", "Zadaj číslo odberateľa", "C_ODB", "C_ODB", 11},
                                        {&HlOdb, "HlOdb", "Zadaj názov odberateľa", "ODBERATEL", "ODBERATEL", 50},
                                        {&HlDO, "HlDO", "Zadaj dátum objednávky", "D_OBJ", "D_OBJ desc", 10}},
                                       main);
    OnQuickSearch = [this](int index, QLineEdit *e) { QuickSearch(e, QLatin1String(Search(index).Field)); };
    OnSearchClick = [this](int index) {
        Resort(QLatin1String(Search(index).Order), QString::fromUtf8(Quick[index].status));
    };
    HlDV = filterEdit(this, "HlDV", OdbytSql::OrdersIssuedLike, ftString);
    HlDV->DataSource = &dm.DSvZakazky;
    search->addWidget(HlDV);
    LabelRecCount = new QLabel(this);
    search->addWidget(LabelRecCount);

    DBFilter = AddFilterPanel("DBFilter", &dm.DSvZakazky, main);
    auto *panel = new QHBoxLayout(DBFilter);
    // The panel puts its button under the edits, in the middle: the row leaves it its room.
    const QMargins around = panel->contentsMargins();
    panel->setContentsMargins(around.left(), around.top(), around.right(),
                              around.bottom() + DBFilter->FilterButton->height() + 8);
    xeC_VYR = filterEdit(DBFilter, "xeC_VYR", OdbytSql::OrdersWithProduct, ftString);
    connect(xeC_VYR, &QLineEdit::textEdited, this, [this](const QString &t) {
        if (t != t.toUpper())
            xeC_VYR->setText(t.toUpper());
    });
    xeC_INT = filterEdit(DBFilter, "xeC_INT", OdbytSql::OrdersWithJob, ftInteger);
    xeC_INT->setValidator(new QIntValidator(0, 999999999, xeC_INT));
    xeD_OD = filterEdit(DBFilter, "xeD_OD", OdbytSql::OrdersIssuedFrom, ftDate);
    xeD_DO = filterEdit(DBFilter, "xeD_DO", OdbytSql::OrdersIssuedTo, ftDate);
    panel->addWidget(new QLabel(QString::fromUtf8("č.Výrobku"), DBFilter));
    panel->addWidget(xeC_VYR);
    panel->addWidget(new QLabel(QString::fromUtf8("č.Zakázky"), DBFilter));
    panel->addWidget(xeC_INT);
    panel->addWidget(new QLabel(QString::fromUtf8("Dátum vystavenia"), DBFilter));
    panel->addWidget(xeD_OD);
    panel->addWidget(new QLabel(QStringLiteral("-"), DBFilter));
    panel->addWidget(xeD_DO);
    DBFilter->AfterFilter = [this](QObject *) {
        DMOdbyt->QZakazkyD.Open(); // closed with its master by the filter; it follows the current order again
        ShowRecordCount();
    };

    DBGridZakazky = AddGrid<TxDBGrid>("DBGridZakazky", &dm.DSvZakazky,
                                      {{"C_OBJ", "Objednávka", 96},
                                       {"C_ODB", "Č. Odb.", 40},
                                       {"ODBERATEL", "Odberateľ", 186},
                                       {"D_OBJ", "Dátum objednávky", 97},
                                       {"D_VYSTAV", "Vystavená", 76}},
                                      3, main);
    DBGridZakazky->SetTitleClickToOrderBy(true);
    DBGridZakazky->OnDblClick = [](TDBGrid *) { Guarded(showItems); };
    // The grid has re-sorted by the column already.
    DBGridZakazky->OnTitleClick = [this](TColumn *column) {
        Guarded([this, column] { DBGridZakazkyTitleClick(column); });
    };
    DBGridZakazky->setContextMenuPolicy(Qt::CustomContextMenu);

    pcZakazky = new QTabWidget(this);
    DBGridPolozky = new TDBGrid;
    DBGridPolozky->SetDataSource(&dm.DSZakazkyD);
    DBGridPolozky->SetReadOnly(true);
    for (const auto &[field, title] : QList<QPair<const char *, const char *>>{{"C_OBJ", "Objednávka"},
                                                                               {"C_INT", "č. Zákazky"},
                                                                               {"C_VYR", "Výrobok"},
                                                                               {"MNOZ_OBJ", "Množ.obj."},
                                                                               {"MNOZ_VYR", "Množ.vyr."},
                                                                               {"TERMIN", "Termín"},
                                                                               {"STAV_ZAK", "Stav obj."}})
        DBGridPolozky->AddColumn(QLatin1String(field), QString::fromUtf8(title));
    DBGridPolozky->OnDblClick = [](TDBGrid *) { Guarded(editItem); };
    DBGridPolozky->OnGetCellProp = [](TDBGrid *, TDataSet *ds, TField *, TCellFont &font, QColor &, bool) {
        TFormZakazkaDet::ItemCellProp(ds, font);
    };
    DBGridPolozky->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(DBGridPolozky, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        FormOnDemand(FormZakazkaDet).PopupMenuZakazkyD->popup(DBGridPolozky->viewport()->mapToGlobal(at));
    });
    pcZakazky->addTab(DBGridPolozky, QString::fromUtf8("Položky"));

    auto *customer = new QWidget;
    QFormLayout *customerLayout = AddRecordTexts(customer, &dm.DSCOdberatelovLookup,
                                                 {{"ODBERATEL", ""},
                                                  {"ICO", "IČO"},
                                                  {"ICDPH", "IČ DPH"},
                                                  {"BANKA", "Banka"},
                                                  {"BUCET", ""},
                                                  {"KONTAKT", "Kontakt"},
                                                  {"ULICA", "Ulica"},
                                                  {"MESTO", "Mesto"},
                                                  {"PSC", "PSC"},
                                                  {"TELEFON", "Telefón"},
                                                  {"FAX", "Fax"},
                                                  {"EMAIL", "E-mail"}});
    // The customer's name in bold.
    QWidget *name = customerLayout->itemAt(0, QFormLayout::FieldRole)->widget();
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
    auto *customerButtons = new QHBoxLayout;
    GuardedButton(QString::fromUtf8("O&dberateľ >>"), this, customerButtons, [] {
        EditCustomer(DMOdbyt->QvZakazky.FieldByName(QStringLiteral("C_ODB"))->AsInteger());
    })->setToolTip(QString::fromUtf8("Zákazník - detail - zmena"));
    customerLayout->addRow(customerButtons);
    pcZakazky->addTab(customer, QString::fromUtf8("Odberateľ"));

    auto *contract = new QWidget;
    auto *contractLayout = new QFormLayout(contract);
    const auto contractEdit = [&](auto *control, const char *field) {
        control->SetDataSource(&dm.DSZakZml);
        control->SetDataField(QLatin1String(field));
        return control;
    };
    DBeC_ZMLUVY = contractEdit(new TDBEdit(contract), "C_ZMLUVY");
    auto *numberRow = new QHBoxLayout;
    numberRow->addWidget(DBeC_ZMLUVY);
    btnZmluvaCislo = GuardedButton(QStringLiteral("..."), this, numberRow, [] { DMOdbyt->EditOrPresetContract(); });
    contractLayout->addRow(QString::fromUtf8("Číslo zmluvy"), numberRow);
    contractLayout->addRow(QString::fromUtf8("Predmet zmluvy"), contractEdit(new TDBEdit(contract), "PREDMET"));
    const auto combo = [&](const char *field, const QStringList &items) {
        auto *c = contractEdit(new TDBComboBox(contract), field);
        c->setEditable(true);
        c->SetItems(items);
        return c;
    };
    DBcbBALENIE = combo("BALENIE", {QString::fromUtf8("Voľne"), QStringLiteral("Gitterbox"),
                                    QString::fromUtf8("Drevená paleta"), QString::fromUtf8("Papierová krabica"),
                                    QString::fromUtf8("Balík"), QString::fromUtf8("Kovová paleta")});
    contractLayout->addRow(QStringLiteral("Balenie"), DBcbBALENIE);
    contractLayout->addRow(QString::fromUtf8("Ostatné"), contractEdit(new TDBEdit(contract), "OSTATNE"));
    DBcbUHRADA = combo("UHRADA", {QString::fromUtf8("Predfaktúrou pred Výrobou"),
                                  QString::fromUtf8("Predfaktúrou pred Expedíciou"),
                                  QString::fromUtf8("Prevodným príkazom"), QStringLiteral("V hotovosti")});
    contractLayout->addRow(QString::fromUtf8("Forma úhrady"), DBcbUHRADA);
    DBcbSPLATNOST = combo(
        "SPLATNOST", {QString::fromUtf8("do 14 dní"), QString::fromUtf8("do 21 dní"), QString::fromUtf8("do 30 dní")});
    contractLayout->addRow(QString::fromUtf8("Splatnosť"), DBcbSPLATNOST);
    auto *contractButtons = new QHBoxLayout;
    BitBtnZmluva = GuardedButton(QString::fromUtf8("Z&mluva >>"), this, contractButtons, [] {
        TxTable &z = DMOdbyt->QZakZml;
        if (z.State() == dsEdit || z.State() == dsInsert)
            z.Post();
        PrintContract(currentOrder());
    });
    BitBtnZrusZml = GuardedButton(QString::fromUtf8("Zruš"), this, contractButtons, [this] { BitBtnZrusZmlClick(); });
    contractLayout->addRow(contractButtons);
    pcZakazky->addTab(contract, QString::fromUtf8("Kúpna zmluva"));

    DBGridDL = new TDBGrid;
    DBGridDL->SetDataSource(&dm.DSvEDlistyLookup);
    DBGridDL->SetReadOnly(true);
    pcZakazky->addTab(DBGridDL, QString::fromUtf8("Dodacie listy"));
    connect(pcZakazky, &QTabWidget::currentChanged, this, [this] { Guarded([this] { TabChanged(); }); });
    main->addWidget(pcZakazky, 2);

    auto *buttons = new QVBoxLayout;
    const auto button = [&](const char *caption, const char *hint, std::function<void()> action) {
        return AddButton(buttons, caption, std::move(action), hint);
    };
    btnNova = button("&Nová", "Vlož novú objednávku", [this] { NewOrder(); });
    btnOprav = button("&Oprav", "Uprav objednávku", editOrder);
    btnZmaz = button("&Zmaž", "Vymaž objednávku", [this] { btnZmazClick(); });
    BitBtnPolozky = button("&Položky", "Ukáž detail objednávky", showItems);
    BitBtnIntObj = button("&Int.obj.", "Interné objednávky", [] {
        CallOpenRoutine(QLatin1String(Routine::ShowInternalOrders), {QStringLiteral("C_OBJ"), currentOrder()});
    });
    btnTlac = button("&Tlač", "Tlač vybratých objednávok", [this] { btnTlacClick(); });
    BitBtnTlacIntObj =
        button("&Tlač Int.obj.", "Tlač Internej objednávky", [] { FormOnDemand(FormZakazkaDet).TlacIntObjClick(); });
    BitBtnKalkulacia = button("K&alkulácia", "Kalkulácia internej objednávky", [] {
        if (!DMOdbyt->QZakazkyD.IsEmpty())
            ShowCalculation(DMOdbyt->QZakazkyD.FieldByName(QStringLiteral("C_INT"))->AsInteger());
    });
    btnFilter = AddFilterButton(buttons, DBFilter, "&Filter", "Filter");
    btnKoniec = AddCloseButton(buttons, "&Koniec", "Koniec");
    buttons->addStretch();
    outer->addLayout(buttons);

    PopupMenu = new QMenu(this);
    QMenu *newOrderMenu = PopupMenu->addMenu(QString::fromUtf8("Nová objednávka"));
    const auto item = [](QMenu *menu, const char *caption, std::function<void()> action) {
        AddGuardedAction(menu, QString::fromUtf8(caption), std::move(action));
    };
    item(newOrderMenu, "Nová", [this] { NewOrder(); });
    item(newOrderMenu, "Z ponuky", [this] { Novazponuky1Click(); });
    item(PopupMenu, "Úprava objednávky", editOrder);
    item(PopupMenu, "Zmaž objednávku", [this] { btnZmazClick(); });
    item(PopupMenu, "Tlač", [this] { btnTlacClick(); });
    item(PopupMenu, "Položky", showItems);
    item(PopupMenu, "Interné objednávky", [this] { BitBtnIntObj->click(); });
    connect(DBGridZakazky, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { PopupMenu->popup(DBGridZakazky->viewport()->mapToGlobal(at)); });

    SetStatusText(QString::fromUtf8("Riadenie výroby - Evidencia zákaziek"));
    OnShow = [this] {
        DMOdbyt->OpenRecentOrders();
        ShowRecordCount();
        TabChanged(); // shown again on an order's page, that page reads the order as when it is chosen
    };
    OnActivate = [this] {
        Guarded([] { DMOdbyt->RereadOrderItems(); }); // a hand-over or a note elsewhere may have moved a job
        for (int i = 0; i < SearchEdits.size(); ++i)
            SearchEdits[i]->setPlaceholderText(QString::fromUtf8(Quick[i].placeholder));
        SetStatusText(QString::fromUtf8("Riadenie výroby - Objednávky"));
    };
    OnClose = [](TCloseAction &) {
        DMOdbyt->QZakazkyD.Close();
        DMOdbyt->QvZakazky.Close();
    };
}

TFormZakazky::~TFormZakazky()
{
    DetachGrids(this);
}

bool TFormZakazky::eventFilter(QObject *watched, QEvent *event)
{
    // The form sees every event of the program (its key preview): the issue date edit's events each once.
    // The issue date edit filters the orders as a key is let go, after this filter has seen the key: the count
    // and the items follow once it has.
    if (watched == HlDV && event->type() == QEvent::KeyRelease)
        QMetaObject::invokeMethod(
            this,
            [this] {
                Guarded([this] {
                    if (DMOdbyt->QvZakazky.Active())
                        DMOdbyt->QZakazkyD.Open();
                    ShowRecordCount();
                });
            },
            Qt::QueuedConnection);
    // The issue date edit is no quick search, but a click into it sorts as into one.
    if (watched == HlDV && event->type() == QEvent::MouseButtonRelease)
        Guarded([this] {
            Resort(QStringLiteral("D_VYSTAV desc"), QString::fromUtf8("Triedenie podľa dátumu vystavenia"));
        });
    return TForm::eventFilter(watched, event);
}

void TFormZakazky::ShowRecordCount(bool blank)
{
    LabelRecCount->setText(QString::fromUtf8("Nájdených položiek:") + (blank ? QStringLiteral(" ") : QString()) +
                           QString::number(DMOdbyt->QvZakazky.RecordCount()));
}

void TFormZakazky::Resort(const QString &order, const QString &status)
{
    ClearSearches();
    HlDV->clear();
    SetStatusText(status);
    DMOdbyt->ResortOrders(order);
    ShowRecordCount();
}

void TFormZakazky::DBGridZakazkyTitleClick(TColumn *column)
{
    DMOdbyt->QZakazkyD.Open(); // closed with its master by the re-sort; it follows the current order again
    ShowRecordCount(true);
    SetStatusText(QString::fromUtf8("Triedenie podľa ") + column->Title());
}

void TFormZakazky::QuickSearch(QLineEdit *edit, const QString &field)
{
    if (edit->text().isEmpty())
        edit->clear();
    DMOdbyt->QuickSearchOrders(field, edit->text());
    ShowRecordCount();
}

void TFormZakazky::NewOrder()
{
    QString order;
    const bool saved = EditOrderHeader(order);
    ShowRecordCount();
    if (saved)
        ShowOrderItems(order);
}

void TFormZakazky::Novazponuky1Click()
{
    QString offer;
    if (!InputQuery(QString::fromUtf8("Nová objednávka"), QString::fromUtf8("z ponuky č.:"), offer))
        return;
    if (!DMOdbyt->AppendOrderFromOffer(offer))
        return;
    QString order;
    const bool saved = EditOrderHeader(order);
    ShowRecordCount();
    if (saved) {
        // Each offer item becomes a job of the new order, as the item dialog confirms it.
        TxTable &offerItems = DMOdbyt->QCenPonD;
        TxTable &jobs = DMOdbyt->QZakazkyD;
        if (!jobs.Active())
            jobs.Open();
        offerItems.Open();
        for (offerItems.First(); !offerItems.Eof(); offerItems.Next()) {
            jobs.Append();
            jobs.FieldByName(QStringLiteral("C_VYR"))
                ->SetValue(offerItems.FieldByName(QStringLiteral("C_VYR"))->Value());
            jobs.FieldByName(QStringLiteral("MNOZ_OBJ"))
                ->SetValue(offerItems.FieldByName(QStringLiteral("MNOZ_OBJ"))->Value());
            if (!EditOrderItem())
                jobs.Cancel();
        }
        offerItems.Close();
    }
    DMOdbyt->QCenPon.Close();
}

void TFormZakazky::btnZmazClick()
{
    TxTable &orders = DMOdbyt->QvZakazky;
    if (orders.IsEmpty())
        return;
    if (MessageDlg(QString::fromUtf8("Naozaj chceš zmazať zákazku ") + currentOrder() +
                       QString::fromUtf8(", odberateľa ") + orders.FieldByName(QStringLiteral("C_ODB"))->AsString() +
                       QStringLiteral(" ?"),
                   mtWarning, mbYesNo) == mrYes) {
        orders.Delete();
        ShowRecordCount();
    }
}

void TFormZakazky::btnTlacClick()
{
    switch (ChooseOption(QString::fromUtf8("Potvrdenie objednávky,Zoznam zákaziek,Zoznam kúpnych zmlúv"),
                         QString::fromUtf8("Tlačiť"))) {
    case 1:
        if (!DMOdbyt->QvZakazky.IsEmpty())
            PrintOrderConfirmation(currentOrder());
        break;
    case 2:
        PreviewOrderList();
        break;
    case 3:
        DMOdbyt->OpenContractList();
        BuildGridReport(&DMZal->QTlac, QString::fromUtf8("Zoznam kúpnych zmlúv"), 10);
        break;
    default:
        break;
    }
}

void TFormZakazky::BitBtnZrusZmlClick()
{
    TxTable &z = DMOdbyt->QZakZml;
    if (!z.Active() || z.IsEmpty())
        return;
    if (MessageBox(QString::fromUtf8("Zmazať zmluvu ?"), QString::fromUtf8("Potvrdenie zmazania"), mtConfirmation,
                   mbYesNo) == mrYes)
        z.Delete();
}

void TFormZakazky::TabChanged()
{
    const int tab = pcZakazky->currentIndex();
    TDMOdbyt &dm = *DMOdbyt;
    // The lookups are open only while their tab is shown.
    if (tab == 1)
        dm.QCOdberatelovLookup.Open();
    else
        dm.QCOdberatelovLookup.Close();
    if (tab == 2)
        dm.QZakZml.Open();
    else
        dm.QZakZml.Close();
    if (tab == 3)
        dm.QvEDListyLookup.Open();
    else
        dm.QvEDListyLookup.Close();
}

void ShowOrders()
{
    FormOnDemand(FormZakazky).ShowModal();
}
