// TMPohybyForm: the stock movements of a period by store, kind, item, job and item type, in three
// detail views (edited through the movement dialog) and three summaries, with their prints.
#pragma once

#include "MaterialRules.h"
#include "library/BrowseForm.h"

class QComboBox;
class QLineEdit;
class QMenu;
class QPushButton;
class TxDBGrid;

class TMPohybyForm : public TBrowseForm {
    Q_OBJECT
public:
    explicit TMPohybyForm(QWidget *owner = nullptr);
    ~TMPohybyForm() override;

    QLineEdit *eOd, *eDo, *eSklad, *eTyp, *ePolozka, *eZakazka, *eTyp2;
    QComboBox *cbPohlad;
    TxDBGrid *Grid;
    // Returns, the receipt price and the stock documents of the current movement.
    QMenu *PohybyMenu;
    QPushButton *BtnFilter, *btnNovy, *btnOprav, *btnZmaz, *BtnTlac, *BtnKoniec;

    TMovementFilter Filter() const;
    // Builds the condition and shows the chosen view.
    void BuildMovementQuery();
    bool DetailView() const;
    void NewMovement();
    void EditMovement();
    void DeleteMovement();
    void Print();
};

extern TMPohybyForm *MPohybyForm;

void ShowStockMovements();
