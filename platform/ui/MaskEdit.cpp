#include "MaskEdit.h"

#include <QApplication>
#include <QKeyEvent>

TMaskEdit::TMaskEdit(QWidget *parent) : QLineEdit(parent)
{
    resize(121, 21);
}

void TMaskEdit::SetEditMask(const QString &mask)
{
    const QString value = Text();
    editMask_ = mask;
    mask_ = TEditMask(mask);
    setInputMask(mask_.QtInputMask());
    SetText(value);
}

QString TMaskEdit::Text() const
{
    return mask_.IsEmpty() ? text() : mask_.TextFromDisplay(displayText());
}

void TMaskEdit::SetText(const QString &value)
{
    if (mask_.IsEmpty()) {
        setText(value);
        return;
    }
    // Qt reads its own blank character in a set text as input and shifts what follows (the date
    // mask's century would become the year); unfilled places given as blanks stay unfilled.
    QString shown = mask_.DisplayFromText(value);
    shown.replace(mask_.Blank(), QLatin1Char(' '));
    setText(shown);
}

QString TMaskEdit::EditText() const
{
    return mask_.IsEmpty() ? text() : displayText();
}

void TMaskEdit::focusInEvent(QFocusEvent *e)
{
    QLineEdit::focusInEvent(e);
    // Reached by keys (Tab, Shift+Tab, Enter as Tab, a label's letter) the whole text is selected, so what is
    // typed replaces it, as in an edit without a mask. Qt puts a masked edit's caret on its first unfilled place
    // instead, where the digits typed were added to the old value, or refused at the end of a full one.
    const Qt::FocusReason reason = e->reason();
    if ((!mask_.IsEmpty() &&
         (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason)) ||
        arrival_.OpensWithWindow(e))
        selectAll();
}

void TMaskEdit::focusOutEvent(QFocusEvent *e)
{
    arrival_.Left(e);
    QLineEdit::focusOutEvent(e);
}

void TMaskEdit::hideEvent(QHideEvent *e)
{
    arrival_.Hidden();
    QLineEdit::hideEvent(e);
}

bool TFocusArrival::OpensWithWindow(const QFocusEvent *e) const
{
    return e->reason() == Qt::ActiveWindowFocusReason && !leftWithWindow_;
}

void TFocusArrival::Left(const QFocusEvent *e)
{
    leftWithWindow_ = e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason;
}

bool AltCommandKey(QKeyEvent *e)
{
    const Qt::KeyboardModifiers mods = e->modifiers();
    if (!(mods & Qt::AltModifier) || (mods & Qt::ControlModifier) || e->text().isEmpty() || !e->text()[0].isPrint())
        return false;
    e->ignore();
    return true;
}

void TMaskEdit::keyPressEvent(QKeyEvent *e)
{
    if (AltCommandKey(e))
        return;
    const QString typed = e->text();
    const bool character = !mask_.IsEmpty() && typed.size() == 1 && typed[0].isPrint() && !typed[0].isSpace() &&
                           !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    // "2027" typed in full where the mask fixes the century: the "20" already typed was the literal.
    QString retyped;
    int cursor = 0;
    if (character && !hasSelectedText() &&
        mask_.RetypeAfterLiterals(displayText(), cursorPosition(), typed[0], retyped, cursor)) {
        retyped.replace(mask_.Blank(), QLatin1Char(' '));
        setText(retyped);
        setCursorPosition(cursor);
        emit textEdited(text());
        e->accept();
        return;
    }
    const int at = hasSelectedText() ? selectionStart() : cursorPosition();
    // A decimal comma typed where the mask has its decimal point further on goes past the point (and a point
    // past a comma), whichever separator the locale writes.
    if (character && (typed[0] == QLatin1Char(',') || typed[0] == QLatin1Char('.')) && !mask_.Typeable(at, typed[0])) {
        const int point = mask_.LiteralAt(at, typed[0] == QLatin1Char(',') ? QLatin1Char('.') : QLatin1Char(','));
        if (point >= 0) {
            deselect();
            setCursorPosition(point + 1);
            e->accept();
            return;
        }
    }
    // A character the mask does not take where it would go is refused, not carried on to a later place
    // that takes it.
    if (character && !mask_.Typeable(at, typed[0])) {
        QApplication::beep();
        e->accept();
        return;
    }
    if (CharCase != ecNormal && !typed.isEmpty() && typed[0].isLetter()) {
        const QString cased = CharCase == ecUpperCase ? typed.toUpper() : typed.toLower();
        if (cased != typed) {
            QKeyEvent changed(e->type(), e->key(), e->modifiers(), cased, e->isAutoRepeat(), ushort(e->count()));
            QLineEdit::keyPressEvent(&changed);
            e->setAccepted(changed.isAccepted());
            return;
        }
    }
    QLineEdit::keyPressEvent(e);
}
