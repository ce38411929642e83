#include "Form.h"

#include "BitBtn.h"
#include "DBControls.h"
#include "DBGrid.h"
#include "Dialogs.h"
#include "Guarded.h"
#include "platform/db/DataSet.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScreen>
#include <QStatusBar>
#include <QTextEdit>
#include <QTimer>

#include <utility>

namespace {
QPointer<QWidget> &mainForm()
{
    static QPointer<QWidget> form;
    return form;
}

// Controls that use Enter themselves: multi-line texts and grids.
bool wantsReturn(const QWidget *w)
{
    return qobject_cast<const QPlainTextEdit *>(w) || qobject_cast<const QTextEdit *>(w) ||
           qobject_cast<const QAbstractItemView *>(w);
}

bool isActive(const TButton *b)
{
    return b->isVisible() && b->isEnabled();
}

// The one application filter through which every form sees the program's events, the newest form first. Each
// event goes to the forms that were there when it came: a form made while one is handled (a list opened from a
// click) neither sees it nor, by joining the application's filters, makes the form handling it see it again.
class TFormsFilter : public QObject {
public:
    static void add(TForm *form)
    {
        static QPointer<TFormsFilter> filter;
        if (!filter) {
            filter = new TFormsFilter(qApp);
            qApp->installEventFilter(filter);
        }
        forms().prepend(form);
    }
    static void remove(TForm *form) { forms().removeAll(form); }

protected:
    bool eventFilter(QObject *watched, QEvent *e) override
    {
        const QList<QPointer<TForm>> now = forms();
        for (const QPointer<TForm> &form : now)
            if (form && static_cast<QObject *>(form.data())->eventFilter(watched, e))
                return true;
        return false;
    }

private:
    using QObject::QObject;
    static QList<QPointer<TForm>> &forms()
    {
        static QList<QPointer<TForm>> list;
        return list;
    }
};

bool typing(const TDataSet *ds)
{
    return ds->State() == dsEdit || ds->State() == dsInsert;
}

// Whether the focused control of the window holds a change of the data set's row not yet written to it: a
// data-aware edit with typed text, or a grid's open cell editor.
bool controlHoldsChange(const QWidget *window, const TDataSet *ds)
{
    for (QWidget *w = window->focusWidget(); w && w != window; w = w->parentWidget()) {
        if (auto *control = dynamic_cast<TDBControl *>(w))
            return control->DataLink().Modified() && control->DataLink().DataSet() == ds;
        if (auto *grid = qobject_cast<TDBGrid *>(w))
            return grid->EditorMode() && grid->DataSource() && grid->DataSource()->DataSet() == ds;
    }
    return false;
}
} // namespace

QWidget *ApplicationMainForm()
{
    return mainForm();
}

void SetApplicationMainForm(QWidget *form)
{
    mainForm() = form;
}

TForm::TForm(QWidget *owner) : QDialog(owner)
{
    // Key preview sees every key of the application before the focused control; only this form's
    // keys are taken.
    TFormsFilter::add(this);
}

TForm::~TForm()
{
    TFormsFilter::remove(this);
    // The form's own members are gone by now, but its controls live until the base widget deletes them, and
    // hiding the window takes the focus from one of them: a handler of "left the field" (or of any other
    // signal) connected to the form would run on a half-destroyed form. The controls go silent towards it.
    for (QObject *child : findChildren<QObject *>())
        disconnect(child, nullptr, this, nullptr);
}

int TForm::ShowModal()
{
    // A click queued before the form came up (a button's letter) may ask for it again from inside its own
    // modal loop: a second loop would leave the first one's result and edit to the second.
    if (inModal_) {
        raise();
        activateWindow();
        return mrNone;
    }
    modalResult_ = mrNone;
    inModal_ = true;
    // A form made once and kept stands above the window it is opened from, not behind the main window.
    TModalOwnership owned(this);
    exec();
    inModal_ = false;
    if (modalResult_ == mrNone)
        modalResult_ = mrCancel;
    return modalResult_;
}

void TForm::SetModalResult(int result)
{
    ++resultsSet_;
    modalResult_ = result;
    if (result != mrNone && inModal_)
        QMetaObject::invokeMethod(this, &TForm::closeModal, Qt::QueuedConnection);
}

void TForm::closeModal()
{
    if (!inModal_ || modalResult_ == mrNone || closing_)
        return;
    closing_ = true;
    // The form's own objection first: unsaved data is asked about only when the close would go on.
    bool saved = false;
    if (!CloseQuery() || (modalResult_ != mrOk && !settleUnsaved(saved))) {
        closing_ = false;
        settled_ = false;
        modalResult_ = mrNone;
        return;
    }
    // Stored on the question: the caller sees the result of the window's Zapíš.
    if (saved)
        modalResult_ = mrOk;
    TCloseAction action = caHide;
    if (OnClose)
        OnClose(action);
    closing_ = false;
    if (action == caNone) {
        modalResult_ = mrNone;
        return;
    }
    QDialog::done(modalResult_);
    if (action == caFree)
        deleteLater();
}

bool TForm::CloseQuery()
{
    bool canClose = true;
    if (OnCloseQuery)
        OnCloseQuery(canClose);
    return canClose;
}

void TForm::Close()
{
    if (inModal_) {
        SetModalResult(mrCancel);
        return;
    }
    if (closing_)
        return;
    closing_ = true;
    bool saved = false;
    if (!CloseQuery() || !settleUnsaved(saved)) {
        closing_ = false;
        settled_ = false;
        return;
    }
    TCloseAction action = caHide;
    if (OnClose)
        OnClose(action);
    closing_ = false;
    switch (action) {
    case caNone:
        break;
    case caHide:
        hide();
        break;
    case caFree:
        hide();
        deleteLater();
        break;
    case caMinimize:
        showMinimized();
        break;
    }
}

void TForm::done(int result)
{
    if (inModal_)
        SetModalResult(result == QDialog::Accepted ? mrOk : result == QDialog::Rejected ? mrCancel : result);
    else
        Close();
}

void TForm::accept()
{
    done(mrOk);
}

// The window's close button and Qt's own reject paths end as a cancel.
void TForm::reject()
{
    done(mrCancel);
}

void TForm::SelectNext(bool forward)
{
    focusNextPrevChild(forward);
}

void TForm::SetTabOrder(const QList<QWidget *> &widgets)
{
    for (int i = 1; i < widgets.size(); ++i)
        QWidget::setTabOrder(widgets[i - 1], widgets[i]);
}

QStatusBar *TForm::StatusBar()
{
    if (!statusBar_) {
        statusBar_ = new QStatusBar(this);
        statusBar_->setSizeGripEnabled(false);
        placeStatusBar();
        statusBar_->show();
    }
    return statusBar_;
}

QString TForm::StatusText() const
{
    return statusBar_ ? statusBar_->currentMessage() : QString();
}

void TForm::SetStatusText(const QString &text)
{
    StatusBar()->showMessage(text);
}

void TForm::placeStatusBar()
{
    if (!statusBar_)
        return;
    const int h = statusBar_->sizeHint().height();
    statusBar_->setGeometry(0, height() - h, width(), h);
    // A layout of the form keeps clear of the bar.
    QMargins m = contentsMargins();
    if (m.bottom() != h) {
        m.setBottom(h);
        setContentsMargins(m);
    }
}

TButton *TForm::DefaultButton() const
{
    for (TButton *b : findChildren<TButton *>())
        if (b->Default() && isActive(b))
            return b;
    return nullptr;
}

bool TForm::FocusStaysInside() const
{
    const QWidget *focus = QApplication::focusWidget();
    return focus && focus->window() == this;
}

QAbstractButton *TForm::CancelButton() const
{
    if (cancelButton_ && cancelButton_->isVisible() && cancelButton_->isEnabled())
        return cancelButton_;
    for (TButton *b : findChildren<TButton *>())
        if (b->Cancel() && isActive(b))
            return b;
    return nullptr;
}

void TForm::SetCancelButton(QAbstractButton *button)
{
    cancelButton_ = button;
}

void TForm::SetUnsavedData(TUnsavedData data)
{
    unsaved_ = std::move(data);
    for (const QMetaObject::Connection &c : discardClicks_)
        disconnect(c);
    discardClicks_.clear();
    for (QAbstractButton *b : unsaved_.Discard)
        discardClicks_.push_back(connect(b, &QAbstractButton::clicked, this, [this] {
            settled_ = true;
            settleForThisClickOnly();
        }));
}

// The close a click sets off runs once the click is done (a modal form closes from the event loop); a click
// that closed nothing leaves the next close to ask again.
void TForm::settleForThisClickOnly()
{
    QMetaObject::invokeMethod(
        this,
        [this] {
            QMetaObject::invokeMethod(
                this, [this] { settled_ = false; }, Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

bool TForm::HoldsUnsavedData() const
{
    const auto typed = [this](const TDataSet *ds) {
        return ds->Active() && typing(ds) && (ds->Modified() || controlHoldsChange(this, ds));
    };
    // Rows also wait in the cache, posted and not stored; a record is the one being typed.
    for (const TDataSet *ds : unsaved_.Rows)
        if (typed(ds) || (ds->Active() && ds->CachedUpdates() && ds->PostedUpdatesPending()))
            return true;
    for (const TDataSet *ds : unsaved_.Records)
        if (typed(ds))
            return true;
    return unsaved_.Typed && unsaved_.Typed();
}

bool TForm::settleUnsaved(bool &saved)
{
    saved = false;
    const bool settled = std::exchange(settled_, false);
    if (settled || !unsaved_.Save || !HoldsUnsavedData())
        return true;
    switch (MessageDlg(QString::fromUtf8("Uložiť zmeny?"), mtConfirmation, mbYesNoCancel, mbYes)) {
    case mrYes: {
        // A refused save leaves the focus where the user was, for the correction.
        const QPointer<QWidget> focus = focusWidget();
        saved = Guarded([this] {
            CommitFocusedControl(this);
            unsaved_.Save();
        });
        if (!saved && focus && !focusWidget())
            focus->setFocus(Qt::OtherFocusReason);
        return saved;
    }
    case mrNo:
        dropUnsaved();
        return true;
    default:
        return false;
    }
}

void TForm::dropUnsaved()
{
    // The rows first: their master record may be a record of the window.
    for (TDataSet *ds : unsaved_.Rows)
        Guarded([ds] {
            if (ds->Active() && typing(ds))
                ds->Cancel();
            if (ds->Active() && ds->CachedUpdates() && ds->UpdatesPending())
                ds->CancelUpdates();
        });
    for (TDataSet *ds : unsaved_.Records)
        Guarded([ds] {
            if (ds->Active() && typing(ds))
                ds->Cancel();
        });
}

bool TForm::cancelTypedRow()
{
    for (TDataSet *ds : unsaved_.Rows)
        if (ds->Active() && typing(ds)) {
            Guarded([this, ds] {
                if (unsaved_.CancelRow)
                    unsaved_.CancelRow();
                else
                    ds->Cancel();
            });
            return true;
        }
    return false;
}

void TForm::KeyDown(int &key, Qt::KeyboardModifiers modifiers)
{
    if (OnKeyDown)
        OnKeyDown(key, modifiers);
}

bool TForm::eventFilter(QObject *watched, QEvent *e)
{
    if (e->type() != QEvent::KeyPress || !KeyPreview || !watched->isWidgetType())
        return QDialog::eventFilter(watched, e);
    auto *w = static_cast<QWidget *>(watched);
    // Propagation shows the same key to the parents again; preview it once, at the focused control.
    QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : this;
    if (w != target || w->window() != this)
        return QDialog::eventFilter(watched, e);
    auto *ke = static_cast<QKeyEvent *>(e);
    int key = ke->key();
    KeyDown(key, ke->modifiers());
    return key == 0;
}

void TForm::keyPressEvent(QKeyEvent *e)
{
    // Only keys the focused control left alone arrive here.
    const int key = e->key();
    const bool plain = (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && plain) {
        QWidget *focus = focusWidget();
        if (auto *button = qobject_cast<QPushButton *>(focus)) {
            button->click();
        } else if (TButton *def = DefaultButton()) {
            def->click();
        } else if (!focus || !wantsReturn(focus)) {
            SelectNext(true);
        }
        e->accept();
        return;
    }
    // Escape that no control took (an edit holding a change, an open cell editor and a grid's row in edit
    // take it first) presses the Cancel button. A window without one closes as by its title bar's button:
    // the same modal result, the same OnCloseQuery and OnClose, so a pending change is dealt with as there.
    // A form shown inside another window leaves the key to that window.
    // A window holding typed rows gives up the row being typed first; the next Escape closes it, asking
    // about what is still unsaved before its Cancel button (which may be Nezapíš) is pressed.
    if (key == Qt::Key_Escape && plain) {
        if (!isWindow() && !CancelButton()) {
            e->ignore();
            return;
        }
        e->accept();
        if (cancelTypedRow())
            return;
        bool saved = false;
        if (HoldsUnsavedData() && (!CloseQuery() || !settleUnsaved(saved)))
            return;
        if (saved) {
            done(mrOk);
            return;
        }
        settled_ = true; // answered (or nothing to ask): the close below does not ask again
        settleForThisClickOnly();
        if (QAbstractButton *cancel = CancelButton())
            cancel->click();
        else
            reject();
        return;
    }
    QWidget::keyPressEvent(e);
}

bool TForm::event(QEvent *e)
{
    switch (e->type()) {
    case QEvent::WindowActivate:
        if (OnActivate)
            OnActivate();
        break;
    case QEvent::WindowDeactivate:
        if (OnDeactivate)
            OnDeactivate();
        break;
    default:
        break;
    }
    return QDialog::event(e);
}

void TForm::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    centre();
    if (OnShow)
        OnShow();
}

void TForm::hideEvent(QHideEvent *e)
{
    QDialog::hideEvent(e);
    if (!e->spontaneous() && OnHide)
        OnHide();
}

void TForm::resizeEvent(QResizeEvent *e)
{
    QDialog::resizeEvent(e);
    placeStatusBar();
}

void TForm::centre()
{
    QRect area;
    QWidget *owner = parentWidget() ? parentWidget()->window() : nullptr;
    if (Position == poOwnerFormCenter && owner && owner->isVisible())
        area = owner->frameGeometry();
    else if (Position != poDesigned) {
        QScreen *s = screen() ? screen() : QGuiApplication::primaryScreen();
        if (s)
            area = s->availableGeometry();
    }
    if (!area.isValid())
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(area.center());
    move(frame.topLeft());
}

void SelectNextControl(QWidget *from, bool forward)
{
    if (!from)
        return;
    if (auto *form = qobject_cast<TForm *>(from->window())) {
        if (QApplication::focusWidget() != from && from->focusPolicy() != Qt::NoFocus)
            from->setFocus();
        form->SelectNext(forward);
        return;
    }
    // Other windows: the same key a user would press.
    QKeyEvent tab(QEvent::KeyPress, forward ? Qt::Key_Tab : Qt::Key_Backtab,
                  forward ? Qt::NoModifier : Qt::ShiftModifier);
    QCoreApplication::sendEvent(from->window(), &tab);
}

bool FocusWentToClickedButton(const QFocusEvent *e)
{
    return e && e->reason() == Qt::MouseFocusReason && qobject_cast<QAbstractButton *>(QApplication::focusWidget());
}

void FocusAgainLater(QWidget *control)
{
    QTimer::singleShot(0, control, [control] {
        if (!control->isVisible() || !control->isEnabled())
            return;
        control->setFocus(Qt::OtherFocusReason);
        if (auto *edit = qobject_cast<QLineEdit *>(control))
            edit->selectAll();
    });
}
