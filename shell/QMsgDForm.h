// TQMsgDForm (global QMsgDForm): composes an internal message to a user, to departments or to everybody and
// sends it, one row of QMessages per addressee; the printing of a message is here too.
#pragma once

#include "platform/ui/FormGlobal.h"
#include "platform/ui/Form.h"

#include <QDateTime>
#include <QVariant>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class TBitBtn;

// Department numbers of users (QUSERS.RDB_UTVAR); 0 addresses every user.
constexpr int MessageDepartments = 8;

class TQMsgDForm : public TForm {
    Q_OBJECT
public:
    explicit TQMsgDForm(QWidget *owner = nullptr);

    QComboBox *cbMSG_USER;
    QCheckBox *cbUtvar[MessageDepartments];
    QLineEdit *eMSG_TITLE;
    QPlainTextEdit *eMSG_TEXT;
    QLineEdit *eMSG_DATA;
    QLabel *lData;
    TBitBtn *BtnPosli;
    TBitBtn *BtnNezapis;

    // Fills the user combo with the users of QUsers.
    void FillUsers();

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;
};

extern TFormGlobal<TQMsgDForm> QMsgDForm;

// Puts a message into the form; modal: the user sends or cancels it, else it is sent at once unseen.
void ComposeMessage(TQMsgDForm *form, const QString &recipient, const QString &title, const QString &text, int document,
                    bool modal);
// Sends what the form holds; the number of rows (addressees) written. On screen, a message sent to
// nobody is reported as such, a sent one offers to print it.
int SendComposedMessage(TQMsgDForm *form);
// One message to the named user (-1), to every user (0) or to a department (1..7); the rows written.
int InsertMessages(int addressee, const QString &user, int document, const QString &title, const QString &text);

// The lines of a printed message. The identification is a moment (printed as date and time) or a
// message number (printed as a number, however large).
QStringList MessagePrintLines(const QString &sender, const QString &recipient, const QVariant &identification,
                              const QDateTime &sent, int document, const QString &title, const QString &text);
// Asks for a printer and prints the message's lines; long lines wrap.
void PrintMessage(const QString &sender, const QString &recipient, const QVariant &identification,
                  const QDateTime &sent, int document, const QString &title, const QString &text);
