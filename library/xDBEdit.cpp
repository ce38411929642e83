#include "xDBEdit.h"

#include "xCalendarForm.h"
#include "xEdit.h"
#include "platform/db/DataSet.h"
#include "platform/os/Clock.h"
#include "platform/os/Format.h"
#include "platform/ui/BitBtn.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Guarded.h"

#include <QApplication>
#include <QKeyEvent>

namespace {
constexpr int kButtonWidth = 19;

QString glyphOf(TButtonStyle style)
{
    switch (style) {
    case bsDown:
        return QStringLiteral("BUTTONDOWN");
    case bsDots:
        return QStringLiteral("BUTTONDOTS");
    case bsLookup:
        return QStringLiteral("BUTTONLOOKUP");
    case bsDate:
        return QStringLiteral("BUTTONCALENDAR");
    case bsNone:
        break;
    }
    return QString();
}
} // namespace

TxDBEdit::TxDBEdit(QWidget *parent) : TxCaptionedControl(parent, 4)
{
    label_->setWordWrap(true);
    label_->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    label_->installEventFilter(this);
    edit_ = new TDBEdit(this);
    edit_->installEventFilter(this);
    connect(edit_, &QLineEdit::textChanged, this, [this] {
        if (OnChange)
            OnChange(this);
    });
    button_ = new TBitBtn(this);
    button_->setFocusPolicy(Qt::NoFocus);
    button_->hide();
    connect(button_, &QPushButton::clicked, this, &TxDBEdit::ButtonClick);
    setFocusProxy(edit_);
    resize(201, 21);
    Layout();
}

void TxDBEdit::SetDataSource(TDataSource *source)
{
    edit_->SetDataSource(source);
}

void TxDBEdit::SetDataField(const QString &name)
{
    edit_->SetDataField(name);
    edit_->setObjectName(objectName() + name);
    CaptionFromField(*edit_, name);
}

void TxDBEdit::SetLabelPosition(TLabelPosition position)
{
    labelPosition_ = position;
    if (position == lpTop) {
        // The caption spans the control above the edit.
        labelWidth_ = width();
        if (height() < 37)
            resize(width(), 37);
    } else if (labelWidth_ >= width()) {
        labelWidth_ = TextWidth() + 4;
        resize(width(), 21);
    }
    updateGeometry();
    Layout();
}

void TxDBEdit::SetEditWidth(int characters)
{
    editChars_ = std::max(0, characters);
    updateGeometry();
    Layout();
}

int TxDBEdit::editPixels() const
{
    // The characters and the edit's frame and margins around them, never below what the edit can be drawn in.
    constexpr int frame = 10;
    return std::max(edit_->minimumSizeHint().width(),
                    edit_->fontMetrics().horizontalAdvance(QLatin1Char('0')) * editChars_ + frame);
}

QWidget *TxDBEdit::ValueControl() const
{
    return edit_;
}

int TxDBEdit::TrailingWidth() const
{
    return buttonStyle_ != bsNone ? kButtonWidth : 0;
}

QSize TxDBEdit::ValueHint(bool minimum) const
{
    QSize hint = TxCaptionedControl::ValueHint(minimum);
    if (editChars_ > 0)
        hint.setWidth(editPixels());
    return hint;
}

void TxDBEdit::SetButtonStyle(TButtonStyle style)
{
    buttonStyle_ = style;
    button_->SetGlyph(glyphOf(style));
    button_->setVisible(style != bsNone);
    label_->setCursor(style != bsNone ? Qt::PointingHandCursor : Qt::ArrowCursor);
    updateGeometry();
    Layout();
}

void TxDBEdit::Layout()
{
    const int w = width(), h = height();
    const int bw = TrailingWidth();
    const int left = labelPosition_ == lpLeft ? labelWidth_ : 0;
    // An edit of a given width keeps it while the control has room; its button follows it.
    int ew = std::max(0, w - left - bw);
    if (editChars_ > 0)
        ew = std::min(ew, editPixels());
    if (labelPosition_ == lpLeft) {
        // A caption beside the edit stands level with the edit's text.
        label_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        label_->setGeometry(0, 0, labelWidth_, h);
        edit_->setGeometry(left, 0, ew, h);
        button_->setGeometry(left + ew, 0, bw, h);
    } else {
        const int top = TopCaptionHeight();
        label_->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
        label_->setGeometry(0, 0, w, top);
        edit_->setGeometry(0, top, ew, std::max(0, h - top));
        button_->setGeometry(ew, top, bw, std::max(0, h - top));
    }
}

void TxDBEdit::focusInEvent(QFocusEvent *e)
{
    TxCaptionedControl::focusInEvent(e);
    edit_->setFocus(e->reason());
}

void TxDBEdit::SetEditText(const QString &text)
{
    TField *f = edit_->Field();
    if (edit_->isReadOnly() || !f)
        return;
    Guarded([&] {
        if (edit_->DataLink().Edit())
            f->SetText(text);
        else
            QApplication::beep();
    });
}

void TxDBEdit::ButtonClick()
{
    if (OnButtonClick)
        OnButtonClick(this);
    else if (buttonStyle_ == bsDate)
        showCalendar();
    if (button_->hasFocus())
        edit_->setFocus();
}

void TxDBEdit::showCalendar()
{
    // An empty or unreadable text opens the calendar on today.
    QDate date;
    if (!TryStrToDate(edit_->Text().trimmed(), date))
        date = Now().date();
    TxCalendarForm calendar(this);
    calendar.SetDate(date);
    if (calendar.ShowModal() == mrOk)
        SetEditText(DateToStr(calendar.Date()));
}

bool TxDBEdit::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == label_ && e->type() == QEvent::MouseButtonRelease && buttonStyle_ != bsNone &&
        static_cast<QMouseEvent *>(e)->button() == Qt::LeftButton) {
        ButtonClick();
        return true;
    }
    // Before the edit shows the field's text for editing, the field takes the mask given with the control.
    if (watched == edit_ && e->type() == QEvent::FocusIn && !EditMask.isEmpty())
        if (TField *f = edit_->Field())
            f->EditMask = EditMask;
    if (watched == edit_ && e->type() == QEvent::KeyPress) {
        auto *ke = static_cast<QKeyEvent *>(e);
        // The edit takes its length from the field as it shows it; the control's own limit holds for typing.
        if (const int most = std::max(maxLength_, int(edit_->text().size()));
            maxLength_ > 0 && edit_->maxLength() != most) {
            // Setting the length sets the text anew: what was selected stays selected.
            const int start = edit_->selectionStart(), length = edit_->selectionLength();
            const int cursor = edit_->cursorPosition();
            edit_->setMaxLength(most);
            if (start >= 0)
                edit_->setSelection(start, length);
            else
                edit_->setCursorPosition(cursor);
        }
        int key = ke->key();
        if (OnKeyDown) {
            OnKeyDown(key, ke->modifiers());
            // Enter belongs to the form's handler: neither the edit nor the form moves the focus on it.
            if (key == Qt::Key_Return || key == Qt::Key_Enter)
                key = 0;
        } else if (EnterToTab && !(ke->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            MoveFocusByKey(edit_, key);
        }
        if (key == 0)
            return true;
    }
    return TxCaptionedControl::eventFilter(watched, e);
}
