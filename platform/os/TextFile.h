// Text files the program reads (settings, word list, templates, report definitions): UTF-8 when the bytes
// are valid UTF-8, else Windows-1250.
#pragma once

#include <QByteArray>
#include <QString>

// Decodes the bytes; a UTF-8 byte-order mark is dropped. wasUtf8 tells which reading was taken.
QString DecodeText(const QByteArray &bytes, bool *wasUtf8 = nullptr);
// The whole file as text; an empty text (and ok false) when it cannot be read.
QString ReadTextFile(const QString &path, bool *ok = nullptr);
// Replaces the file with the bytes all at once (through a temporary file beside it); on any failure,
// a full disk included, the old file stays whole and the reason is returned in error.
bool WriteFileAtomically(const QString &path, const QByteArray &bytes, QString *error = nullptr);
