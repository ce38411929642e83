#include "SOdvodyForm.h"

#include "DMOdv.h"
#include "ProductionWidgets.h"
#include "SOdvQR1Rep.h"
#include "library/DataEditRow.h"
#include "library/QTlacForm.h"
#include "platform/os/Clock.h"
#include "platform/os/Format.h"
#include "platform/ui/BitBtn.h"
#include "platform/ui/DBControls.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FormGlobal.h"
#include "platform/ui/Guarded.h"
#include "platform/ui/PickLink.h"
#include "platform/ui/RadioGroup.h"
#include "platform/ui/ReportPreview.h"
#include "shell/CisOdbForm.h"
#include "shell/CisPolForm.h"
#include "shell/CisZakForm.h"
#include "shell/DMZal.h"
#include "shell/MenuHooks.h"
#include "shell/Routines.h"

#include <QAction>
#include <QBoxLayout>
#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTabWidget>

TFormGlobal<TSOdvodyForm> SOdvodyForm{"SOdvodyForm"};

namespace {

QDate today()
{
    return Now().date();
}

// A date typed as d.M.yyyy; invalid when blank or not a date.
// A typed date as the program writes dates (DateStr) and as people type them, in the user's date order;
// no date for a text that is none.
QDate typedDate(const QLineEdit *edit)
{
    QDate date;
    return TryStrToDate(edit->text().trimmed(), date) ? date : QDate();
}

// A period edit wide enough for the widest date it holds (two-digit day and month), frame and margins included.
void fitDate(QLineEdit *edit)
{
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
    const QFontMetrics fm = edit->fontMetrics();
    const QSize text(fm.horizontalAdvance(DateStr(QDate(2026, 12, 28))) + 4 + 2 * option.lineWidth + 2, fm.height());
    edit->setMinimumWidth(edit->style()->sizeFromContents(QStyle::CT_LineEdit, &option, text, edit).width());
}

// Rows handed back (negative quantity) are written in red.
void redWhenNegative(TDBGrid *grid)
{
    grid->OnGetCellProp = [](TDBGrid *, TDataSet *ds, TField *, TCellFont &font, QColor &, bool) {
        if (TField *f = ds->FindField(QStringLiteral("MNOZSTVO")); f && f->AsFloat() < 0)
            font.Color = Qt::red;
    };
}

} // namespace

TSOdvodyForm::TSOdvodyForm(QWidget *owner) : TForm(owner)
{
    TrackGlobal(this, SOdvodyForm);
    setWindowTitle(QString::fromUtf8("Odvody výrobkov"));
    auto *layout = new QVBoxLayout(this);
    pcOdvody = new QTabWidget(this);
    layout->addWidget(pcOdvody);

    // ---- list
    tabOdvody = new QWidget;
    auto *listLayout = new QVBoxLayout(tabOdvody);
    auto *filter = new QHBoxLayout;
    vDATUM = new QLineEdit(DateStr(today()), tabOdvody);
    vC_INT = new QLineEdit(tabOdvody);
    vC_DOKLADU = new QLineEdit(tabOdvody);
    for (auto [caption, edit] : {std::pair{"Dátum", vDATUM}, {"č.Zákazky", vC_INT}, {"č.Dokladu", vC_DOKLADU}}) {
        filter->addWidget(new QLabel(QString::fromUtf8(caption), tabOdvody));
        filter->addWidget(edit);
        connect(edit, &QLineEdit::editingFinished, this, [this] { Guarded([this] { SetSQLWhere1(); }); });
    }
    BtnFilter1 = GuardedButton(QStringLiteral("Filter"), tabOdvody, [this] { SetSQLWhere1(); });
    filter->addWidget(BtnFilter1);
    listLayout->addLayout(filter);
    DBGridOdvody = new TDBGrid(tabOdvody);
    DBGridOdvody->SetDataSource(&DMOdv->DSvSOdvody);
    DBGridOdvody->SetReadOnly(true);
    DBGridOdvody->SetOptions(DBGridOdvody->Options() | dgRowSelect);
    for (const char *f : {"DATUM", "C_INT", "C_DOKLADU", "MNOZSTVO", "CENA1", "C_VYR", "ODBERATEL"})
        DBGridOdvody->AddColumn(QString::fromLatin1(f));
    redWhenNegative(DBGridOdvody);
    DBGridOdvody->setContextMenuPolicy(Qt::ActionsContextMenu);
    actPrehlady = new QAction(QString::fromUtf8("Prehľady"), DBGridOdvody);
    DBGridOdvody->addAction(actPrehlady);
    connect(actPrehlady, &QAction::triggered, this, [this] { Guarded([this] { ShowRowOverview(); }); });
    listLayout->addWidget(DBGridOdvody);
    auto *listButtons = new QHBoxLayout;
    BtnNovy = GuardedButton(QString::fromUtf8("&Nový"), tabOdvody, [this] { BtnNovyClick(); });
    BtnOprav = GuardedButton(QString::fromUtf8("&Oprav"), tabOdvody, [this] { BtnOpravClick(); });
    BtnZmaz = GuardedButton(QString::fromUtf8("&Zmaž"), tabOdvody, [] { DMOdv->QvSOdvody.Delete(); });
    btnTlac1 = GuardedButton(QString::fromUtf8("Tlač"), tabOdvody, [this] { btnTlac1Click(); });
    btnVystavDL = GuardedButton(QString::fromUtf8("Vystav DL"), tabOdvody, [this] { btnVystavDLClick(); });
    for (QPushButton *b : {BtnNovy, BtnOprav, BtnZmaz, btnTlac1, btnVystavDL})
        listButtons->addWidget(b);
    listLayout->addLayout(listButtons);
    pcOdvody->addTab(tabOdvody, QStringLiteral("Odvody"));

    // ---- detail
    tabDetail = new QWidget;
    auto *form = new QFormLayout(tabDetail);
    const auto edit = [this, form](const char *fieldName, const char *caption) {
        return AddFieldEditRow(form, tabDetail, &DMOdv->DSvSOdvody, fieldName, caption);
    };
    DBEditDATUM = edit("DATUM", "Dátum");
    DBEditC_INT = edit("C_INT", "č.Zákazky");
    // The caption picks a job into the hand-over.
    MakePickLink(qobject_cast<QLabel *>(form->labelForField(DBEditC_INT)), [] {
        TxDataSet &q = DMOdv->QvSOdvody;
        if (q.State() == dsInsert || q.State() == dsEdit)
            PickOrderForField(q.FieldByName(QStringLiteral("C_INT")), QString(), QString(), 0);
    });
    DBEditC_DOKLADU = edit("C_DOKLADU", "č.Dokladu");
    DBEditMNOZSTVO = edit("MNOZSTVO", "Množstvo");
    DBEditKURZ = edit("KURZ", "Kurz");
    DBEditC_FAKTURY = edit("C_FAKTURY", "č.Faktúry");
    DBcomboSTREDISKO = new TDBComboBox(tabDetail);
    DBcomboSTREDISKO->SetDataSource(&DMOdv->DSvSOdvody);
    DBcomboSTREDISKO->SetDataField(QStringLiteral("STREDISKO"));
    form->addRow(QString::fromUtf8("Stredisko"), DBcomboSTREDISKO);
    DBcomboSKLAD = new TDBComboBox(tabDetail);
    DBcomboSKLAD->SetDataSource(&DMOdv->DSvSOdvody);
    DBcomboSKLAD->SetDataField(QStringLiteral("SKLAD"));
    form->addRow(QString::fromUtf8("Sklad"), DBcomboSKLAD);
    BtnZapis = new TBitBtn(bkOK, tabDetail);
    BtnNezapis = new TBitBtn(bkCancel, tabDetail);
    // The detail is a page of the form, not a dialog of its own: saving and cancelling (Escape too) keep the
    // form open, for the next hand-over or back on the list.
    BtnZapis->SetModalResult(mrNone);
    BtnNezapis->SetModalResult(mrNone);
    // Enter moves from field to field; only the button itself saves, so a half-typed hand-over is not stored.
    BtnZapis->SetDefault(false);
    connect(BtnZapis, &QPushButton::clicked, this, [this] { Guarded([this] { BtnZapisClick(); }); });
    connect(BtnNezapis, &QPushButton::clicked, this, [this] { Guarded([this] { BtnNezapisClick(); }); });
    auto *detailButtons = new QHBoxLayout;
    detailButtons->addWidget(BtnZapis);
    detailButtons->addWidget(BtnNezapis);
    form->addRow(detailButtons);
    pcOdvody->addTab(tabDetail, QStringLiteral("Detail"));

    // ---- overviews
    tabPrehlady = new QWidget;
    auto *overLayout = new QVBoxLayout(tabPrehlady);
    auto *overFilter = new QHBoxLayout;
    const QDate month = today().addDays(-5);
    const auto [first, last] = MonthBounds(month);
    vDatum_Od = new QLineEdit(DateStr(first), tabPrehlady);
    vDatum_Do = new QLineEdit(DateStr(last), tabPrehlady);
    fitDate(vDatum_Od);
    fitDate(vDatum_Do);
    vC_ODB = new QLineEdit(tabPrehlady);
    vC_VYR = new QLineEdit(tabPrehlady);
    vC_INT3 = new QLineEdit(tabPrehlady);
    for (auto [caption, e] : {std::pair{"Od", vDatum_Od},
                              {"Do", vDatum_Do},
                              {"Odberateľ", vC_ODB},
                              {"č.Výrobku", vC_VYR},
                              {"č.Zákazky", vC_INT3}}) {
        auto *label = new QLabel(QString::fromUtf8(caption), tabPrehlady);
        overFilter->addWidget(label);
        overFilter->addWidget(e);
        if (e == vC_ODB)
            MakePickLink(label, [e] { PickCustomerForEdit(e); });
        else if (e == vC_VYR)
            MakePickLink(label, [e] { PickItemForEdit(e, QLatin1Char('V')); });
        else if (e == vC_INT3)
            MakePickLink(label, [e] { PickOrderForEdit(e); });
    }
    cbMinus = new QCheckBox(QString::fromUtf8("len Mínusové odvody"), tabPrehlady);
    overFilter->addWidget(cbMinus);
    BtnFilter3 = GuardedButton(QStringLiteral("Filter"), tabPrehlady, [this] { SetSQLWhere3(); });
    overFilter->addWidget(BtnFilter3);
    overLayout->addLayout(overFilter);
    rgPohlad = new TRadioGroup(tabPrehlady);
    rgPohlad->SetItems({QString::fromUtf8("Detail podľa č.Dokladu"), QString::fromUtf8("Detail podľa Odberateľa"),
                        QString::fromUtf8("Detail podľa Objednávky"), QString::fromUtf8("Sumár za Dátum"),
                        QString::fromUtf8("Sumár za Odberateľa"), QString::fromUtf8("Sumár za Výrobok")});
    rgPohlad->SetItemIndex(0);
    rgPohlad->OnClick = [this] { Guarded([this] { SetSQLWhere3(); }); };
    overLayout->addWidget(rgPohlad);
    DBGridPrehlad = new TDBGrid(tabPrehlady);
    DBGridPrehlad->SetDataSource(&DMZal->DSTlac);
    DBGridPrehlad->SetReadOnly(true);
    redWhenNegative(DBGridPrehlad);
    overLayout->addWidget(DBGridPrehlad);
    auto *overButtons = new QHBoxLayout;
    lCena = new QLabel(tabPrehlady);
    btnGraf = GuardedButton(QStringLiteral("&Graf"), tabPrehlady, [this] { btnGrafClick(); });
    btnTlac3 = GuardedButton(QString::fromUtf8("Tlač"), tabPrehlady, [this] {
        HandOverReport().SetView(rgPohlad->ItemIndex());
        PrintReport(&HandOverReport());
    });
    overButtons->addWidget(new QLabel(QString::fromUtf8("Cena spolu :"), tabPrehlady));
    overButtons->addWidget(lCena);
    overButtons->addStretch();
    overButtons->addWidget(btnGraf);
    overButtons->addWidget(btnTlac3);
    overLayout->addLayout(overButtons);
    pcOdvody->addTab(tabPrehlady, QString::fromUtf8("Prehľady"));

    // ---- chart
    tabGraf = new QWidget;
    auto *chartLayout = new QVBoxLayout(tabGraf);
    DBChart1 = new TDBChart(tabGraf);
    chartLayout->addWidget(DBChart1);
    Series1.YValuesSource = QStringLiteral("CENAC");
    Series1.Title = QStringLiteral("CenaC");
    DBChart1->OnClick = [this] { pcOdvody->setCurrentWidget(tabPrehlady); };
    pcOdvody->addTab(tabGraf, QStringLiteral("Graf"));

    connect(pcOdvody, &QTabWidget::currentChanged, this, [this](int index) {
        Guarded([this, index] {
            if (pcOdvody->widget(index) != tabGraf)
                DBChart1->RemoveAllSeries(); // leaving the chart detaches its series
            if (pcOdvody->widget(index) == tabPrehlady && !DMZal->QTlac.Active())
                SetSQLWhere3();
        });
    });
    // A hand-over typed and not saved is asked about as the form closes; Escape on the detail gives it up.
    SetUnsavedData({.Rows = {&DMOdv->QvSOdvody},
                    .Save =
                        [] {
                            TxDataSet &q = DMOdv->QvSOdvody;
                            if (q.State() == dsInsert || q.State() == dsEdit)
                                q.Post();
                            if (q.UpdatesPending())
                                q.ApplyUpdates();
                        },
                    .CancelRow = [this] { BtnNezapisClick(); }});
    OnShow = [this] { Guarded([this] { showList(); }); };
    OnClose = [](TCloseAction &) {
        DMOdv->QvSOdvody.Close();
        DMOdv->QvZakKalk.Close();
    };
    resize(900, 600);
}

TSOdvodyForm::~TSOdvodyForm() = default;

TSOdvQR1Rep &TSOdvodyForm::HandOverReport()
{
    if (!SOdvQR1Rep)
        ownHandOverReport_ = std::make_shared<TSOdvQR1Rep>();
    return *SOdvQR1Rep;
}

void TSOdvodyForm::showList()
{
    DBcomboSTREDISKO->SetItems(TDMOdv::Centres());
    DBcomboSKLAD->SetItems(TDMOdv::FinishedGoodsStores());
    SetSQLWhere1();
}

void TSOdvodyForm::SetSQLWhere1()
{
    const bool rows =
        DMOdv->FilterList(TypedOrderNo(vC_INT->text()), TypedNumber(vC_DOKLADU->text(), QString::fromUtf8("č.Dokladu")),
                          typedDate(vDATUM));
    pcOdvody->setTabEnabled(pcOdvody->indexOf(tabDetail), rows);
    if (rows)
        DBGridOdvody->setFocus();
}

void TSOdvodyForm::SetSQLWhere3()
{
    TDMOdv::TOverview o;
    o.View = rgPohlad->ItemIndex();
    o.From = typedDate(vDatum_Od);
    o.To = typedDate(vDatum_Do);
    o.MinusOnly = cbMinus->isChecked();
    o.C_ODB = TypedNumber(vC_ODB->text(), QString::fromUtf8("Odberateľ"));
    o.C_VYR = vC_VYR->text();
    o.C_INT = TypedOrderNo(vC_INT3->text());
    lCena->setText(FormatFloat(QStringLiteral("# ##0.00"), DMOdv->OpenOverview(o)).trimmed());
}

void TSOdvodyForm::BtnNovyClick()
{
    TxDataSet &q = DMOdv->QvSOdvody;
    if (!q.Active())
        SetSQLWhere1();
    q.Append();
    if (DBcomboSTREDISKO->count() > 0)
        q.FieldByName(QStringLiteral("STREDISKO"))->SetValue(DBcomboSTREDISKO->itemText(0));
    if (DBcomboSKLAD->count() > 0)
        q.FieldByName(QStringLiteral("SKLAD"))->SetValue(DBcomboSKLAD->itemText(0));
    q.KeepAsDefaults();
    pcOdvody->setTabEnabled(pcOdvody->indexOf(tabDetail), true);
    pcOdvody->setCurrentWidget(tabDetail);
    DBEditC_INT->setFocus();
}

void TSOdvodyForm::BtnOpravClick()
{
    pcOdvody->setCurrentWidget(tabDetail);
    DMOdv->QvSOdvody.Edit();
}

void TSOdvodyForm::BtnZapisClick()
{
    TxDataSet &q = DMOdv->QvSOdvody;
    if (q.State() == dsInsert) {
        const QVariant centre = q.FieldByName(QStringLiteral("STREDISKO"))->Value();
        const QVariant store = q.FieldByName(QStringLiteral("SKLAD"))->Value();
        q.Post();
        q.Append();
        q.FieldByName(QStringLiteral("STREDISKO"))->SetValue(centre);
        q.FieldByName(QStringLiteral("SKLAD"))->SetValue(store);
        q.KeepAsDefaults();
        DBEditC_INT->setFocus();
    } else {
        if (q.State() == dsEdit)
            q.Post();
        pcOdvody->setCurrentWidget(tabOdvody);
    }
}

void TSOdvodyForm::BtnNezapisClick()
{
    DMOdv->QvSOdvody.Cancel();
    pcOdvody->setCurrentWidget(tabOdvody);
}

void TSOdvodyForm::btnTlac1Click()
{
    const QList<THandOverKey> printed = DMOdv->OpenUnprinted();
    TSOdvQR1Rep &report = HandOverReport();
    report.SetView(1);
    if (ModuleHooks().ShowReport)
        ModuleHooks().ShowReport(&report);
    else
        TReportPreview::Preview(&report);
    if (!printed.isEmpty() && Confirm(QString::fromUtf8("Označiť odvody ako vytlačené ?"), QStringLiteral("Odvody")))
        DMOdv->MarkPrinted(printed);
    DMZal->QTlac.Close();
}

void TSOdvodyForm::btnVystavDLClick()
{
    TModuleHooks &hooks = ModuleHooks();
    if (!hooks.NewDeliveryNoteForJob || !hooks.AddDeliveryNoteLine || !hooks.PrintDeliveryNote) {
        ShowNotAvailable();
        return;
    }
    TxDataSet &q = DMOdv->QvSOdvody;
    if (q.IsEmpty())
        return;
    const int note = hooks.NewDeliveryNoteForJob(q.FieldByName(QStringLiteral("C_INT"))->AsInteger(),
                                                 q.FieldByName(QStringLiteral("KURZ"))->AsFloat());
    if (note == 0)
        return;
    const int customer = q.FieldByName(QStringLiteral("C_ODB"))->AsInteger();
    QString lines;
    q.DisableControls();
    for (q.First(); !q.Eof(); q.Next()) {
        if (q.FieldByName(QStringLiteral("C_ODB"))->AsInteger() != customer)
            continue;
        lines += QLatin1Char('\r') + hooks.AddDeliveryNoteLine(q.FieldByName(QStringLiteral("SKLAD"))->AsString(),
                                                               q.FieldByName(QStringLiteral("C_VYR"))->AsString(),
                                                               q.FieldByName(QStringLiteral("C_INT"))->AsInteger(),
                                                               q.FieldByName(QStringLiteral("MNOZSTVO"))->AsInteger(),
                                                               q.FieldByName(QStringLiteral("CENA_KURZ1"))->AsFloat());
    }
    q.EnableControls();
    if (Confirm(QString::fromUtf8("Dodací list má číslo %1\r%2\r\rTlačiť ho ?").arg(QString::number(note), lines),
                QString::fromUtf8("Tlač DL")))
        hooks.PrintDeliveryNote(note, 2);
}

void TSOdvodyForm::btnGrafClick()
{
    const int view = rgPohlad->ItemIndex();
    DBChart1->RemoveAllSeries();
    Series1.XLabelsSource = TDMOdv::ChartLabelField(view);
    Series1.SetDataSource(&DMZal->DSTlac);
    DBChart1->SetBottomAxisTitle(TDMOdv::ChartAxisTitle(view));
    pcOdvody->setCurrentWidget(tabGraf);
    DBChart1->AddSeries(&Series1);
}

void TSOdvodyForm::ShowRowOverview()
{
    TxDataSet &q = DMOdv->QvSOdvody;
    if (!q.Active() || q.IsEmpty())
        return;
    const QString day = DateStr(q.FieldByName(QStringLiteral("DATUM"))->AsDate());
    vDatum_Od->setText(day);
    vDatum_Do->setText(day);
    vC_ODB->setText(q.FieldByName(QStringLiteral("C_ODB"))->AsString());
    pcOdvody->setCurrentWidget(tabPrehlady);
    SetSQLWhere3();
}

void ShowHandOvers()
{
    FormOnDemand(SOdvodyForm).ShowModal();
}

void PrintHandOversOfPeriod(const QDate &from, const QDate &to)
{
    DMOdv->OpenPeriodList(from, to);
    TSOdvQR1Rep &report = FormOnDemand(SOdvodyForm).HandOverReport();
    report.SetView(1);
    PrintReport(&report);
}
