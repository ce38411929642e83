// TMPohybDForm (global MPohybDForm): the dialog of one stock movement over the current row of QMPohyby:
// kind list, store, item with its price, quantity signed by the kind on OK, document number button, job.
#pragma once

#include "platform/ui/FormGlobal.h"
#include "platform/ui/Form.h"

class QComboBox;
class QMenu;
class QPushButton;
class TBitBtn;
class TDBEdit;
class TDBLookupCombo;
class TDataSet;
class TxDBGrid;

class TMPohybDForm : public TForm {
    Q_OBJECT
public:
    explicit TMPohybDForm(QWidget *owner = nullptr);
    ~TMPohybDForm() override;

    TDBLookupCombo *eSklad; // the stores' code list, opened when the dialog shows
    TDBEdit *eDatum, *eVystavil, *eCPol, *eMnozstvo, *eCDokladu, *eStredisko, *eCInt, *eDatum2, *ePoznamka, *eMnozVyr,
        *eCena;
    QComboBox *cbTypPohybu;
    QPushButton *btnDoklad, *btnPolozka;
    TBitBtn *BtnOK, *BtnCancel;

    // The kind list set to the row's kind before showing (none for another kind).
    void ShowKind();
    // Choosing an entry writes its first two characters into TYP_POHYBU.
    void KindChosen(int index);
    // The item pick; a chosen item's purchase price becomes the movement's price.
    void PickItem();
    // Leaving the job: a job above 0 is looked up; for a return from production its quantity made. A number
    // retyped to no job clears that quantity and is refused.
    void PickJob();

private:
    // What OK and the close question's Áno store: the quantity signed by the chosen kind, then the post; an
    // error keeps the dialog open.
    void store();
    int heldJob_ = 0; // the job whose quantity made the movement shows
};

extern TFormGlobal<TMPohybDForm> MPohybDForm;

// Shows the dialog over the current movement (appended or in edit); OK stores the sign and posts,
// anything else cancels. Returns the modal result.
int EditStockMovement();
// Appends a movement of the kind, document number, item and quantity and edits it; number := the row's
// document number afterwards (so several lines share one document).
int NewStockMovementForDocument(int kind, int &number, const QString &item, double quantity);

// The pop-up of a grid of movements (QMPohyby): "Vrátenie z výroby" and "Vrátenie z opravy" of a lending or
// an issue to repair, "Cena príjmu", and the stock document of the movement's month or day.
QMenu *AddMovementMenu(TxDBGrid *grid);
// The return of the current movement of fromKind as a new movement of toKind, edited in the dialog; on a
// movement of another kind nothing happens.
void ReturnStockMovementInDialog(int fromKind, int toKind);
// A new price of the current receipt from a supplier at most 40 days old, asked for and posted.
void ChangeReceiptPrice();
