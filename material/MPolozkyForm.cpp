#include "MPolozkyForm.h"

#include "platform/ui/FormGlobal.h"

#include "DMMTZ.h"
#include "FormActions.h"
#include "MTZSql.h"
#include "MaterialRules.h"
#include "shell/CisOdbForm.h"
#include "shell/DMZal.h"
#include "shell/Routines.h"
#include "library/FormKit.h"
#include "library/DataEditRow.h"
#include "library/xDBGrid.h"
#include "library/xDBImage.h"
#include "platform/ui/BitBtn.h"
#include "platform/ui/DBControls.h"
#include "platform/ui/Dialogs.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

TMPolozkyForm *MPolozkyForm = nullptr;

namespace {

void addEdits(QFormLayout *layout, TDataSource *source, QWidget *parent,
              std::initializer_list<std::pair<const char *, const char *>> fields)
{
    for (const auto &[field, caption] : fields)
        AddFieldEditRow(layout, parent, source, field, caption);
}

// The mould data of an item (POLOZKYKOKILY), in the order the card shows them.
const char *const MouldFields[] = {"MATERIAL",  "NASOBNOST",  "ZIVOTNOST",  "OBNOVA",    "JADRAKOV",
                                   "JADRAPIES", "JADROVNIKY", "VOLNECASTI", "CHLADITKA", "VYSTUHY",
                                   "ZALIATOK",  "MODDOSKA",   "STOL",       "SPTAHAC",   "NALIATKY",
                                   "VTOKSUST",  "VYPOMDOSKA", "MATJADIER",  "MATJADROV", "MATCHLAD"};

TField *itemField(const char *name)
{
    return DMMTZ->QPolozky.FieldByName(QString::fromLatin1(name));
}

} // namespace

// ---------------------------------------------------------------- the card

TMPolozkyDForm::TMPolozkyDForm(QWidget *owner) : TForm(owner)
{
    setObjectName(QStringLiteral("MPolozkyDForm"));
    setWindowTitle(QString::fromUtf8("Skladová položka"));
    TDataSource *item = &DMMTZ->DSPolozky;
    auto *layout = new QVBoxLayout(this);
    Tabs = new QTabWidget(this);
    // Every page's tab is seen at once: the window is as wide as its tabs.
    Tabs->setUsesScrollButtons(false);
    layout->addWidget(Tabs);

    tsVseobecne = new QWidget;
    auto *general = new QFormLayout(tsVseobecne);
    eCPol = NewFieldEdit(tsVseobecne, item, "C_POL");
    btnCislo = GuardedButton(QStringLiteral("..."), this,
                             [this] { itemField("C_POL")->SetValue(NextItemCode(eCPol->text().trimmed())); });
    // The button as wide as its dots: the number beside it keeps the room.
    btnCislo->setMaximumWidth(btnCislo->fontMetrics().horizontalAdvance(btnCislo->text()) + 24);
    auto *number = new QHBoxLayout;
    number->addWidget(eCPol);
    number->addWidget(btnCislo);
    general->addRow(QString::fromUtf8("č.Položky"), number);
    cbTyp1 = new TDBComboBox(tsVseobecne);
    cbTyp1->SetDataSource(item);
    cbTyp1->SetDataField(QStringLiteral("TYP1"));
    cbTyp1->SetItems({QString::fromUtf8("M-Materiál"), QString::fromUtf8("N-Nástroj")});
    general->addRow(QStringLiteral("Typ"), cbTyp1);
    cbTyp2 = new TDBComboBox(tsVseobecne);
    cbTyp2->setObjectName(QStringLiteral("DBcbTYP2"));
    cbTyp2->SetDataSource(item);
    cbTyp2->SetDataField(QStringLiteral("TYP2"));
    TStringList subKinds;
    DMZal->ReadDefaultsList(subKinds, QStringLiteral("Polozky.typ2"));
    cbTyp2->SetItems(subKinds.Lines());
    general->addRow(QStringLiteral("Typ2"), cbTyp2);
    eNazov = NewFieldEdit(tsVseobecne, item, "NAZOV");
    general->addRow(QString::fromUtf8("Názov"), eNazov);
    eRozmer = NewFieldEdit(tsVseobecne, item, "ROZMER");
    general->addRow(QStringLiteral("Rozmer"), eRozmer);
    cbMJ = new TDBComboBox(tsVseobecne);
    cbMJ->SetDataSource(item);
    cbMJ->SetDataField(QStringLiteral("MJ"));
    cbMJ->SetItems({"KS", "KG", "G", "L", "M", "M2"});
    general->addRow(QStringLiteral("MJ"), cbMJ);
    // Prices are typed in the shape "99999.99": five whole places and two decimals.
    eCenaNakl = AddDataEditRow(general, tsVseobecne, item, {"CENA_NAKL", "Cena nákl.", bsNone, "99999.99"});
    eCenaKalk = AddDataEditRow(general, tsVseobecne, item, {"CENA_KALK", "Cena kalk.", bsNone, "99999.99"});
    addEdits(general, item, tsVseobecne,
             {{"VAHA1", "Váha btto."},
              {"VAHA_MAT", "Váha nett."},
              {"MATERIAL", "Materiál"},
              {"FREE1", "Voľné 1"},
              {"FREE2", "Voľné 2"},
              {"FREE3", "Voľné 3"},
              {"POPIS", "Poznámka"}});
    // The owner is a customer: the dots pick one by the typed name into its number and name.
    eMajitel = AddDataEditRow(general, tsVseobecne, item, {"MAJITEL", "Majiteľ", bsDots});
    eMajitel->OnButtonClick = [](TxDBEdit *) { PickOwner(); };
    addEdits(general, item, tsVseobecne,
             {{"D_VYSTAV", "Vystavená"}, {"KP", "KP"}, {"MNOZ_MIN", "Min.zásoba"}, {"C_POL_EXT", "Externé č."}});
    Tabs->addTab(tsVseobecne, QString::fromUtf8("&Všeobecné"));

    tsSklady = new QWidget;
    auto *stores = new QVBoxLayout(tsSklady);
    SkladyGrid = new TxDBGrid(tsSklady);
    SkladyGrid->SetDataSource(&DMMTZ->DSMSklady);
    const std::pair<const char *, const char *> storeColumns[] = {
        {"SKLAD", "Sklad"},       {"POZICIA1", "Regál"},      {"POZICIA2", "Polica"},    {"POZICIA3", "Priečinok"},
        {"MNOZSTVO", "Množstvo"}, {"MNOZ_VYDV", "Vo výrobe"}, {"MNOZ_VYDO", "Na oprave"}};
    for (const auto &[field, title] : storeColumns) {
        TColumn *c = SkladyGrid->AddColumn(QString::fromLatin1(field), QString::fromUtf8(title));
        c->ReadOnly = QByteArray(field).startsWith("MNOZ");
    }
    auto *storeButtons = new QHBoxLayout;
    btnNovySklad = GuardedButton(QString::fromUtf8("Nová"), this, [this] { NewStoreRow(); });
    btnZmazSklad = GuardedButton(QString::fromUtf8("Zmaž"), this, [this] { DeleteStoreRow(); });
    storeButtons->addWidget(btnNovySklad);
    storeButtons->addWidget(btnZmazSklad);
    storeButtons->addStretch();
    stores->addWidget(SkladyGrid);
    stores->addLayout(storeButtons);
    Tabs->addTab(tsSklady, QStringLiteral("&Sklady"));

    tsObrazok = new QWidget;
    auto *picture = new QVBoxLayout(tsObrazok);
    Obrazok = new TxDBImage(tsObrazok);
    Obrazok->SetDataSource(item);
    Obrazok->SetDataField(QStringLiteral("OBRAZOK"));
    PictureMenu = AddPictureMenu(Obrazok);
    picture->addWidget(Obrazok);
    Tabs->addTab(tsObrazok, QString::fromUtf8("&Obrázok"));

    tsKokila = new QWidget;
    auto *mould = new QFormLayout(tsKokila);
    for (const char *field : MouldFields)
        mould->addRow(MaterialTitles.Title(QLatin1String(field)),
                      NewFieldEdit(tsKokila, &DMMTZ->DSPolozkyKokily, field));
    Tabs->addTab(tsKokila, QStringLiteral("&Kokila/Model"));

    const TSaveRow save = AddSaveRow(
        this, layout, [this] { Save(); }, TSaveCaptions::Ok);
    BtnOK = save.Ok;
    BtnCancel = save.Cancel;
    SetUnsavedData({.Rows = {&DMMTZ->QMSklady},
                    .Records = {&DMMTZ->QPolozky, &DMMTZ->QPolozkyKokily},
                    .Save = [this] { DMMTZ->SaveMaterialItem(MouldKind()); },
                    .Discard = {BtnCancel}});
    for (QWidget *kind : std::initializer_list<QWidget *>{cbTyp1, cbTyp2})
        kind->installEventFilter(new TFocusAction(this, QEvent::FocusOut, [this] { ShowMouldTab(); }));
    OnShow = [this] {
        Tabs->setCurrentIndex(0);
        ShowMouldTab();
        eCPol->setFocus();
    };
}

namespace {
// Moulds (K) and models (M) have mould data.
bool mouldSubKind(const QString &typ2)
{
    const QString sub = typ2.trimmed().toUpper();
    return sub == QLatin1String("K") || sub == QLatin1String("M");
}
} // namespace

bool TMPolozkyDForm::MouldKind() const
{
    return mouldSubKind(itemField("TYP2")->AsString());
}

void TMPolozkyDForm::ShowMouldTab()
{
    // The sub-kind as shown: leaving the combo runs this before its text goes into the field.
    Tabs->setTabVisible(Tabs->indexOf(tsKokila), mouldSubKind(cbTyp2->currentText()));
}

void TMPolozkyDForm::PickOwner()
{
    // The name as typed so far is what the customers are looked up by.
    DMMTZ->QPolozky.UpdateRecord();
    PickCustomer(itemField("C_ODB"), itemField("MAJITEL"), false);
}

void TMPolozkyDForm::NewStoreRow()
{
    DMMTZ->QMSklady.Append();
}

void TMPolozkyDForm::DeleteStoreRow()
{
    TxTable &s = DMMTZ->QMSklady;
    if (s.Active() && !s.IsEmpty() && s.FieldByName(QStringLiteral("MNOZSTVO"))->AsFloat() == 0)
        s.Delete();
}

void TMPolozkyDForm::Save()
{
    DMMTZ->SaveMaterialItem(MouldKind());
}

int EditMaterialItem(TMPolozkyDForm *card)
{
    DMMTZ->OpenItemDetails();
    struct Close {
        ~Close() { DMMTZ->CloseItemDetails(); }
    } close;
    const double price = itemField("CENA_KALK")->AsFloat();
    // A new mould row waits for the first edit of the mould tab.
    if (DMMTZ->QPolozkyKokily.IsEmpty())
        DMMTZ->QPolozkyKokily.Append();
    // What the card comes up with (a new item's kind and unit, a copy's values) is not typing.
    DMMTZ->QPolozky.KeepAsDefaults();
    const int result = card->ShowModal();
    if (result != mrOk) {
        DMMTZ->CancelMaterialItem();
        return result;
    }
    if (itemField("CENA_KALK")->AsFloat() != price &&
        MessageBox(QString::fromUtf8("Prepočítať cenu výrobkov, do ktorých vstupuje tento materiál ?"),
                   QString::fromUtf8("Prepočet kalkulovanej ceny"), mtConfirmation, mbYesNo) == mrYes)
        ExecSqlParams(MTZSql::RecalculateProducts, {itemField("C_POL")->AsString()});
    return result;
}

// ---------------------------------------------------------------- the list

TMPolozkyForm::TMPolozkyForm(QWidget *owner) : TBrowseForm(owner)
{
    setObjectName(QStringLiteral("MPolozkyForm"));
    setWindowTitle(QString::fromUtf8("Položky"));
    resize(900, 640);
    Card = new TMPolozkyDForm(this);
    // The number and the sub-kind are matched from their start, the name and the size anywhere; the size
    // narrows what the name finds. A click into the number or the name lists everything in that order.
    QHBoxLayout *search = AddSearchRow({{&eCislo, nullptr, nullptr, "C_POL", "C_POL", 0, "č.Položky"},
                                        {&eNazov, nullptr, nullptr, "NAZOV", "NAZOV;ROZMER", 0, "Názov"},
                                        {&eTyp2, nullptr, nullptr, "TYP2", nullptr, 0, "Typ2"},
                                        {&eRozmer, nullptr, nullptr, "ROZMER", nullptr, 0, "Rozmer"}},
                                       nullptr, nullptr);
    cbTyp1 = new QComboBox(this);
    cbTyp1->addItems({QString(), "V", "M", "N"});
    search->insertWidget(2, cbTyp1);
    setTabOrder(eNazov, cbTyp1);
    setTabOrder(cbTyp1, eTyp2);
    OnQuickSearch = [this](int index, QLineEdit *e) {
        if (e == eRozmer)
            ApplyItemQuickSearch({"NAZOV", "ROZMER"}, {eNazov->text(), eRozmer->text()}, false);
        else
            ApplyItemQuickSearch({QLatin1String(Search(index).Field)}, {e->text()}, e != eNazov);
    };
    // The sub-kind stays: it narrows the list as the kind does.
    OnSearchClick = [this](int index) {
        for (QLineEdit *e : {eCislo, eNazov, eRozmer})
            e->clear();
        DMMTZ->QPolozky.SetIndexFieldNames(QLatin1String(Search(index).Order));
        ApplyItemQuickSearch({}, {}, true);
    };
    connect(cbTyp1, &QComboBox::currentTextChanged, this,
            [this] { Guarded([this] { ApplyItemQuickSearch({}, {}, true); }); });

    Grid = AddGrid<TxDBGrid>(nullptr, &DMMTZ->DSPolozky,
                             {{"C_POL", "č.Položky"},
                              {"TYP1", ""},
                              {"TYP2", ""},
                              {"NAZOV", "Názov položky"},
                              {"ROZMER", "Rozmer"},
                              {"MJ", "MJ"}},
                             0);
    Grid->OnDblClick = [this](TDBGrid *) { Guarded([this] { EditItem(); }); };
    Tabs = new QTabWidget(this);
    DetailGrid = MakeGrid<TxDBGrid>(nullptr, nullptr, {});
    // The first page shows the current item's own data; the others show their rows in the grid below.
    tsPolozka = new QWidget;
    auto *itemColumns = new QHBoxLayout(tsPolozka);
    const auto itemTexts = [&](std::initializer_list<std::pair<const char *, const char *>> fields) {
        auto *column = new QFormLayout;
        itemColumns->addLayout(column, 1);
        for (const auto &[field, caption] : fields) {
            auto *text = new TDBText(tsPolozka);
            text->setObjectName(QStringLiteral("l") + QString::fromLatin1(field));
            text->SetDataSource(&DMMTZ->DSPolozky);
            text->SetDataField(QString::fromLatin1(field));
            AddCaptionedRow(column, QString::fromUtf8(caption), text);
        }
    };
    itemTexts({{"NAZOV", "Názov"},
               {"ROZMER", "Rozmer"},
               {"POPIS", "Poznámka"},
               {"MATERIAL", "Materiál"},
               {"MJ", "MJ"},
               {"KP", "KP"}});
    itemTexts({{"CENA_NAKL", "Cena nákl."},
               {"CENA_KALK", "Cena kalk."},
               {"CENA_PRIEM", "Cena priem."},
               {"VAHA1", "Váha btto."},
               {"VAHA_MAT", "Váha nett."}});
    itemTexts({{"MAJITEL", "Majiteľ"}, {"FREE1", "Voľné 1"}, {"FREE2", "Voľné 2"}, {"FREE3", "Voľné 3"}});
    Tabs->addTab(tsPolozka, QString::fromUtf8("Položka"));
    for (const char *title : {"Kokila/Model", "Sklady", "Pohyby", "Objednávky", "Výrobky", "Zákazky"}) {
        auto *page = new QWidget;
        new QVBoxLayout(page);
        Tabs->addTab(page, QString::fromUtf8(title));
    }
    // The detail grid moves to the page shown.
    Tabs->widget(1)->layout()->addWidget(DetailGrid);
    Column->addWidget(Tabs);
    connect(Tabs, &QTabWidget::currentChanged, this, [this](int i) { Guarded([this, i] { ShowTab(i); }); });

    auto *buttons = new QHBoxLayout;
    btnNova = AddButton(buttons, "&Nová", [this] { NewItem(); });
    btnKopia = AddButton(buttons, "Nová kópia", [this] { CopyItem(); });
    btnOprav = AddButton(buttons, "Oprav", [this] { EditItem(); });
    btnZmaz = AddButton(buttons, "Zmaž", [this] { DeleteItem(); });
    buttons->addStretch();
    BtnKoniec = AddCloseButton(buttons, "&Koniec");
    Column->addLayout(buttons);
}

TMPolozkyForm::~TMPolozkyForm()
{
    if (MPolozkyForm == this)
        MPolozkyForm = nullptr;
}

void TMPolozkyForm::ApplyItemQuickSearch(const QStringList &fields, const QStringList &values, bool prefix)
{
    TxTable &p = DMMTZ->QPolozky;
    p.Close();
    p.SetFilterAndOpen(ItemQuickSearchFilter(fields, values, prefix, cbTyp1->currentText(), eTyp2->text().trimmed()));
}

void TMPolozkyForm::ShowTab(int index)
{
    TxQuery &q1 = DMZal->Query1;
    q1.Close();
    q1.SetDataSource(nullptr);
    DetailGrid->SetDataSource(nullptr);
    if (index > 0 && DetailGrid->parentWidget() != Tabs->widget(index)) {
        Tabs->widget(index)->layout()->addWidget(DetailGrid);
        DetailGrid->show();
    }
    TxTable &p = DMMTZ->QPolozky;
    if (!p.Active() || p.IsEmpty() || index <= 0)
        return;
    // Every page reads its own rows of the current item: the item card edits the mould rows of the data
    // module and closes them when it closes.
    const QString sql[] = {MTZSql::ItemMoulds,    MTZSql::ItemStores,    MTZSql::ItemMovements,
                           MTZSql::ItemOrdersSql, MTZSql::ItemUsedInSql, MTZSql::ItemJobsSql};
    q1.SQL().SetText(sql[index - 1]);
    q1.SetDataSource(&DMMTZ->DSPolozky);
    q1.Open();
    DMMTZ->SetMaterialTitles(&q1);
    DetailGrid->SetDataSource(GetDataSource(&q1));
}

void TMPolozkyForm::NewItem()
{
    Tabs->setCurrentIndex(0);
    TxTable &p = DMMTZ->QPolozky;
    p.Append();
    p.FieldByName(QStringLiteral("TYP1"))->SetValue(QStringLiteral(" "));
    p.FieldByName(QStringLiteral("MJ"))->SetValue(QStringLiteral("KS"));
    EditMaterialItem(Card);
}

void TMPolozkyForm::CopyItem()
{
    TxTable &p = DMMTZ->QPolozky;
    if (!p.Active() || p.IsEmpty())
        return;
    // The new item's own defaults stay; the other fields are copied, the number stays empty.
    std::vector<QVariant> values;
    for (int i = 0; i < p.FieldCount(); ++i)
        values.push_back(p.Fields(i)->Value());
    p.Insert();
    for (int i = 1; i < p.FieldCount(); ++i) {
        TField *f = p.Fields(i);
        if (f->FieldKind() == fkData && (f->IsNull() || f->Value() == f->DefaultValue()))
            f->SetValue(values[size_t(i)]);
    }
    EditMaterialItem(Card);
}

void TMPolozkyForm::EditItem()
{
    TxTable &p = DMMTZ->QPolozky;
    if (!p.Active() || p.IsEmpty())
        return;
    p.Edit();
    EditMaterialItem(Card);
}

void TMPolozkyForm::DeleteItem()
{
    TxTable &p = DMMTZ->QPolozky;
    if (!p.Active() || p.IsEmpty())
        return;
    if (MessageDlg(QString::fromUtf8("Naozaj chceš zmazať položku ") +
                       p.FieldByName(QStringLiteral("C_POL"))->AsString().trimmed() + QStringLiteral(" ?"),
                   mtWarning, mbYesNo) == mrYes)
        p.Delete();
}

void ShowMaterialItems()
{
    FormOnDemand(MPolozkyForm);
    MPolozkyForm->Tabs->setCurrentIndex(0);
    MPolozkyForm->cbTyp1->setCurrentIndex(0);
    MPolozkyForm->eTyp2->clear();
    DMMTZ->QPolozky.SetIndexFieldNames(QStringLiteral("C_POL"));
    MPolozkyForm->ApplyItemQuickSearch({}, {}, true);
    struct Close {
        ~Close()
        {
            DMZal->Query1.Close();
            DMZal->Query1.SetDataSource(nullptr);
            DMMTZ->QPolozky.Close();
            DMMTZ->QPolozky.SetFiltered(false);
        }
    } close;
    MPolozkyForm->ShowModal();
}
