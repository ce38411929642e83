// TQMsgForm (global QMsgForm): the list of the user's unhandled internal messages with reply, print and
// handled marks, and the check that finds new messages when the main window is activated.
#pragma once

#include "platform/ui/Form.h"

#include <QDateTime>

class QLabel;
class QMenu;
class QPushButton;
class TDataSource;
class TxDBGrid;
class TxQuery;

class TQMsgForm : public TForm {
    Q_OBJECT
public:
    explicit TQMsgForm(QWidget *owner = nullptr);
    ~TQMsgForm() override;

    QLabel *lPocet;
    TxDBGrid *Grid;
    QPushButton *BtnNova, *BtnOdpoved, *BtnTlac, *BtnKoniec;
    QMenu *PopupMenu;

    // Links the list to the messages' query (the named query "QMessages" of the base data module).
    void SetMessages(TDataSource *source);
    // Goes to the last message, remembers it as listed and shows the count.
    void ListShown();

    // The actions of the buttons and the pop-up menu.
    void NewMessage();
    void Reply();
    void PrintCurrent();
    void MarkCurrentHandled();
    // Marks the current message and every earlier one of the list.
    void MarkHandledUpToCurrent();

private:
    TDataSource *source_ = nullptr;
};

extern TQMsgForm *QMsgForm;

// What the message check remembers for the run.
struct TMessageCheckState {
    QDateTime LastCheck;   // the minute of the last check (null: none yet)
    int LastMessageId = 0; // the highest message listed so far
};
TMessageCheckState &MessageCheckState();

// Looks for the user's new unhandled messages (not forced: at most every 5 minutes, and only messages
// not listed yet), stamps them received and lists them; forced, it lists every unhandled one, even none.
void CheckMessages(bool force);
void MarkMessageHandled(int id);
void RefreshMessages(TQMsgForm *form);
// The query the list shows (made on first use).
TxQuery *MessageQuery();
// "Re: " + the subject, never two of them.
QString ReplyTitle(const QString &title);
