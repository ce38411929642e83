#include "SVykonyForm.h"

#include "DMVyk.h"
#include "PerformanceBarcode.h"
#include "PerformanceOverview.h"
#include "ProductionWidgets.h"
#include "SVykQR1Rep.h"
#include "SVykonyZForm.h"
#include "library/GridReport.h"
#include "library/QTlacForm.h"
#include "shell/CisPolForm.h"
#include "shell/CisZakForm.h"
#include "shell/CisZamForm.h"
#include "shell/DMZal.h"
#include "shell/Routines.h"
#include "platform/os/Clock.h"
#include "platform/os/Format.h"
#include "platform/ui/DBControls.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DataSetModel.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FormGlobal.h"
#include "platform/ui/DateEdit.h"
#include "platform/ui/Guarded.h"
#include "platform/ui/MaskEdit.h"
#include "platform/ui/PickLink.h"
#include "platform/ui/RadioGroup.h"

#include <QBoxLayout>
#include <QAbstractButton>
#include <QChart>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

TFormGlobal<TSVykonyForm> SVykonyForm{"SVykonyForm"};

namespace {

TDBEdit *edit(QWidget *parent, QFormLayout *form, TDataSource *source, const char *fieldName, const char *caption)
{
    auto *e = new TDBEdit(parent);
    e->setObjectName(QStringLiteral("DBe") + QLatin1String(fieldName));
    e->SetDataSource(source);
    e->SetDataField(QString::fromLatin1(fieldName));
    form->addRow(QString::fromUtf8(caption), e);
    return e;
}

TDBText *text(QWidget *parent, QFormLayout *form, TDataSource *source, const char *fieldName, const char *caption)
{
    auto *t = new TDBText(parent);
    t->SetDataSource(source);
    t->SetDataField(QString::fromLatin1(fieldName));
    form->addRow(QString::fromUtf8(caption), t);
    return t;
}

bool editing(TDataSet &ds)
{
    return ds.State() == dsEdit || ds.State() == dsInsert;
}

// A whole-number edit of the mask's digits ("9999;0;_": up to four).
TMaskEdit *numberEdit(QWidget *parent, const char *name, const char *mask)
{
    auto *e = new TMaskEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->SetEditMask(QString::fromLatin1(mask));
    return e;
}

// A job-number edit: two digits of the year and four of the number, or the job as printed (26/0015).
QLineEdit *jobEdit(QWidget *parent, const char *name)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setValidator(NewOrderNoValidator(e, 6));
    return e;
}

// The text of a masked number edit without the unfilled places.
QString typed(const TMaskEdit *edit)
{
    return edit->Text().trimmed();
}

// Puts the focus into an edit as Tab would: its value selected, so the digits typed take its place, also when
// the focus arrives only as the form is active again after a question.
void enterEdit(QLineEdit *edit)
{
    edit->setFocus(Qt::TabFocusReason);
    edit->selectAll();
}

} // namespace

TSVykonyForm::TSVykonyForm(QWidget *owner) : TForm(owner)
{
    TrackGlobal(this, SVykonyForm);
    setWindowTitle(QString::fromUtf8("Výkony pracovníkov"));
    resize(900, 600);
    KeyPreview = true;
    auto *main = new QVBoxLayout(this);
    pcVykony = new QTabWidget(this);
    main->addWidget(pcVykony);
    tsZakazka = buildOrderPage();
    tsPracovnik = buildEmployeePage();
    pcVykony->addTab(tsZakazka, QString::fromUtf8("Vstup za &Zákazku"));
    pcVykony->addTab(tsPracovnik, QString::fromUtf8("Vstup za &Pracovníka"));
    tsPotvrdenie = buildConfirmationPage();
    pcVykony->addTab(tsPotvrdenie, QString::fromUtf8("Potvrdenie &množstva"));
    tsPrehlady = buildOverviewPage();
    pcVykony->addTab(tsPrehlady, QString::fromUtf8("Pre&hľady"));
    tsGraf = new QWidget;
    auto *chartLayout = new QVBoxLayout(tsGraf);
    DBChart1 = new TDBChart(tsGraf);
    DBChart1->setObjectName(QStringLiteral("DBChart1"));
    DBChart1->SetTitle(QString::fromUtf8("Výkony pracovníkov"));
    DBChart1->Chart()->legend()->hide();
    DBChart1->OnClick = [this] { pcVykony->setCurrentWidget(tsPrehlady); };
    chartLayout->addWidget(DBChart1);
    Series1.YValuesSource = QStringLiteral("MZDA");
    Series1.Title = QStringLiteral("Mzda");
    DSGraf.Name = QStringLiteral("DSGraf");
    DSGraf.SetDataSet(&DMVyk->QvSVykony);
    pcVykony->addTab(tsGraf, QStringLiteral("&Graf"));
    buildListMenu();
    vDatum2->SetDate(Date());
    const auto [from, to] = MonthBoundsStr(Date().addDays(-5));
    vDatumOd3->setText(from);
    vDatumDo3->setText(to);
    vDatumOd4->SetDate(StrToDate(from));
    vDatumDo4->SetDate(StrToDate(to));
    connect(pcVykony, &QTabWidget::currentChanged, this, [this] {
        Guarded([this] {
            pageChanging();
            pageShown();
        });
    });
    OnShow = [this] {
        // What the settings of section Vykony record: defects (with their causes) and worked hours.
        lZMATKY->setVisible(EvidovatZmatky);
        DBeZMATKY->setVisible(EvidovatZmatky);
        lOHOD->setVisible(EvidovatOHod);
        DBeOHOD->setVisible(EvidovatOHod);
        for (int i = 0; i < DBGridVykonyOp->ColumnCount(); ++i) {
            TColumn *c = DBGridVykonyOp->Columns(i);
            if (c->FieldName == QLatin1String("ZMATKY")) {
                c->Visible = EvidovatZmatky;
                c->ButtonStyle = ZmatkyPodrobne ? cbsEllipsis : cbsAuto;
            } else if (c->FieldName == QLatin1String("OSC")) {
                c->ButtonStyle = cbsEllipsis;
            }
        }
        for (int i = 0; i < DBGridPracovnik->ColumnCount(); ++i)
            if (DBGridPracovnik->Columns(i)->FieldName == QLatin1String("OHOD"))
                DBGridPracovnik->Columns(i)->Visible = EvidovatOHod;
        Guarded([this] {
            pageChanging();
            pageShown();
        });
    };
    // A booking typed or scanned and not saved is asked about as the form closes; Escape gives up the row
    // being typed first. The order entry's rows are made beforehand, one per operation: only those the user
    // gave an employee or a quantity are typed.
    SetUnsavedData({.Rows = {&DMVyk->QvSVykony},
                    .Save =
                        [this] {
                            if (editing(DMVyk->QvSVykony))
                                DMVyk->QvSVykony.Post();
                            if (orderEntryTyped())
                                WriteOrderEntry();
                        },
                    .Typed = [this] { return orderEntryTyped(); }});
    OnClose = [](TCloseAction &) {
        for (TDataSet *ds : std::initializer_list<TDataSet *>{&DMVyk->QvSVykony, &DMVyk->QSVykony, &DMVyk->QOperacie})
            ds->Close();
    };
}

TSVykonyForm::~TSVykonyForm()
{
    DetachGrids(this);
}

QWidget *TSVykonyForm::buildOrderPage()
{
    TDMVyk &dm = *DMVyk;
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    auto *top = new QHBoxLayout;
    auto *choice = new QGroupBox(QString::fromUtf8("Výber"), page);
    auto *choiceForm = new QFormLayout(choice);
    vC_INT1 = jobEdit(choice, "vC_INT1");
    vC_DAVKY1 = numberEdit(choice, "vC_DAVKY1", "999;0;_");
    choiceForm->addRow(QString::fromUtf8("Zákazka"), vC_INT1);
    choiceForm->addRow(QString::fromUtf8("Dávka"), vC_DAVKY1);
    connect(vC_DAVKY1, &QLineEdit::editingFinished, this, [this] { Guarded([this] { FillOrderEntry(); }); });
    top->addWidget(choice);
    auto *header = new QFormLayout;
    text(page, header, &dm.DSZakazky, "C_VYR", "č.Vyrobku");
    text(page, header, &dm.DSZakazky, "NAZOV", "Názov vyr.");
    text(page, header, &dm.DSZakazky, "C_OBJ", "č.Objed.");
    text(page, header, &dm.DSZakazky, "MNOZ_VYR", "Množstvo");
    top->addLayout(header);
    layout->addLayout(top);
    DBGridVykonyOp = MakeGrid(page, &dm.DSVykony,
                              {{"OPERACIA", "Operácia"},
                               {"OSC", "Os.č."},
                               {"MNOZSTVO", "MNOŽSTVO"},
                               {"ZMATKY", "ZMÄTKY"},
                               {"NORMA", "Norma"},
                               {"MZDA", "Mzda"},
                               {"DATUM", "Dátum"},
                               {"ZMENA", "Zm."}});
    DBGridVykonyOp->setObjectName(QStringLiteral("DBGridVykonyOp"));
    // Enter goes on to the next column, as Tab does: the employee, then his pieces.
    DBGridVykonyOp->OnKeyDown = [](int &key, Qt::KeyboardModifiers modifiers) {
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !(modifiers & Qt::ControlModifier))
            key = Qt::Key_Tab;
    };
    // The operation and what it pays are the job's; only the booking's own cells take typing.
    for (int i = 0; i < DBGridVykonyOp->ColumnCount(); ++i) {
        TColumn *c = DBGridVykonyOp->Columns(i);
        if (c->FieldName == QLatin1String("OPERACIA") || c->FieldName == QLatin1String("NORMA") ||
            c->FieldName == QLatin1String("MZDA"))
            c->ReadOnly = true;
    }
    // The employee's button picks an employee; the defects' button opens their causes.
    DBGridVykonyOp->OnEditButtonClick = [](TDBGrid *g) {
        Guarded([g] {
            TField *f = g->SelectedField();
            if (f && f->FieldName() == QLatin1String("ZMATKY"))
                ShowDefectBreakdown(&DMVyk->QSVykony, true);
            else if (PickEmployeeForField(DMVyk->QSVykony.FieldByName(QStringLiteral("OSC"))) &&
                     DMVyk->QSVykony.FieldByName(QStringLiteral("OSC"))->AsInteger() != 0)
                g->SetSelectedIndex(g->SelectedIndex() + 1);
        });
    };
    layout->addWidget(DBGridVykonyOp);
    auto *buttons = new QHBoxLayout;
    BtnRozdel = GuardedButton(QString::fromUtf8("&Rozdeľ"), page, buttons, [] { DMVyk->SplitOrderEntryRow(); });
    BtnZapisZak = GuardedButton(QString::fromUtf8("Z&apíš"), page, buttons, [this] { WriteOrderEntry(); });
    BtnZmazZak = GuardedButton(QString::fromUtf8("&Zmaž"), page, buttons, [this] { DeleteRow(); });
    buttons->addStretch();
    BtnKoniecZak = GuardedButton(QString::fromUtf8("&Koniec"), page, buttons, [this] { Close(); });
    layout->addLayout(buttons);
    DBGridVykonyZak = MakeGrid(page, &dm.DSvVykony1,
                               {{"OPERACIA", "Operácia"},
                                {"OSC", "Os.č."},
                                {"MNOZSTVO", "MNOŽSTVO"},
                                {"ZMATKY", "ZMÄTKY"},
                                {"MZDA", "Mzda"},
                                {"DATUM", "Dátum"},
                                {"ZMENA", "Zm."},
                                {"PRIEZVISKO", "Priezvisko"}});
    DBGridVykonyZak->setObjectName(QStringLiteral("DBGridVykonyZak"));
    layout->addWidget(DBGridVykonyZak);
    return page;
}

QWidget *TSVykonyForm::buildEmployeePage()
{
    TDMVyk &dm = *DMVyk;
    TDataSource *ds = &dm.DSvVykony2;
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    auto *choice = new QGroupBox(QString::fromUtf8("Výber"), page);
    auto *choiceLayout = new QHBoxLayout(choice);
    vDatum2 = new TDateEdit(choice);
    vDatum2->setObjectName(QStringLiteral("vDatum2"));
    vOSC2 = numberEdit(choice, "vOSC2", "9999;1;_");
    choiceLayout->addWidget(new QLabel(QString::fromUtf8("Dátum"), choice));
    choiceLayout->addWidget(vDatum2);
    choiceLayout->addWidget(new QLabel(QString::fromUtf8("Os.číslo"), choice));
    choiceLayout->addWidget(vOSC2);
    GuardedButton(QString::fromUtf8("&Výber"), choice, choiceLayout, [this] { ReloadEmployeeList(); });
    OnDateLeft(vDatum2, this, [this] { ReloadEmployeeList(); }); // leaving it reloads the list
    connect(vOSC2, &QLineEdit::editingFinished, this, [this] { Guarded([this] { ReloadEmployeeList(); }); });
    layout->addWidget(choice);
    DBGridPracovnik = MakeGrid(page, ds,
                               {{"DATUM", "Dátum"},
                                {"ZMENA", "Zm."},
                                {"OSC", "Os.č."},
                                {"C_INT", "č.Zakazky"},
                                {"OPERACIA", "Op."},
                                {"MNOZSTVO", "Množstvo"},
                                {"ZMATKY", "Zmätky"},
                                {"OHOD", "OHod."},
                                {"MZDA", "Mzda"},
                                {"PRIEZVISKO", "Priezvisko"},
                                {"C_VYR", "č.Výrobku"}});
    DBGridPracovnik->setObjectName(QStringLiteral("DBGridPracovnik"));
    DBGridPracovnik->OnDblClick = [](TDBGrid *) {
        Guarded([] {
            if (DMVyk->QvSVykony.State() == dsBrowse && !DMVyk->QvSVykony.IsEmpty())
                DMVyk->QvSVykony.Edit();
        });
    };
    layout->addWidget(DBGridPracovnik);
    auto *group = new QGroupBox(QString::fromUtf8("Výkon"), page);
    auto *groupLayout = new QHBoxLayout(group);
    auto *left = new QFormLayout;
    auto *right = new QFormLayout;
    groupLayout->addLayout(left);
    groupLayout->addLayout(right);
    DBeDATUM = edit(group, left, ds, "DATUM", "Dátum");
    DBeDATUM->setToolTip(QString::fromUtf8("Datum vykonu"));
    DBeZMENA = edit(group, left, ds, "ZMENA", "Zmena");
    DBeOSC = edit(group, left, ds, "OSC", "Os.číslo");
    DBeC_INT = edit(group, left, ds, "C_INT", "č.Zákazky");
    DBeC_DAVKY = edit(group, left, ds, "C_DAVKY", "č.Dávky");
    DBeC_OPERACIE = edit(group, left, ds, "C_OPERACIE", "č.Operácie");
    DBeMNOZSTVO = edit(group, right, ds, "MNOZSTVO", "MNOŽSTVO");
    DBeZMATKY = edit(group, right, ds, "ZMATKY", "ZMÄTKY");
    lZMATKY = qobject_cast<QLabel *>(right->labelForField(DBeZMATKY));
    DBeOHOD = edit(group, right, ds, "OHOD", "ODPR.HOD.");
    DBeOHOD->MaxLength = 5;
    lOHOD = qobject_cast<QLabel *>(right->labelForField(DBeOHOD));
    text(group, right, ds, "PRIEZVISKO", "Priezvisko");
    text(group, right, ds, "PROFESIA", "Profesia");
    text(group, right, ds, "OPERACIA", "Operácia");
    text(group, right, ds, "NORMA", "NORMA");
    text(group, right, ds, "NHOD", "NORM.HOD.");
    text(group, right, ds, "MZDA", "MZDA");
    connect(DBeOSC, &QLineEdit::editingFinished, this, [this] { Guarded([this] { employeeExit(); }); });
    for (QLineEdit *e : {static_cast<QLineEdit *>(DBeC_INT), static_cast<QLineEdit *>(DBeC_DAVKY)})
        connect(e, &QLineEdit::editingFinished, this, [this] { Guarded([this] { orderExit(); }); });
    for (QLineEdit *e : {static_cast<QLineEdit *>(DBeZMATKY), static_cast<QLineEdit *>(DBeOHOD)})
        connect(e, &QLineEdit::editingFinished, this, [] {
            Guarded([] {
                if (ZmatkyPodrobne && editing(DMVyk->QvSVykony))
                    ShowDefectBreakdown(&DMVyk->QvSVykony, false);
            });
        });
    layout->addWidget(group);
    auto *buttons = new QHBoxLayout;
    BtnNovy = GuardedButton(QString::fromUtf8("N&ový"), page, buttons, [this] { NewRow(); });
    BtnZapis2 = GuardedButton(QString::fromUtf8("Zapíš"), page, buttons, [this] { SaveRow(); });
    BtnNezapis2 = GuardedButton(QString::fromUtf8("Nezapíš"), page, buttons, [this] { CancelRow(); });
    BtnZmaz2 = GuardedButton(QString::fromUtf8("&Zmaž"), page, buttons, [this] { DeleteRow(); });
    buttons->addStretch();
    layout->addLayout(buttons);
    return page;
}

QWidget *TSVykonyForm::buildConfirmationPage()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    auto *filters = new QGroupBox(QStringLiteral("Vyber "), page);
    auto *row = new QHBoxLayout(filters);
    auto line = [&](QLineEdit *&edit, const char *name, const char *caption) {
        edit = new QLineEdit(filters);
        edit->setObjectName(QString::fromLatin1(name));
        auto *label = new QLabel(QString::fromUtf8(caption), filters);
        row->addWidget(label);
        row->addWidget(edit);
        return label;
    };
    // The period in two date edits: typed into their masks or chosen in their calendars.
    for (auto [edit, name, caption] :
         {std::tuple{&vDatumOd4, "vDatumOd4", "Obdobie"}, {&vDatumDo4, "vDatumDo4", "-"}}) {
        *edit = new TDateEdit(filters);
        (*edit)->setObjectName(QString::fromLatin1(name));
        row->addWidget(new QLabel(QString::fromUtf8(caption), filters));
        row->addWidget(*edit);
    }
    lC_INT4 = line(vC_INT4, "vC_INT4", "Zakazka");
    MakePickLink(lC_INT4, [this] { PickOrderForEdit(vC_INT4); });
    BtnFilter4 = GuardedButton(QString::fromUtf8("Filter"), filters, row, [this] { RefreshQuantityConfirmation(); });
    cbCeleOdvedeneZakazky = new QCheckBox(QString::fromUtf8("len celé Odvedené zákazky"), filters);
    row->addWidget(cbCeleOdvedeneZakazky);
    layout->addWidget(filters);
    cbDavky4 = new QCheckBox(QString::fromUtf8("Zobraziť jednotlivé dávky"), page);
    layout->addWidget(cbDavky4);
    DBgridPotvrdenie1 = new TDBGrid(page);
    DBgridPotvrdenie1->setObjectName(QStringLiteral("DBgridPotvrdenie1"));
    // A job's row of batch 0 (shown by batches) in fuchsia.
    DBgridPotvrdenie1->OnGetCellProp = [](TDBGrid *, TDataSet *ds, TField *, TCellFont &font, QColor &, bool) {
        TField *batch = ds->FindField(QStringLiteral("C_DAVKY"));
        if (batch && !batch->IsNull() && batch->AsInteger() == 0)
            font.Color = Qt::magenta;
    };
    DBgridPotvrdenie2 = new TDBGrid(page);
    DBgridPotvrdenie2->setObjectName(QStringLiteral("DBgridPotvrdenie2"));
    DBgridPotvrdenie2->OnDblClick = [this](TDBGrid *) {
        Guarded([this] {
            TxQuery *detail = GetQuery(QStringLiteral("QSVykony2"));
            if (detail->Active() && !detail->IsEmpty()) {
                eMNOZ_NEW->setText(QString::number(qint64(detail->FieldByName(QStringLiteral("MNOZSTVO"))->AsFloat())));
                eMNOZ_NEW->setFocus();
            }
        });
    };
    layout->addWidget(DBgridPotvrdenie1, 2);
    layout->addWidget(DBgridPotvrdenie2, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(QString::fromUtf8("Upraviť množstvo u všetkých operacií na :"), page));
    eMNOZ_NEW = new QLineEdit(page);
    eMNOZ_NEW->setObjectName(QStringLiteral("eMNOZ_NEW"));
    bottom->addWidget(eMNOZ_NEW);
    BtnZapis4 = GuardedButton(QString::fromUtf8("Zapíš"), page, bottom, [this] { WriteConfirmedQuantity(); });
    btnZapis4All = GuardedButton(QString::fromUtf8("Upraviť všetky zákazky"), page, bottom,
                                 [this] { WriteAllConfirmedQuantities(); });
    bottom->addWidget(new QLabel(QString::fromUtf8("Zmazať všetky storno výkony :"), page));
    BtnZmaz4 = GuardedButton(QString::fromUtf8("Zmaž"), page, bottom, [this] { DeleteStornoRows(); });
    BtnTlac4 = GuardedButton(QString::fromUtf8("Tlač"), page, bottom, [] {
        BuildGridReport(GetQuery(QStringLiteral("QSVykony1")), QString::fromUtf8("Vyhodnotenie výkonov"), 8);
    });
    layout->addLayout(bottom);
    return page;
}

TDMVyk::TConfirmation TSVykonyForm::confirmationFilter()
{
    // An empty period is the last two days.
    if (vDatumOd4->TypedText().isEmpty())
        vDatumOd4->SetDate(Date().addDays(-2));
    if (vDatumDo4->TypedText().isEmpty())
        vDatumDo4->SetDate(Date());
    TDMVyk::TConfirmation c;
    c.from = vDatumOd4->Date();
    c.to = vDatumDo4->Date();
    if (!c.from.isValid() || !c.to.isValid())
        throw EDatabaseError(QString::fromUtf8("Dátum nie je platný !"));
    c.cInt = TypedOrderNo(vC_INT4->text());
    c.wholeJobs = cbCeleOdvedeneZakazky->isChecked();
    c.batches = cbDavky4->isChecked();
    return c;
}

void TSVykonyForm::RefreshQuantityConfirmation()
{
    BtnZapis4->setEnabled(cbCeleOdvedeneZakazky->isChecked());
    btnZapis4All->setEnabled(cbCeleOdvedeneZakazky->isChecked());
    DMVyk->OpenQuantityConfirmation(confirmationFilter());
    TxQuery *master = GetQuery(QStringLiteral("QSVykony1"));
    DBgridPotvrdenie1->SetDataSource(GetDataSource(master));
    DBgridPotvrdenie2->SetDataSource(GetDataSource(GetQuery(QStringLiteral("QSVykony2"))));
}

void TSVykonyForm::WriteConfirmedQuantity()
{
    const int confirmed = TypedNumber(eMNOZ_NEW->text(), QString::fromUtf8("Množstvo"));
    if (confirmed > 0)
        DMVyk->ConfirmCurrentJob(confirmed, confirmationFilter());
}

void TSVykonyForm::WriteAllConfirmedQuantities()
{
    if (!Confirm(QString::fromUtf8("Naozaj upraviť výkony na všetkých zobrazených zákazkách !?"),
                 QString::fromUtf8("Otázka")))
        return;
    TxQuery *master = GetQuery(QStringLiteral("QSVykony1"));
    const TDMVyk::TConfirmation c = confirmationFilter();
    for (master->First(); !master->Eof(); master->Next()) {
        const int dispatched = int(master->FieldByName(QString::fromUtf8("Expedované"))->AsFloat());
        eMNOZ_NEW->setText(QString::number(dispatched));
        DMVyk->ConfirmCurrentJob(dispatched, c);
    }
    eMNOZ_NEW->clear();
}

void TSVykonyForm::DeleteStornoRows()
{
    TxQuery *master = GetQuery(QStringLiteral("QSVykony1"));
    if (!master->Active() || master->IsEmpty())
        return;
    const TDMVyk::TConfirmation c = confirmationFilter();
    const int job = master->FieldByName(QStringLiteral("C_INT"))->AsInteger();
    const int answer = MessageDlg(QString::fromUtf8("Zmazať všetky storno výkony k zákazke ") + QString::number(job) +
                                      QStringLiteral("\r") + QString::fromUtf8("v období od ") + DateStr(c.from) +
                                      QStringLiteral(" do ") + DateStr(c.to) + QStringLiteral(" ?"),
                                  mtConfirmation, mbYes | mbNo | mbYesToAll);
    if (answer == mrYes)
        DMVyk->DeleteStornoRows(c.from, c.to, job);
    else if (answer == mrYesToAll)
        DMVyk->DeleteStornoRows(c.from, c.to, 0);
}

QWidget *TSVykonyForm::buildOverviewPage()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    auto *filters = new QGroupBox(QStringLiteral("Vyber "), page);
    auto *form = new QFormLayout(filters);
    const auto refreshOnLeave = [this](QLineEdit *edit) {
        connect(edit, &QLineEdit::editingFinished, this, [this] {
            Guarded([this] {
                if (DMVyk->DSvVykony3.Enabled())
                    RefreshPerformanceOverview();
            });
        });
    };
    auto line = [&](QLineEdit *edit, const char *caption) {
        auto *label = new QLabel(QString::fromUtf8(caption), filters);
        form->addRow(label, edit);
        refreshOnLeave(edit);
        return label;
    };
    vDatumOd3 = new QLineEdit(filters);
    vDatumOd3->setObjectName(QStringLiteral("vDatumOd3"));
    vDatumDo3 = new QLineEdit(filters);
    vDatumDo3->setObjectName(QStringLiteral("vDatumDo3"));
    vOSC3 = numberEdit(filters, "vOSC3", "9999;0;_");
    vC_INT3 = jobEdit(filters, "vC_INT3");
    vC_VYR3 = new QLineEdit(filters);
    vC_VYR3->setObjectName(QStringLiteral("vC_VYR3"));
    line(vDatumOd3, "Obdobie od");
    line(vDatumDo3, "do");
    lOSC3 = line(vOSC3, "Os.číslo");
    lC_INT3 = line(vC_INT3, "Zákazka");
    lC_VYR3 = line(vC_VYR3, "Výrobok");
    MakePickLink(lOSC3, [this] { PickEmployeeForEdit(vOSC3); });
    MakePickLink(lC_INT3, [this] { PickOrderForEdit(vC_INT3); });
    MakePickLink(lC_VYR3, [this] { PickItemForEdit(vC_VYR3, QLatin1Char('V')); });
    // The operation code typed (three characters at most) or the dispatch chosen.
    vOPERACIA3 = new QComboBox(filters);
    vOPERACIA3->setObjectName(QStringLiteral("vOPERACIA3"));
    vOPERACIA3->setEditable(true);
    vOPERACIA3->setInsertPolicy(QComboBox::NoInsert);
    vOPERACIA3->addItem(QStringLiteral("EXP"));
    vOPERACIA3->lineEdit()->setMaxLength(3);
    vOPERACIA3->setCurrentIndex(-1);
    form->addRow(QString::fromUtf8("Operácia"), vOPERACIA3);
    refreshOnLeave(vOPERACIA3->lineEdit());
    connect(vOPERACIA3, &QComboBox::activated, this, [this] {
        Guarded([this] {
            if (DMVyk->DSvVykony3.Enabled())
                RefreshPerformanceOverview();
        });
    });
    vRV = new QCheckBox(QString::fromUtf8("Rozpracovaná výroba"), filters);
    form->addRow(QString(), vRV);
    rgPohlad = new TRadioGroup(filters);
    rgPohlad->setObjectName(QStringLiteral("rgPohlad"));
    rgPohlad->setTitle(QString::fromUtf8("Pohľad"));
    QStringList views;
    for (int i = 0; i < PerformanceViewCount; ++i)
        views << QString::fromLatin1(PerformanceView(i).caption);
    rgPohlad->SetItems(views);
    rgPohlad->SetItemIndex(0);
    rgPohlad->OnClick = [this] {
        Guarded([this] {
            if (DMVyk->DSvVykony3.Enabled())
                RefreshPerformanceOverview();
        });
    };
    // The filters and the views side by side, so the list keeps the height of the page for its rows.
    auto *choice = new QHBoxLayout;
    choice->addWidget(filters, 1);
    choice->addWidget(rgPohlad);
    layout->addLayout(choice);
    DBGridPrehlad = new TDBGrid(page);
    DBGridPrehlad->setObjectName(QStringLiteral("DBGridPrehlad"));
    DBGridPrehlad->SetDataSource(&DMVyk->DSvVykony3);
    layout->addWidget(DBGridPrehlad);
    auto *bottom = new QHBoxLayout;
    BtnFilter3 = GuardedButton(QString::fromUtf8("&Filter"), page, bottom, [this] { RefreshPerformanceOverview(); });
    BtnTlac3 = GuardedButton(QString::fromUtf8("&Tlač"), page, bottom, [this] { PrintOverview(); });
    BtnGraf3 = GuardedButton(QString::fromUtf8("&Graf"), page, bottom, [this] { pcVykony->setCurrentWidget(tsGraf); });
    bottom->addStretch();
    bottom->addWidget(new QLabel(QStringLiteral("Mzda spolu :"), page));
    EditMzdaSpolu = new QLineEdit(page);
    EditMzdaSpolu->setReadOnly(true);
    bottom->addWidget(EditMzdaSpolu);
    layout->addLayout(bottom);
    return page;
}

void TSVykonyForm::RefreshPerformanceOverview()
{
    TPerformanceFilter filter;
    filter.view = std::max(rgPohlad->ItemIndex(), 0);
    if (!TryStrToDate(vDatumOd3->text().trimmed(), filter.from) ||
        !TryStrToDate(vDatumDo3->text().trimmed(), filter.to))
        throw EDatabaseError(QString::fromUtf8("Dátum nie je platný !"));
    filter.workInProgress = vRV->isChecked();
    filter.osc = TypedNumber(typed(vOSC3), QString::fromUtf8("Os.číslo"));
    filter.cInt = TypedOrderNo(vC_INT3->text());
    filter.cVyr = vC_VYR3->text();
    filter.operacia = vOPERACIA3->currentText();
    const double sum = DMVyk->RefreshPerformanceOverview(filter);
    EditMzdaSpolu->setText(FormatFloat(QStringLiteral("# ##0.00"), sum).trimmed());
    if (SVykQR1Rep)
        SVykQR1Rep->SetView(filter.view);
}

void TSVykonyForm::PrepareOverview(const QDate &from, const QDate &to, int osc)
{
    vDatumOd3->setText(DateStr(from));
    vDatumDo3->setText(DateStr(to));
    vOSC3->SetText(QString::number(osc));
    vC_INT3->clear();
    vC_VYR3->clear();
    vOPERACIA3->setCurrentIndex(-1);
    vOPERACIA3->clearEditText();
    vRV->setChecked(false);
    rgPohlad->SetItemIndex(0);
    if (pcVykony->currentWidget() == tsPrehlady)
        RefreshPerformanceOverview();
    else
        pcVykony->setCurrentWidget(tsPrehlady);
}

void TSVykonyForm::ShowChart()
{
    // The chart reads the overview as it stands: it is opened again for the chosen view.
    RefreshPerformanceOverview();
    const int view = std::max(rgPohlad->ItemIndex(), 0);
    DBChart1->RemoveAllSeries();
    if (view == 4 || view == 7) {
        Series1.XLabelsSource = view == 4 ? QStringLiteral("OSC") : QStringLiteral("OPERACIA");
        Series1.SetDataSource(&DSGraf);
        DBChart1->AddSeries(&Series1);
    }
    DBChart1->RefreshData();
}

void TSVykonyForm::PrintOverview()
{
    if (!DMVyk->QvSVykony.Active())
        RefreshPerformanceOverview();
    TSVykQR1Rep *report = SVykQR1Rep;
    std::unique_ptr<TSVykQR1Rep> own;
    if (!report) {
        own = std::make_unique<TSVykQR1Rep>();
        report = own.get();
    }
    report->SetView(std::max(rgPohlad->ItemIndex(), 0));
    PrintReportWithDataSet(&report->Rep, &DMVyk->QvSVykony);
}

void TSVykonyForm::KeyDown(int &key, Qt::KeyboardModifiers modifiers)
{
    if (key == Qt::Key_F12) {
        key = 0;
        Guarded([this] { BarcodeEntry(); });
        return;
    }
    // Enter moves on to the next control (a grid keeps it for its columns, a button presses).
    QWidget *focused = focusWidget();
    bool inGrid = false;
    for (QWidget *w = focused; w && !inGrid; w = w->parentWidget())
        inGrid = qobject_cast<TDBGrid *>(w) != nullptr;
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && focused && !inGrid &&
        !qobject_cast<QAbstractButton *>(focused)) {
        key = 0;
        SelectNext(true);
        return;
    }
    TForm::KeyDown(key, modifiers);
}

void TSVykonyForm::pageChanging()
{
    DBChart1->RemoveAllSeries(); // leaving the chart detaches its series
    DMVyk->QvSVykony.Close();
    for (TDataSource *s : {&DMVyk->DSvVykony1, &DMVyk->DSvVykony2, &DMVyk->DSvVykony3})
        s->SetEnabled(false);
}

void TSVykonyForm::pageShown()
{
    if (pcVykony->currentWidget() == tsZakazka) {
        DMVyk->DSvVykony1.SetEnabled(true);
        FillOrderEntry();
        vC_INT1->setFocus();
    } else if (pcVykony->currentWidget() == tsPracovnik) {
        DMVyk->DSvVykony2.SetEnabled(true);
        ReloadEmployeeList();
    } else if (pcVykony->currentWidget() == tsPotvrdenie) {
        DMVyk->DSvVykony3.SetEnabled(true);
        RefreshQuantityConfirmation();
    } else if (pcVykony->currentWidget() == tsPrehlady) {
        DMVyk->DSvVykony3.SetEnabled(true);
        RefreshPerformanceOverview();
    } else if (pcVykony->currentWidget() == tsGraf) {
        ShowChart();
    }
}

void TSVykonyForm::FillOrderEntry()
{
    const QString job = vC_INT1->text().trimmed();
    if (!job.isEmpty())
        vC_INT1->setText(NormalizeOrderNo(job));
    const int cInt = TypedOrderNo(vC_INT1->text());
    DMVyk->FillOrderEntry(cInt, TypedNumber(typed(vC_DAVKY1), QString::fromUtf8("Dávka")));
    // The operations listed, the typing starts at the first one's employee.
    if (DMVyk->DSVykony.Enabled() && DMVyk->QSVykony.Active() && !DMVyk->QSVykony.IsEmpty()) {
        DBGridVykonyOp->setFocus();
        for (int i = 0; i < DBGridVykonyOp->ColumnCount(); ++i)
            if (DBGridVykonyOp->Columns(i)->FieldName == QLatin1String("OSC"))
                DBGridVykonyOp->SetSelectedIndex(i);
    }
}

bool TSVykonyForm::orderEntryTyped()
{
    TxDataSet &q = DMVyk->QSVykony;
    if (!q.Active())
        return false;
    const TField *osc = q.FieldByName(QStringLiteral("OSC"));
    const TField *quantity = q.FieldByName(QStringLiteral("MNOZSTVO"));
    for (int row = 0; row < q.FetchedCount(); ++row)
        if (q.UpdateStatusAt(row) != usUnmodified &&
            (q.ValueAt(row, osc).toInt() != 0 || q.ValueAt(row, quantity).toDouble() != 0))
            return true;
    return false;
}

void TSVykonyForm::WriteOrderEntry()
{
    DMVyk->WriteOrderEntry(TypedNumber(typed(vC_DAVKY1), QString::fromUtf8("Dávka")));
}

void TSVykonyForm::ReloadEmployeeList()
{
    TxDataSet &q = DMVyk->QvSVykony;
    // A booking being typed is written as leaving its row writes it; refused, it stays and the user is back in it.
    if (editing(q)) {
        try {
            q.CheckBrowseMode();
        } catch (...) {
            enterEdit(DBeDATUM);
            throw;
        }
    }
    q.Close();
    QString where = QStringLiteral("where datum=:datum ");
    const QString osc = typed(vOSC2);
    const int typedOsc = TypedNumber(osc, QString::fromUtf8("Os.číslo"));
    if (!osc.isEmpty())
        where += QStringLiteral("and osc=:osc ");
    q.SelectSQL.SetStrings(0, QStringLiteral("select * "));
    q.SelectSQL.SetStrings(2, where);
    q.SelectSQL.SetStrings(3, QStringLiteral("order by datum,zmena,osc,operacia"));
    const QDate day = vDatum2->CheckedDate();
    if (!day.isValid())
        throw EDatabaseError(QString::fromUtf8("Dátum nie je platný !"));
    q.ParamByName(QStringLiteral("datum")).SetValue(day);
    if (!osc.isEmpty())
        q.ParamByName(QStringLiteral("osc")).SetValue(typedOsc);
    q.Open();
}

void TSVykonyForm::NewRow()
{
    TxDataSet &q = DMVyk->QvSVykony;
    if (!q.Active())
        ReloadEmployeeList();
    QVariantList defaults;
    const char *const names[] = {"DATUM", "ZMENA", "OSC", "PRIEZVISKO", "PROFESIA"};
    if (q.IsEmpty()) {
        defaults = {vDatum2->Date(), 1, typed(vOSC2).toInt(), QVariant(), QVariant()};
    } else {
        for (const char *name : names)
            defaults << q.FieldByName(QString::fromLatin1(name))->Value();
    }
    q.Append();
    // The defaults are copied, not typed: the employee's check is not run again.
    for (int i = 0; i < int(std::size(names)); ++i)
        TDMVyk::SetFieldQuietly(q.FieldByName(QString::fromLatin1(names[i])), defaults[i]);
    q.FieldByName(QStringLiteral("C_DAVKY"))->SetValue(0);
    q.KeepAsDefaults();
    if (q.FieldByName(QStringLiteral("OSC"))->AsInteger() != 0)
        enterEdit(DBeC_INT);
    else
        enterEdit(DBeOSC);
}

void TSVykonyForm::SaveRow()
{
    TxDataSet &q = DMVyk->QvSVykony;
    if (q.State() == dsEdit) {
        q.Post();
        DBGridPracovnik->setFocus();
    } else if (q.State() == dsInsert) {
        q.Post();
        NewRow();
    }
}

void TSVykonyForm::DeleteRow()
{
    TxDataSet &q = DMVyk->QvSVykony;
    if (q.Active() && !q.IsEmpty() && q.State() == dsBrowse)
        q.Delete(); // the data module asks first
}

void TSVykonyForm::CancelRow()
{
    if (editing(DMVyk->QvSVykony))
        DMVyk->QvSVykony.Cancel();
    DBGridPracovnik->setFocus();
}

void TSVykonyForm::employeeExit()
{
    TxDataSet &q = DMVyk->QvSVykony;
    if (editing(q) && q.FieldByName(QStringLiteral("OSC"))->AsInteger() == 0)
        PickEmployeeForField(q.FieldByName(QStringLiteral("OSC")));
}

void TSVykonyForm::orderExit()
{
    TxDataSet &q = DMVyk->QvSVykony;
    if (editing(q) && q.FieldByName(QStringLiteral("C_INT"))->AsInteger() == 0 && DBeC_INT->text().trimmed().isEmpty())
        PickOrderForField(q.FieldByName(QStringLiteral("C_INT")), QString(), QString(), 0);
}

void TSVykonyForm::BarcodeEntry()
{
    pcVykony->setCurrentWidget(tsPracovnik);
    QString text;
    if (!InputQuery(QString::fromUtf8("Čiarový kód"), QString::fromUtf8("Vstup čiarového kódu operácie"), text))
        return;
    const TPerformanceBarcode code = DecodePerformanceBarcode(text);
    if (code.kind == TPerformanceBarcode::Nothing) {
        if (!text.trimmed().isEmpty()) // letters or a printed job number are no code: said, nothing written
            throw EConvertError(QString::fromUtf8("„%1“ nie je čiarový kód operácie.").arg(text.trimmed()));
        return;
    }
    if (code.kind == TPerformanceBarcode::UnknownJob)
        throw EDatabaseError(QString::fromUtf8("Zákazka č.%1 neexistuje !").arg(code.jobText));
    TxDataSet &q = DMVyk->QvSVykony;
    if (!editing(q)) {
        DBGridPracovnik->setFocus();
        NewRow();
    }
    switch (code.kind) {
    case TPerformanceBarcode::Employee:
        q.FieldByName(QStringLiteral("OSC"))->SetValue(code.osc);
        employeeExit();
        enterEdit(DBeC_INT);
        break;
    case TPerformanceBarcode::JobOperation:
        q.FieldByName(QStringLiteral("C_INT"))->SetValue(code.cInt);
        orderExit();
        q.FieldByName(QStringLiteral("C_OPERACIE"))->SetValue(code.operation);
        enterEdit(DBeMNOZSTVO);
        break;
    case TPerformanceBarcode::JobTicket:
        q.FieldByName(QStringLiteral("C_INT"))->SetValue(code.cInt);
        orderExit();
        q.FieldByName(QStringLiteral("C_DAVKY"))->SetValue(code.batch);
        q.FieldByName(QStringLiteral("C_OPERACIE"))->SetValue(code.operation);
        enterEdit(DBeMNOZSTVO);
        break;
    default:
        break;
    }
}

void ShowPerformances()
{
    FormOnDemand(SVykonyForm).ShowModal();
}
