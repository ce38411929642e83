#include "ZakKalkForm.h"

#include "DMOdbyt.h"
#include "library/Buttons.h"
#include "shell/CisPolForm.h"
#include "shell/DMCis.h"
#include "shell/DMZal.h"
#include "platform/os/Format.h"
#include "platform/ui/DBControls.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DBLookupCombo.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Guarded.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QToolButton>

TZakKalkForm *ZakKalkForm = nullptr;

namespace {

QStringList columnValues(TDataSet &ds, const char *fieldName)
{
    TStringList list;
    if (auto *table = dynamic_cast<TxTable *>(&ds)) {
        if (!table->Active())
            table->Open();
        table->FillListWithFilter(list, QString::fromLatin1(fieldName), QString());
    }
    return list.Lines();
}

} // namespace

TZakKalkForm::TZakKalkForm(QWidget *owner) : TForm(owner)
{
    ZakKalkForm = this;
    setWindowTitle(QString::fromUtf8("Kalkulácia"));
    resize(960, 540);
    KeyPreview = true;
    TDMOdbyt &dm = *DMOdbyt;
    auto *main = new QVBoxLayout(this);
    pcZakKalk = new QTabWidget(this);
    main->addWidget(pcZakKalk);

    // "&Kalkulácia": the figures, the short operations grid and the two cost grids.
    auto *page = new QWidget;
    auto *pageLayout = new QHBoxLayout(page);
    auto *left = new QFormLayout;
    auto *right = new QFormLayout;
    pageLayout->addLayout(left);
    pageLayout->addLayout(right);
    DBcbCMaterialov = new TDBLookupCombo(&dm.DSZakKalk, QStringLiteral("MATERIAL"), &DMZal->CMaterialov,
                                         QStringLiteral("MATERIAL"), page);
    DBcbCMaterialov->setObjectName(QStringLiteral("DBcbCMaterialov"));
    left->addRow(QString::fromUtf8("Materiál"), DBcbCMaterialov);
    addHeaderField(left, "CENA_MAT", QString::fromUtf8("€/KG"), true);
    lZmena_Ceny_mat = new QLabel(page);
    left->addRow(QString(), lZmena_Ceny_mat);
    addHeaderField(left, "VAHA_MAT", QString::fromUtf8("Surový odliatok"), true);
    addHeaderField(left, "VAHA1", QString::fromUtf8("Čistý odliatok"), true);
    addHeaderField(left, "P_PREPALU", QString::fromUtf8("Prepal"), true);
    // The material cost of the raw and the clean casting and of the melting loss.
    addHeaderField(left, "MAT_BW1", QString::fromUtf8("Mat. surový"), false);
    addHeaderField(left, "MAT_NW1", QString::fromUtf8("Mat. čistý"), false);
    addHeaderField(left, "PRE1", QString::fromUtf8("Mat. prepal"), false);
    addHeaderField(left, "MAT1", QString::fromUtf8("Materiál"), false);
    addHeaderField(left, "MZD1", QString::fromUtf8("Mzdy"), false);
    addHeaderField(left, "P_ODVMZD", QString::fromUtf8("% Odvody z miezd"), true);
    addHeaderField(left, "ODVMZD1", QString::fromUtf8("Odvody z miezd"), false);
    addHeaderField(left, "P_VYRREZ", QString::fromUtf8("% Výrobná réžia"), true);
    addHeaderField(left, "VYRREZ1", QString::fromUtf8("Výrobná réžia"), false);
    addHeaderField(left, "OVN1", QString::fromUtf8("Ostatné náklady"), false);
    addHeaderField(left, "MIM1", QString::fromUtf8("Externé náklady"), false);
    addHeaderField(right, "NAKL1", QString::fromUtf8("Vlastné náklady"), false);
    addHeaderField(right, "P_SPRREZ", QString::fromUtf8("% Správna réžia"), true);
    addHeaderField(right, "SPRREZ1", QString::fromUtf8("Správna réžia"), false);
    addHeaderField(right, "UVN1", QString::fromUtf8("Úplné vl.náklady"), false);
    addHeaderField(right, "P_ZISKU", QString::fromUtf8("% Zisk"), true);
    addHeaderField(right, "ZISK1", QString::fromUtf8("Zisk"), false);
    addHeaderField(right, "CENA1", QString::fromUtf8("Cena výrobku"), false);
    addHeaderField(right, "CENA1KG", QString::fromUtf8("Cena 1kg"), false);
    DBcbCStatov =
        new TDBLookupCombo(&dm.DSZakKalk, QStringLiteral("MENA"), &DMZal->CStatov, QStringLiteral("MENA"), page);
    DBcbCStatov->setObjectName(QStringLiteral("DBcbCStatov"));
    right->addRow(QString::fromUtf8("Mena"), DBcbCStatov);
    addHeaderField(right, "KURZ", QString::fromUtf8("Kurz"), true);
    addHeaderField(right, "KOEF_MAT", QString::fromUtf8("Koef. materiál"), true);
    addHeaderField(right, "KOEF_DOP", QString::fromUtf8("Koef. doprava"), true);
    addHeaderField(right, "PRID_MAT1", QString::fromUtf8("Prídavok za materiál"), false);
    addHeaderField(right, "PRID_DOP1", QString::fromUtf8("Prídavok za dopravu"), false);
    addHeaderField(right, "CENA_KURZ1", QString::fromUtf8("Cena v mene"), true);
    lCENA_PRED = new QLabel(page);
    right->addRow(QString::fromUtf8("Cenníková cena"), lCENA_PRED);
    eCENA1c = new QLineEdit(page);
    eCENA1c->setObjectName(QStringLiteral("eCENA1c"));
    eCENA1c->setMaxLength(8);
    lMZD1c = new QLabel(page);
    right->addRow(eCENA1c, lMZD1c);
    btnPocitajOdUVN1 = new QToolButton(page);
    btnPocitajOdUVN1->setText(QString::fromUtf8("Od nákladov"));
    btnPocitajOdCENA_KURZ1 = new QToolButton(page);
    btnPocitajOdCENA_KURZ1->setText(QString::fromUtf8("Od ceny v mene"));
    for (QToolButton *b : {btnPocitajOdUVN1, btnPocitajOdCENA_KURZ1}) {
        b->setCheckable(true);
        b->setAutoExclusive(true);
    }
    right->addRow(btnPocitajOdUVN1, btnPocitajOdCENA_KURZ1);
    auto *grids = new QVBoxLayout;
    DBGridOp = MakeGrid(
        page, &dm.DSZakOperacie,
        {{"C_OPERACIE", "č.Op."}, {"OPERACIA", "Op."}, {"CAS_JED", "Čas"}, {"MZDA", ""}, {"VYRREZ", "Výr.Rež."}});
    DBGridOp->SetReadOnly(true);
    // The short grid shows its times and amounts whole beside the figures: no column is wider than they are.
    const int figure = fontMetrics().horizontalAdvance(QString::fromUtf8("000,00 €")) + 10;
    for (int column : {2, 3, 4})
        DBGridOp->Columns(column)->Width = figure;
    DBGridOVN = MakeGrid(page, &dm.DSZakKalkO, {{"NAKLAD", "Názov nákladu"}, {"HODNOTA", ""}});
    DBGridMIM = MakeGrid(page, &dm.DSZakKalkM, {{"NAKLAD", "Názov nákladu"}, {"HODNOTA", ""}});
    grids->addWidget(DBGridOp);
    grids->addWidget(new QLabel(QString::fromUtf8("Ostatné výrobné náklady :"), page));
    grids->addWidget(DBGridOVN);
    grids->addWidget(new QLabel(QString::fromUtf8("Externé výrobné náklady"), page));
    grids->addWidget(DBGridMIM);
    pageLayout->addLayout(grids, 1);
    pcZakKalk->addTab(page, QString::fromUtf8("&Kalkulácia"));

    // "Technologický postup": the job's operations.
    page = new QWidget;
    auto *route = new QVBoxLayout(page);
    DBGridOperacie = MakeGrid(page, &dm.DSZakOperacie,
                              {{"C_OPERACIE", "č.Op."},
                               {"OPERACIA", "Operácia"},
                               {"POPIS_OP", "Popis"},
                               {"PRACOVISKO", "Pracovisko"},
                               {"PROFESIA", "Profesia"},
                               {"TARIF", "Tarif"},
                               {"CAS_JED", "Normo.čas"},
                               {"MZDA", ""},
                               {"VYRREZ", "Výr.Rež."},
                               {"P_STRATY", "%Strát"}});
    DBGridOperacie->Columns(8)->ReadOnly = true;
    route->addWidget(DBGridOperacie);
    cbAktualizovatVyrobok = new QCheckBox(QString::fromUtf8("Aktualizovať aj Operácie výrobku"), page);
    route->addWidget(cbAktualizovatVyrobok);
    pcZakKalk->addTab(page, QString::fromUtf8("Technologický postup"));

    // "Kusovník": the job's bill of materials.
    page = new QWidget;
    auto *bom = new QVBoxLayout(page);
    DBGridKusovnik = MakeGrid(page, &dm.DSZakKusovnik,
                              {{"C_POZICIE", "č.Pozície"},
                               {"C_POL", "č.Položky"},
                               {"MNOZSTVO", "Množstvo"},
                               {"POZNAMKA", "Poznámka"},
                               {"HODNOTA", ""}});
    DBGridKusovnik->Columns(1)->ButtonStyle = cbsEllipsis;
    DBGridKusovnik->OnEditButtonClick = [](TDBGrid *g) {
        if (g->SelectedField() &&
            g->SelectedField()->FieldName().compare(QLatin1String("C_POL"), Qt::CaseInsensitive) == 0)
            PickAnyItemForField(g->SelectedField());
    };
    bom->addWidget(DBGridKusovnik);
    pcZakKalk->addTab(page, QString::fromUtf8("Kusovník"));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    BtnZapis = new TBtnZapis(this);
    BtnNezapis = new TBtnNezapis(this);
    buttons->addWidget(BtnZapis);
    buttons->addWidget(BtnNezapis);
    main->addLayout(buttons);

    connect(btnPocitajOdUVN1, &QToolButton::clicked, this, [this] { Guarded([this] { btnPocitajOdUVN1Click(); }); });
    connect(btnPocitajOdCENA_KURZ1, &QToolButton::clicked, this,
            [this] { Guarded([this] { btnPocitajOdCENA_KURZ1Click(); }); });
    connect(eCENA1c, &QLineEdit::textEdited, this, [this] { targetPriceTyped_ = true; });
    connect(eCENA1c, &QLineEdit::editingFinished, this, [this] { Guarded([this] { eCENA1cExit(); }); });
    // The button's OK reaches the form only when the save went through.
    connect(BtnZapis, &QPushButton::clicked, this, [this] { Guarded([this] { BtnZapisClick(); }); });

    SetUnsavedData({.Rows = {&dm.QZakOperacie, &dm.QZakKusovnik, &dm.QZakKalkO, &dm.QZakKalkM},
                    .Records = {&dm.QvZakKalk},
                    .Save = [this] { BtnZapisClick(); },
                    .Discard = {BtnNezapis}});
    // The dialog closes only from its first page; elsewhere a close request goes back to it.
    OnCloseQuery = [this](bool &canClose) {
        if (pcZakKalk->currentIndex() != 0) {
            canClose = false;
            pcZakKalk->setCurrentIndex(0);
        }
    };
    // Enter in a grid moves to the next cell, as Tab does.
    OnKeyDown = [this](int &key, Qt::KeyboardModifiers) {
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && qobject_cast<TDBGrid *>(focusWidget()))
            key = Qt::Key_Tab;
    };
}

TZakKalkForm::~TZakKalkForm()
{
    if (ZakKalkForm == this)
        ZakKalkForm = nullptr;
}

void TZakKalkForm::addHeaderField(QFormLayout *layout, const char *fieldName, const QString &caption, bool editable)
{
    QWidget *control;
    if (editable) {
        auto *edit = new TDBEdit(this);
        edit->SetDataSource(&DMOdbyt->DSZakKalk);
        edit->SetDataField(QString::fromLatin1(fieldName));
        control = edit;
    } else {
        auto *text = new TDBText(this);
        text->SetDataSource(&DMOdbyt->DSZakKalk);
        text->SetDataField(QString::fromLatin1(fieldName));
        control = text;
    }
    control->setObjectName(QString::fromLatin1(fieldName));
    headerControls_.append(control);
    layout->addRow(caption, control);
}

QWidget *TZakKalkForm::FieldControl(const QString &fieldName) const
{
    for (QWidget *w : headerControls_)
        if (w->objectName().compare(fieldName, Qt::CaseInsensitive) == 0)
            return w;
    return nullptr;
}

void TZakKalkForm::btnPocitajOdUVN1Click()
{
    DMOdbyt->SetPriceMode(true);
    DMOdbyt->PriceFromCosts();
}

void TZakKalkForm::btnPocitajOdCENA_KURZ1Click()
{
    DMOdbyt->SetPriceMode(false);
    DMOdbyt->PriceFromCurrencyPrice();
}

void TZakKalkForm::eCENA1cExit()
{
    if (!targetPriceTyped_)
        return;
    targetPriceTyped_ = false;
    double price = 0;
    if (!TryStrToFloat(eCENA1c->text(), price))
        throw EConvertError(QString::fromUtf8("'%1' nie je platné číslo").arg(eCENA1c->text().trimmed()));
    TKalkulacia figures = DMOdbyt->Kalk;
    for (int f = 0; f < kfCount; ++f)
        figures.F[f] = DMOdbyt->QvZakKalk.FieldByName(QString::fromLatin1(KalkFieldName(TKalkField(f))))->AsFloat();
    lMZD1c->setText(
        FormatFloat(QStringLiteral("# ##0.00 ") + FormatSettings().CurrencyString, figures.WageForPrice(price)));
}

void TZakKalkForm::BtnZapisClick()
{
    CommitFocusedControl(this);
    try {
        DMOdbyt->StoreCalculation(Job, cbAktualizovatVyrobok->isChecked());
    } catch (const EDatabaseError &e) {
        // The dialog stays open with everything typed, the header back in editing.
        if (DMOdbyt->QvZakKalk.Active() && DMOdbyt->QvZakKalk.State() == dsBrowse && !DMOdbyt->QvZakKalk.IsEmpty())
            DMOdbyt->QvZakKalk.Edit();
        if (!DMZal->TranslateDbError(&DMOdbyt->QvZakKalk, e))
            ShowError(e.Message);
        Abort();
    }
}

void ShowCalculation(int job)
{
    TDMOdbyt &dm = *DMOdbyt;
    struct Closer {
        ~Closer()
        {
            try {
                DMOdbyt->CloseCalculation();
            } catch (...) {
                // Closing drops what was not stored; nothing more to tell.
            }
        }
    } closer;
    const TDMOdbyt::TCalculationStart start = dm.OpenCalculation(job);
    if (!ZakKalkForm)
        new TZakKalkForm(ApplicationMainForm());
    TZakKalkForm &form = *ZakKalkForm;
    form.Job = job;
    form.DBGridOperacie->Columns(1)->PickList = columnValues(DMZal->COperacii, "OPERACIA");
    form.DBGridOperacie->Columns(3)->PickList = columnValues(DMCis->CPracovisk, "PRACOVISKO");
    form.DBGridOperacie->Columns(4)->PickList = columnValues(DMCis->CProfesii, "PROFESIA");
    form.DBGridOperacie->Columns(5)->PickList = columnValues(DMCis->CTarifov, "TARIF");
    for (TxTable *list : {&DMZal->CMaterialov, &DMZal->CStatov})
        if (!list->Active())
            list->Open();
    form.DBcbCMaterialov->Reload();
    form.DBcbCStatov->Reload();
    form.lCENA_PRED->setText(Format(QStringLiteral("%10.2m"), {start.ListPrice}));
    form.lZmena_Ceny_mat->setText(FormatFloat(QStringLiteral("+0.00;-0.00;#"), start.MaterialChange));
    (dm.PriceMode() ? form.btnPocitajOdUVN1 : form.btnPocitajOdCENA_KURZ1)->setChecked(true);
    form.setWindowTitle(job > 0 ? QString::fromUtf8("Kalkulácia k zákazke č.%1").arg(job)
                                : QString::fromUtf8("Kalkulácia k ponuke č.%1").arg(-job));
    form.pcZakKalk->setCurrentIndex(0);
    form.cbAktualizovatVyrobok->setChecked(false);
    form.eCENA1c->clear();
    form.lMZD1c->clear();
    form.ShowModal();
}
