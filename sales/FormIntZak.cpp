#include "FormIntZak.h"

#include "DMOdbyt.h"
#include "InternalOrderFilter.h"
#include "OrderDocuments.h"
#include "QRPlanZak.h"
#include "library/QTlacForm.h"
#include "library/xDBGrid.h"
#include "shell/CisOdbForm.h"
#include "shell/CisPolForm.h"
#include "shell/DMZal.h"
#include "shell/MenuHooks.h"
#include "shell/RoutineNames.h"
#include "shell/Routines.h"
#include "platform/os/Clock.h"
#include "platform/os/Format.h"
#include "platform/os/Strings.h"
#include "platform/ui/BitBtn.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FormGlobal.h"
#include "platform/ui/Guarded.h"
#include "platform/ui/MaskEdit.h"
#include "platform/ui/PickLink.h"
#include "platform/ui/RadioGroup.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QRegularExpressionValidator>
#include <QTabWidget>
#include <QTableWidget>

TFormGlobal<TFormIntZak> FormIntZak{"FormIntZak"};

namespace {

const char *const DateMask = "90/90/00;1;_";
const char *const ShortDate = "dd/mm/yy";

const char *const Sorts[] = {"Termíny", "Odberatelia", "Výrobky"};
const char *const SortOrders[] = {"termin DESC", "c_odb, c_vyr", "c_vyr, c_odb"};
const char *const Views[] = {"Nezaplánované",      "Rozpracované", "Odvedené",   "Najbližšie 2 týždne",
                             "Posledné 3 mesiace", "len Sklzy",    "Odvedené ?", "Ukončené ?"};
const char *const States[] = {"",
                              "  1 Vystavená",
                              "  3 Tlačená",
                              "  5 Potvrdená",
                              " 30 Zaplánovaná",
                              " 40 Rozpracovaná",
                              " 50 Operácia EXP",
                              " 90 Odvedená",
                              "100 Ukončená",
                              "101 Stornovaná"};
enum TPrintEntry { peInternalOrder, peJobTicket, pePlan, peOverdue, peHandOvers, peMaterialRequests };
const char *const PrintEntries[] = {"Interná objednávka",       "Sprievodka",
                                    "Plán obchodu na obdobie",  "Sklzy obchodu (nastaví Filter)",
                                    "Odvody výroby za obdobie", "Požiadavky na materiál >>"};
const int OverdueView = 5;
const char *const CapacityColumns[] = {"pracovisko", "profesia", "operacia"};
const char *const CapacityItems[] = {"Pracoviská", "Profesie", "Operácie"};

QString u(const char *text)
{
    return QString::fromUtf8(text);
}

QString shortDate(const QDate &date)
{
    return FormatDateTime(QLatin1String(ShortDate), date);
}

} // namespace

TFormIntZak::TFormIntZak(QWidget *owner) : TtIntZakForm(owner)
{
    TrackGlobal(this, FormIntZak);
    setObjectName(QStringLiteral("FormIntZak"));
    setWindowTitle(u("Interné Objednávky/Zákazky"));
    resize(900, 640);
    TDMOdbyt &dm = *DMOdbyt;
    auto *top = static_cast<QVBoxLayout *>(Panel1->layout());

    // The sort, the views and the totals above the list.
    auto *bar = new QHBoxLayout;
    bar->addWidget(new QLabel(u("Triedenie"), Panel1));
    cbTriedenie = new QComboBox(Panel1);
    cbTriedenie->setObjectName(QStringLiteral("cbTriedenie"));
    for (const char *s : Sorts)
        cbTriedenie->addItem(u(s));
    bar->addWidget(cbTriedenie);
    bar->addWidget(new QLabel(u("Pohľad"), Panel1));
    cbPohlad = new QComboBox(Panel1);
    cbPohlad->setObjectName(QStringLiteral("cbPohlad"));
    for (const char *v : Views)
        cbPohlad->addItem(u(v));
    cbPohlad->setCurrentIndex(-1);
    bar->addWidget(cbPohlad);
    bar->addStretch();
    const auto total = [&](const char *caption, const char *name) {
        bar->addWidget(new QLabel(u(caption), Panel1));
        auto *l = new QLabel(Panel1);
        l->setObjectName(QLatin1String(name));
        QFont bold = l->font();
        bold.setBold(true);
        l->setFont(bold);
        bar->addWidget(l);
        return l;
    };
    LabelCount = total("Počet zakaziek", "LabelCount");
    LabelCelkovaVaha = total("Celková váha", "LabelCelkovaVaha");
    LabelCelkovaCena = total("Celková cena", "LabelCelkovaCena");
    top->addLayout(bar);

    auto *row = new QHBoxLayout;
    DBGridZakazkyD = new TxDBGrid(Panel1);
    DBGridZakazkyD->setObjectName(QStringLiteral("DBGridZakazkyD"));
    DBGridZakazkyD->SetDataSource(&dm.DSvZakazkyDKalk);
    DBGridZakazkyD->SetReadOnly(true);
    DBGridZakazkyD->SetTitleClickToOrderBy(true);
    for (const auto &[field, title] : QList<QPair<const char *, const char *>>{{"C_OBJ", "Objednávka"},
                                                                               {"C_INT", "č.Zákazky"},
                                                                               {"C_VYR", "č.Výrobku"},
                                                                               {"MNOZ_VYR", "Množstvo"},
                                                                               {"TERMIN", "Termín"},
                                                                               {"STAV_ZAK", "Stav"},
                                                                               {"ODBERATEL", "Odberateľ"},
                                                                               {"NAZOV", "Názov výrobku"}})
        DBGridZakazkyD->AddColumn(QLatin1String(field), u(title));
    DBGridZakazkyD->OnGetCellProp = [](TDBGrid *, TDataSet *ds, TField *, TCellFont &font, QColor &background, bool) {
        JobCellProp(ds, Date(), font, background);
    };
    DBGridZakazkyD->setContextMenuPolicy(Qt::CustomContextMenu);
    row->addWidget(DBGridZakazkyD, 1);

    pcFilter = new QTabWidget(Panel1);
    pcFilter->setObjectName(QStringLiteral("pcFilter"));
    pcFilter->setFixedWidth(290);
    row->addWidget(pcFilter);
    top->addLayout(row, 1);

    // ---- "Filter"
    TabSheetFilter = new QWidget;
    auto *grid = new QGridLayout(TabSheetFilter);
    int line = 0;
    const auto edit = [&](const char *caption, const char *name, int length, QLabel **label = nullptr) {
        auto *l = new QLabel(u(caption), TabSheetFilter);
        auto *e = new QLineEdit(TabSheetFilter);
        e->setObjectName(QLatin1String(name));
        e->setMaxLength(length);
        grid->addWidget(l, line, 0);
        grid->addWidget(e, line++, 1, 1, 3);
        if (label)
            *label = l;
        return e;
    };
    vC_VYR = edit("č.Výrobku", "vC_VYR", 20, &LabelC_VYR);
    connect(vC_VYR, &QLineEdit::textEdited, this, [this](const QString &t) {
        if (t != t.toUpper())
            vC_VYR->setText(t.toUpper());
    });
    vC_ODB = edit("č.Odberateľa", "vC_ODB", 6, &LabelC_ODB);
    vC_ODB->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("!?[0-9]*")), vC_ODB));
    vC_OBJ = edit("č.Objednávky", "vC_OBJ", 15);
    vC_INT = edit("č.Zákazky", "vC_INT", 7, &LabelC_INT);
    vC_INT->setValidator(NewOrderNoValidator(vC_INT));
    MakePickLink(LabelC_VYR, [this] { PickItemForEdit(vC_VYR, QLatin1Char('V')); });
    MakePickLink(LabelC_INT, [this] { PickItemForEdit(vC_VYR, QLatin1Char('V')); });
    MakePickLink(LabelC_ODB, [this] { PickCustomerForEdit(vC_ODB); });
    grid->addWidget(new QLabel(u("Materiál"), TabSheetFilter), line, 0);
    vMATERIAL = new QComboBox(TabSheetFilter);
    vMATERIAL->setObjectName(QStringLiteral("vMATERIAL"));
    vMATERIAL->setEditable(true);
    grid->addWidget(vMATERIAL, line++, 1, 1, 3);
    cbObdobie = new QCheckBox(u("Obdobie"), TabSheetFilter);
    cbObdobie->setObjectName(QStringLiteral("cbObdobie"));
    grid->addWidget(cbObdobie, line++, 0, 1, 4);
    vOd = new TMaskEdit(TabSheetFilter);
    vOd->setObjectName(QStringLiteral("vOd"));
    vOd->SetEditMask(QLatin1String(DateMask));
    vDo = new TMaskEdit(TabSheetFilter);
    vDo->setObjectName(QStringLiteral("vDo"));
    vDo->SetEditMask(QLatin1String(DateMask));
    grid->addWidget(vOd, line, 1);
    grid->addWidget(new QLabel(QStringLiteral("-"), TabSheetFilter), line, 2);
    grid->addWidget(vDo, line++, 3);
    cbSklzy = new QCheckBox(u("Zahrnúť aj sklzy"), TabSheetFilter);
    cbSklzy->setObjectName(QStringLiteral("cbSklzy"));
    cbSklzy->setChecked(true);
    vOd->setEnabled(false);
    grid->addWidget(cbSklzy, line++, 0, 1, 4);
    grid->addWidget(new QLabel(u("Stav zákazky"), TabSheetFilter), line, 0);
    vSTAV_ZAK = new QComboBox(TabSheetFilter);
    vSTAV_ZAK->setObjectName(QStringLiteral("vSTAV_ZAK"));
    for (const char *s : States)
        vSTAV_ZAK->addItem(u(s));
    grid->addWidget(vSTAV_ZAK, line++, 1, 1, 3);
    cbReklamacie = new QCheckBox(u("len Reklamácie"), TabSheetFilter);
    cbReklamacie->setObjectName(QStringLiteral("cbReklamacie"));
    grid->addWidget(cbReklamacie, line++, 0, 1, 4);
    auto *filterButton = new TButton(u("&Filter"), TabSheetFilter);
    filterButton->SetDefault(true);
    btnFilter = filterButton;
    btnFilter->setObjectName(QStringLiteral("btnFilter"));
    grid->addWidget(btnFilter, line++, 1, 1, 3);
    grid->setRowStretch(line, 1);
    pcFilter->addTab(TabSheetFilter, u("Filter"));

    // ---- "Tlač"
    TabSheetTlac = new QWidget;
    auto *printLayout = new QVBoxLayout(TabSheetTlac);
    ListBoxTlac = new QListWidget(TabSheetTlac);
    ListBoxTlac->setObjectName(QStringLiteral("ListBoxTlac"));
    for (const char *entry : PrintEntries)
        ListBoxTlac->addItem(u(entry));
    ListBoxTlac->setCurrentRow(0);
    printLayout->addWidget(ListBoxTlac);
    auto *printButton = new TButton(u("&Tlač"), TabSheetTlac);
    printButton->SetDefault(true);
    btnTlac = printButton;
    btnTlac->setObjectName(QStringLiteral("btnTlac"));
    printLayout->addWidget(btnTlac);
    pcFilter->addTab(TabSheetTlac, u("Tlač"));

    // ---- "Kapacity"
    TabSheetKapacity = new QWidget;
    auto *capacityLayout = new QVBoxLayout(TabSheetKapacity);
    rgKapacity = new TRadioGroup(TabSheetKapacity);
    rgKapacity->setObjectName(QStringLiteral("rgKapacity"));
    rgKapacity->setTitle(u("Pohľad"));
    QStringList capacityItems;
    for (const char *item : CapacityItems)
        capacityItems << u(item);
    rgKapacity->SetItems(capacityItems);
    rgKapacity->SetItemIndex(0);
    capacityLayout->addWidget(rgKapacity);
    sgKapacity = new QTableWidget(TabSheetKapacity);
    sgKapacity->setObjectName(QStringLiteral("sgKapacity"));
    sgKapacity->setColumnCount(2);
    sgKapacity->setRowCount(1);
    sgKapacity->horizontalHeader()->hide();
    sgKapacity->verticalHeader()->hide();
    sgKapacity->setEditTriggers(QAbstractItemView::NoEditTriggers);
    capacityLayout->addWidget(sgKapacity, 1);
    auto *hours = new QHBoxLayout;
    hours->addWidget(new QLabel(u("Celkové normohodiny"), TabSheetKapacity));
    LabelCelkoveNHod = new QLabel(TabSheetKapacity);
    LabelCelkoveNHod->setObjectName(QStringLiteral("LabelCelkoveNHod"));
    hours->addWidget(LabelCelkoveNHod);
    capacityLayout->addLayout(hours);
    pcFilter->addTab(TabSheetKapacity, u("Kapacity"));

    // ---- the list's pop-up menu
    popupIntZak = new QMenu(this);
    popupIntZak->setObjectName(QStringLiteral("popupIntZak"));
    const auto item = [this](const char *caption, const char *name, std::function<void()> run) {
        QAction *a = AddGuardedAction(popupIntZak, u(caption), std::move(run));
        a->setObjectName(QLatin1String(name));
        return a;
    };
    item("Filter", "Filter1", [this] { btnFilterClick(); });
    mnuJeOdv = item("Je Odvedená !", "mnuJeOdv", [this] { MarkCurrent(false); });
    mnuJeUko = item("Je Ukončená !", "mnuJeUko", [this] { MarkCurrent(true); });
    popupIntZak->addSeparator();
    item("Tlač Int. objednávku", "TlacIntObj", [this] {
        ListBoxTlac->setCurrentRow(peInternalOrder);
        btnTlacClick();
    });
    item("Tlač Sprievodku", "TlacSprievodku", [this] {
        ListBoxTlac->setCurrentRow(peJobTicket);
        btnTlacClick();
    });
    popupIntZak->addSeparator();
    item("Koniec", "Koniec1", [this] { Close(); });
    connect(DBGridZakazkyD, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { popupIntZak->popup(DBGridZakazkyD->viewport()->mapToGlobal(at)); });

    connect(btnFilter, &QPushButton::clicked, this, [this] { Guarded([this] { btnFilterClick(); }); });
    connect(btnTlac, &QPushButton::clicked, this, [this] { Guarded([this] { btnTlacClick(); }); });
    connect(ListBoxTlac, &QListWidget::itemDoubleClicked, this, [this] { Guarded([this] { btnTlacClick(); }); });
    connect(cbTriedenie, &QComboBox::activated, this, [this] { Guarded([this] { cbTriedenieChange(); }); });
    connect(cbPohlad, &QComboBox::activated, this, [this] { Guarded([this] { cbPohladChange(); }); });
    connect(cbSklzy, &QCheckBox::toggled, this, [this] { cbSklzyClick(); });
    connect(pcFilter, &QTabWidget::currentChanged, this, [this] {
        if (pcFilter->currentWidget() == TabSheetKapacity && isVisible())
            Guarded([this] { ShowCapacity(); });
    });
    rgKapacity->OnClick = [this] { Guarded([this] { ShowCapacity(); }); };

    // The list goes with the form: the next opening reads the jobs afresh.
    auto baseHide = OnHide;
    OnHide = [baseHide] {
        if (baseHide)
            baseHide();
        DMOdbyt->QvZakazkyDKalk.Close();
    };
}

TFormIntZak::~TFormIntZak()
{
    DetachGrids(this);
}

void TFormIntZak::JobCellProp(TDataSet *ds, const QDate &today, TCellFont &font, QColor &background)
{
    const int state = ds->FieldByName(QStringLiteral("STAV_ZAK"))->AsInteger();
    if (state < 100)
        font.setBold(true);
    if (ds->FieldByName(QStringLiteral("C_INT_RE"))->AsInteger() != 0)
        font.setItalic(true);
    if (state == 101) {
        font.Color = QColor(0x80, 0x80, 0x80);
        return;
    }
    if (state >= 100)
        return;
    const TField *due = ds->FieldByName(QStringLiteral("TERMIN"));
    if (due->IsNull())
        return;
    const QDate termin = due->AsDateTime().date();
    if (termin < today)
        background = QColor(0xFF, 0, 0);
    else if (termin < today.addDays(3))
        background = QColor(0xFF, 0xFF, 0);
}

TInternalOrderFilter TFormIntZak::filterOfControls() const
{
    TInternalOrderFilter f;
    f.JobNumber = JobFilter;
    f.JobText = vC_INT->text();
    f.Period = cbObdobie->isChecked();
    f.Overdue = cbSklzy->isChecked();
    f.From = vOd->Text();
    f.To = vDo->Text();
    f.Product = vC_VYR->text();
    f.Customer = vC_ODB->text();
    f.Order = vC_OBJ->text();
    f.Material = vMATERIAL->currentText();
    f.ComplaintsOnly = cbReklamacie->isChecked();
    f.State = vSTAV_ZAK->currentText();
    f.LowestState = LowestState;
    return f;
}

QString TFormIntZak::BuildFilter()
{
    PeriodText.clear();
    return filterOfControls().Where(&PeriodText);
}

void TFormIntZak::ApplyFilter(bool reopen)
{
    const QString where = BuildFilter();
    const bool wasOpen = DMOdbyt->QvZakazkyDKalk.Active();
    if (DMOdbyt->SetJobListWhere(where) && (wasOpen || reopen))
        ShowTotals();
}

void TFormIntZak::ShowTotals()
{
    double weight = 0, price = 0;
    DMOdbyt->JobListTotals(weight, price);
    LabelCelkovaVaha->setText(Format(QStringLiteral("%-.0n kg"), {weight}));
    LabelCelkovaCena->setText(FormatCurr(price));
    LabelCount->setText(QString::number(DMOdbyt->QvZakazkyDKalk.RecordCount()));
    if (pcFilter->currentWidget() == TabSheetKapacity)
        ShowCapacity();
}

void TFormIntZak::SetSort(const QString &order)
{
    DMOdbyt->SetJobListOrder(order);
}

void TFormIntZak::btnFilterClick()
{
    cbPohlad->setCurrentIndex(-1);
    ApplyFilter(true);
}

void TFormIntZak::cbTriedenieChange()
{
    const int i = cbTriedenie->currentIndex();
    SetSort(QLatin1String(i >= 0 && i < int(std::size(SortOrders)) ? SortOrders[i] : SortOrders[0]));
}

void TFormIntZak::cbPohladChange()
{
    const int view = cbPohlad->currentIndex();
    const QDate today = Date();
    const QString fixed = InternalOrderViewWhere(view);
    if (!fixed.isEmpty()) {
        DMOdbyt->SetJobListWhere(fixed);
    } else if (view >= 3 && view <= 5) {
        cbObdobie->setChecked(true);
        cbSklzy->setChecked(view != 4);
        vOd->SetText(shortDate(view == 3 ? today : view == 4 ? today.addMonths(-3) : today));
        vDo->SetText(shortDate(view == 3 ? today.addDays(14) : today));
        ApplyFilter(false);
    }
    if (!DMOdbyt->QvZakazkyDKalk.Active())
        ShowTotals();
}

void TFormIntZak::cbSklzyClick()
{
    vOd->setEnabled(!cbSklzy->isChecked());
    if (!vOd->isEnabled())
        vOd->SetText(vDo->Text());
}

int TFormIntZak::currentJob()
{
    TxQuery &q = DMOdbyt->QvZakazkyDKalk;
    if (!q.Active() || q.IsEmpty())
        return 0;
    return q.FieldByName(QStringLiteral("C_INT"))->AsInteger();
}

void TFormIntZak::refreshList()
{
    const int job = currentJob();
    DMOdbyt->QvZakazkyDKalk.Close();
    ShowTotals();
    if (job)
        DMOdbyt->QvZakazkyDKalk.Locate(QStringLiteral("C_INT"), job);
    DMOdbyt->RereadOrderItems();
}

void TFormIntZak::MarkCurrent(bool finished)
{
    const int job = currentJob();
    if (!job)
        return;
    if (finished ? MarkOrderFinished(job) : MarkOrderHandedOver(job))
        refreshList();
}

TQRPlanZak &TFormIntZak::planReport()
{
    if (!QRPlanZak)
        ownPlanReport_ = std::make_shared<TQRPlanZak>();
    return *QRPlanZak;
}

void TFormIntZak::printJobs(const QString &where)
{
    planReport().QRlObdobie->Caption = PeriodText;
    DMOdbyt->OpenJobsPrint(where);
    PrintReport(&planReport());
    DMZal->QTlac.Close();
}

void TFormIntZak::btnTlacClick()
{
    TModuleHooks &hooks = ModuleHooks();
    switch (ListBoxTlac->currentRow()) {
    case peInternalOrder:
        if (const int job = currentJob()) {
            PrintInternalOrder(job);
            refreshList();
        }
        break;
    case peJobTicket:
        if (const int job = currentJob()) {
            if (DMOdbyt->QvZakazkyDKalk.FieldByName(QStringLiteral("STAV_ZAK"))->AsInteger() >= 100)
                MessageBox(u("Zákazka je ukončená !"), u("Tlač sprievodky"), mtError, mbOK);
            else if (hooks.PrintJobTicket) {
                hooks.PrintJobTicket(job); // stores the job's batch
                DMOdbyt->RereadOrderItems();
            } else
                ShowNotAvailable();
        }
        break;
    case pePlan:
        // The printed period is the one of the jobs printed.
        printJobs(BuildFilter());
        break;
    case peOverdue:
        cbPohlad->setCurrentIndex(OverdueView);
        cbPohladChange();
        printJobs(BuildFilter());
        break;
    case peHandOvers:
        if (hooks.PrintHandOversOfPeriod)
            hooks.PrintHandOversOfPeriod(StrToDate(vOd->Text()), StrToDate(vDo->Text()));
        else
            ShowNotAvailable();
        break;
    case peMaterialRequests:
        CallOpenRoutine(QLatin1String(Routine::ShowMaterialRequests), {BuildFilter()});
        break;
    default:
        break;
    }
}

void TFormIntZak::ShowCapacity()
{
    const int group = rgKapacity->ItemIndex();
    const QString column = QLatin1String(CapacityColumns[group == 1 || group == 2 ? group : 0]);
    const QList<QPair<QString, double>> rows = DMOdbyt->JobHoursBy(column, BuildFilter());
    sgKapacity->clearContents();
    sgKapacity->setRowCount(int(rows.size()) + 1);
    sgKapacity->setItem(0, 0, new QTableWidgetItem(rgKapacity->Items().value(group)));
    sgKapacity->setItem(0, 1, new QTableWidgetItem(u("Normohodiny")));
    double sum = 0;
    for (int i = 0; i < rows.size(); ++i) {
        sgKapacity->setItem(i + 1, 0, new QTableWidgetItem(rows[i].first));
        auto *value = new QTableWidgetItem(FloatToStr(rows[i].second));
        value->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        sgKapacity->setItem(i + 1, 1, value);
        sum += rows[i].second;
    }
    LabelCelkoveNHod->setText(Format(QStringLiteral("%-.0n"), {sum}));
}

void TFormIntZak::Open(const QString &field, const QString &value)
{
    if (IsBlankDate(vOd->Text()))
        vOd->SetText(shortDate(Date()));
    if (IsBlankDate(vDo->Text()))
        vDo->SetText(shortDate(Date().addDays(10)));

    TStringList materials;
    DMZal->CMaterialov.FillListWithFilter(materials, QStringLiteral("MATERIAL"), QString());
    const QString typed = vMATERIAL->currentText();
    vMATERIAL->clear();
    vMATERIAL->addItems(materials.Lines());
    vMATERIAL->setCurrentText(typed);

    cbTriedenie->setCurrentIndex(0);
    SetSort(QLatin1String(SortOrders[0]));
    cbObdobie->setChecked(true);
    JobFilter = 0;
    LowestState = 1;
    for (QLineEdit *e : {vC_VYR, vC_ODB, vC_OBJ, vC_INT})
        e->clear();

    const QString f = field.trimmed().toUpper();
    if (f == QLatin1String("C_INT")) {
        JobFilter = StrToIntDef(value.trimmed(), 0);
        cbObdobie->setChecked(false);
    } else if (f == QLatin1String("C_OBJ")) {
        vC_OBJ->setText(value.trimmed());
        cbObdobie->setChecked(false);
    } else if (f == QLatin1String("C_VYR")) {
        vC_VYR->setText(value.trimmed());
        cbObdobie->setChecked(false);
    } else if (f == QLatin1String("STAV_ZAK")) {
        LowestState = StrToIntDef(value.trimmed(), 0);
    }

    // A date the user left unreadable is told, and the browser still opens to be mended.
    Guarded([this] {
        btnFilterClick();
        if (!DMOdbyt->QvZakazkyDKalk.Active())
            ShowTotals();
    });
    ItemDataSource = DBGridZakazkyD->DataSource();
    pcFilter->setCurrentIndex(0);
    pcInterneObjednavky->setCurrentIndex(0);
    ShowModal();
}

void ShowInternalOrders(const QString &field, const QString &value)
{
    FormOnDemand(FormIntZak).Open(field, value);
}
