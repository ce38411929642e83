// Ends the program on SIGTERM, SIGINT and SIGHUP (a desktop log-out, a kill) the way the close of its
// main window does, without the question whether to end.
#pragma once

class QWidget;

// Catches the three signals and, back in the message loop, closes mainWindow and ends the loops. The
// Firebird client catches SIGINT and SIGTERM at its first connection attempt: install after that.
// Calling it again takes the signals back and names the window anew; another window than the last one
// starts without a termination requested.
void InstallTerminationHandler(QWidget *mainWindow);
// True once a termination signal has arrived: close questions are then not asked.
bool TerminationRequested();
