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
#include <QEvent>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

TOdberateliaForm *OdberateliaForm = nullptr;

namespace {

const char *const SearchFields[] = {"ICO", "ODBERATEL", "MESTO", "C_ODB", "STAT"};

class TSortOnClick : public QObject {
public:
    TSortOnClick(QObject *parent, std::function<void()> sort) : QObject(parent), sort_(std::move(sort)) {}

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::MouseButtonPress)
            Guarded(sort_);
        return false;
    }

private:
    std::function<void()> sort_;
};

} // namespace

TOdberateliaForm::TOdberateliaForm(QWidget *owner) : TForm(owner)
{
    TrackGlobal(this, OdberateliaForm);
    setWindowTitle(QStringLiteral("Odberatelia"));
    resize(760, 520);
    TDataSource *source = &DMCis->DSQOdberatelia;
    auto *main = new QVBoxLayout(this);
    auto *searchRow = new QHBoxLayout;
    auto *title = new QLabel(QString::fromUtf8("Rýchle hľadanie"), this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    searchRow->addWidget(title);
    const char *const hints[] = {"Zadaj IČO", "Zadaj názov firmy", "Zadaj sídlo odberateľa", "Zadaj číslo odberateľa",
                                 "Zadaj štát odberateľa"};
    QLineEdit **edits[] = {&HlICO, &HlOdberatel, &HlMesto, &HlC_ODB, &HlStat};
    for (int i = 0; i < 5; ++i) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QStringLiteral("Hl") + QString::fromLatin1(SearchFields[i]));
        e->setToolTip(QString::fromUtf8(hints[i]));
        const QString field = QString::fromLatin1(SearchFields[i]);
        e->installEventFilter(new TSortOnClick(e, [this, field] { SortBy(field); }));
        connect(e, &QLineEdit::textEdited, this,
                [field](const QString &text) { Guarded([&] { QuickSearchCustomers(field, text); }); });
        searchRow->addWidget(e);
        *edits[i] = e;
        searches_ << e;
    }
    main->addLayout(searchRow);

    DBGridOdberatelia = new TDBGrid(this);
    DBGridOdberatelia->setObjectName(QStringLiteral("DBGridOdberatelia"));
    DBGridOdberatelia->SetDataSource(source);
    DBGridOdberatelia->SetReadOnly(true);
    for (const auto &c : QList<QPair<const char *, const char *>>{
             {"ICO", "IČO"}, {"ODBERATEL", "Odberateľ"}, {"MESTO", "Mesto"}, {"C_ODB", "Č. odb."}, {"STAT", "Štát"}})
        DBGridOdberatelia->AddColumn(QString::fromLatin1(c.first), QString::fromUtf8(c.second));
    DBGridOdberatelia->OnTitleClick = [this](TColumn *column) { Guarded([&] { SortBy(column->FieldName); }); };
    DBGridOdberatelia->OnDblClick = [this](TDBGrid *) { Guarded([this] { btnOpravOdbClick(); }); };
    main->addWidget(DBGridOdberatelia, 1);

    auto *buttons = new QHBoxLayout;
    btnNovyOdb = new QPushButton(QString::fromUtf8("&Nový"), this);
    btnOpravOdb = new QPushButton(QString::fromUtf8("&Oprav"), this);
    btnZmazOdb = new QPushButton(QString::fromUtf8("&Zmaž"), this);
    btnTlacOdb = new QPushButton(QString::fromUtf8("&Tlač"), this);
    btnKoniec = new QPushButton(QString::fromUtf8("&Koniec"), this);
    for (QPushButton *b : {btnNovyOdb, btnOpravOdb, btnZmazOdb, btnTlacOdb, btnKoniec}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    buttons->addStretch();
    main->addLayout(buttons);
    connect(btnNovyOdb, &QPushButton::clicked, this, [this] { Guarded([this] { btnNovyOdbClick(); }); });
    connect(btnOpravOdb, &QPushButton::clicked, this, [this] { Guarded([this] { btnOpravOdbClick(); }); });
    connect(btnZmazOdb, &QPushButton::clicked, this, [this] { Guarded([this] { btnZmazOdbClick(); }); });
    connect(btnTlacOdb, &QPushButton::clicked, this, [this] { Guarded([this] { btnTlacOdbClick(); }); });
    connect(btnKoniec, &QPushButton::clicked, this, [this] { Close(); });
    SetCancelButton(btnKoniec);

    pcOdberatelia = new QTabWidget(this);
    TabOdberatel = new QWidget;
    auto *details = new QFormLayout(TabOdberatel);
    for (const auto &f : QList<QPair<const char *, const char *>>{{"POZNAMKA", "Poznámka"},
                                                                  {"ODDELENIE", "Oddelenie"},
                                                                  {"ULICA", "Ulica"},
                                                                  {"MESTO", "Mesto"},
                                                                  {"KONTAKT", "Kontakt"},
                                                                  {"TELEFON", "Telefón"},
                                                                  {"FAX", "Fax"},
                                                                  {"EMAIL", "E-mail"}}) {
        auto *text = new TDBText(TabOdberatel);
        text->SetDataSource(source);
        text->SetDataField(QString::fromLatin1(f.first));
        details->addRow(QString::fromUtf8(f.second), text);
    }
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
    main->addWidget(pcOdberatelia);
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
    for (QLineEdit *e : searches_)
        e->clear();
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
