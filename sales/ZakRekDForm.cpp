#include "ZakRekDForm.h"

#include "DMOdbyt.h"
#include "library/FormKit.h"
#include "ZakRekQRRep.h"
#include "library/Buttons.h"
#include "library/DataEditRow.h"
#include "library/xDBMemo.h"
#include "shell/CisZakForm.h"
#include "shell/DMCis.h"
#include "platform/ui/DBControls.h"
#include "platform/ui/FormGlobal.h"
#include "platform/os/Exception.h"
#include "platform/ui/Guarded.h"

#include <QBoxLayout>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

TZakRekDForm *ZakRekDForm = nullptr;

namespace {
// What a protocol takes from its job.
constexpr const char *kJobFields[] = {"C_OBJ", "C_VYR", "NAZOV", "ODBERATEL"};
} // namespace

QStringList DefectCodes()
{
    return {QStringLiteral("LUNKER"),     QStringLiteral("STUD.ZVAR"), QStringLiteral("ZTAZENINY"),
            QStringLiteral("NEDOLIATE"),  QStringLiteral("NASTREK"),   QStringLiteral("DEFORMACIA"),
            QStringLiteral("PRESADENE"),  QStringLiteral("ZADROBENE"), QStringLiteral("ROZMERY"),
            QStringLiteral("ZLOM.JADRO"), QStringLiteral("ZALIATOK"),  QStringLiteral("ZAPILENE"),
            QStringLiteral("ZABRUSENE"),  QStringLiteral("VRTANIE"),   QStringLiteral("POSKOD.POV"),
            QStringLiteral("POV.OPRAC.")};
}

TZakRekDForm::TZakRekDForm(QWidget *owner) : TForm(owner)
{
    TrackGlobal(this, ZakRekDForm);
    setWindowTitle(QString::fromUtf8("Reklamačný protokol"));
    TDataSource *source = &DMOdbyt->DSZakRek;
    auto *main = new QVBoxLayout(this);
    auto *columns = new QHBoxLayout;
    main->addLayout(columns);
    auto *left = new QFormLayout;
    auto *right = new QFormLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    const auto edit = [&](QFormLayout *form, const TDataEditRow &row) {
        return AddDataEditRow(form, this, source, row);
    };
    const auto text = [&](QFormLayout *form, const char *field, const char *caption) {
        auto *t = new TDBText(this);
        t->setObjectName(QString::fromLatin1(field));
        t->SetDataSource(source);
        t->SetDataField(QString::fromLatin1(field));
        AddCaptionedRow(form, QString::fromUtf8(caption), t);
    };
    // Each memo takes at most its given characters, a line end counting two.
    const auto memo = [&](const char *field, const char *caption, int most) {
        auto *m = new TxDBMemo(this);
        m->setObjectName(QStringLiteral("DBm") + QString::fromLatin1(field));
        m->SetDataSource(source);
        m->SetDataField(QString::fromLatin1(field));
        m->MaxLength = most;
        SetMemoLines(m, 2);
        main->addWidget(new QLabel(QString::fromUtf8(caption), this));
        main->addWidget(m);
    };
    DBeC_REK = edit(left, {"C_REK", "Protokol č.", bsNone, nullptr, 10});
    DBeC_REK->SetCharCase(ecUpperCase);
    DBeC_INT = edit(left, {"C_INT", "č. Zákazky", bsLookup, nullptr, 8});
    DBeC_INT->OnButtonClick = [this](TxDBEdit *) { Guarded([this] { DBeC_INTButtonClick(); }); };
    // The job check runs as the focus moves on in the dialog, not as the dialog is left by Escape or another
    // window comes up: the pick list must not come up over a protocol being left.
    // A job that does not exist is said, and the clerk is back on the number to correct it.
    connect(DBeC_INT->Edit(), &QLineEdit::editingFinished, this, [this] {
        if (FocusStaysInside() && !Guarded([this] { DBeC_INTExit(); }))
            FocusAgainLater(DBeC_INT->Edit());
    });
    text(left, "C_OBJ", "č. Objednávky");
    text(left, "C_VYR", "č. Výrobku");
    text(left, "ODBERATEL", "Odberateľ");
    text(left, "NAZOV", "Názov výr.");
    edit(right, {"MNOZ_DOD", "Množstvo dodané", bsNone, nullptr, 10});
    edit(right, {"C_DL", "č. Dodacieho listu", bsNone, nullptr, 10});
    edit(right, {"C_FAKTURY", "č. Faktúry", bsNone, nullptr, 20});
    edit(right, {"MNOZ_REK", "Množstvo reklam.", bsNone, nullptr, 10});
    edit(right, {"D_VYSTAV", "Dátum reklam.", bsDate, nullptr, 10});
    edit(right, {"VYSTAVIL", "Vystavil"});
    edit(right, {"D_DOD", "Dátum dodania", bsDate, nullptr, 10});
    DBcbNEZHODA = new TDBComboBox(this);
    DBcbNEZHODA->setObjectName(QStringLiteral("DBcbNEZHODA"));
    DBcbNEZHODA->SetDataSource(source);
    DBcbNEZHODA->SetDataField(QStringLiteral("NEZHODA"));
    AddCaptionedRow(right, QStringLiteral("Typ nezhody"), DBcbNEZHODA);
    memo("POPIS", "Špecifikácia nezhody", 250);
    memo("NAVRH1", "Návrh na vysporiadanie zákazníkom", 250);
    memo("PRICINA", "Príčina vzniku nezhody", 250);
    memo("NAVRH2", "Návrh  opatrení na nápravu", 350);
    memo("NAVRH3", "Návrh  spôsobu riešenia", 250);
    auto *bottom = new QFormLayout;
    main->addLayout(bottom);
    edit(bottom, {"RIESENIE", "Konečný spôsob riešenia"});

    AddSaveButtons(this, main, BtnZapis, BtnNezapis,
                   {.Records = {&DMOdbyt->QZakRek}, .Save = [] { DMOdbyt->QZakRek.Post(); }});
    // The job takes the focus as the dialog comes up. Coming back to it from a message (a refused value) or
    // from the pick list leaves the focus where the clerk was, so what is typed next goes there.
    OnShow = [this] {
        comingUp_ = true;
        heldJob_ = DMOdbyt->QZakRek.FieldByName(QStringLiteral("C_INT"))->AsInteger();
    };
    OnActivate = [this] {
        if (!comingUp_)
            return;
        comingUp_ = false;
        DBeC_INT->setFocus();
        TxDataSet &q = DMOdbyt->QZakRek;
        const bool typed = q.Modified();
        if (q.FieldByName(QStringLiteral("C_INT"))->AsInteger() != 0)
            Guarded([this] { DBeC_INTExit(); });
        // The job's order, product and customer shown as the protocol comes up are not typing.
        if (!typed)
            q.KeepAsDefaults();
    };
}

void TZakRekDForm::DBeC_INTButtonClick()
{
    TxDataSet &q = DMOdbyt->QZakRek;
    if (q.State() == dsBrowse)
        q.Edit();
    TField *job = q.FieldByName(QStringLiteral("C_INT"));
    const QVariant before = job->Value();
    job->SetValue(0);
    // The list closed without a pick leaves the job the protocol had.
    if (!takeJob())
        job->SetValue(before);
}

bool TZakRekDForm::takeJob()
{
    TxDataSet &q = DMOdbyt->QZakRek;
    if (!PickOrderForField(q.FieldByName(QStringLiteral("C_INT")), QString(), QString(), 0))
        return false;
    TxQuery &job = DMCis->QvZakazkyD;
    for (const char *name : kJobFields) {
        const QString f = QString::fromLatin1(name);
        if (TField *from = job.FindField(f))
            if (TField *to = q.FindField(f))
                to->SetValue(from->Value());
    }
    heldJob_ = q.FieldByName(QStringLiteral("C_INT"))->AsInteger();
    return true;
}

void TZakRekDForm::DBeC_INTExit()
{
    TxDataSet &q = DMOdbyt->QZakRek;
    if (q.State() != dsEdit && q.State() != dsInsert)
        return;
    if (takeJob())
        return;
    // No job found for a number other than the protocol's own: nothing of the job it named before may stay
    // beside the new number.
    TField *job = q.FieldByName(QStringLiteral("C_INT"));
    if (job->AsInteger() == heldJob_)
        return;
    heldJob_ = job->AsInteger();
    std::vector<TField *> copied;
    for (const char *name : kJobFields)
        copied.push_back(q.FindField(QString::fromLatin1(name)));
    ForgetFormerJob(job, copied);
}

bool EditComplaint()
{
    TZakRekDForm &form = FormOnDemand(ZakRekDForm);
    if (form.DBcbNEZHODA->count() == 0)
        form.DBcbNEZHODA->SetItems(DefectCodes());
    TxDataSet &q = DMOdbyt->QZakRek;
    const bool inserting = q.State() == dsInsert;
    if (form.ShowModal() != mrOk) {
        if (q.State() == dsEdit || q.State() == dsInsert)
            q.Cancel();
        return false;
    }
    if (inserting)
        Guarded([] { PrintComplaint(); });
    return true;
}
