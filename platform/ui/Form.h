// TForm: the dialog base of every window of the program. It keeps a modal result, previews keys, centres
// itself, moves the focus on Enter and closes on Escape through its Cancel button, as the users know it; a
// window without one closes on Escape as by its title bar's close button.
#pragma once

#include "ModalResult.h"

#include <QDialog>
#include <QAbstractButton>
#include <QList>
#include <QPointer>
#include <functional>
#include <vector>

class QFocusEvent;
class QStatusBar;
class TButton;
class TDataSet;

// What closing a form does to it: nothing, hide it, free it (later), minimise it.
enum TCloseAction { caNone, caHide, caFree, caMinimize };

// Where a form appears when shown.
enum TPosition { poDesigned, poScreenCenter, poOwnerFormCenter };

// What a window holds that the user typed and has not stored, and how its Zapíš stores it. A window that
// declares it is not closed (title bar, Escape, a Cancel or Koniec button) while such data is there without
// the question "Uložiť zmeny?": Áno stores it as Zapíš does (a refused save keeps the window open with
// everything typed), Nie drops it and closes, Zrušiť stays. Escape gives up the row being typed first.
struct TUnsavedData {
    // Data sets whose rows are typed one at a time (in a grid, on a detail page, from a scanner): a row in
    // edit or insert is the row being typed, which Escape gives up before it closes the window.
    std::vector<TDataSet *> Rows{};
    // Data sets whose current record the window edits as a whole (a dialog's record): only that record
    // counts, not other changes its data set may hold for another window.
    std::vector<TDataSet *> Records{};
    // What Zapíš stores; an error refuses it.
    std::function<void()> Save{};
    // How the row being typed is given up; without it, its data set's Cancel.
    std::function<void()> CancelRow{};
    // Typed data the data sets' states do not tell (rows made beforehand and filled in by the user).
    std::function<bool()> Typed{};
    // Buttons that drop the changes by their very meaning (Nezapíš): a click on them closes without the
    // question. Escape asks even where it presses one of them.
    std::vector<QAbstractButton *> Discard{};
};

class TForm : public QDialog {
    Q_OBJECT
public:
    explicit TForm(QWidget *owner = nullptr);
    ~TForm() override;

    // Shows the form modally and returns its modal result (mrCancel when it was closed otherwise). A form
    // already shown modally is only brought forward, and mrNone says it was not shown again.
    int ShowModal();
    bool ShownModally() const { return inModal_; }
    int ModalResult() const { return modalResult_; }
    // A non-zero result closes a modal form once the current event has been handled.
    void SetModalResult(int result);
    // How often a result has been set: a button that carries a result leaves the decision to a click handler
    // that set one itself, even mrNone.
    int ModalResultsSet() const { return resultsSet_; }
    // Closes the form: a modal one with mrCancel, a modeless one as its OnClose action says.
    void Close();
    // Asks OnCloseQuery whether the form may close.
    bool CloseQuery();

    // Keys go to OnKeyDown / KeyDown before the focused control sees them.
    bool KeyPreview = false;
    TPosition Position = poScreenCenter;

    // The focus moves as Tab (forward) or Shift+Tab (backward) would move it.
    void SelectNext(bool forward);
    // Tab order: each widget after the one before it.
    static void SetTabOrder(const QList<QWidget *> &widgets);

    // Status bar at the bottom of the form, made on first use.
    QStatusBar *StatusBar();
    QString StatusText() const;
    void SetStatusText(const QString &text);

    // Whether the focus is on a control of this form. Asked as a control loses the focus, it tells a move
    // inside the form (Tab, a click) from the form closing or another window coming up: a check on leaving a
    // field runs only for the former.
    bool FocusStaysInside() const;

    // The button Enter presses and the button Escape presses, when the form has them (shown and enabled).
    TButton *DefaultButton() const;
    QAbstractButton *CancelButton() const;
    // Makes a plain push button the one Escape presses, as a TButton's Cancel mark does.
    void SetCancelButton(QAbstractButton *button);

    // Declares what the window holds unsaved and how it is stored (see TUnsavedData); a new declaration
    // replaces the former one.
    void SetUnsavedData(TUnsavedData data);
    // Whether a declared data set holds a typed change not stored (also one still in the focused control).
    bool HoldsUnsavedData() const;

    // Hooks. Key codes are Qt::Key values; a handler that sets the key to 0 consumes it.
    std::function<void()> OnShow;
    std::function<void()> OnHide;
    std::function<void()> OnActivate;
    std::function<void()> OnDeactivate;
    std::function<void(TCloseAction &)> OnClose;
    std::function<void(bool &)> OnCloseQuery;
    std::function<void(int &key, Qt::KeyboardModifiers)> OnKeyDown;

    void done(int result) override;
    void accept() override;
    void reject() override;

protected:
    // Key preview for subclasses; the default calls OnKeyDown.
    virtual void KeyDown(int &key, Qt::KeyboardModifiers modifiers);

    bool event(QEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void hideEvent(QHideEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

private:
    void closeModal();
    // Before a close: true when it may go on (nothing unsaved, stored, or dropped); false to stay.
    bool settleUnsaved(bool &saved);
    // Escape over a row being typed gives it up; true when it did.
    bool cancelTypedRow();
    void dropUnsaved();
    void settleForThisClickOnly();
    void centre();
    void placeStatusBar();

    int modalResult_ = mrNone;
    int resultsSet_ = 0;
    bool inModal_ = false;
    bool closing_ = false;
    QStatusBar *statusBar_ = nullptr;
    QPointer<QAbstractButton> cancelButton_;
    TUnsavedData unsaved_;
    std::vector<QMetaObject::Connection> discardClicks_;
    bool settled_ = false; // the question was answered (or a discarding button pressed) for this close
};

// Moves the focus from a control to the next (or previous) control of its window, as Tab does.
void SelectNextControl(QWidget *from, bool forward);
// Whether a control lost the focus to a button pressed with the mouse: the button's own action (a save, a
// cancel) then decides what becomes of the control's value, and reports a refused one.
bool FocusWentToClickedButton(const QFocusEvent *e);
// Gives the focus back to a control once the current event is done (a refused value is corrected where it
// was typed); an edit's text is selected.
void FocusAgainLater(QWidget *control);

// The program's main window, owner of the dialogs that are made at run time; null until the shell sets it.
QWidget *ApplicationMainForm();
void SetApplicationMainForm(QWidget *form);
