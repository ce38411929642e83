#include "Modules.h"

#include "shell/CodeListModule.h"
#include "shell/ShellModule.h"

void RegisterModules()
{
    RegisterShellModule();
    RegisterCodeListModule();
}
