#include "CisPickForm.h"

#include "library/Buttons.h"
#include "library/xDBGrid.h"
#include "platform/db/DataSet.h"
#include "platform/os/Exception.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Guarded.h"

#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TCisPickForm::TCisPickForm(const QString &caption, TDataSource *source, QWidget *owner) : TForm(owner)
{
    setWindowTitle(caption);
    resize(760, 480);
    auto *main = new QVBoxLayout(this);
    TopLayout = new QHBoxLayout;
    main->addLayout(TopLayout);
    Grid = new TxDBGrid(this);
    Grid->SetDataSource(source);
    Grid->SetReadOnly(true);
    Grid->OnDblClick = [this](TDBGrid *) { SetModalResult(mrOk); };
    main->addWidget(Grid, 1);
    FilterBox = new QGroupBox(QStringLiteral("Filter :"), this);
    auto *filterMain = new QVBoxLayout(FilterBox);
    filterLayout_ = new QFormLayout;
    filterMain->addLayout(filterLayout_);
    BtnFilter = new QPushButton(QStringLiteral("&Filter"), FilterBox);
    filterMain->addWidget(BtnFilter);
    connect(BtnFilter, &QPushButton::clicked, this, [this] { RunFilter(); });
    TopLayout->addWidget(FilterBox);
    ButtonLayout = new QHBoxLayout;
    ButtonLayout->addStretch();
    BtnVyber = new TBitBtn(bkOK, this);
    BtnVyber->setText(QStringLiteral("&Vyber"));
    BtnVyber->SetDefault(false);
    BtnKoniec = new TBtnKoniec(this);
    ButtonLayout->addWidget(BtnVyber);
    ButtonLayout->addWidget(BtnKoniec);
    main->addLayout(ButtonLayout);
}

TCisPickForm::~TCisPickForm()
{
    DetachGrids(this);
}

void TCisPickForm::addFilterRow(const QString &caption, QLineEdit *edit, bool filterOnExit)
{
    filterLayout_->addRow(caption, edit);
    edits_.append(edit);
    if (filterOnExit)
        exitEdits_.append(edit);
}

void TCisPickForm::ClearFilterEdits()
{
    for (QLineEdit *edit : edits_)
        edit->clear();
}

void TCisPickForm::RunFilter()
{
    if (filtering_)
        return;
    filtering_ = true;
    Guarded([this] { ApplyFilter(); });
    filtering_ = false;
}

bool TCisPickForm::eventFilter(QObject *watched, QEvent *e)
{
    // The form's controls need no filter of their own: as the application's filter (the key preview) the
    // form sees each of their events once.
    if (e->type() == QEvent::FocusOut && exitEdits_.contains(qobject_cast<QLineEdit *>(watched)) && isVisible())
        RunFilter();
    return TForm::eventFilter(watched, e);
}

void SetPickedValue(TField *field, const QVariant &value)
{
    if (field->Value() == value)
        return;
    TDataSet *ds = field->DataSet();
    if (ds->State() != dsEdit && ds->State() != dsInsert)
        ds->Edit();
    field->SetValue(value);
}
