#include "WhenModal.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

// How often a waiting step looks at the active modal window, and the watch for hangs.
constexpr int PollMs = 10;
constexpr int WatchMs = 250;
// A modal window nothing acts on or waits for, this long: only a hang gets there, however slow the machine.
constexpr qint64 HangMs = 60000;
qint64 hangLimitMs = HangMs;
// How many looks a step waits for its window to become the active one; where the platform never makes it
// active, the step acts all the same.
constexpr int InactiveLooks = 50;

struct Step {
    QString name; // "WhenModal<TQTlacForm>"
    std::source_location where;
    std::function<bool(QWidget *)> takes;
    std::function<void(QWidget *)> run;
    QTimer *timer = nullptr;
    QPointer<QWidget> activating; // the window asked to become active for the step
    int inactiveLooks = 0;
};

std::string place(const std::source_location &where)
{
    return std::string(where.file_name()) + ':' + std::to_string(where.line());
}

std::string describe(QWidget *window)
{
    return std::string(window->metaObject()->className()) + " \"" + window->windowTitle().toStdString() + '"';
}

// Runs the steps in their windows, watches for modal windows left to hang, and after a hang closes the
// modal windows until the test ends.
class ModalDriver : public QObject {
public:
    explicit ModalDriver(QObject *parent) : QObject(parent)
    {
        watchdog_.setInterval(WatchMs);
        connect(&watchdog_, &QTimer::timeout, this, [this] { watch(); });
        unwinder_.setInterval(PollMs);
        connect(&unwinder_, &QTimer::timeout, this, [this] { unwind(); });
    }

    void add(std::shared_ptr<Step> step)
    {
        step->timer = new QTimer(this);
        connect(step->timer, &QTimer::timeout, this, [this, weak = std::weak_ptr<Step>(step)] {
            if (const auto s = weak.lock())
                poll(s);
        });
        pending_.push_back(step);
        step->timer->start(PollMs);
        startWatch();
    }

    void cancelAll()
    {
        while (!pending_.empty())
            drop(pending_.front());
    }

    // The test has ended: steps still waiting never saw their window (unless the test failed already).
    void testEnded()
    {
        if (!failed_)
            for (const auto &step : pending_)
                ADD_FAILURE_AT(step->where.file_name(), int(step->where.line()))
                    << step->name.toStdString() << " (" << place(step->where)
                    << "): no such modal window opened before the test ended";
        cancelAll();
        hangLimitMs = HangMs;
        failed_ = false;
        unwinder_.stop();
        watchdog_.stop();
        driven_.clear();
        unattended_ = nullptr;
        closing_ = nullptr;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *e) override
    {
        // Every modal window is watched, with or without a step for it.
        if (e->type() == QEvent::Show && watched->isWidgetType()) {
            auto *w = static_cast<QWidget *>(watched);
            if (w->isWindow() && w->isModal())
                startWatch();
        }
        return false;
    }

private:
    void startWatch()
    {
        if (!watchdog_.isActive())
            watchdog_.start();
    }

    void drop(const std::shared_ptr<Step> &step)
    {
        pending_.erase(std::remove(pending_.begin(), pending_.end(), step), pending_.end());
        if (step->timer) {
            step->timer->stop();
            step->timer->deleteLater();
            step->timer = nullptr;
        }
    }

    bool driven(QWidget *window) const
    {
        return std::any_of(driven_.begin(), driven_.end(), [window](const auto &w) { return w == window; });
    }

    // A step acts in the window now or waits for it.
    bool attended(QWidget *window) const
    {
        return driven(window) ||
               std::any_of(pending_.begin(), pending_.end(), [window](const auto &s) { return s->takes(window); });
    }

    void poll(const std::shared_ptr<Step> &step)
    {
        // A window another step is acting in is that step's; a step set up there waits for the next one.
        QWidget *window = QApplication::activeModalWidget();
        if (!window || driven(window) || !step->takes(window))
            return;
        // Steps take their windows in the order they were set up.
        for (const auto &other : pending_) {
            if (other == step)
                break;
            if (other->takes(window))
                return;
        }
        // The window system hands out activations in order: once the window's own has arrived, no earlier
        // one (of a window shown just before it) can take the focus from under the step.
        if (!window->isActiveWindow() && step->inactiveLooks < InactiveLooks) {
            if (step->activating != window) {
                step->activating = window;
                step->inactiveLooks = 0;
                window->activateWindow();
            }
            ++step->inactiveLooks;
            return;
        }
        drop(step);
        // The step runs in this timer's call; the other steps' timers go on, so a nested window it opens
        // is served too.
        const QPointer<QWidget> guard(window);
        driven_.push_back(guard);
        step->run(window);
        // A form closes from a queued call: the window stays the step's until the calls queued by now have
        // run, so the next step does not take a showing that is on its way out.
        QMetaObject::invokeMethod(
            this,
            [this, guard] {
                const auto it = std::find(driven_.begin(), driven_.end(), guard);
                if (it != driven_.end())
                    driven_.erase(it);
                std::erase_if(driven_, [](const auto &w) { return w.isNull(); });
            },
            Qt::QueuedConnection);
    }

    void watch()
    {
        QWidget *window = QApplication::activeModalWidget();
        if (!window && pending_.empty() && !failed_) {
            watchdog_.stop();
            unattended_ = nullptr;
            return;
        }
        if (failed_ || !window || attended(window)) {
            unattended_ = nullptr;
            return;
        }
        if (unattended_ != window) {
            unattended_ = window;
            unattendedFor_.start();
            return;
        }
        if (unattendedFor_.elapsed() >= hangLimitMs)
            hung(window);
    }

    void hung(QWidget *window)
    {
        failed_ = true;
        unattended_ = nullptr;
        const std::string what = "the modal window " + describe(window) + " stayed open " +
                                 std::to_string(hangLimitMs) + " ms with no step acting in it or waiting for it";
        if (pending_.empty())
            ADD_FAILURE() << what << "; no step waits for any window. Closing the modal windows until the test ends.";
        for (const auto &step : pending_)
            ADD_FAILURE_AT(step->where.file_name(), int(step->where.line()))
                << step->name.toStdString() << " (" << place(step->where) << ") still waits, and " << what
                << ". Closing the modal windows no step waits for until the test ends.";
        unwinder_.start();
    }

    // Closes the active modal window unless a step acts in it or waits for it: asked first, forced after.
    void unwind()
    {
        if (QWidget *popup = QApplication::activePopupWidget()) {
            popup->close();
            return;
        }
        QWidget *window = QApplication::activeModalWidget();
        if (!window || attended(window))
            return;
        if (closing_ != window) {
            closing_ = window;
            closeTries_ = 0;
        }
        const bool ask = closeTries_++ == 0;
        if (auto *dialog = qobject_cast<QDialog *>(window)) {
            if (ask)
                dialog->reject();
            else
                dialog->QDialog::done(QDialog::Rejected); // past a form's own close query
        } else if (ask) {
            window->close();
        } else {
            window->hide();
        }
    }

    std::vector<std::shared_ptr<Step>> pending_;
    std::vector<QPointer<QWidget>> driven_; // windows whose steps are running or have just run
    QTimer watchdog_;
    QTimer unwinder_;
    QPointer<QWidget> unattended_; // the active modal window no step attends, since unattendedFor_
    QElapsedTimer unattendedFor_;
    bool failed_ = false;
    QPointer<QWidget> closing_;
    int closeTries_ = 0;
};

ModalDriver *&driverInstance()
{
    static ModalDriver *driver = nullptr;
    return driver;
}

ModalDriver &driver()
{
    if (!driverInstance())
        driverInstance() = new ModalDriver(qApp);
    return *driverInstance();
}

void addStep(QString name, std::function<bool(QWidget *)> takes, std::function<void(QWidget *)> run,
             const std::source_location &where)
{
    auto step = std::make_shared<Step>();
    step->name = std::move(name);
    step->where = where;
    step->takes = std::move(takes);
    step->run = std::move(run);
    driver().add(std::move(step));
}

class ModalTestListener : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo &) override
    {
        if (driverInstance())
            driverInstance()->testEnded();
    }
};

} // namespace

void modal_detail::wait(const char *type, std::function<bool(QWidget *)> takes, std::function<void(QWidget *)> run,
                        const std::source_location &where)
{
    addStep(QStringLiteral("WhenModal<%1>").arg(QLatin1String(type)), std::move(takes), std::move(run), where);
}

void CloseModal(int result, std::function<void(QWidget *)> before, std::source_location where)
{
    addStep(
        QStringLiteral("CloseModal"), [](QWidget *) { return true; },
        [result, before](QWidget *window) {
            if (before)
                before(window);
            // A form takes done() as its modal result (this support links no forms: it is in every test).
            if (auto *dialog = qobject_cast<QDialog *>(window); dialog && window->inherits("TForm"))
                dialog->done(result);
            else
                window->close();
        },
        where);
}

void CancelWhenModal()
{
    if (driverInstance())
        driverInstance()->cancelAll();
}

void SetModalHangLimit(int ms)
{
    hangLimitMs = ms;
}

void InstallModalWatch()
{
    qApp->installEventFilter(&driver());
    ::testing::UnitTest::GetInstance()->listeners().Append(new ModalTestListener);
}
