// The store forms' actions: TFocusAction runs one (guarded) when the watched control gets or loses the
// focus; WithButton puts a button beside a control.
#pragma once

#include "platform/ui/Guarded.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QObject>
#include <QPushButton>
#include <functional>

// A control with its button beside it, as one row of a form.
inline QWidget *WithButton(QWidget *parent, QWidget *control, QPushButton *button)
{
    auto *row = new QWidget(parent);
    auto *h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    h->addWidget(control);
    h->addWidget(button);
    return row;
}

class TFocusAction : public QObject {
public:
    TFocusAction(QObject *parent, QEvent::Type on, std::function<void()> action)
        : QObject(parent), on_(on), action_(std::move(action))
    {
    }
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == on_)
            Guarded(action_);
        return false;
    }

private:
    QEvent::Type on_;
    std::function<void()> action_;
};
