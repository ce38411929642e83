// TVyrobkyCennikForm (global VyrobkyCennikForm): the price list "Cenník výrobkov" of the products the
// browser lists — their prices, and their stored against their current calculations — with print,
// copying and the update of the stored calculations.
#pragma once

#include "platform/ui/Form.h"

class QPushButton;
class QTabWidget;
class TxDBGrid;

class TVyrobkyCennikForm : public TForm {
    Q_OBJECT
public:
    explicit TVyrobkyCennikForm(QWidget *owner = nullptr);
    ~TVyrobkyCennikForm() override;

    QTabWidget *pcCennik;
    TxDBGrid *DBGridVseobecny, *DBGridKalkulacia;
    QPushButton *BtnTlac, *btnZavriet, *btnClipboard, *btnAktKalk;

    // The second tab shows the price list of the listed products.
    void pcCennikChange();
    TxDBGrid *VisibleGrid() const;
    void BtnTlacClick();
    void btnClipboardClick();
    // After a Yes, the stored calculations of the listed products are recalculated.
    void btnAktKalkClick();
};

extern TVyrobkyCennikForm *VyrobkyCennikForm;

// Shows the price list modally.
void ShowPriceList();
