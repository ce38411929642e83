// Small widget helpers the production forms share.
#pragma once

#include <QString>
#include <functional>

class QWidget;
class TDateEdit;

// Runs the action through Guarded when the focus leaves the date edit while the window shows, the edit
// holding a date or nothing. The masked date gives no signal of its own on leaving; a day that does not
// exist is said by the date edit itself, once, and the action is not run. A drop-down calendar or another
// window taking the focus is no leaving.
void OnDateLeft(TDateEdit *edit, QWidget *window, const std::function<void()> &action);
