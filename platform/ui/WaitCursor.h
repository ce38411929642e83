// TWaitCursor: shows the hourglass while a long step runs; the cursor comes back when the guard goes.
#pragma once

#include <QApplication>
#include <QCursor>

class TWaitCursor {
public:
    TWaitCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~TWaitCursor() { QApplication::restoreOverrideCursor(); }
    TWaitCursor(const TWaitCursor &) = delete;
    TWaitCursor &operator=(const TWaitCursor &) = delete;
};

// Makes the data layer's SQL-wait bracket show the wait cursor (called once at start).
void InstallSqlWaitCursor();
