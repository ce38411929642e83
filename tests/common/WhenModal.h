// Acting in the modal windows the code under test opens: a step runs once a window of its type is the
// active modal one and has the focus (so no activation still on its way takes it from the step). No step
// waits on the clock: a step still waiting when its test ends fails there, and a modal window that nothing
// acts on for a minute (only a hang gets there) fails the test at once, naming every step that waits. From
// then on until the test ends every modal window no step acts on or waits for is closed again and again,
// so each modal loop ends and the test runs out instead of hanging.
#pragma once

#include <QWidget>

#include <functional>
#include <source_location>
#include <type_traits>

namespace modal_detail {
// A waiting step: `takes` says whether the window is the step's, `run` acts in it. `type` names the
// window class the step waits for and `where` the test line that set it up, for the failure messages.
void wait(const char *type, std::function<bool(QWidget *)> takes, std::function<void(QWidget *)> run,
          const std::source_location &where);
} // namespace modal_detail

// Runs the steps in the next modal window that is a T, passing over `passOver` (the window a nested one
// opens from).
template <class T = QWidget>
void WhenModal(std::type_identity_t<std::function<void(T *)>> steps, QWidget *passOver = nullptr,
               std::source_location where = std::source_location::current())
{
    modal_detail::wait(
        T::staticMetaObject.className(),
        [passOver](QWidget *window) { return window != passOver && qobject_cast<T *>(window); },
        [steps](QWidget *window) { steps(qobject_cast<T *>(window)); }, where);
}

// Closes the next modal window: a form with the modal result, another window by closing it; `before`
// looks at it first.
void CloseModal(int result, std::function<void(QWidget *)> before = nullptr,
                std::source_location where = std::source_location::current());

// Drops every step still waiting for its window (when the window may rightly not have come).
void CancelWhenModal();

// How long a modal window nothing acts on or waits for may stay open before its test fails: a minute,
// until the test ends. Shorter only for the tests of this support.
void SetModalHangLimit(int ms);

// Watches the modal windows of every test of the program and ends each test's failed state: called once
// by the test main, after the application object is made.
void InstallModalWatch();
