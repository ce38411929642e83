// TZakRekForm (global ZakRekForm): the browser of the complaint protocols of the last 365 days with its
// filter edits; ShowComplaints opens it.
#pragma once

#include "library/BrowseForm.h"

class QPushButton;
class TDBGrid;
class TxDBFilterEdit;

class TZakRekForm : public TBrowseForm {
    Q_OBJECT
public:
    explicit TZakRekForm(QWidget *owner = nullptr);

    TDBGrid *DBGridZakRek;
    TxDBFilterEdit *eC_VYR, *eC_INT, *eODBERATEL;
    QPushButton *BtnNovy, *BtnOprav, *BtnZmaz, *BtnTlac, *btnIntObj, *BtnKoniec;

    void BtnNovyClick();
    void BtnOpravClick();
    void BtnZmazClick();
    void btnIntObjClick();
};

extern TZakRekForm *ZakRekForm;

void ShowComplaints();
