#include "MPohybDForm.h"

#include "DMMTZ.h"
#include "FormActions.h"
#include "MTZSql.h"
#include "MaterialPrints.h"
#include "MaterialRules.h"
#include "shell/CisPolForm.h"
#include "shell/CisZakForm.h"
#include "shell/DMZal.h"
#include "shell/Routines.h"
#include "library/FormKit.h"
#include "library/xDBGrid.h"
#include "library/xQuery.h"
#include "platform/ui/BitBtn.h"
#include "platform/ui/DBControls.h"
#include "platform/ui/DBLookupCombo.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Guarded.h"
#include "platform/os/Clock.h"

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

TFormGlobal<TMPohybDForm> MPohybDForm{"MPohybDForm"};

namespace {
TDBEdit *edit(const char *field, QWidget *parent)
{
    auto *e = new TDBEdit(parent);
    e->SetDataSource(&DMMTZ->DSMPohyby);
    e->SetDataField(QString::fromLatin1(field));
    return e;
}

} // namespace

TMPohybDForm::TMPohybDForm(QWidget *owner) : TForm(owner)
{
    MPohybDForm = this;
    setObjectName(QStringLiteral("MPohybDForm"));
    setWindowTitle(QStringLiteral("Pohyb materiálu,modelu,kokily"));
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    layout->addLayout(form);
    eDatum = edit("DATUM", this);
    cbTypPohybu = new QComboBox(this);
    cbTypPohybu->addItems(MovementKindTexts());
    eSklad =
        new TDBLookupCombo(&DMMTZ->DSMPohyby, QStringLiteral("SKLAD"), &DMZal->CSkladov, QStringLiteral("SKLAD"), this);
    eVystavil = edit("VYSTAVIL", this);
    eCPol = edit("C_POL", this);
    btnPolozka = new QPushButton(QStringLiteral("..."), this);
    eMnozstvo = edit("MNOZSTVO", this);
    eCDokladu = edit("C_DOKLADU", this);
    btnDoklad = new QPushButton(QStringLiteral("..."), this);
    eStredisko = edit("STREDISKO", this);
    eCInt = edit("C_INT", this);
    eDatum2 = edit("DATUM2", this);
    ePoznamka = edit("POZNAMKA", this);
    eMnozVyr = edit("MNOZ_VYR", this);
    eCena = edit("CENA_NAKL", this);
    form->addRow(QString::fromUtf8("Dátum"), eDatum);
    form->addRow(QString::fromUtf8("Typ pohybu"), cbTypPohybu);
    form->addRow(QString::fromUtf8("č.Skladu"), eSklad);
    form->addRow(QStringLiteral("Vystavil"), eVystavil);
    form->addRow(QString::fromUtf8("č.Položky"), WithButton(this, eCPol, btnPolozka));
    form->addRow(QString::fromUtf8("Množstvo"), eMnozstvo);
    form->addRow(QString::fromUtf8("č.Dokladu"), WithButton(this, eCDokladu, btnDoklad));
    form->addRow(QString::fromUtf8("Stredisko"), eStredisko);
    form->addRow(QString::fromUtf8("č.Zakázky"), eCInt);
    form->addRow(QString::fromUtf8("Dátum vývozu"), eDatum2);
    form->addRow(QString::fromUtf8("Poznámka"), ePoznamka);
    form->addRow(QString::fromUtf8("Množstvo vyrobených výrobkov"), eMnozVyr);
    form->addRow(QStringLiteral("Cena"), eCena);
    const TSaveRow save = AddSaveRow(
        this, layout, [this] { store(); }, TSaveCaptions::Ok);
    BtnOK = save.Ok;
    BtnCancel = save.Cancel;
    SetUnsavedData({.Records = {&DMMTZ->QMPohyby}, .Save = [this] { store(); }, .Discard = {BtnCancel}});

    connect(cbTypPohybu, QOverload<int>::of(&QComboBox::activated), this,
            [this](int index) { Guarded([this, index] { KindChosen(index); }); });
    connect(btnDoklad, &QPushButton::clicked, this, [] { Guarded([] { DMMTZ->NextStockDocumentNumber(); }); });
    connect(btnPolozka, &QPushButton::clicked, this, [this] { Guarded([this] { PickItem(); }); });
    eCPol->installEventFilter(new TFocusAction(this, QEvent::FocusOut, [this] { PickItem(); }));
    // A job that does not exist is said, and the clerk is back on the number to correct it.
    eCInt->installEventFilter(new TFocusAction(this, QEvent::FocusOut, [this] {
        if (FocusStaysInside() && !Guarded([this] { PickJob(); }))
            FocusAgainLater(eCInt);
    }));
    OnShow = [this] {
        heldJob_ = DMMTZ->QMPohyby.FieldByName(QStringLiteral("C_INT"))->AsInteger();
        Guarded([this] { eSklad->OpenListAndReload(); });
        ShowKind();
    };
}

TMPohybDForm::~TMPohybDForm()
{
    if (MPohybDForm == this)
        MPohybDForm = nullptr;
}

void TMPohybDForm::ShowKind()
{
    const QString kind = DMMTZ->QMPohyby.FieldByName(QStringLiteral("TYP_POHYBU"))->AsString();
    int found = -1;
    for (int i = 0; i < cbTypPohybu->count(); ++i)
        if (!kind.isEmpty() && cbTypPohybu->itemText(i).left(2) == kind)
            found = i;
    cbTypPohybu->setCurrentIndex(found);
}

void TMPohybDForm::KindChosen(int index)
{
    if (index < 0)
        return;
    TDataSet &m = DMMTZ->QMPohyby;
    if (m.State() == dsBrowse)
        m.Edit();
    m.FieldByName(QStringLiteral("TYP_POHYBU"))->SetValue(cbTypPohybu->itemText(index).left(2).toInt());
}

void TMPohybDForm::PickItem()
{
    TDataSet &m = DMMTZ->QMPohyby;
    if (m.State() != dsEdit && m.State() != dsInsert)
        return;
    // Left by Tab, the edit has not written its text to the field yet: the pick looks at what was typed.
    eCPol->DataLink().UpdateRecord();
    TxQuery *items = nullptr;
    if (PickItemForFieldDS(m.FieldByName(QStringLiteral("C_POL")), QLatin1Char('_'), &items) && items &&
        items->Active() && items->FindField(QStringLiteral("CENA_NAKL")))
        m.FieldByName(QStringLiteral("CENA_NAKL"))
            ->SetValue(items->FieldByName(QStringLiteral("CENA_NAKL"))->AsFloat());
}

void TMPohybDForm::PickJob()
{
    TDataSet &m = DMMTZ->QMPohyby;
    if (m.State() != dsEdit && m.State() != dsInsert)
        return;
    // Left by Tab, the edit has not written its text to the field yet: the pick looks at what was typed. A text
    // the field refuses is told by the edit itself as it is left, once.
    try {
        eCInt->DataLink().UpdateRecord();
    } catch (const std::exception &) {
        return;
    }
    TField *job = m.FieldByName(QStringLiteral("C_INT"));
    // A return from production takes the quantity made of the job.
    TField *made = cbTypPohybu->currentText().startsWith(QLatin1String("13"))
                       ? m.FieldByName(QStringLiteral("MNOZ_VYR"))
                       : nullptr;
    if (job->AsInteger() > 0 && PickOrderForField(job, QString(), QString(), 0)) {
        heldJob_ = job->AsInteger();
        if (made)
            made->SetValue(SelectValueParams(MTZSql::JobProducedQuantity, {job->AsInteger()}));
        return;
    }
    if (job->AsInteger() == heldJob_)
        return;
    heldJob_ = job->AsInteger();
    ForgetFormerJob(job, {made});
}

void TMPohybDForm::store()
{
    // A refused value or post shows its message and the dialog stays open with the row in edit.
    if (cbTypPohybu->currentIndex() >= 0)
        DMMTZ->PostMovementWithSign();
    else
        DMMTZ->QMPohyby.Post();
}

int EditStockMovement()
{
    if (!MPohybDForm)
        new TMPohybDForm;
    TDataSet &m = DMMTZ->QMPohyby;
    // What the movement comes up with (its store, item, kind, document, a return's values) is not typing.
    m.KeepAsDefaults();
    const int result = MPohybDForm->ShowModal();
    if (result != mrOk && (m.State() == dsEdit || m.State() == dsInsert))
        m.Cancel();
    return result;
}

int NewStockMovementForDocument(int kind, int &number, const QString &item, double quantity)
{
    TxTable &m = DMMTZ->QMPohyby;
    if (!m.Active())
        m.SetFilterAndOpen(QStringLiteral("datum=CURRENT_DATE"));
    m.Append();
    m.FieldByName(QStringLiteral("TYP_POHYBU"))->SetValue(kind);
    m.FieldByName(QStringLiteral("C_DOKLADU"))->SetValue(number);
    m.FieldByName(QStringLiteral("C_POL"))->SetValue(item);
    m.FieldByName(QStringLiteral("MNOZSTVO"))->SetValue(quantity);
    const int result = EditStockMovement();
    number = m.FieldByName(QStringLiteral("C_DOKLADU"))->AsInteger();
    return result;
}

void ReturnStockMovementInDialog(int fromKind, int toKind)
{
    if (DMMTZ->ReturnStockMovement(fromKind, toKind))
        EditStockMovement();
}

void ChangeReceiptPrice()
{
    TxTable &m = DMMTZ->QMPohyby;
    if (!m.Active() || m.IsEmpty() ||
        !CanChangeReceiptPrice(m.FieldByName(QStringLiteral("TYP_POHYBU"))->AsInteger(),
                               m.FieldByName(QStringLiteral("DATUM"))->AsDateTime().date(), Date()))
        return;
    QString price = m.FieldByName(QStringLiteral("CENA_NAKL"))->AsString();
    if (!InputQuery(QString::fromUtf8("Zmena ceny príjmu"), QString::fromUtf8("Nová cena príjmu:"), price))
        return;
    m.Edit();
    // A price the field refuses leaves the movement as it was.
    try {
        m.FieldByName(QStringLiteral("CENA_NAKL"))->SetText(price);
        m.Post();
    } catch (...) {
        m.Cancel();
        throw;
    }
}

QMenu *AddMovementMenu(TxDBGrid *grid)
{
    auto *menu = new QMenu(grid);
    const auto add = [menu, grid](const char *caption, std::function<void()> action) {
        menu->addAction(QString::fromUtf8(caption), grid, [action] { Guarded(action); });
    };
    add("Vrátenie z výroby", [] { ReturnStockMovementInDialog(23, 13); });
    add("Vrátenie z opravy", [] { ReturnStockMovementInDialog(24, 14); });
    add("Cena príjmu", [] { ChangeReceiptPrice(); });
    add("Doklad (mesiac)", [] { PrintStockDocumentForMonth(); });
    add("Doklad (dátum)", [] { PrintStockDocumentForDay(); });
    grid->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(grid, &QWidget::customContextMenuRequested, grid,
                     [grid, menu](const QPoint &p) { menu->popup(grid->viewport()->mapToGlobal(p)); });
    return menu;
}
