#include "WhenModal.h"

#include "platform/ui/Form.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>

namespace {

int &generation()
{
    static int current = 0;
    return current;
}

} // namespace

void modal_detail::poll(std::function<bool(QWidget *)> tryWindow)
{
    auto *timer = new QTimer;
    const auto deadline = std::make_shared<QDeadlineTimer>(10000);
    const int started = generation();
    QObject::connect(timer, &QTimer::timeout, [timer, deadline, started, tryWindow] {
        const auto stop = [timer] {
            timer->stop();
            timer->deleteLater();
        };
        if (started != generation()) {
            stop();
            return;
        }
        if (QWidget *window = QApplication::activeModalWidget(); window && tryWindow(window)) {
            stop();
        } else if (deadline->hasExpired()) {
            stop();
            ADD_FAILURE() << "the expected modal window did not open";
            if (QWidget *other = QApplication::activeModalWidget())
                other->close();
        }
    });
    timer->start(10);
}

void CloseModal(int result, std::function<void(QWidget *)> before)
{
    WhenModal([result, before](QWidget *window) {
        if (before)
            before(window);
        if (auto *form = qobject_cast<TForm *>(window))
            form->SetModalResult(result);
        else
            window->close();
    });
}

void CancelWhenModal()
{
    ++generation();
}
