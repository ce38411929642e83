// TSPlanPraceForm (global SPlanPraceForm): the work plan ("Plán práce"): the planned operations of a period
// starting up to a day, where the foreman assigns employee, machine and note, refreshes the planned pieces
// from what remains and prints job tickets.
#pragma once

#include "platform/ui/Form.h"

#include <memory>

class QAction;
class TBtnKoniec;
class TDateEdit;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class TxDBGrid;
class TSPlanQR2Rep;

class TSPlanPraceForm : public TForm {
    Q_OBJECT
public:
    explicit TSPlanPraceForm(QWidget *owner = nullptr);
    ~TSPlanPraceForm() override;

    QComboBox *vOBDOBIE;
    TDateEdit *vZACIATOK;
    QLineEdit *vOPERACIA;
    QCheckBox *cbNeukonceneOperacie;
    TxDBGrid *DBgSPlan;
    QPushButton *btnAktualizujMnozstva, *btnTlac;
    TBtnKoniec *BtnKoniec;
    QAction *actTlacSprievodky;

    void Filter();
    // Reads the plan when it is not listed (its reading was refused), before any work on its rows.
    void ListPlan();
    void btnAktualizujMnozstvaClick();
    void PrintTicket();
    // Prints the daily sheet (its two labels cleared).
    void PrintWorkPlan();
    TSPlanQR2Rep &Report();

private:
    std::unique_ptr<TSPlanQR2Rep> report_;
};

extern TSPlanPraceForm *SPlanPraceForm;

void ShowWorkPlan();
