#include "OdberateliaForm.h"

#include "CustomerList.h"
#include "OdberatelDForm.h"
#include "QRTlacOdb.h"
#include "shell/MenuHooks.h"
#include "ZakSql.h"
#include "shell/DMCis.h"
#include "shell/DMZal.h"
#include "platform/ui/DBControls.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FormGlobal.h"
#include "platform/ui/Guarded.h"

#include <QBoxLayout>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

TOdberateliaForm *OdberateliaForm = nullptr;

TOdberateliaForm::TOdberateliaForm(QWidget *owner) : TBrowseForm(owner)
{
    TrackGlobal(this, OdberateliaForm);
    setWindowTitle(QStringLiteral("Odberatelia"));
    resize(760, 520);
    TDataSource *source = &DMCis->DSQOdberatelia;
    AddSearchRow({{&HlICO, "HlICO", "Zadaj IČO", "ICO", "ICO"},
                  {&HlOdberatel, "HlODBERATEL", "Zadaj názov firmy", "ODBERATEL", "ODBERATEL"},
                  {&HlMesto, "HlMESTO", "Zadaj sídlo odberateľa", "MESTO", "MESTO"},
                  {&HlC_ODB, "HlC_ODB", "Zadaj číslo odberateľa", "C_ODB", "C_ODB"},
                  {&HlStat, "HlSTAT", "Zadaj štát odberateľa", "STAT", "STAT"}});
    OnQuickSearch = [this](int index, QLineEdit *e) {
        QuickSearchCustomers(QLatin1String(Search(index).Field), e->text());
    };
    OnSearchClick = [this](int index) { SortBy(QLatin1String(Search(index).Order)); };

    DBGridOdberatelia = AddGrid<TDBGrid>(
        "DBGridOdberatelia", source,
        {{"ICO", "IČO"}, {"ODBERATEL", "Odberateľ"}, {"MESTO", "Mesto"}, {"C_ODB", "Č. odb."}, {"STAT", "Štát"}});
    DBGridOdberatelia->OnTitleClick = [this](TColumn *column) { Guarded([&] { SortBy(column->FieldName); }); };
    DBGridOdberatelia->OnDblClick = [this](TDBGrid *) { Guarded([this] { btnOpravOdbClick(); }); };

    auto *buttons = new QHBoxLayout;
    btnNovyOdb = AddButton(buttons, "&Nový", [this] { btnNovyOdbClick(); });
    btnOpravOdb = AddButton(buttons, "&Oprav", [this] { btnOpravOdbClick(); });
    btnZmazOdb = AddButton(buttons, "&Zmaž", [this] { btnZmazOdbClick(); });
    btnTlacOdb = AddButton(buttons, "&Tlač", [this] { btnTlacOdbClick(); });
    btnKoniec = AddCloseButton(buttons, "&Koniec");
    for (QPushButton *b : {btnNovyOdb, btnOpravOdb, btnZmazOdb, btnTlacOdb, btnKoniec})
        b->setAutoDefault(false);
    buttons->addStretch();
    Column->addLayout(buttons);

    pcOdberatelia = new QTabWidget(this);
    TabOdberatel = new QWidget;
    AddRecordTexts(TabOdberatel, source,
                   {{"POZNAMKA", "Poznámka"},
                    {"ODDELENIE", "Oddelenie"},
                    {"ULICA", "Ulica"},
                    {"MESTO", "Mesto"},
                    {"KONTAKT", "Kontakt"},
                    {"TELEFON", "Telefón"},
                    {"FAX", "Fax"},
                    {"EMAIL", "E-mail"}});
    pcOdberatelia->addTab(TabOdberatel, QString::fromUtf8("Odberateľ"));
    const auto gridTab = [this](TDBGrid *&grid, const char *caption) {
        auto *page = new QWidget;
        auto *layout = new QVBoxLayout(page);
        grid = new TDBGrid(page);
        grid->SetDataSource(&DMZal->DSQuery1);
        grid->SetReadOnly(true);
        layout->addWidget(grid);
        pcOdberatelia->addTab(page, QString::fromUtf8(caption));
        return page;
    };
    TabZakazky = gridTab(DBGridZakazky, "Zákazky");
    TabDListy = gridTab(DBGridDListy, "Dodacie listy");
    pcOdberatelia->setCurrentIndex(0);
    Column->addWidget(pcOdberatelia);
    connect(pcOdberatelia, &QTabWidget::currentChanged, this,
            [this](int index) { Guarded([this, index] { showSharedTab(pcOdberatelia->widget(index)); }); });

    OnShow = [this] { Guarded([this] { SortBy(QStringLiteral("C_ODB")); }); };
    OnHide = [this] {
        Guarded([this] {
            closeShared();
            DMCis->QOdberatelia.Close();
        });
    };
}

TOdberateliaForm::~TOdberateliaForm() = default;

void TOdberateliaForm::SortBy(const QString &fieldName)
{
    ClearSearches();
    SortCustomers(fieldName);
}

void TOdberateliaForm::showSharedTab(QWidget *tab)
{
    TxQuery &q = DMZal->Query1;
    if (tab != TabZakazky && tab != TabDListy)
        return;
    q.Close();
    q.SQL().SetText(tab == TabZakazky ? ZakSql::CustomerJobs : ZakSql::CustomerDeliveryNotes);
    q.SetDataSource(&DMCis->DSQOdberatelia);
    q.Open();
}

void TOdberateliaForm::closeShared()
{
    TxQuery &q = DMZal->Query1;
    q.Close();
    q.SetDataSource(nullptr);
}

void TOdberateliaForm::btnNovyOdbClick()
{
    pcOdberatelia->setCurrentIndex(0);
    DMCis->QOdberatelia.Append();
    FormOnDemand(OdberatelDForm).RunOnCurrent();
}

void TOdberateliaForm::btnOpravOdbClick()
{
    TxTable &t = DMCis->QOdberatelia;
    if (t.IsEmpty())
        return;
    t.Edit();
    FormOnDemand(OdberatelDForm).RunOnCurrent();
}

void TOdberateliaForm::btnZmazOdbClick()
{
    TxTable &t = DMCis->QOdberatelia;
    if (t.IsEmpty())
        return;
    if (MessageDlg(QString::fromUtf8("Naozaj chceš zmazať odberateľa ") +
                       t.FieldByName(QStringLiteral("C_ODB"))->AsString() + QStringLiteral("?"),
                   mtWarning, mbYesNo) != mrYes)
        return;
    try {
        t.Delete();
    } catch (const EDatabaseError &e) {
        // A refusal names what still holds the customer.
        if (DMZal->TranslateDbError(&t, e, TDMCis::CustomerLinks))
            Abort();
        throw;
    }
}

TQRTlacOdb *TOdberateliaForm::Report()
{
    if (!report_)
        report_ = std::make_unique<TQRTlacOdb>();
    return report_.get();
}

void TOdberateliaForm::btnTlacOdbClick()
{
    PreviewReport(Report());
}

void ShowCustomers()
{
    FormOnDemand(OdberateliaForm).ShowModal();
}
