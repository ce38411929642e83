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
        }
        else if (kind == isc_arg_string && wanted)
            return Win1250::toUnicode(reinterpret_cast<const char *>(v[1]),
                                      static_cast<qsizetype>(qstrlen(reinterpret_cast<const char *>(v[1]))));
        v += 2;
    }
    return {};
}

} // namespace

EIBError errorFromStatus(const Firebird::IStatus *status)
{
    const ISC_STATUS *errors = status->getErrors();
    QStringList lines;
    char buf[1024];
    const ISC_STATUS *p = errors;
    while (fb_interpret(buf, sizeof buf, &p))
        lines << Win1250::toUnicode(buf, static_cast<qsizetype>(qstrlen(buf)));
    const int gds = errors[0] == isc_arg_gds ? static_cast<int>(errors[1]) : 0;
    return EIBError(lines.join(QLatin1Char('\n')), static_cast<int>(isc_sqlcode(errors)), gds, objectName(errors));
}

void raiseStatus(const Firebird::IStatus *status)
{
    EIBError e = errorFromStatus(status);
    // The status is reused by the next call: leave it clean.
    const_cast<Firebird::IStatus *>(status)->init();
    throw e;
}

} // namespace fb
