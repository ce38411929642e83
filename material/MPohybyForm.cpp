#include "MPohybyForm.h"

#include "platform/ui/FormGlobal.h"

#include "DMMTZ.h"
#include "FormActions.h"
#include "MPohybDForm.h"
#include "MTZSql.h"
#include "MPohybyQR1Rep.h"
#include "MaterialPrints.h"
#include "shell/Routines.h"
#include "library/QTlacForm.h"
#include "library/xDBGrid.h"
#include "library/xForm.h"
#include "platform/os/Clock.h"
#include "platform/os/Format.h"
#include "platform/ui/Dialogs.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TMPohybyForm *MPohybyForm = nullptr;

namespace {

struct TView {
    const char *Caption;
    const char *Order; // detail views: the order; summaries: the grouping
    bool Detail;
};
const TView Views[] = {
    {"Detail podľa Dátumu", "DATUM,C_DOKLADU", true},
    {"Detail podľa Skladu,dokladu", "SKLAD,C_DOKLADU", true},
    {"Detail podľa Zákazky", "C_INT,DATUM", true},
    {"Sumár za Dátum", "DATUM, TYP_POHYBU", false},
    {"Sumár za Sklad", "SKLAD, TYP_POHYBU, STREDISKO, TYP2", false},
    {"Sumár za Zákazku", "C_INT", false},
};

QDate typedDate(const QLineEdit *edit)
{
    const QString text = edit->text().trimmed();
    QDate d = QLocale().toDate(text, QLocale().dateFormat(QLocale::ShortFormat));
    if (!d.isValid())
        d = QDate::fromString(text, QStringLiteral("d.M.yyyy"));
    if (!d.isValid())
        throw EDatabaseError(QString::fromUtf8("Neplatný dátum: %1").arg(text));
    return d;
}

} // namespace

TMPohybyForm::TMPohybyForm(QWidget *owner) : TBrowseForm(owner)
{
    setObjectName(QStringLiteral("MPohybyForm"));
    setWindowTitle(QStringLiteral("Pohyby"));
    resize(900, 600);
    auto *filters = new QGridLayout;
    int column = 0;
    auto edit = [&](const char *caption) {
        auto *e = new QLineEdit(this);
        filters->addWidget(new QLabel(QString::fromUtf8(caption), this), 0, column);
        filters->addWidget(e, 1, column++);
        return e;
    };
    eOd = edit("Od");
    eDo = edit("Do");
    eSklad = edit("Sklad");
    eTyp = edit("Typ");
    ePolozka = edit("č.Položky");
    eZakazka = edit("č.Zákazky");
    eTyp2 = edit("Typ2");
    cbPohlad = new QComboBox(this);
    for (const TView &v : Views)
        cbPohlad->addItem(QString::fromUtf8(v.Caption));
    filters->addWidget(cbPohlad, 1, column++);
    BtnFilter = GuardedButton(QStringLiteral("Filter"), this, [this] { BuildMovementQuery(); });
    filters->addWidget(BtnFilter, 1, column++);
    Column->addLayout(filters);
    connect(cbPohlad, QOverload<int>::of(&QComboBox::activated), this,
            [this] { Guarded([this] { BuildMovementQuery(); }); });

    Grid = AddGrid<TxDBGrid>(nullptr, nullptr, {}, 0);
    Grid->OnDblClick = [this](TDBGrid *) { Guarded([this] { EditMovement(); }); };
    // Its entries act on the movements of the detail views; a summary has none.
    PohybyMenu = AddMovementMenu(Grid);
    auto *buttons = new QHBoxLayout;
    btnNovy = AddButton(buttons, "Nový", [this] { NewMovement(); });
    btnOprav = AddButton(buttons, "Oprav", [this] { EditMovement(); });
    btnZmaz = AddButton(buttons, "Zmaž", [this] { DeleteMovement(); });
    buttons->addStretch();
    BtnTlac = AddButton(buttons, "Tlač", [this] { Print(); });
    BtnKoniec = AddCloseButton(buttons, "&Koniec");
    Column->addLayout(buttons);
}

TMPohybyForm::~TMPohybyForm()
{
    if (MPohybyForm == this)
        MPohybyForm = nullptr;
}

TMovementFilter TMPohybyForm::Filter() const
{
    TMovementFilter f;
    f.From = typedDate(eOd);
    f.To = typedDate(eDo);
    f.Store = eSklad->text();
    f.Kind = eTyp->text();
    TypedNumber(f.Kind, QStringLiteral("Typ")); // a kind typed as no number is refused, not ignored
    f.Item = ePolozka->text();
    f.Job = TypedOrderNo(eZakazka->text());
    f.ItemType = eTyp2->text();
    return f;
}

bool TMPohybyForm::DetailView() const
{
    return Views[std::max(0, cbPohlad->currentIndex())].Detail;
}

void TMPohybyForm::BuildMovementQuery()
{
    const QString condition = BuildMovementCondition(Filter());
    const TView &view = Views[std::max(0, cbPohlad->currentIndex())];
    const QString order = QString::fromUtf8(view.Order);
    TxQuery &print = DMMTZ->QvMPohyby;
    print.Close();
    QStringList lines = MTZSql::MovementsWithItems;
    if (view.Detail) {
        TxTable &m = DMMTZ->QMPohyby;
        m.Close();
        m.SetIndexFieldNames(QString(order).replace(QLatin1Char(','), QLatin1Char(';')));
        m.SetFilterAndOpen(condition);
        Grid->SetDataSource(&DMMTZ->DSMPohyby);
        lines[0] = MTZSql::MovementsView[0];
        lines[2] = QStringLiteral("where ") + condition;
        lines[3] = QStringLiteral("order by ") + order;
    } else {
        DMMTZ->QMPohyby.Close();
        lines[0] = QStringLiteral("select ") + order + QStringLiteral(", sum(mnozstvo*MPOHYBY.cena_nakl) as hodnota");
        lines[2] = QStringLiteral("where ") + condition;
        lines[3] = QStringLiteral("group by ") + order;
        print.SQL().SetText(lines.join(QLatin1Char('\n')));
        print.Open();
        Grid->SetDataSource(&DMMTZ->DSvMPohyby);
        return;
    }
    print.SQL().SetText(lines.join(QLatin1Char('\n')));
}

void TMPohybyForm::NewMovement()
{
    if (!DetailView())
        return;
    if (!DMMTZ->QMPohyby.Active())
        BuildMovementQuery();
    DMMTZ->QMPohyby.Append();
    EditStockMovement();
}

void TMPohybyForm::EditMovement()
{
    TxTable &m = DMMTZ->QMPohyby;
    if (!DetailView() || !m.Active() || m.IsEmpty())
        return;
    m.Edit();
    EditStockMovement();
}

void TMPohybyForm::DeleteMovement()
{
    TxTable &m = DMMTZ->QMPohyby;
    if (DetailView() && m.Active() && !m.IsEmpty())
        m.Delete();
}

void TMPohybyForm::Print()
{
    const int choice = ChooseOption(QString::fromUtf8("Doklad,Zostavu"), QString::fromUtf8("Tlačiť"));
    if (choice != 1 && choice != 2)
        return;
    const TView &view = Views[std::max(0, cbPohlad->currentIndex())];
    if (choice == 1 && !view.Detail) {
        ShowMessage(QString::fromUtf8("Doklad sa tlačí z pohybov jednotlivo, nie zo sumáru."));
        return;
    }
    if (choice == 1) {
        // One document: the one of the current movement, its kind, store, number and day. The filter may hold
        // receipts and issues of many documents, which under one title would add up to no document's total.
        const TxTable &m = DMMTZ->QMPohyby;
        if (!m.Active() || m.IsEmpty()) {
            ShowMessage(QString::fromUtf8("Nie je vybratý žiadny pohyb, ktorého doklad by sa tlačil."));
            return;
        }
        PrintStockDocumentForDay();
        return;
    }
    // The list prints the form's own statement: the movements of the filter in the view's order, or its sums.
    TxQuery &q = DMMTZ->QvMPohyby;
    if (!q.Active())
        q.Open();
    PrintReport(MovementsListReport(&q, view.Detail ? QString() : QString::fromUtf8(view.Order)));
}

void ShowStockMovements()
{
    FormOnDemand(MPohybyForm);
    MPohybyForm->eOd->setText(DateToStr(Date()));
    MPohybyForm->eDo->setText(DateToStr(Date()));
    MPohybyForm->BuildMovementQuery();
    struct Close {
        ~Close()
        {
            if (DMMTZ) {
                DMMTZ->QMPohyby.Close();
                DMMTZ->QvMPohyby.Close();
            }
        }
    } close;
    MPohybyForm->ShowModal();
}
