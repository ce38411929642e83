// The database log-in: one dialog with the database, the user name and the password; the password
// change shows it with the user name fixed.
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;

class TLoginDialog : public QDialog {
public:
    TLoginDialog(const QString &databaseName, const QString &userName, bool userFixed, QWidget *parent = nullptr);
    QLabel *DatabaseLabel;
    QLineEdit *UserEdit;
    QLineEdit *PasswordEdit;
};

// Asks for the user name (unless userFixed) and the password of a database. On OK both are set and
// true is returned; on cancel nothing changes.
bool LoginDialog(const QString &databaseName, QString &userName, QString &password, bool userFixed = false);
