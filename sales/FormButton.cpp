#include "FormButton.h"

#include <QEvent>

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
