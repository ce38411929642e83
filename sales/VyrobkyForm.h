// TVyrobkyForm (global VyrobkyForm): the products browser "Výrobky" over DMTPV.QPolozky — quick search,
// filter panel, the product's details on tabs, the copy of a product, the printed list and the price list.
#pragma once

#include "library/BrowseForm.h"

#include <memory>

class QLineEdit;
class QMenu;
class QTabWidget;
class TDBGrid;
class TQRTlacVyrobky;
class TxDBFilterEdit;
class TxDBFilterPanel;
class TxDBGrid;
class QPushButton;

class TVyrobkyForm : public TBrowseForm {
    Q_OBJECT
public:
    explicit TVyrobkyForm(QWidget *owner = nullptr);
    ~TVyrobkyForm() override;

    QLineEdit *HlC_POL, *HlNVyr, *HlCVyk, *HlRozmer;
    TxDBGrid *DBGridVyrobky;
    QPushButton *btnNovyVyr, *btnOpravVyr, *btnZmazVyr, *btnTlacVyr, *BitBtnIntObj, *btnCennikVyr, *btnFilterVyr,
        *btnZavriet;
    QMenu *PopupMenu;
    TxDBFilterPanel *FilterPanel;
    TxDBFilterEdit *eC_ODB, *eMATERIAL;
    QTabWidget *pcVyrobky;
    // The grids of the tabs after the first, on DMZal.DSQuery1.
    QList<TDBGrid *> TabGrids;

    // All products, ordered by the field; the quick-search edits are cleared.
    void SortProducts(const QString &field);
    void NewProduct();
    // Copies the current product to a number asked for ("Kopírovanie položky").
    void NovyKopia1Click();
    void EditCurrentProduct();
    void DeleteCurrentProduct();
    void PrintList();
    void ShowInternalOrdersOfProduct();
    void pcVyrobkyChange();
    TQRTlacVyrobky *ListReport();

private:
    void runProductDialog();
    std::unique_ptr<TQRTlacVyrobky> report_;
};

extern TVyrobkyForm *VyrobkyForm;

// The main menu's products: the browser shown modally, all products listed, focus on the number search.
void ShowProducts();
