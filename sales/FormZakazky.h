// TFormZakazky (global FormZakazky): the customer orders browser "Zákaznícke objednávky" over
// DMOdbyt.QvZakazky — quick search and sorting, the filter panel, the items, customer, purchase contract and
// delivery notes of the current order, and the actions on an order.
#pragma once

#include "platform/ui/FormGlobal.h"
#include "library/BrowseForm.h"

class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabWidget;
class TColumn;
class TDBComboBox;
class TDBEdit;
class TDBGrid;
class TxDBFilterEdit;
class TxDBFilterPanel;
class TxDBGrid;

class TFormZakazky : public TBrowseForm {
    Q_OBJECT
public:
    explicit TFormZakazky(QWidget *owner = nullptr);
    ~TFormZakazky() override;

    QLabel *LabelRecCount;
    QLineEdit *HlObj, *HlCOdb, *HlOdb, *HlDO;
    TxDBFilterEdit *HlDV;
    TxDBGrid *DBGridZakazky;
    TDBGrid *DBGridPolozky, *DBGridDL;
    TxDBFilterPanel *DBFilter;
    TxDBFilterEdit *xeC_VYR, *xeC_INT, *xeD_OD, *xeD_DO;
    QTabWidget *pcZakazky;
    TDBEdit *DBeC_ZMLUVY;
    TDBComboBox *DBcbBALENIE, *DBcbUHRADA, *DBcbSPLATNOST;
    QPushButton *btnNova, *btnOprav, *btnZmaz, *BitBtnPolozky, *BitBtnIntObj, *btnTlac, *BitBtnTlacIntObj,
        *BitBtnKalkulacia, *btnFilter, *btnKoniec, *BitBtnZmluva, *BitBtnZrusZml, *btnZmluvaCislo;
    QMenu *PopupMenu;

    // Re-sorts the listed orders (the quick-search edits cleared, the filter kept).
    void Resort(const QString &order, const QString &status);
    // After a click on a column title: the count found and the column sorted by.
    void DBGridZakazkyTitleClick(TColumn *column);
    void QuickSearch(QLineEdit *edit, const QString &field);
    // A new order: its header, then its items; the count shown follows.
    void NewOrder();
    // The order from an offer: the offer's number asked, a header with its customer started.
    void Novazponuky1Click();
    void btnZmazClick();
    void btnTlacClick();
    void BitBtnZrusZmlClick();
    void TabChanged();
    void ShowRecordCount(bool blank = false);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

extern TFormGlobal<TFormZakazky> FormZakazky;

// The main menu's customer orders: the browser (made at start) shown modally.
void ShowOrders();
