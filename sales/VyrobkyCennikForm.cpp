#include "VyrobkyCennikForm.h"

#include "DMTPV.h"
#include "library/xDBGrid.h"
#include "shell/DMZal.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FormGlobal.h"
#include "platform/ui/Guarded.h"

#include <QBoxLayout>
#include <QPushButton>
#include <QTabWidget>

TVyrobkyCennikForm *VyrobkyCennikForm = nullptr;

namespace {

TxDBGrid *priceGrid(TDataSource *source, const QList<QPair<const char *, const char *>> &columns, bool readOnly)
{
    auto *g = new TxDBGrid;
    g->SetDataSource(source);
    g->SetReadOnly(readOnly);
    for (const auto &c : columns)
        g->AddColumn(QLatin1String(c.first), QString::fromUtf8(c.second));
    return g;
}

} // namespace

TVyrobkyCennikForm::TVyrobkyCennikForm(QWidget *owner) : TForm(owner)
{
    TrackGlobal(this, VyrobkyCennikForm);
    setObjectName(QStringLiteral("VyrobkyCennikForm"));
    setWindowTitle(QString::fromUtf8("Cenník výrobkov"));
    resize(720, 480);
    auto *main = new QVBoxLayout(this);
    auto *buttons = new QHBoxLayout;
    const auto button = [&](const QString &caption, std::function<void()> action) {
        return GuardedButton(caption, this, buttons, std::move(action));
    };
    BtnTlac = button(QString::fromUtf8("&Tlač"), [this] { BtnTlacClick(); });
    btnClipboard = button(QString::fromUtf8("Do schránky"), [this] { btnClipboardClick(); });
    btnAktKalk = button(QString::fromUtf8("Aktualizácia\nkalkulácií"), [this] { btnAktKalkClick(); });
    btnZavriet = button(QString::fromUtf8("Za&vrieť"), [this] { Close(); });
    main->addLayout(buttons);

    pcCennik = new QTabWidget(this);
    pcCennik->setObjectName(QStringLiteral("pcCennik"));
    DBGridVseobecny = priceGrid(&DMTPV->DSPolozky,
                                {{"C_POL", "č.Výrobku"},
                                 {"C_VYKRESU", "č.Výkresu"},
                                 {"MATERIAL", "Materiál"},
                                 {"VAHA1", "Váha výrobku"},
                                 {"CENA_PRED", "Predajná cena"}},
                                false);
    for (int i : {0, 1})
        DBGridVseobecny->Columns(i)->ReadOnly = true;
    // The calculations are shown for comparison only: the join behind them cannot be written back.
    DBGridKalkulacia = priceGrid(&DMZal->DSTlac,
                                 {{"C_POL", "č.Výrobku"},
                                  {"C_VYKRESU", "č.Výkresu"},
                                  {"MATERIAL", "Materiál"},
                                  {"VAHA1", "Váha výrobku"},
                                  {"MATS", "Mat.starý"},
                                  {"MATN", "Mat.nový"},
                                  {"MZDS", "Mzdy staré"},
                                  {"MZDN", "Mzdy nové"},
                                  {"CENA_PRED", "Predajná cena"},
                                  {"CENA1", "Pred.cena nová"}},
                                 true);
    pcCennik->addTab(DBGridVseobecny, QString::fromUtf8("Všeobecný"));
    pcCennik->addTab(DBGridKalkulacia, QString::fromUtf8("s &Kalkuláciou ceny"));
    connect(pcCennik, &QTabWidget::currentChanged, this, [this] { Guarded([this] { pcCennikChange(); }); });
    main->addWidget(pcCennik);
}

TVyrobkyCennikForm::~TVyrobkyCennikForm()
{
    DetachGrids(this);
}

void TVyrobkyCennikForm::pcCennikChange()
{
    if (pcCennik->currentIndex() == 1)
        DMTPV->OpenPriceList(DMZal->QTlac);
}

TxDBGrid *TVyrobkyCennikForm::VisibleGrid() const
{
    return pcCennik->currentIndex() == 1 ? DBGridKalkulacia : DBGridVseobecny;
}

void TVyrobkyCennikForm::BtnTlacClick()
{
    VisibleGrid()->PrintTitle = QString::fromUtf8("Cenník");
    VisibleGrid()->Print();
}

void TVyrobkyCennikForm::btnClipboardClick()
{
    VisibleGrid()->CopyToClipboard(2);
}

void TVyrobkyCennikForm::btnAktKalkClick()
{
    if (MessageBox(QString::fromUtf8("Aktualizovať kalkulácie všetkých výrobkov?"),
                   QString::fromUtf8("Aktualizácia cien"), mtWarning, mbYesNo) != mrYes)
        return;
    DMTPV->UpdatePriceCalculations();
    pcCennikChange();
}

void ShowPriceList()
{
    FormOnDemand(VyrobkyCennikForm).ShowModal();
}
