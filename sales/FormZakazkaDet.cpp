#include "FormZakazkaDet.h"

#include "DMOdbyt.h"
#include "FormZakazkaDetHl.h"
#include "OrderDocuments.h"
#include "VyrobkyDForm.h"
#include "ZakKalkForm.h"
#include "ZakRekDForm.h"
#include "library/xForm.h"
#include "shell/CisPolForm.h"
#include "shell/DMZal.h"
#include "shell/MenuHooks.h"
#include "shell/QMsgDForm.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FormGlobal.h"
#include "platform/ui/Guarded.h"

#include <QBoxLayout>
#include <QGroupBox>
#include <QMenu>
#include <QPushButton>

TFormGlobal<TFormZakazkaDet> FormZakazkaDet{"FormZakazkaDet"};

namespace {

TxTable &items()
{
    return DMOdbyt->QZakazkyD;
}

TField *item(const char *name)
{
    return DMOdbyt->QZakazkyD.FieldByName(QLatin1String(name));
}

int currentJob()
{
    return items().IsEmpty() ? 0 : item("C_INT")->AsInteger();
}

// Reads the items again (a print or a mark may have moved the job's state or batch in the database).
void rereadItem()
{
    DMOdbyt->RereadOrderItems();
}

// Runs the dialog on the item put into insert or edit; OK has posted it, otherwise the row is cancelled.
bool editAndPost()
{
    if (EditOrderItem())
        return true;
    items().Cancel();
    return false;
}

} // namespace

TFormZakazkaDet::TFormZakazkaDet(QWidget *owner) : TtIntZakForm(owner)
{
    TrackGlobal(this, FormZakazkaDet);
    setObjectName(QStringLiteral("FormZakazkaDet"));
    resize(760, 560);
    auto *group = new QGroupBox(QString::fromUtf8("Položky"), Panel1);
    Panel1->layout()->addWidget(group);
    auto *layout = new QHBoxLayout(group);
    DBGridZakazkyD = new TDBGrid(group);
    DBGridZakazkyD->setObjectName(QStringLiteral("DBGridZakazkyD"));
    DBGridZakazkyD->SetDataSource(&DMOdbyt->DSZakazkyD);
    DBGridZakazkyD->SetReadOnly(true);
    TColumn *cInt = DBGridZakazkyD->AddColumn(QStringLiteral("C_INT"), QString::fromUtf8("č.Zákazky"));
    cInt->SetAlignment(TAlignment::taCenter);
    TColumn *product = DBGridZakazkyD->AddColumn(QStringLiteral("C_VYR"), QString::fromUtf8("Číslo výrobku"));
    product->ButtonStyle = cbsEllipsis;
    DBGridZakazkyD->AddColumn(QStringLiteral("MNOZ_OBJ"), QString::fromUtf8("Množ.obj."));
    DBGridZakazkyD->AddColumn(QStringLiteral("MNOZ_VYR"), QString::fromUtf8("Množ.vyr."));
    DBGridZakazkyD->AddColumn(QStringLiteral("TERMIN_OBJ"), QString::fromUtf8("Požadované"));
    DBGridZakazkyD->AddColumn(QStringLiteral("TERMIN"), QString::fromUtf8("Potvrdené"));
    DBGridZakazkyD->AddColumn(QStringLiteral("STAV_ZAK"), QString::fromUtf8("Stav"));
    DBGridZakazkyD->OnDblClick = [this](TDBGrid *) { Guarded([this] { btnOpravClick(); }); };
    DBGridZakazkyD->OnEditButtonClick = [this](TDBGrid *) { Guarded([this] { DBGridZakazkyDEditButtonClick(); }); };
    DBGridZakazkyD->OnGetCellProp = [](TDBGrid *, TDataSet *ds, TField *, TCellFont &font, QColor &, bool) {
        ItemCellProp(ds, font);
    };
    layout->addWidget(DBGridZakazkyD, 1);

    auto *buttons = new QVBoxLayout;
    const auto button = [&](const char *caption, std::function<void()> action) {
        return GuardedButton(QString::fromUtf8(caption), this, buttons, std::move(action));
    };
    BitBtnKalkulacia = button("K&alkulácia", [this] { BitBtnKalkulaciaClick(); });
    BitBtnKalkulacia->setToolTip(QString::fromUtf8("Kalkulácia internej objednávky"));
    BtnTlac = button("&Tlač", [this] { BtnTlacClick(); });
    btnNova = button("&Nová", [this] { btnNovaClick(); });
    btnOprav = button("&Oprav", [this] { btnOpravClick(); });
    btnZmaz = button("&Zmaž", [this] { btnZmazClick(); });
    btnKoniec = button("&Koniec", [this] { Close(); });
    SetCancelButton(btnKoniec);
    buttons->addStretch();
    layout->addLayout(buttons);

    PopupMenuZakazkyD = new QMenu(this);
    PopupMenuZakazkyD->setObjectName(QStringLiteral("PopupMenuZakazkyD"));
    const auto action = [](QMenu *menu, const char *caption, std::function<void()> run, const char *hint = "") {
        AddGuardedAction(menu, QString::fromUtf8(caption), std::move(run))->setToolTip(QString::fromUtf8(hint));
    };
    QMenu *insert = PopupMenuZakazkyD->addMenu(QString::fromUtf8("Vložiť"));
    action(insert, "Nová", [this] { btnNovaClick(); });
    action(insert, "Reklamácia k", [this] { Reklamacia1Click(); });
    action(insert, "Reklamačný protokol", [this] { Rekprotokol1Click(); });
    action(PopupMenuZakazkyD, "Upraviť", [this] { btnOpravClick(); });
    action(PopupMenuZakazkyD, "Vymazať", [this] { btnZmazClick(); });
    QMenu *print = PopupMenuZakazkyD->addMenu(QString::fromUtf8("Tlač"));
    action(print, "Tlač Preskúmanie obj.", [this] { TlacPreskObjClick(); });
    action(print, "Tlač Internú obj.", [this] { TlacIntObjClick(); });
    action(print, "Tlač Internú obj. - ODV", [this] { TlacIntObjODV1Click(); });
    action(print, "Tlač Sprievodku", [this] { TlacSprievodkuClick(); });
    PopupMenuZakazkyD->addSeparator();
    action(PopupMenuZakazkyD, "Kalkulácia", [this] { BitBtnKalkulaciaClick(); });
    action(PopupMenuZakazkyD, "Výrobok", [this] { Vyrobok1Click(); });
    action(
        PopupMenuZakazkyD, "Je Ukončená !", [this] { JeUkoncena1Click(); }, "Označiť zákazku ako ukončenú");
    action(
        PopupMenuZakazkyD, "Je Stornovaná !", [this] { JeStornovana1Click(); }, "Stornovať zákazku");
    DBGridZakazkyD->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(DBGridZakazkyD, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { PopupMenuZakazkyD->popup(DBGridZakazkyD->viewport()->mapToGlobal(at)); });
}

TFormZakazkaDet::~TFormZakazkaDet()
{
    DetachGrids(this);
}

void TFormZakazkaDet::ItemCellProp(TDataSet *ds, TCellFont &font)
{
    const int state = ds->FieldByName(QStringLiteral("STAV_ZAK"))->AsInteger();
    if (state == 101)
        font.Color = QColor(0x80, 0x80, 0x80);
    else if (state < 5)
        font.Color = QColor(0xFF, 0x99, 0x00);
    else if (state == 90)
        font.Color = QColor(0x00, 0x80, 0x00);
    else if (state != 100)
        font.Color = QColor(0x00, 0x00, 0xFF);
    if (ds->FieldByName(QStringLiteral("C_INT_RE"))->AsInteger() != 0)
        font.setItalic(true);
}

void TFormZakazkaDet::btnNovaClick()
{
    QVariant due;
    if (!items().IsEmpty())
        due = item("TERMIN_OBJ")->Value();
    items().Append();
    if (due.isValid() && !due.isNull() && due.toDate().isValid())
        item("TERMIN_OBJ")->SetValue(due);
    editAndPost();
}

void TFormZakazkaDet::Reklamacia1Click()
{
    if (items().IsEmpty())
        return;
    const int job = item("C_INT")->AsInteger();
    const QString product = item("C_VYR")->AsString();
    items().Append();
    item("C_INT_RE")->SetValue(job);
    item("C_VYR")->SetValue(product);
    editAndPost();
}

void TFormZakazkaDet::Rekprotokol1Click()
{
    const int job = currentJob();
    if (job == 0)
        return;
    TxDataSet &complaints = DMOdbyt->QZakRek;
    complaints.Close();
    complaints.SelectSQL.SetStrings(2, QStringLiteral("WHERE a.c_int=%1").arg(job));
    complaints.Open();
    if (complaints.IsEmpty()) {
        complaints.Append();
        complaints.FieldByName(QStringLiteral("C_INT"))->SetValue(job);
    } else {
        complaints.Edit();
    }
    EditComplaint();
    complaints.Close();
}

void TFormZakazkaDet::btnOpravClick()
{
    if (items().IsEmpty())
        return;
    items().Edit();
    if (!editAndPost())
        return;
    if (FormZakazkaDetHl->RevisionRaised())
        ComposeMessage(&FormOnDemand(QMsgDForm), QString(), QString(), QString(), item("C_INT")->AsInteger(), true);
    rereadItem();
}

void TFormZakazkaDet::btnZmazClick()
{
    if (items().IsEmpty())
        return;
    if (MessageDlg(QString::fromUtf8("Naozaj chceš zmazať internú objednávku ") + item("C_INT")->AsString() +
                       QStringLiteral(" ?"),
                   mtWarning, mbYesNo) == mrYes)
        items().Delete();
}

void TFormZakazkaDet::BitBtnKalkulaciaClick()
{
    if (const int job = currentJob()) {
        ShowCalculation(job);
        rereadItem();
    }
}

void TFormZakazkaDet::BtnTlacClick()
{
    switch (ChooseOption(QString::fromUtf8("Preskúmanie objednávky,Internú objednávku,Sprievodku"),
                         QString::fromUtf8("Tlačiť"))) {
    case 1:
        TlacPreskObjClick();
        break;
    case 2:
        TlacIntObjClick();
        break;
    case 3:
        TlacSprievodkuClick();
        break;
    default:
        break;
    }
}

void TFormZakazkaDet::TlacPreskObjClick()
{
    if (!items().IsEmpty())
        PrintOrderReview(item("C_OBJ")->AsString().trimmed());
}

void TFormZakazkaDet::TlacIntObjClick()
{
    if (const int job = currentJob()) {
        PrintInternalOrder(job);
        rereadItem();
    }
}

void TFormZakazkaDet::TlacIntObjODV1Click()
{
    if (currentJob())
        PreviewInternalOrderBack();
}

void TFormZakazkaDet::TlacSprievodkuClick()
{
    if (const int job = currentJob()) {
        if (ModuleHooks().PrintJobTicket) {
            ModuleHooks().PrintJobTicket(job);
            rereadItem();
        } else
            ShowNotAvailable();
    }
}

void TFormZakazkaDet::Vyrobok1Click()
{
    if (!items().IsEmpty())
        EditProduct(item("C_VYR")->AsString().trimmed());
}

void TFormZakazkaDet::JeUkoncena1Click()
{
    if (const int job = currentJob()) {
        MarkOrderFinished(job);
        rereadItem();
    }
}

void TFormZakazkaDet::JeStornovana1Click()
{
    if (const int job = currentJob()) {
        MarkOrderCancelled(job);
        rereadItem();
    }
}

void TFormZakazkaDet::DBGridZakazkyDEditButtonClick()
{
    if (items().IsEmpty() || DBGridZakazkyD->SelectedField() != item("C_VYR"))
        return;
    items().Edit();
    if (!PickProductForField(item("C_VYR"))) {
        items().Cancel();
        return;
    }
    items().Post();
    DBGridZakazkyD->SetSelectedIndex(DBGridZakazkyD->SelectedIndex() + 1);
}

void ShowOrderItems(const QString &order)
{
    TFormZakazkaDet &form = FormOnDemand(FormZakazkaDet);
    form.ItemDataSource = &DMOdbyt->DSZakazkyD;
    form.setWindowTitle(QString::fromUtf8("Zákaznícka objednávka č. ") + order.trimmed());
    if (!DMOdbyt->QZakazkyD.Active())
        DMOdbyt->QZakazkyD.Open();
    form.ShowModal();
}
