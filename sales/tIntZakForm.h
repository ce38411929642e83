// TtIntZakForm: the base of the forms whose rows are jobs. The derived form puts its job list into Panel1
// and sets ItemDataSource; below a splitter the detail tabs show the current job, each filled while shown,
// and the three state marks with their undo are at hand for the derived form's menus.
#pragma once

#include "platform/db/DataSource.h"
#include "platform/ui/Form.h"

class QCheckBox;
class QLabel;
class QSplitter;
class QTabWidget;
class TDBGrid;
class TxQuery;

class TtIntZakForm : public TForm {
    Q_OBJECT
public:
    explicit TtIntZakForm(QWidget *owner = nullptr);
    ~TtIntZakForm() override;

    QWidget *Panel1;
    QSplitter *Splitter1;
    QTabWidget *pcInterneObjednavky;
    QWidget *TabZakazka, *TabVyrobok, *TabKaklulacia, *TabKusovnik, *TabOperacie, *TabMaterial, *TabVykony, *TabOdvody,
        *TabSklady, *TabDL;
    TDBGrid *DBGridKusovnik, *DBGridOperacie, *DBGridMPohyby, *DBGridVykony, *DBGridOdvody, *DBGridSklady, *DBGridDL;
    QLabel *LabelVykonyMzda, *LabelOdvMnoz, *LabelOdvHodn, *LabelDodMnoz;
    QCheckBox *cbNuloveOperacie;
    TDataSource DSVyrobok;

    // The data source of the derived form's job list; the tabs read c_int and c_vyr from its current row.
    TDataSource *ItemDataSource = nullptr;

    // Refills the active tab for the current job.
    void RefreshActiveTab();
    void cbNuloveOperacieClick();

    // The state marks: each asks, then marks or takes the mark back, as the job's state in the database
    // decides. True when the state changed (the derived form then refreshes its list).
    bool MarkOrderHandedOver(int cInt);
    bool MarkOrderFinished(int cInt);
    bool MarkOrderCancelled(int cInt);

protected:
    void FormShow();
    void FormClose();

private:
    QWidget *addDataTab(const QString &caption, TDataSource *source,
                        const QList<QPair<const char *, const char *>> &fields);
    QWidget *addGridTab(const QString &caption, TDBGrid *&grid);
    void tabShow(QWidget *tab);
    void tabHide(QWidget *tab);
    void openShared(const QString &sql, const std::function<void(TxQuery &)> &afterOpen = nullptr);
    QWidget *shown_ = nullptr;
    TDataSource *calculationMaster_ = nullptr;
};
