// TMPolozkyForm: the list of material and tool items (never products) with quick search and the history
// of the current item; TMPolozkyDForm: the item card with its store rows, picture and mould data, saved
// all or nothing.
#pragma once

#include "library/BrowseForm.h"
#include "platform/ui/Form.h"

class QComboBox;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabWidget;
class QWidget;
class TBitBtn;
class TDBComboBox;
class TDBEdit;
class TxDBEdit;
class TxDBGrid;
class TxDBImage;

class TMPolozkyDForm : public TForm {
    Q_OBJECT
public:
    explicit TMPolozkyDForm(QWidget *owner = nullptr);

    QTabWidget *Tabs;
    QWidget *tsVseobecne, *tsSklady, *tsObrazok, *tsKokila;
    TDBEdit *eCPol, *eNazov, *eRozmer;
    TxDBEdit *eCenaNakl, *eCenaKalk, *eMajitel;
    TDBComboBox *cbTyp1, *cbTyp2, *cbMJ;
    TxDBGrid *SkladyGrid;
    TxDBImage *Obrazok;
    QMenu *PictureMenu;
    QPushButton *btnCislo, *btnNovySklad, *btnZmazSklad;
    TBitBtn *BtnOK, *BtnCancel;

    // The mould tab is shown only for the sub-kinds K and M.
    void ShowMouldTab();
    bool MouldKind() const;
    // OK: everything saved at once; an error keeps the card open with its message.
    void Save();
    // The owner button: a customer picked by the typed name into C_ODB and MAJITEL.
    static void PickOwner();
    void NewStoreRow();
    void DeleteStoreRow();
};

class TMPolozkyForm : public TBrowseForm {
    Q_OBJECT
public:
    explicit TMPolozkyForm(QWidget *owner = nullptr);
    ~TMPolozkyForm() override;

    QLineEdit *eCislo, *eNazov, *eTyp2, *eRozmer;
    QComboBox *cbTyp1;
    TxDBGrid *Grid;
    QTabWidget *Tabs;
    // The current item's data.
    QWidget *tsPolozka;
    TxDBGrid *DetailGrid;
    QPushButton *btnNova, *btnKopia, *btnOprav, *btnZmaz, *BtnKoniec;
    TMPolozkyDForm *Card;

    // Rebuilds the list's filter: fields matched by prefix or anywhere, kind and sub-kind.
    void ApplyItemQuickSearch(const QStringList &fields, const QStringList &values, bool prefix);
    void ShowTab(int index);
    void NewItem();
    void CopyItem();
    void EditItem();
    void DeleteItem();
};

// Shows the card over the current item (appended or in edit); its result.
int EditMaterialItem(TMPolozkyDForm *card);
extern TMPolozkyForm *MPolozkyForm;

void ShowMaterialItems();
