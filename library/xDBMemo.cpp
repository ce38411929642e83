#include "xDBMemo.h"

#include <QKeyEvent>
#include <QMimeData>

TxDBMemo::TxDBMemo(QWidget *parent) : TDBMemo(parent) {}

QString TxDBMemo::cased(const QString &text) const
{
    switch (CharCase) {
    case ecUpperCase:
        return text.toUpper();
    case ecLowerCase:
        return text.toLower();
    case ecNormal:
        break;
    }
    return text;
}

void TxDBMemo::keyPressEvent(QKeyEvent *e)
{
    const QString typed = e->text();
    if (!typed.isEmpty() && cased(typed) != typed) {
        QKeyEvent changed(e->type(), e->key(), e->modifiers(), cased(typed), e->isAutoRepeat(), ushort(e->count()));
        TDBMemo::keyPressEvent(&changed);
        e->setAccepted(changed.isAccepted());
        return;
    }
    TDBMemo::keyPressEvent(e);
}

void TxDBMemo::insertFromMimeData(const QMimeData *source)
{
    if (CharCase == ecNormal || !source->hasText()) {
        TDBMemo::insertFromMimeData(source);
        return;
    }
    QMimeData text;
    text.setText(cased(source->text()));
    TDBMemo::insertFromMimeData(&text);
}
