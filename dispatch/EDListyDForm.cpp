#include "EDListyDForm.h"

#include "DMExp.h"
#include "ESkladForm.h"
#include "ExpSql.h"
#include "library/DataEditRow.h"
#include "library/xDBGrid.h"
#include "platform/os/Format.h"
#include "platform/ui/BitBtn.h"
#include "platform/ui/DBControls.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FormGlobal.h"
#include "platform/ui/Guarded.h"
#include "shell/CisOdbForm.h"
#include "shell/CisZakForm.h"
#include "shell/DMCis.h"
#include "shell/DMZal.h"
#include "shell/Routines.h"

#include <QBoxLayout>
#include <QFormLayout>
#include <QMenu>
#include <QPushButton>

TEDListyDForm *EDListyDForm = nullptr;

namespace {

TxDataSet &header()
{
    return DMExp->QEDListy;
}

TxDataSet &lines()
{
    return DMExp->QEDListyD;
}

TField *hf(const char *name)
{
    return header().FieldByName(QString::fromLatin1(name));
}

TField *lf(const char *name)
{
    return lines().FieldByName(QString::fromLatin1(name));
}

constexpr int QuantityColumn = 4;

// The received-by list is filled from the customer's recent notes each time it drops down.
class TReceivedByCombo : public TDBComboBox {
public:
    using TDBComboBox::TDBComboBox;
    void showPopup() override
    {
        Guarded([this] {
            TStringList list;
            DMExp->FillReceivedByList(list);
            const QString current = currentText();
            SetItems(list.Lines());
            setEditText(current);
        });
        TDBComboBox::showPopup();
    }
};

} // namespace

TEDListyDForm::TEDListyDForm(QWidget *owner) : TForm(owner)
{
    TrackGlobal(this, EDListyDForm);
    KeyPreview = true;
    setMaximumWidth(560);
    resize(560, 560);
    setWindowTitle(QString::fromUtf8("Dodací list"));
    TDataSource *h = &DMExp->DSEDListy;
    auto edit = [&](const char *field) { return NewFieldEdit(this, h, field); };
    auto combo = [&](TDBComboBox *c, const char *field, const QStringList &items) {
        c->SetDataSource(h);
        c->SetDataField(QString::fromLatin1(field));
        c->SetItems(items);
        return c;
    };
    DBeC_ODB = edit("C_ODB");
    DBeODBERATEL = new TDBText(this);
    DBeODBERATEL->SetDataSource(h);
    DBeODBERATEL->SetDataField(QStringLiteral("ODBERATEL"));
    BtnOdberatel = new QPushButton(QStringLiteral("..."), this);
    DBeC_OBJ = edit("C_OBJ");
    BtnObjednavka = new QPushButton(QStringLiteral("..."), this);
    DBeD_OBJ = edit("D_OBJ");
    DBeD_VYSTAV = edit("D_VYSTAV");
    DBeKURZ = edit("KURZ");
    DBePATA_DL = edit("PATA_DL");
    DBcbDOPRAVA = combo(new TDBComboBox(this), "DOPRAVA",
                        {QString::fromUtf8("Osobný odber"), QStringLiteral("Dobierka"), QString::fromUtf8("Pošta"),
                         QString::fromUtf8("Spešnina"), QString::fromUtf8("Kuriér")});
    TStringList issuers;
    DMZal->ReadDefaultsList(issuers, QStringLiteral("EDListy.vystavil"));
    DBcbVYSTAVIL = combo(new TDBComboBox(this), "VYSTAVIL", issuers.Lines());
    DBcbMENA =
        combo(new TDBComboBox(this), "MENA", {QStringLiteral("SKK"), QStringLiteral("EUR"), QStringLiteral("USD")});
    DBcbPREVZAL = combo(new TReceivedByCombo(this), "PREVZAL", {});

    auto *form = new QFormLayout;
    auto *customerRow = new QHBoxLayout;
    customerRow->addWidget(DBeC_ODB, 1);
    customerRow->addWidget(DBeODBERATEL, 3);
    customerRow->addWidget(BtnOdberatel);
    form->addRow(QString::fromUtf8("Odberateľ  "), customerRow);
    auto *orderRow = new QHBoxLayout;
    orderRow->addWidget(DBeC_OBJ, 1);
    orderRow->addWidget(BtnObjednavka);
    orderRow->addWidget(DBeD_OBJ, 1);
    form->addRow(QString::fromUtf8("Číslo obj.  "), orderRow);
    form->addRow(QStringLiteral("Doprava"), DBcbDOPRAVA);
    form->addRow(QStringLiteral("Vystavil"), DBcbVYSTAVIL);
    form->addRow(QString::fromUtf8("Dátum"), DBeD_VYSTAV);
    auto *rateRow = new QHBoxLayout;
    rateRow->addWidget(DBeKURZ);
    rateRow->addWidget(DBcbMENA);
    form->addRow(QStringLiteral("Kurz / Mena"), rateRow);
    form->addRow(QStringLiteral("Prevzal"), DBcbPREVZAL);
    form->addRow(QString::fromUtf8("Päta"), DBePATA_DL);

    DBGridPolozky = new TxDBGrid(this);
    DBGridPolozky->SetDataSource(&DMExp->DSEDListyD);
    const QList<QPair<const char *, const char *>> columns{{"C_RIADKU", "č."},       {"C_INT", "č.Zákazky"},
                                                           {"C_VYR", "č.Výrobku"},   {"NAZOV", "Názov výrobku"},
                                                           {"MNOZ_VYR", "Množstvo"}, {"CENA_KURZ1", "Cena v mene"}};
    for (const auto &c : columns)
        DBGridPolozky->AddColumn(QString::fromLatin1(c.first), QString::fromUtf8(c.second));
    // The lines are typed in their cells (the quantity after a pick or a scan); the job's and the
    // product's cells pick as the pop-up menu does.
    DBGridPolozky->SetOptions(DBGridPolozky->Options() & ~dgRowSelect);
    DBGridPolozky->Columns(1)->ButtonStyle = cbsEllipsis;
    DBGridPolozky->Columns(2)->ButtonStyle = cbsEllipsis;
    DBGridPolozky->OnEditButtonClick = [this](TDBGrid *grid) {
        const QString field = grid->SelectedColumn() ? grid->SelectedColumn()->FieldName : QString();
        if (field == QLatin1String("C_VYR"))
            Guarded([this] { PickFromStore(); });
        else if (field == QLatin1String("C_INT"))
            Guarded([this] { PickJob(); });
    };
    PopupMenu = new QMenu(this);
    const QList<QPair<const char *, std::function<void()>>> actions{{"Nová položka", [this] { NewLine(); }},
                                                                    {"Zmaž položku", [this] { DeleteLine(); }},
                                                                    {"Vyber zo skladu", [this] { PickFromStore(); }},
                                                                    {"Vyber zákazku", [this] { PickJob(); }},
                                                                    {"Info", [this] { JobInfo(); }}};
    for (const auto &a : actions)
        AddGuardedAction(PopupMenu, QString::fromUtf8(a.first), a.second);
    DBGridPolozky->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(DBGridPolozky, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &p) { PopupMenu->popup(DBGridPolozky->viewport()->mapToGlobal(p)); });

    BtnZapis = new TBitBtn(bkOK, this);
    BtnZapis->setText(QString::fromUtf8("&Zapíš"));
    BtnNezapis1 = new TBitBtn(bkCancel, this);
    BtnNezapis1->setText(QString::fromUtf8("&Nezapíš"));
    BtnNovy = new TBitBtn(this);
    BtnNovy->setText(QString::fromUtf8("&Nová"));
    BtnZmaz = new TBitBtn(this);
    BtnZmaz->setText(QString::fromUtf8("Z&maž"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(BtnNovy);
    buttons->addWidget(BtnZmaz);
    buttons->addStretch();
    buttons->addWidget(BtnZapis);
    buttons->addWidget(BtnNezapis1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(DBGridPolozky, 1);
    layout->addLayout(buttons);

    SetUnsavedData({.Rows = {&lines()}, .Records = {&header()}, .Save = [this] { store(); }, .Discard = {BtnNezapis1}});
    connect(BtnZapis, &QPushButton::clicked, this, [this] {
        SetModalResult(mrNone);
        Guarded([this] { Save(); });
    });
    connect(BtnNezapis1, &QPushButton::clicked, this, [this] { Guarded([this] { Discard(); }); });
    connect(BtnNovy, &QPushButton::clicked, this, [this] { Guarded([this] { NewLine(); }); });
    connect(BtnZmaz, &QPushButton::clicked, this, [this] { Guarded([this] { DeleteLine(); }); });
    connect(BtnOdberatel, &QPushButton::clicked, this, [this] {
        Guarded([this] {
            if (header().State() == dsBrowse)
                header().Edit();
            if (!PickCustomer(hf("C_ODB"), hf("ODBERATEL"), false))
                return;
            // The picked customer's address, as the note shows it.
            for (const char *name : {"ULICA", "PSC", "MESTO"})
                hf(name)->SetValue(DMCis->QOdberatelia.FieldByName(QString::fromLatin1(name))->Value());
            DBeC_OBJ->setFocus();
        });
    });
    connect(BtnObjednavka, &QPushButton::clicked, this, [this] {
        Guarded([this] {
            if (header().State() == dsBrowse)
                header().Edit();
            if (PickCustomerOrder(hf("C_OBJ"), hf("C_ODB")->AsInteger()))
                DBcbDOPRAVA->setFocus();
        });
    });
    OnShow = [this] {
        setWindowTitle(header().State() == dsInsert ? QString::fromUtf8("Nový dodací list")
                                                    : QString::fromUtf8("Dodací list č.") + hf("C_DL")->DisplayText());
    };
}

void TEDListyDForm::KeyDown(int &key, Qt::KeyboardModifiers modifiers)
{
    if (key == Qt::Key_F12) {
        key = 0;
        Guarded([this] { ReadJobBarcode(); });
        return;
    }
    TForm::KeyDown(key, modifiers);
}

void TEDListyDForm::lineInEdit()
{
    if (!lines().Active())
        lines().Open();
    if (lines().State() == dsBrowse) {
        if (lines().IsEmpty())
            lines().Append();
        else
            lines().Edit();
    }
}

void TEDListyDForm::toQuantityColumn()
{
    DBGridPolozky->setFocus();
    DBGridPolozky->SetSelectedIndex(QuantityColumn);
}

void TEDListyDForm::ReadJobBarcode()
{
    QString text;
    if (!InputQuery(QString::fromUtf8("Čiarový kód"), QString::fromUtf8("Vstup čiarového kódu zákazky"), text))
        return;
    bool ok = false;
    const qint64 n = text.trimmed().toLongLong(&ok);
    if (!ok || n <= 0 || n >= 999999)
        return;
    const int job = int(n);
    if (hf("C_OBJ")->AsString() == QStringLiteral(" ") && hf("C_ODB")->AsInteger() == 0) {
        const QVariant order = SelectValueParams(ExpSql::OrderOfJob, {job});
        if (order.isNull() || order.toString().trimmed().isEmpty()) {
            ShowError(Format(QString::fromUtf8("Zákazka č. %d neexistuje !"), {job}));
            return;
        }
        if (header().State() == dsBrowse)
            header().Edit();
        hf("C_OBJ")->SetValue(order.toString().trimmed());
        DBcbDOPRAVA->setFocus();
        return;
    }
    if (!lines().Active())
        lines().Open();
    if (lines().State() == dsBrowse)
        lines().Append();
    lf("C_INT")->SetValue(job);
    toQuantityColumn();
    TxQuery *q = OpenQuery(ExpSql::EarlierOpenJobs, {job, int(stUkoncena)}, QStringLiteral("QExpEarlier"));
    const QVariant earliest = q->Fields(0)->Value();
    const int count = q->Fields(1)->AsInteger();
    q->Close();
    if (!earliest.isNull() && earliest.toInt() < job)
        ShowMessage(QString::fromUtf8("Existuje skoršia neukončená zákazka na rovnaký výrobok a odberateľa !"));
    else if (count > 1)
        ShowMessage(QString::fromUtf8(
            "Existuje viac neukončených zákaziek na tento alebo skorší termín,\r rovnaký výrobok a odberateľa !"));
}

void TEDListyDForm::PickFromStore()
{
    lineInEdit();
    if (!PickFromFinishedGoodsStore(hf("ODBERATEL")->AsString(), hf("C_OBJ")->AsString()))
        return;
    TxQuery &stock = DMExp->QESklad;
    lineInEdit();
    lines().SetFieldValueIfChanged(QStringLiteral("SKLAD"), stock.FieldByName(QStringLiteral("SKLAD"))->Value());
    lines().SetFieldValueIfChanged(QStringLiteral("C_VYR"), stock.FieldByName(QStringLiteral("C_POL"))->Value());
    toQuantityColumn();
}

void TEDListyDForm::PickJob()
{
    lineInEdit();
    if (PickOrderForField(lf("C_INT"), lf("C_VYR")->AsString().trimmed(), hf("C_OBJ")->AsString().trimmed(),
                          hf("C_ODB")->AsInteger()))
        toQuantityColumn();
}

void TEDListyDForm::JobInfo()
{
    if (!lines().Active() || lines().IsEmpty())
        return;
    TxQuery *q = OpenQuery(ExpSql::JobProgress, {lf("C_INT")->AsInteger()}, QStringLiteral("QExpInfo"));
    if (q->RecordCount() == 1) {
        ShowMessage(QStringList{QString::fromUtf8("Objednaných: ") + q->Fields(0)->AsString(),
                                QString::fromUtf8("Odvedených : ") + q->Fields(1)->AsString(),
                                QString::fromUtf8("Na sklade  : ") + q->Fields(2)->AsString(),
                                QString::fromUtf8("už Dodaných: ") + q->Fields(3)->AsString()}
                        .join(QLatin1Char('\r')));
    }
    q->Close();
}

void TEDListyDForm::Save()
{
    store();
    SetModalResult(mrOk);
}

void TEDListyDForm::store()
{
    DMExp->SaveNote();
}

void TEDListyDForm::Discard()
{
    if (lines().Active()) {
        if (lines().State() != dsBrowse)
            lines().Cancel();
        lines().CancelUpdates();
    }
    if (header().State() != dsBrowse)
        header().Cancel();
    SetModalResult(mrCancel);
}

void TEDListyDForm::NewLine()
{
    if (!lines().Active())
        lines().Open();
    if (lines().State() != dsInsert)
        lines().Append();
    DBGridPolozky->FocusFirstEditableCell();
}

void TEDListyDForm::DeleteLine()
{
    if (lines().Active() && !lines().IsEmpty())
        lines().Delete();
}
