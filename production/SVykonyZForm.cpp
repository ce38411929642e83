#include "SVykonyZForm.h"

#include "DMVyk.h"
#include "library/FormKit.h"
#include "platform/db/DataSet.h"
#include "platform/os/Format.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FormGlobal.h"

#include <QBoxLayout>
#include <QFormLayout>
#include <QIntValidator>
#include <QLineEdit>
#include <QScopeGuard>

TFormGlobal<TSVykonyZForm> SVykonyZForm{"SVykonyZForm"};

namespace {

const char *const CauseLabels[20] = {
    "01 Lunker po odl.", "02 Lunker po píl.", "03 Lunker po brús.", "04 Lunker po mech.", "05 Studený zvar",
    "06 Sťaženiny",      "07 Nedoliate",      "08 Nástrek",         "09 Deformácia",      "10 Presadené",
    "11 Zadrobené",      "12 Rozmery",        "13 Zlom.jadro",      "14 Záliatok",        "15 Zapílené",
    "16 Zabrúsené",      "17 Vŕtanie",        "18 Poškod.povrch",   "19 Povrch.oprac.",   "20 Opravit.zmätok"};

QString causeName(int i)
{
    return QStringLiteral("Z%1").arg(i + 1, 2, 10, QLatin1Char('0'));
}

} // namespace

TSVykonyZForm::TSVykonyZForm(QWidget *owner) : TForm(owner)
{
    TrackGlobal(this, SVykonyZForm);
    setWindowTitle(QString::fromUtf8("Nezhodné výrobky"));
    KeyPreview = true;
    auto *main = new QVBoxLayout(this);
    auto *columns = new QHBoxLayout;
    main->addLayout(columns);
    QFormLayout *form = nullptr;
    for (int i = 0; i < 20; ++i) {
        if (i % 10 == 0) {
            form = new QFormLayout;
            columns->addLayout(form);
        }
        auto *edit = new QLineEdit(this);
        edit->setObjectName(causeName(i));
        edit->setValidator(new QIntValidator(0, 32767, edit));
        edit->setMaximumWidth(60);
        form->addRow(QString::fromUtf8(CauseLabels[i]), edit);
        Edits[size_t(i)] = edit;
    }
    const TSaveRow save = AddSaveRow(this, main);
    TBtnZapis = save.Ok;
    TBtnNezapis = save.Cancel;
    // Enter moves on to the next cause.
    OnKeyDown = [this](int &key, Qt::KeyboardModifiers) {
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && qobject_cast<QLineEdit *>(focusWidget())) {
            SelectNext(true);
            key = 0;
        }
    };
}

void ShowDefectBreakdown(TDataSet *row, bool forced)
{
    TField *defects = row->FieldByName(QStringLiteral("ZMATKY"));
    if (!forced && int(defects->AsFloat()) == TDMVyk::SumDefectCauses(row))
        return;
    // The focus going into the dialog leaves the edits that ask for it; the dialog already showing waits for
    // its answer instead of being asked for once more.
    static bool showing = false;
    if (showing)
        return;
    showing = true;
    const auto done = qScopeGuard([] { showing = false; });
    TSVykonyZForm &form = FormOnDemand(SVykonyZForm);
    const bool inserting = row->State() == dsInsert;
    for (int i = 0; i < 20; ++i)
        form.Edits[size_t(i)]->setText(inserting ? QStringLiteral("0")
                                                 : row->FieldByName(causeName(i))->Text().trimmed());
    for (;;) {
        form.Edits[0]->setFocus();
        if (form.ShowModal() == mrOk) {
            if (row->State() != dsEdit && row->State() != dsInsert)
                row->Edit();
            for (int i = 0; i < 20; ++i)
                row->FieldByName(causeName(i))->SetValue(form.Edits[size_t(i)]->text().trimmed().toInt());
        }
        const int sum = TDMVyk::SumDefectCauses(row);
        const int expected = int(defects->AsFloat());
        if (sum == expected)
            return;
        ShowMessage(Format(QString::fromUtf8("Súčet zmätkov podľa kategórií %d je rôzny od pôvodne zadaného %d !"),
                           {sum, expected}));
    }
}
