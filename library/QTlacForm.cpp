#include "library/QTlacForm.h"

#include "library/ReportDataExport.h"
#include "library/xQRAsciiExportFilter.h"
#include "platform/os/Exception.h"
#include "platform/os/Folders.h"
#include "platform/report/DataSetCursor.h"
#include "platform/report/QuickRep.h"
#include "platform/ui/BitBtn.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ReportPreview.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPrinter>
#include <QPrinterInfo>
#include <vector>

namespace {

std::vector<std::unique_ptr<TQuickRep>> &applicationReports()
{
    static std::vector<std::unique_ptr<TQuickRep>> reports;
    return reports;
}

QPrinter *&printerInstance()
{
    static QPrinter *printer = nullptr;
    return printer;
}

// Reports and the printer hold fonts and pictures, which must go before the application does.
void freeAtApplicationEnd()
{
    while (!applicationReports().empty())
        applicationReports().pop_back();
    delete printerInstance();
    printerInstance() = nullptr;
    FreeReporty();
}

void registerCleanup()
{
    static bool registered = false;
    if (!registered) {
        qAddPostRoutine(freeAtApplicationEnd);
        registered = true;
    }
}

} // namespace

TQTlacForm::TQTlacForm(QWidget *owner) : TForm(owner)
{
    setObjectName(QStringLiteral("QTlacForm"));
    setWindowTitle(QStringLiteral("Tlač zostavy"));
    Position = poScreenCenter;

    Label1 = new QLabel(QStringLiteral("Tlačiť na tlačiareň ?"), this);
    QFont big = Label1->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.5);
    Label1->setFont(big);
    lTitle = new QLabel(this);
    cbSummary = new QCheckBox(QStringLiteral("Tlačiť len súčtové riadky"), this);
    cbFile = new QCheckBox(QStringLiteral("Upraviť pred tlačou"), this);
    cbJazyk = new QComboBox(this);
    cbJazyk->addItems({QStringLiteral("SK"), QStringLiteral("DE"), QStringLiteral("EN")});
    cbKopie = new QComboBox(this);
    cbKopie->addItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});

    BitBtnTlac = new TBitBtn(this);
    BitBtnTlac->setText(QStringLiteral("&Tlačiareň"));
    BitBtnTlac->SetGlyph(QStringLiteral("btnTlac"));
    BitBtnTlac->SetModalResult(mrYes);
    BitBtnTlac->SetDefault(true);
    BitBtnPozri = new TBitBtn(this);
    BitBtnPozri->setText(QStringLiteral("&Obrazovka"));
    BitBtnPozri->SetGlyph(QStringLiteral("btnLookup"));
    BitBtnPozri->SetModalResult(mrNo);
    BitBtnPozri->SetCancel(true);
    BitBtn1 = new TBitBtn(this);
    BitBtn1->setText(QStringLiteral("&Export"));
    BitBtn1->SetModalResult(mrIgnore);

    auto *grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0, 1, 4);
    grid->addWidget(lTitle, 1, 0, 1, 4);
    grid->addWidget(cbSummary, 2, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Jazyk"), this), 2, 2);
    grid->addWidget(cbJazyk, 2, 3);
    grid->addWidget(cbFile, 3, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Počet kópií"), this), 3, 2);
    grid->addWidget(cbKopie, 3, 3);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(BitBtnTlac);
    buttons->addWidget(BitBtnPozri);
    buttons->addWidget(BitBtn1);
    grid->addLayout(buttons, 4, 0, 1, 4);
    SetTabOrder({cbSummary, cbFile, cbJazyk, cbKopie, BitBtnTlac, BitBtnPozri, BitBtn1});

    connect(cbFile, &QCheckBox::clicked, this, [this] { cbFileClick(); });
}

void TQTlacForm::cbFileClick()
{
    cbJazyk->setEnabled(cbFile->isChecked());
}

TQTlacForm *QTlacForm()
{
    static QPointer<TQTlacForm> form;
    if (!form)
        form = new TQTlacForm(ApplicationMainForm());
    return form;
}

QString LogoFileName()
{
    return ProgramFolder() + QStringLiteral("logo.bmp");
}

QString SignatureFileName()
{
    // Without the folder the name stays relative, to the current folder.
    return AppDataFolder() + QStringLiteral("podpis.jpg");
}

void StampReport(TQuickRep *report, const TStringList *lines, const QString &logoFile, const QString &signatureFile)
{
    if (!report)
        return;
    // Pictures designed into the report stay.
    auto loadInto = [report](const char *name, const QString &file, bool centre) {
        auto *image = report->Find<TQRImage>(QString::fromLatin1(name));
        if (!image || !image->Picture.isNull() || file.isEmpty() || !QFileInfo::exists(file))
            return;
        if (centre) {
            image->Center = true;
            image->Stretch = true;
        }
        image->loadFromFile(file);
    };
    loadInto("QRlogo", logoFile, true);
    if (lines)
        for (int i = 0; i < lines->Count(); ++i) {
            if (!lines->Strings(i).contains(QLatin1Char('=')))
                continue;
            if (auto *label = report->Find<TQRLabel>(QStringLiteral("QR") + lines->Names(i)))
                label->Caption = lines->ValueFromIndex(i);
        }
    loadInto("QRpodpis", signatureFile, false);
}

void AdoptApplicationReport(std::unique_ptr<TQuickRep> report)
{
    registerCleanup();
    applicationReports().push_back(std::move(report));
}

QPrinter &Printer()
{
    registerCleanup();
    if (!printerInstance())
        printerInstance() = new QPrinter(QPrinter::HighResolution);
    return *printerInstance();
}

void PrintOnPrinter(TQuickRep *report)
{
    QPrinter &printer = Printer();
    if (printer.outputFileName().isEmpty()) {
        const QString name = report->PrinterSettings.PrinterName.isEmpty() ? QPrinterInfo::defaultPrinterName()
                                                                           : report->PrinterSettings.PrinterName;
        if (name.isEmpty()) {
            // No printer set up: the print dialog offers the print into a PDF file, as from the preview.
            TReportPreview::PrintInDialog(report, QApplication::activeWindow(), true);
            return;
        }
        printer.setPrinterName(name);
    }
    report->print(printer);
}

namespace {

// The report as plain text in "report.txt" beside the program, in the chosen language, opened in the
// text editor for the user to change and print from there.
void editAsText(TQuickRep *report, int language)
{
    const QString file = ProgramFolder() + QStringLiteral("report.txt");
    std::unique_ptr<TxSlovnik> slovnik;
    TxQRAsciiExportFilter filter(file, language);
    if (language == lngDE || language == lngEN) {
        slovnik = std::make_unique<TxSlovnik>();
        filter.Translate = [&slovnik](const QString &text, int lang) { return slovnik->TranslateText(text, lang); };
    }
    report->exportToFilter(filter);
    if (!OpenInTextEditor(file))
        ShowError(QStringLiteral("Súbor %1 sa nedá otvoriť v textovom editore.").arg(file));
}

} // namespace

bool PrintReport(TQuickRep *report, const QString &title)
{
    TQTlacForm *form = QTlacForm();
    form->lTitle->setText(title.isEmpty() ? report->ReportTitle : title);
    form->cbFile->setChecked(false);
    form->cbSummary->setChecked(false);
    form->cbJazyk->setEnabled(true);
    form->cbJazyk->setCurrentIndex(0);
    form->cbKopie->setCurrentIndex(0);
    form->BitBtnTlac->setFocus();
    // Opened from a modal window it stands above that window, not the main one.
    int result = mrCancel;
    {
        TModalOwnership owned(form);
        result = form->ShowModal();
    }

    bool isNumber = false;
    const int copies = form->cbKopie->currentText().toInt(&isNumber);
    report->PrinterSettings.Copies = isNumber && copies > 0 ? copies : 1;
    if (TQRBand *detail = report->Band(rbDetail))
        detail->Enabled = !form->cbSummary->isChecked();
    const int language = form->cbJazyk->currentIndex();

    if (form->cbFile->isChecked()) {
        editAsText(report, language);
    } else {
        TQuickRep *target = report;
        if (language == lngDE || language == lngEN)
            target = Reporty().TranslatedReport(report, language);
        switch (result) {
        case mrYes:
            PrintOnPrinter(target);
            break;
        case mrNo:
            TReportPreview::Preview(target, ApplicationMainForm());
            break;
        case mrIgnore:
            ChooseExportFile(target->cursor());
            break;
        default:
            break;
        }
    }
    return result == mrYes;
}

bool PrintReportWithDataSet(TQuickRep *report, TDataSet *dataSet)
{
    RegisterDataSetCursor();
    report->setDataSet(dataSet);
    struct Clear {
        TQuickRep *r;
        ~Clear() { r->setDataSet(nullptr); }
    } clear{report};
    return PrintReport(report, QString());
}
