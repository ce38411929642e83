// Forms that live in a global of their own ("CisOdbForm"): made on first use with the main form as
// owner, the global cleared when the form goes, and its grids let go of their data first.
#pragma once

#include "Form.h"

#include <QObject>

// The form of the global, made on first use.
template <class T> T &FormOnDemand(T *&global)
{
    if (!global)
        global = new T(ApplicationMainForm());
    return *global;
}

// Makes the form its global while it lives (the start-up list, the main form or a test may own it).
template <class T> void TrackGlobal(T *self, T *&global)
{
    global = self;
    QObject::connect(self, &QObject::destroyed, [self, &global] {
        if (global == self)
            global = nullptr;
    });
}

// Unlinks the form's grids from their data sources, so a grid going away never repaints over a data set
// that is still open.
void DetachGrids(QWidget *form);
