#include "QSettingsForm.h"

#include "DMZal.h"
#include "library/FormKit.h"
#include "library/xPageControl.h"
#include "platform/os/Exception.h"
#include "platform/os/Format.h"
#include "platform/ui/FormGlobal.h"
#include "platform/ui/Guarded.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

TQSettingsForm *QSettingsForm = nullptr;

namespace {

double number(const QLineEdit *edit, const QString &caption)
{
    double value = 0;
    if (!TryStrToFloat(edit->text().trimmed(), value))
        throw EConvertError(QString::fromUtf8("%1: \"%2\" nie je číslo").arg(caption, edit->text()));
    return value;
}

} // namespace

TQSettingsForm::TQSettingsForm(QWidget *owner) : TForm(owner)
{
    TrackGlobal(this, QSettingsForm);
    setWindowTitle(QStringLiteral("Nastavenia TarvIS"));
    auto *main = new QVBoxLayout(this);
    pcSettings = new TxPageControl(this);
    pcSettings->setObjectName(QStringLiteral("pcSettings"));

    auto *performances = new QWidget;
    auto *pl = new QVBoxLayout(performances);
    cbVYKnotifymnozstvo = new QCheckBox(QString::fromUtf8("Kontrolovať množstvá po operáciach"), performances);
    cbVYKevidovatzmatky = new QCheckBox(QString::fromUtf8("Evidovať zmätky"), performances);
    cbVYKzmatkypodrobne = new QCheckBox(QString::fromUtf8("Podrobná evidencia zmätkov podľa príčiny"), performances);
    for (QCheckBox *b : {cbVYKnotifymnozstvo, cbVYKevidovatzmatky, cbVYKzmatkypodrobne})
        pl->addWidget(b);
    pl->addStretch();
    pcSettings->addTab(performances, QString::fromUtf8("&Výkony"));

    auto *wages = new QWidget;
    auto *wl = new QFormLayout(wages);
    ePRIPLNOC = new QLineEdit(wages);
    eVIKEND = new QLineEdit(wages);
    ePRIPLDOCH = new QLineEdit(wages);
    wl->addRow(QString::fromUtf8("Príplatok za noc/hod."), ePRIPLNOC);
    wl->addRow(QString::fromUtf8("Min. mzda za sobotu"), eVIKEND);
    wl->addRow(QString::fromUtf8("Príplatok za dochádzku"), ePRIPLDOCH);
    pcSettings->addTab(wages, QStringLiteral("&Mzdy"));

    auto *invoices = new QWidget;
    auto *il = new QFormLayout(invoices);
    eCisloFa = new QLineEdit(invoices);
    eDPH = new QLineEdit(invoices);
    il->addRow(QString::fromUtf8("PredČíslie vyšlých faktúr"), eCisloFa);
    il->addRow(QString::fromUtf8("Sadzba DPH pre vyšlé Fa."), eDPH);
    pcSettings->addTab(invoices, QString::fromUtf8("&Faktúry"));
    pcSettings->Loaded();
    main->addWidget(pcSettings);

    // A bad number is shown and the dialog stays open with nothing changed.
    const TSaveRow save = AddSaveRow(this, main, [this] { SaveControls(); });
    BtnZapis = save.Ok;
    BtnNezapis = save.Cancel;
    OnShow = [this] { LoadControls(); };
}

void TQSettingsForm::LoadControls()
{
    cbVYKnotifymnozstvo->setChecked(NotifyMnozstvo);
    cbVYKevidovatzmatky->setChecked(EvidovatZmatky);
    cbVYKzmatkypodrobne->setChecked(ZmatkyPodrobne);
    ePRIPLNOC->setText(FloatToStr(PriplatokNoc));
    eVIKEND->setText(FloatToStr(MinMzdaSobota));
    ePRIPLDOCH->setText(FloatToStr(PriplatokDochadzka));
    eCisloFa->setText(CisloFa);
    eDPH->setText(DPH);
}

void TQSettingsForm::SaveControls()
{
    const double night = number(ePRIPLNOC, QString::fromUtf8("Príplatok za noc/hod."));
    const double saturday = number(eVIKEND, QString::fromUtf8("Min. mzda za sobotu"));
    const double attendance = number(ePRIPLDOCH, QString::fromUtf8("Príplatok za dochádzku"));
    CisloFa = eCisloFa->text();
    DPH = eDPH->text();
    EvidovatZmatky = cbVYKevidovatzmatky->isChecked();
    ZmatkyPodrobne = cbVYKzmatkypodrobne->isChecked();
    NotifyMnozstvo = cbVYKnotifymnozstvo->isChecked();
    PriplatokNoc = night;
    MinMzdaSobota = saturday;
    PriplatokDochadzka = attendance;
    DMZal->SaveSettings();
}

void ShowSettings()
{
    FormOnDemand(QSettingsForm).ShowModal();
}
