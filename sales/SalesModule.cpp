// The sales module's registration: the factories of its start-up objects (the sales data module and the
// products and technology data module) and its open routines.
#include "SalesModule.h"

#include "CenPonForm.h"
#include "DMOdbyt.h"
#include "DMTPV.h"
#include "VyrobkyForm.h"
#include "shell/MenuHooks.h"
#include "shell/RoutineNames.h"
#include "shell/Startup.h"

void RegisterSalesModule()
{
    SetStartupFactory(StartupClass::TDMOdbyt, [] { return MakeStartupInstance(new TDMOdbyt); });
    SetStartupFactory(StartupClass::TDMTPV, [] { return MakeStartupInstance(new TDMTPV); });
    RegisterOpenRoutine(Routine::ShowOffers, [](const QVariantList &) { ShowOffers(); });
    RegisterOpenRoutine(Routine::ShowProducts, [](const QVariantList &) { ShowProducts(); });
}
