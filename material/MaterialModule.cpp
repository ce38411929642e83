// Factories of the material module's start-up objects and its open routines.
#include "MaterialModule.h"

#include "DMMTZ.h"
#include "MPohybDForm.h"
#include "MSkladyForm.h"
#include "shell/MenuHooks.h"
#include "shell/RoutineNames.h"
#include "shell/Startup.h"

void RegisterMaterialModule()
{
    SetStartupFactory(StartupClass::TDMMTZ, [] { return MakeStartupInstance(new TDMMTZ); });
    SetStartupFactory(StartupClass::TMSkladyForm, [] { return MakeStartupInstance(new TMSkladyForm); });
    SetStartupFactory(StartupClass::TMPohybDForm, [] { return MakeStartupInstance(new TMPohybDForm); });
    RegisterOpenRoutine(Routine::ShowStores, [](const QVariantList &args) {
        if (DMMTZ)
            ShowStores(args.value(0).toString());
    });
}
