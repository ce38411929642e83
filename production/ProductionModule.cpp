// Factories of the production module's start-up objects, its open routines and the job ticket.
#include "ProductionModule.h"

#include "DMMzdy.h"
#include "DMOdv.h"
#include "DMVyk.h"
#include "DMVyroba.h"
#include "SMzdyForm.h"
#include "SOdvQR1Rep.h"
#include "SOdvodyForm.h"
#include "SPlanForm.h"
#include "SPlanPraceForm.h"
#include "SPoziadavkyForm.h"
#include "SRVForm.h"
#include "QRTlacSprievodka.h"
#include "shell/DMZal.h"
#include "SVykQR1Rep.h"
#include "SVykonyForm.h"
#include "SVykonyZForm.h"
#include "shell/MenuHooks.h"
#include "shell/RoutineNames.h"
#include "shell/Startup.h"

void RegisterProductionModule()
{
    SetStartupFactory(StartupClass::TDMOdv, [] { return MakeStartupInstance(new TDMOdv); });
    SetStartupFactory(StartupClass::TDMVyroba, [] { return MakeStartupInstance(new TDMVyroba); });
    SetStartupFactory(StartupClass::TSOdvodyForm, [] { return MakeStartupInstance(new TSOdvodyForm); });
    SetStartupFactory(StartupClass::TSOdvQR1Rep, [] { return MakeStartupInstance(new TSOdvQR1Rep); });
    SetStartupFactory(StartupClass::TDMVyk, [] { return MakeStartupInstance(new TDMVyk); });
    SetStartupFactory(StartupClass::TDMMzdy, [] { return MakeStartupInstance(new TDMMzdy); });
    SetStartupFactory(StartupClass::TSVykonyForm, [] { return MakeStartupInstance(new TSVykonyForm); });
    SetStartupFactory(StartupClass::TSVykonyZForm, [] { return MakeStartupInstance(new TSVykonyZForm); });
    SetStartupFactory(StartupClass::TSVykQR1Rep, [] { return MakeStartupInstance(new TSVykQR1Rep); });
    RegisterOpenRoutine(Routine::ShowProductionRequests, [](const QVariantList &) {
        if (DMVyroba)
            ShowProductionRequests();
    });
    RegisterOpenRoutine(Routine::ShowWorkInProgress, [](const QVariantList &) {
        if (DMVyroba)
            ShowWorkInProgress();
    });
    RegisterOpenRoutine(Routine::ShowCapacityPlan, [](const QVariantList &) {
        if (DMVyroba)
            ShowCapacityPlan();
    });
    RegisterOpenRoutine(Routine::ShowWorkPlan, [](const QVariantList &) {
        if (DMVyroba)
            ShowWorkPlan();
    });
    ModuleHooks().PrintHandOversOfPeriod = [](const QDate &from, const QDate &to) {
        if (DMOdv)
            PrintHandOversOfPeriod(from, to);
    };
    RegisterOpenRoutine(Routine::ShowHandOvers, [](const QVariantList &) {
        if (DMOdv)
            ShowHandOvers();
    });
    ModuleHooks().PrintJobTicket = [](int cInt) {
        if (DMZal)
            PrintJobTicket(cInt);
    };
    RegisterOpenRoutine(Routine::ShowPerformances, [](const QVariantList &) {
        if (DMVyk)
            ShowPerformances();
    });
    RegisterOpenRoutine(Routine::ShowAttendanceWages, [](const QVariantList &) {
        if (DMMzdy)
            ShowAttendanceWages();
    });
}
