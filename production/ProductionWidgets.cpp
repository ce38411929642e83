#include "ProductionWidgets.h"

#include "platform/ui/Guarded.h"

#include <QPushButton>

QPushButton *GuardedButton(const QString &text, QWidget *parent, const std::function<void()> &action)
{
    auto *b = new QPushButton(text, parent);
    QObject::connect(b, &QPushButton::clicked, b, [action] { Guarded(action); });
    return b;
}
