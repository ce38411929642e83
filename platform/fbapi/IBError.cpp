#include "IBError.h"

#include "platform/os/Win1250.h"

#include <firebird/Interface.h>
#include <ibase.h>

#include <QStringList>

namespace fb {

namespace {

// Codes whose first string argument is the name of the constraint, index or exception.
bool namesObject(ISC_STATUS code)
{
    switch (code) {
    case isc_unique_key_violation:
    case isc_foreign_key:
    case isc_check_constraint:
    case isc_no_dup:
    case isc_except2:
        return true;
    default:
        return false;
    }
}

// Walks the status vector for the first code that names an object and returns that name. A raised
// exception comes as isc_except with its number, then a text line holding its name.
QString objectName(const ISC_STATUS *v)
{
    bool wanted = false;
    bool afterExcept = false;
    while (*v != isc_arg_end) {
        const ISC_STATUS kind = v[0];
        if (kind == isc_arg_cstring) {
            if (wanted)
                return Win1250::toUnicode(reinterpret_cast<const char *>(v[2]), static_cast<qsizetype>(v[1]));
            v += 3;
            continue;
        }
        if (kind == isc_arg_gds) {
            wanted = namesObject(v[1]) || (afterExcept && v[1] == isc_random);
            afterExcept = v[1] == isc_except;
        } else if (kind == isc_arg_string && wanted)
            return Win1250::toUnicode(reinterpret_cast<const char *>(v[1]),
                                      static_cast<qsizetype>(qstrlen(reinterpret_cast<const char *>(v[1]))));
        v += 2;
    }
    return {};
}

bool meansLostConnection(ISC_STATUS code)
{
    switch (code) {
    case isc_network_error:
    case isc_net_read_err:
    case isc_net_write_err:
    case isc_lost_db_connection:
    case isc_conn_lost:
    case isc_att_shutdown:
    case isc_shutdown:
        return true;
    default:
        return false;
    }
}

bool meansLockedRecord(ISC_STATUS code)
{
    switch (code) {
    case isc_lock_conflict:
    case isc_deadlock:
    case isc_update_conflict:
    case isc_lock_timeout:
        return true;
    default:
        return false;
    }
}

void (*connectionLostHook)() = nullptr;

} // namespace

const QString ConnectionLostMessage = QString::fromUtf8(
    "Spojenie s databázou sa prerušilo. Neuložené zmeny sa nezapísali; program sa pri ďalšej práci s údajmi "
    "pripojí znova.");
const QString ServerUnreachableMessage =
    QString::fromUtf8("Server databázy nie je dostupný; skúste to o chvíľu znova.");
const QString UnknownUserMessage = QString::fromUtf8("Užívateľ na serveri databázy neexistuje.");
const QString RecordLockedMessage =
    QString::fromUtf8("Záznam práve mení iný používateľ. Zadané údaje zostali zachované; uložte ich o chvíľu znova.");

QString SqlCodeMessage(int sqlCode)
{
    switch (sqlCode) {
    case -803:
        return QString::fromUtf8("Pokus o zápis vety s duplicitným klúčom !\r\nRovnaký záznam už existuje !");
    case -625:
        return QString::fromUtf8("Niektorý z povinných údajov nebol zadaný alebo má neprípustnú hodnotu !");
    case -530:
        return QString::fromUtf8("Pokus o narušenie väzby medzi údajmi !");
    case -551:
        return QString::fromUtf8("Nedostatočné oprávnenia !");
    default:
        return QString();
    }
}

void setConnectionLostHook(void (*hook)())
{
    connectionLostHook = hook;
}

EIBError errorFromStatus(const Firebird::IStatus *status, bool translate)
{
    const ISC_STATUS *errors = status->getErrors();
    QStringList lines;
    char buf[1024];
    const ISC_STATUS *p = errors;
    while (fb_interpret(buf, sizeof buf, &p))
        lines << Win1250::toUnicode(buf, static_cast<qsizetype>(qstrlen(buf)));
    const int gds = errors[0] == isc_arg_gds ? static_cast<int>(errors[1]) : 0;
    bool lost = false, locked = false, conflict = false, inPsql = false, unknownUser = false;
    for (const ISC_STATUS *v = errors; *v != isc_arg_end; v += (*v == isc_arg_cstring ? 3 : 2)) {
        if (*v != isc_arg_gds)
            continue;
        lost = lost || meansLostConnection(v[1]);
        locked = locked || meansLockedRecord(v[1]);
        // Another transaction changed or made meanwhile the row the statement meets.
        conflict = conflict || v[1] == isc_update_conflict || v[1] == isc_unique_key_violation || v[1] == isc_no_dup;
        // "At trigger ..." / "At procedure ...": where in the database's own code the error arose.
        inPsql = inPsql || v[1] == isc_stack_trace;
        // The user administration meets a name the server's security database does not hold.
        unknownUser = unknownUser || v[1] == isc_usrname_not_found;
    }
    const QString serverLines = lines.join(QLatin1Char('\n'));
    const int sqlCode = static_cast<int>(isc_sqlcode(errors));
    QString message = serverLines;
    if (translate && lost)
        message = ConnectionLostMessage;
    else if (translate && locked)
        message = RecordLockedMessage;
    else if (translate && unknownUser)
        message = UnknownUserMessage;
    else if (translate && sqlCode == -551)
        message = SqlCodeMessage(sqlCode);
    EIBError e(message, sqlCode, gds, objectName(errors));
    e.ServerMessage = serverLines;
    e.ConnectionLost = lost;
    e.RecordLocked = locked;
    e.TriggerConflict = conflict && inPsql;
    e.UnknownUser = unknownUser;
    return e;
}

void raiseStatus(const Firebird::IStatus *status)
{
    EIBError e = errorFromStatus(status);
    if (e.ConnectionLost && connectionLostHook)
        connectionLostHook();
    // The status is reused by the next call: leave it clean.
    const_cast<Firebird::IStatus *>(status)->init();
    throw e;
}

void raiseServiceStatus(const Firebird::IStatus *status)
{
    EIBError e = errorFromStatus(status);
    if (e.ConnectionLost) {
        e.Message = ServerUnreachableMessage;
        e.ConnectionLost = false;
        e.ServiceUnreachable = true;
    }
    const_cast<Firebird::IStatus *>(status)->init();
    throw e;
}

} // namespace fb
