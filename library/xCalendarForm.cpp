#include "xCalendarForm.h"

#include "platform/os/Clock.h"
#include "platform/ui/DateEdit.h"

#include <QCalendarWidget>
#include <QVBoxLayout>

TxCalendarForm::TxCalendarForm(QWidget *owner) : TForm(owner ? owner->window() : nullptr)
{
    setWindowTitle(QStringLiteral("Kalendár"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    calendar_ = new QCalendarWidget(this);
    SetUpCalendar(calendar_);
    calendar_->setSelectedDate(Now().date());
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(calendar_);
    resize(std::max(192, calendar_->sizeHint().width()), std::max(178, calendar_->sizeHint().height()));
    connect(calendar_, &QCalendarWidget::clicked, this, [this](const QDate &date) {
        calendar_->setSelectedDate(date);
        SetModalResult(mrOk);
    });
    if (owner) {
        // Below the owner wherever it sits in its form (nested panels included).
        Position = poDesigned;
        move(owner->mapToGlobal(QPoint(24, owner->height())));
    }
}

QDate TxCalendarForm::Date() const
{
    return calendar_->selectedDate();
}

void TxCalendarForm::SetDate(const QDate &date)
{
    calendar_->setSelectedDate(date.isValid() ? date : Now().date());
}
