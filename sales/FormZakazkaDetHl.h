// TFormZakazkaDetHl (global FormZakazkaDetHl): the item dialog "Interná objednávka" over the current row of
// DMOdbyt.QZakazkyD, which its caller put into insert or edit and posts or cancels afterwards.
#pragma once

#include "platform/ui/FormGlobal.h"
#include "platform/ui/Form.h"

class QLabel;
class QPushButton;
class QSpinBox;
class TDBComboBox;
class TDBDateEdit;
class TDBEdit;
class TDBText;

class TFormZakazkaDetHl : public TForm {
    Q_OBJECT
public:
    explicit TFormZakazkaDetHl(QWidget *owner = nullptr);
    ~TFormZakazkaDetHl() override;

    TDBEdit *DBeC_INT, *DBeC_VYR, *DBeMNOZ_OBJ, *DBeMNOZ_VYR, *DBePOZNAMKA;
    TDBDateEdit *DBdTERMIN_OBJ, *DBdTERMIN;
    QLabel *LabelStav, *LabelVyrobok, *LabelRevizia, *LabelReklamacia;
    TDBText *DBtC_INT_RE;
    QPushButton *sbPotvrdenie, *BtnZapis, *BtnNezapis, *ButtonVyrobok;
    QSpinBox *UpDownC_REV;
    TDBComboBox *DBcbUV, *DBcbBALENIE;

    void FormShow();
    void sbPotvrdenieClick();
    void UpDownC_REVClick();
    void DBeC_VYRButtonClick();
    // Leaving the product: the product checked or picked, its name shown, its die's stock and owner warned.
    void DBeC_VYRExit();
    void ButtonVyrobokClick();
    // OK: the row keeps its stored state unless "&Potvrď" changed it (a state moved meanwhile is not undone),
    // and is posted; a refusal keeps the dialog open.
    void BtnZapisClick();
    // Whether the revision was raised in this showing.
    bool RevisionRaised() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showState();
    // What OK stores, also on the close question's Áno.
    void postItem();
    bool stateToggled_ = false;
};

extern TFormGlobal<TFormZakazkaDetHl> FormZakazkaDetHl;

// Shows the dialog on the current item (in insert or edit); true when closed with OK (the row posted).
bool EditOrderItem();
