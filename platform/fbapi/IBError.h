// Server errors as one exception type: all status lines, the SQL code, the GDS code and the
// constraint, index or exception name the error is about.
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
        : EDatabaseError(std::move(message)), SQLCode(sqlCode), IBErrorCode(ibErrorCode),
          ConstraintName(std::move(constraintName))
    {
    }
    int SQLCode = 0;
    int IBErrorCode = 0;
    QString ConstraintName;
};

namespace fb {

// Converts the errors of a status into EIBError (warnings alone are no error).
EIBError errorFromStatus(const Firebird::IStatus *status);
[[noreturn]] void raiseStatus(const Firebird::IStatus *status);

// Throws when the status holds errors; cheap when it does not.
template <class S>
inline void check(const S &status)
{
    if (status.getState() & Firebird::IStatus::STATE_ERRORS)
        raiseStatus(&status);
}

} // namespace fb
