// TMPoziadavkyForm: the material requests of the open jobs (in detail, summed per item with the metal
// still to be cast, and the items below their minimum stock); reserving, ordering and marking requests
// done, and picking rows for a purchase order.
#pragma once

#include "MaterialRules.h"
#include "library/BrowseForm.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class TDataSet;
class TxDBGrid;

class TMPoziadavkyForm : public TBrowseForm {
    Q_OBJECT
public:
    explicit TMPoziadavkyForm(QWidget *owner = nullptr);
    ~TMPoziadavkyForm() override;

    QLineEdit *eSklad, *eTyp2, *eObjednavka;
    QCheckBox *cbNizsie;
    QTabWidget *Tabs;
    TxDBGrid *GridDetail, *GridSumar, *GridMinimum;
    QLabel *lHodnota;
    QPushButton *btnAktualizuj, *btnRezervuj, *btnObjednaj, *btnVybavena, *btnPrevziat[3], *BtnKoniec;

    int Supplier = 0;
    QString JobFilter;

    TRequestFilter Filter() const;
    // Reruns the active tab with the filter.
    void Rerun();
    void Rebuild();
    void Reserve(bool order);
    void MarkDone();
    // The grid of the active tab.
    TxDBGrid *ActiveGrid() const;
};

// The value of the summary's missing material: over the rows whose stock is below the request,
// (requested - stock) x calculated price.
double MissingMaterialValue(TDataSet &summary);

// Browses the requests; the job filter (a WHERE text over vZakazkyD) narrows the request tabs.
extern TMPoziadavkyForm *MPoziadavkyForm;

void ShowMaterialRequests(const QString &jobFilter);
// Picks rows for a purchase order of the supplier (0: any); the grid whose marked rows were taken, or
// null when the user did not take any.
TxDBGrid *PickMaterialRequests(int supplier);
