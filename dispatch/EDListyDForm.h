// TEDListyDForm: the delivery-note dialog over DMExp's current header and its cached lines: header
// fields with the customer and order picks, the lines with picks from the store and of jobs, and F12,
// which reads a job's barcode into a new line (or, on an empty note, the job's order).
#pragma once

#include "platform/ui/Form.h"

class QMenu;
class QPushButton;
class TBitBtn;
class TDBComboBox;
class TDBEdit;
class TDBText;
class TxDBGrid;

class TEDListyDForm : public TForm {
    Q_OBJECT
public:
    explicit TEDListyDForm(QWidget *owner = nullptr);

    TDBEdit *DBeC_ODB, *DBeC_OBJ, *DBeD_OBJ, *DBeD_VYSTAV, *DBeKURZ, *DBePATA_DL;
    TDBText *DBeODBERATEL;
    QPushButton *BtnOdberatel, *BtnObjednavka;
    TDBComboBox *DBcbDOPRAVA, *DBcbVYSTAVIL, *DBcbMENA, *DBcbPREVZAL;
    TxDBGrid *DBGridPolozky;
    QMenu *PopupMenu;
    TBitBtn *BtnZapis, *BtnNezapis1, *BtnNovy, *BtnZmaz;

    // F12: a job number read as a barcode.
    void ReadJobBarcode();
    void PickFromStore();
    void PickJob();
    void JobInfo();
    void Save();
    void Discard();
    void NewLine();
    void DeleteLine();

protected:
    void KeyDown(int &key, Qt::KeyboardModifiers modifiers) override;

private:
    // What Zapíš stores, also on the close question's Áno.
    void store();
    void lineInEdit();
    void toQuantityColumn();
};

extern TEDListyDForm *EDListyDForm;
