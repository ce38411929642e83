#include "ESkladForm.h"

#include "DMExp.h"
#include "ESkladQRRep.h"
#include "ExpSql.h"
#include "library/QTlacForm.h"
#include "library/SqlLiteral.h"
#include "library/xDBFilter.h"
#include "library/xDBGrid.h"
#include "platform/os/Clock.h"
#include "platform/os/Format.h"
#include "platform/ui/BitBtn.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FormGlobal.h"
#include "platform/ui/Guarded.h"
#include "shell/DMZal.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QLabel>
#include <QTabBar>

TFormGlobal<TESkladForm> ESkladForm{"ESkladForm"};

namespace {

const QStringList DetailTabs{QStringLiteral("Odvody"), QStringLiteral("Dodacie listy"),
                             QString::fromUtf8("Objednávky")};

const QStringList &detailSql(int tab)
{
    return tab == 0 ? ExpSql::StoreHandOvers : tab == 1 ? ExpSql::StoreDeliveryNotes : ExpSql::StoreOrders;
}

TxQuery &detailQuery()
{
    return DMZal->Query1;
}

} // namespace

TESkladForm::TESkladForm(QWidget *owner) : TBrowseForm(owner)
{
    TrackGlobal(this, ESkladForm);
    setWindowTitle(QString::fromUtf8("Sklad hotových výrobkov"));
    resize(820, 600);
    cbFilter = new TxDBFilterCombo(this);
    cbFilter->SetCaption(QStringLiteral("Filter"));
    cbFilter->DataSource = &DMExp->DSESklad;
    cbFilter->SetSQLItems(TStringList(ExpSql::StoreFilters));
    cbFilter->SetItemIndex(1);
    // Every filter starts from the store's own condition and today's date, with the entry shown in the
    // combo (also when it was chosen by the program) and the typed value quoted.
    cbFilter->BeforeFilter = [this](QObject *, QString &filter) {
        DMExp->PrepareStockFilter(Now().date());
        filter.clear();
        const int entry = cbFilter->ItemIndex();
        if (entry >= 0 && entry < ExpSql::StoreFilters.size())
            AddFilterCondition(filter, ExpSql::StoreFilters[entry].section(QLatin1Char('='), 1, -1),
                               cbFilter->ValueEdit->text(), ftUnknown);
    };
    cbFilter->setMinimumHeight(26);
    // The lists take typing as the program's grids do.
    DBGridSklad = MakeGrid<TxDBGrid>(nullptr, &DMExp->DSESklad,
                                     {{"SKLAD", "Sklad"},
                                      {"C_POL", "č.Výrobku"},
                                      {"NAZOV", "Názov výrobku"},
                                      {"MNOZSTVO", "Množstvo"},
                                      {"CENA_NAKL", "Cena / MJ"},
                                      {"CENAC", "Cena celk."},
                                      {"VAHAC", "Váha celk."}});
    DBGridSklad->SetReadOnly(false);
    // Rows below zero stand out in red.
    DBGridSklad->OnGetCellProp = [](TDBGrid *, TDataSet *ds, TField *, TCellFont &font, QColor &, bool) {
        if (ds->FieldByName(QStringLiteral("MNOZSTVO"))->AsInteger() < 0)
            font.Color = Qt::red;
    };
    lHodnota = new QLabel(this);
    tcDetail = new QTabBar(this);
    for (const QString &t : DetailTabs)
        tcDetail->addTab(t);
    DBGridDetail = MakeGrid<TxDBGrid>(nullptr, &DMZal->DSQuery1, {});
    DBGridDetail->SetReadOnly(false);
    BtnVyber = new TBitBtn(bkOK, this);
    BtnVyber->setText(QStringLiteral("Vyber"));
    BtnTlac = new TBitBtn(this);
    BtnTlac->setText(QString::fromUtf8("Tlač"));
    BtnKoniec = new TBitBtn(bkClose, this);
    BtnKoniec->setText(QStringLiteral("Koniec"));
    BtnKoniec->SetCancel(true);

    QVBoxLayout *layout = Column;
    layout->addWidget(cbFilter);
    layout->addWidget(DBGridSklad, 3);
    auto *totals = new QHBoxLayout;
    totals->addWidget(new QLabel(QString::fromUtf8("Hodnota / hmotnosť skladu"), this));
    totals->addWidget(lHodnota);
    totals->addStretch();
    layout->addLayout(totals);
    layout->addWidget(tcDetail);
    layout->addWidget(DBGridDetail, 2);
    auto *buttons = new QHBoxLayout;
    AddButton(buttons, BtnTlac, [this] { PrintFinishedGoodsInventory(); });
    buttons->addStretch();
    AddButton(buttons, BtnVyber, [this] { SetModalResult(mrOk); });
    AddButton(buttons, BtnKoniec, [this] { SetModalResult(mrCancel); });
    layout->addLayout(buttons);

    connect(tcDetail, &QTabBar::currentChanged, this, [this](int tab) { Guarded([this, tab] { ShowDetail(tab); }); });
    OnShow = [this] {
        Guarded([this] {
            attach();
            OpenStock();
        });
    };
    OnHide = [this] { detach(); };
}

TESkladForm::~TESkladForm()
{
    detach();
}

void TESkladForm::attach()
{
    DMExp->QESklad.AfterOpen = [this](TDataSet *) { lHodnota->setText(TotalsText()); };
    detailQuery().Close();
    detailQuery().SetDataSource(&DMExp->DSESklad);
}

void TESkladForm::detach()
{
    if (!DMExp || !DMZal)
        return;
    DMExp->QESklad.AfterOpen = nullptr;
    detailQuery().Close();
    detailQuery().SetDataSource(nullptr);
}

QString TESkladForm::TotalsText() const
{
    TxQuery &q = DMExp->QESklad;
    return Format(QStringLiteral("%m / %.0f kg"),
                  {q.SumField(QStringLiteral("CENAC")), q.SumField(QStringLiteral("VAHAC"))});
}

void TESkladForm::OpenStock()
{
    cbFilter->ApplyFilter();
    ShowDetail(tcDetail->currentIndex());
}

void TESkladForm::ShowDetail(int tab)
{
    TxQuery &q = detailQuery();
    q.Close();
    q.SQL().SetText(detailSql(tab < 0 ? 0 : tab).join(QLatin1Char('\n')));
    if (DMExp->QESklad.Active())
        q.Open();
}

void TESkladForm::PrintFinishedGoodsInventory()
{
    QString text = DateToStr(Now().date());
    if (!InputQuery(QString::fromUtf8("Inventúrny súpis"), QStringLiteral("K dátumu :"), text))
        return;
    QDate date;
    if (!TryStrToDate(text.trimmed(), date)) {
        ShowError(QString::fromUtf8("„%1“ nie je dátum.").arg(text.trimmed()));
        return;
    }
    TDisableControls frozen(&DMExp->QESklad);
    PrintReport(PrepareInventory(date));
}

TESkladQRRep *TESkladForm::PrepareInventory(const QDate &date)
{
    TxQuery &q = DMExp->QESklad;
    if (date != DMExp->StockDate() || !q.Active()) {
        const QString filter = q.Filtered() ? q.Filter() : QString();
        DMExp->OpenFinishedGoodsStock(date, filter);
    }
    if (!report_)
        CreateReport(report_, &CompanyList);
    report_->QRDatum->Caption = DateToStr(date);
    return report_;
}

bool PickFromFinishedGoodsStore(const QString &customerText, const QString &orderNo)
{
    TESkladForm &form = FormOnDemand(ESkladForm);
    if (orderNo > QStringLiteral(" ")) {
        form.cbFilter->SetItemIndex(4);
        form.cbFilter->SetValueText(orderNo.trimmed());
        form.cbFilter->ValueEdit->show();
    } else if (customerText > QStringLiteral(" ")) {
        form.cbFilter->SetItemIndex(3);
        form.cbFilter->SetValueText(customerText.trimmed());
        form.cbFilter->ValueEdit->show();
    }
    return form.ShowModal() == mrOk && DMExp->QESklad.Active() && !DMExp->QESklad.IsEmpty();
}

void ShowFinishedGoodsStore()
{
    FormOnDemand(ESkladForm).ShowModal();
}
