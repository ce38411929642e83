// The push buttons of the sales forms: added to a row of buttons, each click running its action through
// the guard that shows an error instead of letting it escape.
#pragma once

#include <QString>
#include <functional>

class QBoxLayout;
class QPushButton;
class QWidget;

QPushButton *AddButton(QWidget *form, QBoxLayout *layout, const QString &caption, std::function<void()> action);
