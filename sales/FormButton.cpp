#include "FormButton.h"

#include "platform/ui/Guarded.h"

#include <QBoxLayout>
#include <QEvent>
#include <QPushButton>

QPushButton *AddButton(QWidget *form, QBoxLayout *layout, const QString &caption, std::function<void()> action)
{
    auto *b = new QPushButton(caption, form);
    layout->addWidget(b);
    QObject::connect(b, &QPushButton::clicked, form, [action] { Guarded(action); });
    return b;
}

int ClickedEdit(const QObject *watched, const QEvent *event, std::initializer_list<const QObject *> edits)
{
    if (event->type() != QEvent::MouseButtonRelease)
        return -1;
    int i = 0;
    for (const QObject *e : edits) {
        if (e == watched)
            return i;
        ++i;
    }
    return -1;
}
