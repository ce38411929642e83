#include "PickLink.h"

#include "Guarded.h"

#include <QLabel>

void MakePickLink(QLabel *label, const std::function<void()> &pick)
{
    if (!label)
        return;
    label->setText(QStringLiteral("<a href=\"#\">%1</a>").arg(label->text().toHtmlEscaped()));
    QObject::connect(label, &QLabel::linkActivated, label, [pick] { Guarded(pick); });
}
