#include "FormButton.h"

#include "platform/ui/Guarded.h"

#include <QBoxLayout>
#include <QPushButton>

QPushButton *AddButton(QWidget *form, QBoxLayout *layout, const QString &caption, std::function<void()> action)
{
    auto *b = new QPushButton(caption, form);
    layout->addWidget(b);
    QObject::connect(b, &QPushButton::clicked, form, [action] { Guarded(action); });
    return b;
}
