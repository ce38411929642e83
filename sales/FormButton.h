// Small helpers of the sales forms: push buttons added to a row of buttons, each click running its action
// through the guard that shows an error instead of letting it escape; and which of a form's quick-search
// edits a mouse click went to.
#pragma once

#include <QString>
#include <functional>
#include <initializer_list>

class QBoxLayout;
class QEvent;
class QObject;
class QPushButton;
class QWidget;

QPushButton *AddButton(QWidget *form, QBoxLayout *layout, const QString &caption, std::function<void()> action);

// The place among the edits of the one a released mouse button was in, or -1.
int ClickedEdit(const QObject *watched, const QEvent *event, std::initializer_list<const QObject *> edits);
