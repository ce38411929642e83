#include "MPoziadavkyForm.h"

#include "platform/ui/FormGlobal.h"

#include "DMMTZ.h"
#include "FormActions.h"
#include "MTZSql.h"
#include "shell/Routines.h"
#include "library/xDBGrid.h"
#include "platform/ui/Guarded.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

TMPoziadavkyForm *MPoziadavkyForm = nullptr;

double MissingMaterialValue(TDataSet &summary)
{
    double value = 0;
    TField *requested = summary.FieldByName(QStringLiteral("MNOZ_POZ"));
    TField *stock = summary.FieldByName(QStringLiteral("MNOZ_SKL"));
    TField *price = summary.FieldByName(QStringLiteral("CENA_KALK"));
    for (int row = 0; row < summary.RecordCount(); ++row) {
        const double r = summary.ValueAt(row, requested).toDouble();
        const double s = summary.ValueAt(row, stock).toDouble();
        if (s < r)
            value += (r - s) * summary.ValueAt(row, price).toDouble();
    }
    return value;
}

TMPoziadavkyForm::TMPoziadavkyForm(QWidget *owner) : TBrowseForm(owner)
{
    setObjectName(QStringLiteral("MPoziadavkyForm"));
    setWindowTitle(QString::fromUtf8("Požiadavky na nákup"));
    resize(900, 600);
    auto *filters = new QHBoxLayout;
    eSklad = new QLineEdit(this);
    eTyp2 = new QLineEdit(this);
    eObjednavka = new QLineEdit(this);
    cbNizsie = new QCheckBox(QString::fromUtf8("Zobraziť požiadavky nižších úrovní"), this);
    for (auto [caption, edit] :
         {std::pair{"Sklad", eSklad}, std::pair{"Typ2", eTyp2}, std::pair{"č.Objednávky", eObjednavka}}) {
        filters->addWidget(new QLabel(QString::fromUtf8(caption), this));
        filters->addWidget(edit);
        connect(edit, &QLineEdit::editingFinished, this, [this] { Guarded([this] { Rerun(); }); });
    }
    filters->addWidget(cbNizsie);
    connect(cbNizsie, &QCheckBox::toggled, this, [this] { Guarded([this] { Rerun(); }); });
    Column->addLayout(filters);

    Tabs = new QTabWidget(this);
    // Each page's list, its rows marked for taking over into an order.
    const auto grid = [this](QWidget *page, TDataSource *source, std::initializer_list<TBrowseColumn> columns) {
        auto *g = MakeGrid<TxDBGrid>(nullptr, source, columns, page);
        g->SetOptions(g->Options() | dgMultiSelect | dgRowSelect);
        (new QVBoxLayout(page))->addWidget(g);
        return g;
    };
    auto *detail = new QWidget;
    GridDetail = grid(detail, &DMMTZ->DSMPoziad,
                      {{"C_POL", "č.Položky"},
                       {"NAZOV", "Názov"},
                       {"ROZMER", "Rozmer"},
                       {"MNOZ_POZ", "Množ.požad."},
                       {"MJ", "MJ"},
                       {"MNOZ_REZ", "Množ.rezer."},
                       {"MNOZ_OBJ", "Množ.objed."},
                       {"MNOZ_SKL", "Zásoba"},
                       {"MNOZ_REC", "z toho už rezer."},
                       {"C_INT", "č.Zákazky"},
                       {"TERMIN", "Termín"}});
    GridDetail->OnGetCellProp = [](TDBGrid *, TDataSet *ds, TField *, TCellFont &font, QColor &, bool) {
        const auto value = [ds](const char *name) { return ds->FieldByName(QString::fromLatin1(name))->AsFloat(); };
        if (ds->FieldByName(QStringLiteral("STAV_POZ"))->AsInteger() >= 2)
            font.Color = Qt::gray;
        else if (value("MNOZ_REZ") == 0 && value("MNOZ_OBJ") == 0)
            font.Color = Qt::red;
        else if (value("MNOZ_POZ") > value("MNOZ_REZ") + value("MNOZ_OBJ"))
            font.Color = Qt::blue;
    };
    Tabs->addTab(detail, QString::fromUtf8("Z otvorených zákaziek Detailne"));
    auto *summary = new QWidget;
    GridSumar = grid(summary, nullptr, {});
    lHodnota = new QLabel(summary);
    summary->layout()->addWidget(lHodnota);
    Tabs->addTab(summary, QString::fromUtf8("Z otvorených zákaziek Sumárne"));
    auto *minimum = new QWidget;
    GridMinimum = grid(minimum, nullptr, {});
    Tabs->addTab(minimum, QString::fromUtf8("Položky pod minimálnou hladinou"));
    Column->addWidget(Tabs);
    connect(Tabs, &QTabWidget::currentChanged, this, [this] { Guarded([this] { Rerun(); }); });

    auto *buttons = new QHBoxLayout;
    btnAktualizuj = AddButton(buttons, "&Aktualizuj požiadavky", [this] { Rebuild(); });
    btnRezervuj = AddButton(buttons, "Rezervuj", [this] { Reserve(false); });
    btnObjednaj = AddButton(buttons, "Rezervuj + objednaj", [this] { Reserve(true); });
    btnVybavena = AddButton(buttons, "Vybavená", [this] { MarkDone(); });
    for (QPushButton *&b : btnPrevziat) {
        b = new QPushButton(QString::fromUtf8("Prevziať vybrané položky do objednávky"), this);
        connect(b, &QPushButton::clicked, this, [this] { SetModalResult(mrYes); });
        b->setEnabled(false);
    }
    buttons->addWidget(btnPrevziat[0]);
    detail->layout()->addWidget(btnPrevziat[1]);
    summary->layout()->addWidget(btnPrevziat[2]);
    buttons->addStretch();
    BtnKoniec = AddCloseButton(buttons, "&Koniec");
    Column->addLayout(buttons);
}

TMPoziadavkyForm::~TMPoziadavkyForm()
{
    if (MPoziadavkyForm == this)
        MPoziadavkyForm = nullptr;
}

TRequestFilter TMPoziadavkyForm::Filter() const
{
    TRequestFilter f;
    f.Supplier = Supplier;
    f.Store = eSklad->text();
    f.ItemType = eTyp2->text();
    f.CustomerOrder = eObjednavka->text();
    f.LowerLevels = cbNizsie->isChecked();
    f.JobFilter = JobFilter;
    return f;
}

TxDBGrid *TMPoziadavkyForm::ActiveGrid() const
{
    const int i = Tabs->currentIndex();
    return i == 0 ? GridDetail : i == 1 ? GridSumar : GridMinimum;
}

void TMPoziadavkyForm::Rerun()
{
    TxDataSet &q = DMMTZ->QMPoziad;
    const int tab = Tabs->currentIndex();
    if (tab == 0) {
        q.Close();
        q.SetWhere(BuildRequestFilter(Filter(), true));
        q.Open();
        return;
    }
    if (tab == 1) {
        TDataSource *ds =
            OpenQueryDS(MTZSql::RequestSummary(BuildRequestFilter(Filter(), true)), {}, QStringLiteral("Q1"));
        GridSumar->SetDataSource(ds);
        ds->DataSet()->FetchAll();
        lHodnota->setText(QString::fromUtf8("Požiadavky na materiál v hodnote : ") +
                          MoneyStr(MissingMaterialValue(*ds->DataSet())));
        return;
    }
    TDataSource *ds =
        OpenQueryDS(MTZSql::BelowMinimum + BuildRequestFilter(Filter(), false), {3}, QStringLiteral("Q1"));
    GridMinimum->SetDataSource(ds);
}

void TMPoziadavkyForm::Rebuild()
{
    DMMTZ->RebuildRequests();
    Rerun();
}

void TMPoziadavkyForm::Reserve(bool order)
{
    if (Tabs->currentIndex() == 0)
        DMMTZ->ReserveCurrentRequest(order);
}

void TMPoziadavkyForm::MarkDone()
{
    if (Tabs->currentIndex() == 0)
        DMMTZ->MarkRequestDone();
}

namespace {
TMPoziadavkyForm *requestsForm()
{
    FormOnDemand(MPoziadavkyForm);
    return MPoziadavkyForm;
}
} // namespace

void ShowMaterialRequests(const QString &jobFilter)
{
    TMPoziadavkyForm *f = requestsForm();
    f->Supplier = 0;
    f->JobFilter = jobFilter;
    for (QPushButton *b : f->btnPrevziat)
        b->setEnabled(false);
    f->Rerun();
    f->ShowModal();
}

TxDBGrid *PickMaterialRequests(int supplier)
{
    TMPoziadavkyForm *f = requestsForm();
    f->Supplier = supplier;
    f->JobFilter.clear();
    for (QPushButton *b : f->btnPrevziat)
        b->setEnabled(true);
    f->Rerun();
    return f->ShowModal() == mrYes ? f->ActiveGrid() : nullptr;
}
