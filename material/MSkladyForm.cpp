#include "MSkladyForm.h"

#include "DMMTZ.h"
#include "MPohybDForm.h"
#include "FormActions.h"
#include "MTZSql.h"
#include "MaterialRules.h"
#include "MaterialPrints.h"
#include "shell/DMZal.h"
#include "shell/QQueryForm.h"
#include "shell/Routines.h"
#include "library/SqlLiteral.h"
#include "library/xDBFilter.h"
#include "library/xDBGrid.h"
#include "library/xDBImage.h"
#include "library/xForm.h"
#include "platform/os/Clock.h"
#include "platform/ui/DBControls.h"
#include "platform/ui/Guarded.h"

#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

TFormGlobal<TMSkladyForm> MSkladyForm{"MSkladyForm"};

namespace {

const QString OrderStore = QStringLiteral("MSKLADY.SKLAD, MSKLADY.C_POL");
const QString OrderItem = QStringLiteral("POLOZKY.C_POL");
const QString OrderType = QStringLiteral("TYP2, POLOZKY.C_POL");
const QString OrderName = QStringLiteral("NAZOV, ROZMER");

const QString ExportDueBy = QStringLiteral(
    "exists(select * from MPohyby where sklad=MSklady.sklad and c_pol=MSklady.c_pol and datum2 between 'now' and ?)");

} // namespace

TMSkladyForm::TMSkladyForm(QWidget *owner) : TBrowseForm(owner)
{
    MSkladyForm = this;
    setObjectName(QStringLiteral("MSkladyForm"));
    setWindowTitle(QStringLiteral("Sklady"));
    resize(900, 640);
    TDataSource *stock = &DMMTZ->DSvMSklady;
    QVBoxLayout *layout = Column;

    auto *filters = new QHBoxLayout;
    auto filterEdit = [&](const QString &caption, const QString &where, const QString &order) {
        auto *e = new TxDBFilterEdit(this);
        e->DataSource = stock;
        e->SQLWhere = where;
        e->Tag = 1;
        e->setPlaceholderText(caption);
        if (!order.isEmpty())
            e->installEventFilter(new TFocusAction(this, QEvent::FocusIn, [this, order] { Reorder(order); }));
        filters->addWidget(e);
        return e;
    };
    eSklad = filterEdit(QString::fromUtf8("č.Skladu"), QStringLiteral("MSklady.SKLAD=?"), OrderStore);
    ePolozka = filterEdit(QString::fromUtf8("č.Položky"), QStringLiteral("MSklady.C_POL like '%?%'"), OrderItem);
    eTyp = filterEdit(QStringLiteral("Typ"), QStringLiteral("TYP2=?"), OrderType);
    eNazov = filterEdit(QString::fromUtf8("Názov"), QStringLiteral("NAZOV like '%?%'"), OrderName);
    eRozmer = filterEdit(QStringLiteral("Rozmery"), QStringLiteral("ROZMER like '%?%'"), QString());
    layout->addLayout(filters);
    cbFilter = new TxDBFilterCombo(this);
    cbFilter->DataSource = stock;
    cbFilter->SetCaption(QString::fromUtf8("Ďaľší výber :"));
    TStringList items;
    items.SetText(
        QString::fromUtf8("Všetko=MSklady.c_pol>''\n"
                          "Položky so zásobou=mnozstvo<>0\n"
                          "Majiteľ=majitel like '?%' or c_odb=#\n"
                          "Odberateľ...=MSklady.c_pol in (select komod from vZakazkyD where odberatel like '?%')\n"
                          "IČO=c_odb in (select c_odb from COdberatelov where ICO=# or c_odb=#)\n"
                          "Poznámka=popis like '%?%'\n"
                          "Regál=pozicia1 like '?%'\n"
                          "Náradie vo výrobe=mnoz_vydv<>0\n"
                          "Náradie na oprave=mnoz_vydo<>0\n"
                          "Nutný vývoz do ...=") +
        ExportDueBy);
    cbFilter->SetSQLItems(items);
    // The export date is read as the user writes dates and written as a date; no date finds nothing.
    cbFilter->BeforeFilter = [this, items](QObject *, QString &filter) {
        if (cbFilter->ItemIndex() == items.Count() - 1) {
            filter.clear();
            AddFilterCondition(filter, ExportDueBy, cbFilter->ValueEdit->text(), ftDate);
        }
    };
    layout->addWidget(cbFilter);

    auto *splitter = new QSplitter(Qt::Vertical, this);
    layout->addWidget(splitter);
    Grid = MakeGrid<TxDBGrid>(nullptr, stock,
                              {{"SKLAD", "č.Skladu"},
                               {"C_POL", "č.Položky"},
                               {"TYP2", "Typ"},
                               {"NAZOV", "Názov"},
                               {"ROZMER", "Rozmery"},
                               {"MNOZSTVO", "Množstvo"},
                               {"MJ", "MJ"},
                               {"CENA_NAKL", "Cena/MJ"}},
                              splitter);
    Grid->SetTitleClickToOrderBy(true);
    Grid->OnBeforeOrderBy = [](TxCustomDBGrid *, QString &fieldName) {
        const QString f = fieldName.toUpper();
        if (f == QLatin1String("SKLAD"))
            fieldName = OrderStore;
        else if (f == QLatin1String("C_POL"))
            fieldName = OrderItem;
        else if (f == QLatin1String("TYP2"))
            fieldName = OrderType;
    };

    Tabs = new QTabWidget(splitter);
    tsMaterial = new QWidget;
    QFormLayout *details = AddRecordTexts(tsMaterial, stock,
                                          {{"POZICIA1", "Regál"},
                                           {"POZICIA2", "Polica"},
                                           {"POZICIA3", "Priečinok"},
                                           {"FREE1", "Voľné 1"},
                                           {"FREE2", "Voľné 2"},
                                           {"FREE3", "Voľné 3"},
                                           {"CENA_NAKL", "Cena"},
                                           {"MNOZSTVO", "Zásoba"},
                                           {"MNOZ_VYDV", "Vo výrobe"},
                                           {"MNOZ_VYDO", "Na oprave"},
                                           {"MAJITEL", "Majiteľ"}});
    ObrazokMaterial = new TxDBImage(tsMaterial);
    ObrazokMaterial->setObjectName(QStringLiteral("ObrazokMaterial"));
    ObrazokMaterial->SetDataSource(stock);
    ObrazokMaterial->SetDataField(QStringLiteral("OBRAZOK"));
    details->addRow(QString::fromUtf8("Obrázok"), ObrazokMaterial);
    Tabs->addTab(tsMaterial, QString::fromUtf8("Materiál"));

    tsKokila = new QWidget;
    auto *kokila = new QVBoxLayout(tsKokila);
    KokilaGrid = MakeGrid<TxDBGrid>(nullptr, &DMMTZ->DSPolozkyKokily, {}, tsKokila);
    btnVyuzitie = GuardedButton(QString::fromUtf8("Využitie nástroja"), this, [this] { ToolUsage(); });
    kokila->addWidget(KokilaGrid);
    kokila->addWidget(btnVyuzitie);
    Tabs->addTab(tsKokila, QStringLiteral("Kokila/Model"));

    tsPohyby = new QWidget;
    auto *pohyby = new QVBoxLayout(tsPohyby);
    PohybyGrid = MakeGrid<TxDBGrid>(nullptr, &DMMTZ->DSMPohyby,
                                    {{"DATUM", "Dátum"},
                                     {"SKLAD", "Sklad"},
                                     {"TYP_POHYBU", "Typ"},
                                     {"C_DOKLADU", "č.Dokladu"},
                                     {"MNOZSTVO", "Množstvo"},
                                     {"CENA_NAKL", "Cena"},
                                     {"STREDISKO", "Str."},
                                     {"C_INT", "č.Zakazky"},
                                     {"POZNAMKA", "Poznámka"}},
                                    tsPohyby);
    PohybyGrid->OnDblClick = [this](TDBGrid *) { Guarded([this] { EditMovement(); }); };
    auto *movementButtons = new QHBoxLayout;
    btnNovyPohyb = AddButton(movementButtons, "Nový", [this] { NewMovement(); });
    btnOpravPohyb = AddButton(movementButtons, "Oprav", [this] { EditMovement(); });
    btnZmazPohyb = AddButton(movementButtons, "Zmaž", [this] { DeleteMovement(); });
    movementButtons->addStretch();
    pohyby->addWidget(PohybyGrid);
    pohyby->addLayout(movementButtons);
    PohybyMenu = AddMovementMenu(PohybyGrid);
    Tabs->addTab(tsPohyby, QStringLiteral("&Pohyby"));

    QWidget **sqlTabs[] = {&tsObjednavky, &tsVyrobky, &tsZakazky};
    const char *sqlTitles[] = {"Objednávky", "&Výrobky", "Zákazky"};
    for (int i = 0; i < 3; ++i) {
        *sqlTabs[i] = new QWidget;
        auto *l = new QVBoxLayout(*sqlTabs[i]);
        DetailGrid[i] = MakeGrid<TxDBGrid>(nullptr, nullptr, {}, *sqlTabs[i]);
        if (i == 1) {
            ObrazokVyrobku = new TxDBImage(*sqlTabs[i]);
            ObrazokVyrobku->setObjectName(QStringLiteral("ObrazokVyrobku"));
            ObrazokVyrobku->SetDataField(QStringLiteral("OBRAZOK"));
            auto *products = new QHBoxLayout;
            products->addWidget(DetailGrid[i], 3);
            products->addWidget(ObrazokVyrobku, 2);
            l->addLayout(products);
        } else {
            l->addWidget(DetailGrid[i]);
        }
        Tabs->addTab(*sqlTabs[i], QString::fromUtf8(sqlTitles[i]));
    }
    lSpolu = new QLabel(tsZakazky);
    tsZakazky->layout()->addWidget(lSpolu);
    connect(Tabs, &QTabWidget::currentChanged, this, [this](int index) { Guarded([this, index] { ShowTab(index); }); });

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    BtnTlac = AddButton(buttons, "Tlač", [this] { Print(); });
    BtnKoniec = AddCloseButton(buttons, "&Koniec");
    layout->addLayout(buttons);

    // A new stock row shows its details on the open tab.
    DMMTZ->QvMSklady.AfterScroll = [this](TDataSet *) {
        if (isVisible() && Tabs->currentIndex() > 0)
            Guarded([this] { ShowTab(Tabs->currentIndex()); });
    };
    OnClose = [this](TCloseAction &) { Guarded([this] { CloseDetails(); }); };
}

TMSkladyForm::~TMSkladyForm()
{
    if (DMMTZ)
        DMMTZ->QvMSklady.AfterScroll = nullptr;
    if (MSkladyForm == this)
        MSkladyForm = nullptr;
}

void TMSkladyForm::Reorder(const QString &order)
{
    TxQuery &q = DMMTZ->QvMSklady;
    if (q.GetOrderBy().trimmed().compare(order, Qt::CaseInsensitive) == 0)
        return;
    const bool active = q.Active();
    q.Close();
    q.SetOrderBy(order);
    if (active)
        q.Open();
}

void TMSkladyForm::CloseDetails()
{
    TxQuery &q1 = DMZal->Query1;
    q1.Close();
    q1.SetDataSource(nullptr);
    for (TxDBGrid *g : DetailGrid)
        g->SetDataSource(nullptr);
    ObrazokVyrobku->SetDataSource(nullptr);
    DMMTZ->QPolozkyKokily.Close();
    DMMTZ->QMPohyby.Close();
}

void TMSkladyForm::ShowTab(int index)
{
    CloseDetails();
    TxQuery &stock = DMMTZ->QvMSklady;
    if (!stock.Active() || stock.IsEmpty())
        return;
    const QString item = stock.FieldByName(QStringLiteral("C_POL"))->AsString().trimmed();
    QWidget *page = Tabs->widget(index);
    if (page == tsKokila) {
        DMMTZ->QPolozkyKokily.SetFilterAndOpen(QStringLiteral("C_POL=") + SqlLiteral(item));
    } else if (page == tsPohyby) {
        TxTable &m = DMMTZ->QMPohyby;
        m.Close();
        m.SetIndexFieldNames(QStringLiteral("C_POL;SKLAD;DATUM DESC"));
        m.SetFilterAndOpen(
            QStringLiteral("C_POL=%1 and SKLAD=%2")
                .arg(SqlLiteral(item), SqlLiteral(stock.FieldByName(QStringLiteral("SKLAD"))->AsString())));
    } else {
        const int i = page == tsObjednavky ? 0 : page == tsVyrobky ? 1 : page == tsZakazky ? 2 : -1;
        if (i < 0)
            return;
        const QString sql[] = {MTZSql::ItemOrdersSql, MTZSql::ItemUsedInSql, MTZSql::ItemJobsSql};
        TxQuery &q1 = DMZal->Query1;
        q1.SQL().SetText(sql[i]);
        q1.SetDataSource(&DMMTZ->DSvMSklady);
        q1.Open();
        DMMTZ->SetMaterialTitles(&q1);
        TDataSource *rows = FindDataSource(&q1) ? FindDataSource(&q1) : GetDataSource(&q1);
        DetailGrid[i]->SetDataSource(rows);
        if (i == 1)
            ObrazokVyrobku->SetDataSource(rows);
        if (i == 2) {
            double made = 0, handed = 0;
            for (q1.First(); !q1.Eof(); q1.Next()) {
                made += q1.FieldByName(QStringLiteral("MNOZ_VYR"))->AsFloat();
                handed += q1.FieldByName(QStringLiteral("ODVEDENE"))->AsFloat();
            }
            q1.First();
            lSpolu->setText(QStringLiteral("Spolu %1   %2").arg(made).arg(handed));
        }
    }
}

void TMSkladyForm::ToolUsage()
{
    TxQuery &stock = DMMTZ->QvMSklady;
    if (!stock.Active() || stock.IsEmpty())
        return;
    ShowSqlConsole(MTZSql::ToolUsage(stock.FieldByName(QStringLiteral("C_POL"))->AsString().trimmed()),
                   QString::fromUtf8("Využitie nástroja"));
}

void TMSkladyForm::Print()
{
    TxQuery &stock = DMMTZ->QvMSklady;
    const int choice =
        ChooseOption(QString::fromUtf8("Skladový súpis so zásobou,Skladový súpis,Skladovú kartu,Kartu náradia"),
                     QString::fromUtf8("Tlačiť"));
    const QString item = stock.Active() && !stock.IsEmpty()
                             ? stock.FieldByName(QStringLiteral("C_POL"))->AsString().trimmed()
                             : QString();
    switch (choice) {
    case 1:
        PrintStockInventory(true);
        break;
    case 2:
        PrintStockInventory(false);
        break;
    case 3:
        if (!item.isEmpty())
            PrintStockCard(item);
        break;
    case 4:
        if (!item.isEmpty())
            PrintToolCard(item);
        break;
    default:
        break;
    }
}

void TMSkladyForm::NewMovement()
{
    if (DMMTZ->QMPohyby.Active() == false)
        Tabs->setCurrentWidget(tsPohyby);
    TxQuery &stock = DMMTZ->QvMSklady;
    TxTable &m = DMMTZ->QMPohyby;
    m.Append();
    if (stock.Active() && !stock.IsEmpty()) {
        m.FieldByName(QStringLiteral("C_POL"))->SetValue(stock.FieldByName(QStringLiteral("C_POL"))->Value());
        m.FieldByName(QStringLiteral("SKLAD"))->SetValue(stock.FieldByName(QStringLiteral("SKLAD"))->Value());
    }
    EditStockMovement();
}

void TMSkladyForm::EditMovement()
{
    TxTable &m = DMMTZ->QMPohyby;
    if (!m.Active() || m.IsEmpty())
        return;
    m.Edit();
    EditStockMovement();
}

void TMSkladyForm::DeleteMovement()
{
    TxTable &m = DMMTZ->QMPohyby;
    if (m.Active() && !m.IsEmpty())
        m.Delete();
}

void ShowStores(const QString &storeType)
{
    if (!MSkladyForm)
        new TMSkladyForm;
    TMSkladyForm *f = MSkladyForm;
    f->StoreType = storeType;
    f->setWindowTitle(storeType == QLatin1String("M")   ? QString::fromUtf8("Sklady materiálu")
                      : storeType == QLatin1String("N") ? QString::fromUtf8("Sklady nástrojov")
                                                        : QStringLiteral("Sklady"));
    DMMTZ->OpenStockAsOfDate(storeType, Date());
    f->Tabs->setCurrentIndex(0);
    struct Close {
        TMSkladyForm *f;
        ~Close()
        {
            Guarded([this] {
                f->CloseDetails();
                DMMTZ->QvMSklady.Close();
            });
        }
    } close{f};
    f->ShowModal();
}
