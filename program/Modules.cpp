#include "Modules.h"

#include "dispatch/DispatchModule.h"
#include "material/MaterialModule.h"
#include "production/ProductionModule.h"
#include "sales/SalesModule.h"
#include "shell/AdminModule.h"
#include "shell/CodeListModule.h"
#include "shell/ShellModule.h"

void RegisterModules()
{
    RegisterShellModule();
    RegisterCodeListModule();
    RegisterSalesModule();
    RegisterDispatchModule();
    RegisterMaterialModule();
    RegisterAdminModule();
    RegisterProductionModule();
}
