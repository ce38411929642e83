#include "tIntZakForm.h"

#include "DMOdbyt.h"
#include "JobMarks.h"
#include "ZakSql.h"
#include "library/DataSetUtils.h"
#include "shell/DMZal.h"
#include "shell/Routines.h"
#include "platform/os/Format.h"
#include "platform/ui/DBControls.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/Guarded.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QSplitter>
#include <QTabWidget>

namespace {

QString money(double value)
{
    return Format(QStringLiteral("%10.2m"), {value}).trimmed();
}

double sumOf(TDataSet &ds, const char *field)
{
    double sum = 0;
    SumFieldsOf(&ds, QString::fromLatin1(field), &sum, 1);
    return sum;
}

} // namespace

TtIntZakForm::TtIntZakForm(QWidget *owner) : TForm(owner)
{
    resize(674, 369);
    auto *main = new QVBoxLayout(this);
    main->setContentsMargins(0, 0, 0, 0);
    Splitter1 = new QSplitter(Qt::Vertical, this);
    Splitter1->setHandleWidth(4);
    main->addWidget(Splitter1);
    Panel1 = new QWidget(Splitter1);
    new QVBoxLayout(Panel1);
    pcInterneObjednavky = new QTabWidget(Splitter1);
    pcInterneObjednavky->setObjectName(QStringLiteral("pcInterneObjednavky"));
    pcInterneObjednavky->setMinimumHeight(194);
    Splitter1->addWidget(Panel1);
    Splitter1->addWidget(pcInterneObjednavky);

    TDMOdbyt &dm = *DMOdbyt;
    TabZakazka = addDataTab(QString::fromUtf8("&Zákazka"), &dm.DSvZakazkyDKalk,
                            {{"C_OBJ", "č.Objednávky"},
                             {"D_OBJ", "Dátum obj."},
                             {"C_INT", "č.Zákazky"},
                             {"C_VYR", "č.Výrobku"},
                             {"NAZOV", ""},
                             {"TERMIN_OBJ", "Termín požadovaný"},
                             {"TERMIN", "Termín potvrdený"},
                             {"MNOZ_OBJ", "Množstvo objednané"},
                             {"C_ODB", "Odberateľ"},
                             {"ODBERATEL", ""},
                             {"MESTO", ""},
                             {"TELEFON", ""},
                             {"ROZMER", "Typ"},
                             {"C_VYKRESU", "č.Výkresu"},
                             {"CENAC", "Cena   výrobkov"},
                             {"VAHAC", "Váha   výrobkov"},
                             {"VAHA1", "Váha   1ks"},
                             {"MNOZ_VYR", "Množstvo vyrábané"},
                             {"POZNAMKA", "Poznámka"},
                             {"MNOZ_ODV", "Množ.odvedené"},
                             {"MNOZ_SKL", "Množ.na sklade"},
                             {"MNOZ_DOD", "Množ.dodané"}});
    DSVyrobok.Name = QStringLiteral("DSVyrobok");
    DSVyrobok.SetEnabled(false);
    TabVyrobok = addDataTab(QString::fromUtf8("&Výrobok"), &DSVyrobok,
                            {{"C_VYR", "Číslo výrobku"},
                             {"NAZOV_VYR", "Názov"},
                             {"POPIS_VYR", "Popis"},
                             {"C_VYKRESU", "Číslo výkresu"},
                             {"TYP", "Typ"},
                             {"MATERIAL", "Materiál"},
                             {"VAHA_MAT", "Váha surová"},
                             {"VAHA1", "Váha čistá"},
                             {"NASNAR", "Násobnosť"},
                             {"VYROD", "Výrobný odbor"},
                             {"KOMOD", "Kokila-model"},
                             {"CENA_NAKL", "Cena vnút."},
                             {"CENA_KALK", "Cena kalk."},
                             {"FREE1", "Voľné"},
                             {"FREE2", ""},
                             {"FREE3", ""}});
    TabKaklulacia = addDataTab(QString::fromUtf8("&Kalkulácia"), &dm.DSvZakKalkLookup,
                               {{"MATERIAL", "Materiál"},
                                {"CENA_MAT", "Cena / kg"},
                                {"VAHA_MAT", "Surový odliatok"},
                                {"VAHA1", "Čistý odliatok"},
                                {"P_PREPALU", "Prepal %"},
                                {"MAT1", "Materiál"},
                                {"MZD1", "Mzdy"},
                                {"ODVMZD1", "Odvody z miezd"},
                                {"VYRREZ1", "Výrobná réžia"},
                                {"OVN1", "Ost./Ext. náklady"},
                                {"MIM1", "Externé náklady"},
                                {"NAKL1", "Vlastné náklady"},
                                {"SPRREZ1", "Správna réžia"},
                                {"UVN1", "Úplné vl.náklady"},
                                {"ZISK1", "Zisk"},
                                {"CENA1", "Cena výrobku"},
                                {"MENA", "Mena"},
                                {"CENA_KURZ1", "Cena v mene"}});
    TabKusovnik = addGridTab(QString::fromUtf8("Kusovník"), DBGridKusovnik);
    TabOperacie = addGridTab(QString::fromUtf8("O&perácie"), DBGridOperacie);
    TabMaterial = addGridTab(QString::fromUtf8("Materiál"), DBGridMPohyby);
    TabVykony = addGridTab(QString::fromUtf8("Vý&kony"), DBGridVykony);
    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(QString::fromUtf8("Ukolova mzda"), TabVykony));
    LabelVykonyMzda = new QLabel(TabVykony);
    row->addWidget(LabelVykonyMzda);
    cbNuloveOperacie = new QCheckBox(QString::fromUtf8("Zobraziť aj operácie bez výkonov"), TabVykony);
    row->addWidget(cbNuloveOperacie);
    row->addStretch();
    static_cast<QBoxLayout *>(TabVykony->layout())->addLayout(row);
    TabOdvody = addGridTab(QString::fromUtf8("&Odvody"), DBGridOdvody);
    row = new QHBoxLayout;
    row->addWidget(new QLabel(QString::fromUtf8("Odv. množ."), TabOdvody));
    LabelOdvMnoz = new QLabel(QStringLiteral("0"), TabOdvody);
    row->addWidget(LabelOdvMnoz);
    row->addWidget(new QLabel(QString::fromUtf8("Odv. hodn."), TabOdvody));
    LabelOdvHodn = new QLabel(QStringLiteral("0"), TabOdvody);
    row->addWidget(LabelOdvHodn);
    row->addStretch();
    static_cast<QBoxLayout *>(TabOdvody->layout())->addLayout(row);
    TabSklady = addGridTab(QString::fromUtf8("&Sklad"), DBGridSklady);
    TabDL = addGridTab(QString::fromUtf8("&Dodacie listy"), DBGridDL);
    row = new QHBoxLayout;
    row->addWidget(new QLabel(QString::fromUtf8("Dod. množ."), TabDL));
    LabelDodMnoz = new QLabel(TabDL);
    row->addWidget(LabelDodMnoz);
    row->addStretch();
    static_cast<QBoxLayout *>(TabDL->layout())->addLayout(row);

    pcInterneObjednavky->setCurrentIndex(0);
    connect(pcInterneObjednavky, &QTabWidget::currentChanged, this, [this](int index) {
        Guarded([this, index] {
            if (!isVisible())
                return;
            tabHide(shown_);
            tabShow(pcInterneObjednavky->widget(index));
        });
    });
    connect(cbNuloveOperacie, &QCheckBox::toggled, this, [this] { Guarded([this] { cbNuloveOperacieClick(); }); });
    OnShow = [this] { Guarded([this] { FormShow(); }); };
    OnHide = [this] { Guarded([this] { FormClose(); }); };
}

TtIntZakForm::~TtIntZakForm()
{
    try {
        if (isVisible())
            FormClose();
    } catch (...) {
        // The connection may already be gone at the end of the run.
    }
}

QWidget *TtIntZakForm::addDataTab(const QString &caption, TDataSource *source,
                                  const QList<QPair<const char *, const char *>> &fields)
{
    auto *page = new QWidget;
    auto *columns = new QHBoxLayout(page);
    QFormLayout *form = nullptr;
    for (int i = 0; i < fields.size(); ++i) {
        if (i % 8 == 0) {
            form = new QFormLayout;
            columns->addLayout(form);
        }
        auto *text = new TDBText(page);
        text->setObjectName(QString::fromLatin1(fields[i].first));
        text->SetDataSource(source);
        text->SetDataField(QString::fromLatin1(fields[i].first));
        form->addRow(QString::fromUtf8(fields[i].second), text);
    }
    pcInterneObjednavky->addTab(page, caption);
    return page;
}

QWidget *TtIntZakForm::addGridTab(const QString &caption, TDBGrid *&grid)
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    grid = new TDBGrid(page);
    grid->SetDataSource(&DMZal->DSQuery1);
    grid->SetReadOnly(true);
    layout->addWidget(grid);
    pcInterneObjednavky->addTab(page, caption);
    return page;
}

void TtIntZakForm::FormShow()
{
    RefreshActiveTab();
}

void TtIntZakForm::FormClose()
{
    tabHide(shown_);
    TxQuery &q = DMZal->Query1;
    q.SetDataSource(nullptr);
    q.AfterOpen = nullptr;
    q.Close();
}

void TtIntZakForm::RefreshActiveTab()
{
    tabHide(shown_);
    tabShow(pcInterneObjednavky->currentWidget());
}

void TtIntZakForm::cbNuloveOperacieClick()
{
    if (shown_ == TabVykony)
        RefreshActiveTab();
}

void TtIntZakForm::openShared(const QString &sql, const std::function<void(TxQuery &)> &afterOpen)
{
    TxQuery &q = DMZal->Query1;
    q.Close();
    q.SQL().SetText(sql);
    q.SetDataSource(ItemDataSource);
    if (afterOpen)
        q.AfterOpen = [afterOpen](TDataSet *ds) { afterOpen(*static_cast<TxQuery *>(ds)); };
    else
        q.AfterOpen = nullptr;
    q.Open();
}

void TtIntZakForm::tabShow(QWidget *tab)
{
    shown_ = tab;
    if (!tab || !ItemDataSource)
        return;
    TDMOdbyt &dm = *DMOdbyt;
    if (tab == TabZakazka) {
        if (ItemDataSource == &dm.DSvZakazkyDKalk)
            return;
        TxQuery &q = dm.QvZakazkyDKalk;
        q.Close();
        q.SQL().SetStrings(2, ZakSql::JobWhereLine);
        q.SetDataSource(ItemDataSource);
        q.Open();
    } else if (tab == TabVyrobok) {
        TxQuery *q = GetQuery(QStringLiteral("QVyrobky"));
        q->Close();
        q->SetDataSource(ItemDataSource);
        q->SQL().SetText(ZakSql::JobProduct);
        q->Open();
        DSVyrobok.SetDataSet(q);
        DSVyrobok.SetEnabled(true);
    } else if (tab == TabKaklulacia) {
        TxQuery &q = dm.QvZakKalkLookup;
        q.Close();
        calculationMaster_ = q.DataSource();
        q.SetDataSource(ItemDataSource);
        q.Open();
    } else if (tab == TabKusovnik) {
        openShared(ZakSql::JobBom);
    } else if (tab == TabOperacie) {
        openShared(ZakSql::JobOperations);
    } else if (tab == TabMaterial) {
        openShared(ZakSql::JobMaterial);
    } else if (tab == TabVykony) {
        openShared(cbNuloveOperacie->isChecked() ? ZakSql::JobPerformancesWithIdle : ZakSql::JobPerformances,
                   [this](TxQuery &q) { LabelVykonyMzda->setText(money(sumOf(q, "MZDA"))); });
    } else if (tab == TabOdvody) {
        openShared(ZakSql::JobHandOvers, [this](TxQuery &q) {
            LabelOdvMnoz->setText(FloatToStr(sumOf(q, "MNOZSTVO")));
            LabelOdvHodn->setText(money(sumOf(q, "CENAC")));
            if (TField *f = q.FindField(QStringLiteral("VAHAC")))
                f->DisplayFormat = QStringLiteral("#####.0");
        });
    } else if (tab == TabSklady) {
        openShared(ZakSql::JobStock);
    } else if (tab == TabDL) {
        openShared(ZakSql::JobDeliveryNotes,
                   [this](TxQuery &q) { LabelDodMnoz->setText(FloatToStr(sumOf(q, "MNOZSTVO"))); });
    }
}

void TtIntZakForm::tabHide(QWidget *tab)
{
    if (!tab)
        return;
    TDMOdbyt &dm = *DMOdbyt;
    if (tab == TabZakazka) {
        if (ItemDataSource && ItemDataSource != &dm.DSvZakazkyDKalk) {
            dm.QvZakazkyDKalk.Close();
            dm.QvZakazkyDKalk.SetDataSource(nullptr);
        }
    } else if (tab == TabVyrobok) {
        DSVyrobok.SetEnabled(false);
    } else if (tab == TabKaklulacia) {
        dm.QvZakKalkLookup.Close();
        if (calculationMaster_)
            dm.QvZakKalkLookup.SetDataSource(calculationMaster_);
        calculationMaster_ = nullptr;
    }
    if (shown_ == tab)
        shown_ = nullptr;
}

bool TtIntZakForm::MarkOrderHandedOver(int cInt)
{
    return MarkJob(cInt, TJobMark::HandedOver);
}

bool TtIntZakForm::MarkOrderFinished(int cInt)
{
    return MarkJob(cInt, TJobMark::Finished);
}

bool TtIntZakForm::MarkOrderCancelled(int cInt)
{
    return MarkJob(cInt, TJobMark::Cancelled);
}
