// The sales module's registration: the factories of its start-up objects (the sales data module and the
// products and technology data module) and its open routines.
#include "SalesModule.h"

#include "CenPonForm.h"
#include "DMOdbyt.h"
#include "DMTPV.h"
#include "FormZakazky.h"
#include "VyrobkyForm.h"
#include "shell/MenuHooks.h"
#include "shell/RoutineNames.h"
#include "shell/Startup.h"

void RegisterSalesModule()
{
    SetStartupFactory(StartupClass::TDMOdbyt, [] { return MakeStartupInstance(new TDMOdbyt); });
    SetStartupFactory(StartupClass::TDMTPV, [] { return MakeStartupInstance(new TDMTPV); });
    SetStartupFactory(StartupClass::TFormZakazky, [] { return MakeStartupInstance(new TFormZakazky); });
    RegisterOpenRoutine(Routine::ShowOrders, [](const QVariantList &) { ShowOrders(); });
    RegisterOpenRoutine(Routine::ShowOffers, [](const QVariantList &) { ShowOffers(); });
    RegisterOpenRoutine(Routine::ShowProducts, [](const QVariantList &) { ShowProducts(); });
}
