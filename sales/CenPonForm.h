// TCenPonForm (global CenPonForm): the offers browser "Cenové ponuky" over DMOdbyt.QCenPon — the filter
// combo (kept to offers), the items and header of the current offer, new, edit, delete and print.
#pragma once

#include "library/BrowseForm.h"

class QPushButton;
class QTabWidget;
class TDBText;
class TxDBFilterCombo;
class TxDBGrid;

class TCenPonForm : public TBrowseForm {
    Q_OBJECT
public:
    explicit TCenPonForm(QWidget *owner = nullptr);
    ~TCenPonForm() override;

    TxDBGrid *DBGridCenPon, *DBGridCenPonD;
    TxDBFilterCombo *filterCenPon;
    QTabWidget *pcCenPon;
    QPushButton *BtnNovy, *BtnOprav, *BtnZmaz, *BtnTlac, *BtnKoniec;

    void BtnNovyClick();
    void BtnOpravClick();
    void BtnZmazClick();
    void BtnTlacClick();
};

extern TCenPonForm *CenPonForm;

// The main menu's offers: the browser shown modally.
void ShowOffers();
