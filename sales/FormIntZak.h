// TFormIntZak (global FormIntZak): the internal orders browser "Interné Objednávky/Zákazky" — the order items
// as production jobs across all orders, filtered by period, product, customer, order, job, material, state
// and complaints, with ready-made views, totals, the printed lists, the material requests of the listed jobs
// and the norm hours still to be worked, by workplace, profession or operation.
#pragma once

#include "platform/ui/FormGlobal.h"
#include "tIntZakForm.h"

#include <QDate>
#include <memory>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QTableWidget;
class QTabWidget;
class TMaskEdit;
class TRadioGroup;
class TxDBGrid;
class TCellFont;
class TDataSet;
class TQRPlanZak;
struct TInternalOrderFilter;

class TFormIntZak : public TtIntZakForm {
    Q_OBJECT
public:
    explicit TFormIntZak(QWidget *owner = nullptr);
    ~TFormIntZak() override;

    TxDBGrid *DBGridZakazkyD;
    QLabel *LabelCount, *LabelCelkovaVaha, *LabelCelkovaCena, *LabelCelkoveNHod;
    QLabel *LabelC_VYR, *LabelC_ODB, *LabelC_INT;
    QComboBox *cbTriedenie, *cbPohlad, *vMATERIAL, *vSTAV_ZAK;
    QTabWidget *pcFilter;
    QWidget *TabSheetFilter, *TabSheetTlac, *TabSheetKapacity;
    QLineEdit *vC_VYR, *vC_ODB, *vC_OBJ, *vC_INT;
    QCheckBox *cbObdobie, *cbSklzy, *cbReklamacie;
    TMaskEdit *vOd, *vDo;
    QPushButton *btnFilter, *btnTlac;
    QListWidget *ListBoxTlac;
    TRadioGroup *rgKapacity;
    QTableWidget *sgKapacity;
    QMenu *popupIntZak;
    QAction *mnuJeOdv, *mnuJeUko;

    // Kept between showings: the job the list was opened for (0: none) and the lowest state listed.
    int JobFilter = 0;
    int LowestState = 1;
    // The period the last built filter covers, for the printed plan.
    QString PeriodText;

    // Opens the browser for a field and its value ("C_OBJ", "C_INT", "C_VYR", "STAV_ZAK"; else all jobs
    // of the period) and shows it modally.
    void Open(const QString &field, const QString &value);
    // The list's WHERE from the filter controls (the period text updated).
    QString BuildFilter();
    // Writes the WHERE when it changed; the list is then shown again when it was open or reopen is set.
    void ApplyFilter(bool reopen);
    // Opens the list, shows its count and totals and refreshes a shown capacity tab.
    void ShowTotals();
    void SetSort(const QString &order);

    void btnFilterClick();
    void cbTriedenieChange();
    void cbPohladChange();
    void cbSklzyClick();
    void btnTlacClick();
    void ShowCapacity();
    void MarkCurrent(bool finished);

    // The look of a job's row: open jobs bold, complaint jobs italic, cancelled ones grey; an open job
    // overdue on a red ground, due within three days on a yellow one.
    static void JobCellProp(TDataSet *ds, const QDate &today, TCellFont &font, QColor &background);

private:
    TInternalOrderFilter filterOfControls() const;
    int currentJob();
    void refreshList();
    void printJobs(const QString &where);
    // The sales plan made at start, or one of this form's own when the start did not make it.
    TQRPlanZak &planReport();

    // The plan this form made, which goes with the form rather than outliving the program's run.
    std::shared_ptr<TQRPlanZak> ownPlanReport_;
};

extern TFormGlobal<TFormIntZak> FormIntZak;

// The main menu's and the other browsers' internal orders: field and value as TFormIntZak::Open takes them.
void ShowInternalOrders(const QString &field, const QString &value);
