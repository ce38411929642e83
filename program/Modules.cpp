#include "Modules.h"

#include "production/ProductionModule.h"
#include "sales/SalesModule.h"
#include "shell/CodeListModule.h"
#include "shell/ShellModule.h"

void RegisterModules()
{
    RegisterShellModule();
    RegisterCodeListModule();
    RegisterSalesModule();
    RegisterProductionModule();
}
