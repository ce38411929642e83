// Factories of the material module's start-up objects and its open routines.
#include "MaterialModule.h"

#include "DMMTZ.h"
#include "DodavateliaForm.h"
#include "MObjednavkyForm.h"
#include "MPohybDForm.h"
#include "MPohybyForm.h"
#include "MPolozkyForm.h"
#include "MPoziadavkyForm.h"
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
    const auto routine = [](const char *name, void (*open)()) {
        RegisterOpenRoutine(QString::fromLatin1(name), [open](const QVariantList &) {
            if (DMMTZ)
                open();
        });
    };
    routine(Routine::ShowStockMovements, &ShowStockMovements);
    routine(Routine::ShowMaterialItems, &ShowMaterialItems);
    routine(Routine::ShowSuppliers, &ShowSuppliers);
    routine(Routine::ShowPurchaseOrders, &ShowPurchaseOrders);
    // The main menu passes 0 (no job filter); the internal-orders browser its WHERE text over vZakazkyD.
    RegisterOpenRoutine(Routine::ShowMaterialRequests, [](const QVariantList &args) {
        if (!DMMTZ)
            return;
        const QVariant filter = args.value(0);
        ShowMaterialRequests(filter.typeId() == QMetaType::QString ? filter.toString() : QString());
    });
}
