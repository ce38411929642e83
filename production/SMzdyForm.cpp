#include "SMzdyForm.h"

#include "DMMzdy.h"
#include "GuardedButton.h"
#include "MzdySql.h"
#include "SMzdyQR1Form.h"
#include "SMzdyQRAllForm.h"
#include "SMzdyQRVykForm.h"
#include "SVykonyForm.h"
#include "WageExport.h"
#include "library/QTlacForm.h"
#include "library/xDBGrid.h"
#include "library/xForm.h"
#include "shell/DMZal.h"
#include "shell/Routines.h"
#include "platform/os/Clock.h"
#include "platform/os/Format.h"
#include "platform/report/QRControls.h"
#include "platform/ui/DBControls.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/FormGlobal.h"
#include "platform/ui/Guarded.h"

#include <QBoxLayout>
#include <QFormLayout>
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
    vDatum1 = new QLineEdit(tabDochadzka);
    vDatum1->setObjectName(QStringLiteral("vDatum1"));
    dayForm->addRow(QString::fromUtf8("Dátum"), vDatum1);
    connect(vDatum1, &QLineEdit::editingFinished, this, [this] { Guarded([this] { ShowActivePage(); }); });
    const QList<QPair<const char *, const char *>> dayFields{{"OHOD", "Odpracované hod."},
                                                             {"RHOD", "z toho Režijné hod."},
                                                             {"RDOVOD", "dôvod"},
                                                             {"DOVOLENKA", "Dovolenka"},
                                                             {"NEMOC", "Nemoc"},
                                                             {"STATVOL", "OČR, Otcovské"},
                                                             {"NAHRVOL", "Náhradné voľno"},
                                                             {"PLATVOL", "Platené voľno"},
                                                             {"NEPLATVOL", "NePlatené voľno"},
                                                             {"NADCAS25", "Nadčas +25%"},
                                                             {"NADCAS50", "Nadčas +50%"},
                                                             {"PREKAZKA1", "Prekážka na strane zamestnávateľa"}};
    addEdits(tabDochadzka, dayForm, &dm.DSDochadzka, dayFields);
    dayLayout->addLayout(dayForm);
    auto *dayButtons = new QHBoxLayout;
    btnZapis1 = GuardedButton(tabDochadzka, dayButtons, "Zapíš", [this] {
        TxQuery &q = DMMzdy->QDochadzka;
        if (q.State() == dsInsert) {
            q.FieldByName(QStringLiteral("OSC"))
                ->SetValue(DMMzdy->QZamestnanci.FieldByName(QStringLiteral("OSC"))->Value());
            q.FieldByName(QStringLiteral("DATUM"))->SetValue(DMMzdy->DayDate);
            q.FieldByName(QStringLiteral("ZMENA"))->SetValue(1);
            q.FieldByName(QStringLiteral("STREDISKO"))->SetValue(QStringLiteral(" "));
        }
        if (q.State() == dsEdit || q.State() == dsInsert)
            q.Post();
    });
    BtnZapisVsetkym = GuardedButton(tabDochadzka, dayButtons, "&Všetkým", [this] {
        TDMMzdy &m = *DMMzdy;
        QList<int> oscs{m.QZamestnanci.FieldByName(QStringLiteral("OSC"))->AsInteger()};
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
        m.WriteDayForEmployees(oscs, m.DayDate, 1);
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
    sgSumMesiac->setMaximumHeight(60);
    monthLayout->addWidget(sgSumMesiac);

    tabVykony = page(PageControlMzdy, "tabVykony", "Výkony");
    auto *perfLayout = new QVBoxLayout(tabVykony);
    DBGridVykony = grid(tabVykony, &dm.DSVykony, {"DATUM", "MZDA", "OHOD", "NHOD"});
    perfLayout->addWidget(DBGridVykony);
    auto *perfForm = new QFormLayout;
    LabelMzdaSpolu = new QLabel(tabVykony);
    LabelNormoHodinyDen = new QLabel(tabVykony);
    perfForm->addRow(QStringLiteral("Mzda spolu"), LabelMzdaSpolu);
    perfForm->addRow(QString::fromUtf8("NormoHodiny/deň"), LabelNormoHodinyDen);
    perfLayout->addLayout(perfForm);
    auto *perfButtons = new QHBoxLayout;
    BtnDetailDen = GuardedButton(tabVykony, perfButtons, "&Detail deň >>", [this] { ShowPerformanceDetail(false); });
    BtnDetailMesiac =
        GuardedButton(tabVykony, perfButtons, "Detail &Mesiac >>", [this] { ShowPerformanceDetail(true); });
    perfLayout->addLayout(perfButtons);
    DBGridVykony->OnDblClick = [this](TDBGrid *) { Guarded([this] { ShowPerformanceDetail(false); }); };
    dm.PerformancesAfterOpen = [this] {
        LabelMzdaSpolu->setText(FormatFloat(QStringLiteral("0.00"), DMMzdy->PerformanceSummary.mzda));
        LabelNormoHodinyDen->setText(DMMzdy->PerformanceSummary.perShift);
    };

    tabMzda = page(PageControlMzdy, "tabMzda", "Mzda");
    auto *wageLayout = new QVBoxLayout(tabMzda);
    auto *wageForm = new QFormLayout;
    const QList<QPair<const char *, const char *>> wageFields{{"MZDA_VYK", "Úkolová mzda celkom"},
                                                              {"MZDA_REZ", "Réžijná mzda"},
                                                              {"MZDA_HOD", "Priemer mzdy na hod."},
                                                              {"PREMIE", "Prémie"},
                                                              {"PRIPL_VED", "vedúci"}};
    addEdits(tabMzda, wageForm, &dm.DSMzdy, wageFields);
    for (const char *name : {"DBeMZDA_HOD", "DBePREMIE", "DBePRIPL_VED"})
        LockedEdits << tabMzda->findChild<TDBEdit *>(QString::fromLatin1(name));
    DBcbZAMKNUTY = new TDBCheckBox(tabMzda);
    DBcbZAMKNUTY->setObjectName(QStringLiteral("DBcbZAMKNUTY"));
    DBcbZAMKNUTY->setText(QString::fromUtf8("Zamknutý"));
    DBcbZAMKNUTY->ValueChecked = QStringLiteral("1");
    DBcbZAMKNUTY->ValueUnchecked = QStringLiteral("0");
    DBcbZAMKNUTY->SetDataSource(&dm.DSMzdy);
    DBcbZAMKNUTY->SetDataField(QStringLiteral("ZAMKNUTY"));
    connect(DBcbZAMKNUTY, &QCheckBox::clicked, this, [this](bool checked) { ApplyLock(checked); });
    wageForm->addRow(QString(), DBcbZAMKNUTY);
    wageLayout->addLayout(wageForm);
    auto *wageButtons = new QHBoxLayout;
    btnPrevziat = GuardedButton(tabMzda, wageButtons, "...", [] {
        DMMzdy->TakeOverPieceWage(DMMzdy->QZamestnanci.FieldByName(QStringLiteral("OSC"))->AsInteger());
    });
    btnPrevziat->setToolTip(QString::fromUtf8("Prevziať mzdu z úkolu"));
    btnZapisMzdu1 = GuardedButton(tabMzda, wageButtons, "Zapíš", [] {
        if (DMMzdy->QMzdy.State() == dsEdit || DMMzdy->QMzdy.State() == dsInsert)
            DMMzdy->QMzdy.Post();
    });
    btn3Mesiace = GuardedButton(tabMzda, wageButtons, "<< 3.mesiace", [this] {
        sg3MMzdy->setVisible(!sg3MMzdy->isVisible());
        if (sg3MMzdy->isVisible())
            FillWageHistory();
    });
    wageLayout->addLayout(wageButtons);
    sg3MMzdy = new QTableWidget(4, 4, tabMzda);
    sg3MMzdy->setObjectName(QStringLiteral("sg3MMzdy"));
    const char *const headers[] = {"", "Ukol/hod.", "Mzda/hod.", "Mzda vyk."};
    for (int i = 0; i < 4; ++i)
        sg3MMzdy->setItem(0, i, new QTableWidgetItem(QString::fromUtf8(headers[i])));
    sg3MMzdy->hide();
    wageLayout->addWidget(sg3MMzdy);
    wageLayout->addStretch();

    tabMzdyAll = page(PageControlMzdy, "tabMzdyAll", "Mzdy všetci");
    auto *allLayout = new QVBoxLayout(tabMzdyAll);
    DBGridMzdyAll = grid(tabMzdyAll, &dm.DSMzdy);
    allLayout->addWidget(DBGridMzdyAll);
    LabelMzdy_celkom = new QLabel(tabMzdyAll);
    allLayout->addWidget(LabelMzdy_celkom);
    auto *allButtons = new QHBoxLayout;
    BtnPocitaj = GuardedButton(tabMzdyAll, allButtons, "Počítaj !", [] { DMMzdy->ComputeMonthWages(); });
    BtnTlac = GuardedButton(tabMzdyAll, allButtons, "Tlač", [this] { PrintWages(); });
    BtnExport = GuardedButton(tabMzdyAll, allButtons, "&Export",
                              [] { WriteWageExport(&DMMzdy->QMzdy, DMMzdy->Year(), DMMzdy->Month()); });
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
    BtnGrafMzda =
        GuardedButton(tabMzda, wageButtons, "Graf >>", [this] { PageControlMzdy->setCurrentWidget(tabGraf); });

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
            if (vRok->value() < 2022 || vDatum1->text().isEmpty()) {
                vDatum1->setText(DateStr(Date()));
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
}

TSMzdyForm::~TSMzdyForm()
{
    DetachGrids(this);
    if (DMMzdy)
        DMMzdy->PerformancesAfterOpen = nullptr;
}

void TSMzdyForm::RokMesChange()
{
    DMMzdy->SetMonth(vRok->value(), vMesiac->value());
    LabelMesacnyFond->setText(FormatFloat(QStringLiteral("0.##"), DMMzdy->MonthHourFund()));
    pageChanging();
    ShowActivePage();
}

void TSMzdyForm::pageChanging()
{
    DBChart1->RemoveAllSeries(); // leaving the chart detaches its series
    DMMzdy->QDochadzka.Close();
    DMMzdy->AttendanceAfterOpen = nullptr;
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
        QDate day;
        if (!TryStrToDate(vDatum1->text().trimmed(), day))
            throw EDatabaseError(QString::fromUtf8("Dátum nie je platný !"));
        dm.DayDate = day;
        dm.OpenAttendance(MzdySql::AttendanceOfDay);
    } else if (current == tabMesiac) {
        dm.AttendanceAfterOpen = [this] { FillMonthAttendanceSums(); };
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
        double total = 0;
        for (int row = 0; row < dm.QMzdy.RecordCount(); ++row)
            dm.QMzdy.WithRecord(row, [&] { total += dm.QMzdy.FieldByName(QStringLiteral("Mzda_celkom"))->AsFloat(); });
        LabelMzdy_celkom->setText(FormatFloat(QStringLiteral("# ##0"), total).trimmed());
    }
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
    form.PrepareOverview(from, to, DMMzdy->QZamestnanci.FieldByName(QStringLiteral("OSC"))->AsInteger());
    form.ShowModal();
}

void TSMzdyForm::FillWageHistory()
{
    const QList<TWageMonth> months =
        DMMzdy->WageHistory(DMMzdy->QZamestnanci.FieldByName(QStringLiteral("OSC"))->AsInteger());
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

void TSMzdyForm::ApplyLock(bool locked)
{
    for (TDBEdit *e : LockedEdits)
        if (e)
            e->setReadOnly(locked);
}

void TSMzdyForm::FillMonthAttendanceSums()
{
    TxQuery &q = DMMzdy->QDochadzka;
    const QStringList &fields = TDMMzdy::HourFields();
    std::vector<double> sums(size_t(fields.size()), 0.0);
    for (int row = 0; row < q.RecordCount(); ++row)
        q.WithRecord(row, [&] {
            for (int i = 0; i < fields.size(); ++i)
                sums[size_t(i)] += q.FieldByName(fields[i])->AsFloat();
        });
    for (int i = 0; i < fields.size(); ++i)
        sgSumMesiac->setItem(0, i + 1, new QTableWidgetItem(FormatFloat(QStringLiteral("##0.0"), sums[size_t(i)])));
}

void ShowAttendanceWages()
{
    FormOnDemand(SMzdyForm).ShowModal();
}
