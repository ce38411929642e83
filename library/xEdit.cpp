#include "xEdit.h"

#include "platform/os/Format.h"
#include "platform/ui/Form.h"

#include <QKeyEvent>

void MoveFocusByKey(QWidget *control, int &key)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Down:
        SelectNextControl(control, true);
        key = 0;
        break;
    case Qt::Key_Up:
        SelectNextControl(control, false);
        key = 0;
        break;
    default:
        break;
    }
}

TxEdit::TxEdit(QWidget *parent) : QLineEdit(parent)
{
    resize(121, 21);
    colorOnEnter_ = palette().color(QPalette::Base);
}

bool TxEdit::AcceptsChar(QChar c) const
{
    if (c.unicode() <= 32)
        return true;
    const bool digit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
    switch (EditStyle) {
    case esInteger:
        return digit;
    case esFloat:
        return digit || c == FormatSettings().DecimalSeparator;
    case esDate:
        return digit || c == FormatSettings().DateSeparator;
    case esGeneral:
        break;
    }
    return true;
}

void TxEdit::keyPressEvent(QKeyEvent *e)
{
    const int key = e->key();
    if (EnterToTab && (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Down)) {
        SelectNextControl(this, true);
        e->accept();
        return;
    }
    const QString text = e->text();
    if (text.size() == 1 && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && !AcceptsChar(text[0])) {
        e->accept(); // refused: the character is dropped
        return;
    }
    QLineEdit::keyPressEvent(e);
}

void TxEdit::focusInEvent(QFocusEvent *e)
{
    QPalette p = palette();
    colorBeforeEnter_ = p.color(QPalette::Base);
    p.setColor(QPalette::Base, colorOnEnter_);
    setPalette(p);
    QLineEdit::focusInEvent(e);
    if (arrival_.OpensWithWindow(e))
        selectAll();
}

void TxEdit::hideEvent(QHideEvent *e)
{
    arrival_.Hidden();
    QLineEdit::hideEvent(e);
}

void TxEdit::focusOutEvent(QFocusEvent *e)
{
    arrival_.Left(e);
    if (colorBeforeEnter_.isValid()) {
        QPalette p = palette();
        p.setColor(QPalette::Base, colorBeforeEnter_);
        setPalette(p);
    }
    QLineEdit::focusOutEvent(e);
}
