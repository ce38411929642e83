// The desktop clipboard as text: copied grid rows and the like.
#pragma once

#include <QString>

QString ClipboardText();
// Replaces the clipboard's content with the text.
void SetClipboardText(const QString &text);
