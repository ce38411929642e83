// TOdberateliaForm (global OdberateliaForm): the customers browser with its quick searches, the
// customer's jobs and delivery notes, and the printed list; ShowCustomers opens it.
#pragma once

#include "library/BrowseForm.h"

#include <memory>

class QLineEdit;
class QTabWidget;
class QPushButton;
class TDBGrid;
class TQRTlacOdb;

class TOdberateliaForm : public TBrowseForm {
    Q_OBJECT
public:
    explicit TOdberateliaForm(QWidget *owner = nullptr);
    ~TOdberateliaForm() override;

    QLineEdit *HlICO, *HlOdberatel, *HlMesto, *HlC_ODB, *HlStat;
    TDBGrid *DBGridOdberatelia;
    QPushButton *btnNovyOdb, *btnOpravOdb, *btnZmazOdb, *btnTlacOdb, *btnKoniec;
    QTabWidget *pcOdberatelia;
    QWidget *TabOdberatel, *TabZakazky, *TabDListy;
    TDBGrid *DBGridZakazky, *DBGridDListy;

    void SortBy(const QString &fieldName);
    void btnNovyOdbClick();
    void btnOpravOdbClick();
    void btnZmazOdbClick();
    // The printed list as the browser shows it (made on first use).
    TQRTlacOdb *Report();
    void btnTlacOdbClick();

private:
    void showSharedTab(QWidget *tab);
    void closeShared();
    std::unique_ptr<TQRTlacOdb> report_;
};

extern TOdberateliaForm *OdberateliaForm;

void ShowCustomers();
