// TZakKalkForm (global ZakKalkForm): the modal calculation dialog of one job over the calculation data
// sets of the sales module; ShowCalculation opens, seeds, shows and stores it.
#pragma once

#include "platform/ui/Form.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QTabWidget;
class QToolButton;
class TBitBtn;
class TDBLookupCombo;
class TDBEdit;
class TDBGrid;
class TDBText;

class TZakKalkForm : public TForm {
    Q_OBJECT
public:
    explicit TZakKalkForm(QWidget *owner = nullptr);
    ~TZakKalkForm() override;

    QTabWidget *pcZakKalk;
    TDBLookupCombo *DBcbCMaterialov;
    TDBLookupCombo *DBcbCStatov;
    TDBGrid *DBGridOp;
    TDBGrid *DBGridOVN;
    TDBGrid *DBGridMIM;
    TDBGrid *DBGridOperacie;
    TDBGrid *DBGridKusovnik;
    QLabel *lCENA_PRED;
    QLabel *lZmena_Ceny_mat;
    QLabel *lMZD1c;
    QLineEdit *eCENA1c;
    QToolButton *btnPocitajOdUVN1;
    QToolButton *btnPocitajOdCENA_KURZ1;
    QCheckBox *cbAktualizovatVyrobok;
    TBitBtn *BtnZapis;
    TBitBtn *BtnNezapis;

    // The data-aware edit or text of a header field ("VAHA1"), null when the dialog has none.
    QWidget *FieldControl(const QString &fieldName) const;

    // The job being shown (negative for an offer item).
    int Job = 0;

    void btnPocitajOdUVN1Click();
    void btnPocitajOdCENA_KURZ1Click();
    void eCENA1cExit();
    // OK: stores the calculation; a refused save keeps the dialog open with everything typed.
    void BtnZapisClick();

private:
    void addHeaderField(class QFormLayout *layout, const char *field, const QString &caption, bool editable);
    QList<QWidget *> headerControls_;
    bool targetPriceTyped_ = false;
};

extern TZakKalkForm *ZakKalkForm;

// Opens the calculation of the job in the dialog, seeded when new, and stores it on OK.
void ShowCalculation(int job);
