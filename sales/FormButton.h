// Which of a sales form's quick-search edits a mouse click went to.
#pragma once

#include <initializer_list>

class QEvent;
class QObject;

// The place among the edits of the one a released mouse button was in, or -1.
int ClickedEdit(const QObject *watched, const QEvent *event, std::initializer_list<const QObject *> edits);
