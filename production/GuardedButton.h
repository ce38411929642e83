// A push button of the production forms whose click runs its action through Guarded.
#pragma once

#include <QString>
#include <functional>

class QBoxLayout;
class QPushButton;
class QWidget;

QPushButton *GuardedButton(QWidget *parent, QBoxLayout *layout, const char *caption,
                           const std::function<void()> &action);
