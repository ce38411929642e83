#include "MObjednavkyForm.h"

#include "platform/ui/FormGlobal.h"

#include "DMMTZ.h"
#include "DodavateliaForm.h"
#include "FormActions.h"
#include "MPohybDForm.h"
#include "MPoziadavkyForm.h"
#include "MTZSql.h"
#include "MaterialPrints.h"
#include "shell/CisPolForm.h"
#include "shell/DMZal.h"
#include "shell/Routines.h"
#include "library/FormKit.h"
#include "library/Buttons.h"
#include "library/DataEditRow.h"
#include "library/xDBFilter.h"
#include "library/xDBGrid.h"
#include "library/xForm.h"
#include "library/xPageControl.h"
#include "platform/ui/BitBtn.h"
#include "platform/ui/DBControls.h"
#include "platform/ui/Dialogs.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QMenu>
#include <QVBoxLayout>

TMObjednavkyForm *MObjednavkyForm = nullptr;

namespace {

TField *order(const char *name)
{
    return DMMTZ->QMObj.FieldByName(QString::fromLatin1(name));
}
TField *line(const char *name)
{
    return DMMTZ->QMObjD.FieldByName(QString::fromLatin1(name));
}

void addColumns(TxDBGrid *grid, std::initializer_list<std::pair<const char *, const char *>> columns)
{
    for (const auto &[field, title] : columns)
        grid->AddColumn(QString::fromLatin1(field), QString::fromUtf8(title));
}

} // namespace

// ---------------------------------------------------------------- the dialog

TMObjednavkyDForm::TMObjednavkyDForm(QWidget *owner) : TForm(owner)
{
    setObjectName(QStringLiteral("MObjednavkyDForm"));
    setWindowTitle(QString::fromUtf8("Objednávka"));
    resize(760, 560);
    TDataSource *header = &DMMTZ->DSMObj;
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    layout->addLayout(form);
    auto edit = [&](const char *field) { return NewFieldEdit(this, header, field); };
    eCObj = edit("C_OBJ");
    btnCislo = GuardedButton(QStringLiteral("..."), this, [this] { ProposeNumber(); });
    form->addRow(QString::fromUtf8("č. Objednávky"), WithButton(this, eCObj, btnCislo));
    eDodavatel = edit("DODAVATEL");
    eCDod = edit("C_DOD");
    eCDod->setReadOnly(true);
    btnDodavatel = GuardedButton(QStringLiteral("..."), this, [this] { PickSupplierOfOrder(); });
    form->addRow(QString::fromUtf8("Dodávateľ"), WithButton(this, eDodavatel, btnDodavatel));
    form->addRow(QString(), eCDod);
    eDodavatel->installEventFilter(new TFocusAction(this, QEvent::FocusOut, [this] {
        if (DMMTZ->QMObj.State() != dsBrowse)
            PickSupplierOfOrder();
    }));
    eDDodania = edit("D_DODANIA");
    form->addRow(QString::fromUtf8("Dátum dodania"), eDDodania);
    eDVystav = edit("D_VYSTAV");
    form->addRow(QString::fromUtf8("Dátum vystav."), eDVystav);
    ePoznamka = edit("POZNAMKA");
    form->addRow(QString::fromUtf8("Poznámka"), ePoznamka);
    cbFObj = new TDBComboBox(this);
    cbFObj->SetDataSource(header);
    cbFObj->SetDataField(QStringLiteral("F_OBJ"));
    cbFObj->SetItems({QString::fromUtf8("telefónom"), QStringLiteral("e-mailom"), QStringLiteral("internetom"),
                      QStringLiteral("faxom"), QString::fromUtf8("písomne"), QStringLiteral("osobne")});
    form->addRow(QString::fromUtf8("Spôsob obj."), cbFObj);
    cbVystavil = new TDBComboBox(this);
    cbVystavil->SetDataSource(header);
    cbVystavil->SetDataField(QStringLiteral("VYSTAVIL"));
    form->addRow(QStringLiteral("Vystavil"), cbVystavil);

    LinesGrid = new TxDBGrid(this);
    LinesGrid->SetDataSource(&DMMTZ->DSMObjD);
    LinesGrid->SetOptions(LinesGrid->Options() & ~dgRowSelect); // the lines are typed in their cells
    addColumns(LinesGrid, {{"C_RIADKU", "č."},
                           {"C_POL", "č.Položky"},
                           {"NAZOV", "Názov"},
                           {"ROZMER", "Rozmer"},
                           {"MNOZ_OBJ", "Množ.obj."},
                           {"MJ", "MJ"},
                           {"POPIS", "Popis"}});
    layout->addWidget(LinesGrid);
    auto *lineButtons = new QHBoxLayout;
    btnPolozka = GuardedButton(QString::fromUtf8("č.Položky ..."), this, [this] { PickLineItem(); });
    lineButtons->addWidget(btnPolozka);
    lineButtons->addStretch();
    layout->addLayout(lineButtons);
    LinesMenu = new QMenu(this);
    LinesMenu->addAction(QString::fromUtf8("Nová položka"), this, [this] { Guarded([this] { NewLine(); }); });
    LinesMenu->addAction(QString::fromUtf8("Zmaž položku"), this, [this] { Guarded([this] { DeleteLine(); }); });
    LinesMenu->addAction(QString::fromUtf8("Požiadavky všetky"), this,
                         [this] { Guarded([this] { AddLinesFromRequests(0); }); });
    LinesMenu->addAction(QString::fromUtf8("Požiadavky na dodávateľa"), this,
                         [this] { Guarded([this] { AddLinesFromRequests(order("C_DOD")->AsInteger()); }); });
    LinesGrid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(LinesGrid, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &p) { LinesMenu->popup(LinesGrid->viewport()->mapToGlobal(p)); });

    AddSaveRow(this, layout, {}, TSaveCaptions::Ok);
    OnShow = [this] {
        TStringList issuers;
        DMZal->ReadDefaultsList(issuers, QStringLiteral("MObjednavky.vystavil"));
        QStringList items;
        for (int i = 0; i < issuers.Count(); ++i)
            items << issuers[i];
        cbVystavil->SetItems(items);
    };
}

void TMObjednavkyDForm::ProposeNumber()
{
    const QString prefix = eCObj->text().trimmed();
    if (DMMTZ->QMObj.State() == dsBrowse)
        DMMTZ->QMObj.Edit();
    order("C_OBJ")->SetValue(
        NextCode(QStringLiteral("MObjednavky"), QStringLiteral("C_OBJ"), prefix, prefix + QStringLiteral("9999")));
}

void TMObjednavkyDForm::PickSupplierOfOrder()
{
    // Left by Tab, the edit has not written its text to the field yet: the pick looks at what was typed.
    if (DMMTZ->QMObj.State() != dsBrowse)
        eDodavatel->DataLink().UpdateRecord();
    PickSupplier(order("C_DOD"), order("DODAVATEL"));
}

void TMObjednavkyDForm::PickLineItem()
{
    TxTable &d = DMMTZ->QMObjD;
    if (d.State() == dsBrowse) {
        if (d.IsEmpty())
            return;
        d.Edit();
    }
    TxQuery *items = nullptr;
    if (!PickItemForFieldDS(line("C_POL"), QLatin1Char('_'), &items) || !items || !items->Active())
        return;
    for (const char *name : {"NAZOV", "ROZMER", "MJ", "POPIS"})
        if (TField *f = items->FindField(QString::fromLatin1(name)))
            line(name)->SetValue(f->Value());
}

void TMObjednavkyDForm::NewLine()
{
    DMMTZ->QMObjD.Append();
}

void TMObjednavkyDForm::DeleteLine()
{
    TxTable &d = DMMTZ->QMObjD;
    if (d.Active() && !d.IsEmpty())
        d.Delete();
}

void TMObjednavkyDForm::AddLinesFromRequests(int supplier)
{
    TxDBGrid *grid = PickMaterialRequests(supplier);
    if (!grid || !grid->DataSet())
        return;
    TDataSet *rows = grid->DataSet();
    TxTable &d = DMMTZ->QMObjD;
    // A line being edited is kept as typed; the requests each get a line of their own.
    if (d.State() == dsEdit || d.State() == dsInsert)
        d.Post();
    for (TBookmark mark : grid->SelectedRows()) {
        if (!rows->GotoBookmark(mark))
            continue;
        const auto value = [rows](const char *name) {
            TField *f = rows->FindField(QString::fromLatin1(name));
            return f ? f->AsFloat() : 0.0;
        };
        TField *item = rows->FieldByName(QStringLiteral("C_POL"));
        if (item->IsNull() || item->AsString().trimmed().isEmpty())
            continue;
        const double quantity =
            value("MNOZ_POZ") - value("MNOZ_REZ") - value("MNOZ_OBJ") - value("MNOZ_SKL") + value("MNOZ_REC");
        d.Append();
        for (const char *name : {"C_POL", "NAZOV", "ROZMER", "MJ"})
            line(name)->SetValue(rows->FieldByName(QString::fromLatin1(name))->Value());
        line("MNOZ_OBJ")->SetValue(quantity);
        for (const char *name : {"C_INT", "C_POZICIE"})
            if (TField *f = rows->FindField(QString::fromLatin1(name)))
                line(name)->SetValue(f->Value());
        if (quantity > 0)
            d.Post();
        else
            d.Cancel();
    }
}

// ---------------------------------------------------------------- the MObjednavkyForm

TMObjednavkyForm::TMObjednavkyForm(QWidget *owner) : TtMasterDetailForm(owner)
{
    setObjectName(QStringLiteral("MObjednavkyForm"));
    setWindowTitle(QString::fromUtf8("Dodavateľské objednávky"));
    resize(860, 600);
    Dialog = new TMObjednavkyDForm(this);
    DetailForm = Dialog;
    DetailDataSet = &DMMTZ->QMObjD;
    DBGrid->SetDataSource(&DMMTZ->DSMObj);
    addColumns(DBGrid, {{"STAV_OBJ", "Stav"},
                        {"C_OBJ", "č.Objednávky"},
                        {"DODAVATEL", "Dodávateľ"},
                        {"D_VYSTAV", "Dátum vystavenia"},
                        {"POZNAMKA", "Poznámka"}});
    cbFilter = new TxDBFilterCombo(this);
    cbFilter->DataSource = &DMMTZ->DSMObj;
    TStringList items;
    items.SetText(QString::fromUtf8(
        "Otvorené objednávky=stav_obj<3\n"
        "Posledný týždeň=d_vystav>=CURRENT_DATE-7\n"
        "Dodávateľ ...=dodavatel like '?%'\n"
        "Položka...=c_obj in (select c_obj from MObjednavkyD where c_pol like '?%' or nazov like '?%')"));
    cbFilter->SetSQLItems(items);
    Column->insertWidget(0, cbFilter);
    auto *lines = new QWidget;
    LinesGrid = new TxDBGrid(lines);
    LinesGrid->SetDataSource(&DMMTZ->DSMObjD);
    LinesGrid->SetReadOnly(true);
    addColumns(LinesGrid, {{"C_RIADKU", "č."},
                           {"C_POL", "č.Položky"},
                           {"NAZOV", "Názov"},
                           {"ROZMER", "Rozmer"},
                           {"MNOZ_OBJ", "Množ.obj."},
                           {"MJ", "MJ"},
                           {"POPIS", "Popis"},
                           {"C_INT", "č.Zákazky"}});
    (new QVBoxLayout(lines))->addWidget(LinesGrid);
    PageControl->addTab(lines, QString::fromUtf8("Položky"));
    btnKopia = GuardedButton(QString::fromUtf8("Nová kópia"), this, [this] { NewCopy(); });
    btnStav = GuardedButton(QStringLiteral("Stav obj."), this, [this] { ChangeState(); });
    BtnTlac1->show();
    connect(BtnTlac1, &QPushButton::clicked, this, [this] { Guarded([this] { Print(); }); });
    ButtonColumn->insertWidget(3, btnKopia);
    ButtonColumn->insertWidget(4, btnStav);
}

TMObjednavkyForm::~TMObjednavkyForm()
{
    if (MObjednavkyForm == this)
        MObjednavkyForm = nullptr;
}

void TMObjednavkyForm::NewCopy()
{
    TxDataSet &h = DMMTZ->QMObj;
    if (!h.Active() || h.IsEmpty())
        return;
    const QString old = order("C_OBJ")->AsString();
    std::vector<QVariant> values;
    for (int i = 0; i < h.FieldCount(); ++i)
        values.push_back(h.Fields(i)->Value());
    h.Insert();
    // The new order's own number, dates, issuer and state stay; the rest is copied.
    static const QStringList own{QStringLiteral("C_OBJ"), QStringLiteral("D_VYSTAV"), QStringLiteral("D_DODANIA"),
                                 QStringLiteral("VYSTAVIL"), QStringLiteral("STAV_OBJ")};
    for (int i = 0; i < h.FieldCount(); ++i) {
        TField *f = h.Fields(i);
        if (f->FieldKind() == fkData && !own.contains(f->FieldName(), Qt::CaseInsensitive))
            f->SetValue(values[size_t(i)]);
    }
    QString number = order("C_OBJ")->AsString();
    if (!InputQuery(QString::fromUtf8("Kópia objednávky"), QString::fromUtf8("Nové číslo objednávky:"), number)) {
        h.Cancel();
        return;
    }
    order("C_OBJ")->SetValue(number);
    TxQuery *source = OpenQuery(MTZSql::PurchaseOrderLines, {old}, QStringLiteral("QObjKopia"));
    TxTable &d = DMMTZ->QMObjD;
    for (source->First(); !source->Eof(); source->Next()) {
        d.Append();
        for (int i = 0; i < source->FieldCount(); ++i)
            d.FieldByName(source->Fields(i)->FieldName())->SetValue(source->Fields(i)->Value());
        d.Post();
    }
    source->Close();
    btnNovyClick();
}

void TMObjednavkyForm::ChangeState()
{
    TxDataSet &h = DMMTZ->QMObj;
    if (!h.Active() || h.IsEmpty())
        return;
    const int choice = ChooseOption(QString::fromUtf8("Potvrdená,Dodaná"), QString::fromUtf8("Stav objednávky"));
    if (choice == 1) {
        DMMTZ->SetPurchaseOrderState(2);
    } else if (choice == 2) {
        // An order delivered already has had its receipt.
        const bool delivered = order("STAV_OBJ")->AsInteger() == 3;
        DMMTZ->SetPurchaseOrderState(3);
        if (!delivered &&
            Confirm(QString::fromUtf8("Vystaviť príjemku k tejto objednávke?"), QString::fromUtf8("Otázka")))
            ReceivePurchaseOrder();
    }
}

void TMObjednavkyForm::Print()
{
    TxDataSet &h = DMMTZ->QMObj;
    if (h.Active() && !h.IsEmpty() && PrintPurchaseOrder(order("C_OBJ")->AsString()))
        DMMTZ->MarkPurchaseOrderPrinted();
}

void ReceivePurchaseOrder()
{
    TxTable &d = DMMTZ->QMObjD;
    int number = 0;
    std::vector<std::pair<QString, double>> lines;
    for (d.First(); !d.Eof(); d.Next())
        lines.emplace_back(line("C_POL")->AsString(), line("MNOZ_OBJ")->AsFloat());
    for (const auto &[item, quantity] : lines)
        NewStockMovementForDocument(10, number, item, quantity);
    if (!lines.empty() && Confirm(QString::fromUtf8("Vytlačiť príjemku?"), QString::fromUtf8("Otázka")))
        PrintStockDocumentForMonth();
}

void ShowPurchaseOrders()
{
    FormOnDemand(MObjednavkyForm);
    MObjednavkyForm->cbFilter->SetItemIndex(0);
    MObjednavkyForm->cbFilter->ApplyFilter();
    DMMTZ->QMObjD.Open();
    struct Close {
        ~Close()
        {
            DMMTZ->QMObjD.Close();
            DMMTZ->QMObj.Close();
        }
    } close;
    MObjednavkyForm->ShowModal();
}
