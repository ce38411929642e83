// TSPoziadavkyForm (global SPoziadavkyForm): the open requirements for products to be made ("Požiadavky na
// výrobu"), grouped by job, customer order or item, rebuilt from the open jobs on request.
#pragma once

#include "platform/ui/Form.h"

class QPushButton;
class TDBGrid;
class TRadioGroup;

class TSPoziadavkyForm : public TForm {
    Q_OBJECT
public:
    explicit TSPoziadavkyForm(QWidget *owner = nullptr);
    ~TSPoziadavkyForm() override;

    TDBGrid *DBGridMPoziadDet;
    QPushButton *btnPrepis;
    TRadioGroup *rgZoskupit;

    // Lists the requests in the chosen grouping.
    void ShowRequests();
    // Rebuilds the requests, then lists them.
    void btnPrepisClick();
};

extern TSPoziadavkyForm *SPoziadavkyForm;

void ShowProductionRequests();
