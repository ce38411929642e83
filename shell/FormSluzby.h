// TFormSluzby (global FormSluzby): the tabbed maintenance form of the code lists — employees, operations
// and materials, costs and overheads, professions and tariffs, stores and centres, workplaces, others.
#pragma once

#include "platform/ui/Form.h"

#include <memory>

class QComboBox;
class QLineEdit;
class QTabWidget;
class TDBComboBox;
class TxDBGrid;
class TQRTlacZam;

class TFormSluzby : public TForm {
    Q_OBJECT
public:
    explicit TFormSluzby(QWidget *owner = nullptr);
    ~TFormSluzby() override;

    QTabWidget *PageControlSluzby;
    // Employees page.
    TxDBGrid *GridZamestnanci;
    QLineEdit *HlOSC;
    QLineEdit *HlPr;
    TDBComboBox *PRIPL_PRED;
    // Other code lists page.
    QComboBox *CineTable;
    TxDBGrid *GridCine;

    // Selects the page that showing the form opens.
    void SetPage(int page);
    // The employee list report, made on first use.
    TQRTlacZam *EmployeeReport();
    void PrintEmployees();

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    // One page each: 0 employees, 1 operations and materials, 2 costs and overheads, 3 professions and
    // tariffs, 4 stores and centres, 5 workplaces, 6 the other small code lists.
    QWidget *buildEmployees();
    QWidget *buildOperations();
    QWidget *buildCosts();
    QWidget *buildProfessions();
    QWidget *buildStores();
    QWidget *buildWorkplaces();
    QWidget *buildOthers();
    void showPage(int page);
    void closeTables();
    std::unique_ptr<TQRTlacZam> report_;
    int shownPage_ = -1;
};

extern TFormSluzby *FormSluzby;

// Shows the code-list form on the page (0..6), made on first use; its modal result.
int ShowCodeLists(int page);
