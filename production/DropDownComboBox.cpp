#include "DropDownComboBox.h"

#include "platform/ui/Guarded.h"

#include <QSignalBlocker>

void TDropDownComboBox::Refill()
{
    if (!OnDropDown)
        return;
    const QStringList items = OnDropDown();
    const QString text = currentText();
    const QSignalBlocker quiet(this);
    clear();
    addItems(items);
    setCurrentText(text);
}

void TDropDownComboBox::showPopup()
{
    // A list that cannot be read drops down as it was, after saying why.
    Guarded([this] { Refill(); });
    QComboBox::showPopup();
}
