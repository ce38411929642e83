// Factories of the sales module's start-up objects (the sales and the products data modules, the product
// and customer dialogs), its open routines and the customer dialog it lends the code lists.
#include "SalesModule.h"

#include "DMOdbyt.h"
#include "DMTPV.h"
#include "OdberatelDForm.h"
#include "OdberateliaForm.h"
#include "QRPlanZak.h"
#include "VyrobkyDForm.h"
#include "ZakRekForm.h"
#include "shell/DMCis.h"
#include "shell/DMZal.h"
#include "shell/MenuHooks.h"
#include "shell/RoutineNames.h"
#include "shell/Startup.h"
#include "platform/ui/FormGlobal.h"

void RegisterSalesModule()
{
    SetStartupFactory(StartupClass::TDMOdbyt, [] { return MakeStartupInstance(new TDMOdbyt); });
    SetStartupFactory(StartupClass::TDMTPV, [] { return MakeStartupInstance(new TDMTPV); });
    // The dialogs stand on their data modules; over a stand-in data module they are plain forms too.
    SetStartupFactory(StartupClass::TVyrobkyDForm, [] {
        return DMTPV && DMZal ? MakeStartupInstance(new TVyrobkyDForm) : MakeStartupInstance(new TForm);
    });
    SetStartupFactory(StartupClass::TQRPlanZak, [] { return MakeStartupInstance(new TQRPlanZak); });
    SetStartupFactory(StartupClass::TOdberatelDForm, [] {
        return DMCis && DMZal ? MakeStartupInstance(new TOdberatelDForm) : MakeStartupInstance(new TForm);
    });
    RegisterOpenRoutine(Routine::ShowCustomers, [](const QVariantList &) {
        if (DMCis)
            ShowCustomers();
    });
    RegisterOpenRoutine(Routine::ShowComplaints, [](const QVariantList &) {
        if (DMOdbyt)
            ShowComplaints();
    });
    ModuleHooks().CustomerDialog = [](TDataSet *customer) {
        if (!DMCis || customer != &DMCis->QOdberatelia)
            return int(mrCancel);
        return FormOnDemand(OdberatelDForm).RunOnCurrent();
    };
}
