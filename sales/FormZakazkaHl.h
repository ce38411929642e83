// TFormZakazkaHl (global FormZakazkaHl): the order header dialog over DMOdbyt.QvZakazky; EditOrderHeader
// shows it on a new or the current order and posts it on OK.
#pragma once

#include "platform/ui/FormGlobal.h"
#include "platform/ui/Form.h"

class QLabel;
class QPushButton;
class TDBComboBox;
class TDBDateEdit;
class TDBEdit;
class TDBMemo;
class TDBText;

class TFormZakazkaHl : public TForm {
    Q_OBJECT
public:
    explicit TFormZakazkaHl(QWidget *owner = nullptr);
    ~TFormZakazkaHl() override;

    TDBEdit *DBeC_OBJ, *DBeC_ODB, *DBeZALOHA;
    TDBText *DBtODBERATEL;
    TDBDateEdit *DBdD_OBJ, *DBdD_VYSTAV;
    TDBMemo *DBmPOZNAMKA;
    TDBComboBox *DBcbVYSTAVIL, *DBcbF_UHRADY, *DBcbMENA, *DBcbDOD_PODM, *DBcbDOPRAVA, *DBcbTECH_PODM, *DBcbPLAT_PODM;
    QLabel *LabelOdberatel;
    QPushButton *BtnZapis, *BtnNezapis, *ButtonOdberatel;

    // Leaving the customer number: the number checked or picked; a failed pick returns the focus.
    void DBeC_ODBExit();
    void DBeC_ODBButtonClick();
    void ButtonOdberatelClick();
    // OK: the header posted; a refusal keeps the dialog open with everything typed.
    void BtnZapisClick();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

extern TFormGlobal<TFormZakazkaHl> FormZakazkaHl;

// Edits the header of the order (a new one when the number is empty); the posted number written back.
bool EditOrderHeader(QString &order);
