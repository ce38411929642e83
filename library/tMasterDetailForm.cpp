#include "tMasterDetailForm.h"

#include "Buttons.h"
#include "xDBGrid.h"
#include "xPageControl.h"
#include "platform/db/DataSet.h"
#include "platform/fb/IBCustomDataSet.h"
#include "platform/fb/IBDatabase.h"
#include "platform/ui/DBControls.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Guarded.h"

#include <QHBoxLayout>
#include <QSplitter>
#include <QVBoxLayout>

TtMasterDetailForm::TtMasterDetailForm(QWidget *owner) : TBrowseForm(owner)
{
    resize(640, 480);
    Splitter = new QSplitter(Qt::Vertical, this);
    Panel = new QWidget(Splitter);
    auto *panelLayout = new QHBoxLayout(Panel);
    DBGrid = AddGrid<TxDBGrid>(nullptr, nullptr, {}, 1, panelLayout);
    DBGrid->SetReadOnly(false);
    DBGrid->SetOptions(dgTitles | dgIndicator | dgColLines | dgRowLines | dgTabs | dgRowSelect | dgConfirmDelete |
                       dgCancelOnExit);
    DBGrid->SetTitleClickToOrderBy(true);
    DBGrid->OnDblClick = [this](TDBGrid *) { btnOpravClick(); };

    btnNovy = new TBtnNovy(Panel);
    btnOprav = new TBtnOprav(Panel);
    btnZmaz = new TBtnZmaz(Panel);
    BtnTlac1 = new TBtnTlac(Panel);
    BtnTlac1->hide();
    BtnKoniec = new TBtnKoniec(Panel);
    connect(btnNovy, &QPushButton::clicked, this, &TtMasterDetailForm::btnNovyClick);
    connect(btnOprav, &QPushButton::clicked, this, &TtMasterDetailForm::btnOpravClick);
    connect(btnZmaz, &QPushButton::clicked, this, &TtMasterDetailForm::btnZmazClick);

    ButtonColumn = new QVBoxLayout;
    ButtonColumn->addWidget(btnNovy);
    ButtonColumn->addWidget(btnOprav);
    ButtonColumn->addWidget(btnZmaz);
    ButtonColumn->addWidget(BtnTlac1);
    ButtonColumn->addStretch();
    ButtonColumn->addWidget(BtnKoniec);
    panelLayout->addLayout(ButtonColumn);

    PageControl = new TxPageControl(Splitter);
    Splitter->setStretchFactor(0, 3);
    Splitter->setStretchFactor(1, 1);
    Column->setContentsMargins(4, 4, 4, 4);
    Column->addWidget(Splitter);
}

TDataSet *TtMasterDetailForm::Master() const
{
    TDataSource *source = DBGrid->DataSource();
    return source ? source->DataSet() : nullptr;
}

bool TtMasterDetailForm::detailShown() const
{
    if (!DetailForm || !DetailForm->ShownModally())
        return false;
    DetailForm->ShowModal(); // brings it forward
    return true;
}

void TtMasterDetailForm::cancelAll()
{
    if (DetailDataSet)
        DetailDataSet->CancelUpdates();
    if (TDataSet *master = Master())
        master->Cancel();
}

bool TtMasterDetailForm::runDetail(const std::function<void()> &save)
{
    if (!DetailForm) {
        cancelAll();
        return false;
    }
    // The dialog's OK buttons save first; their result closes it only when the save went through.
    bool saved = false;
    std::vector<QMetaObject::Connection> saves;
    for (TButton *b : DetailForm->findChildren<TButton *>())
        if (b->ModalResult() == mrOk)
            saves.push_back(connect(b, &QAbstractButton::clicked, DetailForm, [this, &save, &saved] {
                saved = Guarded([&] {
                    CommitFocusedControl(DetailForm);
                    save();
                });
            }));
    // Closed otherwise with something typed, the dialog asks first; its Áno saves as OK does. What the record
    // and its rows hold as the dialog comes up (a new record's or a copy's values) is not typing.
    TDataSet *master = Master();
    master->KeepAsDefaults();
    TUnsavedData unsaved{.Records = {master}, .Save = [&save, &saved] {
                             save();
                             saved = true;
                         }};
    if (DetailDataSet) {
        DetailDataSet->KeepPostedAsDefaults();
        unsaved.Rows.push_back(DetailDataSet);
    }
    for (TButton *b : DetailForm->findChildren<TButton *>())
        if (b->Cancel())
            unsaved.Discard.push_back(b);
    DetailForm->SetUnsavedData(std::move(unsaved));
    const int result = DetailForm->ShowModal();
    DetailForm->SetUnsavedData({});
    for (const QMetaObject::Connection &c : saves)
        disconnect(c);
    if (result != mrOk) {
        cancelAll();
        return false;
    }
    // Closed with OK otherwise than by its button: saved now, a refusal reported by the caller.
    if (!saved)
        save();
    return true;
}

void TtMasterDetailForm::applyDetail()
{
    if (!DetailDataSet)
        return;
    auto *ib = dynamic_cast<TIBCustomDataSet *>(DetailDataSet);
    if (ib && ib->Database()) {
        ib->Database()->ApplyUpdates({DetailDataSet});
    } else {
        DetailDataSet->ApplyUpdates();
        DetailDataSet->CommitUpdates();
    }
}

void TtMasterDetailForm::btnNovyClick()
{
    TDataSet *master = Master();
    if (detailShown() || !master || !master->Active())
        return;
    if (PageControl->count() > 0)
        PageControl->setCurrentIndex(0);
    Guarded([&] {
        const TDataSetState state = master->State();
        if (state != dsEdit && state != dsInsert && state != dsSetKey)
            master->Append();
        runDetail([&] {
            // The master row first: the detail rows refer to it. Controls come back whatever happens.
            TDisableControls hold(master);
            if (!postNewTogether(master)) {
                master->Post();
                applyDetail();
            }
        });
    });
}

bool TtMasterDetailForm::postNewTogether(TDataSet *master)
{
    auto *ibMaster = dynamic_cast<TIBCustomDataSet *>(master);
    auto *ibDetail = dynamic_cast<TIBCustomDataSet *>(DetailDataSet);
    TIBDatabase *db = ibMaster ? ibMaster->Database() : nullptr;
    if (!db || !ibDetail || master->CachedUpdates() || ibDetail->Database() != db ||
        ibMaster->Transaction() != db->DefaultTransaction() || ibDetail->Transaction() != db->DefaultTransaction())
        return false;
    // The new master row waits in the cache and is written with the detail rows under one savepoint, so
    // a refused detail row leaves no master row behind.
    master->UpdateRecord(); // what the controls still hold goes into the fields first
    std::vector<QVariant> values;
    for (int i = 0; i < master->FieldCount(); ++i)
        values.push_back(master->Fields(i)->Value());
    master->SetCachedUpdates(true);
    try {
        master->Post();
        db->ApplyUpdates({master, DetailDataSet});
    } catch (...) {
        // Turning the cache off drops the unsaved row; the user gets back the record he was entering,
        // with what he typed, and the detail rows stay pending.
        master->SetCachedUpdates(false);
        master->Append();
        for (int i = 0; i < master->FieldCount(); ++i) {
            TField *f = master->Fields(i);
            if (f->FieldKind() == fkData && !f->ReadOnly)
                f->SetValue(values[size_t(i)]);
        }
        throw;
    }
    master->SetCachedUpdates(false);
    return true;
}

void TtMasterDetailForm::btnOpravClick()
{
    TDataSet *master = Master();
    // Editing an empty list would insert a master row and store detail rows under it unasked.
    if (detailShown() || !master || !master->Active() || master->IsEmpty())
        return;
    Guarded([&] {
        master->Edit();
        runDetail([&] {
            TDisableControls hold(master);
            applyDetail();
            master->Post();
        });
    });
}

void TtMasterDetailForm::btnZmazClick()
{
    TDataSet *master = Master();
    if (detailShown() || !master || !master->Active() || master->IsEmpty())
        return;
    if (MessageBox(QStringLiteral("Naozaj chceš zmazať označený riadok?"), QStringLiteral("Potvrdenie zmazania"),
                   mtConfirmation, mbYesNo, mbNo) != mrYes)
        return;
    Guarded([&] { master->Delete(); });
}
