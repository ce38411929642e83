#include "xDBDateEdit.h"

#include "platform/os/Clock.h"
#include "platform/ui/Form.h"

#include <QKeyEvent>
#include <QTimer>

TxDBDateEdit::TxDBDateEdit(QWidget *parent) : TDBDateEdit(parent)
{
    resize(90, 21);
    showing_ = true;
    SetDate(NullDate());
    showing_ = false;
}

QDate TxDBDateEdit::NullDate() const
{
    return Now().date();
}

void TxDBDateEdit::DateChosen(const QDate &date)
{
    TDBDateEdit::DateChosen(date);
    // The drop-down closes on a chosen day; the focus then goes on as after typing the date.
    QTimer::singleShot(0, this, [this] { SelectNextControl(this, true); });
}

void TxDBDateEdit::keyPressEvent(QKeyEvent *e)
{
    if (EnterToTab && (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)) {
        SelectNextControl(this, true);
        e->accept();
        return;
    }
    TDBDateEdit::keyPressEvent(e);
}
