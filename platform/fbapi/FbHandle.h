// Owning handles over fbclient's reference-counted interfaces, and the one entry to the client
// library (master, util, provider) and to the thread's status vector.
#pragma once

#include <firebird/Interface.h>

#include <utility>

namespace fb {

Firebird::IMaster *master();
Firebird::IUtil *util();
Firebird::IProvider *provider();

// The calling thread's status, cleared before it is handed out. Calls check it through check()
// (IBError.h) right after the call that filled it.
Firebird::CheckStatusWrapper &status();

// Owns one reference of a fbclient interface: released when the handle dies; a moved-from
// handle is empty. Interfaces that end themselves on success (commit, detach, close, free) are
// let go with forget() after that call.
template <class T> class Handle {
public:
    Handle() = default;
    explicit Handle(T *p) : p_(p) {}
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;
    Handle(Handle &&o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    Handle &operator=(Handle &&o) noexcept
    {
        if (this != &o) {
            reset();
            p_ = std::exchange(o.p_, nullptr);
        }
        return *this;
    }
    ~Handle() { reset(); }

    T *get() const { return p_; }
    T *operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

    void reset(T *p = nullptr)
    {
        if (p_)
            p_->release();
        p_ = p;
    }
    // The interface has released itself (a successful commit, detach, close or free).
    void forget() { p_ = nullptr; }

    // Ends the interface with a call that releases it on success (detach, close, free, rollback);
    // on failure the reference is dropped all the same and st keeps the error. False on failure.
    template <class F> bool close(Firebird::CheckStatusWrapper &st, F call)
    {
        if (!p_)
            return true;
        call(p_, &st);
        if (st.getState() & Firebird::IStatus::STATE_ERRORS) {
            reset();
            return false;
        }
        p_ = nullptr;
        return true;
    }

private:
    T *p_ = nullptr;
};

} // namespace fb
