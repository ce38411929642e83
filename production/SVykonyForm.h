// TSVykonyForm (global SVykonyForm), "Výkony pracovníkov": the booking of the shop floor's work by job
// (all operations of one job and batch at once) and by employee (one performance at a time, also from
// a barcode scanner with F12). Every rule of a booking is the data module's (TDMVyk).
#pragma once

#include "platform/ui/FormGlobal.h"
#include "DMVyk.h"
#include "platform/chart/DBChart.h"
#include "platform/db/DataSource.h"
#include "platform/ui/Form.h"

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QLineEdit;
class QPushButton;
class QTabWidget;
class TDBEdit;
class TDBGrid;
class TDBText;
class TDateEdit;
class TMaskEdit;
class TRadioGroup;

class TSVykonyForm : public TForm {
    Q_OBJECT
public:
    explicit TSVykonyForm(QWidget *owner = nullptr);
    ~TSVykonyForm() override;

    QTabWidget *pcVykony;
    QWidget *tsZakazka, *tsPracovnik, *tsPotvrdenie, *tsPrehlady, *tsGraf;
    // by job: the job as six digits (year and number) or as printed, 26/0015
    QLineEdit *vC_INT1;
    TMaskEdit *vC_DAVKY1;
    TDBGrid *DBGridVykonyOp, *DBGridVykonyZak;
    QPushButton *BtnRozdel, *BtnZapisZak, *BtnZmazZak, *BtnKoniecZak;
    // by employee
    TDateEdit *vDatum2;
    TMaskEdit *vOSC2;
    TDBGrid *DBGridPracovnik;
    TDBEdit *DBeDATUM, *DBeZMENA, *DBeOSC, *DBeC_INT, *DBeC_DAVKY, *DBeC_OPERACIE, *DBeMNOZSTVO, *DBeZMATKY, *DBeOHOD;
    QLabel *lZMATKY, *lOHOD;
    QPushButton *BtnNovy, *BtnZapis2, *BtnNezapis2, *BtnZmaz2;
    // quantity confirmation
    TDateEdit *vDatumOd4, *vDatumDo4;
    QLineEdit *vC_INT4, *eMNOZ_NEW;
    QLabel *lC_INT4; // opens the job pick
    class QCheckBox *cbCeleOdvedeneZakazky, *cbDavky4;
    TDBGrid *DBgridPotvrdenie1, *DBgridPotvrdenie2;
    QPushButton *BtnFilter4, *BtnZapis4, *btnZapis4All, *BtnZmaz4, *BtnTlac4;
    // overviews
    QLineEdit *vDatumOd3, *vDatumDo3, *vC_INT3, *vC_VYR3;
    TMaskEdit *vOSC3;
    QComboBox *vOPERACIA3;
    QLabel *lOSC3, *lC_INT3, *lC_VYR3; // open the pick lists of their filters
    TRadioGroup *rgPohlad;
    TDBGrid *DBGridPrehlad;
    QLineEdit *EditMzdaSpolu;
    QPushButton *BtnFilter3, *BtnTlac3, *BtnGraf3;
    // chart: the wages of the overview by employee (view 4) or by operation (view 7)
    TDBChart *DBChart1;
    TBarSeries Series1;
    TDataSource DSGraf;
    void ShowChart();
    class QCheckBox *vRV;

    // F12: a scanned employee card, job-and-operation code or job ticket goes into a new row.
    void BarcodeEntry();
    void FillOrderEntry();
    void WriteOrderEntry();
    void ReloadEmployeeList();
    void NewRow();
    void SaveRow();
    void CancelRow();
    // The booked performance under the cursor of the page's list, after the question.
    void DeleteRow();
    // Reopens the overview for the view and filters of the page.
    void RefreshPerformanceOverview();
    void PrintOverview();
    // The first overview of one employee in the period, other filters emptied, on the overviews page.
    void PrepareOverview(const QDate &from, const QDate &to, int osc);
    void RefreshQuantityConfirmation();
    // The typed quantity for the current job; for all shown jobs their dispatched quantity.
    void WriteConfirmedQuantity();
    void WriteAllConfirmedQuantities();
    void DeleteStornoRows();
    // The pop-up menu of the two entry lists.
    QMenu *popupVykony;
    QAction *actNovy, *actOprav, *actZmaz, *actPrehladOsc, *actPrehladZakazka, *actKoniec;

protected:
    void KeyDown(int &key, Qt::KeyboardModifiers modifiers) override;

private:
    // Whether an operation of the order entry got an employee or a quantity that is not written yet.
    bool orderEntryTyped();
    void pageChanging();
    void pageShown();
    void employeeExit();
    void orderExit();
    QWidget *buildOrderPage();
    QWidget *buildEmployeePage();
    QWidget *buildOverviewPage();
    QWidget *buildConfirmationPage();
    TDMVyk::TConfirmation confirmationFilter();
    void buildListMenu();
    void updateListMenu();
    // The list row's date and employee (those the list has) on the per-employee page.
    void openEmployeeDay();
    // The list row's field into an overview filter edit, then the overviews.
    void overviewOf(QLineEdit *filter, const QString &fieldName);
};

extern TFormGlobal<TSVykonyForm> SVykonyForm;

// The menu's "Výkony pracovníkov".
void ShowPerformances();
