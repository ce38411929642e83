#include "VyrobkyDForm.h"

#include "DMTPV.h"
#include "library/FormKit.h"
#include "VyrobkyOperaciaForm.h"
#include "library/Buttons.h"
#include "library/QMemoForm.h"
#include "library/DataEditRow.h"
#include "library/xDBImage.h"
#include "library/xDBMemo.h"
#include "shell/CisPolForm.h"
#include "shell/DMCis.h"
#include "shell/DMZal.h"
#include "shell/Routines.h"
#include "library/SqlLiteral.h"
#include "platform/os/Format.h"
#include "platform/ui/DBControls.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DBLookupCombo.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FormGlobal.h"
#include "platform/ui/Guarded.h"

#include <QBoxLayout>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QTreeWidget>

TFormGlobal<TVyrobkyDForm> VyrobkyDForm{"VyrobkyDForm"};

namespace {

const char *const CalculationRows[6][2] = {{"MAT1", "Materiál"},          {"MZD1", "Mzdy"},
                                           {"ODVMZD1", "Odvody z miezd"}, {"VYRREZ1", "Výrobná réžia"},
                                           {"NAKL1", "Vlastné náklady"},  {"CENA1", "Predajná cena"}};

QString productNumber()
{
    return DMTPV->QPolozky.FieldByName(QStringLiteral("C_POL"))->AsString().trimmed();
}

QStringList columnValues(TxTable &list, const char *field)
{
    if (!list.Active())
        list.Open();
    TStringList values;
    list.FillListWithFilter(values, QString::fromLatin1(field), QString());
    return values.Lines();
}

QString figure(double value)
{
    return FormatFloat(QStringLiteral("#.##"), value);
}

} // namespace

TVyrobkyDForm::TVyrobkyDForm(QWidget *owner) : TForm(owner)
{
    TrackGlobal(this, VyrobkyDForm);
    setWindowTitle(QString::fromUtf8("Výrobok"));
    resize(640, 560);
    KeyPreview = true;
    TDataSource *product = &DMTPV->DSPolozky;
    auto *main = new QVBoxLayout(this);
    // The number, name and description across the dialog, the rest in two columns below them.
    auto *head = new QFormLayout;
    main->addLayout(head);
    auto *columns = new QHBoxLayout;
    main->addLayout(columns);
    auto *left = new QFormLayout;
    auto *right = new QFormLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    const auto edit = [&](QFormLayout *form, QWidget *parent, const TDataEditRow &row) {
        return AddDataEditRow(form, parent, product, row);
    };
    const auto combo = [&](const char *field) {
        auto *c = new TDBComboBox(this);
        c->setObjectName(QStringLiteral("DBcb") + QString::fromLatin1(field));
        c->SetDataSource(product);
        c->SetDataField(QString::fromLatin1(field));
        return c;
    };
    DBeC_POL = edit(head, this, {"C_POL", "Číslo výrobku", bsDots, nullptr, 15});
    DBeC_POL->SetCharCase(ecUpperCase);
    DBeC_POL->OnButtonClick = [this](TxDBEdit *) { Guarded([this] { btnNextC_POLClick(); }); };
    btnNextC_POL = DBeC_POL->Button();
    DBeNAZOV = edit(head, this, {"NAZOV", "Názov výrobku"});
    DBmPOPIS = new TxDBMemo(this);
    DBmPOPIS->setObjectName(QStringLiteral("DBmPOPIS"));
    DBmPOPIS->SetDataSource(product);
    DBmPOPIS->SetDataField(QStringLiteral("POPIS"));
    SetMemoLines(DBmPOPIS, 3);
    AddCaptionedRow(head, QString::fromUtf8("Popis výrobku"), DBmPOPIS);
    DBlcbMATERIAL =
        new TDBLookupCombo(product, QStringLiteral("MATERIAL"), &DMZal->CMaterialov, QStringLiteral("MATERIAL"), this);
    DBlcbMATERIAL->setObjectName(QStringLiteral("DBlcbMATERIAL"));
    AddCaptionedRow(left, QString::fromUtf8("Materiál"), DBlcbMATERIAL);
    edit(left, this, {"VAHA_MAT", "Váha surová", bsNone, nullptr, 10});
    edit(left, this, {"VAHA1", "Váha čistá", bsNone, nullptr, 10});
    DBcbMJ = combo("MJ");
    DBcbMJ->SetItems(
        {QStringLiteral("KS"), QStringLiteral("KG"), QStringLiteral("L"), QStringLiteral("M"), QStringLiteral("T")});
    AddCaptionedRow(left, QStringLiteral("MJ"), DBcbMJ);
    edit(left, this, {"C_VYKRESU", "Číslo výkresu"});
    edit(right, this, {"ROZMER", "Rozmer, Typ"});
    edit(right, this, {"KP", "Výrobný odbor", bsNone, nullptr, 10})
        ->setToolTip(QString::fromUtf8("Klasifikácia produkcie, JKPOV"));
    DBcbVYSTAVIL = combo("VYSTAVIL");
    AddCaptionedRow(right, QStringLiteral("Vystavil"), DBcbVYSTAVIL);
    edit(right, this, {"D_VYSTAV", "dňa", bsDate, nullptr, 10});
    edit(right, this, {"C_POL_EXT", "Externé číslo", bsNone, nullptr, 20})
        ->setToolTip(QString::fromUtf8("Zákaznícke číslo výrobku"));

    pcVyrobok = new QTabWidget(this);
    pcVyrobok->setObjectName(QStringLiteral("pcVyrobok"));
    main->addWidget(pcVyrobok, 1);

    // "Ďaľšie informácie": more data and the picture.
    TabDalsie = new QWidget;
    auto *more = new QHBoxLayout(TabDalsie);
    auto *moreForm = new QFormLayout;
    more->addLayout(moreForm);
    edit(moreForm, TabDalsie, {"KOMOD", "Kokila - Model", bsNone, nullptr, 15});
    edit(moreForm, TabDalsie, {"NASNAR", "Násobnosť náradia", bsNone, nullptr, 6});
    edit(moreForm, TabDalsie, {"FREE1", "Voľné"});
    edit(moreForm, TabDalsie, {"FREE2", ""});
    edit(moreForm, TabDalsie, {"FREE3", ""});
    edit(moreForm, TabDalsie, {"CENA_NAKL", "Cena vnútropodn. (Vlastné náklady)", bsNone, nullptr, 12});
    edit(moreForm, TabDalsie, {"CENA_KALK", "Cena zkalkulovaná", bsNone, nullptr, 12});
    auto *pictureBox = new QGroupBox(QString::fromUtf8("Obrázok výrobku"), TabDalsie);
    auto *pictureLayout = new QVBoxLayout(pictureBox);
    DBImage = new TxDBImage(pictureBox);
    DBImage->setObjectName(QStringLiteral("DBImage"));
    DBImage->SetDataSource(product);
    DBImage->SetDataField(QStringLiteral("OBRAZOK"));
    DBImage->setMinimumSize(160, 120);
    pictureLayout->addWidget(DBImage);
    more->addWidget(pictureBox, 1);
    PictureMenu = AddPictureMenu(DBImage);
    pcVyrobok->addTab(TabDalsie, QString::fromUtf8("Ďaľšie informácie"));

    // "&Technologický postup": the route.
    TabOperacie = new QWidget;
    auto *route = new QVBoxLayout(TabOperacie);
    DBGridOperacie = new TDBGrid(TabOperacie);
    DBGridOperacie->setObjectName(QStringLiteral("DBGridOperacie"));
    DBGridOperacie->SetDataSource(&DMTPV->DSTOperacie);
    DBGridOperacie->AppendAtEnd = true; // the route is typed operation by operation
    const QList<QPair<const char *, const char *>> routeColumns{
        {"POSTUP", "Postup"},      {"C_OPERACIE", "č.Op."},
        {"OPERACIA", "Operacia"},  {"POPIS_OP", "Popis operácie"},
        {"PRACOVISKO", "Pracov."}, {"PROFESIA", "Profesia"},
        {"TARIF", "Tarif"},        {"CAS_PRIP", "Čas prípr."},
        {"CAS_JED", "Čas jed."},   {"MZDA", ""},
        {"P_STRATY", "%Strát"}};
    for (const auto &c : routeColumns)
        DBGridOperacie->AddColumn(QString::fromLatin1(c.first), QString::fromUtf8(c.second));
    DBGridOperacie->Columns(3)->ButtonStyle = cbsEllipsis;
    DBGridOperacie->Columns(8)->ButtonStyle = cbsEllipsis;
    DBGridOperacie->OnEditButtonClick = [this](TDBGrid *) { Guarded([this] { DBGridOperacieEditButtonClick(); }); };
    DBGridOperacie->OnDblClick = [this](TDBGrid *) { Guarded([this] { mnuOpravOperaciuClick(); }); };
    // A row without machine time shows its unit time green; a row without any time is grey.
    DBGridOperacie->OnGetCellProp = [](TDBGrid *, TDataSet *ds, TField *field, TCellFont &font, QColor &, bool) {
        if (!field || field->FieldName().compare(QLatin1String("CAS_JED"), Qt::CaseInsensitive) != 0)
            return;
        if (ds->FieldByName(QStringLiteral("CAS_STROJ"))->AsFloat() == 0)
            font.Color = QColor(0x00, 0x80, 0x00);
        else if (ds->FieldByName(QStringLiteral("CAS_JED"))->AsFloat() == 0 &&
                 ds->FieldByName(QStringLiteral("CAS_PRIP"))->AsFloat() == 0)
            font.Color = QColor(0x80, 0x80, 0x80);
    };
    OperationMenu = new QMenu(this);
    OperationMenu->addAction(QString::fromUtf8("Nová operácia"), this,
                             [this] { Guarded([this] { mnuNovaOperaciaClick(); }); });
    OperationMenu->addAction(QString::fromUtf8("Oprav operáciu"), this,
                             [this] { Guarded([this] { mnuOpravOperaciuClick(); }); });
    OperationMenu->addAction(QString::fromUtf8("Zmaž operáciu"), this,
                             [this] { Guarded([this] { mnuZmazOperaciuClick(); }); });
    DBGridOperacie->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(DBGridOperacie, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { OperationMenu->popup(DBGridOperacie->viewport()->mapToGlobal(at)); });
    route->addWidget(DBGridOperacie);
    pcVyrobok->addTab(TabOperacie, QString::fromUtf8("&Technologický postup"));

    // "&Kusovník - Štruktúra": the bill of materials and the tree of the whole structure.
    TabKusovnik = new QWidget;
    auto *bom = new QHBoxLayout(TabKusovnik);
    DBGridKusovnik = new TDBGrid(TabKusovnik);
    DBGridKusovnik->setObjectName(QStringLiteral("DBGridKusovnik"));
    DBGridKusovnik->SetDataSource(&DMTPV->DSTKusovnik);
    for (const auto &c : QList<QPair<const char *, const char *>>{{"C_POZICIE", "č.Pozície"},
                                                                  {"C_POL", "č.Položky"},
                                                                  {"MNOZSTVO", "Množstvo"},
                                                                  {"P_STRATY", "% straty"},
                                                                  {"POZNAMKA", "Poznámka"}})
        DBGridKusovnik->AddColumn(QString::fromLatin1(c.first), QString::fromUtf8(c.second));
    DBGridKusovnik->Columns(1)->ButtonStyle = cbsEllipsis;
    DBGridKusovnik->OnEditButtonClick = [this](TDBGrid *) { Guarded([this] { DBgridKusovnikEditButtonClick(); }); };
    bom->addWidget(DBGridKusovnik, 3);
    tvKusovnik = new QTreeWidget(TabKusovnik);
    tvKusovnik->setObjectName(QStringLiteral("tvKusovnik"));
    tvKusovnik->setHeaderHidden(true);
    bom->addWidget(tvKusovnik, 2);
    pcVyrobok->addTab(TabKusovnik, QString::fromUtf8("&Kusovník - Štruktúra"));

    // "K&alkulácia": stored against current figures, and the editable parts of the calculation.
    TabKalk = new QWidget;
    auto *kalk = new QGridLayout(TabKalk);
    kalk->addWidget(new QLabel(QString::fromUtf8("Uložená"), TabKalk), 0, 1);
    kalk->addWidget(new QLabel(QString::fromUtf8("Aktuálna"), TabKalk), 0, 2);
    kalk->addWidget(new QLabel(QString::fromUtf8("Rozdiel"), TabKalk), 0, 3);
    for (int i = 0; i < 6; ++i) {
        kalk->addWidget(new QLabel(QString::fromUtf8(CalculationRows[i][1]), TabKalk), i + 1, 0);
        lUlozena[i] = new QLabel(TabKalk);
        lAktualna[i] = new QLabel(TabKalk);
        lRozdiel[i] = new QLabel(TabKalk);
        kalk->addWidget(lUlozena[i], i + 1, 1);
        kalk->addWidget(lAktualna[i], i + 1, 2);
        kalk->addWidget(lRozdiel[i], i + 1, 3);
    }
    auto *kalkForm = new QFormLayout;
    kalk->addLayout(kalkForm, 7, 0, 1, 4);
    for (const TDataEditRow &row : {TDataEditRow{"OVN1", "Ostatné výrobné náklady", bsNone, nullptr, 12},
                                    TDataEditRow{"MIM1", "Externé výrobné náklady", bsNone, nullptr, 12},
                                    TDataEditRow{"P_ZISKU", "% Zisku", bsNone, nullptr, 6}})
        AddDataEditRow(kalkForm, TabKalk, &DMTPV->DSPolozkyKalk, row);
    edit(kalkForm, TabKalk, {"CENA_PRED", "Predajná cena", bsNone, nullptr, 12});
    pcVyrobok->addTab(TabKalk, QString::fromUtf8("K&alkulácia"));

    AddSaveButtons(this, main, BtnZapis1, BtnNezapis1,
                   {.Rows = {&DMTPV->QTOperacie, &DMTPV->QTKusovnik, &DMTPV->QPolozkyKalk},
                    .Records = {&DMTPV->QPolozky},
                    .Save = [this] { saveProduct(); }});

    // The tabs change only with a product number; each fills as it is shown.
    connect(pcVyrobok, &QTabWidget::currentChanged, this, [this](int index) {
        if (index != 0 && productNumber().isEmpty()) {
            pcVyrobok->setCurrentIndex(0);
            return;
        }
        Guarded([this, index] {
            if (pcVyrobok->widget(index) == TabKusovnik)
                TabKusovnikShow();
            else if (pcVyrobok->widget(index) == TabKalk)
                ShowProductCalculation();
        });
    });
    // Enter in a grid moves to the next cell, as Tab does.
    OnKeyDown = [this](int &key, Qt::KeyboardModifiers) {
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && qobject_cast<TDBGrid *>(focusWidget()))
            key = Qt::Key_Tab;
    };
    TStringList issuers;
    DMZal->ReadDefaultsList(issuers, QStringLiteral("Vyrobky.vystavil"));
    DBcbVYSTAVIL->SetItems(issuers.Lines());
}

void TVyrobkyDForm::btnNextC_POLClick()
{
    TxTable &p = DMTPV->QPolozky;
    const QString next = NextItemCode(DBeC_POL->GetEditText());
    if (p.State() == dsBrowse)
        p.Edit();
    p.FieldByName(QStringLiteral("C_POL"))->SetValue(next);
}

void TVyrobkyDForm::TabKusovnikShow()
{
    if (tvKusovnik->topLevelItemCount() > 0)
        return;
    auto *root = new QTreeWidgetItem(tvKusovnik, {productNumber()});
    FillBomTree(root);
    tvKusovnik->expandAll();
}

void TVyrobkyDForm::FillBomTree(QTreeWidgetItem *root)
{
    // The root's rows as the grid holds them, unsaved changes included.
    QStringList own;
    TxTable &bom = DMTPV->QTKusovnik;
    if (bom.Active()) {
        TField *item = bom.FieldByName(QStringLiteral("C_POL"));
        for (int row = 0; row < bom.RecordCount(); ++row)
            own << bom.ValueAt(row, item).toString().trimmed();
    }
    const QHash<QString, QStringList> below = DMTPV->StoredBomBelow(own);
    // Depth first; an item already on its own path is shown once more, marked, and not followed.
    std::function<void(QTreeWidgetItem *, const QStringList &, QStringList)> fill;
    fill = [&](QTreeWidgetItem *node, const QStringList &items, QStringList path) {
        path << node->text(0);
        for (const QString &code : items) {
            if (path.contains(code)) {
                new QTreeWidgetItem(node, {code + QString::fromUtf8(" (cyklus)")});
                continue;
            }
            auto *child = new QTreeWidgetItem(node, {code});
            fill(child, below.value(code), path);
        }
    };
    fill(root, own, {});
}

void TVyrobkyDForm::ShowProductCalculation()
{
    TxTable &stored = DMTPV->QPolozkyKalk;
    const QVariantMap now = DMTPV->CurrentCalculation(productNumber());
    for (int i = 0; i < 6; ++i) {
        const QString name = QString::fromLatin1(CalculationRows[i][0]);
        const double current = now.value(name).toDouble();
        double before = 0;
        if (i == 5)
            before = DMTPV->QPolozky.FieldByName(QStringLiteral("CENA_PRED"))->AsFloat();
        else if (stored.Active() && !stored.IsEmpty())
            before = stored.FieldByName(name)->AsFloat();
        lUlozena[i]->setText(figure(before));
        lAktualna[i]->setText(figure(current));
        // The levies show no difference.
        lRozdiel[i]->setText(i == 2 ? QString() : figure(current - before));
    }
}

void TVyrobkyDForm::mnuNovaOperaciaClick()
{
    DMTPV->QTOperacie.Append();
    EditProductOperation();
}

void TVyrobkyDForm::mnuOpravOperaciuClick()
{
    TxTable &op = DMTPV->QTOperacie;
    if (op.IsEmpty())
        return;
    op.Edit();
    EditProductOperation();
}

void TVyrobkyDForm::mnuZmazOperaciuClick()
{
    if (!DMTPV->QTOperacie.IsEmpty())
        DMTPV->QTOperacie.Delete();
}

void TVyrobkyDForm::DBgridKusovnikEditButtonClick()
{
    TxTable &bom = DMTPV->QTKusovnik;
    if (bom.State() == dsBrowse) {
        if (bom.IsEmpty())
            bom.Append();
        else
            bom.Edit();
    }
    TField *field = DBGridKusovnik->SelectedField();
    if (field && field->FieldName().compare(QLatin1String("C_POL"), Qt::CaseInsensitive) == 0)
        PickAnyItemForField(field);
}

void TVyrobkyDForm::DBGridOperacieEditButtonClick()
{
    TField *field = DBGridOperacie->SelectedField();
    if (!field)
        return;
    if (field->FieldName().compare(QLatin1String("CAS_JED"), Qt::CaseInsensitive) == 0)
        DMTPV->EnterNormPerShift();
    else if (field->FieldName().compare(QLatin1String("POPIS_OP"), Qt::CaseInsensitive) == 0)
        EditMemoField(DMTPV->QTOperacie.FieldByName(QStringLiteral("NAVODKA")),
                      QString::fromUtf8("Technologická návodka k operácií"));
}

void TVyrobkyDForm::LoadPictureFromFile(const QString &path)
{
    LoadDBImageFromFile(DBImage, path);
}

void TVyrobkyDForm::saveProduct()
{
    TDMTPV &tpv = *DMTPV;
    const bool routeChanged = tpv.QTOperacie.Active() && tpv.QTOperacie.UpdatesPending();
    const bool bomChanged = tpv.QTKusovnik.Active() && tpv.QTKusovnik.UpdatesPending();
    tpv.SaveProduct();
    if (routeChanged)
        PriceAtStart = -1;
    if (bomChanged)
        PriceAtStart = -2;
}

bool RunProductDialog()
{
    TDMTPV &tpv = *DMTPV;
    TVyrobkyDForm &form = FormOnDemand(VyrobkyDForm);
    if (!DMZal->CMaterialov.Active())
        DMZal->CMaterialov.Open();
    form.DBlcbMATERIAL->Reload();
    form.DBGridOperacie->Columns(2)->PickList = columnValues(DMZal->COperacii, "OPERACIA");
    form.DBGridOperacie->Columns(4)->PickList = columnValues(DMCis->CPracovisk, "PRACOVISKO");
    form.DBGridOperacie->Columns(5)->PickList = columnValues(DMCis->CProfesii, "PROFESIA");
    form.DBGridOperacie->Columns(6)->PickList = columnValues(DMCis->CTarifov, "TARIF");
    const QString code = productNumber();
    const QString literal = SqlLiteral(code);
    for (TxTable *t : {&tpv.QTOperacie, &tpv.QTKusovnik, &tpv.QPolozkyKalk}) {
        t->Close();
        t->SetFilter(QStringLiteral("%1=%2").arg(t == &tpv.QPolozkyKalk ? "C_POL" : "C_VYR", literal));
        t->SetFiltered(true);
        t->Open();
    }
    form.setWindowTitle(tpv.QPolozky.State() == dsInsert ? QString::fromUtf8("Nový výrobok")
                                                         : QString::fromUtf8("Výrobok ") + code);
    form.PriceAtStart = tpv.QPolozky.FieldByName(QStringLiteral("CENA_KALK"))->AsFloat();
    form.pcVyrobok->setCurrentIndex(0);
    form.tvKusovnik->clear();
    form.DBImage->LoadPicture();
    struct Closer {
        ~Closer()
        {
            for (TxTable *t : {&DMTPV->QPolozkyKalk, &DMTPV->QTKusovnik, &DMTPV->QTOperacie})
                try {
                    t->Close();
                } catch (...) {
                    // What was not stored is dropped with the data set.
                }
        }
    } closer;
    if (form.ShowModal() != mrOk) {
        tpv.CancelProduct();
        return false;
    }
    // Saved: the questions that follow a changed route, bill of materials or price.
    const QString saved = productNumber();
    const double v = form.PriceAtStart;
    if (v == -1 && MessageBox(QString::fromUtf8("Aktualizovať kusové časy na otvorených zákazkách ?"),
                              QString::fromUtf8("Aktualizácia normo-časov"), mtConfirmation, mbYesNo) == mrYes)
        Guarded([&] { tpv.PushUnitTimes(saved); });
    const QString caption = QString::fromUtf8("Prepočet kalkulovanej ceny");
    if (v < 0 && MessageBox(QString::fromUtf8("Prepočítať cenu výrobku aj ostatných výrobkov, do ktorých vstupuje ?"),
                            caption, mtConfirmation, mbYesNo) == mrYes) {
        Guarded([&] { tpv.RecalculatePrice(saved, true); });
        return true;
    }
    if (tpv.QPolozky.FieldByName(QStringLiteral("CENA_KALK"))->AsFloat() != v &&
        MessageBox(QString::fromUtf8("Prepočítať cenu výrobkov, do ktorých vstupuje tento výrobok ?"), caption,
                   mtConfirmation, mbYesNo) == mrYes)
        Guarded([&] { tpv.RecalculatePrice(saved, false); });
    return true;
}

bool EditProduct(const QString &product)
{
    TxTable &p = DMTPV->QPolozky;
    p.Close();
    p.SetFilter(QStringLiteral("C_POL=") + SqlLiteral(product.trimmed()));
    p.SetFiltered(true);
    p.Open();
    if (p.IsEmpty()) {
        ShowError(QString::fromUtf8("Výrobok %1 neexistuje !").arg(product.trimmed()));
        return false;
    }
    p.Edit();
    return RunProductDialog();
}
