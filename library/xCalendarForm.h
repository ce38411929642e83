// TxCalendarForm: the small "Kalendár" dialog with a month calendar; a click on a day chooses it and
// closes the dialog with OK. The date edits open it from their calendar button.
#pragma once

#include "platform/ui/Form.h"

#include <QDate>

class QCalendarWidget;

class TxCalendarForm : public TForm {
    Q_OBJECT
public:
    // Placed below the owner control, 24 pixels in from its left edge; today is chosen at first.
    explicit TxCalendarForm(QWidget *owner);

    QDate Date() const;
    // Shows the date's month with the date chosen; a null date shows today.
    void SetDate(const QDate &date);
    QCalendarWidget *Calendar() const { return calendar_; }

private:
    QCalendarWidget *calendar_;
};
