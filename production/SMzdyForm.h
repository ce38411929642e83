// TSMzdyForm (global SMzdyForm), "Dochádzka a mzdy zamestnancov": the employee list, the year and month,
// and the pages of one attendance day, the month's attendance, the month's performances, the employee's
// wage and the wages of all (computed, exported and printed). All data are TDMMzdy's.
#pragma once

#include "platform/chart/DBChart.h"
#include "platform/ui/Form.h"

#include <memory>

class QComboBox;
class QFrame;
class QLabel;
class QMenu;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTableWidget;
class TDBCheckBox;
class TDBEdit;
class TDBGrid;
class TDBText;
class TDateEdit;
class TListTotal;
class TxDBComboBox;

class TSMzdyForm : public TForm {
    Q_OBJECT
public:
    explicit TSMzdyForm(QWidget *owner = nullptr);
    ~TSMzdyForm() override;

    TDBGrid *DBGridZamestnanci;
    // The current employee beside the list.
    TDBText *DBtPRIEZVISKO, *DBtMENO, *DBtOSC;
    QLineEdit *eSTREDISKO;
    QSpinBox *vMesiac, *vRok;
    QLabel *LabelMesacnyFond;
    QTabWidget *PageControlMzdy;
    QWidget *tabDochadzka, *tabMesiac, *tabVykony, *tabMzda, *tabMzdyAll, *tabGraf;
    // The year's wages of the employee: piece wage and hourly wage per month.
    TDBChart *DBChart1;
    TLineSeries SeriesUkol, SeriesMzda;
    QPushButton *BtnGrafMzda;
    // The day and the shift of the day page; a change of either reloads it.
    TDateEdit *vDatum1;
    QComboBox *vZmena1;
    int Shift() const;
    // The reason of overhead hours, from the settings' list.
    TxDBComboBox *DBcomboRDOV;
    QPushButton *btnZapis1, *BtnZapisVsetkym;
    TDBGrid *DBGridMesiac, *DBGridVykony, *DBGridMzdyAll;
    QTableWidget *sgSumMesiac;
    QTableWidget *sg3MMzdy; // the wage of the three months before, hidden at first
    QPushButton *btn3Mesiace;
    void FillWageHistory();
    QPushButton *BtnDetailDen, *BtnDetailMesiac;
    // The performance form's overview of the current employee on the day (or its month) of the row.
    void ShowPerformanceDetail(bool wholeMonth); // "Spolu" and the month's sum of each hour column
    // The month's performance figures.
    QLabel *LabelMzdaSpolu, *LabelNormoHodiny, *LabelOdpracHodiny, *LabelNormoHodinyDen, *LabelNormoHodinyZmatky,
        *LabelNormoHodinyStorna;
    // The performance wage of each of the three months before, the latest first; hidden at first.
    QTableWidget *sg3MVykony;
    QPushButton *Btn3MVykony;
    void FillPerformanceHistory();
    QLabel *LabelMzdy_celkom;
    // The employee's wage of the month: the piece and overhead wage, the hourly wages, the premium, the
    // supplements and the lock, beside the month's attendance sums.
    QFrame *PanelMzdy;
    TDBCheckBox *DBcbZAMKNUTY;
    // The hourly wage, premium and foreman's bonus, read-only while the record is locked.
    QList<TDBEdit *> LockedEdits;
    void ApplyLock(bool locked);
    QPushButton *btnZapisMzdu1, *btnPrevziat, *BtnPocitaj, *BtnExport, *BtnTlac;

    void RokMesChange();
    void ShowActivePage();
    // The list's current employee. A list whose reading was refused is read again first, so the clerk hears
    // the refusal rather than of a missing field.
    int CurrentEmployee();
    // The employees and the month's wages of the all-wages page, read again the same way before the export.
    void ReadAgainWhenRefused();
    // "Tlač": the wage list, the wage slips or the wages by operation.
    void PrintWages();
    void FillMonthAttendanceSums();
    // The pop-up menus of the employee list (its pages and its order) and of the wages of all.
    QMenu *PopupMenuZamestnanci, *PopupMenuMzdyAll;
    // The employee list in the order of a column, the current employee kept.
    void OrderEmployees(const QString &fieldName);
    // The wage of the row's employee: the list moves to the employee (marks cleared), the wage page shows.
    void EditWageOfRow();

private:
    void pageChanging();
    void buildMenus();
    void buildWagePage();
    // The sums under the month's attendance and under the wages of all, following their lists.
    void showWagesTotal();
    std::unique_ptr<TListTotal> monthSums_, wagesTotal_;
};

extern TSMzdyForm *SMzdyForm;

// The menu's "Dochádzka a mzdy".
void ShowAttendanceWages();
