#include "FormZakazkaHl.h"

#include "DMOdbyt.h"
#include "OdberatelDForm.h"
#include "library/DataEditRow.h"
#include "shell/CisOdbForm.h"
#include "shell/DMZal.h"
#include "platform/ui/DBControls.h"
#include "platform/ui/FormGlobal.h"
#include "platform/ui/Guarded.h"

#include <QBoxLayout>
#include <QEvent>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

TFormGlobal<TFormZakazkaHl> FormZakazkaHl{"FormZakazkaHl"};

namespace {

template <class T> T *bound(QWidget *parent, const char *prefix, const char *field)
{
    return MakeBound<T>(parent, &DMOdbyt->DSvZakazky, QLatin1String(prefix), QLatin1String(field));
}

TField *header(const char *name)
{
    return DMOdbyt->QvZakazky.FieldByName(QLatin1String(name));
}

void postHeader()
{
    TxTable &orders = DMOdbyt->QvZakazky;
    if (orders.State() == dsInsert || orders.State() == dsEdit)
        orders.Post();
}

} // namespace

TFormZakazkaHl::TFormZakazkaHl(QWidget *owner) : TForm(owner)
{
    TrackGlobal(this, FormZakazkaHl);
    setObjectName(QStringLiteral("FormZakazkaHl"));
    resize(560, 520);
    auto *main = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    DBeC_OBJ = bound<TDBEdit>(this, "DBe", "C_OBJ");
    QPalette info = DBeC_OBJ->palette();
    info.setColor(QPalette::Base, palette().color(QPalette::ToolTipBase));
    DBeC_OBJ->setPalette(info);
    form->addRow(QString::fromUtf8("Objednávka"), DBeC_OBJ);

    DBeC_ODB = bound<TDBEdit>(this, "DBe", "C_ODB");
    DBeC_ODB->MaxLength = 4;
    DBtODBERATEL = bound<TDBText>(this, "DBt", "ODBERATEL");
    auto *customer = new QHBoxLayout;
    customer->addWidget(DBeC_ODB);
    auto *lookup = new QPushButton(QStringLiteral("..."), this);
    lookup->setFixedWidth(28);
    connect(lookup, &QPushButton::clicked, this, [this] { Guarded([this] { DBeC_ODBButtonClick(); }); });
    customer->addWidget(lookup);
    customer->addWidget(DBtODBERATEL, 1);
    LabelOdberatel = new QLabel(QString::fromUtf8("Odberateľ"), this);
    LabelOdberatel->setCursor(Qt::PointingHandCursor);
    LabelOdberatel->setToolTip(QString::fromUtf8("Zoznam odberateľov"));
    form->addRow(LabelOdberatel, customer);

    DBdD_OBJ = bound<TDBDateEdit>(this, "DBd", "D_OBJ");
    form->addRow(QString::fromUtf8("Zo dňa"), DBdD_OBJ);
    DBdD_VYSTAV = bound<TDBDateEdit>(this, "DBd", "D_VYSTAV");
    form->addRow(QString::fromUtf8("Vystavené dňa"), DBdD_VYSTAV);
    const auto combo = [this](const char *field, const QStringList &items, const char *settingsKey) {
        auto *c = bound<TDBComboBox>(this, "DBcb", field);
        c->setEditable(true);
        QStringList all = items;
        if (settingsKey) {
            TStringList list;
            DMZal->ReadDefaultsList(list, QLatin1String(settingsKey));
            all += list.Lines();
        }
        c->SetItems(all); // shows the field again: filling an empty list would put its first item in the edit
        return c;
    };
    DBcbVYSTAVIL = combo("VYSTAVIL", {}, "Zakazka.vystavil");
    form->addRow(QString::fromUtf8("Vystavil"), DBcbVYSTAVIL);
    DBmPOZNAMKA = bound<TDBMemo>(this, "DBm", "POZNAMKA");
    SetMemoLines(DBmPOZNAMKA, 3);
    form->addRow(QString::fromUtf8("Poznámka"), DBmPOZNAMKA);
    DBcbF_UHRADY =
        combo("F_UHRADY", {QString::fromUtf8("Prev.prík."), QString::fromUtf8("Hotovosť"), QString::fromUtf8("Šek")},
              nullptr);
    form->addRow(QString::fromUtf8("Forma úhrady"), DBcbF_UHRADY);
    DBeZALOHA = bound<TDBEdit>(this, "DBe", "ZALOHA");
    form->addRow(QString::fromUtf8("Záloha"), DBeZALOHA);
    DBcbMENA = combo("MENA", {}, nullptr);
    form->addRow(QString::fromUtf8("Mena"), DBcbMENA);
    DBcbDOD_PODM = combo("DOD_PODM", {}, "DodaciePodmienky");
    form->addRow(QString::fromUtf8("Dodacie podmienky"), DBcbDOD_PODM);
    DBcbDOPRAVA = combo("DOPRAVA",
                        {QString::fromUtf8("Osobný odber"), QString::fromUtf8("Dobierka"), QString::fromUtf8("Pošta"),
                         QString::fromUtf8("Spešnina"), QString::fromUtf8("Kuriér")},
                        nullptr);
    form->addRow(QString::fromUtf8("Doprava"), DBcbDOPRAVA);
    DBcbTECH_PODM = combo(
        "TECH_PODM", {QStringLiteral("STN 421430"), QStringLiteral("DIN 50049"), QStringLiteral("EN 10024")}, nullptr);
    form->addRow(QString::fromUtf8("Technické podmienky"), DBcbTECH_PODM);
    DBcbPLAT_PODM = combo("PLAT_PODM", {}, "PlatobnePodmienky");
    form->addRow(QString::fromUtf8("Platobné podmienky"), DBcbPLAT_PODM);
    main->addLayout(form);

    auto *buttons = new QHBoxLayout;
    ButtonOdberatel =
        GuardedButton(QString::fromUtf8("Odberateľ >>"), this, buttons, [this] { ButtonOdberatelClick(); });
    ButtonOdberatel->setToolTip(QString::fromUtf8("Nový odberateľ"));
    buttons->addStretch();
    BtnZapis = GuardedButton(QString::fromUtf8("&Zapíš"), this, buttons, [this] { BtnZapisClick(); });
    BtnNezapis = GuardedButton(QString::fromUtf8("&Nezapíš"), this, buttons, [this] { SetModalResult(mrCancel); });
    SetCancelButton(BtnNezapis);
    main->addLayout(buttons);
    SetUnsavedData({.Records = {&DMOdbyt->QvZakazky}, .Save = [] { postHeader(); }, .Discard = {BtnNezapis}});
    // Enter on an edit moves on as Tab does; on a button it presses it.
    OnKeyDown = [this](int &key, Qt::KeyboardModifiers) {
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !qobject_cast<QPushButton *>(focusWidget()) &&
            !qobject_cast<TDBMemo *>(focusWidget())) {
            focusNextChild();
            key = 0;
        }
    };
}

TFormZakazkaHl::~TFormZakazkaHl() = default;

bool TFormZakazkaHl::eventFilter(QObject *watched, QEvent *event)
{
    // The form's controls need no filter of their own: as the application's filter (the key preview) the
    // form sees each of their events once.
    // Leaving the number for another control of the dialog checks it; the customer list or another window
    // coming up over the dialog does not (the list would come up again over itself).
    if (watched == DBeC_ODB && event->type() == QEvent::FocusOut && FocusStaysInside())
        Guarded([this] { DBeC_ODBExit(); });
    else if (watched == LabelOdberatel && event->type() == QEvent::MouseButtonRelease)
        Guarded([this] { DBeC_ODBButtonClick(); });
    return TForm::eventFilter(watched, event);
}

void TFormZakazkaHl::DBeC_ODBExit()
{
    TxTable &orders = DMOdbyt->QvZakazky;
    if (orders.State() != dsInsert && orders.State() != dsEdit)
        return;
    if (DBeC_ODB->text().trimmed() != header("C_ODB")->AsString().trimmed())
        header("C_ODB")->SetAsString(DBeC_ODB->text().trimmed());
    header("ODBERATEL")->Clear();
    if (!PickCustomerForField(header("C_ODB"), header("ODBERATEL"), false))
        DBeC_ODB->setFocus();
}

void TFormZakazkaHl::DBeC_ODBButtonClick()
{
    TxTable &orders = DMOdbyt->QvZakazky;
    if (orders.State() == dsBrowse)
        orders.Edit();
    header("ODBERATEL")->Clear();
    PickCustomer(header("C_ODB"), header("ODBERATEL"), false);
}

void TFormZakazkaHl::ButtonOdberatelClick()
{
    const int customer = header("C_ODB")->AsInteger();
    if (customer != 0)
        EditCustomer(customer);
}

void TFormZakazkaHl::BtnZapisClick()
{
    postHeader();
    SetModalResult(mrOk);
}

bool EditOrderHeader(QString &order)
{
    TFormZakazkaHl &form = FormOnDemand(FormZakazkaHl);
    DMZal->CStatov.Open();
    TxTable &orders = DMOdbyt->QvZakazky;
    if (!orders.Active())
        orders.Open();
    form.DBcbMENA->clear();
    TDataSet &states = DMZal->CStatov;
    for (states.First(); !states.Eof(); states.Next()) {
        const QString currency = states.FieldByName(QStringLiteral("MENA"))->AsString().trimmed();
        if (!currency.isEmpty() && form.DBcbMENA->findText(currency) < 0)
            form.DBcbMENA->addItem(currency);
    }
    if (orders.State() == dsBrowse) {
        if (order.trimmed().isEmpty())
            orders.Append();
        else
            orders.Edit();
    }
    form.setWindowTitle(orders.State() == dsInsert ? QString::fromUtf8("Nová objednávka")
                                                   : QString::fromUtf8("Zákaznícka objednávka č. ") + order.trimmed());
    form.DBeC_OBJ->setFocus();
    orders.KeepAsDefaults(); // what the order comes up with is not typing
    if (form.ShowModal() == mrOk) {
        order = header("C_OBJ")->AsString().trimmed();
        return true;
    }
    if (orders.State() == dsInsert || orders.State() == dsEdit)
        orders.Cancel();
    return false;
}
