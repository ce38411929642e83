// TVyrobkyDForm (global VyrobkyDForm): the product dialog over DMTPV: the product's data, its technology
// route, bill of materials with the structure tree, stored and current calculation and picture.
// RunProductDialog runs it on the current product; EditProduct on one product by its number.
#pragma once

#include "platform/ui/FormGlobal.h"
#include "platform/ui/Form.h"

class QLabel;
class QMenu;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;
class TBitBtn;
class TDBComboBox;
class TDBGrid;
class TDBLookupCombo;
class TxDBEdit;
class TxDBImage;
class TxDBMemo;

class TVyrobkyDForm : public TForm {
    Q_OBJECT
public:
    explicit TVyrobkyDForm(QWidget *owner = nullptr);

    TxDBEdit *DBeC_POL;
    TBitBtn *btnNextC_POL;
    TxDBEdit *DBeNAZOV;
    TxDBMemo *DBmPOPIS;
    TDBLookupCombo *DBlcbMATERIAL;
    TDBComboBox *DBcbMJ, *DBcbVYSTAVIL;
    QTabWidget *pcVyrobok;
    QWidget *TabDalsie, *TabOperacie, *TabKusovnik, *TabKalk;
    TxDBImage *DBImage;
    QMenu *PictureMenu;
    TDBGrid *DBGridOperacie, *DBGridKusovnik;
    QMenu *OperationMenu;
    QTreeWidget *tvKusovnik;
    // The calculation tab: stored, current and difference of each row.
    QLabel *lUlozena[6], *lAktualna[6], *lRozdiel[6];
    TBitBtn *BtnZapis1, *BtnNezapis1;

    // The calculated price when the dialog opened; -1 after a route change, -2 after a BOM change.
    double PriceAtStart = 0;

    void btnNextC_POLClick();
    void TabKusovnikShow();
    void FillBomTree(QTreeWidgetItem *root);
    void ShowProductCalculation();
    void mnuNovaOperaciaClick();
    void mnuOpravOperaciuClick();
    void mnuZmazOperaciuClick();
    void DBgridKusovnikEditButtonClick();
    void DBGridOperacieEditButtonClick();
    void LoadPictureFromFile(const QString &path);

private:
    // OK: saves the product with its details (all or nothing); a refused save keeps the dialog open.
    void saveProduct();
    QList<QWidget *> productControls_;
};

extern TFormGlobal<TVyrobkyDForm> VyrobkyDForm;

// Runs the dialog on the current product of DMTPV.QPolozky (put into insert or edit by the caller); after
// a save asks about the open jobs' unit times and the price recalculation. True when saved.
bool RunProductDialog();
// Runs it on the product of that number; a product that does not exist is reported, nothing is added.
bool EditProduct(const QString &product);
