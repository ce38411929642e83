// The message facade: every message box, question and input box of the program goes through one
// responder, which shows real dialogs, or (in tests) records what was asked and answers from a queue.
#pragma once

#include "ModalResult.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <QWidget>
#include <deque>

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

// Buttons of a message box, combined with |.
enum TMsgDlgBtn {
    mbNone = 0,
    mbYes = 0x1,
    mbNo = 0x2,
    mbOK = 0x4,
    mbCancel = 0x8,
    mbAbort = 0x10,
    mbRetry = 0x20,
    mbIgnore = 0x40,
    mbAll = 0x80,
    mbNoToAll = 0x100,
    mbYesToAll = 0x200,
};
using TMsgDlgButtons = int;
constexpr TMsgDlgButtons mbYesNo = mbYes | mbNo;
constexpr TMsgDlgButtons mbYesNoCancel = mbYes | mbNo | mbCancel;
constexpr TMsgDlgButtons mbOKCancel = mbOK | mbCancel;

// The modal result a button gives (mbOK -> mrOk, mbYes -> mrYes, ...).
int ButtonResult(TMsgDlgBtn button);

// What closing a box without a button gives: Cancel, else No, else OK.
int EscapeResult(TMsgDlgButtons buttons);

// One message box as asked.
struct TMessageRequest {
    QString Text;
    QString Caption; // empty: the application's title
    TMsgDlgType Type = mtCustom;
    TMsgDlgButtons Buttons = mbOK;
    TMsgDlgBtn DefaultButton = mbNone; // mbNone: the first button
    bool Beep = false;
};

// One input box as asked.
struct TInputRequest {
    QString Caption;
    QString Prompt;
    QString Value; // the proposal
    bool Password = false;
};

// One file chooser as asked.
struct TFileRequest {
    QString Caption;
    QString Proposal;       // a folder or a file name
    QString Filters;        // "Text (*.txt);;CSV (*.csv)"
    QString SelectedFilter; // the filter chosen at first
    bool Save = true;
};

// Answers the boxes. The default one shows Qt dialogs.
class TMessageResponder {
public:
    virtual ~TMessageResponder() = default;
    // Returns the modal result of the button pressed (mrCancel or mrNo when the box was closed).
    virtual int Message(const TMessageRequest &request) = 0;
    // True with value set when the user confirmed.
    virtual bool Input(const TInputRequest &request, QString &value) = 0;
    // The chosen file (empty when cancelled); selectedFilter gets the filter chosen.
    virtual QString File(const TFileRequest &request, QString &selectedFilter) = 0;
};

// The responder in force; SetMessageResponder(nullptr) restores the dialogs.
TMessageResponder &MessageResponder();
void SetMessageResponder(TMessageResponder *responder);

// A box with text, buttons and icon by type; the caption by type as the platform names it.
int MessageDlg(const QString &text, TMsgDlgType type, TMsgDlgButtons buttons, TMsgDlgBtn defaultButton = mbNone);
// A box with its own caption.
int MessageBox(const QString &text, const QString &caption, TMsgDlgType type, TMsgDlgButtons buttons,
               TMsgDlgBtn defaultButton = mbNone);
// A plain box with an OK button under the application's title.
void ShowMessage(const QString &text);
// A beep, then the text under "Výstraha" with the error icon and an OK button.
void ShowError(const QString &text);
// Yes and No with the exclamation icon; true for Yes.
bool Confirm(const QString &text, const QString &caption);
// An information box with an OK button.
void Information(const QString &text, const QString &caption = QString());
// Asks for the name of a file to write (or to read when save is false); empty when cancelled.
QString ChooseFileName(const QString &caption, const QString &proposal, const QString &filters,
                       QString *selectedFilter = nullptr, bool save = true);
// Asks for a text; value holds the proposal and receives the answer only on OK.
bool InputQuery(const QString &caption, const QString &prompt, QString &value);
// The same with the typed text hidden (a password).
bool PasswordQuery(const QString &caption, const QString &prompt, QString &value);
// The answer, or the proposal when cancelled.
QString InputBox(const QString &caption, const QString &prompt, const QString &proposal);

// The window a dialog opened now belongs to: the active window, else the modal window in front, else the main
// window. A dialog owned so stays above it, and closing hands the activation back to it.
QWidget *ModalOwner();
// While it lives, a dialog made earlier and kept for reuse belongs to ModalOwner() (a window inside the
// dialog itself is passed over); then again to the owner it had, which outlives it.
class TModalOwnership {
public:
    explicit TModalOwnership(QWidget *dialog);
    ~TModalOwnership();
    TModalOwnership(const TModalOwnership &) = delete;
    TModalOwnership &operator=(const TModalOwnership &) = delete;

private:
    QPointer<QWidget> dialog_;
    QPointer<QWidget> home_;
};
// The width an input box needs to show its whole title (beside the window manager's buttons) and its prompt,
// within the screen.
int InputBoxWidth(const QString &caption, const QString &prompt, const QWidget *box);

// For tests: installs itself while it lives, records every box asked and answers from its queues.
// With an empty queue a message box gets its cancelling answer (Cancel, else No, else OK) and an input
// box is cancelled.
class TTestResponder : public TMessageResponder {
public:
    TTestResponder();
    ~TTestResponder() override;
    int Message(const TMessageRequest &request) override;
    bool Input(const TInputRequest &request, QString &value) override;
    QString File(const TFileRequest &request, QString &selectedFilter) override;

    // Answers in order: modal results for message boxes; for input boxes a text (OK) or a null QVariant
    // (Cancel); for file choosers a file name (empty: cancel), with the filter chosen in FilterAnswers
    // (empty queue: the one proposed).
    std::deque<int> MessageAnswers;
    std::deque<QVariant> InputAnswers;
    std::deque<QString> FileAnswers;
    std::deque<QString> FilterAnswers;
    QList<TMessageRequest> Messages;
    QList<TInputRequest> Inputs;
    QList<TFileRequest> Files;
    // The texts of all message boxes, in order.
    QStringList Texts() const;

private:
    TMessageResponder *previous_;
};
