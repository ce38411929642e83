// TSRVForm (global SRVForm): the state of work in progress ("Stav rozpracovnej výroby"): computed from
// performances and hand-overs, and the stock-taking list, edited and regenerated up to a day.
#pragma once

#include "platform/ui/Form.h"

#include <memory>

class QLabel;
class QPushButton;
class QTabWidget;
class TDBGrid;
class TRadioGroup;
class TSRVQR1Rep;

class TSRVForm : public TForm {
    Q_OBJECT
public:
    explicit TSRVForm(QWidget *owner = nullptr);
    ~TSRVForm() override;

    QTabWidget *pcSRV;
    QWidget *tabVykony, *tabInventura;
    TDBGrid *DBGridMaterial, *DBGridMzdy, *DBGridSRV;
    QLabel *lMaterial, *lMzdy, *lMaterialSRV, *lMzdySRV;
    QPushButton *btnZakazky, *btnNovy, *btnZmaz, *btnAuto, *btnTlac;
    TRadioGroup *rgPohlad;

    void ShowComputed(bool byJob = false);
    void ShowList();
    void btnAutoClick();
    // Asks for the day and prints the list.
    void btnTlacClick();
    TSRVQR1Rep &Report();

private:
    std::unique_ptr<TSRVQR1Rep> report_;
};

extern TSRVForm *SRVForm;

void ShowWorkInProgress();
