// Factories of the sales module's start-up objects: the sales data module and the products and
// technology data module.
#include "SalesModule.h"

#include "DMOdbyt.h"
#include "DMTPV.h"
#include "shell/RoutineNames.h"
#include "shell/Startup.h"

void RegisterSalesModule()
{
    SetStartupFactory(StartupClass::TDMOdbyt, [] { return MakeStartupInstance(new TDMOdbyt); });
    SetStartupFactory(StartupClass::TDMTPV, [] { return MakeStartupInstance(new TDMTPV); });
}
