// The wage page of the attendance and wages form: the panel of the employee's wage record of the month with
// its lock, the month's attendance sums beside it, and the wage history of the months before.
#include "SMzdyForm.h"

#include "DMMzdy.h"
#include "platform/ui/Guarded.h"
#include "platform/ui/DBControls.h"
#include "platform/ui/PickLink.h"

#include <QApplication>
#include <QBoxLayout>
#include <QFormLayout>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>

namespace {

struct Shown {
    const char *field, *caption;
    bool edit; // typed, else only shown
};

// One row per field: a data edit or a data text under its caption.
void addRows(QWidget *parent, QFormLayout *form, TDataSource *source, std::initializer_list<Shown> rows)
{
    for (const Shown &row : rows) {
        const QString field = QString::fromLatin1(row.field);
        QWidget *control =
            row.edit ? static_cast<QWidget *>(MakeBound<TDBEdit>(parent, source, QStringLiteral("DBe"), field))
                     : MakeBound<TDBText>(parent, source, QStringLiteral("DBt"), field);
        form->addRow(QString::fromUtf8(row.caption), control);
    }
}

} // namespace

void TSMzdyForm::buildWagePage()
{
    TDMMzdy &dm = *DMMzdy;
    auto *wageLayout = new QVBoxLayout(tabMzda);
    auto *columns = new QHBoxLayout;
    wageLayout->addLayout(columns);

    PanelMzdy = new QFrame(tabMzda);
    PanelMzdy->setObjectName(QStringLiteral("PanelMzdy"));
    PanelMzdy->setFrameShape(QFrame::StyledPanel);
    columns->addWidget(PanelMzdy, 1);
    auto *wageForm = new QFormLayout(PanelMzdy);
    // The piece wage is taken over from the month's performances by its caption or its button.
    const auto takeOver = [this] { DMMzdy->TakeOverPieceWage(CurrentEmployee()); };
    auto *pieceCaption = new QLabel(QString::fromUtf8("Úkolová mzda celkom"), PanelMzdy);
    MakePickLink(pieceCaption, takeOver);
    auto *pieceRow = new QHBoxLayout;
    pieceRow->addWidget(MakeBound<TDBText>(PanelMzdy, &dm.DSMzdy, QStringLiteral("DBt"), QStringLiteral("MZDA_VYK")),
                        1);
    auto *pieceButtons = new QHBoxLayout;
    btnPrevziat = GuardedButton(QString::fromUtf8("..."), PanelMzdy, pieceButtons, takeOver);
    btnPrevziat->setToolTip(QString::fromUtf8("Prevziať mzdu z úkolu"));
    btnPrevziat->setMaximumWidth(30);
    pieceRow->addLayout(pieceButtons);
    wageForm->addRow(pieceCaption, pieceRow);
    addRows(PanelMzdy, wageForm, &dm.DSMzdy,
            {{"UKOL_HOD", "Úkolová mzda na hod.", false},
             {"MZDA_REZ", "Réžijná mzda", false},
             {"MZDA_HOD_VYP", "Priemer mzdy na hod.", false},
             {"MZDA_HOD", "Mzda/hod. upr.", true},
             {"PREMIE", "Prémie", true},
             {"Mzda_celkom", "Mzda celkom", false}});
    wageForm->addRow(new QLabel(QString::fromUtf8("Príplatky :"), PanelMzdy));
    addRows(PanelMzdy, wageForm, &dm.DSMzdy,
            {{"PRIPL_PRO", "za prostredie", false},
             {"PRIPL_NADCAS", "za nadčas", false},
             {"PRIPL_VIKEND", "za víkendy", false},
             {"PRIPL_NOC", "za noc", false},
             {"PRIPL_PRED", "za predáctvo", false},
             {"PRIPL_DOCH", "za dochádzku", false},
             {"PRIPL_VYK", "za výkon", false},
             {"PRIPL_VED", "vedúci", true}});
    for (const char *name : {"DBeMZDA_HOD", "DBePREMIE", "DBePRIPL_VED"})
        LockedEdits << PanelMzdy->findChild<TDBEdit *>(QString::fromLatin1(name));
    DBcbZAMKNUTY = MakeBound<TDBCheckBox>(PanelMzdy, &dm.DSMzdy, QStringLiteral("DBcb"), QStringLiteral("ZAMKNUTY"));
    DBcbZAMKNUTY->setText(QString::fromUtf8("Zamknutý"));
    DBcbZAMKNUTY->ValueChecked = QStringLiteral("1");
    DBcbZAMKNUTY->ValueUnchecked = QStringLiteral("0");
    connect(DBcbZAMKNUTY, &QCheckBox::clicked, this, [this](bool checked) { ApplyLock(checked); });
    wageForm->addRow(QString(), DBcbZAMKNUTY);
    // Entering the panel shows the lock of the record it holds now.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (now && PanelMzdy->isAncestorOf(now))
            ApplyLock(DBcbZAMKNUTY->isChecked());
    });

    // The month's attendance: the sums of the attendance days.
    auto *sums = new QFormLayout;
    addRows(tabMzda, sums, &dm.DSDochadzka,
            {{"OHOD", "Odpracované hod.", false},
             {"RHOD", "Réžijné hodiny", false},
             {"DOVOLENKA", "Dovolenka", false},
             {"NEMOC", "Nemoc", false},
             {"NADCAS25", "Nadčas +25%", false},
             {"NADCAS50", "Nadčas +50%", false},
             {"NEPLATVOL", "Neplat. voľno", false},
             {"NAHRVOL", "Náhrad.voľno", false},
             {"PLATVOL", "Platené voľno", false}});
    columns->addLayout(sums, 1);

    auto *wageButtons = new QHBoxLayout;
    btnZapisMzdu1 = GuardedButton(QString::fromUtf8("Zapíš"), tabMzda, wageButtons, [] {
        if (DMMzdy->QMzdy.State() == dsEdit || DMMzdy->QMzdy.State() == dsInsert)
            DMMzdy->QMzdy.Post();
    });
    btn3Mesiace = GuardedButton(QString::fromUtf8("<< 3.mesiace"), tabMzda, wageButtons, [this] {
        sg3MMzdy->setVisible(!sg3MMzdy->isVisible());
        if (sg3MMzdy->isVisible())
            FillWageHistory();
    });
    BtnGrafMzda = GuardedButton(QString::fromUtf8("Graf >>"), tabMzda, wageButtons,
                                [this] { PageControlMzdy->setCurrentWidget(tabGraf); });
    wageButtons->addStretch();
    wageLayout->addLayout(wageButtons);
    sg3MMzdy = new QTableWidget(4, 4, tabMzda);
    sg3MMzdy->setObjectName(QStringLiteral("sg3MMzdy"));
    const char *const headers[] = {"", "Ukol/hod.", "Mzda/hod.", "Mzda vyk."};
    for (int i = 0; i < 4; ++i)
        sg3MMzdy->setItem(0, i, new QTableWidgetItem(QString::fromUtf8(headers[i])));
    sg3MMzdy->hide();
    wageLayout->addWidget(sg3MMzdy);
    wageLayout->addStretch();
}
