// TSOdvodyForm (global SOdvodyForm): hand-overs of finished products ("Odvody výrobkov"): the list by job,
// document or day, the detail where they are entered, the print of the unprinted ones, a delivery note
// from them, the overviews of a period and their chart.
#pragma once

#include "platform/ui/FormGlobal.h"
#include "platform/chart/DBChart.h"
#include "platform/ui/Form.h"

#include <memory>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class TBitBtn;
class TDBComboBox;
class TDBEdit;
class TDBGrid;
class TRadioGroup;
class TSOdvQR1Rep;

class TSOdvodyForm : public TForm {
    Q_OBJECT
public:
    explicit TSOdvodyForm(QWidget *owner = nullptr);
    ~TSOdvodyForm() override;

    QTabWidget *pcOdvody;
    QWidget *tabOdvody, *tabDetail, *tabPrehlady, *tabGraf;
    // list
    QLineEdit *vDATUM, *vC_INT, *vC_DOKLADU;
    QPushButton *BtnFilter1, *BtnNovy, *BtnOprav, *BtnZmaz, *btnTlac1, *btnVystavDL;
    TDBGrid *DBGridOdvody;
    QAction *actPrehlady;
    // detail
    TDBEdit *DBEditDATUM, *DBEditC_INT, *DBEditC_DOKLADU, *DBEditMNOZSTVO, *DBEditKURZ, *DBEditC_FAKTURY;
    TDBComboBox *DBcomboSTREDISKO, *DBcomboSKLAD;
    TBitBtn *BtnZapis, *BtnNezapis;
    // overviews
    QLineEdit *vDatum_Od, *vDatum_Do, *vC_ODB, *vC_VYR, *vC_INT3;
    QCheckBox *cbMinus;
    TRadioGroup *rgPohlad;
    QPushButton *BtnFilter3, *btnGraf, *btnTlac3;
    TDBGrid *DBGridPrehlad;
    QLabel *lCena;
    // chart
    TDBChart *DBChart1;
    TBarSeries Series1;

    void SetSQLWhere1();
    void SetSQLWhere3();
    void BtnNovyClick();
    void BtnOpravClick();
    void BtnZapisClick();
    void BtnNezapisClick();
    void btnTlac1Click();
    void btnVystavDLClick();
    void btnGrafClick();
    // The overviews of the current hand-over's day and customer.
    void ShowRowOverview();
    // The hand-overs' report made at start, or one of this form's own when the start did not make it.
    TSOdvQR1Rep &HandOverReport();

private:
    void showList();
    // The report this form made, which goes with the form rather than outliving the program's run.
    std::shared_ptr<TSOdvQR1Rep> ownHandOverReport_;
};

extern TFormGlobal<TSOdvodyForm> SOdvodyForm;

// Shows the hand-overs form (made on first use).
void ShowHandOvers();
// Prints the hand-overs of a period by customer.
void PrintHandOversOfPeriod(const QDate &from, const QDate &to);
