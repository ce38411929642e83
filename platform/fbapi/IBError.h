// Server errors as one exception type: all status lines, the SQL code, the GDS code and the
// constraint, index or exception name the error is about. A lost connection, a record locked by
// another transaction and missing privileges carry a Slovak sentence instead of the server's lines.
#pragma once

#include "platform/os/Exception.h"

#include <firebird/Interface.h>

#include <QString>

// The GDS codes the program tests are iberror.h's, brought in with the client header:
// isc_network_error, isc_login, isc_io_error, isc_unique_key_violation, isc_foreign_key, isc_no_priv,
// isc_not_valid, and for names isc_no_dup, isc_check_constraint, isc_except2.

class EIBError : public EDatabaseError {
public:
    EIBError(QString message, int sqlCode, int ibErrorCode, QString constraintName = {})
        : EDatabaseError(message), SQLCode(sqlCode), IBErrorCode(ibErrorCode),
          ConstraintName(std::move(constraintName)), ServerMessage(std::move(message))
    {
    }
    int SQLCode = 0;
    int IBErrorCode = 0;
    QString ConstraintName;
    // The server's own lines (Message may be a Slovak sentence in their place).
    QString ServerMessage;
    // The connection to the server is gone (network error, shut-down attachment or database).
    bool ConnectionLost = false;
    // Another transaction holds the record (lock conflict, lock time-out, update conflict).
    bool RecordLocked = false;
    // An update conflict with a transaction that has committed, or a key another one stored meanwhile, met
    // inside a trigger or procedure: on a row the database keeps (a stock, a total), never on the row the
    // statement itself writes. The statement was undone and may run once more.
    bool TriggerConflict = false;
    // Raised while rows were read (open, fetch, reading a record again): no save was refused.
    bool Read = false;
    // The server's user administration does not know the user name.
    bool UnknownUser = false;
    // The server's services (its user administration, its facts) did not answer: their own connection, not the
    // database's, which stays as it was.
    bool ServiceUnreachable = false;
};

namespace fb {

// What the user reads for a lost connection, for a connection the server's machine does not answer
// (the server down, the network away), for a record held by another workstation and for a user name the
// server does not know.
extern const QString ConnectionLostMessage;
extern const QString ServerUnreachableMessage;
extern const QString RecordLockedMessage;
extern const QString UnknownUserMessage;

// What the user reads for the server's SQL codes of refused work: a duplicate key (-803), a missing or
// inadmissible value (-625), a broken link between data (-530), missing privileges (-551); empty for
// other codes. Missing privileges refuse reads as well as saves, so that message is the error's own.
QString SqlCodeMessage(int sqlCode);

// Converts the errors of a status into EIBError (warnings alone are no error); with translate, a lost
// connection or a lock conflict gets its Slovak sentence as the message.
EIBError errorFromStatus(const Firebird::IStatus *status, bool translate = true);
// Throws the status's errors (translated); a lost connection first calls the connection-lost hook.
[[noreturn]] void raiseStatus(const Firebird::IStatus *status);
// Throws the errors of a call to the server's services: a connection lost there is said as a server that does
// not answer (ServiceUnreachable) and leaves the database's connection alone.
[[noreturn]] void raiseServiceStatus(const Firebird::IStatus *status);
// Called (with no server call of its own to make) whenever a call fails because its connection is lost,
// so the owners of connections can check theirs.
void setConnectionLostHook(void (*hook)());

// Throws when the status holds errors; cheap when it does not.
template <class S> inline void check(const S &status)
{
    if (status.getState() & Firebird::IStatus::STATE_ERRORS)
        raiseStatus(&status);
}

} // namespace fb
