#include "DBControls.h"

#include "Dialogs.h"
#include "Form.h"
#include "Guarded.h"
#include "platform/db/DataSet.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>

int TypingLength(const TField *field, const QString &text, int limit)
{
    if (limit <= 0)
        limit = field && IsStringType(field->DataType()) ? field->Size() : 0;
    if (limit <= 0)
        return 32767;
    return std::max(limit, int(text.size()));
}

// ---------------------------------------------------------------- TDBControl

namespace {

// A command given while a data-aware control holds a typed change: a click on a button (a tool button takes
// no focus, so no focus change writes the change for it), a shortcut (a button's Alt letter, an action's
// key), a menu item chosen. The change goes into its field first, as a focus change would write it, so the
// command works on what the screen shows.
class TCommandWritesPendingEdit : public QObject {
public:
    bool eventFilter(QObject *watched, QEvent *e) override
    {
        QWidget *window = nullptr;
        switch (e->type()) {
        case QEvent::MouseButtonPress:
            if (auto *button = qobject_cast<QAbstractButton *>(watched);
                button && button->isEnabled() && static_cast<QMouseEvent *>(e)->button() == Qt::LeftButton)
                window = button->window();
            break;
        case QEvent::MouseButtonRelease: // a menu item is chosen as the button is let go over it
            if (qobject_cast<QMenu *>(watched))
                window = QApplication::activeWindow();
            break;
        case QEvent::KeyPress:
            if (const int key = static_cast<QKeyEvent *>(e)->key();
                qobject_cast<QMenu *>(watched) && (key == Qt::Key_Return || key == Qt::Key_Enter))
                window = QApplication::activeWindow();
            break;
        case QEvent::Shortcut:
            window = QApplication::activeWindow();
            break;
        default:
            break;
        }
        if (window)
            writePending(window);
        return false;
    }

private:
    static void writePending(QWidget *window)
    {
        for (QWidget *w = window->focusWidget(); w && w != window; w = w->parentWidget())
            if (auto *control = dynamic_cast<TDBControl *>(w)) {
                control->WritePending();
                return;
            }
    }
};

void writeEditsBeforeCommands()
{
    static QPointer<TCommandWritesPendingEdit> filter;
    if (filter || !qApp)
        return;
    filter = new TCommandWritesPendingEdit;
    filter->setParent(qApp);
    qApp->installEventFilter(filter);
}

} // namespace

TDBControl::TDBControl(QWidget *self) : self_(self)
{
    writeEditsBeforeCommands();
    link_.OnDataChange = [this] {
        if (holding_)
            return;
        showing_ = true;
        ShowField();
        showing_ = false;
    };
    link_.OnEditingChange = [this] {
        if (holding_)
            return;
        UpdateReadOnly();
        if (!link_.Modified())
            link_.OnDataChange();
    };
    link_.OnActiveChange = [this] { UpdateReadOnly(); };
    link_.OnUpdateData = [this] { WriteRefused(); };
    link_.OnFocusControl = [this] { self_->setFocus(); };
}

void TDBControl::SetReadOnly(bool on)
{
    link_.ReadOnly = on;
    UpdateReadOnly();
}

bool TDBControl::Editable() const
{
    return !link_.ReadOnly && (!link_.Field() || link_.CanModify());
}

void TDBControl::WriteRefused()
{
    try {
        WriteField();
        refused_ = false;
    } catch (...) {
        refused_ = true;
        // Taking the focus back from a clicked button would undo its click. On leaving, the focus comes back
        // once the leaving and the message are over (see CommitOnExit).
        if (!quietWrite_ && !leaving_)
            FocusAgainLater(self_);
        throw;
    }
}

bool TDBControl::UserChanged()
{
    if (showing_)
        return true;
    refused_ = false;
    if (!link_.Editing()) {
        // Starting the edit re-reads the record; the value the user just gave must survive it.
        holding_ = true;
        bool editing = false;
        try {
            editing = link_.Field() && link_.CanModify() && link_.Edit();
        } catch (const EAbort &) {
        } catch (const Exception &e) {
            holding_ = false;
            ShowError(e.Message);
        }
        holding_ = false;
        if (!editing) {
            QApplication::beep();
            link_.OnDataChange();
            UpdateReadOnly();
            return false;
        }
        UpdateReadOnly();
    }
    link_.Modify();
    return true;
}

void TDBControl::Revert()
{
    link_.Reset();
}

bool TDBControl::RevertOnEscape(QKeyEvent *e, QLineEdit *edit)
{
    if (e->key() != Qt::Key_Escape || !link_.Modified())
        return false;
    Revert();
    edit->selectAll();
    e->accept();
    return true;
}

void TDBControl::CommitOnExit(const QFocusEvent *e)
{
    if (!link_.Modified())
        return;
    // The control's own list or menu, or the box that reports this very refusal, takes the focus for a while.
    if (e && (e->reason() == Qt::PopupFocusReason || (e->reason() == Qt::ActiveWindowFocusReason && refused_)))
        return;
    if (!FocusWentToClickedButton(e)) {
        leaving_ = true;
        const bool written = Guarded([&] { link_.UpdateRecord(); });
        leaving_ = false;
        // Asked only now: a return asked before would be done inside the message box, and the rest of the
        // leaving would drop the selection again.
        if (!written && link_.Modified())
            FocusAgainLater(self_);
        return;
    }
    WritePending();
}

void TDBControl::WritePending()
{
    if (!link_.Modified())
        return;
    quietWrite_ = true;
    try {
        link_.UpdateRecord();
    } catch (const std::exception &) {
        // Still pending, said once: the button's save refuses it with its message, a cancel drops it.
    }
    quietWrite_ = false;
}

void CommitFocusedControl(QWidget *window)
{
    QWidget *focus = window->focusWidget();
    if (!focus)
        return;
    for (QWidget *w = focus; w && w != window; w = w->parentWidget())
        if (auto *control = dynamic_cast<TDBControl *>(w)) {
            control->DataLink().UpdateRecord();
            break;
        }
    focus->clearFocus();
}

// ---------------------------------------------------------------- TDBEdit

TDBEdit::TDBEdit(QWidget *parent) : TMaskEdit(parent), TDBControl(this)
{
    connect(this, &QLineEdit::textEdited, this, [this] { UserChanged(); });
}

void TDBEdit::ShowField()
{
    TField *f = Field();
    const bool editing = f && hasFocus() && link_.CanModify();
    QString mask = editing ? f->EditMask : QString();
    QString text = !f ? QString() : editing ? f->Text() : f->DisplayText();
    // A number edited in a mask of digit places around a point takes the mask's shape ("12   .50"), so that
    // each digit stands in its place whatever separator the locale writes. A number the mask has no room for
    // (123456 in "99999.99") is edited without it: cut to the mask's places it would be saved cut.
    if (editing && !mask.isEmpty() && IsNumericType(f->DataType()) && !f->IsNull()) {
        const TEditMask numberMask(mask);
        QString shaped;
        if (numberMask.NumberText(f->AsFloat(), shaped))
            text = shaped;
        else if (numberMask.IsNumberMask())
            mask.clear();
    }
    if (mask != EditMask())
        SetEditMask(mask);
    // The limit (or the field's size) limits typing, never what is displayed.
    if (mask.isEmpty())
        setMaxLength(editing ? TypingLength(f, text, MaxLength) : 32767);
    if (text != Text())
        SetText(text);
}

void TDBEdit::WriteField()
{
    Field()->SetText(Text());
}

void TDBEdit::UpdateReadOnly()
{
    setReadOnly(!Editable());
}

void TDBEdit::keyPressEvent(QKeyEvent *e)
{
    if (!AltCommandKey(e) && !RevertOnEscape(e, this))
        TMaskEdit::keyPressEvent(e);
}

void TDBEdit::focusInEvent(QFocusEvent *e)
{
    TMaskEdit::focusInEvent(e);
    // Entered by keys the whole text is selected, so what is typed replaces it; showing the edit text in the
    // place of the display text must keep that selection.
    const bool selected = hasSelectedText() && selectedText() == text();
    if (!link_.Modified())
        link_.OnDataChange();
    if (selected && !hasSelectedText())
        selectAll();
}

void TDBEdit::focusOutEvent(QFocusEvent *e)
{
    CommitOnExit(e);
    TMaskEdit::focusOutEvent(e);
    if (!link_.Modified())
        link_.OnDataChange();
}

// ---------------------------------------------------------------- TDBText

TDBText::TDBText(QWidget *parent) : QLabel(parent), TDBControl(this)
{
    link_.ReadOnly = true;
    // A stored text is shown as it is: one that begins like markup is never drawn as rich text (which
    // could ask for huge pictures or read local files).
    setTextFormat(Qt::PlainText);
}

void TDBText::ShowField()
{
    TField *f = Field();
    setText(f ? f->DisplayText() : QString());
}

// ---------------------------------------------------------------- TDBComboBox

TDBComboBox::TDBComboBox(QWidget *parent) : QComboBox(parent), TDBControl(this)
{
    SetStyle(csDropDown);
    connect(this, &QComboBox::activated, this, [this] { UserChanged(); });
}

void TDBComboBox::SetStyle(TComboStyle style)
{
    style_ = style;
    setEditable(style == csDropDown);
    if (lineEdit())
        connect(lineEdit(), &QLineEdit::textEdited, this, [this] { UserChanged(); });
    link_.OnDataChange();
}

void TDBComboBox::SetItems(const QStringList &items)
{
    showing_ = true;
    clear();
    addItems(items);
    showing_ = false;
    link_.OnDataChange();
}

void TDBComboBox::ShowField()
{
    TField *f = Field();
    const QString text = f ? f->Text() : QString();
    if (lineEdit())
        lineEdit()->setMaxLength(TypingLength(f, text));
    if (style_ == csDropDown) {
        if (currentText() != text)
            setEditText(text);
    } else {
        setCurrentIndex(findText(text));
    }
}

void TDBComboBox::WriteField()
{
    Field()->SetText(currentText());
}

void TDBComboBox::UpdateReadOnly()
{
    if (lineEdit())
        lineEdit()->setReadOnly(!Editable());
}

void TDBComboBox::keyPressEvent(QKeyEvent *e)
{
    if (!AltCommandKey(e))
        QComboBox::keyPressEvent(e);
}

void TDBComboBox::focusOutEvent(QFocusEvent *e)
{
    CommitOnExit(e);
    QComboBox::focusOutEvent(e);
}

// ---------------------------------------------------------------- TDBCheckBox

TDBCheckBox::TDBCheckBox(QWidget *parent) : QCheckBox(parent), TDBControl(this)
{
    connect(this, &QCheckBox::clicked, this, [this] { UserChanged(); });
}

static bool matchesOneOf(const QString &text, const QString &list)
{
    const QStringList items = list.split(QLatin1Char(';'));
    for (const QString &item : items)
        if (text.compare(item.trimmed(), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

void TDBCheckBox::ShowField()
{
    TField *f = Field();
    bool on = false;
    if (f && !f->IsNull())
        on = f->DataType() == ftBoolean ? f->AsBoolean() : matchesOneOf(f->AsString().trimmed(), ValueChecked);
    setChecked(on);
}

void TDBCheckBox::WriteField()
{
    TField *f = Field();
    if (f->DataType() == ftBoolean) {
        f->SetAsBoolean(isChecked());
        return;
    }
    f->SetText((isChecked() ? ValueChecked : ValueUnchecked).section(QLatin1Char(';'), 0, 0).trimmed());
}

void TDBCheckBox::UpdateReadOnly()
{
    setAttribute(Qt::WA_TransparentForMouseEvents, !Editable());
    setFocusPolicy(Editable() ? Qt::StrongFocus : Qt::NoFocus);
}

void TDBCheckBox::focusOutEvent(QFocusEvent *e)
{
    CommitOnExit(e);
    QCheckBox::focusOutEvent(e);
}

// ---------------------------------------------------------------- TDBMemo

TDBMemo::TDBMemo(QWidget *parent) : QPlainTextEdit(parent), TDBControl(this)
{
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, this, [this] { UserChanged(); });
}

void TDBMemo::ShowField()
{
    TField *f = Field();
    QString text = f ? f->AsString() : QString();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (text != toPlainText())
        setPlainText(text);
}

void TDBMemo::WriteField()
{
    QString text = toPlainText();
    text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    Field()->SetText(text);
}

void TDBMemo::UpdateReadOnly()
{
    setReadOnly(!Editable());
}

namespace {

// The characters a text takes in the field, where every line end is CR LF.
int storedLength(const QString &text)
{
    int n = int(text.size());
    for (QChar c : text)
        if (c == QLatin1Char('\n') || c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            ++n;
    return n;
}

// The longest start of a text that takes at most `room` characters in the field.
QString fitting(const QString &text, int room)
{
    int used = 0;
    qsizetype i = 0;
    for (; i < text.size(); ++i) {
        used += storedLength(QString(text[i]));
        if (used > room)
            break;
    }
    // A letter and its combining marks or a surrogate pair are kept or left whole.
    while (i > 0 && i < text.size() && (text[i].isLowSurrogate() || text[i].category() == QChar::Mark_NonSpacing))
        --i;
    return text.left(i);
}

} // namespace

int TDBMemo::room() const
{
    const TField *f = Field();
    const int most = MaxLength > 0 ? MaxLength : f && IsStringType(f->DataType()) ? f->Size() : 0;
    if (most <= 0)
        return -1;
    return most - storedLength(toPlainText()) + storedLength(textCursor().selectedText());
}

void TDBMemo::keyPressEvent(QKeyEvent *e)
{
    if (AltCommandKey(e))
        return;
    if (e->key() == Qt::Key_Escape && link_.Modified()) {
        Revert();
        e->accept();
        return;
    }
    // A letter or a new line that the field has no room for is not typed.
    const bool newLine = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    const QString typed = newLine ? QStringLiteral("\n") : e->text();
    if (!isReadOnly() && !typed.isEmpty() && (newLine || typed[0].isPrint()) &&
        !(e->modifiers() & Qt::ControlModifier)) {
        const int free = room();
        if (free >= 0 && storedLength(typed) > free) {
            QApplication::beep();
            e->accept();
            return;
        }
    }
    QPlainTextEdit::keyPressEvent(e);
}

void TDBMemo::insertFromMimeData(const QMimeData *source)
{
    const int free = room();
    if (free < 0 || !source->hasText()) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    QString text = source->text();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QString part = fitting(text, std::max(0, free));
    if (part.size() < text.size())
        QApplication::beep();
    if (part.isEmpty())
        return;
    QMimeData fitted;
    fitted.setText(part);
    QPlainTextEdit::insertFromMimeData(&fitted);
}

bool TDBMemo::event(QEvent *e)
{
    // Ctrl+Tab would type a tab character (Qt moves the focus only on plain Tab): it moves the focus too.
    if (e->type() == QEvent::KeyPress) {
        auto *ke = static_cast<QKeyEvent *>(e);
        if ((ke->key() == Qt::Key_Tab || ke->key() == Qt::Key_Backtab) && !(ke->modifiers() & Qt::AltModifier)) {
            const bool back = ke->key() == Qt::Key_Backtab || (ke->modifiers() & Qt::ShiftModifier);
            focusNextPrevChild(!back);
            return true;
        }
    }
    return QPlainTextEdit::event(e);
}

void TDBMemo::focusOutEvent(QFocusEvent *e)
{
    CommitOnExit(e);
    QPlainTextEdit::focusOutEvent(e);
}

// ---------------------------------------------------------------- TDBDateEdit

TDBDateEdit::TDBDateEdit(QWidget *parent) : TDateEdit(parent), TDBControl(this)
{
    MaskWhileEditing = false; // the field says when the date can be edited
    connect(this, &QLineEdit::textEdited, this, [this] { UserChanged(); });
}

void TDBDateEdit::ShowField()
{
    TField *f = Field();
    const bool editing = f && hasFocus() && link_.CanModify();
    const QString mask = editing ? TypingMask : QString();
    const bool remasked = mask != EditMask();
    if (remasked)
        SetEditMask(mask);
    const QDate date = !f ? QDate() : f->IsNull() ? NullDate() : f->AsDate();
    if (!editing && f && !f->IsNull()) {
        if (f->DisplayText() != text())
            SetText(f->DisplayText());
    } else if (remasked || date != Date() || (!date.isValid() && !TypedText().isEmpty())) {
        SetDate(date);
    }
}

void TDBDateEdit::WriteField()
{
    const QDate date = CheckedDate();
    if (date.isValid())
        Field()->SetAsDate(date);
    else
        Field()->Clear();
}

void TDBDateEdit::UpdateReadOnly()
{
    setReadOnly(!Editable());
}

void TDBDateEdit::DateChosen(const QDate &date)
{
    if (!UserChanged())
        return;
    SetDate(date);
}

void TDBDateEdit::keyPressEvent(QKeyEvent *e)
{
    if (!AltCommandKey(e) && !RevertOnEscape(e, this))
        TDateEdit::keyPressEvent(e);
}

void TDBDateEdit::ShowForEditing()
{
    if (!link_.Modified())
        link_.OnDataChange();
}

void TDBDateEdit::focusOutEvent(QFocusEvent *e)
{
    // First the edit's own leaving (it drops the selection), so that a refused date comes back selected.
    TMaskEdit::focusOutEvent(e);
    // Neither its own calendar nor a look at another window leaves the control.
    if (e->reason() == Qt::PopupFocusReason || e->reason() == Qt::ActiveWindowFocusReason)
        return;
    // The write is the date edit's check on leaving.
    CommitOnExit(e);
    if (!link_.Modified())
        link_.OnDataChange();
}
