#include "DispatchModule.h"

#include "DMExp.h"
#include "EDListyForm.h"
#include "ESkladForm.h"
#include "shell/MenuHooks.h"
#include "shell/RoutineNames.h"
#include "shell/Startup.h"

void RegisterDispatchModule()
{
    SetStartupFactory(StartupClass::TDMExp, [] { return MakeStartupInstance(new TDMExp); });
    SetStartupFactory(StartupClass::TESkladForm, [] { return MakeStartupInstance(new TESkladForm); });
    RegisterOpenRoutine(Routine::ShowDeliveryNotes, [](const QVariantList &) {
        if (DMExp)
            ShowDeliveryNotes();
    });
    RegisterOpenRoutine(Routine::ShowFinishedGoodsStore, [](const QVariantList &) {
        if (DMExp)
            ShowFinishedGoodsStore();
    });
    TModuleHooks &hooks = ModuleHooks();
    hooks.NewDeliveryNoteForJob = [](int cInt, double kurz) {
        return DMExp ? DMExp->NewDeliveryNoteForJob(cInt, kurz) : 0;
    };
    hooks.AddDeliveryNoteLine = [](const QString &sklad, const QString &cVyr, int cInt, int quantity, double price) {
        return DMExp ? DMExp->AddDeliveryNoteLine(sklad, cVyr, cInt, quantity, price) : QString();
    };
    hooks.PrintDeliveryNote = [](int cDl, int mode) {
        if (DMExp)
            DMExp->PrintDeliveryNote(cDl, mode);
    };
}
