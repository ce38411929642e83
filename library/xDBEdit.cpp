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
constexpr int kTopLabelHeight = 16;

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
    Layout();
}

void TxDBEdit::SetButtonStyle(TButtonStyle style)
{
    buttonStyle_ = style;
    button_->SetGlyph(glyphOf(style));
    button_->setVisible(style != bsNone);
    label_->setCursor(style != bsNone ? Qt::PointingHandCursor : Qt::ArrowCursor);
    Layout();
}

void TxDBEdit::Layout()
{
    const int w = width(), h = height();
    const int bw = buttonStyle_ != bsNone ? kButtonWidth : 0;
    if (labelPosition_ == lpLeft) {
        label_->setGeometry(0, 0, labelWidth_, h);
        edit_->setGeometry(labelWidth_, 0, std::max(0, w - labelWidth_ - bw), h);
        button_->setGeometry(w - bw, 0, bw, h);
    } else {
        label_->setGeometry(0, 0, w, kTopLabelHeight);
        edit_->setGeometry(0, kTopLabelHeight, std::max(0, w - bw), std::max(0, h - kTopLabelHeight));
        button_->setGeometry(w - bw, kTopLabelHeight, bw, std::max(0, h - kTopLabelHeight));
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
    if (watched == edit_ && e->type() == QEvent::KeyPress) {
        auto *ke = static_cast<QKeyEvent *>(e);
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
