#include "DateEdit.h"

#include "Dialogs.h"
#include "Form.h"
#include "Glyphs.h"
#include "platform/os/Clock.h"
#include "platform/os/Exception.h"
#include "platform/os/Format.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QKeyEvent>
#include <QScreen>

const QString TDateEdit::DefaultMask = QStringLiteral("90/90/0000;1;_");

void SetUpCalendar(QCalendarWidget *calendar)
{
    calendar->setLocale(QLocale(QLocale::Slovak, QLocale::Slovakia));
    calendar->setFirstDayOfWeek(Qt::Monday);
    calendar->setGridVisible(true);
}

TDateEdit::TDateEdit(QWidget *parent) : TMaskEdit(parent)
{
    resize(90, 21);
    button_ = addAction(QIcon(Glyph(QStringLiteral("BUTTONCALENDAR"))), QLineEdit::TrailingPosition);
    button_->setToolTip(QString::fromUtf8("Kalendár (F4)"));
    connect(button_, &QAction::triggered, this, &TDateEdit::DropDown);
}

QString TDateEdit::TypedText() const
{
    if (Mask().IsEmpty())
        return text().simplified().remove(QLatin1Char(' '));
    if (Mask().IsTextEmpty(Text()))
        return QString();
    return Text().remove(QLatin1Char(' '));
}

QDate TDateEdit::Date() const
{
    QDate date;
    return TryStrToDate(TypedText(), date) ? date : QDate();
}

QDate TDateEdit::CheckedDate() const
{
    const QString typed = TypedText();
    return typed.isEmpty() ? QDate() : StrToDate(typed);
}

bool TDateEdit::CheckDate()
{
    try {
        CheckedDate();
        return true;
    } catch (const EConvertError &e) {
        ShowError(e.Message);
    }
    FocusAgainLater(this);
    return false;
}

void TDateEdit::showMask(bool on)
{
    const QString mask = on ? TypingMask : QString();
    if (mask == EditMask())
        return;
    const QDate date = Date();
    SetEditMask(mask);
    SetDate(date);
}

void TDateEdit::SetDate(const QDate &date)
{
    const bool masked = !EditMask().isEmpty();
    if (MaskWhileEditing && masked != hasFocus())
        SetEditMask(hasFocus() ? TypingMask : QString());
    if (!date.isValid())
        SetText(QString());
    else if (Mask().IsEmpty())
        SetText(DateToStr(date));
    else // two digits each, so that every place of the mask is filled
        SetText(FormatDateTime(QStringLiteral("dd/mm/yyyy"), date));
}

void TDateEdit::SetCalendarButton(bool shown)
{
    button_->setVisible(shown);
}

void TDateEdit::DropDown()
{
    if (isReadOnly() || !isEnabled()) {
        QApplication::beep();
        return;
    }
    if (Calendar())
        return;
    // Taken first, so that the focus comes back here when the calendar closes.
    setFocus(Qt::OtherFocusReason);
    auto *calendar = new QCalendarWidget(this);
    calendar_ = calendar;
    calendar->setWindowFlags(Qt::Popup);
    calendar->setAttribute(Qt::WA_DeleteOnClose);
    SetUpCalendar(calendar);
    calendar->installEventFilter(this);
    const QDate held = Date();
    calendar->setSelectedDate(held.isValid() ? held : ::Date());
    const auto choose = [this, calendar](QDate day) {
        if (!calendar->isVisible())
            return; // a double click chooses once
        calendar->close();
        DateChosen(day);
        emit CalendarDateChosen(day);
    };
    connect(calendar, &QCalendarWidget::clicked, this, choose);
    connect(calendar, &QCalendarWidget::activated, this, choose);
    calendar->adjustSize();
    // Below the edit, above it where the screen ends.
    QRect place(mapToGlobal(QPoint(0, height())), calendar->size());
    if (QScreen *s = screen()) {
        const QRect area = s->availableGeometry();
        if (place.bottom() > area.bottom())
            place.moveBottom(mapToGlobal(QPoint(0, 0)).y() - 1);
        if (place.right() > area.right())
            place.moveRight(area.right());
    }
    calendar->move(place.topLeft());
    calendar->show();
    calendar->setFocus(Qt::PopupFocusReason);
}

QCalendarWidget *TDateEdit::Calendar() const
{
    // A closed one is only waiting to be deleted.
    return calendar_ && calendar_->isVisible() ? calendar_.data() : nullptr;
}

bool TDateEdit::eventFilter(QObject *watched, QEvent *e)
{
    // The form stays the active window when the calendar closes (without a window manager none would be).
    // The event's kind first: a calendar being destroyed is no calendar any more, and comparing with it
    // would take it for one.
    if (e->type() == QEvent::Close && watched == calendar_)
        window()->activateWindow();
    return TMaskEdit::eventFilter(watched, e);
}

void TDateEdit::DateChosen(const QDate &date)
{
    SetDate(date);
    emit textEdited(text());
}

void TDateEdit::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_F4 || (e->key() == Qt::Key_Down && (e->modifiers() & Qt::AltModifier))) {
        DropDown();
        e->accept();
        return;
    }
    TMaskEdit::keyPressEvent(e);
}

void TDateEdit::ShowForEditing()
{
    if (MaskWhileEditing)
        showMask(true);
}

void TDateEdit::focusInEvent(QFocusEvent *e)
{
    const bool browsing = EditMask().isEmpty();
    TMaskEdit::focusInEvent(e);
    ShowForEditing();
    // A date entered by keys is typed over whole.
    if (browsing && e->reason() != Qt::MouseFocusReason && e->reason() != Qt::PopupFocusReason)
        selectAll();
}

void TDateEdit::focusOutEvent(QFocusEvent *e)
{
    TMaskEdit::focusOutEvent(e);
    if (e->reason() == Qt::PopupFocusReason || e->reason() == Qt::ActiveWindowFocusReason)
        return;
    // A clicked button's action checks the date itself.
    const bool kept = FocusWentToClickedButton(e) ? TypedText().isEmpty() || Date().isValid() : CheckDate();
    if (kept && MaskWhileEditing)
        showMask(false);
}
