// Factories of the production module's start-up objects and its open routines.
#include "ProductionModule.h"

#include "DMOdv.h"
#include "DMVyroba.h"
#include "shell/RoutineNames.h"
#include "shell/Startup.h"

void RegisterProductionModule()
{
    SetStartupFactory(StartupClass::TDMOdv, [] { return MakeStartupInstance(new TDMOdv); });
    SetStartupFactory(StartupClass::TDMVyroba, [] { return MakeStartupInstance(new TDMVyroba); });
}
