#include "SMzdyForm.h"

#include "DMMzdy.h"
#include "MzdySql.h"
#include "SMzdyQR1Form.h"
#include "SMzdyQRAllForm.h"
#include "SMzdyQRVykForm.h"
#include "SVykonyForm.h"
#include "WageExport.h"
#include "library/ListTotal.h"
#include "library/QTlacForm.h"
#include "library/xDBComboBox.h"
#include "library/xDBGrid.h"
#include "library/xForm.h"
#include "shell/DMZal.h"
#include "shell/Routines.h"
#include "platform/os/Clock.h"
#include "platform/os/Format.h"
#include "platform/report/QRControls.h"
#include "platform/ui/DBControls.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DateEdit.h"
#include "platform/ui/FormGlobal.h"
#include "platform/ui/Guarded.h"

#include <QApplication>
#include <QBoxLayout>
#include <QComboBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>

TSMzdyForm *SMzdyForm = nullptr;

namespace {

void addEdits(QWidget *parent, QFormLayout *form, TDataSource *source,
              const QList<QPair<const char *, const char *>> &fields)
{
    for (const auto &[field, caption] : fields) {
        auto *e = new TDBEdit(parent);
        e->setObjectName(QStringLiteral("DBe") + QLatin1String(field));
        e->SetDataSource(source);
        e->SetDataField(QString::fromLatin1(field));
        form->addRow(QString::fromUtf8(caption), e);
    }
}

TDBGrid *grid(QWidget *parent, TDataSource *source, const QStringList &fields = {})
{
    auto *g = new TDBGrid(parent);
    g->SetDataSource(source);
    for (const QString &f : fields)
        g->AddColumn(f);
    return g;
}

QWidget *page(QTabWidget *tabs, const char *name, const char *caption)
{
    auto *w = new QWidget;
    w->setObjectName(QString::fromLatin1(name));
    tabs->addTab(w, QString::fromUtf8(caption));
    return w;
}

} // namespace

TSMzdyForm::TSMzdyForm(QWidget *owner) : TForm(owner)
{
    TrackGlobal(this, SMzdyForm);
    setWindowTitle(QString::fromUtf8("Dochádzka a mzdy zamestnancov"));
    resize(1000, 640);
    TDMMzdy &dm = *DMMzdy;
    auto *main = new QHBoxLayout(this);
    auto *left = new QVBoxLayout;
    main->addLayout(left, 1);
    auto *filters = new QFormLayout;
    eSTREDISKO = new QLineEdit(this);
    eSTREDISKO->setObjectName(QStringLiteral("eSTREDISKO"));
    eSTREDISKO->setMaxLength(3);
    filters->addRow(QStringLiteral("Stredisko"), eSTREDISKO);
    vMesiac = new QSpinBox(this);
    vMesiac->setRange(1, 12);
    vMesiac->setToolTip(QStringLiteral("Mesiac"));
    vRok = new QSpinBox(this);
    vRok->setRange(2010, 2100);
    vRok->setToolTip(QStringLiteral("Rok"));
    filters->addRow(QStringLiteral("Mesiac"), vMesiac);
    filters->addRow(QStringLiteral("Rok"), vRok);
    LabelMesacnyFond = new QLabel(this);
    filters->addRow(QString::fromUtf8("Mesačný fond"), LabelMesacnyFond);
    left->addLayout(filters);
    auto *employees = new TxDBGrid(this);
    employees->SetDataSource(&dm.DSZamestnanci);
    employees->SetTitleClickToOrderBy(true);
    DBGridZamestnanci = employees;
    DBGridZamestnanci->setObjectName(QStringLiteral("DBGridZamestnanci"));
    DBGridZamestnanci->SetOptions(DBGridZamestnanci->Options() | dgRowSelect | dgMultiSelect);
    // Whose attendance and wage the pages show.
    auto *current = new QHBoxLayout;
    DBtPRIEZVISKO = MakeBound<TDBText>(this, &dm.DSZamestnanci, QStringLiteral("DBt"), QStringLiteral("PRIEZVISKO"));
    DBtMENO = MakeBound<TDBText>(this, &dm.DSZamestnanci, QStringLiteral("DBt"), QStringLiteral("MENO"));
    DBtOSC = MakeBound<TDBText>(this, &dm.DSZamestnanci, QStringLiteral("DBt"), QStringLiteral("OSC"));
    QFont bold = DBtPRIEZVISKO->font();
    bold.setBold(true);
    for (TDBText *t : {DBtPRIEZVISKO, DBtMENO, DBtOSC}) {
        t->setFont(bold);
        current->addWidget(t);
    }
    current->addStretch();
    left->addLayout(current);
    left->addWidget(DBGridZamestnanci);
    connect(eSTREDISKO, &QLineEdit::editingFinished, this,
            [this] { Guarded([this] { DMMzdy->FilterEmployees(eSTREDISKO->text()); }); });
    for (QSpinBox *s : {vMesiac, vRok})
        connect(s, &QSpinBox::valueChanged, this, [this] { Guarded([this] { RokMesChange(); }); });

    PageControlMzdy = new QTabWidget(this);
    PageControlMzdy->setTabPosition(QTabWidget::South);
    main->addWidget(PageControlMzdy, 3);

    tabDochadzka = page(PageControlMzdy, "tabDochadzka", "Deň");
    auto *dayLayout = new QVBoxLayout(tabDochadzka);
    auto *dayForm = new QFormLayout;
    auto *dayTitle = new QLabel(QString::fromUtf8("Dochádzka dňa"), tabDochadzka);
    vDatum1 = new TDateEdit(tabDochadzka);
    vDatum1->setObjectName(QStringLiteral("vDatum1"));
    vZmena1 = new QComboBox(tabDochadzka);
    vZmena1->setObjectName(QStringLiteral("vZmena1"));
    vZmena1->addItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("0")});
    vZmena1->setToolTip(QString::fromUtf8("Zmena"));
    auto *dayPick = new QHBoxLayout;
    dayPick->addWidget(dayTitle);
    dayPick->addWidget(vDatum1);
    dayPick->addWidget(vZmena1);
    dayPick->addStretch();
    dayLayout->addLayout(dayPick);
    // A day typed reloads when the edit is left (Enter moves on too; a day typed short, as 4.3.2026, fills
    // the mask only in part, so the line edit's own end of editing does not come); one chosen in the
    // calendar at once.
    const auto dayChanged = [this] {
        Guarded([this] {
            const QDate day = vDatum1->Date();
            if (day.isValid() && day != DMMzdy->DayDate && PageControlMzdy->currentWidget() == tabDochadzka)
                ShowActivePage();
        });
    };
    connect(qApp, &QApplication::focusChanged, this, [this, dayChanged](QWidget *old, QWidget *) {
        if (old == vDatum1)
            dayChanged();
    });
    connect(vDatum1, &TDateEdit::CalendarDateChosen, this, dayChanged);
    connect(vZmena1, &QComboBox::currentIndexChanged, this, [this] {
        Guarded([this] {
            if (isVisible() && PageControlMzdy->currentWidget() == tabDochadzka)
                ShowActivePage();
        });
    });
    addEdits(tabDochadzka, dayForm, &dm.DSDochadzka, {{"OHOD", "Odpracované hod."}});
    // The reason beside the overhead hours it explains, its codes from the settings' list.
    auto *overheadRow = new QHBoxLayout;
    overheadRow->addWidget(
        MakeBound<TDBEdit>(tabDochadzka, &dm.DSDochadzka, QStringLiteral("DBe"), QStringLiteral("RHOD")));
    overheadRow->addWidget(new QLabel(QString::fromUtf8("dôvod"), tabDochadzka));
    DBcomboRDOV =
        MakeBound<TxDBComboBox>(tabDochadzka, &dm.DSDochadzka, QStringLiteral("DBcombo"), QStringLiteral("RDOVOD"));
    DBcomboRDOV->setMaxVisibleItems(15);
    TStringList reasons;
    DMZal->ReadDefaultsList(reasons, QStringLiteral("Dochadzka.rdovod"));
    DBcomboRDOV->SetItems2(reasons.Lines());
    overheadRow->addWidget(DBcomboRDOV, 1);
    dayForm->addRow(QString::fromUtf8("z toho Režijné hod."), overheadRow);
    addEdits(tabDochadzka, dayForm, &dm.DSDochadzka,
             {{"DOVOLENKA", "Dovolenka"},
              {"NEMOC", "Nemoc"},
              {"STATVOL", "OČR, Otcovské"},
              {"NAHRVOL", "Náhradné voľno"},
              {"PLATVOL", "Platené voľno"},
              {"NEPLATVOL", "NePlatené voľno"},
              {"NADCAS25", "Nadčas +25%"},
              {"NADCAS50", "Nadčas +50%"},
              {"PREKAZKA1", "Prekážka na strane zamestnávateľa"}});
    dayLayout->addLayout(dayForm);
    auto *dayButtons = new QHBoxLayout;
    btnZapis1 = GuardedButton(QString::fromUtf8("Zapíš"), tabDochadzka, dayButtons, [this] {
        TxQuery &q = DMMzdy->QDochadzka;
        if (q.State() == dsInsert) {
            q.FieldByName(QStringLiteral("OSC"))
                ->SetValue(DMMzdy->QZamestnanci.FieldByName(QStringLiteral("OSC"))->Value());
            q.FieldByName(QStringLiteral("DATUM"))->SetValue(DMMzdy->DayDate);
            q.FieldByName(QStringLiteral("ZMENA"))->SetValue(Shift());
            q.FieldByName(QStringLiteral("STREDISKO"))->SetValue(QStringLiteral(" "));
        }
        if (q.State() == dsEdit || q.State() == dsInsert)
            q.Post();
    });
    BtnZapisVsetkym = GuardedButton(QString::fromUtf8("&Všetkým"), tabDochadzka, dayButtons, [this] {
        TDMMzdy &m = *DMMzdy;
        QList<int> oscs{CurrentEmployee()};
        const std::vector<int> marked = DBGridZamestnanci->SelectedRowNumbers();
        QList<int> rows;
        if (marked.size() > 1)
            rows = QList<int>(marked.begin(), marked.end());
        else
            for (int row = 0; row < m.QZamestnanci.RecordCount(); ++row)
                rows << row;
        for (const int row : rows)
            m.QZamestnanci.WithRecord(row,
                                      [&] { oscs << m.QZamestnanci.FieldByName(QStringLiteral("OSC"))->AsInteger(); });
        m.WriteDayForEmployees(oscs, m.DayDate, Shift());
    });
    BtnZapisVsetkym->setToolTip(QString::fromUtf8("Zapíše všetkým označeným zamestnancom tieto údaje"));
    dayLayout->addLayout(dayButtons);
    dayLayout->addStretch();

    tabMesiac = page(PageControlMzdy, "tabMesiac", "Mesiac");
    auto *monthLayout = new QVBoxLayout(tabMesiac);
    DBGridMesiac = grid(tabMesiac, &dm.DSDochadzka,
                        {"DATUM", "ZMENA", "OHOD", "RHOD", "DOVOLENKA", "NEMOC", "STATVOL", "NAHRVOL", "PLATVOL",
                         "NEPLATVOL", "NADCAS25", "NADCAS50", "PREKAZKA1"});
    monthLayout->addWidget(DBGridMesiac);
    sgSumMesiac = new QTableWidget(1, 12, tabMesiac);
    sgSumMesiac->setObjectName(QStringLiteral("sgSumMesiac"));
    sgSumMesiac->setColumnWidth(0, 70);
    sgSumMesiac->setItem(0, 0, new QTableWidgetItem(QStringLiteral("Spolu")));
    // Each sum under the title of its hours, as the month's grid names them; the row needs no number.
    sgSumMesiac->verticalHeader()->hide();
    sgSumMesiac->setHorizontalHeaderItem(0, new QTableWidgetItem(QString()));
    sgSumMesiac->setMaximumHeight(60);
    monthLayout->addWidget(sgSumMesiac);

    tabVykony = page(PageControlMzdy, "tabVykony", "Výkony");
    auto *perfLayout = new QVBoxLayout(tabVykony);
    DBGridVykony = grid(tabVykony, &dm.DSVykony, {"DATUM", "MZDA", "OHOD", "NHOD"});
    perfLayout->addWidget(DBGridVykony);
    auto *perfFigures = new QHBoxLayout;
    auto *perfForm = new QFormLayout;
    const auto figure = [this, perfForm](const char *caption) {
        auto *label = new QLabel(tabVykony);
        perfForm->addRow(QString::fromUtf8(caption), label);
        return label;
    };
    LabelMzdaSpolu = figure("Mzda spolu");
    LabelNormoHodiny = figure("NormoHodiny");
    LabelOdpracHodiny = figure("OdpracHodiny");
    LabelNormoHodinyDen = figure("NormoHodiny/deň");
    LabelNormoHodinyZmatky = figure("NormoHodiny zmätky");
    LabelNormoHodinyStorna = figure("NormoHodiny storná");
    perfFigures->addLayout(perfForm);
    sg3MVykony = new QTableWidget(4, 2, tabVykony);
    sg3MVykony->setObjectName(QStringLiteral("sg3MVykony"));
    sg3MVykony->setItem(0, 1, new QTableWidgetItem(QStringLiteral("Mzda")));
    sg3MVykony->horizontalHeader()->hide();
    sg3MVykony->verticalHeader()->hide();
    sg3MVykony->setColumnWidth(0, 110);
    sg3MVykony->setColumnWidth(1, 110);
    sg3MVykony->setMaximumHeight(4 * 30 + 4);
    sg3MVykony->hide();
    perfFigures->addWidget(sg3MVykony);
    perfFigures->addStretch();
    perfLayout->addLayout(perfFigures);
    auto *perfButtons = new QHBoxLayout;
    BtnDetailDen = GuardedButton(QString::fromUtf8("&Detail deň >>"), tabVykony, perfButtons,
                                 [this] { ShowPerformanceDetail(false); });
    BtnDetailMesiac = GuardedButton(QString::fromUtf8("Detail &Mesiac >>"), tabVykony, perfButtons,
                                    [this] { ShowPerformanceDetail(true); });
    Btn3MVykony = GuardedButton(QString::fromUtf8("&Posledné 3 mesiace >>"), tabVykony, perfButtons, [this] {
        sg3MVykony->setVisible(!sg3MVykony->isVisible());
        if (sg3MVykony->isVisible())
            FillPerformanceHistory();
    });
    perfButtons->addStretch();
    perfLayout->addLayout(perfButtons);
    DBGridVykony->OnDblClick = [this](TDBGrid *) { Guarded([this] { ShowPerformanceDetail(false); }); };
    dm.PerformancesAfterOpen = [this] {
        const TPerformanceSummary &s = DMMzdy->PerformanceSummary;
        LabelMzdaSpolu->setText(FormatCurr(s.mzda));
        LabelNormoHodiny->setText(FormatFloat(QStringLiteral("0.00"), s.nhod));
        LabelOdpracHodiny->setText(FormatFloat(QStringLiteral("0.00"), s.ohod));
        LabelNormoHodinyDen->setText(s.perShift);
        LabelNormoHodinyZmatky->setText(FormatFloat(QStringLiteral("0.00"), s.nhodZmatky));
        LabelNormoHodinyStorna->setText(FormatFloat(QStringLiteral("0.00"), s.nhodStorna));
        sg3MVykony->hide();
    };

    tabMzda = page(PageControlMzdy, "tabMzda", "Mzda");
    buildWagePage();

    tabMzdyAll = page(PageControlMzdy, "tabMzdyAll", "Mzdy všetci");
    auto *allLayout = new QVBoxLayout(tabMzdyAll);
    DBGridMzdyAll = grid(tabMzdyAll, &dm.DSMzdy);
    allLayout->addWidget(DBGridMzdyAll);
    auto *total = new QHBoxLayout;
    total->addWidget(new QLabel(QStringLiteral("Spolu"), tabMzdyAll));
    LabelMzdy_celkom = new QLabel(tabMzdyAll);
    total->addWidget(LabelMzdy_celkom);
    total->addStretch();
    allLayout->addLayout(total);
    auto *allButtons = new QHBoxLayout;
    BtnPocitaj =
        GuardedButton(QString::fromUtf8("Počítaj !"), tabMzdyAll, allButtons, [] { DMMzdy->ComputeMonthWages(); });
    BtnTlac = GuardedButton(QString::fromUtf8("Tlač"), tabMzdyAll, allButtons, [this] { PrintWages(); });
    BtnExport = GuardedButton(QString::fromUtf8("&Export"), tabMzdyAll, allButtons, [this] {
        ReadAgainWhenRefused();
        WriteWageExport(&DMMzdy->QMzdy, DMMzdy->Year(), DMMzdy->Month());
    });
    allLayout->addLayout(allButtons);

    tabGraf = page(PageControlMzdy, "tabGraf", "&Graf");
    auto *chartLayout = new QVBoxLayout(tabGraf);
    DBChart1 = new TDBChart(tabGraf);
    DBChart1->setObjectName(QStringLiteral("DBChart1"));
    chartLayout->addWidget(DBChart1);
    SeriesUkol.Title = QStringLiteral("Ukol/hod.");
    SeriesUkol.XLabelsSource = QStringLiteral("MESIAC");
    SeriesUkol.YValuesSource = QStringLiteral("UKOL_HOD");
    SeriesMzda.Title = QStringLiteral("Mzda/hod.");
    SeriesMzda.XLabelsSource = QStringLiteral("MESIAC");
    SeriesMzda.YValuesSource = QStringLiteral("MZDA_HOD");

    connect(PageControlMzdy, &QTabWidget::currentChanged, this, [this] {
        Guarded([this] {
            pageChanging();
            ShowActivePage();
        });
    });
    OnShow = [this] {
        Guarded([this] {
            DMMzdy->QZamestnanci.Open();
            const bool wages = DMZal->HasRight(QStringLiteral("Mzdy"), 1, false);
            PageControlMzdy->setTabVisible(PageControlMzdy->indexOf(tabMzda), wages);
            PageControlMzdy->setTabVisible(PageControlMzdy->indexOf(tabMzdyAll), wages);
            PageControlMzdy->setTabVisible(PageControlMzdy->indexOf(tabGraf), wages);
            if (vRok->value() < 2022 || vDatum1->TypedText().isEmpty()) {
                vDatum1->SetDate(Date());
                const QSignalBlocker blockShift(vZmena1);
                vZmena1->setCurrentIndex(0);
                const QDate proposal = Date().addDays(-10);
                const QSignalBlocker blockYear(vRok), blockMonth(vMesiac);
                vRok->setValue(proposal.year());
                vMesiac->setValue(proposal.month());
            }
            RokMesChange();
        });
    };
    OnClose = [](TCloseAction &) { DMMzdy->CloseAll(); };
    buildMenus();
    monthSums_ = std::make_unique<TListTotal>(&dm.DSDochadzka, [this] { FillMonthAttendanceSums(); });
    wagesTotal_ = std::make_unique<TListTotal>(&dm.DSMzdy, [this] { showWagesTotal(); });
}

TSMzdyForm::~TSMzdyForm()
{
    // The focus moves while the child widgets go: the focus handlers must not run on a form half gone.
    disconnect(qApp, &QApplication::focusChanged, this, nullptr);
    DetachGrids(this);
    if (DMMzdy)
        DMMzdy->PerformancesAfterOpen = nullptr;
}

int TSMzdyForm::Shift() const
{
    return vZmena1->currentText().toInt();
}

void TSMzdyForm::RokMesChange()
{
    DMMzdy->SetMonth(vRok->value(), vMesiac->value());
    LabelMesacnyFond->setText(FormatFloat(QStringLiteral("0.##"), DMMzdy->MonthHourFund()));
    pageChanging();
    ShowActivePage();
}

void TSMzdyForm::ReadAgainWhenRefused()
{
    CurrentEmployee();
    if (PageControlMzdy->currentWidget() == tabMzdyAll && !DMMzdy->QMzdy.Active())
        ShowActivePage();
}

int TSMzdyForm::CurrentEmployee()
{
    TxQuery &list = DMMzdy->QZamestnanci;
    if (!list.Active())
        list.Open();
    return list.FieldByName(QStringLiteral("OSC"))->AsInteger();
}

void TSMzdyForm::pageChanging()
{
    DBChart1->RemoveAllSeries(); // leaving the chart detaches its series
    DMMzdy->QDochadzka.Close();
    DMMzdy->QMzdy.Close();
    DMMzdy->QVykony.Close();
}

void TSMzdyForm::ShowActivePage()
{
    TDMMzdy &dm = *DMMzdy;
    if (!dm.QZamestnanci.Active())
        return;
    QWidget *current = PageControlMzdy->currentWidget();
    if (current == tabDochadzka) {
        const QDate day = vDatum1->Date();
        if (!day.isValid())
            throw EDatabaseError(QString::fromUtf8("Dátum nie je platný !"));
        dm.DayDate = day;
        dm.OpenAttendance(MzdySql::AttendanceOfDay, Shift());
    } else if (current == tabMesiac) {
        dm.OpenAttendance(MzdySql::AttendanceOfMonth);
    } else if (current == tabVykony) {
        dm.QVykony.Close();
        dm.QVykony.ParamByName(QStringLiteral("D_od")).SetValue(dm.MonthStart());
        dm.QVykony.ParamByName(QStringLiteral("D_do")).SetValue(dm.MonthEnd());
        dm.QVykony.Open();
    } else if (current == tabMzda) {
        dm.OpenAttendance(MzdySql::AttendanceSums);
        dm.OpenWages(MzdySql::WageOfMonth);
        ApplyLock(DBcbZAMKNUTY->isChecked());
    } else if (current == tabGraf) {
        // The wage set follows the employee list, so a move in the list redraws the chart.
        dm.OpenWages(MzdySql::WagesOfYear);
        DBChart1->SetTitle(QString::fromUtf8("Vývoj miezd v roku ") + QString::number(dm.Year()));
        SeriesUkol.SetDataSource(&dm.DSMzdy);
        SeriesMzda.SetDataSource(&dm.DSMzdy);
        DBChart1->AddSeries(&SeriesUkol);
        DBChart1->AddSeries(&SeriesMzda);
        DBChart1->RefreshData();
    } else if (current == tabMzdyAll) {
        dm.OpenWages(MzdySql::WagesOfMonth);
    }
}

void TSMzdyForm::showWagesTotal()
{
    // The wage set shows one employee's wage or year on the other pages.
    TxQuery &wages = DMMzdy->QMzdy;
    if (PageControlMzdy->currentWidget() != tabMzdyAll)
        return;
    const double total = TListTotal::Sum(&wages, QStringLiteral("Mzda_celkom"));
    LabelMzdy_celkom->setText(FormatFloat(QStringLiteral("# ##0"), total).trimmed());
}

void TSMzdyForm::PrintWages()
{
    TDMMzdy &dm = *DMMzdy;
    const int choice =
        ChooseOption(QString::fromUtf8("Súpis miezd,Mzdový lístok,Výkony na operácie"), QString::fromUtf8("Tlačiť"));
    if (choice == 1) {
        TSMzdyQRAllForm list;
        list.SetMonth(dm.Year(), dm.Month());
        PrintReportWithDataSet(&list.Rep, &dm.QMzdy);
    } else if (choice == 2 || choice == 3) {
        TxQuery &q = DMZal->Query;
        q.Close();
        q.SQL().SetText(choice == 2 ? MzdySql::WageSlips : MzdySql::WagesByOperation);
        if (choice == 2) {
            q.ParamByName(QStringLiteral("rok")).SetValue(dm.Year());
            q.ParamByName(QStringLiteral("mesiac")).SetValue(dm.Month());
        }
        q.ParamByName(QStringLiteral("D_od")).SetValue(dm.MonthStart());
        q.ParamByName(QStringLiteral("D_do")).SetValue(dm.MonthEnd());
        q.Open();
        if (choice == 2) {
            TSMzdyQR1Form slip;
            slip.FundLabel->Caption = QStringLiteral("Fond ") + LabelMesacnyFond->text();
            slip.Rep.setDataSet(&q);
            PrintReport(&slip.Rep, slip.Rep.ReportTitle);
        } else {
            TSMzdyQRVykForm byOperation;
            byOperation.Rep.setDataSet(&q);
            PrintReport(&byOperation.Rep, byOperation.Rep.ReportTitle);
        }
        q.Close();
    }
}

void TSMzdyForm::ShowPerformanceDetail(bool wholeMonth)
{
    TxQuery &days = DMMzdy->QVykony;
    if (!days.Active() || days.IsEmpty() || days.FieldByName(QStringLiteral("DATUM"))->IsNull())
        return;
    const QDate day = days.FieldByName(QStringLiteral("DATUM"))->AsDate();
    const auto [from, to] = wholeMonth ? MonthBounds(day) : std::pair{day, day};
    TSVykonyForm &form = FormOnDemand(SVykonyForm);
    form.PrepareOverview(from, to, CurrentEmployee());
    form.ShowModal();
}

void TSMzdyForm::FillWageHistory()
{
    const QList<TWageMonth> months = DMMzdy->WageHistory(CurrentEmployee());
    for (int row = 1; row < sg3MMzdy->rowCount(); ++row) {
        const bool filled = row - 1 < months.size();
        const TWageMonth m = filled ? months[row - 1] : TWageMonth{};
        const QStringList cells{m.month, filled ? FormatFloat(QStringLiteral("0.00"), m.ukolHod) : QString(),
                                filled ? FormatFloat(QStringLiteral("0.00"), m.mzdaHod) : QString(),
                                filled ? FormatFloat(QStringLiteral("0.00"), m.mzdaVyk) : QString()};
        for (int col = 0; col < 4; ++col)
            sg3MMzdy->setItem(row, col, new QTableWidgetItem(cells[col]));
    }
}

void TSMzdyForm::FillPerformanceHistory()
{
    const int osc = CurrentEmployee();
    for (int row = 1; row < sg3MVykony->rowCount(); ++row) {
        const auto [from, to] = MonthBounds(DMMzdy->MonthStart().addMonths(-row));
        sg3MVykony->setItem(row, 0, new QTableWidgetItem(FormatDateTime(QStringLiteral("mmmm yy"), from)));
        sg3MVykony->setItem(row, 1, new QTableWidgetItem(FormatCurr(DMMzdy->PerformanceWage(osc, from, to))));
    }
}

void TSMzdyForm::ApplyLock(bool locked)
{
    for (TDBEdit *e : LockedEdits)
        if (e)
            e->setReadOnly(locked);
}

void TSMzdyForm::FillMonthAttendanceSums()
{
    // The attendance set shows one day on the day's page.
    TxQuery &q = DMMzdy->QDochadzka;
    if (PageControlMzdy->currentWidget() != tabMesiac || !q.Active())
        return;
    const QStringList &fields = TDMMzdy::HourFields();
    std::vector<double> sums(size_t(fields.size()), 0.0);
    for (int row = 0; row < q.RecordCount(); ++row)
        q.WithRecord(row, [&] {
            for (int i = 0; i < fields.size(); ++i)
                sums[size_t(i)] += q.FieldByName(fields[i])->AsFloat();
        });
    for (int i = 0; i < fields.size(); ++i) {
        sgSumMesiac->setHorizontalHeaderItem(i + 1, new QTableWidgetItem(q.FieldByName(fields[i])->DisplayLabel()));
        sgSumMesiac->setItem(0, i + 1, new QTableWidgetItem(FormatFloat(QStringLiteral("##0.0"), sums[size_t(i)])));
    }
}

void ShowAttendanceWages()
{
    FormOnDemand(SMzdyForm).ShowModal();
}
