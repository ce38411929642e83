// Factories of the production module's start-up objects (the work-performance and the attendance and
// wages data modules) and its open routines.
#include "ProductionModule.h"

#include "DMMzdy.h"
#include "DMVyk.h"
#include "SMzdyForm.h"
#include "SVykQR1Rep.h"
#include "SVykonyForm.h"
#include "SVykonyZForm.h"
#include "shell/MenuHooks.h"
#include "shell/RoutineNames.h"
#include "shell/Startup.h"

void RegisterProductionModule()
{
    SetStartupFactory(StartupClass::TDMVyk, [] { return MakeStartupInstance(new TDMVyk); });
    SetStartupFactory(StartupClass::TDMMzdy, [] { return MakeStartupInstance(new TDMMzdy); });
    SetStartupFactory(StartupClass::TSVykonyForm, [] { return MakeStartupInstance(new TSVykonyForm); });
    SetStartupFactory(StartupClass::TSVykonyZForm, [] { return MakeStartupInstance(new TSVykonyZForm); });
    SetStartupFactory(StartupClass::TSVykQR1Rep, [] { return MakeStartupInstance(new TSVykQR1Rep); });
    RegisterOpenRoutine(Routine::ShowAttendanceWages, [](const QVariantList &) {
        if (DMMzdy)
            ShowAttendanceWages();
    });
    RegisterOpenRoutine(Routine::ShowPerformances, [](const QVariantList &) {
        if (DMVyk)
            ShowPerformances();
    });
}
