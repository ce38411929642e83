// Windows-1250 (Central European) bytes to and from Unicode: the one place where the database's
// and the export files' code page is converted.
#pragma once

#include <QByteArray>
#include <QString>

namespace Win1250 {
QString toUnicode(const char *data, qsizetype size);
// The same into room for size characters the caller has made.
void toUnicode(const char *data, qsizetype size, QChar *out);
inline QString toUnicode(const QByteArray &bytes)
{
    return toUnicode(bytes.constData(), bytes.size());
}
// Characters that the code page lacks become '?'.
QByteArray fromUnicode(const QString &text);
// Appends the encoding of text to out; returns the number of bytes written.
qsizetype fromUnicode(const QString &text, char *out, qsizetype capacity);
} // namespace Win1250
