// TDateEdit: a date typed into an edit mask, with a drop-down calendar (its button, F4 or Alt+Down). An
// empty edit holds no date; a date that does not exist (31.2., month 13) is refused with a message while
// the typed text and the focus stay in the edit.
#pragma once

#include "MaskEdit.h"

#include <QDate>
#include <QPointer>

class QAction;
class QCalendarWidget;

// A month calendar as the program shows it: Slovak month and day names, the week from Monday, a grid.
void SetUpCalendar(QCalendarWidget *calendar);

class TDateEdit : public TMaskEdit {
    Q_OBJECT
public:
    explicit TDateEdit(QWidget *parent = nullptr);

    // Day and month of one or two digits, four year digits.
    static const QString DefaultMask;

    // The date typed or shown; null when the edit is empty or its text is no date.
    QDate Date() const;
    // The date, null when the edit is empty; EConvertError ("'31.2.2026' nie je platný dátum") when the
    // text is no date.
    QDate CheckedDate() const;
    // Whether the edit is empty or holds a date; otherwise says why, takes the focus back with the text
    // selected for correction, and gives false.
    bool CheckDate();
    // Shows the date (nothing for a null date): in the mask while it is typed into, else as dates are
    // written (15.1.2027).
    void SetDate(const QDate &date);
    // The text without the mask's blanks ("31.2.2026"); empty when nothing is typed.
    QString TypedText() const;

    void SetCalendarButton(bool shown);
    // Opens the calendar below the edit on the date held, or on today when there is none.
    void DropDown();
    // The open drop-down calendar, null when it is closed.
    QCalendarWidget *Calendar() const;

signals:
    // A day was chosen in the drop-down calendar and is shown in the edit.
    void CalendarDateChosen(const QDate &date);

protected:
    // A day chosen in the calendar: shown in the edit as if typed.
    virtual void DateChosen(const QDate &date);
    // The focus came in: the date in the mask, to be typed over.
    virtual void ShowForEditing();
    bool eventFilter(QObject *watched, QEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;

    // The mask shows only while the edit has the focus (a subclass may show its mask always, or switch it
    // itself); the mask typed into.
    bool MaskWhileEditing = true;
    QString TypingMask = DefaultMask;

private:
    void showMask(bool on);

    QAction *button_;
    QPointer<QCalendarWidget> calendar_;
};
