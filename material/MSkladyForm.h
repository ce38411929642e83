// TMSkladyForm (global MSkladyForm): the stock of material or tools as of today, with the details of the
// current row on tabs (item, mould data, movements, purchase orders, products, jobs) and its prints.
#pragma once

#include "platform/ui/FormGlobal.h"
#include "library/BrowseForm.h"

class QLabel;
class QMenu;
class QPushButton;
class QTabWidget;
class TDBText;
class TxDBFilterCombo;
class TxDBFilterEdit;
class TxDBGrid;
class TxDBImage;

class TMSkladyForm : public TBrowseForm {
    Q_OBJECT
public:
    explicit TMSkladyForm(QWidget *owner = nullptr);
    ~TMSkladyForm() override;

    TxDBFilterEdit *eSklad, *ePolozka, *eTyp, *eNazov, *eRozmer;
    TxDBFilterCombo *cbFilter;
    TxDBGrid *Grid;
    QTabWidget *Tabs;
    QWidget *tsMaterial, *tsKokila, *tsPohyby, *tsObjednavky, *tsVyrobky, *tsZakazky;
    TxDBGrid *KokilaGrid, *PohybyGrid, *DetailGrid[3];
    QPushButton *btnVyuzitie, *btnNovyPohyb, *btnOpravPohyb, *btnZmazPohyb, *BtnTlac, *BtnKoniec;
    // The movements' pop-up: returns, the receipt price, the stock documents.
    QMenu *PohybyMenu;
    QLabel *lSpolu;
    // The item's picture on "Materiál"; the selected product's beside the products on "Výrobky".
    TxDBImage *ObrazokMaterial, *ObrazokVyrobku;

    // The store type the form shows ('M' material, 'N' tools).
    QString StoreType;
    // Reorders the stock by the order (reopening only when it differs).
    void Reorder(const QString &order);
    // Fills the chosen tab (the previous detail is detached and closed first).
    void ShowTab(int index);
    void CloseDetails();
    void ToolUsage();
    void Print();
    void NewMovement();
    void EditMovement();
    void DeleteMovement();
};

extern TFormGlobal<TMSkladyForm> MSkladyForm;

// Shows the stores of a type as of today, captioned by the type.
void ShowStores(const QString &storeType);
