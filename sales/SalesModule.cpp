// Factories of the sales module's start-up objects: the sales data module and the products and
// technology data module.
#include "SalesModule.h"

#include "DMOdbyt.h"
#include "DMTPV.h"
#include "shell/Startup.h"

void RegisterSalesModule()
{
    SetStartupFactory(QStringLiteral("TDMOdbyt"), [] { return MakeStartupInstance(new TDMOdbyt); });
    SetStartupFactory(QStringLiteral("TDMTPV"), [] { return MakeStartupInstance(new TDMTPV); });
}
