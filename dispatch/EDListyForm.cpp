#include "EDListyForm.h"

#include "DMExp.h"
#include "EDListyDForm.h"
#include "EDListyQR1Rep.h"
#include "EFakturaForm.h"
#include "library/QTlacForm.h"
#include "library/xDBGrid.h"
#include "library/xForm.h"
#include "ExpSql.h"
#include "platform/os/Clock.h"
#include "platform/os/Format.h"
#include "platform/ui/BitBtn.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FormGlobal.h"
#include "platform/ui/Guarded.h"
#include "platform/ui/RadioGroup.h"
#include "shell/CisOdbForm.h"
#include "shell/CisPolForm.h"
#include "shell/CisZakForm.h"
#include "shell/DMZal.h"
#include "shell/Routines.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>

TEDListyForm *EDListyForm = nullptr;

namespace {

TxDataSet &header()
{
    return DMExp->QEDListy;
}

TBitBtn *button(QWidget *parent, const QString &caption, TBitBtnKind kind = bkCustom)
{
    auto *b = new TBitBtn(kind, parent);
    b->setText(caption);
    return b;
}

// A label that opens a pick into its edit when clicked.
QPushButton *pickLink(QWidget *parent, const QString &caption, std::function<void()> pick)
{
    auto *b = new QPushButton(caption, parent);
    b->setFlat(true);
    QObject::connect(b, &QPushButton::clicked, parent, [pick] { Guarded(pick); });
    return b;
}

QDate dateOf(const QLineEdit *edit)
{
    QDate date;
    if (!TryStrToDate(edit->text().trimmed(), date))
        throw EConvertError(QString::fromUtf8("„%1“ nie je dátum.").arg(edit->text().trimmed()));
    return date;
}

} // namespace

TEDListyForm::TEDListyForm(QWidget *owner) : TBrowseForm(owner)
{
    TrackGlobal(this, EDListyForm);
    setWindowTitle(QStringLiteral("Dodacie listy"));
    resize(900, 640);
    PageControl = new QTabWidget(this);

    // ---- the notes
    auto *notes = new QWidget(PageControl);
    cbVyber = new QComboBox(notes);
    cbVyber->addItems({QString::fromUtf8("Dnešné"), QString::fromUtf8("Posledný týždeň"),
                       QString::fromUtf8("č.Dodacieho listu ..."), QString::fromUtf8("č.Faktúry ..."),
                       QString::fromUtf8("Dátum vystavenia ..."), QString::fromUtf8("Odberateľ ..."),
                       QString::fromUtf8("Výrobok ...")});
    EditVyber = new QLineEdit(notes);
    EditVyber->hide();
    auto *notesLayout = new QVBoxLayout(notes);
    auto *selection = new QHBoxLayout;
    selection->addWidget(new QLabel(QStringLiteral("Výber"), notes));
    selection->addWidget(cbVyber);
    selection->addWidget(EditVyber);
    selection->addStretch();
    notesLayout->addLayout(selection);
    // The lists take typing as the program's grids do.
    DBGridListy = AddGrid<TxDBGrid>(nullptr, &DMExp->DSEDListy,
                                    {{"C_DL", "č.DL"},
                                     {"D_VYSTAV", "Dátum"},
                                     {"ODBERATEL", "Odberateľ"},
                                     {"C_OBJ", "Objednávka"},
                                     {"C_FAKTURY", "Faktúra"},
                                     {"HODN_DL", "Hodnota"},
                                     {"MENA", "Mena"},
                                     {"VYSTAVIL", "Vystavil"}},
                                    3, notesLayout);
    DBGridListy->SetReadOnly(false);
    // A user's name is short: as wide as the whole field, the last column's title stood beyond the grid's edge.
    DBGridListy->Columns(DBGridListy->ColumnCount() - 1)->Width = fontMetrics().averageCharWidth() * 14;
    DBGridListy->OnDblClick = [this](TDBGrid *) { Guarded([this] { EditNote(); }); };
    DBGridPolozky = AddGrid<TxDBGrid>(nullptr, &DMExp->DSEDListyD,
                                      {{"C_RIADKU", "č."},
                                       {"C_INT", "č.Zákazky"},
                                       {"C_VYR", "č.Výrobku"},
                                       {"NAZOV", "Názov výrobku"},
                                       {"MNOZ_VYR", "Množstvo"},
                                       {"CENA_KURZ1", "Cena v mene"}},
                                      2, notesLayout);
    DBGridPolozky->SetReadOnly(false);
    auto *noteButtons = new QHBoxLayout;
    BtnNovy = AddButton(noteButtons, button(notes, QString::fromUtf8("&Nový")), [this] { NewNote(); });
    BtnOprav = AddButton(noteButtons, button(notes, QStringLiteral("&Oprav")), [this] { EditNote(); });
    BtnZmaz = AddButton(noteButtons, button(notes, QString::fromUtf8("&Zmaž")), [this] { DeleteNote(); });
    BtnTlac = AddButton(noteButtons, button(notes, QString::fromUtf8("&Tlač")), [this] { PrintNote(); });
    BitBtnFa = AddButton(noteButtons, button(notes, QString::fromUtf8("&Faktúra")), [this] { Invoice(); });
    BtnKoniec = button(this, QStringLiteral("Koniec"), bkClose);
    noteButtons->addStretch();
    notesLayout->addLayout(noteButtons);
    PageControl->addTab(notes, QStringLiteral("Dodacie listy"));

    auto *popup = new QMenu(this);
    const QList<QPair<QString, std::function<void()>>> actions{
        {QString::fromUtf8("Nový"), [this] { NewNote(); }},
        {QStringLiteral("Oprav"), [this] { EditNote(); }},
        {QString::fromUtf8("Zmaž"), [this] { DeleteNote(); }},
        {QString::fromUtf8("Tlač"),
         [] {
             if (header().Active() && !header().IsEmpty())
                 DMExp->PrintDeliveryNote(header().FieldByName(QStringLiteral("C_DL"))->AsInteger(), pmWithoutPrices);
         }},
        {QStringLiteral("Vystav Fa"), [this] { Invoice(); }}};
    for (const auto &a : actions)
        AddGuardedAction(popup, a.first, a.second);
    DBGridListy->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(DBGridListy, &QWidget::customContextMenuRequested, this,
            [this, popup](const QPoint &p) { popup->popup(DBGridListy->viewport()->mapToGlobal(p)); });

    // ---- the overviews
    auto *overviews = new QWidget(PageControl);
    const auto [first, last] = MonthBounds(Now().date().addDays(-5));
    vDatum_Od = new QLineEdit(DateToStr(first), overviews);
    vDatum_Do = new QLineEdit(DateToStr(last), overviews);
    vC_INT = new QLineEdit(overviews);
    vODBERATEL = new QLineEdit(overviews);
    vODBERATEL->setMaxLength(4);
    vC_VYR = new QLineEdit(overviews);
    rgPohlad = new TRadioGroup(overviews);
    QStringList views;
    for (const ExpSql::TOverviewView &v : ExpSql::OverviewViews)
        views << QString::fromUtf8(v.Name);
    rgPohlad->SetItems(views);
    rgPohlad->SetItemIndex(0);
    BtnFilter = button(overviews, QStringLiteral("Filter"));
    BtnTlac2 = button(overviews, QString::fromUtf8("Tlač"));
    DBGridPrehlady = new TxDBGrid(overviews);
    DBGridPrehlady->SetDataSource(&DMZal->DSTlac);
    auto *filters = new QFormLayout;
    auto *period = new QHBoxLayout;
    period->addWidget(vDatum_Od);
    period->addWidget(vDatum_Do);
    filters->addRow(QString::fromUtf8("Obdobie"), period);
    filters->addRow(pickLink(overviews, QString::fromUtf8("č.Zákazky"), [this] { PickOrderForEdit(vC_INT); }), vC_INT);
    filters->addRow(pickLink(overviews, QString::fromUtf8("Odberateľ"), [this] { PickCustomerForEdit(vODBERATEL); }),
                    vODBERATEL);
    filters->addRow(
        pickLink(overviews, QString::fromUtf8("č.Výrobku"), [this] { PickItemForEdit(vC_VYR, QLatin1Char('V')); }),
        vC_VYR);
    auto *side = new QVBoxLayout;
    side->addLayout(filters);
    side->addWidget(rgPohlad);
    side->addWidget(BtnFilter);
    side->addWidget(BtnTlac2);
    side->addStretch();
    auto *overviewLayout = new QHBoxLayout(overviews);
    overviewLayout->addLayout(side);
    overviewLayout->addWidget(DBGridPrehlady, 1);
    PageControl->addTab(overviews, QString::fromUtf8("Prehľady"));

    Column->addWidget(PageControl, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    AddButton(bottom, BtnKoniec, [this] { SetModalResult(mrCancel); });
    BtnKoniec->SetCancel(true);
    Column->addLayout(bottom);

    connect(cbVyber, &QComboBox::activated, this, [this](int entry) {
        EditVyber->clear();
        if (entry <= 1) {
            EditVyber->hide();
            Guarded([this] { ApplySelection(); });
        } else {
            EditVyber->show();
            EditVyber->setFocus();
        }
    });
    connect(EditVyber, &QLineEdit::editingFinished, this, [this] { Guarded([this] { ApplySelection(); }); });
    connect(BtnFilter, &QPushButton::clicked, this, [this] { Guarded([this] { SetPrehladySQL(); }); });
    rgPohlad->OnClick = [this] { Guarded([this] { SetPrehladySQL(); }); };
    connect(BtnTlac2, &QPushButton::clicked, this, [this] {
        Guarded([this] {
            if (!report_)
                CreateReport(report_, &CompanyList);
            SetPrehladySQL();
            PrintReport(report_);
        });
    });
    connect(PageControl, &QTabWidget::currentChanged, this, [this](int page) {
        if (page == 1)
            Guarded([this] { SetPrehladySQL(); });
    });
    OnShow = [this] {
        Guarded([this] {
            cbVyber->setCurrentIndex(0);
            EditVyber->hide();
            PageControl->setCurrentIndex(0);
            ApplySelection();
        });
    };
    OnHide = [this] { closeData(); };
}

TEDListyForm::~TEDListyForm()
{
    closeData();
}

void TEDListyForm::closeData()
{
    if (!DMExp)
        return;
    try {
        DMExp->QEDListyD.Close();
        DMExp->QEDListy.Close();
    } catch (...) {
        // The connection may be gone when the program ends.
    }
}

void TEDListyForm::ApplySelection()
{
    DMExp->SelectNotes(cbVyber->currentIndex(), EditVyber->text().trimmed());
}

void TEDListyForm::NewNote()
{
    if (!header().Active())
        ApplySelection();
    header().Append();
    if (FormOnDemand(EDListyDForm).ShowModal() != mrOk && header().State() != dsBrowse)
        header().Cancel();
}

void TEDListyForm::EditNote()
{
    if (!header().Active() || header().IsEmpty())
        return;
    header().Edit();
    if (FormOnDemand(EDListyDForm).ShowModal() != mrOk && header().State() != dsBrowse)
        header().Cancel();
}

void TEDListyForm::DeleteNote()
{
    if (header().Active() && !header().IsEmpty())
        header().Delete();
}

void TEDListyForm::PrintNote()
{
    if (!header().Active() || header().IsEmpty())
        return;
    TStringList options{QString::fromUtf8("DL Bez ceny"),
                        Format(QString::fromUtf8("DL s Cenou v %s"), {FormatSettings().CurrencyString}),
                        QString::fromUtf8("DL s Cenou v mene"), QString::fromUtf8("Faktúra")};
    const int choice = ChooseOption(options.CommaText(), QString::fromUtf8("Tlač"));
    const int note = header().FieldByName(QStringLiteral("C_DL"))->AsInteger();
    if (choice == 4)
        PrintInvoice(note);
    else
        DMExp->PrintDeliveryNote(note, choice); // a cancelled choice prints without prices
}

void TEDListyForm::Invoice()
{
    if (!header().Active() || header().IsEmpty())
        return;
    QString number = header().FieldByName(QStringLiteral("C_FAKTURY"))->AsString();
    EditInvoice(header().FieldByName(QStringLiteral("C_DL"))->AsInteger(), number);
}

void TEDListyForm::SetPrehladySQL()
{
    const int view = std::max(0, rgPohlad->ItemIndex());
    const QString group = DMExp->OpenOverview(view, dateOf(vDatum_Od), dateOf(vDatum_Do), vC_INT->text(),
                                              vODBERATEL->text(), vC_VYR->text());
    if (report_)
        report_->SetGrouping(group, view < 4);
}

void ShowDeliveryNotes()
{
    FormOnDemand(EDListyForm);
    FormOnDemand(EDListyDForm);
    EDListyForm->ShowModal();
}
