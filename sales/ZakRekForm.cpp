#include "ZakRekForm.h"

#include "Complaints.h"
#include "DMOdbyt.h"
#include "ZakRekDForm.h"
#include "ZakRekQRRep.h"
#include "library/SqlLiteral.h"
#include "library/xDBFilter.h"
#include "shell/MenuHooks.h"
#include "shell/RoutineNames.h"
#include "shell/Routines.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FormGlobal.h"
#include "platform/ui/Guarded.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>

TZakRekForm *ZakRekForm = nullptr;

TZakRekForm::TZakRekForm(QWidget *owner) : TBrowseForm(owner)
{
    TrackGlobal(this, ZakRekForm);
    setWindowTitle(QString::fromUtf8("Reklamačné protokoly"));
    resize(760, 480);
    TDMOdbyt &dm = *DMOdbyt;
    auto *filters = new QHBoxLayout;
    const auto filter = [&](const char *caption, const char *where, TFieldType type, int length) {
        filters->addWidget(new QLabel(QString::fromUtf8(caption), this));
        auto *e = new TxDBFilterEdit(this);
        e->DataSource = &dm.DSZakRek;
        e->SQLWhere = QString::fromLatin1(where);
        e->SQLParamType = type;
        e->setMaxLength(length);
        if (type == ftInteger)
            e->EditStyle = esInteger;
        filters->addWidget(e);
        return e;
    };
    eC_VYR = filter("Výrobok", "C_VYR like '?%'", ftString, 10);
    eC_INT = filter("Zákazka", "a.C_INT=?", ftInteger, 7);
    // The job as it is printed (26/0015) or its plain number; a number begun with the year's slash is looked
    // for by its digits until it is whole.
    eC_INT->EditStyle = esGeneral;
    eC_INT->setValidator(NewOrderNoValidator(eC_INT, 6));
    eC_INT->BeforeFilter = [this](QObject *, QString &where) {
        const QString typed = eC_INT->text().trimmed();
        if (typed.isEmpty())
            return;
        const std::optional<int> job = ParseOrderNo(typed);
        where.clear();
        AddFilterCondition(where, eC_INT->SQLWhere, job ? QString::number(*job) : QString(typed).remove(u'/'),
                           ftInteger);
    };
    eODBERATEL = filter("Odberateľ", "ODBERATEL like '?%'", ftString, 50);
    filters->addStretch();
    Column->addLayout(filters);
    DBGridZakRek = AddGrid<TDBGrid>("DBGridZakRek", &dm.DSZakRek,
                                    {{"C_REK", "č.Protokolu"},
                                     {"C_INT", "č.Zákazky"},
                                     {"C_VYR", "č.Výrobku"},
                                     {"ODBERATEL", "Odberateľ"},
                                     {"MNOZ_DOD", "Množ.dodané"},
                                     {"MNOZ_REK", "Množ. reklam."},
                                     {"NEZHODA", "Príčina"}});
    DBGridZakRek->OnDblClick = [this](TDBGrid *) { Guarded([this] { BtnOpravClick(); }); };
    auto *buttons = new QHBoxLayout;
    BtnNovy = AddButton(buttons, "&Nový", [this] { BtnNovyClick(); });
    BtnOprav = AddButton(buttons, "&Oprav", [this] { BtnOpravClick(); });
    BtnZmaz = AddButton(buttons, "&Zmaž", [this] { BtnZmazClick(); });
    BtnTlac = AddButton(buttons, "&Tlač", [] { PrintComplaint(); });
    btnIntObj = AddButton(buttons, "Int.Obj.", [this] { btnIntObjClick(); });
    BtnKoniec = AddCloseButton(buttons, "&Koniec");
    for (QPushButton *b : {BtnNovy, BtnOprav, BtnZmaz, BtnTlac, btnIntObj, BtnKoniec})
        b->setAutoDefault(false);
    buttons->addStretch();
    Column->addLayout(buttons);
}

void TZakRekForm::BtnNovyClick()
{
    DMOdbyt->QZakRek.Append();
    EditComplaint();
}

void TZakRekForm::BtnOpravClick()
{
    TxDataSet &q = DMOdbyt->QZakRek;
    if (q.IsEmpty())
        return;
    q.Edit();
    EditComplaint();
}

void TZakRekForm::BtnZmazClick()
{
    TxDataSet &q = DMOdbyt->QZakRek;
    if (q.IsEmpty())
        return;
    if (Confirm(QString::fromUtf8("Naozaj zmazať reklamačný protokol č.") +
                    q.FieldByName(QStringLiteral("C_REK"))->AsString().trimmed() + QStringLiteral(" ?!"),
                QString::fromUtf8("Otázka")))
        q.Delete();
}

void TZakRekForm::btnIntObjClick()
{
    TxDataSet &q = DMOdbyt->QZakRek;
    if (q.IsEmpty())
        return;
    CallOpenRoutine(Routine::ShowInternalOrders,
                    {QStringLiteral("C_INT"), q.FieldByName(QStringLiteral("C_INT"))->AsInteger()});
}

void ShowComplaints()
{
    TZakRekForm &form = FormOnDemand(ZakRekForm);
    OpenRecentComplaints();
    struct Closer {
        ~Closer()
        {
            try {
                DMOdbyt->QZakRek.Close();
            } catch (...) {
                // Nothing of the list is kept.
            }
        }
    } closer;
    form.ShowModal();
}
