// Small widget helpers the production forms share.
#pragma once

#include <QString>
#include <functional>

class QPushButton;
class QWidget;

// A push button whose click runs the action through Guarded.
QPushButton *GuardedButton(const QString &text, QWidget *parent, const std::function<void()> &action);
