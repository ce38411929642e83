#include "LoginDialog.h"

#include "platform/ui/Dialogs.h"

bool LoginDialog(const QString &databaseName, QString &userName, QString &password, bool userFixed)
{
    const QString caption = QString::fromUtf8("Prihlásenie k databáze");
    QString user = userName;
    if (!userFixed
        && !InputQuery(caption, QString::fromUtf8("%1\nMeno užívateľa:").arg(databaseName), user))
        return false;
    TInputRequest request;
    request.Caption = caption;
    request.Prompt = userFixed ? QString::fromUtf8("%1\nHeslo užívateľa %2:").arg(databaseName, user)
                               : QString::fromUtf8("%1\nHeslo:").arg(databaseName);
    request.Password = true;
    request.Value = password;
    QString typed = password;
    if (!MessageResponder().Input(request, typed))
        return false;
    userName = user;
    password = typed;
    return true;
}
