// TSRVForm (global SRVForm): the state of work in progress ("Stav rozpracovnej výroby"): computed from
// performances and hand-overs, and the stock-taking list, edited and regenerated up to a day.
#pragma once

#include "platform/ui/Form.h"

class QLabel;
class QPushButton;
class QTabWidget;
class TDBGrid;
class TRadioGroup;

class TSRVForm : public TForm {
    Q_OBJECT
public:
    explicit TSRVForm(QWidget *owner = nullptr);
    ~TSRVForm() override;

    QTabWidget *pcSRV;
    QWidget *tabVykony, *tabInventura;
    TDBGrid *DBGridMaterial, *DBGridMzdy, *DBGridSRV;
    QLabel *lMaterial, *lMzdy, *lMaterialSRV, *lMzdySRV;
    QPushButton *btnZakazky, *btnNovy, *btnZmaz, *btnAuto;
    TRadioGroup *rgPohlad;

    void ShowComputed(bool byJob = false);
    void ShowList();
    void btnAutoClick();
};

extern TSRVForm *SRVForm;

void ShowWorkInProgress();
