// Writing one parameter's value into an input message buffer, converted to the parameter's own
// type: lenient numbers from text, scaled numerics rounded half away from zero, text in WIN1250.
#pragma once

#include "Column.h"

#include <QVariant>

namespace fb {

// A null QVariant sets NULL. Blob parameters take an fb::BlobId (the statement writes the blob).
// Text that is no number, a value out of range or a text too long throws EDatabaseError/EIBError.
void encode(const Column &c, unsigned char *msg, const QVariant &v);
void setNull(const Column &c, unsigned char *msg);

// Text as a number: blanks skipped, ',' or '.' as the decimal point; false when it is none.
bool parseNumber(const QString &text, double &out);

} // namespace fb
