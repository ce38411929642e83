#include "FbHandle.h"

namespace fb {

Firebird::IMaster *master()
{
    static Firebird::IMaster *const m = Firebird::fb_get_master_interface();
    return m;
}

Firebird::IUtil *util()
{
    static Firebird::IUtil *const u = master()->getUtilInterface();
    return u;
}

Firebird::IProvider *provider()
{
    // The dispatcher picks the remote or the embedded engine from the database name.
    static Firebird::IProvider *const p = master()->getDispatcher();
    return p;
}

namespace {
struct ThreadStatus {
    Firebird::IStatus *raw = master()->getStatus();
    Firebird::CheckStatusWrapper wrapper{raw};
    ~ThreadStatus() { raw->dispose(); }
};
} // namespace

Firebird::CheckStatusWrapper &status()
{
    thread_local ThreadStatus st;
    st.wrapper.init();
    return st.wrapper;
}

} // namespace fb
