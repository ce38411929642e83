// The edge of the screen: every button and menu handler runs its action through Guarded. An abort is
// silent, a database error is shown through the program's one translation into Slovak, anything else
// in the error box with its text; the program then goes on.
#pragma once

#include <exception>
#include <functional>

class EDatabaseError;
class QAction;
class QBoxLayout;
class QMenu;
class QPushButton;
class QString;
class QWidget;

// Shows a database error in the user's words and returns true; false when it has no words for it (the
// error box then shows the error's own text). The base data module sets it once at start.
using TDbErrorTranslator = std::function<bool(const EDatabaseError &error)>;
void SetDbErrorTranslator(TDbErrorTranslator translator);

// Runs the action; true when it ended without an error.
bool Guarded(const std::function<void()> &action);

// How many actions Guarded has seen end by an error or an abort so far. A button reads it around the
// handlers of its click: a refused handler keeps the button's modal result from closing its form.
int GuardedRefusals();

// A menu item whose choice runs the action through Guarded.
QAction *AddGuardedAction(QMenu *menu, const QString &caption, std::function<void()> action);

// A push button whose click runs the action through Guarded; the second one also adds it to the layout.
QPushButton *GuardedButton(const QString &caption, QWidget *parent, std::function<void()> action);
QPushButton *GuardedButton(const QString &caption, QWidget *parent, QBoxLayout *layout, std::function<void()> action);

// Shows an error that left a handler as Guarded does (also what the message loop does with one).
void ShowException(const std::exception &e);
