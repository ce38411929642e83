// TtMasterDetailForm: the base of browsers that list records in a grid and edit one record at a time in
// a modal detail dialog, optionally with its dependent rows kept in cached updates until OK.
#pragma once

#include "platform/ui/Form.h"

#include <functional>

class QSplitter;
class TBtnKoniec;
class TBtnNovy;
class TBtnOprav;
class TBtnTlac;
class TBtnZmaz;
class TDataSet;
class TxDBGrid;
class TxPageControl;

class TtMasterDetailForm : public TForm {
    Q_OBJECT
public:
    explicit TtMasterDetailForm(QWidget *owner = nullptr);

    QWidget *Panel;
    TxDBGrid *DBGrid;
    TBtnNovy *btnNovy;
    TBtnOprav *btnOprav;
    TBtnZmaz *btnZmaz;
    TBtnTlac *BtnTlac1;
    TBtnKoniec *BtnKoniec;
    QSplitter *Splitter;
    TxPageControl *PageControl;

    // Set by the descendant: the dialog that edits one record, and the dependent rows it edits (cached
    // updates), or none.
    TForm *DetailForm = nullptr;
    TDataSet *DetailDataSet = nullptr;
    // The grid's data set.
    TDataSet *Master() const;

    // New record: appends (unless a record is being edited already), shows the dialog; OK writes the
    // master, then the detail rows, all or nothing; anything else throws both away.
    void btnNovyClick();
    // Edit the current record: OK stores the detail rows, then posts the master. Nothing on an empty list.
    // In both, OK saves while the dialog is still open: a refused save is shown and the dialog stays open
    // with everything typed.
    void btnOpravClick();
    // Asks, then deletes the current record.
    void btnZmazClick();

private:
    // Shows the dialog, whose OK runs the save; false (with the master's and the detail's changes thrown
    // away) unless OK.
    bool runDetail(const std::function<void()> &save);
    void applyDetail();
    // New record: posts the master and applies the detail rows together, all or nothing, when both are
    // data sets of one database; false (nothing done) otherwise.
    bool postNewTogether(TDataSet *master);
    void cancelAll();
    // While the record's dialog is shown, the list's own buttons (a click queued before the dialog came up)
    // only bring the dialog forward: the record being edited is neither edited again nor deleted.
    bool detailShown() const;
};
