// TEFakturaForm: the invoice dialog of a delivery note (base, VAT, advance, dates, payment form); on OK
// it writes the invoice into the accounting program's "export.txt" in the working folder. EditInvoice
// and PrintInvoice are what the delivery-note browser calls.
#pragma once

#include "InvoiceExport.h"
#include "platform/ui/Form.h"

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TBitBtn;
class TDateEdit;

class TEFakturaForm : public TForm {
    Q_OBJECT
public:
    explicit TEFakturaForm(QWidget *owner = nullptr);

    QLineEdit *eC_DL, *eC_FAKTURY, *eC_OBJ, *eD_OBJ, *eDOPRAVA, *eODBERATEL, *eICO;
    TDateEdit *eDATVYS, *eDATSPL, *eDATZDANPLN;
    QLineEdit *eKURZ_ZAHR, *eMENA, *eKURZ_SK;
    QPushButton *sbNextC_FA;
    QComboBox *cbF_UHRADY, *cbKS, *cbTYPDPH;
    QLabel *lZAKL2, *lDPH2, *lZaloha, *lExistuje, *lNovy;
    QCheckBox *cbKopirovat;
    TBitBtn *BtnOK, *BtnCancel;

    // Fills the dialog from the note's values.
    void Fill(const TInvoiceValues &values, const QString &invoiceNumber);
    // What the export writes, from the dialog's texts; the dates as the edits read them (EConvertError for
    // one that does not exist).
    TInvoiceExportInput ExportInput() const;
    // Checks the dialog's values, stores the invoice number (StoreNumber) and the due date, then writes
    // "export.txt"; false (with the reason shown) leaves the dialog open. A date that does not exist is
    // refused first, with the focus back in its edit; a refused number throws and writes nothing.
    bool Export();
    // Stores the typed invoice number with the note and returns the number stored (the next free one when
    // the one proposed was taken meanwhile); throws when the number is refused.
    std::function<QString(const QString &typed)> StoreNumber;

private:
    int cOdb_ = 0;
    int cDl_ = 0;
};

// The invoice dialog for the note, the current one of DMExp's notes; true on OK: the invoice number (the
// one proposed when the note had none, else number) and the due date stored with the note, then the export
// written, and number set to the number stored.
bool EditInvoice(int cDl, QString &number);
// Prints the invoice of the note through the print dialog.
void PrintInvoice(int cDl);
// The invoice report over the note's rows on the print query (made on first use).
class TEFakturaQRRep;
TEFakturaQRRep *PrepareInvoice(int cDl);
// The invoice dialog while it exists (made on first use).
extern TEFakturaForm *EFakturaForm;
