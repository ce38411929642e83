// Factories of the sales module's start-up objects (the sales and the products data modules, the product
// and customer dialogs), its open routines and the customer dialog it lends the code lists.
#include "SalesModule.h"

#include "CenPonForm.h"
#include "DMOdbyt.h"
#include "DMTPV.h"
#include "FormZakazkaDet.h"
#include "FormZakazkaDetHl.h"
#include "FormZakazkaHl.h"
#include "FormIntZak.h"
#include "FormZakazky.h"
#include "VyrobkyForm.h"
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

namespace {

// The job marks of the internal orders' pop-up need full rights on hand-overs and on sales. A browser not
// made yet gets them when it is made.
void applyJobMarkRights()
{
    if (!FormIntZak.Made() || !DMZal || !DMZal->DBZAL.Connected())
        return;
    FormIntZak->mnuJeOdv->setEnabled(DMZal->HasRight(QStringLiteral("Odvody"), 2, false));
    FormIntZak->mnuJeUko->setEnabled(DMZal->HasRight(QStringLiteral("Odbyt"), 2, false));
}

} // namespace

void RegisterSalesModule()
{
    SetStartupFactory(StartupClass::TDMOdbyt, [] { return MakeStartupInstance(new TDMOdbyt); });
    SetStartupFactory(StartupClass::TDMTPV, [] { return MakeStartupInstance(new TDMTPV); });
    SetStartupFactory(StartupClass::TFormZakazky, [] { return MakeStartupInstance(new TFormZakazky); });
    SetStartupFactory(StartupClass::TFormZakazkaHl, [] { return MakeStartupInstance(new TFormZakazkaHl); });
    SetStartupFactory(StartupClass::TFormZakazkaDet, [] { return MakeStartupInstance(new TFormZakazkaDet); });
    SetStartupFactory(StartupClass::TFormZakazkaDetHl, [] { return MakeStartupInstance(new TFormZakazkaDetHl); });
    SetStartupFactory(StartupClass::TFormIntZak, [] {
        TStartupInstance made = MakeStartupInstance(new TFormIntZak);
        applyJobMarkRights(); // a browser made after the log-in gets the rights its menu items already have
        return made;
    });
    RegisterOpenRoutine(Routine::ShowInternalOrders, [](const QVariantList &args) {
        if (DMOdbyt)
            ShowInternalOrders(args.value(0).toString(), args.value(1).toString());
    });
    ModuleHooks().PrivilegeRules.push_back(applyJobMarkRights);
    RegisterOpenRoutine(Routine::ShowOrders, [](const QVariantList &) { ShowOrders(); });
    RegisterOpenRoutine(Routine::ShowOffers, [](const QVariantList &) { ShowOffers(); });
    RegisterOpenRoutine(Routine::ShowProducts, [](const QVariantList &) { ShowProducts(); });
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
    ModuleHooks().ProductDialog = [] { return DMTPV && RunProductDialog(); };
    ModuleHooks().CustomerDialog = [](TDataSet *customer) {
        if (!DMCis || customer != &DMCis->QOdberatelia)
            return int(mrCancel);
        return FormOnDemand(OdberatelDForm).RunOnCurrent();
    };
}
