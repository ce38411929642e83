// TFormZakazkaDet (global FormZakazkaDet): the items (production jobs) of the current order of
// DMOdbyt.QvZakazky with the job detail tabs below; the item commands and their pop-up menu, which the
// orders browser shares, and the colouring of item rows.
#pragma once

#include "platform/ui/FormGlobal.h"
#include "tIntZakForm.h"

class QMenu;
class QPushButton;
class TCellFont;
class TDataSet;
class TField;

class TFormZakazkaDet : public TtIntZakForm {
    Q_OBJECT
public:
    explicit TFormZakazkaDet(QWidget *owner = nullptr);
    ~TFormZakazkaDet() override;

    TDBGrid *DBGridZakazkyD;
    QPushButton *BitBtnKalkulacia, *BtnTlac, *btnNova, *btnOprav, *btnZmaz, *btnKoniec;
    QMenu *PopupMenuZakazkyD;

    void btnNovaClick();
    void Reklamacia1Click();
    void Rekprotokol1Click();
    void btnOpravClick();
    void btnZmazClick();
    void BitBtnKalkulaciaClick();
    void BtnTlacClick();
    void TlacPreskObjClick();
    // Prints the current item's internal order and reads the item again (printing moves its state).
    void TlacIntObjClick();
    void TlacIntObjODV1Click();
    void TlacSprievodkuClick();
    void Vyrobok1Click();
    void JeUkoncena1Click();
    void JeStornovana1Click();
    // The product column's button: the product picked and posted at once; a cancelled pick cancels.
    void DBGridZakazkyDEditButtonClick();

    // The colour of an item row by its state; a complaint item in italics.
    static void ItemCellProp(TDataSet *dataSet, TCellFont &font);
};

extern TFormGlobal<TFormZakazkaDet> FormZakazkaDet;

// Shows the items of the current order (the caller positions the header).
void ShowOrderItems(const QString &order);
