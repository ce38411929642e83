#include "Dialogs.h"

#include "Form.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace {
struct ButtonInfo {
    TMsgDlgBtn button;
    QMessageBox::StandardButton qt;
    int result;
};
// In the order the buttons stand in a box.
const ButtonInfo kButtons[] = {
    {mbYes, QMessageBox::Yes, mrYes},
    {mbNo, QMessageBox::No, mrNo},
    {mbOK, QMessageBox::Ok, mrOk},
    {mbCancel, QMessageBox::Cancel, mrCancel},
    {mbAbort, QMessageBox::Abort, mrAbort},
    {mbRetry, QMessageBox::Retry, mrRetry},
    {mbIgnore, QMessageBox::Ignore, mrIgnore},
    {mbAll, QMessageBox::YesAll, mrAll},
    {mbNoToAll, QMessageBox::NoToAll, mrNoToAll},
    {mbYesToAll, QMessageBox::YesToAll, mrYesToAll},
};

// A lone CR breaks the line in the program's texts, as CR LF and LF do.
QString lineBreaks(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QString typeCaption(TMsgDlgType type)
{
    switch (type) {
    case mtWarning:
        return QStringLiteral("Upozornenie");
    case mtError:
        return QStringLiteral("Chyba");
    case mtInformation:
        return QStringLiteral("Informácia");
    case mtConfirmation:
        return QStringLiteral("Potvrdenie");
    case mtCustom:
        break;
    }
    return QString();
}

class QtResponder : public TMessageResponder {
public:
    int Message(const TMessageRequest &r) override
    {
        QWidget *owner = ModalOwner();
        QMessageBox box(owner);
        static const QMessageBox::Icon icons[] = {QMessageBox::Warning, QMessageBox::Critical, QMessageBox::Information,
                                                  QMessageBox::Question, QMessageBox::NoIcon};
        box.setIcon(icons[r.Type]);
        box.setWindowTitle(r.Caption.isEmpty() ? QApplication::applicationName() : r.Caption);
        box.setText(lineBreaks(r.Text));
        box.setTextFormat(Qt::PlainText);
        for (const ButtonInfo &b : kButtons) {
            if (!(r.Buttons & b.button))
                continue;
            QPushButton *pb = box.addButton(b.qt);
            if (r.DefaultButton == b.button || (r.DefaultButton == mbNone && !box.defaultButton()))
                box.setDefaultButton(pb);
        }
        const int escape = EscapeResult(r.Buttons);
        for (const ButtonInfo &b : kButtons)
            if ((r.Buttons & b.button) && b.result == escape)
                box.setEscapeButton(box.button(b.qt));
        box.exec();
        // The window that asked is the one worked in next.
        if (owner && owner->isVisible())
            owner->activateWindow();
        QAbstractButton *clicked = box.clickedButton();
        for (const ButtonInfo &b : kButtons)
            if (clicked && box.button(b.qt) == clicked)
                return b.result;
        return escape;
    }

    bool Input(const TInputRequest &r, QString &value) override
    {
        QInputDialog box(ModalOwner());
        box.setWindowTitle(r.Caption);
        box.setLabelText(lineBreaks(r.Prompt));
        box.setTextEchoMode(r.Password ? QLineEdit::Password : QLineEdit::Normal);
        box.setTextValue(r.Value);
        // The box's layout sets its minimum size from its controls: the prompt's line carries the width.
        if (auto *label = box.findChild<QLabel *>()) {
            const int margins = box.style()->pixelMetric(QStyle::PM_LayoutLeftMargin) +
                                box.style()->pixelMetric(QStyle::PM_LayoutRightMargin);
            label->setMinimumWidth(InputBoxWidth(r.Caption, lineBreaks(r.Prompt), &box) - margins);
        }
        if (box.exec() != QDialog::Accepted)
            return false;
        value = box.textValue();
        return true;
    }

    QString File(const TFileRequest &r, QString &selectedFilter) override
    {
        selectedFilter = r.SelectedFilter;
        return r.Save ? QFileDialog::getSaveFileName(ModalOwner(), r.Caption, r.Proposal, r.Filters, &selectedFilter)
                      : QFileDialog::getOpenFileName(ModalOwner(), r.Caption, r.Proposal, r.Filters, &selectedFilter);
    }
};

TMessageResponder *&current()
{
    static TMessageResponder *responder = nullptr;
    return responder;
}

TMessageResponder &qtResponder()
{
    static QtResponder dialogs;
    return dialogs;
}
} // namespace

QWidget *ModalOwner()
{
    if (QWidget *active = QApplication::activeWindow())
        return active;
    // The activation still on its way back from a window just closed.
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    return ApplicationMainForm();
}

TModalOwnership::TModalOwnership(QWidget *dialog) : dialog_(dialog), home_(dialog->parentWidget())
{
    QWidget *owner = ModalOwner();
    if (!owner || owner == home_ || owner == dialog || dialog->isAncestorOf(owner))
        return;
    // Kept a window of its own: only the window it stands above changes.
    dialog->setParent(owner, dialog->windowFlags());
}

TModalOwnership::~TModalOwnership()
{
    if (dialog_ && dialog_->parentWidget() != home_)
        dialog_->setParent(home_, dialog_->windowFlags());
}

int InputBoxWidth(const QString &caption, const QString &prompt, const QWidget *box)
{
    // The title bar writes in a bold face and keeps room for its icon and its three buttons.
    QFont titleFont = box->font();
    titleFont.setBold(true);
    const int title = QFontMetrics(titleFont).horizontalAdvance(caption) + 160;
    int text = 0;
    for (const QString &line : prompt.split(QLatin1Char('\n')))
        text = std::max(text, box->fontMetrics().horizontalAdvance(line));
    int width = std::max({title, text + 40, 260});
    if (const QScreen *s = box->screen() ? box->screen() : QGuiApplication::primaryScreen())
        width = std::min(width, s->availableGeometry().width() - 40);
    return width;
}

int ButtonResult(TMsgDlgBtn button)
{
    for (const ButtonInfo &b : kButtons)
        if (b.button == button)
            return b.result;
    return mrNone;
}

int EscapeResult(TMsgDlgButtons buttons)
{
    for (TMsgDlgBtn b : {mbCancel, mbNo, mbOK})
        if (buttons & b)
            return ButtonResult(b);
    return mrCancel;
}

TMessageResponder &MessageResponder()
{
    return current() ? *current() : qtResponder();
}

void SetMessageResponder(TMessageResponder *responder)
{
    current() = responder;
}

int MessageBox(const QString &text, const QString &caption, TMsgDlgType type, TMsgDlgButtons buttons,
               TMsgDlgBtn defaultButton)
{
    TMessageRequest r;
    r.Text = text;
    r.Caption = caption;
    r.Type = type;
    r.Buttons = buttons ? buttons : TMsgDlgButtons(mbOK);
    r.DefaultButton = defaultButton;
    return MessageResponder().Message(r);
}

int MessageDlg(const QString &text, TMsgDlgType type, TMsgDlgButtons buttons, TMsgDlgBtn defaultButton)
{
    return MessageBox(text, typeCaption(type), type, buttons, defaultButton);
}

void ShowMessage(const QString &text)
{
    MessageBox(text, QString(), mtCustom, mbOK);
}

void ShowError(const QString &text)
{
    QApplication::beep();
    TMessageRequest r;
    r.Text = text;
    r.Caption = QStringLiteral("Výstraha");
    r.Type = mtError;
    r.Buttons = mbOK;
    r.Beep = true;
    MessageResponder().Message(r);
}

bool Confirm(const QString &text, const QString &caption)
{
    return MessageBox(text, caption, mtWarning, mbYesNo) == mrYes;
}

void Information(const QString &text, const QString &caption)
{
    MessageBox(text, caption.isEmpty() ? typeCaption(mtInformation) : caption, mtInformation, mbOK);
}

namespace {
bool askText(const QString &caption, const QString &prompt, QString &value, bool password)
{
    TInputRequest r;
    r.Caption = caption;
    r.Prompt = prompt;
    r.Value = value;
    r.Password = password;
    QString answer = value;
    if (!MessageResponder().Input(r, answer))
        return false;
    value = answer;
    return true;
}
} // namespace

bool InputQuery(const QString &caption, const QString &prompt, QString &value)
{
    return askText(caption, prompt, value, false);
}

bool PasswordQuery(const QString &caption, const QString &prompt, QString &value)
{
    return askText(caption, prompt, value, true);
}

QString InputBox(const QString &caption, const QString &prompt, const QString &proposal)
{
    QString value = proposal;
    InputQuery(caption, prompt, value);
    return value;
}

TTestResponder::TTestResponder() : previous_(&MessageResponder())
{
    SetMessageResponder(this);
}

TTestResponder::~TTestResponder()
{
    SetMessageResponder(previous_);
}

int TTestResponder::Message(const TMessageRequest &request)
{
    Messages.append(request);
    if (!MessageAnswers.empty()) {
        int answer = MessageAnswers.front();
        MessageAnswers.pop_front();
        return answer;
    }
    return EscapeResult(request.Buttons);
}

bool TTestResponder::Input(const TInputRequest &request, QString &value)
{
    Inputs.append(request);
    if (InputAnswers.empty())
        return false;
    QVariant answer = InputAnswers.front();
    InputAnswers.pop_front();
    if (answer.isNull())
        return false;
    value = answer.toString();
    return true;
}

QString TTestResponder::File(const TFileRequest &request, QString &selectedFilter)
{
    Files.append(request);
    selectedFilter = request.SelectedFilter;
    if (!FilterAnswers.empty()) {
        selectedFilter = FilterAnswers.front();
        FilterAnswers.pop_front();
    }
    if (FileAnswers.empty())
        return QString();
    const QString answer = FileAnswers.front();
    FileAnswers.pop_front();
    return answer;
}

QString ChooseFileName(const QString &caption, const QString &proposal, const QString &filters, QString *selectedFilter,
                       bool save)
{
    TFileRequest request{caption, proposal, filters, selectedFilter ? *selectedFilter : QString(), save};
    QString chosen;
    const QString name = MessageResponder().File(request, chosen);
    if (selectedFilter)
        *selectedFilter = chosen;
    return name;
}

QStringList TTestResponder::Texts() const
{
    QStringList texts;
    for (const TMessageRequest &r : Messages)
        texts << r.Text;
    return texts;
}
