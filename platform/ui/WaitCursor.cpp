#include "WaitCursor.h"

#include "platform/db/SqlWait.h"

void InstallSqlWaitCursor()
{
    SetSqlWaitHook([](bool busy) {
        if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
            return;
        if (busy)
            QApplication::setOverrideCursor(QCursor(Qt::BusyCursor));
        else
            QApplication::restoreOverrideCursor();
    });
}
