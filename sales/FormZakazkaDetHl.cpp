#include "FormZakazkaDetHl.h"

#include "DMOdbyt.h"
#include "OdbytSql.h"
#include "VyrobkyDForm.h"
#include "shell/CisPolForm.h"
#include "shell/DMZal.h"
#include "shell/Routines.h"
#include "platform/ui/DBControls.h"
#include "platform/ui/FormGlobal.h"
#include "platform/ui/Guarded.h"

#include <QBoxLayout>
#include <QEvent>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

TFormGlobal<TFormZakazkaDetHl> FormZakazkaDetHl{"FormZakazkaDetHl"};

namespace {

template <class T> T *bound(QWidget *parent, const char *prefix, const char *field)
{
    return MakeBound<T>(parent, &DMOdbyt->DSZakazkyD, QLatin1String(prefix), QLatin1String(field));
}

TField *item(const char *name)
{
    return DMOdbyt->QZakazkyD.FieldByName(QLatin1String(name));
}

void colour(QLabel *label, const QColor &c)
{
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, c);
    label->setPalette(p);
}

} // namespace

TFormZakazkaDetHl::TFormZakazkaDetHl(QWidget *owner) : TForm(owner)
{
    TrackGlobal(this, FormZakazkaDetHl);
    setObjectName(QStringLiteral("FormZakazkaDetHl"));
    setWindowTitle(QString::fromUtf8("Interná objednávka"));
    resize(520, 460);
    auto *main = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    DBeC_INT = bound<TDBEdit>(this, "DBe", "C_INT");
    DBeC_INT->setFocusPolicy(Qt::ClickFocus);
    QPalette info = DBeC_INT->palette();
    info.setColor(QPalette::Base, palette().color(QPalette::ToolTipBase));
    DBeC_INT->setPalette(info);
    form->addRow(QString::fromUtf8("č. Zákazky"), DBeC_INT);

    DBeC_VYR = bound<TDBEdit>(this, "DBe", "C_VYR");
    DBeC_VYR->CharCase = ecUpperCase;
    auto *product = new QHBoxLayout;
    product->addWidget(DBeC_VYR);
    auto *lookup = new QPushButton(QStringLiteral("..."), this);
    lookup->setFixedWidth(28);
    lookup->setFocusPolicy(Qt::NoFocus);
    connect(lookup, &QPushButton::clicked, this, [this] { Guarded([this] { DBeC_VYRButtonClick(); }); });
    product->addWidget(lookup);
    form->addRow(QString::fromUtf8("Výrobok"), product);
    LabelVyrobok = new QLabel(this);
    LabelVyrobok->setTextFormat(Qt::PlainText); // a stored die's text
    LabelVyrobok->setObjectName(QStringLiteral("LabelVyrobok"));
    form->addRow(QString(), LabelVyrobok);
    DBeMNOZ_OBJ = bound<TDBEdit>(this, "DBe", "MNOZ_OBJ");
    form->addRow(QString::fromUtf8("Množstvo objednané"), DBeMNOZ_OBJ);
    DBeMNOZ_VYR = bound<TDBEdit>(this, "DBe", "MNOZ_VYR");
    form->addRow(QString::fromUtf8("Množstvo vyrábané"), DBeMNOZ_VYR);
    DBdTERMIN_OBJ = bound<TDBDateEdit>(this, "DBd", "TERMIN_OBJ");
    form->addRow(QString::fromUtf8("Termín požadovaný"), DBdTERMIN_OBJ);
    DBdTERMIN = bound<TDBDateEdit>(this, "DBd", "TERMIN");
    form->addRow(QString::fromUtf8("Termín potvrdený"), DBdTERMIN);

    auto *state = new QHBoxLayout;
    LabelStav = new QLabel(this);
    LabelStav->setObjectName(QStringLiteral("LabelStav"));
    state->addWidget(LabelStav, 1);
    sbPotvrdenie = new QPushButton(QString::fromUtf8("&Potvrď"), this);
    sbPotvrdenie->setObjectName(QStringLiteral("sbPotvrdenie"));
    sbPotvrdenie->setCheckable(true);
    sbPotvrdenie->setToolTip(QString::fromUtf8("Potvrdenie zákazky"));
    connect(sbPotvrdenie, &QPushButton::clicked, this, [this] { Guarded([this] { sbPotvrdenieClick(); }); });
    state->addWidget(sbPotvrdenie);
    form->addRow(QString::fromUtf8("Stav zákazky"), state);

    auto *revision = new QHBoxLayout;
    LabelRevizia = new QLabel(this);
    LabelRevizia->setObjectName(QStringLiteral("LabelRevizia"));
    revision->addWidget(LabelRevizia, 1);
    UpDownC_REV = new QSpinBox(this);
    UpDownC_REV->setObjectName(QStringLiteral("UpDownC_REV"));
    connect(UpDownC_REV, &QSpinBox::valueChanged, this, [this] { Guarded([this] { UpDownC_REVClick(); }); });
    revision->addWidget(UpDownC_REV);
    form->addRow(QString::fromUtf8("Číslo revízie"), revision);

    DBcbUV = bound<TDBComboBox>(this, "DBcb", "UV");
    DBcbUV->setEditable(true);
    form->addRow(QString::fromUtf8("Uvoľnenie výrobku"), DBcbUV);
    DBcbBALENIE = bound<TDBComboBox>(this, "DBcb", "BALENIE");
    DBcbBALENIE->setEditable(true);
    DBcbBALENIE->SetItems({QStringLiteral("PAPIER.KRABICA"), QStringLiteral("PLASTOVE BEDNE"),
                           QStringLiteral("GITTER BOX"), QStringLiteral("VOLNE LOZENE"),
                           QStringLiteral("VLASTNY OBAL")});
    form->addRow(QString::fromUtf8("Balenie"), DBcbBALENIE);
    DBePOZNAMKA = bound<TDBEdit>(this, "DBe", "POZNAMKA");
    form->addRow(QString::fromUtf8("Poznámka"), DBePOZNAMKA);
    LabelReklamacia = new QLabel(QString::fromUtf8("Reklamácia k"), this);
    DBtC_INT_RE = bound<TDBText>(this, "DBt", "C_INT_RE");
    form->addRow(LabelReklamacia, DBtC_INT_RE);
    main->addLayout(form);

    auto *buttons = new QHBoxLayout;
    ButtonVyrobok = GuardedButton(QString::fromUtf8("Výrobok >>"), this, buttons, [this] { ButtonVyrobokClick(); });
    ButtonVyrobok->setToolTip(QString::fromUtf8("Nový výrobok"));
    buttons->addStretch();
    BtnZapis = GuardedButton(QString::fromUtf8("&Zapíš"), this, buttons, [this] { BtnZapisClick(); });
    BtnNezapis = GuardedButton(QString::fromUtf8("&Nezapíš"), this, buttons, [this] { SetModalResult(mrCancel); });
    SetCancelButton(BtnNezapis);
    main->addLayout(buttons);
    SetUnsavedData({.Records = {&DMOdbyt->QZakazkyD}, .Save = [this] { postItem(); }, .Discard = {BtnNezapis}});
    OnShow = [this] { FormShow(); };
    OnKeyDown = [this](int &key, Qt::KeyboardModifiers) {
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !qobject_cast<QPushButton *>(focusWidget())) {
            focusNextChild();
            key = 0;
        }
    };
}

TFormZakazkaDetHl::~TFormZakazkaDetHl() = default;

bool TFormZakazkaDetHl::eventFilter(QObject *watched, QEvent *event)
{
    // The form's controls need no filter of their own: as the application's filter (the key preview) the
    // form sees each of their events once.
    // Leaving the field for another control of the dialog checks it; the dialog closing or a window coming up
    // over it does not.
    if (watched == DBeC_VYR && event->type() == QEvent::FocusOut && FocusStaysInside())
        Guarded([this] { DBeC_VYRExit(); });
    return TForm::eventFilter(watched, event);
}

void TFormZakazkaDetHl::showState()
{
    LabelStav->setText(TDMZal::OrderStateName(item("STAV_ZAK")->AsInteger()));
}

void TFormZakazkaDetHl::FormShow()
{
    const bool inserting = DMOdbyt->QZakazkyD.State() == dsInsert;
    DBeC_INT->setReadOnly(!inserting);
    LabelReklamacia->setVisible(item("C_INT_RE")->AsInteger() != 0);
    DBtC_INT_RE->setVisible(LabelReklamacia->isVisible());
    const int state = item("STAV_ZAK")->AsInteger();
    const int revision = item("C_REV")->AsInteger();
    {
        const QSignalBlocker block(UpDownC_REV);
        UpDownC_REV->setRange(revision, revision + 1);
        UpDownC_REV->setValue(revision);
    }
    UpDownC_REV->setVisible(state >= 3);
    LabelRevizia->setText(QStringLiteral("%1").arg(revision, 2, 10, QLatin1Char('0')));
    QFont f = LabelRevizia->font();
    f.setBold(false);
    LabelRevizia->setFont(f);
    sbPotvrdenie->setChecked(state == 5);
    sbPotvrdenie->setEnabled(state < 6);
    stateToggled_ = false;
    showState();
    LabelVyrobok->clear();
    DBeC_VYR->setFocus();
}

void TFormZakazkaDetHl::sbPotvrdenieClick()
{
    TField *state = item("STAV_ZAK");
    state->SetValue(state->AsInteger() != 5 ? 5 : 3);
    sbPotvrdenie->setChecked(state->AsInteger() == 5);
    stateToggled_ = true;
    showState();
}

bool TFormZakazkaDetHl::RevisionRaised() const
{
    return UpDownC_REV->value() != UpDownC_REV->minimum();
}

void TFormZakazkaDetHl::UpDownC_REVClick()
{
    item("C_REV")->SetValue(UpDownC_REV->value());
    LabelRevizia->setText(QStringLiteral("%1").arg(UpDownC_REV->value(), 2, 10, QLatin1Char('0')));
    QFont f = LabelRevizia->font();
    f.setBold(RevisionRaised());
    LabelRevizia->setFont(f);
}

void TFormZakazkaDetHl::DBeC_VYRButtonClick()
{
    TxTable &items = DMOdbyt->QZakazkyD;
    if (items.State() == dsBrowse)
        items.Edit();
    PickProductForField(item("C_VYR"));
}

void TFormZakazkaDetHl::DBeC_VYRExit()
{
    TxTable &items = DMOdbyt->QZakazkyD;
    if (items.State() != dsInsert && items.State() != dsEdit)
        return;
    // The focus leaves before the edit hands its text over.
    if (DBeC_VYR->text().trimmed() != item("C_VYR")->AsString().trimmed())
        item("C_VYR")->SetAsString(DBeC_VYR->text().trimmed());
    TxQuery *product = nullptr;
    if (!PickItemForFieldDS(item("C_VYR"), QLatin1Char('V'), &product) || !product)
        return;
    if (items.State() == dsInsert)
        item("POZNAMKA")->SetValue(product->FieldByName(QStringLiteral("POPIS"))->Value());
    QString text = product->FieldByName(QStringLiteral("NAZOV"))->AsString();
    bool warn = false;
    const QString die = product->FieldByName(QStringLiteral("KOMOD"))->AsString().trimmed();
    if (!die.isEmpty()) {
        TxQuery &q = DMZal->Query;
        q.Close();
        q.SQL().SetText(OdbytSql::DieStock);
        q.ParamByName(QStringLiteral("c_pol")).SetValue(die);
        q.Open();
        const QVariant stock = q.Fields(0)->Value();
        const int owner = q.Fields(1)->AsInteger();
        q.Close();
        if (stock.isNull()) {
            text = die + QString::fromUtf8(" - neexistuje skladová karta !");
            warn = true;
        } else if (stock.toDouble() < 1) {
            text = die + QString::fromUtf8(" - nie je na sklade !");
            warn = true;
        }
        if (owner != 0 && owner != DMOdbyt->QvZakazky.FieldByName(QStringLiteral("C_ODB"))->AsInteger()) {
            // On a line of its own: a label breaks lines at a line feed only.
            text += QLatin1Char('\n') + QString::fromUtf8("Odberateľ je rôzny od majiteľa nástroja!");
            warn = true;
        }
    }
    LabelVyrobok->setText(text);
    colour(LabelVyrobok, warn ? QColor(Qt::red) : QColor(0x00, 0x00, 0x80));
}

void TFormZakazkaDetHl::ButtonVyrobokClick()
{
    EditProduct(DBeC_VYR->text().trimmed());
}

void TFormZakazkaDetHl::BtnZapisClick()
{
    postItem();
    SetModalResult(mrOk);
}

void TFormZakazkaDetHl::postItem()
{
    TxTable &items = DMOdbyt->QZakazkyD;
    if (items.State() == dsEdit && !stateToggled_) {
        const QVariant stored = SelectValueParams(OdbytSql::StoredJobState, {item("C_INT")->AsInteger()});
        DMZal->Query.Close();
        if (stored.isValid() && !stored.isNull())
            item("STAV_ZAK")->SetValue(stored.toInt());
    }
    // Posted here, so a refusal keeps the dialog open with everything typed.
    if (items.State() == dsInsert || items.State() == dsEdit)
        items.Post();
}

bool EditOrderItem()
{
    // What the item comes up with (a new item's date, a complaint's job and product) is not typing.
    DMOdbyt->QZakazkyD.KeepAsDefaults();
    return FormOnDemand(FormZakazkaDetHl).ShowModal() == mrOk;
}
