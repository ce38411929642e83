// TxDBDateEdit: a date picker bound to a date field, as the detail dialogs use it: Enter moves to the next
// control, Escape shows the field's value again, choosing a day in the drop-down calendar moves on.
#pragma once

#include "platform/ui/DBControls.h"

class TxDBDateEdit : public TDBDateEdit {
    Q_OBJECT
public:
    // Unbound or over an empty date, the picker shows today (and writes it only when picked).
    explicit TxDBDateEdit(QWidget *parent = nullptr);

    bool EnterToTab = true;

protected:
    void ShowField() override;
    void keyPressEvent(QKeyEvent *e) override;
};
