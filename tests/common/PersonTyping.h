// Reaching a field and typing into it as a person does. A person arrives at a field by Tab, by Enter (the
// program's own move to the next field) or by a click, and the arrival decides what is selected: Tab selects
// a line edit's text, a click places the caret. These helpers only press keys and click; they never set the
// focus or select text themselves. PutFocusDirectly is the one exception, named so, for the rare test that
// must start somewhere no key reaches.
//
// Every wait here is bounded (a minute, or a count of key presses) and a failed one fails its test at once,
// naming its step.
#pragma once

#include "common/HostileCorpus.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QWindow>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>
#include <source_location>
#include <string>

// How long any one wait of a test may take before it fails: only a hang gets there.
inline constexpr int kWaitLimitMs = 60000;

// Handles events until `done` holds. Fails the test naming `step` (and the line that waited) when it has not
// held within the limit; returns whether it held.
inline bool WaitFor(const std::string &step, const std::function<bool()> &done, int limitMs = kWaitLimitMs,
                    std::source_location where = std::source_location::current())
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > limitMs) {
            ADD_FAILURE_AT(where.file_name(), int(where.line()))
                << "waited " << limitMs / 1000 << " s in vain for: " << step;
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
    }
    return true;
}

// Handles the events already queued (a few rounds, for events that post others).
inline void Settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

// Shows the window and waits until it is the active one, as a window a person opens becomes.
inline bool ShowActive(QWidget *window, const std::string &step = "the window becomes active",
                       std::source_location where = std::source_location::current())
{
    window->show();
    window->raise();
    window->activateWindow();
    QApplication::setActiveWindow(window);
    // Active for the window system too: an activation it still has on its way would take the focus later.
    return WaitFor(
        step,
        [window] {
            return window->isActiveWindow() && window->windowHandle() &&
                   QGuiApplication::focusWindow() == window->windowHandle();
        },
        kWaitLimitMs, where);
}

// Shows the window and waits until the window system shows it (without making it the active one).
inline bool ShowExposed(QWidget *window, const std::string &step = "the window is shown",
                        std::source_location where = std::source_location::current())
{
    window->show();
    return WaitFor(
        step, [window] { return window->windowHandle() && window->windowHandle()->isExposed(); }, kWaitLimitMs, where);
}

// The one way to put the focus somewhere directly, for a test that must start where no key or click leads.
// Selects nothing.
inline void PutFocusDirectly(QWidget *w)
{
    QApplication::setActiveWindow(w->window());
    w->setFocus(Qt::OtherFocusReason);
    Settle();
}

namespace person_detail {
// Presses `key` at the focused widget until `target` (or a child of it, such as a combo's line edit) has the
// focus; at most `presses` times.
inline bool pressUntil(QWidget *target, Qt::Key key, Qt::KeyboardModifiers mods, int presses, const char *how,
                       const std::source_location &where, bool report = true)
{
    // A widget whose focus goes to another (a combo's line edit to its combo) has arrived when that one has it.
    QWidget *taker = target;
    while (taker->focusProxy())
        taker = taker->focusProxy();
    auto arrived = [target, taker] {
        QWidget *f = QApplication::focusWidget();
        return f && (f == target || f == taker || target->isAncestorOf(f));
    };
    QApplication::setActiveWindow(target->window());
    for (int i = 0; i < presses && !arrived(); ++i) {
        QWidget *f = QApplication::focusWidget();
        QTest::keyClick(f ? f : target->window(), key, mods);
        Settle();
    }
    if (!arrived() && report) {
        QWidget *f = QApplication::focusWidget();
        ADD_FAILURE_AT(where.file_name(), int(where.line()))
            << how << " did not reach " << target->metaObject()->className() << " '"
            << target->objectName().toStdString() << "' in " << presses << " presses; the focus is on "
            << (f ? f->metaObject()->className() : "nothing") << " '"
            << (f ? f->objectName().toStdString() : std::string()) << "'";
    }
    return arrived();
}
} // namespace person_detail

// Tab from wherever the focus is until the target has it (Tab selects a line edit's whole text).
inline bool TabTo(QWidget *target, int presses = 100, std::source_location where = std::source_location::current())
{
    return person_detail::pressUntil(target, Qt::Key_Tab, Qt::NoModifier, presses, "Tab", where);
}

// Shift+Tab backwards until the target has the focus.
inline bool BacktabTo(QWidget *target, int presses = 100, std::source_location where = std::source_location::current())
{
    return person_detail::pressUntil(target, Qt::Key_Backtab, Qt::ShiftModifier, presses, "Shift+Tab", where);
}

// Enter, the program's move to the next field, until the target has the focus.
inline bool EnterTo(QWidget *target, int presses = 100, std::source_location where = std::source_location::current())
{
    return person_detail::pressUntil(target, Qt::Key_Return, Qt::NoModifier, presses, "Enter", where);
}

// A left click in the widget (its middle, or `at`): it takes the focus as clicked and places the caret there.
inline void ClickOn(QWidget *w, QPoint at = QPoint())
{
    QApplication::setActiveWindow(w->window());
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, at.isNull() ? w->rect().center() : at);
    Settle();
}

// A click on a cell of a grid or list: it becomes current and the view takes the focus.
inline bool ClickCell(QAbstractItemView *view, int row, int column)
{
    const QModelIndex index = view->model()->index(row, column);
    view->scrollTo(index);
    const QRect cell = view->visualRect(index);
    if (!cell.isValid()) {
        ADD_FAILURE() << "the cell " << row << "," << column << " is not on the screen";
        return false;
    }
    ClickOn(view->viewport(), cell.center());
    return true;
}

// Presses a key (with modifiers) where the focus is, as a person presses it.
inline void Press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QWidget *f = QApplication::focusWidget();
    if (!f)
        f = QApplication::activeWindow();
    if (!f) {
        ADD_FAILURE() << "a key pressed with no window active";
        return;
    }
    QTest::keyClick(f, key, mods);
    Settle();
}

// Types the text key by key, each key where the focus is then (a grid's first key opens its cell editor, the
// rest go into the editor), letters outside ASCII too.
inline void Type(const QString &text)
{
    for (QChar c : text) {
        QWidget *f = QApplication::focusWidget();
        if (!f) {
            ADD_FAILURE() << "typed '" << text.toStdString() << "' with nothing focused";
            return;
        }
        TypeText(f, QString(c));
    }
    Settle();
}

// Tab until the target has the focus, or Shift+Tab where Tab does not reach it (a grid on the way keeps Tab
// for its cells).
inline bool TabOrBacktabTo(QWidget *target, std::source_location where = std::source_location::current())
{
    return person_detail::pressUntil(target, Qt::Key_Tab, Qt::NoModifier, 30, "Tab", where, false) ||
           BacktabTo(target, 100, where);
}

// Tab to the field, type the text over what Tab selected, and leave the field with Tab.
inline bool TabAndType(QWidget *field, const QString &text,
                       std::source_location where = std::source_location::current())
{
    if (!TabTo(field, 100, where))
        return false;
    Type(text);
    Press(Qt::Key_Tab);
    return true;
}
