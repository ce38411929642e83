#include "GuardedButton.h"

#include "platform/ui/Guarded.h"

#include <QBoxLayout>
#include <QPushButton>

QPushButton *GuardedButton(QWidget *parent, QBoxLayout *layout, const char *caption,
                           const std::function<void()> &action)
{
    auto *b = new QPushButton(QString::fromUtf8(caption), parent);
    QObject::connect(b, &QPushButton::clicked, b, [action] { Guarded(action); });
    layout->addWidget(b);
    return b;
}
