// Forms that live in a global of their own ("CisOdbForm"): made on first use with the main form as
// owner, the global cleared when the form goes, and its grids let go of their data first.
#pragma once

#include "Form.h"

#include <QObject>
#include <QString>
#include <functional>

// The global of a long-lived form whose making is put off until it is first used: the program starts
// without building windows nobody has opened yet. Until then the global is "there" (true, as the form would
// be), and the first look through it (->, *, a conversion to the form's pointer) has the form made by whoever
// put it off. A form made directly (a test, a dialog on demand) simply becomes the global, as with a plain
// pointer.
class TFormGlobalBase {
public:
    explicit TFormGlobalBase(const char *globalName);
    ~TFormGlobalBase();
    TFormGlobalBase(const TFormGlobalBase &) = delete;
    TFormGlobalBase &operator=(const TFormGlobalBase &) = delete;

    const char *GlobalName() const { return name_; }
    // Whether the form is waiting to be made on first use.
    bool Pending() const { return pending_; }

protected:
    // Has the form made when it is waiting for it.
    void makePending() const;

private:
    friend bool SetFormGlobalPending(const QString &globalName, bool pending);
    const char *name_;
    mutable bool pending_ = false;
};

// Marks the form of a global as waiting to be made on first use (or no longer waiting); false when no
// global of that name can wait.
bool SetFormGlobalPending(const QString &globalName, bool pending);
// Makes the waiting form of a global name (set by the program's start, which owns the forms it puts off).
std::function<void(const QString &globalName)> &FormGlobalMaker();

template <class T> class TFormGlobal : public TFormGlobalBase {
public:
    using TFormGlobalBase::TFormGlobalBase;

    // The form, made first when it is waiting.
    T *get() const
    {
        if (!form_)
            makePending();
        return form_;
    }
    T *operator->() const { return get(); }
    T &operator*() const { return *get(); }
    operator T *() const { return get(); }
    // Whether the form is there or waiting, without making it.
    explicit operator bool() const { return form_ || Pending(); }
    // Whether the form has been made.
    bool Made() const { return form_ != nullptr; }
    TFormGlobal &operator=(T *form)
    {
        form_ = form;
        return *this;
    }

private:
    T *form_ = nullptr;
};

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

template <class T> T &FormOnDemand(TFormGlobal<T> &global)
{
    if (!global.get())
        global = new T(ApplicationMainForm());
    return *global.get();
}

template <class T> void TrackGlobal(T *self, TFormGlobal<T> &global)
{
    global = self;
    QObject::connect(self, &QObject::destroyed, [self, &global] {
        if (global.Made() && global.get() == self)
            global = nullptr;
    });
}

// Unlinks the form's grids from their data sources, so a grid going away never repaints over a data set
// that is still open.
void DetachGrids(QWidget *form);
