#include "xDatabase.h"

#include "platform/fbapi/IBError.h"
#include "platform/os/Exception.h"
#include "platform/os/ServerProbe.h"

const QString UsersServerUnreachableMessage =
    QString::fromUtf8("Server užívateľov nie je dostupný; nič sa nezmenilo. Skúste to o chvíľu znova.");

namespace {
// Room for the server version and the database cluster; a longer answer is read as far as it goes.
constexpr int ServerInfoAnswerSize = 1024;
constexpr int OdsInfoAnswerSize = 32;
QString serviceFailure(unsigned char action, const QString &userName)
{
    switch (action) {
    case saAddUser:
        return QString::fromUtf8("Užívateľa %1 sa na serveri databázy nepodarilo založiť.").arg(userName);
    case saDeleteUser:
        return QString::fromUtf8("Užívateľa %1 sa na serveri databázy nepodarilo zmazať.").arg(userName);
    default:
        return QString::fromUtf8("Heslo užívateľa %1 sa na serveri databázy nepodarilo zmeniť.").arg(userName);
    }
}

} // namespace

void TxDatabase::ServiceAttach()
{
    const QString password = Password.isEmpty() ? Params.Values(QStringLiteral("password")) : Password;
    services_.attachManager(ServiceManagerName(DatabaseName), UserName(), password);
}

void TxDatabase::ServiceDetach()
{
    services_.detach();
}

void TxDatabase::withServices(const std::function<void()> &call)
{
    ServiceAttach();
    try {
        call();
    } catch (...) {
        try {
            ServiceDetach();
        } catch (...) {
            // The call's own error is the one to report.
        }
        throw;
    }
    ServiceDetach();
}

bool TxDatabase::ServiceAction(unsigned char action, const QString &userName, const QString &password)
{
    // Built first: a name or password the block cannot carry is refused before any call.
    const QByteArray block = fb::Services::UserActionBlock(action, userName, password);
    try {
        withServices([&] { services_.startBlock(block); });
    } catch (EIBError &e) {
        if (e.ServiceUnreachable) {
            e.Message = UsersServerUnreachableMessage;
            throw;
        }
        // A failure the server only tells in its own words (its list of users locked, say) is said in Slovak,
        // naming what failed; the server's lines and the error's kind stay with it.
        if (e.Message == e.ServerMessage && !e.ConnectionLost)
            e.Message = serviceFailure(action, userName);
        throw;
    }
    return true;
}

bool TxDatabase::AddUser(const QString &userName, const QString &password)
{
    return ServiceAction(saAddUser, userName, password);
}

bool TxDatabase::DeleteUser(const QString &userName)
{
    return ServiceAction(saDeleteUser, userName);
}

bool TxDatabase::ChangePassword(const QString &oldPassword, const QString &newPassword)
{
    if (oldPassword != Password)
        return false;
    if (newPassword.isEmpty())
        throw EDatabaseError(QString::fromUtf8("Nové heslo nesmie byť prázdne, heslo nebolo zmenené !"));
    ServiceAction(saModifyUser, UserName(), newPassword);
    Password = newPassword;
    Params.SetValue(QStringLiteral("password"), newPassword);
    return true;
}

TServerInfo TxDatabase::ServerInfo(bool versionOnly)
{
    QByteArray answer;
    withServices([&] { answer = services_.queryBlock(ServerInfoRequest(versionOnly), ServerInfoAnswerSize); });
    return ParseServerInfo(answer);
}

void TxDatabase::OdsVersion(int &major, int &minor)
{
    TestConnected();
    ParseOdsInfo(Attachment().info(OdsInfoRequest(), OdsInfoAnswerSize), major, minor);
}

bool IsFirebirdServerRunning()
{
    return IsLocalServerListening();
}
