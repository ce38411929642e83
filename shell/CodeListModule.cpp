#include "CodeListModule.h"

#include "CisOdbForm.h"
#include "CisPolForm.h"
#include "CisZakForm.h"
#include "CisZamForm.h"
#include "DMCis.h"
#include "DMZal.h"
#include "FormSluzby.h"
#include "MenuHooks.h"
#include "QMsgDForm.h"
#include "QMsgForm.h"
#include "RoutineNames.h"
#include "Startup.h"

void RegisterCodeListModule()
{
    SetStartupFactory(StartupClass::TDMCis, [] { return MakeStartupInstance(new TDMCis); });
    SetStartupFactory(StartupClass::TCisZamForm, [] { return MakeStartupInstance(new TCisZamForm); });
    SetStartupFactory(StartupClass::TCisZakForm, [] { return MakeStartupInstance(new TCisZakForm); });
    SetStartupFactory(StartupClass::TCisOdbForm, [] { return MakeStartupInstance(new TCisOdbForm); });
    SetStartupFactory(StartupClass::TCisPolForm, [] { return MakeStartupInstance(new TCisPolForm); });
    SetStartupFactory(StartupClass::TQMsgForm, [] { return MakeStartupInstance(new TQMsgForm); });
    SetStartupFactory(StartupClass::TQMsgDForm, [] { return MakeStartupInstance(new TQMsgDForm); });
    RegisterOpenRoutine(Routine::ShowCodeLists, [](const QVariantList &args) {
        if (DMCis)
            ShowCodeLists(args.isEmpty() ? 0 : args.first().toInt());
    });
    ModuleHooks().CheckMessages = [](bool force) {
        if (DMZal && DMZal->DBZAL.Connected())
            CheckMessages(force);
    };
}
