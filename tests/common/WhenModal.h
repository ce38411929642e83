// Acting in the modal windows the code under test opens: the steps run once a window of the type is the
// active modal one. Waiting steps fail the test after ten seconds and close whatever modal window is up,
// so a test cannot hang.
#pragma once

#include <QWidget>

#include <functional>
#include <type_traits>

namespace modal_detail {
void poll(std::function<bool(QWidget *)> tryWindow);
}

// Runs the steps in the next modal window that is a T, passing over `passOver` (the window a nested one
// opens from).
template <class T = QWidget>
void WhenModal(std::type_identity_t<std::function<void(T *)>> steps, QWidget *passOver = nullptr)
{
    modal_detail::poll([steps, passOver](QWidget *window) {
        auto *t = qobject_cast<T *>(window);
        if (!t || window == passOver)
            return false;
        steps(t);
        return true;
    });
}

// Closes the next modal window: a form with the modal result, another window by closing it; `before`
// looks at it first.
void CloseModal(int result, std::function<void(QWidget *)> before = nullptr);

// Drops every step still waiting for its window (when the window may rightly not have come).
void CancelWhenModal();
