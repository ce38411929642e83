// The program: its start with the splash, the main menu and the message loop.
#include "shell/Modules.h"
#include "shell/Startup.h"

#include <cstdlib>

int main(int argc, char **argv)
{
    // Without TZ the C library reads the zone file again on every local-time conversion.
    if (!std::getenv("TZ"))
        setenv("TZ", ":/etc/localtime", 1);
    // The modules built so far take the places of their stand-ins in the start-up list and the menu.
    RegisterModules();
    return RunProgram(argc, argv);
}
