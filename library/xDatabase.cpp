#include "xDatabase.h"

#include "platform/os/ServerProbe.h"

bool IsFirebirdServerRunning()
{
    return IsLocalServerListening();
}
