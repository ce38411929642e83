#include "SPlanForm.h"

#include "DMVyroba.h"
#include "DropDownComboBox.h"
#include "ProductionWidgets.h"
#include "SPlanQR1Rep.h"
#include "library/Buttons.h"
#include "library/ListTotal.h"
#include "library/QTlacForm.h"
#include "platform/report/QRControls.h"
#include "platform/os/Clock.h"
#include "platform/os/Format.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DateEdit.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FormGlobal.h"
#include "platform/ui/Guarded.h"
#include "platform/ui/RadioGroup.h"
#include "shell/DMZal.h"
#include "shell/Routines.h"

#include <QAction>
#include <QBoxLayout>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolTip>
#include <cmath>

TSPlanForm *SPlanForm = nullptr;

namespace {

QDate today()
{
    return Now().date();
}

QLineEdit *upperEdit(int maxLength, QWidget *parent)
{
    auto *e = new QLineEdit(parent);
    if (maxLength > 0)
        e->setMaxLength(maxLength);
    QObject::connect(e, &QLineEdit::textEdited, e, [e](const QString &t) {
        if (t != t.toUpper())
            e->setText(t.toUpper());
    });
    return e;
}

QAction *action(const QString &text, QWidget *owner, const std::function<void()> &run)
{
    auto *a = new QAction(text, owner);
    owner->addAction(a);
    QObject::connect(a, &QAction::triggered, owner, [run] { Guarded(run); });
    return a;
}

// Grey for nothing left to make; red background past the term, yellow within two days of it.
void planColours(TDBGrid *grid)
{
    grid->OnGetCellProp = [](TDBGrid *, TDataSet *ds, TField *, TCellFont &font, QColor &background, bool) {
        if (TField *left = ds->FindField(QString::fromUtf8("Zostáva")); left && left->AsFloat() <= 0)
            font.Color = Qt::gray;
        if (TField *term = ds->FindField(QString::fromUtf8("Termín")); term && !term->IsNull()) {
            const qint64 days = today().daysTo(term->AsDate());
            if (days < 0)
                background = Qt::red;
            else if (days <= 2)
                background = Qt::yellow;
        }
    };
}

} // namespace

TSPlanForm::TSPlanForm(QWidget *owner) : TForm(owner)
{
    TrackGlobal(this, SPlanForm);
    setWindowTitle(QString::fromUtf8("Kapacitný plán výroby"));
    auto *layout = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    rgPohlad = new TRadioGroup(this);
    rgPohlad->setTitle(QString::fromUtf8("Pohľad"));
    rgPohlad->SetItems({QString::fromUtf8("za Operácie"), QString::fromUtf8("za Pracoviská"),
                        QString::fromUtf8("za Profesie"), QString::fromUtf8("za Týždne"),
                        QString::fromUtf8("za Zákazky"), QString::fromUtf8("Detailný")});
    rgPohlad->SetItemIndex(0);
    rgPohlad->OnClick = [this] { Guarded([this] { Rebuild(rgPohlad); }); };
    top->addWidget(rgPohlad);

    auto *filterBox = new QGroupBox(QString::fromUtf8("Výber"), this);
    auto *filter = new QFormLayout(filterBox);
    vTermin = new TDateEdit(filterBox);
    vOPERACIA = upperEdit(3, filterBox);
    vPRACOVISKO = upperEdit(5, filterBox);
    vPROFESIA = upperEdit(0, filterBox);
    filter->addRow(QString::fromUtf8("Termín do"), vTermin);
    filter->addRow(QString::fromUtf8("Operácia"), vOPERACIA);
    filter->addRow(QString::fromUtf8("Pracovisko"), vPRACOVISKO);
    filter->addRow(QString::fromUtf8("Profesia"), vPROFESIA);
    for (QLineEdit *e : {vOPERACIA, vPRACOVISKO, vPROFESIA})
        connect(e, &QLineEdit::editingFinished, this, [this, e] { Guarded([this, e] { Rebuild(e); }); });
    // A term typed rebuilds when the edit is left; one chosen in the calendar at once.
    connect(vTermin, &TDateEdit::CalendarDateChosen, this, [this] { Guarded([this] { Rebuild(vTermin); }); });
    OnDateLeft(vTermin, this, [this] { Rebuild(vTermin); });
    connect(vTermin, &QLineEdit::textChanged, this, [this] { Guarded([this] { TermChanged(); }); });
    top->addWidget(filterBox);

    auto *estimateBox = new QGroupBox(QString::fromUtf8("Výpočet"), this);
    auto *estimate = new QFormLayout(estimateBox);
    eDni = new QLineEdit(estimateBox);
    eZam = new QLineEdit(estimateBox);
    eZmeny = new QLineEdit(QStringLiteral("1"), estimateBox);
    eZmeny->setEnabled(false);
    lHod = new QLabel(estimateBox);
    lNormoHodiny = new QLabel(estimateBox);
    estimate->addRow(QString::fromUtf8("počet Dní"), eDni);
    estimate->addRow(QString::fromUtf8("počet Zamestnancov"), eZam);
    estimate->addRow(QString::fromUtf8("počet Zmien"), eZmeny);
    estimate->addRow(QString::fromUtf8("hodín"), lHod);
    estimate->addRow(QString::fromUtf8("Potrebné NormoHodiny"), lNormoHodiny);
    for (QLineEdit *e : {eDni, eZam})
        connect(e, &QLineEdit::textEdited, this, [this] { Guarded([this] { EstimateChanged(); }); });
    top->addWidget(estimateBox);
    layout->addLayout(top);

    pcSPlan = new QTabWidget(this);
    tabNEZaplanovane = new QWidget;
    auto *unplanned = new QVBoxLayout(tabNEZaplanovane);
    DBgNEzaplanovane = new TDBGrid(tabNEZaplanovane);
    DBgNEzaplanovane->SetDataSource(&DMZal->DSTlac);
    DBgNEzaplanovane->SetReadOnly(true);
    DBgNEzaplanovane->SetOptions(DBgNEzaplanovane->Options() | dgRowSelect | dgMultiSelect);
    DBgNEzaplanovane->setContextMenuPolicy(Qt::ActionsContextMenu);
    planColours(DBgNEzaplanovane);
    actZaplanujZakazku = action(QString::fromUtf8("Zaplánuj zákazku"), DBgNEzaplanovane, [this] { PlanJob(); });
    actZaplanujOperaciu = action(QString::fromUtf8("Zaplánuj operáciu"), DBgNEzaplanovane, [this] { PlanOperation(); });
    unplanned->addWidget(DBgNEzaplanovane);
    auto *planRow = new QHBoxLayout;
    cbSposobZaplanovania = new QComboBox(tabNEZaplanovane);
    cbSposobZaplanovania->addItems({QString::fromUtf8("Od prvej operácie (od zadaného termínu)"),
                                    QString::fromUtf8("Od poslednej operácie (od termínu zákazky)")});
    cbSposobZaplanovania->setCurrentIndex(1);
    btnZaplanuj = new QPushButton(QString::fromUtf8("Zaplánuj >>"), tabNEZaplanovane);
    connect(btnZaplanuj, &QPushButton::clicked, this, [this] { Guarded([this] { PlanJob(); }); });
    planRow->addWidget(new QLabel(QString::fromUtf8("Spôsob zaplánovania"), tabNEZaplanovane));
    planRow->addWidget(cbSposobZaplanovania);
    planRow->addWidget(btnZaplanuj);
    unplanned->addLayout(planRow);
    pcSPlan->addTab(tabNEZaplanovane, QString::fromUtf8("Nezaplánované zákazky"));

    tabSPlan = new QWidget;
    auto *planned = new QVBoxLayout(tabSPlan);
    auto *periodRow = new QHBoxLayout;
    cbOBDOBIE = new TDropDownComboBox(tabSPlan);
    cbOBDOBIE->setEditable(true);
    // The periods as they are now: planning may have made one since the form opened.
    cbOBDOBIE->OnDropDown = [] { return TDMVyroba::PlanPeriods(); };
    connect(cbOBDOBIE, &QComboBox::currentTextChanged, this, [this] { Guarded([this] { Rebuild(cbOBDOBIE); }); });
    periodRow->addWidget(new QLabel(QStringLiteral("Obdobie"), tabSPlan));
    periodRow->addWidget(cbOBDOBIE);
    planned->addLayout(periodRow);
    DBgSPlan = new TDBGrid(tabSPlan);
    DBgSPlan->SetDataSource(&DMVyroba->DSSPlan);
    DBgSPlan->SetOptions(DBgSPlan->Options() | dgMultiSelect);
    DBgSPlan->setContextMenuPolicy(Qt::ActionsContextMenu);
    planColours(DBgSPlan);
    actZmazZakazku = action(QString::fromUtf8("Zmaž zákazku"), DBgSPlan, [this] { DeleteJob(); });
    actZmazOznacene = action(QString::fromUtf8("Zmaž označené"), DBgSPlan, [this] { DeleteMarked(); });
    actZmazOznacene->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    actZmazVsetko = action(QString::fromUtf8("Zmaž všetko"), DBgSPlan, [this] { DeleteAll(); });
    planned->addWidget(DBgSPlan);
    pcSPlan->addTab(tabSPlan, QString::fromUtf8("Zaplánované zákazky"));

    tabKalendar = new QWidget;
    auto *calendar = new QVBoxLayout(tabKalendar);
    sgPlan = new QTableWidget(tabKalendar);
    sgPlan->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgPlan->viewport()->setMouseTracking(true);
    calendar->addWidget(sgPlan);
    pcSPlan->addTab(tabKalendar, QString::fromUtf8("Kalendár"));
    connect(pcSPlan, &QTabWidget::currentChanged, this, [this] { Guarded([this] { Rebuild(pcSPlan); }); });
    layout->addWidget(pcSPlan);
    BtnTlac = GuardedButton(QString::fromUtf8("Tlač"), this, [this] { BtnTlacClick(); });
    BtnKoniec = AddKoniecRow(this, layout, BtnTlac);

    vTermin->SetDate(today().addDays(60));
    OnShow = [this] {
        Guarded([this] {
            cbOBDOBIE->Refill();
            Rebuild(this);
        });
    };
    OnClose = [](TCloseAction &) {
        DMZal->QTlac.Close();
        DMVyroba->QSPlan.Close();
    };
    resize(1000, 650);
    // The norm hours follow the list shown: a planning run, a deletion, an edit of a planned quantity.
    for (TDataSource *list : {&DMZal->DSTlac, &DMVyroba->DSSPlan})
        normHours_.push_back(std::make_unique<TListTotal>(list, [this] {
            if (isVisible())
                UpdateNormHoursLabel();
        }));
}

TSPlanForm::~TSPlanForm() = default;

QDate TSPlanForm::termDate() const
{
    return vTermin->Date();
}

bool TSPlanForm::eventFilter(QObject *watched, QEvent *event)
{
    // The form's controls need no filter of their own: as the application's filter (the key preview) the
    // form sees each of their events once.
    if (!vTermin || !sgPlan)
        return TForm::eventFilter(watched, event); // still being built
    if (watched == sgPlan->viewport()) {
        if (event->type() == QEvent::MouseMove) {
            showCalendarHint(static_cast<QMouseEvent *>(event)->position().toPoint());
        } else if (event->type() == QEvent::ToolTip) {
            // Shown already, at once, by the mouse move.
            showCalendarHint(static_cast<QHelpEvent *>(event)->pos());
            return true;
        }
    }
    return TForm::eventFilter(watched, event);
}

void TSPlanForm::showCalendarHint(const QPoint &position)
{
    const QModelIndex cell = sgPlan->indexAt(position);
    const QString hint = cell.isValid() ? Calendar.GetCell(cell.row(), cell.column()).Hint : QString();
    if (hint.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(sgPlan->viewport()->mapToGlobal(position), hint, sgPlan->viewport());
}

void TSPlanForm::Rebuild(QObject *caller)
{
    if (!isVisible())
        return;
    if (cbOBDOBIE->currentText().isEmpty()) {
        cbOBDOBIE->blockSignals(true);
        cbOBDOBIE->setCurrentText(QStringLiteral(" "));
        cbOBDOBIE->blockSignals(false);
    }
    // A name typed after the box's blank is the name without it: the lists compare periods without blanks
    // around them, so a period stored with a leading blank would never be listed.
    const QString period = cbOBDOBIE->currentText().trimmed();
    DMVyroba->Planning.PlanPeriod = period.isEmpty() ? QStringLiteral(" ") : period;
    const QString filter = TDMVyroba::PlanFilter(termDate(), today().addDays(60), vOPERACIA->text(),
                                                 vPRACOVISKO->text(), vPROFESIA->text());
    const int view = rgPohlad->ItemIndex();
    const bool force = caller == pcSPlan;
    if (pcSPlan->currentWidget() == tabNEZaplanovane) {
        DMVyroba->OpenUnplanned(view, filter, force);
        actZaplanujOperaciu->setEnabled(DMZal->QTlac.FindField(QStringLiteral("C_OPERACIE")) != nullptr);
    } else if (pcSPlan->currentWidget() == tabSPlan) {
        DBgSPlan->SetReadOnly(view != 5);
        DMVyroba->OpenPlanned(view, DMVyroba->Planning.PlanPeriod, filter, force);
    } else {
        BuildPlanCalendar();
    }
    UpdateNormHoursLabel();
}

void TSPlanForm::UpdateNormHoursLabel()
{
    TDataSet *ds = pcSPlan->currentWidget() == tabNEZaplanovane ? static_cast<TDataSet *>(&DMZal->QTlac)
                   : pcSPlan->currentWidget() == tabSPlan       ? &DMVyroba->QSPlan
                                                                : nullptr;
    const double sum = TListTotal::Sum(ds, QStringLiteral("NormoHodiny"));
    lNormoHodiny->setText(QString::number(qint64(std::nearbyint(sum))));
}

void TSPlanForm::BuildPlanCalendar()
{
    TDataSet *ds = DMVyroba->OpenCalendar(rgPohlad->ItemIndex(), vPRACOVISKO->text(), vOPERACIA->text());
    int first = 0, last = 0;
    if (!ds->IsEmpty()) {
        const auto key = [ds] {
            const QVariant v = ds->Fields(0)->Value();
            return v.typeId() == QMetaType::QDate ? TCalendarArray::DayKey(v.toDate())
                                                  : int(std::nearbyint(v.toDouble()));
        };
        ds->First();
        first = key();
        ds->Last();
        last = key();
    }
    Calendar.SetRange(first, last);
    Calendar.LoadFromDataSet(ds);
    Calendar.ShowInGrid(sgPlan);
    ds->Close();
}

void TSPlanForm::TermChanged()
{
    const QDate term = termDate();
    if (!term.isValid())
        return;
    int days = 0;
    for (QDate d = today(); d <= term && days <= 3660; d = d.addDays(1))
        if (d.dayOfWeek() < 6)
            ++days;
    eDni->setText(QString::number(days));
    EstimateChanged();
}

void TSPlanForm::EstimateChanged()
{
    const double hours = eDni->text().trimmed().toInt() * 7.5;
    // No days: there is nothing to divide the norm hours by, and the staff proposal stays as it is.
    if (hours > 0 && (eZam->text() == QStringLiteral(" ") || eZam->text() == QStringLiteral("0")))
        eZam->setText(QString::number(qint64(std::nearbyint(lNormoHodiny->text().toDouble() / hours))));
    lHod->setText(QString::number(qint64(std::nearbyint(eZam->text().trimmed().toInt() * hours))));
}

void TSPlanForm::PlanJob()
{
    TDataSet &q = DMZal->QTlac;
    // A list of sums names no job to plan: said, not passed over.
    if (!q.Active() || q.IsEmpty()) {
        ShowMessage(QString::fromUtf8("V zozname nie je žiadna zákazka na zaplánovanie."));
        return;
    }
    if (!q.FindField(QStringLiteral("C_INT"))) {
        ShowMessage(QString::fromUtf8("Zákazka sa plánuje z pohľadu \"za Zákazky\" alebo \"Detailný\"."));
        return;
    }
    TPlanningRequest request;
    request.C_INT = q.FieldByName(QStringLiteral("C_INT"))->AsInteger();
    if (cbSposobZaplanovania->currentIndex() == 0) {
        QString start = DateStr(today().addDays(1));
        if (!InputQuery(QString::fromUtf8("Zaplánuj zákazku"), QString::fromUtf8("Začiatok plánovania:"), start))
            return;
        request.Direction = 1;
        request.Start = StrToDate(start);
    } else {
        request.Direction = -1;
    }
    if (DMVyroba->Planning.RunCapacityPlanning(request))
        ReadUnplannedAgain();
}

void TSPlanForm::PlanOperation()
{
    TDataSet &q = DMZal->QTlac;
    if (!q.Active() || q.IsEmpty() || !q.FindField(QStringLiteral("C_OPERACIE")))
        return;
    QString start =
        q.FindField(QString::fromUtf8("Termín")) ? q.FieldByName(QString::fromUtf8("Termín"))->AsString() : QString();
    if (!InputQuery(QString::fromUtf8("Zaplánovanie operácie"), QString::fromUtf8("Začiatok operácie:"), start))
        return;
    TPlanningRequest request;
    request.Direction = 1;
    request.C_INT = q.FieldByName(QStringLiteral("C_INT"))->AsInteger();
    request.C_OPERACIE = q.FieldByName(QStringLiteral("C_OPERACIE"))->AsInteger();
    request.Start = StrToDate(start);
    if (DMVyroba->Planning.RunCapacityPlanning(request))
        ReadUnplannedAgain();
}

void TSPlanForm::ReadUnplannedAgain()
{
    TDataSet &q = DMZal->QTlac;
    const int row = q.Active() ? q.RecNo() : 1;
    Rebuild(pcSPlan); // forced, as a change of page is: the statement is the same, its rows are not
    if (!q.Active() || q.IsEmpty())
        return;
    // The row that took the planned one's place, or the last when it was the last.
    q.SetRecNo(row);
    if (q.RecNo() != row)
        q.Last();
}

bool TSPlanForm::CanEditPlanRows()
{
    if (!DBgSPlan->ReadOnly() && DMVyroba->QSPlan.Active())
        return true;
    ShowMessage(QString::fromUtf8("Pohľad v \"Zaplánovaných zákazkách\" musí byť \"Detailný\""));
    return false;
}

void TSPlanForm::DeleteJob()
{
    if (CanEditPlanRows())
        DMVyroba->DeletePlanRowsOfJob();
}

void TSPlanForm::DeleteMarked()
{
    if (CanEditPlanRows())
        DMVyroba->DeletePlanRows(DBgSPlan->SelectedRows());
}

void TSPlanForm::DeleteAll()
{
    if (CanEditPlanRows())
        DMVyroba->DeleteAllPlanRows();
}

TSPlanQR1Rep &TSPlanForm::Report()
{
    if (!report_)
        report_ = std::make_unique<TSPlanQR1Rep>();
    return *report_;
}

void TSPlanForm::BtnTlacClick()
{
    TSPlanQR1Rep &report = Report();
    const QDate term = termDate();
    report.QRlObdobie->Caption = QStringLiteral("k ") + (term.isValid() ? DateStr(term) : QString());
    report.QRlDni->Caption = QString::fromUtf8("Dní ") + eDni->text();
    report.QRlHodiny->Caption = QString::fromUtf8("Hodín ") + lHod->text();
    if (pcSPlan->currentWidget() == tabNEZaplanovane)
        report.setDataSet(&DMZal->QTlac);
    else if (pcSPlan->currentWidget() == tabSPlan)
        report.setDataSet(&DMVyroba->QSPlan);
    PrintReport(&report);
}

void ShowCapacityPlan()
{
    FormOnDemand(SPlanForm).ShowModal();
}
