// The program's folders (program, current, documents, application data) and handing a file or address to
// the desktop's program or to a text editor.
#pragma once

#include <QString>

QString ProgramFileName();
// Folders end with '/', so a file name can follow directly.
QString ProgramFolder();
QString CurrentFolder();
QString DocumentsFolder();
// "TarvIS/" in the user's data folder, created when missing.
QString AppDataFolder();

// Opens a file (path) or an address (with a scheme such as https: or mailto:) in the desktop's program.
bool OpenInDesktop(const QString &fileOrUrl);
// Opens a file in $VISUAL, else $EDITOR, else the desktop's program for it.
bool OpenInTextEditor(const QString &path);
