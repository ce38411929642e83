#include "xDBDateEdit.h"

#include "platform/db/Field.h"
#include "platform/os/Clock.h"
#include "platform/ui/Form.h"

#include <QCalendarWidget>
#include <QKeyEvent>
#include <QTimer>

TxDBDateEdit::TxDBDateEdit(QWidget *parent) : TDBDateEdit(parent)
{
    resize(90, 21);
    showing_ = true;
    setDate(Now().date());
    showing_ = false;
    // The drop-down closes on a chosen day; the focus then goes on as after typing the date.
    connect(calendarWidget(), &QCalendarWidget::clicked, this, [this](QDate day) {
        // Picking the day already shown (today over an empty date) changes no date, yet it is a choice.
        if (day == date() && Field() && Field()->IsNull())
            UserChanged();
        QTimer::singleShot(0, this, [this] { SelectNextControl(this, true); });
    });
}

void TxDBDateEdit::ShowField()
{
    // Without a field or over an empty date the picker shows today; that is no change, so nothing is
    // written unless the user picks.
    if (!Field() || Field()->IsNull()) {
        if (date() != Now().date())
            setDate(Now().date());
        return;
    }
    TDBDateEdit::ShowField();
}

void TxDBDateEdit::keyPressEvent(QKeyEvent *e)
{
    if (EnterToTab && (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)) {
        SelectNextControl(this, true);
        e->accept();
        return;
    }
    if (e->key() == Qt::Key_Escape && link_.Modified()) {
        Revert();
        e->accept();
        return;
    }
    TDBDateEdit::keyPressEvent(e);
}
