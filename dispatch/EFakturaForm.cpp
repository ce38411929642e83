#include "EFakturaForm.h"

#include "DMExp.h"
#include "EFakturaQRRep.h"
#include "ExpSql.h"
#include "library/FormKit.h"
#include "library/QTlacForm.h"
#include "platform/os/Format.h"
#include "platform/ui/BitBtn.h"
#include "platform/ui/DateEdit.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FormGlobal.h"
#include "platform/ui/Guarded.h"
#include "shell/DMZal.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

TEFakturaQRRep *EFakturaQRRep = nullptr;

QString vatSetting()
{
    return DPH.trimmed().isEmpty() ? QStringLiteral("19") : DPH;
}

QString amountText(double value)
{
    return Format(QStringLiteral("%.2f"), {value});
}

} // namespace

TEFakturaForm *EFakturaForm = nullptr;

TEFakturaForm::TEFakturaForm(QWidget *owner) : TForm(owner)
{
    // Made on first use with the run's main form as owner: the global goes when the form does.
    TrackGlobal(this, EFakturaForm);
    setWindowTitle(QString::fromUtf8("Faktúra"));
    auto *form = new QFormLayout;
    auto edit = [&](const char *caption, bool readOnly = false, int maxLength = 0) {
        auto *e = new QLineEdit(this);
        e->setReadOnly(readOnly);
        if (maxLength)
            e->setMaxLength(maxLength);
        if (caption)
            form->addRow(QString::fromUtf8(caption), e);
        return e;
    };
    eC_DL = edit("Číslo dodacieho listu", true);
    eC_FAKTURY = new QLineEdit(this);
    sbNextC_FA = new QPushButton(QStringLiteral("..."), this);
    auto *invoiceRow = new QHBoxLayout;
    invoiceRow->addWidget(eC_FAKTURY);
    invoiceRow->addWidget(sbNextC_FA);
    form->addRow(QString::fromUtf8("Číslo faktúry"), invoiceRow);
    eC_OBJ = edit("Číslo objednávky");
    eD_OBJ = edit("Dátum objednávky");
    eDOPRAVA = edit("Spôsob dopravy");
    eODBERATEL = edit("Odberateľ");
    eICO = edit("IČO");
    auto date = [&](const char *caption) {
        auto *e = new TDateEdit(this);
        form->addRow(QString::fromUtf8(caption), e);
        return e;
    };
    eDATVYS = date("Dátum vystavenia");
    eDATSPL = date("Dátum splatnosti");
    eDATZDANPLN = date("Dátum zdan.plnenia");
    auto combo = [&](const char *caption, const QStringList &items) {
        auto *c = new QComboBox(this);
        c->setEditable(true);
        c->addItems(items);
        form->addRow(QString::fromUtf8(caption), c);
        return c;
    };
    cbF_UHRADY = combo("Forma úhrady", {QStringLiteral("p.p.")});
    cbKS = combo("KS", {QStringLiteral("0008")});
    cbTYPDPH = combo("Typ DPH", {QStringLiteral("10"), QStringLiteral("13")});
    eKURZ_ZAHR = new QLineEdit(this);
    eMENA = new QLineEdit(this);
    eKURZ_SK = new QLineEdit(this);
    auto *rateRow = new QHBoxLayout;
    rateRow->addWidget(eKURZ_ZAHR);
    rateRow->addWidget(eMENA);
    rateRow->addWidget(new QLabel(QStringLiteral("="), this));
    rateRow->addWidget(eKURZ_SK);
    rateRow->addWidget(new QLabel(QStringLiteral("Eur"), this));
    form->addRow(QStringLiteral("Kurz/Mena"), rateRow);
    lZAKL2 = new QLabel(this);
    lDPH2 = new QLabel(this);
    lZaloha = new QLabel(this);
    form->addRow(QString::fromUtf8("Základ DPH2"), lZAKL2);
    form->addRow(QStringLiteral("DPH2"), lDPH2);
    form->addRow(QString::fromUtf8("Záloha"), lZaloha);
    cbKopirovat = new QCheckBox(QString::fromUtf8("Kopírovať aj položky"), this);
    cbKopirovat->setChecked(true);
    form->addRow(cbKopirovat);
    lExistuje = new QLabel(QString::fromUtf8("Faktúra k tomuto dodaciemu listu už existuje"), this);
    lNovy = new QLabel(QString::fromUtf8("Nový odberateľ"), this);
    lExistuje->hide();
    lNovy->hide();
    form->addRow(lExistuje);
    form->addRow(lNovy);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    const TSaveRow save = AddSaveRow(this, layout, {}, TSaveCaptions::Ok);
    BtnOK = save.Ok;
    BtnCancel = save.Cancel;

    connect(sbNextC_FA, &QPushButton::clicked, this,
            [this] { Guarded([this] { eC_FAKTURY->setText(ProposeInvoiceNumber(eC_FAKTURY->text())); }); });
    connect(BtnOK, &QPushButton::clicked, this, [this] {
        Guarded([this] {
            SetModalResult(mrNone);
            if (Export())
                SetModalResult(mrOk);
        });
    });
    connect(BtnCancel, &QPushButton::clicked, this, [this] { SetModalResult(mrCancel); });
}

void TEFakturaForm::Fill(const TInvoiceValues &v, const QString &invoiceNumber)
{
    cOdb_ = v.COdb;
    eC_FAKTURY->setText(invoiceNumber);
    cDl_ = v.CDl;
    eC_DL->setText(NoteNumberText(v.CDl));
    eICO->setText(v.Ico);
    eODBERATEL->setText(v.COdberatel);
    eC_OBJ->setText(v.CObj);
    eD_OBJ->setText(v.DObj.isValid() ? DateToStr(v.DObj) : QString());
    eDOPRAVA->setText(v.Doprava);
    cbKS->setCurrentIndex(0);
    cbTYPDPH->setCurrentIndex(0);
    if (v.FUhrady.trimmed().isEmpty())
        cbF_UHRADY->setCurrentIndex(0);
    else
        cbF_UHRADY->setEditText(v.FUhrady);
    eDATVYS->SetDate(v.DatumVystavenia);
    eDATSPL->SetDate(v.DatumSplatnosti);
    eDATZDANPLN->SetDate(v.DVystav);
    eKURZ_ZAHR->setText(FloatToStr(v.Kurz));
    eMENA->setText(v.Mena);
    eKURZ_SK->setText(QStringLiteral("1"));
    lZAKL2->setText(amountText(v.Zaklad));
    lDPH2->setText(amountText(v.Dph));
    lZaloha->setText(amountText(v.Zaloha));
    lExistuje->setVisible(!v.CFaktury.isEmpty());
    lNovy->setVisible(v.NewCustomer);
    setWindowTitle(QString::fromUtf8("Faktúra k Dodaciemu listu č. ") + NoteNumberText(v.CDl));
}

namespace {
// The accounting program imports the last invoice from this file in the working folder.
QString exportFile()
{
    return QDir::current().absoluteFilePath(QStringLiteral("export.txt"));
}
} // namespace

TInvoiceExportInput TEFakturaForm::ExportInput() const
{
    TInvoiceExportInput in;
    in.CDl = QString::number(cDl_); // the export takes the stored number
    in.COdberatel = eODBERATEL->text();
    in.Ico = eICO->text();
    in.DatumVystavenia = DateToStr(eDATVYS->CheckedDate());
    in.DatumSplatnosti = DateToStr(eDATSPL->CheckedDate());
    in.DatumZdanPlnenia = DateToStr(eDATZDANPLN->CheckedDate());
    in.CObj = eC_OBJ->text();
    in.TypDph = cbTYPDPH->currentText();
    in.Zaklad = lZAKL2->text();
    in.Dph = lDPH2->text();
    in.KurzZahr = eKURZ_ZAHR->text();
    in.KurzSk = eKURZ_SK->text();
    in.VatRate = vatSetting();
    in.Iban = CompanyList.Values(QStringLiteral("IBAN"));
    in.COdb = cOdb_;
    in.NewCustomer = !lNovy->isHidden();
    in.CopyLines = cbKopirovat->isChecked();
    return in;
}

bool TEFakturaForm::Export()
{
    for (TDateEdit *date : {eDATVYS, eDATSPL, eDATZDANPLN})
        if (!date->CheckDate())
            return false;
    QString error;
    const TInvoiceExportInput input = ExportInput();
    if (InvoiceExportBytes(input, &error).isEmpty()) {
        ShowError(error);
        return false;
    }
    // The file is written only once the database took the invoice: a refused number writes nothing.
    if (StoreNumber)
        eC_FAKTURY->setText(StoreNumber(eC_FAKTURY->text().trimmed()));
    StoreInvoiceDueDate(cDl_, eDATSPL->Date());
    if (WriteInvoiceExport(input, exportFile(), &error))
        return true;
    ShowError(error);
    return false;
}

bool EditInvoice(int cDl, QString &number)
{
    TEFakturaForm &form = FormOnDemand(EFakturaForm);
    const TInvoiceValues values = ReadInvoiceValues(cDl, vatSetting());
    QString proposal = number.trimmed();
    QString proposed;
    if (proposal.isEmpty())
        proposal = proposed = TDMExp::ProposedInvoiceNumber();
    form.Fill(values, proposal);
    form.StoreNumber = [proposed](const QString &typed) {
        DMExp->StoreInvoiceNumber(typed, proposed);
        return DMExp->QEDListy.FieldByName(QStringLiteral("C_FAKTURY"))->AsString().trimmed();
    };
    const bool ok = form.ShowModal() == mrOk;
    form.StoreNumber = nullptr;
    if (!ok)
        return false;
    number = form.eC_FAKTURY->text().trimmed();
    ShowMessage(QString::fromUtf8("Faktúra %1 je zapísaná pre účtovníctvo do súboru\r\n%2")
                    .arg(number, QDir::toNativeSeparators(exportFile())));
    return true;
}

TEFakturaQRRep *PrepareInvoice(int cDl)
{
    if (!EFakturaQRRep)
        CreateReport(EFakturaQRRep, &CompanyList);
    TxQuery &q = DMZal->QTlac;
    q.Close();
    q.SQL().SetText(ExpSql::InvoicePrint(StrToFloatDef(vatSetting(), 0)));
    q.ParamByName(QStringLiteral("c_dl")).SetValue(cDl);
    q.Open();
    EFakturaQRRep->setDataSet(&q);
    return EFakturaQRRep;
}

void PrintInvoice(int cDl)
{
    PrintReport(PrepareInvoice(cDl));
}
