// The store forms' actions: TFocusAction runs one (guarded) when the watched control gets or loses the
// focus; GuardedButton makes a push button whose click runs one.
#pragma once

#include "platform/ui/Guarded.h"

#include <QEvent>
#include <QObject>
#include <QPushButton>
#include <functional>

inline QPushButton *GuardedButton(const QString &caption, QWidget *parent, std::function<void()> action)
{
    auto *b = new QPushButton(caption, parent);
    QObject::connect(b, &QPushButton::clicked, parent, [action] { Guarded(action); });
    return b;
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
