#include "LoginDialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TLoginDialog::TLoginDialog(const QString &databaseName, const QString &userName, bool userFixed, QWidget *parent)
    : QDialog(parent)
{
    const QString caption = QString::fromUtf8("Prihlásenie k databáze");
    setWindowTitle(caption);
    DatabaseLabel = new QLabel(databaseName, this);
    DatabaseLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    DatabaseLabel->setToolTip(databaseName);
    UserEdit = new QLineEdit(userName, this);
    UserEdit->setMaxLength(31);
    UserEdit->setReadOnly(userFixed);
    PasswordEdit = new QLineEdit(this);
    PasswordEdit->setEchoMode(QLineEdit::Password);

    auto *form = new QFormLayout;
    form->addRow(QString::fromUtf8("Databáza:"), DatabaseLabel);
    form->addRow(QString::fromUtf8("Meno užívateľa:"), UserEdit);
    form->addRow(QString::fromUtf8("Heslo:"), PasswordEdit);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QString::fromUtf8("Zrušiť"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    // Wide enough for the whole caption beside the title bar's buttons, and for a usual path.
    const QFontMetrics titleMetrics(QApplication::font("QMdiSubWindowTitleBar"));
    setMinimumWidth(qMax(380, titleMetrics.horizontalAdvance(caption) + 160));
    (userFixed || !userName.isEmpty() ? PasswordEdit : UserEdit)->setFocus();
}

bool LoginDialog(const QString &databaseName, QString &userName, QString &password, bool userFixed)
{
    TLoginDialog dialog(databaseName, userName, userFixed, QApplication::activeWindow());
    dialog.PasswordEdit->setText(password);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    userName = dialog.UserEdit->text().trimmed();
    password = dialog.PasswordEdit->text();
    return true;
}
