// TESkladForm (global ESkladForm): the finished-goods store as of today over DMExp.QESklad, with the
// hand-overs, delivery notes and orders of the current product, the inventory as of a chosen date, and
// the pick of a stock row for a delivery-note line.
#pragma once

#include "platform/ui/FormGlobal.h"
#include "library/BrowseForm.h"

#include <QDate>

class QLabel;
class QTabBar;
class TBitBtn;
class TESkladQRRep;
class TxDBFilterCombo;
class TxDBGrid;

class TESkladForm : public TBrowseForm {
    Q_OBJECT
public:
    explicit TESkladForm(QWidget *owner = nullptr);
    ~TESkladForm() override;

    TxDBFilterCombo *cbFilter;
    TxDBGrid *DBGridSklad;
    QLabel *lHodnota;
    QTabBar *tcDetail;
    TxDBGrid *DBGridDetail;
    TBitBtn *BtnVyber, *BtnTlac, *BtnKoniec;

    // The stock of today with the filter combo's current entry, and the detail of the current product.
    void OpenStock();
    void ShowDetail(int tab);
    // Asks for the date and prints the inventory of that date.
    void PrintFinishedGoodsInventory();
    // The inventory report of the date (the stock reopened for it, with the current filter, when the
    // date differs from the listed one).
    TESkladQRRep *PrepareInventory(const QDate &date);
    // The value and weight of the listed stock, as the label shows them.
    QString TotalsText() const;

private:
    void attach();
    void detach();
    TESkladQRRep *report_ = nullptr;
};

extern TFormGlobal<TESkladForm> ESkladForm;

// Shows the store as a picker, filtered to the customer or (winning) the order when given; true on
// "Vyber", with DMExp->QESklad on the picked row.
bool PickFromFinishedGoodsStore(const QString &customerText, const QString &orderNo);
// The store for browsing from the main menu.
void ShowFinishedGoodsStore();
