// TxDBDateEdit: the date edit bound to a date field as the detail dialogs use it: Enter moves to the next
// control, Escape shows the field's value again, choosing a day in the drop-down calendar moves on.
#pragma once

#include "platform/ui/DBControls.h"

class TxDBDateEdit : public TDBDateEdit {
    Q_OBJECT
public:
    // Over an empty date the edit shows today (written only when typed or picked).
    explicit TxDBDateEdit(QWidget *parent = nullptr);

    bool EnterToTab = true;

protected:
    QDate NullDate() const override;
    void DateChosen(const QDate &date) override;
    void keyPressEvent(QKeyEvent *e) override;
};
