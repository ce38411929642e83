// TSPlanForm (global SPlanForm): the capacity plan ("Kapacitný plán výroby"): the operations not yet planned,
// the planned ones of a period and a calendar of the day plan, in six views; it starts the scheduler for a
// job or one operation, deletes plan rows and estimates the staff needed.
#pragma once

#include "CalendarArray.h"
#include "platform/ui/Form.h"

#include <memory>
#include <vector>

class QAction;
class TBtnKoniec;
class QComboBox;
class TDateEdit;
class TDropDownComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;
class TDBGrid;
class TRadioGroup;
class TSPlanQR1Rep;
class TListTotal;

class TSPlanForm : public TForm {
    Q_OBJECT
public:
    explicit TSPlanForm(QWidget *owner = nullptr);
    ~TSPlanForm() override;

    TRadioGroup *rgPohlad;
    TDateEdit *vTermin = nullptr; // the event filter sees events from the start
    QLineEdit *vOPERACIA, *vPRACOVISKO, *vPROFESIA;
    QLineEdit *eDni, *eZam, *eZmeny;
    QLabel *lHod, *lNormoHodiny;
    QTabWidget *pcSPlan;
    QWidget *tabNEZaplanovane, *tabSPlan, *tabKalendar;
    TDBGrid *DBgNEzaplanovane, *DBgSPlan;
    QComboBox *cbSposobZaplanovania;
    TDropDownComboBox *cbOBDOBIE;
    QPushButton *btnZaplanuj, *BtnTlac;
    TBtnKoniec *BtnKoniec;
    QTableWidget *sgPlan = nullptr;
    QAction *actZaplanujZakazku, *actZaplanujOperaciu, *actZmazZakazku, *actZmazOznacene, *actZmazVsetko;
    TCalendarArray Calendar;

    // Rebuilds the active tab's list (caller: the control that asked; the page control forces a reopen).
    void Rebuild(QObject *caller = nullptr);
    void BuildPlanCalendar();
    void UpdateNormHoursLabel();
    // Days from today to the term that are not Saturday or Sunday, then the staff and hours.
    void TermChanged();
    void EstimateChanged();
    void PlanJob();
    void PlanOperation();
    // Reads the unplanned list again after a planning run, so a planned job leaves it (and cannot be planned
    // twice); the cursor keeps its place in the list.
    void ReadUnplannedAgain();
    // Deleting needs the detailed view of the planned list; otherwise it says so.
    bool CanEditPlanRows();
    void DeleteJob();
    void DeleteMarked();
    void DeleteAll();
    // Prints the list of the active tab with the estimate.
    void BtnTlacClick();
    TSPlanQR1Rep &Report();

protected:
    // Leaving the term rebuilds the list; the calendar's hint follows the mouse at once.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QDate termDate() const;
    void showCalendarHint(const QPoint &position);
    std::unique_ptr<TSPlanQR1Rep> report_;
    std::vector<std::unique_ptr<TListTotal>> normHours_;
};

extern TSPlanForm *SPlanForm;

void ShowCapacityPlan();
