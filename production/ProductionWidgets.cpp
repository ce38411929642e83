#include "ProductionWidgets.h"

#include "platform/ui/DateEdit.h"
#include "platform/ui/Guarded.h"

#include <QFocusEvent>
#include <QPointer>

namespace {

class DateLeftFilter : public QObject {
public:
    DateLeftFilter(TDateEdit *edit, QWidget *window, std::function<void()> action)
        : QObject(edit), edit_(edit), window_(window), action_(std::move(action))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == edit_ && event->type() == QEvent::FocusOut && window_ && window_->isVisible()) {
            const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason &&
                (edit_->TypedText().isEmpty() || edit_->Date().isValid()))
                Guarded(action_);
        }
        return false;
    }

private:
    TDateEdit *edit_;
    QPointer<QWidget> window_;
    std::function<void()> action_;
};

} // namespace

void OnDateLeft(TDateEdit *edit, QWidget *window, const std::function<void()> &action)
{
    edit->installEventFilter(new DateLeftFilter(edit, window, action));
}
