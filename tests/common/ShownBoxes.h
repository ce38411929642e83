// A test responder whose message boxes behave as shown ones do before they are answered: a modal window of
// their own takes the focus from the control that asked and runs its own event loop, so whatever was
// queued meanwhile runs inside the box, as at a real screen.
#pragma once

#include "platform/ui/Dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

class TShownBoxes : public TTestResponder {
public:
    int Message(const TMessageRequest &request) override
    {
        QWidget *window = QApplication::activeWindow();
        QDialog box(window);
        box.setModal(true);
        // Answered at the first turn of its own loop, after the window system has activated it.
        QTimer::singleShot(0, &box, &QDialog::accept);
        box.exec();
        // The window system gives the activation back to the window the box came from.
        if (window)
            QApplication::setActiveWindow(window);
        return TTestResponder::Message(request);
    }
};
