#include "QMsgDForm.h"

#include "CisPickForm.h"
#include "CisSql.h"
#include "DMZal.h"
#include "Routines.h"
#include "library/Buttons.h"
#include "library/TextPrint.h"
#include "platform/os/Clock.h"
#include "platform/os/Format.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Guarded.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QPlainTextEdit>
#include <QVBoxLayout>

TFormGlobal<TQMsgDForm> QMsgDForm{"QMsgDForm"};

namespace {

const char *const DepartmentNames[MessageDepartments] = {"0 - Všetci", "1 - Riaditeľ", "2 - Predaj", "3 - MTZ",
                                                         "4 - TPV",    "5 - OTK",      "6 - Výroba", "7 - Expedicia"};
constexpr int RuleWidth = 77;

QString DateTimeText(const QDateTime &moment)
{
    return DateToStr(moment.date()) + QLatin1Char(' ') + TimeToStr(moment.time());
}

} // namespace

TQMsgDForm::TQMsgDForm(QWidget *owner) : TForm(owner)
{
    TrackGlobal(this, QMsgDForm);
    setWindowTitle(QString::fromUtf8("Nová správa"));
    auto *main = new QVBoxLayout(this);
    auto *addressees = new QGroupBox(QStringLiteral("Adresati"), this);
    auto *grid = new QGridLayout(addressees);
    cbMSG_USER = new QComboBox(addressees);
    cbMSG_USER->setEditable(true);
    grid->addWidget(cbMSG_USER, 0, 0, 1, 4);
    for (int i = 0; i < MessageDepartments; ++i) {
        cbUtvar[i] = new QCheckBox(QString::fromUtf8(DepartmentNames[i]), addressees);
        grid->addWidget(cbUtvar[i], 1 + i / 4, i % 4);
    }
    main->addWidget(addressees);
    auto *form = new QFormLayout;
    eMSG_TITLE = new QLineEdit(this);
    eMSG_TITLE->setMaxLength(80); // the column's characters
    form->addRow(QStringLiteral("Predmet"), eMSG_TITLE);
    eMSG_TEXT = new QPlainTextEdit(this);
    form->addRow(QStringLiteral("Text"), eMSG_TEXT);
    eMSG_DATA = new QLineEdit(this);
    lData = new QLabel(QStringLiteral("Data"), this);
    form->addRow(lData, eMSG_DATA);
    main->addLayout(form);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    BtnPosli = new TBtnZapis(this);
    BtnPosli->SetModalResult(mrNone);
    BtnNezapis = new TBtnNezapis(this);
    buttons->addWidget(BtnPosli);
    buttons->addWidget(BtnNezapis);
    main->addLayout(buttons);
    connect(BtnPosli, &QPushButton::clicked, this, [this] {
        Guarded([this] {
            // A message that reached nobody leaves the form open to choose an addressee.
            if (SendComposedMessage(this) > 0)
                SetModalResult(mrOk);
        });
    });
    OnShow = [this] {
        if (cbMSG_USER->count() == 0)
            FillUsers();
    };
}

void TQMsgDForm::FillUsers()
{
    Guarded([this] {
        const QStringList users = SelectColumnParams(CisSql::MessageUsers);
        const QString typed = cbMSG_USER->currentText();
        cbMSG_USER->clear();
        cbMSG_USER->addItems(users);
        cbMSG_USER->setEditText(typed);
    });
}

bool TQMsgDForm::eventFilter(QObject *watched, QEvent *e)
{
    // The form's controls need no filter of their own: as the application's filter (the key preview) the
    // form sees each of their events once.
    if (watched == lData && e->type() == QEvent::MouseButtonPress)
        FillUsers();
    return TForm::eventFilter(watched, e);
}

void ComposeMessage(TQMsgDForm *form, const QString &recipient, const QString &title, const QString &text, int document,
                    bool modal)
{
    form->eMSG_TITLE->setText(title);
    form->eMSG_TEXT->setPlainText(text);
    form->eMSG_DATA->setText(QString::number(document));
    if (recipient > QLatin1String(" ")) {
        form->cbMSG_USER->setEditText(recipient);
        for (QCheckBox *box : form->cbUtvar)
            box->setChecked(false);
    }
    if (modal)
        form->ShowModal();
    else
        SendComposedMessage(form);
}

int InsertMessages(int addressee, const QString &user, int document, const QString &title, const QString &text)
{
    QString condition;
    QVariantList params{document, title, text};
    if (addressee < 0) {
        // The name is bound: whatever it holds, it names one user or nobody.
        condition = CisSql::SendToUser;
        params.append(user);
    } else if (addressee > 0) {
        condition = CisSql::SendToDepartment;
        params.append(addressee);
    }
    return ExecSqlParams(CisSql::SendMessages + condition, params);
}

int SendComposedMessage(TQMsgDForm *form)
{
    const QString user = form->cbMSG_USER->currentText().trimmed();
    const QString title = form->eMSG_TITLE->text();
    const int document = StrToIntDef(form->eMSG_DATA->text().trimmed(), 0);
    QString text = form->eMSG_TEXT->toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    int rows = 0;
    if (form->cbUtvar[0]->isChecked()) {
        rows = InsertMessages(0, user, document, title, text);
    } else if (user.isEmpty()) {
        for (int d = 1; d < MessageDepartments; ++d)
            if (form->cbUtvar[d]->isChecked())
                rows += InsertMessages(d, user, document, title, text);
    } else {
        rows = InsertMessages(-1, user, document, title, text);
    }
    if (form->isVisible()) {
        if (rows == 0) {
            MessageBox(QString::fromUtf8("Správa nemá žiadneho adresáta, nebola odoslaná."),
                       QString::fromUtf8("Správa nebola odoslaná"), mtWarning, mbOK);
        } else if (MessageBox(QString::fromUtf8("Tlačiť správu ?"), QString::fromUtf8("Správa bola odoslaná"),
                              mtConfirmation, mbYesNo, mbNo) == mrYes) {
            PrintMessage(QString(), user, Now(), Now(), document, title, text);
        }
    }
    return rows;
}

QStringList MessagePrintLines(const QString &sender, const QString &recipient, const QVariant &identification,
                              const QDateTime &sent, int document, const QString &title, const QString &text)
{
    const QString id = identification.typeId() == QMetaType::QDateTime ? DateTimeText(identification.toDateTime())
                                                                       : QString::number(identification.toLongLong());
    const QString rule(RuleWidth, QLatin1Char('-'));
    QStringList lines{QStringLiteral("VYPIS SPRAVY"),
                      rule,
                      QString::fromUtf8("ID správy    : ") + id,
                      QStringLiteral("Odosielatel  : ") + sender,
                      QStringLiteral("Adresat      : ") + recipient,
                      QStringLiteral("Odoslane dna : ") + FormatDateTime(QStringLiteral("c"), sent),
                      QStringLiteral("Doklad/Data  : ") + QString::number(document),
                      QStringLiteral("Predmet      : ") + title,
                      QStringLiteral(" ")};
    lines += text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    lines.append(rule);
    return lines;
}

void PrintMessage(const QString &sender, const QString &recipient, const QVariant &identification,
                  const QDateTime &sent, int document, const QString &title, const QString &text)
{
    const QStringList lines = MessagePrintLines(sender, recipient, identification, sent, document, title, text);
    if (!PrintTextDialog(lines.first()))
        return;
    try {
        for (const QString &line : lines)
            PrintTextPage(line, true);
    } catch (...) {
        EndTextPrint();
        throw;
    }
    EndTextPrint();
}
