#include "Services.h"

#include "IBError.h"
#include "ParamBlock.h"

#include "platform/os/Win1250.h"

#include <ibase.h>

#include <QFile>
#include <QThread>

namespace fb {

Services::~Services()
{
    svc_.close(status(), [](Firebird::IService *s, Firebird::CheckStatusWrapper *st) { s->detach(st); });
}

namespace {

// The services are a connection of their own: their failures never mark the database's connection lost.
void checkService(const Firebird::CheckStatusWrapper &st)
{
    if (st.getState() & Firebird::IStatus::STATE_ERRORS)
        raiseServiceStatus(&st);
}

// The text's bytes as a block carries them; refused when it is longer than one length byte counts.
QString boundedText(const QString &text, const char *what)
{
    if (Win1250::fromUnicode(text).size() > Services::TextLimit)
        throw EDatabaseError(QString::fromUtf8("%1 je dlhšie ako %2 znakov")
                                 .arg(QString::fromUtf8(what), QString::number(Services::TextLimit)));
    return text;
}

QByteArray bytesOf(const ParamBlock &block)
{
    return QByteArray(reinterpret_cast<const char *>(block.data()), qsizetype(block.length()));
}

} // namespace

QByteArray Services::AttachBlock(const QString &userName, const QString &password)
{
    const QString name = boundedText(userName, "Meno užívateľa"), pass = boundedText(password, "Heslo");
    ParamBlock spb(Firebird::IXpbBuilder::SPB_ATTACH);
    spb.text(isc_spb_user_name, name).text(isc_spb_password, pass);
    return bytesOf(spb);
}

QByteArray Services::UserActionBlock(unsigned char action, const QString &userName, const QString &password)
{
    if (userName.trimmed().isEmpty())
        throw EDatabaseError(QStringLiteral("Meno užívateľa nie je zadané"));
    const QString name = boundedText(userName, "Meno užívateľa"), pass = boundedText(password, "Heslo");
    ParamBlock spb(Firebird::IXpbBuilder::SPB_START);
    spb.tag(action).text(isc_spb_sec_username, name);
    if (!pass.isEmpty())
        spb.text(isc_spb_sec_password, pass);
    return bytesOf(spb);
}

void Services::attach(const QString &host, const ConnectParams &params)
{
    attachManager(host + QStringLiteral(":service_mgr"), params.userName, params.password);
}

void Services::attachManager(const QString &serviceName, const QString &userName, const QString &password)
{
    const QByteArray block = AttachBlock(userName, password);
    detach();
    const QByteArray name = QFile::encodeName(serviceName);
    auto &st = status();
    Firebird::IService *s =
        provider()->attachServiceManager(&st, name.constData(), static_cast<unsigned>(block.size()),
                                         reinterpret_cast<const unsigned char *>(block.constData()));
    checkService(st);
    svc_.reset(s);
}

void Services::startBlock(const QByteArray &actionBlock)
{
    startAction(reinterpret_cast<const unsigned char *>(actionBlock.constData()),
                static_cast<unsigned>(actionBlock.size()));
}

void Services::startAction(const unsigned char *block, unsigned length)
{
    // An action that reported its failure may still be winding down in the server for a moment; the next
    // action then finds the service busy. It is tried again for a bounded while, never waited for forever.
    for (int attempt = 0;; ++attempt) {
        auto &st = status();
        checked()->start(&st, length, block);
        if (!(st.getState() & Firebird::IStatus::STATE_ERRORS))
            break;
        const ISC_STATUS *v = st.getErrors();
        const bool busy = v && v[0] == isc_arg_gds && v[1] == isc_svc_in_use;
        if (!busy || attempt >= 250)
            raiseServiceStatus(&st);
        QThread::msleep(20);
    }
    waitForAction();
}

QByteArray Services::queryBlock(const QByteArray &items, int bufferSize)
{
    QByteArray answer(qMax(bufferSize, 1), '\0');
    auto &st = status();
    checked()->query(&st, 0, nullptr, static_cast<unsigned>(items.size()),
                     reinterpret_cast<const unsigned char *>(items.constData()), static_cast<unsigned>(answer.size()),
                     reinterpret_cast<unsigned char *>(answer.data()));
    checkService(st);
    return answer;
}

void Services::detach()
{
    auto &st = status();
    if (!svc_.close(st, [](Firebird::IService *s, Firebird::CheckStatusWrapper *w) { s->detach(w); }))
        raiseServiceStatus(&st);
}

Firebird::IService *Services::checked() const
{
    if (!svc_)
        throw EDatabaseError(QStringLiteral("Správca služieb servera nie je pripojený"));
    return svc_.get();
}

QString Services::serverVersion()
{
    const unsigned char items[] = {isc_info_svc_server_version};
    unsigned char buf[256];
    auto &st = status();
    checked()->query(&st, 0, nullptr, sizeof items, items, sizeof buf, buf);
    checkService(st);
    if (buf[0] != isc_info_svc_server_version)
        return {};
    const auto len = static_cast<unsigned short>(isc_portable_integer(buf + 1, 2));
    if (len > sizeof buf - 3)
        return {};
    return Win1250::toUnicode(reinterpret_cast<const char *>(buf + 3), len);
}

void Services::userAction(unsigned char action, const User &user)
{
    if (user.name.trimmed().isEmpty())
        throw EDatabaseError(QStringLiteral("Meno užívateľa nie je zadané"));
    ParamBlock spb(Firebird::IXpbBuilder::SPB_START);
    spb.tag(action).text(isc_spb_sec_username, boundedText(user.name, "Meno užívateľa"));
    if (action != isc_action_svc_delete_user) {
        spb.text(isc_spb_sec_password, boundedText(user.password, "Heslo"))
            .text(isc_spb_sec_firstname, user.firstName)
            .text(isc_spb_sec_middlename, user.middleName)
            .text(isc_spb_sec_lastname, user.lastName)
            .number(isc_spb_sec_admin, user.admin ? 1 : 0);
    }
    startAction(spb.data(), spb.length());
}

void Services::waitForAction()
{
    const unsigned char items[] = {isc_info_svc_line};
    unsigned char buf[1024];
    // Bounded: an action that keeps talking this long is reported, not waited for forever.
    for (int round = 0; round < 10000; ++round) {
        auto &st = status();
        checked()->query(&st, 0, nullptr, sizeof items, items, sizeof buf, buf);
        checkService(st);
        if (buf[0] != isc_info_svc_line)
            return;
        const auto len = static_cast<unsigned short>(isc_portable_integer(buf + 1, 2));
        if (len == 0)
            return;
    }
    throw EDatabaseError(QStringLiteral("Služba servera neodpovedá"));
}

void Services::addUser(const User &user)
{
    userAction(isc_action_svc_add_user, user);
}

void Services::modifyUser(const User &user)
{
    userAction(isc_action_svc_modify_user, user);
}

void Services::deleteUser(const QString &name)
{
    User u;
    u.name = name;
    userAction(isc_action_svc_delete_user, u);
}

} // namespace fb
